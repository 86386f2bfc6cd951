// File specifications: FSMakeFSSpec and the calls that take an FSSpec.
#include <cstring>

#include "files/file_manager.h"

namespace zeb::files {
namespace {

constexpr size_t kMaxSpecName = 63;

// An FSSpec's name holds at most 63 characters; a longer length byte would read past the
// record.
OSErr SpecError(const FSSpec* fileSpec) {
  if (!fileSpec) return paramErr;
  return Either(fileSpec->name[0] > kMaxSpecName, bdNamErr, noErr);
}

OSErr ExistenceOf(const std::string& path) {
  QuietHostErrors quiet;
  return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES ? OSErr{noErr}
                                                                      : LastHostError();
}

OSErr PathOfSpec(const FSSpec* fileSpec, std::string* path) {
  if (const OSErr err = SpecError(fileSpec)) return err;
  return HostPathOf(fileSpec->parID, fileSpec->vRefNum, fileSpec->name, path);
}

// The temporary name of an exchange: the source's name with the extension ".aaa".
std::string TemporaryNameOf(const std::string& path) {
  std::string directory, name;
  SplitLastComponent(path, &directory, &name);
  const size_t dot = name.rfind('.');
  if (dot != std::string::npos) name.erase(dot);
  return directory + name + ".aaa";
}

bool IsFile(const std::string& path) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace
}  // namespace zeb::files

using namespace zeb;
using namespace zeb::files;

extern "C" {

// The FSSpec names the last component of the path in the directory that holds it, whether or not
// the file exists. A name the record cannot hold, or a path that cannot be built, leaves a
// cleared record, which no other call takes for a file or a directory.
OSErr ZEBAPI FSMakeFSSpec(short vRefNum, long dirID, ConstStr255Param fileName, FSSpec* fileSpec) {
  if (!fileSpec) return paramErr;
  // The name may be the fileSpec's own (FSMakeFSSpec(s.vRefNum, s.parID, s.name, &s)): the path is
  // built before the fileSpec is touched.
  std::string path;
  const OSErr err = HostPathOf(dirID, vRefNum, fileName, &path);
  *fileSpec = FSSpec{};
  if (err) return err;
  if (IsVolumeRoot(path)) {
    fileSpec->vRefNum = VolumeOfPath(path);
    fileSpec->parID = fsRtParID;
    StorePascal(fileSpec->name, path);
    return noErr;
  }
  std::string directory, name;
  SplitLastComponent(path, &directory, &name);
  if (name.size() > kMaxSpecName) return bdNamErr;
  const DirectoryIdentity id = IdentifyDirectory(directory);
  if (!id.Usable()) return dirNFErr;
  fileSpec->vRefNum = id.vRefNum;
  fileSpec->parID = id.dirID;
  StorePascal(fileSpec->name, name);
  return ExistenceOf(path);
}

OSErr ZEBAPI FSpOpenDF(const FSSpec* fileSpec, SignedByte permission, short* refNum) {
  if (refNum) *refNum = 0;
  if (const OSErr err = SpecError(fileSpec)) return err;
  return HOpen(fileSpec->vRefNum, fileSpec->parID, fileSpec->name, permission, refNum);
}

OSErr ZEBAPI FSpCreate(const FSSpec* fileSpec, OSType creator, OSType fileType, ScriptCode) {
  if (const OSErr err = SpecError(fileSpec)) return err;
  return HCreate(fileSpec->vRefNum, fileSpec->parID, fileSpec->name, creator, fileType);
}

OSErr ZEBAPI FSpDelete(const FSSpec* fileSpec) {
  if (const OSErr err = SpecError(fileSpec)) return err;
  return HDelete(fileSpec->vRefNum, fileSpec->parID, fileSpec->name);
}

OSErr ZEBAPI FSpRename(const FSSpec* fileSpec, ConstStr255Param newName) {
  if (const OSErr err = SpecError(fileSpec)) return err;
  return HRename(fileSpec->vRefNum, fileSpec->parID, fileSpec->name, newName);
}

OSErr ZEBAPI FSpGetFInfo(const FSSpec* fileSpec, FInfo* fndrInfo) {
  if (const OSErr err = SpecError(fileSpec)) return err;
  return HGetFInfo(fileSpec->vRefNum, fileSpec->parID, fileSpec->name, fndrInfo);
}

// Three renames through a temporary name; a step that fails undoes the ones before it, so
// both files are always still there under one of their names.
OSErr ZEBAPI FSpExchangeFiles(const FSSpec* source, const FSSpec* dest) {
  std::string first, second;
  OSErr err = PathOfSpec(source, &first);
  if (!err) err = PathOfSpec(dest, &second);
  if (err) return err;
  if (!IsFile(first) || !IsFile(second)) return fnfErr;
  const std::string temporary = TemporaryNameOf(first);
  if (temporary.size() > kMaxHostPath) return bdNamErr;
  err = MoveHostFile(first.c_str(), temporary.c_str());
  if (err) return err;
  err = MoveHostFile(second.c_str(), first.c_str());
  if (err) {
    MoveHostFile(temporary.c_str(), first.c_str());
    return err;
  }
  err = MoveHostFile(temporary.c_str(), second.c_str());
  if (err) {
    MoveHostFile(first.c_str(), second.c_str());
    MoveHostFile(temporary.c_str(), first.c_str());
  }
  return err;
}

}  // extern "C"

// Creating, deleting and renaming files and directories.
#include "files/file_manager.h"

namespace zeb::files {
namespace {

OSErr CreateFileAt(const std::string& path) {
  QuietHostErrors quiet;
  if (GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES) return dupFNErr;
  void* h = HostCreateNew(path.c_str(), false);
  if (!h) return LastHostError();
  CloseHandle(h);
  return noErr;
}

// Without a directory ID, a name that leads back to the directory of vRefNum (an empty name,
// ":") stands for the directory the application is working in: a delete or rename given only
// that (a bad or cleared FSSpec, a forgotten name) must not reach it.
bool NamesOnlyTheDefaultDirectory(int32_t dirID, int16_t vRefNum, const std::string& path) {
  if (dirID != 0) return false;
  std::string directory;
  return !DirectoryOfRefNum(vRefNum, &directory) &&
         SameHostName(WithoutTrailingBackslash(directory), path);
}

// The path that a delete or rename acts on: never a volume root, never the default directory
// named only by default.
OSErr TargetPath(int32_t dirID, int16_t vRefNum, const unsigned char* name, std::string* path) {
  const OSErr err = HostPathOf(dirID, vRefNum, name, path);
  if (err) return err;
  return Either(IsVolumeRoot(*path) || NamesOnlyTheDefaultDirectory(dirID, vRefNum, *path),
                bdNamErr, noErr);
}

OSErr DeletePath(int32_t dirID, int16_t vRefNum, const unsigned char* name) {
  std::string path;
  const OSErr err = TargetPath(dirID, vRefNum, name, &path);
  if (err) return err;
  QuietHostErrors quiet;
  const DWORD attributes = GetFileAttributesA(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return LastHostError();
  if (attributes & FILE_ATTRIBUTE_DIRECTORY) {
    // The catalog search may hold the directory open.
    EndEnumeration();
    return RemoveDirectoryA(path.c_str()) ? OSErr{noErr} : LastHostError();
  }
  return HostDelete(path.c_str()) ? OSErr{noErr} : LastHostError();
}

// The new name stays in the old one's directory: it may not name a path of its own, neither a
// host one nor a Macintosh one.
OSErr RenamePath(int32_t dirID, int16_t vRefNum, const unsigned char* oldName,
                 const unsigned char* newName) {
  std::string newText;
  if (!newName || !HostNameOf(newName, &newText) || newText.empty() ||
      newText.find_first_of("\\:") != std::string::npos)
    return bdNamErr;
  std::string from;
  const OSErr err = TargetPath(dirID, vRefNum, oldName, &from);
  if (err) return err;
  std::string directory;
  SplitLastComponent(from, &directory, nullptr);
  const std::string to = directory + newText;
  if (to.size() > kMaxHostPath) return bdNamErr;
  EndEnumeration();
  return MoveHostFile(from.c_str(), to.c_str());
}

OSErr CreateDirectoryAt(int32_t dirID, int16_t vRefNum, const unsigned char* name,
                        long* createdDirID) {
  std::string path;
  OSErr err = HostPathOf(dirID, vRefNum, name, &path);
  if (err) return err;
  QuietHostErrors quiet;
  if (!CreateDirectoryA(path.c_str(), nullptr)) return LastHostError();
  *createdDirID = IdentifyDirectory(path).dirID;
  return noErr;
}

}  // namespace
}  // namespace zeb::files

using namespace zeb;
using namespace zeb::files;

extern "C" {

OSErr ZEBAPI PBCreate(ParmBlkPtr paramBlock, Boolean) {
  if (!paramBlock) return paramErr;
  FileParam* pb = &paramBlock->fileParam;
  std::string path;
  OSErr err = HostPathOf(0, pb->ioVRefNum, pb->ioNamePtr, &path);
  if (!err) err = CreateFileAt(path);
  return Finish(pb, err);
}

OSErr ZEBAPI PBHCreate(HParmBlkPtr paramBlock, Boolean) {
  if (!paramBlock) return paramErr;
  HFileParam* pb = &paramBlock->fileParam;
  std::string path;
  OSErr err = HostPathOf(pb->ioDirID, pb->ioVRefNum, pb->ioNamePtr, &path);
  if (!err) err = CreateFileAt(path);
  return Finish(pb, err);
}

OSErr ZEBAPI PBDelete(ParmBlkPtr paramBlock, Boolean) {
  if (!paramBlock) return paramErr;
  FileParam* pb = &paramBlock->fileParam;
  pb->ioFRefNum = 0;
  return Finish(pb, DeletePath(0, pb->ioVRefNum, pb->ioNamePtr));
}

OSErr ZEBAPI PBHDelete(HParmBlkPtr paramBlock, Boolean) {
  if (!paramBlock) return paramErr;
  HFileParam* pb = &paramBlock->fileParam;
  pb->ioFRefNum = 0;
  return Finish(pb, DeletePath(pb->ioDirID, pb->ioVRefNum, pb->ioNamePtr));
}

OSErr ZEBAPI PBRename(ParmBlkPtr paramBlock, Boolean) {
  if (!paramBlock) return paramErr;
  IOParam* pb = &paramBlock->ioParam;
  return Finish(pb, RenamePath(0, pb->ioVRefNum, pb->ioNamePtr,
                               reinterpret_cast<const unsigned char*>(pb->ioMisc)));
}

OSErr ZEBAPI PBHRename(HParmBlkPtr paramBlock, Boolean) {
  if (!paramBlock) return paramErr;
  IOParam* pb = &paramBlock->ioParam;
  return Finish(pb, RenamePath(paramBlock->fileParam.ioDirID, pb->ioVRefNum, pb->ioNamePtr,
                               reinterpret_cast<const unsigned char*>(pb->ioMisc)));
}

OSErr ZEBAPI PBDirCreate(HParmBlkPtr paramBlock, Boolean) {
  if (!paramBlock) return paramErr;
  HFileParam* pb = &paramBlock->fileParam;
  long created = 0;
  const OSErr err = CreateDirectoryAt(pb->ioDirID, pb->ioVRefNum, pb->ioNamePtr, &created);
  if (!err) pb->ioDirID = created;
  return Finish(pb, err);
}

OSErr ZEBAPI Create(ConstStr255Param fileName, short vRefNum, OSType, OSType) {
  ParamBlockRec pb{};
  pb.fileParam.ioNamePtr = const_cast<StringPtr>(fileName);
  pb.fileParam.ioVRefNum = vRefNum;
  return PBCreate(&pb, false);
}

OSErr ZEBAPI HCreate(short vRefNum, long dirID, ConstStr255Param fileName, OSType, OSType) {
  HParamBlockRec pb{};
  pb.fileParam.ioNamePtr = const_cast<StringPtr>(fileName);
  pb.fileParam.ioVRefNum = vRefNum;
  pb.fileParam.ioDirID = dirID;
  return PBHCreate(&pb, false);
}

OSErr ZEBAPI FSDelete(ConstStr255Param fileName, short vRefNum) {
  ParamBlockRec pb{};
  pb.fileParam.ioNamePtr = const_cast<StringPtr>(fileName);
  pb.fileParam.ioVRefNum = vRefNum;
  return PBDelete(&pb, false);
}

OSErr ZEBAPI HDelete(short vRefNum, long dirID, ConstStr255Param fileName) {
  HParamBlockRec pb{};
  pb.fileParam.ioNamePtr = const_cast<StringPtr>(fileName);
  pb.fileParam.ioVRefNum = vRefNum;
  pb.fileParam.ioDirID = dirID;
  return PBHDelete(&pb, false);
}

OSErr ZEBAPI Rename(ConstStr255Param oldName, short vRefNum, ConstStr255Param newName) {
  ParamBlockRec pb{};
  pb.ioParam.ioNamePtr = const_cast<StringPtr>(oldName);
  pb.ioParam.ioVRefNum = vRefNum;
  pb.ioParam.ioMisc = reinterpret_cast<Ptr>(const_cast<unsigned char*>(newName));
  return PBRename(&pb, false);
}

OSErr ZEBAPI HRename(short vRefNum, long dirID, ConstStr255Param oldName,
                     ConstStr255Param newName) {
  HParamBlockRec pb{};
  pb.fileParam.ioDirID = dirID;
  pb.ioParam.ioNamePtr = const_cast<StringPtr>(oldName);
  pb.ioParam.ioVRefNum = vRefNum;
  pb.ioParam.ioMisc = reinterpret_cast<Ptr>(const_cast<unsigned char*>(newName));
  return PBHRename(&pb, false);
}

OSErr ZEBAPI DirCreate(short vRefNum, long parentDirID, ConstStr255Param directoryName,
                       long* createdDirID) {
  HParamBlockRec pb{};
  pb.fileParam.ioNamePtr = const_cast<StringPtr>(directoryName);
  pb.fileParam.ioVRefNum = vRefNum;
  pb.fileParam.ioDirID = parentDirID;
  const OSErr err = PBDirCreate(&pb, false);
  if (createdDirID) *createdDirID = err ? 0 : pb.fileParam.ioDirID;
  return err;
}

}  // extern "C"

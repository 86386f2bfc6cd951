// Catalog information: what a file or directory is (PBGetFInfo and its relatives,
// PBGetCatInfo), the enumeration of a directory by index, and setting a file's dates.
#include <cstring>

#include "events/events_internal.h"
#include "files/file_info.h"
#include "files/file_manager.h"
#include "frame/frame_internal.h"

namespace zeb::files {
namespace {

// ZEB_SystemValue index of the type given to files that nothing else types.
constexpr int kDefaultFileTypeIndex = 36;

// One catalog entry as the host describes it.
struct CatalogEntry {
  std::string name;  // last component
  bool directory = false;
  bool readOnly = false;
  bool volumeRoot = false;
  uint32_t length = 0;
  uint32_t modified = 0;  // Toolbox seconds
  OSType type = 0;
  int16_t openRefNum = 0;
};

uint32_t ToolboxSecondsOf(const FILETIME& hostTime) {
  FILETIME local;
  WORD dosDate = 0, dosTime = 0;
  if (!FileTimeToLocalFileTime(&hostTime, &local) || !FileTimeToDosDateTime(&local, &dosDate, &dosTime))
    return 0;
  return SecondsOfDosDateTime(dosDate, dosTime);
}

// false when the time has no DOS form (before 1980): the host time is then left alone.
bool HostTimeOf(uint32_t seconds, FILETIME* hostTime) {
  uint16_t dosDate, dosTime;
  FILETIME local;
  return DosDateTimeOfSeconds(seconds, &dosDate, &dosTime) &&
         DosDateTimeToFileTime(dosDate, dosTime, &local) &&
         LocalFileTimeToFileTime(&local, hostTime);
}

OSType TypeOfFile(const std::string& path, const std::string& name) {
  OSType type;
  if (TypeFromExtensionTable(frame::Session().fileTypeTable, name, &type)) return type;
  if (LastChosenFileType(path.c_str(), &type)) return type;
  return events::StoredSystemValue(kDefaultFileTypeIndex);
}

uint32_t Length32(DWORD high, DWORD low) { return high || low > INT32_MAX ? INT32_MAX : low; }

void Describe(const std::string& path, const std::string& name, DWORD attributes,
              const FILETIME& written, DWORD sizeHigh, DWORD sizeLow, CatalogEntry* entry) {
  entry->name = name;
  entry->directory = (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
  entry->readOnly = (attributes & FILE_ATTRIBUTE_READONLY) != 0;
  entry->length = entry->directory ? 0 : Length32(sizeHigh, sizeLow);
  entry->modified = ToolboxSecondsOf(written);
  entry->type = TypeOfFile(path, name);
  entry->openRefNum = entry->directory ? 0 : SlotHoldingPath(path);
}

OSErr DescribePath(const std::string& path, CatalogEntry* entry) {
  if (IsVolumeRoot(path)) {
    *entry = CatalogEntry{};
    entry->name = path;
    entry->directory = entry->volumeRoot = true;
    return noErr;
  }
  // Attributes of the path itself: no wildcard in a Toolbox name ever matches another file.
  WIN32_FILE_ATTRIBUTE_DATA data;
  QuietHostErrors quiet;
  if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) {
    const OSErr err = LastHostError();
    return Either(err == dirNFErr, fnfErr, err);
  }
  std::string name;
  SplitLastComponent(path, nullptr, &name);
  Describe(path, name, data.dwFileAttributes, data.ftLastWriteTime, data.nFileSizeHigh,
           data.nFileSizeLow, entry);
  return noErr;
}

// ---- Enumeration by index ----

// One host search stays open between calls: asking for the next index continues it; index 1,
// an index not above the last one served, another directory or another filter starts afresh.
struct Enumeration {
  HANDLE search = INVALID_HANDLE_VALUE;
  std::string directory;
  bool filesOnly = false;
  int served = 0;  // index of the entry served last
  bool pending = false;
  WIN32_FIND_DATAA next{};
};
Enumeration g_enumeration;

bool Counts(const WIN32_FIND_DATAA& found, bool filesOnly) {
  if (!std::strcmp(found.cFileName, ".") || !std::strcmp(found.cFileName, "..")) return false;
  return !filesOnly || !(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY);
}

OSErr Restart(const std::string& directory, bool filesOnly) {
  EndEnumeration();
  Enumeration& e = g_enumeration;
  QuietHostErrors quiet;
  e.search = FindFirstFileA((directory + "*.*").c_str(), &e.next);
  if (e.search == INVALID_HANDLE_VALUE) {
    const DWORD host = GetLastError();
    return Either(host == ERROR_FILE_NOT_FOUND || host == ERROR_NO_MORE_FILES, fnfErr,
                  ToolboxErrorOf(host));
  }
  e.directory = directory;
  e.filesOnly = filesOnly;
  e.pending = true;
  return noErr;
}

// The index-th entry (1-based) of the directory, "." and ".." never among them.
OSErr EnumerateEntry(const std::string& directory, int index, bool filesOnly,
                     WIN32_FIND_DATAA* found) {
  Enumeration& e = g_enumeration;
  if (e.search == INVALID_HANDLE_VALUE || index == 1 || index <= e.served ||
      e.filesOnly != filesOnly || !SameHostName(e.directory, directory)) {
    const OSErr err = Restart(directory, filesOnly);
    if (err) return err;
  }
  while (e.served < index) {
    if (!e.pending && !FindNextFileA(e.search, &e.next)) {
      EndEnumeration();
      return fnfErr;
    }
    e.pending = false;
    if (Counts(e.next, filesOnly)) ++e.served;
  }
  *found = e.next;
  return noErr;
}

OSErr EnumeratedEntry(const std::string& directory, int index, bool filesOnly,
                      CatalogEntry* entry) {
  WIN32_FIND_DATAA found;
  const OSErr err = EnumerateEntry(directory, index, filesOnly, &found);
  if (err) return err;
  Describe(directory + found.cFileName, found.cFileName, found.dwFileAttributes,
           found.ftLastWriteTime, found.nFileSizeHigh, found.nFileSizeLow, entry);
  return noErr;
}

// ---- Filling the parameter blocks ----

void StoreFinderInfo(FInfo* info, const CatalogEntry& entry) {
  *info = FInfo{};
  info->fdType = entry.type;
  info->fdCreator = kZEBUnknownCreator;
}

SignedByte AttributesOf(const CatalogEntry& entry) {
  int attributes = entry.directory ? kioFlAttribDirMask : 0;
  if (entry.readOnly) attributes |= kioFlAttribLockedMask;
  if (entry.openRefNum) attributes |= kioFlAttribFileOpenMask;
  return static_cast<SignedByte>(attributes);
}

// The fields that FileParam, HFileParam and HFileInfo share, from ioFRefNum to ioFlMdDat.
template <class PB>
void StoreFileFields(PB* pb, const CatalogEntry& entry) {
  pb->ioFRefNum = entry.openRefNum;
  pb->ioFVersNum = 0;
  pb->ioFlAttrib = AttributesOf(entry);
  StoreFinderInfo(&pb->ioFlFndrInfo, entry);
  pb->ioFlStBlk = 0;
  pb->ioFlLgLen = static_cast<long>(entry.length);
  pb->ioFlPyLen = static_cast<long>(entry.length);
  pb->ioFlRStBlk = 0;
  pb->ioFlRLgLen = 0;
  pb->ioFlRPyLen = 0;
  pb->ioFlCrDat = entry.modified;
  pb->ioFlMdDat = entry.modified;
}

// With session flag 0x10000 a directory reports its own ID and its parent's.
bool ReportsDirectoryIDs(const CatalogEntry& entry) {
  return entry.directory && !entry.volumeRoot && frame::SessionFlag(ZEB_SF_CATALOGINFO);
}

int32_t OwnID(const std::string& path) { return IdentifyDirectory(path).dirID; }

int32_t ParentID(const std::string& path) {
  std::string parent;
  SplitLastComponent(WithoutTrailingBackslash(path), &parent, nullptr);
  return IdentifyDirectory(parent).dirID;
}

// The directory from ioDirID and ioVRefNum; a dirID of 0 takes the directory of vRefNum and
// its ID is stored back.
OSErr ResolveDirectory(int16_t vRefNum, long* dirID, std::string* directory) {
  if (*dirID == 0) {
    const OSErr err = DirectoryOfRefNum(vRefNum, directory);
    if (err) return err;
    *dirID = IdentifyDirectory(*directory).dirID;
    return noErr;
  }
  return DirectoryPathOf(*dirID, vRefNum, directory);
}

// PBHGetFInfo and PBGetFInfo: by name, or the index-th file of the directory (its
// subdirectories are skipped). With a non-zero index the name is returned.
template <class PB>
OSErr FileInformation(PB* pb, long* dirID, std::string* path, CatalogEntry* entry) {
  std::string directory;
  OSErr err = ResolveDirectory(pb->ioVRefNum, dirID, &directory);
  if (err) return err;
  if (pb->ioFDirIndex > 0) {
    err = EnumeratedEntry(directory, pb->ioFDirIndex, true, entry);
    if (err) return err;
    *path = directory + entry->name;
  } else {
    err = HostPathOf(*dirID, pb->ioVRefNum, pb->ioNamePtr, path);
    if (err) return err;
    err = DescribePath(*path, entry);
    if (err) return err;
  }
  if (pb->ioNamePtr && pb->ioFDirIndex != 0) StorePascal(pb->ioNamePtr, entry->name);
  StoreFileFields(pb, *entry);
  return noErr;
}

template <class PB>
OSErr SetFileDates(PB* pb, long dirID) {
  std::string path;
  const OSErr err = HostPathOf(dirID, pb->ioVRefNum, pb->ioNamePtr, &path);
  if (err) return err;
  QuietHostErrors quiet;
  HANDLE h = CreateFileA(path.c_str(), FILE_WRITE_ATTRIBUTES,
                         FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                         OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (h == INVALID_HANDLE_VALUE) return fnfErr;
  FILETIME created, modified;
  const bool hasCreated = HostTimeOf(pb->ioFlCrDat, &created);
  const bool hasModified = HostTimeOf(pb->ioFlMdDat, &modified);
  const BOOL ok = SetFileTime(h, hasCreated ? &created : nullptr, nullptr,
                              hasModified ? &modified : nullptr);
  CloseHandle(h);
  return Either(ok, noErr, fLckdErr);
}

// A catalog call answers with the item's volume in ioVRefNum, whatever named the directory (0
// for the default directory, a working-directory number): with ioDirID, which the call also
// fills, the block then names the directory on its own.
template <class PB>
void StoreVolumeOf(PB* pb, const std::string& path) {
  const int16_t volume = VolumeOfPath(path);
  if (volume != kUnusableRefNum) pb->ioVRefNum = volume;
}

void StoreCatalogEntry(CInfoPBRec* pb, const CatalogEntry& entry, long parentID) {
  if (!entry.directory) {
    HFileInfo* file = &pb->hFileInfo;
    StoreFileFields(file, entry);
    file->ioFlBkDat = 0;
    file->ioFlXFndrInfo = FXInfo{};
    file->ioFlParID = parentID;
    file->ioFlClpSiz = 0;
    return;
  }
  DirInfo* dir = &pb->dirInfo;
  dir->ioFRefNum = 0;
  dir->ioFlAttrib = AttributesOf(entry);
  dir->ioDrUsrWds = DInfo{};
  dir->ioDrNmFls = 0;
  dir->ioDrCrDat = entry.modified;
  dir->ioDrMdDat = entry.modified;
  dir->ioDrBkDat = 0;
  dir->ioDrFndrInfo = DXInfo{};
  dir->ioDrParID = parentID;
}

}  // namespace

OSType TypeOfHostFile(const std::string& path, const std::string& name) {
  return TypeOfFile(path, name);
}

void EndEnumeration() {
  Enumeration& e = g_enumeration;
  if (e.search != INVALID_HANDLE_VALUE) FindClose(e.search);
  e = Enumeration{};
}

}  // namespace zeb::files

using namespace zeb;
using namespace zeb::files;

extern "C" {

OSErr ZEBAPI PBHGetFInfo(HParmBlkPtr paramBlock, Boolean) {
  if (!paramBlock) return paramErr;
  HFileParam* pb = &paramBlock->fileParam;
  long dirID = pb->ioDirID;
  std::string path;
  CatalogEntry entry;
  const OSErr err = FileInformation(pb, &dirID, &path, &entry);
  pb->ioDirID = dirID;
  if (!err) StoreVolumeOf(pb, path);
  if (!err && ReportsDirectoryIDs(entry)) pb->ioDirID = OwnID(path);
  return Finish(pb, err);
}

OSErr ZEBAPI PBGetFInfo(ParmBlkPtr paramBlock, Boolean) {
  if (!paramBlock) return paramErr;
  FileParam* pb = &paramBlock->fileParam;
  long dirID = 0;
  std::string path;
  CatalogEntry entry;
  const OSErr err = FileInformation(pb, &dirID, &path, &entry);
  if (!err) pb->ioFlNum = 0;
  return Finish(pb, err);
}

OSErr ZEBAPI PBHSetFInfo(HParmBlkPtr paramBlock, Boolean) {
  if (!paramBlock) return paramErr;
  return Finish(&paramBlock->fileParam, SetFileDates(&paramBlock->fileParam,
                                                     paramBlock->fileParam.ioDirID));
}

OSErr ZEBAPI PBSetFInfo(ParmBlkPtr paramBlock, Boolean) {
  if (!paramBlock) return paramErr;
  return Finish(&paramBlock->fileParam, SetFileDates(&paramBlock->fileParam, 0));
}

OSErr ZEBAPI PBGetCatInfo(CInfoPBPtr paramBlock, Boolean) {
  if (!paramBlock) return paramErr;
  HFileInfo* pb = &paramBlock->hFileInfo;
  long dirID = pb->ioDirID;
  std::string directory;
  OSErr err = ResolveDirectory(pb->ioVRefNum, &dirID, &directory);
  pb->ioDirID = dirID;
  if (err) return Finish(pb, err);

  CatalogEntry entry;
  std::string path;
  if (pb->ioFDirIndex > 0) {
    err = EnumeratedEntry(directory, pb->ioFDirIndex, false, &entry);
    path = directory + entry.name;
    // Enumeration tells directories from files and nothing more about an entry's state.
    entry.readOnly = false;
    entry.openRefNum = 0;
  } else {
    // A negative index describes the directory itself: its name is not an input.
    static const unsigned char kNoName[1] = {0};
    err = HostPathOf(dirID, pb->ioVRefNum, pb->ioFDirIndex < 0 ? kNoName : pb->ioNamePtr, &path);
    if (!err) err = DescribePath(path, &entry);
  }
  if (err) return Finish(pb, err);
  if (pb->ioNamePtr && pb->ioFDirIndex != 0) StorePascal(pb->ioNamePtr, entry.name);

  // An enumerated entry's parent is the directory enumerated; a named item's or the
  // directory's own is the directory that holds it (the root's parent is fsRtParID).
  long parentID = dirID;
  if (pb->ioFDirIndex <= 0) parentID = entry.volumeRoot ? fsRtParID : ParentID(path);
  if (ReportsDirectoryIDs(entry)) pb->ioDirID = OwnID(path);
  StoreVolumeOf(pb, path);
  StoreCatalogEntry(paramBlock, entry, parentID);
  return Finish(pb, noErr);
}

OSErr ZEBAPI GetFInfo(ConstStr255Param fileName, short vRefNum, FInfo* fndrInfo) {
  ParamBlockRec pb{};
  pb.fileParam.ioNamePtr = const_cast<StringPtr>(fileName);
  pb.fileParam.ioVRefNum = vRefNum;
  const OSErr err = PBGetFInfo(&pb, false);
  if (!err && fndrInfo) *fndrInfo = pb.fileParam.ioFlFndrInfo;
  return err;
}

OSErr ZEBAPI HGetFInfo(short vRefNum, long dirID, ConstStr255Param fileName, FInfo* fndrInfo) {
  HParamBlockRec pb{};
  pb.fileParam.ioNamePtr = const_cast<StringPtr>(fileName);
  pb.fileParam.ioVRefNum = vRefNum;
  pb.fileParam.ioDirID = dirID;
  const OSErr err = PBHGetFInfo(&pb, false);
  if (!err && fndrInfo) *fndrInfo = pb.fileParam.ioFlFndrInfo;
  return err;
}

}  // extern "C"

// Directory records, directory IDs and working-directory numbers, and the path builder that
// turns a Toolbox (directory, volume, name) triple into a host path.
#include <cstddef>
#include <cstring>

#include "MacMemory.h"
#include "files/file_manager.h"
#include "frame/address32.h"
#include "frame/toolbox_globals.h"

namespace zeb::files {
namespace {

// One record per distinct host directory seen in this run. Its address is the directory's ID,
// so it lives in a block of the application zone that never moves.
struct DirectoryRecord {
  DirectoryRecord* next;
  uint16_t wdNumber;   // 0x8000 | n, n counting from 1
  uint8_t pathLength;  // the path always fits: records are made only for paths of <= 255 bytes
  char path[1];        // ends in a backslash, drive letter upper-cased; pathLength + 1 bytes
};

// Working-directory numbers are 0x8000 | n. Past n = 0x6EED the next numbers would reach
// kUnusableRefNum and then the volume numbers -31 ... -1, so no more records are made.
constexpr uint16_t kWorkingDirectoryBit = 0x8000;
constexpr uint16_t kLastWorkingDirectoryCount = 0x6EED;

DirectoryRecord* g_directories = nullptr;  // most recently used first
uint16_t g_directoryCount = 0;

void MoveToFront(DirectoryRecord* record, DirectoryRecord* previous) {
  if (!previous) return;
  previous->next = record->next;
  record->next = g_directories;
  g_directories = record;
}

template <class Match>
DirectoryRecord* FindRecord(Match match) {
  DirectoryRecord* previous = nullptr;
  for (DirectoryRecord* r = g_directories; r; previous = r, r = r->next) {
    if (match(r)) {
      MoveToFront(r, previous);
      return r;
    }
  }
  return nullptr;
}

DirectoryRecord* RecordForPath(const std::string& path) {
  DirectoryRecord* found = FindRecord([&](const DirectoryRecord* r) {
    return r->pathLength == path.size() && SameHostName(std::string_view(r->path, r->pathLength), path);
  });
  if (found || path.size() > kMaxHostPath || g_directoryCount >= kLastWorkingDirectoryCount)
    return found;
  // The record is the application's to see (its address is a directory ID); MemError stays
  // what the application's own last Memory Manager call made it.
  const int16_t memErr = *frame::Globals().memErr;
  auto* record = reinterpret_cast<DirectoryRecord*>(
      NewPtr(static_cast<Size>(offsetof(DirectoryRecord, path) + path.size() + 1)));
  *frame::Globals().memErr = memErr;
  if (!record) return nullptr;
  record->next = g_directories;
  record->wdNumber = static_cast<uint16_t>(kWorkingDirectoryBit | ++g_directoryCount);
  record->pathLength = static_cast<uint8_t>(path.size());
  std::memcpy(record->path, path.c_str(), path.size() + 1);
  g_directories = record;
  return record;
}

DirectoryRecord* RecordForID(int32_t dirID) {
  return FindRecord([&](const DirectoryRecord* r) {
    return static_cast<int32_t>(AddressToLong(r)) == dirID;
  });
}

DirectoryRecord* RecordForWorkingDirectory(int16_t wdRefNum) {
  return FindRecord([&](const DirectoryRecord* r) {
    return r->wdNumber == static_cast<uint16_t>(wdRefNum);
  });
}

// A directory path in the form records keep: full, single backslashes, ending in one, the
// drive letter upper-cased. A bare drive letter is that drive's root.
bool NormaliseDirectory(std::string_view given, std::string* path) {
  std::string text(given);
  if (text.size() == 1) text += ':';
  if (text.size() == 2 && DriveIndexOf(text) >= 0) text += '\\';
  if (!IsFullHostPath(text)) {
    char full[MAX_PATH];
    const DWORD length = GetFullPathNameA(text.c_str(), sizeof full, full, nullptr);
    if (length == 0 || length >= sizeof full) return false;
    text = full;
  }
  text = WithTrailingBackslash(CollapseBackslashes(text));
  if (DriveIndexOf(text) >= 0 && text[0] >= 'a') text[0] = static_cast<char>(text[0] - 'a' + 'A');
  if (text.size() > kMaxHostPath || HasHostStreamColon(text)) return false;
  *path = text;
  return true;
}

}  // namespace

bool CurrentDirectory(std::string* path) {
  char current[MAX_PATH];
  const DWORD length = GetCurrentDirectoryA(sizeof current, current);
  if (length == 0 || length >= sizeof current) return false;
  std::string text = WithTrailingBackslash(current);
  if (text.size() > kMaxHostPath) return false;
  *path = text;
  return true;
}

DirectoryIdentity IdentifyDirectory(std::string_view given) {
  DirectoryIdentity id;
  std::string path;
  if (given.empty() || !NormaliseDirectory(given, &path)) return id;
  id.vRefNum = VolumeOfPath(path);
  if (id.vRefNum == kUnusableRefNum) return id;
  if (IsVolumeRoot(path)) {
    id.dirID = fsRtDirID;
    id.wdRefNum = 0;
    return id;
  }
  if (const DirectoryRecord* record = RecordForPath(path)) {
    id.dirID = static_cast<int32_t>(AddressToLong(record));
    id.wdRefNum = static_cast<int16_t>(record->wdNumber);
  }
  return id;
}

OSErr DirectoryOfRefNum(int16_t refNum, std::string* path) {
  if (refNum == 0) return Either(CurrentDirectory(path), noErr, nsvErr);
  if (IsVolumeNumber(refNum)) {
    *path = VolumeRootPath(refNum);
    return noErr;
  }
  if (static_cast<uint16_t>(refNum) & kWorkingDirectoryBit) {
    if (const DirectoryRecord* record = RecordForWorkingDirectory(refNum)) {
      path->assign(record->path, record->pathLength);
      return noErr;
    }
  }
  return nsvErr;
}

namespace {

// The root of the volume that a full pathname names before its first colon. Volumes are the
// host's drives: a drive letter names one.
OSErr RootOfVolumeName(const std::string& name, std::string* root) {
  if (name.size() != 1) return nsvErr;
  const std::string drive = name + ":\\";
  if (DriveIndexOf(drive) < 0) return nsvErr;
  const int16_t volume = VolumeOfPath(drive);
  if (volume == kUnusableRefNum) return nsvErr;
  *root = VolumeRootPath(volume);
  return noErr;
}

}  // namespace

OSErr DirectoryPathOf(int32_t dirID, int16_t vRefNum, std::string* path) {
  if (dirID == 0) return DirectoryOfRefNum(vRefNum, path);
  if (dirID == fsRtDirID) {
    std::string directory;
    const OSErr err = DirectoryOfRefNum(vRefNum, &directory);
    if (err) return err;
    *path = VolumeRootOf(directory);
    return Either(path->empty(), nsvErr, noErr);
  }
  const DirectoryRecord* record = RecordForID(dirID);
  if (!record) return fnfErr;
  path->assign(record->path, record->pathLength);
  return noErr;
}

OSErr HostPathOf(int32_t dirID, int16_t vRefNum, const unsigned char* name, std::string* path) {
  std::string text;
  if (!HostNameOf(name, &text)) return bdNamErr;
  using Start = ToolboxPathname::Start;
  const ToolboxPathname parsed = ParseToolboxPathname(text);
  std::string directory, result;
  OSErr err = noErr;
  switch (parsed.start) {
    case Start::kHostPath:
      result = CollapseBackslashes(parsed.base);
      break;
    case Start::kGivenDirectory:
      err = DirectoryPathOf(dirID, vRefNum, &directory);
      result = CollapseBackslashes(text.empty() ? WithoutTrailingBackslash(directory)
                                                : directory + text);
      break;
    case Start::kPartial:
      err = DirectoryPathOf(dirID, vRefNum, &directory);
      break;
    case Start::kHostDirectory:
      directory = CollapseBackslashes(parsed.base);
      break;
    case Start::kVolume:
      err = RootOfVolumeName(parsed.base, &directory);
      break;
  }
  if (err) return err;
  if (parsed.FollowsSteps() && !FollowSteps(directory, parsed.steps, &result)) return bdNamErr;
  if (result.size() > kMaxHostPath || HasHostStreamColon(result)) return bdNamErr;
  *path = result;
  return noErr;
}

void ForgetDirectories() {
  g_directories = nullptr;
  g_directoryCount = 0;
}

void StorePascal(StringPtr dst, std::string_view text) {
  if (!dst) return;
  const size_t length = text.size() < 255 ? text.size() : 255;
  std::memcpy(dst + 1, text.data(), length);
  dst[0] = static_cast<unsigned char>(length);
}

void InitStandardFileDirectory(int16_t* saveDisk, int32_t* curDirStore) {
  std::string current;
  if (!CurrentDirectory(&current)) return;
  const int16_t volume = VolumeOfPath(current);
  if (volume == kUnusableRefNum) return;
  *saveDisk = static_cast<int16_t>(-volume);
  *curDirStore = volume;
}

}  // namespace zeb::files

using namespace zeb;
using namespace zeb::files;

extern "C" {

OSErr ZEBAPI ZEB_HFSpec(long dirID, short vRefNum, ConstStr255Param name, char* path) {
  if (!path) return paramErr;
  std::string result;
  const OSErr err = HostPathOf(dirID, vRefNum, name, &result);
  if (err) {
    path[0] = '\0';
    return err;
  }
  std::memcpy(path, result.c_str(), result.size() + 1);
  return noErr;
}

OSErr ZEBAPI ZEB_FSpec(short vRefNum, ConstStr255Param name, char* path) {
  return ZEB_HFSpec(0, vRefNum, name, path);
}

long ZEBAPI ZEB_DirIDFromPath(const char* path, short* vRefNum, short* wdRefNum) {
  const DirectoryIdentity id = IdentifyDirectory(path ? path : "");
  if (vRefNum) *vRefNum = id.vRefNum;
  if (wdRefNum) *wdRefNum = id.Usable() ? id.wdRefNum : kUnusableRefNum;
  return id.dirID;
}

short ZEBAPI ZEB_CurDirvRefNum(const char* path) {
  std::string directory;
  if (path && *path) {
    directory = path;
  } else if (!CurrentDirectory(&directory)) {
    return kUnusableRefNum;
  }
  const DirectoryIdentity id = IdentifyDirectory(directory);
  if (!id.Usable()) return kUnusableRefNum;
  if (path && *path) {
    QuietHostErrors quiet;
    if (!SetCurrentDirectoryA(directory.c_str())) return kUnusableRefNum;
  }
  *frame::Globals().curDirRecord = id.wdRefNum ? RecordForID(id.dirID) : nullptr;
  return id.RefNum();
}

}  // extern "C"

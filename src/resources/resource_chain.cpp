// The chain of open resource files: opening, creating, closing, the current file, InitResources
// and the rewrite of a file's map and data.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <new>
#include <string>
#include <vector>

#include "MacMemory.h"
#include "ZEB.h"
#include "events/events_internal.h"
#include "files/files_internal.h"
#include "frame/frame_internal.h"
#include "frame/pascal_strings.h"
#include "frame/toolbox_globals.h"
#include "intl/intl_internal.h"
#include "quickdraw/quickdraw_internal.h"
#include "resources/resource_files.h"
#include "resources/resources_internal.h"

namespace zeb::resources {
namespace {

Chain g_chain;

// ZEB_SystemValue settings the chain reads.
constexpr int kSharedHostFile = 8;    // file-handle reference of the application's host file
constexpr int kSlot0BaseOffset = 10;  // where the library's resources start in it
constexpr int kSlot1BaseOffset = 11;  // where the application's resources start in it
constexpr int kReadOnlyFiles = 20;    // InitResources opens both files read-only

// The application's own strings that InitResources uses.
constexpr UINT kNoLibraryFileText = 1030;
constexpr UINT kNoApplicationFileFormat = 1033;
constexpr UINT kApplicationFileName = 2193;

// Every chunk of a compaction's copy is at most this large, as the Toolbox's work buffer was.
constexpr uint32_t kCopyChunk = 0x7000;

std::string HostName(ConstStr255Param name) {
  if (!name) return std::string();
  return std::string(reinterpret_cast<const char*>(name + 1), pstr::TextLength(name));
}

// The host path of a resource file named by the application (not a full path): formed by the
// naming rule and put in the current directory. A path too long for the File Manager's buffers
// gets "?" for its name, which no file has.
std::string ResourceFilePath(const std::string& name, bool creating) {
  if (resfmt::IsFullPath(name)) return name;
  const bool squeeze = frame::Version().win32s && frame::Version().Major() < 4;
  const std::string file = resfmt::ResourceFileName(name, creating, squeeze);
  char directory[MAX_PATH + 1] = "";
  const DWORD n = GetCurrentDirectoryA(sizeof directory, directory);
  std::string path(directory, n < sizeof directory ? n : 0);
  if (path.empty() || path.back() != '\\') path += '\\';
  if (path.size() + file.size() >= 255) return path + "?";
  return path + file;
}

int FreeSlot() {
  for (int i = g_chain.startupSlotsReserved ? kApplicationSlot + 1 : 0; i < kSlotCount; ++i)
    if (!g_chain.slots[i]) return i;
  return -1;
}

ResFile* FileWithPath(const char* path) {
  for (ResFile* f = g_chain.head; f; f = f->older)
    if (lstrcmpiA(f->path, path) == 0) return f;
  return nullptr;
}

// Reads and checks the header and map of an opened file. Preloading waits until the whole map
// has passed its checks, so that a failed check leaves no loaded handle behind.
OSErr ReadMap(ResFile* file) {
  int64_t length;
  if (file->sharedHost) {
    uint8_t fields[resfmt::kHeaderFieldBytes];
    if (!ReadAt(file, 0, fields, sizeof fields)) return ioErr;
    const resfmt::Header h = resfmt::DecodeHeader(fields);
    length = int64_t{h.mapOffset} + h.mapLength;
  } else {
    length = files::SlotFileLength(file->refNum);
  }
  if (length < static_cast<int64_t>(resfmt::kMinimumFileLength)) return mapReadErr;
  if (!ReadAt(file, 0, file->header, resfmt::kHeaderBytes)) return ioErr;
  file->fields = resfmt::DecodeHeader(file->header);
  if (!resfmt::HeaderIsValid(file->fields, static_cast<uint64_t>(length))) return mapReadErr;
  std::vector<uint8_t> map(file->fields.mapLength);
  if (!ReadAt(file, file->fields.mapOffset, map.data(), file->fields.mapLength)) return mapReadErr;
  if (!resfmt::ParseMap(map.data(), file->fields.mapLength, &file->map)) return mapReadErr;
  file->dataEnd = file->fields.mapOffset;
  file->mapOnDiskEnd = file->fields.mapOffset + file->fields.mapLength;
  const int64_t highWater = length - file->fields.mapLength;
  file->highWater = static_cast<uint32_t>(std::max<int64_t>(highWater, file->dataEnd));
  return noErr;
}

// Preloaded resources are loaded whatever the load flag says.
void Preload(ResFile* file) {
  for (resfmt::TypeEntry& type : file->map.types)
    for (resfmt::Reference& ref : type.references)
      if ((ref.attributes & resfmt::kAttrPreload) && MaterializeReference(file, type, ref) &&
          !*static_cast<Handle>(ref.handle))
        LoadReference(file, type, ref);
}

void Link(ResFile* file) {
  file->older = g_chain.head;
  file->newer = nullptr;
  if (g_chain.head) g_chain.head->newer = file;
  g_chain.head = file;
  g_chain.slots[file->slot] = file;
  ++g_chain.openCount;
}

void Unlink(ResFile* file) {
  if (file->newer) file->newer->older = file->older;
  if (file->older) file->older->newer = file->newer;
  if (g_chain.head == file) g_chain.head = file->older;
  g_chain.slots[file->slot] = nullptr;
  --g_chain.openCount;
}

// slot: the slot the file must take (InitResources' two), or -1 for the first free one.
int16_t OpenPath(const std::string& path, bool readOnly, int wantedSlot = -1) {
  if (path.size() > 255) {
    SetResult(bdNamErr);
    return kNoFile;
  }
  if (ResFile* open = FileWithPath(path.c_str())) {
    // Opened again: the same file, now current; writing wanted where it was read-only.
    if (open->ReadOnly() && !readOnly && !open->sharedHost) {
      OSErr err = noErr;
      files::CloseSlot(open->refNum);
      const int16_t again = files::OpenSlotAt(open->refNum, open->path, files::kOpenReadWrite, &err);
      if (again == open->refNum) {
        open->attributes &= static_cast<uint16_t>(~kFileReadOnly);
      } else {
        files::OpenSlotAt(open->refNum, open->path, files::kOpenRead, &err);
      }
    }
    g_chain.current = open;
    ClearCache();
    return open->refNum;
  }
  const int slot = wantedSlot >= 0 ? (g_chain.slots[wantedSlot] ? -1 : wantedSlot) : FreeSlot();
  if (slot < 0) {
    SetResult(tmfoErr);
    return kNoFile;
  }
  ResFile* file = new (std::nothrow) ResFile;
  if (!file) {
    SetResult(memFullErr);
    return kNoFile;
  }
  file->slot = slot;
  std::memcpy(file->path, path.c_str(), path.size() + 1);
  const int16_t shared = static_cast<int16_t>(events::StoredSystemValue(kSharedHostFile));
  if (shared != kNoFile && slot <= 1) {
    file->refNum = shared;
    file->sharedHost = true;
    file->base = events::StoredSystemValue(slot == 0 ? kSlot0BaseOffset : kSlot1BaseOffset);
    file->attributes = kFileReadOnly;
  } else {
    OSErr err = noErr;
    file->refNum = files::OpenSlot(path.c_str(),
                                   readOnly ? files::kOpenRead : files::kOpenReadWrite, &err);
    if (file->refNum < 0) {
      delete file;
      SetResult(err ? err : static_cast<OSErr>(fnfErr));
      return kNoFile;
    }
    file->attributes = readOnly ? kFileReadOnly : 0;
  }
  const OSErr err = ReadMap(file);
  if (err) {
    if (!file->sharedHost) files::CloseSlot(file->refNum);
    delete file;
    SetResult(err);
    return kNoFile;
  }
  Link(file);
  g_chain.current = file;
  ClearCache();
  Preload(file);
  SetResult(noErr);
  return file->refNum;
}

// A name beside path that no file has, for a rewrite's new file.
bool TemporaryPathBeside(const char* path, std::string* out) {
  for (int n = 0; n < 1000; ++n) {
    char suffix[16];
    std::snprintf(suffix, sizeof suffix, ".~%d", n);
    std::string candidate = std::string(path) + suffix;
    if (candidate.size() > 255) return false;
    if (GetFileAttributesA(candidate.c_str()) == INVALID_FILE_ATTRIBUTES) {
      const DWORD error = GetLastError();
      if (error == ERROR_PATH_NOT_FOUND) return false;  // no such directory: no name will do
      if (error == ERROR_FILE_NOT_FOUND) {
        *out = candidate;
        return true;
      }
    }
  }
  return false;
}

// noErr, or what stopped the write: a full disk is dskFulErr.
OSErr WriteAll(void* h, const void* data, uint32_t count) {
  uint32_t written = 0;
  if (!files::HostWrite(h, data, count, &written)) {
    const OSErr err = files::LastHostError();
    return err == dskFulErr ? err : static_cast<OSErr>(ioErr);
  }
  return written == count ? static_cast<OSErr>(noErr) : static_cast<OSErr>(dskFulErr);
}

// The empty file is written complete under a free name beside the target and then put in
// place: a crash leaves either no file (or the empty one that was there) or a whole empty
// resource file, never a short one that could be neither opened nor created again.
OSErr CreatePath(const std::string& path) {
  if (path.size() > 255) return bdNamErr;
  const DWORD attributes = GetFileAttributesA(path.c_str());
  bool replacing = false;
  if (attributes != INVALID_FILE_ATTRIBUTES) {
    if (attributes & FILE_ATTRIBUTE_DIRECTORY) return bdNamErr;
    HANDLE h = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                           nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return bdNamErr;
    LARGE_INTEGER size{};
    const BOOL sized = GetFileSizeEx(h, &size);
    CloseHandle(h);
    if (!sized) return ioErr;
    if (size.QuadPart != 0) return dupFNErr;  // never over a file that holds something
    replacing = true;
  }
  std::string temporary;
  if (!TemporaryPathBeside(path.c_str(), &temporary)) return bdNamErr;
  void* out = files::HostCreateNew(temporary.c_str(), false);
  if (!out) return bdNamErr;
  const std::vector<uint8_t> empty = resfmt::EmptyResourceFile();
  OSErr err = WriteAll(out, empty.data(), static_cast<uint32_t>(empty.size()));
  if (!err && !files::HostFlush(out)) err = files::LastHostError();
  CloseHandle(out);
  if (!err) {
    err = replacing ? files::ReplaceHostFile(temporary.c_str(), path.c_str())
                    : files::MoveHostFile(temporary.c_str(), path.c_str());
  }
  if (err) files::DeleteHostFile(temporary.c_str());
  return err;
}

// Releases every loaded resource of a file.
void ReleaseAll(ResFile* file) {
  for (resfmt::TypeEntry& type : file->map.types)
    for (resfmt::Reference& ref : type.references)
      if (ref.handle) ReleaseReference(type, ref);
}

// The new map's header fields, and the map itself, at the end of the data.
std::vector<uint8_t> MapFor(ResFile* file, uint32_t dataLength, resfmt::Header* header) {
  const resfmt::Layout layout = resfmt::ComputeLayout(file->map);
  header->dataOffset = resfmt::kHeaderBytes;
  header->mapOffset = resfmt::kHeaderBytes + dataLength;
  header->dataLength = dataLength;
  header->mapLength = layout.mapLength;
  return resfmt::SerializeMap(file->map, *header);
}

void ForgetRemoved(ResFile* file) {
  for (resfmt::TypeEntry& type : file->map.types) {
    auto& refs = type.references;
    refs.erase(std::remove_if(refs.begin(), refs.end(),
                              [](const resfmt::Reference& r) { return r.Removed(); }),
               refs.end());
    for (resfmt::Reference& r : refs) r.shrunk = false;
  }
  auto& types = file->map.types;
  types.erase(std::remove_if(types.begin(), types.end(),
                             [](const resfmt::TypeEntry& t) { return t.references.empty(); }),
              types.end());
  MapChanged(file);
}

// Compaction (and every rewrite that makes the file shorter): a complete new file is written
// under a name that no file has, flushed, and then put in the original's place by one rename
// that replaces it. The rename is the commit point: it switches the directory entry from the
// old file to the new one in a single step (see files::HostReplace), so a crash before it
// leaves the original untouched and a crash after it leaves the whole new file; the original
// is never written over. The rewrite keeps the file's slot and reference number.
OSErr CompactInto(ResFile* file) {
  std::string temporary;
  if (!TemporaryPathBeside(file->path, &temporary)) return bdNamErr;
  void* out = files::HostCreateNew(temporary.c_str(), false);
  if (!out) return files::LastHostError();

  // Surviving references by their old data offset, copied to consecutive places from 256.
  std::vector<resfmt::Reference*> order;
  for (resfmt::TypeEntry& type : file->map.types)
    for (resfmt::Reference& ref : type.references)
      if (!ref.Removed()) order.push_back(&ref);
  std::stable_sort(order.begin(), order.end(),
                   [](const resfmt::Reference* a, const resfmt::Reference* b) {
                     return a->dataOffset < b->dataOffset;
                   });
  OSErr err = noErr;
  std::vector<uint8_t> chunk(kCopyChunk);
  std::vector<uint32_t> newOffsets(order.size());
  uint64_t position = resfmt::kHeaderBytes;
  for (size_t i = 0; i < order.size() && !err; ++i) {
    const int64_t length = StoredLength(file, *order[i]);
    if (length < 0) {
      err = mapReadErr;
      break;
    }
    if (position - resfmt::kHeaderBytes > resfmt::kMaxDataOffset) {
      err = dskFulErr;
      break;
    }
    newOffsets[i] = static_cast<uint32_t>(position - resfmt::kHeaderBytes);
    position += 4 + static_cast<uint64_t>(length);
  }
  if (!err && position > 0x7FFFFFFFull) err = dskFulErr;
  // The header goes first, complete with the new offsets: the new file is only ever looked at
  // once it is whole.
  std::vector<uint32_t> oldOffsets(order.size());
  for (size_t i = 0; i < order.size(); ++i) oldOffsets[i] = order[i]->dataOffset;
  resfmt::Header fields;
  std::vector<uint8_t> map;
  uint8_t header[resfmt::kHeaderBytes];
  std::memcpy(header, file->header, sizeof header);
  if (!err) {
    for (size_t i = 0; i < order.size(); ++i) order[i]->dataOffset = newOffsets[i];
    const uint32_t dataLength = static_cast<uint32_t>(position - resfmt::kHeaderBytes);
    map = MapFor(file, dataLength, &fields);
    for (size_t i = 0; i < order.size(); ++i) order[i]->dataOffset = oldOffsets[i];
    resfmt::EncodeHeader(fields, header);
    err = WriteAll(out, header, sizeof header);
  }
  for (size_t i = 0; i < order.size() && !err; ++i) {
    const int64_t length = StoredLength(file, *order[i]);
    uint64_t from = resfmt::kHeaderBytes + uint64_t{oldOffsets[i]};
    uint64_t left = 4 + static_cast<uint64_t>(length < 0 ? 0 : length);
    while (left && !err) {
      const uint32_t n = static_cast<uint32_t>(std::min<uint64_t>(left, kCopyChunk));
      if (!ReadAt(file, from, chunk.data(), n)) err = ioErr;
      else err = WriteAll(out, chunk.data(), n);
      from += n;
      left -= n;
    }
  }
  if (!err) err = WriteAll(out, map.data(), static_cast<uint32_t>(map.size()));
  // Durable before it takes the original's name.
  if (!err && !files::HostFlush(out)) err = ioErr;
  CloseHandle(out);
  if (err) {
    files::DeleteHostFile(temporary.c_str());
    return err;
  }

  const int mode = file->ReadOnly() ? files::kOpenRead : files::kOpenReadWrite;
  files::CloseSlot(file->refNum);
  files::ReserveSlot(file->refNum);
  // The commit point.
  const OSErr moveErr = files::ReplaceHostFile(temporary.c_str(), file->path);
  if (moveErr) files::DeleteHostFile(temporary.c_str());
  OSErr openErr = noErr;
  const int16_t again = files::OpenSlotAt(file->refNum, file->path, mode, &openErr);
  if (moveErr) return moveErr;
  for (size_t i = 0; i < order.size(); ++i) order[i]->dataOffset = newOffsets[i];
  file->fields = fields;
  std::memcpy(file->header, header, sizeof header);
  if (again != file->refNum) return openErr ? openErr : static_cast<OSErr>(ioErr);
  ForgetRemoved(file);
  file->dataEnd = file->fields.mapOffset;
  file->highWater = file->dataEnd;
  file->mapOnDiskEnd = file->fields.mapOffset + file->fields.mapLength;
  file->deadSpace = false;
  return noErr;
}

// A rewrite in the same file. The new map goes behind everything the map on disk names (behind
// the old map itself, or behind data appended since), where nothing live lies, so that until
// the switch the file on disk is the old one, whole. The switch is the write of the header's
// four offsets: sixteen bytes at the start of the file's first sector, which a disk writes
// whole or not at all, so a crash leaves the header naming either the old map or the new one,
// each complete. The new map is flushed before that write and the header after it; only then
// is anything behind the new map cut away. The old map stays behind as unused space in the
// data area until the file is compacted.
OSErr WriteMapBehind(ResFile* file) {
  const uint32_t at = std::max(file->dataEnd, file->mapOnDiskEnd);
  resfmt::Header fields;
  const std::vector<uint8_t> map = MapFor(file, at - resfmt::kHeaderBytes, &fields);
  const uint64_t end = uint64_t{at} + map.size();
  if (end > 0x7FFFFFFF) return dskFulErr;
  uint8_t copy[resfmt::kHeaderFieldBytes];
  resfmt::EncodeHeader(fields, copy);
  OSErr err = WriteAt(file, at, map.data(), static_cast<uint32_t>(map.size()));
  if (!err) err = files::FlushSlot(file->refNum);
  // The commit point.
  if (!err) err = WriteAt(file, 0, copy, sizeof copy);
  if (err) return err;
  files::FlushSlot(file->refNum);
  const bool passedOver = at > file->dataEnd;
  std::memcpy(file->header, copy, sizeof copy);
  file->fields = fields;
  file->dataEnd = at;
  file->highWater = at;
  file->mapOnDiskEnd = static_cast<uint32_t>(end);
  if (passedOver) file->deadSpace = true;
  // Whatever lay behind the new map (a map or data a failed rewrite left) is no longer named.
  if (files::SlotFileLength(file->refNum) > static_cast<int32_t>(end)) {
    files::SetSlotFileLength(file->refNum, static_cast<int32_t>(end));
    files::FlushSlot(file->refNum);
  }
  return noErr;
}

void CloseFile(ResFile* file) {
  ResFile* previous = g_chain.current;
  g_chain.current = file;
  RewriteFile(file, true);
  const OSErr rewriteErr = Result();
  ReleaseAll(file);
  if (!file->sharedHost) files::CloseSlot(file->refNum);
  ResFile* fallback = file->older ? file->older : file->newer;
  Unlink(file);
  delete file;
  g_chain.current = previous == file ? (g_chain.head ? fallback : nullptr) : previous;
  if (g_chain.current == nullptr && g_chain.head) g_chain.current = g_chain.head;
  ClearCache();
  SetResult(rewriteErr);
}

std::string TextOfAppString(UINT id) {
  char text[256] = "";
  const int n = LoadStringA(frame::AppInstance(), id, text, sizeof text);
  return n > 0 ? std::string(text, static_cast<size_t>(n)) : std::string();
}

void ReportThroughDebugStr(const std::string& text) {
  unsigned char message[256];
  pstr::FromC(text.c_str(), message);
  DebugStr(message);
}

std::string RsrPathDirectory() {
  char directory[256] = "";
  const DWORD n = GetEnvironmentVariableA("RSRPATH", directory, sizeof directory);
  if (n == 0 || n >= sizeof directory) return std::string();
  std::string dir(directory, n);
  if (dir.back() != '\\') dir += '\\';
  return dir;
}

std::string FileNamePart(const std::string& path) {
  const size_t cut = path.find_last_of("\\:");
  return cut == std::string::npos ? path : path.substr(cut + 1);
}

// The RSRPATH directory first, then beside the application.
int16_t OpenBesideApplication(const std::string& name, bool readOnly, int slot) {
  const std::string dir = RsrPathDirectory();
  if (!dir.empty()) {
    const int16_t ref = OpenPath(dir + FileNamePart(name), readOnly, slot);
    if (ref != kNoFile) return ref;
  }
  char path[256];
  frame::AppPathName(path, name.c_str());
  return OpenPath(path, readOnly, slot);
}

}  // namespace

Chain& TheChain() { return g_chain; }

void ClearCache() {
  g_chain.cacheType = 0;
  g_chain.cacheId = 0;
  g_chain.cacheHandle = nullptr;
}

void SetResult(OSErr err) { *frame::Globals().resErr = err; }
OSErr Result() { return *frame::Globals().resErr; }
bool LoadFlag() { return *frame::Globals().resLoad != 0; }

ResFile* FileOfRefNum(int16_t refNum) {
  for (ResFile* f = g_chain.head; f; f = f->older)
    if (f->refNum == refNum) return f;
  return nullptr;
}

bool ReadAt(ResFile* file, uint64_t offset, void* buffer, uint32_t count) {
  const uint64_t at = offset + file->base;
  if (at > 0x7FFFFFFF || count > 0x7FFFFFFF) return false;
  if (files::SeekSlot(file->refNum, static_cast<int32_t>(at), 0) != static_cast<int32_t>(at))
    return false;
  return count == 0 ||
         files::ReadSlot(file->refNum, buffer, static_cast<int32_t>(count)) ==
             static_cast<int32_t>(count);
}

OSErr WriteAt(ResFile* file, uint64_t offset, const void* buffer, uint32_t count) {
  const uint64_t at = offset + file->base;
  if (at > 0x7FFFFFFF || count > 0x7FFFFFFF) return dskFulErr;
  if (files::SeekSlot(file->refNum, static_cast<int32_t>(at), 0) != static_cast<int32_t>(at))
    return ioErr;
  if (count == 0) return noErr;
  OSErr err = noErr;
  const int32_t put =
      files::WriteSlot(file->refNum, buffer, static_cast<int32_t>(count), &err);
  if (put == static_cast<int32_t>(count)) return noErr;
  // The host says why it stopped, whether or not some bytes reached the file first: a full
  // disk, a protected volume or a denied access is passed on, anything else is an I/O error.
  return err == dskFulErr || err == wPrErr || err == permErr ? err : static_cast<OSErr>(ioErr);
}

int RewriteFile(ResFile* file, bool closing) {
  SetResult(noErr);
  if (!file->changed && !(file->attributes & kFileCompact) &&
      (!closing || (file->dataEnd >= file->highWater && !file->deadSpace)))
    return 0;
  // Changes to a protected file stay in memory; the file on disk is left exactly as it is.
  if (file->WriteProtected()) {
    SetResult(mapReadErr);
    return 0;
  }
  OSErr err = noErr;
  // A close leaves a tight file: a map that could only go behind the old one (the old one
  // is live until the switch) is written into a new file instead.
  bool compact = (closing && (file->dataEnd < file->highWater || file->deadSpace ||
                              file->dataEnd < file->mapOnDiskEnd)) ||
                 (file->attributes & kFileCompact);
  for (resfmt::TypeEntry& type : file->map.types) {
    for (resfmt::Reference& ref : type.references) {
      if (ref.Removed()) {
        compact = true;
        continue;
      }
      // A new resource is written even when its changed bit was cleared since it was added.
      if (ref.handle && ((ref.attributes & resfmt::kAttrChanged) || !ref.hasData)) {
        const OSErr writeErr = WriteReferenceData(file, type, ref);
        if (writeErr && !err) err = writeErr;
      } else if (!ref.hasData) {
        // No data anywhere: a map naming it could not be read back.
        ref.removed = true;
        MapChanged(file);
        compact = true;
      }
      if (ref.shrunk) compact = true;
    }
  }
  if (err) {
    SetResult(err);
    return 0;
  }
  if (!resfmt::ComputeLayout(file->map).fits) {
    SetResult(addResFailed);
    return 0;
  }
  err = compact ? CompactInto(file) : WriteMapBehind(file);
  if (err) {
    SetResult(err);
    return 0;
  }
  file->changed = false;
  return 1;
}

}  // namespace zeb::resources

using namespace zeb;
using namespace zeb::resources;

extern "C" {

short ZEBAPI InitResources(void) {
  SetResult(noErr);
  *frame::Globals().resLoad = 1;
  // Files a previous InitResources opened are closed, not forgotten with their host files.
  while (g_chain.head) CloseFile(g_chain.head);
  g_chain = Chain{};
  quickdraw::SetUpStandardCursors();
  const bool readOnly = events::StoredSystemValue(kReadOnlyFiles) != 0;

  // Slot 0 is the library's file and slot 1 the application's even when one of them is
  // missing, so that UseResFile(0) never selects the application's file and the shared host
  // file's base offsets go to the right file.
  g_chain.startupSlotsReserved = true;

  const frame::SessionState& s = frame::Session();
  const char* libraryName = s.record.resourceFileName ? s.record.resourceFileName : "ZEBPORT.RSR";
  int16_t library = kNoFile;
  if (libraryName[0]) {
    library = OpenBesideApplication(libraryName, readOnly, kLibrarySlot);
    if (library == kNoFile) ReportThroughDebugStr(TextOfAppString(kNoLibraryFileText));
  }
  std::string appName = TextOfAppString(kApplicationFileName);
  char appPath[256];
  if (appName.empty()) {
    frame::AppPathName(appPath, nullptr);
    std::string module = appPath;
    const size_t dot = module.find_last_of('.');
    const size_t slash = module.find_last_of('\\');
    if (dot != std::string::npos && (slash == std::string::npos || dot > slash)) module.resize(dot);
    appName = module + ".RSR";
  }
  const int16_t application = OpenBesideApplication(appName, readOnly, kApplicationSlot);
  if (application == kNoFile) {
    const std::string format = TextOfAppString(kNoApplicationFileFormat);
    char message[512];
    frame::AppPathName(appPath, appName.c_str());
    std::snprintf(message, sizeof message, format.empty() ? "%s" : format.c_str(), appPath);
    ReportThroughDebugStr(message);
  }
  intl::SetUpInternationalResources();
  SetResult(noErr);
  // Without the application's file the start-up failed: 0. Otherwise the library's file, or the
  // application's when the library's could not be opened.
  if (application == kNoFile) return 0;
  return library != kNoFile ? library : application;
}

short ZEBAPI OpenResFile(ConstStr255Param fileName) {
  SetResult(noErr);
  return OpenPath(ResourceFilePath(HostName(fileName), false), false);
}

short ZEBAPI OpenRFPerm(ConstStr255Param fileName, short vRefNum, SignedByte permission) {
  SetResult(noErr);
  const bool readOnly = permission == fsRdPerm;
  if (vRefNum == 0) return OpenPath(ResourceFilePath(HostName(fileName), false), readOnly);
  char path[256] = "";
  const OSErr err = ZEB_FSpec(vRefNum, fileName, path);
  if (err) {
    SetResult(err);
    return kNoFile;
  }
  return OpenPath(path, readOnly);
}

short ZEBAPI HOpenResFile(short vRefNum, long dirID, ConstStr255Param fileName,
                          SignedByte permission) {
  SetResult(noErr);
  char path[256] = "";
  const OSErr err = ZEB_HFSpec(dirID, vRefNum, fileName, path);
  if (err) {
    SetResult(err);
    return kNoFile;
  }
  return OpenPath(path, permission == fsRdPerm);
}

void ZEBAPI CreateResFile(ConstStr255Param fileName) {
  SetResult(CreatePath(ResourceFilePath(HostName(fileName), true)));
}

void ZEBAPI HCreateResFile(short vRefNum, long dirID, ConstStr255Param fileName) {
  char path[256] = "";
  const OSErr err = ZEB_HFSpec(dirID, vRefNum, fileName, path);
  SetResult(err ? err : CreatePath(path));
}

void ZEBAPI CloseResFile(short refNum) {
  SetResult(noErr);
  ResFile* file = FileOfRefNum(refNum);
  if (!file) {
    SetResult(resFNotFound);
    return;
  }
  CloseFile(file);
}

short ZEBAPI UpdateResFile(short refNum) {
  SetResult(noErr);
  ResFile* file = FileOfRefNum(refNum);
  if (!file) {
    SetResult(resFNotFound);
    return 0;
  }
  return static_cast<short>(RewriteFile(file, false));
}

void ZEBAPI UseResFile(short refNum) {
  SetResult(noErr);
  ClearCache();
  ResFile* file = refNum == 0 ? g_chain.slots[0] : FileOfRefNum(refNum);
  if (!file) {
    SetResult(resFNotFound);
    return;
  }
  g_chain.current = file;
}

short ZEBAPI CurResFile(void) {
  SetResult(noErr);
  return g_chain.current ? g_chain.current->refNum : 0;
}

short ZEBAPI GetResFileAttrs(short) {
  SetResult(noErr);
  ResFile* file = g_chain.current;
  if (!file) return 0;
  uint16_t attrs = 0;
  if (file->ReadOnly()) attrs |= kFileReadOnly;
  if (file->changed) attrs |= kFileChanged;
  if (file->changed && (file->attributes & kFileCompact)) attrs |= kFileCompact;
  file->attributes = attrs;
  // What the map's own attribute word says comes with what the library keeps.
  return static_cast<short>(attrs | file->map.FileAttributes());
}

void ZEBAPI SetResFileAttrs(short, short attrs) {
  SetResult(noErr);
  if (g_chain.current) {
    // Read-only is the host file's open mode, which the application cannot change here.
    const uint16_t keep = g_chain.current->attributes & kFileReadOnly;
    g_chain.current->attributes =
        static_cast<uint16_t>((static_cast<uint16_t>(attrs) & ~kFileReadOnly) | keep);
  }
}

void ZEBAPI SetResLoad(Boolean load) { *frame::Globals().resLoad = load ? 1 : 0; }

short ZEBAPI ResError(void) { return Result(); }

ZEB_SwapResourceProcPtr ZEBAPI ZEB_SetSwapResourceProc(short refNum, ZEB_SwapResourceProcPtr proc) {
  SetResult(noErr);
  if (refNum == 0) {
    if (g_chain.slots[0]) g_chain.current = g_chain.slots[0];
    ClearCache();
    return nullptr;
  }
  ResFile* file = FileOfRefNum(refNum);
  if (!file) return nullptr;
  g_chain.current = file;
  ClearCache();
  ZEB_SwapResourceProcPtr previous = file->swapProc;
  file->swapProc = proc;
  return previous;
}

}  // extern "C"

namespace zeb::resources {

void CloseAllResourceFiles() {
  while (g_chain.head) {
    ResFile* file = g_chain.head;
    if (file->refNum > 0 || file->sharedHost) {
      CloseFile(file);
    } else {
      ReleaseAll(file);
      Unlink(file);
      delete file;
    }
  }
  g_chain = Chain{};
  quickdraw::ReleaseCursors();
}

OSErr CurrentResError() { return Result(); }
void RestoreResError(OSErr err) { SetResult(err); }

int16_t ApplicationResourceFile() {
  const ResFile* file = g_chain.slots[kApplicationSlot];
  return file ? file->refNum : 0;
}

}  // namespace zeb::resources

// The file-handle layer: 64 slots mapping file reference numbers to host files.
#include <cstring>

#include "files/file_manager.h"

namespace zeb::files {
namespace {

constexpr int kSlotCount = 64;

enum class SlotState : uint8_t {
  Free,
  Reserved,  // kept for a re-open with the same number
  Open,
  Parked,    // host handle closed for a while (ZEB_FHReOpen 0), position remembered
  Dead       // re-opening failed: the number stays taken, every call on it fails, until closed
};

struct FileHandleSlot {
  SlotState state = SlotState::Free;
  char path[kMaxHostPath + 1] = "";
  DWORD access = 0;
  DWORD share = 0;
  DWORD creation = 0;
  HANDLE handle = INVALID_HANDLE_VALUE;
  int64_t savedPosition = -1;
};

FileHandleSlot g_slots[kSlotCount];

bool InRange(int16_t refNum) { return refNum >= kFirstSlot && refNum <= kLastSlot; }

// Access from the mode's low two bits, as the DOS open modes give it: 0 read, 1 write, 2 both.
DWORD AccessOfMode(int mode) {
  switch (mode & 3) {
    case 0: return GENERIC_READ;
    case 1: return GENERIC_WRITE;
    default: return GENERIC_READ | GENERIC_WRITE;
  }
}

// Others may read unless the mode denies reading (0x30), and write unless it denies writing
// (0x20, which 0x30 includes).
DWORD ShareOfMode(int mode) {
  DWORD share = 0;
  if ((mode & 0x30) != 0x30) share |= FILE_SHARE_READ;
  if (!(mode & 0x20)) share |= FILE_SHARE_WRITE;
  return share;
}

HANDLE OpenHost(const FileHandleSlot& s) {
  QuietHostErrors quiet;
  return CreateFileA(s.path, s.access, s.share, nullptr, s.creation, FILE_ATTRIBUTE_NORMAL,
                     nullptr);
}

void FreeSlot(FileHandleSlot& s) { s = FileHandleSlot{}; }

int16_t OpenInto(int16_t refNum, const char* path, int mode, OSErr* err) {
  FileHandleSlot& s = g_slots[refNum];
  s = FileHandleSlot{};
  std::memcpy(s.path, path, std::strlen(path) + 1);
  s.access = AccessOfMode(mode);
  s.share = ShareOfMode(mode);
  s.creation = OPEN_EXISTING;
  s.handle = OpenHost(s);
  if (s.handle == INVALID_HANDLE_VALUE) {
    *err = LastHostError();
    FreeSlot(s);
    return -1;
  }
  s.state = SlotState::Open;
  *err = noErr;
  return refNum;
}

// A path the layer hands to the host: it fits a slot, and no colon makes it a stream of
// another file.
bool PathFits(const char* path) {
  return path && *path && std::strlen(path) <= kMaxHostPath && !HasHostStreamColon(path);
}

int16_t FreeSlotNumber() {
  for (int16_t i = kFirstSlot; i <= kLastSlot; ++i)
    if (g_slots[i].state == SlotState::Free) return i;
  return -1;
}

bool ReOpenParked(FileHandleSlot& s, OSErr* err) {
  s.handle = OpenHost(s);
  if (s.handle == INVALID_HANDLE_VALUE) {
    *err = LastHostError();
    s.state = SlotState::Dead;
    return false;
  }
  LARGE_INTEGER to;
  to.QuadPart = s.savedPosition < 0 ? 0 : s.savedPosition;
  SetFilePointerEx(s.handle, to, nullptr, FILE_BEGIN);
  s.savedPosition = -1;
  s.state = SlotState::Open;
  *err = noErr;
  return true;
}

OSErr Park(FileHandleSlot& s) {
  int64_t position = 0;
  SlotPosition(s.handle, &position);
  s.savedPosition = position;
  CloseHandle(s.handle);
  s.handle = INVALID_HANDLE_VALUE;
  s.state = SlotState::Parked;
  return noErr;
}

int32_t Clamp32(int64_t value) {
  return value > INT32_MAX ? INT32_MAX : static_cast<int32_t>(value);
}

}  // namespace

HANDLE SlotHandle(int16_t refNum, OSErr* err) {
  if (!InRange(refNum)) {
    *err = rfNumErr;
    return nullptr;
  }
  FileHandleSlot& s = g_slots[refNum];
  switch (s.state) {
    case SlotState::Open:
      *err = noErr;
      return s.handle;
    case SlotState::Parked:
      return ReOpenParked(s, err) ? s.handle : nullptr;
    case SlotState::Dead:
      *err = ioErr;
      return nullptr;
    case SlotState::Free:
    case SlotState::Reserved:
      break;
  }
  *err = fnOpnErr;
  return nullptr;
}

bool SlotHasWriteAccess(int16_t refNum) {
  return InRange(refNum) && (g_slots[refNum].access & GENERIC_WRITE) &&
         g_slots[refNum].state != SlotState::Free && g_slots[refNum].state != SlotState::Reserved;
}

int16_t SlotHoldingPath(std::string_view path) {
  for (int16_t i = kFirstSlot; i <= kLastSlot; ++i) {
    const FileHandleSlot& s = g_slots[i];
    if ((s.state == SlotState::Open || s.state == SlotState::Parked) && SameHostName(s.path, path))
      return i;
  }
  return 0;
}

bool SlotPath(int16_t refNum, std::string* path) {
  if (!InRange(refNum) || g_slots[refNum].state == SlotState::Free ||
      g_slots[refNum].state == SlotState::Reserved)
    return false;
  *path = g_slots[refNum].path;
  return true;
}

bool SlotPosition(HANDLE h, int64_t* position) {
  LARGE_INTEGER zero{}, now{};
  if (!SetFilePointerEx(h, zero, &now, FILE_CURRENT)) return false;
  *position = now.QuadPart;
  return true;
}

bool SlotLength(HANDLE h, int64_t* length) {
  LARGE_INTEGER size{};
  if (!GetFileSizeEx(h, &size)) return false;
  *length = size.QuadPart;
  return true;
}

// ---- Start-up and exit ----

void ClearFileHandleTable() {
  for (FileHandleSlot& s : g_slots) FreeSlot(s);
  EndEnumeration();
  ForgetDirectories();
  ForgetVolumes();
}

void CloseOpenFileHandles() {
  for (int16_t i = kFirstSlot; i <= kLastSlot; ++i) {
    FileHandleSlot& s = g_slots[i];
    if (s.state == SlotState::Open) CloseHandle(s.handle);
    FreeSlot(s);
  }
  EndEnumeration();
  // The directory records' storage goes with the session's heaps.
  ForgetDirectories();
}

// ---- The layer for other managers ----

int16_t OpenSlot(const char* path, int mode, OSErr* err) {
  OSErr ignored;
  if (!err) err = &ignored;
  if (!PathFits(path)) {
    *err = bdNamErr;
    return -1;
  }
  const int16_t refNum = FreeSlotNumber();
  if (refNum < 0) {
    *err = tmfoErr;
    return -1;
  }
  return OpenInto(refNum, path, mode, err);
}

int16_t OpenSlotAt(int16_t refNum, const char* path, int mode, OSErr* err) {
  OSErr ignored;
  if (!err) err = &ignored;
  if (!InRange(refNum)) {
    *err = rfNumErr;
    return -1;
  }
  if (g_slots[refNum].state != SlotState::Free && g_slots[refNum].state != SlotState::Reserved) {
    *err = tmfoErr;
    return -1;
  }
  if (!PathFits(path)) {
    *err = bdNamErr;
    return -1;
  }
  return OpenInto(refNum, path, mode, err);
}

bool ReserveSlot(int16_t refNum) {
  if (!InRange(refNum) || g_slots[refNum].state != SlotState::Free) return false;
  g_slots[refNum].state = SlotState::Reserved;
  return true;
}

int32_t ReadSlot(int16_t refNum, void* buffer, int32_t count) {
  OSErr err;
  HANDLE h = SlotHandle(refNum, &err);
  if (!h || count < 0 || (count && !buffer)) return -1;
  DWORD got = 0;
  if (!ReadFile(h, buffer, static_cast<DWORD>(count), &got, nullptr)) return -1;
  return static_cast<int32_t>(got);
}

int32_t WriteSlot(int16_t refNum, const void* buffer, int32_t count, OSErr* stopped) {
  OSErr err;
  HANDLE h = SlotHandle(refNum, &err);
  if (stopped) *stopped = err;
  if (!h) return -1;
  if (count < 0 || (count && !buffer)) {
    if (stopped) *stopped = paramErr;
    return -1;
  }
  uint32_t put = 0;
  const bool written = HostWrite(h, buffer, static_cast<uint32_t>(count), &put);
  const OSErr why = written ? Either(put < static_cast<uint32_t>(count), dskFulErr, noErr)
                            : LastHostError();
  if (stopped) *stopped = why;
  if (!written && put == 0) return -1;
  return static_cast<int32_t>(put);
}

int32_t SeekSlot(int16_t refNum, int32_t offset, int origin) {
  OSErr err;
  HANDLE h = SlotHandle(refNum, &err);
  if (!h || origin < 0 || origin > 2) return -1;
  static const DWORD kMethods[3] = {FILE_BEGIN, FILE_CURRENT, FILE_END};
  LARGE_INTEGER to, now;
  to.QuadPart = offset;
  if (!SetFilePointerEx(h, to, &now, kMethods[origin]) || now.QuadPart > INT32_MAX) return -1;
  return static_cast<int32_t>(now.QuadPart);
}

int32_t SlotFileLength(int16_t refNum) {
  OSErr err;
  HANDLE h = SlotHandle(refNum, &err);
  int64_t length = 0;
  if (!h || !SlotLength(h, &length)) return -1;
  return Clamp32(length);
}

OSErr SetSlotFileLength(int16_t refNum, int32_t length) {
  OSErr err;
  HANDLE h = SlotHandle(refNum, &err);
  if (!h) return err;
  if (length < 0) return paramErr;
  int64_t position = 0;
  SlotPosition(h, &position);
  LARGE_INTEGER to;
  if (!HostSetSize(h, length)) {
    const OSErr result = LastHostError();
    to.QuadPart = position;
    SetFilePointerEx(h, to, nullptr, FILE_BEGIN);
    return result;
  }
  to.QuadPart = position < length ? position : length;
  SetFilePointerEx(h, to, nullptr, FILE_BEGIN);
  return noErr;
}

OSErr FlushSlot(int16_t refNum) {
  OSErr err;
  HANDLE h = SlotHandle(refNum, &err);
  if (!h) return err;
  return Either(HostFlush(h), noErr, ioErr);
}

OSErr CloseSlot(int16_t refNum) {
  if (!InRange(refNum)) return rfNumErr;
  FileHandleSlot& s = g_slots[refNum];
  if (s.state == SlotState::Free) return fnOpnErr;
  const bool closed = s.state != SlotState::Open || CloseHandle(s.handle);
  FreeSlot(s);
  return Either(closed, noErr, ioErr);
}

bool SlotPathOf(int16_t refNum, char* path) {
  std::string text;
  if (!path || !SlotPath(refNum, &text)) return false;
  std::memcpy(path, text.c_str(), text.size() + 1);
  return true;
}

OSErr DeleteHostFile(const char* path) {
  if (!PathFits(path)) return bdNamErr;
  QuietHostErrors quiet;
  return HostDelete(path) ? OSErr{noErr} : LastHostError();
}

OSErr MoveHostFile(const char* from, const char* to) {
  if (!PathFits(from) || !PathFits(to)) return bdNamErr;
  QuietHostErrors quiet;
  return HostMove(from, to) ? OSErr{noErr} : LastHostError();
}

OSErr ReplaceHostFile(const char* from, const char* to) {
  if (!PathFits(from) || !PathFits(to)) return bdNamErr;
  QuietHostErrors quiet;
  return HostReplace(from, to) ? OSErr{noErr} : LastHostError();
}

OSErr ToolboxErrorOfHostError(uint32_t hostError) { return ToolboxErrorOf(hostError); }

OSErr LastHostError() { return ToolboxErrorOf(GetLastError()); }

}  // namespace zeb::files

using namespace zeb;
using namespace zeb::files;

extern "C" {

short ZEBAPI ZEB_FHOpen(const char* path, short mode, OSErr* err) {
  return OpenSlot(path, mode, err);
}

short ZEBAPI ZEB_FHCreate(const char* path, short flags) {
  if (!PathFits(path)) return -1;
  {
    QuietHostErrors quiet;
    void* created = HostCreateNew(path, false);
    if (!created) return -1;
    CloseHandle(created);
  }
  OSErr err;
  return OpenSlot(path, (flags & 1) ? kOpenRead : kOpenReadWrite, &err);
}

long ZEBAPI ZEB_FHRead(short refNum, void* buffer, long count) {
  return ReadSlot(refNum, buffer, count);
}

long ZEBAPI ZEB_FHWrite(short refNum, const void* buffer, long count) {
  return WriteSlot(refNum, buffer, count);
}

long ZEBAPI ZEB_FHLSeek(short refNum, long offset, short origin) {
  return SeekSlot(refNum, offset, origin);
}

short ZEBAPI ZEB_FHClose(short refNum) { return CloseSlot(refNum) == noErr ? 0 : -1; }

OSErr ZEBAPI ZEB_FHReOpen(short reopen, short refNum) {
  if (!InRange(refNum)) return rfNumErr;
  FileHandleSlot& s = g_slots[refNum];
  if (!reopen) return s.state == SlotState::Open ? Park(s) : OSErr{fnOpnErr};
  if (s.state == SlotState::Parked) {
    OSErr err;
    ReOpenParked(s, &err);
    return err;
  }
  if (s.state == SlotState::Open) return noErr;
  return Either(s.state == SlotState::Dead, ioErr, fnOpnErr);
}

void ZEBAPI ZEB_FHReOpenAll(short reopen) {
  for (int16_t i = kFirstSlot; i <= kLastSlot; ++i) {
    const SlotState state = g_slots[i].state;
    if ((!reopen && state == SlotState::Open) || (reopen && state == SlotState::Parked))
      ZEB_FHReOpen(reopen, i);
  }
}

ZEB_HostFile ZEBAPI ZEB_FHMap(short refNum) {
  OSErr err;
  HANDLE h = SlotHandle(refNum, &err);
  return h ? h : INVALID_HANDLE_VALUE;
}

short ZEBAPI ZEB_FHUnMap(ZEB_HostFile hostFile) {
  if (!hostFile || hostFile == INVALID_HANDLE_VALUE) return -1;
  for (int16_t i = kFirstSlot; i <= kLastSlot; ++i)
    if (g_slots[i].state == SlotState::Open && g_slots[i].handle == hostFile) return i;
  return -1;
}

long ZEBAPI ZEB_FHGetAttr(short refNum) {
  std::string path;
  if (!SlotPath(refNum, &path)) return -1;
  const DWORD attributes = GetFileAttributesA(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return -1;
  return static_cast<long>(attributes & (FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_DIRECTORY |
                                         FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_READONLY |
                                         FILE_ATTRIBUTE_SYSTEM));
}

OSErr ZEBAPI ZEB_FHSetEOF0(short refNum) {
  OSErr err;
  if (!SlotHandle(refNum, &err)) return ioErr;
  const long attributes = ZEB_FHGetAttr(refNum);
  if (!SlotHasWriteAccess(refNum) || (attributes >= 0 && (attributes & kZEBAttrReadOnly)))
    return wrPermErr;
  // Cut in place through the open handle: the slot and its sharing stay as they are, and no
  // moment exists in which the file is closed and might be taken by someone else.
  return Either(SetSlotFileLength(refNum, 0) == noErr, noErr, ioErr);
}

}  // extern "C"

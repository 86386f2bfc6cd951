// Every change the File Manager and the Resource Manager make to host files passes through
// here: writes, flushes, size changes, creation, renames and deletions. One place means one
// place where a test can make the host refuse (a full disk, a denied access) or stop dead
// part-way through a write (a crash, or the power going), and check that no file is lost.
#include <windows.h>

#include "files/files_internal.h"

namespace zeb::files {
namespace {

// ERROR_GEN_FAILURE: what a write reports when the device has gone away under it.
constexpr DWORD kDeviceGone = 31;

// A disk writes a sector whole or not at all: the power failing during a write inside one
// sector leaves either its old bytes or its new ones. Writes that span sectors can stop at any
// byte.
constexpr int64_t kSectorBytes = 512;

struct Fault {
  HostFaultKind kind = HostFaultKind::kNone;
  uint64_t budget = 0;  // bytes (or, for a crash, units) still allowed
  uint32_t hostError = 0;
  bool fired = false;
};

Fault g_fault;

bool Active() { return g_fault.kind != HostFaultKind::kNone; }

// Takes up to count units from the budget; what is taken may go through. Short of count, the
// fault has been reached.
uint64_t Take(uint64_t count) {
  if (g_fault.fired) return 0;
  if (count <= g_fault.budget) {
    g_fault.budget -= count;
    return count;
  }
  const uint64_t allowed = g_fault.budget;
  g_fault.budget = 0;
  g_fault.fired = true;
  return allowed;
}

DWORD FaultError() {
  return g_fault.kind == HostFaultKind::kCrash ? kDeviceGone : g_fault.hostError;
}

// A step that writes no data (flush, rename, deletion, creation, a cut): after a crash it
// never happens, and under a crash each counts as one unit, so that a crash may fall between
// any two steps. Neither a full disk nor a refusal of writes stops it.
bool StepAllowed() {
  if (g_fault.kind != HostFaultKind::kCrash) return true;
  if (Take(1) == 1) return true;
  SetLastError(kDeviceGone);
  return false;
}

bool PositionAndSize(HANDLE h, int64_t* position, int64_t* size) {
  LARGE_INTEGER zero{}, at{}, length{};
  if (!SetFilePointerEx(h, zero, &at, FILE_CURRENT) || !GetFileSizeEx(h, &length)) return false;
  *position = at.QuadPart;
  *size = length.QuadPart;
  return true;
}

// How many of count bytes at the file's position the fault lets through.
uint64_t WriteAllowance(HANDLE h, uint32_t count) {
  if (!Active()) return count;
  int64_t position = 0, size = 0;
  if (!PositionAndSize(h, &position, &size)) return count;
  switch (g_fault.kind) {
    case HostFaultKind::kDiskFull: {
      // Only new space counts: bytes written over the file's own are always room. A write that
      // does not fit stops where the room ends.
      const int64_t end = position + count;
      if (end <= size) return count;
      const uint64_t growth = static_cast<uint64_t>(end - size);
      const uint64_t taken = Take(growth);
      if (taken == growth) return count;
      const int64_t fits = size + static_cast<int64_t>(taken) - position;
      return fits > 0 ? static_cast<uint64_t>(fits) : 0;
    }
    case HostFaultKind::kCrash:
      if (count > g_fault.budget && position / kSectorBytes == (position + count - 1) / kSectorBytes) {
        Take(g_fault.budget + 1);
        return 0;
      }
      return Take(count);
    default:
      return Take(count);
  }
}

}  // namespace

bool HostWrite(void* file, const void* data, uint32_t count, uint32_t* written) {
  *written = 0;
  if (count == 0) return true;
  HANDLE h = static_cast<HANDLE>(file);
  const uint64_t allowed = WriteAllowance(h, count);
  DWORD put = 0;
  const BOOL ok = allowed == 0 || WriteFile(h, data, static_cast<DWORD>(allowed), &put, nullptr);
  *written = put;
  if (!ok) return false;
  if (allowed < count) {
    SetLastError(FaultError());
    return false;
  }
  return true;
}

bool HostFlush(void* file) {
  return StepAllowed() && FlushFileBuffers(static_cast<HANDLE>(file));
}

bool HostSetSize(void* file, int64_t length) {
  HANDLE h = static_cast<HANDLE>(file);
  LARGE_INTEGER size{};
  if (!GetFileSizeEx(h, &size)) return false;
  const bool grows = length > size.QuadPart;
  if (grows && (g_fault.kind == HostFaultKind::kDiskFull ||
                g_fault.kind == HostFaultKind::kRefuse)) {
    const uint64_t growth = static_cast<uint64_t>(length - size.QuadPart);
    if (Take(growth) < growth) {
      SetLastError(g_fault.hostError);
      return false;
    }
  } else if (!StepAllowed()) {
    return false;
  }
  LARGE_INTEGER to;
  to.QuadPart = length;
  return SetFilePointerEx(h, to, nullptr, FILE_BEGIN) && SetEndOfFile(h);
}

bool HostReserve(void* file, int64_t bytes) {
  if (bytes <= 0) return true;
  if (g_fault.kind == HostFaultKind::kDiskFull || g_fault.kind == HostFaultKind::kRefuse) {
    if (Take(static_cast<uint64_t>(bytes)) < static_cast<uint64_t>(bytes)) {
      SetLastError(g_fault.hostError);
      return false;
    }
  } else if (!StepAllowed()) {
    return false;
  }
  // The host grows a file's allocation as data arrives; asking it for the space now makes a
  // full disk known before the data is written. SetFileInformationByHandle came with Windows
  // Vista: it is looked up, so that the library still loads where it is missing, and a host
  // that cannot be asked grants the space. Class 5 is FileAllocationInfo, whose record is one
  // 64-bit size.
  HANDLE h = static_cast<HANDLE>(file);
  LARGE_INTEGER size{};
  if (!GetFileSizeEx(h, &size)) return false;
  using SetInformation = BOOL(WINAPI*)(HANDLE, int, void*, DWORD);
  static const SetInformation setInformation = reinterpret_cast<SetInformation>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"),
                                             "SetFileInformationByHandle")));
  constexpr int kFileAllocationInfo = 5;
  if (!setInformation) return true;
  LARGE_INTEGER allocation;
  allocation.QuadPart = size.QuadPart + bytes;
  if (setInformation(h, kFileAllocationInfo, &allocation, sizeof allocation)) return true;
  const DWORD error = GetLastError();
  return error != ERROR_DISK_FULL && error != ERROR_HANDLE_DISK_FULL;
}

void* HostCreateNew(const char* path, bool readToo) {
  if (!StepAllowed()) return nullptr;
  const DWORD access = GENERIC_WRITE | (readToo ? GENERIC_READ : 0);
  HANDLE h = CreateFileA(path, access, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
  return h == INVALID_HANDLE_VALUE ? nullptr : h;
}

bool HostReplace(const char* from, const char* to) {
  if (!StepAllowed()) return false;
  // One rename over the old name: the directory entry switches from the old file to the new
  // one in a single step of the file system (a logged metadata update on NTFS, rename(2) where
  // Wine runs), so at every instant the name holds one whole file or the other. Write-through
  // makes the switch durable before the call returns.
  return MoveFileExA(from, to, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

bool HostMove(const char* from, const char* to) {
  return StepAllowed() && MoveFileA(from, to) != 0;
}

bool HostDelete(const char* path) { return StepAllowed() && DeleteFileA(path) != 0; }

void SetHostFault(HostFaultKind kind, uint64_t allowance, uint32_t hostError) {
  g_fault = Fault{};
  g_fault.kind = kind;
  g_fault.budget = allowance;
  g_fault.hostError = hostError;
}

bool HostFaultFired() { return g_fault.fired; }

}  // namespace zeb::files

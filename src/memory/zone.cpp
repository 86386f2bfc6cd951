// The application zone, free-memory figures, purging on request, the grow-zone procedure, the
// memory ceiling, heap checking, and the Memory Manager's start-up and exit.
#include <algorithm>

#include "frame/frame_internal.h"
#include "memory/memory_internal.h"
#include "memory/memory_state.h"

namespace zeb::memory {
namespace {

constexpr long kMaxMemNT = 0x7F000000;
constexpr long kStackSpace = 2048;
constexpr int64_t kFreeMemSlack = 32768;
constexpr uint64_t kDefaultMaxBlocks = 32767;
constexpr uint64_t kModernReserve = 0x30000;

long Saturate(int64_t v) { return static_cast<long>(std::clamp<int64_t>(v, 0, 0x7FFFFFFF)); }
unsigned long Saturate32(uint64_t v) {
  return static_cast<unsigned long>(std::min<uint64_t>(v, 0xFFFFFFFFu));
}

MEMORYSTATUSEX HostMemoryStatus() {
  MEMORYSTATUSEX status{};
  status.dwLength = sizeof status;
  GlobalMemoryStatusEx(&status);
  return status;
}

size_t HostCompact() { return HeapCompact(State().heap ? State().heap : GetProcessHeap(), 0); }

// Only a Win32s host needs a page-file reserve: there the library measures how much of the page
// file its own largest allocations would take, once.
void ComputeReserve() {
  MemoryState& s = State();
  if (!frame::Version().win32s || s.reserveComputed) return;
  s.reserveComputed = true;
  if (frame::Version().Major() >= 4) {
    s.reserve = kModernReserve;
    return;
  }
  HLOCAL blocks[31] = {};
  SIZE_T size = SIZE_T{1} << 30;
  for (HLOCAL& block : blocks) {
    block = LocalAlloc(LMEM_MOVEABLE, size);
    size /= 2;
  }
  const MEMORYSTATUSEX status = HostMemoryStatus();
  for (HLOCAL block : blocks)
    if (block) LocalFree(block);
  const uint64_t avail = status.ullAvailPageFile;
  s.reserve = (avail < (1ull << 31) && avail < status.ullTotalPageFile) ? avail : 0;
}

// The estimate behind FreeMem and MaxBlock. Saturates at 0x7FFFFFFF: 2 GiB or more free is not
// "no memory".
long FreeMemoryEstimate() {
  MemoryState& s = State();
  if (s.ceilingEnabled)
    return Saturate(static_cast<int64_t>(s.ceiling) - static_cast<int64_t>(s.bytesHeld));
  const MEMORYSTATUSEX status = HostMemoryStatus();
  int64_t r;
  if (status.ullTotalPageFile) {
    r = status.ullAvailPageFile > status.ullTotalPageFile
            ? 0
            : static_cast<int64_t>(status.ullAvailPageFile) - static_cast<int64_t>(s.reserve);
  } else {
    r = status.ullAvailPhys < status.ullTotalPhys ? static_cast<int64_t>(status.ullAvailPhys) : 0;
  }
  return Saturate(r - kFreeMemSlack);
}

}  // namespace

void CheckArenasIfAsked() {
  if (!frame::SessionFlag(ZEB_SF_HEAPCHECK)) return;
  if (State().arenas.Check().fault != ArenaFault::None) ReportDamage(nullptr);
}

void ReportDamage(const void* record) {
  MessageBeep(1);
  if (HWND frame = frame::FrameWindow())
    SendMessageA(frame, ZEB_WM_HEAPDAMAGED, 0, reinterpret_cast<LPARAM>(record));
}

void Startup() {
  MemoryState& s = State();
  if (!s.heap) s.heap = HeapCreate(HEAP_NO_SERIALIZE, 0, 0);
  HostMemoryStatus();
  s.bytesHeld = 0;
  s.weightedBlocks = 0;
  s.zone = Zone{};
  s.zone.moreMast = kStartMasterCount;
  s.smallBlockThreshold = 4096;
  ComputeReserve();
}

void Shutdown() {
  MemoryState& s = State();
  s.masters.ReleaseAll();
  s.arenas.ReleaseAll();
  if (s.growZone) frame::ReleaseCallback(s.growZone);
  s.growZone = nullptr;
  if (s.heap) HeapDestroy(s.heap);
  s.heap = nullptr;
  s.bytesHeld = 0;
  s.weightedBlocks = 0;
  s.ceilingEnabled = false;
  s.ceiling = s.ceilingThreshold = 0;
  s.maxBlocks = kDefaultMaxBlocks;
  s.errorCell = &s.ownErrorCell;
}

void SetErrorCell(int16_t* cell) { State().errorCell = cell ? cell : &State().ownErrorCell; }
int16_t* LibraryErrorCell() { return &State().ownErrorCell; }
THz ApplicationZoneRecord() { return &State().zone; }
uint32_t SmallBlockThreshold() { return State().smallBlockThreshold; }
void SetSmallBlockThreshold(uint32_t bytes) { State().smallBlockThreshold = bytes; }

}  // namespace zeb::memory

using namespace zeb;
using namespace zeb::memory;

extern "C" {

THz ZEBAPI HandleZone(Handle) { return &State().zone; }
THz ZEBAPI ApplicationZone(void) { return &State().zone; }
THz ZEBAPI GetZone(void) { return &State().zone; }

long ZEBAPI FreeMem(void) { return FreeMemoryEstimate(); }
Size ZEBAPI MaxBlock(void) { return FreeMemoryEstimate(); }

void ZEBAPI PurgeSpace(long* total, long* contig) {
  const long free = FreeMemoryEstimate();
  if (total) *total = free;
  if (contig) *contig = std::min<long>(free, 0x10000);
}

Size ZEBAPI CompactMem(Size cbNeeded) {
  if (PurgeFor(cbNeeded)) return cbNeeded;
  if (frame::Version().win32s || frame::Version().windowsNT) return cbNeeded;
  return static_cast<Size>(HostCompact());
}

void ZEBAPI PurgeMem(Size cbNeeded) {
  if (!PurgeFor(cbNeeded) && cbNeeded < 0x10000) HostCompact();
}

Size ZEBAPI MaxMem(Size* grow) {
  if (grow) *grow = 0;
  if (frame::Version().win32s || frame::Version().windowsNT) return kMaxMemNT;
  return static_cast<Size>(std::min<size_t>(HostCompact(), 0x7FFFFFFF));
}

Ptr ZEBAPI GetApplLimit(void) {
  MemoryState& s = State();
  const uint64_t room = s.ceilingEnabled ? s.ceiling : HostCompact();
  return reinterpret_cast<Ptr>(&s.zone) + room;
}

long ZEBAPI StackSpace(void) { return kStackSpace; }

void ZEBAPI SetGrowZone(GrowZoneProcPtr growZone) {
  MemoryState& s = State();
  if (s.growZone) frame::ReleaseCallback(s.growZone);
  s.growZone = nullptr;
  if (growZone)
    s.growZone = frame::WrapCallback(growZone);
}

// One zone, no fixed limits and no reservations: these have nothing to do.
void ZEBAPI InitZone(GrowZoneProcPtr, short, void*, void*) {}
void ZEBAPI SetZone(THz) {}
void ZEBAPI ReserveMem(Size) {}
void ZEBAPI SetApplLimit(void*) {}
void ZEBAPI MaxApplZone(void) {}

long ZEBAPI ZEB_SetMemoryLimits(long enable, long ceiling, long threshold, long maxBlocks) {
  MemoryState& s = State();
  if (!enable) {
    s.ceilingEnabled = false;
    s.ceiling = s.ceilingThreshold = 0;
    s.maxBlocks = kDefaultMaxBlocks;
    return 0;
  }
  s.ceilingEnabled = true;
  s.ceiling = static_cast<uint64_t>(std::max<long>(ceiling, 0));
  s.ceilingThreshold = static_cast<uint64_t>(std::max<long>(threshold, 0));
  s.maxBlocks = maxBlocks > 0 ? static_cast<uint64_t>(maxBlocks) : kDefaultMaxBlocks;
  return maxBlocks;
}

unsigned long ZEBAPI ZEB_ComputeMemorySize(unsigned long* totalPageFile, unsigned long* availPageFile,
                                           unsigned long* totalPhys, unsigned long* availPhys,
                                           unsigned long* heldByLibrary) {
  const MEMORYSTATUSEX status = HostMemoryStatus();
  unsigned long* targets[] = {totalPageFile, availPageFile, totalPhys, availPhys, heldByLibrary};
  const uint64_t figures[] = {status.ullTotalPageFile, status.ullAvailPageFile, status.ullTotalPhys,
                              status.ullAvailPhys, State().bytesHeld};
  unsigned long last = Saturate32(status.ullAvailPageFile);
  for (int i = 0; i < 5; ++i) {
    if (!targets[i]) continue;
    *targets[i] = Saturate32(figures[i]);
    last = *targets[i];
  }
  return last;
}

// Free system resources existed only on 16-bit Windows 3.x; elsewhere they are never short.
short ZEBAPI ZEB_GetFreeSystemResources(short which) {
  constexpr short kPlenty = 100;
  if (frame::Version().versionWord != 3) return kPlenty;
  HMODULE kernel = GetModuleHandleA("KERNEL");
  auto heapSpaces = kernel ? reinterpret_cast<DWORD(WINAPI*)(HMODULE)>(
                                 reinterpret_cast<void*>(GetProcAddress(kernel, "GETHEAPSPACES")))
                           : nullptr;
  if (!heapSpaces) return kPlenty;
  auto percent = [heapSpaces](const char* module) -> short {
    const DWORD spaces = heapSpaces(GetModuleHandleA(module));
    const DWORD total = HIWORD(spaces);
    return total ? static_cast<short>(LOWORD(spaces) * 100 / total) : kPlenty;
  };
  switch (which) {
    case 0: return std::min(percent("GDI"), percent("USER"));
    case 1: return percent("GDI");
    case 2: return percent("USER");
    default: return kPlenty;
  }
}

}  // extern "C"

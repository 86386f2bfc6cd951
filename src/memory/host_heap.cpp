// The host side of the Memory Manager: one private Windows heap, the memory ceiling, the retry
// stages when the host refuses, and the statistics of bytes held.
#include <algorithm>

#include "frame/frame_internal.h"
#include "memory/memory_state.h"

namespace zeb::memory {
namespace {

// The application's thread is the only caller: the heap needs no serialisation.
constexpr DWORD kHeapOptions = HEAP_NO_SERIALIZE;

HANDLE Heap() {
  MemoryState& s = State();
  if (!s.heap) s.heap = HeapCreate(kHeapOptions, 0, 0);
  return s.heap;
}

uint64_t Weight(size_t bytes) { return 1 + bytes / 65536; }

void Account(size_t bytes, bool add) {
  MemoryState& s = State();
  if (add) {
    s.bytesHeld += bytes;
    s.weightedBlocks += Weight(bytes);
  } else {
    s.bytesHeld -= std::min<uint64_t>(s.bytesHeld, bytes);
    s.weightedBlocks -= std::min<uint64_t>(s.weightedBlocks, Weight(bytes));
  }
}

// A block resized from oldBytes to bytes: one update of the statistics, as a free of the old
// size and an allocation of the new one would leave them.
void Reaccount(size_t oldBytes, size_t bytes) {
  MemoryState& s = State();
  s.bytesHeld = s.bytesHeld - std::min<uint64_t>(s.bytesHeld, oldBytes) + bytes;
  s.weightedBlocks = s.weightedBlocks - std::min<uint64_t>(s.weightedBlocks, Weight(oldBytes)) +
                     Weight(bytes);
}

long CallGrowZone(int64_t bytes) {
  GrowZoneProcPtr proc = State().growZone;
  return proc ? proc(static_cast<Size>(std::min<int64_t>(bytes, 0x7FFFFFFF))) : 0;
}

// The memory ceiling of ZEB_SetMemoryLimits makes the library behave like a fixed-size heap.
// n is what the request adds to the bytes held; blockBytes the size of the block it asks for,
// which the threshold is compared with: a block grown in small steps is checked once it is
// large, or it would pass the ceiling step by step.
bool CeilingAllows(int64_t n, int64_t blockBytes) {
  MemoryState& s = State();
  if (!s.ceilingEnabled || blockBytes < static_cast<int64_t>(s.ceilingThreshold)) return true;
  const bool counted = s.maxBlocks > s.weightedBlocks;
  auto freeBytes = [&s] { return static_cast<int64_t>(s.ceiling) - static_cast<int64_t>(s.bytesHeld); };
  int64_t need = counted ? n - freeBytes() : n;
  if (need < 1) return true;
  if (PurgeFor(need)) return true;
  if (s.growZone && CallGrowZone(need) < need) return false;
  if (counted) {
    need = n - freeBytes();
    if (need < 1) return true;
  }
  return PurgeFor(need);
}

// Runs attempt() until it succeeds, after purging, compacting and asking the grow-zone
// procedure in turn.
template <class Attempt>
void* WithRetries(size_t bytes, Attempt attempt) {
  if (void* p = attempt()) return p;
  if (PurgeFor(static_cast<int64_t>(bytes)))
    if (void* p = attempt()) return p;
  HeapCompact(Heap(), kHeapOptions);
  if (void* p = attempt()) return p;
  MemoryState& s = State();
  if (s.growZone && CallGrowZone(static_cast<int64_t>(bytes)) >= static_cast<int64_t>(bytes)) {
    PurgeFor(static_cast<int64_t>(bytes));
    if (void* p = attempt()) return p;
  }
  return nullptr;
}

}  // namespace

ArenaHostBlocks MemoryState::ArenaHostBlocksForHeap() {
  return ArenaHostBlocks{[](size_t bytes) { return HostAllocate(bytes); },
                         [](void* block) { HostFree(block); },
                         [] { return !AllocationRefused(); }};
}

void* HostAllocate(size_t bytes) {
  if (bytes > 0x7FFFFFFF || AllocationRefused()) return nullptr;
  if (!CeilingAllows(static_cast<int64_t>(bytes), static_cast<int64_t>(bytes))) return nullptr;
  void* p = WithRetries(bytes, [bytes] { return HeapAlloc(Heap(), kHeapOptions | HEAP_ZERO_MEMORY, bytes); });
  // HeapSize of the new block is the size asked for: no need to ask the heap.
  if (p) Account(bytes, true);
  return p;
}

void* HostReallocate(void* block, size_t bytes, bool inPlace, size_t oldBytes) {
  if (bytes > 0x7FFFFFFF) return nullptr;
  const size_t old = oldBytes != kUnknownHostSize ? oldBytes : HostBlockSize(block);
  if (bytes > old && AllocationRefused()) return nullptr;
  if (bytes > old &&
      !CeilingAllows(static_cast<int64_t>(bytes - old), static_cast<int64_t>(bytes)))
    return nullptr;
  const DWORD options =
      kHeapOptions | HEAP_ZERO_MEMORY | (inPlace ? HEAP_REALLOC_IN_PLACE_ONLY : 0);
  void* p = WithRetries(bytes, [block, bytes, options] { return HeapReAlloc(Heap(), options, block, bytes); });
  if (p) Reaccount(old, bytes);
  return p;
}

void HostFree(void* block, size_t bytes) {
  if (!block) return;
  Account(bytes != kUnknownHostSize ? bytes : HostBlockSize(block), false);
  HeapFree(Heap(), kHeapOptions, block);
}

size_t HostBlockSize(const void* block) {
  const SIZE_T size = HeapSize(Heap(), kHeapOptions, block);
  return size == static_cast<SIZE_T>(-1) ? 0 : size;
}

uint64_t BytesHeld() { return State().bytesHeld; }

HANDLE HostHeap() { return Heap(); }

}  // namespace zeb::memory

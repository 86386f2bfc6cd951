// The tests' view of the Memory Manager's failure paths: a countdown that makes one chosen
// allocation fail as a full heap would, and a census of what is held, to show that a call that
// failed half-way left nothing behind.
#include <cstring>

#include "memory/memory_internal.h"
#include "memory/memory_state.h"

namespace zeb::memory {
namespace {

uint64_t g_countdown = 0;  // 0: off
bool g_fired = false;

}  // namespace

bool AllocationRefused() {
  if (g_countdown == 0) return false;
  if (--g_countdown != 0) return false;
  g_fired = true;
  return true;
}

void FailAllocationAfter(uint64_t countdown) {
  g_countdown = countdown;
  g_fired = false;
}

bool AllocationFailureFired() { return g_fired; }

MemoryCensus TakeCensus() {
  MemoryCensus census;
  MemoryState& s = State();
  s.masters.FindFromCurrent([&census](HandleRecord*) {
    ++census.handles;
    return false;
  });
  for (const ArenaHeader* arena = s.arenas.Head(); arena; arena = arena->next) {
    const char* block = reinterpret_cast<const char*>(arena) + sizeof(ArenaHeader);
    while (block + kBlockOverhead <= arena->end) {
      uint32_t header;
      std::memcpy(&header, block, sizeof header);
      if ((header & 0xFFFF0000u) == kUsedHeaderMagic) ++census.arenaBlocks;
      block += kBlockOverhead + (header & 0xFFFFu);
    }
  }
  HANDLE heap = HostHeap();
  PROCESS_HEAP_ENTRY entry{};
  entry.lpData = nullptr;
  while (HeapWalk(heap, &entry))
    if (entry.wFlags & PROCESS_HEAP_ENTRY_BUSY) ++census.hostBlocks;
  // Master blocks stay once made (their records are reused, never returned): they are the
  // Memory Manager's own, not something a call holds.
  const uint64_t masterBlocks = s.masters.BlockCount();
  census.hostBlocks -= census.hostBlocks >= masterBlocks ? masterBlocks : census.hostBlocks;
  return census;
}

}  // namespace zeb::memory

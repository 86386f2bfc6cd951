// What the Memory Manager offers the other managers.
#ifndef ZEB_MEMORY_MEMORY_INTERNAL_H
#define ZEB_MEMORY_MEMORY_INTERNAL_H

#include <cstdint>

#include "MacMemory.h"

namespace zeb::memory {

// Session start-up and exit: statistics, zone record and host heap; exit frees every master
// block and arena.
void Startup();
void Shutdown();

// The cell that MemError reads: the library's own until ZEB_InitGlobals binds the
// application's.
void SetErrorCell(int16_t* cell);
int16_t* LibraryErrorCell();

THz ApplicationZoneRecord();

// ZEB_SystemValue index 15.
uint32_t SmallBlockThreshold();
void SetSmallBlockThreshold(uint32_t bytes);

// The index of the open resource file that a resource handle came from (flag bits 6-11),
// kept for the Resource Manager.
int ResourceFileIndex(Handle h);
void SetResourceFileIndex(Handle h, int index);
// Clears the HSetCBit bit, which no exported call clears.
void ClearCBit(Handle h);
bool CBit(Handle h);

// The size of a live handle's block, without touching MemError; -1 when h is NIL, emptied, or
// names no handle record in use. For managers that check a handle an application passed them.
long LiveHandleSize(Handle h);

// Bytes currently held in host blocks.
uint64_t BytesHeld();

// For tests: the countdown-th host or arena allocation from now on fails as a full heap would
// (1: the next one), and only that one; 0 turns the countdown off. Growth of a block in place
// is no allocation; growth that needs a new or larger host block is.
void FailAllocationAfter(uint64_t countdown);
// Whether the countdown has stopped an allocation since it was set.
bool AllocationFailureFired();
// What the Memory Manager holds: handle records in use, small blocks in use in the arenas
// (handles' storage and pointers alike) and blocks of the host heap (storage, pointers, master
// blocks and arenas). Equal counts before and after a sequence of calls mean nothing leaked.
struct MemoryCensus {
  uint64_t handles = 0;
  uint64_t arenaBlocks = 0;
  uint64_t hostBlocks = 0;
  bool operator==(const MemoryCensus& o) const {
    return handles == o.handles && arenaBlocks == o.arenaBlocks && hostBlocks == o.hostBlocks;
  }
  bool operator!=(const MemoryCensus& o) const { return !(*this == o); }
};
MemoryCensus TakeCensus();

}  // namespace zeb::memory

#endif  // ZEB_MEMORY_MEMORY_INTERNAL_H

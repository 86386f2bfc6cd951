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

}  // namespace zeb::memory

#endif  // ZEB_MEMORY_MEMORY_INTERNAL_H

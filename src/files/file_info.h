// What the host knows about a file, in Toolbox terms: its type from the extension table, and
// its dates in Toolbox seconds. Host-independent.
#ifndef ZEB_FILES_FILE_INFO_H
#define ZEB_FILES_FILE_INFO_H

#include <cstdint>
#include <string_view>

#include "MacTypes.h"

namespace zeb::files {

// The application's extension table (ZEB_Set_MacWin): 40-byte entries, the file type in the
// first four bytes, the extension (up to three characters, not terminated) in the next three; a
// type of 0 ends the table. The last entry whose extension matches the name's, without regard
// to case, gives the type; false when none does.
bool TypeFromExtensionTable(const void* table, std::string_view fileName, OSType* type);

// A DOS date and time (the host's file times, local time, two-second resolution) and Toolbox
// seconds. DOS dates run from 1980 to 2107: a time outside that range has no DOS form (false),
// and a DOS date the clock cannot hold gives 0 seconds.
uint32_t SecondsOfDosDateTime(uint16_t dosDate, uint16_t dosTime);
bool DosDateTimeOfSeconds(uint32_t seconds, uint16_t* dosDate, uint16_t* dosTime);

// A volume's size in the Toolbox's 16-bit block counts: as long as the total does not fit
// below 0x8000, both counts are halved and the block size doubled (a large disk needs this many
// times). The block size stops at the largest positive 32-bit value.
struct BlockCounts {
  int32_t blockSize;
  uint16_t totalBlocks;
  uint16_t freeBlocks;
};
BlockCounts FitBlockCounts(uint64_t blockSize, uint64_t totalBlocks, uint64_t freeBlocks);

}  // namespace zeb::files

#endif  // ZEB_FILES_FILE_INFO_H

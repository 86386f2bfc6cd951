// What the operating-system utilities offer the other managers: the serial drivers' routing
// and the table of patchable calls.
#ifndef ZEB_OSUTILS_OSUTILS_INTERNAL_H
#define ZEB_OSUTILS_OSUTILS_INTERNAL_H

#include <cstdint>

#include "MacTypes.h"

namespace zeb::osutils {

// The serial drivers' reference numbers: .Ain -6, .Aout -7, .Bin -8, .Bout -9.
constexpr int16_t kFirstSerialRefNum = -9;
constexpr int16_t kLastSerialRefNum = -6;
inline bool IsSerialRefNum(int16_t refNum) {
  return refNum >= kFirstSerialRefNum && refNum <= kLastSerialRefNum;
}

// A File Manager read or write on a serial driver's reference number goes straight to its
// port: *count becomes the number of bytes moved. The result is 0, or the Windows error number
// itself (not a Toolbox result), as the serial drivers have always reported it.
OSErr SerialTransfer(int16_t refNum, bool write, void* buffer, long* count);

// Trap words of the patchable calls that QuickDraw owns.
constexpr uint16_t kTrapSetOrigin = 0xA878;
constexpr uint16_t kTrapInitCursor = 0xA850;
constexpr uint16_t kTrapSetCursor = 0xA851;
constexpr uint16_t kTrapEraseRect = 0xA8A3;

// The address an exported patchable call runs for trap: the slot's current value, which starts
// as libraryDefault, the owning manager's own implementation. An application replaces a slot
// with NSetTrapAddress; until a slot is replaced every call goes to its default.
void* PatchableSlot(uint16_t trap, void* libraryDefault);

template <class Proc>
Proc Patchable(uint16_t trap, Proc libraryDefault) {
  return reinterpret_cast<Proc>(PatchableSlot(trap, reinterpret_cast<void*>(libraryDefault)));
}

}  // namespace zeb::osutils

#endif  // ZEB_OSUTILS_OSUTILS_INTERNAL_H

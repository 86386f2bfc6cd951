// What the operating-system utilities offer the other managers.
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

}  // namespace zeb::osutils

#endif  // ZEB_OSUTILS_OSUTILS_INTERNAL_H

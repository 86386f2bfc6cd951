// Elapsed ticks. TickCount counts GetTickCount's milliseconds in 16s: 28 bits, which wrap
// about every 49.7 days; a wait that spans the wrap still ends on time. Host-independent.
#ifndef ZEB_OSUTILS_TICKS_H
#define ZEB_OSUTILS_TICKS_H

#include <cstdint>

namespace zeb::osutils {

constexpr uint32_t kTickRange = 0x10000000u;

inline uint32_t TicksBetween(uint32_t start, uint32_t now) {
  return (now - start) & (kTickRange - 1);
}

}  // namespace zeb::osutils

#endif  // ZEB_OSUTILS_TICKS_H

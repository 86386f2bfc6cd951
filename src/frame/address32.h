// Addresses kept in 32-bit Toolbox fields (EventRecord.message, refCons, directory IDs).
//
// The 32-bit library stores them as they are. The 64-bit test build links every program and
// heap low, so its addresses fit too; one that does not would be silently cut, so it stops the
// program instead.
#ifndef ZEB_FRAME_ADDRESS32_H
#define ZEB_FRAME_ADDRESS32_H

#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace zeb {

inline uint32_t AddressToLong(const void* p) {
  const auto value = reinterpret_cast<uintptr_t>(p);
  if (value > 0xFFFFFFFFu) {
    std::fprintf(stderr, "ZEB32: address %p does not fit a 32-bit Toolbox field\n", p);
    std::abort();
  }
  return static_cast<uint32_t>(value);
}

template <class T = void>
inline T* LongToAddress(uint32_t value) {
  return reinterpret_cast<T*>(static_cast<uintptr_t>(value));
}

}  // namespace zeb

#endif  // ZEB_FRAME_ADDRESS32_H

// The PackBits run-length code. Host-independent.
#ifndef ZEB_RESOURCES_PACK_BITS_H
#define ZEB_RESOURCES_PACK_BITS_H

#include <cstddef>
#include <cstdint>

namespace zeb::resources {

// The longest packed form of n bytes: one count byte for every 127 bytes, plus the bytes.
constexpr size_t PackedBound(size_t n) { return n + (n + 126) / 127; }

// Packs n bytes of src into dst (room for PackedBound(n)); returns the bytes written.
size_t PackRuns(const uint8_t* src, size_t n, uint8_t* dst);

struct UnpackResult {
  size_t consumed;  // source bytes used
  size_t produced;  // destination bytes written
};
// Unpacks from src (at most srcLimit bytes read) until dstBytes bytes are produced or the
// source runs out. A piece longer than what is still wanted is cut; the source then advances
// only by the bytes used.
UnpackResult UnpackRuns(const uint8_t* src, size_t srcLimit, uint8_t* dst, size_t dstBytes);

}  // namespace zeb::resources

#endif  // ZEB_RESOURCES_PACK_BITS_H

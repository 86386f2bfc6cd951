// PackBits and UnpackBits on arbitrary bytes: packing round-trips, and unpacking arbitrary
// packed data never reads past its source or writes past its destination count.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "resources/pack_bits.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace zeb::resources;
  std::vector<uint8_t> packed(PackedBound(size));
  const size_t packedSize = PackRuns(data, size, packed.data());
  if (packedSize > packed.size()) std::abort();
  std::vector<uint8_t> unpacked(size);
  const UnpackResult back = UnpackRuns(packed.data(), packedSize, unpacked.data(), size);
  if (back.produced != size || back.consumed != packedSize) std::abort();
  if (size && std::memcmp(unpacked.data(), data, size) != 0) std::abort();

  // The input as packed data, unpacked into a destination sized by its first byte.
  if (size > 0) {
    std::vector<uint8_t> out(data[0] * 4u);
    const UnpackResult r = UnpackRuns(data + 1, size - 1, out.data(), out.size());
    if (r.produced > out.size() || r.consumed > size - 1) std::abort();
  }
  return 0;
}

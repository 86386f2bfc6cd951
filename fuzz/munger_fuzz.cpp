// Munger with arbitrary offsets, lengths and modes on arbitrary data: every move stays inside
// the data, whose size only changes as the mode says.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "resources/munger.h"

namespace {

class VectorStore : public zeb::resources::ByteStore {
 public:
  explicit VectorStore(std::vector<uint8_t> bytes) : bytes_(std::move(bytes)) {}
  int64_t Size() const override { return static_cast<int64_t>(bytes_.size()); }
  uint8_t* Data() override { return bytes_.data(); }
  bool Resize(int64_t n) override {
    if (n < 0 || n > (1 << 16)) return false;
    bytes_.resize(static_cast<size_t>(n));
    return true;
  }

 private:
  std::vector<uint8_t> bytes_;
};

int32_t Read32(const uint8_t* p) {
  uint32_t v = 0;
  std::memcpy(&v, p, 4);
  return static_cast<int32_t>(v);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // Header: offset, len1, len2 (small signed values), a mode byte, then pattern, replacement and
  // the handle's bytes.
  if (size < 13) return 0;
  const long offset = Read32(data) % 512;
  const long len1 = Read32(data + 4) % 64;
  const long len2 = Read32(data + 8) % 64;
  const uint8_t mode = data[12];
  const uint8_t* rest = data + 13;
  const size_t restSize = size - 13;
  const size_t patternSize = len1 > 0 && static_cast<size_t>(len1) <= restSize ? len1 : 0;
  const size_t replacementSize =
      len2 > 0 && static_cast<size_t>(len2) <= restSize - patternSize ? len2 : 0;
  std::vector<uint8_t> pattern(rest, rest + patternSize);
  std::vector<uint8_t> replacement(rest + patternSize, rest + patternSize + replacementSize);
  VectorStore store(std::vector<uint8_t>(rest + patternSize + replacementSize, rest + restSize));
  const void* ptr1 = (mode & 1) && patternSize ? pattern.data() : nullptr;
  const void* ptr2 = (mode & 2) && replacementSize ? replacement.data() : nullptr;
  const long l1 = ptr1 ? static_cast<long>(patternSize) : len1;
  const long l2 = ptr2 ? static_cast<long>(replacementSize) : ((mode & 4) ? 0 : len2);
  const long result = zeb::resources::MungeBytes(store, offset, ptr1, l1, ptr2, l2);
  if (result < -1 || result > store.Size()) std::abort();
  return 0;
}

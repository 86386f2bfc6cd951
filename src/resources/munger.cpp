// Munger. Offsets and lengths come from the application: every move is bounded by the data,
// so an offset or length past the end clamps (deletes, replaces) or grows the data (inserts)
// instead of moving bytes outside the handle.
#include "resources/munger.h"

#include <cstring>
#include <vector>

namespace zeb::resources {
namespace {

constexpr long kNotFound = -1;
constexpr int64_t kLargestSize = 0x7FFFFFFF;

// Replaces `length` bytes at `at` (within the data) with `count` bytes of `bytes`. The new
// bytes are copied first: they may lie inside the store, which can move when it is resized.
bool Replace(ByteStore& store, int64_t at, int64_t length, const void* bytes, int64_t count) {
  const int64_t size = store.Size();
  const int64_t newSize = size - length + count;
  if (newSize > kLargestSize) return false;
  std::vector<uint8_t> copy;
  if (bytes && count > 0)
    copy.assign(static_cast<const uint8_t*>(bytes), static_cast<const uint8_t*>(bytes) + count);
  const int64_t tail = size - at - length;
  if (count > length) {
    if (!store.Resize(newSize)) return false;
    std::memmove(store.Data() + at + count, store.Data() + at + length, static_cast<size_t>(tail));
  } else if (count < length) {
    std::memmove(store.Data() + at + count, store.Data() + at + length, static_cast<size_t>(tail));
    store.Resize(newSize);
  }
  if (!copy.empty()) std::memcpy(store.Data() + at, copy.data(), copy.size());
  return true;
}

int64_t Find(ByteStore& store, int64_t from, const uint8_t* pattern, int64_t length) {
  const int64_t size = store.Size();
  const uint8_t* data = store.Data();
  for (int64_t at = from; at + length <= size; ++at)
    if (std::memcmp(data + at, pattern, static_cast<size_t>(length)) == 0) return at;
  return kNotFound;
}

}  // namespace

const void* const kLeaveGap = reinterpret_cast<const void*>(static_cast<intptr_t>(-1));

long MungeBytes(ByteStore& store, long offset, const void* ptr1, long len1, const void* ptr2,
                long len2) {
  if (offset < 0) return kNotFound;
  const int64_t size = store.Size();

  // Insert: the data grows to reach offset when it is shorter, then the gap opens there. The
  // bytes between the old end and offset start as zeros.
  if (len1 == 0 && ptr2 && len2 > 0) {
    const int64_t start = offset > size ? offset : size;
    if (start + len2 > kLargestSize) return kNotFound;
    // The new bytes are copied first: they may lie inside the store, which can move.
    std::vector<uint8_t> copy;
    if (ptr2 != kLeaveGap)
      copy.assign(static_cast<const uint8_t*>(ptr2), static_cast<const uint8_t*>(ptr2) + len2);
    if (!store.Resize(start + len2)) return kNotFound;
    uint8_t* data = store.Data();
    if (offset > size) std::memset(data + size, 0, static_cast<size_t>(offset - size));
    std::memmove(data + offset + len2, data + offset, static_cast<size_t>(start - offset));
    if (!copy.empty()) std::memcpy(data + offset, copy.data(), copy.size());
    return offset + len2;
  }

  // Delete: len1 < 0 and lengths past the end stop at the end.
  if (!ptr1 && len1 != 0 && len2 == 0) {
    if (offset >= size) return offset > size ? kNotFound : offset;
    const int64_t length = (len1 < 0 || len1 > size - offset) ? size - offset : len1;
    Replace(store, offset, length, nullptr, 0);
    return offset;
  }

  if (offset > size) return kNotFound;
  int64_t at = offset, length = 0;
  if (!ptr1) {
    length = (len1 < 0 || len1 > size - offset) ? size - offset : len1;
  } else {
    if (len1 <= 0) return kNotFound;
    at = Find(store, offset, static_cast<const uint8_t*>(ptr1), len1);
    if (at == kNotFound) return kNotFound;
    length = len1;
  }
  if (!ptr2) return static_cast<long>(at);
  if (len2 < 0) return kNotFound;
  if (!Replace(store, at, length, ptr2, len2)) return kNotFound;
  return static_cast<long>(at + len2);
}

}  // namespace zeb::resources

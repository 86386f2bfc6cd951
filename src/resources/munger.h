// Munger's search, replace, insert and delete on a resizable run of bytes. Host-independent:
// the handle is reached through ByteStore.
#ifndef ZEB_RESOURCES_MUNGER_H
#define ZEB_RESOURCES_MUNGER_H

#include <cstdint>

namespace zeb::resources {

class ByteStore {
 public:
  virtual ~ByteStore() = default;
  virtual int64_t Size() const = 0;
  virtual uint8_t* Data() = 0;
  // False when the store cannot take the new size; its bytes are then unchanged.
  virtual bool Resize(int64_t newSize) = 0;
};

// ptr2 == kLeaveGap on an insert leaves the new bytes as they are.
extern const void* const kLeaveGap;

long MungeBytes(ByteStore& store, long offset, const void* ptr1, long len1, const void* ptr2,
                long len2);

}  // namespace zeb::resources

#endif  // ZEB_RESOURCES_MUNGER_H

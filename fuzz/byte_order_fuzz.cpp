// Hostile resource contents: every type's conversion stays inside the data (AddressSanitizer
// watches an allocation of exactly the resource's size) and converting there and back gives
// the original bytes.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "resources/byte_order.h"

namespace {
const char* const kTypes[] = {"ALRT", "CNTL", "DITL", "DLOG", "WIND", "MENU", "MBAR",
                              "STR#", "PAT#", "PICT", "vers", "INTL", "acur", "CMAP",
                              "clut", "pltt", "ppat", "cicn", "ZEBD", "CURS", "TEXT"};
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace zeb::byteorder;
  if (size < 1) return 0;
  const uint32_t type = GetBig32(kTypes[data[0] % (sizeof kTypes / sizeof kTypes[0])]);
  const size_t length = size - 1;
  std::unique_ptr<uint8_t[]> buffer(new uint8_t[length ? length : 1]);
  std::memcpy(buffer.get(), data + 1, length);
  const int first = (data[0] & 0x80) ? kToDisk : kFromDisk;
  ConvertResource(first, type, buffer.get(), static_cast<uint32_t>(length));
  ConvertResource(first == kToDisk ? kFromDisk : kToDisk, type, buffer.get(),
                  static_cast<uint32_t>(length));
  if (std::memcmp(buffer.get(), data + 1, length) != 0) std::abort();
  return 0;
}

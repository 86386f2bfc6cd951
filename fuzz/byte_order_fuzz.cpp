// Hostile resource contents: every type's conversion stays inside the data (AddressSanitizer
// watches an allocation of exactly the resource's size) and converting there and back gives
// the original bytes.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "resources/byte_order.h"
#include "resources/window_template.h"

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
  if (std::memcmp(buffer.get(), data + 1, length) != 0) {
    // A 'WIND' in the library's layout whose reference constant, once swapped, holds a byte at
    // 18 that reads as a title length ending the resource is also a valid Macintosh template:
    // the two orders of the same bytes then read as different layouts and no conversion can
    // undo both. Any other difference is a fault.
    if (type != FourCC("WIND")) std::abort();
    std::unique_ptr<uint8_t[]> once(new uint8_t[length ? length : 1]);
    std::memcpy(once.get(), data + 1, length);
    ConvertResource(first, type, once.get(), static_cast<uint32_t>(length));
    using zeb::resources::LocateWindowTemplate;
    using zeb::resources::WindowTemplateLayout;
    const bool macBefore = LocateWindowTemplate(data + 1, static_cast<uint32_t>(length)).layout ==
                           WindowTemplateLayout::kMacintosh;
    const bool macAfter = LocateWindowTemplate(once.get(), static_cast<uint32_t>(length)).layout ==
                          WindowTemplateLayout::kMacintosh;
    if (macBefore == macAfter) std::abort();
  }
  return 0;
}

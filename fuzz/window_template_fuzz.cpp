// Hostile 'WIND' templates: telling the two layouts apart and reading one never reaches past the
// resource (AddressSanitizer watches an allocation of exactly its size), and every field the
// reader hands back lies inside it.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "resources/window_template.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace zeb::resources;
  if (size > 0xFFFF) return 0;
  const uint32_t length = static_cast<uint32_t>(size);
  std::unique_ptr<uint8_t[]> bytes(new uint8_t[size ? size : 1]);
  std::memcpy(bytes.get(), data, size);
  const WindowTemplateFields f = LocateWindowTemplate(bytes.get(), length);
  WindowTemplate t{};
  const bool read = ReadWindowTemplate(bytes.get(), length, t);
  if (read != (f.layout != WindowTemplateLayout::kTooShort)) std::abort();
  if (!read) return 0;
  if (f.refConOffset < 0 || static_cast<uint32_t>(f.refConOffset) + 4 > length) std::abort();
  const uint8_t* begin = bytes.get();
  if (t.title < begin || static_cast<uint32_t>(t.title - begin) + 1 + t.title[0] > length)
    std::abort();
  if (t.hasPositioning) {
    const uint32_t at = static_cast<uint32_t>(f.positioningOffset);
    // The word sits behind the title, exactly at the end of the resource.
    if (at + 2 != length || at < static_cast<uint32_t>(t.title - begin) + 1 + t.title[0])
      std::abort();
  }
  return 0;
}

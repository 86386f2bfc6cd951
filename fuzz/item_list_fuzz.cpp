// Hostile item lists, item tables and item texts: walking, parsing and every text and scaling
// rule stay inside their data (AddressSanitizer watches an allocation of exactly its size) and
// keep their limits.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <algorithm>
#include <memory>
#include <string>

#include "dialogs/item_list.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace zeb::itemlist;
  if (size < 1) return 0;
  const uint8_t selector = data[0];
  const size_t length = size - 1;
  std::unique_ptr<uint8_t[]> buffer(new uint8_t[length ? length : 1]);
  std::memcpy(buffer.get(), data + 1, length);
  const uint8_t* p = buffer.get();
  switch (selector % 4) {
    case 0: {
      const auto items = WalkItems(p, length);
      for (const ItemView& v : items) {
        if (v.offset + kItemHeader + v.length > length) std::abort();
        int16_t id;
        if (ItemResourceId(v, &id) && v.length < 2) std::abort();
      }
      if (EndOfItems(p, length) > length) std::abort();
      DefaultTable(items);
      break;
    }
    case 1: {
      ItemTable t;
      if (ParseTable(p, length, selector >> 2, &t))
        for (const TableEntry& e : t.entries)
          if (!e.first || !e.second || e.first > (selector >> 2) || e.second > (selector >> 2)) std::abort();
      break;
    }
    case 2: {
      const std::string text(reinterpret_cast<const char*>(p), length);
      const std::string params[4] = {text.substr(0, 255), text.substr(0, 7), "", text.substr(0, 1)};
      if (ExpandParams(text, params, nullptr).size() > 255) std::abort();
      if (DoubleAmpersands(text, 255).size() > 255) std::abort();
      const std::string shown = ApplyMnemonic(text.substr(0, 255), length ? p[0] : 0, selector & 0x80, 259);
      if (shown.size() > 259) std::abort();
      if (FromCrLf(ToCrLf(text)) != FromCrLf(text)) std::abort();
      break;
    }
    default: {
      if (length < 10) return 0;
      ItemBox b;
      std::memcpy(&b, p, sizeof b);
      const int dpi = 97 + (p[8] | (p[9] << 8)) % 400;
      ScaleWindowBox(&b, dpi, dpi, selector & 0x80);
      ItemBox o;
      std::memcpy(&o, p, sizeof o);
      OffsetItemBox(&o, dpi, dpi, selector & 0x40);
      ScaleCoordinate(static_cast<int16_t>(p[0] | (p[1] << 8)), dpi, selector & 0x20);
      StageGroup(static_cast<uint16_t>(p[2] | (p[3] << 8)), p[4]);
      break;
    }
  }
  return 0;
}

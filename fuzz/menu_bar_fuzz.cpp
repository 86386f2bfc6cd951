// Menu bars: a fuzzed 'MBAR' in disk order is converted as the Resource Manager loads it and
// its IDs are read; the menu list made from them, and the fuzzed bytes taken as a menu list
// given to SetMenuBar, are walked. Every read stays inside its bytes, a count never exceeds
// what the bytes hold, and a list that is accepted names only whole entries.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <vector>

#include "menus/menu_record.h"
#include "resources/byte_order.h"

using namespace zeb::menus;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // An allocation of exactly the resource's size, so that AddressSanitizer sees any overrun.
  std::unique_ptr<uint8_t[]> mbar(new uint8_t[size ? size : 1]);
  std::memcpy(mbar.get(), data, size);
  zeb::byteorder::ConvertResource(zeb::byteorder::kFromDisk, zeb::byteorder::GetBig32("MBAR"),
                                  mbar.get(), static_cast<uint32_t>(size));
  const std::vector<int16_t> ids = MenuBarIDs(mbar.get(), size);
  if (size < 2 && !ids.empty()) __builtin_trap();
  if (size >= 2) {
    if (ids.size() > (size - 2) / 2) __builtin_trap();
    const int16_t count = static_cast<int16_t>(ReadWord(mbar.get()));
    if (count <= 0 && !ids.empty()) __builtin_trap();
    for (size_t i = 0; i < ids.size(); ++i)
      if (ids[i] != static_cast<int16_t>((data[2 + 2 * i] << 8) | data[3 + 2 * i])) __builtin_trap();
  }

  std::vector<uint32_t> menus;
  std::vector<int16_t> widths;
  for (int16_t id : ids) {
    menus.push_back(0x10000u + static_cast<uint16_t>(id));
    widths.push_back(static_cast<int16_t>(id & 0xFF));
  }
  const std::vector<uint8_t> list = MenuListImage(menus, widths);
  if (!MenuListIsWhole(list.data(), list.size())) __builtin_trap();
  const int entries = MenuListCount(list.data(), list.size());
  if (static_cast<size_t>(entries) != ids.size()) __builtin_trap();
  int left = 0;
  for (int i = 0; i < entries; ++i) {
    const uint8_t* e = list.data() + kMenuListHeader + kMenuListEntry * static_cast<size_t>(i);
    if (ReadLong(e) != menus[static_cast<size_t>(i)]) __builtin_trap();
    if (ReadWord(e + 4) != static_cast<uint16_t>(left)) __builtin_trap();
    left += widths[static_cast<size_t>(i)];
  }
  if (ReadWord(list.data() + 2) != static_cast<uint16_t>(left)) __builtin_trap();

  // The same bytes as a list handed to SetMenuBar.
  const bool whole = MenuListIsWhole(data, size);
  const int held = MenuListCount(data, size);
  if (kMenuListHeader + kMenuListEntry * static_cast<size_t>(held) > (size < 6 ? 6 : size))
    __builtin_trap();
  if (whole && static_cast<size_t>(held) * kMenuListEntry != ReadWord(data)) __builtin_trap();
  return 0;
}

// Menu records: a fuzzed 'MENU' image is walked, repaired and edited (items appended from a
// fuzzed metacharacter text, inserted, deleted, renamed); every walk stays inside the image and
// every edit leaves a list that ends in its zero.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "menus/menu_record.h"

using namespace zeb::menus;

namespace {
void Check(const std::vector<uint8_t>& image) {
  const int count = CountItems(image.data(), image.size());
  for (int i = 1; i <= count; ++i) {
    const size_t at = ItemOffset(image.data(), image.size(), i);
    if (!at || at + 1 + image[at] + kItemTrailer > image.size()) __builtin_trap();
  }
  if (ItemOffset(image.data(), image.size(), count + 1) != 0) __builtin_trap();
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 3) return 0;
  // First byte: where the image ends and the metacharacter text begins; second: the item to edit.
  const size_t split = std::min<size_t>(size - 2, data[0] * 2u);
  const int item = static_cast<int8_t>(data[1]);
  std::vector<uint8_t> image(data + 2, data + 2 + split);
  const uint8_t* text = data + 2 + split;
  const size_t textLength = std::min<size_t>(size - 2 - split, 255);
  Check(image);
  if (!FirstItemOffset(image.data(), image.size())) return 0;
  RepairList(image);
  Check(image);
  if (image.back() != 0) __builtin_trap();
  const std::vector<ParsedItem> items = ParseItemText(text, textLength);
  InsertItems(image, item, items, (data[1] & 1) != 0);
  Check(image);
  SetItemText(image, item, text, textLength);
  Check(image);
  DeleteItem(image, item);
  Check(image);
  if (image.back() != 0) __builtin_trap();
  return 0;
}

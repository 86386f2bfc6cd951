// Walking and editing MenuInfo images.
#include "menus/menu_record.h"

#include <algorithm>
#include <cstring>

namespace zeb::menus {

uint16_t ReadWord(const uint8_t* at) { return static_cast<uint16_t>(at[0] | (at[1] << 8)); }
uint32_t ReadLong(const uint8_t* at) {
  return static_cast<uint32_t>(at[0]) | (static_cast<uint32_t>(at[1]) << 8) |
         (static_cast<uint32_t>(at[2]) << 16) | (static_cast<uint32_t>(at[3]) << 24);
}
void WriteWord(uint8_t* at, uint16_t value) {
  at[0] = static_cast<uint8_t>(value);
  at[1] = static_cast<uint8_t>(value >> 8);
}
void WriteLong(uint8_t* at, uint32_t value) {
  for (int i = 0; i < 4; ++i) at[i] = static_cast<uint8_t>(value >> (8 * i));
}

size_t FirstItemOffset(const uint8_t* image, size_t size) {
  if (!image || size <= kTitleOffset) return 0;
  const size_t first = kTitleOffset + 1 + image[kTitleOffset];
  return first <= size ? first : 0;
}

namespace {

// Calls visit(offset, itemNumber) for each whole item; stops when visit answers false.
template <class Visit>
size_t Walk(const uint8_t* image, size_t size, Visit visit) {
  size_t at = FirstItemOffset(image, size);
  if (!at) return 0;
  int item = 0;
  while (at < size && image[at] != 0) {
    const size_t next = at + 1 + image[at] + kItemTrailer;
    if (next > size) break;
    if (!visit(at, ++item)) return at;
    at = next;
  }
  return at;
}

}  // namespace

size_t ItemOffset(const uint8_t* image, size_t size, int item) {
  if (item < 1) return 0;
  size_t found = 0;
  Walk(image, size, [&](size_t at, int n) {
    if (n != item) return true;
    found = at;
    return false;
  });
  return found;
}

int CountItems(const uint8_t* image, size_t size) {
  int count = 0;
  Walk(image, size, [&](size_t, int n) {
    count = n;
    return true;
  });
  return count;
}

size_t ListEnd(const uint8_t* image, size_t size) {
  return Walk(image, size, [](size_t, int) { return true; });
}

std::vector<ParsedItem> ParseItemText(const uint8_t* text, size_t length) {
  std::vector<ParsedItem> items;
  ParsedItem current;
  for (size_t i = 0; i < length; ++i) {
    const uint8_t c = text[i];
    const bool last = i + 1 >= length;
    switch (c) {
      case ';':
      case '\r':
        items.push_back(current);
        current = ParsedItem{};
        continue;
      case '!':
        if (!last) current.mark = text[++i];
        continue;
      case '/':
        if (!last) current.key = text[++i];
        continue;
      case '^':
        if (!last) current.icon = static_cast<uint8_t>(text[++i] - '0');
        continue;
      case '<':
        if (!last) {
          switch (text[++i]) {
            case 'B': current.style |= 1; break;
            case 'I': current.style |= 2; break;
            case 'U': current.style |= 4; break;
            case 'O': current.style |= 8; break;
            case 'S': current.style |= 16; break;
            default: break;
          }
        }
        continue;
      case '(':
        current.disabled = true;
        continue;
      default:
        current.text.push_back(static_cast<char>(c));
        continue;
    }
  }
  items.push_back(current);
  return items;
}

std::string StoredItemText(const std::string& text) {
  if (text.empty()) return " ";
  return text.size() > 255 ? text.substr(0, 255) : text;
}

bool ItemEnabled(uint32_t enableFlags, int item) {
  if (item > kLastFlaggedItem) return true;
  if (item < 0) return false;
  return (enableFlags >> item) & 1;
}

uint32_t ShiftFlagsUp(uint32_t flags, int afterItem, int count) {
  if (count <= 0 || afterItem >= kLastFlaggedItem) return flags;
  const int from = std::max(afterItem, 0) + 1;  // first bit that moves
  const uint32_t keep = from >= 32 ? flags : (flags & ((1u << from) - 1));
  const uint32_t moving = from >= 32 ? 0 : (flags >> from);
  const int to = from + count;
  const uint32_t moved = to >= 32 ? 0 : (moving << to);
  return keep | moved;
}

uint32_t ShiftFlagsDown(uint32_t flags, int removedItem) {
  if (removedItem < 1 || removedItem > kLastFlaggedItem) return flags;
  const uint32_t keep = flags & ((1u << removedItem) - 1);
  const uint32_t above = removedItem >= 31 ? 0 : (flags >> (removedItem + 1));
  return keep | (above << removedItem);
}

namespace {

std::vector<uint8_t> EntryBytes(const ParsedItem& item) {
  const std::string text = StoredItemText(item.text);
  std::vector<uint8_t> bytes;
  bytes.push_back(static_cast<uint8_t>(text.size()));
  bytes.insert(bytes.end(), text.begin(), text.end());
  bytes.push_back(item.icon);
  bytes.push_back(item.key);
  bytes.push_back(item.mark);
  bytes.push_back(item.style);
  return bytes;
}

}  // namespace

void RepairList(std::vector<uint8_t>& image) {
  if (!FirstItemOffset(image.data(), image.size())) return;
  const size_t end = ListEnd(image.data(), image.size());
  image.resize(end);
  image.push_back(0);
}

void InsertItems(std::vector<uint8_t>& image, int afterItem, const std::vector<ParsedItem>& items,
                 bool inReverse) {
  if (!FirstItemOffset(image.data(), image.size()) || items.empty()) return;
  RepairList(image);
  const int count = CountItems(image.data(), image.size());
  afterItem = std::clamp(afterItem, 0, count);
  size_t at = afterItem == 0 ? FirstItemOffset(image.data(), image.size())
                             : ItemOffset(image.data(), image.size(), afterItem);
  if (afterItem > 0) at += 1 + image[at] + kItemTrailer;
  std::vector<uint8_t> bytes;
  uint32_t newBits = 0;
  const int n = static_cast<int>(items.size());
  for (int k = 0; k < n; ++k) {
    const ParsedItem& item = items[static_cast<size_t>(inReverse ? n - 1 - k : k)];
    const std::vector<uint8_t> entry = EntryBytes(item);
    bytes.insert(bytes.end(), entry.begin(), entry.end());
    const int number = afterItem + 1 + k;
    if (!item.disabled && number <= kLastFlaggedItem) newBits |= 1u << number;
  }
  image.insert(image.begin() + static_cast<std::ptrdiff_t>(at), bytes.begin(), bytes.end());
  uint32_t flags = ShiftFlagsUp(ReadLong(&image[kEnableFlagsOffset]), afterItem, n);
  WriteLong(&image[kEnableFlagsOffset], flags | newBits);
}

bool DeleteItem(std::vector<uint8_t>& image, int item) {
  const size_t at = ItemOffset(image.data(), image.size(), item);
  if (!at) return false;
  const size_t length = 1 + image[at] + kItemTrailer;
  image.erase(image.begin() + static_cast<std::ptrdiff_t>(at),
              image.begin() + static_cast<std::ptrdiff_t>(at + length));
  WriteLong(&image[kEnableFlagsOffset],
            ShiftFlagsDown(ReadLong(&image[kEnableFlagsOffset]), item));
  RepairList(image);
  return true;
}

bool SetItemText(std::vector<uint8_t>& image, int item, const uint8_t* text, size_t length) {
  const size_t at = ItemOffset(image.data(), image.size(), item);
  if (!at) return false;
  const std::string stored =
      StoredItemText(std::string(reinterpret_cast<const char*>(text ? text : image.data()),
                                 text ? std::min<size_t>(length, 255) : 0));
  const size_t old = image[at];
  image.erase(image.begin() + static_cast<std::ptrdiff_t>(at + 1),
              image.begin() + static_cast<std::ptrdiff_t>(at + 1 + old));
  image.insert(image.begin() + static_cast<std::ptrdiff_t>(at + 1), stored.begin(), stored.end());
  image[at] = static_cast<uint8_t>(stored.size());
  return true;
}

std::vector<uint8_t> NewMenuImage(int16_t menuID, const uint8_t* title) {
  const size_t length = title ? title[0] : 0;
  std::vector<uint8_t> image(kTitleOffset + 1 + length + 1, 0);
  WriteWord(&image[kMenuIDOffset], static_cast<uint16_t>(menuID));
  WriteLong(&image[kEnableFlagsOffset], 1);
  image[kTitleOffset] = static_cast<uint8_t>(length);
  if (length) std::memcpy(&image[kTitleOffset + 1], title + 1, length);
  return image;
}

std::vector<int16_t> MenuBarIDs(const uint8_t* data, size_t size) {
  std::vector<int16_t> ids;
  if (!data || size < 2) return ids;
  const long count = std::clamp<long>(static_cast<int16_t>(ReadWord(data)), 0,
                                      static_cast<long>((size - 2) / 2));
  ids.reserve(static_cast<size_t>(count));
  for (long i = 0; i < count; ++i)
    ids.push_back(static_cast<int16_t>(ReadWord(data + 2 + 2 * static_cast<size_t>(i))));
  return ids;
}

bool MenuListIsWhole(const uint8_t* list, size_t size) {
  if (!list || size < kMenuListHeader) return false;
  const int last = static_cast<int16_t>(ReadWord(list));
  return last >= 0 && last % static_cast<int>(kMenuListEntry) == 0 &&
         last / static_cast<int>(kMenuListEntry) <= kMostBarMenus &&
         kMenuListHeader + static_cast<size_t>(last) <= size;
}

int MenuListCount(const uint8_t* list, size_t size) {
  if (!list || size < kMenuListHeader) return 0;
  const int last = static_cast<int16_t>(ReadWord(list));
  if (last <= 0) return 0;
  const size_t fit = (size - kMenuListHeader) / kMenuListEntry;
  const size_t count = static_cast<size_t>(last) / kMenuListEntry;
  return static_cast<int>(std::min(count, fit));
}

std::vector<uint8_t> MenuListImage(const std::vector<uint32_t>& menus,
                                   const std::vector<int16_t>& widths) {
  const size_t count = std::min<size_t>(menus.size(), kMostBarMenus);
  std::vector<uint8_t> list(kMenuListHeader + kMenuListEntry * count, 0);
  int right = 0;
  for (size_t i = 0; i < count; ++i) {
    uint8_t* e = list.data() + kMenuListHeader + kMenuListEntry * i;
    WriteLong(e, menus[i]);
    WriteWord(e + 4, static_cast<uint16_t>(right));
    right += i < widths.size() ? widths[i] : 0;
  }
  WriteWord(list.data(), static_cast<uint16_t>(count * kMenuListEntry));
  WriteWord(list.data() + 2, static_cast<uint16_t>(right));
  return list;
}

}  // namespace zeb::menus

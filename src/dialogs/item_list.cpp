// Item lists, item tables and the dialog text and coordinate rules.
#include "dialogs/item_list.h"

#include <algorithm>
#include <cstring>

namespace zeb::itemlist {
namespace {

uint16_t Word(const uint8_t* p) {
  uint16_t v;
  std::memcpy(&v, p, 2);
  return v;
}

int16_t Saturate(long v) {
  return static_cast<int16_t>(std::min<long>(32767, std::max<long>(-32768, v)));
}

// c * num / den rounded, halves away from zero.
long RoundedRatio(long c, long num, long den) {
  const long p = c * num;
  const long q = (2 * (p < 0 ? -p : p) + den) / (2 * den);
  return p < 0 ? -q : q;
}

uint8_t Lower(uint8_t c) { return (c >= 'A' && c <= 'Z') ? static_cast<uint8_t>(c + 32) : c; }

}  // namespace

int DeclaredCount(const uint8_t* list, size_t size) {
  if (!list || size < 2) return 0;
  return static_cast<int16_t>(Word(list)) + 1;
}

std::vector<ItemView> WalkItems(const uint8_t* list, size_t size) {
  std::vector<ItemView> items;
  const int count = DeclaredCount(list, size);
  size_t at = 2;
  for (int i = 0; i < count; ++i) {
    if (at + kItemHeader > size) break;
    ItemView v;
    v.offset = at;
    std::memcpy(&v.box, list + at + 4, sizeof v.box);
    v.type = list[at + 12];
    v.length = list[at + 13];
    if (at + kItemHeader + v.length > size) break;
    v.data = list + at + kItemHeader;
    items.push_back(v);
    at += kItemHeader + ((v.length + 1u) & ~1u);
  }
  return items;
}

size_t EndOfItems(const uint8_t* list, size_t size) {
  const std::vector<ItemView> items = WalkItems(list, size);
  if (items.empty()) return size >= 2 ? 2 : 0;
  const ItemView& last = items.back();
  return std::min(size, last.offset + kItemHeader + ((last.length + 1u) & ~1u));
}

bool ItemResourceId(const ItemView& item, int16_t* id) {
  if (item.length < 2 || !item.data) return false;
  int16_t v;
  std::memcpy(&v, item.data, 2);
  *id = v;
  return true;
}

const TableEntry* ItemTable::For(int item) const {
  for (const TableEntry& e : entries)
    if (e.second == item) return &e;
  return nullptr;
}

const TableEntry* ItemTable::Labelled(int item) const {
  for (const TableEntry& e : entries)
    if (e.first == item && e.second != item) return &e;
  return nullptr;
}

bool ParseTable(const uint8_t* data, size_t size, int itemCount, ItemTable* table) {
  *table = ItemTable{};
  if (!data || size < 4) return false;
  table->band = data[0];
  table->flags = data[1];
  table->fromResource = true;
  const size_t declared = Word(data + 2);
  const size_t fit = (size - 4) / 4;
  for (size_t i = 0; i < std::min(declared, fit); ++i) {
    const uint8_t* p = data + 4 + 4 * i;
    TableEntry e{p[0], p[1], p[2], p[3]};
    if (e.first == 0 || e.second == 0 || e.first > itemCount || e.second > itemCount) continue;
    table->entries.push_back(e);
  }
  return true;
}

ItemTable DefaultTable(const std::vector<ItemView>& items) {
  ItemTable t;
  int group = 0;
  bool inRun = false;
  for (size_t i = 0; i < items.size() && i < 255; ++i) {
    const bool radio = (items[i].type & ~kDisabledBit) == kRadio;
    if (radio && !inRun && group < 15) ++group;
    inRun = radio;
    if (radio) {
      const auto n = static_cast<uint8_t>(i + 1);
      t.entries.push_back(TableEntry{n, n, 0, static_cast<uint8_t>(group << 4)});
    }
  }
  return t;
}

std::string DoubleAmpersands(const std::string& text, size_t limit) {
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '&') {
      const bool pair = i + 1 < text.size() && text[i + 1] == '&';
      if (out.size() + 2 > limit) break;
      out += "&&";
      if (pair) ++i;
      continue;
    }
    if (out.size() + 1 > limit) break;
    out += text[i];
  }
  return out;
}

std::string ApplyMnemonic(const std::string& text, uint8_t c, bool doubleByte, size_t limit) {
  if (!c || c == ' ') return text;
  if (doubleByte) {
    if (text.size() + 4 > limit) return text;
    std::string out = text;
    out += "(&";
    out += static_cast<char>(c);
    out += ')';
    return out;
  }
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '&') {
      ++i;  // "&&" is a literal ampersand
      continue;
    }
    if (Lower(static_cast<uint8_t>(text[i])) == Lower(c)) {
      if (text.size() + 1 > limit) return text;
      return text.substr(0, i) + "&" + text.substr(i);
    }
  }
  return text;
}

std::string ExpandParams(const std::string& text, const std::string params[4], unsigned* used) {
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '^' && i + 1 < text.size() && text[i + 1] >= '0' && text[i + 1] <= '3') {
      const int n = text[i + 1] - '0';
      if (used) *used |= 1u << n;
      out += params[n];
      ++i;
    } else {
      out += text[i];
    }
    if (out.size() >= 255) {
      out.resize(255);
      break;
    }
  }
  return out;
}

std::string ToCrLf(const std::string& text) {
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    out += text[i];
    if (text[i] == '\r' && !(i + 1 < text.size() && text[i + 1] == '\n')) out += '\n';
  }
  return out;
}

std::string FromCrLf(const std::string& text) {
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
      out += '\r';
      ++i;
    } else {
      out += text[i];
    }
  }
  return out;
}

int16_t ScaleCoordinate(int16_t c, int dpi, bool up) {
  if (dpi <= 0) return c;
  return Saturate(up ? RoundedRatio(c, dpi, 96) : RoundedRatio(c, 96, dpi));
}

void ScaleWindowBox(ItemBox* box, int dpiH, int dpiV, bool up) {
  const long w = box->right - box->left, h = box->bottom - box->top;
  const long nw = up ? RoundedRatio(w, dpiH, 96) : RoundedRatio(w, 96, dpiH);
  const long nh = up ? RoundedRatio(h, dpiV, 96) : RoundedRatio(h, 96, dpiV);
  const long left = box->left - (nw - w + 1) / 2;
  const long top = box->top - (nh - h + 1) / 2;
  box->left = Saturate(left);
  box->top = Saturate(top);
  box->right = Saturate(box->left + nw);
  box->bottom = Saturate(box->top + nh);
}

void OffsetItemBox(ItemBox* box, int dpiH, int dpiV, bool up) {
  const long w = box->right - box->left, h = box->bottom - box->top;
  ItemBox s{ScaleCoordinate(box->top, dpiV, up), ScaleCoordinate(box->left, dpiH, up),
            ScaleCoordinate(box->bottom, dpiV, up), ScaleCoordinate(box->right, dpiH, up)};
  const long cx = (static_cast<long>(s.left) + s.right) / 2;
  const long cy = (static_cast<long>(s.top) + s.bottom) / 2;
  box->left = Saturate(cx - w / 2);
  box->top = Saturate(cy - h / 2);
  box->right = Saturate(box->left + w);
  box->bottom = Saturate(box->top + h);
}

uint8_t StageGroup(uint16_t stages, int stage) {
  // Where each stage's nibble lands after the load-time conversion of the stages word.
  static const int kShift[4] = {4, 0, 12, 8};
  const int s = std::min(std::max(stage, 0), 3);
  return static_cast<uint8_t>((stages >> kShift[s]) & 0xF);
}

}  // namespace zeb::itemlist

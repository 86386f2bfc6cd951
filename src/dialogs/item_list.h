// Item lists ('DITL'), item tables ('ZEBD') and the text and coordinate rules of dialog items:
// the host-independent part of the Dialog Manager.
#ifndef ZEB_DIALOGS_ITEM_LIST_H
#define ZEB_DIALOGS_ITEM_LIST_H

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace zeb::itemlist {

// Item types (the disabled bit apart).
enum ItemKind : uint8_t {
  kUser = 0,
  kButton = 4,
  kCheckBox = 5,
  kRadio = 6,
  kResourceControl = 7,
  kStaticText = 8,
  kEditText = 16,
  kIcon = 32,
  kPicture = 64,
};
constexpr uint8_t kDisabledBit = 0x80;
constexpr size_t kItemHeader = 14;  // handle 4, rectangle 8, type 1, length 1

struct ItemBox {
  int16_t top, left, bottom, right;
};

// One item as found in a list (host byte order): where it starts, its data and its bounds.
struct ItemView {
  size_t offset = 0;  // of the item's handle field
  ItemBox box{};
  uint8_t type = 0;
  uint8_t length = 0;
  const uint8_t* data = nullptr;
};

// Walks a converted item list: the items whose header and data lie wholly inside size bytes,
// at most count + 1 of them. A count or length beyond the data ends the walk there.
std::vector<ItemView> WalkItems(const uint8_t* list, size_t size);
// The declared count (the first word + 1), 0 for a list shorter than its count word.
int DeclaredCount(const uint8_t* list, size_t size);
// The 16-bit resource ID in an item's data (controls, icons, pictures); false without 2 bytes.
bool ItemResourceId(const ItemView& item, int16_t* id);
// The offset past the last whole item.
size_t EndOfItems(const uint8_t* list, size_t size);

// An item table ('ZEBD', converted: the entry count in host order, the rest bytes).
struct TableEntry {
  uint8_t first = 0;   // a label static text, or the item itself
  uint8_t second = 0;  // the item the flags describe
  uint8_t mnemonic = 0;
  uint8_t flags = 0;
};
constexpr uint8_t kEntryCombo = 0x01;
constexpr uint8_t kEntryMultiLine = 0x02;
constexpr uint8_t kEntryNoTabStop = 0x04;  // also: a user item becomes a group box
constexpr uint8_t kTableDialogFont = 0x80;
constexpr uint8_t kTableTabOrder = 0x40;
constexpr uint8_t kTableSwapFirstTwo = 0x20;
constexpr uint8_t kTableWhite = 0x10;

struct ItemTable {
  uint8_t band = 0;
  uint8_t flags = 0;
  std::vector<TableEntry> entries;
  bool fromResource = false;
  // The entry whose second item is item (1-based), null for none.
  const TableEntry* For(int item) const;
  // The entry whose first item is item.
  const TableEntry* Labelled(int item) const;
};
// Parses a table; entries past the data are dropped, entries naming items above itemCount (or
// item 0) are ignored. False when not even the 4-byte header is there.
bool ParseTable(const uint8_t* data, size_t size, int itemCount, ItemTable* table);
// The table made from the item list when a dialog has none: each run of radio buttons is a
// group, numbered from 1.
ItemTable DefaultTable(const std::vector<ItemView>& items);
inline int RadioGroup(const TableEntry* e) { return e ? e->flags >> 4 : 0; }

// Text rules of item windows (bytes of the Macintosh character set; length-prefixed input).
// Every single "&" doubled, pairs kept, so that the text shows literally; at most limit bytes.
std::string DoubleAmpersands(const std::string& text, size_t limit);
// The mnemonic marker: "&" before the first occurrence of c (any case), or, for double-byte
// systems, "(&c)" appended. A blank or a character not in the text changes nothing (single
// byte) ; the result never passes limit.
std::string ApplyMnemonic(const std::string& text, uint8_t c, bool doubleByte, size_t limit);
// ParamText: "^0".."^3" replaced by the parameters, at most 255 bytes. used receives a bit per
// placeholder met.
std::string ExpandParams(const std::string& text, const std::string params[4], unsigned* used);
// Edit items: CR to CR LF (to Windows) and CR LF to CR (back).
std::string ToCrLf(const std::string& text);
std::string FromCrLf(const std::string& text);

// Scaling for screens above 96 dots per inch: round(c * dpi / 96) up, round(c * 96 / dpi)
// down, halves away from zero, saturated to 16 bits.
int16_t ScaleCoordinate(int16_t c, int dpi, bool up);
// ZEB_ScaleDlgWindow: width and height scaled, the centre kept.
void ScaleWindowBox(ItemBox* box, int dpiH, int dpiV, bool up);
// ZEB_OffsetDlgItemRect: the position scaled, the size kept (centred on the scaled centre).
void OffsetItemBox(ItemBox* box, int dpiH, int dpiV, bool up);

// Alert stages: the 4-bit group of the converted stages word for stage 0..3 (stage 4 and later
// use the last).
uint8_t StageGroup(uint16_t stages, int stage);
inline bool StageDraws(uint8_t group) { return (group & 0x2) != 0; }
inline int StageBoldItem(uint8_t group) { return (group & 0x1) ? 2 : 1; }
inline int StageSound(uint8_t group) { return (group >> 2) & 0x3; }

}  // namespace zeb::itemlist

#endif  // ZEB_DIALOGS_ITEM_LIST_H

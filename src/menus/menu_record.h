// The MenuInfo record as bytes: the converted 'MENU' image that a MenuHandle's block holds.
// Host-independent: walks and edits work on a byte image bounded by the block's size, so a
// damaged record (a list missing its zero, a length running past the end) is read up to its
// last whole item and never beyond.
//
// Layout (two-byte packed, numbers in host order after conversion): menuID at 0, menuWidth at
// 2, menuHeight at 4, menuProc (32 bits) at 6, enableFlags (32 bits) at 10, the title as a
// length-prefixed string at 14, then the items, then a zero byte. An item is its text as a
// length-prefixed string followed by four bytes: icon, key equivalent, mark, style.
#ifndef ZEB_MENUS_MENU_RECORD_H
#define ZEB_MENUS_MENU_RECORD_H

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace zeb::menus {

constexpr size_t kMenuIDOffset = 0;
constexpr size_t kMenuWidthOffset = 2;
constexpr size_t kMenuHeightOffset = 4;
constexpr size_t kMenuProcOffset = 6;
constexpr size_t kEnableFlagsOffset = 10;
constexpr size_t kTitleOffset = 14;
// The four bytes after an item's text.
constexpr size_t kItemTrailer = 4;
enum ItemField : int { kIconField = 0, kKeyField = 1, kMarkField = 2, kStyleField = 3 };

// Key-equivalent bytes with meanings of their own: a hierarchical item (its mark names the
// submenu), and items whose icon is drawn 16 by 16 (0x1D a reduced 'ICON', 0x1E a 'SICN').
constexpr uint8_t kHierarchicalKey = 0x1B;
constexpr uint8_t kReducedIconKey = 0x1D;
constexpr uint8_t kSmallIconKey = 0x1E;
constexpr uint8_t kCheckMark = 0x12;
// Style bits beyond the Toolbox's five: drawn as strike-out, and the key equivalent as
// Ctrl+Shift.
constexpr uint8_t kStrikeOutStyle = 0x40;
constexpr uint8_t kShiftedKeyStyle = 0x80;

// Items past 31 have no enable bit and are always enabled.
constexpr int kLastFlaggedItem = 31;

uint16_t ReadWord(const uint8_t* at);
uint32_t ReadLong(const uint8_t* at);
void WriteWord(uint8_t* at, uint16_t value);
void WriteLong(uint8_t* at, uint32_t value);

// Offset of the first item's length byte; 0 when the image is too short for its header and
// title.
size_t FirstItemOffset(const uint8_t* image, size_t size);
// Offset of item n's length byte (1-based) when that item is whole inside the image, else 0.
size_t ItemOffset(const uint8_t* image, size_t size, int item);
// Items that lie whole in the image before the terminating zero (or the image's end).
int CountItems(const uint8_t* image, size_t size);
// Where the terminating zero of the list stands (or should stand): just after the last whole
// item.
size_t ListEnd(const uint8_t* image, size_t size);

// An item as the metacharacters of AppendMenu describe it.
struct ParsedItem {
  std::string text;
  uint8_t icon = 0, key = 0, mark = 0, style = 0;
  bool disabled = false;  // the text held "("
};
// Splits an AppendMenu text at ";" and carriage return. "!" takes the next character as the
// mark, "/" as the key equivalent, "^" as the icon number (character minus "0"), "<" as a
// style letter (B, I, U, O, S; several accumulate), "(" disables. A metacharacter that ends
// the text has nothing to take and is dropped.
std::vector<ParsedItem> ParseItemText(const uint8_t* text, size_t length);

// The text stored for an item: a zero length byte would end the list and lose every later
// item, so an empty text is kept as one space.
std::string StoredItemText(const std::string& text);

// Edits of an image (a complete copy of the block; the caller writes it back). Each answers
// false and leaves the image as it was when the item does not exist.
//
// Inserts items after item afterItem (clamped to 0..count). Enable bits of the items above the
// insertion point move up by the number inserted; each new item's bit is set unless it is
// disabled. inReverse inserts them in reverse order of appearance (InsertMenuItem).
void InsertItems(std::vector<uint8_t>& image, int afterItem, const std::vector<ParsedItem>& items,
                 bool inReverse);
// Removes an item: its enable bit is cleared and the bits above it move down by one.
bool DeleteItem(std::vector<uint8_t>& image, int item);
// Replaces the text of an item (resized in place).
bool SetItemText(std::vector<uint8_t>& image, int item, const uint8_t* text, size_t length);
// A whole image whose list is missing its zero, or has bytes after it, gets exactly one zero
// after its last whole item.
void RepairList(std::vector<uint8_t>& image);

// A new menu's image: menuID, width and height 0, no definition, enableFlags 1 (the menu
// enabled, no item yet), the title and the empty list.
std::vector<uint8_t> NewMenuImage(int16_t menuID, const uint8_t* title);

// Enable bits: whether item (1..31) or the menu (0) is enabled; items past 31 always are.
bool ItemEnabled(uint32_t enableFlags, int item);
uint32_t ShiftFlagsUp(uint32_t flags, int afterItem, int count);
uint32_t ShiftFlagsDown(uint32_t flags, int removedItem);

// The menu list behind GetMenuBar: a 6-byte header (lastMenu = 6 x the number of menus,
// lastRight, a word carried along) and 6-byte entries (the MenuHandle as 32 bits, the title's
// left edge).
constexpr size_t kMenuListHeader = 6;
constexpr size_t kMenuListEntry = 6;
// lastMenu is a signed 16-bit offset: at most this many entries fit.
constexpr int kMostBarMenus = 5461;

// The menu IDs an 'MBAR' (in host order: a count, then that many IDs) lists. The count is
// bounded by the IDs the resource holds; a negative count lists nothing.
std::vector<int16_t> MenuBarIDs(const uint8_t* data, size_t size);
// Whether a menu list names only whole entries inside itself: lastMenu a non-negative
// multiple of 6, at most kMostBarMenus entries, header and entries within size.
bool MenuListIsWhole(const uint8_t* list, size_t size);
// Entries a menu list holds whole: lastMenu / 6, bounded by its size (0 for a damaged header).
int MenuListCount(const uint8_t* list, size_t size);
// A menu list of the given menus (32-bit handles) with left edges running from 0 by each
// menu's width; lastRight is the total.
std::vector<uint8_t> MenuListImage(const std::vector<uint32_t>& menus,
                                   const std::vector<int16_t>& widths);

}  // namespace zeb::menus

#endif  // ZEB_MENUS_MENU_RECORD_H

// Menu texts for Windows menus, the key-equivalent suffixes and the command identifiers that
// carry a Toolbox (menu, item) through a Windows menu. Host-independent.
#ifndef ZEB_MENUS_MENU_TEXT_H
#define ZEB_MENUS_MENU_TEXT_H

#include <cstddef>
#include <cstdint>
#include <string>

namespace zeb::menus {

// The most ZEB_CopyMacPtoWinC writes: every byte of a 255-byte text the four of "(tm)", one
// mnemonic marker and the zero.
constexpr size_t kWinMenuTextCapacity = 4 * 255 + 2;

struct MenuTextConversion {
  bool ownMnemonics = false;  // session flag 0x02: "&" in the text is the mnemonic marker
  bool tables = true;         // upper-half characters through the character tables
  bool (*isLeadByte)(uint8_t byte) = nullptr;  // double-byte text, else null
};

// A length-prefixed menu text as a Windows menu text (zero-terminated, at most
// kWinMenuTextCapacity bytes with the zero, never more than capacity). usedLetters (26 flags,
// or null for no mnemonic) receives the letter chosen. Answers the bytes before the zero.
size_t CopyMacToWindowsMenuText(const uint8_t* pstr, char* dest, size_t capacity,
                                uint8_t* usedLetters, const MenuTextConversion& how);

// The application's four formats of the key-equivalent text (strings 1025, 1031, 1036, 1037),
// each with one "%s" for the key name; an empty one gives no suffix.
struct KeyFormats {
  std::string ctrl, shiftedCtrl, function, shiftedFunction;
};
// Builds a suffix from a format: the first "%s" is replaced by the key name, any other "%"
// stays literal. A format is text, never a printf format.
std::string FormatKeyText(const std::string& format, const std::string& keyName);

struct KeyEquivalent {
  bool present = false;
  bool function = false;  // a function key rather than a Ctrl key
  bool shifted = false;
  std::string name;       // "Q", "F5"
  int functionNumber = 0;
};
// What an item's key-equivalent bytes stand for. digitFunctionKeys is session flag 0x80;
// extended is ZEB_SystemValue selector 51, where the icon byte encodes the accelerator.
KeyEquivalent DescribeKeyEquivalent(uint8_t key, uint8_t style, uint8_t icon, const uint8_t* text,
                                    size_t textLength, bool digitFunctionKeys, bool extended);
std::string KeyEquivalentText(const KeyEquivalent& key, const KeyFormats& formats);
// Whether, under the extended option, the icon byte encodes the accelerator (so it is no icon).
bool IconByteIsAccelerator(uint8_t key, uint8_t icon, const uint8_t* text, size_t textLength,
                           bool extended);

// Command identifiers: (slot << 8) | (item - 1). Slots 1..254 are usable; identifiers below
// 0x100 belong to no slot, and slot 255 would let item 256 collide with the quit command 0xFFFF.
constexpr int kFirstSlot = 1;
constexpr int kLastSlot = 254;
constexpr int kMaxItemsPerSlot = 256;
constexpr uint16_t kQuitCommand = 0xFFFF;
// The identifier of an item, or 0 when the slot or the item has none (such items are greyed).
uint16_t EncodeCommand(int slot, int item);
// The 0-based index of the command table that an identifier names, or -1.
int CommandSlotIndex(uint16_t command);
inline int CommandItem(uint16_t command) { return (command & 0xFF) + 1; }

}  // namespace zeb::menus

#endif  // ZEB_MENUS_MENU_TEXT_H

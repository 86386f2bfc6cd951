// Menu texts, key-equivalent suffixes and command identifiers.
#include "menus/menu_text.h"

#include <cstring>

#include "menus/menu_record.h"
#include "quickdraw/character_sets.h"

namespace zeb::menus {
namespace {

constexpr uint8_t kMacEllipsis = 0xC9;
constexpr uint8_t kMacEnDash = 0xD1;
constexpr uint8_t kMacOpenDoubleQuote = 0xD2;
constexpr uint8_t kMacCloseDoubleQuote = 0xD3;
constexpr uint8_t kMacTradeMark = 0xAA;
// A double-byte system's filler byte, which has no glyph.
constexpr uint8_t kDoubleByteFiller = 0xFF;

const char* Substitute(uint8_t c) {
  switch (c) {
    case kMacEllipsis: return "...";
    case kMacEnDash: return "-";
    case kMacOpenDoubleQuote:
    case kMacCloseDoubleQuote: return "\"";
    case kMacTradeMark: return "(tm)";
    default: return nullptr;
  }
}

bool IsLetter(uint8_t c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }
int LetterIndex(uint8_t c) { return (c | 0x20) - 'a'; }
bool IsVowel(uint8_t c) {
  switch (c | 0x20) {
    case 'a': case 'e': case 'i': case 'o': case 'u': return true;
    default: return false;
  }
}

// Where the mnemonic goes: the index in the text of the letter to mark, or -1.
int ChooseMnemonic(const uint8_t* text, size_t length, const uint8_t* used,
                   bool (*isLead)(uint8_t)) {
  bool wordStartFree = false, consonantFree = false;
  bool atWordStart = true;
  for (size_t i = 0; i < length; ++i) {
    const uint8_t c = text[i];
    if (isLead && isLead(c)) {
      ++i;
      atWordStart = false;
      continue;
    }
    if (IsLetter(c) && !used[LetterIndex(c)]) {
      if (atWordStart) wordStartFree = true;
      if (!IsVowel(c)) consonantFree = true;
    }
    atWordStart = c == ' ' || c == '(';
  }
  atWordStart = true;
  for (size_t i = 0; i < length; ++i) {
    const uint8_t c = text[i];
    if (isLead && isLead(c)) {
      ++i;
      atWordStart = false;
      continue;
    }
    if (IsLetter(c) && !used[LetterIndex(c)]) {
      if (wordStartFree) {
        if (atWordStart) return static_cast<int>(i);
      } else if (!consonantFree || !IsVowel(c)) {
        return static_cast<int>(i);
      }
    }
    atWordStart = c == ' ' || c == '(';
  }
  return -1;
}

}  // namespace

size_t CopyMacToWindowsMenuText(const uint8_t* pstr, char* dest, size_t capacity,
                                uint8_t* usedLetters, const MenuTextConversion& how) {
  if (!dest || capacity == 0) return 0;
  if (capacity > kWinMenuTextCapacity) capacity = kWinMenuTextCapacity;
  size_t n = 0;
  auto fits = [&](size_t bytes) { return n + bytes < capacity; };
  const size_t length = pstr ? pstr[0] : 0;
  const uint8_t* text = pstr ? pstr + 1 : nullptr;
  int mnemonic = -1;
  if (!how.ownMnemonics && usedLetters && text)
    mnemonic = ChooseMnemonic(text, length, usedLetters, how.isLeadByte);
  for (size_t i = 0; i < length; ++i) {
    const uint8_t c = text[i];
    if (how.isLeadByte && how.isLeadByte(c)) {
      if (i + 1 >= length || !fits(2)) break;
      dest[n++] = static_cast<char>(c);
      dest[n++] = static_cast<char>(text[++i]);
      continue;
    }
    if (how.isLeadByte && c == kDoubleByteFiller) continue;
    if (c == '&') {
      if (how.ownMnemonics) {
        if (!fits(1)) break;
        dest[n++] = '&';
        if (usedLetters && i + 1 < length && IsLetter(text[i + 1]))
          usedLetters[LetterIndex(text[i + 1])] = 1;
        continue;
      }
      // "&&" in the text is already one literal "&"; a single one is doubled.
      if (!fits(2)) break;
      dest[n++] = '&';
      dest[n++] = '&';
      if (i + 1 < length && text[i + 1] == '&') ++i;
      continue;
    }
    if (static_cast<int>(i) == mnemonic) {
      if (!fits(2)) break;
      dest[n++] = '&';
      usedLetters[LetterIndex(c)] = 1;
    }
    if (const char* sub = Substitute(c)) {
      const size_t bytes = std::strlen(sub);
      if (!fits(bytes)) break;
      for (size_t k = 0; k < bytes; ++k) dest[n++] = sub[k];
      continue;
    }
    if (!fits(1)) break;
    dest[n++] = static_cast<char>(how.tables ? quickdraw::MacToWindowsChar(c) : c);
  }
  dest[n] = '\0';
  return n;
}

std::string FormatKeyText(const std::string& format, const std::string& keyName) {
  const size_t at = format.find("%s");
  if (at == std::string::npos) return format;
  return format.substr(0, at) + keyName + format.substr(at + 2);
}

bool IconByteIsAccelerator(uint8_t key, uint8_t icon, const uint8_t* text, size_t textLength,
                           bool extended) {
  if (!extended) return false;
  if (textLength > 0 && text && (text[0] == '-' || text[0] == ':')) return false;
  if (key == kSmallIconKey || key == kReducedIconKey || key == kHierarchicalKey) return false;
  return (icon & 0x40) == 0;
}

KeyEquivalent DescribeKeyEquivalent(uint8_t key, uint8_t style, uint8_t icon, const uint8_t* text,
                                    size_t textLength, bool digitFunctionKeys, bool extended) {
  KeyEquivalent k;
  if (key == kHierarchicalKey || key == kReducedIconKey || key == kSmallIconKey) return k;
  const bool styleShift = (style & kShiftedKeyStyle) != 0;
  if (IconByteIsAccelerator(key, icon, text, textLength, extended) && icon != 0) {
    k.shifted = (icon & 0x20) != 0 || styleShift;
    if (icon & 0x80) {
      int number = icon & 31;
      // Function key 10 is the menu key of Windows: it is shown, and matched, as Shift+F9.
      if (number == 10) {
        number = 9;
        k.shifted = true;
      }
      if (number == 0) return KeyEquivalent{};
      k.present = true;
      k.function = true;
      k.functionNumber = number;
      k.name = "F" + std::to_string(number);
      return k;
    }
    if (key == 0) return KeyEquivalent{};
    k.present = true;
    k.name = std::string(1, static_cast<char>(key >= 'a' && key <= 'z' ? key - 32 : key));
    return k;
  }
  if (key == 0 || key < 0x20) return KeyEquivalent{};
  k.present = true;
  k.shifted = styleShift;
  if (digitFunctionKeys && ((key >= '0' && key <= '9') || key == ':' || key == ';' || key == '<')) {
    k.function = true;
    if (key >= '1' && key <= '9') k.functionNumber = key - '0';
    else if (key == '<') k.functionNumber = 12;
    else k.functionNumber = 11;
    k.name = "F" + std::to_string(k.functionNumber);
    return k;
  }
  if (key >= 'a' && key <= 'z') {
    k.name = std::string(1, static_cast<char>(key - 32));
    k.shifted = true;
  } else {
    k.name = std::string(1, static_cast<char>(key));
  }
  return k;
}

std::string KeyEquivalentText(const KeyEquivalent& key, const KeyFormats& formats) {
  if (!key.present) return std::string();
  const std::string& format = key.function ? (key.shifted ? formats.shiftedFunction : formats.function)
                                           : (key.shifted ? formats.shiftedCtrl : formats.ctrl);
  if (format.empty()) return std::string();
  return FormatKeyText(format, key.name);
}

uint16_t EncodeCommand(int slot, int item) {
  if (slot < kFirstSlot || slot > kLastSlot || item < 1 || item > kMaxItemsPerSlot) return 0;
  return static_cast<uint16_t>((slot << 8) | (item - 1));
}

int CommandSlotIndex(uint16_t command) {
  const int slot = command >> 8;
  if (slot < kFirstSlot || slot > kLastSlot) return -1;
  return slot - 1;
}

}  // namespace zeb::menus

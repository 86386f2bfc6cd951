// Windows menu texts with mnemonics, key-equivalent suffixes and command identifiers.
#include <gtest/gtest.h>

#include <string>

#include "menus/menu_text.h"

namespace {

using namespace zeb::menus;

std::string Win(const std::string& text, uint8_t* used, MenuTextConversion how = {},
                size_t capacity = kWinMenuTextCapacity) {
  std::string p(1, static_cast<char>(text.size()));
  p += text;
  std::string out(capacity, '\x7F');
  const size_t n = CopyMacToWindowsMenuText(reinterpret_cast<const uint8_t*>(p.data()), out.data(),
                                            capacity, used, how);
  EXPECT_EQ(out[n], '\0');
  return out.substr(0, n);
}

TEST(MenuText, MnemonicPrefersFreeWordStarts) {
  uint8_t used[26] = {};
  EXPECT_EQ(Win("Open File", used), "&Open File");
  EXPECT_EQ(Win("Options", used), "O&ptions");
  // Word starts after a blank or "(": "Save (as)" takes S, then "Sort (all)" takes "a".
  EXPECT_EQ(Win("Save", used), "&Save");
  EXPECT_EQ(Win("Sort (all)", used), "Sort (&all)");
  // Without a free word start the first free consonant wins over vowels.
  uint8_t used2[26] = {};
  used2['e' - 'a'] = 1;
  EXPECT_EQ(Win("Edit", used2), "E&dit");
  // Only vowels left: the first free one.
  uint8_t used3[26] = {};
  for (char c : std::string("bcdfg")) used3[c - 'a'] = 1;
  used3['a' - 'a'] = 1;
  EXPECT_EQ(Win("Aie", used3), "A&ie");
  // No letter array: no mnemonic.
  EXPECT_EQ(Win("Plain", nullptr), "Plain");
}

TEST(MenuText, AmpersandsAreDoubledUnlessTheTextCarriesItsOwn) {
  uint8_t used[26] = {};
  EXPECT_EQ(Win("Fish & Chips", nullptr), "Fish && Chips");
  EXPECT_EQ(Win("A&&B", nullptr), "A&&B");
  MenuTextConversion own;
  own.ownMnemonics = true;
  EXPECT_EQ(Win("&Print", used, own), "&Print");
  EXPECT_EQ(used['p' - 'a'], 1);
}

TEST(MenuText, MacintoshCharactersAndOutputBound) {
  MenuTextConversion plain;
  plain.tables = false;
  EXPECT_EQ(Win("Save\xC9", nullptr, plain), "Save...");
  EXPECT_EQ(Win("a\xD1" "b \xD2q\xD3 X\xAA", nullptr, plain), "a-b \"q\" X(tm)");
  // 255 trade marks fit the documented capacity exactly, with a mnemonic-free text.
  const std::string worst(255, '\xAA');
  const std::string out = Win(worst, nullptr, plain);
  EXPECT_EQ(out.size(), 255u * 4);
  // A small buffer is never overrun and never cut inside a substitution.
  EXPECT_EQ(Win("ab\xC9", nullptr, plain, 5), "ab");
  // A double-byte lead byte ending the text is dropped; the filler byte 0xFF is dropped.
  MenuTextConversion dbcs;
  dbcs.tables = false;
  dbcs.isLeadByte = [](uint8_t c) { return c >= 0x81 && c <= 0x9F; };
  EXPECT_EQ(Win("A\x82\xA0" "B\xFF\x82", nullptr, dbcs), "A\x82\xA0" "B");
}

KeyFormats Formats() {
  return KeyFormats{"\tCtrl+%s", "\tCtrl+Shift+%s", "\t%s", "\tShift+%s"};
}

std::string Suffix(uint8_t key, uint8_t style = 0, uint8_t icon = 0, bool fkeys = false,
                   bool extended = false, const std::string& text = "Item") {
  return KeyEquivalentText(
      DescribeKeyEquivalent(key, style, icon, reinterpret_cast<const uint8_t*>(text.data()),
                            text.size(), fkeys, extended),
      Formats());
}

TEST(MenuText, KeyEquivalentSuffixes) {
  EXPECT_EQ(Suffix('Q'), "\tCtrl+Q");
  EXPECT_EQ(Suffix('q'), "\tCtrl+Shift+Q");
  EXPECT_EQ(Suffix('Q', 0x80), "\tCtrl+Shift+Q");
  EXPECT_EQ(Suffix(0), "");
  EXPECT_EQ(Suffix(0x1B), "");
  EXPECT_EQ(Suffix(0x1E), "");
  // Digits as function keys.
  EXPECT_EQ(Suffix('5', 0, 0, true), "\tF5");
  EXPECT_EQ(Suffix('0', 0, 0, true), "\tF11");
  EXPECT_EQ(Suffix(';', 0, 0, true), "\tF11");
  EXPECT_EQ(Suffix('<', 0x80, 0, true), "\tShift+F12");
  EXPECT_EQ(Suffix('5', 0, 0, false), "\tCtrl+5");
}

TEST(MenuText, ExtendedOptionReadsTheIconByte) {
  EXPECT_EQ(Suffix(0, 0, 0x80 | 4, false, true), "\tF4");
  EXPECT_EQ(Suffix(0, 0, 0x80 | 0x20 | 4, false, true), "\tShift+F4");
  EXPECT_EQ(Suffix(0, 0, 0x80 | 10, false, true), "\tShift+F9");
  EXPECT_EQ(Suffix('S', 0, 0x20, false, true), "\tCtrl+Shift+S");
  // Bit 6, separators and ":" texts keep the byte as an icon.
  EXPECT_EQ(Suffix(0, 0, 0x40 | 0x80 | 4, false, true), "");
  EXPECT_EQ(Suffix(0, 0, 0x84, false, true, "-"), "");
  EXPECT_FALSE(IconByteIsAccelerator('S', 0x84, reinterpret_cast<const uint8_t*>(":x"), 2, true));
  EXPECT_TRUE(IconByteIsAccelerator('S', 0x84, reinterpret_cast<const uint8_t*>("x"), 1, true));
  EXPECT_FALSE(IconByteIsAccelerator('S', 0x84, reinterpret_cast<const uint8_t*>("x"), 1, false));
}

TEST(MenuText, FormatsAreTextNotPrintfFormats) {
  EXPECT_EQ(FormatKeyText("%d %s %s %n", "Q"), "%d Q %s %n");
  EXPECT_EQ(FormatKeyText("no slot", "Q"), "no slot");
  // A missing application string gives no suffix.
  KeyFormats none;
  EXPECT_EQ(KeyEquivalentText(DescribeKeyEquivalent('Q', 0, 0, nullptr, 0, false, false), none), "");
}

TEST(MenuText, CommandIdentifiers) {
  EXPECT_EQ(EncodeCommand(2, 4), 0x0203);
  EXPECT_EQ(CommandSlotIndex(0x0203), 1);
  EXPECT_EQ(CommandItem(0x0203), 4);
  EXPECT_EQ(EncodeCommand(1, 256), 0x01FF);
  // No identifier for items past 256, slot 255 or slot 0.
  EXPECT_EQ(EncodeCommand(1, 257), 0);
  EXPECT_EQ(EncodeCommand(255, 256), 0);
  EXPECT_EQ(EncodeCommand(0, 1), 0);
  // Identifiers below 0x100, and slot 255's (a failed registration's 0xFF00), name no slot.
  EXPECT_EQ(CommandSlotIndex(0x00FF), -1);
  EXPECT_EQ(CommandSlotIndex(0x0001), -1);
  EXPECT_EQ(CommandSlotIndex(0xFF00), -1);
  EXPECT_EQ(CommandSlotIndex(kQuitCommand), -1);
  EXPECT_EQ(CommandSlotIndex(0xFE05), 253);
}

}  // namespace

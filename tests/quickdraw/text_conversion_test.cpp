// Macintosh text to Windows text and back: the character tables over the whole upper half, the
// substitutions for fonts without the typographic characters, double-byte pairs, line ends,
// password echo and the advances of width-table text.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "quickdraw/character_sets.h"
#include "quickdraw/text_conversion.h"

namespace zeb::quickdraw {
namespace {

std::string Convert(const std::string& mac, const MacToWindowsOptions& options = {}) {
  std::vector<uint8_t> out(ConvertedCapacity(static_cast<int32_t>(mac.size())) + 1, 0xEE);
  const MacToWindowsResult r =
      MacToWindowsText(reinterpret_cast<const uint8_t*>(mac.data()),
                       static_cast<int32_t>(mac.size()), out.data(), nullptr, options);
  EXPECT_LE(r.written, ConvertedCapacity(static_cast<int32_t>(mac.size())));
  EXPECT_EQ(out[ConvertedCapacity(static_cast<int32_t>(mac.size()))], 0xEE) << "wrote past 4 x count";
  return std::string(reinterpret_cast<const char*>(out.data()), r.written);
}

MacToWindowsOptions WithFlags(uint16_t flags) {
  MacToWindowsOptions o;
  o.flags = flags;
  return o;
}

TEST(TextConversion, EveryUpperHalfCodeGoesThroughTheTablesBothWays) {
  for (int c = 0x80; c <= 0xFF; ++c) {
    if (c == 0xAA || c == 0xC9 || c == 0xD2 || c == 0xD3) continue;  // substituted unless raw
    const std::string mac(1, static_cast<char>(c));
    const std::string windows = Convert(mac);
    ASSERT_EQ(windows.size(), 1u) << std::hex << c;
    EXPECT_EQ(static_cast<uint8_t>(windows[0]), MacToWindowsChar(static_cast<uint8_t>(c)));
    uint8_t back = 0;
    ASSERT_EQ(WindowsToMacText(reinterpret_cast<const uint8_t*>(windows.data()), 1, &back, true), 1);
    EXPECT_EQ(back, c) << std::hex << c;
  }
  // Raw text keeps the four substituted characters on their table codes.
  for (int c : {0xAA, 0xC9, 0xD2, 0xD3}) {
    const std::string windows = Convert(std::string(1, static_cast<char>(c)), WithFlags(kConvertRaw));
    ASSERT_EQ(windows.size(), 1u);
    EXPECT_EQ(static_cast<uint8_t>(windows[0]), MacToWindowsChar(static_cast<uint8_t>(c)));
  }
}

TEST(TextConversion, FontsWithoutTypographicCharactersGetTheirStandIns) {
  struct Case {
    const char* mac;
    const char* windows;
  };
  const Case cases[] = {
      {"Wait\xC9", "Wait..."},          // ellipsis
      {"Brand\xAA", "Brand(tm)"},       // trade mark
      {"\xD2quoted\xD3", "\"quoted\""}, // curly double quotes
      {"\x12Q", "\xBBQ"},               // the command-key sign
      {"caf\x8E", "caf\xE9"},           // e acute through the table
  };
  for (const Case& c : cases) EXPECT_EQ(Convert(c.mac), c.windows) << c.mac;
  // The command-key sign has no Windows character, raw or not.
  EXPECT_EQ(Convert("\x12", WithFlags(kConvertRaw)), "\xBB");
}

TEST(TextConversion, TableConversionOffKeepsTheUpperHalfButNotTheSubstitutions) {
  MacToWindowsOptions o;
  o.tableConversion = false;
  EXPECT_EQ(Convert("caf\x8E\xC9", o), "caf\x8E...");
  uint8_t out[4];
  const uint8_t windows[] = {0xE9, 0xB9, 0xFD};
  ASSERT_EQ(WindowsToMacText(windows, 3, out, false), 3);
  EXPECT_EQ(std::memcmp(out, windows, 3), 0);
  // Double-byte text keeps its upper half whatever the table switch says.
  EXPECT_EQ(Convert("caf\x8E", WithFlags(kConvertDoubleByte)), "caf\x8E");
}

TEST(TextConversion, LineEndsAreDroppedOnlyWhenAsked) {
  EXPECT_EQ(Convert("a\rb\nc"), "a\rb\nc");
  EXPECT_EQ(Convert("a\rb\nc\r\n", WithFlags(kConvertDropLineEnds)), "abc");
}

TEST(TextConversion, PasswordEchoShowsEveryOutputByteAsAStar) {
  MacToWindowsOptions o;
  o.passwordEcho = true;
  EXPECT_EQ(Convert("pw\xAA", o), "******");
}

TEST(TextConversion, CountsOfZeroOrLessWriteNothing) {
  uint8_t out[8];
  std::memset(out, 0xEE, sizeof out);
  const uint8_t text[] = {'a', 'b'};
  for (int32_t count : {0, -1, -32768}) {
    EXPECT_EQ(MacToWindowsText(text, count, out, nullptr, {}).written, 0);
    EXPECT_EQ(WindowsToMacText(text, count, out, true), 0);
  }
  for (uint8_t b : out) EXPECT_EQ(b, 0xEE);
}

TEST(TextConversion, TheLongestTextFillsExactlyFourBytesPerByte) {
  const int32_t count = 32767;
  const std::vector<uint8_t> marks(count, 0xAA);
  std::vector<uint8_t> out(ConvertedCapacity(count));
  const MacToWindowsResult r = MacToWindowsText(marks.data(), count, out.data(), nullptr, {});
  EXPECT_EQ(r.written, 4 * count);
  EXPECT_EQ(std::string(reinterpret_cast<char*>(out.data()) + out.size() - 4, 4), "(tm)");
}

TEST(TextConversion, SpacesAreCountedInTheMacintoshText) {
  const uint8_t text[] = {'a', ' ', 'b', ' ', ' ', 0xC9};
  uint8_t out[24];
  EXPECT_EQ(MacToWindowsText(text, 6, out, nullptr, {}).spaces, 3);
}

TEST(TextConversion, WindowsTextStopsAtItsZeroByte) {
  const uint8_t text[] = {'a', 0xE9, 0, 'b'};
  uint8_t out[4] = {};
  ASSERT_EQ(WindowsToMacText(text, 4, out, true), 2);
  EXPECT_EQ(out[1], 0x8E);
}

TEST(TextConversion, DoubleByteCountriesHaveTheirCodePagesLeadBytes) {
  struct Case {
    int country;
    bool doubleByte;
    int leads[4];   // bytes that lead
    int singles[4]; // bytes that do not
  };
  const Case cases[] = {
      {81, true, {0x81, 0x9F, 0xE0, 0xFC}, {0x80, 0xA0, 0xDF, 0xFD}},  // Shift-JIS
      {82, true, {0x81, 0xA0, 0xC8, 0xFE}, {0x80, 0x41, 0x7F, 0xFF}},
      {86, true, {0x81, 0xB0, 0xD7, 0xFE}, {0x80, 0x41, 0x7F, 0xFF}},
      {1, false, {}, {0x81, 0x9F, 0xE0, 0xFC}},
      {49, false, {}, {0x81, 0x9F, 0xE0, 0xFC}},
  };
  for (const Case& c : cases) {
    LeadByteTable table;
    EXPECT_EQ(LeadBytesForCountry(c.country, &table), c.doubleByte) << c.country;
    if (c.doubleByte) {
      for (int b : c.leads) EXPECT_TRUE(table.lead[b]) << c.country << " " << std::hex << b;
    }
    for (int b : c.singles) EXPECT_FALSE(table.lead[b]) << c.country << " " << std::hex << b;
  }
}

TEST(TextConversion, DoubleBytePairsAreCopiedWholeAndALastLeadByteAlone) {
  LeadByteTable sjis;
  ASSERT_TRUE(LeadBytesForCountry(81, &sjis));
  MacToWindowsOptions o;
  o.leadBytes = &sjis;
  // "A", then the pair 82 A0 (Hiragana a), then 0xC9 as a trail byte, not an ellipsis.
  EXPECT_EQ(Convert("A\x82\xA0\x81\xC9", o), "A\x82\xA0\x81\xC9");
  // A lead byte in the last position: an exactly sized source, so reading on would be caught.
  std::vector<uint8_t> source = {'x', 0x82};
  std::vector<uint8_t> out(ConvertedCapacity(2));
  const MacToWindowsResult r = MacToWindowsText(source.data(), 2, out.data(), nullptr, o);
  ASSERT_EQ(r.written, 2);
  EXPECT_EQ(out[1], 0x82);
}

TEST(TextConversion, AdvancesAreRoundedFromTheRunningSumSoTheTotalIsExact) {
  int32_t widths[256];
  for (int32_t& w : widths) w = 0x18000;  // 1.5 pixels
  widths[' '] = 0x10000;
  MacToWindowsOptions o;
  o.flags = kConvertAdvances;
  o.widths = widths;
  const uint8_t text[] = {'a', 'b', 'c', 'd', 'e', 'f', 'g'};
  uint8_t out[28];
  int32_t advances[28];
  MacToWindowsResult r = MacToWindowsText(text, 7, out, advances, o);
  ASSERT_EQ(r.written, 7);
  // Positions 1.5, 3, 4.5, 6 ... round to 2, 3, 5, 6, 8, 9, 11 (halves away from zero).
  const int32_t expected[] = {2, 1, 2, 1, 2, 1, 2};
  for (int i = 0; i < 7; ++i) EXPECT_EQ(advances[i], expected[i]) << i;
  EXPECT_EQ(r.totalAdvance, 11);

  // Scaled by 2/3, with 0.5 of space extra on the space; an ellipsis shares its width.
  o.scaleNum = 2;
  o.scaleDen = 3;
  o.spaceExtra = 0x8000;
  widths[0xC9] = 0x30000;
  const uint8_t spaced[] = {'a', ' ', 0xC9};
  r = MacToWindowsText(spaced, 3, out, advances, o);
  ASSERT_EQ(r.written, 5);
  int32_t sum = 0;
  for (int i = 0; i < r.written; ++i) sum += advances[i];
  // (1.5 + 1.5 + 3) * 2 / 3 = 4.
  EXPECT_EQ(sum, 4);
  EXPECT_EQ(r.totalAdvance, 4);
  EXPECT_EQ(advances[2] + advances[3] + advances[4], 2) << "the three dots share the ellipsis";
}

}  // namespace
}  // namespace zeb::quickdraw

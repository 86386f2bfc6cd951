// Window titles in the Windows character set: substitutions, tables, double-byte text and the
// limits of the buffer.
#include <gtest/gtest.h>

#include <string>

#include "windows/title_text.h"

namespace {

using zeb::windows::kTitleTextCapacity;
using zeb::windows::MacTitleToWindows;
using zeb::windows::TitleConversion;

std::string Convert(const std::string& title, const TitleConversion& how = {},
                    size_t capacity = kTitleTextCapacity) {
  std::string pascal(1, static_cast<char>(title.size()));
  pascal += title;
  std::string out(capacity, '\x7F');
  const size_t n = MacTitleToWindows(reinterpret_cast<const uint8_t*>(pascal.data()), out.data(),
                                     capacity, how);
  EXPECT_EQ(out[n], '\0');
  return out.substr(0, n);
}

// Shift-JIS lead bytes, as a double-byte Windows answers.
bool ShiftJisLead(uint8_t c) { return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC); }

TEST(TitleText, MacintoshCharactersBecomeTheirWindowsForms) {
  struct Case {
    std::string mac;
    std::string windows;
  } cases[] = {
      {"Plain", "Plain"},
      {"Wait\xC9", "Wait..."},
      {"Brand\xAA", "Brand(tm)"},
      {"\xD2quoted\xD3", "\"quoted\""},
      {"Caf\x8E", "Caf\xE9"},    // e acute
      {"\xA5 item", "\x95 item"},  // bullet
      {"\xB1", "\xB1"},            // plus-minus keeps its code
      {"", ""},
  };
  for (const Case& c : cases) EXPECT_EQ(Convert(c.mac), c.windows) << c.mac;
}

TEST(TitleText, WithoutTablesUpperCharactersPassUnchanged) {
  TitleConversion raw;
  raw.tables = false;
  EXPECT_EQ(Convert("Caf\x8E", raw), "Caf\x8E");
  EXPECT_EQ(Convert("Wait\xC9", raw), "Wait...");
}

TEST(TitleText, TheLongestExpansionFitsTheBuffer) {
  const std::string marks(255, '\xAA');
  const std::string text = Convert(marks);
  EXPECT_EQ(text.size(), 255u * 4);
  EXPECT_EQ(text.substr(0, 8), "(tm)(tm)");
}

TEST(TitleText, ASmallBufferIsNeverOverrun) {
  EXPECT_EQ(Convert("Brand\xAA", {}, 8), "Brand");  // "(tm)" does not fit whole
  EXPECT_EQ(Convert("abcdef", {}, 4), "abc");
  char one[1] = {'x'};
  const uint8_t title[] = {3, 'a', 'b', 'c'};
  EXPECT_EQ(MacTitleToWindows(title, one, 1, {}), 0u);
  EXPECT_EQ(one[0], '\0');
  EXPECT_EQ(MacTitleToWindows(title, nullptr, 10, {}), 0u);
}

TEST(TitleText, DoubleByteCharactersAreCopiedInPairs) {
  TitleConversion dbcs;
  dbcs.isLeadByte = ShiftJisLead;
  // A lead byte takes its partner unconverted, even a partner in the upper half.
  EXPECT_EQ(Convert("\x82\xA0x\xC9", dbcs), "\x82\xA0x...");
  EXPECT_EQ(Convert("\x83\xC9", dbcs), "\x83\xC9");
  // A lead byte that ends the title has no partner: it is dropped, nothing past it is read.
  EXPECT_EQ(Convert("ab\x82", dbcs), "ab");
}

TEST(TitleText, ANullTitleIsEmpty) {
  char out[4] = "xyz";
  EXPECT_EQ(MacTitleToWindows(nullptr, out, sizeof out, {}), 0u);
  EXPECT_STREQ(out, "");
}

}  // namespace

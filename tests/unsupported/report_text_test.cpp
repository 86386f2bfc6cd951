// The report texts: length byte, text, and a zero byte after the text.
#include <gtest/gtest.h>

#include <string>

#include "unsupported/report_text.h"

namespace {

using namespace zeb::unsupported;

template <std::size_t N>
std::string Bytes(const LengthPrefixed<N>& text) {
  return std::string(reinterpret_cast<const char*>(text.bytes), sizeof text.bytes);
}

TEST(ReportTextTest, OwnNameIsLengthPrefixedWithAZeroAfterIt) {
  static constexpr Message kMessage = Choose(OWN, " SndPlay");
  static constexpr LengthPrefixed<Length(kMessage)> kText{kMessage};
  EXPECT_EQ(Bytes(kText), std::string("\x08 SndPlay\0", 10));
}

TEST(ReportTextTest, System7SuffixFollowsTheOwnName) {
  static constexpr Message kMessage = Choose(SYSTEM7, " SetDepth");
  static constexpr LengthPrefixed<Length(kMessage)> kText{kMessage};
  const std::string expected = " SetDepth - Not Supported, System 7";
  ASSERT_EQ(kText.bytes[0], expected.size());
  EXPECT_EQ(Bytes(kText), std::string(1, static_cast<char>(expected.size())) + expected +
                              std::string(1, '\0'));
}

TEST(ReportTextTest, QuotedTextReplacesTheOwnName) {
  static constexpr Message kMessage = Choose(" PBUnockRange", " PBUnlockRange");
  static constexpr LengthPrefixed<Length(kMessage)> kText{kMessage};
  EXPECT_EQ(Bytes(kText), std::string("\x0D PBUnockRange\0", 15));
}

TEST(ReportTextTest, SilentRowHasNoText) {
  static constexpr Message kMessage = Choose(SILENT, " TMChoose");
  EXPECT_FALSE(kMessage.reported);
  EXPECT_EQ(Length(kMessage), 0u);
}

}  // namespace

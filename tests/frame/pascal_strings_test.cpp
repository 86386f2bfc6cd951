#include "frame/pascal_strings.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

using zeb::pstr::Copy;
using zeb::pstr::FromC;
using zeb::pstr::TextLength;
using zeb::pstr::ToC;

TEST(PascalStrings, CopyTakesLengthByteAndTextOnly) {
  const unsigned char src[] = "\x05helloXYZ";
  unsigned char dst[16];
  std::memset(dst, 0xAA, sizeof dst);
  Copy(src, dst);
  EXPECT_EQ(0, std::memcmp(dst, "\x05hello", 6));
  EXPECT_EQ(dst[6], 0xAA) << "nothing past the counted text is written";
}

TEST(PascalStrings, ConversionsWorkInPlace) {
  char buffer[16] = "\x03" "abc";
  ToC(reinterpret_cast<unsigned char*>(buffer), buffer);
  EXPECT_STREQ(buffer, "abc");
  FromC(buffer, reinterpret_cast<unsigned char*>(buffer));
  EXPECT_EQ(0, std::memcmp(buffer, "\x03" "abc", 4));
}

TEST(PascalStrings, LongCStringIsCutAt255Bytes) {
  const std::string text(300, 'x');
  unsigned char dst[256];
  FromC(text.c_str(), dst);
  EXPECT_EQ(dst[0], 255);
  EXPECT_EQ(dst[255], 'x');
}

TEST(PascalStrings, EmptyStrings) {
  unsigned char p[4];
  FromC("", p);
  EXPECT_EQ(p[0], 0);
  char c[4] = "zzz";
  ToC(p, c);
  EXPECT_STREQ(c, "");
  EXPECT_EQ(TextLength(p), 0u);
}

TEST(PascalStrings, TextLengthStopsAtCountOrEarlierZero) {
  const unsigned char counted[] = {4, 'a', 'b', 'c', 'd', 'e', 'f'};  // no terminating zero
  EXPECT_EQ(TextLength(counted), 4u);
  const unsigned char embedded[] = {6, 'a', 'b', 0, 'd', 'e', 'f'};
  EXPECT_EQ(TextLength(embedded), 2u);
}

}  // namespace

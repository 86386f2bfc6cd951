// Text and offsets between a record (CR) and an edit window (CR LF).
#include <gtest/gtest.h>

#include <string>

#include "textedit/line_ends.h"

using namespace zeb::textedit;

TEST(LineEnds, TextCrossesBothWays) {
  const std::string mac = "one\rtwo\r\rthree";
  const std::string win = ToWindowsLineEnds(mac.data(), mac.size());
  EXPECT_EQ(win, "one\r\ntwo\r\n\r\nthree");
  EXPECT_EQ(FromWindowsLineEnds(win.data(), win.size(), 32000), mac);
  // A CR LF already in the record stays one pair.
  EXPECT_EQ(ToWindowsLineEnds("a\r\nb", 4), "a\r\nb");
  // A lone LF of the window stays.
  EXPECT_EQ(FromWindowsLineEnds("a\nb", 3, 32000), "a\nb");
}

TEST(LineEnds, ReadingStopsAtTheLimit) {
  const std::string win(40000, 'x');
  EXPECT_EQ(FromWindowsLineEnds(win.data(), win.size(), 32000).size(), 32000u);
  EXPECT_EQ(FromWindowsLineEnds("a\r\nb\r\nc", 7, 3), "a\rb");
}

TEST(LineEnds, OffsetsCrossBothWaysAndAreClamped) {
  const std::string mac = "ab\rcd\r";
  const std::string win = ToWindowsLineEnds(mac.data(), mac.size());
  const long macLen = static_cast<long>(mac.size()), winLen = static_cast<long>(win.size());
  const long expected[] = {0, 1, 2, 4, 5, 6, 8};
  for (long i = 0; i <= macLen; ++i) {
    EXPECT_EQ(RecordToWindowOffset(mac.data(), macLen, i), expected[i]) << i;
    EXPECT_EQ(WindowToRecordOffset(win.data(), winLen, expected[i]), i) << i;
  }
  // Between CR and LF: after the line break.
  EXPECT_EQ(WindowToRecordOffset(win.data(), winLen, 3), 3);
  EXPECT_EQ(RecordToWindowOffset(mac.data(), macLen, -5), 0);
  EXPECT_EQ(RecordToWindowOffset(mac.data(), macLen, 99), winLen);
  EXPECT_EQ(WindowToRecordOffset(win.data(), winLen, 99), macLen);
}

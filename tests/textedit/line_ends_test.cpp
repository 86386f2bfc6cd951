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

TEST(LineEnds, RecordOffsetsFindTheirPlaceInWindowTextAlone) {
  // A lone LF and a lone CR of the window are one character each, as a CR LF pair is.
  const std::string win = "ab\r\ncd\nx\ry\r\n";
  const long winLen = static_cast<long>(win.size());
  const long expected[] = {0, 1, 2, 4, 5, 6, 7, 8, 9, 10, 12};
  for (long i = 0; i <= 10; ++i) {
    EXPECT_EQ(RecordOffsetInWindowText(win.data(), winLen, i), expected[i]) << i;
    EXPECT_EQ(WindowToRecordOffset(win.data(), winLen, expected[i]), i) << i;
  }
  EXPECT_EQ(RecordOffsetInWindowText(win.data(), winLen, -1), 0);
  EXPECT_EQ(RecordOffsetInWindowText(win.data(), winLen, 500), winLen);
  EXPECT_EQ(RecordOffsetInWindowText("", 0, 3), 0);
}

TEST(LineEnds, ManyOffsetsCrossInOnePassAndAnyOrder) {
  const std::string win = "ab\r\ncd\r\n\r\nef";
  const long winLen = static_cast<long>(win.size());
  // Ascending, one between CR and LF, one repeated, then some going back and out of range.
  long offsets[] = {0, 2, 3, 4, 4, 8, 9, 12, 5, -4, 40};
  const long n = static_cast<long>(sizeof offsets / sizeof offsets[0]);
  long expected[sizeof offsets / sizeof offsets[0]];
  for (long i = 0; i < n; ++i) expected[i] = WindowToRecordOffset(win.data(), winLen, offsets[i]);
  WindowToRecordOffsets(win.data(), winLen, offsets, n);
  for (long i = 0; i < n; ++i) EXPECT_EQ(offsets[i], expected[i]) << i;
  EXPECT_EQ(offsets[2], 3) << "between CR and LF: after the break";
  EXPECT_EQ(offsets[7], 9);
}

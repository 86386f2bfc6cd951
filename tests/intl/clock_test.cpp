// The clock calls: GetDateTime, ReadDateTime and GetTime read the same local time.
#include <ctime>

#include "OSUtils.h"
#include "session_fixture.h"

namespace {

using ClockTest = zebtest::SessionTest;

TEST_F(ClockTest, SecondsAndDateRecordAgree) {
  unsigned long before = 0, read = 0, after = 0;
  DateTimeRec now{};
  GetDateTime(&before);
  GetTime(&now);
  EXPECT_EQ(ReadDateTime(&read), noErr);
  GetDateTime(&after);
  ASSERT_LE(before, after);
  EXPECT_GE(read, before);
  EXPECT_LE(read, after);

  unsigned long fromRecord = 0;
  DateToSeconds(&now, &fromRecord);
  EXPECT_GE(fromRecord + 1, before);
  EXPECT_LE(fromRecord, after + 1);

  DateTimeRec back{};
  SecondsToDate(fromRecord, &back);
  EXPECT_EQ(back.dayOfWeek, now.dayOfWeek);
  EXPECT_EQ(back.year, now.year);
  EXPECT_GE(now.year, 2020);
}

TEST_F(ClockTest, SecondsAreLocalTimeFrom1904) {
  unsigned long seconds = 0;
  GetDateTime(&seconds);
  const time_t utc = std::time(nullptr);
  const struct tm local = *std::localtime(&utc);
  DateTimeRec d{};
  SecondsToDate(seconds, &d);
  EXPECT_EQ(d.year, local.tm_year + 1900);
  EXPECT_EQ(d.month, local.tm_mon + 1);
  EXPECT_EQ(d.hour, local.tm_hour);
}

TEST_F(ClockTest, NilArgumentsAreIgnored) {
  SecondsToDate(0, nullptr);
  DateToSeconds(nullptr, nullptr);
  GetDateTime(nullptr);
  GetTime(nullptr);
  EXPECT_EQ(ReadDateTime(nullptr), noErr);
  DateTimeRec d{};
  unsigned long untouched = 12345;
  DateToSeconds(&d, &untouched);
  EXPECT_EQ(untouched, 0u) << "year 0 is outside the clock";
}

}  // namespace

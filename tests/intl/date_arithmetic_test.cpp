// Date arithmetic on the Toolbox clock: seconds since 1 January 1904 and date records.
#include "intl/date_arithmetic.h"

#include <gtest/gtest.h>

namespace {

using zeb::intl::DateOfSeconds;
using zeb::intl::SecondsOfDate;

DateTimeRec Date(int year, int month, int day, int hour = 0, int minute = 0, int second = 0) {
  DateTimeRec d{};
  d.year = static_cast<short>(year);
  d.month = static_cast<short>(month);
  d.day = static_cast<short>(day);
  d.hour = static_cast<short>(hour);
  d.minute = static_cast<short>(minute);
  d.second = static_cast<short>(second);
  return d;
}

struct KnownDate {
  uint32_t seconds;
  int year, month, day, hour, minute, second, dayOfWeek;
};

// Known points of the clock, both ways: the epoch (a Friday), leap days, 2000 (a leap year),
// the runtime clock's epoch and the last second the clock can hold.
const KnownDate kKnownDates[] = {
    {0, 1904, 1, 1, 0, 0, 0, 6},
    {86399, 1904, 1, 1, 23, 59, 59, 6},
    {59 * 86400, 1904, 2, 29, 0, 0, 0, 2},
    {366 * 86400, 1905, 1, 1, 0, 0, 0, 1},
    {2082844800u, 1970, 1, 1, 0, 0, 0, 5},
    {3029529600u, 2000, 1, 1, 0, 0, 0, 7},
    {3034627200u, 2000, 2, 29, 0, 0, 0, 3},
    {3034713600u, 2000, 3, 1, 0, 0, 0, 4},
    {2908659723u, 1996, 3, 3, 1, 2, 3, 1},
    {0xFFFFFFFFu, 2040, 2, 6, 6, 28, 15, 2},
};

TEST(DateArithmetic, KnownDatesConvertBothWays) {
  for (const KnownDate& k : kKnownDates) {
    const DateTimeRec d = DateOfSeconds(k.seconds);
    EXPECT_EQ(d.year, k.year) << k.seconds;
    EXPECT_EQ(d.month, k.month) << k.seconds;
    EXPECT_EQ(d.day, k.day) << k.seconds;
    EXPECT_EQ(d.hour, k.hour) << k.seconds;
    EXPECT_EQ(d.minute, k.minute) << k.seconds;
    EXPECT_EQ(d.second, k.second) << k.seconds;
    EXPECT_EQ(d.dayOfWeek, k.dayOfWeek) << k.seconds;
    EXPECT_EQ(SecondsOfDate(Date(k.year, k.month, k.day, k.hour, k.minute, k.second)), k.seconds);
  }
}

TEST(DateArithmetic, EveryDayOfTheClockRoundTrips) {
  // One point a day across the whole range, at a time that moves through the day.
  for (uint64_t s = 0; s <= 0xFFFFFFFFull; s += 86400 + 3607) {
    const uint32_t seconds = static_cast<uint32_t>(s);
    const DateTimeRec d = DateOfSeconds(seconds);
    ASSERT_EQ(SecondsOfDate(d), seconds) << d.year << "-" << d.month << "-" << d.day;
    ASSERT_GE(d.day, 1);
    ASSERT_LE(d.day, 31);
  }
}

TEST(DateArithmetic, YearsAndMonthsOutsideTheRangeGiveZero) {
  const DateTimeRec outside[] = {Date(1903, 12, 31), Date(2041, 1, 1), Date(2041, 6, 15),
                                 Date(1990, 0, 1),   Date(1990, 13, 1), Date(-5, 1, 1)};
  for (const DateTimeRec& d : outside) EXPECT_EQ(SecondsOfDate(d), 0u) << d.year << "/" << d.month;
}

TEST(DateArithmetic, FieldsRunOverIntoTheNextUnit) {
  // Day 32 of January is 1 February; hour 24 is the next day; minute 60 the next hour.
  EXPECT_EQ(SecondsOfDate(Date(1996, 1, 32)), SecondsOfDate(Date(1996, 2, 1)));
  EXPECT_EQ(SecondsOfDate(Date(1996, 2, 28, 24)), SecondsOfDate(Date(1996, 2, 29)));
  EXPECT_EQ(SecondsOfDate(Date(1996, 3, 1, 0, 60)), SecondsOfDate(Date(1996, 3, 1, 1)));
  EXPECT_EQ(SecondsOfDate(Date(1996, 3, 1, 0, 0, -1)), SecondsOfDate(Date(1996, 2, 29, 23, 59, 59)));
}

TEST(DateArithmetic, DatesBeyondTheClockGiveZeroInsteadOfWrapping) {
  // 2040 is inside the year range, but the clock ends on 6 February 2040 at 06:28:15.
  EXPECT_EQ(SecondsOfDate(Date(2040, 2, 6, 6, 28, 15)), 0xFFFFFFFFu);
  EXPECT_EQ(SecondsOfDate(Date(2040, 2, 6, 6, 28, 16)), 0u);
  EXPECT_EQ(SecondsOfDate(Date(2040, 12, 31, 23, 59, 59)), 0u);
  // Fields that run back before the epoch.
  EXPECT_EQ(SecondsOfDate(Date(1904, 1, 1, 0, 0, -1)), 0u);
  EXPECT_EQ(SecondsOfDate(Date(1904, 1, 0)), 0u);
}

}  // namespace

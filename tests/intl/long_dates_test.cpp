// Long dates across leap years and the 1904 and 2040 limits, and the date and time parsers.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "DateTimeUtils.h"
#include "intl/date_arithmetic.h"
#include "intl/intl_settings.h"
#include "intl/long_dates.h"

namespace {

using namespace zeb::intl;

LongDateRec LongDate(int year, int month, int day, int hour = 0, int minute = 0, int second = 0) {
  LongDateRec d{};
  d.ld.year = static_cast<short>(year);
  d.ld.month = static_cast<short>(month);
  d.ld.day = static_cast<short>(day);
  d.ld.hour = static_cast<short>(hour);
  d.ld.minute = static_cast<short>(minute);
  d.ld.second = static_cast<short>(second);
  return d;
}

TEST(LongDates, AgreeWithTheClockInsideItsRange) {
  for (uint64_t s = 0; s <= 0xFFFFFFFFull; s += 86400ull * 37 + 3601) {
    const DateTimeRec shortDate = DateOfSeconds(static_cast<uint32_t>(s));
    LongDateRec d{};
    const LongDateTime seconds = static_cast<LongDateTime>(s);
    LongSecondsToDate(&seconds, &d);
    ASSERT_EQ(d.ld.year, shortDate.year) << s;
    ASSERT_EQ(d.ld.month, shortDate.month) << s;
    ASSERT_EQ(d.ld.day, shortDate.day) << s;
    ASSERT_EQ(d.ld.hour, shortDate.hour) << s;
    ASSERT_EQ(d.ld.second, shortDate.second) << s;
    ASSERT_EQ(d.ld.dayOfWeek, shortDate.dayOfWeek) << s;
    LongDateTime back = -1;
    LongDateToSeconds(&d, &back);
    ASSERT_EQ(back, seconds);
  }
}

TEST(LongDates, ReachBefore1904AndAfter2040) {
  const struct {
    LongDateRec date;
    LongDateTime seconds;
    short dayOfWeek;
  } cases[] = {
      {LongDate(1904, 1, 1), 0, 6},
      {LongDate(1903, 12, 31, 23, 59, 59), -1, 5},
      {LongDate(1900, 3, 1), -(365LL * 3 + 306) * 86400, 5},  // 1900 had no 29 February
      {LongDate(2040, 2, 6, 6, 28, 16), 0x100000000LL, 2},     // one past the 32-bit clock
      {LongDate(2100, 3, 1), 6190387200LL, 2},  // 2100 has no 29 February either
  };
  for (const auto& c : cases) {
    LongDateTime s = 0;
    LongDateToSeconds(&c.date, &s);
    EXPECT_EQ(s, c.seconds) << c.date.ld.year;
    LongDateRec back{};
    LongSecondsToDate(&c.seconds, &back);
    EXPECT_EQ(back.ld.year, c.date.ld.year);
    EXPECT_EQ(back.ld.month, c.date.ld.month);
    EXPECT_EQ(back.ld.day, c.date.ld.day);
    EXPECT_EQ(back.ld.dayOfWeek, c.dayOfWeek) << c.date.ld.year;
  }
}

TEST(LongDates, FieldsRunOverAndValidDateReportsThem) {
  LongDateRec overflowing = LongDate(2000, 14, 31, 25, 0, 0);  // 31 February 2001, 25:00
  LongDateRec normal{};
  EXPECT_EQ(ValidDate(&overflowing, 0, &normal), monthMask | hourMask);
  EXPECT_EQ(normal.ld.year, 2001);
  EXPECT_EQ(normal.ld.month, 3);
  EXPECT_EQ(normal.ld.day, 4);
  EXPECT_EQ(normal.ld.hour, 1);
  LongDateRec leap = LongDate(2000, 2, 29);
  EXPECT_EQ(ValidDate(&leap, 0, &normal), 0);
  LongDateRec notLeap = LongDate(1900, 2, 29);
  EXPECT_EQ(ValidDate(&notLeap, 0, &normal), dayMask);
  EXPECT_EQ(normal.ld.month, 3);
  EXPECT_EQ(normal.ld.dayOfYear, 60);
}

class DateParsing : public ::testing::Test {
 protected:
  void SetUp() override { SetDefaults(State()); }
  void TearDown() override { SetDefaults(State()); }
  StringToDateStatus Date(const std::string& text, LongDateRec& date, long& used) {
    return StringToDate(const_cast<char*>(text.data()), static_cast<long>(text.size()), nullptr,
                        &used, &date);
  }
  StringToDateStatus Time(const std::string& text, LongDateRec& date, long& used) {
    return StringToTime(const_cast<char*>(text.data()), static_cast<long>(text.size()), nullptr,
                        &used, &date);
  }
};

TEST_F(DateParsing, ShortDatesInTheConventionsOrder) {
  LongDateRec d = LongDate(1999, 1, 1);
  long used = 0;
  EXPECT_EQ(Date("3/5/96", d, used), 0);
  EXPECT_EQ(used, 6);
  EXPECT_EQ(d.ld.year, 1996);
  EXPECT_EQ(d.ld.month, 3);
  EXPECT_EQ(d.ld.day, 5);

  State().conventions.dateOrder = 1;
  State().conventions.dateSeparator = '.';
  EXPECT_EQ(Date("05.03.2012 rest", d, used), leftOverChars);
  EXPECT_EQ(used, 10);
  EXPECT_EQ(d.ld.year, 2012);
  EXPECT_EQ(d.ld.month, 3);
  EXPECT_EQ(d.ld.day, 5);
}

TEST_F(DateParsing, MonthNamesAndBadDates) {
  LongDateRec d = LongDate(1999, 1, 1);
  long used = 0;
  EXPECT_EQ(Date("March 5, 1996", d, used) & longDateFound, longDateFound);
  EXPECT_EQ(d.ld.month, 3);
  EXPECT_EQ(d.ld.day, 5);
  EXPECT_EQ(d.ld.year, 1996);
  EXPECT_EQ(Date("2/30/96", d, used) & dateTimeInvalid, dateTimeInvalid);
  EXPECT_EQ(d.ld.month, 3);  // an invalid date leaves the record as it was
  EXPECT_EQ(Date("hello", d, used), dateTimeNotFound);
  EXPECT_EQ(used, 0);
  EXPECT_EQ(Date("1-2/96", d, used) & (sepNotIntlSep | sepNotConsistent),
            sepNotIntlSep | sepNotConsistent);
}

TEST_F(DateParsing, Times) {
  LongDateRec d{};
  long used = 0;
  EXPECT_EQ(Time("12:05 AM", d, used), 0);
  EXPECT_EQ(used, 8);
  EXPECT_EQ(d.ld.hour, 0);
  EXPECT_EQ(d.ld.minute, 5);
  EXPECT_EQ(Time("1:07:09 pm", d, used), 0);
  EXPECT_EQ(d.ld.hour, 13);
  EXPECT_EQ(d.ld.second, 9);
  EXPECT_EQ(Time("17:30", d, used), 0);
  EXPECT_EQ(d.ld.hour, 17);
  EXPECT_EQ(Time("25:00", d, used) & dateTimeInvalid, dateTimeInvalid);
  EXPECT_EQ(Time("x", d, used), dateTimeNotFound);
}

}  // namespace

// Date arithmetic on the Toolbox's clock.
#include "intl/date_arithmetic.h"

namespace zeb::intl {
namespace {

constexpr uint32_t kSecondsPerDay = 86400;
// Four years from 1904, the first of them a leap year. Every fourth year up to 2040 is one:
// 2000 is, and no century year without a leap day falls inside the clock's range.
constexpr uint32_t kDaysPerFourYears = 1461;
constexpr int kFirstYear = 1904;
constexpr int kLastYear = 2040;
// 1 January 1904 was a Friday; day-of-week numbers run from 1 (Sunday).
constexpr uint32_t kFridayOffset = 5;

bool IsLeapYear(int year) { return year % 4 == 0; }

int MonthLength(int year, int month) {
  static const int kLengths[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return month == 2 && IsLeapYear(year) ? 29 : kLengths[month - 1];
}

}  // namespace

DateTimeRec DateOfSeconds(uint32_t seconds) {
  DateTimeRec date{};
  uint32_t days = seconds / kSecondsPerDay;
  uint32_t rest = seconds % kSecondsPerDay;
  date.dayOfWeek = static_cast<short>((days + kFridayOffset) % 7 + 1);
  int year = kFirstYear + static_cast<int>(days / kDaysPerFourYears) * 4;
  days %= kDaysPerFourYears;
  for (;;) {
    const uint32_t length = IsLeapYear(year) ? 366 : 365;
    if (days < length) break;
    days -= length;
    ++year;
  }
  int month = 1;
  while (days >= static_cast<uint32_t>(MonthLength(year, month))) {
    days -= static_cast<uint32_t>(MonthLength(year, month));
    ++month;
  }
  date.year = static_cast<short>(year);
  date.month = static_cast<short>(month);
  date.day = static_cast<short>(days + 1);
  date.hour = static_cast<short>(rest / 3600);
  rest %= 3600;
  date.minute = static_cast<short>(rest / 60);
  date.second = static_cast<short>(rest % 60);
  return date;
}

uint32_t SecondsOfDate(const DateTimeRec& date) {
  if (date.year < kFirstYear || date.year > kLastYear || date.month < 1 || date.month > 12)
    return 0;
  int64_t days = 0;
  for (int year = kFirstYear; year < date.year; ++year) days += IsLeapYear(year) ? 366 : 365;
  for (int month = 1; month < date.month; ++month) days += MonthLength(date.year, month);
  days += date.day - 1;
  const int64_t seconds = days * kSecondsPerDay + int64_t{date.hour} * 3600 +
                          int64_t{date.minute} * 60 + date.second;
  // Late 2040 and fields that run back before 1904 leave the clock's range: such a date has no
  // time rather than a wrapped one.
  if (seconds < 0 || seconds > int64_t{UINT32_MAX}) return 0;
  return static_cast<uint32_t>(seconds);
}

}  // namespace zeb::intl

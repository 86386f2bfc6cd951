// Long dates. Days are counted with the civil-calendar formulas on 400-year cycles of 146097
// days, so that any 64-bit second has a date and every date a second.
#include "intl/long_dates.h"

#include "DateTimeUtils.h"

namespace zeb::intl {
namespace {

constexpr int64_t kSecondsPerDay = 86400;
// Days from 1 March of year 0 to 1 January 1904.
constexpr int64_t kDaysTo1904 = 695361;
// 1 January 1904 was a Friday (day of week 6, Sunday being 1).
constexpr int64_t kEpochDayOfWeek = 5;

int64_t FloorDiv(int64_t a, int64_t b) { return a / b - ((a % b != 0) && ((a < 0) != (b < 0))); }

// Days from 1 March of year 0 to the given date (month 1..12).
int64_t DaysOfCivil(int64_t year, int64_t month, int64_t day) {
  year -= month <= 2;
  const int64_t era = FloorDiv(year, 400);
  const int64_t yoe = year - era * 400;
  const int64_t mp = (month + 9) % 12;
  const int64_t doy = (153 * mp + 2) / 5 + day - 1;
  const int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + doe;
}

void CivilOfDays(int64_t days, int64_t& year, int64_t& month, int64_t& day) {
  const int64_t era = FloorDiv(days, 146097);
  const int64_t doe = days - era * 146097;
  const int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const int64_t mp = (5 * doy + 2) / 153;
  day = doy - (153 * mp + 2) / 5 + 1;
  month = mp < 10 ? mp + 3 : mp - 9;
  year = yoe + era * 400 + (month <= 2);
}

}  // namespace

int64_t SecondsOfLongDate(const LongDateRec& date) {
  // Months run over into years first; the rest is a count of seconds.
  const int64_t monthIndex = int64_t{date.ld.month} - 1;
  const int64_t year = date.ld.year + FloorDiv(monthIndex, 12);
  const int64_t month = monthIndex - FloorDiv(monthIndex, 12) * 12 + 1;
  const int64_t days = DaysOfCivil(year, month, 1) - kDaysTo1904 + (int64_t{date.ld.day} - 1);
  return days * kSecondsPerDay + int64_t{date.ld.hour} * 3600 + int64_t{date.ld.minute} * 60 +
         date.ld.second;
}

LongDateRec LongDateOfSeconds(int64_t seconds) {
  LongDateRec date{};
  const int64_t days = FloorDiv(seconds, kSecondsPerDay);
  int64_t rest = seconds - days * kSecondsPerDay;
  int64_t year = 0, month = 0, day = 0;
  CivilOfDays(days + kDaysTo1904, year, month, day);
  date.ld.era = year >= 1 ? 1 : 0;
  date.ld.year = static_cast<short>(year);
  date.ld.month = static_cast<short>(month);
  date.ld.day = static_cast<short>(day);
  date.ld.hour = static_cast<short>(rest / 3600);
  rest %= 3600;
  date.ld.minute = static_cast<short>(rest / 60);
  date.ld.second = static_cast<short>(rest % 60);
  date.ld.dayOfWeek = static_cast<short>(FloorDiv(days + kEpochDayOfWeek, 7) * -7 + days +
                                         kEpochDayOfWeek + 1);
  const int64_t newYear = DaysOfCivil(year, 1, 1) - kDaysTo1904;
  date.ld.dayOfYear = static_cast<short>(days - newYear + 1);
  const int64_t newYearWeekday = newYear + kEpochDayOfWeek - FloorDiv(newYear + kEpochDayOfWeek, 7) * 7;
  date.ld.weekOfYear = static_cast<short>((date.ld.dayOfYear - 1 + newYearWeekday) / 7 + 1);
  date.ld.pm = date.ld.hour >= 12 ? 1 : 0;
  return date;
}

}  // namespace zeb::intl

// The date and time calls: the clock in Toolbox seconds and date records.
#include <sys/timeb.h>

#include <ctime>

#include "OSUtils.h"
#include "intl/date_arithmetic.h"

namespace zeb::intl {
namespace {

// The runtime's clock counts UTC seconds from 1970; the Toolbox counts local seconds from 1904.
uint32_t CurrentSeconds() {
  struct _timeb now;
  _ftime(&now);
  int64_t seconds = static_cast<int64_t>(now.time) + kSecondsFrom1904To1970 -
                    static_cast<int64_t>(now.timezone) * 60;
  if (now.dstflag) seconds += 3600;
  return static_cast<uint32_t>(seconds);
}

}  // namespace
}  // namespace zeb::intl

using namespace zeb;

extern "C" {

void ZEBAPI SecondsToDate(unsigned long secs, DateTimeRec* d) {
  if (d) *d = intl::DateOfSeconds(static_cast<uint32_t>(secs));
}

void ZEBAPI DateToSeconds(const DateTimeRec* d, unsigned long* secs) {
  if (d && secs) *secs = intl::SecondsOfDate(*d);
}

void ZEBAPI GetDateTime(unsigned long* secs) {
  if (secs) *secs = intl::CurrentSeconds();
}

OSErr ZEBAPI ReadDateTime(unsigned long* time) {
  if (time) *time = intl::CurrentSeconds();
  return noErr;
}

void ZEBAPI GetTime(DateTimeRec* d) {
  if (!d) return;
  const time_t now = std::time(nullptr);
  const struct tm* local = std::localtime(&now);
  if (!local) return;
  d->year = static_cast<short>(local->tm_year + 1900);
  d->month = static_cast<short>(local->tm_mon + 1);
  d->day = static_cast<short>(local->tm_mday);
  d->hour = static_cast<short>(local->tm_hour);
  d->minute = static_cast<short>(local->tm_min);
  d->second = static_cast<short>(local->tm_sec);
  d->dayOfWeek = static_cast<short>(local->tm_wday + 1);
}

}  // extern "C"

// Date arithmetic on the Toolbox's clock: seconds since midnight, 1 January 1904, local time.
// Host-independent.
#ifndef ZEB_INTL_DATE_ARITHMETIC_H
#define ZEB_INTL_DATE_ARITHMETIC_H

#include <cstdint>

#include "OSUtils.h"

namespace zeb::intl {

// Seconds between 1 January 1904 and 1 January 1970, the runtime clock's epoch.
constexpr uint32_t kSecondsFrom1904To1970 = 2082844800u;

// Every second of the unsigned 32-bit range has a date (1904 to 2040).
DateTimeRec DateOfSeconds(uint32_t seconds);
// Years 1904 to 2040 and months 1 to 12; day, hour, minute and second may run over into the next
// unit (or back, when negative). Anything that lands outside the 32-bit range gives 0.
uint32_t SecondsOfDate(const DateTimeRec& date);

}  // namespace zeb::intl

#endif  // ZEB_INTL_DATE_ARITHMETIC_H

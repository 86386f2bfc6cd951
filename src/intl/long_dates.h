// Dates of any year on the proleptic Gregorian calendar, counted in 64-bit seconds from
// midnight, 1 January 1904. Host-independent.
#ifndef ZEB_INTL_LONG_DATES_H
#define ZEB_INTL_LONG_DATES_H

#include <cstdint>

#include "DateTimeUtils.h"

namespace zeb::intl {

// Fields may lie outside their ranges: they run over into the next larger field.
int64_t SecondsOfLongDate(const LongDateRec& date);
// era 1 (AD) for years from 1, 0 before; dayOfYear from 1; weekOfYear from 1 (the week that
// holds 1 January); pm 1 from noon.
LongDateRec LongDateOfSeconds(int64_t seconds);

}  // namespace zeb::intl

#endif  // ZEB_INTL_LONG_DATES_H

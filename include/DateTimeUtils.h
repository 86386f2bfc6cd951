/*
 * DateTimeUtils.h - long dates (64-bit seconds from 1904, any year) and the date and time
 * parsers.
 */
#ifndef ZEB_DATETIMEUTILS_H
#define ZEB_DATETIMEUTILS_H

#include "MacTypes.h"

typedef int64_t LongDateTime;

ZEB_PACK2_BEGIN
typedef union LongDateRec {
  struct {
    short era;
    short year;
    short month;
    short day;
    short hour;
    short minute;
    short second;
    short dayOfWeek;
    short dayOfYear;
    short weekOfYear;
    short pm;
    short res1;
    short res2;
    short res3;
  } ld;
  short list[14];
} LongDateRec;
typedef LongDateRec* LongDatePtr;

typedef struct DateCacheRecord {
  short hidden[256];
} DateCacheRecord;
typedef DateCacheRecord* DateCachePtr;
ZEB_PACK2_END
ZEB_STATIC_ASSERT(sizeof(LongDateRec) == 28, "LongDateRec size");
ZEB_STATIC_ASSERT(sizeof(DateCacheRecord) == 512, "DateCacheRecord size");

/* ValidDate's field masks. */
enum {
  eraMask = 0x0001, yearMask = 0x0002, monthMask = 0x0004, dayMask = 0x0008,
  hourMask = 0x0010, minuteMask = 0x0020, secondMask = 0x0040, dayOfWeekMask = 0x0080,
  dayOfYearMask = 0x0100, weekOfYearMask = 0x0200, pmMask = 0x0400
};

/* StringToDate and StringToTime status bits. */
typedef short StringToDateStatus;
enum {
  fatalDateTime = (short)0x8000, longDateFound = 1, leftOverChars = 2, sepNotIntlSep = 4,
  fieldOrderNotIntl = 8, extraneousStrings = 16, tooManySeps = 32, sepNotConsistent = 64,
  tokenErr = (short)0x8100, cantReadUtilities = (short)0x8200, dateTimeNotFound = (short)0x8400,
  dateTimeInvalid = (short)0x8800
};

ZEB_EXTERN_C_BEGIN
ZEB_API(OSErr) InitDateCache(DateCachePtr theCache);
/* Numbers (or month names) in the current date order; the fields found are set, the others
 * keep their values. */
ZEB_API(StringToDateStatus) StringToDate(Ptr textPtr, long textLen, DateCachePtr theCache,
                                         long* lengthUsed, LongDateRec* dateTime);
/* hours[:minutes[:seconds]] with an optional morning or evening suffix. */
ZEB_API(StringToDateStatus) StringToTime(Ptr textPtr, long textLen, DateCachePtr theCache,
                                         long* lengthUsed, LongDateRec* dateTime);
/* Fields out of their ranges run over into the next larger one. */
ZEB_API(void) LongDateToSeconds(const LongDateRec* lDate, LongDateTime* lSecs);
ZEB_API(void) LongSecondsToDate(const LongDateTime* lSecs, LongDateRec* lDate);
/* The masks of the fields out of their ranges (0: valid); newDate gets the normalised date. */
ZEB_API(short) ValidDate(const LongDateRec* date, long flags, LongDateRec* newDate);
ZEB_EXTERN_C_END

#endif /* ZEB_DATETIMEUTILS_H */

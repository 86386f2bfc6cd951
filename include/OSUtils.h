/*
 * OSUtils.h - operating-system utilities: queues and their headers, the date and time.
 */
#ifndef ZEB_OSUTILS_H
#define ZEB_OSUTILS_H

#include "MacTypes.h"

ZEB_PACK2_BEGIN
typedef struct QElem {
  struct QElem* qLink;
  short qType;
  short qData[1];
} QElem;
typedef QElem* QElemPtr;

typedef struct QHdr {
  short qFlags;
  QElemPtr qHead;
  QElemPtr qTail;
} QHdr;
ZEB_PACK2_END
typedef QHdr* QHdrPtr;
ZEB_ASSERT_SIZE(QHdr, 10);
ZEB_ASSERT_OFFSET(QHdr, qHead, 2);

/* A date and time, local time. dayOfWeek runs from 1 (Sunday) to 7 (Saturday). */
typedef struct DateTimeRec {
  short year;
  short month;
  short day;
  short hour;
  short minute;
  short second;
  short dayOfWeek;
} DateTimeRec;
ZEB_ASSERT_SIZE(DateTimeRec, 14);

ZEB_EXTERN_C_BEGIN
/* Times are seconds since midnight, 1 January 1904, local time. */
ZEB_API(void) SecondsToDate(unsigned long secs, DateTimeRec* d);
/* Years 1904 to 2040 and months 1 to 12 only; other fields may run over (day 32 of January is
 * 1 February). A date outside the unsigned 32-bit range of seconds gives 0. */
ZEB_API(void) DateToSeconds(const DateTimeRec* d, unsigned long* secs);
ZEB_API(void) GetDateTime(unsigned long* secs);
ZEB_API(OSErr) ReadDateTime(unsigned long* time);
ZEB_API(void) GetTime(DateTimeRec* d);
ZEB_EXTERN_C_END

/* ---- Entry points present without their manager's work ----
 * They exist so that a ported application links. Each reports its call through DebugStr and
 * returns the fixed result shown. */
ZEB_EXTERN_C_BEGIN
/* The host's clock is not set from an application: -1. */
ZEB_API(OSErr) SetDateTime(unsigned long time);

/* Calling a Pascal procedure through a pointer: the arguments, then the procedure pointer
 * last. Nothing is called; the result is 0 (false). The caller removes its own arguments. */
ZEB_VARIADIC_API(void, CallPascal);
ZEB_VARIADIC_API(Boolean, CallPascalB);
ZEB_VARIADIC_API(short, CallPascalW);
ZEB_VARIADIC_API(long, CallPascalL);
ZEB_EXTERN_C_END
/* ---- end of entry points present without their manager's work ---- */

#endif /* ZEB_OSUTILS_H */

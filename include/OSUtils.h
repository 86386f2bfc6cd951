/*
 * OSUtils.h - operating-system utilities: queues and their headers.
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

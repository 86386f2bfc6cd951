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
#if defined(ZEB_BUILDING_LIBRARY)
ZEB_API(void) CallPascal(void);
ZEB_API(Boolean) CallPascalB(void);
ZEB_API(short) CallPascalW(void);
ZEB_API(long) CallPascalL(void);
#elif defined(__cplusplus)
void CallPascal(...) ZEB_LINK_NAME(CallPascal, 0);
Boolean CallPascalB(...) ZEB_LINK_NAME(CallPascalB, 0);
short CallPascalW(...) ZEB_LINK_NAME(CallPascalW, 0);
long CallPascalL(...) ZEB_LINK_NAME(CallPascalL, 0);
#else
void CallPascal() ZEB_LINK_NAME(CallPascal, 0);
Boolean CallPascalB() ZEB_LINK_NAME(CallPascalB, 0);
short CallPascalW() ZEB_LINK_NAME(CallPascalW, 0);
long CallPascalL() ZEB_LINK_NAME(CallPascalL, 0);
#endif
ZEB_EXTERN_C_END
/* ---- end of entry points present without their manager's work ---- */

#endif /* ZEB_OSUTILS_H */

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

#endif /* ZEB_OSUTILS_H */

/*
 * Scrap.h - the Scrap Manager's records.
 */
#ifndef ZEB_SCRAP_H
#define ZEB_SCRAP_H

#include "MacTypes.h"

ZEB_PACK2_BEGIN
typedef struct ScrapStuff {
  long scrapSize;
  Handle scrapHandle;
  short scrapCount;
  short scrapState;
  StringPtr scrapName;
} ScrapStuff;
ZEB_PACK2_END
typedef ScrapStuff* PScrapStuff;
ZEB_ASSERT_SIZE(ScrapStuff, 16);
ZEB_ASSERT_OFFSET(ScrapStuff, scrapName, 12);

#endif /* ZEB_SCRAP_H */

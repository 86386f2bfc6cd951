/*
 * Printing.h - the Print Manager.
 */
#ifndef ZEB_PRINTING_H
#define ZEB_PRINTING_H

#include "MacTypes.h"

/* ---- Entry points present without their manager's work ----
 * PrJobMerge reports its call through DebugStr and leaves both print records as they are. */
typedef struct TPrint TPrint;
typedef TPrint* TPPrint;
typedef TPPrint* THPrint;
ZEB_EXTERN_C_BEGIN
ZEB_API(void) PrJobMerge(THPrint hPrintSrc, THPrint hPrintDst);
ZEB_EXTERN_C_END
/* ---- end of entry points present without their manager's work ---- */

#endif /* ZEB_PRINTING_H */

/*
 * PPCToolbox.h - the Program-to-Program Communications Toolbox.
 */
#ifndef ZEB_PPCTOOLBOX_H
#define ZEB_PPCTOOLBOX_H

#include "MacTypes.h"

/* ---- Entry points present without their manager's work ----
 * There are no other programs to browse: PPCBrowser reports " PPCBROWSER" through DebugStr and
 * returns 0. */
typedef struct LocationNameRec LocationNameRec;
typedef LocationNameRec* LocationNamePtr;
typedef struct PortInfoRec PortInfoRec;
typedef PortInfoRec* PortInfoPtr;
typedef Boolean(ZEBAPI* PPCFilterProcPtr)(LocationNamePtr name, PortInfoPtr port);
typedef PPCFilterProcPtr PPCFilterUPP;

ZEB_EXTERN_C_BEGIN
ZEB_API(OSErr) PPCBrowser(ConstStr255Param prompt, ConstStr255Param applListLabel,
                          Boolean defaultSpecified, LocationNameRec* theLocation,
                          PortInfoRec* thePortInfo, PPCFilterUPP portFilter,
                          ConstStringPtr theLocNBPType);
ZEB_EXTERN_C_END
/* ---- end of entry points present without their manager's work ---- */

#endif /* ZEB_PPCTOOLBOX_H */

/*
 * Devices.h - the Device Manager: drivers and their control and status calls.
 */
#ifndef ZEB_DEVICES_H
#define ZEB_DEVICES_H

#include "Files.h"
#include "MacTypes.h"

/* ---- Entry points present without their manager's work ----
 * They exist so that a ported application links; none of them does the Device Manager's work.
 * Each reports its call through DebugStr and returns the fixed result shown; a parameter-block
 * call also leaves it in the block's ioResult. */
typedef struct DCtlEntry DCtlEntry;
typedef DCtlEntry* DCtlPtr;
typedef DCtlPtr* DCtlHandle;

ZEB_EXTERN_C_BEGIN
ZEB_API(OSErr) PBControl(ParmBlkPtr paramBlock, Boolean async); /* -1 */
ZEB_API(OSErr) PBControlSync(ParmBlkPtr paramBlock);            /* -1 */
ZEB_API(OSErr) PBStatus(ParmBlkPtr paramBlock, Boolean async);  /* 0 */
ZEB_API(DCtlHandle) GetDCtlEntry(short refNum);                 /* NIL */
ZEB_API(Boolean) SetChooserAlert(Boolean f);                    /* false */
ZEB_EXTERN_C_END
/* ---- end of entry points present without their manager's work ---- */

#endif /* ZEB_DEVICES_H */

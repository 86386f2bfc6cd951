/*
 * Devices.h - the Device Manager's driver calls: the serial drivers on the communication ports
 * COM1 (".Ain" -6, ".Aout" -7) and COM2 (".Bin" -8, ".Bout" -9), and the pen tablet (".Wacom",
 * reference number 1). Data moves through FSRead and FSWrite with the driver's reference number.
 *
 * OpenDriver and CloseDriver are Windows names too: the library exports OpenDrive and
 * CloseDrive, and sources keep the Toolbox spelling, which the overloads (C++) or macros (C)
 * below map. windows.h is included first so that both spellings see the same declarations;
 * after this header a C unit no longer reaches Windows' OpenDriver and CloseDriver.
 */
#ifndef ZEB_DEVICES_H
#define ZEB_DEVICES_H

#include <windows.h>

#include "Errors.h"
#include "Files.h"
#include "MacTypes.h"

/* Status code that hands out the address of the tablet's state record. */
enum { kZEBTabletStateCode = 20 };

ZEB_EXTERN_C_BEGIN
ZEB_API(OSErr) OpenDrive(ConstStr255Param name, short* drvrRefNum);
ZEB_API(OSErr) CloseDrive(short refNum);
ZEB_API(OSErr) Control(short refNum, short csCode, const void* csParamPtr);
ZEB_API(OSErr) Status(short refNum, short csCode, void* csParamPtr);
ZEB_EXTERN_C_END

#ifdef __cplusplus
inline OSErr OpenDriver(ConstStr255Param name, short* drvrRefNum) {
  return OpenDrive(name, drvrRefNum);
}
inline OSErr CloseDriver(short refNum) { return CloseDrive(refNum); }
#else
#define OpenDriver OpenDrive
#define CloseDriver CloseDrive
#endif

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

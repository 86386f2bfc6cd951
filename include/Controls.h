/*
 * Controls.h - the Control Manager.
 */
#ifndef ZEB_CONTROLS_H
#define ZEB_CONTROLS_H

#include "MacTypes.h"

/* ---- Entry points present without their manager's work ----
 * Controls are native Windows controls drawn in the system's colours, so control colour tables
 * have nothing to act on: each reports its call through DebugStr under its older name
 * (" GetAuxCtl", " SetCtlColor"); GetAuxiliaryControlRecord answers false. */
typedef struct ControlRecord ControlRecord;
typedef ControlRecord* ControlPtr;
typedef ControlPtr* ControlHandle;
typedef struct AuxCtlRec AuxCtlRec;
typedef AuxCtlRec* AuxCtlPtr;
typedef AuxCtlPtr* AuxCtlHandle;
typedef struct CtlCTab CtlCTab;
typedef CtlCTab* CCTabPtr;
typedef CCTabPtr* CCTabHandle;

ZEB_EXTERN_C_BEGIN
ZEB_API(Boolean) GetAuxiliaryControlRecord(ControlHandle theControl, AuxCtlHandle* acHndl);
ZEB_API(void) SetControlColor(ControlHandle theControl, CCTabHandle newColorTable);
ZEB_EXTERN_C_END

#define GetAuxCtl(theControl, acHndl) GetAuxiliaryControlRecord(theControl, acHndl)
#define SetCtlColor(theControl, newColorTable) SetControlColor(theControl, newColorTable)
/* ---- end of entry points present without their manager's work ---- */

#endif /* ZEB_CONTROLS_H */

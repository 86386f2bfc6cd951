/*
 * TextServices.h - the Text Services Manager.
 */
#ifndef ZEB_TEXTSERVICES_H
#define ZEB_TEXTSERVICES_H

#include "Events.h"
#include "MacTypes.h"

/* ---- Entry points present without their manager's work ----
 * Windows runs its own input methods: each call reports itself through DebugStr. Document
 * calls return noErr; TSMEvent, TSMMenuSelect and SetTSMCursor answer false (not handled), so
 * the application handles the event, menu choice or cursor itself. */
typedef struct OpaqueTSMDocumentID* TSMDocumentID;
typedef OSType InterfaceTypeList[1];

ZEB_EXTERN_C_BEGIN
ZEB_API(OSErr) InitTSMAwareApplication(void);
ZEB_API(OSErr) CloseTSMAwareApplication(void);
ZEB_API(OSErr) NewTSMDocument(short numOfInterface, InterfaceTypeList supportedInterfaceTypes,
                              TSMDocumentID* idocID, long refcon);
ZEB_API(OSErr) DeleteTSMDocument(TSMDocumentID idocID);
ZEB_API(OSErr) ActivateTSMDocument(TSMDocumentID idocID);
ZEB_API(OSErr) DeactivateTSMDocument(TSMDocumentID idocID);
ZEB_API(OSErr) FixTSMDocument(TSMDocumentID idocID);
ZEB_API(OSErr) UseInputWindow(TSMDocumentID idocID, Boolean useWindow);
ZEB_API(Boolean) TSMEvent(EventRecord* event);
ZEB_API(Boolean) TSMMenuSelect(long menuResult);
ZEB_API(Boolean) SetTSMCursor(Point mousePos);
ZEB_EXTERN_C_END
/* ---- end of entry points present without their manager's work ---- */

#endif /* ZEB_TEXTSERVICES_H */

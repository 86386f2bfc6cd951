/*
 * Drag.h - the Drag Manager.
 */
#ifndef ZEB_DRAG_H
#define ZEB_DRAG_H

#include "MacTypes.h"
#include "MacWindows.h"
#include "Quickdraw.h"

/* ---- Entry points present without their manager's work ----
 * No drag ever starts, so no handler is ever called: each call reports itself through
 * DebugStr and returns noErr. */
typedef unsigned long DragReference;
typedef unsigned long ItemReference;
typedef ResType FlavorType;
typedef unsigned long FlavorFlags;
typedef unsigned long DragAttributes;
typedef short DragTrackingMessage;
typedef OSErr(ZEBAPI* DragTrackingHandlerProcPtr)(DragTrackingMessage message,
                                                  WindowPtr theWindow, void* handlerRefCon,
                                                  DragReference theDrag);
typedef OSErr(ZEBAPI* DragReceiveHandlerProcPtr)(WindowPtr theWindow, void* handlerRefCon,
                                                 DragReference theDrag);
typedef DragTrackingHandlerProcPtr DragTrackingHandlerUPP;
typedef DragReceiveHandlerProcPtr DragReceiveHandlerUPP;

ZEB_EXTERN_C_BEGIN
ZEB_API(OSErr) InstallTrackingHandler(DragTrackingHandlerUPP trackingHandler,
                                      WindowPtr theWindow, void* handlerRefCon);
ZEB_API(OSErr) InstallReceiveHandler(DragReceiveHandlerUPP receiveHandler, WindowPtr theWindow,
                                     void* handlerRefCon);
ZEB_API(OSErr) RemoveTrackingHandler(DragTrackingHandlerUPP trackingHandler,
                                     WindowPtr theWindow);
ZEB_API(OSErr) RemoveReceiveHandler(DragReceiveHandlerUPP receiveHandler, WindowPtr theWindow);
ZEB_API(OSErr) CountDragItems(DragReference theDrag, unsigned short* numItems);
ZEB_API(OSErr) GetDragItemReferenceNumber(DragReference theDrag, unsigned short index,
                                          ItemReference* theItemRef);
ZEB_API(OSErr) GetFlavorFlags(DragReference theDrag, ItemReference theItemRef,
                              FlavorType theType, FlavorFlags* theFlags);
ZEB_API(OSErr) GetFlavorDataSize(DragReference theDrag, ItemReference theItemRef,
                                 FlavorType theType, Size* dataSize);
ZEB_API(OSErr) GetFlavorData(DragReference theDrag, ItemReference theItemRef, FlavorType theType,
                             void* dataPtr, Size* dataSize, unsigned long dataOffset);
ZEB_API(OSErr) GetDragAttributes(DragReference theDrag, DragAttributes* flags);
ZEB_API(OSErr) GetDragMouse(DragReference theDrag, Point* mouse, Point* pinnedMouse);
ZEB_API(OSErr) ShowDragHilite(DragReference theDrag, RgnHandle hiliteFrame, Boolean inside);
ZEB_API(OSErr) HideDragHilite(DragReference theDrag);
ZEB_EXTERN_C_END
/* ---- end of entry points present without their manager's work ---- */

#endif /* ZEB_DRAG_H */

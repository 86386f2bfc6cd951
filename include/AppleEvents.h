/*
 * AppleEvents.h - the Apple Event Manager.
 */
#ifndef ZEB_APPLEEVENTS_H
#define ZEB_APPLEEVENTS_H

#include "Events.h"
#include "MacTypes.h"
#include "Quickdraw.h"

/* ---- Entry points present without their manager's work ----
 * No Apple event is ever sent or received. Descriptor, list, parameter, attribute and event
 * calls report themselves through DebugStr and return noErr without building anything.
 * Installing an event handler succeeds silently (the handler is never called); removing or
 * asking for one answers errAEHandlerNotFound. AESizeOfParam answers errAEDescNotFound with a
 * size of 0, and AEGetInteractionAllowed answers level 0 (kAEInteractWithSelf), both silently. */
typedef ResType DescType;
typedef ResType AEKeyword;
typedef ResType AEEventClass;
typedef ResType AEEventID;
typedef long AESendMode;
typedef short AESendPriority;
typedef SignedByte AEInteractAllowed;

typedef struct AEDesc {
  DescType descriptorType;
  Handle dataHandle;
} AEDesc;
typedef AEDesc AEAddressDesc;
typedef AEDesc AEDescList;
typedef AEDesc AERecord;
typedef AEDesc AppleEvent;
ZEB_ASSERT_SIZE(AEDesc, 8);

enum { kAEInteractWithSelf = 0, kAEInteractWithLocal = 1, kAEInteractWithAll = 2 };

typedef struct NMRec NMRec;
typedef NMRec* NMRecPtr;
typedef OSErr(ZEBAPI* EventHandlerProcPtr)(const AppleEvent* theAppleEvent, AppleEvent* reply,
                                           long handlerRefcon);
typedef OSErr(ZEBAPI* CoercionHandlerProcPtr)(const AEDesc* fromDesc, DescType toType,
                                              long handlerRefcon, AEDesc* toDesc);
typedef Boolean(ZEBAPI* IdleProcPtr)(EventRecord* theEvent, long* sleepTime, RgnHandle* mouseRgn);
typedef Boolean(ZEBAPI* EventFilterProcPtr)(EventRecord* theEvent, long returnID,
                                            long transactionID, const AEAddressDesc* sender);
typedef EventHandlerProcPtr AEEventHandlerUPP;
typedef CoercionHandlerProcPtr AECoercionHandlerUPP;
typedef IdleProcPtr AEIdleUPP;
typedef EventFilterProcPtr AEFilterUPP;

ZEB_EXTERN_C_BEGIN
ZEB_API(OSErr) AECreateDesc(DescType typeCode, const void* dataPtr, Size dataSize, AEDesc* result);
ZEB_API(OSErr) AECoerceDesc(const AEDesc* theAEDesc, DescType toType, AEDesc* result);
ZEB_API(OSErr) AEDisposeDesc(AEDesc* theAEDesc);
ZEB_API(OSErr) AECreateList(const void* factoringPtr, Size factoredSize, Boolean isRecord,
                            AEDescList* resultList);
ZEB_API(OSErr) AECountItems(const AEDescList* theAEDescList, long* theCount);
ZEB_API(OSErr) AEPutPtr(AEDescList* theAEDescList, long index, DescType typeCode,
                        const void* dataPtr, Size dataSize);
ZEB_API(OSErr) AEPutDesc(AEDescList* theAEDescList, long index, const AEDesc* theAEDesc);
ZEB_API(OSErr) AEGetNthPtr(const AEDescList* theAEDescList, long index, DescType desiredType,
                           AEKeyword* theAEKeyword, DescType* typeCode, void* dataPtr,
                           Size maximumSize, Size* actualSize);
ZEB_API(OSErr) AEGetNthDesc(const AEDescList* theAEDescList, long index, DescType desiredType,
                            AEKeyword* theAEKeyword, AEDesc* result);
ZEB_API(OSErr) AEPutParamPtr(AppleEvent* theAppleEvent, AEKeyword theAEKeyword,
                             DescType typeCode, const void* dataPtr, Size dataSize);
ZEB_API(OSErr) AEPutParamDesc(AppleEvent* theAppleEvent, AEKeyword theAEKeyword,
                              const AEDesc* theAEDesc);
ZEB_API(OSErr) AEGetParamPtr(const AppleEvent* theAppleEvent, AEKeyword theAEKeyword,
                             DescType desiredType, DescType* typeCode, void* dataPtr,
                             Size maximumSize, Size* actualSize);
ZEB_API(OSErr) AEGetParamDesc(const AppleEvent* theAppleEvent, AEKeyword theAEKeyword,
                              DescType desiredType, AEDesc* result);
ZEB_API(OSErr) AESizeOfParam(const AppleEvent* theAppleEvent, AEKeyword theAEKeyword,
                             DescType* typeCode, Size* dataSize);
ZEB_API(OSErr) AEDeleteParam(AppleEvent* theAppleEvent, AEKeyword theAEKeyword);
ZEB_API(OSErr) AEGetAttributePtr(const AppleEvent* theAppleEvent, AEKeyword theAEKeyword,
                                 DescType desiredType, DescType* typeCode, void* dataPtr,
                                 Size maximumSize, Size* actualSize);
ZEB_API(OSErr) AEGetAttributeDesc(const AppleEvent* theAppleEvent, AEKeyword theAEKeyword,
                                  DescType desiredType, AEDesc* result);
ZEB_API(OSErr) AEPutAttributePtr(AppleEvent* theAppleEvent, AEKeyword theAEKeyword,
                                 DescType typeCode, const void* dataPtr, Size dataSize);
ZEB_API(OSErr) AEPutAttributeDesc(AppleEvent* theAppleEvent, AEKeyword theAEKeyword,
                                  const AEDesc* theAEDesc);
ZEB_API(OSErr) AECreateAppleEvent(AEEventClass theAEEventClass, AEEventID theAEEventID,
                                  const AEAddressDesc* target, short returnID,
                                  long transactionID, AppleEvent* result);
ZEB_API(OSErr) AESend(const AppleEvent* theAppleEvent, AppleEvent* reply, AESendMode sendMode,
                      AESendPriority sendPriority, long timeOutInTicks, AEIdleUPP idleProc,
                      AEFilterUPP filterProc);
ZEB_API(OSErr) AEProcessAppleEvent(const EventRecord* theEventRecord);
ZEB_API(OSErr) AESuspendTheCurrentEvent(const AppleEvent* theAppleEvent);
ZEB_API(OSErr) AEResumeTheCurrentEvent(const AppleEvent* theAppleEvent, const AppleEvent* reply,
                                       AEEventHandlerUPP dispatcher, long handlerRefcon);
ZEB_API(OSErr) AESetTheCurrentEvent(const AppleEvent* theAppleEvent);
ZEB_API(OSErr) AEGetInteractionAllowed(AEInteractAllowed* level);
ZEB_API(OSErr) AESetInteractionAllowed(AEInteractAllowed level);
ZEB_API(OSErr) AEInteractWithUser(long timeOutInTicks, NMRecPtr nmReqPtr, AEIdleUPP idleProc);
ZEB_API(OSErr) AEInstallEventHandler(AEEventClass theAEEventClass, AEEventID theAEEventID,
                                     AEEventHandlerUPP handler, long handlerRefcon,
                                     Boolean isSysHandler);
ZEB_API(OSErr) AERemoveEventHandler(AEEventClass theAEEventClass, AEEventID theAEEventID,
                                    AEEventHandlerUPP handler, Boolean isSysHandler);
ZEB_API(OSErr) AEGetEventHandler(AEEventClass theAEEventClass, AEEventID theAEEventID,
                                 AEEventHandlerUPP* handler, long* handlerRefcon,
                                 Boolean isSysHandler);
ZEB_API(OSErr) AEInstallCoercionHandler(DescType fromType, DescType toType,
                                        AECoercionHandlerUPP handler, long handlerRefcon,
                                        Boolean fromTypeIsDesc, Boolean isSysHandler);
ZEB_EXTERN_C_END
/* ---- end of entry points present without their manager's work ---- */

#endif /* ZEB_APPLEEVENTS_H */

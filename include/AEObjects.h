/*
 * AEObjects.h - the Object Support Library of the Apple Event Manager.
 */
#ifndef ZEB_AEOBJECTS_H
#define ZEB_AEOBJECTS_H

#include "AppleEvents.h"
#include "MacTypes.h"

/* ---- Entry points present without their manager's work ----
 * Object specifiers are not resolved or built: each call reports itself through DebugStr
 * followed by " - Not Supported, System 7", and returns noErr. */
typedef OSErr(ZEBAPI* OSLAccessorProcPtr)(DescType desiredClass, const AEDesc* container,
                                          DescType containerClass, DescType form,
                                          const AEDesc* selectionData, AEDesc* value,
                                          long accessorRefcon);
typedef OSLAccessorProcPtr OSLAccessorUPP;

ZEB_EXTERN_C_BEGIN
ZEB_API(OSErr) AEObjectInit(void);
ZEB_API(OSErr) AEResolve(const AEDesc* objectSpecifier, short callbackFlags, AEDesc* theToken);
ZEB_API(OSErr) AEInstallObjectAccessor(DescType desiredClass, DescType containerType,
                                       OSLAccessorUPP theAccessor, long accessorRefcon,
                                       Boolean isSysHandler);
ZEB_API(OSErr) CreateObjSpecifier(DescType desiredClass, AEDesc* theContainer, DescType keyForm,
                                  AEDesc* keyData, Boolean disposeInputs, AEDesc* objSpecifier);
ZEB_API(OSErr) CreateOffsetDescriptor(long theOffset, AEDesc* theDescriptor);
ZEB_API(OSErr) CreateCompDescriptor(DescType comparisonOperator, AEDesc* operand1,
                                    AEDesc* operand2, Boolean disposeInputs,
                                    AEDesc* theDescriptor);
ZEB_EXTERN_C_END
/* ---- end of entry points present without their manager's work ---- */

#endif /* ZEB_AEOBJECTS_H */

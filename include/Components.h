/*
 * Components.h - the Component Manager.
 */
#ifndef ZEB_COMPONENTS_H
#define ZEB_COMPONENTS_H

#include "MacTypes.h"

/* ---- Entry points present without their manager's work ----
 * No component is ever opened: CloseComponent reports its call through DebugStr and returns
 * noErr. */
typedef struct ComponentRecord ComponentRecord;
typedef ComponentRecord* Component;
typedef struct ComponentInstanceRecord ComponentInstanceRecord;
typedef ComponentInstanceRecord* ComponentInstance;
typedef long ComponentResult;

ZEB_EXTERN_C_BEGIN
ZEB_API(OSErr) CloseComponent(ComponentInstance aComponentInstance);
ZEB_EXTERN_C_END
/* ---- end of entry points present without their manager's work ---- */

#endif /* ZEB_COMPONENTS_H */

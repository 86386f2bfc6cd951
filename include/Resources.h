/*
 * Resources.h - the Resource Manager.
 */
#ifndef ZEB_RESOURCES_H
#define ZEB_RESOURCES_H

#include "Files.h"
#include "MacTypes.h"

/* ---- Entry points present without their manager's work ----
 * They exist so that a ported application links; none of them does the Resource Manager's
 * work. Each reports its call through DebugStr; FSpOpenResFile returns -1, the reference
 * number of no file. */
ZEB_EXTERN_C_BEGIN
ZEB_API(void) SetResourceSize(Handle theResource, long newSize);
ZEB_API(void) ReadPartialResource(Handle theResource, long offset, void* buffer, long count);
ZEB_API(void) WritePartialResource(Handle theResource, long offset, const void* buffer,
                                   long count);
ZEB_API(short) FSpOpenResFile(const FSSpec* spec, SignedByte permission);
ZEB_API(void) FSpCreateResFile(const FSSpec* spec, OSType creator, OSType fileType,
                               ScriptCode scriptTag);
ZEB_EXTERN_C_END
/* ---- end of entry points present without their manager's work ---- */

#endif /* ZEB_RESOURCES_H */

/*
 * DiskInit.h - the Disk Initialization Package.
 */
#ifndef ZEB_DISKINIT_H
#define ZEB_DISKINIT_H

#include "MacTypes.h"

/* ---- Entry points present without their manager's work ----
 * Windows formats its own disks: these report their call through DebugStr and do nothing. */
ZEB_EXTERN_C_BEGIN
ZEB_API(void) DILoad(void);
ZEB_API(void) DIUnload(void);
ZEB_EXTERN_C_END
/* ---- end of entry points present without their manager's work ---- */

#endif /* ZEB_DISKINIT_H */

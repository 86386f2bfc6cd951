/*
 * TextEdit.h - TextEdit.
 */
#ifndef ZEB_TEXTEDIT_H
#define ZEB_TEXTEDIT_H

#include "MacTypes.h"

/* ---- Entry points present without their manager's work ----
 * TEFeatureFlag reports its call through DebugStr and returns 0 (the feature was off). */
typedef struct TERec TERec;
typedef TERec* TEPtr;
typedef TEPtr* TEHandle;
ZEB_EXTERN_C_BEGIN
ZEB_API(short) TEFeatureFlag(short feature, short action, TEHandle hTE);
ZEB_EXTERN_C_END
/* ---- end of entry points present without their manager's work ---- */

#endif /* ZEB_TEXTEDIT_H */

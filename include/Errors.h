/*
 * Errors.h - Toolbox result codes shared by several managers, and SysError.
 */
#ifndef ZEB_ERRORS_H
#define ZEB_ERRORS_H

#include "MacTypes.h"

enum {
  ioErr = -36,     /* I/O error */
  paramErr = -50   /* error in a parameter */
};

ZEB_EXTERN_C_BEGIN
/* Reports " SysError" through DebugStr and returns: it never ends the process. */
ZEB_API(void) SysError(short errorCode);
ZEB_EXTERN_C_END

#endif /* ZEB_ERRORS_H */

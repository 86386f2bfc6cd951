/*
 * Errors.h - Toolbox result codes shared by several managers, and SysError.
 */
#ifndef ZEB_ERRORS_H
#define ZEB_ERRORS_H

#include "MacTypes.h"

enum {
  ioErr = -36,     /* I/O error */
  paramErr = -50,  /* error in a parameter */
  nmTypErr = -299, /* a notification request without its icon */
  gestaltUndefSelectorErr = -5550 /* Gestalt knows no such selector */
};

/* ---- Entry points present without their manager's work: their results ---- */
enum {
  editionMgrInitErr = -450,     /* the Edition Manager is not initialised */
  procNotFound = -600,          /* no such process */
  noOutstandingHLE = -608,      /* no high-level event is waiting */
  errAEDescNotFound = -1701,    /* no such descriptor */
  errAEHandlerNotFound = -1717  /* no handler installed for the event */
};
/* ---- end of entry points present without their manager's work ---- */

ZEB_EXTERN_C_BEGIN
/* Reports " SysError" through DebugStr and returns: it never ends the process. */
ZEB_API(void) SysError(short errorCode);
ZEB_EXTERN_C_END

#endif /* ZEB_ERRORS_H */

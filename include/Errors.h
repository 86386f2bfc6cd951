/*
 * Errors.h - every Toolbox result code that the library returns, whichever manager returns it,
 * and SysError. Including this header alone is enough to test any result by name; each
 * manager's header includes it.
 */
#ifndef ZEB_ERRORS_H
#define ZEB_ERRORS_H

#include "MacTypes.h"

/* General. */
enum {
  paramErr = -50 /* error in a parameter */
};

/* Notification Manager and Gestalt. */
enum {
  nmTypErr = -299,                /* a notification request without its icon */
  gestaltUndefSelectorErr = -5550 /* Gestalt knows no such selector */
};

/* Vertical retrace tasks. */
enum {
  qErr = -1,    /* the task is not in the list */
  vTypErr = -2  /* no task given */
};

/* Device Manager: the serial and tablet drivers. */
enum {
  badUnitErr = -21, /* no such driver, or its port would not close */
  dInstErr = -26    /* the driver would not open */
};

/* Print Manager (PrError). */
enum {
  iPrSavPFil = -1,    /* saving the spool file failed */
  iIOAbort = -27,     /* the job was stopped in the driver */
  iMemFullErr = -108, /* no memory for the job */
  iPrAbort = 128,     /* the job was cancelled, or the Windows print system failed */
  iPrBandErr = -4101  /* 0xEFFB: the driver gave no next band */
};

/* File Manager. */
enum {
  dirFulErr = -33,   /* directory full */
  dskFulErr = -34,   /* disk full */
  nsvErr = -35,      /* no such volume */
  ioErr = -36,       /* I/O error */
  bdNamErr = -37,    /* bad file or path name */
  fnOpnErr = -38,    /* file not open */
  eofErr = -39,      /* end of file */
  posErr = -40,      /* position before the start of the file */
  tmfoErr = -42,     /* too many files open */
  fnfErr = -43,      /* file not found */
  wPrErr = -44,      /* volume locked */
  fLckdErr = -45,    /* file locked */
  fBsyErr = -47,     /* file busy, or directory not empty */
  dupFNErr = -48,    /* duplicate name */
  opWrErr = -49,     /* already open for writing */
  rfNumErr = -51,    /* bad file reference number */
  permErr = -54,     /* permission denied */
  wrPermErr = -61,   /* no write permission */
  dirNFErr = -120    /* directory not found */
};

/* Memory Manager. */
enum {
  memFullErr = -108,   /* not enough room */
  nilHandleErr = -109, /* the handle was NIL */
  memAdrErr = -110,
  memWZErr = -111,
  memPurErr = -112,
  memAZErr = -113,
  memPCErr = -114,
  memBCErr = -115,
  memSCErr = -116,
  memLockedErr = -117
};

/* QuickDraw. */
enum {
  rgnOverflowErr = -147,
  pixmapTooDeepErr = -148,
  insufficientStackErr = -149,
  cMatchErr = -150,
  cTempMemErr = -151,
  cNoMemErr = -152,
  cRangeErr = -153,   /* a colour-table index outside the table */
  cProtectErr = -154  /* the entry is protected */
};

/* Scrap Manager. The clipboard held open by another program is fLckdErr (-45). */
enum {
  noScrapErr = -100, /* the scrap could not be written: no clipboard procedure, or it refused */
  noTypeErr = -102   /* no clipboard format gives the scrap type asked for */
};

/* Resource Manager. */
enum {
  resNotFound = -192,  /* no such resource, or the handle is not a resource */
  resFNotFound = -193, /* no open resource file has that reference number */
  addResFailed = -194, /* AddResource or SetResInfo could not extend the map */
  rmvResFailed = -196,
  resAttrErr = -198,   /* ReleaseResource of a handle that is not a resource */
  mapReadErr = -199    /* the map is unreadable, or the file is read-only for a write */
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

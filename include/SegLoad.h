/*
 * SegLoad.h - the name under which classic sources include the Segment Loader. A Windows
 * program has no code segments to load: what classic sources reach through this header is the
 * application's process, declared in Processes.h.
 */
#ifndef ZEB_SEGLOAD_H
#define ZEB_SEGLOAD_H

#include "MacTypes.h"
#include "Processes.h"

/* A Windows program's code is all loaded: unloading a segment does nothing, and the routine
 * named is evaluated once as the Toolbox's call would. */
#define UnloadSeg(routineAddr) ((void)(routineAddr))

/* The documents the application was started with (CountAppFiles, GetAppFiles): the message
 * says whether to open or to print them. */
enum { appOpen = 0, appPrint = 1 };

/* One document (natural alignment). */
typedef struct AppFile {
  short vRefNum;   /* working directory of the document's folder */
  OSType fType;
  short versNum;   /* always 0 */
  Str255 fName;
} AppFile;
ZEB_ASSERT_OFFSET(AppFile, fType, 4);
ZEB_ASSERT_OFFSET(AppFile, versNum, 8);
ZEB_ASSERT_OFFSET(AppFile, fName, 10);
ZEB_ASSERT_SIZE(AppFile, 268);

ZEB_EXTERN_C_BEGIN
ZEB_API(void) CountAppFiles(short* message, short* count);
/* index counts from 1; an index outside the list leaves theFile untouched. */
ZEB_API(void) GetAppFiles(short index, AppFile* theFile);
/* The list is never shortened: documents stay listed after they are handled. */
ZEB_API(void) ClrAppFiles(short index);
ZEB_API(void) GetAppParms(Str255 apName, short* apRefNum, Handle* apParam);
/* Sends the frame window the save-and-close message (ZEB_WM_EXITTOSHELL), then posts the quit
 * message; it returns, and the application's loop ends on the quit. */
ZEB_API(void) ExitToShell(void);
ZEB_EXTERN_C_END

#endif /* ZEB_SEGLOAD_H */

/*
 * MacWindows.h - the Window Manager.
 */
#ifndef ZEB_MACWINDOWS_H
#define ZEB_MACWINDOWS_H

#include "MacTypes.h"
#include "Quickdraw.h"

/* ---- Entry points present without their manager's work ----
 * Windows draws the window frames, so there are no auxiliary window records: GetAuxWin reports
 * its call through DebugStr and answers false. */
typedef GrafPtr WindowPtr;
typedef struct AuxWinRec AuxWinRec;
typedef AuxWinRec* AuxWinPtr;
typedef AuxWinPtr* AuxWinHandle;

ZEB_EXTERN_C_BEGIN
ZEB_API(Boolean) GetAuxWin(WindowPtr theWindow, AuxWinHandle* awHndl);
ZEB_EXTERN_C_END
/* ---- end of entry points present without their manager's work ---- */

/* CloseWindow, FindWindow, MoveWindow and ShowWindow are Windows functions too, exported here
 * with their last letter dropped. In C their Toolbox spellings name the shortened exports:
 * after this header a C unit reaches Windows' FindWindow only as FindWindowA or FindWindowW,
 * and Windows' CloseWindow, MoveWindow and ShowWindow not at all. */
#ifndef __cplusplus
#undef FindWindow
#define CloseWindow CloseWindo
#define FindWindow FindWindo
#define MoveWindow MoveWindo
#define ShowWindow ShowWindo
#endif

#endif /* ZEB_MACWINDOWS_H */

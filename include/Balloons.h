/*
 * Balloons.h - the Help Manager.
 */
#ifndef ZEB_BALLOONS_H
#define ZEB_BALLOONS_H

#include "MacTypes.h"
#include "Menus.h"

/* ---- Entry points present without their manager's work ----
 * Balloon help is not shown, and all of these are silent. The calls return noErr and answer
 * false; HMGetHelpMenuHandle gives a NIL menu, which a careful application tests before it
 * appends its own help items. */
typedef struct HMMessageRecord HMMessageRecord;
typedef HMMessageRecord* HMMessageRecPtr;

ZEB_EXTERN_C_BEGIN
ZEB_API(OSErr) HMGetHelpMenuHandle(MenuHandle* mh);
ZEB_API(OSErr) HMShowBalloon(const HMMessageRecord* aHelpMsg, Point tip, Rect* alternateRect,
                             Ptr tipProc, short theProc, short variant, short method);
ZEB_API(OSErr) HMRemoveBalloon(void);
ZEB_API(OSErr) HMGetIndHelpMsg(ResType whichType, short whichResID, short whichMsg,
                               short whichState, unsigned long* options, Point* tip,
                               Rect* altRect, short* theProc, short* variant,
                               HMMessageRecord* aHelpMsg, short* count);
ZEB_API(Boolean) HMIsBalloon(void);
ZEB_API(Boolean) HMGetBalloons(void);
ZEB_EXTERN_C_END
/* ---- end of entry points present without their manager's work ---- */

#endif /* ZEB_BALLOONS_H */

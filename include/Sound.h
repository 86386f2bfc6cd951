/*
 * Sound.h - the Sound Manager.
 */
#ifndef ZEB_SOUND_H
#define ZEB_SOUND_H

#include "MacTypes.h"

/* ---- Entry points present without their manager's work ----
 * Sound resources are not played: each call reports itself through DebugStr and returns noErr,
 * whatever its arguments; SndDispVersion answers 0 silently. */
typedef struct SndChannel SndChannel;
typedef SndChannel* SndChannelPtr;

ZEB_PACK2_BEGIN
typedef struct SndCommand {
  unsigned short cmd;
  short param1;
  long param2;
} SndCommand;
ZEB_PACK2_END
ZEB_ASSERT_SIZE(SndCommand, 8);

typedef struct SndListResource SndListResource;
typedef SndListResource* SndListPtr;
typedef SndListPtr* SndListHandle;
typedef void(ZEBAPI* SndCallBackProcPtr)(SndChannelPtr chan, SndCommand* cmd);
typedef SndCallBackProcPtr SndCallBackUPP;

ZEB_EXTERN_C_BEGIN
ZEB_API(OSErr) SndNewChannel(SndChannelPtr* chan, short synth, long init,
                             SndCallBackUPP userRoutine);
ZEB_API(OSErr) SndDisposeChannel(SndChannelPtr chan, Boolean quietNow);
ZEB_API(OSErr) SndDoCommand(SndChannelPtr chan, const SndCommand* cmd, Boolean noWait);
ZEB_API(OSErr) SndPlay(SndChannelPtr chan, SndListHandle sndHandle, Boolean async);
ZEB_API(long) SndDispVersion(short theDispatch);
ZEB_EXTERN_C_END
/* ---- end of entry points present without their manager's work ---- */

#endif /* ZEB_SOUND_H */

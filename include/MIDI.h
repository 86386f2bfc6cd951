/*
 * MIDI.h - the MIDI Manager.
 */
#ifndef ZEB_MIDI_H
#define ZEB_MIDI_H

#include "MacTypes.h"

/* ---- Entry points present without their manager's work ----
 * There are no MIDI ports: each call reports " MIDI" through DebugStr (MIDISignIn its own
 * name) and returns 0, which is noErr, a time of 0 or a NIL handle. */
typedef struct MIDIIDList MIDIIDList;
typedef MIDIIDList* MIDIIDListPtr;
typedef MIDIIDListPtr* MIDIIDListHdl;
typedef struct MIDIPortInfo MIDIPortInfo;
typedef MIDIPortInfo* MIDIPortInfoPtr;
typedef MIDIPortInfoPtr* MIDIPortInfoHdl;
typedef struct MIDIPortParams MIDIPortParams;
typedef MIDIPortParams* MIDIPortParamsPtr;
typedef struct MIDIPacket MIDIPacket;
typedef MIDIPacket* MIDIPacketPtr;
typedef void(ZEBAPI* MIDITimeProcPtr)(long curTime, long refCon);

ZEB_EXTERN_C_BEGIN
ZEB_API(OSErr) MIDISignIn(OSType clientID, long refCon, Handle icon, ConstStr255Param name);
ZEB_API(MIDIIDListHdl) MIDIGetPorts(OSType clientID);
ZEB_API(OSErr) MIDIAddPort(OSType clientID, short BufSize, MIDIPortInfoHdl* InfoHandle,
                           MIDIPortParamsPtr PortParams);
ZEB_API(MIDIPortInfoHdl) MIDIGetPortInfo(OSType clientID, OSType portID);
ZEB_API(OSErr) MIDIConnectData(OSType srcClID, OSType srcPortID, OSType dstClID,
                               OSType dstPortID);
ZEB_API(long) MIDIGetCurTime(short refnum);
ZEB_API(OSErr) MIDIWritePacket(short refnum, MIDIPacketPtr packet);
ZEB_API(void) MIDIFlush(short refnum);
ZEB_API(void) MIDIWakeUp(short refnum, long time, long period, MIDITimeProcPtr timeProc);
ZEB_API(void) MIDISetCurTime(short refnum, long time);
ZEB_API(void) MIDIStartTime(short refnum);
ZEB_API(void) MIDISetOffsetTime(short refnum, long offsetTime);
ZEB_EXTERN_C_END
/* ---- end of entry points present without their manager's work ---- */

#endif /* ZEB_MIDI_H */

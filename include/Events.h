/*
 * Events.h - the Event Manager.
 */
#ifndef ZEB_EVENTS_H
#define ZEB_EVENTS_H

#include "MacTypes.h"
#include "OSUtils.h"

/* Event kinds. */
enum {
  nullEvent = 0, mouseDown = 1, mouseUp = 2, keyDown = 3, keyUp = 4, autoKey = 5,
  updateEvt = 6, diskEvt = 7, activateEvt = 8, osEvt = 15
};

/* Event masks: the bit of kind k is 1 << k. */
enum {
  mDownMask = 0x0002, mUpMask = 0x0004, keyDownMask = 0x0008, keyUpMask = 0x0010,
  autoKeyMask = 0x0020, updateMask = 0x0040, diskMask = 0x0080, activMask = 0x0100,
  osMask = (short)0x8000, everyEvent = -1
};

/* Modifier bits. activeFlag in an activate event means activation; btnState is set while the
 * mouse button is up. */
enum {
  activeFlag = 0x0001, btnState = 0x0080, cmdKey = 0x0100, shiftKey = 0x0200,
  alphaLock = 0x0400, optionKey = 0x0800, controlKey = 0x1000
};

/* Results of PostEvent. */
enum { evtNotEnb = 1 };

ZEB_PACK2_BEGIN
typedef struct EventRecord {
  short what;
  unsigned long message;
  unsigned long when;
  Point where;
  unsigned short modifiers;
} EventRecord;

/* An element of the event queue: the queue link and type (-1 free, 1 queued), then the event. */
typedef struct EvQEl {
  QElemPtr qLink;
  short qType;
  short evtQWhat;
  unsigned long evtQMessage;
  unsigned long evtQWhen;
  Point evtQWhere;
  unsigned short evtQModifiers;
} EvQEl;
ZEB_PACK2_END
typedef EvQEl* EvQElPtr;
ZEB_ASSERT_SIZE(EventRecord, 16);
ZEB_ASSERT_OFFSET(EventRecord, message, 2);
ZEB_ASSERT_OFFSET(EventRecord, when, 6);
ZEB_ASSERT_OFFSET(EventRecord, where, 10);
ZEB_ASSERT_OFFSET(EventRecord, modifiers, 14);
ZEB_ASSERT_SIZE(EvQEl, 22);
ZEB_ASSERT_OFFSET(EvQEl, evtQWhat, 6);
ZEB_ASSERT_OFFSET(EvQEl, evtQWhere, 16);
ZEB_ASSERT_OFFSET(EvQEl, evtQModifiers, 20);

ZEB_EXTERN_C_BEGIN
/* Queues an event stamped with the current ticks, mouse location and modifiers: 0, or
 * evtNotEnb when its kind is outside the event mask. A full queue (32 events) loses its 8
 * oldest with a beep rather than refusing the new one. */
ZEB_API(OSErr) PostEvent(short eventNum, long eventMsg);
/* PostEvent that also hands back the queue element used (null when not posted). */
ZEB_API(OSErr) PPostEvent(short eventCode, long eventMsg, EvQElPtr* qEl);
/* The event queue's header: the application's event-queue cell. */
ZEB_API(QHdrPtr) GetEvQHdr(void);
ZEB_EXTERN_C_END

/* ---- Entry points present without their manager's work ----
 * They exist so that a ported application links. Each reports its call through DebugStr
 * (KeyTranslate under its older name, " KeyTrans") and returns 0. */

ZEB_EXTERN_C_BEGIN
/* Keyboard layouts ('KCHR') are Windows': no character comes back. */
ZEB_API(long) KeyTranslate(const void* transData, unsigned short keycode, unsigned long* state);

/* The operating-system dispatcher: its operands follow the selector, and the caller removes
 * its own arguments. */
ZEB_VARIADIC_API(long, OSDispatch);
ZEB_EXTERN_C_END

#define KeyTrans(transData, keycode, state) KeyTranslate(transData, keycode, state)
/* ---- end of entry points present without their manager's work ---- */

ZEB_EXTERN_C_BEGIN
/* Ticks of 16 milliseconds since Windows started; also written to the application's tick cell. */
ZEB_API(unsigned long) TickCount(void);
ZEB_EXTERN_C_END

#endif /* ZEB_EVENTS_H */

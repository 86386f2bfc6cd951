/*
 * Events.h - the Event Manager.
 */
#ifndef ZEB_EVENTS_H
#define ZEB_EVENTS_H

#include "MacTypes.h"
#include "OSUtils.h"
#include "Quickdraw.h"

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

/* The message of a key event: the character in the low byte, the Macintosh key code in the
 * next. */
enum { charCodeMask = 0x000000FF, keyCodeMask = 0x0000FF00 };

/* The message of an operating-system event: suspend and resume in the high byte, the resume
 * bit and the convert-clipboard bit in the low byte. */
enum { suspendResumeMessage = 0x01, resumeFlag = 1, convertClipboardFlag = 2 };

/* GetKeys' map: bit n of byte n / 8 (least significant bit first) for Macintosh key code n. */
typedef unsigned char KeyMap[16];

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

/* The event calls. Each runs the Windows message pump (translating and dispatching messages to
 * the application's window procedures), then takes the oldest queued event the mask admits,
 * or an activate or update event from window state, or a null event (message all bits set);
 * the result says whether the record holds an event other than null. A nil record takes no
 * event out. WaitNextEvent sleeps up to sleep ticks while nothing is pending (at most 32512
 * milliseconds); mouseRgn is not used. */
ZEB_API(Boolean) GetNextEvent(short eventMask, EventRecord* theEvent);
ZEB_API(Boolean) WaitNextEvent(short eventMask, EventRecord* theEvent, unsigned long sleep,
                               RgnHandle mouseRgn);
/* As GetNextEvent, leaving the event in the queue. */
ZEB_API(Boolean) EventAvail(short eventMask, EventRecord* theEvent);
ZEB_API(Boolean) GetOSEvent(short mask, EventRecord* theEvent);
ZEB_API(Boolean) OSEventAvail(short mask, EventRecord* theEvent);
/* Removes the queued events of whichMask, stopping at the first of stopMask; when no stop
 * event was met, the matching mouse-button and key input waiting in Windows' queue goes too. */
ZEB_API(void) FlushEvents(short whichMask, short stopMask);
/* The kinds PostEvent admits (initially everything but key-up). */
ZEB_API(void) SetEventMask(short mask);
/* The double-click and caret-blink times in ticks. */
ZEB_API(unsigned long) GetDblTime(void);
ZEB_API(unsigned long) GetCaretTime(void);
/* The mouse button: Button reads it now; StillDown answers whether it is still down since the
 * last mouse-down (false once a mouse-up is queued); WaitMouseUp also takes that mouse-up out. */
ZEB_API(Boolean) Button(void);
ZEB_API(Boolean) StillDown(void);
ZEB_API(Boolean) WaitMouseUp(void);
/* The mouse location in the current port's local coordinates. */
ZEB_API(void) GetMouse(Point* mouseLoc);
/* Desk accessories are Windows programs: nothing to do. */
ZEB_API(void) SystemTask(void);
/* Space, Command (Ctrl), Shift, Option (Alt), Escape and Caps Lock; Control as well when
 * ZEB_SystemValue index 56 is set. */
ZEB_API(void) GetKeys(KeyMap theKeys);
ZEB_EXTERN_C_END

#endif /* ZEB_EVENTS_H */

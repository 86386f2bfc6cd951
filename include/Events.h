/*
 * Events.h - the Event Manager.
 */
#ifndef ZEB_EVENTS_H
#define ZEB_EVENTS_H

#include "MacTypes.h"

/* ---- Entry points present without their manager's work ----
 * They exist so that a ported application links. Each reports its call through DebugStr
 * (KeyTranslate under its older name, " KeyTrans") and returns 0. */
typedef struct EventRecord EventRecord;

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

/*
 * Traps.h - trap words, as classic sources name them: the calls an application can replace
 * through the trap-address calls, and the words that its feature tests ask about.
 */
#ifndef ZEB_TRAPS_H
#define ZEB_TRAPS_H

#include "MacTypes.h"

/* The kind of trap a trap-address call is asked about. */
typedef SignedByte TrapType;
enum { OSTrap = 0, ToolTrap = 1 };

enum {
  /* Replaceable Toolbox calls. */
  _PopUpMenuSelect = 0xA80B,
  _GetNextEvent = 0xA970,
  _EventAvail = 0xA971,
  _WaitNextEvent = 0xA860,
  _Button = 0xA974,
  _GetMouse = 0xA972,
  _StillDown = 0xA973,
  _WaitMouseUp = 0xA977,
  _SystemTask = 0xA9B4,
  _SetOrigin = 0xA878,
  _BeginUpdate = 0xA922,
  _EndUpdate = 0xA923,
  _InvalRect = 0xA928,
  _InvalRgn = 0xA927,
  _NewWindow = 0xA913,
  _NewCWindow = 0xAA45,
  _ShowWindow = 0xA915,
  _HideWindow = 0xA916,
  _SelectWindow = 0xA91F,
  _FrontWindow = 0xA924,
  _CloseWindow = 0xA92D,
  _ModalDialog = 0xA991,
  _DrawMenuBar = 0xA937,
  _HiliteMenu = 0xA938,
  _SetCursor = 0xA851,
  _InitCursor = 0xA850,
  _EraseRect = 0xA8A3,
  /* What feature tests compare them with. */
  _Unimplemented = 0xA89F,
  _Gestalt = 0xA1AD,
  _GestaltDispatch = 0xA1AD,
  _OSDispatch = 0xA88F
};

#endif /* ZEB_TRAPS_H */

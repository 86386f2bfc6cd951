// What the Menu Manager offers the other managers.
#ifndef ZEB_MENUS_MENUS_INTERNAL_H
#define ZEB_MENUS_MENUS_INTERNAL_H

#include "MacTypes.h"
#include "Menus.h"

namespace zeb::menus {

// A menu selection reported from Windows (ZEB_EventMenuSel): the result is kept for
// MenuSelect and a mouse-down report of the menu bar is posted. 0xFFFF is the quit command
// that the close command of the frame stands for.
void ReportMenuSelection(uint16_t selection);
// Whether a menu is being tracked (a pop-up menu, or the bar after a click in it); the frame's
// non-client clicks are swallowed meanwhile.
bool Tracking();
// Set while the Menu Manager rebuilds the frame's menu bar: windows do not clear their
// backgrounds meanwhile.
bool SuppressingBackgroundClearing();

// The library's own PopUpMenuSelect, DrawMenuBar and HiliteMenu: the defaults of their
// patchable slots.
long ZEBAPI LibraryPopUpMenuSelect(MenuHandle menu, short top, short left, short popUpItem);
void ZEBAPI LibraryDrawMenuBar(void);
void ZEBAPI LibraryHiliteMenu(short menuID);

// ZEB_ExitSession, before the heaps go: the bar's Windows popups leave the frame menu, and the
// owner-draw table, the pop-up state and the menu hook's procedure instance are released.
void ReleaseMenus();

}  // namespace zeb::menus

#endif  // ZEB_MENUS_MENUS_INTERNAL_H

// The menu bar on the frame window's Windows menu.
#include <windows.h>

#include "frame/frame_internal.h"
#include "frame/toolbox_globals.h"
#include "menus/menus_internal.h"

namespace zeb::menus {

// The Menu Manager keeps the selection for MenuSelect and posts the menu-bar report here.
void ReportMenuSelection(uint16_t selection) { (void)selection; }

bool Tracking() { return false; }

bool SuppressingBackgroundClearing() { return false; }

// The pop-up menu is tracked with TrackPopupMenu here; no item is chosen without one.
long ZEBAPI LibraryPopUpMenuSelect(MenuHandle menu, short top, short left, short popUpItem) {
  (void)menu;
  (void)top;
  (void)left;
  (void)popUpItem;
  return 0;
}

void ZEBAPI LibraryDrawMenuBar(void) {
  if (frame::FrameWindow()) DrawMenuBar(frame::FrameWindow());
}

// Windows draws the bar itself: the highlighted menu is only kept in the application's cell.
void ZEBAPI LibraryHiliteMenu(short menuID) { *frame::Globals().theMenu = menuID; }

}  // namespace zeb::menus

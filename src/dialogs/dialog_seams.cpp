// The Control and Dialog Managers as the Window Manager, the scroll glue, the menus and the
// print dialogs reach them.
#include "Controls.h"
#include "Dialogs.h"
#include "dialogs/control_manager.h"
#include "dialogs/dialogs_internal.h"

namespace zeb::dialogs {

void KillControls(WindowPtr window) { ::KillControls(window); }

// Active windows' scroll bars are enabled (when they have a range), inactive windows' disabled;
// the other controls are drawn again in the window's state.
void RedrawControls(WindowPtr window, bool active) {
  if (!window) return;
  for (ControlHandle c = reinterpret_cast<WindowPeek>(window)->controlList; c; c = (*c)->nextControl) {
    if (!(*c)->contrlVis || !(*c)->zebWindow) continue;
    if (controls::KindOf(c) == controls::kScrollBar)
      EnableWindow((*c)->zebWindow, active && (*c)->contrlMin < (*c)->contrlMax &&
                                        (*c)->contrlHilite != controls::kInactive);
    Draw1Control(c);
  }
}

ControlHandle FindControlAt(WindowPtr window, Point local) {
  if (!window) return nullptr;
  for (ControlHandle c = reinterpret_cast<WindowPeek>(window)->controlList; c; c = (*c)->nextControl) {
    const Rect& r = (*c)->contrlRect;
    if ((*c)->contrlVis && local.v >= r.top && local.v < r.bottom && local.h >= r.left && local.h < r.right)
      return c;
  }
  return nullptr;
}

ControlHandle ControlOfScrollBar(HWND scrollBar) { return controls::FromNative(scrollBar); }

void SetControlValue(ControlHandle control, short value) { ::SetControlValue(control, value); }

// The library's own modal work (the print dialogs) disables and enables again the frame and
// every visible window of the window list, as ZEB_EnableWindows does.
void EnableApplicationWindows(bool enable) {
  ZEB_EnableWindowsEx(nullptr, enable ? TRUE : FALSE, TRUE, TRUE);
}

// An edit item's native window runs Z_EditWndProc.
bool FocusIsEditItem() {
  HWND focus = GetFocus();
  return focus && GetWindowLongPtrA(focus, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(&Z_EditWndProc);
}

int ScrollBarWidth() { return controls::ScrollBarWidthSetting(); }
int ScrollBarHeight() { return controls::ScrollBarHeightSetting(); }

}  // namespace zeb::dialogs

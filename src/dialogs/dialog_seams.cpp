// The Dialog and Control Managers as the Window Manager and the glue reach them.
#include "dialogs/dialogs_internal.h"

#include "frame/frame_internal.h"

namespace zeb::dialogs {
namespace {

// The Toolbox's scroll-bar thickness, until ZEB_SetScrollBarWH sets other values.
constexpr int kScrollBarThickness = 16;

}  // namespace

// Dialog building publishes the dialog's window here while its items are made.
WindowPtr DialogBeingBuilt() { return nullptr; }

// ModalDialog publishes its dialog's window here while it runs.
WindowPtr ModalWindow() { return nullptr; }

// The Control Manager disposes of the window's control list here.
void KillControls(WindowPtr window) { (void)window; }

// The Control Manager redraws the window's controls active or inactive here.
void RedrawControls(WindowPtr window, bool active) {
  (void)window;
  (void)active;
}

// The Control Manager's FindControl answers here.
ControlHandle FindControlAt(WindowPtr window, Point local) {
  (void)window;
  (void)local;
  return nullptr;
}

// The Control Manager's SetControlValue, native window included, runs here.
void SetControlValue(ControlHandle control, short value) {
  (void)control;
  (void)value;
}

int ScrollBarWidth() { return kScrollBarThickness; }
int ScrollBarHeight() { return kScrollBarThickness; }

// ModalDialog's event loop runs here; without a dialog no item is hit.
void ZEBAPI LibraryModalDialog(ModalFilterProc filter, short* itemHit) {
  (void)filter;
  if (itemHit) *itemHit = 0;
}

// ZEB_EnableWindows walks the window list from here; the frame window owns every window of
// the application, so disabling it keeps the others from input meanwhile.
void EnableApplicationWindows(bool enable) {
  if (HWND frame = frame::FrameWindow()) EnableWindow(frame, enable ? TRUE : FALSE);
}

// The Dialog Manager's combo boxes close their dropped-down list here.
void CloseFocusedComboList() {}

// GetDialogItem of the control answers here; without dialogs no control is an item.
bool DialogItemOfControl(WindowPtr window, HWND control, short* item, short* type) {
  (void)window;
  (void)control;
  (void)item;
  (void)type;
  return false;
}

// SetDialogItemText and ZEB_SetBigIText raise this while they change item text.
bool HitsSuppressed() { return false; }

// The Control Manager's button windows and the Dialog Manager's combo boxes are recognised
// here.
bool IsLibraryButton(HWND control) {
  (void)control;
  return false;
}
bool IsLibraryComboBox(HWND control) {
  (void)control;
  return false;
}

// The Dialog Manager's edit items answer here; until they exist no focus is one.
bool FocusIsEditItem() { return false; }

}  // namespace zeb::dialogs

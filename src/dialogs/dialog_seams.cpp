// The Dialog and Control Managers as the Window Manager and the glue reach them.
#include "dialogs/dialogs_internal.h"

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

}  // namespace zeb::dialogs

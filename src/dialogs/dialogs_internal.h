// What the Dialog Manager offers the other managers.
#ifndef ZEB_DIALOGS_DIALOGS_INTERNAL_H
#define ZEB_DIALOGS_DIALOGS_INTERNAL_H

#include <windows.h>

#include "Controls.h"
#include "MacWindows.h"

namespace zeb::dialogs {

// The window of the dialog being built (GetNewDialog, NewDialog) while its items are made;
// null otherwise. Windows made meanwhile are the dialog's own.
WindowPtr DialogBeingBuilt();
// The modal dialog's window while one is up (ZEB_SystemValue index 28 says whether one is).
WindowPtr ModalWindow();
// CloseWindow: the window's controls and their native windows are disposed of.
void KillControls(WindowPtr window);
// HiliteWindow (when ZEB_SystemValue index 54 is set): the window's controls are drawn again
// in the window's new state, active or inactive.
void RedrawControls(WindowPtr window, bool active);
// The scroll glue: the control under a point of the window (local coordinates), null for none.
ControlHandle FindControlAt(WindowPtr window, Point local);
// The scroll glue: the control a native scroll bar shows, null for any other window.
ControlHandle ControlOfScrollBar(HWND scrollBar);
// The scroll glue moves a scroll bar's thumb: the control takes the value, its native window
// follows.
void SetControlValue(ControlHandle control, short value);
// The scroll-bar width and height settings (ZEB_SetScrollBarWH), which keep a window's caption
// reachable.
int ScrollBarWidth();
int ScrollBarHeight();
// contrlAction -1: the tracking action of a control with a definition procedure (its
// auto-track message); null for a standard control, which has no definition to call.
void* DefinitionTracking(ControlHandle control);
// The library's own ModalDialog: the default of its patchable slot.
typedef Boolean(ZEBAPI* ModalFilterProc)(void* dialog, EventRecord* event, short* itemHit);
void ZEBAPI LibraryModalDialog(ModalFilterProc filter, short* itemHit);

// ZEB_EnableWindows for the library's own modal work (the print dialogs): the frame window
// and the windows of the window list disabled, or enabled again.
void EnableApplicationWindows(bool enable);

// The host icon that the alert code keeps for the alert icon IDs 0, 1 and 2 (stop, note,
// caution); null when it has none. GetResource answers 'ICON' 0-2 with it.
HICON AlertIcon(int id);

// Exit: ErrorSound(1), which releases the application's error-sound procedure instance.
void ResetErrorSound();

// ---- What the Event Manager's input calls ask of dialogs ----
// A mouse-down taken out of the queue first closes the dropped-down list of a focused combo box
// of the library, as a click elsewhere closes it on Windows.
void CloseFocusedComboList();
// The dialog item a native control of a Toolbox window stands for (GetDialogItem): its item
// number and type; false when the control is no dialog item.
bool DialogItemOfControl(WindowPtr window, HWND control, short* item, short* type);
// True while the library itself changes item text (SetDialogItemText, ZEB_SetBigIText): the
// notifications that causes are not the user's hits.
bool HitsSuppressed();
// The library's own push buttons, check boxes and radio buttons, and its combo boxes, whose
// notifications are dialog hits.
bool IsLibraryButton(HWND control);
bool IsLibraryComboBox(HWND control);

// The pump hands each character message (WM_CHAR, WM_SYSCHAR) to the character filter of the
// modal window an application's own loop prepared (ZEB_PrepareModalWindow) before dispatching
// it; true when the filter consumed it, and the message then goes no further.
bool CharFilterConsumes(const MSG& msg);

// Whether the window with the keyboard focus is an edit item of the library (its window
// procedure is Z_EditWndProc): a dropping menu then leaves the focus where it is.
bool FocusIsEditItem();

}  // namespace zeb::dialogs

#endif  // ZEB_DIALOGS_DIALOGS_INTERNAL_H

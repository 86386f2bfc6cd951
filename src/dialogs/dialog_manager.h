// The Dialog Manager's state as the Control Manager's files reach it.
#ifndef ZEB_DIALOGS_DIALOG_MANAGER_H
#define ZEB_DIALOGS_DIALOG_MANAGER_H

#include <windows.h>

#include "Controls.h"
#include "Dialogs.h"

namespace zeb::dialogs {

// ZEB_SystemValue selector 40: while set, every control that no row of the procID table takes
// becomes a pop-up list.
constexpr int kComboSwitchIndex = 40;
// ZEB_SystemValue selector 59: the items of the next dialog whose static text is right-aligned.
constexpr int kRightAlignedIndex = 59;
// ZEB_SystemValue selector 12: the alert window's definition ID.
constexpr int kAlertProcIndex = 12;

// The item being built is a combo box in its dialog's item table.
bool BuildingComboItem();
// A pop-up list box fills itself from 'MENU' menuId (nothing for 0 or a missing resource):
// contrlMin 1, contrlMax the count of entries.
void FillPopUpBox(ControlHandle control, short menuId);
// A control is disposed of: no dialog item names it any more.
void ForgetControl(ControlHandle control);
// Whether the window is a dialog of the library (kind 2 with the Dialog Manager's record).
bool IsLibraryDialog(WindowPtr window);
// Painting protection in a dialog: rgn (a GDI region in the dialog port's coordinates) is what
// the item shown by native has just painted; the parts that items of higher number overlapping it
// cover are taken out, so that the Toolbox update still draws those items.
void ExcludeLaterItems(WindowPtr window, HWND native, HRGN rgn);
// The item number a native window stands for in its dialog, 0 for none.
short ItemOfNative(DialogPtr dialog, HWND hwnd);
// The keyboard focus moved to hwnd (null: left the library's windows): a dialog's default
// button follows a focused push button, and goes back to the default item otherwise.
void FocusMovedTo(HWND hwnd);
// The texts of a 'MENU' resource's items, in order; false when the resource is missing.
bool MenuItemTexts(short menuId, void (*each)(const unsigned char* text, void* context),
                   void* context);

}  // namespace zeb::dialogs

#endif  // ZEB_DIALOGS_DIALOG_MANAGER_H

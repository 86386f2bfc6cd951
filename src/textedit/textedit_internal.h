// What TextEdit offers the other managers.
#ifndef ZEB_TEXTEDIT_TEXTEDIT_INTERNAL_H
#define ZEB_TEXTEDIT_TEXTEDIT_INTERNAL_H

#include <windows.h>

#include "MacWindows.h"

namespace zeb::textedit {

// True while TextEdit draws a password field: every character the text conversion produces
// is then shown as '*'.
bool PasswordEchoOn();

// An edit-text item's control gained the focus or changed: the dialog's TextEdit record is
// bound to that edit control.
void BindDialogEdit(WindowPtr dialog, HWND edit);
// The edit control lost the focus: the dialog has no current edit field.
void ClearDialogEditField(WindowPtr dialog);

}  // namespace zeb::textedit

#endif  // ZEB_TEXTEDIT_TEXTEDIT_INTERNAL_H

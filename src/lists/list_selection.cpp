// Selection, clicks, drawing, scrolling and searching of lists, and the library's own list
// calls.
#include <algorithm>
#include <cstring>

#include "Events.h"
#include "Packages.h"
#include "frame/frame_internal.h"
#include "lists/list_manager.h"
#include "quickdraw/quickdraw_internal.h"

namespace zeb::lists {
namespace {

bool SingleSelection(ListPtr l) { return (l->selFlags & lOnlyOne) != 0; }

int32_t FirstSelected(ListHandle list) { return NextSelected(ViewOf(list), 0); }

void SetBit(ListPtr l, int32_t index, bool on) {
  if (on)
    l->cellArray[index] |= kSelectedBit;
  else
    l->cellArray[index] &= static_cast<uint16_t>(~kSelectedBit);
}

bool AnySelectedInRow(ListPtr l, int32_t row) {
  const int32_t rows = RowsOf(l), columns = ColumnsOf(l);
  for (int32_t c = 0; c < columns; ++c)
    if (l->cellArray[c * rows + row] & kSelectedBit) return true;
  return false;
}

void InvalidateEntry(const Slot& s, int32_t entry) {
  if (s.flags & kDrawingOff) return;
  RECT rc;
  SetRectEmpty(&rc);
  SendMessageA(s.box, LB_GETITEMRECT, static_cast<WPARAM>(entry), reinterpret_cast<LPARAM>(&rc));
  if (!IsRectEmpty(&rc)) InvalidateRect(s.box, &rc, TRUE);
}

// The record's selection shown in the box again.
void ShowSelection(Slot& s) {
  ListPtr l = *s.list;
  const CellView v = ViewOf(s.list);
  if (SingleSelection(l) || s.grid) {
    const int32_t first = NextSelected(v, 0);
    SendMessageA(s.box, LB_SETCURSEL, static_cast<WPARAM>(first >= 0 ? EntryOf(s, l, first) : -1), 0);
    return;
  }
  for (int32_t i = NextSelected(v, 0); i >= 0; i = NextSelected(v, i + 1)) SetNativeSelection(s, i, true);
}

void MakeTop(Slot& s, int32_t entry) {
  SendMessageA(s.box, LB_SETTOPINDEX, static_cast<WPARAM>(std::max<int32_t>(0, entry)), 0);
  RecomputeVisible(s);
}

}  // namespace
}  // namespace zeb::lists

using namespace zeb;
using namespace zeb::lists;

extern "C" {

// A grid list shows one entry per row: the cell's row is its native entry.
void ZEBAPI LSetSelect(Boolean setIt, Cell theCell, ListHandle lHandle) {
  Slot* s = SlotOf(lHandle);
  int32_t index = 0;
  if (!s || (*lHandle)->maxIndex < 0 || !CellIndex(*lHandle, theCell, &index)) return;
  ListPtr l = *lHandle;
  if (s->grid) {
    if (setIt) {
      if (SingleSelection(l)) {
        const CellView v = ViewOf(lHandle);
        for (int32_t i = NextSelected(v, 0); i >= 0; i = NextSelected(v, i + 1))
          if (i != index) {
            SetBit(l, i, false);
            InvalidateEntry(*s, EntryOf(*s, l, i));
          }
      }
      SetNativeSelection(*s, index, true);
      SetBit(l, index, true);
    } else {
      SetBit(l, index, false);
      if (!AnySelectedInRow(l, EntryOf(*s, l, index))) SetNativeSelection(*s, index, false);
    }
    InvalidateEntry(*s, EntryOf(*s, l, index));
    return;
  }
  if (SingleSelection(l) && setIt) {
    // One selected cell: the box's current selection moves, and so does the record's.
    const CellView v = ViewOf(lHandle);
    for (int32_t i = NextSelected(v, 0); i >= 0; i = NextSelected(v, i + 1)) SetBit(l, i, false);
  }
  SetNativeSelection(*s, index, setIt != 0);
  SetBit(*lHandle, index, setIt != 0);
  if (s->custom) InvalidateEntry(*s, index);
}

Boolean ZEBAPI LGetSelect(Boolean next, Cell* theCell, ListHandle lHandle) {
  Slot* s = SlotOf(lHandle);
  if (!s || !theCell) return false;
  ListPtr l = *lHandle;
  if (!next) {
    int32_t index = 0;
    return CellIndex(l, *theCell, &index) && (l->cellArray[index] & kSelectedBit) ? 1 : 0;
  }
  // From the cell on, column by column; a cell before the list starts at its first cell.
  int32_t from = 0;
  Cell c = *theCell;
  if (c.h < l->dataBounds.left || (c.h == l->dataBounds.left && c.v < l->dataBounds.top)) {
    from = 0;
  } else if (!CellIndex(l, c, &from)) {
    if (c.h >= l->dataBounds.right) return false;
    if (c.v < l->dataBounds.top) c.v = l->dataBounds.top;
    if (c.v >= l->dataBounds.bottom) {
      c.v = l->dataBounds.top;
      ++c.h;
    }
    if (!CellIndex(l, c, &from)) return false;
  }
  const int32_t found = NextSelected(ViewOf(lHandle), from);
  if (found < 0) return false;
  *theCell = CellAt(l, found);
  return true;
}

Boolean ZEBAPI LNextCell(Boolean hNext, Boolean vNext, Cell* theCell, ListHandle lHandle) {
  Slot* s = SlotOf(lHandle);
  if (!s || !theCell) return false;
  ListPtr l = *lHandle;
  int32_t h = theCell->h - l->dataBounds.left, v = theCell->v - l->dataBounds.top;
  if (!StepCell(hNext != 0, vNext != 0, ColumnsOf(l), RowsOf(l), &h, &v)) return false;
  theCell->h = static_cast<short>(l->dataBounds.left + h);
  theCell->v = static_cast<short>(l->dataBounds.top + v);
  return true;
}

// The native box has tracked the mouse already: the click is read back from its selection.
Boolean ZEBAPI LClick(Point pt, short modifiers, ListHandle lHandle) {
  (void)modifiers;
  Slot* s = SlotOf(lHandle);
  if (!s) return false;
  if (ListClickLoopProcPtr loop = (*lHandle)->lClikLoop) {
    do {
      if (!loop()) return false;
    } while (Button());
  }
  while (Button()) {
    MSG msg;
    if (PeekMessageA(&msg, nullptr, WM_LBUTTONUP, WM_LBUTTONUP, PM_NOREMOVE)) break;
    Sleep(1);
  }
  s = SlotOf(lHandle);
  if (!s) return false;
  ListPtr l = *lHandle;
  l->clikLoc = pt;
  l->clikTime = static_cast<long>(TickCount());
  // A double-click's notification may come in before the click that changed the selection has
  // reached LClick: the state is kept for the click that leaves the selection as it is.
  const bool doubleClick = s->doubleClick;
  if (l->maxIndex < 0) return false;
  if (s->grid) {
    s->doubleClick = false;
    // The clicked cell is the last click.
    if (l->cellSize.h > 0 && l->cellSize.v > 0 && pt.h >= l->rView.left && pt.v >= l->rView.top) {
      Cell c;
      c.h = static_cast<short>(l->visible.left + (pt.h - l->rView.left) / l->cellSize.h);
      c.v = static_cast<short>(l->visible.top + (pt.v - l->rView.top) / l->cellSize.v);
      int32_t index = 0;
      if (CellIndex(l, c, &index)) l->lastClick = c;
    }
    return doubleClick;
  }
  const int32_t before = FirstSelected(lHandle);
  if (before >= 0) l->lastClick = CellAt(l, before);
  bool result = false;
  const int32_t count = l->maxIndex + 1;
  if (!SingleSelection(l)) {
    bool changed = false;
    for (int32_t i = 0; i < count; ++i) {
      const bool on = SendMessageA(s->box, LB_GETSEL, static_cast<WPARAM>(i), 0) > 0;
      if (on != ((l->cellArray[i] & kSelectedBit) != 0)) changed = true;
      SetBit(l, i, on);
    }
    if (!changed) {
      result = doubleClick;
      s->doubleClick = false;
    }
  } else {
    const LRESULT current = SendMessageA(s->box, LB_GETCURSEL, 0, 0);
    const int32_t now = current >= 0 && current < count ? static_cast<int32_t>(current) : -1;
    int32_t off = 0, len = 0;
    if (now >= 0 && (l->selFlags & lNoNilHilite) && CellData(ViewOf(lHandle), now, &off, &len) && len == 0) {
      // An empty cell is not selected: the box goes back to the previous cell.
      SendMessageA(s->box, LB_SETCURSEL, static_cast<WPARAM>(before >= 0 ? before : -1), 0);
      s->doubleClick = false;
      result = false;
    } else if (now == before) {
      result = doubleClick;
      s->doubleClick = false;
    } else {
      if (before >= 0) SetBit(l, before, false);
      if (now >= 0) SetBit(l, now, true);
      result = false;
    }
  }
  const int32_t after = FirstSelected(lHandle);
  if (after >= 0) (*lHandle)->lastClick = CellAt(*lHandle, after);
  return result;
}

Cell ZEBAPI LLastClick(ListHandle lHandle) {
  Cell none;
  none.h = none.v = -1;
  return SlotOf(lHandle) ? (*lHandle)->lastClick : none;
}

long ZEBAPI LongLastClick(ListHandle lHandle) {
  const Cell c = LLastClick(lHandle);
  long v = 0;
  static_assert(sizeof(Cell) == sizeof(int32_t), "a cell fits 32 bits");
  std::memcpy(&v, &c, sizeof c);
  return v;
}

// The first selected cell is brought into view when it is not in view already.
void ZEBAPI LAutoScroll(ListHandle lHandle) {
  Slot* s = SlotOf(lHandle);
  if (!s) return;
  const int32_t first = FirstSelected(lHandle);
  if (first < 0) return;
  ListPtr l = *lHandle;
  const Cell c = CellAt(l, first);
  const Rect& vis = l->visible;
  if (c.v >= vis.top && c.v < vis.bottom && c.h >= vis.left && c.h < vis.right) return;
  MakeTop(*s, EntryOf(*s, l, first));
}

void ZEBAPI LRect(Rect* cellRect, Cell theCell, ListHandle lHandle) {
  if (!cellRect) return;
  std::memset(cellRect, 0, sizeof *cellRect);
  int32_t index = 0;
  if (!SlotOf(lHandle) || !CellIndex(*lHandle, theCell, &index)) return;
  ListPtr l = *lHandle;
  cellRect->left = static_cast<short>(l->rView.left + (theCell.h - l->visible.left) * l->cellSize.h);
  cellRect->top = static_cast<short>(l->rView.top + (theCell.v - l->visible.top) * l->cellSize.v);
  cellRect->right = static_cast<short>(cellRect->left + l->cellSize.h);
  cellRect->bottom = static_cast<short>(cellRect->top + l->cellSize.v);
}

void ZEBAPI LSize(short listWidth, short listHeight, ListHandle lHandle) {
  Slot* s = SlotOf(lHandle);
  if (!s || listWidth < 0 || listHeight < 0) return;
  ListPtr l = *lHandle;
  l->rView.right = static_cast<short>(l->rView.left + listWidth);
  l->rView.bottom = static_cast<short>(l->rView.top + listHeight);
  RECT wr;
  GetWindowRect(s->box, &wr);
  const LONG style = GetWindowLongA(s->box, GWL_STYLE);
  int w = listWidth + 2, h = listHeight + 2;
  if (style & WS_VSCROLL) w += GetSystemMetrics(SM_CXVSCROLL);
  if (style & WS_HSCROLL) h += GetSystemMetrics(SM_CYHSCROLL);
  SetWindowPos(s->box, nullptr, 0, 0, w, h, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  if (l->vScroll) {
    MoveControl(l->vScroll, l->rView.right, static_cast<short>(l->rView.top - 1));
    SizeControl(l->vScroll, 16, static_cast<short>(listHeight + 2));
  }
  if (l->hScroll) {
    MoveControl(l->hScroll, static_cast<short>(l->rView.left - 1), l->rView.bottom);
    SizeControl(l->hScroll, static_cast<short>(listWidth + 2), 16);
  }
  RecomputeVisible(*s);
}

void ZEBAPI LCellSize(Point cSize, ListHandle lHandle) {
  Slot* s = SlotOf(lHandle);
  if (!s || cSize.h <= 0 || cSize.v <= 0) return;
  (*lHandle)->cellSize = cSize;
  SendMessageA(s->box, LB_SETITEMHEIGHT, 0, cSize.v);
  if (GetWindowLongA(s->box, GWL_STYLE) & LBS_MULTICOLUMN)
    SendMessageA(s->box, LB_SETCOLUMNWIDTH, static_cast<WPARAM>(cSize.h), 0);
  RecomputeVisible(*s);
  if (!(s->flags & kDrawingOff)) InvalidateRect(s->box, nullptr, TRUE);
}

// Deactivating takes the selection off the box while the record keeps it; activating shows
// it again.
void ZEBAPI LActivate(Boolean act, ListHandle lHandle) {
  Slot* s = SlotOf(lHandle);
  if (!s) return;
  (*lHandle)->lActive = act ? 1 : 0;
  EnableWindow(s->box, act ? TRUE : FALSE);
  if (!act) {
    if (SingleSelection(*lHandle) || s->grid)
      SendMessageA(s->box, LB_SETCURSEL, static_cast<WPARAM>(-1), 0);
    else
      SendMessageA(s->box, LB_SETSEL, FALSE, -1);
  } else {
    ShowSelection(*s);
  }
  if (!s->custom && !(s->flags & kDrawingOff)) InvalidateRect(s->box, nullptr, TRUE);
}

// The cell shows in the box: its rectangle there is invalidated and drawn with the next update.
void ZEBAPI LDraw(Cell theCell, ListHandle lHandle) {
  Slot* s = SlotOf(lHandle);
  int32_t index = 0;
  if (!s || !CellIndex(*lHandle, theCell, &index)) return;
  ListPtr l = *lHandle;
  const int32_t entry = EntryOf(*s, l, index);
  RECT rc;
  SetRectEmpty(&rc);
  SendMessageA(s->box, LB_GETITEMRECT, static_cast<WPARAM>(entry), reinterpret_cast<LPARAM>(&rc));
  if (s->grid) {
    const int32_t column = theCell.h - l->dataBounds.left;
    rc.left += column * l->cellSize.h;
    rc.right = rc.left + l->cellSize.h;
  }
  if (!IsRectEmpty(&rc)) InvalidateRect(s->box, &rc, TRUE);
}

void ZEBAPI LUpdate(RgnHandle theRgn, ListHandle lHandle) {
  Slot* s = SlotOf(lHandle);
  if (!s) return;
  ListPtr l = *lHandle;
  HRGN view = CreateRectRgn(0, 0, l->rView.right - l->rView.left, l->rView.bottom - l->rView.top);
  if (theRgn) {
    if (HRGN shape = quickdraw::NewGdiRegionFromRgn(theRgn)) {
      OffsetRgn(shape, -l->rView.left, -l->rView.top);
      CombineRgn(view, view, shape, RGN_AND);
      DeleteObject(shape);
    }
  }
  InvalidateRgn(s->box, view, TRUE);
  DeleteObject(view);
  UpdateWindow(s->box);
}

void ZEBAPI LSetDrawingMode(Boolean drawIt, ListHandle lHandle) {
  Slot* s = SlotOf(lHandle);
  if (!s) return;
  SendMessageA(s->box, WM_SETREDRAW, drawIt ? TRUE : FALSE, 0);
  if (drawIt) {
    s->flags &= static_cast<uint16_t>(~kDrawingOff);
    InvalidateRect(s->box, nullptr, TRUE);
  } else {
    s->flags |= kDrawingOff;
  }
}

void ZEBAPI LScroll(short dCols, short dRows, ListHandle lHandle) {
  Slot* s = SlotOf(lHandle);
  if (!s || (*lHandle)->maxIndex < 0) return;
  ListPtr l = *lHandle;
  const int32_t rows = RowsOf(l), columns = ColumnsOf(l);
  const int32_t top = static_cast<int32_t>(std::max<LRESULT>(0, SendMessageA(s->box, LB_GETTOPINDEX, 0, 0)));
  if (s->grid) {
    MakeTop(*s, std::clamp<int32_t>(top + dRows, 0, rows - 1));
    return;
  }
  const Cell at = CellAt(l, top);
  const int32_t h = std::clamp<int32_t>(at.h - l->dataBounds.left + dCols, 0, columns - 1);
  const int32_t v = std::clamp<int32_t>(at.v - l->dataBounds.top + dRows, 0, rows - 1);
  MakeTop(*s, h * rows + v);
}

// A nil procedure compares as IUMagIDString does: 0 for identical bytes.
Boolean ZEBAPI LSearch(const void* dataPtr, short dataLen, ListSearchProcPtr searchProc, Cell* theCell,
                       ListHandle lHandle) {
  Slot* s = SlotOf(lHandle);
  if (!s || !theCell || dataLen < 0 || (!dataPtr && dataLen > 0)) return false;
  int32_t from = 0;
  if (!CellIndex(*lHandle, *theCell, &from)) {
    const Cell c = *theCell;
    const Rect& b = (*lHandle)->dataBounds;
    if (!(c.h < b.left || (c.h == b.left && c.v < b.top))) return false;
    from = 0;
  }
  ListSearchProcPtr proc = searchProc ? frame::WrapCallback(searchProc)
                                      : reinterpret_cast<ListSearchProcPtr>(&IUMagIDString);
  bool found = false;
  const int32_t count = (*lHandle)->maxIndex + 1;
  for (int32_t i = from; i < count && !found; ++i) {
    const CellView v = ViewOf(lHandle);
    int32_t off = 0, len = 0;
    if (!CellData(v, i, &off, &len)) continue;
    if (proc(reinterpret_cast<Ptr>(v.data + off), static_cast<Ptr>(const_cast<void*>(dataPtr)), static_cast<short>(len),
             dataLen) == 0) {
      *theCell = CellAt(*lHandle, i);
      found = true;
    }
    if (!SlotOf(lHandle)) break;
  }
  if (searchProc) frame::ReleaseCallback(proc);
  return found;
}

HWND ZEBAPI ZEB_GetHWNDFromListHandle(ListHandle lHandle) {
  Slot* s = SlotOf(lHandle);
  return s ? s->box : nullptr;
}

void ZEBAPI ZEB_ListShowHide(ListHandle lHandle, Boolean show) {
  Slot* s = SlotOf(lHandle);
  if (!s) return;
  SetWindowPos(s->box, nullptr, 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW |
                   (show ? SWP_SHOWWINDOW : SWP_HIDEWINDOW));
}

void ZEBAPI ZEB_ListUpdateVisible(ListHandle lHandle) {
  if (Slot* s = SlotOf(lHandle)) RecomputeVisible(*s);
}

Boolean ZEBAPI ZEB_LTearOff(ListHandle lHandle, short mode, ZEB_LTearOffRec* info) {
  Slot* s = SlotOf(lHandle);
  if (!s) return false;
  if (mode == 1 || mode == -1) {
    (*lHandle)->selFlags |= lTearOff;
    s->tearOff = true;
    if (mode < 0) s->flags |= kTearOffSlot;
    if (info) {
      s->dragSize = info->size;
    } else {
      RECT rc;
      SetRectEmpty(&rc);
      SendMessageA(s->box, LB_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&rc));
      s->dragSize.h = static_cast<short>(rc.right - rc.left);
      s->dragSize.v = static_cast<short>(rc.bottom - rc.top);
    }
    return true;
  }
  if (mode == 2) {
    if (!s->dropped) return false;
    if (info) *info = s->drop;
    s->dropped = false;
    return true;
  }
  return false;
}

void ZEBAPI ZEB_LSetTearOffDragHook(ListHandle lHandle, ZEB_LTearOffDragProcPtr proc) {
  Slot* s = SlotOf(lHandle);
  if (!s) return;
  if (s->dragHook) frame::ReleaseCallback(s->dragHook);
  s->dragHook = proc ? frame::WrapCallback(proc) : nullptr;
}

}  // extern "C"

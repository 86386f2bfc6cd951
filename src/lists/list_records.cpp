// List records: LNew and LDispose, rows and columns, and the cells' data.
#include <algorithm>
#include <cstring>

#include "Fonts.h"
#include "MacMemory.h"
#include "Resources.h"
#include "dialogs/control_manager.h"
#include "frame/frame_internal.h"
#include "lists/list_manager.h"
#include "lists/lists_internal.h"
#include "quickdraw/quickdraw_internal.h"
#include "windows/windows_internal.h"

namespace zeb::lists {
namespace {

constexpr ResType kLdefType = 0x4C444546;  // 'LDEF'
constexpr short kScrollBarProc = 16;
constexpr int kScrollBarThickness = 16;

// The options word of the next LNew (ZEB_LSetSelFlags).
uint16_t g_options = ZEB_LDEFAULT_OPTIONS;

size_t RecordSize(int32_t cells) {
  return offsetof(ListRec, cellArray) + sizeof(uint16_t) * static_cast<size_t>(std::max<int32_t>(cells, 1));
}

// An application 'LDEF': registered as a code resource, or a resource whose data holds the
// address of a registered procedure. Anything else (a genuine Macintosh 'LDEF' holds 68000
// code) is never called: the standard definition stands in, as it does for a missing 'CDEF'.
ListDefProcPtr ApplicationDefinition(short id) {
  if (ProcPtr p = ZEB_CodeResource(ZEB_CODE_FIND, kLdefType, id, nullptr))
    return reinterpret_cast<ListDefProcPtr>(reinterpret_cast<void*>(p));
  Handle h = GetResource(kLdefType, id);
  if (h && *h && GetHandleSize(h) >= static_cast<Size>(sizeof(ProcPtr))) {
    ProcPtr stored = nullptr;
    std::memcpy(&stored, *h, sizeof stored);
    if (stored && ZEB_CodeResource(ZEB_CODE_HOLDS, kLdefType, id, stored))
      return reinterpret_cast<ListDefProcPtr>(reinterpret_cast<void*>(stored));
  }
  return nullptr;
}

short LineHeight(WindowPtr window) {
  GrafPtr old = nullptr;
  GetPort(&old);
  SetPort(window);
  FontInfo fi{};
  GetFontInfo(&fi);
  SetPort(old);
  const int h = fi.ascent + fi.descent + fi.leading;
  return static_cast<short>(h > 0 ? h : 16);
}

bool IsDialog(WindowPtr window) {
  return reinterpret_cast<WindowPeek>(window)->windowKind == dialogKind;
}

// The record and its data handle take the reshaped cells; false when memory runs out, with
// the list as it was. Both blocks grow first (growing keeps their contents), and shrink only
// after the new cells are in.
bool Adopt(ListHandle list, const Reshaped& r) {
  Handle record = reinterpret_cast<Handle>(list);
  Handle cells = reinterpret_cast<Handle>((*list)->cells);
  const Size oldRecord = GetHandleSize(record), oldCells = GetHandleSize(cells);
  const Size newRecord = static_cast<Size>(RecordSize(r.rows * r.columns));
  const Size newCells = static_cast<Size>(r.data.size());
  if (newCells > oldCells) {
    SetHandleSize(cells, newCells);
    if (MemError() != noErr) return false;
  }
  if (newRecord > oldRecord) {
    SetHandleSize(record, newRecord);
    if (MemError() != noErr) {
      SetHandleSize(cells, oldCells);
      return false;
    }
  }
  ListPtr l = *list;
  if (!r.data.empty()) std::memcpy(*cells, r.data.data(), r.data.size());
  if (!r.array.empty()) std::memcpy(l->cellArray, r.array.data(), r.array.size() * sizeof(uint16_t));
  l->maxIndex = static_cast<short>(r.rows * r.columns - 1);
  if (newCells < oldCells) SetHandleSize(cells, newCells);
  if (newRecord < oldRecord) SetHandleSize(record, newRecord);
  return true;
}

void SetRedraw(Slot& s, bool on) {
  if (!(s.flags & kDrawingOff)) SendMessageA(s.box, WM_SETREDRAW, on ? TRUE : FALSE, 0);
}

void InsertEntries(Slot& s, int32_t at, int32_t count) {
  SetRedraw(s, false);
  for (int32_t i = 0; i < count; ++i)
    SendMessageA(s.box, LB_INSERTSTRING, static_cast<WPARAM>(at + i), reinterpret_cast<LPARAM>(""));
  SetRedraw(s, true);
}

void DeleteEntries(Slot& s, int32_t at, int32_t count) {
  SetRedraw(s, false);
  for (int32_t i = 0; i < count; ++i) SendMessageA(s.box, LB_DELETESTRING, static_cast<WPARAM>(at), 0);
  SetRedraw(s, true);
}

// The native entries of the cells of an edit that added or deleted whole columns of a
// one-dimensional list, or every entry again after an edit that mixes cells across entries.
void ReloadEntries(Slot& s) {
  ListPtr l = *s.list;
  const int32_t want = s.grid ? RowsOf(l) : RowsOf(l) * ColumnsOf(l);
  SetRedraw(s, false);
  SendMessageA(s.box, LB_RESETCONTENT, 0, 0);
  for (int32_t i = 0; i < want; ++i) SendMessageA(s.box, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(""));
  if (!s.grid && !s.custom)
    for (int32_t i = 0; i < want; ++i) RefreshEntry(s, i);
  for (int32_t i = 0; i < want; ++i)
    if ((*s.list)->cellArray[i] & kSelectedBit) SetNativeSelection(s, i, true);
  SetRedraw(s, true);
  if (!(s.flags & kDrawingOff)) InvalidateRect(s.box, nullptr, TRUE);
}

// Rows or columns added or deleted: the record first, then the native entries.
bool EditCells(ListHandle list, Edit edit, int32_t at, int32_t count) {
  Slot* s = SlotOf(list);
  if (!s) return false;
  ListPtr l = *list;
  const int32_t rows = RowsOf(l), columns = ColumnsOf(l);
  Reshaped r;
  if (!Reshape(ViewOf(list), edit, at, count, &r)) return false;
  if (!Adopt(list, r)) return false;
  l = *list;
  switch (edit) {
    case Edit::kAddRows: l->dataBounds.bottom = static_cast<short>(l->dataBounds.bottom + count); break;
    case Edit::kDeleteRows: l->dataBounds.bottom = static_cast<short>(l->dataBounds.bottom - count); break;
    case Edit::kAddColumns: l->dataBounds.right = static_cast<short>(l->dataBounds.right + count); break;
    case Edit::kDeleteColumns: l->dataBounds.right = static_cast<short>(l->dataBounds.right - count); break;
  }
  const bool onRows = edit == Edit::kAddRows || edit == Edit::kDeleteRows;
  const bool adding = edit == Edit::kAddRows || edit == Edit::kAddColumns;
  if (s->grid) {
    if (onRows) {
      adding ? InsertEntries(*s, at, count) : DeleteEntries(*s, at, count);
    } else if (!(s->flags & kDrawingOff)) {
      InvalidateRect(s->box, nullptr, TRUE);
    }
  } else if (columns <= 1 && onRows) {
    // One column: the entries of the rows.
    adding ? InsertEntries(*s, at, count) : DeleteEntries(*s, at, count);
  } else if (rows <= 1 && !onRows) {
    // One row: the entries of the columns.
    adding ? InsertEntries(*s, at, count) : DeleteEntries(*s, at, count);
  } else {
    ReloadEntries(*s);
  }
  if ((*list)->vScroll) SetControlMaximum((*list)->vScroll, (*list)->dataBounds.bottom);
  if ((*list)->hScroll) SetControlMaximum((*list)->hScroll, (*list)->dataBounds.right);
  RecomputeVisible(*s);
  return true;
}

// The cell's data changed through the core; the handle is grown before, shrunk after.
void ChangeCell(ListHandle list, const void* data, short length, Cell cell, bool append) {
  Slot* s = SlotOf(list);
  int32_t index = 0;
  if (!s || !data || length < 0 || !CellIndex(*list, cell, &index)) return;
  CellView v = ViewOf(list);
  int32_t off = 0, len = 0;
  if (!CellData(v, index, &off, &len)) return;
  const int32_t newSize = ResizedDataSize(v, index, append ? len + length : length);
  if (newSize < 0) return;
  Handle cells = reinterpret_cast<Handle>((*list)->cells);
  // The data may be the list's own: its offset within the block survives a move of the block.
  const uint8_t* src = static_cast<const uint8_t*>(data);
  const bool own = v.data && src >= v.data && src < v.data + v.dataSize;
  const ptrdiff_t ownOffset = own ? src - v.data : 0;
  const int32_t oldSize = v.dataSize;
  if (newSize > oldSize) {
    SetHandleSize(cells, newSize);
    if (MemError() != noErr) return;
    v.data = reinterpret_cast<uint8_t*>(*cells);
    if (own) src = v.data + ownOffset;
  }
  if (ReplaceCellData(v, index, src, length, append) < 0) return;
  if (newSize < oldSize) SetHandleSize(cells, newSize);
  RefreshEntry(*s, index);
}

}  // namespace

int32_t RowsOf(ListPtr l) { return std::max<int32_t>(0, l->dataBounds.bottom - l->dataBounds.top); }
int32_t ColumnsOf(ListPtr l) { return std::max<int32_t>(0, l->dataBounds.right - l->dataBounds.left); }

CellView ViewOf(ListHandle list) {
  ListPtr l = *list;
  Handle cells = reinterpret_cast<Handle>(l->cells);
  CellView v{};
  v.array = l->cellArray;
  v.rows = RowsOf(l);
  v.columns = ColumnsOf(l);
  v.data = cells && *cells ? reinterpret_cast<uint8_t*>(*cells) : nullptr;
  v.dataSize = cells ? static_cast<int32_t>(GetHandleSize(cells)) : 0;
  if (l->maxIndex + 1 < v.Count()) v.rows = v.columns = 0;  // a record that lost its cells
  return v;
}

// Both coordinates are checked against dataBounds: a column past the right edge must not
// reach another column's cell through its index.
bool CellIndex(ListPtr l, Cell cell, int32_t* index) {
  const Rect& b = l->dataBounds;
  if (cell.h < b.left || cell.h >= b.right || cell.v < b.top || cell.v >= b.bottom) return false;
  const int32_t i = (cell.h - b.left) * RowsOf(l) + (cell.v - b.top);
  if (i > l->maxIndex) return false;
  *index = i;
  return true;
}

Cell CellAt(ListPtr l, int32_t index) {
  const int32_t rows = std::max<int32_t>(1, RowsOf(l));
  Cell c;
  c.h = static_cast<short>(l->dataBounds.left + index / rows);
  c.v = static_cast<short>(l->dataBounds.top + index % rows);
  return c;
}

int32_t EntryOf(const Slot& s, ListPtr l, int32_t index) {
  return s.grid ? index % std::max<int32_t>(1, RowsOf(l)) : index;
}

void DisposeList(ListHandle list) {
  Slot* s = SlotOf(list);
  if (!s) return;
  ListPtr l = *list;
  CallDefinition(list, lCloseMsg, false, nullptr, 0);
  l = *list;
  if (s->wrappedDefinition && l->listDefProc) frame::ReleaseCallback(l->listDefProc);
  if (s->dragHook) frame::ReleaseCallback(s->dragHook);
  // Only controls still in the window's list are disposed of: an application that called
  // KillControls itself has already disposed of them.
  WindowPeek w = reinterpret_cast<WindowPeek>(l->port);
  for (ControlHandle bar : {l->vScroll, l->hScroll}) {
    if (!bar || !w) continue;
    for (ControlHandle c = w->controlList; c; c = (*c)->nextControl)
      if (c == bar) {
        DisposeControl(bar);
        break;
      }
  }
  if (s->box) DestroyWindow(s->box);
  *s = Slot{};
  DisposeHandle(reinterpret_cast<Handle>(l->cells));
  DisposeHandle(reinterpret_cast<Handle>(list));
}

}  // namespace zeb::lists

using namespace zeb;
using namespace zeb::lists;

extern "C" {

void ZEBAPI ZEB_LSetSelFlags(short options) { g_options = static_cast<uint16_t>(options); }

ListHandle ZEBAPI LNew(const Rect* rView, const Rect* dataBounds, Point cSize, short theProc,
                       WindowPtr theWindow, Boolean drawIt, Boolean hasGrow, Boolean scrollHoriz,
                       Boolean scrollVert) {
  (void)hasGrow;
  const uint16_t options = g_options;
  g_options = ZEB_LDEFAULT_OPTIONS;
  if (!rView || !dataBounds || !theWindow || !windows::Listed(theWindow)) return nullptr;
  HWND parent = windows::HwndOf(theWindow);
  if (!parent) return nullptr;
  // 1. Negative extents count as no cells; more than 16383 cells cannot have 15-bit offsets.
  const int32_t columns = std::max<int32_t>(0, dataBounds->right - dataBounds->left);
  const int32_t rows = std::max<int32_t>(0, dataBounds->bottom - dataBounds->top);
  const int32_t count = CellCountFor(rows, columns);
  if (count < 0) return nullptr;
  const bool grid = !(options & ZEB_LOPT_ONEDIMENSIONAL) && columns > 1 && (rows > 1 || rows == 0);
  // 2.
  const int slotIndex = FreeSlot();
  if (slotIndex < 0) {
    MessageBoxA(frame::FrameWindow(), "Too many List Boxes", nullptr, MB_OK | MB_ICONINFORMATION);
    return nullptr;
  }
  ListHandle list = reinterpret_cast<ListHandle>(NewHandleClear(static_cast<Size>(RecordSize(count))));
  if (!list) return nullptr;
  Handle cells = NewHandleClear(EmptyDataSize(count));
  if (!cells) {
    DisposeHandle(reinterpret_cast<Handle>(list));
    return nullptr;
  }
  // 3.
  ListPtr l = *list;
  l->rView = *rView;
  l->dataBounds = *dataBounds;
  l->port = theWindow;
  if (cSize.h == 0 || cSize.v == 0) {
    const int width = rView->right - rView->left;
    cSize.h = static_cast<short>(std::max(1, width / std::max<int32_t>(1, grid ? columns : 1)));
    cSize.v = LineHeight(theWindow);
  }
  l->cellSize = cSize;
  l->selFlags = static_cast<SignedByte>(options & 0xFF);
  l->lActive = 1;
  l->slot = static_cast<unsigned char>(slotIndex);
  l->cells = reinterpret_cast<DataHandle>(cells);
  l->maxIndex = static_cast<short>(count - 1);
  l->lastClick.h = l->lastClick.v = -1;
  static const unsigned char kNoTitle[] = {0, 0};
  if (scrollVert) {
    const Rect r = {static_cast<short>(rView->top - 1), rView->right, static_cast<short>(rView->bottom + 1),
                    static_cast<short>(rView->right + kScrollBarThickness - 1)};
    ControlHandle c = NewControl(theWindow, &r, kNoTitle, false, dataBounds->top, dataBounds->top,
                                 dataBounds->bottom, kScrollBarProc, kVerticalScrollRefCon);
    (*list)->vScroll = c;
    if (c) (*list)->listFlags |= lDoVAutoscroll;
  }
  if (scrollHoriz) {
    const Rect r = {rView->bottom, static_cast<short>(rView->left - 1),
                    static_cast<short>(rView->bottom + kScrollBarThickness - 1), static_cast<short>(rView->right + 1)};
    ControlHandle c = NewControl(theWindow, &r, kNoTitle, false, dataBounds->left, dataBounds->left,
                                 dataBounds->right, kScrollBarProc, kHorizontalScrollRefCon);
    (*list)->hScroll = c;
    if (c) (*list)->listFlags |= lDoHAutoscroll;
  }
  // 4.
  Slot& s = *SlotAt(slotIndex);
  s = Slot{};
  s.list = list;
  s.grid = grid;
  s.flags = static_cast<uint16_t>(options & kStoredOptionBits);
  ListDefProcPtr definition = nullptr;
  if (theProc != 0) definition = ApplicationDefinition(theProc);
  if (definition) {
    s.custom = true;
    ListDefProcPtr wrapped = frame::WrapCallback(definition);
    s.wrappedDefinition = wrapped != definition;
    (*list)->listDefProc = wrapped;
  } else {
    (*list)->listDefProc = &StandardDefinition;
  }
  // 5.
  l = *list;
  InitEmptyCells(ViewOf(list));
  // 6.
  DWORD style = WS_CHILD | WS_VISIBLE | WS_BORDER | LBS_WANTKEYBOARDINPUT | LBS_NOTIFY;
  const int width = rView->right - rView->left, height = rView->bottom - rView->top;
  const int visibleColumns = std::max(1, width / std::max<int>(1, cSize.h));
  bool multiColumn = false;
  if (!grid) {
    if (!(l->selFlags & lOnlyOne)) style |= LBS_EXTENDEDSEL;
    multiColumn = (rows <= 1 && columns > 1 && visibleColumns > 1) || scrollHoriz || (options & ZEB_LOPT_MULTICOLUMN);
    if (multiColumn) {
      style |= LBS_MULTICOLUMN;
      if ((options & ZEB_LOPT_ONEDIMENSIONAL) && scrollHoriz) style |= LBS_NOINTEGRALHEIGHT;
      if (scrollHoriz) style |= WS_HSCROLL;
    } else if (scrollVert) {
      style |= WS_VSCROLL;
    }
  } else {
    if (scrollHoriz) style |= WS_HSCROLL;
    if (scrollVert) style |= WS_VSCROLL;
  }
  if (frame::Version().Major() > 3) style |= LBS_DISABLENOSCROLL;
  if (s.custom || grid) style |= LBS_OWNERDRAWFIXED;
  RECT rc = {rView->left - theWindow->portRect.left - 1, rView->top - theWindow->portRect.top - 1,
             rView->right - theWindow->portRect.left + 1, rView->bottom - theWindow->portRect.top + 1};
  if (style & WS_VSCROLL) rc.right += GetSystemMetrics(SM_CXVSCROLL);
  if (style & WS_HSCROLL) rc.bottom += GetSystemMetrics(SM_CYHSCROLL);
  const int id = ((grid ? kGridMark : kOneDimensionalMark) << 8) | slotIndex;
  HWND box = CreateWindowExA(0, "listbox", "", style, rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top,
                             parent, reinterpret_cast<HMENU>(static_cast<intptr_t>(id)), frame::AppInstance(), nullptr);
  if (!box) {
    if ((*list)->vScroll) DisposeControl((*list)->vScroll);
    if ((*list)->hScroll) DisposeControl((*list)->hScroll);
    if (s.wrappedDefinition) frame::ReleaseCallback((*list)->listDefProc);
    s = Slot{};
    DisposeHandle(cells);
    DisposeHandle(reinterpret_cast<Handle>(list));
    return nullptr;
  }
  s.box = box;
  s.classProc = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrA(box, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Z_ListBoxWndProc)));
  // The control font; a list outside a dialog takes the system font for text above 11 points
  // and the dialog font otherwise, and the control font goes back to what it was.
  HFONT saved = controls::ControlFont();
  if (!IsDialog(theWindow)) {
    const quickdraw::StandardFonts& f = quickdraw::Fonts();
    controls::SetControlFont(theWindow->txSize > 11 ? f.system : f.dialog);
  }
  HFONT font = controls::ControlFont();
  if (!font) font = quickdraw::Fonts().system;
  if (font) SendMessageA(box, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  controls::SetControlFont(saved);
  if (!s.custom && !grid) SendMessageA(box, LB_SETITEMHEIGHT, 0, cSize.v);
  if (multiColumn) {
    SendMessageA(box, LB_SETCOLUMNWIDTH, static_cast<WPARAM>(cSize.h), 0);
    SendMessageA(box, LB_SETHORIZONTALEXTENT, static_cast<WPARAM>(cSize.h * visibleColumns), 0);
  } else if (grid && scrollHoriz) {
    SendMessageA(box, LB_SETHORIZONTALEXTENT, static_cast<WPARAM>(cSize.h * columns), 0);
  }
  (void)height;
  // 7.
  if (!drawIt) s.flags |= kDrawingOff;
  const int32_t entries = grid ? rows : count;
  SendMessageA(box, WM_SETREDRAW, FALSE, 0);
  SendMessageA(box, LB_INITSTORAGE, static_cast<WPARAM>(entries), 0);
  for (int32_t i = 0; i < entries; ++i) SendMessageA(box, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(""));
  if (drawIt) SendMessageA(box, WM_SETREDRAW, TRUE, 0);
  RecomputeVisible(s);
  // 8.
  CallDefinition(list, lInitMsg, false, nullptr, 0);
  if (drawIt) InvalidateRect(box, nullptr, TRUE);
  return list;
}

void ZEBAPI LDispose(ListHandle lHandle) { DisposeList(lHandle); }

short ZEBAPI LAddRow(short count, short rowNum, ListHandle lHandle) {
  Slot* s = SlotOf(lHandle);
  if (!s) return 0;
  ListPtr l = *lHandle;
  const short at = static_cast<short>(std::clamp<int>(rowNum, l->dataBounds.top, std::max(l->dataBounds.top, l->dataBounds.bottom)));
  if (count <= 0) return at;
  // A list with no columns gains rows that hold no cells; dataBounds follows all the same.
  if (ColumnsOf(l) == 0) {
    if (l->dataBounds.bottom > 32767 - count) return at;
    l->dataBounds.bottom = static_cast<short>(l->dataBounds.bottom + count);
    return at;
  }
  if (l->dataBounds.bottom > 32767 - count) return at;
  EditCells(lHandle, Edit::kAddRows, at - l->dataBounds.top, count);
  return at;
}

short ZEBAPI LAddColumn(short count, short colNum, ListHandle lHandle) {
  Slot* s = SlotOf(lHandle);
  if (!s) return 0;
  ListPtr l = *lHandle;
  const short at = static_cast<short>(std::clamp<int>(colNum, l->dataBounds.left, std::max(l->dataBounds.left, l->dataBounds.right)));
  if (count <= 0) return at;
  if (RowsOf(l) == 0) {
    if (l->dataBounds.right > 32767 - count) return at;
    l->dataBounds.right = static_cast<short>(l->dataBounds.right + count);
    return at;
  }
  if (l->dataBounds.right > 32767 - count) return at;
  EditCells(lHandle, Edit::kAddColumns, at - l->dataBounds.left, count);
  return at;
}

// A count of 0 deletes every row (column), as in the Toolbox; a count past the end is clamped.
void ZEBAPI LDelRow(short count, short rowNum, ListHandle lHandle) {
  Slot* s = SlotOf(lHandle);
  if (!s) return;
  ListPtr l = *lHandle;
  const int32_t rows = RowsOf(l);
  if (count < 0 || rows == 0) return;
  int32_t at = rowNum - l->dataBounds.top, n = count;
  if (count == 0) at = 0, n = rows;
  if (at < 0 || at >= rows) return;
  n = std::min(n, rows - at);
  if (ColumnsOf(l) == 0) {
    l->dataBounds.bottom = static_cast<short>(l->dataBounds.bottom - n);
    return;
  }
  EditCells(lHandle, Edit::kDeleteRows, at, n);
}

void ZEBAPI LDelColumn(short count, short colNum, ListHandle lHandle) {
  Slot* s = SlotOf(lHandle);
  if (!s) return;
  ListPtr l = *lHandle;
  const int32_t columns = ColumnsOf(l);
  if (count < 0 || columns == 0) return;
  int32_t at = colNum - l->dataBounds.left, n = count;
  if (count == 0) at = 0, n = columns;
  if (at < 0 || at >= columns) return;
  n = std::min(n, columns - at);
  if (RowsOf(l) == 0) {
    l->dataBounds.right = static_cast<short>(l->dataBounds.right - n);
    return;
  }
  EditCells(lHandle, Edit::kDeleteColumns, at, n);
}

void ZEBAPI LSetCell(const void* dataPtr, short dataLen, Cell theCell, ListHandle lHandle) {
  ChangeCell(lHandle, dataPtr, dataLen, theCell, false);
}

void ZEBAPI LAddToCell(const void* dataPtr, short dataLen, Cell theCell, ListHandle lHandle) {
  ChangeCell(lHandle, dataPtr, dataLen, theCell, true);
}

void ZEBAPI LClrCell(Cell theCell, ListHandle lHandle) {
  static const uint8_t kNothing = 0;
  ChangeCell(lHandle, &kNothing, 0, theCell, false);
}

void ZEBAPI LGetCell(void* dataPtr, short* dataLen, Cell theCell, ListHandle lHandle) {
  if (!dataLen) return;
  const short room = *dataLen;
  *dataLen = 0;
  Slot* s = SlotOf(lHandle);
  int32_t index = 0, off = 0, len = 0;
  if (!s || !dataPtr || room <= 0 || !CellIndex(*lHandle, theCell, &index)) return;
  const CellView v = ViewOf(lHandle);
  if (!CellData(v, index, &off, &len)) return;
  const int32_t n = std::min<int32_t>(room, len);
  if (n > 0) std::memcpy(dataPtr, v.data + off, static_cast<size_t>(n));
  *dataLen = static_cast<short>(n);
}

void ZEBAPI LGetCellDataLocation(short* offset, short* len, Cell theCell, ListHandle lHandle) {
  int32_t index = 0, off = 0, n = 0;
  Slot* s = SlotOf(lHandle);
  if (s && CellIndex(*lHandle, theCell, &index)) CellData(ViewOf(lHandle), index, &off, &n);
  if (offset) *offset = static_cast<short>(off);
  if (len) *len = static_cast<short>(n);
}

}  // extern "C"

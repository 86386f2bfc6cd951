// The List Manager's own state, shared by its files: the slot table that ties each list
// record to its native list box, and the helpers every list call goes through.
#ifndef ZEB_LISTS_LIST_MANAGER_H
#define ZEB_LISTS_LIST_MANAGER_H

#include <windows.h>

#include <cstdint>

#include "Lists.h"
#include "lists/cell_store.h"

namespace zeb::lists {

constexpr int kSlotCount = 255;
// Native identifiers: 0xFF00 | slot for one-dimensional lists, 0xFE00 | slot for grid lists.
constexpr int kOneDimensionalMark = 0xFF;
constexpr int kGridMark = 0xFE;
// The refCons of a list's scroll-bar controls.
constexpr long kVerticalScrollRefCon = 0xFE00;
constexpr long kHorizontalScrollRefCon = 0xFE01;

// Slot flags. The option bits 0x100, 0x200 and 0x1000 are stored as they are given.
enum SlotFlag : uint16_t {
  kDrawingOff = 0x1,
  kTearOffSlot = 0x2,  // a negative ZEB_LTearOff mode
  kStoredOptionBits = 0x1300,
};

struct Slot {
  ListHandle list = nullptr;
  HWND box = nullptr;  // 0: the slot is free
  uint16_t flags = 0;
  uint32_t extra = 0;
  // The library's own.
  WNDPROC classProc = nullptr;
  bool grid = false;           // one owner-drawn entry per row
  bool custom = false;         // an application definition draws the entries
  bool wrappedDefinition = false;
  bool doubleClick = false;    // set by the box's double-click notification, read by LClick
  // Dragging cells out of the list.
  bool tearOff = false;
  Point dragSize{};
  ZEB_LTearOffDragProcPtr dragHook = nullptr;
  bool tracking = false;
  bool dropped = false;
  ZEB_LTearOffRec drop{};
};

// The slot of a list still in the table; null for nil, disposed or unknown handles.
Slot* SlotOf(ListHandle list);
Slot* SlotAt(int index);
// A free slot's index, -1 when all are in use.
int FreeSlot();
// The slot whose native box this is.
Slot* SlotOfBox(HWND box);

// The record's cells as the core sees them (the record must be valid).
CellView ViewOf(ListHandle list);
int32_t RowsOf(ListPtr l);
int32_t ColumnsOf(ListPtr l);
// Whether the cell lies inside dataBounds, and its index (column by column).
bool CellIndex(ListPtr l, Cell cell, int32_t* index);
Cell CellAt(ListPtr l, int32_t index);
// The native entry that shows a cell: its row for grid lists, its index otherwise.
int32_t EntryOf(const Slot& s, ListPtr l, int32_t index);

// Native upkeep after record changes.
void RefreshEntry(Slot& s, int32_t index);          // the cell's data changed
void RecomputeVisible(Slot& s);                     // from the box's top entry
void SetNativeSelection(Slot& s, int32_t index, bool selected);

// The list definition with its message for one cell.
void CallDefinition(ListHandle list, short message, bool selected, Rect* r, int32_t index);
// The library's standard and grid definitions.
void ZEBAPI StandardDefinition(short message, Boolean selected, Rect* r, Cell cell, short offset,
                               short length, ListHandle list);

// Leaving a list: the close message, the native box, the scroll bars, the slot and the
// record.
void DisposeList(ListHandle list);

}  // namespace zeb::lists

#endif  // ZEB_LISTS_LIST_MANAGER_H

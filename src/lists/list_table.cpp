// The table of list records and their native list boxes.
#include <cstddef>
#include <new>

#include "lists/list_manager.h"
#include "lists/lists_internal.h"

namespace zeb::lists {
namespace {

Slot* g_slots = nullptr;

}  // namespace

// Allocated at start-up and freed at exit; it holds no entries before LNew.
void AllocateListTable() {
  if (!g_slots) g_slots = new (std::nothrow) Slot[kSlotCount];
}

void FreeListTable() {
  delete[] g_slots;
  g_slots = nullptr;
}

Slot* SlotAt(int index) {
  if (!g_slots || index < 0 || index >= kSlotCount) return nullptr;
  return &g_slots[index];
}

int FreeSlot() {
  if (!g_slots) return -1;
  for (int i = 0; i < kSlotCount; ++i)
    if (!g_slots[i].list && !g_slots[i].box) return i;
  return -1;
}

// The handle is compared with the table's entries before it is read: a list disposed with
// its window leaves a handle that no longer points at a record.
Slot* SlotOf(ListHandle list) {
  if (!list || !g_slots) return nullptr;
  for (int i = 0; i < kSlotCount; ++i)
    if (g_slots[i].list == list) return *list ? &g_slots[i] : nullptr;
  return nullptr;
}

Slot* SlotOfBox(HWND box) {
  if (!box || !g_slots) return nullptr;
  const int id = static_cast<int>(GetWindowLongPtrA(box, GWLP_ID));
  const int mark = (id >> 8) & 0xFF;
  if (mark != kOneDimensionalMark && mark != kGridMark) return nullptr;
  Slot* s = SlotAt(id & 0xFF);
  return s && s->box == box && s->list ? s : nullptr;
}

void* ListOfListBox(HWND listBox) {
  Slot* s = SlotOfBox(listBox);
  return s ? s->list : nullptr;
}

void RememberDoubleClick(void* list) {
  if (Slot* s = SlotOf(static_cast<ListHandle>(list))) s->doubleClick = true;
}

void DisposeWindowLists(WindowPtr window) {
  if (!window || !g_slots) return;
  for (int i = 0; i < kSlotCount; ++i) {
    ListHandle list = g_slots[i].list;
    if (list && *list && (*list)->port == window) DisposeList(list);
  }
}

}  // namespace zeb::lists

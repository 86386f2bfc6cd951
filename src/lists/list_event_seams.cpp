// The List Manager as the Event Manager's control notifications reach it.
#include "lists/lists_internal.h"

namespace zeb::lists {

// The list table answers which list record a native list box carries here.
void* ListOfListBox(HWND listBox) {
  (void)listBox;
  return nullptr;
}

// LClick's double-click memory is set here.
void RememberDoubleClick(void* list) { (void)list; }

// The list definition draws and measures the box's entries here; no list draws any yet.
bool DrawListEntry(void* list, const DRAWITEMSTRUCT* item) {
  (void)list;
  (void)item;
  return false;
}
bool MeasureListEntry(void* list, MEASUREITEMSTRUCT* item) {
  (void)list;
  (void)item;
  return false;
}

}  // namespace zeb::lists

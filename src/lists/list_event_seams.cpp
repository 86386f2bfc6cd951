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

}  // namespace zeb::lists

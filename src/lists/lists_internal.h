// What the List Manager offers the other managers.
#ifndef ZEB_LISTS_LISTS_INTERNAL_H
#define ZEB_LISTS_LISTS_INTERNAL_H

#include <windows.h>

namespace zeb::lists {

// Start-up and exit: the table that joins list records to their native list boxes.
void AllocateListTable();
void FreeListTable();

// The List Manager record a native list box carries, null for any other window.
void* ListOfListBox(HWND listBox);
// A double-click notification of the list's box: the next LClick reports a double-click.
void RememberDoubleClick(void* list);

}  // namespace zeb::lists

#endif  // ZEB_LISTS_LISTS_INTERNAL_H

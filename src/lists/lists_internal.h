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

// ZEB_UserItem: an entry of the list's box drawn by the list definition, and its height
// measured (the cell size); false when the box carries no list, which leaves the default.
bool DrawListEntry(void* list, const DRAWITEMSTRUCT* item);
bool MeasureListEntry(void* list, MEASUREITEMSTRUCT* item);

}  // namespace zeb::lists

#endif  // ZEB_LISTS_LISTS_INTERNAL_H

// What the List Manager offers the other managers.
#ifndef ZEB_LISTS_LISTS_INTERNAL_H
#define ZEB_LISTS_LISTS_INTERNAL_H

#include <windows.h>

#include "MacWindows.h"

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
// Measuring comes while the box is being created, before its handle is known: a null list is
// then found by the identifier's slot.
bool DrawListEntry(void* list, const DRAWITEMSTRUCT* item);
bool MeasureListEntry(void* list, MEASUREITEMSTRUCT* item);

// CloseWindow, before the window's controls go: every list of the window is disposed of with
// its native box and its scroll-bar controls.
void DisposeWindowLists(WindowPtr window);

}  // namespace zeb::lists

#endif  // ZEB_LISTS_LISTS_INTERNAL_H

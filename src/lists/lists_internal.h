// What the List Manager offers the other managers.
#ifndef ZEB_LISTS_LISTS_INTERNAL_H
#define ZEB_LISTS_LISTS_INTERNAL_H

namespace zeb::lists {

// Start-up and exit: the table that joins list records to their native list boxes.
void AllocateListTable();
void FreeListTable();

}  // namespace zeb::lists

#endif  // ZEB_LISTS_LISTS_INTERNAL_H

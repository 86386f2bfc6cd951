// The table of list records and their native list boxes.
#include "lists/lists_internal.h"

namespace zeb::lists {

// Allocated at start-up and freed at exit; it holds no entries before LNew.
void AllocateListTable() {}

void FreeListTable() {}

}  // namespace zeb::lists

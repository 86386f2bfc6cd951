// The file-handle layer: 64 slots mapping file reference numbers to host files.
#include "files/files_internal.h"

namespace zeb::files {

// The table is empty until the file-handle layer is built; clearing it then frees every slot.
void ClearFileHandleTable() {}

// Closes each open slot's host handle, from slot 2 up, once the layer holds any.
void CloseOpenFileHandles() {}

}  // namespace zeb::files

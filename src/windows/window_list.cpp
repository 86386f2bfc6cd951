// The window list.
#include "windows/windows_internal.h"

namespace zeb::windows {

// Walks the window list from the front, disposing of each window, once windows exist.
void DisposeAllWindows() {}

}  // namespace zeb::windows

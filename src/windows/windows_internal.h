// What the Window Manager offers the other managers.
#ifndef ZEB_WINDOWS_WINDOWS_INTERNAL_H
#define ZEB_WINDOWS_WINDOWS_INTERNAL_H

namespace zeb::windows {

// Exit: disposes of every Toolbox window still open, with its Windows window.
void DisposeAllWindows();
// SetOrigin on a window's port: the window's update region moves with the port's coordinates
// by (dh, dv), as visRgn does.
void MoveUpdateRegion(void* windowPort, short dh, short dv);

}  // namespace zeb::windows

#endif  // ZEB_WINDOWS_WINDOWS_INTERNAL_H

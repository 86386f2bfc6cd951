// What the Window Manager offers the other managers.
#ifndef ZEB_WINDOWS_WINDOWS_INTERNAL_H
#define ZEB_WINDOWS_WINDOWS_INTERNAL_H

namespace zeb::windows {

// Exit: disposes of every Toolbox window still open, with its Windows window.
void DisposeAllWindows();

}  // namespace zeb::windows

#endif  // ZEB_WINDOWS_WINDOWS_INTERNAL_H

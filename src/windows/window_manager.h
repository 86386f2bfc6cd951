// The Window Manager's own state and helpers, shared by its files. Other managers reach it
// through windows_internal.h only.
#ifndef ZEB_WINDOWS_WINDOW_MANAGER_H
#define ZEB_WINDOWS_WINDOW_MANAGER_H

#include <windows.h>

#include "MacWindows.h"
#include "windows/windows_internal.h"

namespace zeb::windows {

inline WindowPeek Peek(WindowPtr w) { return reinterpret_cast<WindowPeek>(w); }
inline WindowPtr AsWindow(WindowPeek w) { return reinterpret_cast<WindowPtr>(w); }
inline WindowData* DataIn(WindowPeek w) {
  return (w && w->dataHandle && *w->dataHandle) ? reinterpret_cast<WindowData*>(*w->dataHandle)
                                                : nullptr;
}

// The list (window_list.cpp).
void InsertAtHead(WindowPeek w);
void Unlink(WindowPeek w);
// After `after`; at the end when after is null.
void InsertAfter(WindowPeek w, WindowPeek after);
WindowPeek Above(WindowPeek w);
bool UnclaimedDuringCreation(HWND hwnd);
// The parent the window being created gets (window_creation.cpp).
HWND CreationParent();

// Showing and hiding (window_order.cpp): the visible flag, the Windows Z order after the
// nearest visible window above with the same parent, and the region refresh.
// Bringing to the top activates the Windows window unless activate is false.
void ShowHideWindow(WindowPeek w, bool show, bool toTop, bool activate);

// The update nesting (update_regions.cpp).
void ForgetUpdateNesting(WindowPtr w);
// InitWindows: the nesting's saved-region slots and the scratch region.
void CreateUpdateNesting();

// A region's bounding box, and the region set to a rectangle, in screen or local coordinates.
Rect RectFromRECT(const RECT& r);
RECT RECTFromRect(const Rect& r);
// The Windows window's outer and client rectangles in screen coordinates.
RECT ScreenWindowRect(HWND hwnd);
RECT ScreenClientRect(HWND hwnd);
// The parent's client origin on the screen and its client size.
POINT ParentClientOrigin(HWND parent);
SIZE ParentClientSize(HWND parent);
// Local coordinates of the window's port from its client coordinates, and back: the port's
// origin is portRect's top-left.
inline POINT LocalToClient(WindowPtr w, int h, int v) {
  return {h - w->portRect.left, v - w->portRect.top};
}

// The highlight state and its messages (window_order.cpp).
void SetHilite(WindowPtr w, bool hilite);

// The window's own frame metrics for positioning (window_positioning.cpp).
void Reposition(WindowPtr w, bool move, bool size, bool zoom, int h, int v, int width, int height,
                bool zoomed, bool redraw);
// The standard state: the parent's client area with the frame just outside it.
Rect ComputeStdState(WindowPtr w);

// Closing (window_close.cpp) is used by DisposeAllWindows through DisposeWindow.

// The caption-button bitmaps and brushes made by InitWindows (init_windows.cpp).
void ReleaseWindowResources();

}  // namespace zeb::windows

#endif  // ZEB_WINDOWS_WINDOW_MANAGER_H

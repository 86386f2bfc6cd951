// The window list's order and the Windows Z order, visibility, highlighting and activation.
#include "dialogs/dialogs_internal.h"
#include "events/events_internal.h"
#include "frame/toolbox_globals.h"
#include "osutils/osutils_internal.h"
#include "windows/window_manager.h"
#include "windows/windows_internal.h"

namespace zeb::windows {
namespace {

// ZEB_SystemValue index 54: HiliteWindow redraws the window's controls.
constexpr int kHiliteRedrawsControls = 54;
// Windows whose procID is at least this are not the standard document and dialog kinds.
constexpr int kFirstNonStandardProc = 16;

bool IsPopUp(const WindowData& d) { return (d.rec.kindFlags & zebPopUp) != 0; }

// The nearest visible window above w in the list whose Windows window has the same parent.
HWND NearestVisibleAbove(WindowPeek w, HWND parent) {
  HWND found = nullptr;
  for (WindowPeek p = Peek(ListHead()); p && p != w; p = p->nextWindow) {
    WindowData* d = DataIn(p);
    if (!p->visible || !d || IsPopUp(*d) || GetParent(d->rec.window) != parent) continue;
    found = d->rec.window;
  }
  return found;
}

void GiveFocusIfFront(WindowPtr w) {
  WindowData* d = DataOf(w);
  if (d && Peek(w)->visible && (d->rec.stateFlags & zebTakesFocus) && LibraryFrontWindow() == w)
    SetFocus(d->rec.window);
}

}  // namespace

void ShowHideWindow(WindowPeek w, bool show, bool toTop, bool activate) {
  WindowData* d = DataIn(w);
  if (!d) return;
  HWND hwnd = d->rec.window;
  const bool wasVisible = w->visible != 0;
  w->visible = show ? 1 : 0;
  const UINT showFlag = show ? SWP_SHOWWINDOW : SWP_HIDEWINDOW;
  HWND after = IsPopUp(*d) ? nullptr : NearestVisibleAbove(w, GetParent(hwnd));
  // Moves and sizes Windows reports while showing are the library's own, not the user's.
  ++Published().positioning;
  if (after)
    SetWindowPos(hwnd, after, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | showFlag);
  else if (show && toTop)
    SetWindowPos(hwnd, HWND_TOP, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | showFlag | (activate ? 0 : SWP_NOACTIVATE));
  else
    SetWindowPos(hwnd, nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | showFlag);
  --Published().positioning;
  ZEB_UpdateWindows(2);
  if (!show) return;
  if (w->windowKind == dialogKind && !wasVisible) InvalidateRect(hwnd, nullptr, TRUE);
  ZEB_ClipRgnChange(AsWindow(w));
  UpdateWindow(hwnd);
}

void SetHilite(WindowPtr theWindow, bool hilite) {
  WindowPeek w = Listed(theWindow);
  WindowData* d = DataIn(w);
  if (!d) return;
  if (hilite && !events::ApplicationActive()) return;
  if ((w->hilited != 0) == hilite) return;
  w->hilited = hilite ? 1 : 0;
  SendMessageA(d->rec.window, WM_NCACTIVATE, hilite ? TRUE : FALSE, 0);
  SendMessageA(d->rec.window, WM_NCPAINT, 1, 0);
  d = DataIn(w);
  if (!d) return;
  if (events::StoredSystemValue(kHiliteRedrawsControls) && d->procID >= 0 &&
      d->procID < kFirstNonStandardProc && w->windowKind != dialogKind)
    dialogs::RedrawControls(theWindow, hilite);
  if (hilite && (d->rec.stateFlags & zebTakesFocus)) SetFocus(d->rec.window);
}

void MoveActivation(WindowPtr from, WindowPtr to) {
  if (from == to) return;
  if (Listed(from)) {
    events::RecordDeactivate(from);
    SetHilite(from, false);
  }
  if (Listed(to)) {
    events::RecordActivate(to);
    SetHilite(to, true);
  }
}

void BringWindowToFront(WindowPtr theWindow) {
  WindowPeek w = Listed(theWindow);
  if (!w) return;
  Unlink(w);
  InsertAtHead(w);
  if (w->visible) ShowHideWindow(w, true, true, false);
}

void ZEBAPI LibraryShowWindow(WindowPtr theWindow) {
  WindowPeek w = Listed(theWindow);
  WindowData* d = DataIn(w);
  if (!d || w->visible) return;
  WindowPtr previousFront = LibraryFrontWindow();
  const bool toTop = (d->rec.kindFlags & zebTopLevel) || ListHead() == theWindow;
  ShowHideWindow(w, true, toTop, true);
  if (LibraryFrontWindow() == theWindow) MoveActivation(previousFront, theWindow);
  GiveFocusIfFront(theWindow);
}

void ZEBAPI LibraryHideWindow(WindowPtr theWindow) {
  WindowPeek w = Listed(theWindow);
  if (!DataIn(w) || !w->visible) return;
  const bool wasFront = LibraryFrontWindow() == theWindow;
  ShowHideWindow(w, false, false, true);
  if (wasFront) MoveActivation(theWindow, LibraryFrontWindow());
}

void ZEBAPI LibrarySelectWindow(WindowPtr theWindow) {
  WindowPeek w = Listed(theWindow);
  if (!DataIn(w)) return;
  WindowPtr previousFront = LibraryFrontWindow();
  if (!w->visible) {
    // A hidden window only moves to the head of the list; it is shown in front later.
    Unlink(w);
    InsertAtHead(w);
    return;
  }
  if (previousFront == theWindow) return;
  BringWindowToFront(theWindow);
  MoveActivation(previousFront, theWindow);
  GiveFocusIfFront(theWindow);
}

}  // namespace zeb::windows

using namespace zeb;
using namespace zeb::windows;

extern "C" {

void ZEBAPI ShowWindo(WindowPtr theWindow) {
  osutils::Patchable<decltype(&LibraryShowWindow)>(osutils::kTrapShowWindow)(theWindow);
}

void ZEBAPI HideWindow(WindowPtr theWindow) {
  osutils::Patchable<decltype(&LibraryHideWindow)>(osutils::kTrapHideWindow)(theWindow);
}

void ZEBAPI SelectWindow(WindowPtr theWindow) {
  osutils::Patchable<decltype(&LibrarySelectWindow)>(osutils::kTrapSelectWindow)(theWindow);
}

void ZEBAPI ShowHide(WindowPtr theWindow, Boolean showFlag) {
  WindowPeek w = Listed(theWindow);
  if (!DataIn(w) || (w->visible != 0) == (showFlag != 0)) return;
  ShowHideWindow(w, showFlag != 0, false, true);
}

void ZEBAPI BringToFront(WindowPtr theWindow) { BringWindowToFront(theWindow); }

void ZEBAPI SendBehind(WindowPtr theWindow, WindowPtr behindWindow) {
  WindowPeek w = Listed(theWindow);
  WindowData* d = DataIn(w);
  if (!d || theWindow == behindWindow) return;
  WindowPtr previousFront = LibraryFrontWindow();
  // Behind a window that is not in the list means behind all of them.
  WindowPeek after = Listed(behindWindow);
  Unlink(w);
  InsertAfter(w, after);
  if (IsWindowVisible(d->rec.window)) {
    if (!after) {
      SetWindowPos(d->rec.window, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
      ZEB_UpdateWindows(2);
    } else {
      ShowHideWindow(w, true, false, true);
    }
  }
  MoveActivation(previousFront, LibraryFrontWindow());
}

void ZEBAPI HiliteWindow(WindowPtr theWindow, Boolean fHilite) { SetHilite(theWindow, fHilite != 0); }

}  // extern "C"

// Closing and disposing of windows.
#include "MacMemory.h"
#include "dialogs/dialogs_internal.h"
#include "events/events_internal.h"
#include "frame/frame_internal.h"
#include "lists/lists_internal.h"
#include "osutils/osutils_internal.h"
#include "quickdraw/quickdraw_internal.h"
#include "windows/window_manager.h"
#include "windows/windows_internal.h"

namespace zeb::windows {
namespace {

bool IsColourPort(WindowPtr w) {
  // The two top bits of portBits.rowBytes (portVersion) mark a colour port.
  return (static_cast<uint16_t>(w->portBits.rowBytes) & 0xC000) == 0xC000;
}

void DisposeRegion(RgnHandle& rgn) {
  if (rgn) DisposeRgn(rgn);
  rgn = nullptr;
}

// Whether the library allocated the record (it frees it) or the caller supplied it.
bool CallerStorage(WindowPtr w) {
  WindowData* d = DataOf(w);
  return d && (d->rec.stateFlags & zebCallerStorage);
}

}  // namespace

void ZEBAPI LibraryCloseWindow(WindowPtr theWindow) {
  WindowPeek w = Listed(theWindow);
  WindowData* d = DataIn(w);
  if (!d) return;
  HWND hwnd = d->rec.window;
  const bool mdiChild = (d->rec.kindFlags & zebMDIChild) != 0;
  const bool systemMenu = d->systemMenu;

  // 1.
  Publications& pub = Published();
  WindowPtr outerClosing = pub.closing;
  HWND outerClosingHwnd = pub.closingHwnd;
  pub.closing = theWindow;
  pub.closingHwnd = hwnd;
  // 2.
  if (w->visible) LibraryHideWindow(theWindow);
  // The window's lists go first: their scroll-bar controls are in the control list.
  lists::DisposeWindowLists(theWindow);
  if (w->controlList) dialogs::KillControls(theWindow);
  // 3.
  Unlink(w);
  ForgetUpdateNesting(theWindow);
  // 4.
  GrafPtr current = nullptr;
  GetPort(&current);
  const bool wasCurrent = current == theWindow;
  if (IsColourPort(theWindow))
    CloseCPort(reinterpret_cast<CGrafPtr>(theWindow));
  else
    ClosePort(theWindow);
  if (wasCurrent) {
    WindowPtr front = LibraryFrontWindow();
    SetPort(front);
  }
  // 5.
  DisposeRegion(w->strucRgn);
  DisposeRegion(w->contRgn);
  DisposeRegion(w->updateRgn);
  // 6.
  if (hwnd) {
    RemovePropA(hwnd, MAKEINTATOM(frame::Session().windowFlagAtom));
    if (systemMenu) GetSystemMenu(hwnd, TRUE);
    // 7.
    if (mdiChild && frame::Session().mdiClient)
      SendMessageA(frame::Session().mdiClient, WM_MDIDESTROY, reinterpret_cast<WPARAM>(hwnd), 0);
    else
      DestroyWindow(hwnd);
  }
  // 8. Nothing may name the record once it is gone: not the tracking records, nor the
  // activation cells a later activate event would be made from, nor the scroll tracking.
  ForgetTracking(theWindow);
  events::ForgetWindow(theWindow);
  ForgetScrollTracking(theWindow);
  if (w->titleHandle) DisposeHandle(reinterpret_cast<Handle>(w->titleHandle));
  w->titleHandle = nullptr;
  // 9.
  pub.closing = outerClosing;
  pub.closingHwnd = outerClosingHwnd;
  for (WindowPeek p = Peek(ListHead()); p; p = p->nextWindow)
    if (p->visible)
      if (WindowData* pd = DataIn(p)) UpdateWindow(pd->rec.window);
  // The data block goes last: the messages above may still look the window up.
  if (w->dataHandle) DisposeHandle(w->dataHandle);
  w->dataHandle = nullptr;
}

}  // namespace zeb::windows

using namespace zeb;
using namespace zeb::windows;

extern "C" {

void ZEBAPI CloseWindo(WindowPtr theWindow) {
  osutils::Patchable<decltype(&LibraryCloseWindow)>(osutils::kTrapCloseWindow)(theWindow);
}

void ZEBAPI DisposeWindow(WindowPtr theWindow) {
  if (!Listed(theWindow)) return;
  const bool callerStorage = CallerStorage(theWindow);
  CloseWindo(theWindow);
  // A replaced CloseWindow may leave the window listed; the record is not freed under it.
  if (Listed(theWindow)) LibraryCloseWindow(theWindow);
  if (!callerStorage) DisposePtr(reinterpret_cast<Ptr>(theWindow));
}

}  // extern "C"

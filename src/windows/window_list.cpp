// The window list, finding a Toolbox window from its Windows window and back, the records the
// glue keeps, and the front window.
#include "frame/address32.h"
#include "frame/frame_internal.h"
#include "frame/toolbox_globals.h"
#include "osutils/osutils_internal.h"
#include "quickdraw/quickdraw_internal.h"
#include "windows/window_manager.h"
#include "windows/windows_internal.h"

namespace zeb::windows {
namespace {

Tracking g_tracking;
Publications g_published;

WindowPeek& HeadCell() { return *reinterpret_cast<WindowPeek*>(frame::Globals().windowList); }

// The window-flag property: bit 0 set on every Windows window that carries a Toolbox window.
constexpr uintptr_t kCarriesToolboxWindow = 0x1;

}  // namespace

Tracking& Tracks() { return g_tracking; }
Publications& Published() { return g_published; }

WindowPtr ListHead() { return reinterpret_cast<WindowPtr>(HeadCell()); }

WindowPeek Listed(WindowPtr theWindow) {
  if (!theWindow) return nullptr;
  for (WindowPeek w = HeadCell(); w; w = w->nextWindow)
    if (reinterpret_cast<WindowPtr>(w) == theWindow) return w;
  return nullptr;
}

WindowData* DataOf(WindowPtr theWindow) {
  WindowPeek w = Listed(theWindow);
  if (!w && theWindow && (theWindow == g_published.creating || theWindow == g_published.closing))
    w = Peek(theWindow);
  return w ? DataIn(w) : nullptr;
}

HWND HwndOf(WindowPtr theWindow) {
  WindowData* d = DataOf(theWindow);
  return d ? d->rec.window : nullptr;
}

bool BeingCreatedOrClosed(HWND hwnd) {
  if (!hwnd) return false;
  return (g_published.creating && (hwnd == g_published.creatingHwnd ||
                                   (!g_published.creatingHwnd && UnclaimedDuringCreation(hwnd)))) ||
         (g_published.closing && hwnd == g_published.closingHwnd);
}

WindowPtr FromHwnd(HWND hwnd) {
  if (!hwnd) return nullptr;
  const ATOM atom = frame::Session().windowFlagAtom;
  const auto flag = reinterpret_cast<uintptr_t>(GetPropA(hwnd, MAKEINTATOM(atom)));
  if (atom && (flag & kCarriesToolboxWindow)) {
    auto* w = LongToAddress<GrafPort>(static_cast<uint32_t>(GetWindowLongA(hwnd, zebExtraWindowPtr)));
    if (Listed(w) || (w && (w == g_published.creating || w == g_published.closing))) return w;
  }
  if (g_published.closing && hwnd == g_published.closingHwnd) return g_published.closing;
  if (g_published.creating &&
      (hwnd == g_published.creatingHwnd ||
       (!g_published.creatingHwnd && UnclaimedDuringCreation(hwnd))))
    return g_published.creating;
  return nullptr;
}

// While CreateWindowEx runs the new Windows window is not known yet: a window of the expected
// parent that carries no Toolbox window is taken to be it.
bool UnclaimedDuringCreation(HWND hwnd) {
  const frame::SessionState& s = frame::Session();
  if (hwnd == s.frameWindow || hwnd == s.mdiClient || hwnd == s.desktopWindow) return false;
  if (GetPropA(hwnd, MAKEINTATOM(s.windowFlagAtom))) return false;
  HWND parent = GetParent(hwnd);
  return !CreationParent() || parent == CreationParent() || !parent;
}

void InsertAtHead(WindowPeek w) {
  w->nextWindow = HeadCell();
  HeadCell() = w;
}

void Unlink(WindowPeek w) {
  WindowPeek* link = &HeadCell();
  while (*link && *link != w) link = &(*link)->nextWindow;
  if (*link) *link = w->nextWindow;
  w->nextWindow = nullptr;
}

void InsertAfter(WindowPeek w, WindowPeek after) {
  if (!after) {
    WindowPeek* link = &HeadCell();
    while (*link) link = &(*link)->nextWindow;
    *link = w;
    w->nextWindow = nullptr;
    return;
  }
  w->nextWindow = after->nextWindow;
  after->nextWindow = w;
}

WindowPeek Above(WindowPeek w) {
  WindowPeek previous = nullptr;
  for (WindowPeek p = HeadCell(); p && p != w; p = p->nextWindow) previous = p;
  return previous;
}

void ForgetTracking(WindowPtr theWindow) {
  Tracking& t = g_tracking;
  if (t.closeChosen == theWindow) t.closeChosen = nullptr;
  if (t.zoomChosen == theWindow) t.zoomChosen = nullptr;
  if (t.dragged == theWindow) t.dragged = nullptr;
  if (t.frontAtDrag == theWindow) t.frontAtDrag = nullptr;
}

WindowPtr ZEBAPI LibraryFrontWindow(void) {
  for (WindowPeek w = HeadCell(); w; w = w->nextWindow)
    if (w->visible) return reinterpret_cast<WindowPtr>(w);
  return nullptr;
}

void DisposeAllWindows() {
  if (!frame::Globals().windowList) return;
  while (WindowPeek w = HeadCell()) {
    DisposeWindow(reinterpret_cast<WindowPtr>(w));
    // A replaced CloseWindow that leaves the window listed does not stop the exit.
    if (HeadCell() == w) Unlink(w);
  }
  ReleaseWindowResources();
}

void MoveUpdateRegion(void* windowPort, short dh, short dv) {
  WindowPeek w = Listed(static_cast<WindowPtr>(windowPort));
  if (w && w->updateRgn) OffsetRgn(w->updateRgn, dh, dv);
}

}  // namespace zeb::windows

using namespace zeb;
using namespace zeb::windows;

extern "C" {

WindowPtr ZEBAPI FrontWindow(void) {
  return osutils::Patchable<decltype(&LibraryFrontWindow)>(osutils::kTrapFrontWindow)();
}

short ZEBAPI ZEB_GetwPtr(HWND hwnd, WindowPtr* theWindow) {
  WindowPtr w = FromHwnd(hwnd);
  if (theWindow) *theWindow = w;
  return w ? 1 : 0;
}

HWND ZEBAPI ZEB_GethWnd(WindowPtr theWindow) { return HwndOf(theWindow); }

}  // extern "C"

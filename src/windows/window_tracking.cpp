// FindWindow and the tracking calls. Windows tracks the mouse in its own window frames; the
// glue records what happened and reports it as mouse-down events at special locations, which
// FindWindow decodes and the tracking calls confirm.
#include "events/events_internal.h"
#include "frame/frame_internal.h"
#include "windows/window_manager.h"
#include "windows/windows_internal.h"

namespace zeb::windows {
namespace {

// The window whose resizing by the user is not yet reported to GrowWindow.
WindowPtr ResizedWindow() {
  for (WindowPeek w = Peek(ListHead()); w; w = w->nextWindow)
    if (WindowData* d = DataIn(w))
      if (d->rec.stateFlags & zebResizedByUser) return AsWindow(w);
  return nullptr;
}

short Report(short part, WindowPtr w, WindowPtr* which) {
  if (part != inMenuBar && !w) part = inDesk;
  if (which) *which = part == inMenuBar ? nullptr : w;
  return part;
}

}  // namespace
}  // namespace zeb::windows

using namespace zeb;
using namespace zeb::windows;

extern "C" {

short ZEBAPI FindWindo(Point thePoint, WindowPtr* theWindow) {
  if (theWindow) *theWindow = nullptr;
  if (thePoint.h == events::kReportH) {
    const Tracking& t = Tracks();
    switch (-thePoint.v) {
      case inMenuBar: return Report(inMenuBar, nullptr, theWindow);
      case inDrag: return Report(inDrag, t.dragged, theWindow);
      case inGrow: return Report(inGrow, ResizedWindow(), theWindow);
      case inGoAway: return Report(inGoAway, t.closeChosen, theWindow);
      case inZoomIn: return Report(inZoomIn, t.zoomChosen, theWindow);
      case inZoomOut: return Report(inZoomOut, t.zoomChosen, theWindow);
      default: break;
    }
  }
  const frame::SessionState& s = frame::Session();
  const POINT pt = {thePoint.h, thePoint.v};
  for (WindowPeek w = Peek(ListHead()); w; w = w->nextWindow) {
    WindowData* d = DataIn(w);
    if (!d || !w->visible) continue;
    RECT r;
    if (!GetWindowRect(d->rec.window, &r) || !PtInRect(&r, pt)) continue;
    if (d->rec.window == s.frameWindow || d->rec.window == s.mdiClient) return inDesk;
    if (theWindow) *theWindow = AsWindow(w);
    return inContent;
  }
  return inDesk;
}

void ZEBAPI DragWindow(WindowPtr theWindow, Point startPt, const Rect* boundsRect) {
  (void)startPt;
  (void)boundsRect;
  WindowPeek w = Listed(theWindow);
  Tracking& t = Tracks();
  if (!w || !w->visible || t.dragged != theWindow) return;
  if (t.frontAtDrag != theWindow) {
    WindowPtr previousFront = LibraryFrontWindow();
    BringWindowToFront(theWindow);
    MoveActivation(previousFront, theWindow);
  }
  t.dragged = nullptr;
  t.frontAtDrag = nullptr;
}

long ZEBAPI GrowWindow(WindowPtr theWindow, Point startPt, const Rect* sizeRect) {
  (void)startPt;
  (void)sizeRect;
  WindowData* d = DataOf(theWindow);
  if (!d || !(d->rec.stateFlags & zebResizedByUser)) return 0;
  d->rec.stateFlags &= static_cast<uint16_t>(~zebResizedByUser);
  Boolean iconic = false;
  return ZEB_WindDiffSize(theWindow, &iconic);
}

Boolean ZEBAPI TrackGoAway(WindowPtr theWindow, Point thePt) {
  (void)thePt;
  Tracking& t = Tracks();
  if (!theWindow || t.closeChosen != theWindow) return false;
  t.closeChosen = nullptr;
  return true;
}

Boolean ZEBAPI TrackBox(WindowPtr theWindow, Point thePt, short partCode) {
  (void)thePt;
  Tracking& t = Tracks();
  if (partCode != inZoomIn && partCode != inZoomOut) return false;
  if (!theWindow || t.zoomChosen != theWindow) return false;
  t.zoomChosen = nullptr;
  return true;
}

}  // extern "C"

// Hit testing and tracking of controls, the gray-outline drag and the grow icon.
#include <algorithm>

#include "Controls.h"
#include "Events.h"
#include "MacWindows.h"
#include "OSUtils.h"
#include "ZEB.h"
#include "dialogs/control_manager.h"
#include "dialogs/dialogs_internal.h"
#include "frame/frame_internal.h"
#include "windows/windows_internal.h"

namespace zeb::controls {
namespace {

using ActionProc = void(ZEBAPI*)(ControlHandle control, short part);

bool InRect(Point p, const Rect& r) {
  return p.v >= r.top && p.v < r.bottom && p.h >= r.left && p.h < r.right;
}

long PointParam(Point p) {
  return static_cast<long>((static_cast<uint32_t>(static_cast<uint16_t>(p.v)) << 16) |
                           static_cast<uint16_t>(p.h));
}

Point MouseNow(ControlHandle c) {
  GrafPtr old = nullptr;
  GetPort(&old);
  SetPort((*c)->contrlOwner);
  Point p;
  GetMouse(&p);
  SetPort(old);
  return p;
}

bool ScrollTrackingOf(ControlHandle c, frame::ScrollTrackingView* view) {
  *view = frame::CurrentScrollTracking();
  return view->tracking && view->control == c;
}

void ZEBAPI DefinitionAutoTrack(ControlHandle control, short part) {
  CallDefinition(control, autoTrack, part);
}

// A definition control tracked by the library: highlight follows the mouse over the part.
short TrackDefinitionPart(ControlHandle c, short part, ActionProc action, bool ownTracking) {
  HWND hwnd = (*c)->zebWindow;
  HiliteControl(c, part);
  if (hwnd) SetCapture(hwnd);
  bool over = true;
  while (StillDown()) {
    const Point p = MouseNow(c);
    over = TestControl(c, p) == part;
    if (((*c)->contrlHilite == part) != over) HiliteControl(c, over ? part : 0);
    if (ownTracking) CallDefinition(c, autoTrack, part);
    else if (action) action(c, over ? part : 0);
  }
  if (hwnd && GetCapture() == hwnd) ReleaseCapture();
  over = TestControl(c, MouseNow(c)) == part;
  HiliteControl(c, 0);
  return over ? part : 0;
}

// The indicator of a definition control: dragged by the definition, or as a gray outline.
short TrackIndicator(ControlHandle c, short part, Point start, ActionProc action) {
  if (CallDefinition(c, dragCntl, 0)) return part;
  RgnHandle rgn = NewRgn();
  CallDefinition(c, calcThumbRgn, reinterpret_cast<intptr_t>(rgn));
  // The thumb message reads the start point and writes limit, slop and axis in its place.
  struct {
    Rect limit;
    Rect slop;
    short axis;
  } info{};
  info.limit.top = start.v;
  info.limit.left = start.h;
  CallDefinition(c, thumbCntl, static_cast<long>(reinterpret_cast<intptr_t>(&info)));
  const long moved = DragGrayRgn(rgn, start, &info.limit, &info.slop, info.axis,
                                 reinterpret_cast<ProcPtr>(reinterpret_cast<void*>(action)));
  DisposeRgn(rgn);
  constexpr long kOutsideSlop = static_cast<long>(0x80008000u);
  if (moved != 0 && moved != kOutsideSlop) CallDefinition(c, posCntl, moved);
  return part;
}

}  // namespace
}  // namespace zeb::controls

namespace zeb::dialogs {

void* DefinitionTracking(ControlHandle control) {
  if (!controls::Valid(control) || !(*control)->zebCustom) return nullptr;
  return reinterpret_cast<void*>(&controls::DefinitionAutoTrack);
}

}  // namespace zeb::dialogs

using namespace zeb;
using namespace zeb::controls;

extern "C" {

short ZEBAPI TestControl(ControlHandle theControl, Point thePt) {
  if (!Valid(theControl)) return 0;
  ControlPtr c = *theControl;
  if (!c->contrlVis || c->contrlHilite == kInactive) return 0;
  frame::ScrollTrackingView view;
  if (ScrollTrackingOf(theControl, &view)) return view.part;
  if (c->zebCustom) return static_cast<short>(CallDefinition(theControl, testCntl, PointParam(thePt)));
  const int kind = KindOf(theControl);
  if (kind == kScrollBar || !InRect(thePt, c->contrlRect)) return 0;
  return kind == kCheckBox || kind == kRadioButton ? inCheckBox : inButton;
}

short ZEBAPI FindControl(Point thePoint, WindowPtr theWindow, ControlHandle* theControl) {
  if (theControl) *theControl = nullptr;
  if (!theWindow) return 0;
  const frame::ScrollTrackingView view = frame::CurrentScrollTracking();
  if (view.tracking && view.window == theWindow && Valid(view.control)) {
    if (theControl) *theControl = view.control;
    return view.part;
  }
  for (ControlHandle h = reinterpret_cast<WindowPeek>(theWindow)->controlList; h; h = (*h)->nextControl) {
    const short part = TestControl(h, thePoint);
    if (part) {
      if (theControl) *theControl = h;
      return part;
    }
  }
  return 0;
}

short ZEBAPI TrackControl(ControlHandle theControl, Point thePoint, ProcPtr actionProc) {
  if (!Valid(theControl)) return 0;
  ControlPtr c = *theControl;
  if (c->contrlHilite == kInactive) {
    while (StillDown()) {
    }
    return 0;
  }
  // -1 takes the control's own action field; the value -1 there means the definition's
  // tracking, which a standard control does not have.
  ProcPtr chosen = reinterpret_cast<intptr_t>(actionProc) == kDefinitionAction ? c->contrlAction : actionProc;
  const bool ownTracking = reinterpret_cast<intptr_t>(chosen) == kDefinitionAction;
  ActionProc action = nullptr;
  if (chosen && !ownTracking)
    action = frame::WrapCallback(reinterpret_cast<ActionProc>(reinterpret_cast<void*>(chosen)));

  short result = 0;
  frame::ScrollTrackingView view;
  if (ScrollTrackingOf(theControl, &view)) {
    if (ownTracking) action = reinterpret_cast<ActionProc>(dialogs::DefinitionTracking(theControl));
    const bool wrapped = action && !ownTracking;
    const bool repeats = view.part && view.part != inThumb;
    const bool restart = repeats && Button() && view.scrollBar && IsWindow(view.scrollBar);
    if (restart) frame::ResumeScrollTracking();
    if (view.active || restart || action) frame::UseScrollTrackingAction(action);
    if (restart) {
      // The native scroll bar runs its own tracking loop again, which sends the notifications
      // that call the action procedure until the button is released.
      POINT p;
      GetCursorPos(&p);
      ScreenToClient(view.scrollBar, &p);
      SendMessageA(view.scrollBar, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(p.x, p.y));
    }
    for (;;) {
      view = frame::CurrentScrollTracking();
      if (!view.active || !Button()) break;
      if (view.part == inThumb) SetControlValue(theControl, static_cast<short>(view.thumb));
      StillDown();
    }
    view = frame::CurrentScrollTracking();
    result = view.part;
    if (action && !view.actionCalled && Valid(theControl)) action(theControl, result);
    frame::EndScrollTrackingOf(theControl);
    if (wrapped) frame::ReleaseCallback(action);
    return result;
  }
  if (c->zebCustom) {
    const short part = TestControl(theControl, thePoint);
    constexpr short kPopUpBoxPart = 2;
    if (part == kPopUpBoxPart && IsLibraryPopUp(theControl)) {
      // The pop-up's menu does the tracking, drawn from the owner's port.
      GrafPtr old = nullptr;
      GetPort(&old);
      SetPort(c->contrlOwner);
      CallDefinition(theControl, autoTrack, part);
      SetPort(old);
      result = part;
    } else if (part && part < inThumb) result = TrackDefinitionPart(theControl, part, action, ownTracking);
    else if (part >= inThumb) result = TrackIndicator(theControl, part, thePoint, ownTracking ? nullptr : action);
  } else {
    // The native window has already tracked the click.
    result = TestControl(theControl, thePoint);
  }
  if (action && !ownTracking) frame::ReleaseCallback(action);
  return result;
}

// The Toolbox's gray-outline drag: the region's outline follows the mouse, constrained to
// limitRect on the axis; released outside slopRect the drag is refused (0x80008000). The
// result is the offset, vertical in the high word.
long ZEBAPI DragGrayRgn(RgnHandle theRgn, Point startPt, const Rect* limitRect, const Rect* slopRect,
                        short axis, ProcPtr actionProc) {
  if (!theRgn || !*theRgn || !limitRect || !slopRect) return 0;
  auto action = actionProc ? frame::WrapCallback(reinterpret_cast<void(ZEBAPI*)(void)>(
                                 reinterpret_cast<void*>(actionProc)))
                           : nullptr;
  PenState saved;
  GetPenState(&saved);
  PenNormal();
  PenMode(patXor);
  static const Pattern kGray = {{0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55}};
  PenPat(&kGray);
  RgnHandle outline = NewRgn();
  CopyRgn(theRgn, outline);
  Point last = startPt, now = startPt;
  FrameRgn(outline);
  bool inside = true;
  constexpr short kHorizontal = 1, kVertical = 2;
  while (StillDown()) {
    GetMouse(&now);
    inside = PtInRect(now, slopRect);
    Point pinned = now;
    if (axis == kHorizontal) pinned.v = startPt.v;
    if (axis == kVertical) pinned.h = startPt.h;
    pinned.h = std::min<short>(std::max<short>(pinned.h, limitRect->left), static_cast<short>(limitRect->right - 1));
    pinned.v = std::min<short>(std::max<short>(pinned.v, limitRect->top), static_cast<short>(limitRect->bottom - 1));
    if (!inside) pinned = startPt;
    if (pinned.h != last.h || pinned.v != last.v) {
      FrameRgn(outline);
      OffsetRgn(outline, static_cast<short>(pinned.h - last.h), static_cast<short>(pinned.v - last.v));
      FrameRgn(outline);
      last = pinned;
    }
    if (action) action();
  }
  FrameRgn(outline);
  DisposeRgn(outline);
  SetPenState(&saved);
  if (action) frame::ReleaseCallback(action);
  GetMouse(&now);
  if (!PtInRect(now, slopRect)) return static_cast<long>(0x80008000u);
  const uint16_t dv = static_cast<uint16_t>(last.v - startPt.v);
  const uint16_t dh = static_cast<uint16_t>(last.h - startPt.h);
  return static_cast<long>((static_cast<uint32_t>(dv) << 16) | dh);
}

void ZEBAPI DrawGrowIcon(WindowPtr theWindow) {
  WindowPeek w = windows::Listed(theWindow);
  windows::WindowData* d = windows::DataOf(theWindow);
  HWND hwnd = windows::HwndOf(theWindow);
  if (!w || !d || !hwnd || !w->visible || IsIconic(hwnd) || !(d->rec.kindFlags & zebHasSizeBox)) return;
  if (frame::ThreeDLookOn() && d->grip) {
    InvalidateRect(d->grip, nullptr, TRUE);
    UpdateWindow(d->grip);
    return;
  }
  bool vertical = false, horizontal = false;
  for (ControlHandle h = w->controlList; h; h = (*h)->nextControl) {
    if (KindOf(h) != kScrollBar) continue;
    const Rect& r = (*h)->contrlRect;
    if (r.bottom - r.top >= r.right - r.left) vertical = true;
    else horizontal = true;
  }
  GrafPtr old = nullptr;
  GetPort(&old);
  SetPort(theWindow);
  PenState saved;
  GetPenState(&saved);
  PenNormal();
  const Rect& pr = theWindow->portRect;
  const short sw = static_cast<short>(ScrollBarWidthSetting());
  const short sh = static_cast<short>(ScrollBarHeightSetting());
  Rect corner = {static_cast<short>(pr.bottom - sh), static_cast<short>(pr.right - sw), pr.bottom, pr.right};
  EraseRect(&corner);
  // The lines along the scroll bars' inner edges: the whole height or width of the window when
  // it has that scroll bar, else only the corner square's sides.
  MoveTo(static_cast<short>(corner.left), vertical ? pr.top : corner.top);
  LineTo(static_cast<short>(corner.left), static_cast<short>(pr.bottom - 1));
  MoveTo(horizontal ? pr.left : corner.left, static_cast<short>(corner.top));
  LineTo(static_cast<short>(pr.right - 1), static_cast<short>(corner.top));
  SetPenState(&saved);
  SetPort(old);
}

}  // extern "C"

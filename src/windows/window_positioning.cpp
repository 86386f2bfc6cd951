// Moving, sizing and zooming windows, and the geometry shared by the Window Manager's files.
#include <algorithm>

#include "dialogs/dialogs_internal.h"
#include "events/events_internal.h"
#include "frame/frame_internal.h"
#include "frame/toolbox_globals.h"
#include "windows/window_manager.h"
#include "windows/windows_internal.h"

namespace zeb::windows {
namespace {

// ZEB_SystemValue index 38: ZoomWindow keeps the standard state set at creation.
constexpr int kKeepStdState = 38;
// The caption stays reachable: a captioned window's content top-left is kept within these.
constexpr int kLeastPosition = -1;

bool Captioned(HWND hwnd) {
  return (GetWindowLongA(hwnd, GWL_STYLE) & WS_CAPTION) == WS_CAPTION;
}

// The offset from the Windows window's outer top-left to its client origin.
POINT FrameOffset(HWND hwnd) {
  const RECT outer = ScreenWindowRect(hwnd);
  const RECT client = ScreenClientRect(hwnd);
  return {client.left - outer.left, client.top - outer.top};
}

bool IsMDIChild(const WindowData& d) { return (d.rec.kindFlags & zebMDIChild) != 0; }

// Invalidates what a size change uncovered, in the update region and for Windows.
void InvalidateExposed(WindowPtr w, int oldWidth, int oldHeight, int width, int height) {
  WindowPeek p = Peek(w);
  WindowData* d = DataIn(p);
  if (!d || !p->updateRgn) return;
  const short left = w->portRect.left, top = w->portRect.top;
  RgnHandle strip = NewRgn();
  if (!strip) return;
  if (width > oldWidth) {
    const Rect r = {top, static_cast<short>(left + oldWidth), static_cast<short>(top + height),
                    static_cast<short>(left + width)};
    RectRgn(strip, &r);
    UnionRgn(p->updateRgn, strip, p->updateRgn);
  }
  if (height > oldHeight) {
    const Rect r = {static_cast<short>(top + oldHeight), left, static_cast<short>(top + height),
                    static_cast<short>(left + width)};
    RectRgn(strip, &r);
    UnionRgn(p->updateRgn, strip, p->updateRgn);
  }
  DisposeRgn(strip);
  if (width > oldWidth || height > oldHeight) MarkUpdatePending(w);
}

void MoveGrip(const WindowData& d) {
  if (!d.grip) return;
  RECT client;
  GetClientRect(d.rec.window, &client);
  RECT grip;
  GetWindowRect(d.grip, &grip);
  const int gw = grip.right - grip.left, gh = grip.bottom - grip.top;
  SetWindowPos(d.grip, nullptr, client.right - gw, client.bottom - gh, 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace

Rect RectFromRECT(const RECT& r) {
  return {static_cast<short>(r.top), static_cast<short>(r.left), static_cast<short>(r.bottom),
          static_cast<short>(r.right)};
}

RECT RECTFromRect(const Rect& r) { return {r.left, r.top, r.right, r.bottom}; }

RECT ScreenWindowRect(HWND hwnd) {
  RECT r = {0, 0, 0, 0};
  GetWindowRect(hwnd, &r);
  return r;
}

RECT ScreenClientRect(HWND hwnd) {
  RECT r = {0, 0, 0, 0};
  GetClientRect(hwnd, &r);
  POINT origin = {0, 0};
  ClientToScreen(hwnd, &origin);
  OffsetRect(&r, origin.x, origin.y);
  return r;
}

POINT ParentClientOrigin(HWND parent) {
  POINT origin = {0, 0};
  if (parent) ClientToScreen(parent, &origin);
  return origin;
}

SIZE ParentClientSize(HWND parent) {
  RECT r = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  if (parent && parent != GetDesktopWindow()) GetClientRect(parent, &r);
  return {r.right - r.left, r.bottom - r.top};
}

SIZE OuterSize(WindowPtr theWindow, int contentWidth, int contentHeight) {
  HWND hwnd = HwndOf(theWindow);
  if (!hwnd) return {contentWidth, contentHeight};
  // The frame as Windows lays it out now: its measured overhead is exact for every style and
  // for the frames the library draws itself.
  const RECT outer = ScreenWindowRect(hwnd);
  const RECT client = ScreenClientRect(hwnd);
  return {contentWidth + (outer.right - outer.left) - (client.right - client.left),
          contentHeight + (outer.bottom - outer.top) - (client.bottom - client.top)};
}

Rect ComputeStdState(WindowPtr theWindow) {
  WindowData* d = DataOf(theWindow);
  if (!d) return {0, 0, 0, 0};
  HWND parent = GetParent(d->rec.window);
  const SIZE area = ParentClientSize(parent);
  const int frame = GetSystemMetrics(SM_CXSIZEFRAME);
  // The outer frame lies just outside the parent's client area; the content is what is left.
  const SIZE empty = OuterSize(theWindow, 0, 0);
  const POINT offset = FrameOffset(d->rec.window);
  const int left = -frame + offset.x, top = -frame + offset.y;
  const int width = area.cx + 2 * frame - empty.cx, height = area.cy + 2 * frame - empty.cy;
  return {static_cast<short>(top), static_cast<short>(left), static_cast<short>(top + height),
          static_cast<short>(left + width)};
}

void Reposition(WindowPtr theWindow, bool move, bool size, bool zoom, int h, int v, int width,
                int height, bool zoomed, bool redraw) {
  WindowPeek w = Listed(theWindow);
  WindowData* d = DataIn(w);
  if (!d) return;
  HWND hwnd = d->rec.window;
  HWND parent = GetParent(hwnd);
  const int oldWidth = theWindow->portRect.right - theWindow->portRect.left;
  const int oldHeight = theWindow->portRect.bottom - theWindow->portRect.top;
  // 1.
  if (move && Captioned(hwnd)) {
    const SIZE area = ParentClientSize(parent);
    h = std::min(std::max(h, kLeastPosition), std::max<int>(kLeastPosition, area.cx - dialogs::ScrollBarWidth()));
    v = std::min(std::max(v, kLeastPosition), std::max<int>(kLeastPosition, area.cy - dialogs::ScrollBarHeight()));
  }
  // 2.
  bool newZoomed = zoom ? zoomed : w->spareFlag != 0;
  if (size && (d->rec.kindFlags & zebTopLevel)) {
    Rect& standard = d->rec.stdState;
    standard.right = static_cast<short>(std::max<int>(standard.right, standard.left + width));
    standard.bottom = static_cast<short>(std::max<int>(standard.bottom, standard.top + height));
    if (!zoom || zoomed == (w->spareFlag != 0))
      newZoomed = width >= standard.right - standard.left && height >= standard.bottom - standard.top;
  }
  const bool minimisedMDI = IsMDIChild(*d) && IsIconic(hwnd);
  if (minimisedMDI) size = false;
  // 3.
  const SIZE outer = OuterSize(theWindow, width, height);
  const POINT offset = FrameOffset(hwnd);
  UINT flags = SWP_NOZORDER | SWP_NOACTIVATE;
  if (!move) flags |= SWP_NOMOVE;
  if (!size) flags |= SWP_NOSIZE;
  if (!redraw) flags |= SWP_NOREDRAW;
  if (newZoomed != (w->spareFlag != 0)) flags |= SWP_FRAMECHANGED;
  int x = h - offset.x, y = v - offset.y;
  if (!(GetWindowLongA(hwnd, GWL_STYLE) & WS_CHILD)) {
    const POINT origin = ParentClientOrigin(parent ? parent : frame::FrameWindow());
    x += origin.x;
    y += origin.y;
  }
  const bool maximisedMDI = IsMDIChild(*d) && IsZoomed(hwnd);
  ++Published().positioning;
  if (!maximisedMDI && (move || size)) SetWindowPos(hwnd, nullptr, x, y, outer.cx, outer.cy, flags);
  --Published().positioning;
  // 4.
  w = Listed(theWindow);
  d = DataIn(w);
  if (!d) return;
  if (size) {
    GrafPtr saved = nullptr;
    GetPort(&saved);
    SetPort(theWindow);
    PortSize(static_cast<short>(width), static_cast<short>(height));
    SetPort(saved);
    InvalidateExposed(theWindow, oldWidth, oldHeight, width, height);
  }
  RefreshRegions(theWindow);
  w->spareFlag = newZoomed ? 1 : 0;
}

}  // namespace zeb::windows

using namespace zeb;
using namespace zeb::windows;

extern "C" {

void ZEBAPI MoveWindo(WindowPtr theWindow, short hGlobal, short vGlobal, Boolean front) {
  WindowPeek w = Listed(theWindow);
  if (!w) return;
  const int width = theWindow->portRect.right - theWindow->portRect.left;
  const int height = theWindow->portRect.bottom - theWindow->portRect.top;
  Reposition(theWindow, true, false, false, hGlobal, vGlobal, width, height, false, true);
  if (front) SelectWindow(theWindow);
}

void ZEBAPI SizeWindow(WindowPtr theWindow, short w, short h, Boolean fUpdate) {
  WindowData* d = DataOf(theWindow);
  if (!d || w < 0 || h < 0) return;
  Reposition(theWindow, false, true, false, 0, 0, w, h, false, fUpdate != 0);
  if ((d = DataOf(theWindow)) != nullptr) MoveGrip(*d);
}

void ZEBAPI ZoomWindow(WindowPtr theWindow, short partCode, Boolean front) {
  WindowData* d = DataOf(theWindow);
  if (!d || (partCode != inZoomIn && partCode != inZoomOut)) return;
  if (partCode == inZoomOut && !events::StoredSystemValue(kKeepStdState))
    d->rec.stdState = ComputeStdState(theWindow);
  const Rect target = partCode == inZoomIn ? d->rec.userState : d->rec.stdState;
  Reposition(theWindow, true, true, true, target.left, target.top, target.right - target.left,
             target.bottom - target.top, partCode == inZoomOut, true);
  if ((d = DataOf(theWindow)) != nullptr) MoveGrip(*d);
  if (front) SelectWindow(theWindow);
}

void ZEBAPI ZEB_MoveWindow(WindowPtr theWindow, short h, short v, Boolean front) {
  HWND hwnd = HwndOf(theWindow);
  if (!hwnd) return;
  const POINT offset = FrameOffset(hwnd);
  MoveWindo(theWindow, static_cast<short>(h + offset.x), static_cast<short>(v + offset.y), front);
}

long ZEBAPI ZEB_WindDiffSize(WindowPtr theWindow, Boolean* iconic) {
  HWND hwnd = HwndOf(theWindow);
  if (!hwnd) return 0;
  if (IsIconic(hwnd)) {
    if (iconic) *iconic = true;
    return 0;
  }
  if (iconic) *iconic = false;
  RECT client;
  GetClientRect(hwnd, &client);
  const int width = theWindow->portRect.right - theWindow->portRect.left;
  const int height = theWindow->portRect.bottom - theWindow->portRect.top;
  if (client.right == width && client.bottom == height) return 0;
  return static_cast<long>((static_cast<uint32_t>(static_cast<uint16_t>(client.bottom)) << 16) |
                           static_cast<uint16_t>(client.right));
}

void ZEBAPI ZEB_CheckMaxWindowRect(Rect* rect, short useFrame) {
  if (!rect) return;
  constexpr short kLeaveAlone = -1000;
  if (rect->top < kLeaveAlone || rect->left < kLeaveAlone) return;
  const int width = rect->right - rect->left, height = rect->bottom - rect->top;
  if (useFrame) {
    RECT limit = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    if (HWND f = frame::FrameWindow()) {
      RECT client = ScreenClientRect(f);
      IntersectRect(&limit, &limit, &client);
    }
    const int dx = std::max(0, rect->right - static_cast<int>(limit.right));
    const int dy = std::max(0, rect->bottom - static_cast<int>(limit.bottom));
    OffsetRec(rect, static_cast<short>(-dx), static_cast<short>(-dy));
    return;
  }
  RECT gray = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  if (RgnHandle g = *frame::Globals().grayRgn; g && *g) gray = RECTFromRect((*g)->rgnBBox);
  const int frame = GetSystemMetrics(SM_CXSIZEFRAME);
  const int limitTop = gray.top - GetSystemMetrics(SM_CYCAPTION) - frame;
  const int limitLeft = gray.left;
  const int limitBottom = gray.bottom - (frame - 1);
  const int limitRight = gray.right - 2 * frame;
  if (rect->bottom > limitBottom || rect->right > limitRight) {
    // Moved back so that the top-left stays inside, then cut at the limits.
    const int left = std::max(limitLeft, std::min<int>(rect->left, limitRight - width));
    const int top = std::max(limitTop, std::min<int>(rect->top, limitBottom - height));
    rect->left = static_cast<short>(left);
    rect->top = static_cast<short>(top);
    rect->right = static_cast<short>(std::min(left + width, limitRight));
    rect->bottom = static_cast<short>(std::min(top + height, limitBottom));
  } else if (rect->top < limitTop || rect->left < limitLeft) {
    const int left = std::max<int>(rect->left, limitLeft);
    const int top = std::max<int>(rect->top, limitTop);
    rect->left = static_cast<short>(left);
    rect->top = static_cast<short>(top);
    rect->right = static_cast<short>(std::min(left + width, limitRight));
    rect->bottom = static_cast<short>(std::min(top + height, limitBottom));
  }
}

void ZEBAPI ZEB_WindowLocation(WindowPtr theWindow, RECT* windowsRect, Rect* rect) {
  if (!rect) return;
  GrafPtr wMgr = *frame::Globals().wMgrPort;
  Point wMgrOffset = {0, 0};
  if (wMgr) {
    GrafPtr saved = nullptr;
    GetPort(&saved);
    SetPort(wMgr);
    LocalToGlobal(&wMgrOffset);
    SetPort(saved);
  }
  if (!Listed(theWindow)) {
    if (theWindow) return;
    OffsetRec(rect, wMgrOffset.h, wMgrOffset.v);
    if (windowsRect) *windowsRect = RECTFromRect(*rect);
    return;
  }
  HWND hwnd = HwndOf(theWindow);
  RECT r = RECTFromRect(theWindow->portRect);
  POINT topLeft = LocalToClient(theWindow, theWindow->portRect.left, theWindow->portRect.top);
  OffsetRect(&r, topLeft.x - r.left, topLeft.y - r.top);
  MapWindowPoints(hwnd, nullptr, reinterpret_cast<POINT*>(&r), 2);
  OffsetRect(&r, -wMgrOffset.h, -wMgrOffset.v);
  AdjustWindowRectEx(&r, static_cast<DWORD>(GetWindowLongA(hwnd, GWL_STYLE)), FALSE,
                     static_cast<DWORD>(GetWindowLongA(hwnd, GWL_EXSTYLE)));
  *rect = RectFromRECT(r);
  if (windowsRect) *windowsRect = r;
}

}  // extern "C"

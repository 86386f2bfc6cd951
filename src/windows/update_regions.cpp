// Update regions, the update nesting of BeginUpdate and EndUpdate, visible regions and the
// refresh of every window's regions from Windows.
#include <algorithm>

#include "MacMemory.h"
#include "events/events_internal.h"
#include "frame/frame_internal.h"
#include "memory/memory_internal.h"
#include "osutils/osutils_internal.h"
#include "quickdraw/quickdraw_internal.h"
#include "windows/window_manager.h"
#include "windows/windows_internal.h"

namespace zeb::windows {
namespace {

// BeginUpdate nests two deep: each level saves the port, the window's origin and visRgn.
constexpr int kNestingDepth = 2;
struct Level {
  WindowPtr window = nullptr;
  GrafPtr savedPort = nullptr;
  Point savedOrigin = {0, 0};
  RgnHandle savedVis = nullptr;
};
Level g_levels[kNestingDepth];
int g_depth = 0;
RgnHandle g_scratch = nullptr;

RgnHandle Scratch() {
  if (!g_scratch) g_scratch = NewRgn();
  return g_scratch;
}

RgnHandle SavedVis(Level& level) {
  if (!level.savedVis) level.savedVis = NewRgn();
  return level.savedVis;
}

// The level whose window is w, innermost first; null when w is not inside BeginUpdate.
Level* LevelOf(WindowPtr w) {
  for (int i = std::min(g_depth, kNestingDepth) - 1; i >= 0; --i)
    if (g_levels[i].window == w) return &g_levels[i];
  return nullptr;
}

Point Origin(WindowPtr w) { return {w->portRect.top, w->portRect.left}; }

void RestoreLevel(Level& level) {
  WindowPtr w = level.window;
  if (Listed(w) && level.savedVis) {
    CopyRgn(level.savedVis, w->visRgn);
    const Point now = Origin(w);
    OffsetRgn(w->visRgn, static_cast<short>(now.h - level.savedOrigin.h),
              static_cast<short>(now.v - level.savedOrigin.v));
    ZEB_ClipRgnChange(w);
  }
  SetPort(level.savedPort);
  level.window = nullptr;
  level.savedPort = nullptr;
}

// The window carrying the current port, for the invalidation calls.
WindowPeek CurrentWindow() {
  GrafPtr port = nullptr;
  GetPort(&port);
  return Listed(port);
}

bool IsRegion(RgnHandle rgn) {
  return memory::LiveHandleSize(reinterpret_cast<Handle>(rgn)) >= static_cast<long>(sizeof(Region));
}

// The rectangle in the window's client coordinates.
RECT ClientRect(WindowPtr w, const Rect& local) {
  const POINT topLeft = LocalToClient(w, local.left, local.top);
  const POINT bottomRight = LocalToClient(w, local.right, local.bottom);
  return {topLeft.x, topLeft.y, bottomRight.x, bottomRight.y};
}

void ChangeRect(const Rect* r, bool invalidate) {
  WindowPeek w = CurrentWindow();
  WindowData* d = DataIn(w);
  if (!d || !r || !w->updateRgn) return;
  RgnHandle area = Scratch();
  RectRgn(area, r);
  if (invalidate)
    UnionRgn(w->updateRgn, area, w->updateRgn);
  else
    DiffRgn(w->updateRgn, area, w->updateRgn);
  const RECT client = ClientRect(AsWindow(w), *r);
  if (invalidate) {
    InvalidateRect(d->rec.window, &client, FALSE);
    MarkUpdatePending(AsWindow(w));
  } else {
    ValidateRect(d->rec.window, &client);
  }
}

void ChangeRgn(RgnHandle rgn, bool invalidate) {
  WindowPeek w = CurrentWindow();
  WindowData* d = DataIn(w);
  if (!d || !IsRegion(rgn) || !w->updateRgn) return;
  if (ZEB_IsRectRgn(rgn)) {
    const Rect box = (*rgn)->rgnBBox;
    ChangeRect(&box, invalidate);
    return;
  }
  if (invalidate)
    UnionRgn(w->updateRgn, rgn, w->updateRgn);
  else
    DiffRgn(w->updateRgn, rgn, w->updateRgn);
  HRGN shape = quickdraw::NewGdiRegionFromRgn(rgn);
  if (!shape) return;
  OffsetRgn(shape, -w->port.portRect.left, -w->port.portRect.top);
  if (invalidate) {
    InvalidateRgn(d->rec.window, shape, FALSE);
    MarkUpdatePending(AsWindow(w));
  } else {
    ValidateRgn(d->rec.window, shape);
  }
  DeleteObject(shape);
}

// The visible region: the content less what visible windows above cover, in the coordinates
// of the given origin. The live visRgn is selected into the DC; a saved one is not.
void ComputeVisible(WindowPtr theWindow, bool visible) {
  WindowPeek w = Listed(theWindow);
  if (!w || !w->contRgn) return;
  Level* level = LevelOf(theWindow);
  RgnHandle target = level ? SavedVis(*level) : theWindow->visRgn;
  if (!target) return;
  if (!visible) {
    SetEmptyRgn(target);
  } else {
    CopyRgn(w->contRgn, target);
    const Rect content = (*w->contRgn)->rgnBBox;
    for (WindowPeek p = Peek(ListHead()); p && p != w; p = p->nextWindow) {
      if (!p->visible || !p->strucRgn) continue;
      Rect meet;
      if (SectRect(&(*p->strucRgn)->rgnBBox, &content, &meet)) DiffRgn(target, p->strucRgn, target);
    }
    const RECT client = ScreenClientRect(DataIn(w)->rec.window);
    const Point origin = level ? level->savedOrigin : Origin(theWindow);
    OffsetRgn(target, static_cast<short>(origin.h - client.left),
              static_cast<short>(origin.v - client.top));
  }
  if (!level) ZEB_ClipRgnChange(theWindow);
}

}  // namespace

void CreateUpdateNesting() {
  for (Level& level : g_levels) SavedVis(level);
  Scratch();
  g_depth = 0;
}

void ForgetUpdateNesting(WindowPtr w) {
  for (Level& level : g_levels) {
    if (level.window == w) level.window = nullptr;
    if (level.savedPort == w) level.savedPort = nullptr;
  }
}

WindowPtr UpdatingWindow() {
  if (g_depth <= 0) return nullptr;
  return g_levels[std::min(g_depth, kNestingDepth) - 1].window;
}

void ReleaseUpdateRegions() {
  for (Level& level : g_levels) {
    if (level.savedVis) DisposeRgn(level.savedVis);
    level = Level{};
  }
  g_depth = 0;
  if (g_scratch) DisposeRgn(g_scratch);
  g_scratch = nullptr;
}

RgnHandle SavedVisibleRegion(WindowPtr theWindow) {
  for (int i = std::min(g_depth, kNestingDepth) - 1; i >= 0; --i)
    if (g_levels[i].window == theWindow) return g_levels[i].savedVis;
  return nullptr;
}

void MarkUpdatePending(WindowPtr theWindow) {
  WindowData* d = DataOf(theWindow);
  if (!d) return;
  d->rec.kindFlags |= zebUpdatePending;
  events::AddPendingKinds(updateMask);
  events::RequestImmediatePoll();
}

void RefreshRegions(WindowPtr theWindow) {
  WindowPeek w = Listed(theWindow);
  WindowData* d = DataIn(w);
  if (!d || !w->strucRgn || !w->contRgn) return;
  const Rect outer = RectFromRECT(ScreenWindowRect(d->rec.window));
  const Rect client = RectFromRECT(ScreenClientRect(d->rec.window));
  RectRgn(w->strucRgn, &outer);
  RectRgn(w->contRgn, &client);
  ComputeVisible(theWindow, w->visible != 0);
}

void ZEBAPI LibraryInvalRect(const Rect* r) { ChangeRect(r, true); }
void ZEBAPI LibraryInvalRgn(RgnHandle rgn) { ChangeRgn(rgn, true); }

void ZEBAPI LibraryBeginUpdate(WindowPtr theWindow) {
  WindowPeek w = Listed(theWindow);
  WindowData* d = DataIn(w);
  if (!d) return;
  if (Published().staleRegions) ZEB_UpdateWindows(2);
  if (++g_depth > kNestingDepth) return;
  Level& level = g_levels[g_depth - 1];
  GetPort(&level.savedPort);
  level.savedOrigin = Origin(theWindow);
  level.window = theWindow;
  SetPort(theWindow);
  // Windows' pending paint joins the update region now, not at the next event.
  UpdateWindow(d->rec.window);
  if (!Listed(theWindow)) return;
  CopyRgn(theWindow->visRgn, SavedVis(level));
  SectRgn(theWindow->visRgn, w->updateRgn, theWindow->visRgn);
  SetEmptyRgn(w->updateRgn);
  if ((d = DataIn(w)) != nullptr) d->rec.kindFlags &= static_cast<uint16_t>(~zebUpdatePending);
  ZEB_ClipRgnChange(theWindow);
}

void ZEBAPI LibraryEndUpdate(WindowPtr theWindow) {
  if (!Listed(theWindow)) return;
  if (g_depth >= 1 && g_depth <= kNestingDepth) {
    RestoreLevel(g_levels[g_depth - 1]);
    --g_depth;
    return;
  }
  // Past the nesting limit, or unbalanced: every window still clipped to its update gets its
  // visible region back, outermost port last, so that nothing stays clipped after the reset.
  for (int i = std::min(g_depth, kNestingDepth) - 1; i >= 0; --i)
    if (g_levels[i].window) RestoreLevel(g_levels[i]);
  g_depth = 0;
}

}  // namespace zeb::windows

using namespace zeb;
using namespace zeb::windows;

extern "C" {

void ZEBAPI InvalRect(const Rect* badRect) {
  osutils::Patchable<decltype(&LibraryInvalRect)>(osutils::kTrapInvalRect)(badRect);
}

void ZEBAPI InvalRgn(RgnHandle badRgn) {
  osutils::Patchable<decltype(&LibraryInvalRgn)>(osutils::kTrapInvalRgn)(badRgn);
}

void ZEBAPI ValidRect(const Rect* goodRect) { ChangeRect(goodRect, false); }
void ZEBAPI ValidRgn(RgnHandle goodRgn) { ChangeRgn(goodRgn, false); }

void ZEBAPI BeginUpdate(WindowPtr theWindow) {
  osutils::Patchable<decltype(&LibraryBeginUpdate)>(osutils::kTrapBeginUpdate)(theWindow);
}

void ZEBAPI EndUpdate(WindowPtr theWindow) {
  osutils::Patchable<decltype(&LibraryEndUpdate)>(osutils::kTrapEndUpdate)(theWindow);
}

Boolean ZEBAPI CheckUpdate(EventRecord* theEvent) {
  (void)theEvent;
  return false;
}

void ZEBAPI CalcVis(WindowPtr theWindow) {
  WindowPeek w = Listed(theWindow);
  if (w) ComputeVisible(theWindow, w->visible != 0);
}

void ZEBAPI PaintOne(WindowPtr window, RgnHandle clobberedRgn) {
  (void)window;
  (void)clobberedRgn;
}
void ZEBAPI PaintBehind(WindowPtr startWindow, RgnHandle clobberedRgn) {
  (void)startWindow;
  (void)clobberedRgn;
}
void ZEBAPI ClipAbove(WindowPtr window) { (void)window; }
void ZEBAPI CalcVisBehind(WindowPtr startWindow, RgnHandle clobberedRgn) {
  (void)startWindow;
  (void)clobberedRgn;
}

Boolean ZEBAPI ZEB_CheckUpdateRgn(WindowPtr theWindow) {
  HWND hwnd = HwndOf(theWindow);
  if (!hwnd) return false;
  UpdateWindow(hwnd);
  const WindowData* d = DataOf(theWindow);
  return d && (d->rec.kindFlags & zebUpdatePending) != 0;
}

void ZEBAPI ZEB_UpdateWindows(short mode) {
  Publications& pub = Published();
  if (mode == 0) {
    pub.staleRegions = true;
    return;
  }
  if (pub.creating) return;
  if (!pub.positioning) quickdraw::RecomputeDesktopRegions();
  HWND frameWindow = frame::FrameWindow();
  const bool frameMinimised = frameWindow && IsIconic(frameWindow);
  for (WindowPeek w = Peek(ListHead()); w; w = w->nextWindow) {
    WindowData* d = DataIn(w);
    if (!d || !w->strucRgn) continue;
    const bool visible = frameMinimised ? w->visible != 0 : IsWindowVisible(d->rec.window) != 0;
    if (!visible && EmptyRgn(w->port.visRgn)) continue;
    const Rect outer = RectFromRECT(ScreenWindowRect(d->rec.window));
    const Rect client = RectFromRECT(ScreenClientRect(d->rec.window));
    RectRgn(w->strucRgn, &outer);
    RectRgn(w->contRgn, &client);
    ComputeVisible(AsWindow(w), visible);
  }
  pub.staleRegions = false;
}

}  // extern "C"

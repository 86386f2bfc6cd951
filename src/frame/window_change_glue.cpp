// ZEB_WindChange: background erasing, moves and sizes made by the user, and the scroll-bar
// glue that hands Windows' scroll messages to the Control Manager's tracking.
#include <cstddef>

#include "Controls.h"
#include "MacWindows.h"
#include "dialogs/dialogs_internal.h"
#include "events/events_internal.h"
#include "frame/frame_internal.h"
#include "menus/menus_internal.h"
#include "windows/windows_internal.h"

namespace zeb::frame {
namespace {

// ZEB_SystemValue index 30: the value of the control being tracked, taken when tracking starts.
constexpr int kTrackedControlValue = 30;
// The part code of a scroll bar's thumb.
constexpr short kThumbPart = 129;
// A control whose action field holds this tracks with its definition procedure.
constexpr intptr_t kUseDefinitionProc = -1;

// A control record as the Control Manager lays it out (two-byte packing): the glue reads the
// value limits, the highlighted part and the action procedure.
#pragma pack(push, 2)
struct ControlFields {
  ControlHandle nextControl;
  WindowPtr contrlOwner;
  Rect contrlRect;
  uint8_t contrlVis;
  uint8_t contrlHilite;
  int16_t contrlValue;
  int16_t contrlMin;
  int16_t contrlMax;
  Handle contrlDefProc;
  Handle contrlData;
  ProcPtr contrlAction;
  long contrlRfCon;
};
#pragma pack(pop)
#if ZEB_LAYOUT_32
static_assert(offsetof(ControlFields, contrlValue) == 18, "contrlValue");
static_assert(offsetof(ControlFields, contrlAction) == 32, "contrlAction");
#endif

using ActionProc = void(ZEBAPI*)(ControlHandle control, short part);

struct ScrollTracking {
  bool active = false;
  bool finished = false;  // end-of-scroll came; TrackControl still reads the part and clears it
  WindowPtr window = nullptr;
  HWND scrollBar = nullptr;
  int code = 0;
  int thumb = 0;
  ControlHandle control = nullptr;
  ActionProc action = nullptr;
  bool ownInstance = false;  // the action is an instance the glue made and must free
  int calls = 0;
};
ScrollTracking g_scroll;

ControlFields* Fields(ControlHandle control) {
  return control && *control ? reinterpret_cast<ControlFields*>(*control) : nullptr;
}

void EndScrollTracking() {
  if (g_scroll.ownInstance && g_scroll.action) ReleaseCallback(g_scroll.action);
  g_scroll = ScrollTracking{};
}

// End-of-scroll: no more action calls, but the record stays for the TrackControl that the
// posted mouse-down leads to.
void FinishScrollTracking() {
  if (g_scroll.ownInstance && g_scroll.action) ReleaseCallback(g_scroll.action);
  g_scroll.action = nullptr;
  g_scroll.ownInstance = false;
  g_scroll.active = false;
  g_scroll.finished = true;
}

// The Toolbox part a scroll notification stands for.
short PartOfCode(int code) {
  switch (code) {
    case SB_LINEUP: return inUpButton;
    case SB_LINEDOWN: return inDownButton;
    case SB_PAGEUP: case SB_TOP: return inPageUp;
    case SB_PAGEDOWN: case SB_BOTTOM: return inPageDown;
    case SB_THUMBPOSITION: case SB_THUMBTRACK: return kThumbPart;
    default: return 0;
  }
}

// Scroll codes after which Windows would repeat on its own: the Toolbox's tracking repeats.
bool StopsWindowsRepeat(int code) {
  return code == SB_LINEUP || code == SB_LINEDOWN || code == SB_PAGEUP || code == SB_PAGEDOWN ||
         code == SB_TOP || code == SB_BOTTOM;
}

Point LocalMouse(WindowPtr w, HWND hwnd) {
  const Point global = events::LastMouse();
  POINT p = {global.h, global.v};
  ScreenToClient(hwnd, &p);
  return {static_cast<short>(p.y + w->portRect.top), static_cast<short>(p.x + w->portRect.left)};
}

void StartScrollTracking(WindowPtr w, HWND hwnd) {
  const ScrollTracking fresh = g_scroll;
  EndScrollTracking();
  g_scroll.window = fresh.window;
  g_scroll.scrollBar = fresh.scrollBar;
  g_scroll.code = fresh.code;
  g_scroll.thumb = fresh.thumb;
  g_scroll.active = true;
  // The scroll bar that sent the notification names its control; the mouse is the fallback.
  g_scroll.control = dialogs::ControlOfScrollBar(g_scroll.scrollBar);
  if (!g_scroll.control) g_scroll.control = dialogs::FindControlAt(w, LocalMouse(w, hwnd));
  ControlFields* c = Fields(g_scroll.control);
  events::StoreSystemValue(kTrackedControlValue, c ? static_cast<uint32_t>(c->contrlValue) : 0);
  events::Post(mouseDown, 0, nullptr);
  if (StopsWindowsRepeat(g_scroll.code) && g_scroll.scrollBar)
    SendMessageA(g_scroll.scrollBar, WM_CANCELMODE, 0, 0);
  if (c) {
    if (reinterpret_cast<intptr_t>(c->contrlAction) == kUseDefinitionProc) {
      // A standard control holds a kind code there, never an address: only a definition's
      // own tracking can be called.
      g_scroll.action = reinterpret_cast<ActionProc>(dialogs::DefinitionTracking(g_scroll.control));
    } else if (c->contrlAction) {
      const auto raw = reinterpret_cast<ActionProc>(reinterpret_cast<void*>(c->contrlAction));
      g_scroll.action = WrapCallback(raw);
      g_scroll.ownInstance = g_scroll.action != raw;
    }
  }
  g_scroll.calls = -1;
}

void ContinueScrollTracking() {
  ControlFields* c = Fields(g_scroll.control);
  if (!c) return;
  const short part = PartOfCode(g_scroll.code);
  if (part == kThumbPart) {
    int value = g_scroll.thumb;
    if (value < c->contrlMin) value = c->contrlMin;
    if (value > c->contrlMax) value = c->contrlMax;
    dialogs::SetControlValue(g_scroll.control, static_cast<short>(value));
  }
  if (!g_scroll.action) return;
  ++g_scroll.calls;
  g_scroll.action(g_scroll.control, part);
}

LRESULT Scroll(HWND hwnd, WindowPtr w, WPARAM wParam, LPARAM lParam) {
  const int code = LOWORD(wParam);
  if (code == SB_ENDSCROLL) {
    if (g_scroll.active) FinishScrollTracking();
    return 0;
  }
  g_scroll.window = w;
  g_scroll.scrollBar = reinterpret_cast<HWND>(lParam);
  g_scroll.code = code;
  if (code == SB_THUMBPOSITION || code == SB_THUMBTRACK) g_scroll.thumb = static_cast<int16_t>(HIWORD(wParam));
  if (!g_scroll.active)
    StartScrollTracking(w, hwnd);
  else
    ContinueScrollTracking();
  return 0;
}

void RecordUserMove(WindowPtr w) {
  windows::Tracking& t = windows::Tracks();
  if (t.dragged) return;
  t.dragged = w;
  t.frontAtDrag = windows::LibraryFrontWindow();
  events::PostMouseDownReport(inDrag);
}

void RecordUserSize(WindowPtr w) {
  windows::WindowData* d = windows::DataOf(w);
  if (!d) return;
  Boolean iconic = false;
  if (!ZEB_WindDiffSize(w, &iconic)) return;
  const bool reported = (d->rec.stateFlags & zebResizedByUser) != 0;
  d->rec.stateFlags |= zebResizedByUser;
  if (!reported) events::PostMouseDownReport(inGrow);
}

void MoveGripToCorner(WindowPtr w) {
  const windows::WindowData* d = windows::DataOf(w);
  if (!d || !d->grip || !ThreeDLookOn() || !(d->rec.kindFlags & zebHasSizeBox)) return;
  RECT client, grip;
  GetClientRect(d->rec.window, &client);
  GetWindowRect(d->grip, &grip);
  SetWindowPos(d->grip, nullptr, client.right - (grip.right - grip.left),
               client.bottom - (grip.bottom - grip.top), 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace
}  // namespace zeb::frame

namespace zeb::windows {

void ForgetScrollTracking(WindowPtr theWindow) {
  if (theWindow && frame::g_scroll.window == theWindow) frame::EndScrollTracking();
}

}  // namespace zeb::windows

namespace zeb::frame {

ScrollTrackingView CurrentScrollTracking() {
  ScrollTrackingView v;
  v.tracking = g_scroll.active || g_scroll.finished;
  v.active = g_scroll.active;
  v.window = g_scroll.window;
  v.scrollBar = g_scroll.scrollBar;
  v.code = g_scroll.code;
  v.part = PartOfCode(g_scroll.code);
  v.thumb = g_scroll.thumb;
  v.control = g_scroll.control;
  v.actionCalled = g_scroll.calls >= 0;
  return v;
}

void UseScrollTrackingAction(void (ZEBAPI* action)(ControlHandle, short)) {
  if (g_scroll.ownInstance && g_scroll.action) ReleaseCallback(g_scroll.action);
  g_scroll.ownInstance = false;
  g_scroll.action = action;
}

void ResumeScrollTracking() {
  if (!g_scroll.finished || !g_scroll.control) return;
  g_scroll.finished = false;
  g_scroll.active = true;
}

void EndScrollTrackingOf(ControlHandle control) {
  if (!control || g_scroll.control == control) EndScrollTracking();
}

}  // namespace zeb::frame

using namespace zeb;
using namespace zeb::frame;

extern "C" LRESULT ZEBAPI ZEB_WindChange(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  WindowPtr w = windows::FromHwnd(hwnd);
  const bool transient = windows::BeingCreatedOrClosed(hwnd);
  const bool positioning = windows::Published().positioning > 0;
  switch (msg) {
    case WM_ERASEBKGND: {
      if (menus::SuppressingBackgroundClearing() && (!w || w != dialogs::DialogBeingBuilt()))
        return 0;
      const LRESULT result = windows::DefaultProcedure(hwnd, msg, wParam, lParam);
      if (w && !transient) windows::RefreshRegions(w);
      return result;
    }
    case WM_MOVE:
      if (w && !transient) {
        if (!positioning) {
          windows::RefreshRegions(w);
          RecordUserMove(w);
        }
        ZEB_UpdateWindows(2);
      }
      return windows::DefaultProcedure(hwnd, msg, wParam, lParam);
    case WM_SIZE:
      if (w && !transient && w != dialogs::DialogBeingBuilt()) {
        if (!positioning) {
          RecordUserSize(w);
          windows::RefreshRegions(w);
          MoveGripToCorner(w);
        }
        ZEB_UpdateWindows(2);
      }
      return windows::DefaultProcedure(hwnd, msg, wParam, lParam);
    case WM_HSCROLL:
    case WM_VSCROLL:
      if (!w || transient) return windows::DefaultProcedure(hwnd, msg, wParam, lParam);
      return Scroll(hwnd, w, wParam, lParam);
    default:
      return windows::DefaultProcedure(hwnd, msg, wParam, lParam);
  }
}

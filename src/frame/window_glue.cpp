// The window-procedure glue for painting, activation and system commands, and the small calls
// that find windows and device contexts for the application's window procedures.
#include "MacWindows.h"
#include "dialogs/dialogs_internal.h"
#include "events/events_internal.h"
#include "frame/frame_internal.h"
#include "menus/menus_internal.h"
#include "print/print_internal.h"
#include "quickdraw/quickdraw_internal.h"
#include "windows/windows_internal.h"

namespace zeb::frame {
namespace {

// ZEB_SystemValue index 28: a modal window is up.
constexpr int kModalWindowUp = 28;
// WM_NCHITTEST answers for which a mouse activation is a click in the window itself.
constexpr LRESULT kClientHits[] = {HTCLIENT, HTHSCROLL, HTVSCROLL};
// The quit command, reported as a menu selection.
constexpr uint16_t kQuitSelection = 0xFFFF;

bool ModalUp() { return events::StoredSystemValue(kModalWindowUp) != 0; }

bool IsClientHit(LPARAM lParam) {
  const auto hit = static_cast<LRESULT>(static_cast<int16_t>(LOWORD(lParam)));
  for (LRESULT h : kClientHits)
    if (h == hit) return true;
  return false;
}

bool IsFrameOrClient(HWND hwnd) {
  return hwnd && (hwnd == Session().frameWindow || hwnd == Session().mdiClient);
}

void RecordDrag(WindowPtr w, WindowPtr front) {
  windows::Tracking& t = windows::Tracks();
  t.dragged = w;
  t.frontAtDrag = front;
}

LRESULT MouseActivate(HWND hwnd, LPARAM lParam) {
  WindowPtr w = windows::FromHwnd(hwnd);
  if (ModalUp()) {
    WindowPtr modal = dialogs::ModalWindow();
    if (w != modal || !w) return MA_NOACTIVATE;
  }
  HWND parent = GetParent(hwnd);
  if (!IsFrameOrClient(parent)) return MA_ACTIVATE;
  if (!w || IsClientHit(lParam) || !(GetWindowLongA(hwnd, GWL_STYLE) & WS_CHILD)) return MA_ACTIVATE;
  HWND top = GetWindow(parent, GW_CHILD);
  if (top == hwnd) return MA_ACTIVATE;
  WindowPtr front = windows::FromHwnd(top);
  RecordDrag(w, front);
  events::PostMouseDownReport(inDrag);
  windows::MoveActivation(front, w);
  return MA_ACTIVATE;
}

}  // namespace
}  // namespace zeb::frame

using namespace zeb;
using namespace zeb::frame;

extern "C" {

long ZEBAPI ZEB_EventUpdate(HWND hwnd) {
  WindowPtr w = windows::FromHwnd(hwnd);
  WindowPeek p = windows::Listed(w);
  if (!p || windows::BeingCreatedOrClosed(hwnd)) return 0;
  HRGN area = CreateRectRgn(0, 0, 0, 0);
  if (area && GetUpdateRgn(hwnd, area, FALSE) != NULLREGION && p->updateRgn) {
    OffsetRgn(area, w->portRect.left, w->portRect.top);
    RgnHandle local = NewRgn();
    if (local) {
      quickdraw::SetRgnFromGdi(local, area);
      UnionRgn(p->updateRgn, local, p->updateRgn);
      DisposeRgn(local);
    }
  }
  if (area) DeleteObject(area);
  // The Windows update area is taken over: validated by a paint of the library's own.
  ++windows::Published().painting;
  PAINTSTRUCT ps;
  BeginPaint(hwnd, &ps);
  EndPaint(hwnd, &ps);
  --windows::Published().painting;
  if (windows::UpdatingWindow() != w && p->updateRgn && !EmptyRgn(p->updateRgn))
    windows::MarkUpdatePending(w);
  return 1;
}

LRESULT ZEBAPI ZEB_EventActivate(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_MOUSEACTIVATE) return MouseActivate(hwnd, lParam);
  bool active;
  HWND other = nullptr;
  HWND losing = nullptr;
  switch (msg) {
    case WM_ACTIVATE:
      active = LOWORD(wParam) != WA_INACTIVE;
      other = reinterpret_cast<HWND>(lParam);
      break;
    case WM_MDIACTIVATE:
      active = reinterpret_cast<HWND>(lParam) == hwnd;
      losing = reinterpret_cast<HWND>(wParam);
      other = active ? losing : reinterpret_cast<HWND>(lParam);
      break;
    case WM_CHILDACTIVATE: active = true; break;
    default: return 0;
  }
  WindowPtr target;
  if (hwnd == Session().frameWindow) {
    target = windows::LibraryFrontWindow();
    if (target && windows::HwndOf(target) == other) target = nullptr;
  } else if (windows::Published().closing && hwnd == windows::Published().closingHwnd) {
    target = nullptr;
  } else {
    target = windows::FromHwnd(hwnd);
  }
  WindowPeek t = windows::Listed(target);
  if (!t) return 0;
  WindowPtr losingWindow = losing ? windows::FromHwnd(losing) : nullptr;
  WindowPtr previousFront = losingWindow ? losingWindow : windows::LibraryFrontWindow();
  if ((t->hilited != 0) == active && previousFront == target) return 0;
  if (active) {
    windows::MoveActivation(previousFront == target ? nullptr : previousFront, target);
    ZEB_UpdateWindows(2);
  } else {
    events::RecordDeactivate(target);
    HiliteWindow(target, false);
  }
  return 0;
}

long ZEBAPI ZEB_SysCommand(short flag, HWND hwnd, WPARAM cmd) {
  WindowPtr w = windows::FromHwnd(hwnd);
  windows::Tracking& t = windows::Tracks();
  switch (cmd & 0xFFF0) {
    case SC_NEXTWINDOW:
    case SC_PREVWINDOW:
      t.dragged = nullptr;
      t.frontAtDrag = nullptr;
      return 0;
    case SC_CLOSE:
      if (!w) return 0;
      if (flag == 0) {
        t.closeChosen = w;
        events::PostMouseDownReport(inGoAway);
      } else {
        menus::ReportMenuSelection(kQuitSelection);
      }
      return 1;
    case SC_MAXIMIZE:
    case SC_MINIMIZE:
    case SC_RESTORE: {
      const windows::WindowData* d = windows::DataOf(w);
      if (flag != 0 || !d || (d->rec.kindFlags & zebMDIChild)) return 0;
      t.zoomChosen = w;
      short part = inZoomIn;
      if ((cmd & 0xFFF0) == SC_MAXIMIZE && !reinterpret_cast<WindowPeek>(w)->spareFlag)
        part = inZoomOut;
      if (windows::Published().staleRegions) ZEB_UpdateWindows(2);
      events::PostMouseDownReport(part);
      return 1;
    }
    default: return 0;
  }
}

LRESULT ZEBAPI ZEB_MDIMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  HWND client = Session().mdiClient;
  return client ? SendMessageA(client, msg, wParam, lParam) : 0;
}

unsigned long ZEBAPI ZEB_MDIDefaultState(long set, unsigned long value) {
  uint32_t& state = windows::MDIDefaultMaximise();
  if (set) {
    state = static_cast<uint32_t>(value);
    return state;
  }
  if (HWND client = Session().mdiClient) {
    BOOL maximised = FALSE;
    HWND active = reinterpret_cast<HWND>(
        SendMessageA(client, WM_MDIGETACTIVE, 0, reinterpret_cast<LPARAM>(&maximised)));
    if (active) state = (maximised || IsZoomed(active)) ? WS_MAXIMIZE : 0;
  }
  return state;
}

WindowPtr ZEBAPI ZEB_FocusWindow(void) {
  HWND focus = GetFocus();
  for (HWND h = focus; h && !IsFrameOrClient(h); h = GetParent(h))
    if (WindowPtr w = windows::FromHwnd(h)) return w;
  return windows::LibraryFrontWindow();
}

void ZEBAPI ZEB_GetCurHDCs(unsigned long* hdc, unsigned long* printerDC, unsigned short* printing) {
  if (hdc) *hdc = static_cast<unsigned long>(reinterpret_cast<uintptr_t>(ZEB_GetCurrentDC()));
  if (printerDC) *printerDC = static_cast<unsigned long>(reinterpret_cast<uintptr_t>(print::PrinterDC()));
  if (printing) *printing = print::Printing() ? 1 : 0;
}

}  // extern "C"

// The window procedures that subclass the native controls: mouse input of inactive windows
// goes to the Toolbox window, and the native painting is kept out of the application's updates.
#include "Controls.h"
#include "Dialogs.h"
#include "MacWindows.h"
#include "ZEB.h"
#include "dialogs/control_manager.h"
#include "dialogs/dialog_manager.h"
#include "dialogs/dialogs_internal.h"
#include "frame/frame_internal.h"
#include "print/print_internal.h"
#include "quickdraw/offscreen_band.h"
#include "quickdraw/quickdraw_internal.h"
#include "windows/windows_internal.h"

namespace zeb::controls {
namespace {

ZEB_ButtonFocusHookProc g_buttonFocusHook = nullptr;

bool IsButtonMessage(UINT msg) {
  return msg >= WM_LBUTTONDOWN && msg <= WM_MBUTTONDBLCLK;
}

LPARAM ToParent(HWND hwnd, LPARAM lParam) {
  POINT p = {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
  MapWindowPoints(hwnd, GetParent(hwnd), &p, 1);
  return MAKELPARAM(p.x, p.y);
}

// The first click into an inactive window reaches the application as that window's mouse-down,
// which activates it; clicks in the active window go to the native control.
bool RerouteMouse(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (!IsButtonMessage(msg) || frame::SessionFlag(ZEB_SF_CONTROLMOUSE)) return false;
  HWND parent = GetParent(hwnd);
  if (!parent || !IsWindowEnabled(parent)) return false;
  WindowPtr w = windows::FromHwnd(parent);
  WindowPeek peek = reinterpret_cast<WindowPeek>(w);
  if (!w || (peek->visible && peek->hilited)) return false;
  SendMessageA(parent, msg, wParam, ToParent(hwnd, lParam));
  return true;
}

// The native window paints; what it painted is taken out of the Toolbox window's update
// region, so that the application's update does not paint over it.
LRESULT PaintProtected(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  HWND parent = GetParent(hwnd);
  WindowPtr owner = parent ? windows::FromHwnd(parent) : nullptr;
  HRGN native = CreateRectRgn(0, 0, 0, 0);
  const bool have = owner && GetUpdateRgn(hwnd, native, FALSE) != NULLREGION;
  const LRESULT r = ChainToClass(hwnd, msg, wParam, lParam);
  if (have && windows::Listed(owner)) {
    POINT at = {0, 0};
    MapWindowPoints(hwnd, parent, &at, 1);
    OffsetRgn(native, at.x + owner->portRect.left, at.y + owner->portRect.top);
    dialogs::ExcludeLaterItems(owner, hwnd, native);
    RgnHandle rgn = NewRgn();
    quickdraw::SetRgnFromGdi(rgn, native);
    GrafPtr old = nullptr;
    GetPort(&old);
    SetPort(owner);
    ValidRgn(rgn);
    SetPort(old);
    DisposeRgn(rgn);
  }
  DeleteObject(native);
  return r;
}

// While the library draws into an off-screen band or prints, the native windows keep still:
// background erasing is answered and painting only validates.
bool DrawingElsewhere() { return quickdraw::AnyBandActive() || print::Printing(); }

LRESULT Common(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (RerouteMouse(hwnd, msg, wParam, lParam)) return 0;
  if ((msg == WM_PAINT || msg == WM_ERASEBKGND) && DrawingElsewhere()) {
    if (msg == WM_PAINT) ValidateRect(hwnd, nullptr);
    return msg == WM_ERASEBKGND ? 1 : 0;
  }
  if (msg == WM_PAINT || msg == WM_NCPAINT) return PaintProtected(hwnd, msg, wParam, lParam);
  if (msg == WM_NCDESTROY) {
    const LRESULT r = ChainToClass(hwnd, msg, wParam, lParam);
    RemovePropA(hwnd, "ZEB_CtlProc");
    RemovePropA(hwnd, "ZEB_Ctl");
    return r;
  }
  return ChainToClass(hwnd, msg, wParam, lParam);
}

// Mouse messages of an active owner-drawn item become the owner window's Toolbox mouse events.
bool MouseToToolbox(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (!(IsButtonMessage(msg) || msg == WM_MOUSEMOVE)) return false;
  HWND parent = GetParent(hwnd);
  if (!parent) return false;
  ZEB_EventMouse(parent, msg, wParam, ToParent(hwnd, lParam));
  return true;
}

}  // namespace
}  // namespace zeb::controls

using namespace zeb;
using namespace zeb::controls;

extern "C" {

LRESULT ZEBAPI Z_ButtonWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_SETFOCUS) {
    if (g_buttonFocusHook) g_buttonFocusHook(hwnd, static_cast<short>(GetDlgCtrlID(hwnd)));
    dialogs::FocusMovedTo(hwnd);
  } else if (msg == WM_KILLFOCUS) {
    const LRESULT r = Common(hwnd, msg, wParam, lParam);
    dialogs::FocusMovedTo(reinterpret_cast<HWND>(wParam));
    return r;
  }
  return Common(hwnd, msg, wParam, lParam);
}

LRESULT ZEBAPI Z_ScrollBarWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_LBUTTONUP) {
    const frame::ScrollTrackingView view = frame::CurrentScrollTracking();
    if (view.active && view.scrollBar == hwnd) {
      const LRESULT r = Common(hwnd, msg, wParam, lParam);
      SendMessageA(hwnd, WM_CANCELMODE, 0, 0);
      return r;
    }
  }
  return Common(hwnd, msg, wParam, lParam);
}

LRESULT ZEBAPI Z_StaticWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  return ChainToClass(hwnd, msg, wParam, lParam);
}

LRESULT ZEBAPI Z_CDEFWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_ERASEBKGND) return 1;
  ControlHandle c = FromNative(hwnd);
  if (c && (*c)->contrlHilite != kInactive && MouseToToolbox(hwnd, msg, wParam, lParam)) return 0;
  return Common(hwnd, msg, wParam, lParam);
}

LRESULT ZEBAPI Z_UserItemWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_ERASEBKGND) return 1;
  if (msg == BM_SETSTYLE) return 0;
  if (MouseToToolbox(hwnd, msg, wParam, lParam)) return 0;
  if (msg == WM_KEYDOWN || msg == WM_KEYUP || msg == WM_CHAR || msg == WM_SYSKEYDOWN || msg == WM_SYSKEYUP) {
    ZEB_EventKey(GetParent(hwnd), msg, wParam, lParam);
    return 0;
  }
  return Common(hwnd, msg, wParam, lParam);
}

void ZEBAPI ZEB_SetButtonFocusHookProc(ZEB_ButtonFocusHookProc proc) {
  frame::ReleaseCallback(g_buttonFocusHook);
  g_buttonFocusHook = frame::WrapCallback(proc);
}

}  // extern "C"

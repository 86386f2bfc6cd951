// ZEB::Main's window procedures: every Windows message that concerns Toolbox state goes to the
// library's glue, which keeps windows, events and menus in step and says what to return;
// everything else gets the default procedure.
#include <windows.h>

#include "Dialogs.h"
#include "MacWindows.h"
#include "Menus.h"
#include "ZEB.h"
#include "main_internal.h"

namespace zeb::main {
namespace {

bool IsKey(UINT m) { return m >= WM_KEYDOWN && m <= WM_SYSDEADCHAR; }

// Client mouse messages, the cursor and hit-test queries, and the non-client clicks the input
// glue turns into mouse-down reports.
bool IsMouse(UINT m) {
  if (m >= WM_MOUSEMOVE && m <= WM_MBUTTONDBLCLK) return true;
  switch (m) {
    case WM_SETCURSOR: case WM_NCHITTEST: case WM_NCLBUTTONDOWN: case WM_NCLBUTTONUP:
    case WM_NCLBUTTONDBLCLK: case WM_NCRBUTTONDOWN: case WM_NCRBUTTONUP: case WM_NCRBUTTONDBLCLK:
      return true;
    default:
      return false;
  }
}

LRESULT FrameDefault(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  return MDIClient() ? DefFrameProcA(hwnd, MDIClient(), message, wParam, lParam)
                     : DefWindowProcA(hwnd, message, wParam, lParam);
}

// What a Toolbox window of either class does with a message; `fallback` is its class's default.
LRESULT ToolboxMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam,
                       LRESULT(WINAPI* fallback)(HWND, UINT, WPARAM, LPARAM)) {
  switch (message) {
    case WM_PAINT:
      if (ZEB_EventUpdate(hwnd)) return 0;
      break;
    case WM_MOUSEACTIVATE:
      return ZEB_EventActivate(hwnd, message, wParam, lParam);
    case WM_ACTIVATE: case WM_MDIACTIVATE: case WM_CHILDACTIVATE:
      ZEB_EventActivate(hwnd, message, wParam, lParam);
      break;
    case WM_SYSCOMMAND:
      if (ZEB_SysCommand(0, hwnd, wParam)) return 0;
      break;
    case WM_GETMINMAXINFO:
      ZEB_GetMinMaxInfo(hwnd, reinterpret_cast<MINMAXINFO*>(lParam));
      return 0;
    case WM_NCCALCSIZE: case WM_NCPAINT: case WM_NCACTIVATE:
      return ZEB_NCMessage(hwnd, message, wParam, lParam);
    case WM_ERASEBKGND: case WM_MOVE: case WM_SIZE: case WM_HSCROLL: case WM_VSCROLL:
      return ZEB_WindChange(hwnd, message, wParam, lParam);
    case WM_COMMAND:
      ZEB_EventCommand(hwnd, message, wParam, lParam);
      return 0;
    case WM_DRAWITEM: case WM_MEASUREITEM:
      // The library's owner-drawn dialog items (user items, list boxes, pop-ups).
      if (ZEB_UserItem(hwnd, message, wParam, lParam)) return TRUE;
      break;
    default:
      if (IsMouse(message)) return ZEB_EventMouse(hwnd, message, wParam, lParam);
      if (IsKey(message) && ZEB_EventKey(hwnd, message, wParam, lParam)) return 0;
      break;
  }
  return fallback(hwnd, message, wParam, lParam);
}

}  // namespace

LRESULT CALLBACK FrameWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case kExitToShellMessage:
      // ExitToShell: the application is done; the session ends and so does the process.
      LeaveApplication(0);
    case WM_ACTIVATEAPP:
      ZEB_ActivateApp(static_cast<BOOL>(wParam));
      break;
    case WM_SYSCOMMAND:
      if (ZEB_SysCommand(1, hwnd, wParam)) return 0;
      break;
    case WM_CLOSE:
      // Closing the frame is the application's Quit: the event loop reports the quit as a menu
      // command, and the application saves what it must and leaves through ExitToShell or by
      // returning from main(). The frame stays until then.
      PostQuitMessage(0);
      return 0;
    case WM_NCPAINT: case WM_NCACTIVATE: case WM_NCLBUTTONDOWN:
      // The frame's caption shows the notification icon; the glue runs the default itself.
      return ZEB_NCMessage(hwnd, message, wParam, lParam);
    case WM_INITMENUPOPUP:
      ZEB_InitMenuMsg(reinterpret_cast<HMENU>(wParam));
      return 0;
    case WM_COMMAND:
      // A command of the menu bar: the Menu Manager reports it as the menu selection.
      if (HIWORD(wParam) == 0 && lParam == 0) {
        ZEB_EventMenuSel(LOWORD(wParam));
        return 0;
      }
      break;
    case WM_MENUSELECT:
      return ZEB_MenuSelect(hwnd, message, wParam, lParam);
    case WM_ENTERIDLE:
      return ZEB_EnterIdle(hwnd, message, wParam, lParam);
    case WM_MEASUREITEM: case WM_DRAWITEM:
      // Owner-drawn menu items: styled text, icons, custom menus.
      if (ZEB_MenuUserItem(hwnd, message, wParam, lParam)) return TRUE;
      break;
    case WM_DRAWCLIPBOARD:
      // Another program changed the clipboard: the scrap count follows, and the message goes on
      // down the clipboard-viewer chain.
      ZEB_DrawClipboard();
      return 0;
    case WM_CHANGECBCHAIN:
      return ZEB_ChangeClipboardChain(reinterpret_cast<HWND>(wParam), reinterpret_cast<HWND>(lParam));
    case WM_WININICHANGE:
      ZEB_WinIniChange(reinterpret_cast<const char*>(lParam));
      break;
    case WM_ENDSESSION:
      ZEB_EndSession(static_cast<unsigned long>(wParam));
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    default:
      if (IsKey(message) && ZEB_EventKey(hwnd, message, wParam, lParam)) return 0;
      // A click on the frame's own client area is a click on the desktop.
      if (message >= WM_MOUSEMOVE && message <= WM_MBUTTONDBLCLK)
        return ZEB_EventMouse(hwnd, message, wParam, lParam);
      break;
  }
  return FrameDefault(hwnd, message, wParam, lParam);
}

LRESULT CALLBACK ToolboxWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  return ToolboxMessage(hwnd, message, wParam, lParam, DefWindowProcA);
}

LRESULT CALLBACK MDIChildWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  return ToolboxMessage(hwnd, message, wParam, lParam, DefMDIChildProcA);
}

}  // namespace zeb::main

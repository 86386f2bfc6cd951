// What ZEB::Main's start-up and window procedures share.
#ifndef ZEB_KIT_MAIN_INTERNAL_H
#define ZEB_KIT_MAIN_INTERNAL_H

#include <windows.h>

#include "ZEB.h"

namespace zeb::main {

// The window classes ZEB::Main registers; the session record names them to the library.
inline constexpr const char* kFrameClass = "ZEBMainWndClass";
inline constexpr const char* kChildClass = "ZEBSubWndClass";
inline constexpr const char* kMDIChildClass = "ZEBSubMDIWndClass";
// The first command identifier the MDI client gives its children's window-menu entries: above
// every menu command the Menu Manager encodes.
inline constexpr UINT kFirstMDIChild = 0xFF00;
// ExitToShell calls the frame's procedure with this private message (the first user message
// plus 1) so that the application ends.
inline constexpr UINT kExitToShellMessage = ZEB_WM_EXITTOSHELL;

HWND Frame();
HWND MDIClient();

// Ends the library's session (once) and the process.
void EndSession();
[[noreturn]] void LeaveApplication(int status);

LRESULT CALLBACK FrameWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK ToolboxWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK MDIChildWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace zeb::main

#endif  // ZEB_KIT_MAIN_INTERNAL_H

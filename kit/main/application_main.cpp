// The start-up of an application that brings no Windows code: the C runtime's call of main()
// arrives here (the linker's --wrap=main, set by zeb_add_application), the Windows side and the
// library are set up, and then the application's own main() runs.
#include <windows.h>

#include <cstdlib>
#include <cstring>

#include "MacWindows.h"
#include "Quickdraw.h"
#include "Resources.h"
#include "ZEB.h"
#include "ZEBMain.h"
#include "main_internal.h"

// The application's QuickDraw globals (default_qd.cpp when it declares none).
extern QDGlobals qd;

extern "C" {
// The application's main(), reached under its own name through --wrap.
int __real_main(int argc, char** argv, char** envp);
int __wrap_main(int argc, char** argv, char** envp);
// The application's settings (ZEBMain.h), or the defaults of default_settings.cpp.
extern const unsigned long zebMainSessionFlags;
extern const char* const zebMainFrameTitle;
}

namespace zeb::main {
namespace {

HWND g_frame = nullptr;
HWND g_mdiClient = nullptr;
// The application's Toolbox globals other than QuickDraw's.
ZEB_SystemGlobals g_globals;
bool g_ended = false;

// The program's file name without folder and extension: the frame's title by default.
void ProgramName(char* name, size_t size) {
  char path[MAX_PATH];
  const DWORD length = GetModuleFileNameA(nullptr, path, sizeof path);
  path[length < sizeof path ? length : sizeof path - 1] = '\0';
  const char* start = path;
  for (const char* p = path; *p; ++p)
    if (*p == '\\' || *p == '/' || *p == ':') start = p + 1;
  lstrcpynA(name, start, static_cast<int>(size));
  if (char* dot = std::strrchr(name, '.')) *dot = '\0';
}

bool RegisterClasses(HINSTANCE instance) {
  WNDCLASSA wc{};
  wc.hInstance = instance;
  wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  wc.hIcon = LoadIconA(nullptr, IDI_APPLICATION);

  wc.lpfnWndProc = FrameWindowProc;
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_APPWORKSPACE + 1);
  wc.lpszClassName = kFrameClass;
  if (!RegisterClassA(&wc)) return false;

  // Toolbox windows keep their record in the window's extra bytes.
  wc.cbWndExtra = zebExtraBytes;
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  wc.lpfnWndProc = ToolboxWindowProc;
  wc.lpszClassName = kChildClass;
  if (!RegisterClassA(&wc)) return false;
  wc.lpfnWndProc = MDIChildWindowProc;
  wc.lpszClassName = kMDIChildClass;
  return RegisterClassA(&wc) != 0;
}

// The documents named on the command line, as the comma-separated list the session record
// takes: one argument per document, so that a quoted path with blanks stays one name.
const char* CommandLineDocuments(int argc, char** argv) {
  static char list[4096];
  size_t used = 0;
  list[0] = '\0';
  for (int i = 1; i < argc && argv[i]; ++i) {
    const size_t length = std::strlen(argv[i]);
    if (used + length + 2 > sizeof list) break;
    if (used) list[used++] = ',';
    std::memcpy(list + used, argv[i], length);
    used += length;
    list[used] = '\0';
  }
  return list;
}

}  // namespace

HWND Frame() { return g_frame; }
HWND MDIClient() { return g_mdiClient; }

// Started once: the library's session is ended exactly once, whether main() returns or the
// application leaves through ExitToShell.
void EndSession() {
  if (g_ended) return;
  g_ended = true;
  ZEB_ExitSession();
}

[[noreturn]] void LeaveApplication(int status) {
  EndSession();
  std::exit(status);
}

int Run(int argc, char** argv, char** envp) {
  HINSTANCE instance = GetModuleHandleA(nullptr);
  if (!RegisterClasses(instance)) return 1;

  char title[MAX_PATH];
  if (zebMainFrameTitle)
    lstrcpynA(title, zebMainFrameTitle, sizeof title);
  else
    ProgramName(title, sizeof title);
  g_frame = CreateWindowExA(0, kFrameClass, title, WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN,
                            CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr,
                            nullptr, instance, nullptr);
  if (!g_frame) return 1;
  if (zebMainSessionFlags & ZEB_SF_MDI) {
    CLIENTCREATESTRUCT client{};
    client.idFirstChild = kFirstMDIChild;
    RECT r;
    GetClientRect(g_frame, &r);
    g_mdiClient = CreateWindowExA(0, "MDICLIENT", nullptr,
                                  WS_CHILD | WS_CLIPCHILDREN | WS_VSCROLL | WS_HSCROLL | WS_VISIBLE,
                                  0, 0, r.right, r.bottom, g_frame, nullptr, instance, &client);
  }

  ZEB_SessionRec session{};
  session.size = kZEBSessionRecSize;
  session.instance = instance;
  session.frameWindow = g_frame;
  session.mdiClient = g_mdiClient;
  session.flags = zebMainSessionFlags;
  session.documentList = CommandLineDocuments(argc, argv);
  session.mainClassName = kFrameClass;
  session.childClassName = kChildClass;
  session.mdiChildClassName = kMDIChildClass;
  ZEB_InitSession(&session);

  ZEB_GlobalsRec globals;
  ZEB_FillGlobalsRec(&globals, &qd, &g_globals);
  ZEB_InitGlobals(&globals);
  // On a Macintosh the system has opened the resource files before the application starts:
  // the library's ZEBPORT.RSR and the application's own file beside the program.
  InitResources();

  ShowWindow(g_frame, SW_SHOWNORMAL);
  UpdateWindow(g_frame);

  const int status = __real_main(argc, argv, envp);
  if (g_frame && IsWindow(g_frame)) DestroyWindow(g_frame);
  EndSession();
  return status;
}

}  // namespace zeb::main

extern "C" HWND ZEB_MainFrameWindow(void) { return zeb::main::Frame(); }

extern "C" int __wrap_main(int argc, char** argv, char** envp) {
  return zeb::main::Run(argc, argv, envp);
}

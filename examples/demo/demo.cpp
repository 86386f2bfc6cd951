// The ZEB32 demo: a Toolbox application on Windows. It keeps its own WinMain, frame window and
// window procedure, starts the library, and shows what start-up and the Memory Manager report.
//
//   demo.exe [/autoclose <milliseconds>] [/ready <file>]
// /ready writes the window's screen geometry ("WxH+X+Y") to <file> once the window has painted.
// The text showcase has a window of its own: once <file>.next exists the demo shows it in the
// main window's place and writes its geometry to <file>.text when it has painted. Once
// <file>.third exists the main window comes back with the Dialog Manager's page in front and
// its geometry goes to <file>.dialogs; <file>.done closes the demo.
#include <windows.h>

#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "Dialogs.h"
#include "Menus.h"
#include "MacMemory.h"
#include "OSUtils.h"
#include "Quickdraw.h"
#include "Scrap.h"
#include "ZEB.h"
#include "demo.h"

// The application's QuickDraw globals, as a Macintosh program declares them; InitGraf takes
// &qd.thePort.
QDGlobals qd;

namespace {

// The application's other Toolbox globals.
ZEB_SystemGlobals g;

struct Line {
  std::string text;
  bool heading;
};
std::vector<Line> g_lines;
std::string g_readyFile;
HWND g_frame = nullptr, g_textWindow = nullptr;
bool g_reported[2] = {false, false};  // the main window, the text window
constexpr UINT kWriteReady = WM_APP + 1;
constexpr UINT_PTR kAutoCloseTimer = 1, kPollTimer = 2, kScriptTimer = 3, kDialogsTimer = 4;
// The dialog page's native windows paint within this; the runner's photograph waits for it.
constexpr UINT kDialogsSettle = 1500;
bool g_running = true;
// The runner's screenshot waits for the input script and the updates it causes.
int g_settleRounds = -1;
bool g_scripted = false;

const char* Flags(unsigned long flags) {
  static char text[128];
  text[0] = '\0';
  if (flags & ZEB_SF_3DLOOK) strcat(text, "3D look ");
  if (flags & ZEB_SF_SMALLBLOCKS) strcat(text, "small blocks ");
  if (flags & ZEB_SF_HEAPCHECK) strcat(text, "heap check ");
  return text;
}

void StartToolbox(HINSTANCE instance, HWND frame, const std::string& documents) {
  ZEB_SessionRec session{};
  session.size = kZEBSessionRecSize;
  session.instance = instance;
  session.frameWindow = frame;
  session.flags = ZEB_SF_SMALLBLOCKS;
  session.documentList = documents.c_str();
  session.scrapCallback = reinterpret_cast<FARPROC>(reinterpret_cast<void*>(&DemoScrapProc));
  ZEB_InitSession(&session);
  // The file types of the documents and of Standard File's filters, before the document list
  // is read.
  ZEB_Set_MacWin(DemoFileTypes(), nullptr);

  ZEB_GlobalsRec globals;
  ZEB_FillGlobalsRec(&globals, &qd, &g);
  const short result = ZEB_InitGlobals(&globals);

  Heading("Start-up");
  Say("ZEB_InitSession: started = %ld, flags written back = 0x%06lX (%s)", session.started,
      session.flags, Flags(session.flags));
  Say("class names: frame \"%s\", child \"%s\", MDI child \"%s\"; resources \"%s\"",
      session.mainClassName, session.childClassName, session.mdiChildClassName,
      session.resourceFileName);
  Say("ZEB_InitGlobals = %d; MBarHeight %d, SysEvtMask 0x%04X, HiliteMode 0x%02X", result,
      g.mBarHeight, static_cast<unsigned short>(g.sysEvtMask), g.hiliteMode);
  Say("Ticks %lu, DoubleTime %ld ticks, CaretTime %ld ticks, HiliteRGB %04X %04X %04X", g.ticks,
      g.doubleTime, g.caretTime, g.hiliteRGB.red, g.hiliteRGB.green, g.hiliteRGB.blue);
  Say("scrap: count %d, name \"%.*s\"; TheZone = ApplicationZone(): %s, moreMast %d",
      g.scrapInfo.scrapCount, g.scrapInfo.scrapName[0], g.scrapInfo.scrapName + 1,
      g.theZone == ApplicationZone() ? "yes" : "no", g.theZone->moreMast);
}

void ExerciseMemory() {
  Heading("Memory Manager");
  Handle empty = NewHandle(0);
  Say("NewHandle(0): master pointer 0x%04lX, size %ld, HGetState 0x%02X", 
      static_cast<unsigned long>(reinterpret_cast<uintptr_t>(*empty)), GetHandleSize(empty),
      static_cast<unsigned char>(HGetState(empty)));
  std::vector<Handle> small;
  for (int i = 0; i < 1000; ++i) small.push_back(NewHandle(8 + i % 200));
  unsigned long held = 0;
  ZEB_ComputeMemorySize(nullptr, nullptr, nullptr, nullptr, &held);
  Say("1000 small handles (8-207 bytes) from the small-block arenas: %lu bytes held in host blocks",
      held);
  Handle grow = NewHandle(100);
  std::memcpy(*grow, "Data that survives every resize.", 33);
  const Boolean grown = SetHandleSize(grow, 100000);
  const OSErr growErr = MemError();
  Say("SetHandleSize 100 -> 100000: %s, MemError %d, text kept: \"%s\"", grown ? "ok" : "failed",
      growErr, *grow);
  HPurge(grow);
  Say("HPurge: HGetState 0x%02X (locked + purgeable)", static_cast<unsigned char>(HGetState(grow)));
  // A ceiling 800000 bytes above what is held now: 850000 more bytes fit only after purging.
  ZEB_ComputeMemorySize(nullptr, nullptr, nullptr, nullptr, &held);
  const long ceiling = static_cast<long>(held) + 800000;
  ZEB_SetMemoryLimits(1, ceiling, 65536, 0);
  Handle big = NewHandle(850000);
  Say("with a ceiling of %ld bytes, NewHandle(850000) = %s; the purgeable handle %s", ceiling,
      big ? "ok" : "NIL", *grow == nullptr ? "was purged to make room" : "kept its storage");
  Handle tooBig = NewHandle(900000);
  const OSErr fullErr = MemError();
  Say("a further NewHandle(900000) = %s, MemError %d (memFullErr); FreeMem %ld",
      tooBig ? "ok" : "NIL", fullErr, FreeMem());
  ZEB_SetMemoryLimits(0, 0, 0, 0);
  const Boolean negative = SetHandleSize(empty, -1);
  const OSErr negativeErr = MemError();
  const Size nilSize = GetHandleSize(nullptr);
  const OSErr nilErr = MemError();
  Say("SetHandleSize(h, -1) = %d, MemError %d; GetHandleSize(NIL) = %ld, MemError %d", negative,
      negativeErr, nilSize, nilErr);
  Handle copy = big;
  const OSErr copyErr = HandToHand(&copy);
  Say("HandToHand of the 850000-byte handle without a ceiling: %d, copy size %ld", copyErr,
      GetHandleSize(copy));
  Say("FreeMem %ld, MaxMem 0x%08lX, StackSpace %ld, small-block limit %lu bytes", FreeMem(),
      MaxMem(nullptr), StackSpace(), ZEB_SystemValue(ZEB_SV_GET, 15, 0));
  for (Handle h : small) DisposeHandle(h);
  DisposeHandle(empty);
  DisposeHandle(grow);
  DisposeHandle(big);
  DisposeHandle(copy);
  ZEB_ComputeMemorySize(nullptr, nullptr, nullptr, nullptr, &held);
  Say("after disposing of them all: %lu bytes held (the master-pointer blocks)", held);
}

// The text's metrics: a heading takes kHeadingStep (after a kSectionGap above every heading but
// the first), a line kLineStep.
constexpr int kTextTop = 6;
constexpr int kSectionGap = 4;
constexpr int kHeadingStep = 18;
constexpr int kLineStep = 14;

int NextLineTop(int y, bool heading) {
  return (heading && y > kTextTop ? y + kSectionGap : y);
}

void Paint(HWND hwnd) {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(hwnd, &ps);
  RECT client;
  GetClientRect(hwnd, &client);
  FillRect(dc, &client, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  HFONT body = CreateFontA(-12, 0, 0, 0, FW_NORMAL, 0, 0, 0, ANSI_CHARSET, 0, 0, 0, 0, "Tahoma");
  HFONT bold = CreateFontA(-13, 0, 0, 0, FW_BOLD, 0, 0, 0, ANSI_CHARSET, 0, 0, 0, 0, "Tahoma");
  SetBkMode(dc, TRANSPARENT);
  int y = kTextTop;
  for (const Line& line : g_lines) {
    SelectObject(dc, line.heading ? bold : body);
    SetTextColor(dc, line.heading ? RGB(0, 64, 128) : RGB(0, 0, 0));
    y = NextLineTop(y, line.heading);
    TextOutA(dc, line.heading ? 10 : 24, y, line.text.c_str(), static_cast<int>(line.text.size()));
    y += line.heading ? kHeadingStep : kLineStep;
  }
  SelectObject(dc, GetStockObject(SYSTEM_FONT));
  DeleteObject(body);
  DeleteObject(bold);
  EndPaint(hwnd, &ps);
  NotifyPainted(hwnd);
}

bool Exists(const std::string& file) {
  return GetFileAttributesA(file.c_str()) != INVALID_FILE_ATTRIBUTES;
}

void WriteGeometry(HWND hwnd, const std::string& file) {
  RECT r;
  GetWindowRect(hwnd, &r);
  if (FILE* f = fopen(file.c_str(), "w")) {
    fprintf(f, "%ldx%ld+%ld+%ld\n", r.right - r.left, r.bottom - r.top, r.left, r.top);
    fclose(f);
  }
}

void WriteReady(int which) {
  if (g_reported[which]) return;
  // Paints before the script's input is in (the first ones are posted while the windows are
  // made) would let the runner photograph the log before the clicks and keys reach it.
  if (which == 0 && g_scripted && g_settleRounds != 0) return;
  g_reported[which] = true;
  if (g_readyFile.empty()) return;
  RECT r;
  GetWindowRect(which ? g_textWindow : g_frame, &r);
  const std::string file = which ? g_readyFile + ".text" : g_readyFile;
  if (FILE* f = fopen(file.c_str(), "w")) {
    fprintf(f, "%ldx%ld+%ld+%ld\n", r.right - r.left, r.bottom - r.top, r.left, r.top);
    fclose(f);
  }
}

// The runner's requests: the text window in the main window's place, then the end.
void Poll() {
  if (Exists(g_readyFile + ".next")) {
    DeleteFileA((g_readyFile + ".next").c_str());
    RECT r;
    GetWindowRect(g_frame, &r);
    ShowWindow(g_frame, SW_HIDE);
    SetWindowPos(g_textWindow, HWND_TOP, r.left, r.top, 0, 0, SWP_NOSIZE | SWP_SHOWWINDOW);
    UpdateWindow(g_textWindow);
  }
  if (Exists(g_readyFile + ".third")) {
    DeleteFileA((g_readyFile + ".third").c_str());
    ShowWindow(g_textWindow, SW_HIDE);
    ShowWindow(g_frame, SW_SHOWNORMAL);
    ShowDialogShowcase(g_frame);
    UpdateWindow(g_frame);
    SetTimer(g_frame, kDialogsTimer, kDialogsSettle, nullptr);
  }
  if (Exists(g_readyFile + ".done")) {
    DeleteFileA((g_readyFile + ".done").c_str());
    DestroyWindow(g_frame);
  }
}

LRESULT CALLBACK FrameProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT:
      Paint(hwnd);
      return 0;
    case kWriteReady:
      WriteReady(static_cast<int>(wParam));
      return 0;
    case WM_TIMER:
      if (wParam == kPollTimer) {
        Poll();
      } else if (wParam == kDialogsTimer) {
        KillTimer(hwnd, kDialogsTimer);
        WriteGeometry(g_frame, g_readyFile + ".dialogs");
      } else if (wParam == kScriptTimer) {
        RunInputScript();
        if (InputScriptDone()) {
          KillTimer(hwnd, kScriptTimer);
          g_settleRounds = 3;
        }
      } else {
        DestroyWindow(hwnd);
      }
      return 0;
    case WM_DESTROY:
      if (g_textWindow) DestroyWindow(g_textWindow);
      g_running = false;
      PostQuitMessage(0);
      return 0;
    case WM_ACTIVATEAPP:
      ZEB_ActivateApp(static_cast<BOOL>(wParam));
      return DefWindowProcA(hwnd, message, wParam, lParam);
    case WM_KEYDOWN: case WM_KEYUP: case WM_CHAR: case WM_DEADCHAR:
    case WM_SYSKEYDOWN: case WM_SYSKEYUP: case WM_SYSCHAR: case WM_SYSDEADCHAR:
      if (ZEB_EventKey(hwnd, message, wParam, lParam)) return 0;
      return DefWindowProcA(hwnd, message, wParam, lParam);
    // The Toolbox menu bar: popups are rebuilt as they drop down, choices become menu-bar
    // mouse-downs, owner-drawn items are the library's.
    case WM_INITMENUPOPUP:
      ZEB_InitMenuMsg(reinterpret_cast<HMENU>(wParam));
      return 0;
    case WM_COMMAND:
      if (HIWORD(wParam) == 0 && lParam == 0) {
        ZEB_EventMenuSel(LOWORD(wParam));
        return 0;
      }
      return DefWindowProcA(hwnd, message, wParam, lParam);
    case WM_MENUSELECT:
      return ZEB_MenuSelect(hwnd, message, wParam, lParam);
    case WM_ENTERIDLE:
      return ZEB_EnterIdle(hwnd, message, wParam, lParam);
    case WM_MEASUREITEM:
    case WM_DRAWITEM:
      if (ZEB_MenuUserItem(hwnd, message, wParam, lParam)) return TRUE;
      return DefWindowProcA(hwnd, message, wParam, lParam);
    case WM_DRAWCLIPBOARD:
      ZEB_DrawClipboard();
      return 0;
    case WM_CHANGECBCHAIN:
      return ZEB_ChangeClipboardChain(reinterpret_cast<HWND>(wParam), reinterpret_cast<HWND>(lParam));
    case ZEB_WM_HEAPDAMAGED:
      MessageBeep(MB_ICONHAND);
      return 0;
    case WM_NCPAINT:
    case WM_NCACTIVATE:
    case WM_NCLBUTTONDOWN:
      // The frame's caption shows the notification icon.
      return ZEB_NCMessage(hwnd, message, wParam, lParam);
    default:
      return DefWindowProcA(hwnd, message, wParam, lParam);
  }
}

}  // namespace

void Heading(const char* text) { g_lines.push_back({text, true}); }

int TextBottom() {
  int y = kTextTop;
  for (const auto& line : g_lines)
    y = NextLineTop(y, line.heading) + (line.heading ? kHeadingStep : kLineStep);
  return y;
}

void Say(const char* format, ...) {
  char buffer[256];
  va_list args;
  va_start(args, format);
  vsnprintf(buffer, sizeof buffer, format, args);
  va_end(args);
  g_lines.push_back({buffer, false});
}

namespace {

struct DemoWindow {
  WindowPtr window;
  PanePainter paint;
};
std::vector<DemoWindow> g_windows;

// The Toolbox windows' class procedure, as a ported application writes it: every message that
// concerns Toolbox state goes to the library's glue.
LRESULT CALLBACK ToolboxWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT:
      if (ZEB_EventUpdate(hwnd)) return 0;
      break;
    case WM_ACTIVATE:
    case WM_CHILDACTIVATE:
      ZEB_EventActivate(hwnd, message, wParam, lParam);
      break;
    case WM_MOUSEACTIVATE:
      return ZEB_EventActivate(hwnd, message, wParam, lParam);
    case WM_SYSCOMMAND:
      if (ZEB_SysCommand(0, hwnd, wParam)) return 0;
      break;
    case WM_GETMINMAXINFO:
      ZEB_GetMinMaxInfo(hwnd, reinterpret_cast<MINMAXINFO*>(lParam));
      return 0;
    case WM_NCCALCSIZE:
    case WM_NCPAINT:
    case WM_NCACTIVATE:
      return ZEB_NCMessage(hwnd, message, wParam, lParam);
    case WM_NCLBUTTONDOWN: case WM_NCLBUTTONUP: case WM_NCLBUTTONDBLCLK: case WM_NCHITTEST:
    case WM_SETCURSOR: case WM_MOUSEMOVE: case WM_LBUTTONDOWN: case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK: case WM_RBUTTONDOWN: case WM_RBUTTONUP:
      return ZEB_EventMouse(hwnd, message, wParam, lParam);
    case WM_KEYDOWN: case WM_KEYUP: case WM_CHAR: case WM_DEADCHAR:
    case WM_SYSKEYDOWN: case WM_SYSKEYUP: case WM_SYSCHAR: case WM_SYSDEADCHAR:
      if (ZEB_EventKey(hwnd, message, wParam, lParam)) return 0;
      break;
    case WM_DRAWITEM:
    case WM_MEASUREITEM:
      // Owner-drawn dialog items: user items, icons, pictures, pop-ups and combo boxes.
      if (ZEB_UserItem(hwnd, message, wParam, lParam)) return TRUE;
      break;
    case WM_COMMAND:
      ZEB_EventCommand(hwnd, message, wParam, lParam);
      return 0;
    case WM_ERASEBKGND:
    case WM_MOVE:
    case WM_SIZE:
    case WM_HSCROLL:
    case WM_VSCROLL:
      return ZEB_WindChange(hwnd, message, wParam, lParam);
    default:
      break;
  }
  return DefWindowProcA(hwnd, message, wParam, lParam);
}

}  // namespace

// An update event: the window is drawn inside BeginUpdate and EndUpdate, clipped to what needs
// drawing.
void DrawWindowContent(WindowPtr w) {
  BeginUpdate(w);
  for (const DemoWindow& d : g_windows) {
    if (d.window != w) continue;
    GrafPtr saved;
    GetPort(&saved);
    SetPort(w);
    EraseRect(&w->portRect);
    RECT client;
    GetClientRect(ZEB_GethWnd(w), &client);
    if (d.paint) d.paint(ZEB_GetCurrentDC(), client);
    SetPort(saved);
  }
  EndUpdate(w);
}

WindowPtr AddToolboxWindow(const unsigned char* title, short procID, PanePainter paint, int x,
                           int y, int width, int height, bool goAway) {
  const Rect bounds = {static_cast<short>(y), static_cast<short>(x), static_cast<short>(y + height),
                       static_cast<short>(x + width)};
  WindowPtr w = NewCWindow(nullptr, &bounds, title, true, procID, reinterpret_cast<WindowPtr>(-1),
                           goAway, 0);
  if (w) g_windows.push_back({w, paint});
  return w;
}

void Label(HDC dc, int x, int y, const char* text) { TextOutA(dc, x, y, text, lstrlenA(text)); }

void NotifyPainted(HWND hwnd) {
  const int which = hwnd == g_textWindow ? 1 : 0;
  // Under the runner's script the main window is reported once the script's events are in.
  if (which == 0 && g_scripted && g_settleRounds != 0) return;
  if (!g_reported[which] && g_frame) PostMessageA(g_frame, kWriteReady, which, 0);
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show) {
  UINT autoclose = 0;
  // Every other argument names a document, or is "/p" (print them): the document list.
  std::string documents;
  for (int i = 1; i < __argc; ++i) {
    if (!strcmp(__argv[i], "/autoclose") && i + 1 < __argc) {
      autoclose = atoi(__argv[++i]);
    } else if (!strcmp(__argv[i], "/ready") && i + 1 < __argc) {
      g_readyFile = __argv[++i];
    } else {
      if (!documents.empty()) documents += ',';
      documents += std::string("\"") + __argv[i] + "\"";
    }
  }
  // Known before the first window paints, so that no early paint reports the main window.
  g_scripted = autoclose && !g_readyFile.empty();

  WNDCLASSA wc{};
  wc.lpfnWndProc = FrameProc;
  wc.hInstance = instance;
  wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  wc.hIcon = LoadIconA(nullptr, IDI_APPLICATION);
  wc.lpszClassName = "ZEBMainWndClass";
  RegisterClassA(&wc);
  wc.lpfnWndProc = ToolboxWindowProc;
  wc.cbWndExtra = zebExtraBytes;  // the Toolbox window layout needs 32 bytes of window data
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  wc.lpszClassName = "ZEBSubWndClass";
  RegisterClassA(&wc);

  // Room at the left of the title for the notification icon.
  HWND frame = CreateWindowA("ZEBMainWndClass", "        ZEB32 Demo",
                             WS_OVERLAPPEDWINDOW, 0, 0, 820, 740, nullptr, nullptr, instance,
                             nullptr);
  g_frame = frame;
  StartToolbox(instance, frame, documents);
  ExerciseMemory();
  ShowFileManager();
  PrintShapesWhenAsked();
  ShowResourceManager();
  ShowUtilities();
  ShowScrap();
  ShowTextEdit();
  ShowQuickDrawShowcase(frame);
  WindowPtr shapes = ShowShapesShowcase(frame);
  ShowMenuBar(frame);
  g_textWindow = CreateTextShowcase(instance);

  ShowWindow(frame, show == SW_HIDE ? SW_SHOWNORMAL : show);
  UpdateWindow(frame);
  WindowPtr backWindow = g_windows.empty() ? nullptr : g_windows.front().window;
  ShowWindowsShowcase(frame, shapes);
  // At the top right, above the shapes window.
  ShowListsShowcase(700, 28);
  // Left of the lists, over the top of the frame's text.
  ShowColourShowcase(360, 28);
  // Below the shapes window.
  ShowPicturesShowcase(696, 470);
  // Over the last lines of the text, left of the panes: clear of the QuickDraw pane below it.
  CreateEventLog(10, TextBottom() - 160);
  // At the right, below the Window Manager's answers and above the QuickDraw pane.
  ShowTextEditWindow(700, 584);
  if (shapes) SelectWindow(shapes);
  if (g_readyFile.empty()) {
    // Run by hand: the text window stands beside the main one.
    SetWindowPos(g_textWindow, HWND_TOP, 60, 40, 0, 0, SWP_NOSIZE | SWP_SHOWWINDOW);
  } else {
    SetTimer(frame, kPollTimer, 100, nullptr);
  }
  if (autoclose) {
    SetTimer(frame, kAutoCloseTimer, autoclose, nullptr);
    // Real input for the runner's screenshot: a click at the back window, two keys, a resize.
    StartInputScript(backWindow);
    SetTimer(frame, kScriptTimer, 400, nullptr);
  }
  // The Toolbox loop: WaitNextEvent and the classic dispatch.
  EventRecord event;
  while (g_running) {
    if (WaitNextEvent(everyEvent, &event, 6, nullptr)) HandleEvent(event);
    if (g_settleRounds > 0 && --g_settleRounds == 0 && g_frame) {
      g_reported[0] = false;
      PostMessageA(g_frame, kWriteReady, 0, 0);
    }
  }
  ZEB_ExitSession();
  return 0;
}

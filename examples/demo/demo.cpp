// The ZEB32 demo: a Toolbox application on Windows. It keeps its own WinMain, frame window and
// window procedure, starts the library, and shows what start-up and the Memory Manager report.
//
//   demo.exe [/autoclose <milliseconds>] [/ready <file>]
// /ready writes the window's screen geometry ("WxH+X+Y") to <file> once the window has painted.
#include <windows.h>

#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

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
bool g_readyWritten = false;
constexpr UINT kWriteReady = WM_APP + 1;

const char* Flags(unsigned long flags) {
  static char text[128];
  text[0] = '\0';
  if (flags & ZEB_SF_3DLOOK) strcat(text, "3D look ");
  if (flags & ZEB_SF_SMALLBLOCKS) strcat(text, "small blocks ");
  if (flags & ZEB_SF_HEAPCHECK) strcat(text, "heap check ");
  return text;
}

void StartToolbox(HINSTANCE instance, HWND frame) {
  ZEB_SessionRec session{};
  session.size = kZEBSessionRecSize;
  session.instance = instance;
  session.frameWindow = frame;
  session.flags = ZEB_SF_SMALLBLOCKS;
  ZEB_InitSession(&session);

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
  if (!g_readyWritten) PostMessageA(hwnd, kWriteReady, 0, 0);
}

void WriteReady(HWND hwnd) {
  g_readyWritten = true;
  if (g_readyFile.empty()) return;
  RECT r;
  GetWindowRect(hwnd, &r);
  if (FILE* f = fopen(g_readyFile.c_str(), "w")) {
    fprintf(f, "%ldx%ld+%ld+%ld\n", r.right - r.left, r.bottom - r.top, r.left, r.top);
    fclose(f);
  }
}

LRESULT CALLBACK FrameProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT:
      Paint(hwnd);
      return 0;
    case kWriteReady:
      WriteReady(hwnd);
      return 0;
    case WM_TIMER:
      DestroyWindow(hwnd);
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    case ZEB_WM_HEAPDAMAGED:
      MessageBeep(MB_ICONHAND);
      return 0;
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

LRESULT CALLBACK PaneProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    const auto* create = reinterpret_cast<const CREATESTRUCTA*>(lParam);
    SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  } else if (message == WM_PAINT) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd, &ps);
    RECT client;
    GetClientRect(hwnd, &client);
    FillRect(dc, &client, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    if (auto paint = reinterpret_cast<PanePainter>(GetWindowLongPtrA(hwnd, GWLP_USERDATA)))
      paint(dc, client);
    EndPaint(hwnd, &ps);
    return 0;
  }
  return DefWindowProcA(hwnd, message, wParam, lParam);
}

}  // namespace

HWND AddPane(HWND frame, const char* className, PanePainter paint, int x, int y, int width,
             int height) {
  WNDCLASSA wc{};
  wc.lpfnWndProc = PaneProc;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  wc.lpszClassName = className;
  RegisterClassA(&wc);
  return CreateWindowA(className, "", WS_CHILD | WS_VISIBLE, x, y, width, height, frame, nullptr,
                       GetModuleHandleA(nullptr), reinterpret_cast<void*>(paint));
}

void Label(HDC dc, int x, int y, const char* text) { TextOutA(dc, x, y, text, lstrlenA(text)); }

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show) {
  UINT autoclose = 0;
  for (int i = 1; i < __argc; ++i) {
    if (!strcmp(__argv[i], "/autoclose") && i + 1 < __argc) autoclose = atoi(__argv[++i]);
    if (!strcmp(__argv[i], "/ready") && i + 1 < __argc) g_readyFile = __argv[++i];
  }

  WNDCLASSA wc{};
  wc.lpfnWndProc = FrameProc;
  wc.hInstance = instance;
  wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  wc.hIcon = LoadIconA(nullptr, IDI_APPLICATION);
  wc.lpszClassName = "ZEBMainWndClass";
  RegisterClassA(&wc);
  wc.lpfnWndProc = DefWindowProcA;
  wc.cbWndExtra = 32;  // the Toolbox window layout needs 32 bytes of window data
  wc.lpszClassName = "ZEBSubWndClass";
  RegisterClassA(&wc);

  HWND frame = CreateWindowA("ZEBMainWndClass", "ZEB32 Demo",
                             WS_OVERLAPPEDWINDOW, 0, 0, 820, 740, nullptr, nullptr, instance,
                             nullptr);
  StartToolbox(instance, frame);
  ExerciseMemory();
  ShowFileManager();
  ShowResourceManager();
  ShowUtilities();
  ShowQuickDrawShowcase(frame);
  ShowShapesShowcase(frame);

  ShowWindow(frame, show == SW_HIDE ? SW_SHOWNORMAL : show);
  UpdateWindow(frame);
  if (autoclose) SetTimer(frame, 1, autoclose, nullptr);
  MSG msg;
  while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  ZEB_ExitSession();
  return 0;
}

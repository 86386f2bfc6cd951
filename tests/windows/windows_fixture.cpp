#include "windows_fixture.h"

#include <cstring>
#include <string>

namespace zebtest {
namespace {

GlueLog g_log;

bool IsOneOf(UINT msg, std::initializer_list<UINT> list) {
  for (UINT m : list)
    if (m == msg) return true;
  return false;
}

}  // namespace

GlueLog& Log() { return g_log; }

// The procedure a ported application gives its window classes: every message that concerns
// Toolbox state goes to the glue, which also runs the default procedure where it should.
LRESULT CALLBACK GlueProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  g_log.messages.push_back(msg);
  if (msg == WM_CREATE) {
    g_log.createSeen = true;
    WindowPtr w = nullptr;
    ZEB_GetwPtr(hwnd, &w);
    g_log.foundDuringCreate = w;
  }
  if (msg == WM_PAINT) {
    if (ZEB_EventUpdate(hwnd)) return 0;
    return DefWindowProcA(hwnd, msg, wParam, lParam);
  }
  if (msg == WM_MOUSEACTIVATE) return ZEB_EventActivate(hwnd, msg, wParam, lParam);
  if (IsOneOf(msg, {WM_ACTIVATE, WM_MDIACTIVATE, WM_CHILDACTIVATE})) {
    ZEB_EventActivate(hwnd, msg, wParam, lParam);
    return (GetWindowLongA(hwnd, GWL_EXSTYLE) & WS_EX_MDICHILD)
               ? DefMDIChildProcA(hwnd, msg, wParam, lParam)
               : DefWindowProcA(hwnd, msg, wParam, lParam);
  }
  if (msg == WM_SYSCOMMAND) {
    if (ZEB_SysCommand(0, hwnd, wParam)) return 0;
    return (GetWindowLongA(hwnd, GWL_EXSTYLE) & WS_EX_MDICHILD)
               ? DefMDIChildProcA(hwnd, msg, wParam, lParam)
               : DefWindowProcA(hwnd, msg, wParam, lParam);
  }
  if (msg == WM_GETMINMAXINFO) {
    ZEB_GetMinMaxInfo(hwnd, reinterpret_cast<MINMAXINFO*>(lParam));
    return 0;
  }
  if (IsOneOf(msg, {WM_NCCALCSIZE, WM_NCPAINT, WM_NCACTIVATE, WM_NCLBUTTONDOWN}))
    return ZEB_NCMessage(hwnd, msg, wParam, lParam);
  if (IsOneOf(msg, {WM_ERASEBKGND, WM_MOVE, WM_SIZE, WM_HSCROLL, WM_VSCROLL}))
    return ZEB_WindChange(hwnd, msg, wParam, lParam);
  return (GetWindowLongA(hwnd, GWL_EXSTYLE) & WS_EX_MDICHILD)
             ? DefMDIChildProcA(hwnd, msg, wParam, lParam)
             : DefWindowProcA(hwnd, msg, wParam, lParam);
}

void RegisterGlueClasses() {
  static bool done = false;
  if (done) return;
  done = true;
  WNDCLASSA wc{};
  wc.lpfnWndProc = GlueProc;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  wc.cbWndExtra = zebExtraBytes;
  wc.lpszClassName = kGlueClass;
  RegisterClassA(&wc);
  wc.lpszClassName = kGlueMDIClass;
  RegisterClassA(&wc);
  wc.cbWndExtra = 16;
  wc.lpszClassName = kShortExtraClass;
  RegisterClassA(&wc);
}

std::vector<EvQEl> QueuedEvents() {
  std::vector<EvQEl> events;
  for (EvQEl* e = reinterpret_cast<EvQEl*>(GetEvQHdr()->qHead); e;
       e = reinterpret_cast<EvQEl*>(e->qLink))
    events.push_back(*e);
  return events;
}

void Pump() {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
}

Rect MakeRect(short left, short top, short right, short bottom) {
  Rect r;
  r.top = top;
  r.left = left;
  r.bottom = bottom;
  r.right = right;
  return r;
}

WindowPeek PeekOf(WindowPtr w) { return reinterpret_cast<WindowPeek>(w); }

WindowDataRec& DataOf(WindowPtr w) {
  return *reinterpret_cast<WindowDataRec*>(*PeekOf(w)->dataHandle);
}

const unsigned char* P(const char* text) {
  static unsigned char buffers[8][256];
  static int next = 0;
  unsigned char* b = buffers[next++ % 8];
  const size_t n = std::strlen(text);
  b[0] = static_cast<unsigned char>(n);
  std::memcpy(b + 1, text, n);
  return b;
}

WindowsTest::WindowsTest() {
  RegisterGlueClasses();
  session_.childClassName = kGlueClass;
  session_.mdiChildClassName = kGlueMDIClass;
}

void WindowsTest::SetUp() {
  ResourcesTest::SetUp();
  g_log.Clear();
  InitGraf(&cells_.thePort);
  InitWindows();
  ShowWindow(frame_, SW_SHOW);
  UpdateWindow(frame_);
  Pump();
}

void WindowsTest::TearDown() {
  DisposeMade();
  ResourcesTest::TearDown();
}

WindowPtr WindowsTest::Make(short procID, const Rect& bounds, bool visible, bool goAway,
                            const char* title) {
  WindowPtr w = NewWindow(nullptr, &bounds, P(title), visible, procID,
                          reinterpret_cast<WindowPtr>(-1), goAway, 0);
  if (w) made_.push_back(w);
  return w;
}

void WindowsTest::DisposeMade() {
  for (WindowPtr w : made_) {
    bool listed = false;
    for (WindowPeek p = reinterpret_cast<WindowPeek>(cells_.windowList); p; p = p->nextWindow)
      if (reinterpret_cast<WindowPtr>(p) == w) listed = true;
    if (listed) DisposeWindow(w);
  }
  made_.clear();
}

}  // namespace zebtest

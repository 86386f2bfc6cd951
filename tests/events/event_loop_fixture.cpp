#include "event_loop_fixture.h"

#include <cstring>

namespace zebtest {
namespace {

LoopLog g_loop;
WNDPROC g_frameDefault = nullptr;

bool IsOneOf(UINT msg, std::initializer_list<UINT> list) {
  for (UINT m : list)
    if (m == msg) return true;
  return false;
}

LRESULT Default(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  return (GetWindowLongA(hwnd, GWL_EXSTYLE) & WS_EX_MDICHILD)
             ? DefMDIChildProcA(hwnd, msg, wParam, lParam)
             : DefWindowProcA(hwnd, msg, wParam, lParam);
}

bool IsKey(UINT msg) { return msg >= WM_KEYDOWN && msg <= WM_SYSDEADCHAR; }

bool IsMouse(UINT msg) {
  return (msg >= WM_MOUSEMOVE && msg <= WM_MBUTTONDBLCLK) ||
         IsOneOf(msg, {WM_SETCURSOR, WM_NCHITTEST, WM_NCLBUTTONUP, WM_NCRBUTTONDOWN,
                       WM_NCRBUTTONUP, WM_NCRBUTTONDBLCLK, WM_NCLBUTTONDBLCLK});
}

// The Toolbox windows' procedure, as a ported application writes it.
LRESULT CALLBACK LoopProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_PAINT) {
    if (ZEB_EventUpdate(hwnd)) return 0;
    return DefWindowProcA(hwnd, msg, wParam, lParam);
  }
  if (msg == WM_MOUSEACTIVATE) return ZEB_EventActivate(hwnd, msg, wParam, lParam);
  if (IsOneOf(msg, {WM_ACTIVATE, WM_MDIACTIVATE, WM_CHILDACTIVATE})) {
    ZEB_EventActivate(hwnd, msg, wParam, lParam);
    return Default(hwnd, msg, wParam, lParam);
  }
  if (msg == WM_SYSCOMMAND) {
    if (ZEB_SysCommand(0, hwnd, wParam)) return 0;
    return Default(hwnd, msg, wParam, lParam);
  }
  if (msg == WM_GETMINMAXINFO) {
    ZEB_GetMinMaxInfo(hwnd, reinterpret_cast<MINMAXINFO*>(lParam));
    return 0;
  }
  if (IsMouse(msg)) return ZEB_EventMouse(hwnd, msg, wParam, lParam);
  if (IsOneOf(msg, {WM_NCCALCSIZE, WM_NCPAINT, WM_NCACTIVATE, WM_NCLBUTTONDOWN}))
    return msg == WM_NCLBUTTONDOWN ? ZEB_EventMouse(hwnd, msg, wParam, lParam)
                                   : ZEB_NCMessage(hwnd, msg, wParam, lParam);
  if (IsOneOf(msg, {WM_ERASEBKGND, WM_MOVE, WM_SIZE, WM_HSCROLL, WM_VSCROLL}))
    return ZEB_WindChange(hwnd, msg, wParam, lParam);
  if (IsKey(msg)) {
    if (ZEB_EventKey(hwnd, msg, wParam, lParam)) return 0;
    return Default(hwnd, msg, wParam, lParam);
  }
  if (msg == WM_COMMAND) {
    ZEB_EventCommand(hwnd, msg, wParam, lParam);
    return 0;
  }
  if (msg == WM_TIMER) {
    g_loop.timers.push_back(static_cast<UINT>(wParam));
    return 0;
  }
  return Default(hwnd, msg, wParam, lParam);
}

LRESULT CALLBACK LoopFrameProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (IsKey(msg)) {
    g_loop.frameKeys.push_back(msg);
    if (ZEB_EventKey(hwnd, msg, wParam, lParam)) return 0;
  }
  if (msg == WM_ACTIVATEAPP) ZEB_ActivateApp(static_cast<BOOL>(wParam));
  if (msg == WM_COMMAND) g_loop.frameCommands.push_back(LOWORD(wParam));
  return CallWindowProcA(g_frameDefault, hwnd, msg, wParam, lParam);
}

void RegisterLoopClass() {
  static bool done = false;
  if (done) return;
  done = true;
  WNDCLASSA wc{};
  wc.style = CS_DBLCLKS;
  wc.lpfnWndProc = LoopProc;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  wc.cbWndExtra = zebExtraBytes;
  wc.lpszClassName = kLoopClass;
  RegisterClassA(&wc);
}

const unsigned char* Title() {
  static const unsigned char title[] = "\x04Loop";
  return title;
}

}  // namespace

LoopLog& Loop() { return g_loop; }

Rect R(short left, short top, short right, short bottom) {
  Rect r;
  r.left = left;
  r.top = top;
  r.right = right;
  r.bottom = bottom;
  return r;
}

HWND H(WindowPtr w) { return ZEB_GethWnd(w); }

EventLoopTest::EventLoopTest() {
  RegisterLoopClass();
  session_.childClassName = kLoopClass;
  session_.mdiChildClassName = kLoopClass;
}

void EventLoopTest::SetUp() {
  g_loop = LoopLog{};
  SessionTest::SetUp();
  g_frameDefault = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrA(frame_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&LoopFrameProc)));
  InitGraf(&cells_.thePort);
  InitWindows();
  ShowWindow(frame_, SW_SHOW);
  UpdateWindow(frame_);
  Foreground(frame_);
  FlushEvents(everyEvent, 0);
  Drain(3);
}

void EventLoopTest::TearDown() {
  for (WindowPtr w : made_) {
    for (WindowPeek p = reinterpret_cast<WindowPeek>(cells_.windowList); p; p = p->nextWindow)
      if (reinterpret_cast<WindowPtr>(p) == w) {
        DisposeWindow(w);
        break;
      }
  }
  made_.clear();
  // Keys and buttons a failed test left down would reach the next test.
  Keys({{VK_SHIFT, false}, {VK_CONTROL, false}, {VK_MENU, false}});
  SessionTest::TearDown();
}

WindowPtr EventLoopTest::Make(const Rect& bounds, short procID, bool visible) {
  WindowPtr w = NewWindow(nullptr, &bounds, Title(), visible, procID,
                          reinterpret_cast<WindowPtr>(-1), true, 0);
  if (w) made_.push_back(w);
  return w;
}

bool EventLoopTest::WaitFor(uint16_t wanted, EventRecord* e, int tries, unsigned long sleep,
                            short mask) {
  for (int i = 0; i < tries; ++i) {
    if (!WaitNextEvent(mask, e, sleep, nullptr)) continue;
    if (e->what >= 0 && e->what < 16 && (wanted & (1u << e->what))) return true;
    if (e->what == updateEvt) {
      // An application draws its updates; an update left alone comes back every time.
      BeginUpdate(WindowOf(e->message));
      if (g_loop.onUpdate) g_loop.onUpdate(WindowOf(e->message));
      EndUpdate(WindowOf(e->message));
    }
  }
  return false;
}

std::vector<EventRecord> EventLoopTest::Drain(int calls, short mask) {
  std::vector<EventRecord> events;
  for (int i = 0; i < calls; ++i) {
    EventRecord e;
    if (!GetNextEvent(mask, &e)) continue;
    events.push_back(e);
    if (e.what == updateEvt) {
      BeginUpdate(WindowOf(e.message));
      if (g_loop.onUpdate) g_loop.onUpdate(WindowOf(e.message));
      EndUpdate(WindowOf(e.message));
    }
  }
  return events;
}

void EventLoopTest::Settle() { Drain(40, static_cast<short>(updateMask | activMask)); }

void EventLoopTest::Keys(std::initializer_list<std::pair<WORD, bool>> strokes, DWORD extraFlags) {
  std::vector<INPUT> in;
  for (const auto& s : strokes) {
    INPUT i{};
    i.type = INPUT_KEYBOARD;
    i.ki.wVk = s.first;
    i.ki.wScan = static_cast<WORD>(MapVirtualKeyA(s.first, 0));
    i.ki.dwFlags = (s.second ? 0 : KEYEVENTF_KEYUP) | extraFlags;
    in.push_back(i);
  }
  SendInput(static_cast<UINT>(in.size()), in.data(), sizeof(INPUT));
}

void EventLoopTest::Tap(WORD vk, DWORD extraFlags) { Keys({{vk, true}, {vk, false}}, extraFlags); }

void EventLoopTest::ClickAt(POINT screen, bool right) {
  SetCursorPos(screen.x, screen.y);
  INPUT in[2] = {};
  in[0].type = in[1].type = INPUT_MOUSE;
  in[0].mi.dwFlags = right ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_LEFTDOWN;
  in[1].mi.dwFlags = right ? MOUSEEVENTF_RIGHTUP : MOUSEEVENTF_LEFTUP;
  SendInput(2, in, sizeof(INPUT));
}

POINT EventLoopTest::ScreenOf(WindowPtr w, int x, int y) {
  POINT p{x, y};
  ClientToScreen(H(w), &p);
  return p;
}

void EventLoopTest::Foreground(HWND hwnd) {
  SetForegroundWindow(hwnd);
  SetActiveWindow(hwnd);
  SetFocus(hwnd);
}

}  // namespace zebtest

// The event loop against the Windows loop it runs on: an idle event call, a posted event taken
// out, a posted key-down through the pump into a key-down event, and an update from InvalRect
// to EndUpdate.
#include "Events.h"
#include "MacWindows.h"
#include "Quickdraw.h"
#include "ZEB.h"
#include "bench.h"

namespace zebbench {
namespace {

constexpr char kKeyClass[] = "ZEBBenchKeyClass";

LRESULT CALLBACK KeyProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg >= WM_KEYDOWN && msg <= WM_SYSDEADCHAR && ZEB_EventKey(hwnd, msg, wParam, lParam))
    return 0;
  return DefWindowProcA(hwnd, msg, wParam, lParam);
}

HWND MakeKeyWindow(HWND frame, WNDPROC proc, const char* cls) {
  WNDCLASSA wc{};
  wc.lpfnWndProc = proc;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.lpszClassName = cls;
  RegisterClassA(&wc);
  return CreateWindowA(cls, "", WS_CHILD, 0, 0, 10, 10, frame, nullptr, GetModuleHandleA(nullptr),
                       nullptr);
}

void Drain() {
  MSG m;
  while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&m);
  // Updates are drawn, as a loop does, or they would come back with every call.
  EventRecord e;
  for (int i = 0; i < 100 && GetNextEvent(everyEvent, &e); ++i) {
    if (e.what != updateEvt) continue;
    WindowPtr w = reinterpret_cast<WindowPtr>(static_cast<uintptr_t>(e.message));
    BeginUpdate(w);
    EndUpdate(w);
  }
}

void EmptyQueue() {
  constexpr long n = 20000;
  Drain();
  EventRecord e;
  const double library = NanosecondsPerOp(n, [&](long count) {
    for (long i = 0; i < count; ++i) GetNextEvent(everyEvent, &e);
  });
  MSG m;
  const double host = NanosecondsPerOp(n, [&](long count) {
    for (long i = 0; i < count; ++i) PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE | PM_NOYIELD);
  });
  Report("GetNextEvent, empty queue / PeekMessage", library, host);
}

void PostAndTake(HWND hwnd) {
  constexpr long n = 20000;
  Drain();
  EventRecord e;
  const double library = NanosecondsPerOp(n, [&](long count) {
    for (long i = 0; i < count; ++i) {
      PostEvent(mouseDown, i);
      GetNextEvent(everyEvent, &e);
    }
  });
  MSG m;
  const double host = NanosecondsPerOp(n, [&](long count) {
    for (long i = 0; i < count; ++i) {
      PostMessageA(hwnd, WM_USER, 0, i);
      PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE | PM_NOYIELD);
    }
  });
  Report("PostEvent+GetNextEvent / PostMessage+PeekMessage", library, host);
}

void KeyDown(HWND libraryWindow, HWND hostWindow) {
  constexpr long n = 5000;
  Drain();
  EventRecord e;
  const double library = NanosecondsPerOp(n, [&](long count) {
    for (long i = 0; i < count; ++i) {
      PostMessageA(libraryWindow, WM_KEYDOWN, 'A', 0x001E0001);
      GetNextEvent(keyDownMask, &e);
      // The character TranslateMessage made joins the next round's pump, as in a real loop.
    }
  });
  Drain();
  MSG m;
  const double host = NanosecondsPerOp(n, [&](long count) {
    for (long i = 0; i < count; ++i) {
      PostMessageA(hostWindow, WM_KEYDOWN, 'A', 0x001E0001);
      while (PeekMessageA(&m, nullptr, 0, 0, PM_NOREMOVE | PM_NOYIELD) && GetMessageA(&m, nullptr, 0, 0)) {
        TranslateMessage(&m);
        DispatchMessageA(&m);
      }
    }
  });
  Report("posted WM_KEYDOWN to key-down event / Get+Translate+Dispatch", library, host);
}

void UpdateCycle(HWND frame) {
  constexpr long n = 2000;
  const Rect bounds = {30, 30, 130, 230};
  WindowPtr w = NewWindow(nullptr, &bounds, reinterpret_cast<const unsigned char*>("\x05" "Event"),
                          true, noGrowDocProc, reinterpret_cast<WindowPtr>(-1), true, 0);
  if (!w) return;
  HWND hwnd = ZEB_GethWnd(w);
  UpdateWindow(hwnd);
  Drain();
  SetPort(w);
  const Rect r = {10, 10, 30, 40};
  const RECT hostRect = {10, 10, 40, 30};
  EventRecord e;
  const double library = NanosecondsPerOp(n, [&](long count) {
    for (long i = 0; i < count; ++i) {
      InvalRect(&r);
      if (GetNextEvent(updateMask, &e) && e.what == updateEvt) {
        BeginUpdate(w);
        EndUpdate(w);
      }
    }
  });
  const double host = NanosecondsPerOp(n, [&](long count) {
    for (long i = 0; i < count; ++i) {
      InvalidateRect(hwnd, &hostRect, FALSE);
      UpdateWindow(hwnd);
    }
  });
  Report("InvalRect to EndUpdate / InvalidateRect+UpdateWindow", library, host);
  DisposeWindow(w);
  (void)frame;
}

}  // namespace

void RunEventBenchmarks(HWND frame) {
  if (!frame) return;
  HWND libraryWindow = MakeKeyWindow(frame, KeyProc, kKeyClass);
  HWND hostWindow = MakeKeyWindow(frame, DefWindowProcA, "ZEBBenchHostKeyClass");
  EmptyQueue();
  PostAndTake(hostWindow);
  KeyDown(libraryWindow, hostWindow);
  UpdateCycle(frame);
  DestroyWindow(libraryWindow);
  DestroyWindow(hostWindow);
}

}  // namespace zebbench

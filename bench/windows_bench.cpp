// The Window Manager against the bare Windows calls it stands on: creating and disposing of
// windows, invalidating, the update bracket, finding the window under a point, and a patchable
// call through its slot.
#include "MacWindows.h"
#include "OSUtils.h"
#include "Quickdraw.h"
#include "ZEB.h"
#include "bench.h"

namespace zebbench {
namespace {

const Rect kBounds = {20, 20, 120, 220};

void CreationAndDisposal(HWND frame) {
  constexpr long n = 300;
  const unsigned char title[] = "\x05" "Bench";
  const double library = NanosecondsPerOp(n, [&](long count) {
    for (long i = 0; i < count; ++i) {
      WindowPtr w = NewWindow(nullptr, &kBounds, title, false, noGrowDocProc,
                              reinterpret_cast<WindowPtr>(-1), true, 0);
      DisposeWindow(w);
    }
  });
  const double host = NanosecondsPerOp(n, [&](long count) {
    for (long i = 0; i < count; ++i) {
      HWND h = CreateWindowExA(0, kBenchChildClass, "Bench", WS_CHILD | WS_CLIPSIBLINGS | WS_CAPTION | WS_SYSMENU,
                               20, 20, 200, 100, frame, nullptr, GetModuleHandleA(nullptr), nullptr);
      DestroyWindow(h);
    }
  });
  Report("NewWindow+DisposeWindow, hidden document", library, host);
}

void Updates(WindowPtr w, HWND hwnd) {
  constexpr long n = 20000;
  SetPort(w);
  const Rect r = {10, 10, 30, 40};
  const RECT host = {10, 10, 40, 30};
  const double inval = NanosecondsPerOp(n, [&](long count) {
    for (long i = 0; i < count; ++i) InvalRect(&r);
  });
  const double invalHost = NanosecondsPerOp(n, [&](long count) {
    for (long i = 0; i < count; ++i) InvalidateRect(hwnd, &host, FALSE);
  });
  Report("InvalRect", inval, invalHost);

  constexpr long m = 2000;
  const double bracket = NanosecondsPerOp(m, [&](long count) {
    for (long i = 0; i < count; ++i) {
      InvalRect(&r);
      BeginUpdate(w);
      EndUpdate(w);
    }
  });
  const double bracketHost = NanosecondsPerOp(m, [&](long count) {
    for (long i = 0; i < count; ++i) {
      InvalidateRect(hwnd, &host, FALSE);
      PAINTSTRUCT ps;
      BeginPaint(hwnd, &ps);
      EndPaint(hwnd, &ps);
    }
  });
  Report("InvalRect+BeginUpdate+EndUpdate", bracket, bracketHost);
}

void Finding(HWND hwnd) {
  constexpr long n = 20000;
  POINT p = {50, 50};
  ClientToScreen(hwnd, &p);
  const Point where = {static_cast<short>(p.y), static_cast<short>(p.x)};
  WindowPtr found = nullptr;
  const double library = NanosecondsPerOp(n, [&](long count) {
    for (long i = 0; i < count; ++i) FindWindo(where, &found);
  });
  const double host = NanosecondsPerOp(n, [&](long count) {
    for (long i = 0; i < count; ++i) WindowFromPoint(p);
  });
  Report("FindWindow over a window", library, host);
}

void PatchableCall() {
  constexpr long n = 200000;
  using OriginProc = void(ZEBAPI*)(short, short);
  auto direct = reinterpret_cast<OriginProc>(GetTrapAddress(0xA878));
  const double slot = NanosecondsPerOp(n, [&](long count) {
    for (long i = 0; i < count; ++i) SetOrigin(static_cast<short>(i & 7), 0);
  });
  const double own = NanosecondsPerOp(n, [&](long count) {
    for (long i = 0; i < count; ++i) direct(static_cast<short>(i & 7), 0);
  });
  SetOrigin(0, 0);
  Report("SetOrigin through its slot / the default directly", slot, own);
}

}  // namespace

void RunWindowBenchmarks(HWND frame) {
  if (!frame) return;
  EnsureBenchChildClass();
  GrafPtr screen = nullptr;
  InitGraf(&screen);
  InitWindows();
  CreationAndDisposal(frame);
  WindowPtr w = NewWindow(nullptr, &kBounds, reinterpret_cast<const unsigned char*>("\x05" "Bench"),
                          true, noGrowDocProc, reinterpret_cast<WindowPtr>(-1), true, 0);
  HWND hwnd = ZEB_GethWnd(w);
  UpdateWindow(hwnd);
  Updates(w, hwnd);
  Finding(hwnd);
  PatchableCall();
  DisposeWindow(w);
}

}  // namespace zebbench

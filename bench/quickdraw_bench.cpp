// QuickDraw: lines and port switching against the bare GDI calls they stand on, drawn into a DIB
// section.
#include "Quickdraw.h"
#include "ZEB.h"
#include "bench.h"

namespace zebbench {
namespace {

constexpr int kWidth = kSurfaceSize, kHeight = kSurfaceSize;

short X(long i) { return static_cast<short>((i * 37) % kWidth); }
short Y(long i) { return static_cast<short>((i * 101) % kHeight); }

void Lines(HDC hostDC) {
  constexpr long n = 200000;
  const double library = NanosecondsPerOp(n, [](long count) {
    for (long i = 0; i < count; ++i) LineT(X(i), Y(i));
  });
  const double host = NanosecondsPerOp(n, [hostDC](long count) {
    for (long i = 0; i < count; ++i) LineTo(hostDC, X(i), Y(i));
  });
  Report("LineT, 1-pixel pen, diagonal lines", library, host);

  const double horizontal = NanosecondsPerOp(n, [](long count) {
    for (long i = 0; i < count; ++i) {
      MoveT(0, Y(i));
      LineT(200, Y(i));
    }
  });
  const double hostHorizontal = NanosecondsPerOp(n, [hostDC](long count) {
    for (long i = 0; i < count; ++i) {
      MoveToEx(hostDC, 0, Y(i), nullptr);
      LineTo(hostDC, 200, Y(i));
    }
  });
  Report("MoveT+LineT, horizontal 200 pixels", horizontal, hostHorizontal);

  const double dots = NanosecondsPerOp(n, [](long count) {
    for (long i = 0; i < count; ++i) {
      MoveT(X(i), Y(i));
      LineT(X(i), Y(i));
    }
  });
  const double hostDots = NanosecondsPerOp(n, [hostDC](long count) {
    for (long i = 0; i < count; ++i) {
      MoveToEx(hostDC, X(i), Y(i), nullptr);
      LineTo(hostDC, X(i) + 1, Y(i));
    }
  });
  Report("MoveT+LineT, one pixel", dots, hostDots);
}

void PortSwitching(HDC hostDC) {
  Surface a, b;
  CGrafPort first{}, second{};
  OpenPortForHDC(&first, a.dc);
  OpenPortForHDC(&second, b.dc);
  constexpr long n = 1000000;
  const double library = NanosecondsPerOp(n, [&](long count) {
    for (long i = 0; i < count; ++i) SetPort(reinterpret_cast<GrafPtr>((i & 1) ? &first : &second));
  });
  // The cheapest GDI attribute call, for scale.
  const double host = NanosecondsPerOp(n, [hostDC](long count) {
    for (long i = 0; i < count; ++i) SetROP2(hostDC, (i & 1) ? R2_COPYPEN : R2_MASKPEN);
  });
  Report("SetPort between two ports (host: SetROP2)", library, host);
  CloseCPort(&first);
  CloseCPort(&second);
}

}  // namespace

void RunQuickDrawBenchmarks() {
  GrafPtr screen = nullptr;
  InitGraf(&screen);
  Surface library, host;
  CGrafPort port{};
  OpenPortForHDC(&port, library.dc);
  Lines(host.dc);
  PortSwitching(host.dc);
  CloseCPort(&port);
}

}  // namespace zebbench

// Shapes and regions against the bare GDI calls they stand on, drawn into a DIB section:
// PaintRect against PatBlt and FillRect, FrameOval against Ellipse, and the region set
// operations on rectangle and complex regions against CombineRgn.
#include "Quickdraw.h"
#include "ZEB.h"
#include "bench.h"

namespace zebbench {
namespace {

constexpr int kSize = kSurfaceSize;

short At(long i) { return static_cast<short>((i * 37) % (kSize - 64)); }

void Rectangles(HDC hostDC) {
  constexpr long n = 200000;
  const double library = NanosecondsPerOp(n, [](long count) {
    for (long i = 0; i < count; ++i) {
      const Rect r = {At(i), At(i + 1), static_cast<short>(At(i) + 40), static_cast<short>(At(i + 1) + 50)};
      PaintRect(&r);
    }
  });
  HBRUSH black = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
  SelectObject(hostDC, black);
  const double patBlt = NanosecondsPerOp(n, [hostDC](long count) {
    for (long i = 0; i < count; ++i) PatBlt(hostDC, At(i + 1), At(i), 50, 40, PATCOPY);
  });
  Report("PaintRect 50 x 40 (host: PatBlt)", library, patBlt);
  const double fillRect = NanosecondsPerOp(n, [hostDC, black](long count) {
    for (long i = 0; i < count; ++i) {
      const RECT r = {At(i + 1), At(i), At(i + 1) + 50, At(i) + 40};
      ::FillRect(hostDC, &r, black);
    }
  });
  Report("PaintRect 50 x 40 (host: FillRect)", library, fillRect);
}

void Ovals(HDC hostDC) {
  constexpr long n = 50000;
  const double library = NanosecondsPerOp(n, [](long count) {
    for (long i = 0; i < count; ++i) {
      const Rect r = {At(i), At(i + 1), static_cast<short>(At(i) + 40), static_cast<short>(At(i + 1) + 60)};
      FrameOval(&r);
    }
  });
  SelectObject(hostDC, GetStockObject(NULL_BRUSH));
  SelectObject(hostDC, GetStockObject(BLACK_PEN));
  const double host = NanosecondsPerOp(n, [hostDC](long count) {
    for (long i = 0; i < count; ++i) Ellipse(hostDC, At(i + 1), At(i), At(i + 1) + 60, At(i) + 40);
  });
  Report("FrameOval 60 x 40, 1-pixel pen (host: Ellipse)", library, host);
}

void RegionOperations() {
  constexpr long n = 100000;
  RgnHandle a = NewRgn(), b = NewRgn(), dst = NewRgn();
  HRGN ha = CreateRectRgn(0, 0, 0, 0), hb = CreateRectRgn(0, 0, 0, 0), hd = CreateRectRgn(0, 0, 0, 0);
  struct Case {
    const char* name;
    void(ZEBAPI* op)(RgnHandle, RgnHandle, RgnHandle);
    int mode;
    bool complex;
  };
  const Case cases[] = {{"UnionRgn, rectangles", UnionRg, RGN_OR, false},
                        {"SectRgn, rectangles", SectRgn, RGN_AND, false},
                        {"UnionRgn, complex regions", UnionRg, RGN_OR, true},
                        {"SectRgn, complex regions", SectRgn, RGN_AND, true}};
  for (const Case& c : cases) {
    SetRectRgn(a, 0, 0, 100, 100);
    SetRectRgn(b, 50, 50, 150, 150);
    SetRectRgn(ha, 0, 0, 100, 100);
    SetRectRgn(hb, 50, 50, 150, 150);
    if (c.complex) {
      // An L and a ring: neither is a rectangle.
      RgnHandle cut = NewRgn();
      SetRectRgn(cut, 50, 0, 100, 50);
      DiffRgn(a, cut, a);
      SetRectRgn(cut, 80, 80, 120, 120);
      DiffRgn(b, cut, b);
      DisposeRgn(cut);
      HRGN hcut = CreateRectRgn(50, 0, 100, 50);
      CombineRgn(ha, ha, hcut, RGN_DIFF);
      SetRectRgn(hcut, 80, 80, 120, 120);
      CombineRgn(hb, hb, hcut, RGN_DIFF);
      DeleteObject(hcut);
    }
    const double library = NanosecondsPerOp(n, [&](long count) {
      for (long i = 0; i < count; ++i) c.op(a, b, dst);
    });
    const double host = NanosecondsPerOp(n, [&](long count) {
      for (long i = 0; i < count; ++i) CombineRgn(hd, ha, hb, c.mode);
    });
    Report(std::string(c.name) + " (host: CombineRgn)", library, host);
  }
  for (RgnHandle h : {a, b, dst}) DisposeRgn(h);
  for (HRGN h : {ha, hb, hd}) DeleteObject(h);
}

}  // namespace

void RunShapeBenchmarks() {
  GrafPtr screen = nullptr;
  InitGraf(&screen);
  ZEB_QDInitTestScreen();
  Surface library, host;
  CGrafPort port{};
  OpenPortForHDC(&port, library.dc);
  PortSize(kSize, kSize);
  Rectangles(host.dc);
  Ovals(host.dc);
  RegionOperations();
  CloseCPort(&port);
}

}  // namespace zebbench

// Shapes drawn into DIB sections and read back: every family with every verb, thin and thick
// pens, the size edge cases, arcs at the angle limits, polygons open and closed, and the
// bottleneck and patch points.
#include <functional>
#include <string>

#include <algorithm>
#include <memory>
#include "ZEB.h"
#include "quickdraw_fixture.h"

namespace zebtest {
namespace {

constexpr Pattern kGray = {{0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55}};
constexpr Pattern kBlackPattern = {{0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}};

bool GrayBit(int x, int y) { return (kGray.pat[y & 7] & (0x80 >> (x & 7))) != 0; }

struct Box {
  int left, top, right, bottom;  // right and bottom exclusive; left > right when nothing
};
Box BlackBox(const DibSurface& dib) {
  Box b = {dib.width(), dib.height(), -1, -1};
  for (int y = 0; y < dib.height(); ++y)
    for (int x = 0; x < dib.width(); ++x)
      if (dib.IsBlack(x, y)) {
        b.left = std::min(b.left, x);
        b.top = std::min(b.top, y);
        b.right = std::max(b.right, x + 1);
        b.bottom = std::max(b.bottom, y + 1);
      }
  return b;
}

class ShapesTest : public QuickDrawTest {
 protected:
  void Open(DibSurface& dib) { OpenColourPortOn(port_, dib); }
  void TearDown() override {
    if (port_.patStretch >= 0 && ZEB_GetCurrentDC()) CloseCPort(&port_);
    QuickDrawTest::TearDown();
  }
  CGrafPort port_{};
};

// One shape drawn with each verb over a half-black surface: inside the shape the verb's result,
// outside it the surface untouched.
struct Family {
  const char* name;
  std::function<void(int verb, const Rect*)> draw;
  std::function<bool(int x, int y)> inside;  // pixels a paint-type verb covers in (4, 4, 28, 20)
};

TEST_F(ShapesTest, PaintTypeVerbsCoverTheSameShapeWithTheirOwnResult) {
  const Rect r = {4, 4, 20, 28};  // 24 wide, 16 high
  const Family families[] = {
      {"rect",
       [](int verb, const Rect* rr) {
         switch (verb) {
           case paint: PaintRect(rr); break;
           case erase: EraseRect(rr); break;
           case invert: InvertRect(rr); break;
           default: FillRect(rr, &kGray); break;
         }
       },
       [](int x, int y) { return x >= 4 && x < 28 && y >= 4 && y < 20; }},
      {"oval",
       [](int verb, const Rect* rr) {
         switch (verb) {
           case paint: PaintOval(rr); break;
           case erase: EraseOval(rr); break;
           case invert: InvertOval(rr); break;
           default: FillOval(rr, &kGray); break;
         }
       },
       nullptr},
      {"round rect",
       [](int verb, const Rect* rr) {
         switch (verb) {
           case paint: PaintRoundRect(rr, 8, 6); break;
           case erase: EraseRoundRect(rr, 8, 6); break;
           case invert: InvertRoundRect(rr, 8, 6); break;
           default: FillRoundRect(rr, 8, 6, &kGray); break;
         }
       },
       nullptr},
      {"arc",
       [](int verb, const Rect* rr) {
         switch (verb) {
           case paint: PaintArc(rr, 0, 360); break;
           case erase: EraseArc(rr, 0, 360); break;
           case invert: StdArc(invert, rr, 0, 360); break;
           default: FillArc(rr, 0, 360, &kGray); break;
         }
       },
       nullptr},
  };
  for (const Family& f : families) {
    // What paint covers on white is the shape for the other verbs.
    DibSurface shape(32, 24);
    Open(shape);
    f.draw(paint, &r);
    CloseCPort(&port_);
    const Box b = BlackBox(shape);
    EXPECT_GE(b.left, 4) << f.name;
    EXPECT_GE(b.top, 4) << f.name;
    EXPECT_LE(b.right, 28) << f.name;
    EXPECT_LE(b.bottom, 20) << f.name;
    EXPECT_GE(b.right, 27) << f.name << " reaches the right side";
    EXPECT_GE(b.bottom, 19) << f.name << " reaches the bottom";
    if (f.inside) {
      for (int y = 0; y < 24; ++y)
        for (int x = 0; x < 32; ++x) ASSERT_EQ(shape.IsBlack(x, y), f.inside(x, y)) << f.name;
    }
    for (int verb = erase; verb <= fill; ++verb) {
      DibSurface dib(32, 24);
      dib.FillRect(16, 0, 32, 24, kBlack);
      Open(dib);
      f.draw(verb, &r);
      for (int y = 0; y < 24; ++y)
        for (int x = 0; x < 32; ++x) {
          const bool before = x >= 16;
          bool want = before;
          if (shape.IsBlack(x, y))
            want = verb == erase ? false : verb == invert ? !before : GrayBit(x, y);
          ASSERT_EQ(dib.IsBlack(x, y), want)
              << f.name << " verb " << verb << " at (" << x << ", " << y << ")";
        }
      CloseCPort(&port_);
    }
  }
}

TEST_F(ShapesTest, FrameRectLiesInsideTheRectangleWithThinAndThickPens) {
  struct Case {
    short w, h;
  };
  for (const Case& c : {Case{1, 1}, Case{3, 2}, Case{1, 4}, Case{20, 20}}) {
    DibSurface dib(32, 32);
    Open(dib);
    PenSize(c.w, c.h);
    const Rect r = {10, 10, 20, 20};
    FrameRect(&r);
    for (int y = 0; y < 32; ++y)
      for (int x = 0; x < 32; ++x) {
        const bool inRect = x >= 10 && x < 20 && y >= 10 && y < 20;
        const bool inner = x >= 10 + c.w && x < 20 - c.w && y >= 10 + c.h && y < 20 - c.h;
        ASSERT_EQ(dib.IsBlack(x, y), inRect && !inner)
            << "pen " << c.w << "x" << c.h << " at (" << x << ", " << y << ")";
      }
    CloseCPort(&port_);
  }
}

TEST_F(ShapesTest, FramesFollowThePenModeOnEveryFillRoute) {
  // The display test turns the PatBlt routes on where they match GDI's drawing.
  const short shortcuts = ZEB_QDInitTestScreen();
  ASSERT_NE(shortcuts & ZEB_QDTEST_SOLIDFILLS, 0) << "the PatBlt route is the one under test";
  struct Case {
    short mode;
    short w, h;
  };
  for (const Case& c : {Case{patCopy, 1, 1}, Case{patCopy, 2, 2}, Case{patXor, 1, 1},
                        Case{patXor, 3, 1}, Case{patOr, 2, 2}, Case{patBic, 2, 2}}) {
    DibSurface dib(32, 32);
    dib.FillRect(0, 0, 32, 15, kBlack);  // top half black
    Open(dib);
    PenMode(c.mode);
    PenSize(c.w, c.h);
    const Rect r = {10, 10, 20, 20};
    FrameRect(&r);
    for (int y = 0; y < 32; ++y)
      for (int x = 0; x < 32; ++x) {
        const bool before = y < 15;
        const bool inRect = x >= 10 && x < 20 && y >= 10 && y < 20;
        const bool inner = x >= 10 + c.w && x < 20 - c.w && y >= 10 + c.h && y < 20 - c.h;
        bool want = before;
        if (inRect && !inner) {
          want = c.mode == patCopy ? true : c.mode == patXor ? !before
                 : c.mode == patOr ? true : false;
        }
        ASSERT_EQ(dib.IsBlack(x, y), want) << "mode " << c.mode << " pen " << c.w << " at ("
                                           << x << ", " << y << ")";
      }
    CloseCPort(&port_);
  }
}

TEST_F(ShapesTest, ASmallOvalCoversOneLessThanItsBox) {
  DibSurface dib(16, 16);
  Open(dib);
  const Rect r = {2, 2, 6, 6};
  PaintOval(&r);
  const Box b = BlackBox(dib);
  EXPECT_EQ(b.left, 2);
  EXPECT_EQ(b.top, 2);
  EXPECT_EQ(b.right, 5) << "a 4 x 4 oval covers 3 x 3";
  EXPECT_EQ(b.bottom, 5);
}

TEST_F(ShapesTest, OvalFramesTouchEverySideAndStayInside) {
  for (short pen : {1, 3}) {
    DibSurface dib(40, 30);
    Open(dib);
    PenSize(pen, pen);
    const Rect r = {5, 5, 25, 35};
    FrameOval(&r);
    const Box b = BlackBox(dib);
    EXPECT_EQ(b.left, 5) << pen;
    EXPECT_EQ(b.top, 5) << pen;
    EXPECT_EQ(b.right, 35) << pen;
    EXPECT_EQ(b.bottom, 25) << pen;
    EXPECT_FALSE(dib.IsBlack(20, 15)) << "the middle stays clear";
    EXPECT_FALSE(dib.IsBlack(5, 5)) << "the corners stay clear";
    EXPECT_TRUE(dib.IsBlack(20, 5)) << "12 o'clock";
    // An inverting frame draws each pixel once, so drawing it twice restores the surface.
    PenMode(patXor);
    FrameOval(&r);
    EXPECT_EQ(dib.CountBlack(), 0) << pen;
    CloseCPort(&port_);
  }
}

TEST_F(ShapesTest, RoundRectCornersFollowTheOvalSize) {
  DibSurface a(40, 30), b(40, 30);
  const Rect r = {5, 5, 25, 35};
  Open(a);
  FillRoundRect(&r, 0, 0, &kBlackPattern);
  CloseCPort(&port_);
  Open(b);
  PaintRoundRect(&r, 30, 20);
  CloseCPort(&port_);
  for (int y = 0; y < 30; ++y)
    ASSERT_EQ(a.Row(y, 0, 40), b.Row(y, 0, 40)) << "oval size 0 takes the rectangle's size";
  EXPECT_FALSE(a.IsBlack(5, 5));
  EXPECT_TRUE(a.IsBlack(20, 15));
  DibSurface c(40, 30);
  Open(c);
  PaintRoundRect(&r, 6, 6);
  EXPECT_EQ(c.Row(15, 0, 40), std::string(5, '.') + std::string(30, '#') + std::string(5, '.'));
  EXPECT_FALSE(c.IsBlack(5, 5)) << "the corner is rounded";
  EXPECT_TRUE(c.IsBlack(8, 8));
  c.Fill(kWhite);
  FrameRoundRect(&r, 6, 6);
  const Box box = BlackBox(c);
  EXPECT_EQ(box.left, 5);
  EXPECT_EQ(box.right, 35);
  EXPECT_EQ(box.bottom, 25);
  EXPECT_FALSE(c.IsBlack(20, 15));
}

TEST_F(ShapesTest, ArcsAtTheAngleLimits) {
  const Rect r = {0, 0, 40, 40};
  auto paintWith = [&](short start, short extent) {
    auto dib = std::make_unique<DibSurface>(40, 40);
    Open(*dib);
    PaintArc(&r, start, extent);
    CloseCPort(&port_);
    return dib;
  };
  auto oval = std::make_unique<DibSurface>(40, 40);
  Open(*oval);
  PaintOval(&r);
  CloseCPort(&port_);
  for (short extent : {360, -360, -32768, 32767}) {
    auto arc = paintWith(0, extent);
    for (int y = 0; y < 40; ++y)
      ASSERT_EQ(arc->Row(y, 0, 40), oval->Row(y, 0, 40)) << "a full turn: " << extent;
  }
  // startAngle 90, arcAngle -90: the wedge from 0 to 90 degrees, the top-right quarter.
  auto wedge = paintWith(90, -90);
  const Box b = BlackBox(*wedge);
  EXPECT_GE(b.left, 19);
  EXPECT_LE(b.bottom, 21);
  EXPECT_TRUE(wedge->IsBlack(30, 10));
  EXPECT_FALSE(wedge->IsBlack(10, 10));
  EXPECT_FALSE(wedge->IsBlack(30, 30));
  auto same = paintWith(0, 90);
  for (int y = 0; y < 40; ++y) ASSERT_EQ(same->Row(y, 0, 40), wedge->Row(y, 0, 40));
  auto none = paintWith(45, 0);
  EXPECT_EQ(none->CountBlack(), 0) << "no extent, nothing drawn";
  // A framed arc is open: only its quarter of the outline.
  DibSurface frame(40, 40);
  Open(frame);
  FrameArc(&r, 90, 90);  // 3 o'clock to 6 o'clock
  const Box fb = BlackBox(frame);
  EXPECT_GE(fb.left, 19);
  EXPECT_GE(fb.top, 19);
  EXPECT_TRUE(frame.IsBlack(39, 20) || frame.IsBlack(38, 20));
  EXPECT_FALSE(frame.IsBlack(20, 20)) << "no centre for a frame";
}

TEST_F(ShapesTest, EmptyRectanglesDrawNothing) {
  DibSurface dib(20, 20);
  Open(dib);
  const Rect empties[] = {{0, 0, 0, 10}, {5, 5, 4, 10}, {0, 10, 10, 10}};
  for (const Rect& r : empties) {
    PaintRect(&r);
    FrameRect(&r);
    PaintOval(&r);
    FrameRoundRect(&r, 4, 4);
    PaintArc(&r, 0, 90);
    InvertRect(&r);
  }
  EXPECT_EQ(dib.CountBlack(), 0);
  PaintRect(nullptr);
  FrameOval(nullptr);
  EXPECT_EQ(dib.CountBlack(), 0);
}

TEST_F(ShapesTest, PolygonsRecordThePenPathAndDrawOpenOrClosed) {
  DibSurface dib(40, 40);
  Open(dib);
  PolyHandle poly = OpenPoly();
  ASSERT_NE(poly, nullptr);
  MoveTo(10, 10);
  LineTo(20, 10);
  LineTo(20, 10);  // the same point adds nothing
  LineTo(20, 20);
  ClosePoly();
  EXPECT_EQ((*poly)->polySize, 22);
  const Rect box = {10, 10, 20, 20};
  EXPECT_TRUE(EqualRect(&(*poly)->polyBBox, &box));
  EXPECT_EQ(GetHandleSize(reinterpret_cast<Handle>(poly)), 22);
  EXPECT_EQ(AsGraf(port_)->polySave, nullptr);
  EXPECT_EQ(dib.CountBlack(), 0) << "the pen is hidden while recording";

  FramePoly(poly);  // open: two lines, not closed back
  EXPECT_EQ(dib.Row(10, 8, 23), "..###########..");
  EXPECT_TRUE(dib.IsBlack(20, 20)) << "the last point is painted";
  EXPECT_FALSE(dib.IsBlack(15, 15)) << "no closing line";
  dib.Fill(kWhite);
  PaintPoly(poly);  // closed for filling: the triangle below the diagonal's upper side
  EXPECT_TRUE(dib.IsBlack(18, 12));
  EXPECT_FALSE(dib.IsBlack(12, 18));
  const int painted = dib.CountBlack();
  InvertPoly(poly);
  EXPECT_EQ(dib.CountBlack(), 0);
  OffsetPoly(poly, 10, 5);
  EXPECT_EQ((*poly)->polyBBox.left, 20);
  EXPECT_EQ((*poly)->polyBBox.top, 15);
  FillPoly(poly, &kBlackPattern);
  EXPECT_EQ(dib.CountBlack(), painted) << "the same triangle, moved";
  EXPECT_TRUE(dib.IsBlack(28, 17));
  ErasePoly(poly);
  EXPECT_EQ(dib.CountBlack(), 0);
  // A thick frame: the pen hangs below and to the right of every point.
  PenSize(3, 3);
  FramePoly(poly);
  const Box b = BlackBox(dib);
  EXPECT_EQ(b.left, 20);
  EXPECT_EQ(b.top, 15);
  EXPECT_EQ(b.right, 33);
  EXPECT_EQ(b.bottom, 28);
  KillPoly(poly);
}

TEST_F(ShapesTest, OnlyTheFirstMovePlacesAPolygonPoint) {
  DibSurface dib(8, 8);
  Open(dib);
  PolyHandle poly = OpenPoly();
  Move(5, 5);
  MoveTo(1, 2);
  LineTo(3, 4);
  ClosePoly();
  EXPECT_EQ((*poly)->polySize, 18);
  EXPECT_EQ((*poly)->polyPoints[0].h, 5);
  EXPECT_EQ((*poly)->polyPoints[1].h, 3);
  KillPoly(poly);
  // An empty polygon draws nothing.
  poly = OpenPoly();
  ClosePoly();
  FramePoly(poly);
  PaintPoly(poly);
  EXPECT_EQ(dib.CountBlack(), 0);
  KillPoly(poly);
}

TEST_F(ShapesTest, PtToAngleMeasuresClockwiseFromTwelve) {
  const Rect r = {0, 0, 100, 200};
  struct Case {
    Point pt;
    short angle;
  };
  for (const Case& c : {Case{{0, 100}, 0}, Case{{50, 200}, 90}, Case{{100, 100}, 180},
                        Case{{50, 0}, 270}, Case{{0, 200}, 45}}) {
    short angle = -1;
    PtToAngle(&r, c.pt, &angle);
    EXPECT_EQ(angle, c.angle) << c.pt.h << "," << c.pt.v;
  }
  PtToAngle(&r, Point{0, 0}, nullptr);
}

int g_rectCalls = 0;
short g_lastVerb = -1;
void ZEBAPI CountingRectProc(GrafVerb verb, const Rect* r) {
  ++g_rectCalls;
  g_lastVerb = verb;
  StdRect(verb, r);  // the standard routine does the drawing
}

TEST_F(ShapesTest, AnInstalledRectProcReplacesTheBottleneck) {
  DibSurface dib(20, 20);
  Open(dib);
  CQDProcs procs;
  SetStdCProcs(&procs);
  // The standard routines as the library exports them (the program's own addresses for
  // imported calls are stubs).
  HMODULE library = GetModuleHandleA("ZEB32_10.dll");
  ASSERT_NE(library, nullptr);
  EXPECT_EQ(procs.rectProc, reinterpret_cast<void*>(GetProcAddress(library, "StdRect")));
  EXPECT_EQ(procs.ovalProc, reinterpret_cast<void*>(GetProcAddress(library, "StdOval")));
  EXPECT_EQ(procs.polyProc, reinterpret_cast<void*>(GetProcAddress(library, "StdPoly")));
  EXPECT_EQ(procs.rgnProc, reinterpret_cast<void*>(GetProcAddress(library, "StdRgn")));
  procs.rectProc = reinterpret_cast<void*>(&CountingRectProc);
  port_.grafProcs = &procs;
  const Rect r = {2, 2, 6, 6};
  g_rectCalls = 0;
  PaintRect(&r);
  EXPECT_EQ(g_rectCalls, 1);
  EXPECT_EQ(g_lastVerb, paint);
  EXPECT_TRUE(dib.IsBlack(3, 3));
  EraseRect(&r);
  EXPECT_EQ(g_rectCalls, 2) << "EraseRect's default goes through the bottleneck too";
  EXPECT_EQ(g_lastVerb, erase);
  EXPECT_FALSE(dib.IsBlack(3, 3));
  port_.grafProcs = nullptr;
}

TEST_F(ShapesTest, PolyPolygonPaintsOnTheCurrentPortsDCOnly) {
  DibSurface dib(30, 30), other(8, 8);
  Open(dib);
  const POINT points[] = {{2, 2}, {10, 2}, {10, 10}, {2, 10}, {20, 20}, {28, 20}, {28, 28}, {20, 28}};
  const INT counts[] = {4, 4};
  EXPECT_EQ(ZEB_PolyPolygon(other.dc(), points, counts, 2), 0);
  EXPECT_EQ(dib.CountBlack(), 0);
  EXPECT_EQ(ZEB_PolyPolygon(nullptr, points, counts, 2), 1);
  EXPECT_TRUE(dib.IsBlack(5, 5));
  EXPECT_TRUE(dib.IsBlack(25, 25));
  EXPECT_FALSE(dib.IsBlack(15, 15));
  EXPECT_EQ(ZEB_PolyPolygon(dib.dc(), points, counts, 2), 1);
  const INT broken[] = {1, 1};
  EXPECT_EQ(ZEB_PolyPolygon(nullptr, points, broken, 2), 0) << "GDI's failure is reported";
}

TEST_F(ShapesTest, ModeEmulationPaintsAndFramesShapesInThePortsColours) {
  DibSurface dib(32, 16);
  dib.Fill(0x0000FF);
  Open(dib);
  ZEB_SetFlags(0, 0, ZEB_SW_MODEEMULATION, ZEB_SW_MODEEMULATION);
  const RGBColor red = {0xFFFF, 0, 0};
  RGBForeColor(&red);
  PenMode(patOr);
  PenPat(&kGray);
  const Rect paintArea = {2, 2, 8, 10};
  PaintRect(&paintArea);
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 16; ++x) {
      const bool inside = x >= 2 && x < 10 && y >= 2 && y < 8;
      ASSERT_EQ(dib.Pixel(x, y), inside && GrayBit(x, y) ? 0xFF0000u : 0x0000FFu)
          << "(" << x << ", " << y << ")";
    }
  PenPat(&kBlackPattern);
  PenSize(2, 2);
  const Rect frameArea = {2, 16, 14, 30};
  FrameOval(&frameArea);
  EXPECT_EQ(dib.Pixel(23, 2), 0xFF0000u) << "the frame's top in the foreground colour";
  EXPECT_EQ(dib.Pixel(23, 8), 0x0000FFu) << "the middle untouched";
  EXPECT_EQ(dib.Pixel(16, 2), 0x0000FFu) << "the corner untouched";
  ZEB_SetFlags(0, 0, ZEB_SW_MODEEMULATION, 0);
}

TEST_F(ShapesTest, FillCRectUsesItsPatternForOneCallAndFillsKeepTheirs) {
  DibSurface dib(16, 16);
  Open(dib);
  Handle h = NewHandle(sizeof(PixPat));
  ASSERT_NE(h, nullptr);
  memset(*h, 0, sizeof(PixPat));
  auto pp = reinterpret_cast<PixPatHandle>(h);
  (*pp)->patType = 0;
  (*pp)->patXValid = -1;
  (*pp)->pat1Data = kGray;
  const PixPatHandle before = port_.fillPixPat;
  const Rect r = {0, 0, 8, 8};
  FillCRect(&r, pp);
  EXPECT_EQ(port_.fillPixPat, before) << "the port's fill pattern is restored";
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 8; ++x) ASSERT_EQ(dib.IsBlack(x, y), GrayBit(x, y));
  // An 8-byte fill pattern stays the port's fill pattern.
  FillOval(&r, &kBlackPattern);
  ASSERT_NE(port_.fillPixPat, nullptr);
  EXPECT_EQ(memcmp((*port_.fillPixPat)->pat1Data.pat, kBlackPattern.pat, 8), 0);
  // FillCRect's brush is cached in the pattern; dispose of it with the port first.
  CloseCPort(&port_);
  port_.patStretch = -1;
  if ((*pp)->patXValid == 0 && (*pp)->patXMap) DeleteObject(reinterpret_cast<HGDIOBJ>((*pp)->patXMap));
  DisposeHandle(h);
}

TEST_F(ShapesTest, KillingThePolygonBeingRecordedEndsTheRecording) {
  DibSurface dib(16, 16);
  Open(dib);
  const short pnVis = AsGraf(port_)->pnVis;
  PolyHandle poly = OpenPoly();
  MoveTo(1, 1);
  KillPoly(poly);
  EXPECT_EQ(AsGraf(port_)->polySave, nullptr);
  EXPECT_EQ(AsGraf(port_)->pnVis, pnVis) << "the pen is shown again";
  LineTo(5, 1);  // no longer recorded into a disposed handle, and drawn
  EXPECT_TRUE(dib.IsBlack(3, 1));
}

TEST_F(ShapesTest, UnsupportedModesAndHiddenPensDrawNothing) {
  DibSurface dib(20, 20);
  Open(dib);
  const Rect r = {2, 2, 10, 10};
  PenMode(50);
  PaintRect(&r);
  FrameOval(&r);
  PenMode(patCopy);
  HidePen();
  PaintRect(&r);
  FrameRect(&r);
  ShowPen();
  EXPECT_EQ(dib.CountBlack(), 0);
  PaintRect(&r);
  EXPECT_EQ(dib.CountBlack(), 64);
}

}  // namespace
}  // namespace zebtest

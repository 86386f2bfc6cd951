// Host-independent geometry: rectangle and point arithmetic, the coordinate mapping and the pen
// geometry of lines.
#include <gtest/gtest.h>

#include <algorithm>

#include "quickdraw/coordinate_mapping.h"
#include "quickdraw/line_geometry.h"
#include "quickdraw/rect_arithmetic.h"

namespace zeb::quickdraw {
namespace {

Rect R(int left, int top, int right, int bottom) { return MakeRect(left, top, right, bottom); }
Point P(int h, int v) { return Point{static_cast<short>(v), static_cast<short>(h)}; }

TEST(RectArithmetic, IntersectionIsEmptyRectAndFalseWithoutOverlap) {
  struct Case {
    Rect a, b, expected;
    bool overlap;
  };
  const Case cases[] = {
      {R(0, 0, 10, 10), R(5, 5, 20, 20), R(5, 5, 10, 10), true},
      {R(0, 0, 10, 10), R(10, 0, 20, 10), R(0, 0, 0, 0), false},  // touching edges only
      {R(0, 0, 10, 10), R(2, 3, 4, 5), R(2, 3, 4, 5), true},      // contained
      {R(5, 5, 5, 9), R(0, 0, 10, 10), R(0, 0, 0, 0), false},     // empty operand
      {R(-20, -20, -10, -10), R(-15, -15, 0, 0), R(-15, -15, -10, -10), true},
  };
  for (const Case& c : cases) {
    Rect out = R(99, 99, 99, 99);
    EXPECT_EQ(IntersectRects(c.a, c.b, out), c.overlap);
    EXPECT_TRUE(SameRect(out, c.expected)) << out.left << "," << out.top << "," << out.right;
  }
}

TEST(RectArithmetic, InsetUnionAndPointsFollowTheToolbox) {
  EXPECT_TRUE(SameRect(InsetBy(R(0, 0, 10, 10), 2, 3), R(2, 3, 8, 7)));
  EXPECT_TRUE(SameRect(InsetBy(R(0, 0, 10, 10), 5, 1), R(0, 0, 0, 0))) << "no area left";
  EXPECT_TRUE(SameRect(InsetBy(R(0, 0, 10, 10), -2, -2), R(-2, -2, 12, 12)));
  EXPECT_TRUE(SameRect(UniteRects(R(0, 0, 10, 10), R(20, -5, 30, 5)), R(0, -5, 30, 10)));
  EXPECT_TRUE(SameRect(RectFromPoints(P(10, 2), P(3, 8)), R(3, 2, 10, 8)));
  EXPECT_TRUE(PointInRect(P(0, 0), R(0, 0, 1, 1)));
  EXPECT_FALSE(PointInRect(P(1, 0), R(0, 0, 1, 1))) << "right edge is outside";
  EXPECT_FALSE(PointInRect(P(0, 1), R(0, 0, 1, 1))) << "bottom edge is outside";
  EXPECT_TRUE(IsEmptyRect(R(5, 5, 5, 10)));
  EXPECT_FALSE(IsEmptyRect(R(5, 5, 6, 6)));
}

TEST(RectArithmetic, UnionsThatAreRectanglesAreFoundWithoutARegion) {
  struct Case {
    Rect a, b;
    bool rectangular;
    Rect out;
  };
  const Case cases[] = {
      {MakeRect(0, 0, 10, 10), MakeRect(10, 0, 20, 10), true, MakeRect(0, 0, 20, 10)},  // side by side
      {MakeRect(0, 0, 10, 10), MakeRect(0, 5, 10, 30), true, MakeRect(0, 0, 10, 30)},   // overlapping rows
      {MakeRect(0, 0, 10, 10), MakeRect(2, 2, 5, 5), true, MakeRect(0, 0, 10, 10)},     // one inside
      {MakeRect(2, 2, 5, 5), MakeRect(0, 0, 10, 10), true, MakeRect(0, 0, 10, 10)},
      {MakeRect(0, 0, 0, 0), MakeRect(3, 4, 5, 6), true, MakeRect(3, 4, 5, 6)},         // empty operand
      {MakeRect(5, 5, 1, 1), MakeRect(0, 0, 0, 0), true, MakeRect(0, 0, 0, 0)},
      {MakeRect(0, 0, 10, 10), MakeRect(11, 0, 20, 10), false, {}},                       // a gap
      {MakeRect(0, 0, 10, 10), MakeRect(5, 5, 15, 15), false, {}},                        // an L
      {MakeRect(0, 0, 10, 10), MakeRect(10, 1, 20, 10), false, {}},                       // a step
  };
  for (const Case& c : cases) {
    Rect out{};
    EXPECT_EQ(UniteIntoRectangle(c.a, c.b, out), c.rectangular) << c.b.left << "," << c.b.top;
    if (c.rectangular) {
      EXPECT_TRUE(SameRect(out, c.out)) << c.b.left << "," << c.b.top;
    }
  }
}

TEST(RectArithmetic, MapPointScalesBetweenFramesAndSurvivesAnEmptySource) {
  struct Case {
    Point in;
    Rect from, to;
    Point expected;
  };
  const Case cases[] = {
      {P(5, 5), R(0, 0, 10, 10), R(0, 0, 20, 40), P(10, 20)},
      {P(15, 25), R(10, 20, 20, 30), R(100, 200, 110, 210), P(105, 205)},
      {P(-5, 0), R(0, 0, 10, 10), R(0, 0, 30, 30), P(-15, 0)},
      // A source without width or height would divide by zero: the point only moves.
      {P(7, 9), R(5, 5, 5, 5), R(10, 20, 50, 60), P(12, 24)},
  };
  for (const Case& c : cases) {
    const Point out = MapPoint(c.in, c.from, c.to);
    EXPECT_EQ(out.h, c.expected.h);
    EXPECT_EQ(out.v, c.expected.v);
  }
}

TEST(CoordinateMapping, OffsetAndScaleMapBothWays) {
  CoordinateMapping m;
  EXPECT_FALSE(m.offset);
  EXPECT_EQ(m.ToDeviceH(17), 17);
  m.SetOrigin(100, 50);
  EXPECT_TRUE(m.offset);
  EXPECT_EQ(m.ToDeviceH(100), 0);
  EXPECT_EQ(m.ToDeviceV(50), 0);
  EXPECT_EQ(m.ToLocalH(0), 100);
  m.SetDeviceOffset(10, 20);
  EXPECT_EQ(m.ToDeviceH(105), 15);
  EXPECT_EQ(m.ToLocalV(20), 50);
  m.SetScale(3, 2, 1, 4);
  EXPECT_TRUE(m.scale);
  EXPECT_EQ(m.ToDeviceH(104), 16) << "(104 - 100) * 3 / 2 + 10";
  EXPECT_EQ(m.ToDeviceV(58), 22) << "(58 - 50) / 4 + 20";
  EXPECT_EQ(m.ToLocalH(16), 104);
  EXPECT_EQ(m.LengthToDeviceV(1), 1) << "a pen never scales to nothing";
  EXPECT_EQ(m.LengthToDeviceH(4), 6);
  m.SetScale(1, 1, 1, 1);
  m.SetOrigin(0, 0);
  m.SetDeviceOffset(0, 0);
  EXPECT_FALSE(m.offset);
}

TEST(CoordinateMapping, MulDivRoundsHalvesAwayFromZeroLikeWindows) {
  EXPECT_EQ(MulDivRound(5, 1, 2), 3);
  EXPECT_EQ(MulDivRound(-5, 1, 2), -3);
  EXPECT_EQ(MulDivRound(7, 3, 4), 5);
  EXPECT_EQ(MulDivRound(1, 1, 0), -1);
  EXPECT_EQ(MulDivRound(2000000000, 3, 3), 2000000000) << "64-bit intermediate";
}

TEST(LineGeometry, StraightLinesCoverBothEndsAndThePenExtent) {
  const DeviceRect r = StraightLineCover({20, 5}, {3, 5}, 4, 2);
  EXPECT_EQ(r.left, 3);
  EXPECT_EQ(r.right, 24);
  EXPECT_EQ(r.top, 5);
  EXPECT_EQ(r.bottom, 7);
  EXPECT_TRUE(IsStraight({1, 1}, {1, 9}));
  EXPECT_FALSE(IsStraight({1, 1}, {2, 9}));
}

// Whether pixel (x, y) lies inside the outline (pixel centres, as a polygon fill takes them).
bool Inside(const DevicePoint* c, int n, int x, int y) {
  const double px = x + 0.5, py = y + 0.5;
  bool in = false;
  for (int i = 0, j = n - 1; i < n; j = i++) {
    if ((c[i].y > py) != (c[j].y > py) &&
        px < (c[j].x - c[i].x) * (py - c[i].y) / static_cast<double>(c[j].y - c[i].y) + c[i].x)
      in = !in;
  }
  return in;
}

TEST(LineGeometry, TheSweptOutlineCoversBothPenRectanglesAndNothingBeyond) {
  struct Case {
    DevicePoint from, to;
    int w, h;
  };
  const Case cases[] = {{{2, 2}, {12, 8}, 3, 2}, {{12, 2}, {2, 9}, 2, 4}, {{5, 5}, {5, 5}, 3, 3},
                        {{0, 10}, {10, 0}, 1, 1}};
  for (const Case& c : cases) {
    DevicePoint corners[6];
    const int n = SweptPenOutline(c.from, c.to, c.w, c.h, corners);
    ASSERT_GE(n, 4);
    for (const DevicePoint& end : {c.from, c.to})
      for (int y = end.y; y < end.y + c.h; ++y)
        for (int x = end.x; x < end.x + c.w; ++x) EXPECT_TRUE(Inside(corners, n, x, y)) << x << "," << y;
    const int maxX = std::max(c.from.x, c.to.x) + c.w, maxY = std::max(c.from.y, c.to.y) + c.h;
    EXPECT_FALSE(Inside(corners, n, maxX, maxY - 1));
    EXPECT_FALSE(Inside(corners, n, std::min(c.from.x, c.to.x) - 1, c.from.y));
  }
}

}  // namespace
}  // namespace zeb::quickdraw

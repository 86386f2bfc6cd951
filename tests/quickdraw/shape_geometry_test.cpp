// Shape outlines, arc angles, frame bands, PtToAngle's arithmetic and polygon records.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "quickdraw/polygon_record.h"
#include "quickdraw/shape_geometry.h"

namespace zeb::quickdraw {
namespace {

DeviceRect BoxOf(const std::vector<DevicePoint>& p) {
  DeviceRect b = {p[0].x, p[0].y, p[0].x, p[0].y};
  for (const DevicePoint& q : p) {
    b.left = std::min(b.left, q.x);
    b.top = std::min(b.top, q.y);
    b.right = std::max(b.right, q.x);
    b.bottom = std::max(b.bottom, q.y);
  }
  return b;
}

TEST(ShapeGeometry, TrigonometryReducesEveryAngleIntoTheFirstQuadrant) {
  struct Case {
    int degrees;
    double sine, cosine;
  };
  const Case cases[] = {{0, 0, 1},    {90, 1, 0},     {180, 0, -1},  {270, -1, 0},
                        {360, 0, 1},  {-90, -1, 0},   {450, 1, 0},   {30, 0.5, 0.8660254},
                        {150, 0.5, -0.8660254}, {210, -0.5, -0.8660254}, {330, -0.5, 0.8660254}};
  for (const Case& c : cases) {
    EXPECT_NEAR(DegreeSine(c.degrees), c.sine, 1e-6) << c.degrees;
    EXPECT_NEAR(DegreeCosine(c.degrees), c.cosine, 1e-6) << c.degrees;
  }
}

TEST(ShapeGeometry, ArcAnglesAreNormalisedIn32Bits) {
  struct Case {
    int start, arc;
    ArcSpan expected;
  };
  const Case cases[] = {
      {0, 360, {0, 360}},
      {90, -90, {0, 90}},        // a negative arc runs back from start + arc
      {45, 90, {45, 90}},
      {-30, 60, {330, 60}},
      {400, 10, {40, 10}},
      {0, -32768, {352, 360}},   // -32768 is negated without wrapping: a full turn
      {0, 32767, {0, 360}},
      {10, 0, {10, 0}},
  };
  for (const Case& c : cases) {
    const ArcSpan s = NormaliseArc(c.start, c.arc);
    EXPECT_EQ(s.start, c.expected.start) << c.start << "," << c.arc;
    EXPECT_EQ(s.extent, c.expected.extent) << c.start << "," << c.arc;
  }
}

TEST(ShapeGeometry, AFullOvalIsNinetyOnePointsAroundItsBox) {
  std::vector<DevicePoint> p;
  ArcOutline({10, 20, 50, 40}, {0, 360}, true, p);
  ASSERT_EQ(p.size(), 91u) << "no centre for a full oval";
  EXPECT_EQ(p.front().x, 30);
  EXPECT_EQ(p.front().y, 20) << "12 o'clock first";
  EXPECT_EQ(p.back().x, p.front().x);
  EXPECT_EQ(p.back().y, p.front().y);
  EXPECT_EQ(p[45].y, 40) << "180 degrees at the bottom";
  const DeviceRect b = BoxOf(p);
  EXPECT_EQ(b.left, 10);
  EXPECT_EQ(b.right, 50);
  EXPECT_EQ(b.top, 20);
  EXPECT_EQ(b.bottom, 40);
  // Clockwise: 88 degrees is at the right side (3 o'clock).
  EXPECT_EQ(p[22].x, 50);
  EXPECT_EQ(p[22].y, 30);
}

TEST(ShapeGeometry, ArcStepsAreFourDegreesWithTheLastClipped) {
  struct Case {
    ArcSpan span;
    bool wedge;
    size_t points;
  };
  const Case cases[] = {
      {{0, 90}, false, 24},   // 0, 4, ..., 88, 90
      {{0, 90}, true, 25},    // and the centre
      {{0, 8}, false, 3},
      {{0, 1}, false, 2},
      {{10, 0}, true, 0},     // no extent, no points
      {{0, 360}, true, 91},
  };
  for (const Case& c : cases) {
    std::vector<DevicePoint> p;
    ArcOutline({0, 0, 100, 100}, c.span, c.wedge, p);
    EXPECT_EQ(p.size(), c.points) << c.span.start << "+" << c.span.extent;
  }
  std::vector<DevicePoint> quarter;
  ArcOutline({0, 0, 100, 100}, {0, 90}, true, quarter);
  EXPECT_EQ(quarter[0].x, 50);
  EXPECT_EQ(quarter[0].y, 0);
  EXPECT_EQ(quarter[23].x, 100) << "ends at exactly 90 degrees";
  EXPECT_EQ(quarter[23].y, 50);
  EXPECT_EQ(quarter[24].x, 50) << "the wedge closes at the centre";
  EXPECT_EQ(quarter[24].y, 50);
}

TEST(ShapeGeometry, RoundRectOutlineIsFourQuarterArcsAndClosed) {
  std::vector<DevicePoint> p;
  RoundRectOutline({0, 0, 40, 20}, 10, 8, p);
  ASSERT_EQ(p.size(), 97u);
  EXPECT_EQ(p.front().x, p.back().x);
  EXPECT_EQ(p.front().y, p.back().y);
  EXPECT_EQ(p[0].x, 40) << "the first arc starts pointing right at the bottom-right corner";
  EXPECT_EQ(p[0].y, 16);
  EXPECT_EQ(p[23].x, 35);
  EXPECT_EQ(p[23].y, 20);
  const DeviceRect b = BoxOf(p);
  EXPECT_EQ(b.left, 0);
  EXPECT_EQ(b.top, 0);
  EXPECT_EQ(b.right, 40);
  EXPECT_EQ(b.bottom, 20);
}

TEST(ShapeGeometry, CornerOvalsOutsideTheRectangleTakeItsSize) {
  struct Case {
    int16_t w, h, expectW, expectH;
  };
  const Rect r = {0, 0, 20, 30};  // 30 wide, 20 high
  for (const Case& c : {Case{0, 0, 30, 20}, Case{-5, 4, 30, 4}, Case{31, 21, 30, 20},
                        Case{10, 12, 10, 12}}) {
    int16_t w = c.w, h = c.h;
    ClampCornerOval(r, w, h);
    EXPECT_EQ(w, c.expectW) << c.w;
    EXPECT_EQ(h, c.expectH) << c.h;
  }
}

TEST(ShapeGeometry, FrameBandsLieInsideTheRectangle) {
  struct Case {
    DeviceRect r;
    int w, h;
    int bands;
    int covered;  // pixels covered by all bands
  };
  const Case cases[] = {
      {{10, 10, 20, 20}, 1, 1, 4, 36},
      {{0, 0, 10, 10}, 2, 3, 4, 100 - 6 * 4},
      {{0, 0, 4, 10}, 2, 1, 4, 40},  // two 2-wide side bands fill the middle rows
      {{0, 0, 10, 2}, 1, 1, 2, 20},
      {{0, 0, 3, 3}, 5, 5, 1, 9},
      {{0, 0, 0, 10}, 1, 1, 0, 0},
  };
  for (const Case& c : cases) {
    DeviceRect out[4];
    const int n = FrameBands(c.r, c.w, c.h, out);
    int covered = 0;
    for (int i = 0; i < n; ++i) {
      EXPECT_GE(out[i].left, c.r.left);
      EXPECT_LE(out[i].right, c.r.right);
      EXPECT_GE(out[i].top, c.r.top);
      EXPECT_LE(out[i].bottom, c.r.bottom);
      covered += out[i].Width() * out[i].Height();
    }
    EXPECT_EQ(n, c.bands) << c.r.right << "x" << c.r.bottom;
    EXPECT_EQ(covered, c.covered) << c.r.right << "x" << c.r.bottom << " pen " << c.w;
  }
}

TEST(ShapeGeometry, PointAnglesAreClockwiseFromTwelveAndRelativeToTheRectangle) {
  struct Case {
    Rect r;
    Point pt;  // v, h
    int16_t angle;
  };
  const Rect square = {0, 0, 100, 100};
  const Rect wide = {0, 0, 100, 300};
  const Case cases[] = {
      {square, {0, 50}, 0},     {square, {50, 100}, 90}, {square, {100, 50}, 180},
      {square, {50, 0}, 270},   {square, {0, 100}, 45},  {square, {100, 100}, 135},
      {square, {100, 0}, 225},  {square, {0, 0}, 315},
      {wide, {0, 300}, 45},     // the corner of a wide rectangle is still 45 degrees
      {wide, {100, 0}, 225},
  };
  for (const Case& c : cases)
    EXPECT_EQ(AngleOfPoint(c.r, c.pt), c.angle) << c.pt.h << "," << c.pt.v;
}

TEST(PolygonRecord, PointsGrowTheSizeAndTheBox) {
  struct Record {
    PolygonHeader header;
    Point points[4];
  } rec{{kEmptyPolygonSize, {0, 0, 0, 0}}, {}};
  const Point path[] = {{10, 10}, {10, 20}, {20, 20}};  // v, h
  for (const Point& p : path) {
    rec.points[PolygonPointCount(rec.header.polySize)] = p;
    CountPolygonPoint(rec.header, p);
  }
  EXPECT_EQ(rec.header.polySize, 22);
  EXPECT_EQ(PolygonPointCount(rec.header.polySize), 3);
  const Rect expected = {10, 10, 20, 20};
  EXPECT_EQ(rec.header.polyBBox.top, expected.top);
  EXPECT_EQ(rec.header.polyBBox.left, expected.left);
  EXPECT_EQ(rec.header.polyBBox.bottom, expected.bottom);
  EXPECT_EQ(rec.header.polyBBox.right, expected.right);
  OffsetPolygonPoints(rec.header, rec.points, 3, 5, -2);
  EXPECT_EQ(rec.points[2].h, 25);
  EXPECT_EQ(rec.points[2].v, 18);
  EXPECT_EQ(rec.header.polyBBox.left, 15);
  EXPECT_EQ(rec.header.polyBBox.top, 8);
}

TEST(PolygonRecord, GrowthStopsBeforeTheSixteenBitLimit) {
  EXPECT_TRUE(PolygonCanGrow(kEmptyPolygonSize));
  EXPECT_TRUE(PolygonCanGrow(32762));
  EXPECT_FALSE(PolygonCanGrow(32764)) << "32768 bytes cannot be counted";
  EXPECT_FALSE(PolygonCanGrow(4)) << "a damaged size takes nothing";
  EXPECT_EQ(PolygonPointCount(-4), 0);
}

}  // namespace
}  // namespace zeb::quickdraw

// Shape outlines.
#include "quickdraw/shape_geometry.h"

#include <cmath>

#include "quickdraw/rect_arithmetic.h"

namespace zeb::quickdraw {
namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr int32_t kDegreesPerStep = 4;

struct TrigTables {
  double cosine[91];
  double sine[91];
  TrigTables() {
    for (int i = 0; i <= 90; ++i) {
      cosine[i] = std::cos(i * kPi / 180.0);
      sine[i] = std::sin(i * kPi / 180.0);
    }
    // Exact at the quadrant ends, so that ovals meet their rectangles' sides.
    cosine[90] = sine[0] = 0.0;
    cosine[0] = sine[90] = 1.0;
  }
};

const TrigTables& Tables() {
  static const TrigTables tables;
  return tables;
}

int32_t ReduceDegrees(int32_t d) {
  d %= 360;
  return d < 0 ? d + 360 : d;
}

DevicePoint Round(double x, double y) {
  // Truncation toward zero after adding a half, as the outlines have always been rounded.
  return {static_cast<int32_t>(x + 0.5), static_cast<int32_t>(y + 0.5)};
}

}  // namespace

double DegreeSine(int32_t degrees) {
  const int32_t d = ReduceDegrees(degrees);
  const TrigTables& t = Tables();
  if (d <= 90) return t.sine[d];
  if (d <= 180) return t.sine[180 - d];
  if (d <= 270) return -t.sine[d - 180];
  return -t.sine[360 - d];
}

double DegreeCosine(int32_t degrees) {
  const int32_t d = ReduceDegrees(degrees);
  const TrigTables& t = Tables();
  if (d <= 90) return t.cosine[d];
  if (d <= 180) return -t.cosine[180 - d];
  if (d <= 270) return -t.cosine[d - 180];
  return t.cosine[360 - d];
}

ArcSpan NormaliseArc(int32_t startAngle, int32_t arcAngle) {
  int32_t start = startAngle, extent = arcAngle;
  if (extent < 0) {
    start += extent;
    extent = -extent;
  }
  if (extent > 360) extent = 360;
  return {ReduceDegrees(start), extent};
}

void ArcOutline(const DeviceRect& r, ArcSpan arc, bool withCentre, std::vector<DevicePoint>& out) {
  out.clear();
  if (arc.extent <= 0) return;
  out.reserve(static_cast<size_t>(arc.extent / kDegreesPerStep + 3));
  const double rx = (r.right - r.left) / 2.0, ry = (r.bottom - r.top) / 2.0;
  const double cx = r.left + rx, cy = r.top + ry;
  const int32_t end = arc.start + arc.extent;
  for (int32_t t = arc.start;; t += kDegreesPerStep) {
    if (t > end) t = end;
    out.push_back(Round(DegreeSine(t) * rx + cx, cy - DegreeCosine(t) * ry));
    if (t == end) break;
  }
  if (withCentre && arc.extent != 360) out.push_back(Round(cx, cy));
}

void RoundRectOutline(const DeviceRect& r, int32_t ovalWidth, int32_t ovalHeight,
                      std::vector<DevicePoint>& out) {
  out.clear();
  out.reserve(97);
  const double rx = ovalWidth / 2.0, ry = ovalHeight / 2.0;
  // Corner centres in drawing order: bottom right, bottom left, top left, top right; the
  // angles here start pointing right and turn downward.
  const double centres[4][2] = {{r.right - rx, r.bottom - ry}, {r.left + rx, r.bottom - ry},
                                {r.left + rx, r.top + ry}, {r.right - rx, r.top + ry}};
  for (int q = 0; q < 4; ++q) {
    const int32_t first = q * 90, last = first + 90;
    for (int32_t t = first;; t += kDegreesPerStep) {
      if (t > last) t = last;
      out.push_back(Round(DegreeCosine(t) * rx + centres[q][0], DegreeSine(t) * ry + centres[q][1]));
      if (t == last) break;
    }
  }
  out.push_back(out.front());
}

void ClampCornerOval(const Rect& r, int16_t& ovalWidth, int16_t& ovalHeight) {
  const int32_t width = r.right - r.left, height = r.bottom - r.top;
  if (ovalWidth > width || ovalWidth < 1) ovalWidth = static_cast<int16_t>(width);
  if (ovalHeight > height || ovalHeight < 1) ovalHeight = static_cast<int16_t>(height);
}

int FrameBands(const DeviceRect& r, int32_t penWidth, int32_t penHeight, DeviceRect out[4]) {
  int n = 0;
  auto add = [&](DeviceRect b) {
    if (b.right > b.left && b.bottom > b.top) out[n++] = b;
  };
  if (r.right <= r.left || r.bottom <= r.top || penWidth <= 0 || penHeight <= 0) return 0;
  const int32_t innerTop = r.top + penHeight < r.bottom ? r.top + penHeight : r.bottom;
  const int32_t innerBottom = r.bottom - penHeight > innerTop ? r.bottom - penHeight : innerTop;
  add({r.left, r.top, r.right, innerTop});
  add({r.left, innerBottom, r.right, r.bottom});
  const int32_t innerLeft = r.left + penWidth < r.right ? r.left + penWidth : r.right;
  const int32_t innerRight = r.right - penWidth > innerLeft ? r.right - penWidth : innerLeft;
  add({r.left, innerTop, innerLeft, innerBottom});
  add({innerRight, innerTop, r.right, innerBottom});
  return n;
}

int16_t AngleOfPoint(const Rect& r, Point pt) {
  const double cx = (r.left + r.right) / 2.0, cy = (r.top + r.bottom) / 2.0;
  if (std::fabs(pt.v - cy) < 0.25) return static_cast<int16_t>(pt.h <= cx ? 270 : 90);
  if (std::fabs(pt.h - cx) < 0.25) return static_cast<int16_t>(pt.v <= cy ? 0 : 180);
  // Up is positive, and the rectangle becomes a square so that its corners are at 45 degrees.
  const Point flipped = {static_cast<int16_t>(r.top + r.bottom - pt.v), pt.h};
  const Rect square = {-500, -500, 500, 500};
  const Point m = MapPoint(flipped, r, square);
  const double d = std::atan2(static_cast<double>(m.v), static_cast<double>(m.h)) * 180.0 / kPi;
  // Rounded to the nearest degree on both sides of the axis: truncating would pull the lower
  // half one degree toward the horizontal (the bottom-right corner would read 134).
  int32_t angle = 90 - static_cast<int32_t>(std::floor(d + 0.5));
  while (angle < 0) angle += 360;
  return static_cast<int16_t>(angle % 360);
}

}  // namespace zeb::quickdraw

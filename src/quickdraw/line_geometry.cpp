// Pen geometry.
#include "quickdraw/line_geometry.h"

#include <algorithm>

namespace zeb::quickdraw {

DeviceRect StraightLineCover(DevicePoint from, DevicePoint to, int32_t penWidth,
                             int32_t penHeight) {
  const int32_t left = std::min(from.x, to.x);
  const int32_t top = std::min(from.y, to.y);
  return {left, top, std::max(from.x, to.x) + penWidth, std::max(from.y, to.y) + penHeight};
}

int SweptPenOutline(DevicePoint from, DevicePoint to, int32_t penWidth, int32_t penHeight,
                    DevicePoint corners[6]) {
  // The eight corners of the two pen rectangles; their convex hull is the swept area.
  DevicePoint p[8] = {
      {from.x, from.y}, {from.x + penWidth, from.y}, {from.x + penWidth, from.y + penHeight},
      {from.x, from.y + penHeight}, {to.x, to.y}, {to.x + penWidth, to.y},
      {to.x + penWidth, to.y + penHeight}, {to.x, to.y + penHeight}};
  std::sort(p, p + 8, [](const DevicePoint& a, const DevicePoint& b) {
    return a.x < b.x || (a.x == b.x && a.y < b.y);
  });
  auto cross = [](const DevicePoint& o, const DevicePoint& a, const DevicePoint& b) {
    return static_cast<int64_t>(a.x - o.x) * (b.y - o.y) -
           static_cast<int64_t>(a.y - o.y) * (b.x - o.x);
  };
  // Andrew's monotone chain; collinear points are dropped.
  DevicePoint hull[16];
  int k = 0;
  for (int i = 0; i < 8; ++i) {
    while (k >= 2 && cross(hull[k - 2], hull[k - 1], p[i]) <= 0) --k;
    hull[k++] = p[i];
  }
  for (int i = 6, lower = k + 1; i >= 0; --i) {
    while (k >= lower && cross(hull[k - 2], hull[k - 1], p[i]) <= 0) --k;
    hull[k++] = p[i];
  }
  const int count = std::min(k - 1, 6);
  for (int i = 0; i < count; ++i) corners[i] = hull[i];
  return count;
}

}  // namespace zeb::quickdraw

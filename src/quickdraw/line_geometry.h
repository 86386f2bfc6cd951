// The Toolbox's pen geometry in device pixels. A pen of w x h pixels at (x, y) covers
// x..x + w - 1 and y..y + h - 1: it hangs below and to the right of the pen location, and a line
// is the shape that pen rectangle sweeps from the start to the end point, both ends included.
#ifndef ZEB_QUICKDRAW_LINE_GEOMETRY_H
#define ZEB_QUICKDRAW_LINE_GEOMETRY_H

#include <cstdint>

namespace zeb::quickdraw {

struct DevicePoint {
  int32_t x, y;
};

// Pixels left..right - 1 and top..bottom - 1, as a Windows RECT.
struct DeviceRect {
  int32_t left, top, right, bottom;
  int32_t Width() const { return right - left; }
  int32_t Height() const { return bottom - top; }
};

// The pixels a straight (horizontal or vertical) line covers with a w x h pen: from the
// smaller end to the larger end plus the pen's extent.
DeviceRect StraightLineCover(DevicePoint from, DevicePoint to, int32_t penWidth,
                             int32_t penHeight);

inline bool IsStraight(DevicePoint from, DevicePoint to) {
  return from.x == to.x || from.y == to.y;
}

// The outline of the area the pen rectangle sweeps from one point to the other: the convex
// hull of the pen rectangle at both ends, as grid-line corners that a polygon fill (GDI's
// Polygon with the null pen) covers exactly. Returns the number of corners (4 or 6).
int SweptPenOutline(DevicePoint from, DevicePoint to, int32_t penWidth, int32_t penHeight,
                    DevicePoint corners[6]);

}  // namespace zeb::quickdraw

#endif  // ZEB_QUICKDRAW_LINE_GEOMETRY_H

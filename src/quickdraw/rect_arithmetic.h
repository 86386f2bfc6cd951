// The Toolbox's rectangle and point arithmetic. A rectangle's coordinates name the grid lines
// around its pixels, so it is empty when bottom <= top or right <= left.
#ifndef ZEB_QUICKDRAW_RECT_ARITHMETIC_H
#define ZEB_QUICKDRAW_RECT_ARITHMETIC_H

#include "MacTypes.h"

namespace zeb::quickdraw {

constexpr Rect kEmptyRect = {0, 0, 0, 0};

inline bool IsEmptyRect(const Rect& r) { return r.bottom <= r.top || r.right <= r.left; }
inline bool SameRect(const Rect& a, const Rect& b) {
  return a.top == b.top && a.left == b.left && a.bottom == b.bottom && a.right == b.right;
}
inline bool PointInRect(Point pt, const Rect& r) {
  return pt.h >= r.left && pt.h < r.right && pt.v >= r.top && pt.v < r.bottom;
}
inline Rect MakeRect(int left, int top, int right, int bottom) {
  return {static_cast<short>(top), static_cast<short>(left), static_cast<short>(bottom),
          static_cast<short>(right)};
}

// Intersection; an empty result is (0, 0, 0, 0) and false.
bool IntersectRects(const Rect& a, const Rect& b, Rect& out);
// The smallest rectangle enclosing both.
Rect UniteRects(const Rect& a, const Rect& b);
// The union of two rectangles when it is itself a rectangle (one holds the other, or they
// line up along a whole side, touching or overlapping); an empty operand gives the other.
// False when the union needs a region.
bool UniteIntoRectangle(const Rect& a, const Rect& b, Rect& out);
// Moves the sides in by dh and dv; a result without area is (0, 0, 0, 0).
Rect InsetBy(const Rect& r, int dh, int dv);
// The rectangle with the two points as opposite corners.
Rect RectFromPoints(Point a, Point b);
// Maps a point from one rectangle's frame to another's, scaling by their sizes. A source
// without width (or height) would divide by zero: that coordinate only moves with the frames.
Point MapPoint(Point pt, const Rect& from, const Rect& to);

}  // namespace zeb::quickdraw

#endif  // ZEB_QUICKDRAW_RECT_ARITHMETIC_H

// Rectangle and point arithmetic.
#include "quickdraw/rect_arithmetic.h"

#include <algorithm>

namespace zeb::quickdraw {
namespace {

short MapCoordinate(int c, int fromLow, int fromHigh, int toLow, int toHigh) {
  const int fromSize = fromHigh - fromLow;
  const int toSize = toHigh - toLow;
  if (fromSize == 0) return static_cast<short>(c - fromLow + toLow);
  const long long scaled = static_cast<long long>(c - fromLow) * toSize / fromSize;
  return static_cast<short>(scaled + toLow);
}

}  // namespace

bool IntersectRects(const Rect& a, const Rect& b, Rect& out) {
  const Rect r = {std::max(a.top, b.top), std::max(a.left, b.left), std::min(a.bottom, b.bottom),
                  std::min(a.right, b.right)};
  if (IsEmptyRect(r)) {
    out = kEmptyRect;
    return false;
  }
  out = r;
  return true;
}

Rect UniteRects(const Rect& a, const Rect& b) {
  return {std::min(a.top, b.top), std::min(a.left, b.left), std::max(a.bottom, b.bottom),
          std::max(a.right, b.right)};
}

Rect InsetBy(const Rect& r, int dh, int dv) {
  const Rect inset = MakeRect(r.left + dh, r.top + dv, r.right - dh, r.bottom - dv);
  return IsEmptyRect(inset) ? kEmptyRect : inset;
}

Rect RectFromPoints(Point a, Point b) {
  return {std::min(a.v, b.v), std::min(a.h, b.h), std::max(a.v, b.v), std::max(a.h, b.h)};
}

bool UniteIntoRectangle(const Rect& a, const Rect& b, Rect& out) {
  if (IsEmptyRect(a) || IsEmptyRect(b)) {
    out = IsEmptyRect(a) ? (IsEmptyRect(b) ? kEmptyRect : b) : a;
    return true;
  }
  const Rect u = UniteRects(a, b);
  auto holds = [](const Rect& outer, const Rect& inner) {
    return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
           inner.bottom <= outer.bottom;
  };
  const bool sameRows = a.top == b.top && a.bottom == b.bottom && a.left <= b.right && b.left <= a.right;
  const bool sameColumns = a.left == b.left && a.right == b.right && a.top <= b.bottom && b.top <= a.bottom;
  if (holds(a, b) || holds(b, a) || sameRows || sameColumns) {
    out = u;
    return true;
  }
  return false;
}

Point MapPoint(Point pt, const Rect& from, const Rect& to) {
  Point out;
  out.h = MapCoordinate(pt.h, from.left, from.right, to.left, to.right);
  out.v = MapCoordinate(pt.v, from.top, from.bottom, to.top, to.bottom);
  return out;
}

}  // namespace zeb::quickdraw

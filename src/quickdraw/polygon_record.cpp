// Polygon record arithmetic.
#include "quickdraw/polygon_record.h"

#include <algorithm>

namespace zeb::quickdraw {

int32_t PolygonPointCount(int32_t polySize) {
  return polySize < kEmptyPolygonSize ? 0 : (polySize - kEmptyPolygonSize) / 4;
}

bool PolygonCanGrow(int32_t polySize) {
  return polySize >= kEmptyPolygonSize && polySize + 4 < kPolygonSizeLimit;
}

void CountPolygonPoint(PolygonHeader& header, Point pt) {
  Rect& box = header.polyBBox;
  if (PolygonPointCount(header.polySize) == 0) {
    box = {pt.v, pt.h, pt.v, pt.h};
  } else {
    box.top = std::min(box.top, pt.v);
    box.left = std::min(box.left, pt.h);
    box.bottom = std::max(box.bottom, pt.v);
    box.right = std::max(box.right, pt.h);
  }
  header.polySize = static_cast<int16_t>(header.polySize + 4);
}

void OffsetPolygonPoints(PolygonHeader& header, Point* points, int32_t count, int16_t dh,
                         int16_t dv) {
  auto move = [&](int16_t& c, int16_t d) { c = static_cast<int16_t>(c + d); };
  move(header.polyBBox.left, dh);
  move(header.polyBBox.right, dh);
  move(header.polyBBox.top, dv);
  move(header.polyBBox.bottom, dv);
  for (int32_t i = 0; i < count; ++i) {
    move(points[i].h, dh);
    move(points[i].v, dv);
  }
}

}  // namespace zeb::quickdraw

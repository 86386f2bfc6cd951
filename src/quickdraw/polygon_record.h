// The polygon record behind a PolyHandle: polySize (bytes in the record), polyBBox, then the
// points. Recording adds the pen's successive locations; the record stops growing before its
// size would reach 32768 bytes, the largest a 16-bit size can count.
#ifndef ZEB_QUICKDRAW_POLYGON_RECORD_H
#define ZEB_QUICKDRAW_POLYGON_RECORD_H

#include <cstdint>

#include "MacTypes.h"

namespace zeb::quickdraw {

ZEB_PACK2_BEGIN
struct PolygonHeader {
  int16_t polySize;
  Rect polyBBox;
};
ZEB_PACK2_END
static_assert(sizeof(PolygonHeader) == 10, "polygon header");

constexpr int16_t kEmptyPolygonSize = 10;
constexpr int32_t kPolygonSizeLimit = 32768;

// Points a record of polySize bytes holds (0 for a damaged size).
int32_t PolygonPointCount(int32_t polySize);
// Whether one more point keeps the record under the limit.
bool PolygonCanGrow(int32_t polySize);
// A point has been stored after the record's last one: the size counts it and the box takes it
// in (the first point sets the box).
void CountPolygonPoint(PolygonHeader& header, Point pt);
// Moves the box and every point.
void OffsetPolygonPoints(PolygonHeader& header, Point* points, int32_t count, int16_t dh,
                         int16_t dv);

}  // namespace zeb::quickdraw

#endif  // ZEB_QUICKDRAW_POLYGON_RECORD_H

// The outlines QuickDraw computes itself instead of asking GDI's ellipse primitives: ovals, arcs
// and wedges as polygons with a vertex every 4 degrees, rounded rectangles as four quarter
// arcs, the frame bands of a rectangle, and the angle of a point seen from a rectangle's
// centre. Angles are whole degrees, clockwise from 12 o'clock, as the Toolbox counts them.
#ifndef ZEB_QUICKDRAW_SHAPE_GEOMETRY_H
#define ZEB_QUICKDRAW_SHAPE_GEOMETRY_H

#include <cstdint>
#include <vector>

#include "MacTypes.h"
#include "quickdraw/line_geometry.h"

namespace zeb::quickdraw {

// The Toolbox's shape verbs (GrafVerb).
enum ShapeVerb : int16_t { kVerbFrame = 0, kVerbPaint = 1, kVerbErase = 2, kVerbInvert = 3,
                           kVerbFill = 4 };

// Sine and cosine of whole degrees, from 91-entry first-quadrant tables.
double DegreeSine(int32_t degrees);
double DegreeCosine(int32_t degrees);

// An arc given as start and extent: a negative extent runs the other way from start + extent.
// The arithmetic is 32-bit, so an extent of -32768 becomes 32768 rather than wrapping back to
// itself; extents beyond a full turn are one full turn. A zero extent has no points.
struct ArcSpan {
  int32_t start;   // 0..359
  int32_t extent;  // 0..360
};
ArcSpan NormaliseArc(int32_t startAngle, int32_t arcAngle);

// The outline of the arc of the ellipse inscribed in (left, top, right, bottom), one vertex
// every 4 degrees and the last at exactly start + extent; with withCentre the ellipse's centre
// closes it into a wedge. A full oval is 91 points.
void ArcOutline(const DeviceRect& r, ArcSpan arc, bool withCentre,
                std::vector<DevicePoint>& out);

// A rounded rectangle's outline: four quarter arcs of 24 points each around the corner
// centres, then the first point again (97 points). The oval size is that of the corners.
void RoundRectOutline(const DeviceRect& r, int32_t ovalWidth, int32_t ovalHeight,
                      std::vector<DevicePoint>& out);

// A corner oval wider than the rectangle or narrower than 1 becomes the rectangle's width;
// likewise its height.
void ClampCornerOval(const Rect& r, int16_t& ovalWidth, int16_t& ovalHeight);

// The edge bands of a frame drawn with a w x h pen inside r: top, bottom, left and right, each
// skipped when empty (a pen as wide as the rectangle leaves only the top and bottom bands).
// Returns the number of bands.
int FrameBands(const DeviceRect& r, int32_t penWidth, int32_t penHeight, DeviceRect out[4]);

// PtToAngle: the angle of pt seen from r's centre, relative to r's proportions (a point on the
// corner of a wide rectangle is at 45 degrees), 0..359.
int16_t AngleOfPoint(const Rect& r, Point pt);

}  // namespace zeb::quickdraw

#endif  // ZEB_QUICKDRAW_SHAPE_GEOMETRY_H

// The drawing steps the shape and region bottlenecks share: which verbs may draw, the verb's
// raster operation and brush, rectangles, polygons and regions filled with a verb, and frames
// drawn with the pen.
#ifndef ZEB_QUICKDRAW_SHAPE_DRAWING_H
#define ZEB_QUICKDRAW_SHAPE_DRAWING_H

#include <windows.h>

#include <functional>
#include <vector>

#include "quickdraw/quickdraw_state.h"
#include "quickdraw/shape_geometry.h"

namespace zeb::quickdraw {

// The pen is shown, the mode is supported, the clip is not empty and there is a DC.
bool MayDraw(GrafPtr port, const DrawingContext& ctx);
DeviceRect DeviceRectOf(const DrawingContext& ctx, const Rect& r);
DevicePoint DevicePointOf(const DrawingContext& ctx, Point pt);
// The device pen's size as frames draw it (1 x 1 under the single-pixel option).
int32_t FramePenWidth(const DrawingContext& ctx);
int32_t FramePenHeight(const DrawingContext& ctx);

// Runs draw() for verb over bounds (device pixels): through a mode-emulation mask when the
// verb draws in the pen's mode and the mode and colours need one.
void DrawVerb(DrawingContext& ctx, int16_t verb, const DeviceRect& bounds,
              const std::function<void()>& draw);

// Fills pixels r.left..r.right - 1 and r.top..r.bottom - 1 with a paint-type verb (paint,
// erase, invert, fill): PatBlt where it stands in for GDI's Rectangle.
void FillDeviceRect(DrawingContext& ctx, int16_t verb, const DeviceRect& r);
// The frame of r drawn with the pen inside r.
void FrameDeviceRect(DrawingContext& ctx, const DeviceRect& r);
// Fills the polygon (even-odd rule) with a paint-type verb.
void FillDevicePolygon(DrawingContext& ctx, int16_t verb, const std::vector<DevicePoint>& points);
// Draws the outline with the pen: the GDI pen for a thin solid pen, otherwise the area the pen
// rectangle sweeps along it. The last point is painted too.
void FrameDeviceOutline(DrawingContext& ctx, const std::vector<DevicePoint>& points);
// Fills a region in device coordinates with a paint-type verb.
void FillDeviceRegion(DrawingContext& ctx, int16_t verb, HRGN region);
// A local-coordinate region as a new device-coordinate one.
HRGN DeviceRegionOf(const DrawingContext& ctx, HRGN local);

// ZEB_PolyPolygon: several device polygons filled at once (alternate rule); false when GDI
// reports an error.
bool PolyPolygonWithVerb(DrawingContext& ctx, int16_t verb, const POINT* points,
                         const INT* counts, int polygons);
// Fill calls leave their pattern in the port as its fill pattern (a colour port's goes into the
// context's spare pixel pattern, which becomes fillPixPat).
void SetFillPattern(GrafPtr port, DrawingContext& ctx, const Pattern& pat);

// Region recording (OpenRgn): the list of sub-polygon starts, and the recorded lines as a GDI
// region (even-odd rule; null when fewer than 2 points or no closed sub-polygon were recorded).
bool StartSubPolygonList(DrawingContext& ctx);
HRGN RecordedPolygonRegion(DrawingContext& ctx, PolyHandle poly);

// Region recording (OpenRgn): a framed shape is united into the region being recorded.
void UniteIntoRecording(GrafPtr port, HRGN shape);
void UniteRectIntoRecording(GrafPtr port, const Rect& r);

}  // namespace zeb::quickdraw

#endif  // ZEB_QUICKDRAW_SHAPE_DRAWING_H

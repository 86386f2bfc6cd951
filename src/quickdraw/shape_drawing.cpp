// Shared drawing steps of the shapes and regions.
#include "quickdraw/shape_drawing.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "events/events_internal.h"
#include "frame/frame_internal.h"
#include "quickdraw/rect_arithmetic.h"
#include "quickdraw/region_record.h"
#include "quickdraw/transfer_modes.h"

namespace zeb::quickdraw {
namespace {

// ZEB_SystemValue index 19: thin patterned pens are drawn as filled areas.
constexpr int kPatternLines = 19;
constexpr uint16_t kR2Not = R2_NOT;
// PatBlt's DSTINVERT: inverts whatever is there.
constexpr DWORD kRopDestInvert = 0x550009;

uint16_t VerbRop(const DrawingContext& ctx, int16_t verb) {
  switch (verb) {
    case kVerbInvert: return kR2Not;
    case kVerbErase:
    case kVerbFill: return kR2CopyPen;
    default: return ctx.drawingMask ? static_cast<uint16_t>(kR2CopyPen) : ctx.penRop;
  }
}

PatternRole VerbRole(int16_t verb) {
  return verb == kVerbErase ? PatternRole::Back
         : verb == kVerbFill ? PatternRole::Fill
                             : PatternRole::Pen;
}

// The verb's brush, raster operation, null pen and opaque background.
bool PrepareFill(DrawingContext& ctx, int16_t verb) {
  SelectRop(ctx, VerbRop(ctx, verb));
  SelectBkMode(ctx, kOpaque);
  SelectNullPen(ctx);
  if (verb == kVerbInvert) return true;  // R2_NOT does not read the brush
  return SelectPatternBrush(ctx, VerbRole(verb));
}

// PatBlt stands in for Rectangle on memory and printer DCs that the display test found to give
// the same pixels; its raster operation is the verb's.
DWORD PatBltRopForVerb(const DrawingContext& ctx, int16_t verb) {
  if (!ctx.patBltDC || ctx.swapped || ctx.dc == State().screenDC || (ctx.flags & kCtxOwnsDC))
    return 0;
  if (frame::Switch(ZEB_SW_MODEEMULATION) && !ctx.drawingMask) return 0;
  const DrawingOptions& o = State().options;
  if (verb == kVerbInvert) return o.fastSolidFills ? kRopDestInvert : 0;
  uint8_t pattern[8];
  if (verb == kVerbPaint)
    PenPatternBytes(ctx, pattern);
  else
    PatternBytes(ctx.port, VerbRole(verb), pattern, nullptr);
  const bool solid = IsAllBytes(pattern, 0xFF) || IsAllBytes(pattern, 0x00);
  if (!(solid ? o.fastSolidFills : o.fastPatternFills)) return 0;
  return PatBltRopFor(VerbRop(ctx, verb));
}

bool ThinSolidPen(const DrawingContext& ctx) {
  if (ctx.singlePixelPen) return true;
  if (ctx.penWidth != 1 || ctx.penHeight != 1) return false;
  uint8_t pattern[8];
  PenPatternBytes(ctx, pattern);
  if (IsAllBytes(pattern, 0xFF) || IsAllBytes(pattern, 0x00)) return true;
  // A patterned thin pen is a dotted GDI pen unless patterned lines are filled.
  return events::StoredSystemValue(kPatternLines) == 0;
}

}  // namespace

bool MayDraw(GrafPtr port, const DrawingContext& ctx) {
  return port->pnVis >= 0 && !ctx.unsupportedMode && !ctx.clipEmpty && ctx.dc;
}

DeviceRect DeviceRectOf(const DrawingContext& ctx, const Rect& r) {
  return {ctx.map.ToDeviceH(r.left), ctx.map.ToDeviceV(r.top), ctx.map.ToDeviceH(r.right),
          ctx.map.ToDeviceV(r.bottom)};
}

DevicePoint DevicePointOf(const DrawingContext& ctx, Point pt) {
  return {ctx.map.ToDeviceH(pt.h), ctx.map.ToDeviceV(pt.v)};
}

int32_t FramePenWidth(const DrawingContext& ctx) { return ctx.singlePixelPen ? 1 : ctx.penWidth; }
int32_t FramePenHeight(const DrawingContext& ctx) {
  return ctx.singlePixelPen ? 1 : ctx.penHeight;
}

void DrawVerb(DrawingContext& ctx, int16_t verb, const DeviceRect& bounds,
              const std::function<void()>& draw) {
  EmulationRule rule;
  if ((verb == kVerbFrame || verb == kVerbPaint) && NeedsMask(ctx, &rule)) {
    const DeviceRect room = {bounds.left - 1, bounds.top - 1, bounds.right + 1, bounds.bottom + 1};
    DrawThroughMask(ctx, room, rule, draw);
  } else {
    draw();
  }
}

void FillDeviceRect(DrawingContext& ctx, int16_t verb, const DeviceRect& r) {
  if (r.right <= r.left || r.bottom <= r.top) return;
  if (const DWORD rop = PatBltRopForVerb(ctx, verb)) {
    if (verb != kVerbInvert && !SelectPatternBrush(ctx, VerbRole(verb))) return;
    PatBlt(ctx.dc, r.left, r.top, r.Width(), r.Height(), rop);
    return;
  }
  if (!PrepareFill(ctx, verb)) return;
  // With the null pen GDI stops one pixel short of right and bottom.
  Rectangle(ctx.dc, r.left, r.top, r.right + 1, r.bottom + 1);
}

void FrameDeviceRect(DrawingContext& ctx, const DeviceRect& r) {
  const int32_t w = FramePenWidth(ctx), h = FramePenHeight(ctx);
  if (w <= 0 || h <= 0) return;
  if (w == 1 && h == 1 && ctx.dc == State().screenDC && !ctx.drawingMask) {
    // A thin frame on the screen: the pen outline through the four corners, inside r.
    SelectRop(ctx, ctx.penRop);
    SelectBkMode(ctx, ctx.penBkMode);
    SelectPen(ctx);
    const POINT corners[5] = {{r.left, r.top}, {r.right - 1, r.top}, {r.right - 1, r.bottom - 1},
                              {r.left, r.bottom - 1}, {r.left, r.top}};
    Polyline(ctx.dc, corners, 5);
    return;
  }
  DeviceRect bands[4];
  const int n = FrameBands(r, w, h, bands);
  // Each band is painted in the pen's mode: the raster operation and PatBlt code follow it.
  for (int i = 0; i < n; ++i) FillDeviceRect(ctx, kVerbPaint, bands[i]);
}

void FillDevicePolygon(DrawingContext& ctx, int16_t verb, const std::vector<DevicePoint>& points) {
  if (points.size() < 3) return;
  if (!PrepareFill(ctx, verb)) return;
  std::vector<POINT> p(points.size());
  for (size_t i = 0; i < points.size(); ++i) p[i] = {points[i].x, points[i].y};
  SetPolyFillMode(ctx.dc, ALTERNATE);
  Polygon(ctx.dc, p.data(), static_cast<int>(p.size()));
}

void FrameDeviceOutline(DrawingContext& ctx, const std::vector<DevicePoint>& points) {
  if (points.empty()) return;
  const int32_t w = FramePenWidth(ctx), h = FramePenHeight(ctx);
  if (w <= 0 || h <= 0) return;
  if (ThinSolidPen(ctx)) {
    SelectRop(ctx, ctx.drawingMask ? static_cast<uint16_t>(kR2CopyPen) : ctx.penRop);
    SelectBkMode(ctx, ctx.drawingMask ? static_cast<uint16_t>(kOpaque) : ctx.penBkMode);
    SelectBackColour(ctx, ctx.backColor);
    SelectPen(ctx);
    std::vector<POINT> p(points.size());
    for (size_t i = 0; i < points.size(); ++i) p[i] = {points[i].x, points[i].y};
    // A closed outline comes back to its first point, which is painted already; an open one
    // ends on a point GDI leaves out.
    const POINT& last = p.back();
    const bool closed = p.size() > 1 && last.x == p.front().x && last.y == p.front().y;
    if (p.size() > 1) Polyline(ctx.dc, p.data(), static_cast<int>(p.size()));
    if (!closed) {
      MoveToEx(ctx.dc, last.x, last.y, nullptr);
      LineTo(ctx.dc, last.x + 1, last.y);
    }
    return;
  }
  // The pen rectangle swept along every edge, united so that overlaps are drawn once (an
  // inverting mode would otherwise undo itself where edges meet).
  HRGN area = CreateRectRgn(0, 0, 0, 0);
  if (!area) return;
  const size_t edges = points.size() == 1 ? 1 : points.size() - 1;
  for (size_t i = 0; i < edges; ++i) {
    const DevicePoint a = points[i], b = points.size() == 1 ? points[0] : points[i + 1];
    DevicePoint corners[6];
    const int count = SweptPenOutline(a, b, w, h, corners);
    POINT p[6];
    for (int k = 0; k < count; ++k) p[k] = {corners[k].x, corners[k].y};
    HRGN piece = CreatePolygonRgn(p, count, WINDING);
    if (!piece) continue;
    CombineRgn(area, area, piece, RGN_OR);
    DeleteObject(piece);
  }
  FillDeviceRegion(ctx, kVerbPaint, area);
  DeleteObject(area);
}

void FillDeviceRegion(DrawingContext& ctx, int16_t verb, HRGN region) {
  if (!region || !PrepareFill(ctx, verb)) return;
  PaintRgn(ctx.dc, region);
}

bool PolyPolygonWithVerb(DrawingContext& ctx, int16_t verb, const POINT* points,
                         const INT* counts, int polygons) {
  if (!PrepareFill(ctx, verb)) return false;
  SetPolyFillMode(ctx.dc, ALTERNATE);
  return PolyPolygon(ctx.dc, points, counts, polygons) != FALSE;
}

void SetFillPattern(GrafPtr port, DrawingContext& ctx, const Pattern& pat) {
  if (!IsColourPort(port)) {
    port->fillPat = pat;
    return;
  }
  PixPatHandle spare = ctx.spare[kSpareFill];
  if (!spare) return;
  InvalidatePixPatBrush(spare);
  (*spare)->patType = 0;
  std::memcpy((*spare)->pat1Data.pat, pat.pat, 8);
  AsColour(port)->fillPixPat = spare;
}

HRGN DeviceRegionOf(const DrawingContext& ctx, HRGN local) {
  HRGN copy = CreateRectRgn(0, 0, 0, 0);
  if (!copy) return nullptr;
  CombineRgn(copy, local, nullptr, RGN_COPY);
  const CoordinateMapping& m = ctx.map;
  const int dx = ctx.bandActive ? ctx.bandOffsetH : 0, dy = ctx.bandActive ? ctx.bandOffsetV : 0;
  if (!m.scale) {
    OffsetRgn(copy, m.ToDeviceH(0) + dx, m.ToDeviceV(0) + dy);
    return copy;
  }
  const DWORD bytes = GetRegionData(copy, 0, nullptr);
  std::vector<char> data(bytes);
  GetRegionData(copy, bytes, reinterpret_cast<RGNDATA*>(data.data()));
  DeleteObject(copy);
  XFORM xf{};
  xf.eM11 = static_cast<FLOAT>(m.numH) / static_cast<FLOAT>(m.denH);
  xf.eM22 = static_cast<FLOAT>(m.numV) / static_cast<FLOAT>(m.denV);
  xf.eDx = static_cast<FLOAT>(m.ToDeviceH(0) + dx);
  xf.eDy = static_cast<FLOAT>(m.ToDeviceV(0) + dy);
  return ExtCreateRegion(&xf, bytes, reinterpret_cast<RGNDATA*>(data.data()));
}

void UniteIntoRecording(GrafPtr port, HRGN shape) {
  auto recording = reinterpret_cast<RgnHandle>(port->rgnSave);
  if (!shape || !RegionOf(recording)) return;
  RgnHandle piece = NewRgn();
  if (!piece) return;
  AdoptGdiShape(piece, shape);
  CombineRegions(recording, piece, recording, RegionOp::Union);
  DisposeRgn(piece);
}

void UniteRectIntoRecording(GrafPtr port, const Rect& r) {
  if (IsEmptyRect(r)) return;
  UniteIntoRecording(port, CreateRectRgn(r.left, r.top, r.right, r.bottom));
}

}  // namespace zeb::quickdraw

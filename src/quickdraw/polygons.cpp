// Polygons: recording the pen's path into a polygon record (OpenPoly ... ClosePoly), drawing a
// polygon with a verb (StdPoly and its entry points), and ZEB_PolyPolygon. Region recording
// (OpenRgn) collects its lines through the same polygon, marking where each sub-polygon begins.
#include <algorithm>
#include <vector>

#include "MacMemory.h"
#include "memory/memory_internal.h"
#include "quickdraw/picture_recording.h"
#include "quickdraw/polygon_record.h"
#include "quickdraw/shape_drawing.h"

namespace zeb::quickdraw {
namespace {

constexpr uint16_t kPolygonOpcode = 0x70;
constexpr int kPolyProc = 6;  // QDProcs.polyProc

using PolyProc = void(ZEBAPI*)(GrafVerb, PolyHandle);

// The sub-polygon list: a count, a capacity, then the index of the first point of each
// sub-polygon; it starts with room for 20 and grows by 20.
struct SubPolygonList {
  int32_t count;
  int32_t capacity;
  int32_t starts[1];
};
constexpr int32_t kSubPolygonStep = 20;
constexpr long SubPolygonListSize(int32_t capacity) { return 8 + 4L * capacity; }

PolygonHeader* HeaderOf(PolyHandle poly) {
  Handle h = reinterpret_cast<Handle>(poly);
  if (memory::LiveHandleSize(h) < kEmptyPolygonSize) return nullptr;
  return reinterpret_cast<PolygonHeader*>(*h);
}

Point* PointsOf(PolyHandle poly) {
  return reinterpret_cast<Point*>(reinterpret_cast<char*>(*poly) + kEmptyPolygonSize);
}

// Points the record really holds: its count, but never more than its handle has room for.
int32_t StoredPointCount(PolyHandle poly) {
  const PolygonHeader* header = HeaderOf(poly);
  if (!header) return 0;
  const long room = (memory::LiveHandleSize(reinterpret_cast<Handle>(poly)) - kEmptyPolygonSize) / 4;
  return std::min<int32_t>(PolygonPointCount(header->polySize), static_cast<int32_t>(room));
}

void NoteSubPolygonStart(DrawingContext& ctx, int32_t index) {
  Handle h = ctx.subPolygons;
  if (!h || !*h) return;
  auto* list = reinterpret_cast<SubPolygonList*>(*h);
  if (list->count > 0 && list->starts[list->count - 1] == index) return;
  if (list->count >= list->capacity) {
    const int32_t capacity = list->capacity + kSubPolygonStep;
    if (!SetHandleSize(h, SubPolygonListSize(capacity))) return;
    list = reinterpret_cast<SubPolygonList*>(*h);
    list->capacity = capacity;
  }
  list->starts[list->count++] = index;
}

void AppendPoint(PolyHandle poly, Point pt) {
  PolygonHeader* header = HeaderOf(poly);
  if (!header || !PolygonCanGrow(header->polySize)) return;
  const int32_t n = PolygonPointCount(header->polySize);
  if (!SetHandleSize(reinterpret_cast<Handle>(poly), header->polySize + 4)) return;
  header = HeaderOf(poly);
  PointsOf(poly)[n] = pt;
  CountPolygonPoint(*header, pt);
}

std::vector<DevicePoint> DevicePoints(const DrawingContext& ctx, PolyHandle poly, int32_t n) {
  std::vector<DevicePoint> out(static_cast<size_t>(n));
  const Point* p = PointsOf(poly);
  for (int32_t i = 0; i < n; ++i) out[i] = DevicePointOf(ctx, p[i]);
  return out;
}

void DrawPolygon(GrafPtr port, DrawingContext& ctx, int16_t verb, PolyHandle poly) {
  const PolygonHeader* header = HeaderOf(poly);
  if (!header) return;
  const int32_t n = StoredPointCount(poly);
  const Rect box = header->polyBBox;
  if (n > 0 && MayDraw(port, ctx)) {
    const std::vector<DevicePoint> points = DevicePoints(ctx, poly, n);
    const DeviceRect d = DeviceRectOf(ctx, box);
    if (verb == kVerbFrame) {
      const DeviceRect bounds = {d.left, d.top, d.right + FramePenWidth(ctx),
                                 d.bottom + FramePenHeight(ctx)};
      DrawVerb(ctx, verb, bounds, [&] { FrameDeviceOutline(ctx, points); });
    } else if (n >= 3) {
      DrawVerb(ctx, verb, d, [&] { FillDevicePolygon(ctx, verb, points); });
    }
  }
  if (verb == kVerbFrame && port->rgnSave && n > 0) {
    // Framing a polygon inside OpenRgn traces its outline into the region, as the pen would if
    // the application drew the lines itself: OpenRgn; FramePoly(p); CloseRgn(r) gives the
    // polygon's region. The points are copied first, since p may be the recording's own polygon.
    const std::vector<Point> outline(PointsOf(poly), PointsOf(poly) + n);
    for (size_t i = 0; i < outline.size(); ++i) RecordPolygonPoint(port, outline[i], i == 0);
  }
  if (port->picSave && !port->rgnSave) RecordPolygon(port, verb, poly);
}

void PolyThroughBottleneck(int16_t verb, PolyHandle poly) {
  GrafPtr port = CurrentPort();
  DrawingContext* ctx = Current();
  if (!port || !ctx || !HeaderOf(poly)) return;
  if (port->grafProcs) {
    auto proc = reinterpret_cast<PolyProc>(port->grafProcs->polyProc);
    if (proc && proc != &StdPoly) {
      proc(verb, poly);
      return;
    }
  }
  DrawPolygon(port, *ctx, verb, poly);
}

}  // namespace

void RecordPolygonPoint(GrafPtr port, Point pt, bool newPolygon) {
  auto poly = reinterpret_cast<PolyHandle>(port->polySave);
  const PolygonHeader* header = HeaderOf(poly);
  if (!header) return;
  const int32_t n = StoredPointCount(poly);
  if (newPolygon) {
    if (port->rgnSave) {
      // A move inside a region starts another sub-polygon at the next point.
      if (DrawingContext* ctx = ContextOf(port)) NoteSubPolygonStart(*ctx, n);
      AppendPoint(poly, pt);
      return;
    }
    // In a polygon only the first move places a point; later moves are not part of it.
    if (n > 0) return;
  }
  if (n > 0) {
    const Point last = PointsOf(poly)[n - 1];
    if (last.h == pt.h && last.v == pt.v) return;
  }
  AppendPoint(poly, pt);
}

void DisposeSubPolygonList(DrawingContext& ctx) {
  if (ctx.subPolygons) DisposeHandle(ctx.subPolygons);
  ctx.subPolygons = nullptr;
}

bool StartSubPolygonList(DrawingContext& ctx) {
  DisposeSubPolygonList(ctx);
  ctx.subPolygons = NewHandle(SubPolygonListSize(kSubPolygonStep));
  if (!ctx.subPolygons) return false;
  auto* list = reinterpret_cast<SubPolygonList*>(*ctx.subPolygons);
  list->count = 0;
  list->capacity = kSubPolygonStep;
  return true;
}

HRGN RecordedPolygonRegion(DrawingContext& ctx, PolyHandle poly) {
  const int32_t n = StoredPointCount(poly);
  if (n < 2) return nullptr;
  // Sub-polygon boundaries: 0, every noted start, the end.
  std::vector<int32_t> bounds = {0, n};
  if (ctx.subPolygons && *ctx.subPolygons) {
    const auto* list = reinterpret_cast<const SubPolygonList*>(*ctx.subPolygons);
    for (int32_t i = 0; i < list->count; ++i)
      if (list->starts[i] > 0 && list->starts[i] < n) bounds.push_back(list->starts[i]);
  }
  std::sort(bounds.begin(), bounds.end());
  bounds.erase(std::unique(bounds.begin(), bounds.end()), bounds.end());
  const Point* p = PointsOf(poly);
  std::vector<POINT> points;
  std::vector<INT> counts;
  for (size_t i = 0; i + 1 < bounds.size(); ++i) {
    const int32_t count = bounds[i + 1] - bounds[i];
    // A sub-polygon of one or two points encloses nothing.
    if (count < 3) continue;
    for (int32_t k = bounds[i]; k < bounds[i + 1]; ++k) points.push_back({p[k].h, p[k].v});
    counts.push_back(count);
  }
  if (counts.empty()) return nullptr;
  if (counts.size() == 1) return CreatePolygonRgn(points.data(), counts[0], ALTERNATE);
  return CreatePolyPolygonRgn(points.data(), counts.data(), static_cast<int>(counts.size()),
                              ALTERNATE);
}

}  // namespace zeb::quickdraw

using namespace zeb;
using namespace zeb::quickdraw;

extern "C" {

PolyHandle ZEBAPI OpenPoly(void) {
  GrafPtr port = CurrentPort();
  DrawingContext* ctx = Current();
  if (!port || !ctx) return nullptr;
  Handle h = NewHandle(kEmptyPolygonSize);
  if (!h) return nullptr;
  auto* header = reinterpret_cast<PolygonHeader*>(*h);
  header->polySize = kEmptyPolygonSize;
  header->polyBBox = {0, 0, 0, 0};
  HidePen();
  port->polySave = h;
  return reinterpret_cast<PolyHandle>(h);
}

void ZEBAPI ClosePoly(void) {
  GrafPtr port = CurrentPort();
  if (!port || !port->polySave) return;
  ShowPen();
  port->polySave = nullptr;
}

void ZEBAPI KillPoly(PolyHandle poly) {
  if (!poly) return;
  GrafPtr port = CurrentPort();
  // A polygon still being recorded stops being recorded first.
  if (port && port->polySave == reinterpret_cast<Handle>(poly)) ClosePoly();
  DisposeHandle(reinterpret_cast<Handle>(poly));
}

void ZEBAPI OffsetPoly(PolyHandle poly, short dh, short dv) {
  PolygonHeader* header = HeaderOf(poly);
  if (!header) return;
  OffsetPolygonPoints(*header, PointsOf(poly), StoredPointCount(poly), dh, dv);
}

void ZEBAPI StdPoly(GrafVerb verb, PolyHandle poly) {
  GrafPtr port = CurrentPort();
  DrawingContext* ctx = Current();
  if (port && ctx) DrawPolygon(port, *ctx, verb, poly);
}

void ZEBAPI FramePoly(PolyHandle poly) { PolyThroughBottleneck(kVerbFrame, poly); }
void ZEBAPI PaintPoly(PolyHandle poly) { PolyThroughBottleneck(kVerbPaint, poly); }
void ZEBAPI ErasePoly(PolyHandle poly) { PolyThroughBottleneck(kVerbErase, poly); }
void ZEBAPI InvertPoly(PolyHandle poly) { PolyThroughBottleneck(kVerbInvert, poly); }
void ZEBAPI FillPoly(PolyHandle poly, ConstPatternParam pat) {
  GrafPtr port = CurrentPort();
  if (!port || !pat) return;
  DrawingContext* ctx = Current();
  if (!ctx) return;
  SetFillPattern(port, *ctx, *pat);
  PolyThroughBottleneck(kVerbFill, poly);
}

short ZEBAPI ZEB_PolyPolygon(HDC hdc, const POINT* points, const INT* counts, short nPolys) {
  DrawingContext* ctx = Current();
  GrafPtr port = CurrentPort();
  if (!ctx || !port || (hdc && hdc != ctx->dc)) return 0;
  if (!points || !counts || nPolys <= 0) return 0;
  if (!MayDraw(port, *ctx)) return 1;
  return PolyPolygonWithVerb(*ctx, kVerbPaint, points, counts, nPolys) ? 1 : 0;
}

}  // extern "C"

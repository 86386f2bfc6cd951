// Rectangles, ovals, rounded rectangles and arcs: each family's bottleneck routine (StdRect,
// StdOval, StdRRect, StdArc) and the entry points that call it with their verb. An installed
// grafProcs entry replaces the bottleneck; the standard routines draw directly, so that an
// application's routine may call them without coming back to itself.
#include <vector>

#include "osutils/osutils_internal.h"
#include "quickdraw/picture_recording.h"
#include "quickdraw/rect_arithmetic.h"
#include "quickdraw/shape_drawing.h"

namespace zeb::quickdraw {
namespace {

// Picture opcodes of the shape families; the verb is added.
constexpr uint16_t kRectOpcode = 0x30;
constexpr uint16_t kRoundRectOpcode = 0x40;
constexpr uint16_t kOvalOpcode = 0x50;
constexpr uint16_t kArcOpcode = 0x60;

// Entries of QDProcs.
enum ProcIndex { kRectProc = 2, kRoundRectProc = 3, kOvalProc = 4, kArcProc = 5 };

using RectProc = void(ZEBAPI*)(GrafVerb, const Rect*);
using RoundProc = void(ZEBAPI*)(GrafVerb, const Rect*, short, short);

void* InstalledProc(GrafPtr port, int index, void* standard) {
  if (!port || !port->grafProcs) return nullptr;
  void* p = reinterpret_cast<void**>(port->grafProcs)[index];
  return p && p != standard ? p : nullptr;
}

bool RecordsPicture(GrafPtr port) { return port->picSave && !port->rgnSave; }

// The outline a frame of r follows: the pen hangs below and to the right of it, so the
// outline's box is r less the pen's size.
DeviceRect FrameOutlineBox(const DrawingContext& ctx, const DeviceRect& d) {
  DeviceRect o = {d.left, d.top, d.right - FramePenWidth(ctx), d.bottom - FramePenHeight(ctx)};
  if (o.right < o.left) o.right = o.left;
  if (o.bottom < o.top) o.bottom = o.top;
  return o;
}

void DrawRect(GrafPtr port, DrawingContext& ctx, int16_t verb, const Rect& r) {
  if (IsEmptyRect(r)) return;
  if (verb == kVerbFrame) {
    if (port->rgnSave) {
      UniteRectIntoRecording(port, r);
    } else if (port->polySave) {
      // The four sides, as MoveTo and LineTo would give them.
      const Point corners[5] = {{r.top, r.left}, {r.top, r.right}, {r.bottom, r.right},
                                {r.bottom, r.left}, {r.top, r.left}};
      for (int i = 0; i < 5; ++i) RecordPolygonPoint(port, corners[i], i == 0);
    }
  }
  if (MayDraw(port, ctx)) {
    const DeviceRect d = DeviceRectOf(ctx, r);
    DrawVerb(ctx, verb, d, [&] {
      if (verb == kVerbFrame)
        FrameDeviceRect(ctx, d);
      else
        FillDeviceRect(ctx, verb, d);
    });
  }
  if (RecordsPicture(port)) RecordShape(port, kRectOpcode, verb, r, 0, 0);
}

// Ovals and arcs: the outline polygon, filled as a wedge or framed as an open arc.
void DrawArcOutline(DrawingContext& ctx, int16_t verb, const DeviceRect& d, ArcSpan span) {
  std::vector<DevicePoint> points;
  if (verb == kVerbFrame) {
    ArcOutline(FrameOutlineBox(ctx, d), span, false, points);
    DrawVerb(ctx, verb, d, [&] { FrameDeviceOutline(ctx, points); });
  } else {
    // A filled oval lies within right - 1 and bottom - 1: a 4 x 4 oval covers 3 x 3 pixels.
    ArcOutline({d.left, d.top, d.right - 1, d.bottom - 1}, span, true, points);
    DrawVerb(ctx, verb, d, [&] { FillDevicePolygon(ctx, verb, points); });
  }
}

void DrawOval(GrafPtr port, DrawingContext& ctx, int16_t verb, const Rect& r) {
  if (IsEmptyRect(r)) return;
  if (verb == kVerbFrame && port->rgnSave)
    UniteIntoRecording(port, CreateEllipticRgn(r.left, r.top, r.right, r.bottom));
  if (MayDraw(port, ctx)) DrawArcOutline(ctx, verb, DeviceRectOf(ctx, r), {0, 360});
  if (RecordsPicture(port)) RecordShape(port, kOvalOpcode, verb, r, 0, 0);
}

void DrawArc(GrafPtr port, DrawingContext& ctx, int16_t verb, const Rect& r, short start,
             short extent) {
  if (IsEmptyRect(r)) return;
  // 32-bit arithmetic: an extent of -32768 turns into a full circle, not into itself.
  const ArcSpan span = NormaliseArc(start, extent);
  if (span.extent > 0 && MayDraw(port, ctx)) DrawArcOutline(ctx, verb, DeviceRectOf(ctx, r), span);
  if (RecordsPicture(port)) RecordShape(port, kArcOpcode, verb, r, start, extent);
}

void DrawRoundRect(GrafPtr port, DrawingContext& ctx, int16_t verb, const Rect& r, short ovalWidth,
                   short ovalHeight) {
  if (IsEmptyRect(r)) return;
  int16_t w = ovalWidth, h = ovalHeight;
  ClampCornerOval(r, w, h);
  if (verb == kVerbFrame && port->rgnSave)
    UniteIntoRecording(port, CreateRoundRectRgn(r.left, r.top, r.right, r.bottom, w, h));
  if (MayDraw(port, ctx)) {
    const DeviceRect d = DeviceRectOf(ctx, r);
    const int32_t dw = ctx.map.LengthToDeviceH(w), dh = ctx.map.LengthToDeviceV(h);
    std::vector<DevicePoint> points;
    if (verb == kVerbFrame) {
      RoundRectOutline(FrameOutlineBox(ctx, d), dw, dh, points);
      DrawVerb(ctx, verb, d, [&] { FrameDeviceOutline(ctx, points); });
    } else {
      RoundRectOutline(d, dw, dh, points);
      DrawVerb(ctx, verb, d, [&] { FillDevicePolygon(ctx, verb, points); });
    }
  }
  if (RecordsPicture(port)) RecordShape(port, kRoundRectOpcode, verb, r, ovalWidth, ovalHeight);
}

void RectThroughBottleneck(int16_t verb, const Rect* r) {
  GrafPtr port = CurrentPort();
  DrawingContext* ctx = Current();
  if (!port || !ctx || !r) return;
  if (auto proc = reinterpret_cast<RectProc>(
          InstalledProc(port, kRectProc, reinterpret_cast<void*>(&StdRect)))) {
    proc(verb, r);
    return;
  }
  DrawRect(port, *ctx, verb, *r);
}

void OvalThroughBottleneck(int16_t verb, const Rect* r) {
  GrafPtr port = CurrentPort();
  DrawingContext* ctx = Current();
  if (!port || !ctx || !r) return;
  if (auto proc = reinterpret_cast<RectProc>(
          InstalledProc(port, kOvalProc, reinterpret_cast<void*>(&StdOval)))) {
    proc(verb, r);
    return;
  }
  DrawOval(port, *ctx, verb, *r);
}

void RoundRectThroughBottleneck(int16_t verb, const Rect* r, short w, short h) {
  GrafPtr port = CurrentPort();
  DrawingContext* ctx = Current();
  if (!port || !ctx || !r) return;
  if (auto proc = reinterpret_cast<RoundProc>(
          InstalledProc(port, kRoundRectProc, reinterpret_cast<void*>(&StdRRect)))) {
    proc(verb, r, w, h);
    return;
  }
  DrawRoundRect(port, *ctx, verb, *r, w, h);
}

void ArcThroughBottleneck(int16_t verb, const Rect* r, short start, short extent) {
  GrafPtr port = CurrentPort();
  DrawingContext* ctx = Current();
  if (!port || !ctx || !r) return;
  if (auto proc = reinterpret_cast<RoundProc>(
          InstalledProc(port, kArcProc, reinterpret_cast<void*>(&StdArc)))) {
    proc(verb, r, start, extent);
    return;
  }
  DrawArc(port, *ctx, verb, *r, start, extent);
}

// Fill calls: the pattern becomes the port's fill pattern, then the verb draws with it.
bool TakeFillPattern(ConstPatternParam pat) {
  GrafPtr port = CurrentPort();
  DrawingContext* ctx = Current();
  if (!port || !ctx || !pat) return false;
  SetFillPattern(port, *ctx, *pat);
  return true;
}

}  // namespace

void ZEBAPI LibraryEraseRect(const Rect* r) { RectThroughBottleneck(kVerbErase, r); }

}  // namespace zeb::quickdraw

using namespace zeb;
using namespace zeb::quickdraw;

extern "C" {

void ZEBAPI StdRect(GrafVerb verb, const Rect* r) {
  GrafPtr port = CurrentPort();
  DrawingContext* ctx = Current();
  if (port && ctx && r) DrawRect(port, *ctx, verb, *r);
}

void ZEBAPI FrameRec(const Rect* r) { RectThroughBottleneck(kVerbFrame, r); }
void ZEBAPI PaintRect(const Rect* r) { RectThroughBottleneck(kVerbPaint, r); }
void ZEBAPI EraseRect(const Rect* r) {
  osutils::Patchable<decltype(&LibraryEraseRect)>(osutils::kTrapEraseRect)(r);
}
void ZEBAPI InvertRec(const Rect* r) { RectThroughBottleneck(kVerbInvert, r); }
void ZEBAPI FillRec(const Rect* r, ConstPatternParam pat) {
  if (TakeFillPattern(pat)) RectThroughBottleneck(kVerbFill, r);
}

void ZEBAPI FillCRect(const Rect* r, PixPatHandle pp) {
  GrafPtr port = CurrentPort();
  if (!port || !pp || !*pp) return;
  if (!IsColourPort(port)) {
    // A black-and-white port fills with the pattern's one-bit form, for this call only.
    const Pattern saved = port->fillPat;
    port->fillPat = (*pp)->pat1Data;
    RectThroughBottleneck(kVerbFill, r);
    port->fillPat = saved;
    return;
  }
  CGrafPtr c = AsColour(port);
  const PixPatHandle saved = c->fillPixPat;
  c->fillPixPat = pp;
  RectThroughBottleneck(kVerbFill, r);
  c->fillPixPat = saved;
}

void ZEBAPI StdOval(GrafVerb verb, const Rect* r) {
  GrafPtr port = CurrentPort();
  DrawingContext* ctx = Current();
  if (port && ctx && r) DrawOval(port, *ctx, verb, *r);
}

void ZEBAPI FrameOval(const Rect* r) { OvalThroughBottleneck(kVerbFrame, r); }
void ZEBAPI PaintOval(const Rect* r) { OvalThroughBottleneck(kVerbPaint, r); }
void ZEBAPI EraseOval(const Rect* r) { OvalThroughBottleneck(kVerbErase, r); }
void ZEBAPI InvertOval(const Rect* r) { OvalThroughBottleneck(kVerbInvert, r); }
void ZEBAPI FillOval(const Rect* r, ConstPatternParam pat) {
  if (TakeFillPattern(pat)) OvalThroughBottleneck(kVerbFill, r);
}

void ZEBAPI StdRRect(GrafVerb verb, const Rect* r, short ovalWidth, short ovalHeight) {
  GrafPtr port = CurrentPort();
  DrawingContext* ctx = Current();
  if (port && ctx && r) DrawRoundRect(port, *ctx, verb, *r, ovalWidth, ovalHeight);
}

void ZEBAPI FrameRoundRect(const Rect* r, short w, short h) {
  RoundRectThroughBottleneck(kVerbFrame, r, w, h);
}
void ZEBAPI PaintRoundRect(const Rect* r, short w, short h) {
  RoundRectThroughBottleneck(kVerbPaint, r, w, h);
}
void ZEBAPI EraseRoundRect(const Rect* r, short w, short h) {
  RoundRectThroughBottleneck(kVerbErase, r, w, h);
}
void ZEBAPI InvertRoundRect(const Rect* r, short w, short h) {
  RoundRectThroughBottleneck(kVerbInvert, r, w, h);
}
void ZEBAPI FillRoundRect(const Rect* r, short w, short h, ConstPatternParam pat) {
  if (TakeFillPattern(pat)) RoundRectThroughBottleneck(kVerbFill, r, w, h);
}

void ZEBAPI StdArc(GrafVerb verb, const Rect* r, short startAngle, short arcAngle) {
  GrafPtr port = CurrentPort();
  DrawingContext* ctx = Current();
  if (port && ctx && r) DrawArc(port, *ctx, verb, *r, startAngle, arcAngle);
}

void ZEBAPI FrameArc(const Rect* r, short start, short extent) {
  ArcThroughBottleneck(kVerbFrame, r, start, extent);
}
void ZEBAPI PaintArc(const Rect* r, short start, short extent) {
  ArcThroughBottleneck(kVerbPaint, r, start, extent);
}
void ZEBAPI EraseArc(const Rect* r, short start, short extent) {
  ArcThroughBottleneck(kVerbErase, r, start, extent);
}
void ZEBAPI InvertArc(const Rect* r, short start, short extent) {
  ArcThroughBottleneck(kVerbInvert, r, start, extent);
}
void ZEBAPI FillArc(const Rect* r, short start, short extent, ConstPatternParam pat) {
  if (TakeFillPattern(pat)) ArcThroughBottleneck(kVerbFill, r, start, extent);
}

void ZEBAPI PtToAngle(const Rect* r, Point pt, short* angle) {
  if (r && angle) *angle = AngleOfPoint(*r, pt);
}

}  // extern "C"

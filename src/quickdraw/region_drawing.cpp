// Drawing regions with the five verbs (StdRgn and its entry points) and recording a region
// from lines and framed shapes (OpenRgn ... CloseRgn).
#include "MacMemory.h"
#include "quickdraw/picture_recording.h"
#include "quickdraw/rect_arithmetic.h"
#include "quickdraw/region_record.h"
#include "quickdraw/shape_drawing.h"

namespace zeb::quickdraw {
namespace {

constexpr int kRgnProc = 7;  // QDProcs.rgnProc
using RgnProc = void(ZEBAPI*)(GrafVerb, RgnHandle);

// " FrameRgn - bitmap style": a mask-form region has no outline to frame.
constexpr unsigned char kMaskFrameReport[] = "\x18 FrameRgn - bitmap style";

// The frame of a region drawn with a w x h pen: the region less what remains of it when it is
// eroded by the pen, so that the pen stays inside the region as it does in FrameRect.
HRGN FrameArea(HRGN shape, int32_t w, int32_t h) {
  HRGN inner = CreateRectRgn(0, 0, 0, 0);
  HRGN moved = CreateRectRgn(0, 0, 0, 0);
  HRGN frame = CreateRectRgn(0, 0, 0, 0);
  if (!inner || !moved || !frame) {
    for (HRGN r : {inner, moved, frame})
      if (r) DeleteObject(r);
    return nullptr;
  }
  CombineRgn(inner, shape, nullptr, RGN_COPY);
  const int shifts[4][2] = {{w, 0}, {-w, 0}, {0, h}, {0, -h}};
  for (const auto& s : shifts) {
    CombineRgn(moved, shape, nullptr, RGN_COPY);
    OffsetRgn(moved, s[0], s[1]);
    CombineRgn(inner, inner, moved, RGN_AND);
  }
  CombineRgn(frame, shape, inner, RGN_DIFF);
  DeleteObject(inner);
  DeleteObject(moved);
  return frame;
}

void DrawRegion(GrafPtr port, DrawingContext& ctx, int16_t verb, RgnHandle rgn) {
  const RegionRecord* r = RegionOf(rgn);
  if (!r || IsEmptyRect(r->rgnBBox)) return;
  const RegionForm form = FormOf(*r);
  if (form == RegionForm::Mask && verb == kVerbFrame) {
    DebugStr(kMaskFrameReport);
  } else if (MayDraw(port, ctx)) {
    const DeviceRect box = DeviceRectOf(ctx, r->rgnBBox);
    if (form == RegionForm::Rectangle) {
      DrawVerb(ctx, verb, box, [&] {
        if (verb == kVerbFrame)
          FrameDeviceRect(ctx, box);
        else
          FillDeviceRect(ctx, verb, box);
      });
    } else if (HRGN local = NewGdiRegionOf(*r)) {
      HRGN device = DeviceRegionOf(ctx, local);
      DeleteObject(local);
      if (device && verb == kVerbFrame) {
        HRGN frame = FrameArea(device, FramePenWidth(ctx), FramePenHeight(ctx));
        DeleteObject(device);
        device = frame;
      }
      if (device) {
        const int16_t fillVerb = verb == kVerbFrame ? static_cast<int16_t>(kVerbPaint) : verb;
        DrawVerb(ctx, verb, box, [&] { FillDeviceRegion(ctx, fillVerb, device); });
        DeleteObject(device);
      }
    }
  }
  // FrameRgn inside OpenRgn adds the framed region's shape to the region being formed.
  if (verb == kVerbFrame && port->rgnSave) {
    auto recording = reinterpret_cast<RgnHandle>(port->rgnSave);
    if (recording != rgn) CombineRegions(recording, rgn, recording, RegionOp::Union);
  }
  if (port->picSave && !port->rgnSave) RecordRegion(port, verb, rgn);
}

void RegionThroughBottleneck(int16_t verb, RgnHandle rgn) {
  GrafPtr port = CurrentPort();
  DrawingContext* ctx = Current();
  if (!port || !ctx || !RegionOf(rgn)) return;
  if (port->grafProcs) {
    auto proc = reinterpret_cast<RgnProc>(reinterpret_cast<void**>(port->grafProcs)[kRgnProc]);
    if (proc && proc != &StdRgn) {
      proc(verb, rgn);
      return;
    }
  }
  DrawRegion(port, *ctx, verb, rgn);
}

}  // namespace
}  // namespace zeb::quickdraw

using namespace zeb;
using namespace zeb::quickdraw;

extern "C" {

void ZEBAPI StdRgn(GrafVerb verb, RgnHandle rgn) {
  GrafPtr port = CurrentPort();
  DrawingContext* ctx = Current();
  if (port && ctx) DrawRegion(port, *ctx, verb, rgn);
}

void ZEBAPI FrameRg(RgnHandle rgn) { RegionThroughBottleneck(kVerbFrame, rgn); }
void ZEBAPI PaintRg(RgnHandle rgn) { RegionThroughBottleneck(kVerbPaint, rgn); }
void ZEBAPI EraseRgn(RgnHandle rgn) { RegionThroughBottleneck(kVerbErase, rgn); }
void ZEBAPI InvertRg(RgnHandle rgn) { RegionThroughBottleneck(kVerbInvert, rgn); }
void ZEBAPI FillRg(RgnHandle rgn, ConstPatternParam pat) {
  GrafPtr port = CurrentPort();
  DrawingContext* ctx = Current();
  if (!port || !ctx || !pat) return;
  SetFillPattern(port, *ctx, *pat);
  RegionThroughBottleneck(kVerbFill, rgn);
}

void ZEBAPI OpenRgn(void) {
  GrafPtr port = CurrentPort();
  DrawingContext* ctx = Current();
  if (!port || !ctx) return;
  if (port->rgnSave) {
    // A recording still open is abandoned: its region and polygon go, and the pen its
    // polygon hid is shown again.
    DisposeRgn(reinterpret_cast<RgnHandle>(port->rgnSave));
    port->rgnSave = nullptr;
    if (port->polySave) KillPoly(reinterpret_cast<PolyHandle>(port->polySave));
  }
  RgnHandle shapes = NewRgn();
  if (!shapes) return;
  if (!StartSubPolygonList(*ctx) || !OpenPoly()) {
    DisposeRgn(shapes);
    DisposeSubPolygonList(*ctx);
    return;
  }
  port->rgnSave = reinterpret_cast<Handle>(shapes);
}

void ZEBAPI CloseRgn(RgnHandle dstRgn) {
  GrafPtr port = CurrentPort();
  DrawingContext* ctx = Current();
  if (!port || !ctx || !port->rgnSave) return;
  auto poly = reinterpret_cast<PolyHandle>(port->polySave);
  auto shapes = reinterpret_cast<RgnHandle>(port->rgnSave);
  ClosePoly();
  HRGN lines = poly ? RecordedPolygonRegion(*ctx, poly) : nullptr;
  if (RegionOf(dstRgn)) {
    if (lines) {
      // The lines' even-odd area, with every framed shape cut in or out of it.
      RgnHandle traced = NewRgn();
      if (traced) {
        AdoptGdiShape(traced, lines);
        lines = nullptr;
        CombineRegions(traced, shapes, dstRgn, RegionOp::Xor);
        DisposeRgn(traced);
      }
    } else {
      CopyRg(shapes, dstRgn);
    }
  }
  if (lines) DeleteObject(lines);
  port->rgnSave = nullptr;
  DisposeRgn(shapes);
  if (poly) KillPoly(poly);
  DisposeSubPolygonList(*ctx);
}

}  // extern "C"

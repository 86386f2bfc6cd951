// ScrollRect: the pixels of a rectangle moved on the device by ScrollDC, the uncovered strip
// returned as the update region and erased with the background pattern.
#include "events/events_internal.h"
#include "quickdraw/quickdraw_internal.h"
#include "quickdraw/quickdraw_state.h"
#include "quickdraw/rect_arithmetic.h"
#include "quickdraw/region_record.h"

namespace zeb::quickdraw {
namespace {

// ZEB_SystemValue index 7: ScrollRect leaves the uncovered strip as it is.
constexpr int kScrollWithoutErase = 7;

}  // namespace
}  // namespace zeb::quickdraw

using namespace zeb;
using namespace zeb::quickdraw;

extern "C" {

void ZEBAPI ScrollRect(const Rect* r, short dh, short dv, RgnHandle updateRgn) {
  GrafPtr port = CurrentPort();
  DrawingContext* ctx = Current();
  if (updateRgn && RegionOf(updateRgn)) SetEmptyRgn(updateRgn);
  if (!r || !port || !ctx || !ctx->dc || IsEmptyRect(*r)) return;
  // The scroll clip is r inside the box of the port's clip region.
  Rect clip = *r;
  if (const RegionRecord* c = RegionOf(port->clipRgn)) {
    if (!IntersectRects(*r, c->rgnBBox, clip)) return;
  }
  const RECT scroll = ToDeviceRect(*ctx, *r);
  const RECT clipDevice = ToDeviceRect(*ctx, clip);
  const int dx = ctx->map.LengthToDeviceH(dh), dy = ctx->map.LengthToDeviceV(dv);
  HRGN uncovered = CreateRectRgn(0, 0, 0, 0);
  RECT box{};
  ScrollDC(ctx->dc, dx, dy, &scroll, &clipDevice, uncovered, &box);
  if (!updateRgn || !RegionOf(updateRgn)) {
    // Without a region the pixels only move: nothing is erased.
    DeleteObject(uncovered);
    return;
  }
  // The uncovered strip back in local coordinates (an active band's offset taken off first);
  // a scaled port takes the strip's box.
  if (ctx->bandActive) OffsetRgn(uncovered, -ctx->bandOffsetH, -ctx->bandOffsetV);
  const CoordinateMapping& m = ctx->map;
  if (!m.scale) {
    OffsetRgn(uncovered, -m.ToDeviceH(0), -m.ToDeviceV(0));
    SetRgnFromGdi(updateRgn, uncovered);
  } else {
    RECT g;
    GetRgnBox(uncovered, &g);
    const Rect local = MakeRect(m.ToLocalH(g.left), m.ToLocalV(g.top), m.ToLocalH(g.right),
                                m.ToLocalV(g.bottom));
    RectRgn(updateRgn, &local);
  }
  DeleteObject(uncovered);
  if (events::StoredSystemValue(kScrollWithoutErase) == 0) EraseRgn(updateRgn);
}

}  // extern "C"

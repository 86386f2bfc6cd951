// Clipping: a port's clipRgn, intersected with its visRgn and mapped to the device, becomes its
// DC's clip region.
#include <vector>

#include "events/events_internal.h"
#include "quickdraw/quickdraw_state.h"
#include "quickdraw/rect_arithmetic.h"
#include "quickdraw/region_record.h"

namespace zeb::quickdraw {
namespace {

// ZEB_SystemValue index 23: clip regions are not selected into DCs.
constexpr int kClippingSuspended = 23;

HRGN ScratchGdiRegion() {
  if (!State().scratchGdiRegion) State().scratchGdiRegion = CreateRectRgn(0, 0, 0, 0);
  return State().scratchGdiRegion;
}

const Rect kWideOpenRect = {-kWideOpen, -kWideOpen, kWideOpen, kWideOpen};

// The region as a box when it has no GDI shape (a mask-form region clips to its box).
bool BoxOnly(const RegionRecord* r) { return !r || FormOf(*r) != RegionForm::Gdi; }
Rect BoxOf(const RegionRecord* r) { return r ? r->rgnBBox : kWideOpenRect; }

HRGN LocalGdiRegion(const RegionRecord* r) {
  if (!BoxOnly(r)) {
    HRGN copy = CreateRectRgn(0, 0, 0, 0);
    CombineRgn(copy, RegionField(*r), nullptr, RGN_COPY);
    return copy;
  }
  const Rect b = BoxOf(r);
  return CreateRectRgn(b.left, b.top, b.right, b.bottom);
}

bool ClipSelectable(const DrawingContext& ctx) {
  return events::StoredSystemValue(kClippingSuspended) == 0 && ctx.port->pnVis >= 0;
}

}  // namespace

RECT ToDeviceRect(const DrawingContext& ctx, const Rect& r) {
  RECT out = {ctx.map.ToDeviceH(r.left), ctx.map.ToDeviceV(r.top), ctx.map.ToDeviceH(r.right),
              ctx.map.ToDeviceV(r.bottom)};
  if (ctx.bandActive) OffsetRect(&out, ctx.bandOffsetH, ctx.bandOffsetV);
  return out;
}

// A local-coordinate GDI region made device coordinates: moved, and scaled when the port scales.
HRGN ToDevice(const DrawingContext& ctx, HRGN local) {
  const CoordinateMapping& m = ctx.map;
  int dx = 0, dy = 0;
  if (ctx.bandActive) {
    dx = ctx.bandOffsetH;
    dy = ctx.bandOffsetV;
  }
  if (!m.scale) {
    OffsetRgn(local, m.ToDeviceH(0) + dx, m.ToDeviceV(0) + dy);
    return local;
  }
  const DWORD bytes = GetRegionData(local, 0, nullptr);
  std::vector<char> data(bytes);
  GetRegionData(local, bytes, reinterpret_cast<RGNDATA*>(data.data()));
  XFORM xf{};
  xf.eM11 = static_cast<FLOAT>(m.numH) / static_cast<FLOAT>(m.denH);
  xf.eM22 = static_cast<FLOAT>(m.numV) / static_cast<FLOAT>(m.denV);
  xf.eDx = static_cast<FLOAT>(m.ToDeviceH(0) + dx);
  xf.eDy = static_cast<FLOAT>(m.ToDeviceV(0) + dy);
  HRGN scaled = ExtCreateRegion(&xf, bytes, reinterpret_cast<RGNDATA*>(data.data()));
  DeleteObject(local);
  return scaled;
}

void ApplyClip(GrafPtr port) {
  DrawingContext* ctx = ContextOf(port);
  if (!ctx) return;
  const RegionRecord* clip = RegionOf(port->clipRgn);
  const RegionRecord* vis = RegionOf(port->visRgn);
  bool empty;
  HRGN device;
  bool ownsDevice = false;
  if (BoxOnly(clip) && BoxOnly(vis)) {
    Rect both;
    empty = !IntersectRects(BoxOf(clip), BoxOf(vis), both);
    const RECT r = empty ? RECT{0, 0, 0, 0} : ToDeviceRect(*ctx, both);
    device = ScratchGdiRegion();
    SetRectRgn(device, r.left, r.top, r.right, r.bottom);
  } else {
    HRGN a = LocalGdiRegion(clip);
    HRGN b = LocalGdiRegion(vis);
    empty = CombineRgn(a, a, b, RGN_AND) == NULLREGION;
    DeleteObject(b);
    device = ToDevice(*ctx, a);
    ownsDevice = true;
  }
  if (ctx->dc && ClipSelectable(*ctx)) {
    SelectClipRgn(ctx->dc, device);
    ctx->clipPending = false;
  } else {
    ctx->clipPending = ctx->dc != nullptr;
  }
  if (ownsDevice && device) DeleteObject(device);
  // A swapped-in DC belongs to someone else's painting: its clip is theirs to judge.
  ctx->clipEmpty = empty && !ctx->swapped;
}

}  // namespace zeb::quickdraw

using namespace zeb;
using namespace zeb::quickdraw;

extern "C" {

void ZEBAPI ZEB_ClipRgnChange(GrafPtr port) { ApplyClip(port); }

short ZEBAPI ZEB_SelectClipRgn(HDC hdc, RgnHandle rgn) {
  const RegionRecord* r = RegionOf(rgn);
  if (!r) return ZEB_CLIP_EMPTY;
  HRGN selected;
  short kind;
  if (FormOf(*r) == RegionForm::Gdi) {
    selected = RegionField(*r);
    kind = ZEB_CLIP_COMPLEX;
  } else {
    selected = ScratchGdiRegion();
    SetRectRgn(selected, r->rgnBBox.left, r->rgnBBox.top, r->rgnBBox.right, r->rgnBBox.bottom);
    kind = ZEB_CLIP_SIMPLE;
  }
  const GrafPtr port = State().current;
  const bool penShown = !port || port->pnVis >= 0;
  if (events::StoredSystemValue(kClippingSuspended) == 0 && penShown) {
    const int answer = SelectClipRgn(hdc, selected);
    if (answer == NULLREGION && SameRect(r->rgnBBox, kEmptyRect)) return ZEB_CLIP_EMPTY;
  } else if (!penShown && Current() && Current()->dc == hdc) {
    Current()->clipPending = true;
  }
  return kind;
}

void ZEBAPI ClipRect(const Rect* r) {
  GrafPtr port = State().current;
  if (!port || !r) return;
  if (!port->clipRgn) port->clipRgn = NewRgn();
  MakeRectangleForm(port->clipRgn, *r);
  ApplyClip(port);
}

void ZEBAPI SetClip(RgnHandle rgn) {
  GrafPtr port = State().current;
  if (!port || !rgn) return;
  if (!port->clipRgn) port->clipRgn = NewRgn();
  CopyRg(rgn, port->clipRgn);
  ApplyClip(port);
}

void ZEBAPI GetClip(RgnHandle rgn) {
  GrafPtr port = State().current;
  if (!port || !rgn || !port->clipRgn) return;
  CopyRg(port->clipRgn, rgn);
}

}  // extern "C"

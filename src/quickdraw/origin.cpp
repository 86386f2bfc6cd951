// The port's origin and rectangle, and the conversions between local and global (Windows
// screen) coordinates.
#include "frame/frame_internal.h"
#include "osutils/osutils_internal.h"
#include "quickdraw/quickdraw_state.h"
#include "windows/windows_internal.h"

namespace zeb::quickdraw {
namespace {

void OffsetPortRect(GrafPtr port, int dh, int dv) {
  Rect& r = port->portRect;
  r.left = static_cast<short>(r.left + dh);
  r.right = static_cast<short>(r.right + dh);
  r.top = static_cast<short>(r.top + dv);
  r.bottom = static_cast<short>(r.bottom + dv);
}

// After the mapping changed: clip, brush phase and device pen location follow.
void RemapPort(GrafPtr port, DrawingContext& ctx) {
  ApplyClip(port);
  if (ctx.brushAlign > 0) ApplyBrushOrigin(ctx);
  MovePenTo(port, ctx, port->pnLoc.h, port->pnLoc.v);
}

POINT LocalToDevice(const DrawingContext& ctx, Point pt) {
  return {ctx.map.ToDeviceH(pt.h), ctx.map.ToDeviceV(pt.v)};
}

}  // namespace

void ZEBAPI LibrarySetOrigin(short h, short v) {
  GrafPtr port = CurrentPort();
  DrawingContext* ctx = Current();
  if (!port || !ctx) return;
  const int dh = h - port->portRect.left;
  const int dv = v - port->portRect.top;
  OffsetPortRect(port, dh, dv);
  ctx->map.SetOrigin(h, v);
  OffsetRegion(port->visRgn, static_cast<short>(dh), static_cast<short>(dv));
  if (ctx->flags & kCtxWindowPort)
    windows::MoveUpdateRegion(port, static_cast<short>(dh), static_cast<short>(dv));
  // clipRgn stays where it is in local coordinates.
  RemapPort(port, *ctx);
}

}  // namespace zeb::quickdraw

using namespace zeb;
using namespace zeb::quickdraw;

extern "C" {

void ZEBAPI SetOrigin(short h, short v) {
  osutils::Patchable<decltype(&LibrarySetOrigin)>(osutils::kTrapSetOrigin)(h, v);
}

void ZEBAPI PortSize(short width, short height) {
  GrafPtr port = CurrentPort();
  if (!port) return;
  port->portRect.bottom = static_cast<short>(port->portRect.top + height);
  port->portRect.right = static_cast<short>(port->portRect.left + width);
}

void ZEBAPI MovePortTo(short leftGlobal, short topGlobal) {
  GrafPtr port = CurrentPort();
  if (!port) return;
  OffsetPortRect(port, leftGlobal - port->portRect.left, topGlobal - port->portRect.top);
}

void ZEBAPI ZEB_PortRectChange(void) {
  GrafPtr port = CurrentPort();
  DrawingContext* ctx = Current();
  if (!port || !ctx) return;
  ctx->map.SetOrigin(port->portRect.left, port->portRect.top);
  RemapPort(port, *ctx);
}

void ZEBAPI LocalToGlobal(Point* pt) {
  DrawingContext* ctx = Current();
  if (!pt || !ctx) return;
  POINT p = LocalToDevice(*ctx, *pt);
  if (ctx->window) ClientToScreen(ctx->window, &p);
  pt->h = static_cast<short>(p.x);
  pt->v = static_cast<short>(p.y);
}

void ZEBAPI GlobalToLocal(Point* pt) {
  DrawingContext* ctx = Current();
  if (!pt || !ctx) return;
  POINT p = {pt->h, pt->v};
  if (ctx->window) ScreenToClient(ctx->window, &p);
  pt->h = static_cast<short>(ctx->map.ToLocalH(p.x));
  pt->v = static_cast<short>(ctx->map.ToLocalV(p.y));
}

void ZEBAPI ZEB_LocalToScreen(Point* pt) {
  DrawingContext* ctx = Current();
  if (!pt || !ctx) return;
  LocalToGlobal(pt);
  // LocalToGlobal already answers in screen coordinates for a port drawn in a window; a port
  // without one (a memory DC) is placed at the frame window's client origin.
  if (ctx->window) return;
  POINT origin = {0, 0};
  if (frame::FrameWindow()) ClientToScreen(frame::FrameWindow(), &origin);
  pt->h = static_cast<short>(pt->h + origin.x);
  pt->v = static_cast<short>(pt->v + origin.y);
}

}  // extern "C"

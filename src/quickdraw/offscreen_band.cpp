// The offscreen band of text: the one-bit glyph mask of mode emulation, whose black pixels take
// the mode's ink.
#include "quickdraw/offscreen_band.h"

#include "quickdraw/copy_options.h"
#include "quickdraw/font_manager.h"
#include "quickdraw/raster_operations.h"
#include "quickdraw/rect_arithmetic.h"

namespace zeb::quickdraw {

void DrawTextInBand(DrawingContext& ctx, const DeviceRect& box, const DeviceRect& textBox,
                    const TextModeRule& rule,
                    const std::function<void(HDC dc, int x, int y)>& drawGlyphs) {
  DrawTextThroughMask(ctx, box, textBox, rule, drawGlyphs);
}

}  // namespace zeb::quickdraw

// ---- ZEB_BeginOffScreen and ZEB_EndOffScreen: flicker-free drawing through a band ----
// While a band is active the port draws on a memory DC holding a bitmap of the band's size; the
// context's mapping carries the band's displacement (its device offset moved by the band's
// top-left), so pens, shapes, text, clips and transfers all land in the band alike, and the
// band's offset fields stay zero. The band is per context and does not nest.
namespace zeb::quickdraw {
namespace {

struct Band {
  DrawingContext* ctx = nullptr;
  HDC portDC = nullptr;
  HDC bandDC = nullptr;
  HBITMAP bitmap = nullptr;
  HGDIOBJ previous = nullptr;
  int16_t savedDeviceH = 0, savedDeviceV = 0;
  RECT device{};  // the band in the port DC's pixels
};

Band g_bands[kContextSlotCount];

Band* BandOf(DrawingContext* ctx) {
  for (Band& b : g_bands)
    if (b.ctx == ctx) return &b;
  return nullptr;
}

// The port's DC in place again, its clip and pen as the port says.
void ReturnToPortDC(Band& band) {
  DrawingContext& ctx = *band.ctx;
  DeselectObjects(ctx);
  ctx.map.SetDeviceOffset(band.savedDeviceH, band.savedDeviceV);
  ctx.bandActive = false;
  AdoptDC(ctx, band.portDC);
  ApplyClip(ctx.port);
  MovePenTo(ctx.port, ctx, ctx.port->pnLoc.h, ctx.port->pnLoc.v);
}

}  // namespace

bool AnyBandActive() {
  for (const Band& b : g_bands)
    if (b.ctx) return true;
  return false;
}

void DropBand(DrawingContext* ctx) {
  Band* band = ctx ? BandOf(ctx) : nullptr;
  if (!band) return;
  ctx->dc = band->portDC;
  ctx->map.SetDeviceOffset(band->savedDeviceH, band->savedDeviceV);
  ctx->bandActive = false;
  SelectObject(band->bandDC, band->previous);
  DeleteObject(band->bitmap);
  DeleteDC(band->bandDC);
  *band = Band{};
}

}  // namespace zeb::quickdraw

using namespace zeb;
using namespace zeb::quickdraw;

extern "C" {

short ZEBAPI ZEB_BeginOffScreen(short erase, const Rect* rect) {
  DrawingContext* ctx = Current();
  GrafPtr port = CurrentPort();
  if (!ctx || !port || !ctx->dc || !rect || IsEmptyRect(*rect) || ctx->bandActive ||
      BandOf(ctx) || !OffscreenBandOption())
    return 0;
  Band* band = BandOf(nullptr);
  if (!band) return 0;
  const RECT d = ToDeviceRect(*ctx, *rect);
  const int w = d.right - d.left, h = d.bottom - d.top;
  if (w <= 0 || h <= 0) return 0;
  HDC bandDC = CreateCompatibleDC(ctx->dc);
  HBITMAP bitmap = bandDC ? CreateCompatibleBitmap(ctx->dc, w, h) : nullptr;
  if (!bitmap) {
    if (bandDC) DeleteDC(bandDC);
    return 0;
  }
  band->ctx = ctx;
  band->portDC = ctx->dc;
  band->bandDC = bandDC;
  band->bitmap = bitmap;
  band->previous = SelectObject(bandDC, bitmap);
  band->savedDeviceH = ctx->map.deviceH;
  band->savedDeviceV = ctx->map.deviceV;
  band->device = d;
  // Drawing in the band starts from what the port shows there.
  BitBlt(bandDC, 0, 0, w, h, ctx->dc, d.left, d.top, SRCCOPY);
  DeselectObjects(*ctx);
  AdoptDC(*ctx, bandDC);
  ctx->map.SetDeviceOffset(static_cast<int16_t>(band->savedDeviceH - d.left),
                           static_cast<int16_t>(band->savedDeviceV - d.top));
  ctx->bandActive = true;
  ctx->bandOffsetH = ctx->bandOffsetV = 0;
  ApplyClip(port);
  MovePenTo(port, *ctx, port->pnLoc.h, port->pnLoc.v);
  if (erase) EraseRect(rect);
  return 1;
}

short ZEBAPI ZEB_EndOffScreen(short copy, short excludeUpdate, short mode) {
  DrawingContext* ctx = Current();
  Band* band = ctx ? BandOf(ctx) : nullptr;
  if (!band) return 0;
  ReturnToPortDC(*band);
  const RECT& d = band->device;
  if (copy) {
    HDC dc = band->portDC;
    if (excludeUpdate && ctx->window) {
      HRGN update = CreateRectRgn(0, 0, 0, 0);
      if (update && GetUpdateRgn(ctx->window, update, FALSE) > NULLREGION)
        ExtSelectClipRgn(dc, update, RGN_DIFF);
      if (update) DeleteObject(update);
    }
    BitBlt(dc, d.left, d.top, d.right - d.left, d.bottom - d.top, band->bandDC, 0, 0,
           Rop3ForMode(mode, false));
    if (excludeUpdate) ApplyClip(ctx->port);
  }
  DropBand(ctx);
  return 1;
}

}  // extern "C"

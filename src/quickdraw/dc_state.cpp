// The GDI state a drawing context keeps in its DC: raster operation, background mode, colours,
// pen and brush origin, each changed only when it differs from what the context says is
// selected.
#include "quickdraw/quickdraw_state.h"
#include "quickdraw/transfer_modes.h"

namespace zeb::quickdraw {

void ResetSelectedState(DrawingContext& ctx) {
  ctx.selectedRop = -1;
  ctx.selectedBkMode = -1;
  ctx.selectedTextColor = CLR_INVALID;
  ctx.selectedBackColor = CLR_INVALID;
  ctx.selectedPenStyle = -1;
  ctx.selectedBrush = nullptr;
  ctx.penFlags = static_cast<uint16_t>((ctx.penFlags | kPenNotSelected) & ~kNullPenSelected);
  ctx.fontSelected = false;
  // The brush origin is a DC attribute too: set again at the next brush selection.
  ctx.brushOriginH = ctx.brushOriginV = -1;
}

void DeselectObjects(DrawingContext& ctx) {
  if (!ctx.dc) return;
  SelectObject(ctx.dc, GetStockObject(NULL_BRUSH));
  SelectObject(ctx.dc, GetStockObject(BLACK_PEN));
  SelectObject(ctx.dc, GetStockObject(SYSTEM_FONT));
  ctx.selectedBrush = nullptr;
  ctx.fontSelected = false;
  ctx.penFlags = static_cast<uint16_t>((ctx.penFlags | kPenNotSelected) & ~kNullPenSelected);
}

void SelectRop(DrawingContext& ctx, uint16_t rop2) {
  if (ctx.selectedRop == static_cast<int16_t>(rop2)) return;
  SetROP2(ctx.dc, rop2);
  ctx.selectedRop = static_cast<int16_t>(rop2);
}

void SelectBkMode(DrawingContext& ctx, uint16_t mode) {
  if (ctx.selectedBkMode == static_cast<int16_t>(mode)) return;
  SetBkMode(ctx.dc, mode);
  ctx.selectedBkMode = static_cast<int16_t>(mode);
}

void SelectTextColour(DrawingContext& ctx, COLORREF c) {
  if (ctx.selectedTextColor == c) return;
  SetTextColor(ctx.dc, c);
  ctx.selectedTextColor = c;
}

void SelectBackColour(DrawingContext& ctx, COLORREF c) {
  if (ctx.selectedBackColor == c) return;
  SetBkColor(ctx.dc, c);
  ctx.selectedBackColor = c;
}

void SelectPen(DrawingContext& ctx) {
  if (!(ctx.penFlags & kPenDirty)) {
    if ((ctx.penFlags & kPenNotSelected) && ctx.pen) SelectObject(ctx.dc, ctx.pen);
    ctx.penFlags = 0;
    return;
  }
  uint8_t pattern[8];
  PenPatternBytes(ctx, pattern);
  // A solid pen for all-black patterns, a dotted one for the rest. An all-white pattern (the
  // erase idiom PenPat(white)) paints the background colour, solid, as the Toolbox does.
  const bool allWhite = IsAllBytes(pattern, 0x00);
  ctx.penStyle = (IsAllBytes(pattern, 0xFF) || allWhite) ? PS_SOLID : PS_DOT;
  const COLORREF colour = allWhite ? ctx.backColor : ctx.foreColor;
  HPEN made;
  if (ctx.penWidth == 0 && ctx.penHeight == 0 && !ctx.singlePixelPen) {
    made = CreatePen(PS_NULL, 0, 0);
    ctx.penStyle = PS_NULL;
  } else {
    const int width = ctx.singlePixelPen ? 1 : (ctx.penHeight + ctx.penWidth) / 2;
    made = CreatePen(ctx.penStyle, width < 1 ? 1 : width, colour);
  }
  if (!made) return;
  SelectObject(ctx.dc, made);
  if (ctx.pen) DeleteObject(ctx.pen);
  ctx.pen = made;
  ctx.selectedPenStyle = static_cast<int16_t>(ctx.penStyle);
  ctx.penFlags = 0;
}

void SelectNullPen(DrawingContext& ctx) {
  if (ctx.penFlags & kNullPenSelected) return;
  SelectObject(ctx.dc, State().nullPen);
  // The context's own pen is selected again (not re-created) by the next SelectPen.
  ctx.penFlags |= kNullPenSelected | kPenNotSelected;
}

void ApplyBrushOrigin(DrawingContext& ctx) {
  int h = 0, v = 0;
  if (ctx.brushAlign > 0) {
    // Patterns follow the port: the brush's phase is that of portRect.topLeft on the screen.
    POINT p = {ctx.map.ToDeviceH(ctx.port->portRect.left), ctx.map.ToDeviceV(ctx.port->portRect.top)};
    if (ctx.window) ClientToScreen(ctx.window, &p);
    h = -p.x & 7;
    v = -p.y & 7;
  }
  if (ctx.drawingMask) {
    // The mask's pixel 0 is the device's maskLeft: its pattern keeps the device's phase.
    h = (h - ctx.maskLeft) & 7;
    v = (v - ctx.maskTop) & 7;
  }
  if (h == ctx.brushOriginH && v == ctx.brushOriginV) return;
  if (ctx.selectedBrush) UnrealizeObject(ctx.selectedBrush);
  SetBrushOrgEx(ctx.dc, h, v, nullptr);
  ctx.brushOriginH = static_cast<int16_t>(h);
  ctx.brushOriginV = static_cast<int16_t>(v);
}

void DeriveModes(DrawingContext& ctx) {
  const ModeRule pen = RuleForMode(ctx.port->pnMode);
  ctx.penRop = pen.rop2;
  ctx.penBkMode = pen.backgroundMode;
  ctx.unsupportedMode = !pen.supported;
  ctx.textBkMode = RuleForMode(ctx.port->txMode).backgroundMode;
  ctx.penFlags |= kPenDirty;
}

void MapPen(DrawingContext& ctx) {
  const GrafPort* port = ctx.port;
  ctx.penH = static_cast<int16_t>(ctx.map.ToDeviceH(port->pnLoc.h));
  ctx.penV = static_cast<int16_t>(ctx.map.ToDeviceV(port->pnLoc.v));
  int32_t w = ctx.map.LengthToDeviceH(port->pnSize.h);
  int32_t h = ctx.map.LengthToDeviceV(port->pnSize.v);
  if (ctx.penScaling) {
    w = static_cast<int32_t>((static_cast<int64_t>(w) * ctx.penScale + 0x8000) >> 16);
    h = static_cast<int32_t>((static_cast<int64_t>(h) * ctx.penScale + 0x8000) >> 16);
  }
  if (port->pnSize.h > 0 && w < 1) w = 1;
  if (port->pnSize.v > 0 && h < 1) h = 1;
  if (w != ctx.penWidth || h != ctx.penHeight) ctx.penFlags |= kPenDirty;
  ctx.penWidth = static_cast<int16_t>(w < 0 ? 0 : w);
  ctx.penHeight = static_cast<int16_t>(h < 0 ? 0 : h);
}

uint8_t ClassifyDepth(HDC dc) {
  if (!dc) return 24;
  int bits = GetDeviceCaps(dc, BITSPIXEL) * GetDeviceCaps(dc, PLANES);
  // A memory DC is as deep as the bitmap selected into it.
  if (GetObjectType(dc) == OBJ_MEMDC) {
    BITMAP bm;
    if (GetObjectA(GetCurrentObject(dc, OBJ_BITMAP), sizeof bm, &bm) == sizeof bm)
      bits = bm.bmBitsPixel * bm.bmPlanes;
  }
  if (bits == 16) return 16;
  if (bits >= 15) return 24;
  if (bits <= 1) return 1;
  return bits <= 4 ? 4 : 8;
}

void AdoptDC(DrawingContext& ctx, HDC dc) {
  ctx.dc = dc;
  const DWORD type = dc ? GetObjectType(dc) : 0;
  ctx.patBltDC = type == OBJ_MEMDC || (type == OBJ_DC && GetDeviceCaps(dc, TECHNOLOGY) == DT_RASPRINTER);
  if (dc) SetTextAlign(dc, TA_BASELINE | TA_LEFT | TA_NOUPDATECP);
  const uint8_t depth = ClassifyDepth(dc);
  const bool depthChanged = depth != ctx.depthClass;
  ctx.depthClass = depth;
  ResetSelectedState(ctx);
  if (depthChanged && ctx.port) ApplyPortColours(ctx, true);
}

}  // namespace zeb::quickdraw

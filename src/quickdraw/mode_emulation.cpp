// Mode emulation: where GDI's raster operations, made for black ink on white paper, cannot give
// a mode's result in the port's colours (the or, bic, notOr and notBic modes), the shape is drawn
// black on white into a one-bit mask covering it, and the mask then puts the mode's colour
// where it is black and leaves the destination where it is white.
#include "frame/frame_internal.h"
#include "quickdraw/quickdraw_state.h"

namespace zeb::quickdraw {

bool NeedsMask(const DrawingContext& ctx, EmulationRule* rule) {
  if (!frame::Switch(ZEB_SW_MODEEMULATION) || ctx.drawingMask) return false;
  const bool blackOnWhite = ctx.foreRgb == kBlackRgb && ctx.backRgb == kWhiteRgb;
  *rule = EmulationFor(ctx.port->pnMode, blackOnWhite);
  return rule->ink != MaskedInk::None;
}

void DrawThroughMask(DrawingContext& ctx, const DeviceRect& bounds, const EmulationRule& rule,
                     const std::function<void()>& draw) {
  const int width = bounds.Width(), height = bounds.Height();
  if (width <= 0 || height <= 0 || !ctx.dc) return;
  HDC target = ctx.dc;
  HDC mask = CreateCompatibleDC(target);
  HBITMAP bits = mask ? CreateBitmap(width, height, 1, 1, nullptr) : nullptr;
  if (!bits) {
    if (mask) DeleteDC(mask);
    return;
  }
  HGDIOBJ firstBitmap = SelectObject(mask, bits);
  PatBlt(mask, 0, 0, width, height, WHITENESS);
  // The mask's own origin puts bounds at its top-left corner.
  SetViewportOrgEx(mask, -bounds.left, -bounds.top, nullptr);

  // Draw black on white into the mask with the context's routes.
  const Rgb16 fore = ctx.foreRgb, back = ctx.backRgb;
  const COLORREF foreRef = ctx.foreColor, backRef = ctx.backColor;
  const bool patBlt = ctx.patBltDC;
  DeselectObjects(ctx);
  ctx.dc = mask;
  ResetSelectedState(ctx);
  ctx.foreRgb = kBlackRgb;
  ctx.backRgb = kWhiteRgb;
  ctx.foreColor = RGB(0, 0, 0);
  ctx.backColor = RGB(255, 255, 255);
  ctx.patBltDC = true;
  ctx.drawingMask = true;
  ctx.maskInverted = rule.invertPattern;
  ctx.maskLeft = bounds.left;
  ctx.maskTop = bounds.top;
  ctx.penFlags |= kPenDirty;
  draw();
  DeselectObjects(ctx);
  ctx.drawingMask = false;
  ctx.maskInverted = false;
  ctx.dc = target;
  ctx.patBltDC = patBlt;
  ctx.foreRgb = fore;
  ctx.backRgb = back;
  ctx.foreColor = foreRef;
  ctx.backColor = backRef;
  ResetSelectedState(ctx);
  ctx.penFlags |= kPenDirty;

  // Apply: mask black (0) takes the text colour, white the background colour, so the brush
  // goes where the shape was drawn.
  SetViewportOrgEx(mask, 0, 0, nullptr);
  HBRUSH ink = CreateSolidBrush(rule.ink == MaskedInk::Foreground ? foreRef : backRef);
  HGDIOBJ previousBrush = SelectObject(target, ink);
  SetTextColor(target, RGB(0, 0, 0));
  SetBkColor(target, RGB(255, 255, 255));
  BitBlt(target, bounds.left, bounds.top, width, height, mask, 0, 0, kRopBrushThroughMask);
  SelectObject(target, previousBrush);
  DeleteObject(ink);
  ResetSelectedState(ctx);

  SelectObject(mask, firstBitmap);
  DeleteObject(bits);
  DeleteDC(mask);
}

}  // namespace zeb::quickdraw

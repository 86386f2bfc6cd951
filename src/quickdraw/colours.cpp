// Foreground and background colours, classic and RGB, and the background pattern.
#include <cstring>

#include "events/events_internal.h"
#include "quickdraw/picture_recording.h"
#include "quickdraw/quickdraw_state.h"

namespace zeb::quickdraw {
namespace {

// ZEB_SystemValue index 29: colour ports keep full RGB colours.
constexpr int kColourDrawing = 29;
// Picture opcodes of the colour calls.
constexpr uint16_t kOpForeColor = 0x0E, kOpBackColor = 0x0F;
constexpr uint16_t kOpRGBForeColor = 0x1A, kOpRGBBackColor = 0x1B;

bool KeepsFullRgb(GrafPtr port) {
  return IsColourPort(port) && events::StoredSystemValue(kColourDrawing) != 0;
}

void SetClassicColour(long colour, bool fore) {
  GrafPtr port = CurrentPort();
  DrawingContext* ctx = Current();
  if (!port || !ctx) return;
  const ClassicColour* c = LookupClassicColour(colour);
  if (!c) return;
  if (port->picSave) RecordClassicColour(port, fore ? kOpForeColor : kOpBackColor, colour);
  if (fore) {
    port->fgColor = colour;
    SetForeRgb(*ctx, c->rgb);
    if (IsColourPort(port)) AsColour(port)->rgbFgColor = ToRGBColor(c->rgb);
  } else {
    port->bkColor = colour;
    SetBackRgb(*ctx, c->rgb);
    if (IsColourPort(port)) AsColour(port)->rgbBkColor = ToRGBColor(c->rgb);
  }
  if (IsColourPort(port)) InvalidatePixPatBrush(AsColour(port)->pnPixPat);
}

void SetRgbColour(const RGBColor* rgb, bool fore) {
  GrafPtr port = CurrentPort();
  DrawingContext* ctx = Current();
  if (!port || !ctx || !rgb) return;
  if (!KeepsFullRgb(port)) {
    SetClassicColour(ClassicColourForRgb(ToRgb16(*rgb)), fore);
    return;
  }
  CGrafPtr c = AsColour(port);
  if (port->picSave) RecordRgbColour(port, fore ? kOpRGBForeColor : kOpRGBBackColor, *rgb);
  RGBColor& stored = fore ? c->rgbFgColor : c->rgbBkColor;
  if (ToRgb16(stored) == ToRgb16(*rgb)) return;
  stored = *rgb;
  if (fore) {
    SetForeRgb(*ctx, ToRgb16(*rgb));
    InvalidatePixPatBrush(c->pnPixPat);
  } else {
    SetBackRgb(*ctx, ToRgb16(*rgb));
  }
}

}  // namespace

Rgb16 ToRgb16(const RGBColor& c) { return {c.red, c.green, c.blue}; }
RGBColor ToRGBColor(const Rgb16& c) { return {c.red, c.green, c.blue}; }

void SetForeRgb(DrawingContext& ctx, const Rgb16& rgb) {
  ctx.foreRgb = rgb;
  const COLORREF ref = ColorRefFor(rgb, ctx.depthClass == 1);
  if (ref != ctx.foreColor) ctx.penFlags |= kPenDirty;
  ctx.foreColor = ref;
}

void SetBackRgb(DrawingContext& ctx, const Rgb16& rgb) {
  ctx.backRgb = rgb;
  const COLORREF ref = ColorRefFor(rgb, ctx.depthClass == 1);
  // An all-white pen pattern draws in the background colour.
  if (ref != ctx.backColor) ctx.penFlags |= kPenDirty;
  ctx.backColor = ref;
}

void ApplyPortColours(DrawingContext& ctx, bool force) {
  GrafPtr port = ctx.port;
  if (force) ctx.penFlags |= kPenDirty;
  if (KeepsFullRgb(port)) {
    SetForeRgb(ctx, ToRgb16(AsColour(port)->rgbFgColor));
    SetBackRgb(ctx, ToRgb16(AsColour(port)->rgbBkColor));
    return;
  }
  if (const ClassicColour* c = LookupClassicColour(port->fgColor)) SetForeRgb(ctx, c->rgb);
  if (const ClassicColour* c = LookupClassicColour(port->bkColor)) SetBackRgb(ctx, c->rgb);
}

}  // namespace zeb::quickdraw

using namespace zeb;
using namespace zeb::quickdraw;

extern "C" {

void ZEBAPI ForeColor(long color) { SetClassicColour(color, true); }
void ZEBAPI BackColor(long color) { SetClassicColour(color, false); }
void ZEBAPI RGBForeColor(const RGBColor* color) { SetRgbColour(color, true); }
void ZEBAPI RGBBackColor(const RGBColor* color) { SetRgbColour(color, false); }

void ZEBAPI GetForeColor(RGBColor* color) {
  GrafPtr port = CurrentPort();
  DrawingContext* ctx = Current();
  if (!color || !port || !ctx) return;
  *color = IsColourPort(port) ? AsColour(port)->rgbFgColor : ToRGBColor(ctx->foreRgb);
}

void ZEBAPI GetBackColor(RGBColor* color) {
  GrafPtr port = CurrentPort();
  DrawingContext* ctx = Current();
  if (!color || !port || !ctx) return;
  *color = IsColourPort(port) ? AsColour(port)->rgbBkColor : ToRGBColor(ctx->backRgb);
}

void ZEBAPI BackPat(ConstPatternParam pat) {
  GrafPtr port = CurrentPort();
  DrawingContext* ctx = Current();
  if (!pat || !port || !ctx) return;
  if (!IsColourPort(port)) {
    port->bkPat = *pat;
    return;
  }
  PixPatHandle spare = ctx->spare[kSpareBack];
  if (!spare) return;
  InvalidatePixPatBrush(spare);
  (*spare)->patType = 0;
  std::memcpy((*spare)->pat1Data.pat, pat->pat, 8);
  AsColour(port)->bkPixPat = spare;
}

void ZEBAPI BackPixPat(PixPatHandle pp) {
  GrafPtr port = CurrentPort();
  if (!pp || !*pp || !port) return;
  if (IsColourPort(port))
    AsColour(port)->bkPixPat = pp;
  else
    port->bkPat = (*pp)->pat1Data;
}

}  // extern "C"

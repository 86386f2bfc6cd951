// The pen: size, mode, pattern, visibility and state, and the process-wide line switches.
#include <cstring>

#include "quickdraw/quickdraw_internal.h"
#include "quickdraw/quickdraw_state.h"
#include "quickdraw/transfer_modes.h"

namespace zeb::quickdraw {
namespace {

constexpr uint16_t kPatternChanged = 0x1;
constexpr Pattern kBlack = {{0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}};

void SetPenPattern(GrafPtr port, DrawingContext& ctx, const Pattern& pat) {
  if (!IsColourPort(port)) {
    port->pnPat = pat;
  } else if (PixPatHandle spare = ctx.spare[kSparePen]) {
    InvalidatePixPatBrush(spare);
    (*spare)->patType = 0;
    (*spare)->pat1Data = pat;
    AsColour(port)->pnPixPat = spare;
  }
  ctx.patternFlags |= kPatternChanged;
  ctx.penFlags |= kPenDirty;  // the pen style follows the pattern
}

}  // namespace

void SinglePixelPenSwitchChanged(bool on) {
  DrawingContext* ctx = Current();
  if (!ctx) return;
  ctx->singlePixelPen = on;
  ctx->penFlags |= kPenDirty;
}

}  // namespace zeb::quickdraw

using namespace zeb;
using namespace zeb::quickdraw;

extern "C" {

void ZEBAPI PenSize(short width, short height) {
  GrafPtr port = CurrentPort();
  DrawingContext* ctx = Current();
  if (!port || !ctx) return;
  port->pnSize = {height, width};
  MapPen(*ctx);
}

void ZEBAPI PenMode(short mode) {
  GrafPtr port = CurrentPort();
  DrawingContext* ctx = Current();
  if (!port || !ctx) return;
  port->pnMode = NormalisePenMode(mode);
  DeriveModes(*ctx);
}

void ZEBAPI PenPat(ConstPatternParam pat) {
  GrafPtr port = CurrentPort();
  DrawingContext* ctx = Current();
  if (!port || !ctx || !pat) return;
  SetPenPattern(port, *ctx, *pat);
}

void ZEBAPI PenPixPat(PixPatHandle pp) {
  GrafPtr port = CurrentPort();
  DrawingContext* ctx = Current();
  if (!port || !ctx || !pp || !*pp) return;
  if (IsColourPort(port))
    AsColour(port)->pnPixPat = pp;
  else
    port->pnPat = (*pp)->pat1Data;
  ctx->patternFlags |= kPatternChanged;
  ctx->penFlags |= kPenDirty;
}

void ZEBAPI PenNormal(void) {
  GrafPtr port = CurrentPort();
  DrawingContext* ctx = Current();
  if (!port || !ctx) return;
  port->pnSize = {1, 1};
  port->pnMode = patCopy;
  DeriveModes(*ctx);
  MapPen(*ctx);
  SetPenPattern(port, *ctx, kBlack);
}

void ZEBAPI HidePen(void) {
  if (GrafPtr port = CurrentPort()) --port->pnVis;
}

void ZEBAPI ShowPen(void) {
  GrafPtr port = CurrentPort();
  DrawingContext* ctx = Current();
  if (!port) return;
  ++port->pnVis;
  // A clip that changed while the pen was hidden was not selected then.
  if (ctx && port->pnVis >= 0 && ctx->clipPending) ApplyClip(port);
}

void ZEBAPI GetPen(Point* pt) {
  GrafPtr port = CurrentPort();
  if (pt && port) *pt = port->pnLoc;
}

void ZEBAPI GetPenState(PenState* pnState) {
  GrafPtr port = CurrentPort();
  if (!pnState || !port) return;
  pnState->pnLoc = port->pnLoc;
  pnState->pnSize = port->pnSize;
  pnState->pnMode = port->pnMode;
  uint8_t pattern[8];
  PatternBytes(port, PatternRole::Pen, pattern, nullptr);
  std::memcpy(pnState->pnPat.pat, pattern, 8);
}

void ZEBAPI SetPenState(const PenState* pnState) {
  GrafPtr port = CurrentPort();
  DrawingContext* ctx = Current();
  if (!pnState || !port || !ctx) return;
  port->pnSize = pnState->pnSize;
  port->pnMode = NormalisePenMode(pnState->pnMode);
  DeriveModes(*ctx);
  SetPenPattern(port, *ctx, pnState->pnPat);
  MovePenTo(port, *ctx, pnState->pnLoc.h, pnState->pnLoc.v);
}

void ZEBAPI ZEB_UseRectForLine(short on) { State().options.rectForLine = on != 0; }

void ZEBAPI ZEB_BrushAlign(short n) {
  DrawingContext* ctx = Current();
  if (!ctx) return;
  if (n == -1)
    ctx->brushAlign = 0;
  else if (n != 0)
    ++ctx->brushAlign;
  else
    --ctx->brushAlign;
  ApplyBrushOrigin(*ctx);
}

}  // extern "C"

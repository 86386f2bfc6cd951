// Opening, initialising and closing graphics ports, and the current port.
#include <cstring>

#include "MacMemory.h"
#include "frame/frame_internal.h"
#include "frame/toolbox_globals.h"
#include "quickdraw/palettes.h"
#include "quickdraw/quickdraw_internal.h"
#include "quickdraw/quickdraw_state.h"
#include "quickdraw/rect_arithmetic.h"
#include "quickdraw/region_record.h"

namespace zeb::quickdraw {
namespace {

constexpr uint8_t kWhitePattern[8] = {0, 0, 0, 0, 0, 0, 0, 0};
constexpr uint8_t kBlackPattern[8] = {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF};
constexpr short kDefaultTextSize = 12;
constexpr short kGrafVarsFlags = static_cast<short>(0xC000);

Ptr TaggedSlot(int slot) {
  return reinterpret_cast<Ptr>(static_cast<uintptr_t>(slot) | kSlotTag);
}

// How a port gets its DC: the one handed in for this port, else the current device's when it is
// an offscreen device, else the screen's.
HDC ChooseDC(DCSource* source) {
  QuickDrawState& s = State();
  if (s.nextPortDC) {
    HDC dc = s.nextPortDC;
    *source = s.nextPortSource;
    s.nextPortDC = nullptr;
    return dc;
  }
  GDHandle device = *frame::Globals().theGDevice;
  if (device && *device && (*device)->gdRefNum != 0 && DeviceDC(device)) {
    *source = DCSource::Device;
    return DeviceDC(device);
  }
  *source = DCSource::Screen;
  AcquireScreenDC();
  return s.screenDC;
}

RGBColor SystemRgb(int index) {
  const COLORREF c = GetSysColor(index);
  return ToRGBColor(RgbFromColorRef(c));
}

void WideOpen(RgnHandle rgn) {
  MakeRectangleForm(rgn, MakeRect(-kWideOpen, -kWideOpen, kWideOpen, kWideOpen));
}

// The colour port's records that the black-and-white port does not have.
bool MakeColourParts(CGrafPtr port, DrawingContext& ctx) {
  GDHandle device = *frame::Globals().theGDevice;
  CTabHandle deviceTable = (device && *device && (*device)->gdPMap && *(*device)->gdPMap)
                               ? (*(*device)->gdPMap)->pmTable
                               : nullptr;
  port->portPixMap = NewPixMapRecord(deviceTable);  // shares the device's colour table
  port->grafVars = NewHandleClear(sizeof(GrafVars));
  ctx.spare[kSpareBack] = NewPatternRecord(kWhitePattern);
  ctx.spare[kSparePen] = NewPatternRecord(kBlackPattern);
  ctx.spare[kSpareFill] = NewPatternRecord(kBlackPattern);
  return port->portPixMap && port->grafVars && ctx.spare[0] && ctx.spare[1] && ctx.spare[2];
}

void DisposeColourParts(CGrafPtr port) {
  if (port->grafVars) DisposeHandle(port->grafVars);
  port->grafVars = nullptr;
  // The colour table belongs to the device.
  if (port->portPixMap) DisposePixMapRecord(port->portPixMap, false);
  port->portPixMap = nullptr;
}

void SetDefaults(GrafPtr port, DrawingContext& ctx) {
  const frame::ToolboxGlobals& g = frame::Globals();
  const int slot = port->patStretch;
  const bool colour = IsColourPort(port);
  if (colour) {
    CGrafPtr c = AsColour(port);
    if (c->portPixMap && *c->portPixMap) {
      (*c->portPixMap)->baseAddr = TaggedSlot(slot);
      (*c->portPixMap)->bounds = g.screenBits->bounds;
    }
    c->portVersion = static_cast<short>(kColourPortVersion);
    c->chExtra = 0;
    c->pnLocHFrac = 0;
    for (PixPatHandle spare : ctx.spare) InvalidatePixPatBrush(spare);
    if (ctx.spare[kSpareBack]) std::memcpy((*ctx.spare[kSpareBack])->pat1Data.pat, kWhitePattern, 8);
    if (ctx.spare[kSparePen]) std::memcpy((*ctx.spare[kSparePen])->pat1Data.pat, kBlackPattern, 8);
    if (ctx.spare[kSpareFill]) std::memcpy((*ctx.spare[kSpareFill])->pat1Data.pat, kBlackPattern, 8);
    c->bkPixPat = ctx.spare[kSpareBack];
    c->pnPixPat = ctx.spare[kSparePen];
    c->fillPixPat = ctx.spare[kSpareFill];
    RGBColor fore = {0, 0, 0}, back = {0xFFFF, 0xFFFF, 0xFFFF};
    if (State().options.systemColours) {
      fore = SystemRgb(COLOR_BTNTEXT);
      back = SystemRgb(State().options.dialogColours ? COLOR_BTNFACE : COLOR_WINDOW);
    }
    c->rgbFgColor = fore;
    c->rgbBkColor = back;
    if (c->grafVars && *c->grafVars) {
      auto* vars = reinterpret_cast<GrafVars*>(*c->grafVars);
      std::memset(vars, 0, sizeof(GrafVars));
      vars->rgbHiliteColor = *g.hiliteRGB;
      vars->pmFlags = kGrafVarsFlags;
    }
  } else {
    port->portBits.baseAddr = TaggedSlot(slot);
    port->portBits.rowBytes = 0;
    port->portBits.bounds = g.screenBits->bounds;
    std::memcpy(port->bkPat.pat, kWhitePattern, 8);
    std::memcpy(port->fillPat.pat, kBlackPattern, 8);
    std::memcpy(port->pnPat.pat, kBlackPattern, 8);
  }
  port->device = 0;
  port->portRect = g.screenBits->bounds;
  port->pnLoc = {0, 0};
  port->pnSize = {1, 1};
  port->pnMode = patCopy;
  port->pnVis = 0;
  port->txFont = 0;
  port->txFace = 0;
  port->filler = 0;
  port->txMode = srcOr;
  port->txSize = kDefaultTextSize;
  port->spExtra = 0;
  port->fgColor = blackColor;
  port->bkColor = whiteColor;
  port->colrBit = 0;
  port->picSave = nullptr;
  port->rgnSave = nullptr;
  port->polySave = nullptr;
  port->grafProcs = nullptr;
  if (port->visRgn) WideOpen(port->visRgn);
  if (port->clipRgn) WideOpen(port->clipRgn);

  ctx.map = CoordinateMapping();
  if (ctx.flags & kCtxWindowPort) ctx.map.SetOrigin(port->portRect.left, port->portRect.top);
  ctx.brushAlign = 0;
  ApplyPortColours(ctx, true);
  DeriveModes(ctx);
  MapPen(ctx);
  ctx.penFlags |= kPenDirty;
}

void OpenPortOn(GrafPtr port, bool colour) {
  if (!port) return;
  QuickDrawState& s = State();
  if (IsOpenPort(port)) ClosePortAndContext(port);
  int slot = -1;
  DrawingContext* ctx = ClaimContext(&slot);
  if (!ctx) {
    port->patStretch = -1;
    if (colour) s.colourPortOpened = false;
    // A DC handed in for this port is not taken: a created one is not the caller's to keep.
    if (s.nextPortDC && s.nextPortSource == DCSource::Created) DeleteDC(s.nextPortDC);
    s.nextPortDC = nullptr;
    return;
  }
  ctx->port = port;
  ctx->singlePixelPen = frame::Switch(ZEB_SW_SINGLEPIXELPEN);
  port->patStretch = static_cast<short>(slot);
  if (colour) {
    ctx->flags |= kCtxColourPort;
    port->portBits.rowBytes = static_cast<short>(kColourPortVersion);  // portVersion
    if (!MakeColourParts(AsColour(port), *ctx)) {
      DisposeColourParts(AsColour(port));
      FreeContext(slot);
      port->patStretch = -1;
      s.colourPortOpened = false;
      return;
    }
    s.colourPortOpened = true;
  }
  DCSource source;
  HDC dc = ChooseDC(&source);
  ctx->source = source;
  ctx->window = source == DCSource::Screen ? s.screenWindow : (dc ? WindowFromDC(dc) : nullptr);
  if (source == DCSource::Created) ctx->flags |= kCtxOwnsDC;
  AdoptDC(*ctx, dc);
  port->visRgn = NewRgn();
  port->clipRgn = NewRgn();
  SetDefaults(port, *ctx);
  if (!port->visRgn || !port->clipRgn || !AddToPortList(port)) {
    // Out of memory: the port stays unopened, as when no slot is free.
    if (port->visRgn) DisposeRgn(port->visRgn);
    if (port->clipRgn) DisposeRgn(port->clipRgn);
    port->visRgn = port->clipRgn = nullptr;
    if (colour) DisposeColourParts(AsColour(port));
    FreeContext(slot);
    port->patStretch = -1;
    if (colour) s.colourPortOpened = false;
    return;
  }
  MakeCurrent(port);
  ApplyClip(port);
  MovePenTo(port, *ctx, 0, 0);
}

}  // namespace

void ClosePortAndContext(GrafPtr port) {
  QuickDrawState& s = State();
  DrawingContext* ctx = ContextOf(port);
  if (!ctx) return;
  const bool wasCurrent = s.current == port;
  const int slot = port->patStretch;
  if (port->clipRgn) DisposeRgn(port->clipRgn);
  if (port->visRgn) DisposeRgn(port->visRgn);
  port->clipRgn = nullptr;
  port->visRgn = nullptr;
  if (IsColourPort(port)) {
    CGrafPtr c = AsColour(port);
    // The spare patterns go with the context; patterns the application installed stay its own.
    for (PixPatHandle* field : {&c->bkPixPat, &c->pnPixPat, &c->fillPixPat}) {
      for (PixPatHandle spare : ctx->spare)
        if (*field == spare) *field = nullptr;
      for (PixPatHandle replayed : ctx->replayed)
        if (*field == replayed) *field = nullptr;
    }
    DisposeColourParts(c);
  }
  FreeContext(slot);
  RemoveFromPortList(port);
  port->patStretch = -1;
  if (wasCurrent) {
    s.current = nullptr;
    s.currentContext = nullptr;
    if (port != reinterpret_cast<GrafPtr>(&s.screenPort)) MakeCurrent(nullptr);
  }
}

void BindPortToWindow(GrafPtr port, HWND hwnd) {
  DrawingContext* ctx = ContextOf(port);
  if (!ctx || !hwnd) return;
  HDC dc = GetDC(hwnd);
  if (!dc) return;
  DeselectObjects(*ctx);
  if (ctx->source == DCSource::Created && ctx->dc) DeleteDC(ctx->dc);
  if (ctx->source == DCSource::Window && ctx->dc) ReleaseDC(ctx->window, ctx->dc);
  ctx->source = DCSource::Window;
  ctx->window = hwnd;
  ctx->flags = static_cast<uint16_t>((ctx->flags | kCtxWindowPort) & ~kCtxOwnsDC);
  AdoptDC(*ctx, dc);
  ctx->map.SetOrigin(port->portRect.left, port->portRect.top);
  MapPen(*ctx);
  ApplyClip(port);
}

HDC PortDC(GrafPtr port) {
  DrawingContext* ctx = ContextOf(port);
  return ctx ? ctx->dc : nullptr;
}

void ScalePortToDevice(GrafPtr port, short deviceH, short localH, short deviceV, short localV) {
  DrawingContext* ctx = ContextOf(port);
  if (!ctx) return;
  ctx->map.SetScale(deviceH, localH, deviceV, localV);
  MapPen(*ctx);
  ctx->penFlags |= kPenDirty;
  ctx->fontRecreate = true;
  ApplyClip(port);
}

void UseDCForNextPort(HDC dc, bool owned) {
  State().nextPortDC = dc;
  State().nextPortSource = owned ? DCSource::Created : DCSource::Lent;
}

}  // namespace zeb::quickdraw

using namespace zeb;
using namespace zeb::quickdraw;

extern "C" {

void ZEBAPI OpenPort(GrafPtr port) {
  if (port) port->portBits.rowBytes = 0;
  OpenPortOn(port, false);
}

void ZEBAPI OpenCPort(CGrafPtr port) { OpenPortOn(reinterpret_cast<GrafPtr>(port), true); }

void ZEBAPI InitPort(GrafPtr port) {
  DrawingContext* ctx = ContextOf(port);
  if (!ctx) return;
  SetDefaults(port, *ctx);
  ApplyClip(port);
  MovePenTo(port, *ctx, 0, 0);
}

void ZEBAPI InitCPort(CGrafPtr port) { InitPort(reinterpret_cast<GrafPtr>(port)); }

void ZEBAPI OpenPortForHDC(CGrafPtr port, HDC hdc) {
  if (!port) return;
  UseDCForNextPort(hdc, false);
  OpenPortOn(reinterpret_cast<GrafPtr>(port), true);
  State().nextPortDC = nullptr;  // used once
  DrawingContext* ctx = ContextOf(reinterpret_cast<GrafPtr>(port));
  if (!ctx) return;
  SelectCurrentPalette(hdc);
  InvalidateContextPixPatBrushes(*ctx);
}

void ZEBAPI ClosePort(GrafPtr port) { ClosePortAndContext(port); }
void ZEBAPI CloseCPort(CGrafPtr port) { ClosePortAndContext(reinterpret_cast<GrafPtr>(port)); }

void ZEBAPI SetPort(GrafPtr port) { MakeCurrent(port); }

void ZEBAPI GetPort(GrafPtr* port) {
  if (port) *port = State().current;
}

}  // extern "C"

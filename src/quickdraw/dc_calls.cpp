// The library's calls on drawing contexts: the current DC, lending DCs to ports, preparing the
// DC of the next port, and re-deriving a port's GDI attributes.
#include "frame/frame_internal.h"
#include "quickdraw/dib_pixmaps.h"
#include "quickdraw/palettes.h"
#include "quickdraw/pixel_map_record.h"
#include "quickdraw/quickdraw_internal.h"
#include "quickdraw/quickdraw_state.h"

namespace zeb::quickdraw {
namespace {

// Windows whose version word has its top bit set make no driver DCs.
constexpr uint16_t kNoDriverDCVersionBit = 0x8000;

void PointScreenContextsAt(HDC dc) {
  for (DrawingContext* ctx : State().slots)
    if (ctx && ctx->source == DCSource::Screen) AdoptDC(*ctx, dc);
}

// A driver DC made from the pixel map's packed DIB, with the current DC's attributes.
HDC DriverDC(PixMapHandle pixMap) {
  if (frame::Version().versionWord & kNoDriverDCVersionBit) return nullptr;
  if (!pixMap || !*pixMap) return nullptr;
  PixMapExtension& ext = ExtensionOf(pixMap);
  if (!ext.dib || !*ext.dib) return nullptr;
  auto* header = reinterpret_cast<BITMAPINFOHEADER*>(*ext.dib);
  if (header->biWidth == 0) header->biWidth = 1;
  if (header->biHeight == 0) header->biHeight = 1;
  HDC dc = CreateDCA(frame::Session().record.offscreenDriverName, nullptr, nullptr,
                     reinterpret_cast<const DEVMODEA*>(*ext.dib));
  // Systems without the "DIB" driver (Wine among them) draw on a mirror of the DIB instead.
  if (!dc) dc = OpenDriverMirror(pixMap);
  DrawingContext* current = Current();
  if (dc && current && current->dc) {
    SetTextColor(dc, GetTextColor(current->dc));
    SetBkColor(dc, GetBkColor(current->dc));
    SetBkMode(dc, GetBkMode(current->dc));
    SetROP2(dc, GetROP2(current->dc));
  }
  ext.driverDC = dc;
  return dc;
}

}  // namespace
}  // namespace zeb::quickdraw

using namespace zeb;
using namespace zeb::quickdraw;

extern "C" {

HDC ZEBAPI ZEB_GetCurrentDC(void) {
  DrawingContext* ctx = Current();
  return ctx ? ctx->dc : nullptr;
}

HDC ZEBAPI ZEB_SwaphDC(HDC hdc, short install) {
  DrawingContext* ctx = Current();
  if (!ctx) return nullptr;
  HDC previous = ctx->dc;
  if (!hdc) {
    ctx->swapped = false;
    return previous;
  }
  DeselectObjects(*ctx);
  if (install) {
    ctx->swappedAlign = GetTextAlign(hdc);
    ctx->swapped = true;
  } else {
    if (previous) SetTextAlign(previous, ctx->swappedAlign);
    ctx->swapped = false;
  }
  AdoptDC(*ctx, hdc);
  SelectCurrentPalette(hdc);
  InvalidateContextPixPatBrushes(*ctx);
  return previous;
}

HWND ZEBAPI ZEB_SetWMgrPortDC(short begin, HWND hwnd, HDC hdc, const Rect* area) {
  QuickDrawState& s = State();
  GrafPtr screen = reinterpret_cast<GrafPtr>(&s.screenPort);
  if (!s.screenPortOpen) return nullptr;
  if (begin) {
    if (s.lendingDepth >= kLendingDepth || !hdc) return nullptr;
    LentScreenDC& lent = s.lending[s.lendingDepth++];
    lent.lentDC = hdc;
    lent.savedAlign = SetTextAlign(hdc, TA_BASELINE | TA_LEFT | TA_NOUPDATECP);
    lent.savedFont = SelectObject(hdc, Fonts().system ? Fonts().system : GetStockObject(SYSTEM_FONT));
    if (!hwnd && area) {
      // The window under the point, which is given relative to the DC's origin.
      POINT p = {area->left, area->top};
      if (HWND owner = WindowFromDC(hdc)) ClientToScreen(owner, &p);
      hwnd = WindowFromPoint(p);
    }
    lent.savedPort = s.current;
    lent.savedScreenDC = s.screenDC;
    lent.savedHeld = s.screenDCHeld;
    lent.savedFrame = s.screenWindow;
    lent.savedPortRect = s.screenPort.portRect;
    s.screenDC = hdc;
    s.screenDCHeld = true;
    s.screenWindow = hwnd;
    PointScreenContextsAt(hdc);
    MakeCurrent(screen);
    if (DrawingContext* ctx = ContextOf(screen)) {
      ctx->window = hwnd;
      if (area) s.screenPort.portRect = *area;
      ResetSelectedState(*ctx);
      ApplyClip(screen);
    }
    return hwnd;
  }
  if (s.lendingDepth == 0) return nullptr;
  LentScreenDC& lent = s.lending[--s.lendingDepth];
  HWND used = s.screenWindow;
  for (DrawingContext* ctx : s.slots)
    if (ctx && ctx->source == DCSource::Screen) DeselectObjects(*ctx);
  SelectObject(lent.lentDC, lent.savedFont);
  SetTextAlign(lent.lentDC, lent.savedAlign);
  s.screenPort.portRect = lent.savedPortRect;
  s.screenWindow = lent.savedFrame;
  s.screenDC = lent.savedScreenDC;
  s.screenDCHeld = lent.savedHeld;
  PointScreenContextsAt(s.screenDC);
  if (DrawingContext* ctx = ContextOf(screen)) {
    ctx->window = frame::Session().mdiClient ? frame::Session().mdiClient : frame::FrameWindow();
    ApplyClip(screen);
  }
  MakeCurrent(lent.savedPort);
  return used;
}

HDC ZEBAPI ZEB_OffScreenDC(PixMapHandle pixMap, short flags) {
  QuickDrawState& s = State();
  HDC dc = nullptr;
  DCSource source = DCSource::Lent;
  if (flags & ZEB_OSDC_SCREEN) {
    AcquireScreenDC();
    dc = s.screenDC;
    source = DCSource::Lent;  // the screen DC is never the port's to delete
  } else if (flags & ZEB_OSDC_DRIVER) {
    dc = DriverDC(pixMap);
    source = DCSource::OffscreenDriver;
  } else {
    DrawingContext* current = Current();
    dc = CreateCompatibleDC(current ? current->dc : nullptr);
    if (dc) SelectCurrentPalette(dc);
    source = DCSource::Created;
  }
  s.nextPortDC = dc;
  s.nextPortSource = source;
  return dc;
}

void ZEBAPI ZEB_ChangeThePortAttr(void) {
  GrafPtr port = CurrentPort();
  DrawingContext* ctx = Current();
  if (!port || !ctx) return;
  ctx->depthClass = ClassifyDepth(ctx->dc);
  ResetSelectedState(*ctx);
  DeriveModes(*ctx);
  MapPen(*ctx);
  ctx->fontRecreate = true;
  if (port->spExtra == 0 && ctx->dc) SetTextJustification(ctx->dc, 0, 0);
  // Colours as the port's fields now say: the classic values of a black-and-white port, the RGB
  // fields of a colour port (which ForeColor would overwrite with their classic neighbours).
  ApplyPortColours(*ctx, true);
  InvalidateContextPixPatBrushes(*ctx);
  ApplyClip(port);
  MovePenTo(port, *ctx, port->pnLoc.h, port->pnLoc.v);
}

}  // extern "C"

// The drawing-context table (256 slots), the open-port list and the current port. A context is
// allocated with NewPtr when its port opens and freed when it closes; the port's patStretch holds
// its slot.
#include <new>

#include "MacMemory.h"
#include "frame/frame_internal.h"
#include "frame/toolbox_globals.h"
#include "quickdraw/dib_pixmaps.h"
#include "quickdraw/font_manager.h"
#include "quickdraw/offscreen_band.h"
#include "quickdraw/palettes.h"
#include "quickdraw/quickdraw_state.h"

namespace zeb::quickdraw {
namespace {

QuickDrawState g_state;
// The port that was current before the current one, while it stays open: SetPort back to it,
// as code that draws in two ports in turn does, needs no search of the port list. Closing the
// port or freeing its context forgets it.
GrafPtr g_previousPort = nullptr;

// The port list grows by this many entries at a time.
constexpr int kPortListGrowth = 20;

GrafPtr* PortEntries() { return reinterpret_cast<GrafPtr*>(*g_state.portList); }

bool SharesItsDC(const DrawingContext& ctx) {
  return ctx.source == DCSource::Screen || ctx.source == DCSource::Device;
}

}  // namespace

QuickDrawState& State() { return g_state; }

bool IsOpenPort(GrafPtr port) {
  if (!port || !g_state.portList) return false;
  GrafPtr* entries = PortEntries();
  for (int i = 0; i < g_state.portCount; ++i)
    if (entries[i] == port) return true;
  return false;
}

namespace {

// The context in the slot an open port names.
DrawingContext* ContextInSlot(GrafPtr port) {
  const int slot = port->patStretch;
  if (slot < 0 || slot >= kContextSlotCount) return nullptr;
  DrawingContext* ctx = g_state.slots[slot];
  return ctx && ctx->port == port ? ctx : nullptr;
}

}  // namespace

DrawingContext* ContextOf(GrafPtr port) {
  if (port && port == g_state.current) return g_state.currentContext;
  if (!IsOpenPort(port)) return nullptr;
  return ContextInSlot(port);
}

DrawingContext* ClaimContext(int* slot) {
  for (int i = 0; i < kContextSlotCount; ++i) {
    if (g_state.slots[i]) continue;
    Ptr storage = NewPtrClear(sizeof(DrawingContext));
    if (!storage) return nullptr;
    g_state.slots[i] = new (storage) DrawingContext();
    ++g_state.slotsInUse;
    *slot = i;
    return g_state.slots[i];
  }
  return nullptr;
}

void FreeContext(int slot) {
  if (slot < 0 || slot >= kContextSlotCount || !g_state.slots[slot]) return;
  DrawingContext* ctx = g_state.slots[slot];
  DeselectObjects(*ctx);
  // On a shared DC the stock objects just selected replace the current port's own: it selects
  // its pen, brush and font again before it next draws.
  DrawingContext* current = g_state.currentContext;
  if (current && current != ctx && ctx->dc && current->dc == ctx->dc) ResetSelectedState(*current);
  if (ctx->pen) DeleteObject(ctx->pen);
  ctx->pen = nullptr;
  if (ctx->ownFont) DeleteObject(ctx->ownFont);
  ctx->ownFont = nullptr;
  ctx->font = nullptr;
  ReleaseBrushCache(*ctx);
  DisposeSubPolygonList(*ctx);
  for (PixPatHandle& spare : ctx->spare) {
    DisposePatternRecord(spare);
    spare = nullptr;
  }
  for (PixPatHandle& replayed : ctx->replayed) {
    if (replayed) DisposePixPat(replayed);
    replayed = nullptr;
  }
  if (ctx->bandActive) {
    // The band's DC is not the port's: the port closes on its own DC.
    DeselectObjects(*ctx);
    DropBand(ctx);
  }
  switch (ctx->source) {
    case DCSource::Created:
      if (ctx->dc && ctx->dc != g_state.screenDC) DeleteDC(ctx->dc);
      break;
    case DCSource::Window:
      if (ctx->dc) ReleaseDC(ctx->window, ctx->dc);
      break;
    case DCSource::OffscreenDriver:
      // The driver DC stays with its pixel map; a mirror of the map's DIB gives its rows back.
      FlushDriverDC(ctx->dc);
      break;
    default:  // the screen DC, a device's DC and a lent DC are not the port's
      break;
  }
  if (g_state.currentContext == ctx) {
    g_state.currentContext = nullptr;
    g_state.current = nullptr;
  }
  if (g_previousPort == ctx->port) g_previousPort = nullptr;
  ctx->~DrawingContext();
  DisposePtr(reinterpret_cast<Ptr>(ctx));
  g_state.slots[slot] = nullptr;
  if (--g_state.slotsInUse == 0) ReleaseFontState();
}

bool AddToPortList(GrafPtr port) {
  if (!g_state.portList) {
    g_state.portList = NewHandle(kPortListGrowth * sizeof(GrafPtr));
    if (!g_state.portList) return false;
  }
  const long capacity = GetHandleSize(g_state.portList) / static_cast<long>(sizeof(GrafPtr));
  if (g_state.portCount >= capacity &&
      !SetHandleSize(g_state.portList, (capacity + kPortListGrowth) * sizeof(GrafPtr)))
    return false;
  PortEntries()[g_state.portCount++] = port;
  return true;
}

void RemoveFromPortList(GrafPtr port) {
  if (g_previousPort == port) g_previousPort = nullptr;
  if (!g_state.portList) return;
  GrafPtr* entries = PortEntries();
  for (int i = 0; i < g_state.portCount; ++i) {
    if (entries[i] != port) continue;
    entries[i] = entries[--g_state.portCount];
    return;
  }
}

void AcquireScreenDC() {
  if (g_state.screenDCHeld) return;
  g_state.screenDC = GetDC(g_state.screenWindow);
  g_state.screenDCHeld = g_state.screenDC != nullptr;
  for (DrawingContext* ctx : g_state.slots)
    if (ctx && ctx->source == DCSource::Screen) AdoptDC(*ctx, g_state.screenDC);
}

void ReleaseScreenDC() {
  if (!g_state.screenDCHeld || g_state.lendingDepth > 0) return;
  for (DrawingContext* ctx : g_state.slots) {
    if (ctx && ctx->source == DCSource::Screen) {
      DeselectObjects(*ctx);
      ctx->dc = nullptr;
    }
  }
  ReleaseDC(g_state.screenWindow, g_state.screenDC);
  g_state.screenDC = nullptr;
  g_state.screenDCHeld = false;
}

void MakeCurrent(GrafPtr port) {
  if (!port || (port != g_state.current && port != g_previousPort && !IsOpenPort(port))) {
    // A closed or foreign pointer selects the port of last resort.
    port = g_state.screenPortOpen ? reinterpret_cast<GrafPtr>(&g_state.screenPort) : nullptr;
    if (port != g_state.current && !IsOpenPort(port)) return;
  }
  // The port is open now (or already current): its slot is read without walking the port
  // list a second time, as SetPort between two ports is among the commonest calls.
  DrawingContext* ctx = port == g_state.current ? g_state.currentContext : ContextInSlot(port);
  if (!ctx) return;
  DrawingContext* previous = g_state.currentContext;
  GrafPtr outgoing = g_state.current;
  if (ctx->source == DCSource::Screen) {
    AcquireScreenDC();
  } else if (g_state.screenDCHeld) {
    ReleaseScreenDC();
  }
  // Another context drew on a shared DC since: what it selected there is not this one's.
  if (previous != ctx && SharesItsDC(*ctx)) {
    ResetSelectedState(*ctx);
    g_state.current = port;
    g_state.currentContext = ctx;
    ApplyClip(port);
  }
  if (outgoing != port) g_previousPort = outgoing;
  g_state.current = port;
  g_state.currentContext = ctx;
  *frame::Globals().thePort = port;
  if (IsColourPort(port) && IsDIBPixMap(AsColour(port)->portPixMap))
    ctx->flags |= kCtxDrawsIntoDIB;
  else
    ctx->flags &= static_cast<uint16_t>(~kCtxDrawsIntoDIB);
  SelectPortPalette(port, ctx->dc, (ctx->flags & kCtxWindowPort) != 0);
}

}  // namespace zeb::quickdraw

// DCs and logical palettes: the current palette follows the current port (its window's palette,
// GetPalette), and is selected and realised into DCs that draw through a palette. A DC without
// palette capability (RC_PALETTE), such as every DC of a true-colour screen, gets nothing.
#include "quickdraw/palettes.h"

#include <algorithm>
#include <vector>

#include "MacWindows.h"
#include "Palettes.h"
#include "events/events_internal.h"
#include "memory/memory_internal.h"
#include "quickdraw/quickdraw_internal.h"
#include "quickdraw/quickdraw_state.h"

namespace zeb::quickdraw {
namespace {

PaletteHandle g_current = nullptr;
bool g_realising = false;   // a realisation that causes a palette message does not nest
bool g_passingOn = false;   // WM_PALETTECHANGED passed on reaches windows that pass it on again
bool g_background = false;  // the application is inactive: its palette is a background one
// ZEB_SystemValue index 55: palettes are being resized. Selections then follow the application's
// background flag, SetPort looks the port's logical palette up again, and WM_PALETTECHANGED is
// passed on to every window that draws.
constexpr int kPaletteResizeMode = 55;
// ZEB_SystemValue 22's bits: a current palette is set; it has a logical palette.
constexpr uint32_t kPaletteCurrent = 0x1;
constexpr uint32_t kPaletteLogical = 0x2;

bool IsPalette(PaletteHandle pal) {
  return memory::LiveHandleSize(reinterpret_cast<Handle>(pal)) >= 16;
}

HWND WindowOf(GrafPtr port) { return port ? ZEB_GethWnd(reinterpret_cast<WindowPtr>(port)) : nullptr; }

bool ResizeMode() { return events::StoredSystemValue(kPaletteResizeMode) != 0; }
bool SelectInBackground() { return ResizeMode() && g_background; }

// The windows that have a drawing context, each once.
std::vector<HWND> DrawingWindows() {
  std::vector<HWND> out;
  for (DrawingContext* ctx : State().slots) {
    if (!ctx || !ctx->window || !IsWindow(ctx->window)) continue;
    if (std::find(out.begin(), out.end(), ctx->window) == out.end()) out.push_back(ctx->window);
  }
  return out;
}

bool HasPaletteCaps(HDC dc) { return dc && (GetDeviceCaps(dc, RASTERCAPS) & RC_PALETTE); }

// The current palette realised into the current port's DC (and the window's palette shown
// again after an animation step that rewrote entries).
int RealiseCurrent(bool background) {
  GrafPtr port = CurrentPort();
  return RealiseInto(port ? PortDC(port) : nullptr, CurrentPalette(), background);
}

}  // namespace

PaletteHandle WindowPalette(HWND hwnd) {
  if (!hwnd) return nullptr;
  // The window's extra data keeps the palette as a 32-bit value, as it keeps its WindowPtr.
  auto pal = reinterpret_cast<PaletteHandle>(
      static_cast<uintptr_t>(static_cast<uint32_t>(GetWindowLongA(hwnd, zebExtraPalette))));
  return IsPalette(pal) ? pal : nullptr;
}

void SetWindowPalette(HWND hwnd, PaletteHandle pal) {
  if (hwnd)
    SetWindowLongA(hwnd, zebExtraPalette,
                   static_cast<LONG>(static_cast<uint32_t>(reinterpret_cast<uintptr_t>(pal))));
}

PaletteHandle CurrentPalette() { return IsPalette(g_current) ? g_current : nullptr; }
void MakePaletteCurrent(PaletteHandle pal) { g_current = pal; }
void ForgetPalette(PaletteHandle pal) {
  if (g_current == pal) g_current = nullptr;
}

int RealiseInto(HDC dc, PaletteHandle pal, bool background) {
  if (!dc || !pal || g_realising) return 0;
  if (!(GetDeviceCaps(dc, RASTERCAPS) & RC_PALETTE)) return 0;
  HPALETTE h = ZEB_PaletteHPALETTE(pal);
  if (!h) return 0;
  g_realising = true;
  SelectPalette(dc, h, background ? TRUE : FALSE);
  const int changed = static_cast<int>(RealizePalette(dc));
  g_realising = false;
  return changed == static_cast<int>(GDI_ERROR) ? 0 : changed;
}

void SelectPortPalette(GrafPtr port, HDC dc, bool windowPort) {
  // Only a window has a palette of its own, and a window being made has the current one until
  // its port is bound to it: any other port with no palette current has nothing to realise.
  // SetPort between two such ports, the common case, then costs no window-list search.
  if (!windowPort && !g_current) return;
  if (PaletteHandle pal = WindowPalette(WindowOf(port))) g_current = pal;
  PaletteHandle pal = CurrentPalette();
  if (!pal) return;
  if (ResizeMode()) RebuildLogicalPalette(pal, true);
  RealiseInto(dc, pal, SelectInBackground());
}

void SelectCurrentPalette(HDC dc) {
  PaletteHandle pal = CurrentPalette();
  if (!pal || !HasPaletteCaps(dc)) return;
  if (HPALETTE h = ZEB_PaletteHPALETTE(pal)) SelectPalette(dc, h, SelectInBackground() ? TRUE : FALSE);
}

void RealisePaletteInBackground() {
  g_background = true;
  RealiseCurrent(true);
}

void RealisePaletteInForeground() {
  g_background = false;
  RealiseCurrent(false);
}

// No table is stored for the screen: GetCTable(-8) falls through to the resource or built-in one.
CTabHandle StoredScreenTable() { return nullptr; }

uint32_t PaletteState() {
  PaletteHandle pal = CurrentPalette();
  if (!pal) return 0;
  return kPaletteCurrent | (ZEB_PaletteHPALETTE(pal) ? kPaletteLogical : 0);
}

uint32_t CurrentPaletteValue() {
  return static_cast<uint32_t>(reinterpret_cast<uintptr_t>(CurrentPalette()));
}

}  // namespace zeb::quickdraw

using namespace zeb;
using namespace zeb::quickdraw;

extern "C" {

PaletteHandle ZEBAPI GetPalette(WindowPtr srcWindow) {
  return WindowPalette(WindowOf(reinterpret_cast<GrafPtr>(srcWindow)));
}

// The window takes the palette; it becomes current at once when the window is the current port.
void ZEBAPI SetPalette(WindowPtr dstWindow, PaletteHandle srcPalette, Boolean cUpdates) {
  (void)cUpdates;  // Windows repaints through its own palette messages
  HWND hwnd = WindowOf(reinterpret_cast<GrafPtr>(dstWindow));
  if (!hwnd) return;
  SetWindowPalette(hwnd, IsPalette(srcPalette) ? srcPalette : nullptr);
  if (reinterpret_cast<GrafPtr>(dstWindow) == CurrentPort()) MakePaletteCurrent(srcPalette);
}

void ZEBAPI ActivatePalette(WindowPtr srcWindow) {
  HWND hwnd = WindowOf(reinterpret_cast<GrafPtr>(srcWindow));
  PaletteHandle pal = WindowPalette(hwnd);
  if (!pal) return;
  if (pal != CurrentPalette()) MakePaletteCurrent(pal);
  RealiseInto(PortDC(reinterpret_cast<GrafPtr>(srcWindow)), pal, SelectInBackground());
}

void ZEBAPI ZEB_GetWindowsPalette(WindowPtr window, HPALETTE* hpal) {
  if (!hpal) return;
  PaletteHandle pal = GetPalette(window);
  *hpal = pal ? ZEB_PaletteHPALETTE(pal) : nullptr;
}

// Animation works on any entry of the window's palette: reserved entries (pmAnimated ones, and
// all but the first and last during ZEB_BeginPaletteAnimation) change on the screen at once,
// others are rewritten and the palette realised again into the window's DC.
void ZEBAPI AnimateEntry(WindowPtr dstWindow, short dstEntry, const RGBColor* srcRGB) {
  PaletteHandle pal = GetPalette(dstWindow);
  if (!pal || !srcRGB || dstEntry < 0 || dstEntry >= (*pal)->pmEntries) return;
  if (memory::LiveHandleSize(reinterpret_cast<Handle>(pal)) < 16 + (dstEntry + 1) * 16L) return;
  (*pal)->pmInfo[dstEntry].ciRGB = *srcRGB;
  if (PushAnimatedEntries(pal, dstEntry, 1))
    RealiseInto(PortDC(reinterpret_cast<GrafPtr>(dstWindow)), pal, SelectInBackground());
}

void ZEBAPI AnimatePalett(WindowPtr dstWindow, CTabHandle srcCTab, short srcIndex,
                          short dstEntry, short dstLength) {
  PaletteHandle pal = GetPalette(dstWindow);
  const long tableBytes = memory::LiveHandleSize(reinterpret_cast<Handle>(srcCTab));
  if (!pal || tableBytes < 8 || srcIndex < 0 || dstEntry < 0 || dstLength <= 0) return;
  const long held = (memory::LiveHandleSize(reinterpret_cast<Handle>(pal)) - 16) / 16;
  const int paletteEntries = static_cast<int>(std::min<long>((*pal)->pmEntries, held));
  const int tableEntries =
      std::min<int>((*srcCTab)->ctSize + 1, static_cast<int>((tableBytes - 8) / 8));
  const int count = std::min({static_cast<int>(dstLength), tableEntries - srcIndex,
                              paletteEntries - dstEntry});
  if (count <= 0) return;
  for (int i = 0; i < count; ++i)
    (*pal)->pmInfo[dstEntry + i].ciRGB = (*srcCTab)->ctTable[srcIndex + i].rgb;
  if (PushAnimatedEntries(pal, dstEntry, count))
    RealiseInto(PortDC(reinterpret_cast<GrafPtr>(dstWindow)), pal, SelectInBackground());
}

}  // extern "C"

namespace {

// The palette whose entries PmForeColor and PmBackColor take: the current port's window's,
// else the current one.
bool PortPaletteColour(short entry, RGBColor* rgb) {
  GrafPtr port = CurrentPort();
  if (!port) return false;
  PaletteHandle pal = WindowPalette(WindowOf(port));
  if (!pal) pal = CurrentPalette();
  if (!pal || entry < 0 || entry >= (*pal)->pmEntries) return false;
  if (memory::LiveHandleSize(reinterpret_cast<Handle>(pal)) < 16 + (entry + 1) * 16L) return false;
  *rgb = (*pal)->pmInfo[entry].ciRGB;
  return true;
}

}  // namespace

extern "C" {

void ZEBAPI PmForeColor(short dstEntry) {
  RGBColor rgb;
  if (PortPaletteColour(dstEntry, &rgb)) RGBForeColor(&rgb);
}

void ZEBAPI PmBackColor(short dstEntry) {
  RGBColor rgb;
  if (PortPaletteColour(dstEntry, &rgb)) RGBBackColor(&rgb);
}

long ZEBAPI ZEB_ForcePalette(void) {
  PaletteHandle pal = CurrentPalette();
  if (!pal) return 0;
  RebuildLogicalPalette(pal, true);
  return RealiseCurrent(SelectInBackground());
}

void ZEBAPI ZEB_BeginPaletteAnimation(void) {
  PaletteHandle pal = CurrentPalette();
  if (!pal) return;
  SetAnimationMark(pal, true);
  RealiseCurrent(SelectInBackground());
}

void ZEBAPI ZEB_EndPaletteAnimation(void) {
  PaletteHandle pal = CurrentPalette();
  if (!pal) return;
  SetAnimationMark(pal, false);
  RealiseCurrent(SelectInBackground());
}

// WM_QUERYNEWPALETTE: the window is about to become active. Every drawing window is repainted
// when the realisation changed the system palette.
LRESULT ZEBAPI ZEB_QueryNewPalette(HWND hwnd) {
  PaletteHandle pal = CurrentPalette();
  if (!hwnd || !pal) return 0;
  HDC dc = GetDC(hwnd);
  if (!dc) return 0;
  const int changed = RealiseInto(dc, pal, false);
  ReleaseDC(hwnd, dc);
  if (changed > 0)
    for (HWND w : DrawingWindows()) InvalidateRect(w, nullptr, TRUE);
  return changed;
}

// WM_PALETTECHANGED: another window (changer) realised a palette. While palettes are resized
// the message goes on to every drawing window, once; otherwise the current palette is selected
// into hwnd's DC and, when that is not the one it had, into every drawing window's, which are
// repainted. Nonzero when windows were repainted.
LRESULT ZEBAPI ZEB_PaletteChanged(HWND hwnd, HWND changer) {
  if (!hwnd) return 0;
  if (ResizeMode()) {
    if (g_passingOn) return 0;
    g_passingOn = true;
    for (HWND w : DrawingWindows())
      SendMessageA(w, WM_PALETTECHANGED, reinterpret_cast<WPARAM>(changer), 0);
    g_passingOn = false;
    return 0;
  }
  PaletteHandle pal = CurrentPalette();
  if (changer == hwnd || g_realising || !pal) return 0;
  HDC dc = GetDC(hwnd);
  if (!dc) return 0;
  bool changes = false;
  if (HasPaletteCaps(dc)) {
    HPALETTE h = ZEB_PaletteHPALETTE(pal);
    changes = h && SelectPalette(dc, h, TRUE) != h;
  }
  ReleaseDC(hwnd, dc);
  if (!changes) return 0;
  HPALETTE h = ZEB_PaletteHPALETTE(pal);
  for (HWND w : DrawingWindows()) {
    for (DrawingContext* ctx : State().slots)
      if (ctx && ctx->window == w && ctx->dc) SelectPalette(ctx->dc, h, TRUE);
    InvalidateRect(w, nullptr, TRUE);
  }
  return 1;
}

}  // extern "C"

// DCs and logical palettes: the current palette follows the current port (its window's palette,
// GetPalette), and is selected and realised into DCs that draw through a palette. A DC without
// palette capability (RC_PALETTE), such as every DC of a true-colour screen, gets nothing.
#include "quickdraw/palettes.h"

#include "MacWindows.h"
#include "Palettes.h"
#include "memory/memory_internal.h"
#include "quickdraw/quickdraw_internal.h"
#include "quickdraw/quickdraw_state.h"

namespace zeb::quickdraw {
namespace {

PaletteHandle g_current = nullptr;
bool g_realising = false;   // a realisation that causes a palette message does not nest
// ZEB_SystemValue 22's bits: a current palette is set; it has a logical palette.
constexpr uint32_t kPaletteCurrent = 0x1;
constexpr uint32_t kPaletteLogical = 0x2;

bool IsPalette(PaletteHandle pal) {
  return memory::LiveHandleSize(reinterpret_cast<Handle>(pal)) >= 16;
}

HWND WindowOf(GrafPtr port) { return port ? ZEB_GethWnd(reinterpret_cast<WindowPtr>(port)) : nullptr; }

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
  if (CurrentPalette()) RealiseInto(dc, CurrentPalette(), false);
}

void SelectCurrentPalette(HDC dc) {
  PaletteHandle pal = CurrentPalette();
  if (!dc || !pal || !(GetDeviceCaps(dc, RASTERCAPS) & RC_PALETTE)) return;
  if (HPALETTE h = ZEB_PaletteHPALETTE(pal)) SelectPalette(dc, h, FALSE);
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
  RealiseInto(PortDC(reinterpret_cast<GrafPtr>(srcWindow)), pal, false);
}

void ZEBAPI ZEB_GetWindowsPalette(WindowPtr window, HPALETTE* hpal) {
  if (!hpal) return;
  PaletteHandle pal = GetPalette(window);
  *hpal = pal ? ZEB_PaletteHPALETTE(pal) : nullptr;
}

}  // extern "C"

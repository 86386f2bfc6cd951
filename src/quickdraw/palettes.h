// The Palette Manager's side of the drawing contexts: which logical palette a DC draws with.
#ifndef ZEB_QUICKDRAW_PALETTES_H
#define ZEB_QUICKDRAW_PALETTES_H

#include <windows.h>

#include "Palettes.h"
#include "Quickdraw.h"

namespace zeb::quickdraw {

// SetPort makes the port's palette (GetPalette) the current one, selecting and realising it
// into the port's DC; OpenPortForHDC, ZEB_SwaphDC and memory DCs take the current palette.
// windowPort says whether the port's context is bound to its window.
void SelectPortPalette(GrafPtr port, HDC dc, bool windowPort);
void SelectCurrentPalette(HDC dc);
// The colour table the Palette Manager stores for the screen (GetCTable(-8)); null when none.
CTabHandle StoredScreenTable();

// A window's palette (its extra data) and the current palette.
PaletteHandle WindowPalette(HWND hwnd);
void SetWindowPalette(HWND hwnd, PaletteHandle pal);
PaletteHandle CurrentPalette();
void MakePaletteCurrent(PaletteHandle pal);
// DisposePalette: a palette that goes is current no longer.
void ForgetPalette(PaletteHandle pal);
// Selects the palette into dc (in the background or the foreground) and realises it: the count
// of changed entries, 0 for a DC without palette capability or during another realisation.
int RealiseInto(HDC dc, PaletteHandle pal, bool background);

// The logical palette made again from the Palette's entries, written into its HPALETTE now when
// push is set (otherwise under the live-palette option, or when next used).
void RebuildLogicalPalette(PaletteHandle pal, bool push);
// ZEB_BeginPaletteAnimation and ZEB_EndPaletteAnimation: the palette's animation mark set or
// cleared, and its entries rewritten.
void SetAnimationMark(PaletteHandle pal, bool on);
// Palette entries first .. first + count - 1 (clamped) written to the logical palette: reserved
// ones with AnimatePalette, others with SetPaletteEntries. True when some entry was not reserved,
// so that the palette must be realised again to show it.
bool PushAnimatedEntries(PaletteHandle pal, int first, int count);

}  // namespace zeb::quickdraw

#endif  // ZEB_QUICKDRAW_PALETTES_H

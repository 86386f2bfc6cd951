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

}  // namespace zeb::quickdraw

#endif  // ZEB_QUICKDRAW_PALETTES_H

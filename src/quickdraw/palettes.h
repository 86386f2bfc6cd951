// The Palette Manager's side of the drawing contexts: which logical palette a DC draws with.
#ifndef ZEB_QUICKDRAW_PALETTES_H
#define ZEB_QUICKDRAW_PALETTES_H

#include <windows.h>

#include "Quickdraw.h"

namespace zeb::quickdraw {

// SetPort makes the port's palette (GetPalette) the current one, selecting and realising it
// into the port's DC; OpenPortForHDC, ZEB_SwaphDC and memory DCs take the current palette.
void SelectPortPalette(GrafPtr port, HDC dc);
void SelectCurrentPalette(HDC dc);
// The colour table the Palette Manager stores for the screen (GetCTable(-8)); null when none.
CTabHandle StoredScreenTable();

}  // namespace zeb::quickdraw

#endif  // ZEB_QUICKDRAW_PALETTES_H

// DCs and logical palettes: every DC draws with the system palette, so no logical palette is
// selected and the screen has no stored table.
#include "quickdraw/palettes.h"

namespace zeb::quickdraw {

void SelectPortPalette(GrafPtr port, HDC dc) {
  (void)port;
  (void)dc;
}

void SelectCurrentPalette(HDC dc) { (void)dc; }

CTabHandle StoredScreenTable() { return nullptr; }

}  // namespace zeb::quickdraw

// The QuickDraw parts that are built later fill these in place.
#include "quickdraw/pending_parts.h"
#include "quickdraw/quickdraw_internal.h"

namespace zeb::quickdraw {

// Pictures write the line opcodes with the pen state that precedes them.
void RecordLine(GrafPtr port, Point from, Point to) {
  (void)port;
  (void)from;
  (void)to;
}

// Pictures write 0x0E or 0x0F and the classic colour value.
void RecordClassicColour(GrafPtr port, uint16_t opcode, long colour) {
  (void)port;
  (void)opcode;
  (void)colour;
}

// Pictures write 0x1A or 0x1B and the colour.
void RecordRgbColour(GrafPtr port, uint16_t opcode, const RGBColor& colour) {
  (void)port;
  (void)opcode;
  (void)colour;
}

// OpenRgn and OpenPoly collect the points of lines into sub-polygons.
void RecordPolygonPoint(GrafPtr port, Point pt, bool newPolygon) {
  (void)port;
  (void)pt;
  (void)newPolygon;
}

// CountResources of 'FONT' and 'sfnt': the font list's bitmap and outline counts, once the
// font list exists; until then no font is counted.
short FontResourceCount(bool outline) {
  (void)outline;
  return 0;
}

// The font list and map, once they exist, are freed here.
void ReleaseFontState() {}

// The Palette Manager selects and realises the port's palette here.
void SelectPortPalette(GrafPtr port, HDC dc) {
  (void)port;
  (void)dc;
}

// The Palette Manager selects the current palette into a DC here.
void SelectCurrentPalette(HDC dc) { (void)dc; }

// The Palette Manager keeps the screen's table once palettes exist.
CTabHandle StoredScreenTable() { return nullptr; }

}  // namespace zeb::quickdraw

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

// Pictures write the shape's opcode, its Same form or the oval size and angles it needs.
void RecordShape(GrafPtr port, uint16_t opcodeBase, int16_t verb, const Rect& r, int16_t a,
                 int16_t b) {
  (void)port;
  (void)opcodeBase;
  (void)verb;
  (void)r;
  (void)a;
  (void)b;
}

// Pictures write 0x70 + verb and the polygon's size, box and points.
void RecordPolygon(GrafPtr port, int16_t verb, PolyHandle poly) {
  (void)port;
  (void)verb;
  (void)poly;
}

// Pictures write 0x80 + verb and the region in the Toolbox's scan-line form.
void RecordRegion(GrafPtr port, int16_t verb, RgnHandle rgn) {
  (void)port;
  (void)verb;
  (void)rgn;
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

// Calls from the ports, pens and lines into the QuickDraw parts built after them: picture
// recording, region and polygon recording, fonts and palettes. Each is called where it belongs;
// its body (pending_parts.cpp) stays empty, or answers the neutral value, until the part that
// owns it fills it in place.
#ifndef ZEB_QUICKDRAW_PENDING_PARTS_H
#define ZEB_QUICKDRAW_PENDING_PARTS_H

#include <cstdint>

#include "Quickdraw.h"

namespace zeb::quickdraw {

// Pictures: while a port has an open picture (picSave), these write their opcodes through the
// put-picture bottleneck. RecordLine writes Line, LineFrom, ShortLine or ShortLineFrom with the
// pen state opcodes that precede a frame verb; RecordClassicColour writes 0x0E (foreground) or
// 0x0F (background) with the value; RecordRgbColour writes 0x1A or 0x1B with the colour.
void RecordLine(GrafPtr port, Point from, Point to);
void RecordClassicColour(GrafPtr port, uint16_t opcode, long colour);
void RecordRgbColour(GrafPtr port, uint16_t opcode, const RGBColor& colour);

// Pictures: a shape drawn with a verb is written as its family's opcode plus the verb
// (rectangles 0x30, rounded rectangles 0x40, ovals 0x50, arcs 0x60), in its Same form when the
// rectangle equals the last one written; rounded rectangles first write their oval size (a and
// b: width, height) when it changed, arcs carry their angles (a: start, b: extent). A fill verb
// writes the fill pattern before the shape.
void RecordShape(GrafPtr port, uint16_t opcodeBase, int16_t verb, const Rect& r, int16_t a,
                 int16_t b);
// Pictures: polygons (0x70 + verb) with their points, regions (0x80 + verb) with their shape.
void RecordPolygon(GrafPtr port, int16_t verb, PolyHandle poly);
void RecordRegion(GrafPtr port, int16_t verb, RgnHandle rgn);

// Regions and polygons: while rgnSave or polySave collect a shape, MoveT and Move start a new
// sub-polygon at the point (newPolygon true) and LineT and Line add their end point. (Built:
// polygons.cpp.)
void RecordPolygonPoint(GrafPtr port, Point pt, bool newPolygon);

// Text and fonts: the font list and map are freed when the last drawing context is released.
void ReleaseFontState();

// Palettes: SetPort makes the port's palette (GetPalette) the current one, selecting and
// realising it into the port's DC; OpenPortForHDC, ZEB_SwaphDC and memory DCs take the current
// palette.
void SelectPortPalette(GrafPtr port, HDC dc);
void SelectCurrentPalette(HDC dc);
// The colour table the Palette Manager stores for the screen (GetCTable(-8)); null when none.
CTabHandle StoredScreenTable();

}  // namespace zeb::quickdraw

#endif  // ZEB_QUICKDRAW_PENDING_PARTS_H

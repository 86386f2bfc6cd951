// Picture recording: while a port has an open picture (picSave), the drawing calls write their
// opcodes through the port's put-picture bottleneck. Each call below is made where the drawing
// call belongs; the picture recorder writes the opcodes.
#ifndef ZEB_QUICKDRAW_PICTURE_RECORDING_H
#define ZEB_QUICKDRAW_PICTURE_RECORDING_H

#include <cstdint>

#include "Quickdraw.h"

namespace zeb::quickdraw {

// RecordLine writes Line, LineFrom, ShortLine or ShortLineFrom with the pen state opcodes that
// precede a frame verb; RecordClassicColour writes 0x0E (foreground) or 0x0F (background) with
// the value; RecordRgbColour writes 0x1A or 0x1B with the colour.
void RecordLine(GrafPtr port, Point from, Point to);
void RecordClassicColour(GrafPtr port, uint16_t opcode, long colour);
void RecordRgbColour(GrafPtr port, uint16_t opcode, const RGBColor& colour);

// A shape drawn with a verb is written as its family's opcode plus the verb (rectangles 0x30,
// rounded rectangles 0x40, ovals 0x50, arcs 0x60), in its Same form when the rectangle equals
// the last one written; rounded rectangles first write their oval size (a and b: width, height)
// when it changed, arcs carry their angles (a: start, b: extent). A fill verb writes the fill
// pattern before the shape.
void RecordShape(GrafPtr port, uint16_t opcodeBase, int16_t verb, const Rect& r, int16_t a,
                 int16_t b);
// Polygons (0x70 + verb) with their points, regions (0x80 + verb) with their shape.
void RecordPolygon(GrafPtr port, int16_t verb, PolyHandle poly);
void RecordRegion(GrafPtr port, int16_t verb, RgnHandle rgn);

// Text: first the font state that changed since the last text written (the font name 0x2C, as
// GetFontName gives it, font 0x03, face 0x04, mode 0x05, size 0x0D, foreground 0x0E), then the
// count bytes of text as LongText 0x28 with the pen location, or DHText 0x29, DVText 0x2A or
// DHDVText 0x2B with the pen's move since the last text.
void RecordText(GrafPtr port, const void* text, int16_t count);

// CopyBits onto a port with an open picture: the transfer is written (0x90 or 0x98 for indexed
// images, 0x9A for direct ones; the mask region is not written) and nothing is drawn. A device
// source is first copied into a temporary pixel map by the recorder.
void RecordBitsTransfer(GrafPtr port, const BitMap* srcBits, const Rect& srcRect,
                        const Rect& dstRect, int16_t mode, RgnHandle maskRgn);
// While the scrap picture is open, CopyBits writes the bits into its DIB instead of drawing:
// true when it did (no scrap picture is open: false, and the transfer is drawn).
bool WriteBitsIntoScrapPicture(const BitMap* srcBits, const Rect& srcRect, const Rect& dstRect,
                               int16_t mode);

}  // namespace zeb::quickdraw

#endif  // ZEB_QUICKDRAW_PICTURE_RECORDING_H

// Picture recording's entry points for the drawing calls. A picture opened on a port receives
// no opcodes from them: their bodies write nothing.
#include "quickdraw/picture_recording.h"

namespace zeb::quickdraw {

void RecordLine(GrafPtr port, Point from, Point to) {
  (void)port;
  (void)from;
  (void)to;
}

void RecordClassicColour(GrafPtr port, uint16_t opcode, long colour) {
  (void)port;
  (void)opcode;
  (void)colour;
}

void RecordRgbColour(GrafPtr port, uint16_t opcode, const RGBColor& colour) {
  (void)port;
  (void)opcode;
  (void)colour;
}

void RecordShape(GrafPtr port, uint16_t opcodeBase, int16_t verb, const Rect& r, int16_t a,
                 int16_t b) {
  (void)port;
  (void)opcodeBase;
  (void)verb;
  (void)r;
  (void)a;
  (void)b;
}

void RecordPolygon(GrafPtr port, int16_t verb, PolyHandle poly) {
  (void)port;
  (void)verb;
  (void)poly;
}

void RecordRegion(GrafPtr port, int16_t verb, RgnHandle rgn) {
  (void)port;
  (void)verb;
  (void)rgn;
}

void RecordText(GrafPtr port, const void* text, int16_t count) {
  (void)port;
  (void)text;
  (void)count;
}

void RecordBitsTransfer(GrafPtr port, const BitMap* srcBits, const Rect& srcRect,
                        const Rect& dstRect, int16_t mode, RgnHandle maskRgn) {
  (void)port;
  (void)srcBits;
  (void)srcRect;
  (void)dstRect;
  (void)mode;
  (void)maskRgn;
}

bool WriteBitsIntoScrapPicture(const BitMap* srcBits, const Rect& srcRect, const Rect& dstRect,
                               int16_t mode) {
  (void)srcBits;
  (void)srcRect;
  (void)dstRect;
  (void)mode;
  return false;
}

}  // namespace zeb::quickdraw

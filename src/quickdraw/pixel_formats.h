// Pixels of Macintosh images and of Windows DIBs. Macintosh rows run top-down with the leftmost
// pixel in the most significant bits; direct pixels are big-endian: 16 bits as x-r5-g5-b5 and
// 32 bits as x-r-g-b (24 bits, where it occurs, as r-g-b). DIB rows run bottom-up, are padded to
// 4 bytes and hold direct pixels little-endian: 16 bits as x-r5-g5-b5 and 24/32 bits as b-g-r(-x).
#ifndef ZEB_QUICKDRAW_PIXEL_FORMATS_H
#define ZEB_QUICKDRAW_PIXEL_FORMATS_H

#include <cstddef>
#include <cstdint>

#include "quickdraw/colour_rules.h"

namespace zeb::quickdraw {

// The depths a Macintosh image may have.
inline bool IsMacDepth(int depth) {
  return depth == 1 || depth == 2 || depth == 4 || depth == 8 || depth == 16 || depth == 24 ||
         depth == 32;
}
inline bool IsIndexedDepth(int depth) { return depth >= 1 && depth <= 8 && IsMacDepth(depth); }

// The bytes one row of width pixels needs at depth (unpadded), in 64 bits so that no product
// of damaged fields overflows; and the same padded to 4 bytes as DIB rows are.
inline int64_t MinimumRowBytes(int64_t width, int depth) { return (width * depth + 7) / 8; }
inline int64_t DIBRowBytes(int64_t width, int depth) { return ((width * depth + 31) / 32) * 4; }

// Pixel x of a Macintosh row at depth; the caller keeps x within the row.
uint32_t ReadMacPixel(const uint8_t* row, int32_t x, int depth);
void WriteMacPixel(uint8_t* row, int32_t x, int depth, uint32_t value);

// Direct pixels and the Toolbox's 16-bit components. A 5-bit component widens by repeating its
// bits (31 becomes 0xFFFF); narrowing keeps the high bits.
Rgb16 RgbFromDirect16(uint16_t pixel);
uint16_t Direct16FromRgb(const Rgb16& rgb);
Rgb16 RgbFromDirect32(uint32_t pixel);  // 0x00RRGGBB
uint32_t Direct32FromRgb(const Rgb16& rgb);

// One row of a Macintosh image in DIB form and back. Indexed rows keep their pixel values and
// bit order, except that two-bit pixels widen to four (DIBs have no two-bit form); 16-bit rows
// swap the bytes of each pixel; 32-bit rows reverse them (x-r-g-b to b-g-r-x); a 24-bit row
// becomes b-g-r. dibDepth is what DIBDepthFor gives; the DIB row must hold DIBRowBytes bytes.
int DIBDepthFor(int macDepth);
void MacRowToDIB(const uint8_t* mac, uint8_t* dib, int32_t width, int macDepth);
// A DIB row of depth dibDepth (1, 4, 8, 16, 24 or 32) into a Macintosh row of macDepth:
// indexed depths take the values as they are (narrowed when macDepth is smaller), direct
// depths convert 16 <-> 32 through RGB; 24-bit DIB rows become 32-bit Macintosh rows. False for
// a pair that needs a colour table (direct into indexed), which the pixel engine handles.
bool DIBRowToMac(const uint8_t* dib, int dibDepth, uint8_t* mac, int32_t width, int macDepth);

// The whole image: rows top-down into a bottom-up DIB body and back. rowBytes are the
// Macintosh row bytes; the DIB body holds height rows of DIBRowBytes(width, DIBDepthFor(depth)).
void MacImageToDIBRows(const uint8_t* rows, int32_t rowBytes, int32_t width, int32_t height,
                       int depth, uint8_t* dibRows);
bool DIBRowsToMacImage(const uint8_t* dibRows, int dibDepth, bool topDown, int32_t width,
                       int32_t height, uint8_t* rows, int32_t rowBytes, int macDepth);

// Colourisation: a source colour seen through the port's foreground and background. Black
// takes the foreground, white the background, and the shades between mix the two, so that a
// one-bit image shows ink in the foreground colour and paper in the background colour.
Rgb16 Colourise(const Rgb16& source, const Rgb16& fore, const Rgb16& back);
// The two-entry palette (RGBQUAD values 0x00RRGGBB) of a one-bit image drawn with those
// colours: entry 0 (a clear bit) the background, entry 1 the foreground.
void OneBitPalette(const Rgb16& fore, const Rgb16& back, uint32_t out[2]);
inline uint32_t RgbQuadFor(const Rgb16& c) {
  return static_cast<uint32_t>((c.red >> 8) << 16 | (c.green >> 8) << 8 | (c.blue >> 8));
}

}  // namespace zeb::quickdraw

#endif  // ZEB_QUICKDRAW_PIXEL_FORMATS_H

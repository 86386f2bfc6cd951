// The pixel engine: CopyBits between Macintosh images in memory. A transfer is a pipeline put
// together per call from seven families of row routines, each family a selector that returns
// one routine per case of the source or destination format or of the mode:
//   PixelValueMaskProc  source depth (1, 2, 4, 8; plain and colourised variants)
//   PVToRGBProc         source depth (1 .. 32; with a colour table and without)
//   PrepareColorizeProc transfer mode (the port's foreground and background onto the source)
//   ResizePVProc        pixel depth (stretching and shrinking by nearest pixel)
//   RGBCombineProc      transfer mode (0..7, with 8..15 as 0..7, and 32..39)
//   DitherProc          destination depth (1, 2, 4, 8), only when dithering is asked for
//   RGBToPVProc         destination depth (1 .. 32; with a colour table and without)
// A row passes: source pixel values -> masking -> resizing -> RGB -> colourising -> combination
// with the destination's RGB by mode -> dithering -> destination pixel values. A case that a
// selector does not know is reported (its DebugStr text) and nothing is copied.
//
// The bitwise modes work on 16-bit components as GDI's raster operations do on a device where
// white is all ones (srcOr keeps the darker ink: S and D), so that a transfer gives the same
// pixels in memory as on a device.
#ifndef ZEB_QUICKDRAW_PIXEL_ENGINE_H
#define ZEB_QUICKDRAW_PIXEL_ENGINE_H

#include <cstddef>
#include <cstdint>

#include "MacTypes.h"
#include "quickdraw/colour_rules.h"

namespace zeb::quickdraw {

class RegionMask;

// An image in memory: rows top-down at base, rowBytes apart, covering bounds; byteCount is
// the memory behind base that the rows may use (the engine refuses rows that would pass it).
// Indexed images use table (count entries; a value past the table reads as black); a one-bit
// image without a table is white (0) and black (1).
struct EngineImage {
  uint8_t* base = nullptr;
  int32_t rowBytes = 0;
  Rect bounds{0, 0, 0, 0};
  int depth = 0;
  const Rgb16* table = nullptr;
  int32_t tableCount = 0;
  size_t byteCount = 0;
};

struct EngineTransfer {
  int mode = 0;                 // the dither bit (0x40) asks for dithering
  Rgb16 fore = kBlackRgb;       // the port's foreground and background colours
  Rgb16 back = kWhiteRgb;
  Rgb16 opColor{0x8000, 0x8000, 0x8000};  // blend weight and pin limits
  const RegionMask* mask = nullptr;       // in destination coordinates; null for none
};

enum class EngineResult : uint8_t {
  kCopied,          // something may have changed
  kNothingToCopy,   // empty rectangles, or nothing of them inside the images
  kBadImage,        // an image whose rows do not fit its memory, or without base
  kUndefinedCase    // a selector did not know the case: reported, nothing copied
};

// Where reports go: DebugStr on Windows; nowhere until set.
using EngineReporter = void (*)(const char* text);
void SetEngineReporter(EngineReporter reporter);

// Copies srcRect of src into dstRect of dst in mode (see Rop3ForMode for the mode numbering).
// Rectangles are in their images' coordinates. srcRect is clipped to the source image and
// dstRect cut in proportion, then dstRect is clipped to the destination, before any row is
// read; the source and destination may be the same memory (the source is read first).
EngineResult TransferPixels(const EngineImage& src, const Rect& srcRect, const EngineImage& dst,
                            const Rect& dstRect, const EngineTransfer& transfer);

// The nearest entry of a table (the distance is the sum of squared differences of the 8-bit
// high bytes of the components; the first of equal entries wins); -1 for an empty table.
int32_t NearestTableEntry(const Rgb16* table, int32_t count, const Rgb16& rgb);

// The families' selectors, for tests and for the Windows paths that share a step. Each returns
// null (after reporting) for a case it does not know.
using PixelValueMaskProc = void (*)(uint32_t* values, int32_t n);
using PVToRGBProc = void (*)(const uint32_t* values, Rgb16* out, int32_t n, const Rgb16* table,
                             int32_t tableCount);
struct ColourParams {
  Rgb16 fore, back, opColor;
};
using PrepareColorizeProc = void (*)(Rgb16* row, int32_t n, const ColourParams& colours);
using ResizePVProc = void (*)(const uint32_t* in, const int32_t* columns, uint32_t* out,
                              int32_t n);
using RGBCombineProc = void (*)(const Rgb16* src, Rgb16* dst, int32_t n,
                                const ColourParams& colours);
using DitherProc = void (*)(Rgb16* row, int32_t n, int32_t x0, int32_t y);
using RGBToPVProc = void (*)(const Rgb16* row, uint32_t* out, int32_t n, const Rgb16* table,
                             int32_t tableCount);

PixelValueMaskProc SelectPixelValueMask(int depth, bool colourised);
PVToRGBProc SelectPVToRGB(int depth, bool withTable);
PrepareColorizeProc SelectPrepareColorize(int combineMode);
ResizePVProc SelectResizePV(int depth);
RGBCombineProc SelectRGBCombine(int combineMode, bool colourised);
DitherProc SelectDither(int depth);
RGBToPVProc SelectRGBToPV(int depth, bool withTable);

// The mode the combination step works in: 0..7 for modes 0..15 (a pattern mode given to
// CopyBits copies as its source mode), 32..39 as they are, other modes as (mode & 15) & 7; the
// dither bit is dropped.
int CombineModeFor(int mode);

}  // namespace zeb::quickdraw

#endif  // ZEB_QUICKDRAW_PIXEL_ENGINE_H

// Reading a PICT opcode stream: every opcode is decoded, its lengths checked against the bytes
// the picture has, and handed to a player as a call. Coordinates stay in the picture's own
// space; the player maps them. Host-independent.
#ifndef ZEB_QUICKDRAW_PICT_READER_H
#define ZEB_QUICKDRAW_PICT_READER_H

#include <cstddef>
#include <cstdint>
#include <vector>

#include "MacTypes.h"
#include "quickdraw/colour_rules.h"

namespace zeb::quickdraw::pict {

// Where the bytes come from: Read copies up to n bytes and returns how many it copied (fewer
// only at the end of the data).
class PictSource {
 public:
  virtual ~PictSource() = default;
  virtual size_t Read(uint8_t* dst, size_t n) = 0;
};

// A source over bytes in memory.
class MemorySource : public PictSource {
 public:
  MemorySource(const uint8_t* data, size_t size) : data_(data), size_(size) {}
  size_t Read(uint8_t* dst, size_t n) override;

 private:
  const uint8_t* data_;
  size_t size_;
  size_t at_ = 0;
};

struct ColourEntry {
  uint16_t value;
  Rgb16 rgb;
};

// An image of a bits opcode or a pixel pattern, its rows unpacked: top-down, rowBytes each,
// direct pixels in the Macintosh form (16 bits x-r5-g5-b5, 32 bits x-r-g-b, big-endian).
struct PictImage {
  bool pixMap = false;  // a pixel map header was present (else a one-bit bitmap)
  int16_t rowBytes = 0;  // bytes of each row in `rows`
  Rect bounds{};
  int16_t pmVersion = 0, packType = 0;
  int32_t packSize = 0, hRes = kStandardResolutionValue, vRes = kStandardResolutionValue;
  int16_t pixelType = 0, pixelSize = 1, cmpCount = 1, cmpSize = 1;
  int32_t planeBytes = 0;
  uint32_t ctSeed = 0;
  uint16_t ctFlags = 0;
  std::vector<ColourEntry> table;  // indexed pixel maps only
  std::vector<uint8_t> rows;

  static constexpr int32_t kStandardResolutionValue = 0x00480000;
};

struct PictBits {
  uint16_t opcode = 0;
  PictImage image;
  Rect srcRect{}, dstRect{};
  int16_t mode = 0;
  bool hasMask = false;
  Rect maskBox{};
  // The mask region of the region forms as rectangles in picture coordinates, bands top to
  // bottom; a rectangular region is its box alone.
  std::vector<Rect> maskRects;
};

struct PictPixPat {
  uint16_t opcode = 0;  // 0x12 background, 0x13 pen, 0x14 fill
  int16_t patType = 0;  // 0 plain, 1 full pixel pattern, 2 dither (RGB)
  uint8_t pat1Data[8] = {};
  Rgb16 rgb{};  // patType 2
  PictImage image;  // patType 1
};

// The calls a picture makes. Every one is optional; the defaults do nothing.
class PictPlayer {
 public:
  virtual ~PictPlayer() = default;
  // The header opcode: extended (0xFFFE) with resolutions and source rectangle, or not.
  virtual void Header(bool extended, int32_t hRes, int32_t vRes, const Rect& srcRect) {
    (void)extended; (void)hRes; (void)vRes; (void)srcRect;
  }
  virtual void Clip(const Rect& box) { (void)box; }
  // Patterns: 0x02 background, 0x09 pen, 0x0A fill.
  virtual void Pattern(uint16_t opcode, const uint8_t pattern[8]) { (void)opcode; (void)pattern; }
  virtual void PixelPattern(const PictPixPat& pattern) { (void)pattern; }
  virtual void TextFont(int16_t font) { (void)font; }
  virtual void TextFace(uint8_t face) { (void)face; }
  virtual void TextMode(int16_t mode) { (void)mode; }
  virtual void SpaceExtra(int32_t extra) { (void)extra; }
  virtual void PenSize(Point size) { (void)size; }
  virtual void PenMode(int16_t mode) { (void)mode; }
  virtual void OvalSize(Point size) { (void)size; }
  virtual void Origin(int16_t dh, int16_t dv) { (void)dh; (void)dv; }
  virtual void TextSize(int16_t size) { (void)size; }
  // 0x0E foreground, 0x0F background.
  virtual void ClassicColour(uint16_t opcode, int32_t colour) { (void)opcode; (void)colour; }
  // 0x1A foreground, 0x1B background, 0x1D highlight.
  virtual void RgbColour(uint16_t opcode, const Rgb16& rgb) { (void)opcode; (void)rgb; }
  virtual void Line(Point from, Point to) { (void)from; (void)to; }
  // A text opcode: the text origin it gives (in picture coordinates), the deltas it carried
  // (0 where the opcode has none) and the text.
  virtual void Text(uint16_t opcode, Point origin, uint8_t dh, uint8_t dv, const uint8_t* text,
                    int count) {
    (void)opcode; (void)origin; (void)dh; (void)dv; (void)text; (void)count;
  }
  // 0x2C: the picture's font number and its name (length-prefixed).
  virtual void FontName(int16_t font, const uint8_t* name) { (void)font; (void)name; }
  // A shape: the family's base opcode (0x30, 0x40, 0x50, 0x60), the verb 0..4, the rectangle
  // (the last of the family for the Same forms), and for arcs the angles.
  virtual void Shape(uint16_t family, int verb, const Rect& r, int16_t start, int16_t extent) {
    (void)family; (void)verb; (void)r; (void)start; (void)extent;
  }
  virtual void Polygon(int verb, const Rect& box, const Point* points, size_t count) {
    (void)verb; (void)box; (void)points; (void)count;
  }
  virtual void Bits(const PictBits& bits) { (void)bits; }
  // 0xA0 (no data) and 0xA1.
  virtual void Comment(int16_t kind, const uint8_t* data, size_t size) {
    (void)kind; (void)data; (void)size;
  }
  // Asked between opcodes: true stops the reading.
  virtual bool Stopped() { return false; }
};

enum class ReadResult : uint8_t {
  kEnded,        // 0x00FF reached
  kOutOfData,    // the data ended first (the last opcode was cut short)
  kBadData,      // a length, size or count that cannot be right: reading stopped there
  kNotAPicture,  // neither version 1 nor version 2
  kStopped,      // the player asked to stop
};

struct ReadInfo {
  int version = 0;
  size_t consumed = 0;  // bytes read after the 10-byte header
  uint16_t lastOpcode = 0;
};

// Reads the opcodes that follow the 10-byte header. limit is the most bytes that may be read
// (the picture's size less its header); nothing past it is asked of the source.
ReadResult ReadPicture(PictSource& source, size_t limit, PictPlayer& player,
                       ReadInfo* info = nullptr);

// The shape of a region's data (what follows rgnSize and rgnBBox, big-endian) as rectangles
// within box: bands of the rows between inversion lines, each the spans the inversion points
// set so far enclose. A region of 10 bytes (no data) is its box. False when the data is not a
// region: a line without its end word, lines out of order, or more rectangles than
// kMostRegionRects.
constexpr size_t kMostRegionRects = 65536;
bool DecodeRegion(const uint8_t* data, size_t size, const Rect& box, std::vector<Rect>& out);

// Row decoding shared with the writer's checks: unpacks one row of an image with packType
// (what EffectivePackType gives) from `packed` into `row` (rowBytes, already sized). False
// when the packed data does not make a whole row.
bool UnpackRow(const uint8_t* packed, size_t packedBytes, int16_t packType, int depth,
               int width, int cmpCount, uint8_t* row, int rowBytes);

}  // namespace zeb::quickdraw::pict

#endif  // ZEB_QUICKDRAW_PICT_READER_H

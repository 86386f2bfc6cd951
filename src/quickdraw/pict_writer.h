// Writing PICT version 2: the opcode encoder and the recording state that decides which state
// opcodes a drawing call needs first. The bytes go to a sink (the put-picture bottleneck);
// picSize and picFrame, the first 10 bytes, are the sink's. Host-independent.
#ifndef ZEB_QUICKDRAW_PICT_WRITER_H
#define ZEB_QUICKDRAW_PICT_WRITER_H

#include <cstddef>
#include <cstdint>
#include <vector>

#include "MacTypes.h"
#include "quickdraw/colour_rules.h"
#include "quickdraw/pict_reader.h"

namespace zeb::quickdraw::pict {

class PictSink {
 public:
  virtual ~PictSink() = default;
  virtual void Put(const uint8_t* data, size_t count) = 0;
};

// The verbs, as the shape opcodes number them.
enum Verb : int { kFrame = 0, kPaint = 1, kErase = 2, kInvert = 3, kFill = 4 };

// A pattern as a port has it: 8 bytes, or a pixel pattern whose opcode data (what follows the
// opcode of 0x12..0x14) is given whole.
struct PatternValue {
  uint8_t bytes[8] = {};
  std::vector<uint8_t> pixPatData;  // empty: an 8-byte pattern
};

// What was last written, so that a state opcode goes out only when its value changed.
struct RecordingState {
  Point penSize{1, 1};
  int16_t penMode = 8;  // patCopy
  // Background, pen and fill: all 0xFF bytes at first.
  PatternValue patterns[3];
  int32_t fgColor = 33, bkColor = 30;  // blackColor, whiteColor
  Rgb16 rgbFore{0, 0, 0}, rgbBack{0xFFFF, 0xFFFF, 0xFFFF};
  int16_t txFont = 0;
  uint8_t txFace = 0;
  int16_t txMode = 1;  // srcOr
  int16_t txSize = 0;
  int32_t spExtra = 0;
  Rect clipBox{};
  Point origin{};
  Point ovalSize{};
  bool hasLineEnd = false;
  Point lineEnd{};
  bool hasText = false;
  Point textLoc{};
  bool hasRect[4] = {};
  Rect lastRect[4] = {};
  int16_t lastFontNamed = -1;

  RecordingState();
};

enum PatternRole : int { kBackPattern = 0, kPenPattern = 1, kFillPattern = 2 };

// The port state a drawing call is recorded with.
struct PenState {
  Point size{1, 1};
  int16_t mode = 8;
  const PatternValue* pattern = nullptr;  // pen
};

struct TextState {
  int16_t font = 0;
  uint8_t face = 0;
  int16_t mode = 1;
  int16_t size = 0;
  int32_t spExtra = 0;
  const uint8_t* fontName = nullptr;  // length-prefixed, as GetFontName gives it
};

// An image to record: Macintosh rows top-down (direct pixels big-endian).
struct BitsSource {
  bool pixMap = false;
  int rowBytes = 0;
  Rect bounds{};
  int16_t pixelType = 0, pixelSize = 1, cmpCount = 1, cmpSize = 1;
  int32_t hRes = kStandardResolutionFixed, vRes = kStandardResolutionFixed;
  uint32_t ctSeed = 0;
  uint16_t ctFlags = 0;
  std::vector<ColourEntry> table;
  const uint8_t* rows = nullptr;

  static constexpr int32_t kStandardResolutionFixed = 0x00480000;
};

class PictRecorder {
 public:
  explicit PictRecorder(PictSink& sink) : sink_(sink) {}

  // The opcodes after the 10-byte header: version and header opcode. OpenPicture's header
  // carries -1 and the frame as Fixed values; the extended one the resolutions and source.
  void WriteHeader(const Rect& frame);
  void WriteExtendedHeader(const Rect& srcRect, int32_t hRes, int32_t vRes);
  void WriteEnd(bool padFirst);

  // State synchronisation before any drawing opcode.
  void SyncRgb(const Rgb16& fore, const Rgb16& back);
  void SyncOrigin(Point topLeft);
  void SyncClip(const Rect& box);
  // The verb's pen or pattern state (frame: size, mode, pen pattern; paint: mode, pen
  // pattern; erase: background; fill: fill pattern; invert: nothing).
  void SyncVerb(int verb, const PenState& pen, const PatternValue& back,
                const PatternValue& fill);
  void SyncText(const TextState& text);

  void ClassicColour(uint16_t opcode, int32_t colour);  // 0x0E or 0x0F, when it changed
  void RgbColour(uint16_t opcode, const Rgb16& rgb);    // 0x1A or 0x1B, when it changed
  void HiliteColour(const Rgb16& rgb);                  // 0x1D

  void Line(Point from, Point to);
  // family 0x30, 0x40, 0x50 or 0x60; for rounded rectangles a and b are the oval size, for
  // arcs the angles.
  void Shape(uint16_t family, int verb, const Rect& r, int16_t a, int16_t b);
  // A polygon record as it is in memory (polySize, box, points), big-endian here.
  void Polygon(int verb, const Rect& box, const Point* points, size_t count);
  // Regions are written as their header: size 10 and the box.
  void Region(int verb, const Rect& box);
  // Text of up to 255 bytes at the pen location.
  void Text(Point location, const uint8_t* text, int count);
  void Comment(int16_t kind, const uint8_t* data, int16_t size);
  // 0x90 / 0x98 / 0x9A with the image, its rectangles and mode. False (nothing written) for an
  // image that cannot be written: empty bounds, a depth QuickDraw has not, short rows.
  bool Bits(const BitsSource& image, const Rect& srcRect, const Rect& dstRect, int16_t mode);

  RecordingState& State() { return state_; }
  void SetState(const RecordingState& s) { state_ = s; }
  // Bytes written so far (after the 10-byte header).
  size_t Written() const { return written_; }

 private:
  void Emit();  // the opcode in buf_, padded to an even length
  void Op(uint16_t op) { W16(op); }
  void W8(uint8_t v) { buf_.push_back(v); }
  void W16(uint16_t v) {
    buf_.push_back(static_cast<uint8_t>(v >> 8));
    buf_.push_back(static_cast<uint8_t>(v));
  }
  void W32(uint32_t v) {
    W16(static_cast<uint16_t>(v >> 16));
    W16(static_cast<uint16_t>(v));
  }
  void WRect(const Rect& r) {
    W16(static_cast<uint16_t>(r.top));
    W16(static_cast<uint16_t>(r.left));
    W16(static_cast<uint16_t>(r.bottom));
    W16(static_cast<uint16_t>(r.right));
  }
  void WPoint(Point p) {
    W16(static_cast<uint16_t>(p.v));
    W16(static_cast<uint16_t>(p.h));
  }
  void WRgb(const Rgb16& c) {
    W16(c.red);
    W16(c.green);
    W16(c.blue);
  }
  void SyncPattern(int role, const PatternValue& value);

  PictSink& sink_;
  RecordingState state_;
  std::vector<uint8_t> buf_;
  size_t written_ = 0;
};

// The rows of an image as bits opcodes and pixel patterns hold them: packed by packType (what
// EffectivePackType gives), each packed row preceded by its length.
void WriteRows(const BitsSource& image, int16_t packType, std::vector<uint8_t>& out);
// The data of a pixel pattern opcode (0x12..0x14) after the opcode: patType, the 8-byte form,
// then for a full pattern (1) its pixel map, colour table and rows, for an RGB pattern (2) the
// colour. False for an image Bits could not write either.
bool EncodePixPatData(int16_t patType, const uint8_t pat1Data[8], const BitsSource* image,
                      const Rgb16& rgb, std::vector<uint8_t>& out);
// Word-run coding of 16-bit pixels (packType 3).
size_t PackWords(const uint8_t* src, size_t words, uint8_t* dst);

}  // namespace zeb::quickdraw::pict

#endif  // ZEB_QUICKDRAW_PICT_WRITER_H

// The PICT encoder: every value big-endian, every opcode's data padded to an even length.
#include "quickdraw/pict_writer.h"

#include <cstring>

#include "quickdraw/pict_format.h"
#include "resources/pack_bits.h"

namespace zeb::quickdraw::pict {

RecordingState::RecordingState() {
  for (PatternValue& p : patterns) std::memset(p.bytes, 0xFF, sizeof p.bytes);
}

namespace {

bool SamePattern(const PatternValue& a, const PatternValue& b) {
  return std::memcmp(a.bytes, b.bytes, 8) == 0 && a.pixPatData == b.pixPatData;
}

bool SameRect(const Rect& a, const Rect& b) {
  return a.top == b.top && a.left == b.left && a.bottom == b.bottom && a.right == b.right;
}

// Big-endian appending to a byte vector.
struct Bytes16 {
  std::vector<uint8_t>& out;
  explicit Bytes16(std::vector<uint8_t>& o) : out(o) {}
  void U16(uint16_t v) {
    out.push_back(static_cast<uint8_t>(v >> 8));
    out.push_back(static_cast<uint8_t>(v));
  }
  void U32(uint32_t v) {
    U16(static_cast<uint16_t>(v >> 16));
    U16(static_cast<uint16_t>(v));
  }
};

constexpr uint16_t kPatternOps[3] = {kBkPat, kPnPat, kFillPat};
constexpr uint16_t kPixPatOps[3] = {kBkPixPat, kPnPixPat, kFillPixPat};

int32_t ToFixed(int16_t v) { return static_cast<int32_t>(static_cast<uint32_t>(v) << 16); }

}  // namespace

void PictRecorder::Emit() {
  if (buf_.size() & 1) buf_.push_back(0);
  sink_.Put(buf_.data(), buf_.size());
  written_ += buf_.size();
  buf_.clear();
}

void PictRecorder::WriteHeader(const Rect& frame) {
  Op(kVersion);
  W16(kVersion2Word);
  Emit();
  Op(kHeaderOp);
  W32(0xFFFFFFFFu);
  W32(static_cast<uint32_t>(ToFixed(frame.left)));
  W32(static_cast<uint32_t>(ToFixed(frame.top)));
  W32(static_cast<uint32_t>(ToFixed(frame.right)));
  W32(static_cast<uint32_t>(ToFixed(frame.bottom)));
  W32(0);
  Emit();
}

void PictRecorder::WriteExtendedHeader(const Rect& srcRect, int32_t hRes, int32_t vRes) {
  Op(kVersion);
  W16(kVersion2Word);
  Emit();
  Op(kHeaderOp);
  W16(kExtendedVersion);
  W16(0);
  W32(static_cast<uint32_t>(hRes));
  W32(static_cast<uint32_t>(vRes));
  WRect(srcRect);
  W32(0);
  Emit();
}

void PictRecorder::WriteEnd(bool padFirst) {
  if (padFirst) {
    const uint8_t pad = 0;
    sink_.Put(&pad, 1);
    ++written_;
  }
  Op(kEndOfPicture);
  Emit();
}

void PictRecorder::SyncRgb(const Rgb16& fore, const Rgb16& back) {
  RgbColour(kRGBFgCol, fore);
  RgbColour(kRGBBkCol, back);
}

void PictRecorder::SyncOrigin(Point topLeft) {
  if (topLeft.h == state_.origin.h && topLeft.v == state_.origin.v) return;
  Op(kOrigin);
  W16(static_cast<uint16_t>(topLeft.h - state_.origin.h));
  W16(static_cast<uint16_t>(topLeft.v - state_.origin.v));
  Emit();
  state_.origin = topLeft;
}

void PictRecorder::SyncClip(const Rect& box) {
  if (SameRect(box, state_.clipBox)) return;
  Op(kClip);
  W16(10);
  WRect(box);
  Emit();
  state_.clipBox = box;
}

void PictRecorder::SyncPattern(int role, const PatternValue& value) {
  PatternValue& last = state_.patterns[role];
  if (SamePattern(last, value)) return;
  if (value.pixPatData.empty()) {
    Op(kPatternOps[role]);
    for (uint8_t b : value.bytes) W8(b);
  } else {
    Op(kPixPatOps[role]);
    buf_.insert(buf_.end(), value.pixPatData.begin(), value.pixPatData.end());
  }
  Emit();
  last = value;
}

void PictRecorder::SyncVerb(int verb, const PenState& pen, const PatternValue& back,
                            const PatternValue& fill) {
  if (verb == kFrame && (pen.size.h != state_.penSize.h || pen.size.v != state_.penSize.v)) {
    Op(kPnSize);
    WPoint(pen.size);
    Emit();
    state_.penSize = pen.size;
  }
  if (verb == kFrame || verb == kPaint) {
    if (pen.mode != state_.penMode) {
      Op(kPnMode);
      W16(static_cast<uint16_t>(pen.mode));
      Emit();
      state_.penMode = pen.mode;
    }
    if (pen.pattern) SyncPattern(kPenPattern, *pen.pattern);
  } else if (verb == kErase) {
    SyncPattern(kBackPattern, back);
  } else if (verb == kFill) {
    SyncPattern(kFillPattern, fill);
  }
}

void PictRecorder::SyncText(const TextState& t) {
  if (t.font != state_.txFont) {
    if (t.fontName && t.fontName[0] > 0 && t.font != state_.lastFontNamed) {
      Op(kFontName);
      W16(static_cast<uint16_t>(3 + t.fontName[0]));
      W16(static_cast<uint16_t>(t.font));
      for (int i = 0; i <= t.fontName[0]; ++i) W8(t.fontName[i]);
      Emit();
      state_.lastFontNamed = t.font;
    }
    Op(kTxFont);
    W16(static_cast<uint16_t>(t.font));
    Emit();
    state_.txFont = t.font;
  }
  if (t.face != state_.txFace) {
    Op(kTxFace);
    W8(t.face);
    Emit();
    state_.txFace = t.face;
  }
  if (t.mode != state_.txMode) {
    Op(kTxMode);
    W16(static_cast<uint16_t>(t.mode));
    Emit();
    state_.txMode = t.mode;
  }
  if (t.size != state_.txSize) {
    Op(kTxSize);
    W16(static_cast<uint16_t>(t.size));
    Emit();
    state_.txSize = t.size;
  }
  if (t.spExtra != state_.spExtra) {
    Op(kSpExtra);
    W32(static_cast<uint32_t>(t.spExtra));
    Emit();
    state_.spExtra = t.spExtra;
  }
}

void PictRecorder::ClassicColour(uint16_t opcode, int32_t colour) {
  int32_t& last = opcode == kFgColor ? state_.fgColor : state_.bkColor;
  if (last == colour) return;
  Op(opcode);
  W32(static_cast<uint32_t>(colour));
  Emit();
  last = colour;
}

void PictRecorder::RgbColour(uint16_t opcode, const Rgb16& rgb) {
  Rgb16& last = opcode == kRGBFgCol ? state_.rgbFore : state_.rgbBack;
  if (last == rgb) return;
  Op(opcode);
  WRgb(rgb);
  Emit();
  last = rgb;
}

void PictRecorder::HiliteColour(const Rgb16& rgb) {
  Op(kHiliteColor);
  WRgb(rgb);
  Emit();
}

void PictRecorder::Line(Point from, Point to) {
  const int dh = to.h - from.h, dv = to.v - from.v;
  const bool shortForm = dh >= -128 && dh <= 127 && dv >= -128 && dv <= 127;
  const bool fromLast =
      state_.hasLineEnd && state_.lineEnd.h == from.h && state_.lineEnd.v == from.v;
  if (shortForm) {
    Op(fromLast ? kShortLineFrom : kShortLine);
    if (!fromLast) WPoint(from);
    W8(static_cast<uint8_t>(dh));
    W8(static_cast<uint8_t>(dv));
  } else {
    Op(fromLast ? kLineFrom : kLine);
    if (!fromLast) WPoint(from);
    WPoint(to);
  }
  Emit();
  state_.hasLineEnd = true;
  state_.lineEnd = to;
}

void PictRecorder::Shape(uint16_t family, int verb, const Rect& r, int16_t a, int16_t b) {
  const int index = (family - kRectBase) >> 4;
  if (index < 0 || index > 3 || verb < 0 || verb > 4) return;
  if (family == kRRectBase && (a != state_.ovalSize.h || b != state_.ovalSize.v)) {
    Op(kOvSize);
    W16(static_cast<uint16_t>(b));  // v: height
    W16(static_cast<uint16_t>(a));  // h: width
    Emit();
    state_.ovalSize = {b, a};
  }
  const bool same = state_.hasRect[index] && SameRect(state_.lastRect[index], r);
  Op(static_cast<uint16_t>(family + (same ? 8 : 0) + verb));
  if (!same) WRect(r);
  if (family == kArcBase) {
    W16(static_cast<uint16_t>(a));
    W16(static_cast<uint16_t>(b));
  }
  Emit();
  state_.hasRect[index] = true;
  state_.lastRect[index] = r;
}

void PictRecorder::Polygon(int verb, const Rect& box, const Point* points, size_t count) {
  if (verb < 0 || verb > 4) return;
  // polySize counts itself, the box and the points; it must stay a 16-bit size.
  if (count > (32766u - 10u) / 4u) count = (32766u - 10u) / 4u;
  Op(static_cast<uint16_t>(kPolyBase + verb));
  W16(static_cast<uint16_t>(10 + 4 * count));
  WRect(box);
  for (size_t i = 0; i < count; ++i) WPoint(points[i]);
  Emit();
}

void PictRecorder::Region(int verb, const Rect& box) {
  if (verb < 0 || verb > 4) return;
  Op(static_cast<uint16_t>(kRgnBase + verb));
  W16(10);
  WRect(box);
  Emit();
}

void PictRecorder::Text(Point location, const uint8_t* text, int count) {
  if (count <= 0) return;
  if (count > 255) count = 255;
  const int dh = location.h - state_.textLoc.h, dv = location.v - state_.textLoc.v;
  const bool deltas = state_.hasText && dh >= 0 && dh <= 255 && dv >= 0 && dv <= 255;
  if (!deltas) {
    Op(kLongText);
    WPoint(location);
  } else if (dv == 0) {
    Op(kDHText);
    W8(static_cast<uint8_t>(dh));
  } else if (dh == 0) {
    Op(kDVText);
    W8(static_cast<uint8_t>(dv));
  } else {
    Op(kDHDVText);
    W8(static_cast<uint8_t>(dh));
    W8(static_cast<uint8_t>(dv));
  }
  W8(static_cast<uint8_t>(count));
  buf_.insert(buf_.end(), text, text + count);
  Emit();
  state_.hasText = true;
  state_.textLoc = location;
}

void PictRecorder::Comment(int16_t kind, const uint8_t* data, int16_t size) {
  if (size < 0) return;
  if (size == 0 || !data) {
    Op(kShortComment);
    W16(static_cast<uint16_t>(kind));
  } else {
    Op(kLongComment);
    W16(static_cast<uint16_t>(kind));
    W16(static_cast<uint16_t>(size));
    buf_.insert(buf_.end(), data, data + size);
  }
  Emit();
}

size_t PackWords(const uint8_t* src, size_t words, uint8_t* dst) {
  size_t in = 0, out = 0;
  auto word = [&](size_t i) { return static_cast<uint16_t>((src[i * 2] << 8) | src[i * 2 + 1]); };
  while (in < words) {
    size_t run = 1;
    while (in + run < words && run < 128 && word(in + run) == word(in)) ++run;
    if (run >= 2) {
      dst[out++] = static_cast<uint8_t>(1 - static_cast<int>(run));
      dst[out++] = src[in * 2];
      dst[out++] = src[in * 2 + 1];
      in += run;
      continue;
    }
    // Literal words up to the next run of two or the 128-word limit.
    size_t n = 1;
    while (in + n < words && n < 128 && !(in + n + 1 < words && word(in + n) == word(in + n + 1)))
      ++n;
    dst[out++] = static_cast<uint8_t>(n - 1);
    std::memcpy(dst + out, src + in * 2, n * 2);
    out += n * 2;
    in += n;
  }
  return out;
}

void WriteRows(const BitsSource& image, int16_t packType, std::vector<uint8_t>& out) {
  const int width = image.bounds.right - image.bounds.left;
  const int height = image.bounds.bottom - image.bounds.top;
  const int rowBytes = image.rowBytes;
  std::vector<uint8_t> packed(resources::PackedBound(static_cast<size_t>(rowBytes) * 2) + 8);
  std::vector<uint8_t> planes;
  for (int y = 0; y < height; ++y) {
    const uint8_t* row = image.rows + static_cast<size_t>(y) * rowBytes;
    size_t n = 0;
    switch (packType) {
      case kPackNone:
        out.insert(out.end(), row, row + rowBytes);
        continue;
      case kPackDropPad:
        for (int x = 0; x < width; ++x) out.insert(out.end(), row + x * 4 + 1, row + x * 4 + 4);
        continue;
      case kPackWords:
        n = PackWords(row, static_cast<size_t>(width), packed.data());
        break;
      case kPackPlanes: {
        planes.resize(static_cast<size_t>(width) * 3);
        for (int c = 0; c < 3; ++c)
          for (int x = 0; x < width; ++x) planes[static_cast<size_t>(c) * width + x] = row[x * 4 + 1 + c];
        n = resources::PackRuns(planes.data(), planes.size(), packed.data());
        break;
      }
      default:
        n = resources::PackRuns(row, static_cast<size_t>(rowBytes), packed.data());
        break;
    }
    if (rowBytes > kByteCountLimit) {
      out.push_back(static_cast<uint8_t>(n >> 8));
      out.push_back(static_cast<uint8_t>(n));
    } else {
      out.push_back(static_cast<uint8_t>(n));
    }
    out.insert(out.end(), packed.begin(), packed.begin() + static_cast<ptrdiff_t>(n));
  }
}

namespace {

// A pixel map header as the bits opcodes and pixel patterns hold it, rowBytes first.
void PutPixMap(std::vector<uint8_t>& out, const BitsSource& image, int16_t packType) {
  Bytes16 w(out);
  const int depth = image.pixelSize;
  const bool direct = depth >= 16;
  w.U16(static_cast<uint16_t>((image.rowBytes & kRowBytesMask) | kPixMapFlag));
  w.U16(static_cast<uint16_t>(image.bounds.top));
  w.U16(static_cast<uint16_t>(image.bounds.left));
  w.U16(static_cast<uint16_t>(image.bounds.bottom));
  w.U16(static_cast<uint16_t>(image.bounds.right));
  w.U16(0);  // pmVersion
  w.U16(static_cast<uint16_t>(direct ? packType : 0));
  w.U32(0);  // packSize
  w.U32(static_cast<uint32_t>(image.hRes));
  w.U32(static_cast<uint32_t>(image.vRes));
  w.U16(static_cast<uint16_t>(direct ? 16 : 0));  // pixelType: RGBDirect or chunky
  w.U16(static_cast<uint16_t>(depth));
  w.U16(static_cast<uint16_t>(direct ? 3 : 1));
  w.U16(static_cast<uint16_t>(depth == 32 ? 8 : depth == 16 ? 5 : depth));
  w.U32(0);  // planeBytes
  w.U32(0);  // pmTable
  w.U32(0);  // pmReserved
  if (!direct) {
    w.U32(image.ctSeed);
    w.U16(image.ctFlags);
    w.U16(static_cast<uint16_t>(static_cast<int>(image.table.size()) - 1));
    for (const ColourEntry& e : image.table) {
      w.U16(e.value);
      w.U16(e.rgb.red);
      w.U16(e.rgb.green);
      w.U16(e.rgb.blue);
    }
  }
}

bool Writable(const BitsSource& image) {
  const int width = image.bounds.right - image.bounds.left;
  const int height = image.bounds.bottom - image.bounds.top;
  const int depth = image.pixMap ? image.pixelSize : 1;
  if (width <= 0 || height <= 0 || !image.rows) return false;
  if (!(depth == 1 || depth == 2 || depth == 4 || depth == 8 || depth == 16 || depth == 32))
    return false;
  const int rowBytes = image.rowBytes & kRowBytesMask;
  if (rowBytes != image.rowBytes || rowBytes < (static_cast<int64_t>(width) * depth + 7) / 8)
    return false;
  return image.table.size() <= 256 && (depth >= 16 || !image.pixMap || !image.table.empty());
}

}  // namespace

bool EncodePixPatData(int16_t patType, const uint8_t pat1Data[8], const BitsSource* image,
                      const Rgb16& rgb, std::vector<uint8_t>& out) {
  Bytes16 w(out);
  if (patType == 1 && (!image || !image->pixMap || !Writable(*image))) return false;
  w.U16(static_cast<uint16_t>(patType));
  out.insert(out.end(), pat1Data, pat1Data + 8);
  if (patType == 1) {
    const int16_t packType = EffectivePackType(kPackDefault, image->pixelSize, image->rowBytes);
    PutPixMap(out, *image, packType);
    WriteRows(*image, packType, out);
  } else if (patType == 2) {
    w.U16(rgb.red);
    w.U16(rgb.green);
    w.U16(rgb.blue);
  }
  return true;
}

bool PictRecorder::Bits(const BitsSource& image, const Rect& srcRect, const Rect& dstRect,
                        int16_t mode) {
  if (!Writable(image)) return false;
  const int depth = image.pixMap ? image.pixelSize : 1;
  const int rowBytes = image.rowBytes;
  const bool direct = depth >= 16;
  const int16_t packType = EffectivePackType(kPackDefault, depth, rowBytes);
  uint16_t op;
  if (direct) op = kDirectBitsRect;
  else op = rowBytes < kSmallestPackedRow ? kBitsRect : kPackBitsRect;
  Op(op);
  if (direct) W32(kDirectBaseAddress);
  if (image.pixMap) {
    PutPixMap(buf_, image, packType);
  } else {
    W16(static_cast<uint16_t>(rowBytes));
    WRect(image.bounds);
  }
  WRect(srcRect);
  WRect(dstRect);
  W16(static_cast<uint16_t>(mode));
  WriteRows(image, op == kBitsRect ? static_cast<int16_t>(kPackNone) : packType, buf_);
  Emit();
  return true;
}

}  // namespace zeb::quickdraw::pict

// The PICT interpreter's reading half: opcodes decoded by the table of pict_format, every
// length checked against what the picture has left.
#include "quickdraw/pict_reader.h"

#include <algorithm>
#include <climits>
#include <cstring>

#include "quickdraw/pict_format.h"
#include "resources/pack_bits.h"

namespace zeb::quickdraw::pict {

size_t MemorySource::Read(uint8_t* dst, size_t n) {
  const size_t take = std::min(n, size_ - at_);
  if (take) std::memcpy(dst, data_ + at_, take);
  at_ += take;
  return take;
}

namespace {

constexpr int kMaxColourEntries = 256;
constexpr size_t kSkipChunk = 4096;

class Cursor {
 public:
  Cursor(PictSource& source, size_t limit) : source_(source), limit_(limit) {}

  size_t Left() const { return limit_ - at_; }
  size_t At() const { return at_; }
  bool OutOfData() const { return outOfData_; }

  bool Take(void* dst, size_t n) {
    if (n > Left()) {
      outOfData_ = true;
      return false;
    }
    const size_t got = source_.Read(static_cast<uint8_t*>(dst), n);
    at_ += got;
    if (got < n) {
      outOfData_ = true;
      limit_ = at_;
      return false;
    }
    return true;
  }
  bool Skip(size_t n) {
    uint8_t buffer[kSkipChunk];
    while (n > 0) {
      const size_t piece = std::min(n, sizeof buffer);
      if (!Take(buffer, piece)) return false;
      n -= piece;
    }
    return true;
  }
  bool U8(uint8_t& v) { return Take(&v, 1); }
  bool U16(uint16_t& v) {
    uint8_t b[2];
    if (!Take(b, 2)) return false;
    v = GetU16(b);
    return true;
  }
  bool I16(int16_t& v) {
    uint16_t u;
    if (!U16(u)) return false;
    v = static_cast<int16_t>(u);
    return true;
  }
  bool U32(uint32_t& v) {
    uint8_t b[4];
    if (!Take(b, 4)) return false;
    v = GetU32(b);
    return true;
  }
  bool I32(int32_t& v) {
    uint32_t u;
    if (!U32(u)) return false;
    v = static_cast<int32_t>(u);
    return true;
  }
  bool PointV(Point& p) { return I16(p.v) && I16(p.h); }
  bool RectV(Rect& r) { return I16(r.top) && I16(r.left) && I16(r.bottom) && I16(r.right); }
  bool Rgb(Rgb16& c) { return U16(c.red) && U16(c.green) && U16(c.blue); }

 private:
  PictSource& source_;
  size_t limit_;
  size_t at_ = 0;
  bool outOfData_ = false;
};

// Why a step failed: the data ran out, or what was read cannot be right.
enum class Step : uint8_t { kOk, kOut, kBad };

Step Fail(const Cursor& c) { return c.OutOfData() ? Step::kOut : Step::kBad; }

// Word-run coding of 16-bit pixels (packType 3): a flag byte n, then n + 1 literal words for
// n in 0..127, or one word repeated 1 - n times for n in -127..-1.
bool UnpackWords(const uint8_t* src, size_t srcBytes, uint8_t* dst, size_t dstBytes) {
  size_t in = 0, out = 0;
  while (out < dstBytes && in < srcBytes) {
    const int8_t flag = static_cast<int8_t>(src[in++]);
    if (flag == -128) continue;
    if (flag >= 0) {
      const size_t bytes = (static_cast<size_t>(flag) + 1) * 2;
      if (in + bytes > srcBytes || out + bytes > dstBytes) return false;
      std::memcpy(dst + out, src + in, bytes);
      in += bytes;
      out += bytes;
    } else {
      const size_t times = static_cast<size_t>(1 - flag);
      if (in + 2 > srcBytes || out + times * 2 > dstBytes) return false;
      for (size_t i = 0; i < times; ++i) std::memcpy(dst + out + i * 2, src + in, 2);
      in += 2;
      out += times * 2;
    }
  }
  return out == dstBytes;
}

}  // namespace

bool UnpackRow(const uint8_t* packed, size_t packedBytes, int16_t packType, int depth,
               int width, int cmpCount, uint8_t* row, int rowBytes) {
  std::memset(row, 0, static_cast<size_t>(rowBytes));
  switch (packType) {
    case kPackNone:
      if (packedBytes < static_cast<size_t>(rowBytes)) return false;
      std::memcpy(row, packed, static_cast<size_t>(rowBytes));
      return true;
    case kPackDropPad: {
      const size_t need = static_cast<size_t>(width) * 3;
      if (packedBytes < need || static_cast<int64_t>(width) * 4 > rowBytes) return false;
      for (int x = 0; x < width; ++x) std::memcpy(row + x * 4 + 1, packed + x * 3, 3);
      return true;
    }
    case kPackWords: {
      const size_t need = static_cast<size_t>(width) * 2;
      if (static_cast<int64_t>(need) > rowBytes) return false;
      return UnpackWords(packed, packedBytes, row, need);
    }
    case kPackPlanes: {
      if (cmpCount != 3 && cmpCount != 4) return false;
      if (static_cast<int64_t>(width) * 4 > rowBytes) return false;
      std::vector<uint8_t> planes(static_cast<size_t>(width) * cmpCount);
      const auto r = resources::UnpackRuns(packed, packedBytes, planes.data(), planes.size());
      if (r.produced != planes.size()) return false;
      // Four components are stored alpha (or pad), red, green, blue; three without the first.
      const int first = cmpCount == 4 ? 0 : 1;
      for (int c = 0; c < cmpCount; ++c)
        for (int x = 0; x < width; ++x)
          row[x * 4 + first + c] = planes[static_cast<size_t>(c) * width + x];
      return true;
    }
    default: {
      (void)depth;
      const auto r = resources::UnpackRuns(packed, packedBytes, row, static_cast<size_t>(rowBytes));
      return r.produced == static_cast<size_t>(rowBytes);
    }
  }
}

static bool IsEmptyBox(const Rect& r) { return r.bottom <= r.top || r.right <= r.left; }

// Inversion points: each (h, v) inverts everything right of h from row v down. A row's spans
// are the points of every line above it taken with odd multiplicity, paired in order.
bool DecodeRegion(const uint8_t* data, size_t size, const Rect& box, std::vector<Rect>& out) {
  out.clear();
  if (size == 0) {
    if (!IsEmptyBox(box)) out.push_back(box);
    return true;
  }
  constexpr int16_t kEndOfLine = 0x7FFF;
  std::vector<int16_t> spans, line, next;
  size_t at = 0;
  auto word = [&](int16_t& v) {
    if (at + 2 > size) return false;
    v = GetI16(data + at);
    at += 2;
    return true;
  };
  // Adds the band from top to bottom with the current spans, clipped to the box.
  auto band = [&](int32_t top, int32_t bottom) {
    top = std::max<int32_t>(top, box.top);
    bottom = std::min<int32_t>(bottom, box.bottom);
    if (top >= bottom) return true;
    for (size_t i = 0; i + 1 < spans.size(); i += 2) {
      const int32_t left = std::max<int32_t>(spans[i], box.left);
      const int32_t right = std::min<int32_t>(spans[i + 1], box.right);
      if (left >= right) continue;
      if (out.size() >= kMostRegionRects) return false;
      out.push_back(Rect{static_cast<short>(top), static_cast<short>(left),
                         static_cast<short>(bottom), static_cast<short>(right)});
    }
    return true;
  };
  int32_t lastV = INT32_MIN;
  for (;;) {
    int16_t v = 0;
    if (!word(v)) return false;
    if (v == kEndOfLine) break;
    if (v <= lastV) return false;
    if (lastV != INT32_MIN && !band(lastV, v)) return false;
    line.clear();
    for (;;) {
      int16_t h = 0;
      if (!word(h)) return false;
      if (h == kEndOfLine) break;
      line.push_back(h);
    }
    std::sort(line.begin(), line.end());
    // The symmetric difference of the spans so far and this line's points.
    next.clear();
    size_t i = 0, j = 0;
    while (i < spans.size() || j < line.size()) {
      if (j == line.size() || (i < spans.size() && spans[i] < line[j])) {
        next.push_back(spans[i++]);
      } else if (i == spans.size() || line[j] < spans[i]) {
        next.push_back(line[j++]);
      } else {
        ++i;
        ++j;
      }
    }
    // Points repeated within a line cancel in pairs.
    spans.clear();
    for (size_t k = 0; k < next.size(); ++k) {
      if (k + 1 < next.size() && next[k] == next[k + 1]) {
        ++k;
        continue;
      }
      spans.push_back(next[k]);
    }
    lastV = v;
  }
  // A region closes every span by its last line; what is left open ends at the box.
  if (lastV != INT32_MIN && !band(lastV, box.bottom)) return false;
  return true;
}

namespace {

class Reader {
 public:
  Reader(PictSource& source, size_t limit, PictPlayer& player)
      : c_(source, limit), player_(player) {}

  ReadResult Run(ReadInfo* info);

 private:
  Step Opcode(uint16_t op);
  Step SkipWordLength();
  Step SkipLongLength();
  Step SizedRecord(uint16_t op);
  Step TextOp(uint16_t op);
  Step ShapeOp(uint16_t op);
  Step BitsOp(uint16_t op);
  Step PixPatOp(uint16_t op);
  Step PixMapHeader(PictImage& image, bool withRowBytes);
  Step ColourTable(PictImage& image);
  Step Rows(PictImage& image, bool packedForm);
  Step Pad() {
    if (version_ >= 2 && (c_.At() & 1)) return c_.Skip(1) ? Step::kOk : Fail(c_);
    return Step::kOk;
  }

  Cursor c_;
  PictPlayer& player_;
  int version_ = 0;
  Point penLoc_{};
  Point textLoc_{};
  Rect lastRect_[4] = {};  // rectangle, rounded rectangle, oval, arc
};

ReadResult Reader::Run(ReadInfo* info) {
  uint8_t first[2];
  ReadResult result = ReadResult::kNotAPicture;
  if (c_.Take(first, 2)) {
    if (first[0] == kVersion && first[1] == kVersion1Byte) {
      version_ = 1;
    } else if (GetU16(first) == kVersion) {
      uint16_t word = 0;
      if (c_.U16(word) && word == kVersion2Word) version_ = 2;
    }
  }
  if (version_ != 0) {
    result = ReadResult::kOutOfData;
    for (;;) {
      if (player_.Stopped()) {
        result = ReadResult::kStopped;
        break;
      }
      uint16_t op = 0;
      if (version_ >= 2) {
        if (!c_.U16(op)) break;
      } else {
        uint8_t b = 0;
        if (!c_.U8(b)) break;
        op = b;
      }
      if (info) info->lastOpcode = op;
      if (op == kEndOfPicture) {
        result = ReadResult::kEnded;
        break;
      }
      const Step s = Opcode(op);
      if (s == Step::kOk && Pad() == Step::kOk) continue;
      result = (s == Step::kBad) ? ReadResult::kBadData : ReadResult::kOutOfData;
      break;
    }
  }
  if (info) {
    info->version = version_;
    info->consumed = c_.At();
  }
  return result;
}

Step Reader::SkipWordLength() {
  uint16_t n = 0;
  if (!c_.U16(n) || !c_.Skip(n)) return Fail(c_);
  return Step::kOk;
}

Step Reader::SkipLongLength() {
  uint32_t n = 0;
  if (!c_.U32(n)) return Fail(c_);
  if (n > c_.Left()) return Step::kBad;
  return c_.Skip(n) ? Step::kOk : Fail(c_);
}

// Clip regions, polygons and regions: a 16-bit size that counts itself and the box.
Step Reader::SizedRecord(uint16_t op) {
  uint16_t size = 0;
  Rect box{};
  if (!c_.U16(size)) return Fail(c_);
  if (size < 10) return Step::kBad;
  if (!c_.RectV(box)) return Fail(c_);
  const size_t rest = size - 10u;
  if (op == kClip) {
    if (!c_.Skip(rest)) return Fail(c_);
    player_.Clip(box);
    return Step::kOk;
  }
  if (op >= kPolyBase && op <= kPolyBase + 7) {
    if (size & 1) return Step::kBad;
    std::vector<Point> points(rest / 4);
    for (Point& p : points)
      if (!c_.PointV(p)) return Fail(c_);
    if (!c_.Skip(rest % 4)) return Fail(c_);
    if (op <= kPolyBase + 4) player_.Polygon(op - kPolyBase, box, points.data(), points.size());
    return Step::kOk;
  }
  // Regions are not replayed.
  return c_.Skip(rest) ? Step::kOk : Fail(c_);
}

Step Reader::TextOp(uint16_t op) {
  uint8_t dh = 0, dv = 0;
  if (op == kLongText) {
    if (!c_.PointV(textLoc_)) return Fail(c_);
  } else {
    if (op != kDVText && !c_.U8(dh)) return Fail(c_);
    if (op != kDHText && !c_.U8(dv)) return Fail(c_);
    textLoc_.h = static_cast<short>(textLoc_.h + dh);
    textLoc_.v = static_cast<short>(textLoc_.v + dv);
  }
  uint8_t count = 0;
  uint8_t text[256];
  if (!c_.U8(count) || !c_.Take(text, count)) return Fail(c_);
  player_.Text(op, textLoc_, dh, dv, text, count);
  return Step::kOk;
}

Step Reader::ShapeOp(uint16_t op) {
  const int family = (op >> 4) - 3;  // 0 rect, 1 rounded rect, 2 oval, 3 arc
  const int low = op & 0x0F;
  const bool same = low >= 8;
  const int verb = low & 7;
  if (verb > 4) {  // reserved: carry the family's data, draw nothing
    const size_t bytes = same ? (family == 3 ? 4 : 0) : (family == 3 ? 12 : 8);
    return c_.Skip(bytes) ? Step::kOk : Fail(c_);
  }
  Rect r = lastRect_[family];
  if (!same && !c_.RectV(r)) return Fail(c_);
  int16_t start = 0, extent = 0;
  if (family == 3 && !(c_.I16(start) && c_.I16(extent))) return Fail(c_);
  lastRect_[family] = r;
  player_.Shape(static_cast<uint16_t>(kRectBase + family * 0x10), verb, r, start, extent);
  return Step::kOk;
}

Step Reader::ColourTable(PictImage& image) {
  uint16_t size = 0;
  if (!c_.U32(image.ctSeed) || !c_.U16(image.ctFlags) || !c_.U16(size)) return Fail(c_);
  const int count = static_cast<int16_t>(size) + 1;
  if (count < 0 || count > kMaxColourEntries) return Step::kBad;
  image.table.resize(static_cast<size_t>(count));
  for (int i = 0; i < count; ++i) {
    ColourEntry& e = image.table[static_cast<size_t>(i)];
    if (!c_.U16(e.value) || !c_.Rgb(e.rgb)) return Fail(c_);
    // A device table (ctFlags bit 15) numbers its entries by position.
    if (image.ctFlags & 0x8000) e.value = static_cast<uint16_t>(i);
  }
  return Step::kOk;
}

// The fields of a pixel map after rowBytes (or with it), the bounds first.
Step Reader::PixMapHeader(PictImage& image, bool withRowBytes) {
  if (withRowBytes && !c_.I16(image.rowBytes)) return Fail(c_);
  uint32_t table = 0, reserved = 0;
  if (!c_.RectV(image.bounds) || !c_.I16(image.pmVersion) || !c_.I16(image.packType) ||
      !c_.I32(image.packSize) || !c_.I32(image.hRes) || !c_.I32(image.vRes) ||
      !c_.I16(image.pixelType) || !c_.I16(image.pixelSize) || !c_.I16(image.cmpCount) ||
      !c_.I16(image.cmpSize) || !c_.I32(image.planeBytes) || !c_.U32(table) ||
      !c_.U32(reserved))
    return Fail(c_);
  image.pixMap = true;
  return Step::kOk;
}

// The rows of an image whose header has been read: unpacked when the row is shorter than 8
// bytes or packType says so, else each packed with its length in front.
Step Reader::Rows(PictImage& image, bool packedForm) {
  image.rowBytes = static_cast<int16_t>(image.rowBytes & kRowBytesMask);
  const Rect& b = image.bounds;
  const int64_t width = int64_t{b.right} - b.left, height = int64_t{b.bottom} - b.top;
  const int depth = image.pixMap ? image.pixelSize : 1;
  if (width <= 0 || height <= 0) return Step::kBad;
  if (!(depth == 1 || depth == 2 || depth == 4 || depth == 8 || depth == 16 || depth == 32))
    return Step::kBad;
  const int rowBytes = image.rowBytes;
  if (int64_t{rowBytes} < (width * depth + 7) / 8) return Step::kBad;
  int16_t packType = packedForm ? EffectivePackType(image.packType, depth, rowBytes)
                                : static_cast<int16_t>(kPackNone);
  if (rowBytes < kSmallestPackedRow) packType = kPackNone;
  // The least data a row can take: a whole row unpacked, or its length and one run for every
  // 128 units it unpacks to. Component planes unpack to width x cmpCount bytes (three planes
  // when the pad is not stored), word runs to width words: counting rowBytes there would take
  // a uniform row for a short one and stop a sound picture before its last image.
  const int64_t countBytes = rowBytes > kByteCountLimit ? 2 : 1;
  int64_t leastPerRow;
  if (packType == kPackNone) leastPerRow = rowBytes;
  else if (packType == kPackDropPad) leastPerRow = width * 3;
  else if (packType == kPackWords) leastPerRow = countBytes + 3 * ((width + 127) / 128);
  else if (packType == kPackPlanes) leastPerRow = countBytes + 2 * ((width * 3 + 127) / 128);
  else leastPerRow = countBytes + 2 * ((rowBytes + 127) / 128);
  if (height * leastPerRow > static_cast<int64_t>(c_.Left())) {
    c_.Skip(c_.Left());
    return Step::kOut;
  }
  image.rows.assign(static_cast<size_t>(height * rowBytes), 0);
  std::vector<uint8_t> packed;
  for (int64_t y = 0; y < height; ++y) {
    uint8_t* row = image.rows.data() + y * rowBytes;
    size_t bytes;
    if (packType == kPackNone) {
      bytes = static_cast<size_t>(rowBytes);
    } else if (packType == kPackDropPad) {
      bytes = static_cast<size_t>(width * 3);
    } else if (rowBytes > kByteCountLimit) {
      uint16_t n = 0;
      if (!c_.U16(n)) return Fail(c_);
      bytes = n;
    } else {
      uint8_t n = 0;
      if (!c_.U8(n)) return Fail(c_);
      bytes = n;
    }
    packed.resize(bytes);
    if (!c_.Take(packed.data(), bytes)) return Fail(c_);
    if (!UnpackRow(packed.data(), bytes, packType, depth, static_cast<int>(width),
                   image.cmpCount, row, rowBytes))
      return Step::kBad;
  }
  return Step::kOk;
}

Step Reader::BitsOp(uint16_t op) {
  PictBits bits;
  bits.opcode = op;
  const bool direct = op == kDirectBitsRect || op == kDirectBitsRgn;
  if (direct) {
    uint32_t base = 0;
    if (!c_.U32(base)) return Fail(c_);
  }
  uint16_t rowBytes = 0;
  if (!c_.U16(rowBytes)) return Fail(c_);
  PictImage& image = bits.image;
  image.rowBytes = static_cast<int16_t>(rowBytes);
  Step s = Step::kOk;
  if (rowBytes & kPixMapFlag) {
    s = PixMapHeader(image, false);
    if (s == Step::kOk && !direct) s = ColourTable(image);
  } else {
    if (direct) return Step::kBad;
    if (!c_.RectV(image.bounds)) return Fail(c_);
  }
  if (s != Step::kOk) return s;
  if (image.pixMap && direct != (image.pixelSize == 16 || image.pixelSize == 32))
    return Step::kBad;
  if (!c_.RectV(bits.srcRect) || !c_.RectV(bits.dstRect) || !c_.I16(bits.mode)) return Fail(c_);
  if (op == kBitsRgn || op == kPackBitsRgn || op == kDirectBitsRgn) {
    uint16_t size = 0;
    if (!c_.U16(size)) return Fail(c_);
    if (size < 10) return Step::kBad;
    if (!c_.RectV(bits.maskBox)) return Fail(c_);
    std::vector<uint8_t> shape(size - 10u);
    if (!c_.Take(shape.data(), shape.size())) return Fail(c_);
    if (!DecodeRegion(shape.data(), shape.size(), bits.maskBox, bits.maskRects))
      return Step::kBad;
    bits.hasMask = true;
  }
  // BitsRect rows are never packed; the others are packed once a row reaches 8 bytes.
  s = Rows(image, op != kBitsRect && op != kBitsRgn);
  if (s != Step::kOk) return s;
  player_.Bits(bits);
  return Step::kOk;
}

Step Reader::PixPatOp(uint16_t op) {
  PictPixPat pp;
  pp.opcode = op;
  if (!c_.I16(pp.patType) || !c_.Take(pp.pat1Data, 8)) return Fail(c_);
  if (pp.patType == 1) {
    Step s = PixMapHeader(pp.image, true);
    if (s == Step::kOk) s = ColourTable(pp.image);
    if (s == Step::kOk) s = Rows(pp.image, true);
    if (s != Step::kOk) return s;
  } else if (pp.patType == 2) {
    if (!c_.Rgb(pp.rgb)) return Fail(c_);
  } else if (pp.patType != 0) {
    return Step::kBad;
  }
  player_.PixelPattern(pp);
  return Step::kOk;
}

Step Reader::Opcode(uint16_t op) {
  if (op == kHeaderOp && version_ >= 2) {
    uint8_t h[24];
    if (!c_.Take(h, 24)) return Fail(c_);
    const bool extended = GetU16(h) == kExtendedVersion;
    Rect src{};
    int32_t hRes = kStandardResolution, vRes = kStandardResolution;
    if (extended) {
      hRes = static_cast<int32_t>(GetU32(h + 4));
      vRes = static_cast<int32_t>(GetU32(h + 8));
      src = {GetI16(h + 12), GetI16(h + 14), GetI16(h + 16), GetI16(h + 18)};
    }
    player_.Header(extended, hRes, vRes, src);
    return Step::kOk;
  }
  uint8_t b[8];
  switch (op) {
    case kBkPat: case kPnPat: case kFillPat:
      if (!c_.Take(b, 8)) return Fail(c_);
      player_.Pattern(op, b);
      return Step::kOk;
    case kTxFont: case kTxMode: case kPnMode: case kTxSize: {
      int16_t v = 0;
      if (!c_.I16(v)) return Fail(c_);
      if (op == kTxFont) player_.TextFont(v);
      else if (op == kTxMode) player_.TextMode(v);
      else if (op == kPnMode) player_.PenMode(v);
      else player_.TextSize(v);
      return Step::kOk;
    }
    case kTxFace:
      if (!c_.U8(b[0])) return Fail(c_);
      player_.TextFace(b[0]);
      return Step::kOk;
    case kSpExtra: case kFgColor: case kBkColor: {
      int32_t v = 0;
      if (!c_.I32(v)) return Fail(c_);
      if (op == kSpExtra) player_.SpaceExtra(v);
      else player_.ClassicColour(op, v);
      return Step::kOk;
    }
    case kPnSize: case kOvSize: {
      Point p{};
      if (!c_.PointV(p)) return Fail(c_);
      if (op == kPnSize) player_.PenSize(p);
      else player_.OvalSize(p);
      return Step::kOk;
    }
    case kOrigin: {
      int16_t dh = 0, dv = 0;
      if (!c_.I16(dh) || !c_.I16(dv)) return Fail(c_);
      player_.Origin(dh, dv);
      return Step::kOk;
    }
    case kRGBFgCol: case kRGBBkCol: case kHiliteColor: {
      Rgb16 rgb{};
      if (!c_.Rgb(rgb)) return Fail(c_);
      player_.RgbColour(op, rgb);
      return Step::kOk;
    }
    case kLine: case kLineFrom: case kShortLine: case kShortLineFrom: {
      Point from = penLoc_, to{};
      if ((op == kLine || op == kShortLine) && !c_.PointV(from)) return Fail(c_);
      if (op == kLine || op == kLineFrom) {
        if (!c_.PointV(to)) return Fail(c_);
      } else {
        uint8_t d[2];
        if (!c_.Take(d, 2)) return Fail(c_);
        to.h = static_cast<short>(from.h + static_cast<int8_t>(d[0]));
        to.v = static_cast<short>(from.v + static_cast<int8_t>(d[1]));
      }
      penLoc_ = to;
      player_.Line(from, to);
      return Step::kOk;
    }
    case kLongText: case kDHText: case kDVText: case kDHDVText:
      return TextOp(op);
    case kFontName: {
      uint16_t length = 0;
      int16_t font = 0;
      uint8_t name[256];
      if (!c_.U16(length)) return Fail(c_);
      if (length < 3) return Step::kBad;
      if (!c_.I16(font) || !c_.U8(name[0])) return Fail(c_);
      if (name[0] > length - 3u) return Step::kBad;
      if (!c_.Take(name + 1, name[0]) || !c_.Skip(length - 3u - name[0])) return Fail(c_);
      player_.FontName(font, name);
      return Step::kOk;
    }
    case kShortComment: {
      int16_t kind = 0;
      if (!c_.I16(kind)) return Fail(c_);
      player_.Comment(kind, nullptr, 0);
      return Step::kOk;
    }
    case kLongComment: {
      int16_t kind = 0;
      uint16_t size = 0;
      if (!c_.I16(kind) || !c_.U16(size)) return Fail(c_);
      std::vector<uint8_t> data(size);
      if (!c_.Take(data.data(), size)) return Fail(c_);
      player_.Comment(kind, data.data(), size);
      return Step::kOk;
    }
    default: break;
  }
  if (op >= kRectBase && op <= 0x6F) return ShapeOp(op);
  const OpcodeData d = DataOf(op, version_);
  switch (d.kind) {
    case DataKind::kFixed: return c_.Skip(d.fixed) ? Step::kOk : Fail(c_);
    case DataKind::kWordLength: return SkipWordLength();
    case DataKind::kLongLength: return SkipLongLength();
    case DataKind::kSizedRecord: return SizedRecord(op);
    case DataKind::kBits: return BitsOp(op);
    case DataKind::kPixPat: return PixPatOp(op);
    case DataKind::kText: case DataKind::kComment: return TextOp(op);
    case DataKind::kEnd: return Step::kBad;
  }
  return Step::kBad;
}

}  // namespace

ReadResult ReadPicture(PictSource& source, size_t limit, PictPlayer& player, ReadInfo* info) {
  Reader reader(source, limit, player);
  return reader.Run(info);
}

}  // namespace zeb::quickdraw::pict

// The pixel engine's families and the row pipeline.
#include "quickdraw/pixel_engine.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "quickdraw/pixel_formats.h"
#include "quickdraw/region_mask.h"

namespace zeb::quickdraw {
namespace {

EngineReporter gReporter = nullptr;

void Report(const char* text) {
  if (gReporter) gReporter(text);
}

constexpr int kDitherBit = 0x40;
enum CombineMode {
  kSrcCopy = 0, kSrcOr, kSrcXor, kSrcBic, kNotSrcCopy, kNotSrcOr, kNotSrcXor, kNotSrcBic,
  kBlend = 32, kAddPin, kAddOver, kSubPin, kTransparent, kAddMax, kSubOver, kAdMin
};

// --- PixelValueMaskProc: keep a value's depth bits. The colourised variants are the same
// masking; they exist so that the 8-bit colourised transfers keep a routine of their own.
template <int Depth>
void MaskValues(uint32_t* values, int32_t n) {
  constexpr uint32_t mask = (1u << Depth) - 1u;
  for (int32_t i = 0; i < n; ++i) values[i] &= mask;
}

// --- PVToRGBProc.
template <int Depth>
void IndexedToRgbWithTable(const uint32_t* values, Rgb16* out, int32_t n, const Rgb16* table,
                           int32_t count) {
  for (int32_t i = 0; i < n; ++i)
    out[i] = values[i] < static_cast<uint32_t>(count) ? table[values[i]] : kBlackRgb;
}
// Without a table an indexed image is a grey ramp from white (0) to black (the last value):
// for one bit exactly white and black.
template <int Depth>
void IndexedToRgbRamp(const uint32_t* values, Rgb16* out, int32_t n, const Rgb16*, int32_t) {
  constexpr uint32_t top = (1u << Depth) - 1u;
  for (int32_t i = 0; i < n; ++i) {
    const uint16_t c = static_cast<uint16_t>(65535u - (values[i] & top) * 65535u / top);
    out[i] = {c, c, c};
  }
}
void Direct16ToRgb(const uint32_t* values, Rgb16* out, int32_t n, const Rgb16*, int32_t) {
  for (int32_t i = 0; i < n; ++i) out[i] = RgbFromDirect16(static_cast<uint16_t>(values[i]));
}
void Direct32ToRgb(const uint32_t* values, Rgb16* out, int32_t n, const Rgb16*, int32_t) {
  for (int32_t i = 0; i < n; ++i) out[i] = RgbFromDirect32(values[i]);
}

// --- PrepareColorizeProc.
void ColouriseCopy(Rgb16* row, int32_t n, const ColourParams& c) {
  for (int32_t i = 0; i < n; ++i) row[i] = Colourise(row[i], c.fore, c.back);
}
Rgb16 Inverted(const Rgb16& v) {
  return {static_cast<uint16_t>(~v.red), static_cast<uint16_t>(~v.green),
          static_cast<uint16_t>(~v.blue)};
}
void ColouriseNotCopy(Rgb16* row, int32_t n, const ColourParams& c) {
  for (int32_t i = 0; i < n; ++i) row[i] = Colourise(Inverted(row[i]), c.fore, c.back);
}
// The or and bic modes mix their colour in by the amount of ink; the not- modes take the ink
// from the source's light pixels.
void KeepSource(Rgb16*, int32_t, const ColourParams&) {}
void InvertSource(Rgb16* row, int32_t n, const ColourParams&) {
  for (int32_t i = 0; i < n; ++i) row[i] = Inverted(row[i]);
}

// --- ResizePVProc: columns[i] is the source column of output pixel i.
template <int Depth>
void ResizeByColumns(const uint32_t* in, const int32_t* columns, uint32_t* out, int32_t n) {
  for (int32_t i = 0; i < n; ++i) out[i] = in[columns[i]];
}

// --- RGBCombineProc.
template <typename Op>
void Componentwise(const Rgb16* s, Rgb16* d, int32_t n, Op op) {
  for (int32_t i = 0; i < n; ++i) {
    d[i].red = static_cast<uint16_t>(op(s[i].red, d[i].red, 0));
    d[i].green = static_cast<uint16_t>(op(s[i].green, d[i].green, 1));
    d[i].blue = static_cast<uint16_t>(op(s[i].blue, d[i].blue, 2));
  }
}
uint32_t Part(const Rgb16& c, int k) { return k == 0 ? c.red : k == 1 ? c.green : c.blue; }

void CombineCopy(const Rgb16* s, Rgb16* d, int32_t n, const ColourParams&) {
  std::memcpy(d, s, sizeof(Rgb16) * static_cast<size_t>(n));
}
void CombineOr(const Rgb16* s, Rgb16* d, int32_t n, const ColourParams&) {
  Componentwise(s, d, n, [](uint32_t a, uint32_t b, int) { return a & b; });
}
void CombineXor(const Rgb16* s, Rgb16* d, int32_t n, const ColourParams&) {
  Componentwise(s, d, n, [](uint32_t a, uint32_t b, int) { return ~(a ^ b); });
}
void CombineBic(const Rgb16* s, Rgb16* d, int32_t n, const ColourParams&) {
  Componentwise(s, d, n, [](uint32_t a, uint32_t b, int) { return b | ~a; });
}
void CombineNotCopy(const Rgb16* s, Rgb16* d, int32_t n, const ColourParams&) {
  Componentwise(s, d, n, [](uint32_t a, uint32_t, int) { return ~a; });
}
void CombineNotOr(const Rgb16* s, Rgb16* d, int32_t n, const ColourParams&) {
  Componentwise(s, d, n, [](uint32_t a, uint32_t b, int) { return b & ~a; });
}
void CombineNotXor(const Rgb16* s, Rgb16* d, int32_t n, const ColourParams&) {
  Componentwise(s, d, n, [](uint32_t a, uint32_t b, int) { return a ^ b; });
}
void CombineNotBic(const Rgb16* s, Rgb16* d, int32_t n, const ColourParams&) {
  Componentwise(s, d, n, [](uint32_t a, uint32_t b, int) { return a | b; });
}
// Colourised or and bic: the destination moves towards the foreground (or) or background
// (bic) by the source's ink, 0 for white and full for black.
uint32_t MixByInk(uint32_t source, uint32_t dest, uint32_t colour) {
  const uint32_t ink = 65535u - source;
  return (dest * (65535u - ink) + colour * ink + 32767u) / 65535u;
}
void CombineOrColourised(const Rgb16* s, Rgb16* d, int32_t n, const ColourParams& c) {
  Componentwise(s, d, n, [&c](uint32_t a, uint32_t b, int k) { return MixByInk(a, b, Part(c.fore, k)); });
}
void CombineBicColourised(const Rgb16* s, Rgb16* d, int32_t n, const ColourParams& c) {
  Componentwise(s, d, n, [&c](uint32_t a, uint32_t b, int k) { return MixByInk(a, b, Part(c.back, k)); });
}
// The arithmetic modes. blend weighs the source by opColor (a weight per component); addPin
// and subPin pin at opColor; addOver and subOver wrap; addMax and adMin keep the larger and the
// smaller component; transparent leaves the destination where the source is the background.
void CombineBlend(const Rgb16* s, Rgb16* d, int32_t n, const ColourParams& c) {
  Componentwise(s, d, n, [&c](uint32_t a, uint32_t b, int k) {
    const uint32_t w = Part(c.opColor, k);
    return (a * w + b * (65535u - w) + 32767u) / 65535u;
  });
}
void CombineAddPin(const Rgb16* s, Rgb16* d, int32_t n, const ColourParams& c) {
  Componentwise(s, d, n, [&c](uint32_t a, uint32_t b, int k) { return std::min(a + b, Part(c.opColor, k)); });
}
void CombineAddOver(const Rgb16* s, Rgb16* d, int32_t n, const ColourParams&) {
  Componentwise(s, d, n, [](uint32_t a, uint32_t b, int) { return (a + b) & 0xFFFFu; });
}
void CombineSubPin(const Rgb16* s, Rgb16* d, int32_t n, const ColourParams& c) {
  Componentwise(s, d, n, [&c](uint32_t a, uint32_t b, int k) {
    const int32_t v = static_cast<int32_t>(b) - static_cast<int32_t>(a);
    return static_cast<uint32_t>(std::max(v, static_cast<int32_t>(Part(c.opColor, k))));
  });
}
void CombineTransparent(const Rgb16* s, Rgb16* d, int32_t n, const ColourParams& c) {
  for (int32_t i = 0; i < n; ++i)
    if (s[i] != c.back) d[i] = s[i];
}
void CombineAddMax(const Rgb16* s, Rgb16* d, int32_t n, const ColourParams&) {
  Componentwise(s, d, n, [](uint32_t a, uint32_t b, int) { return std::max(a, b); });
}
void CombineSubOver(const Rgb16* s, Rgb16* d, int32_t n, const ColourParams&) {
  Componentwise(s, d, n, [](uint32_t a, uint32_t b, int) { return (b - a) & 0xFFFFu; });
}
void CombineAdMin(const Rgb16* s, Rgb16* d, int32_t n, const ColourParams&) {
  Componentwise(s, d, n, [](uint32_t a, uint32_t b, int) { return std::min(a, b); });
}

// --- DitherProc: an ordered (4 x 4 Bayer) dither whose spread is one step of the
// destination's value range, so that flat colours between two entries come out as a mixture.
constexpr int kBayer[4][4] = {{0, 8, 2, 10}, {12, 4, 14, 6}, {3, 11, 1, 9}, {15, 7, 13, 5}};
template <int Depth>
void OrderedDither(Rgb16* row, int32_t n, int32_t x0, int32_t y) {
  // One value step of the depth, spread over the sixteen thresholds of the matrix.
  constexpr int32_t step = 65536 >> (Depth - 1);
  for (int32_t i = 0; i < n; ++i) {
    const int32_t offset = (2 * kBayer[y & 3][(x0 + i) & 3] - 15) * step / 32;
    auto add = [offset](uint16_t& c) {
      c = static_cast<uint16_t>(std::clamp(static_cast<int32_t>(c) + offset, 0, 65535));
    };
    add(row[i].red);
    add(row[i].green);
    add(row[i].blue);
  }
}

// --- RGBToPVProc. Nearest-entry searches go through a small cache: rows of one colour are
// common, and a 256-entry search per pixel is the cost of a transfer into an indexed image.
struct NearestCache {
  static constexpr int kSlots = 1024;
  Rgb16 key[kSlots];
  int32_t value[kSlots];
  const Rgb16* table = nullptr;
  int32_t count = 0;
  void Reset(const Rgb16* t, int32_t c) {
    table = t;
    count = c;
    std::fill(value, value + kSlots, -2);
  }
  int32_t Lookup(const Rgb16& rgb) {
    const uint32_t h = (rgb.red * 31u + rgb.green * 17u + rgb.blue) % kSlots;
    if (value[h] != -2 && key[h] == rgb) return value[h];
    key[h] = rgb;
    value[h] = NearestTableEntry(table, count, rgb);
    return value[h];
  }
};
thread_local NearestCache gNearest;

template <int Depth>
void RgbToIndexedWithTable(const Rgb16* row, uint32_t* out, int32_t n, const Rgb16* table,
                           int32_t count) {
  if (gNearest.table != table || gNearest.count != count) gNearest.Reset(table, count);
  for (int32_t i = 0; i < n; ++i) {
    const int32_t v = gNearest.Lookup(row[i]);
    out[i] = v < 0 ? 0u : static_cast<uint32_t>(v);
  }
}
// Without a table: the grey ramp from white (0) to black, by luminance.
template <int Depth>
void RgbToIndexedRamp(const Rgb16* row, uint32_t* out, int32_t n, const Rgb16*, int32_t) {
  constexpr uint32_t top = (1u << Depth) - 1u;
  for (int32_t i = 0; i < n; ++i) {
    if (Depth == 1) {
      out[i] = ReduceToOneBit(row[i]) == kBlackRgb ? 1u : 0u;
      continue;
    }
    const uint32_t lum = (row[i].red * 5u + row[i].green * 9u + row[i].blue * 2u) / 16u;
    out[i] = ((65535u - lum) * top + 32767u) / 65535u;
  }
}
void RgbToDirect16(const Rgb16* row, uint32_t* out, int32_t n, const Rgb16*, int32_t) {
  for (int32_t i = 0; i < n; ++i) out[i] = Direct16FromRgb(row[i]);
}
void RgbToDirect32(const Rgb16* row, uint32_t* out, int32_t n, const Rgb16*, int32_t) {
  for (int32_t i = 0; i < n; ++i) out[i] = Direct32FromRgb(row[i]);
}

bool SameTables(const EngineImage& a, const EngineImage& b) {
  if (a.tableCount != b.tableCount) return false;
  if (!a.table || !b.table) return !a.table && !b.table;
  return a.table == b.table ||
         std::memcmp(a.table, b.table, sizeof(Rgb16) * static_cast<size_t>(a.tableCount)) == 0;
}

// The rows of an image lie inside its memory.
bool ImageFits(const EngineImage& im) {
  if (!im.base || !IsMacDepth(im.depth)) return false;
  const int64_t width = static_cast<int64_t>(im.bounds.right) - im.bounds.left;
  const int64_t height = static_cast<int64_t>(im.bounds.bottom) - im.bounds.top;
  if (width <= 0 || height <= 0) return true;  // nothing of it is read or written
  if (im.rowBytes < MinimumRowBytes(width, im.depth)) return false;
  return static_cast<uint64_t>(im.rowBytes) * static_cast<uint64_t>(height) <= im.byteCount;
}

bool Overlaps(const EngineImage& a, const EngineImage& b) {
  const auto a0 = reinterpret_cast<uintptr_t>(a.base), b0 = reinterpret_cast<uintptr_t>(b.base);
  return a0 < b0 + b.byteCount && b0 < a0 + a.byteCount;
}

struct EngineScratch {
  std::vector<int32_t> columns, dstColumns, spanColumns;
  std::vector<uint8_t> sourceCopy;
  std::vector<uint32_t> span, values, out;
  std::vector<Rgb16> rgb, dstRgb;
};

}  // namespace

void SetEngineReporter(EngineReporter reporter) { gReporter = reporter; }

int CombineModeFor(int mode) {
  const int m = mode & ~kDitherBit;
  if (m >= 0 && m <= 15) return m & 7;
  if (m >= 32 && m <= 39) return m;
  return (m & 15) & 7;
}

int32_t NearestTableEntry(const Rgb16* table, int32_t count, const Rgb16& rgb) {
  if (!table || count <= 0) return -1;
  int32_t best = 0;
  int64_t bestDistance = INT64_MAX;
  const int r = rgb.red >> 8, g = rgb.green >> 8, b = rgb.blue >> 8;
  for (int32_t i = 0; i < count; ++i) {
    const int dr = (table[i].red >> 8) - r, dg = (table[i].green >> 8) - g,
              db = (table[i].blue >> 8) - b;
    const int64_t d = static_cast<int64_t>(dr) * dr + dg * dg + db * db;
    if (d < bestDistance) {
      bestDistance = d;
      best = i;
      if (d == 0) break;
    }
  }
  return best;
}

PixelValueMaskProc SelectPixelValueMask(int depth, bool colourised) {
  switch (depth) {
    case 1: return colourised ? MaskValues<1> : MaskValues<1>;
    case 2: return colourised ? MaskValues<2> : MaskValues<2>;
    case 4: return colourised ? MaskValues<4> : MaskValues<4>;
    case 8: return colourised ? MaskValues<8> : MaskValues<8>;
    default: Report(" Undefined PixelValueMaskProc case"); return nullptr;
  }
}

PVToRGBProc SelectPVToRGB(int depth, bool withTable) {
  switch (depth) {
    case 1: return withTable ? IndexedToRgbWithTable<1> : IndexedToRgbRamp<1>;
    case 2: return withTable ? IndexedToRgbWithTable<2> : IndexedToRgbRamp<2>;
    case 4: return withTable ? IndexedToRgbWithTable<4> : IndexedToRgbRamp<4>;
    case 8: return withTable ? IndexedToRgbWithTable<8> : IndexedToRgbRamp<8>;
    case 16: return Direct16ToRgb;
    case 24: case 32: return Direct32ToRgb;
    default: Report(" Undefined PVToRGBProc case"); return nullptr;
  }
}

PrepareColorizeProc SelectPrepareColorize(int combineMode) {
  switch (combineMode) {
    case kSrcCopy: return ColouriseCopy;
    case kNotSrcCopy: return ColouriseNotCopy;
    case kSrcOr: case kSrcBic: return KeepSource;
    case kNotSrcOr: case kNotSrcBic: return InvertSource;
    // xor inverts whatever is there: foreground and background play no part in it.
    case kSrcXor: Report(" Invalid PrepareColorize case (Xor)"); return nullptr;
    case kNotSrcXor: Report(" Invalid PrepareColorize case (notXor)"); return nullptr;
    default: Report(" Undefined PrepareColorize case"); return nullptr;
  }
}

ResizePVProc SelectResizePV(int depth) {
  switch (depth) {
    case 1: return ResizeByColumns<1>;
    case 2: return ResizeByColumns<2>;
    case 4: return ResizeByColumns<4>;
    case 8: return ResizeByColumns<8>;
    case 16: return ResizeByColumns<16>;
    case 24: return ResizeByColumns<24>;
    case 32: return ResizeByColumns<32>;
    default: Report(" Undefined ResizePVProc case"); return nullptr;
  }
}

RGBCombineProc SelectRGBCombine(int combineMode, bool colourised) {
  switch (combineMode) {
    case kSrcCopy: return CombineCopy;
    case kSrcOr: return colourised ? CombineOrColourised : CombineOr;
    case kSrcXor: return CombineXor;
    case kSrcBic: return colourised ? CombineBicColourised : CombineBic;
    // Colourised, the inverted source is already in place: copy it.
    case kNotSrcCopy: return colourised ? CombineCopy : CombineNotCopy;
    case kNotSrcOr: return colourised ? CombineOrColourised : CombineNotOr;
    case kNotSrcXor: return CombineNotXor;
    case kNotSrcBic: return colourised ? CombineBicColourised : CombineNotBic;
    case kBlend: return CombineBlend;
    case kAddPin: return CombineAddPin;
    case kAddOver: return CombineAddOver;
    case kSubPin: return CombineSubPin;
    case kTransparent: return CombineTransparent;
    case kAddMax: return CombineAddMax;
    case kSubOver: return CombineSubOver;
    case kAdMin: return CombineAdMin;
    default: Report(" Undefined RGBCombineProc case"); return nullptr;
  }
}

DitherProc SelectDither(int depth) {
  switch (depth) {
    case 1: return OrderedDither<1>;
    case 2: return OrderedDither<2>;
    case 4: return OrderedDither<4>;
    case 8: return OrderedDither<8>;
    default: Report(" Undefined DitherProc case"); return nullptr;
  }
}

RGBToPVProc SelectRGBToPV(int depth, bool withTable) {
  switch (depth) {
    case 1: return withTable ? RgbToIndexedWithTable<1> : RgbToIndexedRamp<1>;
    case 2: return withTable ? RgbToIndexedWithTable<2> : RgbToIndexedRamp<2>;
    case 4: return withTable ? RgbToIndexedWithTable<4> : RgbToIndexedRamp<4>;
    case 8: return withTable ? RgbToIndexedWithTable<8> : RgbToIndexedRamp<8>;
    case 16: return RgbToDirect16;
    case 24: case 32: return RgbToDirect32;
    default: Report(" Undefined RGBToPVProc case"); return nullptr;
  }
}

EngineResult TransferPixels(const EngineImage& src, const Rect& srcRect, const EngineImage& dst,
                            const Rect& dstRect, const EngineTransfer& transfer) {
  const int64_t sw = static_cast<int64_t>(srcRect.right) - srcRect.left;
  const int64_t sh = static_cast<int64_t>(srcRect.bottom) - srcRect.top;
  const int64_t dw = static_cast<int64_t>(dstRect.right) - dstRect.left;
  const int64_t dh = static_cast<int64_t>(dstRect.bottom) - dstRect.top;
  if (sw < 1 || sh < 1 || dw < 1 || dh < 1) return EngineResult::kNothingToCopy;

  // Every selector runs before anything is read, so that an unknown case copies nothing.
  const int mode = CombineModeFor(transfer.mode);
  const bool srcIndexed = IsIndexedDepth(src.depth), dstIndexed = IsIndexedDepth(dst.depth);
  const bool arithmetic = mode >= kBlend;
  const bool colourised = !arithmetic && mode != kSrcXor && mode != kNotSrcXor &&
                          (transfer.fore != kBlackRgb || transfer.back != kWhiteRgb);
  const bool srcTable = srcIndexed && src.table && src.tableCount > 0;
  const bool dstTable = dstIndexed && dst.table && dst.tableCount > 0;
  PixelValueMaskProc maskValues = nullptr;
  if (srcIndexed && !(maskValues = SelectPixelValueMask(src.depth, colourised)))
    return EngineResult::kUndefinedCase;
  const ResizePVProc resize = SelectResizePV(src.depth);
  const PVToRGBProc toRgb = resize ? SelectPVToRGB(src.depth, srcTable) : nullptr;
  if (!toRgb) return EngineResult::kUndefinedCase;
  const PVToRGBProc dstToRgb = SelectPVToRGB(dst.depth, dstTable);
  if (!dstToRgb) return EngineResult::kUndefinedCase;
  PrepareColorizeProc colourise = nullptr;
  if (colourised && !(colourise = SelectPrepareColorize(mode))) return EngineResult::kUndefinedCase;
  const RGBCombineProc combine = SelectRGBCombine(mode, colourised);
  if (!combine) return EngineResult::kUndefinedCase;
  const bool dithering = (transfer.mode & kDitherBit) && !srcIndexed && dstIndexed;
  DitherProc dither = nullptr;
  if (dithering && !(dither = SelectDither(dst.depth))) return EngineResult::kUndefinedCase;
  const RGBToPVProc toValues = SelectRGBToPV(dst.depth, dstTable);
  if (!toValues) return EngineResult::kUndefinedCase;
  if (!ImageFits(src) || !ImageFits(dst)) return EngineResult::kBadImage;

  // Destination columns and rows whose source pixel lies inside the source image: the source
  // rectangle clipped to the image, the destination cut in proportion, then clipped itself.
  const int32_t x0 = std::max<int32_t>(dstRect.left, dst.bounds.left);
  const int32_t x1 = std::min<int32_t>(dstRect.right, dst.bounds.right);
  const int32_t y0 = std::max<int32_t>(dstRect.top, dst.bounds.top);
  const int32_t y1 = std::min<int32_t>(dstRect.bottom, dst.bounds.bottom);
  if (x0 >= x1 || y0 >= y1) return EngineResult::kNothingToCopy;
  // The rows' working storage lives from one transfer to the next, so that a stream of small
  // copies allocates nothing once it has run (transfers never nest).
  static EngineScratch scratch;
  std::vector<int32_t>& columns = scratch.columns;  // source column, relative to the source image
  std::vector<int32_t>& dstColumns = scratch.dstColumns;
  columns.clear();
  dstColumns.clear();
  for (int32_t x = x0; x < x1; ++x) {
    const int64_t sx = srcRect.left + (static_cast<int64_t>(x) - dstRect.left) * sw / dw;
    if (sx < src.bounds.left || sx >= src.bounds.right) continue;
    columns.push_back(static_cast<int32_t>(sx - src.bounds.left));
    dstColumns.push_back(x - dst.bounds.left);
  }
  if (columns.empty()) return EngineResult::kNothingToCopy;
  const int32_t n = static_cast<int32_t>(columns.size());
  // The row's source span, so that only the needed pixels are read.
  const int32_t sxMin = *std::min_element(columns.begin(), columns.end());
  const int32_t sxMax = *std::max_element(columns.begin(), columns.end());
  std::vector<int32_t>& spanColumns = scratch.spanColumns;
  spanColumns.assign(columns.begin(), columns.end());
  for (int32_t& c : spanColumns) c -= sxMin;

  // A source sharing memory with the destination is read from a copy of its rows.
  std::vector<uint8_t>& sourceCopy = scratch.sourceCopy;
  const uint8_t* srcBase = src.base;
  if (Overlaps(src, dst)) {
    const size_t bytes = static_cast<size_t>(src.rowBytes) *
                         static_cast<size_t>(src.bounds.bottom - src.bounds.top);
    sourceCopy.assign(src.base, src.base + bytes);
    srcBase = sourceCopy.data();
  }
  const bool straightValues = srcIndexed && dstIndexed && src.depth == dst.depth &&
                              mode == kSrcCopy && !colourised && SameTables(src, dst);
  // Whole bytes copied as they are: same format, unscaled, no mask, nothing to convert. The rows
  // are moved with memmove (the source copy above already guards overlapping images).
  const bool sameDirect = !srcIndexed && src.depth == dst.depth && mode == kSrcCopy && !colourised;
  if ((straightValues || sameDirect) && src.depth >= 8 && !transfer.mask && sw == dw && sh == dh &&
      !dithering) {
    const size_t pixelBytes = static_cast<size_t>(src.depth / 8);
    bool copied = false;
    for (int32_t y = y0; y < y1; ++y) {
      const int64_t sy = srcRect.top + (static_cast<int64_t>(y) - dstRect.top);
      if (sy < src.bounds.top || sy >= src.bounds.bottom) continue;
      const uint8_t* srow = srcBase + static_cast<size_t>(sy - src.bounds.top) * src.rowBytes;
      uint8_t* drow = dst.base + static_cast<size_t>(y - dst.bounds.top) * dst.rowBytes;
      std::memmove(drow + static_cast<size_t>(dstColumns[0]) * pixelBytes,
                   srow + static_cast<size_t>(columns[0]) * pixelBytes, static_cast<size_t>(n) * pixelBytes);
      copied = true;
    }
    return copied ? EngineResult::kCopied : EngineResult::kNothingToCopy;
  }
  const ColourParams colours{transfer.fore, transfer.back, transfer.opColor};
  // The cache belongs to this transfer's destination table, whatever lived at its address before.
  if (dstTable) gNearest.Reset(dst.table, dst.tableCount);
  std::vector<uint32_t>& span = scratch.span;
  std::vector<uint32_t>& values = scratch.values;
  std::vector<uint32_t>& out = scratch.out;
  std::vector<Rgb16>& rgb = scratch.rgb;
  std::vector<Rgb16>& dstRgb = scratch.dstRgb;
  span.resize(static_cast<size_t>(sxMax - sxMin + 1));
  values.resize(static_cast<size_t>(n));
  out.resize(static_cast<size_t>(n));
  rgb.resize(static_cast<size_t>(n));
  dstRgb.resize(static_cast<size_t>(n));
  bool any = false;
  for (int32_t y = y0; y < y1; ++y) {
    const int64_t sy = srcRect.top + (static_cast<int64_t>(y) - dstRect.top) * sh / dh;
    if (sy < src.bounds.top || sy >= src.bounds.bottom) continue;
    const uint8_t* srow = srcBase + static_cast<size_t>(sy - src.bounds.top) * src.rowBytes;
    uint8_t* drow = dst.base + static_cast<size_t>(y - dst.bounds.top) * dst.rowBytes;
    for (int32_t i = 0; i < static_cast<int32_t>(span.size()); ++i)
      span[i] = ReadMacPixel(srow, sxMin + i, src.depth);
    if (maskValues) maskValues(span.data(), static_cast<int32_t>(span.size()));
    resize(span.data(), spanColumns.data(), values.data(), n);
    if (straightValues) {
      std::copy(values.begin(), values.end(), out.begin());
    } else {
      toRgb(values.data(), rgb.data(), n, src.table, src.tableCount);
      if (colourise) colourise(rgb.data(), n, colours);
      for (int32_t i = 0; i < n; ++i) out[i] = ReadMacPixel(drow, dstColumns[i], dst.depth);
      dstToRgb(out.data(), dstRgb.data(), n, dst.table, dst.tableCount);
      combine(rgb.data(), dstRgb.data(), n, colours);
      if (dither) dither(dstRgb.data(), n, x0, y);
      toValues(dstRgb.data(), out.data(), n, dst.table, dst.tableCount);
    }
    for (int32_t i = 0; i < n; ++i) {
      if (transfer.mask &&
          !transfer.mask->Contains(Point{static_cast<short>(y),
                                         static_cast<short>(dstColumns[i] + dst.bounds.left)}))
        continue;
      WriteMacPixel(drow, dstColumns[i], dst.depth, out[i]);
      any = true;
    }
  }
  return any ? EngineResult::kCopied : EngineResult::kNothingToCopy;
}

}  // namespace zeb::quickdraw

// Mask-form region arithmetic.
#include "quickdraw/region_mask.h"

#include <algorithm>
#include <cstring>

#include "quickdraw/rect_arithmetic.h"

namespace zeb::quickdraw {
namespace {

int32_t PaddedRowBytes(int32_t width, int32_t depth) { return ((width * depth + 31) / 32) * 4; }

void Put32(std::vector<uint8_t>& v, size_t at, uint32_t x) {
  for (int i = 0; i < 4; ++i) v[at + i] = static_cast<uint8_t>(x >> (8 * i));
}
void Put16(std::vector<uint8_t>& v, size_t at, uint16_t x) {
  v[at] = static_cast<uint8_t>(x);
  v[at + 1] = static_cast<uint8_t>(x >> 8);
}
uint32_t Get32(const uint8_t* p) {
  return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) |
         (static_cast<uint32_t>(p[2]) << 16) | (static_cast<uint32_t>(p[3]) << 24);
}
uint16_t Get16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | (p[1] << 8)); }

// A BITMAPINFOHEADER: size 40, width, height (positive: bottom-up), 1 plane, bit count, no
// compression, image size; resolutions and colour counts left 0 except biClrUsed.
std::vector<uint8_t> NewDIB(int32_t width, int32_t height, int32_t depth, int32_t colours) {
  const int32_t rowBytes = PaddedRowBytes(width, depth);
  const size_t image = static_cast<size_t>(rowBytes) * height;
  std::vector<uint8_t> dib(kDIBHeaderSize + static_cast<size_t>(colours) * 4 + image, 0);
  Put32(dib, 0, kDIBHeaderSize);
  Put32(dib, 4, static_cast<uint32_t>(width));
  Put32(dib, 8, static_cast<uint32_t>(height));
  Put16(dib, 12, 1);
  Put16(dib, 14, static_cast<uint16_t>(depth));
  Put32(dib, 20, static_cast<uint32_t>(image));
  Put32(dib, 32, static_cast<uint32_t>(colours));
  return dib;
}

uint32_t Luminance(uint32_t rgb) {
  return ((rgb >> 16) & 0xFF) * 30 + ((rgb >> 8) & 0xFF) * 59 + (rgb & 0xFF) * 11;
}

bool Contains(const Rect& outer, const Rect& inner) {
  return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
         inner.bottom <= outer.bottom;
}

}  // namespace

RegionMask::RegionMask(const Rect& box) {
  if (IsEmptyRect(box)) return;
  box_ = box;
  width_ = box.right - box.left;
  height_ = box.bottom - box.top;
  rowBytes_ = PaddedRowBytes(width_, 1);
  // Everything starts outside.
  bits_.assign(static_cast<size_t>(rowBytes_) * height_, 0);
}

bool RegionMask::Contains(Point pt) const {
  if (!PointInRect(pt, box_)) return false;
  const int32_t x = pt.h - box_.left, y = pt.v - box_.top;
  return (Row(y)[x >> 3] & (0x80 >> (x & 7))) != 0;
}

void RegionMask::FillRect(const Rect& r) {
  Rect part;
  if (bits_.empty() || !IntersectRects(r, box_, part)) return;
  for (int32_t y = part.top - box_.top; y < part.bottom - box_.top; ++y) {
    uint8_t* row = Row(y);
    for (int32_t x = part.left - box_.left; x < part.right - box_.left; ++x)
      row[x >> 3] = static_cast<uint8_t>(row[x >> 3] | (0x80 >> (x & 7)));
  }
}

void RegionMask::Combine(const RegionMask& other, RegionOp op) {
  for (int32_t y = 0; y < height_; ++y) {
    uint8_t* row = Row(y);
    const int32_t oy = y + box_.top - other.box_.top;
    const bool rowInOther = oy >= 0 && oy < other.height_;
    for (int32_t x = 0; x < width_; ++x) {
      const int32_t ox = x + box_.left - other.box_.left;
      const bool b = rowInOther && ox >= 0 && ox < other.width_ &&
                     (other.Row(oy)[ox >> 3] & (0x80 >> (ox & 7))) != 0;
      const uint8_t bit = static_cast<uint8_t>(0x80 >> (x & 7));
      const bool a = (row[x >> 3] & bit) != 0;
      bool r = a;
      switch (op) {
        case RegionOp::Sect: r = a && b; break;
        case RegionOp::Union: r = a || b; break;
        case RegionOp::Diff: r = a && !b; break;
        case RegionOp::Xor: r = a != b; break;
      }
      row[x >> 3] = static_cast<uint8_t>(r ? (row[x >> 3] | bit) : (row[x >> 3] & ~bit));
    }
  }
}

bool RegionMask::AnyInside() const {
  Rect unused;
  return InsideBounds(unused);
}

bool RegionMask::InsideBounds(Rect& out) const {
  int32_t left = width_, right = -1, top = height_, bottom = -1;
  for (int32_t y = 0; y < height_; ++y) {
    const uint8_t* row = Row(y);
    for (int32_t x = 0; x < width_; ++x) {
      if (!(row[x >> 3] & (0x80 >> (x & 7)))) continue;
      left = std::min(left, x);
      right = std::max(right, x);
      top = std::min(top, y);
      bottom = std::max(bottom, y);
    }
  }
  if (right < 0) {
    out = kEmptyRect;
    return false;
  }
  out = MakeRect(box_.left + left, box_.top + top, box_.left + right + 1, box_.top + bottom + 1);
  return true;
}

RegionMask RegionMask::Cropped(const Rect& box) const {
  RegionMask out(box);
  out.Combine(*this, RegionOp::Union);
  return out;
}

void RegionMask::InsideRects(std::vector<Rect>& out) const {
  out.clear();
  std::vector<std::pair<int32_t, int32_t>> previous, runs;
  size_t bandStart = 0;  // index in out of the band the previous row belongs to
  for (int32_t y = 0; y < height_; ++y) {
    runs.clear();
    const uint8_t* row = Row(y);
    for (int32_t x = 0; x < width_;) {
      if (!(row[x >> 3] & (0x80 >> (x & 7)))) {
        ++x;
        continue;
      }
      const int32_t start = x;
      while (x < width_ && (row[x >> 3] & (0x80 >> (x & 7)))) ++x;
      runs.emplace_back(start, x);
    }
    if (!runs.empty() && runs == previous) {
      for (size_t i = bandStart; i < out.size(); ++i) ++out[i].bottom;
    } else {
      bandStart = out.size();
      for (const auto& run : runs)
        out.push_back(MakeRect(box_.left + run.first, box_.top + y, box_.left + run.second,
                               box_.top + y + 1));
    }
    previous.swap(runs);
  }
}

std::vector<uint8_t> PackMask(const RegionMask& mask) {
  static const uint32_t kWhiteBlack[2] = {0xFFFFFF, 0x000000};
  std::vector<uint8_t> rows;
  if (mask.Height() == 0) return PackedDIBFromRows(nullptr, 0, 0, 0, 1, kWhiteBlack, 2);
  return PackedDIBFromRows(mask.Row(0), mask.RowBytes(), mask.Width(), mask.Height(), 1,
                           kWhiteBlack, 2);
}

bool UnpackMask(const uint8_t* dib, size_t size, const Rect& box, RegionMask& out) {
  if (!dib || size < kDIBHeaderSize || Get32(dib) != kDIBHeaderSize) return false;
  const int32_t width = static_cast<int32_t>(Get32(dib + 4));
  const int32_t rawHeight = static_cast<int32_t>(Get32(dib + 8));
  const int32_t height = rawHeight < 0 ? -rawHeight : rawHeight;
  if (Get16(dib + 14) != 1 || Get32(dib + 16) != 0) return false;
  if (width != box.right - box.left || height != box.bottom - box.top) return false;
  uint32_t colours = Get32(dib + 32);
  if (colours == 0 || colours > 2) colours = 2;
  const int32_t rowBytes = PaddedRowBytes(width, 1);
  const size_t prefix = kDIBHeaderSize + colours * 4;
  if (size < prefix + static_cast<size_t>(rowBytes) * height) return false;
  const uint32_t c0 = Get32(dib + kDIBHeaderSize) & 0xFFFFFF;
  const uint32_t c1 = colours > 1 ? Get32(dib + kDIBHeaderSize + 4) & 0xFFFFFF : 0xFFFFFF;
  const bool setIsInside = Luminance(c1) < Luminance(c0);
  out = RegionMask(box);
  for (int32_t y = 0; y < out.Height(); ++y) {
    // Bottom-up unless the height is negative.
    const int32_t source = rawHeight < 0 ? y : height - 1 - y;
    const uint8_t* in = dib + prefix + static_cast<size_t>(source) * rowBytes;
    uint8_t* row = out.Row(y);
    for (int32_t i = 0; i < rowBytes; ++i) row[i] = setIsInside ? in[i] : static_cast<uint8_t>(~in[i]);
    // Padding bits past the width stay outside.
    if (width & 7) row[width >> 3] = static_cast<uint8_t>(row[width >> 3] & (0xFF00 >> (width & 7)));
    for (int32_t i = (width + 7) >> 3; i < rowBytes; ++i) row[i] = 0;
  }
  return true;
}

std::vector<uint8_t> PackedDIBFromRows(const uint8_t* rows, int32_t rowBytes, int32_t width,
                                       int32_t height, int32_t depth, const uint32_t* palette,
                                       int32_t paletteCount) {
  static const uint32_t kWhiteBlack[2] = {0xFFFFFF, 0x000000};
  std::vector<uint8_t> none;
  if (depth != 1 && depth != 2 && depth != 4 && depth != 8) return none;
  if (width < 0 || height < 0 || rowBytes < 0) return none;
  if (static_cast<int64_t>(rowBytes) * 8 < static_cast<int64_t>(width) * depth) return none;
  if (height > 0 && !rows) return none;
  const int32_t outDepth = depth == 2 ? 4 : depth;
  const int32_t colours = 1 << outDepth;
  if (!palette && depth == 1) {
    palette = kWhiteBlack;
    paletteCount = 2;
  }
  std::vector<uint8_t> dib = NewDIB(width, height, outDepth, colours);
  for (int32_t i = 0; i < colours && palette && i < paletteCount && i < (1 << depth); ++i)
    Put32(dib, kDIBHeaderSize + static_cast<size_t>(i) * 4, palette[i] & 0xFFFFFF);
  const int32_t outRowBytes = PaddedRowBytes(width, outDepth);
  uint8_t* out = dib.data() + kDIBHeaderSize + static_cast<size_t>(colours) * 4;
  const int32_t usedBytes = (width * depth + 7) / 8;
  for (int32_t y = 0; y < height; ++y) {
    const uint8_t* in = rows + static_cast<size_t>(y) * rowBytes;
    uint8_t* o = out + static_cast<size_t>(height - 1 - y) * outRowBytes;
    if (depth == outDepth) {
      std::memcpy(o, in, static_cast<size_t>(usedBytes));
      // Bits past the image's width are not part of it.
      const int32_t tailBits = (width * depth) & 7;
      if (tailBits) o[usedBytes - 1] = static_cast<uint8_t>(o[usedBytes - 1] & (0xFF00 >> tailBits));
    } else {
      for (int32_t x = 0; x < width; ++x) {
        const int v = (in[x / 4] >> (6 - 2 * (x % 4))) & 3;
        o[x / 2] = static_cast<uint8_t>(o[x / 2] | (x % 2 ? v : v << 4));
      }
    }
  }
  return dib;
}

MaskOpPlan PlanMaskOperation(RegionOp op, const Rect& box1, bool rectangle1, const Rect& box2,
                             bool rectangle2) {
  const bool empty1 = IsEmptyRect(box1), empty2 = IsEmptyRect(box2);
  if (empty1) {
    if (op == RegionOp::Sect || op == RegionOp::Diff) return {MaskOpPlan::kEmpty, kEmptyRect};
    return {MaskOpPlan::kCopySecond, box2};
  }
  if (empty2) {
    if (op == RegionOp::Sect) return {MaskOpPlan::kEmpty, kEmptyRect};
    return {MaskOpPlan::kCopyFirst, box1};
  }
  switch (op) {
    case RegionOp::Sect: {
      Rect both;
      if (!IntersectRects(box1, box2, both)) return {MaskOpPlan::kEmpty, kEmptyRect};
      return {MaskOpPlan::kDraw, both};
    }
    case RegionOp::Union:
      if (rectangle1 && Contains(box1, box2)) return {MaskOpPlan::kRectangle, box1};
      if (rectangle2 && Contains(box2, box1)) return {MaskOpPlan::kRectangle, box2};
      return {MaskOpPlan::kDraw, UniteRects(box1, box2)};
    case RegionOp::Xor:
      return {MaskOpPlan::kDraw, UniteRects(box1, box2)};
    case RegionOp::Diff:
      return {MaskOpPlan::kDraw, box1};
  }
  return {MaskOpPlan::kEmpty, kEmptyRect};
}

}  // namespace zeb::quickdraw

// The arithmetic of mask-form regions, which needs no GDI: a one-bit image over the region's
// box, its packed device-independent-bitmap form (the form a mask-form region keeps in its mask
// handle), set operations between masks, and the conversion of Macintosh bit-image rows into
// packed DIBs.
#ifndef ZEB_QUICKDRAW_REGION_MASK_H
#define ZEB_QUICKDRAW_REGION_MASK_H

#include <cstddef>
#include <cstdint>
#include <vector>

#include "MacTypes.h"

namespace zeb::quickdraw {

// The four region set operations.
enum class RegionOp : uint8_t { Sect, Union, Diff, Xor };

// A one-bit image covering box: rows top-down, leftmost pixel in the most significant bit,
// padded to 4 bytes as DIB rows are; a set bit is inside the region.
class RegionMask {
 public:
  RegionMask() = default;
  explicit RegionMask(const Rect& box);

  const Rect& Box() const { return box_; }
  int32_t Width() const { return width_; }
  int32_t Height() const { return height_; }
  int32_t RowBytes() const { return rowBytes_; }
  // Rows top-down.
  const uint8_t* Row(int32_t y) const { return bits_.data() + static_cast<size_t>(y) * rowBytes_; }
  uint8_t* Row(int32_t y) { return bits_.data() + static_cast<size_t>(y) * rowBytes_; }

  // Whether the point (in the box's coordinates, not relative to it) is inside; false outside
  // the box.
  bool Contains(Point pt) const;
  // Marks every pixel of r that lies in the box as inside.
  void FillRect(const Rect& r);
  // Combines other (placed at its own box; outside it, nothing is inside) into this mask.
  void Combine(const RegionMask& other, RegionOp op);
  bool AnyInside() const;
  // The smallest rectangle holding every inside pixel; false (and (0, 0, 0, 0)) when none is.
  bool InsideBounds(Rect& out) const;
  // The same pixels over a smaller or larger box.
  RegionMask Cropped(const Rect& box) const;
  // The inside pixels as rectangles: runs of each row, with equal rows merged into bands.
  void InsideRects(std::vector<Rect>& out) const;

 private:
  Rect box_{0, 0, 0, 0};
  int32_t width_ = 0, height_ = 0, rowBytes_ = 0;
  std::vector<uint8_t> bits_;
};

// Bytes of the packed DIB header a mask carries: a 40-byte BITMAPINFOHEADER and two palette
// entries (0 white, 1 black: a set bit is black, as in a Macintosh bit image).
constexpr size_t kDIBHeaderSize = 40;
constexpr size_t kMaskDIBPrefix = kDIBHeaderSize + 2 * 4;

// The packed DIB of a mask (bottom-up rows, as Windows stores them).
std::vector<uint8_t> PackMask(const RegionMask& mask);
// Reads a packed one-bit DIB placed at box; false when it is not one, does not match the box's
// size or is shorter than its rows. A bit is inside when its palette entry is the darker one.
bool UnpackMask(const uint8_t* dib, size_t size, const Rect& box, RegionMask& out);

// Macintosh bit-image rows (top-down, rowBytes each, 1, 2, 4 or 8 bits per pixel) as a packed
// DIB with the given palette (RGBQUAD values 0x00RRGGBB; a one-bit image gets white and black
// when palette is null). Two-bit pixels widen to four bits, which DIBs know. Empty when the
// rows cannot hold the image or the depth is not indexed.
std::vector<uint8_t> PackedDIBFromRows(const uint8_t* rows, int32_t rowBytes, int32_t width,
                                       int32_t height, int32_t depth, const uint32_t* palette,
                                       int32_t paletteCount);

// How a set operation with a mask-form operand is carried out.
struct MaskOpPlan {
  enum Kind : uint8_t {
    kEmpty,      // the result is the empty region
    kCopyFirst,  // the result is a copy of src1
    kCopySecond, // the result is a copy of src2
    kRectangle,  // the result is exactly box
    kDraw        // both operands are combined into a mask over box
  } kind;
  Rect box;
};
// src1 and src2 by their boxes and whether each is rectangle form. An operand with an empty
// box is handled by rule; otherwise the result's box is chosen: the intersection of the boxes,
// their union (or a rectangle operand's box when it holds the other's), or src1's box for a
// difference.
MaskOpPlan PlanMaskOperation(RegionOp op, const Rect& box1, bool rectangle1, const Rect& box2,
                             bool rectangle2);

}  // namespace zeb::quickdraw

#endif  // ZEB_QUICKDRAW_REGION_MASK_H

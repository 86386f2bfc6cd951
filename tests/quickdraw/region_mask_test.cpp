// Mask-form region arithmetic: masks, their packed DIBs, set operations and the plan for a
// set operation with a mask operand.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "quickdraw/rect_arithmetic.h"
#include "quickdraw/region_mask.h"

namespace zeb::quickdraw {
namespace {

// A mask from rows of '#' (inside) and '.', placed with its top-left at (left, top).
RegionMask MaskFrom(int left, int top, const std::vector<std::string>& rows) {
  const int w = static_cast<int>(rows[0].size()), h = static_cast<int>(rows.size());
  RegionMask m(MakeRect(left, top, left + w, top + h));
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      if (rows[y][x] == '#') m.FillRect(MakeRect(left + x, top + y, left + x + 1, top + y + 1));
  return m;
}

std::vector<std::string> Picture(const RegionMask& m) {
  std::vector<std::string> out;
  for (int y = m.Box().top; y < m.Box().bottom; ++y) {
    std::string row;
    for (int x = m.Box().left; x < m.Box().right; ++x)
      row += m.Contains(Point{static_cast<short>(y), static_cast<short>(x)}) ? '#' : '.';
    out.push_back(row);
  }
  return out;
}

TEST(RegionMask, ANewMaskIsAllOutside) {
  RegionMask m(MakeRect(0, 0, 37, 5));
  EXPECT_FALSE(m.AnyInside());
  EXPECT_EQ(m.RowBytes(), 8) << "rows padded to 4 bytes";
  Rect b;
  EXPECT_FALSE(m.InsideBounds(b));
  EXPECT_TRUE(SameRect(b, kEmptyRect));
}

TEST(RegionMask, SetOperationsCombineOverlappingMasksPixelByPixel) {
  const RegionMask a = MaskFrom(0, 0, {"##..", "##..", "####"});
  const RegionMask b = MaskFrom(1, 1, {"###", "#.."});  // covers (1..3, 1..2)
  struct Case {
    RegionOp op;
    std::vector<std::string> expected;  // over a's box
  };
  const Case cases[] = {
      {RegionOp::Sect, {"....", ".#..", ".#.."}},
      {RegionOp::Union, {"##..", "####", "####"}},
      {RegionOp::Diff, {"##..", "#...", "#.##"}},
      {RegionOp::Xor, {"##..", "#.##", "#.##"}},
  };
  for (const Case& c : cases) {
    RegionMask m = a;
    m.Combine(b, c.op);
    EXPECT_EQ(Picture(m), c.expected) << static_cast<int>(c.op);
  }
}

TEST(RegionMask, PointsOutsideTheBoxAreOutside) {
  const RegionMask m = MaskFrom(10, 20, {"##", "##"});
  EXPECT_TRUE(m.Contains(Point{20, 10}));
  EXPECT_TRUE(m.Contains(Point{21, 11}));
  EXPECT_FALSE(m.Contains(Point{22, 11}));
  EXPECT_FALSE(m.Contains(Point{20, 12}));
  EXPECT_FALSE(m.Contains(Point{19, 10}));
  EXPECT_FALSE(m.Contains(Point{-32768, -32768}));
}

TEST(RegionMask, InsideRectsMergeEqualRowsIntoBands) {
  const RegionMask m = MaskFrom(5, 5, {"#.#", "#.#", "###", "...", ".#."});
  std::vector<Rect> rects;
  m.InsideRects(rects);
  ASSERT_EQ(rects.size(), 4u);
  EXPECT_TRUE(SameRect(rects[0], MakeRect(5, 5, 6, 7)));
  EXPECT_TRUE(SameRect(rects[1], MakeRect(7, 5, 8, 7)));
  EXPECT_TRUE(SameRect(rects[2], MakeRect(5, 7, 8, 8)));
  EXPECT_TRUE(SameRect(rects[3], MakeRect(6, 9, 7, 10)));
  Rect b;
  ASSERT_TRUE(m.InsideBounds(b));
  EXPECT_TRUE(SameRect(b, MakeRect(5, 5, 8, 10)));
}

TEST(RegionMask, PackedDIBRoundTripsBottomUp) {
  const RegionMask m = MaskFrom(3, 4, {"#........", ".#.......", "........#"});
  const std::vector<uint8_t> dib = PackMask(m);
  ASSERT_EQ(dib.size(), kMaskDIBPrefix + 3 * 4);
  EXPECT_EQ(dib[0], 40);
  EXPECT_EQ(dib[4], 9) << "width";
  EXPECT_EQ(dib[8], 3) << "height, positive: bottom-up";
  EXPECT_EQ(dib[14], 1) << "one bit";
  EXPECT_EQ(dib[kMaskDIBPrefix + 0], 0x00) << "the last row first: its pixel is in byte 1";
  EXPECT_EQ(dib[kMaskDIBPrefix + 1], 0x80);
  EXPECT_EQ(dib[kMaskDIBPrefix + 8], 0x80) << "the first row last";
  RegionMask back;
  ASSERT_TRUE(UnpackMask(dib.data(), dib.size(), m.Box(), back));
  EXPECT_EQ(Picture(back), Picture(m));
}

TEST(RegionMask, MalformedDIBsAreRefused) {
  const RegionMask m = MaskFrom(0, 0, {"##", "#."});
  std::vector<uint8_t> dib = PackMask(m);
  RegionMask out;
  EXPECT_FALSE(UnpackMask(dib.data(), dib.size() - 1, m.Box(), out)) << "short rows";
  EXPECT_FALSE(UnpackMask(dib.data(), dib.size(), MakeRect(0, 0, 3, 2), out)) << "other size";
  EXPECT_FALSE(UnpackMask(nullptr, 0, m.Box(), out));
  std::vector<uint8_t> deep = dib;
  deep[14] = 8;
  EXPECT_FALSE(UnpackMask(deep.data(), deep.size(), m.Box(), out)) << "not one bit";
  // A palette with black first: clear bits are the inside.
  std::vector<uint8_t> swapped = dib;
  for (int i = 0; i < 4; ++i) std::swap(swapped[40 + i], swapped[44 + i]);
  ASSERT_TRUE(UnpackMask(swapped.data(), swapped.size(), m.Box(), out));
  EXPECT_EQ(Picture(out), (std::vector<std::string>{"..", ".#"}));
}

TEST(BitImageConversion, RowsBecomeBottomUpPaddedRowsWithTheirBitOrder) {
  // Two rows of a 12-pixel, one-bit image with 2-byte Macintosh rows and a stray bit past the
  // width, which is not part of the image.
  const uint8_t rows[] = {0xA0, 0x1F, 0x01, 0x00};
  const std::vector<uint8_t> dib = PackedDIBFromRows(rows, 2, 12, 2, 1, nullptr, 0);
  ASSERT_EQ(dib.size(), kMaskDIBPrefix + 2 * 4);
  EXPECT_EQ(dib[kMaskDIBPrefix + 4 + 0], 0xA0) << "the first row is the DIB's last";
  EXPECT_EQ(dib[kMaskDIBPrefix + 4 + 1], 0x10) << "bits past the width cleared";
  EXPECT_EQ(dib[kMaskDIBPrefix + 0], 0x01);
  EXPECT_EQ(dib[40], 0xFF) << "palette entry 0 white";
  EXPECT_EQ(dib[44], 0x00) << "entry 1 black";
}

TEST(BitImageConversion, DeepAndIllFittingImagesAreRefused) {
  const uint8_t rows[16] = {};
  EXPECT_TRUE(PackedDIBFromRows(rows, 1, 9, 1, 1, nullptr, 0).empty()) << "row too short";
  EXPECT_TRUE(PackedDIBFromRows(rows, 4, 1, 1, 16, nullptr, 0).empty()) << "direct pixels";
  EXPECT_TRUE(PackedDIBFromRows(nullptr, 4, 1, 1, 1, nullptr, 0).empty());
  const uint32_t palette[4] = {0xFFFFFF, 0xAAAAAA, 0x555555, 0};
  const uint8_t twoBit[] = {0x1B};  // pixels 0, 1, 2, 3
  const std::vector<uint8_t> dib = PackedDIBFromRows(twoBit, 1, 4, 1, 2, palette, 4);
  ASSERT_FALSE(dib.empty());
  EXPECT_EQ(dib[14], 4) << "two-bit pixels widen to four";
  const size_t rowAt = 40 + 16 * 4;
  EXPECT_EQ(dib[rowAt], 0x01);
  EXPECT_EQ(dib[rowAt + 1], 0x23);
}

TEST(RegionMask, PlansFollowTheEmptyOperandAndBoxRules) {
  const Rect a = MakeRect(0, 0, 10, 10), b = MakeRect(5, 5, 20, 20), inner = MakeRect(2, 2, 4, 4);
  const Rect none = kEmptyRect, apart = MakeRect(50, 50, 60, 60);
  struct Case {
    RegionOp op;
    Rect box1;
    bool rect1;
    Rect box2;
    bool rect2;
    MaskOpPlan::Kind kind;
    Rect box;
  };
  const Case cases[] = {
      {RegionOp::Sect, none, true, b, false, MaskOpPlan::kEmpty, kEmptyRect},
      {RegionOp::Diff, none, true, b, false, MaskOpPlan::kEmpty, kEmptyRect},
      {RegionOp::Union, none, true, b, false, MaskOpPlan::kCopySecond, b},
      {RegionOp::Xor, none, true, b, false, MaskOpPlan::kCopySecond, b},
      {RegionOp::Sect, a, false, none, true, MaskOpPlan::kEmpty, kEmptyRect},
      {RegionOp::Union, a, false, none, true, MaskOpPlan::kCopyFirst, a},
      {RegionOp::Diff, a, false, none, true, MaskOpPlan::kCopyFirst, a},
      {RegionOp::Sect, a, false, b, false, MaskOpPlan::kDraw, MakeRect(5, 5, 10, 10)},
      {RegionOp::Sect, a, false, apart, true, MaskOpPlan::kEmpty, kEmptyRect},
      {RegionOp::Union, a, true, inner, false, MaskOpPlan::kRectangle, a},
      {RegionOp::Union, inner, false, a, true, MaskOpPlan::kRectangle, a},
      {RegionOp::Union, a, false, inner, false, MaskOpPlan::kDraw, a},
      {RegionOp::Union, a, false, b, true, MaskOpPlan::kDraw, MakeRect(0, 0, 20, 20)},
      {RegionOp::Xor, a, true, inner, false, MaskOpPlan::kDraw, a},
      {RegionOp::Diff, a, false, b, true, MaskOpPlan::kDraw, a},
  };
  for (const Case& c : cases) {
    const MaskOpPlan plan = PlanMaskOperation(c.op, c.box1, c.rect1, c.box2, c.rect2);
    EXPECT_EQ(plan.kind, c.kind) << static_cast<int>(c.op) << " " << c.box1.right << "/"
                                 << c.box2.right;
    EXPECT_TRUE(SameRect(plan.box, c.box)) << static_cast<int>(c.op);
  }
}

}  // namespace
}  // namespace zeb::quickdraw

// SeedFill's and CalcMask's masks on one-bit rows drawn as text ('#' black), with strides wider
// than the image, a shared source and destination, and the refusals of impossible sizes.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "quickdraw/mask_fill.h"

namespace zeb::quickdraw {
namespace {

// A one-word-wide (16 pixel) image with rows of 4 bytes, built from text rows.
struct Rows {
  static constexpr int32_t kStride = 4;
  std::vector<uint8_t> bytes;
  int32_t height;
  explicit Rows(const std::vector<std::string>& text)
      : bytes(text.size() * kStride, 0), height(static_cast<int32_t>(text.size())) {
    for (size_t y = 0; y < text.size(); ++y)
      for (size_t x = 0; x < text[y].size(); ++x)
        if (text[y][x] == '#') bytes[y * kStride + x / 8] |= static_cast<uint8_t>(0x80 >> (x & 7));
  }
  std::string Row(int y, int width) const {
    std::string s;
    for (int x = 0; x < width; ++x) s += (bytes[y * kStride + x / 8] >> (7 - (x & 7))) & 1 ? '#' : '.';
    return s;
  }
};

const std::vector<std::string> kRing = {
    "........",
    ".#####..",
    ".#...#..",
    ".#.#.#..",
    ".#...#..",
    ".#####..",
    "........",
};

TEST(SeedFill, FillsOnlyTheWhiteAreaJoinedToTheSeed) {
  Rows src(kRing);
  Rows dst({"################", "################", "", "", "", "", ""});
  dst.bytes[2] = 0x5A;
  ASSERT_TRUE(SeedFillRows(src.bytes.data(), dst.bytes.data(), Rows::kStride, Rows::kStride,
                           src.height, 1, 2, 2));
  EXPECT_EQ(dst.Row(0, 8), "........");
  EXPECT_EQ(dst.Row(2, 8), "..###...");
  EXPECT_EQ(dst.Row(3, 8), "..#.#...");  // the island in the middle stops the paint
  EXPECT_EQ(dst.Row(4, 8), "..###...");
  EXPECT_EQ(dst.Row(5, 8), "........");
  // Beyond the stride's image bytes nothing is touched.
  EXPECT_EQ(dst.bytes[2], 0x5A);
}

TEST(SeedFill, PaintDoesNotFlowDiagonally) {
  Rows src({"#.", ".#"});
  Rows dst({"", ""});
  ASSERT_TRUE(SeedFillRows(src.bytes.data(), dst.bytes.data(), 4, 4, 2, 1, 1, 0));
  EXPECT_EQ(dst.Row(0, 4), ".###");
  EXPECT_EQ(dst.Row(1, 4), "..##");
}

TEST(SeedFill, SeedOnBlackOrOutsideFillsNothing) {
  Rows src(kRing);
  for (auto seed : {std::pair{1, 1}, std::pair{-1, 0}, std::pair{16, 0}, std::pair{0, 7}}) {
    Rows dst({"########"});
    dst.bytes.resize(src.bytes.size(), 0xFF);
    ASSERT_TRUE(SeedFillRows(src.bytes.data(), dst.bytes.data(), 4, 4, src.height, 1, seed.first,
                             seed.second));
    for (int y = 0; y < src.height; ++y) EXPECT_EQ(dst.Row(y, 16), std::string(16, '.'));
  }
}

TEST(SeedFill, SourceAndDestinationMayBeTheSameRows) {
  Rows img(kRing);
  ASSERT_TRUE(SeedFillRows(img.bytes.data(), img.bytes.data(), 4, 4, img.height, 1, 0, 0));
  EXPECT_EQ(img.Row(0, 8), "########");
  EXPECT_EQ(img.Row(1, 8), "#.....##");
  EXPECT_EQ(img.Row(2, 8), "#.....##");
}

TEST(CalcMask, MasksBlackAndWhatBlackEncloses) {
  Rows src(kRing);
  Rows dst({"", "", "", "", "", "", ""});
  ASSERT_TRUE(CalcMaskRows(src.bytes.data(), dst.bytes.data(), 4, 4, src.height, 1));
  EXPECT_EQ(dst.Row(0, 8), "........");
  for (int y = 1; y <= 5; ++y) EXPECT_EQ(dst.Row(y, 8), ".#####..") << y;
  EXPECT_EQ(dst.Row(6, 8), "........");
}

TEST(CalcMask, AnOpenShapeEnclosesNothing) {
  Rows src({"........", ".##.##..", ".#...#..", ".#####..", "........"});
  Rows dst({"", "", "", "", ""});
  ASSERT_TRUE(CalcMaskRows(src.bytes.data(), dst.bytes.data(), 4, 4, src.height, 1));
  EXPECT_EQ(dst.Row(1, 8), ".##.##..");
  EXPECT_EQ(dst.Row(2, 8), ".#...#..");
}

TEST(MaskFills, RefuseSizesThatDescribeNoImage) {
  std::vector<uint8_t> src(64, 0), dst(64, 0xAA);
  EXPECT_FALSE(SeedFillRows(src.data(), dst.data(), 4, 4, 0, 1, 0, 0));
  EXPECT_FALSE(SeedFillRows(src.data(), dst.data(), 4, 4, 4, -1, 0, 0));
  EXPECT_FALSE(SeedFillRows(src.data(), dst.data(), 1, 4, 4, 1, 0, 0));  // stride under a word
  EXPECT_FALSE(CalcMaskRows(src.data(), dst.data(), 4, 0, 4, 1));
  EXPECT_FALSE(CalcMaskRows(nullptr, dst.data(), 4, 4, 4, 1));
  for (uint8_t b : dst) EXPECT_EQ(b, 0xAA);
}

}  // namespace
}  // namespace zeb::quickdraw

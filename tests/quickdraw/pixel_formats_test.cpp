// Pixel layouts: reading and writing pixels at every depth, direct-pixel conversions, rows
// between Macintosh and DIB form, and colourisation.
#include <gtest/gtest.h>

#include <vector>

#include "quickdraw/pixel_formats.h"

namespace zeb::quickdraw {
namespace {

TEST(PixelFormats, PixelsRoundTripAtEveryDepthWithoutTouchingNeighbours) {
  for (int depth : {1, 2, 4, 8, 16, 24, 32}) {
    const int width = 13;
    std::vector<uint8_t> row(static_cast<size_t>(MinimumRowBytes(width, depth)) + 1, 0xA5);
    const uint32_t top = depth == 32 ? 0xFFFFFFFFu : (1u << depth) - 1u;
    std::vector<uint32_t> before(width);
    for (int x = 0; x < width; ++x) before[x] = ReadMacPixel(row.data(), x, depth);
    const uint32_t value = 0x9E3779B9u & top;
    WriteMacPixel(row.data(), 5, depth, value);
    for (int x = 0; x < width; ++x)
      EXPECT_EQ(ReadMacPixel(row.data(), x, depth), x == 5 ? value : before[x])
          << "depth " << depth << " x " << x;
    EXPECT_EQ(row.back(), 0xA5) << "nothing written past the row at depth " << depth;
  }
}

TEST(PixelFormats, LeftmostPixelIsInTheHighBits) {
  const uint8_t row[] = {0x80, 0x00};
  EXPECT_EQ(ReadMacPixel(row, 0, 1), 1u);
  EXPECT_EQ(ReadMacPixel(row, 1, 1), 0u);
  EXPECT_EQ(ReadMacPixel(row, 0, 2), 2u);
  EXPECT_EQ(ReadMacPixel(row, 0, 4), 8u);
  const uint8_t direct[] = {0x7C, 0x00, 0x00, 0x11, 0x22, 0x33};
  EXPECT_EQ(ReadMacPixel(direct, 0, 16), 0x7C00u) << "16-bit pixels are big-endian";
  EXPECT_EQ(ReadMacPixel(direct + 2, 0, 32), 0x00112233u) << "32-bit pixels are x-r-g-b";
}

TEST(PixelFormats, DirectPixelsConvertThroughSixteenBitComponents) {
  EXPECT_EQ(RgbFromDirect16(0x7C00), (Rgb16{0xFFFF, 0, 0}));
  EXPECT_EQ(RgbFromDirect16(0x03E0), (Rgb16{0, 0xFFFF, 0}));
  EXPECT_EQ(RgbFromDirect16(0x001F), (Rgb16{0, 0, 0xFFFF}));
  EXPECT_EQ(RgbFromDirect16(0x7FFF), kWhiteRgb);
  for (uint16_t p : {0x0000, 0x1234, 0x7FFF, 0x4210, 0x0421})
    EXPECT_EQ(Direct16FromRgb(RgbFromDirect16(p)), p);
  EXPECT_EQ(RgbFromDirect32(0x00FF8000), (Rgb16{0xFFFF, 0x8080, 0}));
  EXPECT_EQ(Direct32FromRgb(Rgb16{0x1234, 0x5678, 0x9ABC}), 0x0012569Au);
}

TEST(PixelFormats, RowsConvertToDIBLayouts) {
  struct Case {
    int depth;
    std::vector<uint8_t> mac;
    int width;
    std::vector<uint8_t> dib;
  } cases[] = {
      {1, {0xA5, 0x80}, 9, {0xA5, 0x80}},
      {2, {0x1B}, 4, {0x01, 0x23}},  // two-bit pixels widen to four bits
      {4, {0x12, 0x30}, 3, {0x12, 0x30}},
      {8, {7, 8, 9}, 3, {7, 8, 9}},
      {16, {0x7C, 0x00, 0x00, 0x1F}, 2, {0x00, 0x7C, 0x1F, 0x00}},  // bytes of each pixel swapped
      {24, {0x11, 0x22, 0x33}, 1, {0x33, 0x22, 0x11}},              // r-g-b to b-g-r
      {32, {0x00, 0x11, 0x22, 0x33}, 1, {0x33, 0x22, 0x11, 0x00}},  // x-r-g-b to b-g-r-x
  };
  for (const Case& c : cases) {
    const int dibDepth = DIBDepthFor(c.depth);
    std::vector<uint8_t> out(static_cast<size_t>(DIBRowBytes(c.width, dibDepth)), 0);
    MacRowToDIB(c.mac.data(), out.data(), c.width, c.depth);
    out.resize(c.dib.size());
    EXPECT_EQ(out, c.dib) << "depth " << c.depth;
  }
  EXPECT_EQ(DIBDepthFor(3), 0) << "no DIB form for a depth that is not one";
}

TEST(PixelFormats, SixteenBitImageBecomesBottomUpDIB) {
  // A 3 x 3 16-bit image: row y holds pixels of value 0x0100 * (y + 1) + x.
  const int w = 3, h = 3, rowBytes = 6;
  std::vector<uint8_t> mac(rowBytes * h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) WriteMacPixel(&mac[y * rowBytes], x, 16, 0x0100u * (y + 1) + x);
  const int dibRowBytes = static_cast<int>(DIBRowBytes(w, 16));
  ASSERT_EQ(dibRowBytes, 8) << "rows padded to 4 bytes";
  std::vector<uint8_t> dib(dibRowBytes * h, 0xEE);
  MacImageToDIBRows(mac.data(), rowBytes, w, h, 16, dib.data());
  // The first row in memory is the image's last row, little-endian, padding cleared.
  EXPECT_EQ(dib[0], 0x00);
  EXPECT_EQ(dib[1], 0x03);
  EXPECT_EQ(dib[2], 0x01);
  EXPECT_EQ(dib[6], 0x00);
  EXPECT_EQ(dib[7], 0x00);
  EXPECT_EQ(dib[2 * dibRowBytes + 1], 0x01) << "the last row in memory is the image's first";

  std::vector<uint8_t> back(rowBytes * h, 0);
  ASSERT_TRUE(DIBRowsToMacImage(dib.data(), 16, false, w, h, back.data(), rowBytes, 16));
  EXPECT_EQ(back, mac);
}

TEST(PixelFormats, DIBRowsBecomeMacintoshRows) {
  // A top-down 24-bit DIB of two rows becomes 32-bit Macintosh rows in the same order.
  const uint8_t dib[] = {0x00, 0x00, 0xFF, 0, 0xFF, 0x00, 0x00, 0};  // red; blue (row padded)
  uint8_t mac[8] = {};
  ASSERT_TRUE(DIBRowsToMacImage(dib, 24, true, 1, 2, mac, 4, 32));
  EXPECT_EQ(ReadMacPixel(mac, 0, 32), 0x00FF0000u);
  EXPECT_EQ(ReadMacPixel(mac + 4, 0, 32), 0x000000FFu);
  // 32-bit DIB pixels into 16-bit rows through RGB.
  const uint8_t dib32[] = {0xFF, 0x00, 0x00, 0x00};
  uint8_t mac16[2] = {};
  ASSERT_TRUE(DIBRowToMac(dib32, 32, mac16, 1, 16));
  EXPECT_EQ(ReadMacPixel(mac16, 0, 16), 0x001Fu);
  // Indexed values keep their bits; direct into indexed needs a table and is refused.
  const uint8_t dib4[] = {0x5A};
  uint8_t mac4[1] = {};
  ASSERT_TRUE(DIBRowToMac(dib4, 4, mac4, 2, 4));
  EXPECT_EQ(mac4[0], 0x5A);
  EXPECT_FALSE(DIBRowToMac(dib32, 32, mac4, 1, 8));
  EXPECT_FALSE(DIBRowToMac(dib4, 2, mac4, 1, 4)) << "a DIB has no two-bit rows";
}

TEST(PixelFormats, ColourisationMapsBlackToForegroundAndWhiteToBackground) {
  const Rgb16 red{0xFFFF, 0, 0}, blue{0, 0, 0xFFFF};
  EXPECT_EQ(Colourise(kBlackRgb, red, blue), red);
  EXPECT_EQ(Colourise(kWhiteRgb, red, blue), blue);
  const Rgb16 mid = Colourise(Rgb16{0x8000, 0x8000, 0x8000}, red, blue);
  EXPECT_NEAR(mid.red, 0x7FFF, 2);
  EXPECT_NEAR(mid.blue, 0x8000, 2);
  EXPECT_EQ(Colourise(Rgb16{0x1234, 0x5678, 0x9ABC}, kBlackRgb, kWhiteRgb),
            (Rgb16{0x1234, 0x5678, 0x9ABC}))
      << "the default colours change nothing";
  uint32_t palette[2];
  OneBitPalette(red, blue, palette);
  EXPECT_EQ(palette[0], 0x000000FFu) << "a clear bit is paper: the background";
  EXPECT_EQ(palette[1], 0x00FF0000u) << "a set bit is ink: the foreground";
}

}  // namespace
}  // namespace zeb::quickdraw

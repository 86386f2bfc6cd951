// The pixel engine: transfers between images in memory, by mode, depth, scale and mask, and
// its refusals of damaged images and unknown cases.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "quickdraw/pixel_engine.h"
#include "quickdraw/pixel_formats.h"
#include "quickdraw/raster_operations.h"
#include "quickdraw/rect_arithmetic.h"
#include "quickdraw/region_mask.h"

namespace zeb::quickdraw {
namespace {

// An image of its own memory: w x h at depth, rows padded to even bytes as the Toolbox's are.
struct Image {
  std::vector<uint8_t> bytes;
  std::vector<Rgb16> table;
  EngineImage im;
  Image(int w, int h, int depth, std::vector<Rgb16> t = {}) : table(std::move(t)) {
    im.rowBytes = static_cast<int32_t>((MinimumRowBytes(w, depth) + 1) & ~1);
    bytes.assign(static_cast<size_t>(im.rowBytes) * h, 0);
    im.base = bytes.data();
    im.bounds = MakeRect(0, 0, w, h);
    im.depth = depth;
    im.table = table.empty() ? nullptr : table.data();
    im.tableCount = static_cast<int32_t>(table.size());
    im.byteCount = bytes.size();
  }
  uint32_t Get(int x, int y) const {
    return ReadMacPixel(bytes.data() + static_cast<size_t>(y) * im.rowBytes, x, im.depth);
  }
  void Set(int x, int y, uint32_t v) {
    WriteMacPixel(bytes.data() + static_cast<size_t>(y) * im.rowBytes, x, im.depth, v);
  }
  void FillWith(uint32_t v) {
    for (int y = 0; y < im.bounds.bottom; ++y)
      for (int x = 0; x < im.bounds.right; ++x) Set(x, y, v);
  }
  Rect Bounds() const { return im.bounds; }
};

const std::vector<Rgb16> kGreys4 = {kWhiteRgb, {0xAAAA, 0xAAAA, 0xAAAA}, {0x5555, 0x5555, 0x5555},
                                    kBlackRgb};

EngineTransfer Mode(int mode) {
  EngineTransfer t;
  t.mode = mode;
  return t;
}

std::vector<std::string> reports;
void Collect(const char* text) { reports.emplace_back(text); }

struct EngineTest : testing::Test {
  void SetUp() override {
    reports.clear();
    SetEngineReporter(Collect);
  }
  void TearDown() override { SetEngineReporter(nullptr); }
};

// Every bitwise mode from a one-bit source onto 1-, 8- and 32-bit destinations gives the
// result of the mode's ROP3 on a device where white is all ones (ink black is 0).
TEST_F(EngineTest, BitwiseModesMatchTheirRasterOperationsAtEveryDestinationDepth) {
  const std::vector<Rgb16> bw = {kWhiteRgb, kBlackRgb};
  for (int mode : {0, 1, 2, 3, 4, 5, 6, 7, 8, 11, 15}) {
    for (int dstDepth : {1, 8, 32}) {
      // Source: ink in columns 0 and 1; destination: ink in columns 0 and 2.
      Image src(4, 1, 1);
      src.Set(0, 0, 1);
      src.Set(1, 0, 1);
      Image dst(4, 1, dstDepth, dstDepth == 8 ? bw : std::vector<Rgb16>{});
      const uint32_t ink = dstDepth == 32 ? 0x000000u : 1u;
      const uint32_t paper = dstDepth == 32 ? 0xFFFFFFu : 0u;
      for (int x = 0; x < 4; ++x) dst.Set(x, 0, (x == 0 || x == 2) ? ink : paper);
      ASSERT_EQ(TransferPixels(src.im, src.Bounds(), dst.im, dst.Bounds(), Mode(mode)),
                EngineResult::kCopied);
      // CopyBits given a pattern mode copies as the source mode; srcOr is S and D.
      const uint32_t rop = Rop3ForMode(mode & 7, true);
      for (int x = 0; x < 4; ++x) {
        const int s = (x == 0 || x == 1) ? 0 : 1;  // white is 1
        const int d = (x == 0 || x == 2) ? 0 : 1;
        const int want = Rop3Bit(rop, 0, s, d);
        EXPECT_EQ(dst.Get(x, 0), want ? paper : ink)
            << "mode " << mode << " depth " << dstDepth << " x " << x;
      }
    }
  }
  EXPECT_TRUE(reports.empty());
}

TEST_F(EngineTest, OneBitSourceIsColourisedWithForegroundAndBackground) {
  Image src(2, 1, 1);
  src.Set(0, 0, 1);
  Image dst(2, 1, 32);
  EngineTransfer t = Mode(0);
  t.fore = {0xFFFF, 0, 0};
  t.back = {0, 0, 0xFFFF};
  ASSERT_EQ(TransferPixels(src.im, src.Bounds(), dst.im, dst.Bounds(), t), EngineResult::kCopied);
  EXPECT_EQ(dst.Get(0, 0), 0xFF0000u) << "ink in the foreground";
  EXPECT_EQ(dst.Get(1, 0), 0x0000FFu) << "paper in the background";

  // srcOr puts ink in the foreground and leaves the paper's destination alone; srcBic clears
  // ink to the background; notSrcCopy exchanges them.
  struct Case {
    int mode;
    uint32_t ink, paper;
  } cases[] = {{1, 0xFF0000, 0x00FF00}, {3, 0x0000FF, 0x00FF00}, {4, 0x0000FF, 0xFF0000},
               {5, 0x00FF00, 0xFF0000}, {7, 0x00FF00, 0x0000FF}};
  for (const Case& c : cases) {
    dst.FillWith(0x00FF00);
    t.mode = c.mode;
    ASSERT_EQ(TransferPixels(src.im, src.Bounds(), dst.im, dst.Bounds(), t), EngineResult::kCopied);
    EXPECT_EQ(dst.Get(0, 0), c.ink) << "mode " << c.mode;
    EXPECT_EQ(dst.Get(1, 0), c.paper) << "mode " << c.mode;
  }
}

TEST_F(EngineTest, DirectAndIndexedSourcesConvertThroughTheirTables) {
  // 8-bit with four greys into 16 and 32 bits, and back into 8 bits by nearest entry.
  Image src(4, 1, 8, kGreys4);
  for (int x = 0; x < 4; ++x) src.Set(x, 0, static_cast<uint32_t>(x));
  Image d32(4, 1, 32), d16(4, 1, 16);
  ASSERT_EQ(TransferPixels(src.im, src.Bounds(), d32.im, d32.Bounds(), Mode(0)), EngineResult::kCopied);
  ASSERT_EQ(TransferPixels(src.im, src.Bounds(), d16.im, d16.Bounds(), Mode(0)), EngineResult::kCopied);
  const uint32_t want32[] = {0xFFFFFF, 0xAAAAAA, 0x555555, 0x000000};
  const uint32_t want16[] = {0x7FFF, 0x56B5, 0x294A, 0x0000};
  for (int x = 0; x < 4; ++x) {
    EXPECT_EQ(d32.Get(x, 0), want32[x]);
    EXPECT_EQ(d16.Get(x, 0), want16[x]);
  }
  Image back(4, 1, 8, kGreys4);
  ASSERT_EQ(TransferPixels(d16.im, d16.Bounds(), back.im, back.Bounds(), Mode(0)), EngineResult::kCopied);
  for (int x = 0; x < 4; ++x) EXPECT_EQ(back.Get(x, 0), static_cast<uint32_t>(x));
  // A value past the source's table reads as black.
  src.Set(0, 0, 200);
  ASSERT_EQ(TransferPixels(src.im, src.Bounds(), d32.im, d32.Bounds(), Mode(0)), EngineResult::kCopied);
  EXPECT_EQ(d32.Get(0, 0), 0u);
}

TEST_F(EngineTest, SameTableCopiesKeepPixelValues) {
  // Two entries of one colour: a copy between images of one table keeps which one was used.
  std::vector<Rgb16> t = {kWhiteRgb, kBlackRgb, kBlackRgb};
  Image src(3, 1, 8, t), dst(3, 1, 8, t);
  src.Set(0, 0, 2);
  src.Set(1, 0, 1);
  ASSERT_EQ(TransferPixels(src.im, src.Bounds(), dst.im, dst.Bounds(), Mode(0)), EngineResult::kCopied);
  EXPECT_EQ(dst.Get(0, 0), 2u);
  EXPECT_EQ(dst.Get(1, 0), 1u);
}

TEST_F(EngineTest, ArithmeticModesCombineComponents) {
  struct Case {
    int mode;
    uint32_t src, dst, want;
  } cases[] = {
      {32, 0xFFFFFF, 0x000000, 0x808080},  // blend at half weight
      {33, 0x606060, 0x606060, 0x808080},  // addPin pinned at opColor
      {34, 0x808080, 0x808080, 0x000000},  // addOver wraps
      {35, 0x202020, 0x606060, 0x808080},  // subPin: never below opColor
      {37, 0x10E010, 0xE010E0, 0xE0E0E0},  // addMax
      {38, 0x010101, 0x000000, 0xFEFEFE},  // subOver wraps below zero
      {39, 0x10E010, 0xE010E0, 0x101010},  // adMin
      {36, 0xFFFFFF, 0x123456, 0x123456},  // transparent: the background colour is clear
      {36, 0x00FF00, 0x123456, 0x00FF00},
  };
  for (const Case& c : cases) {
    Image src(1, 1, 32), dst(1, 1, 32);
    src.Set(0, 0, c.src);
    dst.Set(0, 0, c.dst);
    ASSERT_EQ(TransferPixels(src.im, src.Bounds(), dst.im, dst.Bounds(), Mode(c.mode)),
              EngineResult::kCopied);
    const uint32_t got = dst.Get(0, 0);
    for (int shift : {0, 8, 16})
      EXPECT_NEAR(static_cast<int>((got >> shift) & 0xFF), static_cast<int>((c.want >> shift) & 0xFF), 1)
          << "mode " << c.mode;
  }
}

TEST_F(EngineTest, ScalingPicksNearestPixels) {
  // 2 x 2 checker to 4 x 4: each source pixel becomes a 2 x 2 block; and back down.
  Image src(2, 2, 8, kGreys4);
  src.Set(0, 0, 3);
  src.Set(1, 1, 3);
  Image big(4, 4, 8, kGreys4);
  ASSERT_EQ(TransferPixels(src.im, src.Bounds(), big.im, big.Bounds(), Mode(0)), EngineResult::kCopied);
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 4; ++x)
      EXPECT_EQ(big.Get(x, y), ((x < 2) == (y < 2)) ? 3u : 0u) << x << "," << y;
  Image small(2, 2, 8, kGreys4);
  ASSERT_EQ(TransferPixels(big.im, big.Bounds(), small.im, small.Bounds(), Mode(0)), EngineResult::kCopied);
  EXPECT_EQ(small.bytes, src.bytes);
}

TEST_F(EngineTest, SourceRectangleIsClippedToTheImageAndTheDestinationCutInProportion) {
  // The source rectangle reaches 4 pixels past a 4-pixel image: only the destination's left
  // half receives pixels, and nothing is read outside the source's memory.
  Image src(4, 1, 8, kGreys4);
  src.FillWith(3);
  Image dst(8, 1, 8, kGreys4);
  dst.FillWith(1);
  ASSERT_EQ(TransferPixels(src.im, MakeRect(0, 0, 8, 1), dst.im, dst.Bounds(), Mode(0)),
            EngineResult::kCopied);
  for (int x = 0; x < 8; ++x) EXPECT_EQ(dst.Get(x, 0), x < 4 ? 3u : 1u) << x;
  // Above and to the left of the image, at twice the scale.
  dst.FillWith(1);
  ASSERT_EQ(TransferPixels(src.im, MakeRect(-2, 0, 2, 1), dst.im, dst.Bounds(), Mode(0)),
            EngineResult::kCopied);
  for (int x = 0; x < 8; ++x) EXPECT_EQ(dst.Get(x, 0), x >= 4 ? 3u : 1u) << x;
  // A destination rectangle beyond the destination writes only its inside part.
  Image narrow(2, 1, 8, kGreys4);
  ASSERT_EQ(TransferPixels(src.im, src.Bounds(), narrow.im, MakeRect(-1, 0, 3, 1), Mode(0)),
            EngineResult::kCopied);
  EXPECT_EQ(narrow.Get(0, 0), 3u);
  // Entirely outside: nothing.
  EXPECT_EQ(TransferPixels(src.im, MakeRect(10, 0, 14, 1), dst.im, dst.Bounds(), Mode(0)),
            EngineResult::kNothingToCopy);
}

TEST_F(EngineTest, MaskLimitsTheWrittenPixels) {
  Image src(4, 4, 1);
  src.FillWith(1);
  Image dst(4, 4, 1);
  RegionMask mask(MakeRect(1, 1, 3, 3));
  mask.FillRect(MakeRect(1, 1, 2, 3));
  EngineTransfer t = Mode(0);
  t.mask = &mask;
  ASSERT_EQ(TransferPixels(src.im, src.Bounds(), dst.im, dst.Bounds(), t), EngineResult::kCopied);
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 4; ++x)
      EXPECT_EQ(dst.Get(x, y), (x == 1 && (y == 1 || y == 2)) ? 1u : 0u) << x << "," << y;
}

TEST_F(EngineTest, OverlappingSelfCopyReadsTheSourceFirst) {
  // Moving a row one pixel right within the same image, as BitBlt would.
  Image im(6, 2, 8, kGreys4);
  for (int x = 0; x < 6; ++x) im.Set(x, 0, static_cast<uint32_t>(x % 4));
  for (int x = 0; x < 6; ++x) im.Set(x, 1, static_cast<uint32_t>(3 - x % 4));
  const std::vector<uint8_t> before = im.bytes;
  ASSERT_EQ(TransferPixels(im.im, MakeRect(0, 0, 5, 2), im.im, MakeRect(1, 0, 6, 2), Mode(0)),
            EngineResult::kCopied);
  for (int y = 0; y < 2; ++y)
    for (int x = 1; x < 6; ++x)
      EXPECT_EQ(im.Get(x, y), ReadMacPixel(before.data() + y * im.im.rowBytes, x - 1, 8));
  // Downwards by a row too.
  ASSERT_EQ(TransferPixels(im.im, MakeRect(0, 0, 6, 1), im.im, MakeRect(0, 1, 6, 2), Mode(0)),
            EngineResult::kCopied);
  for (int x = 0; x < 6; ++x) EXPECT_EQ(im.Get(x, 1), im.Get(x, 0));
}

TEST_F(EngineTest, DitheringAGreyOntoOneBitGivesAMixture) {
  Image src(8, 8, 32);
  src.FillWith(0x808080);
  Image dst(8, 8, 1);
  ASSERT_EQ(TransferPixels(src.im, src.Bounds(), dst.im, dst.Bounds(), Mode(0x40)),
            EngineResult::kCopied);
  int black = 0;
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 8; ++x) black += static_cast<int>(dst.Get(x, y));
  EXPECT_GT(black, 16);
  EXPECT_LT(black, 48);
  // Without the dither bit, a flat grey falls to one colour.
  ASSERT_EQ(TransferPixels(src.im, src.Bounds(), dst.im, dst.Bounds(), Mode(0)), EngineResult::kCopied);
  black = 0;
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 8; ++x) black += static_cast<int>(dst.Get(x, y));
  EXPECT_TRUE(black == 0 || black == 64);
}

TEST_F(EngineTest, EmptyRectanglesCopyNothing) {
  Image src(2, 2, 8, kGreys4), dst(2, 2, 8, kGreys4);
  src.FillWith(3);
  const Rect rects[] = {MakeRect(0, 0, 0, 2), MakeRect(0, 0, 2, 0), MakeRect(2, 2, 1, 1)};
  for (const Rect& r : rects) {
    EXPECT_EQ(TransferPixels(src.im, r, dst.im, dst.Bounds(), Mode(0)), EngineResult::kNothingToCopy);
    EXPECT_EQ(TransferPixels(src.im, src.Bounds(), dst.im, r, Mode(0)), EngineResult::kNothingToCopy);
  }
  EXPECT_EQ(dst.Get(0, 0), 0u);
}

TEST_F(EngineTest, UnknownDepthIsReportedAndCopiesNothing) {
  Image src(2, 1, 8, kGreys4), dst(2, 1, 8, kGreys4);
  src.FillWith(3);
  EngineImage odd = src.im;
  odd.depth = 3;
  EXPECT_EQ(TransferPixels(odd, src.Bounds(), dst.im, dst.Bounds(), Mode(0)), EngineResult::kUndefinedCase);
  EngineImage oddDst = dst.im;
  oddDst.depth = 12;
  EXPECT_EQ(TransferPixels(src.im, src.Bounds(), oddDst, dst.Bounds(), Mode(0)), EngineResult::kUndefinedCase);
  EXPECT_EQ(dst.Get(0, 0), 0u);
  ASSERT_EQ(reports.size(), 2u);
  EXPECT_EQ(reports[0], " Undefined ResizePVProc case");
  EXPECT_EQ(reports[1], " Undefined PVToRGBProc case");
}

TEST_F(EngineTest, SelectorsReportTheirUnknownCases) {
  struct Case {
    bool known;
    const char* text;
  } cases[] = {
      {SelectDither(16) != nullptr, " Undefined DitherProc case"},
      {SelectRGBToPV(7, false) != nullptr, " Undefined RGBToPVProc case"},
      {SelectResizePV(0) != nullptr, " Undefined ResizePVProc case"},
      {SelectRGBCombine(20, false) != nullptr, " Undefined RGBCombineProc case"},
      {SelectPrepareColorize(33) != nullptr, " Undefined PrepareColorize case"},
      {SelectPrepareColorize(2) != nullptr, " Invalid PrepareColorize case (Xor)"},
      {SelectPrepareColorize(6) != nullptr, " Invalid PrepareColorize case (notXor)"},
  };
  ASSERT_EQ(reports.size(), std::size(cases));
  for (size_t i = 0; i < std::size(cases); ++i) {
    EXPECT_FALSE(cases[i].known) << cases[i].text;
    EXPECT_EQ(reports[i], cases[i].text);
  }
}

TEST_F(EngineTest, XorModesIgnoreColoursWithoutReporting) {
  Image src(1, 1, 1), dst(1, 1, 32);
  src.Set(0, 0, 1);
  dst.Set(0, 0, 0xFFFFFF);
  EngineTransfer t = Mode(2);
  t.fore = {0xFFFF, 0, 0};
  ASSERT_EQ(TransferPixels(src.im, src.Bounds(), dst.im, dst.Bounds(), t), EngineResult::kCopied);
  EXPECT_EQ(dst.Get(0, 0), 0u) << "black ink inverts white";
  EXPECT_TRUE(reports.empty());
}

TEST_F(EngineTest, ImagesWhoseRowsPassTheirMemoryAreRefused) {
  Image src(4, 4, 8, kGreys4), dst(4, 4, 8, kGreys4);
  EngineImage shortRows = src.im;
  shortRows.rowBytes = 3;  // a 4-pixel 8-bit row needs 4
  EXPECT_EQ(TransferPixels(shortRows, src.Bounds(), dst.im, dst.Bounds(), Mode(0)), EngineResult::kBadImage);
  EngineImage tall = dst.im;
  tall.bounds.bottom = 5;  // five rows in the memory of four
  EXPECT_EQ(TransferPixels(src.im, src.Bounds(), tall, tall.bounds, Mode(0)), EngineResult::kBadImage);
  EngineImage none = src.im;
  none.base = nullptr;
  EXPECT_EQ(TransferPixels(none, src.Bounds(), dst.im, dst.Bounds(), Mode(0)), EngineResult::kBadImage);
}

TEST(NearestEntry, FindsTheClosestColourAndTheFirstOfEqualOnes) {
  const std::vector<Rgb16> t = {kWhiteRgb, {0xFFFF, 0, 0}, {0xFFFF, 0, 0}, kBlackRgb};
  EXPECT_EQ(NearestTableEntry(t.data(), 4, {0xF000, 0x1000, 0x1000}), 1);
  EXPECT_EQ(NearestTableEntry(t.data(), 4, {0x1000, 0x1000, 0x1000}), 3);
  EXPECT_EQ(NearestTableEntry(t.data(), 0, kWhiteRgb), -1);
  EXPECT_EQ(CombineModeFor(0x40 | 3), 3);
  EXPECT_EQ(CombineModeFor(12), 4);
  EXPECT_EQ(CombineModeFor(36), 36);
  EXPECT_EQ(CombineModeFor(50), 2);
}

}  // namespace
}  // namespace zeb::quickdraw

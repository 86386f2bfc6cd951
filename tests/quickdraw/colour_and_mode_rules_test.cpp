// Host-independent colour and transfer-mode rules.
#include <gtest/gtest.h>

#include "quickdraw/colour_rules.h"
#include "quickdraw/standard_colour_tables.h"
#include "quickdraw/transfer_modes.h"

namespace zeb::quickdraw {
namespace {

TEST(ClassicColours, ValuesMatchExactlyThenByBitsThenNotAtAll) {
  struct Case {
    int32_t value;
    int32_t found;  // 0: nothing
  };
  const Case cases[] = {
      {33, 33}, {30, 30}, {409, 409}, {205, 205},
      {34, 33},    // agrees with blackColor in bits 0x1E0
      {0x195, 409},  // agrees with blueColor (0x199) in 0x1E0
      {0x160, 341},  // agrees with greenColor (0x155) only in 0x1C0
      {0x21, 33}, {0x1C0, 0}, {0x3C0, 0},
  };
  for (const Case& c : cases) {
    const ClassicColour* colour = LookupClassicColour(c.value);
    if (c.found == 0) {
      EXPECT_EQ(colour, nullptr) << c.value;
    } else {
      ASSERT_NE(colour, nullptr) << c.value;
      EXPECT_EQ(colour->value, c.found) << c.value;
    }
  }
  EXPECT_EQ(LookupClassicColour(409)->rgb.blue, 0xD400);
}

TEST(ClassicColours, RgbFallsToTheClassicColourOfItsTopBits) {
  struct Case {
    Rgb16 rgb;
    int32_t classic;
  };
  const Case cases[] = {
      {{0, 0, 0}, 33},           {{0x8000, 0, 0x8000}, 137}, {{0x7FFF, 0x7FFF, 0x7FFF}, 33},
      {{0xFFFF, 0xFFFF, 0}, 69}, {{0, 0x9000, 0xA000}, 273}, {{0xFFFF, 0xFFFF, 0xFFFF}, 30},
      {{0, 0, 0x8000}, 409},     {{0, 0x8000, 0}, 341},      {{0x8000, 0, 0}, 205},
  };
  for (const Case& c : cases) EXPECT_EQ(ClassicColourForRgb(c.rgb), c.classic);
}

TEST(ColourRefs, PaletteRelativeExceptForBlackAndWhiteAndReducedOnOneBit) {
  EXPECT_EQ(ColorRefFor({0, 0, 0xD400}, false), 0x02D40000u);
  EXPECT_EQ(ColorRefFor(kBlackRgb, false), 0u);
  EXPECT_EQ(ColorRefFor(kWhiteRgb, false), 0xFFFFFFu);
  EXPECT_EQ(ColorRefFor({0x1234, 0x5678, 0x9ABC}, false), 0x029A5612u);
  // One bit: luminance (5 r + 9 g + 2 b) / 16 above 32768 is white.
  EXPECT_EQ(ColorRefFor({0xFC00, 0xF37D, 0x052F}, true), 0xFFFFFFu) << "yellow";
  EXPECT_EQ(ColorRefFor({0xDD6B, 0x08C2, 0x06A2}, true), 0u) << "red";
  EXPECT_EQ(ReduceToOneBit({0x8000, 0x8000, 0x8000}), kBlackRgb) << "32768 is black";
  EXPECT_EQ(ReduceToOneBit({0x8002, 0x8002, 0x8002}), kWhiteRgb);
  EXPECT_EQ(RgbFromColorRef(0x00FF8000), (Rgb16{0x0000, 0x8080, 0xFFFF}));
}

TEST(ColourRefs, GreyDitherCombinesThePatternWithTwoDitherPatterns) {
  EXPECT_EQ(DitherIndex(kBlackRgb), 0);
  EXPECT_EQ(DitherIndex(kWhiteRgb), 7);
  const uint8_t half[8] = {0xF0, 0xF0, 0xF0, 0xF0, 0xF0, 0xF0, 0xF0, 0xF0};
  uint8_t out[8];
  CombineWithDither(half, kBlackRgb, kWhiteRgb, out);
  for (uint8_t b : out) EXPECT_EQ(b, 0xF0) << "black on white keeps the pattern";
  CombineWithDither(half, kWhiteRgb, kBlackRgb, out);
  for (uint8_t b : out) EXPECT_EQ(b, 0x0F) << "white on black inverts it";
}

TEST(StandardTables, BuiltInTablesRunFromWhiteToBlack) {
  struct Case {
    int16_t id;
    int size;
  };
  for (const Case& c : {Case{1, 2}, Case{4, 16}, Case{8, 256}, Case{20, 16}, Case{40, 256}}) {
    ASSERT_EQ(StandardTableSize(c.id), c.size);
    EXPECT_EQ(StandardTableEntry(c.id, 0), kWhiteRgb) << c.id;
    EXPECT_EQ(StandardTableEntry(c.id, c.size - 1), kBlackRgb) << c.id;
  }
  EXPECT_EQ(StandardTableSize(2), 0);
  EXPECT_EQ(StandardTableEntry(40, 1).red, 0xFEFE);
  EXPECT_EQ(StandardTableEntry(20, 1).green, 0xEEEE);
}

TEST(TransferModes, ModeTableGivesRasterOperationBackgroundAndSupport) {
  struct Case {
    int16_t mode;
    uint16_t rop2;
    uint16_t bkMode;
    bool supported;
  };
  const Case cases[] = {
      {0, kR2CopyPen, kOpaque, true},        {8, kR2CopyPen, kOpaque, true},
      {32, kR2CopyPen, kOpaque, true},       {1, kR2MaskPen, kTransparent, true},
      {9, kR2MaskPen, kTransparent, true},   {2, kR2NotXorPen, kTransparent, true},
      {10, kR2NotXorPen, kTransparent, true}, {34, kR2NotXorPen, kTransparent, true},
      {38, kR2NotXorPen, kTransparent, true}, {3, kR2MergeNotPen, kTransparent, true},
      {11, kR2MergeNotPen, kTransparent, true}, {33, kR2MergeNotPen, kTransparent, true},
      {37, kR2MergeNotPen, kTransparent, true}, {4, kR2NotCopyPen, kOpaque, true},
      {12, kR2NotCopyPen, kOpaque, true},    {5, kR2MaskNotPen, kOpaque, true},
      {13, kR2MaskNotPen, kOpaque, true},    {6, kR2XorPen, kOpaque, true},
      {14, kR2XorPen, kOpaque, true},        {7, kR2MergePen, kOpaque, true},
      {15, kR2MergePen, kOpaque, true},      {35, kR2MaskPen, kTransparent, true},
      {36, kR2MaskPen, kTransparent, true},  {39, kR2MaskPen, kTransparent, true},
      {47, kR2MaskPen, kTransparent, true},  {16, kR2MaskPen, kTransparent, false},
      {42, kR2MaskPen, kTransparent, false}, {-1, kR2MaskPen, kTransparent, false},
  };
  for (const Case& c : cases) {
    const ModeRule rule = RuleForMode(c.mode);
    EXPECT_EQ(rule.rop2, c.rop2) << c.mode;
    EXPECT_EQ(rule.backgroundMode, c.bkMode) << c.mode;
    EXPECT_EQ(rule.supported, c.supported) << c.mode;
  }
}

TEST(TransferModes, PenModesFortyToSixtyThreeAreTakenEightLower) {
  EXPECT_EQ(NormalisePenMode(50), 42);
  EXPECT_EQ(NormalisePenMode(40), 32);
  EXPECT_EQ(NormalisePenMode(63), 55);
  EXPECT_EQ(NormalisePenMode(39), 39);
  EXPECT_EQ(NormalisePenMode(64), 64);
  EXPECT_FALSE(RuleForMode(NormalisePenMode(50)).supported);
}

TEST(TransferModes, PatBltStandsInOnlyForCopyXorAndOr) {
  EXPECT_EQ(PatBltRopFor(kR2CopyPen), 0xF00021u);
  EXPECT_EQ(PatBltRopFor(kR2NotXorPen), 0xA50065u);
  EXPECT_EQ(PatBltRopFor(kR2MaskPen), 0xA000C9u);
  EXPECT_EQ(PatBltRopFor(kR2MergeNotPen), 0u);
  EXPECT_EQ(PatBltRopFor(kR2XorPen), 0u);
}

TEST(TransferModes, OnlyOrAndBicModesInColourNeedTheMask) {
  for (int16_t mode = 0; mode <= 15; ++mode)
    EXPECT_EQ(EmulationFor(mode, true).ink, MaskedInk::None) << "black on white: " << mode;
  EXPECT_EQ(EmulationFor(9, false).ink, MaskedInk::Foreground);
  EXPECT_EQ(EmulationFor(11, false).ink, MaskedInk::Background);
  EXPECT_TRUE(EmulationFor(13, false).invertPattern);
  EXPECT_EQ(EmulationFor(15, false).ink, MaskedInk::Background);
  EXPECT_EQ(EmulationFor(8, false).ink, MaskedInk::None);
  EXPECT_EQ(EmulationFor(10, false).ink, MaskedInk::None);
  EXPECT_EQ(EmulationFor(36, false).ink, MaskedInk::None);
}

TEST(TransferModes, TextModesGiveTheirInkAndOnlyCopyAndOrAreGdisOwn) {
  struct Case {
    int16_t mode;
    TextInk ink;
    bool inverted, supported, gdi;
  };
  // Modes 0 to 7: srcCopy, srcOr, srcXor, srcBic and their not- forms; 8 up the pattern modes;
  // 32 blend, 33 addPin, 34 addOver, 36 transparent, 64 ditherCopy.
  const Case cases[] = {
      {0, TextInk::Copy, false, true, true},  {1, TextInk::Or, false, true, true},
      {2, TextInk::Xor, false, true, false},  {3, TextInk::Bic, false, true, false},
      {4, TextInk::Copy, true, true, true},   {5, TextInk::Or, true, true, false},
      {6, TextInk::Xor, true, true, false},   {7, TextInk::Bic, true, true, false},
      {8, TextInk::Copy, false, true, true},  {10, TextInk::Xor, false, true, false},
      {32, TextInk::Copy, false, true, true}, {34, TextInk::Xor, false, true, false},
      {33, TextInk::Bic, false, true, false}, {36, TextInk::Or, false, true, true},
      {64, TextInk::Or, false, false, true},  {-1, TextInk::Or, false, false, true},
  };
  for (const Case& c : cases) {
    const TextModeRule rule = TextRuleFor(c.mode);
    EXPECT_EQ(rule.ink, c.ink) << c.mode;
    EXPECT_EQ(rule.inverted, c.inverted) << c.mode;
    EXPECT_EQ(rule.supported, c.supported) << c.mode;
    EXPECT_EQ(GdiDrawsText(rule), c.gdi) << c.mode;
  }
}

}  // namespace
}  // namespace zeb::quickdraw

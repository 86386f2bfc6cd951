// The transfer modes' ROP3 codes: each source mode is the pen's raster operation for that mode
// with the source as the pen, each pattern mode the same with the pattern.
#include <gtest/gtest.h>

#include "quickdraw/raster_operations.h"
#include "quickdraw/transfer_modes.h"

namespace zeb::quickdraw {
namespace {

// A ROP2 code's result for a pen and a destination bit: R2 codes are 1 + a truth table whose
// bit (pen * 2 + dest) gives the result.
int Rop2Bit(uint16_t rop2, int pen, int d) { return ((rop2 - 1) >> ((pen << 1) | d)) & 1; }

TEST(RasterOperations, EveryModeMatchesThePensOperationInThatMode) {
  for (int mode = 0; mode <= 15; ++mode) {
    if (mode == 1) continue;  // srcOr puts the brush through the source, below
    const uint32_t rop3 = Rop3ForMode(mode, false);
    const uint16_t rop2 = RuleForMode(static_cast<int16_t>(mode)).rop2;
    const bool patternMode = mode >= 8;
    for (int p = 0; p <= 1; ++p)
      for (int s = 0; s <= 1; ++s)
        for (int d = 0; d <= 1; ++d)
          EXPECT_EQ(Rop3Bit(rop3, p, s, d), Rop2Bit(rop2, patternMode ? p : s, d))
              << "mode " << mode << " p" << p << " s" << s << " d" << d;
  }
}

TEST(RasterOperations, MendedEntriesHaveTheirOwnCodes) {
  struct Case {
    int mode;
    uint32_t rop3;
  } cases[] = {
      {5, 0x220326},  {7, 0xEE0086},  {9, 0xA000C9},  {10, 0xA50065}, {11, 0xAF0229},
      {13, 0x0A0329}, {14, 0x5A0049}, {15, 0xFA0089}, {0, 0xCC0020},  {8, 0xF00021},
  };
  for (const Case& c : cases) EXPECT_EQ(Rop3ForMode(c.mode, false), c.rop3) << c.mode;
}

TEST(RasterOperations, SrcOrFromOneBitSourceIsSourceAndDestination) {
  EXPECT_EQ(Rop3ForMode(1, false), kRop3BrushThroughSource);
  EXPECT_EQ(Rop3ForMode(1, true), kRop3SrcAnd);
  EXPECT_EQ(Rop3ForMode(2, true), 0x990066u) << "only srcOr changes for one-bit sources";
  // With the foreground as the brush (P = 0 for black), 0xB8074A is S and D for black ink.
  for (int s = 0; s <= 1; ++s)
    for (int d = 0; d <= 1; ++d) EXPECT_EQ(Rop3Bit(kRop3BrushThroughSource, 0, s, d), s & d);
}

TEST(RasterOperations, ArithmeticAndOtherModesTakeTheirTableEntries) {
  struct Case {
    int mode;
    uint32_t rop3;
  } cases[] = {
      {32, 0xCC0020}, {33, 0xCC0020}, {34, 0xCC0020}, {35, 0xCC0020}, {36, 0x8800C6},
      {37, 0xCC0020}, {38, 0xCC0020}, {39, 0x8800C6},
      {40, 0xF00021},         // mode & 15 = 8
      {0x40, 0xCC0020},       // ditherCopy: the dither bit is ignored
      {0x40 | 36, 0x8800C6},  // dithered transparent
      {50, 0x990066},         // hilite takes the entry of 2
      {-1, 0xFA0089},         // a negative mode still lands inside the table
  };
  for (const Case& c : cases) EXPECT_EQ(Rop3ForMode(c.mode, false), c.rop3) << c.mode;
}

TEST(RasterOperations, ApplyRop3WorksOnWholeWords) {
  const uint32_t p = 0xF0F0F0F0, s = 0xCCCCCCCC, d = 0xAAAAAAAA;
  // Applied to the standard operands, a ROP3 gives its own truth table in every byte.
  for (uint32_t rop : {0xCC0020u, 0x8800C6u, 0xB8074Au, 0x5A0049u, 0x220326u})
    EXPECT_EQ(ApplyRop3(rop, p, s, d) & 0xFF, (rop >> 16) & 0xFF) << std::hex << rop;
  EXPECT_EQ(ApplyRop3(0x330008, 0, 0x0F0F0F0F, 0), 0xF0F0F0F0u);
}

}  // namespace
}  // namespace zeb::quickdraw

// Palettes and their Windows logical palettes read back with GetPaletteEntries: order, the
// reversal of 256-entry palettes, the 236-entry rule, PC_RESERVED for animated entries; the
// entry calls, clamping, conversions with colour tables, and bad counts.
#include <vector>

#include "MacMemory.h"
#include "Palettes.h"
#include "quickdraw_fixture.h"

namespace zebtest {
namespace {

class PaletteTest : public QuickDrawTest {};

CTabHandle Ramp(int n) {
  auto t = reinterpret_cast<CTabHandle>(NewHandleClear(8 + 8 * n));
  (*t)->ctSeed = 77;
  (*t)->ctSize = static_cast<short>(n - 1);
  for (int i = 0; i < n; ++i) {
    (*t)->ctTable[i].value = static_cast<short>(i);
    (*t)->ctTable[i].rgb = RGBColor{static_cast<unsigned short>(i * 257), 0x1200,
                                    static_cast<unsigned short>((255 - i % 256) * 257)};
  }
  return t;
}

std::vector<PALETTEENTRY> Entries(PaletteHandle pal) {
  HPALETTE h = ZEB_PaletteHPALETTE(pal);
  std::vector<PALETTEENTRY> out;
  if (!h) return out;
  WORD count = 0;
  GetObjectA(h, sizeof(count), &count);
  out.resize(count);
  GetPaletteEntries(h, 0, count, out.data());
  return out;
}

TEST_F(PaletteTest, EntriesReachTheLogicalPaletteInOrder) {
  CTabHandle t = Ramp(4);
  PaletteHandle pal = NewPalette(4, t, pmTolerant, 0x1000);
  ASSERT_NE(pal, nullptr);
  EXPECT_EQ(GetHandleSize(reinterpret_cast<Handle>(pal)), 36 + 3 * 16);
  EXPECT_EQ((*pal)->pmSeed, 77);
  EXPECT_NE((*pal)->pmCacheNumber, 0);
  std::vector<PALETTEENTRY> e = Entries(pal);
  ASSERT_EQ(e.size(), 4u);
  EXPECT_EQ(e[2].peRed, 2);
  EXPECT_EQ(e[2].peGreen, 0x12);
  EXPECT_EQ(e[2].peBlue, 253);
  EXPECT_EQ(e[2].peFlags, 0);
  short usage = 0, tolerance = 0;
  GetEntryUsage(pal, 1, &usage, &tolerance);
  EXPECT_EQ(usage, pmTolerant);
  EXPECT_EQ(tolerance, 0x1000);
  // An animated entry is reserved in the logical palette; a new colour reaches it.
  SetEntryUsage(pal, 3, pmAnimated, -1);
  const RGBColor white{0xFFFF, 0xFFFF, 0xFFFF};
  SetEntryColor(pal, 0, &white);
  e = Entries(pal);
  EXPECT_EQ(e[3].peFlags, PC_RESERVED);
  EXPECT_EQ(e[0].peRed, 0xFF);
  RGBColor got{};
  GetEntryColor(pal, 0, &got);
  EXPECT_EQ(got.blue, 0xFFFF);
  // Entries outside the palette are left alone.
  RGBColor untouched{1, 2, 3};
  GetEntryColor(pal, 4, &untouched);
  GetEntryColor(pal, -1, &untouched);
  EXPECT_EQ(untouched.red, 1);
  SetEntryColor(pal, 9, &white);
  DisposePalette(pal);
  DisposeHandle(reinterpret_cast<Handle>(t));
}

TEST_F(PaletteTest, FullPalettesAreReversedAnd236EntriesGetTheStaticColours) {
  CTabHandle t = Ramp(256);
  PaletteHandle full = NewPalette(256, t, pmTolerant, 0);
  std::vector<PALETTEENTRY> e = Entries(full);
  ASSERT_EQ(e.size(), 256u);
  EXPECT_EQ(e[255].peRed, 0) << "entry 0 becomes logical entry 255";
  EXPECT_EQ(e[0].peRed, 255);
  PaletteHandle free = NewPalette(236, t, pmTolerant, 0);
  e = Entries(free);
  ASSERT_EQ(e.size(), 256u);
  EXPECT_EQ(e[235].peRed, 235);
  // The system's static colours: black first and white last on every Windows palette.
  PALETTEENTRY defaults[20];
  GetPaletteEntries(static_cast<HPALETTE>(GetStockObject(DEFAULT_PALETTE)), 0, 20, defaults);
  EXPECT_EQ(e[236].peRed | e[236].peGreen | e[236].peBlue, 0);
  EXPECT_EQ(e[255].peRed & e[255].peGreen & e[255].peBlue, 0xFF);
  EXPECT_EQ((*free)->pmEntries, 236) << "the palette keeps its own count";
  DisposePalette(full);
  DisposePalette(free);
  DisposeHandle(reinterpret_cast<Handle>(t));
}

TEST_F(PaletteTest, CopiedHandleGetsALogicalPaletteOfItsOwn) {
  CTabHandle t = Ramp(3);
  PaletteHandle pal = NewPalette(3, t, pmTolerant, 0);
  Handle copy = reinterpret_cast<Handle>(pal);
  ASSERT_EQ(HandToHand(&copy), noErr);
  auto twin = reinterpret_cast<PaletteHandle>(copy);
  HPALETTE mine = ZEB_PaletteHPALETTE(pal);
  HPALETTE theirs = ZEB_PaletteHPALETTE(twin);
  ASSERT_NE(mine, nullptr);
  ASSERT_NE(theirs, nullptr);
  EXPECT_NE(mine, theirs);
  DisposePalette(twin);
  EXPECT_EQ(ZEB_PaletteHPALETTE(pal), mine) << "the original keeps its own";
  DisposePalette(pal);
  DisposeHandle(reinterpret_cast<Handle>(t));
}

TEST_F(PaletteTest, TablesAndPalettesConvertBothWays) {
  CTabHandle t = Ramp(5);
  PaletteHandle pal = NewPalette(2, nullptr, pmCourteous, 0);
  ASSERT_NE(pal, nullptr);
  CTab2Palette(t, pal, pmExplicit, 7);
  EXPECT_EQ((*pal)->pmEntries, 5);
  EXPECT_EQ((*pal)->pmInfo[4].ciRGB.red, 4 * 257);
  EXPECT_EQ((*pal)->pmInfo[4].ciUsage, pmExplicit);
  EXPECT_EQ(Entries(pal).size(), 5u);
  CTabHandle back = reinterpret_cast<CTabHandle>(NewHandleClear(8));
  Palette2CTab(pal, back);
  EXPECT_EQ((*back)->ctSize, 4);
  EXPECT_EQ((*back)->ctTable[3].rgb.red, 3 * 257);
  EXPECT_EQ((*back)->ctTable[3].value, 3);
  DisposeHandle(reinterpret_cast<Handle>(back));
  DisposePalette(pal);
  DisposeHandle(reinterpret_cast<Handle>(t));
}

TEST_F(PaletteTest, NegativeCountsAndMissingResourcesGiveNil) {
  EXPECT_EQ(NewPalette(-1, nullptr, 0, 0), nullptr);
  EXPECT_EQ(GetNewPalette(-31000), nullptr);
  // A table shorter than the count asked for fills only what it has.
  CTabHandle t = Ramp(2);
  PaletteHandle pal = NewPalette(4, t, pmTolerant, 0);
  ASSERT_NE(pal, nullptr);
  EXPECT_EQ((*pal)->pmInfo[1].ciRGB.red, 257);
  EXPECT_EQ((*pal)->pmInfo[3].ciRGB.red, 0);
  DisposePalette(pal);
  DisposePalette(nullptr);
  DisposeHandle(reinterpret_cast<Handle>(t));
}

}  // namespace
}  // namespace zebtest

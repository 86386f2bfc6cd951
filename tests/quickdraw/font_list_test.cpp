// The font list's records: sorted faces, the map's numbers and the custom ones, lookup with its
// fallbacks, growing size lists, and the choice among a raster face's sizes.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "quickdraw/font_list.h"

namespace zeb::quickdraw {
namespace {

constexpr uint8_t kTrueTypeSwiss = kFamilySwiss | kPitchTrueTypeBit | 0x03;
constexpr uint8_t kTrueTypeRoman = kFamilyRoman | kPitchTrueTypeBit | 0x03;

FontMap MapOf(const std::string& text) {
  FontMap map;
  ParseFontMap(text.data(), text.size(), &map);
  return map;
}

void Add(FontList& list, const char* name, uint8_t pitch = kTrueTypeSwiss,
         uint16_t type = kTrueTypeFontType, const char* face = nullptr) {
  FontSizeEntry entry{};
  entry.height = 16;
  entry.pixelSize = 13;
  ASSERT_TRUE(list.AddFace({name, face ? face : name, pitch, 0, type, &entry}));
}

std::vector<std::string> Names(const FontList& list) {
  std::vector<std::string> names;
  for (const FontRecord* r = list.Head(); r; r = r->next) names.push_back(r->displayName);
  return names;
}

TEST(FontList, FacesAreSortedByNameWithoutCaseAndKeptOnce) {
  FontList list;
  Add(list, "Zapf");
  Add(list, "arial");
  Add(list, "Courier", kFamilyModern | 1, kRasterFontType);
  Add(list, "ARIAL");  // the same face again, of no higher type
  Add(list, std::string(kLongestFaceName + 1, 'L').c_str());
  EXPECT_EQ(Names(list), (std::vector<std::string>{"arial", "Courier", "Zapf"}));
  EXPECT_EQ(list.Count(), 3);
  // A higher type updates the record.
  Add(list, "COURIER", kTrueTypeRoman, kTrueTypeFontType, "Courier TT");
  const FontRecord* courier = list.ByDisplayName("courier");
  ASSERT_NE(courier, nullptr);
  EXPECT_EQ(courier->fontType, kTrueTypeFontType);
  EXPECT_STREQ(courier->faceName, "Courier TT");
  EXPECT_EQ(courier->styledFace, 1) << "its display name is no longer its face name";
  EXPECT_EQ(courier->sizeCount, 1) << "a styled face keeps its LOGFONT as its size";
  // Walking back gives the same order reversed.
  const FontRecord* last = list.Head();
  while (last->next) last = last->next;
  EXPECT_STREQ(last->displayName, "Zapf");
  EXPECT_STREQ(last->previous->previous->displayName, "arial");
  for (int16_t n : list.Head()->numbers) EXPECT_EQ(n, kNoFontNumber);
}

TEST(FontList, TheFirstPresentFaceOfAnEntryTakesItsNumber) {
  FontList list;
  Add(list, "Arial");
  Add(list, "Present");
  Add(list, "Symbol", kFamilyDecorative | kPitchTrueTypeBit);
  list.ApplyMap(MapOf("geneva(3):Missing,Present,Arial(Swiss)\r\n"
                      "applFont(1):Arial(Swiss)\r\n"
                      "helvetica(21):Arial(Swiss)\r\n"
                      "helvetica(21):Arial(Swiss)\r\n"
                      "symbol(23):Symbol(Decorative)\r\n"
                      "Symbol(50):Symbol(Decorative)\r\n"
                      "nothing():Arial(Swiss)\r\n"));
  const FontRecord* present = list.ByDisplayName("Present");
  EXPECT_EQ(present->numbers[0], 3);
  EXPECT_EQ(present->numbers[1], kNoFontNumber);
  const FontRecord* arial = list.ByDisplayName("Arial");
  EXPECT_EQ(arial->numbers[0], 1);
  EXPECT_EQ(arial->numbers[1], 21);
  EXPECT_EQ(arial->numbers[2], kNoFontNumber) << "a number is held once";
  // The Toolbox calls it by its Windows name: that is its only number.
  const FontRecord* symbol = list.ByDisplayName("Symbol");
  EXPECT_EQ(symbol->numbers[0], 50);
  EXPECT_EQ(symbol->numbers[1], kNoFontNumber);
}

TEST(FontList, AFullRecordTakesNoMoreNumbers) {
  FontList list;
  Add(list, "Arial");
  std::string map;
  for (int n = 30; n < 40; ++n)
    map += "f" + std::to_string(n) + "(" + std::to_string(n) + "):Arial(Swiss)\r\n";
  list.ApplyMap(MapOf(map));
  const FontRecord* arial = list.Head();
  for (int slot = 0; slot < kNumberSlots; ++slot) EXPECT_EQ(arial->numbers[slot], 30 + slot);
  EXPECT_EQ(list.Lookup(38, MapOf(map)), arial) << "38 has a map entry of Arial's family";
  EXPECT_FALSE(arial->HasNumber(38));
}

TEST(FontList, FacesTheMapLeavesOutGetCustomNumbersUpTo32767) {
  FontList list;
  for (const char* name : {"A", "B", "C", "D"}) Add(list, name);
  list.ApplyMap(MapOf("b(200):B(Swiss)\r\n"));
  EXPECT_EQ(list.ByDisplayName("A")->numbers[0], 201);
  EXPECT_EQ(list.ByDisplayName("B")->numbers[0], 200);
  EXPECT_EQ(list.ByDisplayName("C")->numbers[0], 202);

  FontList near;
  for (const char* name : {"A", "B", "C", "D"}) Add(near, name);
  near.ApplyMap(MapOf("x(32765):Nothing(Swiss)\r\n"));
  EXPECT_EQ(near.ByDisplayName("A")->numbers[0], 32766);
  EXPECT_EQ(near.ByDisplayName("B")->numbers[0], 32767);
  // No number wraps round to the session fonts' negative numbers.
  EXPECT_EQ(near.ByDisplayName("C")->numbers[0], kNoFontNumber);
  EXPECT_EQ(near.ByDisplayName("D")->numbers[0], kNoFontNumber);
}

TEST(FontList, LookupTriesEverySlotInTurnThenTheFamilyThenApplFont) {
  FontList list;
  Add(list, "Alpha", kFamilyRoman | 0x01, kRasterFontType);
  Add(list, "Beta", kFamilyRoman | 0x03, kRasterFontType);
  Add(list, "Gamma", kTrueTypeRoman);
  Add(list, "Delta", kFamilyModern | 0x01);
  const FontMap map = MapOf(
      "applFont(1):Delta(Modern)\r\n"
      "one(7):Alpha(Roman)\r\n"
      "two(8):Beta(Roman)\r\n"
      "seven(7):Delta(Modern)\r\n"
      "serif(60):Missing(Roman)\r\n"
      "script(61):Missing(Script)\r\n"
      "modern(62):Missing(Modern)\r\n");
  list.ApplyMap(map);
  // Delta holds 7 in slot 1, Alpha in slot 0: slot 0 is searched first.
  EXPECT_STREQ(list.Lookup(7, map)->displayName, "Alpha");
  EXPECT_STREQ(list.Lookup(8, map)->displayName, "Beta");
  // A mapped number without a face: a TrueType face of the family is taken at once.
  EXPECT_STREQ(list.Lookup(60, map)->displayName, "Gamma");
  // Without one, the face of the highest pitch value.
  FontList raster;
  Add(raster, "Alpha", kFamilyRoman | 0x01, kRasterFontType);
  Add(raster, "Beta", kFamilyRoman | 0x03, kRasterFontType);
  Add(raster, "Delta", kFamilyModern | 0x01);
  raster.ApplyMap(map);
  EXPECT_STREQ(raster.Lookup(60, map)->displayName, "Beta");
  // No face of the family, or no map entry: applFont's face.
  EXPECT_STREQ(list.Lookup(61, map)->displayName, "Delta");
  EXPECT_STREQ(list.Lookup(9999, map)->displayName, "Delta");
  EXPECT_STREQ(list.Lookup(62, map)->displayName, "Delta") << "Delta is Modern";
  // Without an applFont face, nothing.
  FontList bare;
  Add(bare, "Only");
  bare.ApplyMap(FontMap());
  EXPECT_EQ(bare.Lookup(9999, FontMap()), nullptr);
  EXPECT_STREQ(bare.Lookup(128, FontMap())->displayName, "Only");
}

TEST(FontList, SizesGrowTheRecordAndKeepTheListLinked) {
  FontList list;
  for (const char* name : {"A", "B", "C"}) Add(list, name, kFamilyRoman | 1, kRasterFontType);
  FontRecord* b = list.ByDisplayName("B");
  for (int i = 0; i < 300; ++i) {
    FontSizeEntry size{};
    size.pixelSize = static_cast<int16_t>(i);
    size.height = -i;
    ASSERT_TRUE(list.AppendSize(b, size));
  }
  EXPECT_EQ(list.ByDisplayName("B"), b);
  EXPECT_EQ(b->sizeCount, 300);
  EXPECT_EQ(b->sizes[299].height, -299);
  EXPECT_EQ(b->previous->next, b);
  EXPECT_EQ(b->next->previous, b);
  EXPECT_EQ(FontRecordBytes(300), offsetof(FontRecord, sizes) + 300 * sizeof(FontSizeEntry));
  EXPECT_EQ(FontRecordBytes(0), FontRecordBytes(1));
}

TEST(FontList, RasterSizesAreChosenByTheirAsymmetricDistance) {
  FontList list;
  Add(list, "Raster", kFamilySwiss | 1, kRasterFontType);
  FontRecord* r = list.Head();
  struct Case {
    std::vector<int> sizes;
    int wanted;
    int chosen;
  };
  const Case cases[] = {
      {{9, 10, 12}, 12, 2},   // the size itself
      {{10, 12}, 11, 0},      // one smaller costs 2, one larger 3
      {{9, 12}, 11, 1},       // two smaller cost 4, one larger 3
      {{8, 14}, 11, 0},       // three smaller 6, three larger 7
      {{18, 24}, 4, 0},
      {{}, 12, -1},
  };
  for (const Case& c : cases) {
    r->sizeCount = 0;
    for (int s : c.sizes) {
      FontSizeEntry e{};
      e.pixelSize = static_cast<int16_t>(s);
      ASSERT_TRUE(list.AppendSize(r, e));
    }
    EXPECT_EQ(ChooseRasterSize(*r, c.wanted), c.chosen) << c.wanted;
  }
}

}  // namespace
}  // namespace zeb::quickdraw

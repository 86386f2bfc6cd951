// zebfont.map: the default map, the line pattern, and text of any content stopping the parser
// at its first broken line without reading past the text or overflowing a field.
#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "quickdraw/font_map.h"

namespace zeb::quickdraw {
namespace {

FontMap Parse(const std::string& text) {
  // An exactly sized copy: reading past the text would be caught.
  std::vector<char> bytes(text.begin(), text.end());
  FontMap map;
  ParseFontMap(bytes.data(), bytes.size(), &map);
  return map;
}

TEST(FontMap, TheDefaultMapHasSeventeenLinesEndedByCrLf) {
  const std::string text = DefaultFontMapText();
  size_t lines = 0;
  for (size_t at = text.find("\r\n"); at != std::string::npos; at = text.find("\r\n", at + 2))
    ++lines;
  EXPECT_EQ(lines, 17u);
  EXPECT_EQ(text.substr(text.size() - 2), "\r\n");
  const FontMap map = Parse(text);
  ASSERT_EQ(map.entries.size(), 17u);
  struct Expected {
    int number;
    const char* name;
    const char* face;
    uint8_t family;
  };
  const Expected expected[] = {
      {0, "systemFont", "System", kFamilySwiss},
      {20, "times", "Times New Roman", kFamilyRoman},
      {21, "helvetica", "Arial", kFamilyModern},
      {22, "courier", "Courier New", kFamilyModern},
      {23, "symbol", "Symbol", kFamilyDecorative},
      {1, "applFont", "Arial", kFamilySwiss},
      {2, "newYork", "Times New Roman", kFamilyRoman},
      {3, "geneva", "Arial", kFamilySwiss},
      {4, "monaco", "Courier New", kFamilyModern},
      {5, "venice", "Times New Roman", kFamilyRoman},
      {6, "london", "Times New Roman", kFamilyRoman},
      {7, "athens", "Times New Roman", kFamilyRoman},
      {8, "sanFran", "Times New Roman", kFamilyRoman},
      {9, "toronto", "Times New Roman", kFamilyRoman},
      {11, "cairo", "Wingdings", kFamilyDecorative},
      {12, "losAngeles", "Times New Roman", kFamilyRoman},
      {24, "taliesin", "Wingdings", kFamilyDecorative},
  };
  for (size_t i = 0; i < 17; ++i) {
    const FontMapEntry& e = map.entries[i];
    EXPECT_EQ(e.number, expected[i].number) << i;
    EXPECT_STREQ(e.toolboxName, expected[i].name);
    ASSERT_EQ(e.faceCount, 1) << i;
    EXPECT_STREQ(e.faces[0], expected[i].face);
    EXPECT_EQ(e.family, expected[i].family) << i;
  }
  EXPECT_EQ(map.firstCustomNumber, kFirstCustomFontNumber);
}

TEST(FontMap, LinesGiveNumbersFacesAndFamilies) {
  const FontMap map = Parse(
      "geneva(3):Geneva,Arial(Swiss)\r\n"
      "  fancy():Brush Script(script)   trailing words\n"
      "many(130): One , Two,Three,Four(Decorative)\n"
      "odd(9):Odd(Gothic)");
  ASSERT_EQ(map.entries.size(), 4u);
  const FontMapEntry& geneva = map.entries[0];
  EXPECT_EQ(geneva.number, 3);
  ASSERT_EQ(geneva.faceCount, 2);
  EXPECT_STREQ(geneva.faces[0], "Geneva");
  EXPECT_STREQ(geneva.faces[1], "Arial");
  const FontMapEntry& fancy = map.entries[1];
  EXPECT_EQ(fancy.number, kNoFontNumber) << "nothing between the parentheses";
  EXPECT_EQ(fancy.family, kFamilyScript) << "family names are case-insensitive";
  const FontMapEntry& many = map.entries[2];
  ASSERT_EQ(many.faceCount, 3) << "names after the third are passed over";
  EXPECT_STREQ(many.faces[0], "One");
  EXPECT_STREQ(many.faces[2], "Three");
  EXPECT_EQ(map.entries[3].family, kFamilyModern) << "an unknown family is Modern";
  EXPECT_EQ(map.firstCustomNumber, 131);
  EXPECT_EQ(map.ByNumber(130), &many);
  EXPECT_EQ(map.ByToolboxName("GENEVA"), &geneva);
  EXPECT_EQ(map.ByNumber(kNoFontNumber), nullptr);
}

TEST(FontMap, TheHighestNumberLeavesNoCustomNumber) {
  EXPECT_EQ(Parse("last(32767):Face(Swiss)").firstCustomNumber, 32768);
  EXPECT_EQ(Parse("low(127):Face(Swiss)").firstCustomNumber, kFirstCustomFontNumber);
}

TEST(FontMap, ParsingStopsAtTheFirstBrokenLine) {
  const std::string good = "good(1):Face(Swiss)\r\n";
  const std::string longName(kMapNameSize, 'n');
  const std::string longFace(kFaceNameSize, 'f');
  const char* const brokenLines[] = {
      "noparen:Face(Swiss)",         "open(1:Face(Swiss)",
      "nocolon(1)Face(Swiss)",       "letters(1a):Face(Swiss)",
      "negative(-2):Face(Swiss)",    "wide(32768):Face(Swiss)",
      "huge(99999999999999):Face(Swiss)",
      "nofamily(1):Face",            "unclosed(1):Face(Swiss",
      "(1):NoName(Swiss)",           "empty(1):(Swiss)",
      "gap(1):A,,B(Swiss)",          "split(1):Fa\nce(Swiss)",       "tab\t(1):Face(Swiss)",
  };
  for (const char* line : brokenLines) {
    const FontMap map = Parse(good + line + "\r\n" + good);
    EXPECT_EQ(map.entries.size(), 1u) << line;
  }
  EXPECT_EQ(Parse(good + longName + "(2):Face(Swiss)\r\n" + good).entries.size(), 1u);
  EXPECT_EQ(Parse(good + "f(2):" + longFace + "(Swiss)\r\n" + good).entries.size(), 1u);
  EXPECT_EQ(Parse(good + std::string("zero(2):F\0ce(Swiss)\r\n", 21) + good).entries.size(), 1u);
  // The longest names that fit are taken.
  const std::string fits = std::string(kMapNameSize - 1, 'n') + "(2):" +
                           std::string(kFaceNameSize - 1, 'f') + "(Swiss)";
  EXPECT_EQ(Parse(good + fits).entries.size(), 2u);
}

TEST(FontMap, TheTableHoldsFiveHundredEntries) {
  std::string text;
  for (int i = 0; i < 600; ++i)
    text += "f" + std::to_string(i) + "(" + std::to_string(i) + "):Face(Roman)\r\n";
  const FontMap map = Parse(text);
  ASSERT_EQ(map.entries.size(), kFontMapCapacity);
  EXPECT_EQ(map.entries.back().number, 499);
}

TEST(FontMap, EmptyBlankAndBinaryTextYieldsNothingAndStaysInside) {
  EXPECT_TRUE(Parse("").entries.empty());
  EXPECT_TRUE(Parse("\r\n \t\r\n").entries.empty());
  FontMap map;
  ParseFontMap(nullptr, 10, &map);
  EXPECT_TRUE(map.entries.empty());
  std::mt19937 random(15);
  for (int round = 0; round < 200; ++round) {
    std::string bytes(random() % 300, '\0');
    for (char& c : bytes) c = static_cast<char>(random());
    const FontMap parsed = Parse(bytes);
    for (const FontMapEntry& e : parsed.entries) {
      EXPECT_LT(std::strlen(e.toolboxName), kMapNameSize);
      EXPECT_LE(e.faceCount, kFacesPerEntry);
    }
  }
}

TEST(FontMap, FamilyNamesAndFontNamesCompareWithoutCase) {
  EXPECT_EQ(FamilyFromName("DECORATIVE", 10), kFamilyDecorative);
  EXPECT_EQ(FamilyFromName("dontcare", 8), kFamilyDontCare);
  EXPECT_EQ(FamilyFromName("Roma", 4), kFamilyModern);
  EXPECT_TRUE(SameFontName("Times New Roman", "times new ROMAN"));
  EXPECT_FALSE(SameFontName("Times", "Times New Roman"));
}

}  // namespace
}  // namespace zeb::quickdraw

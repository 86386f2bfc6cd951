// Case conversion and ordering on the Macintosh character table, and number strings.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "Packages.h"
#include "TextUtils.h"

namespace {

// A length-prefixed copy of text (Macintosh character codes).
struct P {
  unsigned char s[256];
  explicit P(const std::string& text) {
    s[0] = static_cast<unsigned char>(text.size());
    std::memcpy(s + 1, text.data(), text.size());
  }
  std::string str() const { return std::string(reinterpret_cast<const char*>(s + 1), s[0]); }
};

// Macintosh codes: a-acute, A-acute, e-grave, a-diaeresis, A-diaeresis, sharp s.
const std::string kAacuteLower = "\x87", kAacuteUpper = "\xE7", kEgrave = "\x8F",
                  kAumlautLower = "\x8A", kAumlautUpper = "\x80", kSharpS = "\xA7";

TEST(MacCharacters, UpperStringKeepsOrStripsDiacritics) {
  P withMarks("caf" + kAacuteLower + " " + kEgrave + "1!");
  UpperString(withMarks.s, true);
  EXPECT_EQ(withMarks.str(), "CAF" + kAacuteUpper + " \xE9" "1!");
  P stripped("caf" + kAacuteLower + kAumlautUpper);
  UpperString(stripped.s, false);
  EXPECT_EQ(stripped.str(), "CAFAA");
}

TEST(MacCharacters, TextCaseConversionsCoverAccentedLetters) {
  std::string text = "Ab" + kAumlautUpper + kAacuteLower + kSharpS;
  UpperText(&text[0], static_cast<short>(text.size()));
  EXPECT_EQ(text, "AB" + kAumlautUpper + kAacuteUpper + kSharpS);
  LowerText(&text[0], static_cast<short>(text.size()));
  EXPECT_EQ(text, "ab" + kAumlautLower + kAacuteLower + kSharpS);
  StripUpperText(&text[0], static_cast<short>(text.size()));
  EXPECT_EQ(text, "ABAAS");
  std::string old = "x" + kEgrave;
  UprText(&old[0], 2);
  EXPECT_EQ(old, "X\xE9");
  LwrText(&old[0], 2);
  EXPECT_EQ(old, "x" + kEgrave);
}

TEST(MacCharacters, RelStringInEachSensitivity) {
  const struct {
    std::string a, b;
    bool caseSens, diacSens;
    short expected;
  } cases[] = {
      {"ab", "abc", false, true, -1},          // a proper prefix: the length difference
      {"abcd", "a", false, false, 3},
      {"abc", "ABC", false, false, 0},
      {"abc", "ABC", true, false, 1},          // lower after upper
      {"ABC", "abc", true, false, -1},
      {"abc", "abd", true, false, -1},         // letters decide before case
      {"a", kAacuteLower, false, false, 0},
      {"a", kAacuteLower, false, true, -1},    // the plain letter before its accented forms
      {kAacuteLower, "A", false, true, 1},
      {kAacuteUpper, kAacuteLower, false, true, 0},  // case ignored
      {"b", kAacuteLower, false, true, 1},           // base letters first
      {"abc", "ABC", true, true, 1},
      {"Abc", "abd", true, true, -1},                // letters before case
      {"same", "same", true, true, 0},
  };
  for (const auto& c : cases) {
    P a(c.a), b(c.b);
    EXPECT_EQ(RelString(a.s, b.s, c.caseSens, c.diacSens), c.expected)
        << c.a << " vs " << c.b << " case " << c.caseSens << " diac " << c.diacSens;
  }
}

TEST(MacCharacters, EqualStringInEachSensitivity) {
  const struct {
    std::string a, b;
    bool caseSens, diacSens, equal;
  } cases[] = {
      {"Hello", "hello", false, false, true},
      {"Hello", "hello", true, false, false},
      {"Hello", "Hello", true, true, true},
      {"caf" + kAacuteLower, "CAFA", false, false, true},
      {"caf" + kAacuteLower, "CAFA", false, true, false},
      {"caf" + kAacuteLower, "CAF" + kAacuteUpper, false, true, true},
      {"caf" + kAacuteLower, "cafa", true, false, true},
      {"abc", "abcd", false, false, false},
  };
  for (const auto& c : cases) {
    P a(c.a), b(c.b);
    EXPECT_EQ(EqualString(a.s, b.s, c.caseSens, c.diacSens) != 0, c.equal) << c.a << " vs " << c.b;
  }
}

TEST(MacCharacters, InternationalComparisons) {
  P apple("apple"), Apple("Apple"), banana("Banana"), app("app");
  EXPECT_EQ(IUCompString(apple.s, banana.s), -1);  // letters before case: a < B
  EXPECT_EQ(IUCompString(Apple.s, apple.s), -1);   // then upper before lower
  EXPECT_EQ(IUCompString(app.s, Apple.s), -1);     // a shorter text first
  EXPECT_EQ(IUCompString(apple.s, apple.s), 0);
  EXPECT_EQ(IUMagString("abc", "abd", 3, 3), -1);
  EXPECT_EQ(IUMagString("abd", "abc", 3, 3), 1);
  EXPECT_EQ(IUMagString(nullptr, "a", 0, 1), -1);
  EXPECT_EQ(IUEqualString(apple.s, Apple.s), 1);
  EXPECT_EQ(IUEqualString(apple.s, apple.s), 0);
  EXPECT_EQ(IUMagIDString("ab", "abc", 2, 3), 1);
  EXPECT_EQ(IUMagIDString("ab", "abc", 2, 2), 0);
  // The forms with a sorting-table handle order the same way.
  EXPECT_EQ(IUCompPString(apple.s, banana.s, nullptr), -1);
  EXPECT_EQ(IUEqualPString(apple.s, Apple.s, nullptr), 1);
  EXPECT_EQ(IUMagPString("abd", "abc", 3, 3, nullptr), 1);
  EXPECT_EQ(IUMagIDPString("ab", "ab", 2, 2, nullptr), 0);
}

TEST(NumberStrings, NumToStringAndBack) {
  const long values[] = {0, 7, -7, 123456, -2147483647L - 1, 2147483647L};
  for (long v : values) {
    Str255 text;
    NumToString(v, text);
    EXPECT_EQ(std::string(reinterpret_cast<char*>(text + 1), text[0]), std::to_string(v));
    long back = 99;
    StringToNum(text, &back);
    EXPECT_EQ(back, v);
  }
}

TEST(NumberStrings, StringToNumFollowsTheToolboxConversion) {
  const struct {
    std::string text;
    long value;
  } cases[] = {
      {"4294967295", -1},  // wraps at 32 bits
      {"+12", 12},
      {"-0", 0},
      {"2:", 30},          // characters are not checked: ':' gives 10
      {"3=", 43},
      {"", 0},
  };
  for (const auto& c : cases) {
    P text(c.text);
    long value = 99;
    StringToNum(text.s, &value);
    EXPECT_EQ(value, c.value) << c.text;
  }
}

}  // namespace

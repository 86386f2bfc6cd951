// Decimal records: scanning text, printing in fixed and floating notation, and doubles.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <string>

#include "SANE.h"

namespace {

struct P {
  unsigned char s[256];
  explicit P(const std::string& text) {
    s[0] = static_cast<unsigned char>(text.size());
    std::memcpy(s + 1, text.data(), text.size());
  }
};

std::string Sig(const decimal& d) {
  return std::string(reinterpret_cast<const char*>(d.sig.text), d.sig.length);
}

decimal Record(bool negative, const std::string& digits, short exp) {
  decimal d{};
  d.sgn = negative ? 1 : 0;
  d.exp = exp;
  d.sig.length = static_cast<unsigned char>(digits.size());
  std::memcpy(d.sig.text, digits.data(), digits.size());
  return d;
}

TEST(Str2Dec, Prefixes) {
  const struct {
    std::string text;
    short start;
    int sgn;
    std::string sig;
    short exp;
    int validPrefix;
    short end;
  } cases[] = {
      {"  -0012.3400e2", 1, 1, "1234", 0, 2, 15},
      {"0.05", 1, 0, "5", -2, 2, 5},
      {"12e", 1, 0, "12", 0, 2, 3},        // the e without digits is not taken
      {"12e+", 1, 0, "12", 0, 2, 3},
      {"12E-3x", 1, 0, "12", -3, 2, 6},
      {"000", 1, 0, "0", 0, 1, 4},
      {"abc", 1, 0, "0", 0, 0, 1},         // nothing numeric: the index stays
      {"x 15", 2, 0, "15", 0, 2, 5},       // scanning from a later position
      {"1.2.3", 1, 0, "12", -1, 2, 4},     // a second point ends the number
      {"123456789012345678912345", 1, 0, "12345678901234567891", 4, 2, 25},
      {"123456789012345678901234", 1, 0, "1234567890123456789", 5, 2, 25},  // stored zeros drop
      {"1.23456789012345678912345", 1, 0, "12345678901234567891", -19, 2, 26},
      {"+7", 1, 0, "7", 0, 2, 3},
      {"1e99999", 1, 0, "1", 9999, 2, 7},  // the digit that would reach 32768 ends the exponent
  };
  for (const auto& c : cases) {
    P text(c.text);
    short index = c.start;
    decimal d{};
    Boolean prefix = 9;
    EXPECT_EQ(Str2Dec(text.s, &index, &d, &prefix), c.end) << c.text;
    EXPECT_EQ(index, c.end) << c.text;
    EXPECT_EQ(d.sgn, c.sgn) << c.text;
    EXPECT_EQ(Sig(d), c.sig) << c.text;
    EXPECT_EQ(d.exp, c.exp) << c.text;
    EXPECT_EQ(prefix, c.validPrefix) << c.text;
  }
}

TEST(Str2Dec, TheExponentDoesNotWrap) {
  // 200 integral digits and the largest exponent text: the sum stays at the limit.
  std::string big(200, '9');
  big += "e32767";
  P text(big);
  short index = 1;
  decimal d{};
  Boolean prefix = 0;
  str2dec(text.s, &index, &d, &prefix);
  EXPECT_EQ(d.exp, 32767);
  std::string tiny = "0." + std::string(200, '0') + "1e-32767";
  P small(tiny);
  index = 1;
  str2dec(small.s, &index, &d, &prefix);
  EXPECT_EQ(d.exp, -32767);
  EXPECT_EQ(Sig(d), "1");
}

TEST(Dec2Str, FixedAndFloatingNotation) {
  const decform fixed2 = {FIXEDDECIMAL, 0, 2};
  const decform fixed0 = {FIXEDDECIMAL, 0, 0};
  const decform floating = {FLOATDECIMAL, 0, 4};
  const struct {
    const decform* format;
    decimal d;
    const char* text;
  } cases[] = {
      {&fixed2, Record(false, "12345", -3), "12.35"},
      {&fixed2, Record(false, "9996", -3), "10.00"},
      {&fixed2, Record(true, "9996", -3), "-10.00"},
      {&fixed2, Record(false, "5", -1), "0.50"},
      {&fixed0, Record(false, "5", -1), "1"},
      {&fixed2, Record(false, "12", 3), "12000.00"},
      {&floating, Record(false, "1234", 0), "1.234e+3"},
      {&floating, Record(false, "5", -4), "5e-4"},
      {&floating, Record(false, "5", 0), "5e+0"},
      {nullptr, Record(false, "12500", -2), "125"},
      {nullptr, Record(false, "5", -3), "0.005"},
      {nullptr, Record(true, "N", 0), "-NAN"},
      {nullptr, Record(false, "I", 0), "INF"},
      {nullptr, Record(false, "1", 25), "1e+25"},   // too many integral digits for fixed
      {nullptr, Record(false, "1", -20), "1e-20"},  // too small an exponent for fixed
  };
  for (const auto& c : cases) {
    char out[DECSTROUTLEN];
    const short length = dec2str(c.format, &c.d, out);
    EXPECT_STREQ(out, c.text);
    EXPECT_EQ(length, static_cast<short>(std::strlen(c.text)));
  }
}

// Zero carries no digits of its own: whatever exponent the record holds, it prints as one 0
// followed by the fractional digits the format asks for.
TEST(Dec2Str, ZeroPrintsAsASingleDigitWhateverItsExponent) {
  const decform fixed3 = {FIXEDDECIMAL, 0, 3};
  const decform fixed0 = {FIXEDDECIMAL, 0, 0};
  const decform floating = {FLOATDECIMAL, 0, 4};
  const struct {
    const decform* format;
    decimal d;
    const char* text;
  } cases[] = {
      {&fixed3, Record(false, "0", 2), "0.000"},
      {&fixed3, Record(true, "0", 2), "-0.000"},
      {&fixed3, Record(false, "000", 5), "0.000"},
      {&fixed3, Record(false, "0", -2), "0.000"},
      {&fixed0, Record(false, "0", 4), "0"},
      {nullptr, Record(false, "0", 3), "0"},
      {nullptr, Record(false, "0", 30), "0"},  // not a floating 0e+30
      {&floating, Record(false, "0", 7), "0e+0"},
      {&fixed3, Record(false, "", 2), "0.000"},
  };
  for (const auto& c : cases) {
    char out[DECSTROUTLEN];
    const short length = dec2str(c.format, &c.d, out);
    EXPECT_STREQ(out, c.text) << Sig(c.d) << "e" << c.d.exp;
    EXPECT_EQ(length, static_cast<short>(std::strlen(c.text)));
  }
}

TEST(Dec2Str, ReadsNoMoreDigitsThanTheRecordHolds) {
  decimal d = Record(false, "12345678901234567890", 0);
  d.sig.length = 255;  // a damaged length byte
  d.sig.unused = '7';
  char out[DECSTROUTLEN];
  std::memset(out, 'x', sizeof out);
  dec2str(nullptr, &d, out);
  EXPECT_STREQ(out, "12345678901234567890");
  const decform wide = {FIXEDDECIMAL, 0, 32767};
  d = Record(false, "1", 0);
  EXPECT_LT(dec2str(&wide, &d, out), DECSTROUTLEN);
  EXPECT_STREQ(out, "1.000000000000000000");  // padded to 20 characters
}

TEST(DecimalDoubles, RoundTrips) {
  const double values[] = {0.0, 1.5, -2.25, 1e300, 3.0e-300, 123456.789, -0.001};
  for (double v : values) {
    decimal d{};
    num2dec(nullptr, v, &d);
    EXPECT_DOUBLE_EQ(dec2num(&d), v) << v;
  }
  decimal d{};
  const decform fixed2 = {FIXEDDECIMAL, 0, 2};
  num2dec(&fixed2, 3.14159, &d);
  EXPECT_EQ(Sig(d), "314");
  EXPECT_EQ(d.exp, -2);
  const decform floating3 = {FLOATDECIMAL, 0, 3};
  num2dec(&floating3, -98765.0, &d);
  EXPECT_EQ(d.sgn, 1);
  EXPECT_EQ(Sig(d), "988");
  EXPECT_EQ(d.exp, 2);
  num2dec(nullptr, std::nan(""), &d);
  EXPECT_EQ(d.sig.text[0], 'N');
  EXPECT_TRUE(std::isnan(dec2num(&d)));
  num2dec(nullptr, -HUGE_VAL, &d);
  EXPECT_EQ(dec2num(&d), -HUGE_VAL);
}

}  // namespace

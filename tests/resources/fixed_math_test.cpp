// Fixed and Frac arithmetic at its rounding points and overflow limits.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>

#include "FixMath.h"

namespace {

constexpr long kOne = 0x10000;
constexpr long kLargest = 0x7FFFFFFF;
constexpr long kSmallest = static_cast<long>(INT32_MIN);

struct BinaryCase {
  long a, b, expected;
};

TEST(FixedMath, FixMulRoundsAndPassesOneThrough) {
  const BinaryCase cases[] = {
      {0x18000, 0x20000, 0x30000},           // 1.5 * 2
      {kOne, kSmallest, kSmallest},          // 1.0 returns the other operand untouched
      {kLargest, kOne, kLargest},
      {1, 0x8000, 1},                        // 2^-16 * 0.5 rounds half up
      {-1, 0x8000, 0},                       // -2^-16 * 0.5 rounds up to 0
      {0x7FFF0000, 0x20000, -0x20000},       // no saturation: bits 16..47 of the product
      {-0x10000, -0x10000, kOne},
  };
  for (const auto& c : cases) EXPECT_EQ(FixMul(c.a, c.b), c.expected) << c.a << " * " << c.b;
}

TEST(FixedMath, FixDivGivesOverflowValuesInsteadOfTrapping) {
  const BinaryCase cases[] = {
      {kOne, 0, kLargest},
      {-kOne, 0, kSmallest},
      {0, 0, kLargest},
      {kSmallest, kOne, kSmallest},           // dividing by 1.0 returns a as it is
      {kSmallest, -kOne, kLargest},           // |0x80000000| overflows positively
      {kSmallest, 1, -0x7FFFFFFF},
      {0x30000, 0x20000, 0x18000},
      {kOne, 3 * kOne, 0x5555},               // 1/3 rounded to nearest
      {2 * kOne, 3 * kOne, 0xAAAB},
      {-kOne, 3 * kOne, -0x5555},
      {0x40000000, 0x8000, kLargest},         // 16384 / 0.5 overflows
      {-0x40000000, 0x8000, -0x7FFFFFFF},     // negative overflow is 0x80000001
  };
  for (const auto& c : cases) EXPECT_EQ(FixDiv(c.a, c.b), c.expected) << c.a << " / " << c.b;
}

TEST(FixedMath, FixRatioHandlesEveryDenominator) {
  const struct {
    short n, d;
    long expected;
  } cases[] = {
      {1, 2, 0x8000},  {-1, 2, -0x8000}, {5, 5, kOne},       {-32768, -32768, kOne},
      {3, 0, kLargest}, {-3, 0, -0x7FFFFFFF}, {0, 0, kOne},  {1, 3, 0x5555},
      {-1, 3, -0x5555}, {-32768, -1, kLargest},  // 32768.0 does not fit: the positive limit
      {32767, 1, 0x7FFF0000},
  };
  for (const auto& c : cases) EXPECT_EQ(FixRatio(c.n, c.d), c.expected) << c.n << "/" << c.d;
}

TEST(FixedMath, RoundingToIntegers) {
  const struct {
    long x;
    long fix2Long;
    short fixRound;
  } cases[] = {
      {0x18000, 2, 2},        // 1.5
      {-0x18000, -1, -2},     // -1.5: Fix2Long halves upward, FixRound away from zero
      {-0x14000, -1, -1},     // -1.25
      {0x14000, 1, 1},
      {0x30000, 3, 3},        // integral values are exact
      {-0x30000, -3, -3},
      {0x7FFFFFFF, 32768, -32768},  // FixRound keeps 16 bits
      {kSmallest, -32768, -32768},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Fix2Long(c.x), c.fix2Long) << c.x;
    EXPECT_EQ(FixRound(c.x), c.fixRound) << c.x;
  }
}

TEST(FixedMath, ConversionsWithDoublesSaturateNearTheLimits) {
  EXPECT_EQ(X2Fix(1.5), 0x18000);
  EXPECT_EQ(X2Fix(-1.5), -0x18000);
  EXPECT_EQ(X2Fix(32768.0), kLargest);
  EXPECT_EQ(X2Fix(-32768.0), kSmallest);
  EXPECT_EQ(X2Fix(32767.99999999), kLargest);  // the rounding would carry past 2^31
  EXPECT_EQ(X2Fix(-32767.99999999), kSmallest);
  EXPECT_EQ(X2Fix(std::nan("")), kSmallest);
  EXPECT_EQ(X2Fix(1.0 / 131072), 1);  // half of the smallest step rounds away from zero
  EXPECT_DOUBLE_EQ(Fix2X(-0x18000), -1.5);
  EXPECT_EQ(X2Frac(0.5), 0x20000000);
  EXPECT_EQ(X2Frac(2.0), kLargest);
  EXPECT_EQ(X2Frac(-2.0), kSmallest);
  EXPECT_DOUBLE_EQ(Frac2X(0x40000000), 1.0);
  EXPECT_EQ(Long2Fix(3), 0x30000);
  EXPECT_EQ(Long2Fix(0x8000), kSmallest);  // no overflow check
  EXPECT_EQ(Frac2Fix(0x40000000), kOne);
  EXPECT_EQ(Frac2Fix(-0x40000000), -kOne);
  EXPECT_EQ(Fix2Frac(kOne), 0x40000000);
  EXPECT_EQ(Fix2Frac(2 * kOne), kLargest);
  EXPECT_EQ(Fix2Frac(-2 * kOne), kSmallest);
}

TEST(FixedMath, FracMulAndFracDiv) {
  EXPECT_EQ(FracMul(0x40000000, 0x40000000), 0x40000000);
  EXPECT_EQ(FracMul(0x20000000, -0x40000000), -0x20000000);
  EXPECT_EQ(FracMul(-1, 1), -1);  // the arithmetic shift does not round toward zero
  EXPECT_EQ(FracDiv(kOne, 0), kLargest);
  EXPECT_EQ(FracDiv(-kOne, 0), kSmallest);
  EXPECT_EQ(FracDiv(0x20000000, 0x40000000), 0x20000000);
  EXPECT_EQ(FracDiv(-0x20000000, 0x40000000), -0x20000000);
  EXPECT_EQ(FracDiv(0x40000000, 0x20000000), kLargest);  // 2.0 overflows
  EXPECT_EQ(FracDiv(0x40000000, -0x20000000), kSmallest);
  EXPECT_EQ(FracDiv(kSmallest, -1), kLargest);
}

TEST(FixedMath, FracSqrtRoundsToNearest) {
  EXPECT_EQ(FracSqrt(0x40000000), 0x40000000);           // sqrt(1) = 1
  EXPECT_EQ(FracSqrt(0x10000000), 0x20000000);           // sqrt(0.25) = 0.5
  EXPECT_EQ(FracSqrt(0), 0);
  EXPECT_EQ(static_cast<uint32_t>(FracSqrt(static_cast<long>(0xFFFFFFFFu))), 0x80000000u);  // just under 4.0
  const double two = std::sqrt(2.0) * 1073741824.0;
  EXPECT_EQ(FracSqrt(static_cast<long>(0x80000000u)), static_cast<long>(std::llround(two)));
}

TEST(FixedMath, TrigonometryFollowsTheHostWithinTheSeriesPrecision) {
  // The octant is 51472 steps long: that is the library's pi/4, slightly above the true one,
  // so the angle is compared on that scale.
  const double kStep = std::atan(1.0) / 51472;
  for (long x = -1000000; x <= 1000000; x += 4099) {
    const double radians = x * kStep;
    EXPECT_NEAR(FracSin(x) / 1073741824.0, std::sin(radians), 3e-5) << x;
    EXPECT_NEAR(FracCos(x) / 1073741824.0, std::cos(radians), 3e-5) << x;
  }
  EXPECT_EQ(FracSin(0), 0);
  EXPECT_EQ(FracCos(0), 0x40000000);
  EXPECT_NEAR(FracSin(kSmallest) / 1073741824.0, std::sin(kSmallest * kStep), 3e-5);
}

TEST(FixedMath, FixATan2CoversEveryQuadrant) {
  EXPECT_EQ(FixATan2(0, 5), 102944);
  EXPECT_EQ(FixATan2(0, -5), -102944);
  EXPECT_EQ(FixATan2(0, 0), 0);
  EXPECT_EQ(FixATan2(-5, 0), 205888);
  EXPECT_EQ(FixATan2(5, 0), 0);
  EXPECT_NEAR(FixATan2(kSmallest, kSmallest), -154416, 1);  // no overflow taking |0x80000000|
  const long points[][2] = {{3, 4}, {-3, 4}, {-3, -4}, {3, -4}, {100, 1}, {-100, 1}, {7, 7}};
  for (const auto& p : points) {
    const double expected = std::atan2(static_cast<double>(p[1]), static_cast<double>(p[0]));
    EXPECT_NEAR(FixATan2(p[0], p[1]) / 65536.0, expected, 1e-4) << p[0] << "," << p[1];
  }
}

TEST(FixedMath, SlopesAndAnglesAreInverse) {
  EXPECT_EQ(SlopeFromAngle(0), 0);
  EXPECT_EQ(SlopeFromAngle(45), -kOne);
  EXPECT_EQ(SlopeFromAngle(135), kOne);
  EXPECT_EQ(SlopeFromAngle(90), kLargest);
  EXPECT_EQ(SlopeFromAngle(-45), SlopeFromAngle(135));
  EXPECT_EQ(AngleFromSlope(0), 180);  // the vertical
  EXPECT_EQ(AngleFromSlope(-kOne), 45);
  EXPECT_EQ(AngleFromSlope(kOne), 135);
  for (short a = 1; a < 180; ++a) {
    if (a == 90) continue;
    EXPECT_EQ(AngleFromSlope(SlopeFromAngle(a)), a) << a;
  }
}

}  // namespace

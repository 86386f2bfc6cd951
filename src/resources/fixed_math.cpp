// Fixed (16.16) and Frac (2.30) arithmetic. Every product and quotient is formed in 64 bits, so
// the Toolbox's overflow values come out of plain comparisons instead of traps.
#include <cmath>
#include <cstdint>

#include "FixMath.h"

namespace {

constexpr int32_t kFixedOne = 0x10000;
constexpr int32_t kFracOne = 0x40000000;
constexpr int32_t kLargest = 0x7FFFFFFF;
constexpr int32_t kSmallest = INT32_MIN;
// FixDiv's and FixRatio's negative overflow: the negated positive overflow, one above the
// smallest value, as the Toolbox gives it.
constexpr int32_t kNegativeOverflow = -0x7FFFFFFF;
// Fixed radians.
constexpr int64_t kQuarterPi = 51472;
constexpr int32_t kHalfPi = 102944;
constexpr int32_t kPi = 205888;

// The low 32 bits of a 64-bit value, as the 68000's register arithmetic keeps them.
int32_t Low32(int64_t v) { return static_cast<int32_t>(static_cast<uint32_t>(v)); }

int32_t Saturate(int64_t v) {
  if (v > kLargest) return kLargest;
  if (v < kSmallest) return kSmallest;
  return static_cast<int32_t>(v);
}

int64_t Magnitude(int32_t v) { return v < 0 ? -int64_t{v} : int64_t{v}; }

// A double scaled by `one` and rounded half away from zero, or the limit it passes.
int32_t ScaleDouble(double x, double limit, double one) {
  if (std::isnan(x)) return kSmallest;
  if (x >= limit) return kLargest;
  if (x <= -limit) return kSmallest;
  const double scaled = x * one + (x < 0 ? -0.5 : 0.5);
  // Just below the limit the rounding can still carry past 2^31.
  return Saturate(static_cast<int64_t>(scaled));
}

int32_t FracProduct(int32_t a, int32_t b) { return Saturate((int64_t{a} * b) >> 30); }

int64_t IntegerSquareRoot(uint64_t n) {
  uint64_t root = static_cast<uint64_t>(std::sqrt(static_cast<double>(n)));
  while (root * root > n) --root;
  while ((root + 1) * (root + 1) <= n) ++root;
  return static_cast<int64_t>(root);
}

// Polynomial approximations on the first octant, t in Frac radians.
int32_t SineSeries(int32_t t) {
  const int32_t u = FracProduct(t, t);
  int32_t p = FracProduct(-209399, u) + 8946434;
  p = FracProduct(p, u) - 178956794;
  p = FracProduct(p, u) + kFracOne;
  return FracProduct(p, t);
}

int32_t CosineSeries(int32_t t) {
  const int32_t u = FracProduct(t, t);
  int32_t p = FracProduct(-1364951, u) + 44547129;
  p = FracProduct(p, u) - 536776893;
  p = FracProduct(p, u);
  return kFracOne + p;
}

// base 0 for a sine of x >= 0, 4 for a sine of x < 0 (sin(-x) = sin(x + pi)), 2 for a cosine.
int32_t OctantSine(int32_t x, int64_t base) {
  const int64_t magnitude = Magnitude(x);
  const int64_t octant = (magnitude / kQuarterPi + base) % 8;
  const int64_t r = magnitude % kQuarterPi;
  int32_t result = 0;
  switch (octant % 4) {
    case 0: result = SineSeries(static_cast<int32_t>(r << 14)); break;
    case 1: result = CosineSeries(static_cast<int32_t>((kQuarterPi - r) << 14)); break;
    case 2: result = CosineSeries(static_cast<int32_t>(r << 14)); break;
    default: result = SineSeries(static_cast<int32_t>((kQuarterPi - r) << 14)); break;
  }
  return octant >= 4 ? Low32(-int64_t{result}) : result;
}

}  // namespace

extern "C" {

Fixed ZEBAPI Long2Fix(long x) { return Low32(static_cast<int64_t>(static_cast<uint64_t>(x) << 16)); }

long ZEBAPI Fix2Long(Fixed x) {
  const int32_t v = static_cast<int32_t>(x);
  return (v >> 16) + ((v >> 15) & 1);
}

short ZEBAPI FixRound(Fixed x) {
  const int32_t v = static_cast<int32_t>(x);
  const int64_t magnitude = (Magnitude(v) + 0x8000) >> 16;
  return static_cast<short>(v < 0 ? -magnitude : magnitude);
}

Fract ZEBAPI Frac2Fix(Fract x) { return static_cast<int32_t>(x) >> 14; }

Fract ZEBAPI Fix2Frac(Fixed x) { return Saturate(int64_t{static_cast<int32_t>(x)} * 16384); }

double ZEBAPI Fix2X(Fixed x) { return static_cast<int32_t>(x) / 65536.0; }

Fixed ZEBAPI X2Fix(double x) { return ScaleDouble(x, 32768.0, 65536.0); }

double ZEBAPI Frac2X(Fract x) { return static_cast<int32_t>(x) / 1073741824.0; }

Fract ZEBAPI X2Frac(double x) { return ScaleDouble(x, 2.0, 1073741824.0); }

Fixed ZEBAPI FixMul(Fixed a, Fixed b) {
  const int32_t x = static_cast<int32_t>(a), y = static_cast<int32_t>(b);
  if (x == kFixedOne) return y;
  if (y == kFixedOne) return x;
  // Bits 16 to 47 of the rounded product: an overflowing product wraps, as the Toolbox's does.
  return Low32((int64_t{x} * y + 0x8000) >> 16);
}

Fixed ZEBAPI FixDiv(Fixed a, Fixed b) {
  const int32_t x = static_cast<int32_t>(a), y = static_cast<int32_t>(b);
  if (y == kFixedOne) return x;
  if (y == 0) return x < 0 ? kSmallest : kLargest;
  const int64_t num = Magnitude(x), den = Magnitude(y);
  int64_t q = kLargest;
  if ((num >> 15) < den) q = ((num << 16) + den / 2) / den;
  if (q > kLargest) q = kLargest;
  return static_cast<int32_t>((x < 0) != (y < 0) ? -q : q);
}

Fixed ZEBAPI FixRatio(short numer, short denom) {
  if (numer == denom) return kFixedOne;
  if (denom == 0) return numer < 0 ? kNegativeOverflow : kLargest;
  // -32768 / -1 is 32768.0, one past the largest Fixed: it saturates like any overflow.
  return Saturate(int64_t{numer} * 65536 / denom);
}

Fract ZEBAPI FracMul(Fract a, Fract b) {
  return FracProduct(static_cast<int32_t>(a), static_cast<int32_t>(b));
}

Fract ZEBAPI FracDiv(Fract a, Fract b) {
  const int32_t x = static_cast<int32_t>(a), y = static_cast<int32_t>(b);
  if (y == 0) return x >= 0 ? kLargest : kSmallest;
  if ((Magnitude(x) >> 1) < Magnitude(y)) return static_cast<int32_t>(int64_t{x} * kFracOne / y);
  return (x < 0) == (y < 0) ? kLargest : kSmallest;
}

Fract ZEBAPI FracSqrt(Fract x) {
  const uint64_t n = uint64_t{static_cast<uint32_t>(x)} << 30;
  int64_t root = IntegerSquareRoot(n);
  // Round to nearest: (r + 1/2)^2 = r^2 + r + 1/4.
  if (n - static_cast<uint64_t>(root * root) > static_cast<uint64_t>(root)) ++root;
  return Low32(root);
}

Fract ZEBAPI FracSin(Fixed x) {
  const int32_t v = static_cast<int32_t>(x);
  return OctantSine(v, v < 0 ? 4 : 0);
}

Fract ZEBAPI FracCos(Fixed x) { return OctantSine(static_cast<int32_t>(x), 2); }

Fixed ZEBAPI FixATan2(long x, long y) {
  const int32_t h = static_cast<int32_t>(x), v = static_cast<int32_t>(y);
  if (h == 0) return v > 0 ? kHalfPi : v < 0 ? -kHalfPi : 0;
  if (v == 0) return h < 0 ? kPi : 0;
  const int64_t ah = Magnitude(h), av = Magnitude(v);
  const int64_t small = ah < av ? ah : av, large = ah < av ? av : ah;
  // The ratio of the smaller to the larger leg, at most 1.0 in Frac.
  const int32_t t = static_cast<int32_t>((small << 30) / large);
  const int32_t u = FracProduct(t, t);
  int32_t a = FracProduct(-12583336, u);
  a = FracProduct(a + 56529665, u);
  a = FracProduct(a - 125011984, u);
  a = FracProduct(a + 207812392, u);
  a = FracProduct(a - 357151043, u);
  const int32_t r = FracProduct(a + 0x3FFFA070, t);
  int32_t angle = (r >> 14) + ((r >> 13) & 1);
  if (av >= ah)
    angle = h > 0 ? kHalfPi - angle : kHalfPi + angle;
  else if (h < 0)
    angle = kPi - angle;
  return v < 0 ? -angle : angle;
}

}  // extern "C"

// Angles in whole degrees clockwise from 12 o'clock, as QuickDraw's arcs measure them, and
// slopes dh/dv with v growing downward: a line at angle a has slope -tan(a).
namespace {

constexpr double kDegreesPerRadian = 57.29577951308232;

}  // namespace

extern "C" {

// 1 ... 180: a slope names a line, not a direction, and the vertical is 180.
short ZEBAPI AngleFromSlope(Fixed slope) {
  const double degrees = std::atan(-static_cast<int32_t>(slope) / 65536.0) * kDegreesPerRadian;
  long angle = std::lround(degrees);
  if (angle <= 0) angle += 180;
  return static_cast<short>(angle);
}

Fixed ZEBAPI SlopeFromAngle(short angle) {
  const int a = ((angle % 180) + 180) % 180;
  if (a == 90) return kLargest;  // horizontal: dv is 0
  return X2Fix(-std::tan(a / kDegreesPerRadian));
}

}  // extern "C"

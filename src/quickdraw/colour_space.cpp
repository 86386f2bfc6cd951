// Colour-space arithmetic of the Color Picker's conversions.
#include "quickdraw/colour_space.h"

#include <algorithm>

namespace zeb::quickdraw {
namespace {

constexpr int64_t kFull = 65535;

}  // namespace

Hsv16 RgbToHsv(const Rgb16& rgb) {
  const int64_t r = rgb.red, g = rgb.green, b = rgb.blue;
  const int64_t maxC = std::max({r, g, b}), minC = std::min({r, g, b});
  const int64_t delta = maxC - minC;
  Hsv16 out{0, 0, static_cast<uint16_t>(maxC)};
  if (maxC == 0 || delta == 0) return out;  // grey: no hue, no saturation
  out.saturation = static_cast<uint16_t>(delta * kFull / maxC);
  // The circle in six sectors, each a sixth of 65536.
  int64_t sector;  // in units of 1/6 of the circle, times delta
  if (maxC == r) sector = (g - b);
  else if (maxC == g) sector = 2 * delta + (b - r);
  else sector = 4 * delta + (r - g);
  int64_t hue = sector * 65536 / (6 * delta);
  if (hue < 0) hue += 65536;
  out.hue = static_cast<uint16_t>(hue & 0xFFFF);
  return out;
}

Rgb16 HsvToRgb(const Hsv16& hsv) {
  const int64_t v = hsv.value, s = hsv.saturation;
  if (s == 0) return {hsv.value, hsv.value, hsv.value};
  const int64_t h6 = static_cast<int64_t>(hsv.hue) * 6;  // 0 .. 6 * 65535
  const int64_t sector = h6 >> 16;
  const int64_t f = h6 & 0xFFFF;  // position inside the sector, 0 .. 65535
  const int64_t p = v * (kFull - s) / kFull;
  const int64_t q = v * (kFull - s * f / 65536) / kFull;
  const int64_t t = v * (kFull - s * (65536 - f) / 65536) / kFull;
  auto c = [](int64_t x) { return static_cast<uint16_t>(std::clamp<int64_t>(x, 0, kFull)); };
  switch (sector) {
    case 0: return {c(v), c(t), c(p)};
    case 1: return {c(q), c(v), c(p)};
    case 2: return {c(p), c(v), c(t)};
    case 3: return {c(p), c(q), c(v)};
    case 4: return {c(t), c(p), c(v)};
    default: return {c(v), c(p), c(q)};
  }
}

Rgb16 Midpoint(const Rgb16& a, const Rgb16& b) {
  return {static_cast<uint16_t>((a.red + b.red) / 2), static_cast<uint16_t>((a.green + b.green) / 2),
          static_cast<uint16_t>((a.blue + b.blue) / 2)};
}

Rgb16 Complement(const Rgb16& c) {
  return {static_cast<uint16_t>(kFull - c.red), static_cast<uint16_t>(kFull - c.green),
          static_cast<uint16_t>(kFull - c.blue)};
}

}  // namespace zeb::quickdraw

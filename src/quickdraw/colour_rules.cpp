// The classic-colour table and the colour reductions.
#include "quickdraw/colour_rules.h"

#include "quickdraw/coordinate_mapping.h"

namespace zeb::quickdraw {
namespace {

constexpr ClassicColour kClassicColours[] = {
    {33, {0x0000, 0x0000, 0x0000}},   // blackColor
    {30, {0xFFFF, 0xFFFF, 0xFFFF}},   // whiteColor
    {205, {0xDD6B, 0x08C2, 0x06A2}},  // redColor
    {341, {0x0000, 0x8000, 0x11B0}},  // greenColor
    {409, {0x0000, 0x0000, 0xD400}},  // blueColor
    {273, {0x0241, 0xAB54, 0xEAFF}},  // cyanColor
    {137, {0xF2D7, 0x0856, 0x84EC}},  // magentaColor
    {69, {0xFC00, 0xF37D, 0x052F}},   // yellowColor
};

// Indexed by (red, green, blue) top bits.
constexpr int32_t kByTopBits[8] = {33, 409, 341, 273, 205, 137, 69, 30};

const ClassicColour* FindByMask(int32_t value, int32_t mask) {
  for (const ClassicColour& c : kClassicColours)
    if ((c.value & mask) == (value & mask)) return &c;
  return nullptr;
}

// Eight ordered dithers from black to white.
constexpr uint8_t kDithers[8][8] = {
    {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF},
    {0xFF, 0xDD, 0xFF, 0x77, 0xFF, 0xDD, 0xFF, 0x77},
    {0x77, 0xDD, 0x77, 0xDD, 0x77, 0xDD, 0x77, 0xDD},
    {0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55},
    {0xAA, 0x44, 0xAA, 0x11, 0xAA, 0x44, 0xAA, 0x11},
    {0x88, 0x22, 0x88, 0x22, 0x88, 0x22, 0x88, 0x22},
    {0x80, 0x00, 0x08, 0x00, 0x80, 0x00, 0x08, 0x00},
    {0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00},
};

}  // namespace

const ClassicColour* LookupClassicColour(int32_t value) {
  for (const ClassicColour& c : kClassicColours)
    if (c.value == value) return &c;
  if (const ClassicColour* c = FindByMask(value, 0x1E0)) return c;
  return FindByMask(value, 0x1C0);
}

int32_t ClassicColourForRgb(const Rgb16& rgb) {
  const int index = ((rgb.red & 0x8000) ? 4 : 0) | ((rgb.green & 0x8000) ? 2 : 0) |
                    ((rgb.blue & 0x8000) ? 1 : 0);
  return kByTopBits[index];
}

Rgb16 ReduceToOneBit(const Rgb16& rgb) {
  const uint32_t luminance = (5u * rgb.red + 9u * rgb.green + 2u * rgb.blue) / 16u;
  return luminance <= 32768 ? kBlackRgb : kWhiteRgb;
}

uint32_t ColorRefFor(const Rgb16& rgb, bool oneBitDevice) {
  const Rgb16 c = oneBitDevice ? ReduceToOneBit(rgb) : rgb;
  const uint32_t ref = static_cast<uint32_t>(c.red >> 8) | (static_cast<uint32_t>(c.green >> 8) << 8) |
                       (static_cast<uint32_t>(c.blue >> 8) << 16);
  if (ref == 0 || ref == 0xFFFFFF) return ref;
  return ref | kPaletteRelative;
}

Rgb16 RgbFromColorRef(uint32_t colorRef) {
  return {Widen(static_cast<uint8_t>(colorRef)), Widen(static_cast<uint8_t>(colorRef >> 8)),
          Widen(static_cast<uint8_t>(colorRef >> 16))};
}

int DitherIndex(const Rgb16& rgb) {
  const int32_t weighted = 30 * (rgb.red >> 8) + 59 * (rgb.green >> 8) + 11 * (rgb.blue >> 8);
  return MulDivRound(weighted, 7, 25500);
}

const uint8_t* DitherPattern(int index) {
  if (index < 0) index = 0;
  if (index > 7) index = 7;
  return kDithers[index];
}

void CombineWithDither(const uint8_t pattern[8], const Rgb16& fore, const Rgb16& back,
                       uint8_t out[8]) {
  const uint8_t* f = DitherPattern(DitherIndex(fore));
  const uint8_t* b = DitherPattern(DitherIndex(back));
  for (int i = 0; i < 8; ++i)
    out[i] = static_cast<uint8_t>((~pattern[i] & b[i]) | (pattern[i] & f[i]));
}

}  // namespace zeb::quickdraw

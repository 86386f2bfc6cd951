// Colour arithmetic shared by the ports, the pens and the brushes: the eight classic colours,
// the reductions to them and to one bit, and the COLORREF handed to GDI.
#ifndef ZEB_QUICKDRAW_COLOUR_RULES_H
#define ZEB_QUICKDRAW_COLOUR_RULES_H

#include <cstdint>

namespace zeb::quickdraw {

struct Rgb16 {
  uint16_t red, green, blue;
  bool operator==(const Rgb16& o) const {
    return red == o.red && green == o.green && blue == o.blue;
  }
  bool operator!=(const Rgb16& o) const { return !(*this == o); }
};

constexpr Rgb16 kBlackRgb{0, 0, 0};
constexpr Rgb16 kWhiteRgb{0xFFFF, 0xFFFF, 0xFFFF};

struct ClassicColour {
  int32_t value;  // blackColor 33, whiteColor 30, redColor 205, ...
  Rgb16 rgb;
};

// The classic colour for a ForeColor/BackColor value: by exact match, else by equal bits 0x1E0,
// else by equal bits 0x1C0; null when nothing matches.
const ClassicColour* LookupClassicColour(int32_t value);

// The classic colour an RGB falls to on a port that keeps no full RGB: one bit per component,
// its top bit, indexing black, blue, green, cyan, red, magenta, yellow, white.
int32_t ClassicColourForRgb(const Rgb16& rgb);

// One-bit devices: luminance (5 red + 9 green + 2 blue) / 16; 32768 and below is black.
Rgb16 ReduceToOneBit(const Rgb16& rgb);

// The COLORREF sent to GDI: the high byte of each component, with the palette-relative flag
// (0x02000000) unless the colour is pure black or pure white, so that it resolves through the
// selected palette.
constexpr uint32_t kPaletteRelative = 0x02000000;
uint32_t ColorRefFor(const Rgb16& rgb, bool oneBitDevice);

// An 8-bit Windows component widened to the Toolbox's 16 bits (c * 257).
inline uint16_t Widen(uint8_t c) { return static_cast<uint16_t>(c * 257); }
Rgb16 RgbFromColorRef(uint32_t colorRef);

// Grey dither on one-bit screens: a colour's luminance index 0 (black) .. 7 (white), and the
// pattern that stands for it.
int DitherIndex(const Rgb16& rgb);
const uint8_t* DitherPattern(int index);
// (not p and backDither) or (p and foreDither), row by row.
void CombineWithDither(const uint8_t pattern[8], const Rgb16& fore, const Rgb16& back,
                       uint8_t out[8]);

}  // namespace zeb::quickdraw

#endif  // ZEB_QUICKDRAW_COLOUR_RULES_H

// Built-in colour tables.
#include "quickdraw/standard_colour_tables.h"

namespace zeb::quickdraw {
namespace {

// The 16-colour table in 8-bit components.
constexpr uint8_t kSixteen[16][3] = {
    {0xFF, 0xFF, 0xFF}, {0xFC, 0xF3, 0x05}, {0xFF, 0x64, 0x02}, {0xDD, 0x08, 0x06},
    {0xF2, 0x08, 0x84}, {0x46, 0x00, 0xA5}, {0x00, 0x00, 0xD4}, {0x02, 0xAB, 0xEA},
    {0x1F, 0xB7, 0x14}, {0x00, 0x64, 0x11}, {0x56, 0x2C, 0x05}, {0x90, 0x71, 0x3A},
    {0xC0, 0xC0, 0xC0}, {0x80, 0x80, 0x80}, {0x40, 0x40, 0x40}, {0x00, 0x00, 0x00}};

// The 256-colour table: the 6 x 6 x 6 cube of the levels FF, CC, 99, 66, 33, 00 without black
// (215 entries), then ramps of red, green, blue and grey through the levels between them, then
// black.
constexpr uint8_t kRampLevels[10] = {0xEE, 0xDD, 0xBB, 0xAA, 0x88, 0x77, 0x55, 0x44, 0x22, 0x11};

Rgb16 EightBitEntry(int index) {
  if (index < 215) {
    const uint8_t r = static_cast<uint8_t>(0xFF - 0x33 * (index / 36));
    const uint8_t g = static_cast<uint8_t>(0xFF - 0x33 * ((index / 6) % 6));
    const uint8_t b = static_cast<uint8_t>(0xFF - 0x33 * (index % 6));
    return {Widen(r), Widen(g), Widen(b)};
  }
  if (index >= 255) return kBlackRgb;
  const int ramp = (index - 215) / 10;
  const uint16_t level = Widen(kRampLevels[(index - 215) % 10]);
  switch (ramp) {
    case 0: return {level, 0, 0};
    case 1: return {0, level, 0};
    case 2: return {0, 0, level};
    default: return {level, level, level};
  }
}

}  // namespace

int StandardTableSize(int16_t id) {
  switch (id) {
    case 1: return 2;
    case 4: case 20: return 16;
    case 8: case 40: return 256;
    default: return 0;
  }
}

Rgb16 StandardTableEntry(int16_t id, int index) {
  switch (id) {
    case 1:
      return index == 0 ? kWhiteRgb : kBlackRgb;
    case 4:
      return {Widen(kSixteen[index][0]), Widen(kSixteen[index][1]), Widen(kSixteen[index][2])};
    case 8:
      return EightBitEntry(index);
    case 20: {
      const uint16_t grey = static_cast<uint16_t>(0xFFFF - 0x1111 * index);
      return {grey, grey, grey};
    }
    case 40: {
      const uint16_t grey = static_cast<uint16_t>(0xFFFF - 0x0101 * index);
      return {grey, grey, grey};
    }
    default:
      return kBlackRgb;
  }
}

}  // namespace zeb::quickdraw

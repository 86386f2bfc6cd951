// Hue, saturation and value in the Toolbox's SmallFract form (0..65535, hue a fraction of the
// colour circle with red at 0), and the grey between two colours that GetGray looks for.
#ifndef ZEB_QUICKDRAW_COLOUR_SPACE_H
#define ZEB_QUICKDRAW_COLOUR_SPACE_H

#include <cstdint>

#include "quickdraw/colour_rules.h"

namespace zeb::quickdraw {

struct Hsv16 {
  uint16_t hue, saturation, value;
};

Hsv16 RgbToHsv(const Rgb16& rgb);
Rgb16 HsvToRgb(const Hsv16& hsv);
// The mean of two colours, component by component.
Rgb16 Midpoint(const Rgb16& a, const Rgb16& b);
// Each component's complement.
Rgb16 Complement(const Rgb16& c);

}  // namespace zeb::quickdraw

#endif  // ZEB_QUICKDRAW_COLOUR_SPACE_H

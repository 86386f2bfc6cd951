// Hue, saturation and value: the primaries and greys land where the Toolbox puts them, and
// colours survive the round trip.
#include <gtest/gtest.h>

#include "quickdraw/colour_space.h"

namespace zeb::quickdraw {
namespace {

TEST(ColourSpace, PrimariesAndGreysHaveTheirHues) {
  struct Case {
    Rgb16 rgb;
    Hsv16 hsv;
  } cases[] = {
      {{0xFFFF, 0, 0}, {0, 0xFFFF, 0xFFFF}},
      {{0, 0xFFFF, 0}, {21845, 0xFFFF, 0xFFFF}},  // a third of the circle
      {{0, 0, 0xFFFF}, {43690, 0xFFFF, 0xFFFF}},
      {{0x8000, 0x8000, 0x8000}, {0, 0, 0x8000}},
      {{0, 0, 0}, {0, 0, 0}},
  };
  for (const Case& c : cases) {
    const Hsv16 h = RgbToHsv(c.rgb);
    EXPECT_NEAR(h.hue, c.hsv.hue, 1);
    EXPECT_EQ(h.saturation, c.hsv.saturation);
    EXPECT_EQ(h.value, c.hsv.value);
  }
}

TEST(ColourSpace, ColoursSurviveTheRoundTrip) {
  const Rgb16 colours[] = {{0xFFFF, 0x8000, 0}, {0x1234, 0x5678, 0x9ABC}, {0xFFFF, 0, 0xFFFF},
                           {0x4000, 0x4000, 0x4000}, {0, 0xFFFF, 0xFFFF}, {0xFEDC, 0x0123, 0x4567}};
  for (const Rgb16& c : colours) {
    const Rgb16 back = HsvToRgb(RgbToHsv(c));
    EXPECT_NEAR(back.red, c.red, 8) << c.red << "," << c.green << "," << c.blue;
    EXPECT_NEAR(back.green, c.green, 8);
    EXPECT_NEAR(back.blue, c.blue, 8);
  }
}

TEST(ColourSpace, MidpointAndComplement) {
  EXPECT_EQ(Midpoint(kBlackRgb, kWhiteRgb), (Rgb16{0x7FFF, 0x7FFF, 0x7FFF}));
  EXPECT_EQ(Complement(Rgb16{0xFFFF, 0x1000, 0}), (Rgb16{0, 0xEFFF, 0xFFFF}));
}

}  // namespace
}  // namespace zeb::quickdraw

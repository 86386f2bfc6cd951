// Colours drawn into DIB sections: classic colours, RGB colours, their reductions on
// black-and-white ports and one-bit devices.
#include "quickdraw_fixture.h"

namespace zebtest {
namespace {

using ColoursTest = QuickDrawTest;

uint32_t Rgb8(unsigned short r, unsigned short g, unsigned short b) {
  return (static_cast<uint32_t>(r >> 8) << 16) | (static_cast<uint32_t>(g >> 8) << 8) | (b >> 8);
}

void DrawDot(short h, short v) {
  MoveT(h, v);
  LineT(h, v);
}

TEST_F(ColoursTest, ClassicColoursDrawTheirTableColoursAndRgbFallsToThem) {
  struct Case {
    long value;
    uint32_t pixel;
  };
  const Case cases[] = {
      {blackColor, 0x000000}, {whiteColor, 0xFFFFFF}, {redColor, Rgb8(0xDD6B, 0x08C2, 0x06A2)},
      {greenColor, Rgb8(0, 0x8000, 0x11B0)}, {blueColor, Rgb8(0, 0, 0xD400)},
      {cyanColor, Rgb8(0x0241, 0xAB54, 0xEAFF)}, {magentaColor, Rgb8(0xF2D7, 0x0856, 0x84EC)},
      {yellowColor, Rgb8(0xFC00, 0xF37D, 0x052F)},
      {34, 0x000000},  // no exact match: blackColor by bits 0x1E0
  };
  DibSurface dib(16, 2);
  dib.Fill(0x808080);
  GrafPort port{};
  OpenBlackAndWhitePortOn(port, dib);
  short x = 0;
  for (const Case& c : cases) {
    ForeColor(c.value);
    DrawDot(x, 0);
    EXPECT_EQ(dib.Pixel(x, 0), c.pixel) << c.value;
    ++x;
  }
  ForeColor(0x1C0);  // matches nothing: the colour stays
  EXPECT_EQ(port.fgColor, 34);
  BackColor(blueColor);
  RGBColor back;
  GetBackColor(&back);
  EXPECT_EQ(back.blue, 0xD400);
  // A black-and-white port keeps no RGB: the colour falls to its classic neighbour.
  const RGBColor purple = {0x8000, 0, 0x8000};
  RGBForeColor(&purple);
  EXPECT_EQ(port.fgColor, magentaColor);
  DrawDot(x, 0);
  EXPECT_EQ(dib.Pixel(x, 0), Rgb8(0xF2D7, 0x0856, 0x84EC));
  RGBColor fore;
  GetForeColor(&fore);
  EXPECT_EQ(fore.red, 0xF2D7);
  ClosePort(&port);
}

TEST_F(ColoursTest, ColourPortsKeepFullRgbUnlessColourDrawingIsOff) {
  DibSurface dib(4, 2);
  CGrafPort port{};
  OpenColourPortOn(port, dib);
  const RGBColor teal = {0x1200, 0x8800, 0x9900};
  RGBForeColor(&teal);
  DrawDot(0, 0);
  EXPECT_EQ(dib.Pixel(0, 0), 0x128899u);
  EXPECT_EQ(port.rgbFgColor.green, 0x8800);
  // Written straight into the port, then re-derived: the RGB fields win.
  port.rgbFgColor = {0xFF00, 0, 0};
  ZEB_ChangeThePortAttr();
  DrawDot(1, 0);
  EXPECT_EQ(dib.Pixel(1, 0), 0xFF0000u);
  const unsigned long previous = ZEB_SystemValue(ZEB_SV_SET, 29, 0);
  RGBForeColor(&teal);
  EXPECT_EQ(port.fgColor, cyanColor) << "green and blue top bits set";
  EXPECT_EQ(port.rgbFgColor.red, 0x0241);
  ZEB_SystemValue(ZEB_SV_SET, 29, previous);
  CloseCPort(&port);
}

TEST_F(ColoursTest, OneBitDevicesTakeBlackOrWhiteByLuminance) {
  struct Case {
    long value;
    bool white;
  };
  const Case cases[] = {{yellowColor, true}, {redColor, false}, {cyanColor, false},
                        {whiteColor, true}, {blueColor, false}};
  DibSurface dib(8, 2, 1);
  dib.FillRect(0, 0, 8, 1, kBlack);
  dib.FillRect(0, 1, 8, 2, kWhite);
  GrafPort port{};
  OpenBlackAndWhitePortOn(port, dib);
  short x = 0;
  for (const Case& c : cases) {
    ForeColor(c.value);
    DrawDot(x, 0);
    DrawDot(x, 1);
    EXPECT_EQ(dib.Pixel(x, 0), c.white ? kWhite : kBlack) << c.value;
    EXPECT_EQ(dib.Pixel(x, 1), c.white ? kWhite : kBlack) << c.value;
    ++x;
  }
  ClosePort(&port);
}

TEST_F(ColoursTest, PatternsPaintForegroundOnSetBitsAndBackgroundOnClearBits) {
  DibSurface dib(8, 2);
  CGrafPort port{};
  OpenColourPortOn(port, dib);
  const RGBColor red = {0xFFFF, 0, 0}, blue = {0, 0, 0xFFFF};
  RGBForeColor(&red);
  RGBBackColor(&blue);
  const Pattern stripes = {{0xF0, 0xF0, 0xF0, 0xF0, 0xF0, 0xF0, 0xF0, 0xF0}};
  PenPat(&stripes);
  PenSize(8, 1);
  DrawDot(0, 0);
  EXPECT_EQ(dib.Pixel(0, 0), 0xFF0000u);
  EXPECT_EQ(dib.Pixel(3, 0), 0xFF0000u);
  EXPECT_EQ(dib.Pixel(4, 0), 0x0000FFu);
  EXPECT_EQ(dib.Pixel(7, 0), 0x0000FFu);
  CloseCPort(&port);
}

}  // namespace
}  // namespace zebtest

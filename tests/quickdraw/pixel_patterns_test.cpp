// Pixel patterns: an RGB pattern fills in its colour, copies keep their own storage, a new
// pattern is a full one with a pixel map, and missing resources give nil.
#include "MacMemory.h"
#include "quickdraw_fixture.h"

namespace zebtest {
namespace {

class PixelPatternTest : public QuickDrawTest {
 protected:
  void TearDown() override {
    if (port_.patStretch >= 0 && ZEB_GetCurrentDC()) CloseCPort(&port_);
    QuickDrawTest::TearDown();
  }
  CGrafPort port_{};
};

TEST_F(PixelPatternTest, RGBPatternFillsInItsColourAndItsCopyToo) {
  DibSurface dib(8, 2);
  dib.Fill(kWhite);
  OpenColourPortOn(port_, dib);
  PixPatHandle red = NewPixPat();
  ASSERT_NE(red, nullptr);
  EXPECT_EQ((*red)->patType, 1);
  ASSERT_NE((*red)->patMap, nullptr);
  ASSERT_NE((*red)->patData, nullptr);
  const RGBColor colour{0xFFFF, 0, 0};
  MakeRGBPat(red, &colour);
  EXPECT_EQ((*red)->patType, 2);
  EXPECT_EQ((*red)->pat1Data.pat[0], 0x77) << "red shows as dark grey on one bit";
  Rect top = {0, 0, 1, 8};
  FillCRect(&top, red);
  EXPECT_EQ(dib.Pixel(3, 0), 0xFF0000u);

  PixPatHandle copy = NewPixPat();
  ASSERT_NE(copy, nullptr);
  CopyPixPat(red, copy);
  EXPECT_EQ((*copy)->patType, 2);
  EXPECT_NE((*copy)->patData, (*red)->patData);
  EXPECT_NE((*(*copy)->patMap)->pmTable, (*(*red)->patMap)->pmTable);
  DisposePixPat(red);  // the copy does not share what went
  Rect bottom = {1, 0, 2, 8};
  FillCRect(&bottom, copy);
  EXPECT_EQ(dib.Pixel(5, 1), 0xFF0000u);
  // Changing the colour of a pattern in use changes what it fills with.
  const RGBColor blue{0, 0, 0xFFFF};
  MakeRGBPat(copy, &blue);
  FillCRect(&bottom, copy);
  EXPECT_EQ(dib.Pixel(5, 1), 0x0000FFu);
  DisposePixPat(copy);
  DisposePixPat(nullptr);
  MakeRGBPat(nullptr, &blue);
  CopyPixPat(nullptr, nullptr);
}

TEST_F(PixelPatternTest, MissingPatternResourceGivesNil) {
  EXPECT_EQ(GetPixPat(-31000), nullptr);
}

}  // namespace
}  // namespace zebtest

// The colour utilities on the current device's table (swapped for a known one while a case
// runs), the device list's walking and attributes, and the Color Picker's conversions.
#include "MacMemory.h"
#include "Picker.h"
#include "quickdraw_fixture.h"

namespace zebtest {
namespace {

class ColourUtilitiesTest : public QuickDrawTest {
 protected:
  // The current device shows the built-in table id at depth for the test.
  void UseTable(short id, short depth) {
    GDHandle d = GetGDevice();
    ASSERT_NE(d, nullptr);
    ASSERT_NE((*d)->gdPMap, nullptr);
    if (!saved_) {
      savedTable_ = (*(*d)->gdPMap)->pmTable;
      savedDepth_ = (*(*d)->gdPMap)->pixelSize;
      saved_ = true;
    }
    if (table_) DisposeCTable(table_);
    table_ = GetCTable(id);
    ASSERT_NE(table_, nullptr);
    (*(*d)->gdPMap)->pmTable = table_;
    (*(*d)->gdPMap)->pixelSize = depth;
  }
  void TearDown() override {
    if (saved_) {
      GDHandle d = GetGDevice();
      (*(*d)->gdPMap)->pmTable = savedTable_;
      (*(*d)->gdPMap)->pixelSize = savedDepth_;
    }
    if (table_) DisposeCTable(table_);
    QuickDrawTest::TearDown();
  }
  bool saved_ = false;
  CTabHandle savedTable_ = nullptr, table_ = nullptr;
  short savedDepth_ = 0;
};

TEST_F(ColourUtilitiesTest, IndexAndColourConvertThroughTheDeviceTable) {
  UseTable(8, 8);
  RGBColor c;
  Index2Color(5, &c);
  EXPECT_EQ(Color2Index(&c), 5);
  Index2Color(0, &c);
  EXPECT_EQ(c.red, 0xFFFF) << "entry 0 is white";
  // Outside the table, negative indices included: black.
  for (long index : {-1L, -300L, 256L, 300L}) {
    c = RGBColor{1, 2, 3};
    Index2Color(index, &c);
    EXPECT_EQ(c.red, 0) << index;
    EXPECT_EQ(c.green, 0) << index;
    EXPECT_EQ(c.blue, 0) << index;
  }
  const RGBColor nearlyWhite = {0xFFF0, 0xFFF0, 0xFFF0};
  EXPECT_EQ(Color2Index(&nearlyWhite), 0);
}

TEST_F(ColourUtilitiesTest, TableEntriesAreBoundedByTheHandleAsWellAsByItsCount) {
  UseTable(8, 8);
  // A table whose ctSize claims 256 entries in a handle holding two: entries past the handle
  // are not read, and read as black.
  CTabHandle shortTable = reinterpret_cast<CTabHandle>(NewHandleClear(8 + 2 * 8));
  ASSERT_NE(shortTable, nullptr);
  (*shortTable)->ctSize = 255;
  (*shortTable)->ctTable[1].rgb = RGBColor{0xFFFF, 0, 0};
  GDHandle d = GetGDevice();
  (*(*d)->gdPMap)->pmTable = shortTable;
  RGBColor c;
  Index2Color(1, &c);
  EXPECT_EQ(c.red, 0xFFFF);
  Index2Color(200, &c);
  EXPECT_EQ(c.red, 0);
  const RGBColor red = {0xFFFF, 0, 0};
  EXPECT_EQ(Color2Index(&red), 1);
  (*(*d)->gdPMap)->pmTable = table_;
  DisposeHandle(reinterpret_cast<Handle>(shortTable));
}

TEST_F(ColourUtilitiesTest, GrayExistsBetweenBlackAndWhiteOnlyWhereTheTableHasOne) {
  UseTable(40, 8);  // 256 greys
  const RGBColor white = {0xFFFF, 0xFFFF, 0xFFFF};
  RGBColor fore = {0, 0, 0};
  EXPECT_TRUE(GetGray(GetGDevice(), &white, &fore));
  EXPECT_NEAR(fore.red, 0x8000, 0x200);
  UseTable(1, 1);  // black and white only
  fore = RGBColor{0, 0, 0};
  EXPECT_FALSE(GetGray(GetGDevice(), &white, &fore));
  EXPECT_EQ(fore.red, 0) << "unchanged when there is no grey";
  RGBColor c = white;
  InvertColor(&c);
  EXPECT_EQ(c.red, 0);
}

TEST_F(ColourUtilitiesTest, SavedColoursComeBack) {
  DibSurface dib(2, 1);
  CGrafPort port{};
  OpenColourPortOn(port, dib);
  const RGBColor teal = {0, 0x8000, 0x8000}, other = {0x1111, 0x2222, 0x3333};
  RGBForeColor(&teal);
  RGBBackColor(&other);
  ColorSpec fore, back;
  SaveFore(&fore);
  SaveBack(&back);
  RGBForeColor(&other);
  RGBBackColor(&teal);
  RestoreFore(&fore);
  RestoreBack(&back);
  RGBColor got;
  GetForeColor(&got);
  EXPECT_EQ(got.green, 0x8000);
  GetBackColor(&got);
  EXPECT_EQ(got.red, 0x1111);
  CloseCPort(&port);
}

TEST_F(ColourUtilitiesTest, DeviceListWalksAndAttributesToggle) {
  GDHandle main = GetMainDevice();
  ASSERT_NE(main, nullptr);
  Rect everywhere;
  SetRec(&everywhere, -32000, -32000, 32000, 32000);
  EXPECT_EQ(GetMaxDevice(&everywhere), main);
  Rect nowhere;
  SetRec(&nowhere, -32000, -32000, -31000, -31000);
  EXPECT_EQ(GetMaxDevice(&nowhere), nullptr);
  EXPECT_EQ(GetNextDevice(nullptr), nullptr);
  const bool before = TestDeviceAttribute(main, 3);
  SetDeviceAttribute(main, 3, !before);
  EXPECT_EQ(TestDeviceAttribute(main, 3) != 0, !before);
  SetDeviceAttribute(main, 3, before);
  EXPECT_EQ(TestDeviceAttribute(main, 3) != 0, before);
  EXPECT_FALSE(TestDeviceAttribute(main, 16)) << "no such bit";
}

TEST_F(ColourUtilitiesTest, HueSaturationAndValueRoundTrip) {
  const RGBColor orange = {0xFFFF, 0x8000, 0};
  HSVColor h;
  RGB2HSV(&orange, &h);
  EXPECT_EQ(h.saturation, 0xFFFF);
  EXPECT_EQ(h.value, 0xFFFF);
  EXPECT_NEAR(h.hue, 65536 / 12, 40);
  RGBColor back;
  HSV2RGB(&h, &back);
  EXPECT_NEAR(back.green, 0x8000, 16);
  EXPECT_EQ(back.blue, 0);
}

}  // namespace
}  // namespace zebtest

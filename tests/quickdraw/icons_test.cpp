// Icons drawn into a colour port over a DIB section and read back: 'ICON's by PlotIcon, 'cicn's
// from resource files written with the bytes a Macintosh stores, read by GetCIcon and drawn by
// PlotCIcon (through the mask only under the colour-icon switch); damaged 'cicn's give nil.
#include <cstddef>
#include <cstring>
#include <string>
#include <vector>

#include "ZEB.h"
#include "colour_icon_bytes.h"
#include "quickdraw_fixture.h"
#include "resources_fixture.h"

namespace zebtest {
namespace {

constexpr uint32_t kGrey = 0x808080;
constexpr uint32_t kRed = 0xFF0000;
constexpr uint32_t kBlue = 0x0000FF;

class IconsTest : public ResourcesTest {
 protected:
  void SetUp() override {
    ResourcesTest::SetUp();
    InitGraf(&screenPort_);
  }
  void TearDown() override {
    ZEB_SetFlags(0, 0, ZEB_SW_COLORICONS, 0);
    if (open_) ClosePort(reinterpret_cast<GrafPtr>(&port_));
    ResourcesTest::TearDown();
  }
  void UseResources(std::vector<zeb::resfmt::ImageResource> resources) {
    WriteFile("icons.rsr", std::move(resources));
    ASSERT_GT(Open("icons.rsr"), 0);
  }
  static zeb::resfmt::ImageResource Res(const char (&type)[5], short id, std::vector<uint8_t> data) {
    zeb::resfmt::ImageResource r;
    r.type = Type(type);
    r.id = id;
    r.data = std::move(data);
    return r;
  }
  void OpenOn(DibSurface& dib) {
    dib.Fill(kGrey);
    OpenPortForHDC(&port_, dib.dc());
    ASSERT_GE(port_.patStretch, 0);
    open_ = true;
    PortSize(static_cast<short>(dib.width()), static_cast<short>(dib.height()));
  }
  // An 8 x 8 four-bit icon: left half entry 1 (red), right half entry 2 (blue).
  static ColourIconDesign RedBlueIcon() {
    ColourIconDesign s;
    s.colours = {0xFFFFFF, kRed, kBlue};
    for (int y = 0; y < 8; ++y) {
      const uint8_t row[4] = {0x11, 0x11, 0x22, 0x22};
      s.pixels.insert(s.pixels.end(), row, row + 4);
    }
    return s;
  }
  int Count(const DibSurface& dib, uint32_t rgb, int left, int top, int right, int bottom) {
    int n = 0;
    for (int y = top; y < bottom; ++y)
      for (int x = left; x < right; ++x) n += dib.Pixel(x, y) == rgb;
    return n;
  }

  GrafPtr screenPort_ = nullptr;
  CGrafPort port_{};
  bool open_ = false;
};

TEST_F(IconsTest, PlotIconCopiesThe32By32BitsIntoTheRectangleInThePortColours) {
  // Row y holds a single set bit at column y (a diagonal), so orientation and bit order show.
  std::vector<uint8_t> icon(128, 0);
  for (int y = 0; y < 32; ++y) icon[static_cast<size_t>(y * 4 + y / 8)] = static_cast<uint8_t>(0x80 >> (y % 8));
  UseResources({Res("ICON", 128, icon)});
  DibSurface dib(80, 80);
  OpenOn(dib);
  Handle h = GetResource(Type("ICON"), 128);
  ASSERT_NE(h, nullptr);
  Rect r;
  SetRec(&r, 10, 10, 42, 42);
  PlotIcon(&r, h);
  EXPECT_EQ(dib.Pixel(10, 10), kBlack);
  EXPECT_EQ(dib.Pixel(41, 41), kBlack);
  EXPECT_EQ(dib.Pixel(11, 10), kWhite) << "srcCopy paints the clear bits with the background";
  EXPECT_EQ(dib.Pixel(9, 9), kGrey) << "nothing outside the rectangle";
  EXPECT_EQ(Count(dib, kBlack, 10, 10, 42, 42), 32);
  // Scaled to twice the size, in the port's foreground colour.
  RGBColor red = {0xFFFF, 0, 0};
  RGBForeColor(&red);
  SetRec(&r, 10, 10, 74, 74);
  PlotIcon(&r, h);
  EXPECT_EQ(dib.Pixel(11, 11), kRed);
  EXPECT_EQ(Count(dib, kRed, 10, 10, 74, 74), 32 * 4);
}

TEST_F(IconsTest, PlotIconRefusesShortHandlesNilAndEmptyRectangles) {
  DibSurface dib(40, 40);
  OpenOn(dib);
  Rect r;
  SetRec(&r, 0, 0, 32, 32);
  Handle shortIcon = NewHandle(64);
  std::memset(*shortIcon, 0xFF, 64);
  PlotIcon(&r, shortIcon);
  EXPECT_EQ(QDError(), paramErr);
  PlotIcon(&r, nullptr);
  Rect empty;
  SetRec(&empty, 5, 5, 5, 20);
  Handle full = NewHandle(128);
  std::memset(*full, 0xFF, 128);
  PlotIcon(&empty, full);
  EXPECT_EQ(Count(dib, kGrey, 0, 0, 40, 40), 40 * 40) << "nothing drawn";
  DisposeHandle(shortIcon);
  DisposeHandle(full);
}

TEST_F(IconsTest, GetCIconBuildsTheRecordAndPlotCIconDrawsTheColourImage) {
  ColourIconDesign design = RedBlueIcon();
  design.bits.assign(16, 0xAA);  // a one-bit image (2 bytes a row), kept in the record
  UseResources({Res("cicn", 300, ColourIconResource(design))});
  CIconHandle icon = GetCIcon(300);
  ASSERT_NE(icon, nullptr);
  const CIcon& c = **icon;
  EXPECT_EQ(c.iconPMap.bounds.right, 8);
  EXPECT_EQ(c.iconPMap.bounds.bottom, 8);
  EXPECT_EQ(c.iconPMap.pixelSize, 4);
  EXPECT_EQ(c.iconPMap.rowBytes & 0x3FFF, 4);
  EXPECT_EQ(c.iconPMap.hRes, 0x00480000);
  ASSERT_NE(c.iconPMap.pmTable, nullptr);
  EXPECT_EQ((**c.iconPMap.pmTable).ctSize, 2);
  EXPECT_EQ((**c.iconPMap.pmTable).ctTable[1].rgb.red, 0xFFFF);
  EXPECT_EQ(GetHandleSize(c.iconData), 32);
  EXPECT_EQ(c.iconMask.rowBytes, 2);
  EXPECT_EQ(GetHandleSize(reinterpret_cast<Handle>(icon)), static_cast<long>(offsetof(CIcon, iconMaskData)) + 16 + 16);
  EXPECT_EQ(reinterpret_cast<uint8_t*>(c.iconBMap.baseAddr)[0], 0xAA);
  EXPECT_EQ(reinterpret_cast<uint8_t*>(c.iconMask.baseAddr)[0], 0xFF);

  DibSurface dib(40, 40);
  OpenOn(dib);
  Rect r;
  SetRec(&r, 10, 10, 18, 18);
  PlotCIcon(&r, icon);
  EXPECT_EQ(dib.Pixel(10, 10), kRed);
  EXPECT_EQ(dib.Pixel(13, 17), kRed);
  EXPECT_EQ(dib.Pixel(14, 10), kBlue);
  EXPECT_EQ(dib.Pixel(17, 17), kBlue);
  EXPECT_EQ(dib.Pixel(18, 18), kGrey);
  EXPECT_EQ(dib.Pixel(9, 10), kGrey);
  // Scaled into 16 x 16.
  SetRec(&r, 20, 20, 36, 36);
  PlotCIcon(&r, icon);
  EXPECT_EQ(Count(dib, kRed, 20, 20, 36, 36), 128);
  EXPECT_EQ(Count(dib, kBlue, 20, 20, 36, 36), 128);
  DisposeCIcon(icon);
}

TEST_F(IconsTest, TheMaskCountsOnlyUnderTheColourIconSwitch) {
  ColourIconDesign design = RedBlueIcon();
  // Mask: the top four rows set, the bottom four clear.
  design.mask = {0xFF, 0, 0xFF, 0, 0xFF, 0, 0xFF, 0, 0, 0, 0, 0, 0, 0, 0, 0};
  UseResources({Res("cicn", 301, ColourIconResource(design))});
  CIconHandle icon = GetCIcon(301);
  ASSERT_NE(icon, nullptr);
  DibSurface dib(20, 20);
  OpenOn(dib);
  Rect r;
  SetRec(&r, 0, 0, 8, 8);
  PlotCIcon(&r, icon);
  EXPECT_EQ(Count(dib, kGrey, 0, 0, 8, 8), 0) << "without the switch the mask is ignored";
  ZEB_SetFlags(0, 0, ZEB_SW_COLORICONS, ZEB_SW_COLORICONS);
  SetRec(&r, 10, 10, 18, 18);
  PlotCIcon(&r, icon);
  EXPECT_EQ(Count(dib, kRed, 10, 10, 18, 14), 16);
  EXPECT_EQ(Count(dib, kBlue, 10, 10, 18, 14), 16);
  EXPECT_EQ(Count(dib, kGrey, 10, 14, 18, 18), 32) << "the clear part of the mask is not drawn";
  DisposeCIcon(icon);
}

TEST_F(IconsTest, DamagedColourIconsGiveNilAndPlotNothing) {
  struct Case {
    const char* what;
    ColourIconDesign design;
    int cut;  // bytes taken off the end
  };
  std::vector<Case> cases;
  cases.push_back({"pixel rows cut short", RedBlueIcon(), 1});
  {
    ColourIconDesign s = RedBlueIcon();
    s.pixelRowBytes = 2;  // 8 four-bit pixels need 4
    cases.push_back({"pixel rows shorter than the width", s, 0});
  }
  {
    ColourIconDesign s = RedBlueIcon();
    s.storedCtSize = 200;  // entries past the resource's end
    cases.push_back({"colour table count past the end", s, 0});
  }
  {
    ColourIconDesign s = RedBlueIcon();
    s.depth = 3;
    cases.push_back({"unknown depth", s, 0});
  }
  {
    ColourIconDesign s = RedBlueIcon();
    s.boundsBottom = 30000;  // rows past the resource
    cases.push_back({"bounds taller than the data", s, 0});
  }
  {
    ColourIconDesign s = RedBlueIcon();
    s.storedCtSize = -5;
    cases.push_back({"negative table count", s, 0});
  }
  std::vector<zeb::resfmt::ImageResource> resources;
  for (size_t i = 0; i < cases.size(); ++i) {
    std::vector<uint8_t> bytes = ColourIconResource(cases[i].design);
    bytes.resize(bytes.size() - static_cast<size_t>(cases[i].cut));
    resources.push_back(Res("cicn", static_cast<short>(400 + i), bytes));
  }
  resources.push_back(Res("cicn", 500, std::vector<uint8_t>(40, 0)));  // shorter than the header
  UseResources(std::move(resources));
  for (size_t i = 0; i < cases.size(); ++i)
    EXPECT_EQ(GetCIcon(static_cast<short>(400 + i)), nullptr) << cases[i].what;
  EXPECT_EQ(GetCIcon(500), nullptr) << "shorter than the header";
  EXPECT_EQ(GetCIcon(999), nullptr) << "no such resource";

  DibSurface dib(20, 20);
  OpenOn(dib);
  Rect r;
  SetRec(&r, 0, 0, 8, 8);
  PlotCIcon(&r, nullptr);
  EXPECT_EQ(QDError(), paramErr);
  Handle notAnIcon = NewHandleClear(200);
  PlotCIcon(&r, reinterpret_cast<CIconHandle>(notAnIcon));
  EXPECT_EQ(QDError(), paramErr);
  DisposeCIcon(reinterpret_cast<CIconHandle>(notAnIcon));  // not an icon: left alone
  EXPECT_EQ(GetHandleSize(notAnIcon), 200);
  EXPECT_EQ(Count(dib, kGrey, 0, 0, 20, 20), 400);
  DisposeHandle(notAnIcon);
}

}  // namespace
}  // namespace zebtest

// Regions in rectangle form, graphics devices, colour tables and pixel maps.
#include "quickdraw_fixture.h"

namespace zebtest {
namespace {

using RegionsTest = QuickDrawTest;
using DevicesTest = QuickDrawTest;

TEST_F(RegionsTest, NewRegionsAreEmptyRectangles) {
  RgnHandle rgn = NewRgn();
  ASSERT_NE(rgn, nullptr);
  EXPECT_EQ(GetHandleSize(reinterpret_cast<Handle>(rgn)), 14);
  EXPECT_EQ((*rgn)->rgnSize, 10);
  Rect empty = {0, 0, 0, 0};
  EXPECT_TRUE(EqualRect(&(*rgn)->rgnBBox, &empty));
  DisposeRgn(rgn);
}

TEST_F(RegionsTest, RectangleCallsSetTheBoxAndEmptyOnesBecomeTheEmptyRegion) {
  struct Case {
    Rect r;
    Rect box;
  };
  const Case cases[] = {
      {{10, 20, 30, 40}, {10, 20, 30, 40}},
      {{-5, -6, 7, 8}, {-5, -6, 7, 8}},
      {{10, 20, 10, 40}, {0, 0, 0, 0}},   // no height
      {{10, 40, 30, 20}, {0, 0, 0, 0}},   // right before left
  };
  RgnHandle rgn = NewRgn();
  for (const Case& c : cases) {
    RectRgn(rgn, &c.r);
    EXPECT_TRUE(EqualRect(&(*rgn)->rgnBBox, &c.box)) << c.r.left << "," << c.r.top;
    SetRectRgn(rgn, c.r.left, c.r.top, c.r.right, c.r.bottom);
    EXPECT_TRUE(EqualRect(&(*rgn)->rgnBBox, &c.box));
  }
  SetRectRgn(rgn, 1, 2, 3, 4);
  SetEmptyRgn(rgn);
  EXPECT_EQ((*rgn)->rgnBBox.right, 0);
  DisposeRgn(rgn);
}

TEST_F(RegionsTest, CopyRgnCopiesTheBoxAndLeavesTheSourceAlone) {
  RgnHandle a = NewRgn(), b = NewRgn();
  SetRectRgn(a, 1, 2, 3, 4);
  CopyRgn(a, b);
  EXPECT_TRUE(EqualRect(&(*a)->rgnBBox, &(*b)->rgnBBox));
  SetRectRgn(a, 5, 6, 7, 8);
  EXPECT_EQ((*b)->rgnBBox.left, 1);
  CopyRgn(a, a);
  EXPECT_EQ((*a)->rgnBBox.left, 5);
  DisposeRgn(a);
  DisposeRgn(b);
}

TEST_F(RegionsTest, BadRegionHandlesAreLeftAlone) {
  DisposeRgn(nullptr);
  CopyRgn(nullptr, nullptr);
  SetRectRgn(nullptr, 0, 0, 1, 1);
  RectRgn(nullptr, nullptr);
  // A handle too small to be a region record is not read as one.
  Handle tiny = NewHandle(4);
  memset(*tiny, 0x77, 4);
  SetEmptyRgn(reinterpret_cast<RgnHandle>(tiny));
  EXPECT_EQ(static_cast<unsigned char>((*tiny)[3]), 0x77);
  DisposeRgn(reinterpret_cast<RgnHandle>(tiny));
  EXPECT_EQ(GetHandleSize(tiny), 4) << "not disposed as a region";
  DisposeHandle(tiny);
  EXPECT_EQ(MemError(), noErr);
}

TEST_F(DevicesTest, BuiltInColourTablesAnswerTheirIDs) {
  struct Case {
    short id;
    short size;  // entries - 1
  };
  for (const Case& c : {Case{1, 1}, Case{4, 15}, Case{8, 255}, Case{20, 15}, Case{40, 255}}) {
    CTabHandle t = GetCTable(c.id);
    ASSERT_NE(t, nullptr) << c.id;
    EXPECT_EQ((*t)->ctSize, c.size);
    EXPECT_EQ((*t)->ctSeed, c.id);
    EXPECT_EQ((*t)->ctTable[0].rgb.red, 0xFFFF) << "white first";
    EXPECT_EQ((*t)->ctTable[c.size].rgb.green, 0) << "black last";
    EXPECT_EQ(GetHandleSize(reinterpret_cast<Handle>(t)), 8 + 8 * (c.size + 1));
    DisposeCTable(t);
  }
  CTabHandle grey = GetCTable(40);
  EXPECT_EQ((*grey)->ctTable[255].rgb.blue, 0);
  EXPECT_EQ((*grey)->ctTable[128].rgb.red, 0xFFFF - 128 * 0x0101);
  DisposeCTable(grey);
  EXPECT_EQ(GetCTable(2), nullptr);
  EXPECT_EQ(GetCTable(-8), nullptr);
}

TEST_F(DevicesTest, DevicesFormAListAfterTheMainDevice) {
  GDHandle main = GetMainDevice();
  ASSERT_NE(main, nullptr);
  EXPECT_EQ(GetDeviceList(), main);
  EXPECT_EQ(GetGDevice(), main);
  EXPECT_EQ((*main)->gdRefNum, 0);
  EXPECT_NE((*main)->gdPMap, nullptr);
  GDHandle offscreen = NewGDevice(-1, 0);
  ASSERT_NE(offscreen, nullptr);
  EXPECT_EQ(GetHandleSize(reinterpret_cast<Handle>(offscreen)), static_cast<long>(sizeof(GDevice)));
  EXPECT_EQ(reinterpret_cast<GDHandle>((*main)->gdNextGD), offscreen);
  EXPECT_NE((*offscreen)->gdReserved, 0) << "an offscreen device has a memory DC";
  // Ports opened while an offscreen device is current draw on its DC.
  SetGDevice(offscreen);
  GrafPort port{};
  OpenPort(&port);
  EXPECT_EQ(reinterpret_cast<intptr_t>(ZEB_GetCurrentDC()),
            static_cast<intptr_t>((*offscreen)->gdReserved));
  ClosePort(&port);
  SetGDevice(main);
  DisposeGDevice(offscreen);
  EXPECT_EQ((*main)->gdNextGD, nullptr);
  EXPECT_EQ(GetMainDevice(), main);
}

TEST_F(DevicesTest, NewPixMapTakesACopyOfTheCurrentDevicesTable) {
  PixMapHandle pm = NewPixMap();
  ASSERT_NE(pm, nullptr);
  CTabHandle deviceTable = (*(*GetGDevice())->gdPMap)->pmTable;
  ASSERT_NE((*pm)->pmTable, nullptr);
  EXPECT_NE((*pm)->pmTable, deviceTable);
  EXPECT_EQ((*(*pm)->pmTable)->ctSize, (*deviceTable)->ctSize);
  EXPECT_NE(static_cast<unsigned short>((*pm)->rowBytes) & 0x8000, 0);
  EXPECT_EQ((*pm)->hRes, 72 << 16);
  DisposePixMap(pm);
}

TEST(RectCalls, PointAndRectangleCallsFollowTheToolbox) {
  Rect r;
  SetRect(&r, 10, 20, 30, 40);
  EXPECT_EQ(r.top, 20);
  OffsetRect(&r, 5, -5);
  EXPECT_EQ(r.left, 15);
  EXPECT_EQ(r.top, 15);
  InsetRect(&r, 15, 0);
  EXPECT_TRUE(EmptyRect(&r));
  EXPECT_EQ(r.right, 0) << "an inset without area is the empty rectangle";
  Rect a = {0, 0, 10, 10}, b = {5, 5, 20, 20}, out;
  EXPECT_TRUE(SectRect(&a, &b, &out));
  EXPECT_EQ(out.bottom, 10);
  EXPECT_TRUE(SectRect(&a, &b, &a)) << "the destination may be a source";
  EXPECT_EQ(a.top, 5);
  UnionRect(&a, &b, &out);
  EXPECT_EQ(out.right, 20);
  Point p, q;
  SetPt(&p, 3, 4);
  EXPECT_EQ(p.h, 3);
  EXPECT_FALSE(PtInRect(p, &out));
  SetPt(&q, 6, 6);
  EXPECT_TRUE(PtInRect(q, &out));
  AddPt(p, &q);
  EXPECT_EQ(q.h, 9);
  SubPt(p, &q);
  EXPECT_TRUE(EqualPt(q, Point{6, 6}));
  Pt2Rect(p, q, &out);
  EXPECT_EQ(out.left, 3);
  EXPECT_EQ(out.bottom, 6);
  Rect from = {0, 0, 10, 10}, to = {0, 0, 20, 40}, zero = {5, 5, 5, 5};
  MapPt(&q, &from, &to);
  EXPECT_EQ(q.h, 24);
  EXPECT_EQ(q.v, 12);
  MapPt(&q, &zero, &to);  // no division by a zero-sized frame
  EXPECT_EQ(q.h, 19);
  Rect m = {2, 2, 4, 4};
  MapRect(&m, &from, &to);
  EXPECT_EQ(m.right, 16);
  EXPECT_EQ(m.bottom, 8);
}

}  // namespace
}  // namespace zebtest

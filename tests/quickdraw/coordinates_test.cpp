// The port's origin, clip and coordinate conversions, drawn into DIB sections.
#include "quickdraw_fixture.h"

namespace zebtest {
namespace {

using CoordinatesTest = QuickDrawTest;

TEST_F(CoordinatesTest, SetOriginMovesPortRectAndVisRgnButNotTheClip) {
  DibSurface dib(40, 30);
  CGrafPort port{};
  OpenColourPortOn(port, dib);
  PortSize(300, 200);
  RgnHandle vis = port.visRgn;
  const Rect visBefore = (*vis)->rgnBBox;
  Rect clip;
  SetRec(&clip, 0, 0, 10, 10);
  ClipRect(&clip);
  SetOrigin(100, 50);
  EXPECT_EQ(port.portRect.top, 50);
  EXPECT_EQ(port.portRect.left, 100);
  EXPECT_EQ(port.portRect.bottom, 250);
  EXPECT_EQ(port.portRect.right, 400);
  EXPECT_EQ((*vis)->rgnBBox.left, visBefore.left + 100);
  EXPECT_EQ((*vis)->rgnBBox.top, visBefore.top + 50);
  EXPECT_TRUE(EqualRec(&(*port.clipRgn)->rgnBBox, &clip)) << "clipRgn stays put";
  // The clip (0, 0, 10, 10) is now far from the drawing: nothing lands.
  PenSize(20, 20);
  MoveT(100, 50);
  LineT(100, 50);
  EXPECT_EQ(dib.CountBlack(), 0);
  // With a clip around the new origin, local (100, 50) lands on device pixel (0, 0).
  SetRec(&clip, 100, 50, 104, 53);
  ClipRect(&clip);
  LineT(100, 50);
  EXPECT_TRUE(dib.IsBlack(0, 0));
  EXPECT_TRUE(dib.IsBlack(3, 2));
  EXPECT_FALSE(dib.IsBlack(4, 2)) << "clipped at the clip's right edge";
  EXPECT_FALSE(dib.IsBlack(3, 3));
  EXPECT_EQ(dib.CountBlack(), 12);
  CloseCPort(&port);
}

TEST_F(CoordinatesTest, ClipRegionsAreIntersectedWithTheVisibleRegion) {
  DibSurface dib(20, 20);
  CGrafPort port{};
  OpenColourPortOn(port, dib);
  SetRectRgn(port.visRgn, 0, 0, 8, 20);
  RgnHandle clip = NewRgn();
  SetRectRgn(clip, 4, 0, 20, 20);
  SetClip(clip);
  PenSize(20, 1);
  MoveT(0, 5);
  LineT(0, 5);
  EXPECT_EQ(dib.Row(5, 0, 12), "....####....");
  RgnHandle copy = NewRgn();
  GetClip(copy);
  EXPECT_EQ((*copy)->rgnBBox.left, 4);
  // An empty clip draws nothing at all.
  SetEmptyRgn(clip);
  SetClip(clip);
  MoveT(0, 8);
  LineT(0, 8);
  EXPECT_EQ(dib.Row(8, 0, 12), "............");
  DisposeRgn(clip);
  DisposeRgn(copy);
  CloseCPort(&port);
}

TEST_F(CoordinatesTest, AClipChangedWhileThePenIsHiddenIsSelectedWhenItShowsAgain) {
  DibSurface dib(20, 8);
  CGrafPort port{};
  OpenColourPortOn(port, dib);
  Rect left;
  SetRec(&left, 0, 0, 5, 8);
  ClipRect(&left);
  HidePen();  // as OpenRgn and OpenPoly do
  Rect right;
  SetRec(&right, 10, 0, 20, 8);
  ClipRect(&right);
  ShowPen();
  MoveT(0, 3);
  LineT(19, 3);
  EXPECT_EQ(dib.Row(3, 0, 20), "..........##########") << "the right-hand clip applies";
  CloseCPort(&port);
}

TEST_F(CoordinatesTest, SelectClipRgnReportsTheKindOfClip) {
  DibSurface dib(8, 8);
  RgnHandle rgn = NewRgn();
  EXPECT_EQ(ZEB_SelectClipRgn(dib.dc(), rgn), ZEB_CLIP_EMPTY);
  SetRectRgn(rgn, 1, 1, 5, 5);
  EXPECT_EQ(ZEB_SelectClipRgn(dib.dc(), rgn), ZEB_CLIP_SIMPLE);
  RECT box;
  EXPECT_EQ(GetClipBox(dib.dc(), &box), SIMPLEREGION);
  EXPECT_EQ(box.right, 5);
  // While clipping is suspended nothing is selected.
  const unsigned long previous = ZEB_SystemValue(ZEB_SV_SET, 23, 1);
  SetRectRgn(rgn, 0, 0, 2, 2);
  EXPECT_EQ(ZEB_SelectClipRgn(dib.dc(), rgn), ZEB_CLIP_SIMPLE);
  GetClipBox(dib.dc(), &box);
  EXPECT_EQ(box.right, 5);
  ZEB_SystemValue(ZEB_SV_SET, 23, previous);
  DisposeRgn(rgn);
}

TEST_F(CoordinatesTest, LocalAndGlobalCoordinatesAreWindowsScreenCoordinates) {
  GrafPort port{};
  OpenPort(&port);  // on the screen DC: the frame window's client area
  POINT client = {0, 0};
  ClientToScreen(frame_, &client);
  SetOrigin(100, 50);
  Point pt;
  SetPt(&pt, 100, 50);
  LocalToGlobal(&pt);
  EXPECT_EQ(pt.h, client.x);
  EXPECT_EQ(pt.v, client.y);
  SetPt(&pt, static_cast<short>(client.x + 7), static_cast<short>(client.y + 9));
  GlobalToLocal(&pt);
  EXPECT_EQ(pt.h, 107);
  EXPECT_EQ(pt.v, 59);
  SetPt(&pt, 100, 50);
  ZEB_LocalToScreen(&pt);
  EXPECT_EQ(pt.h, client.x) << "already on the screen: nothing added twice";
  ClosePort(&port);

  DibSurface dib(4, 4);
  CGrafPort memory{};
  OpenColourPortOn(memory, dib);
  SetPt(&pt, 3, 2);
  ZEB_LocalToScreen(&pt);
  EXPECT_EQ(pt.h, client.x + 3) << "a port without a window sits at the frame's client origin";
  EXPECT_EQ(pt.v, client.y + 2);
  CloseCPort(&memory);
}

TEST_F(CoordinatesTest, PortRectChangeTakesTheOriginFromPortRect) {
  DibSurface dib(20, 20);
  CGrafPort port{};
  OpenColourPortOn(port, dib);
  OffsetRect(&port.portRect, 10, 5);
  ZEB_PortRectChange();
  MoveT(10, 5);
  LineT(10, 5);
  EXPECT_TRUE(dib.IsBlack(0, 0));
  PortSize(30, 40);
  EXPECT_EQ(port.portRect.right, 40);
  EXPECT_EQ(port.portRect.bottom, 45);
  MovePortTo(0, 0);
  EXPECT_EQ(port.portRect.left, 0);
  EXPECT_EQ(port.portRect.right, 30);
  CloseCPort(&port);
}

}  // namespace
}  // namespace zebtest

// ScrollRect on a port over a DIB section: the pixels move, the uncovered strip comes back as
// the update region and is erased unless ZEB_SystemValue 7 says otherwise; without a region the
// pixels only move.
#include "ZEB.h"
#include "quickdraw_fixture.h"

namespace zebtest {
namespace {

class ScrollRectTest : public QuickDrawTest {
 protected:
  void Open(DibSurface& dib) {
    OpenColourPortOn(port_, dib);
    dib.Fill(0x808080);
    dib.FillRect(2, 0, 3, 4, kBlack);
  }
  void TearDown() override {
    ZEB_SystemValue(ZEB_SV_SET, kNoErase, 0);
    if (port_.patStretch >= 0 && ZEB_GetCurrentDC()) CloseCPort(&port_);
    QuickDrawTest::TearDown();
  }
  static constexpr short kNoErase = 7;
  CGrafPort port_{};
};

TEST_F(ScrollRectTest, PixelsMoveAndTheUncoveredStripIsReturnedAndErased) {
  DibSurface dib(8, 4);
  Open(dib);
  Rect r;
  SetRec(&r, 0, 0, 8, 4);
  RgnHandle update = NewRgn();
  ScrollRect(&r, 2, 0, update);
  EXPECT_EQ(dib.Row(1, 0, 8), "..??#???") << "erased strip, then the moved pixels";
  EXPECT_EQ((*update)->rgnBBox.left, 0);
  EXPECT_EQ((*update)->rgnBBox.right, 2);
  EXPECT_EQ((*update)->rgnBBox.top, 0);
  EXPECT_EQ((*update)->rgnBBox.bottom, 4);
  DisposeRgn(update);
}

TEST_F(ScrollRectTest, NoEraseOptionLeavesTheStripButReturnsIt) {
  DibSurface dib(8, 4);
  Open(dib);
  ZEB_SystemValue(ZEB_SV_SET, kNoErase, 1);
  Rect r;
  SetRec(&r, 0, 0, 8, 4);
  RgnHandle update = NewRgn();
  ScrollRect(&r, 0, 1, update);
  EXPECT_EQ(dib.Row(0, 0, 8), "??#?????") << "the strip keeps what it had";
  EXPECT_EQ((*update)->rgnBBox.bottom, 1);
  EXPECT_FALSE(EmptyRgn(update));
  DisposeRgn(update);
}

TEST_F(ScrollRectTest, WithoutARegionPixelsOnlyMove) {
  DibSurface dib(8, 4);
  Open(dib);
  Rect r;
  SetRec(&r, 0, 0, 8, 4);
  ScrollRect(&r, -2, 0, nullptr);
  EXPECT_EQ(dib.Row(2, 0, 8), "#???????");
}

TEST_F(ScrollRectTest, ScrollStaysInsideTheRectangleAndTheClip) {
  DibSurface dib(8, 4);
  Open(dib);
  Rect clip;
  SetRec(&clip, 0, 0, 4, 4);
  ClipRect(&clip);
  Rect r;
  SetRec(&r, 0, 0, 8, 4);
  RgnHandle update = NewRgn();
  ScrollRect(&r, 3, 0, update);
  // The column at 2 moves to 5, outside the clip: it leaves, and nothing lands past x = 4.
  EXPECT_EQ(dib.Row(0, 4, 8), "????");
  EXPECT_EQ(dib.Pixel(2, 0), kWhite) << "the uncovered strip inside the clip is erased";
  DisposeRgn(update);
}

}  // namespace
}  // namespace zebtest

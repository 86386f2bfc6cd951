// Offscreen worlds: made with the screen's depth, drawn into, copied onto a port over a DIB
// section, placed at their bounds' origin, and the refusals of bad requests.
#include "MacMemory.h"
#include "QDOffscreen.h"
#include "ZEB.h"
#include "quickdraw_fixture.h"

namespace zebtest {
namespace {

class GWorldTest : public QuickDrawTest {
 protected:
  void TearDown() override {
    if (port_.patStretch >= 0 && ZEB_GetCurrentDC()) CloseCPort(&port_);
    QuickDrawTest::TearDown();
  }
  CGrafPort port_{};
};

Rect R(short l, short t, short r, short b) {
  Rect x;
  SetRec(&x, l, t, r, b);
  return x;
}

TEST_F(GWorldTest, WorldTakesTheScreensDepthAndItsDrawingCopiesOntoAPort) {
  DibSurface dib(16, 8);
  dib.Fill(kWhite);
  OpenColourPortOn(port_, dib);
  GrafPtr before;
  GetPort(&before);
  GWorldPtr world = nullptr;
  Rect bounds = R(0, 0, 16, 8);
  ASSERT_EQ(NewGWorld(&world, 8, &bounds, nullptr, nullptr, 0), 0);
  ASSERT_NE(world, nullptr);
  GrafPtr after;
  GetPort(&after);
  EXPECT_EQ(after, before) << "the caller's port stays current";
  PixMapHandle pm = GetGWorldPixMap(world);
  ASSERT_NE(pm, nullptr);
  // Wine's screen is 24-bit: an 8-bit request gives a direct world on the default path.
  EXPECT_GT((*pm)->pixelSize, 8);
  EXPECT_EQ(static_cast<unsigned short>(world->portVersion), 0xE000);
  EXPECT_TRUE(LockPixels(pm));
  UnlockPixels(pm);

  CGrafPtr savedPort;
  GDHandle savedDevice;
  GetGWorld(&savedPort, &savedDevice);
  SetGWorld(world, nullptr);
  EraseRect(&bounds);
  Rect ink = R(4, 2, 8, 6);
  PaintRect(&ink);
  SetGWorld(savedPort, savedDevice);
  CopyBits(&reinterpret_cast<GrafPtr>(world)->portBits, &AsGraf(port_)->portBits, &bounds,
           &bounds, srcCopy, nullptr);
  EXPECT_EQ(dib.Row(3, 0, 16), "....####........");
  EXPECT_EQ(dib.Row(1, 0, 16), "................");
  DisposeGWorld(world);
}

TEST_F(GWorldTest, BoundsOriginIsTheWorldsLocalTopLeft) {
  DibSurface dib(8, 8);
  dib.Fill(kWhite);
  OpenColourPortOn(port_, dib);
  GWorldPtr world = nullptr;
  Rect bounds = R(100, 50, 108, 58);
  ASSERT_EQ(NewGWorld(&world, 32, &bounds, nullptr, nullptr, 0), 0);
  SetGWorld(world, nullptr);
  EraseRect(&bounds);
  Rect dot = R(100, 50, 102, 52);  // the world's first two columns and rows
  PaintRect(&dot);
  SetPort(AsGraf(port_));
  Rect dst = R(0, 0, 8, 8);
  CopyBits(&reinterpret_cast<GrafPtr>(world)->portBits, &AsGraf(port_)->portBits, &bounds, &dst,
           srcCopy, nullptr);
  EXPECT_EQ(dib.Row(0, 0, 8), "##......");
  EXPECT_EQ(dib.Row(2, 0, 8), "........");
  DisposeGWorld(world);
}

TEST_F(GWorldTest, WorldPixelsCopyIntoMemoryAndBack) {
  GWorldPtr world = nullptr;
  Rect bounds = R(0, 0, 8, 1);
  ASSERT_EQ(NewGWorld(&world, 1, &bounds, nullptr, nullptr, 0), 0);
  // A one-bit image in, the same image out.
  unsigned char in[2] = {0xA5, 0}, out[2] = {0, 0};
  BitMap src{reinterpret_cast<Ptr>(in), 2, bounds}, dst{reinterpret_cast<Ptr>(out), 2, bounds};
  GrafPtr w = reinterpret_cast<GrafPtr>(world);
  CopyBits(&src, &w->portBits, &bounds, &bounds, srcCopy, nullptr);
  CopyBits(&w->portBits, &dst, &bounds, &bounds, srcCopy, nullptr);
  EXPECT_EQ(out[0], 0xA5);
  DisposeGWorld(world);
}

TEST_F(GWorldTest, BadRequestsFailAndDisposingANonWorldDoesNothing) {
  GWorldPtr world = reinterpret_cast<GWorldPtr>(1);
  Rect empty = R(0, 0, 0, 10);
  EXPECT_EQ(NewGWorld(&world, 8, &empty, nullptr, nullptr, 0), -1);
  EXPECT_EQ(world, nullptr);
  Rect huge = R(-32000, -32000, 32000, 32000);
  EXPECT_EQ(NewGWorld(&world, 32, &huge, nullptr, nullptr, 0), -1);
  EXPECT_EQ(world, nullptr);
  EXPECT_EQ(NewGWorld(nullptr, 8, &huge, nullptr, nullptr, 0), -1);
  // An ordinary colour port given to DisposeGWorld stays open and usable.
  DibSurface dib(4, 1);
  dib.Fill(kWhite);
  OpenColourPortOn(port_, dib);
  DisposeGWorld(&port_);
  Rect r = R(0, 0, 2, 1);
  PaintRect(&r);
  EXPECT_EQ(dib.Row(0, 0, 4), "##..");
  DisposeGWorld(nullptr);
}

}  // namespace
}  // namespace zebtest

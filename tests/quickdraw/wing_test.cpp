// WinG: without "wing.dll" offscreen worlds are device bitmaps of the screen's depth; with the
// test's stand-in beside the program (in its working directory) the library loads it, makes
// worlds on its bitmaps through its entry points, and copies out of them with WinGBitBlt; a
// stand-in lacking one of the six entry points is not used.
#include <string>

#include "QDOffscreen.h"
#include "ZEB.h"
#include "quickdraw_fixture.h"
#include "temp_dir.h"

namespace zebtest {
namespace {

class WinGTest : public QuickDrawTest {
 protected:
  void SetUp() override {
    char previous[MAX_PATH];
    GetCurrentDirectoryA(sizeof previous, previous);
    previous_ = previous;
    ASSERT_TRUE(SetCurrentDirectoryA(dir_.path().c_str()));
    QuickDrawTest::SetUp();
  }
  void TearDown() override {
    QuickDrawTest::TearDown();
    SetCurrentDirectoryA(previous_.c_str());
  }
  // Copies the stand-in built as bin/wing_<variant>/wing.dll into the working directory.
  void PlaceDouble(const char* variant) {
    char exe[MAX_PATH];
    GetModuleFileNameA(nullptr, exe, sizeof exe);
    std::string dir(exe);
    dir.erase(dir.find_last_of("\\/") + 1);
    const std::string from = dir + "wing_" + variant + "\\wing.dll";
    ASSERT_TRUE(CopyFileA(from.c_str(), dir_.File("wing.dll").c_str(), FALSE)) << from;
  }
  static std::string DoubleLog() {
    HMODULE m = GetModuleHandleA("wing.dll");
    if (!m) return "(not loaded)";
    auto log = reinterpret_cast<const char*(WINAPI*)()>(reinterpret_cast<void*>(GetProcAddress(m, "WinGDoubleLog")));
    return log ? log() : "(no log)";
  }
  GWorldPtr MakeWorld() {
    GWorldPtr world = nullptr;
    Rect bounds;
    SetRec(&bounds, 0, 0, 8, 4);
    EXPECT_EQ(NewGWorld(&world, 8, &bounds, nullptr, nullptr, 0), 0);
    return world;
  }
  // Paints the world's left half black and the right half white, then copies it onto a DIB.
  void DrawAndCopyOut(GWorldPtr world, DibSurface& dib) {
    CGrafPort target{};
    OpenColourPortOn(target, dib);
    SetGWorld(world, nullptr);
    Rect r;
    SetRec(&r, 0, 0, 8, 4);
    EraseRect(&r);
    SetRec(&r, 0, 0, 4, 4);
    PaintRect(&r);
    SetPort(reinterpret_cast<GrafPtr>(&target));
    SetRec(&r, 0, 0, 8, 4);
    CopyBits(&reinterpret_cast<GrafPtr>(world)->portBits, &reinterpret_cast<GrafPtr>(&target)->portBits,
             &r, &r, srcCopy, nullptr);
    ClosePort(reinterpret_cast<GrafPtr>(&target));
  }

  TempDir dir_;
  std::string previous_;
};

TEST_F(WinGTest, WithoutWinGWorldsAreDeviceBitmapsOfTheScreensDepth) {
  GWorldPtr world = MakeWorld();
  ASSERT_NE(world, nullptr);
  EXPECT_EQ(GetModuleHandleA("wing.dll"), nullptr);
  HDC screen = GetDC(nullptr);
  const int screenBits = GetDeviceCaps(screen, BITSPIXEL);
  ReleaseDC(nullptr, screen);
  EXPECT_EQ((*world->portPixMap)->pixelSize, screenBits > 16 ? 32 : screenBits);
  DibSurface dib(8, 4);
  DrawAndCopyOut(world, dib);
  EXPECT_EQ(dib.Row(0, 0, 8), "####....");
  DisposeGWorld(world);
}

TEST_F(WinGTest, WinGIsLoadedAndItsBitmapsHoldTheWorld) {
  PlaceDouble("complete");
  GWorldPtr world = MakeWorld();
  ASSERT_NE(world, nullptr);
  ASSERT_NE(GetModuleHandleA("wing.dll"), nullptr);
  EXPECT_EQ(DoubleLog(), "RecommendDIBFormat CreateDC CreateBitmap GetDIBPointer");
  EXPECT_EQ((*world->portPixMap)->pixelSize, 16) << "the depth WinG recommended";
  DibSurface dib(8, 4);
  DrawAndCopyOut(world, dib);
  EXPECT_EQ(dib.Row(0, 0, 8), "####....");
  EXPECT_EQ(dib.Row(3, 0, 8), "####....");
  EXPECT_EQ(DoubleLog(), "RecommendDIBFormat CreateDC CreateBitmap GetDIBPointer BitBlt")
      << "the copy out of the world goes through WinGBitBlt";
  // Drawing reached the rows WinG gave: 16-bit pixels, black 0 on the left, white 0x7FFF.
  HMODULE m = GetModuleHandleA("wing.dll");
  auto bits = reinterpret_cast<void*(WINAPI*)()>(reinterpret_cast<void*>(GetProcAddress(m, "WinGDoubleLastBits")));
  ASSERT_NE(bits, nullptr);
  GdiFlush();
  const auto* row = static_cast<const uint16_t*>(bits());
  ASSERT_NE(row, nullptr);
  EXPECT_EQ(row[0], 0);
  EXPECT_EQ(row[7] & 0x7FFF, 0x7FFF);
  DisposeGWorld(world);
  // Another world is made on WinG again; the search is not repeated.
  GWorldPtr second = MakeWorld();
  ASSERT_NE(second, nullptr);
  EXPECT_EQ((*second->portPixMap)->pixelSize, 16);
  DisposeGWorld(second);
}

TEST_F(WinGTest, AWinGWithoutAllSixEntryPointsIsNotUsed) {
  PlaceDouble("partial");
  GWorldPtr world = MakeWorld();
  ASSERT_NE(world, nullptr);
  EXPECT_NE((*world->portPixMap)->pixelSize, 16) << "a device bitmap, not a WinG one";
  EXPECT_EQ(GetModuleHandleA("wing.dll"), nullptr) << "the library let it go";
  DibSurface dib(8, 4);
  DrawAndCopyOut(world, dib);
  EXPECT_EQ(dib.Row(0, 0, 8), "####....");
  DisposeGWorld(world);
}

}  // namespace
}  // namespace zebtest

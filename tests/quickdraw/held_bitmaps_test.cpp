// The Windows bitmap a pixel map holds: taken with ZEB_SetPixBM and drawn from by CopyBits,
// handed back when replaced, refused when it is no bitmap or belongs to another DC, and the
// bytes of the pixel image for each way a map keeps its pixels.
#include <vector>

#include "MacMemory.h"
#include "QDOffscreen.h"
#include "quickdraw_fixture.h"

namespace zebtest {
namespace {

class HeldBitmapTest : public QuickDrawTest {
 protected:
  void TearDown() override {
    if (port_.patStretch >= 0 && ZEB_GetCurrentDC()) CloseCPort(&port_);
    QuickDrawTest::TearDown();
  }
  // A screen-compatible bitmap, its left half red and its right half blue.
  static HBITMAP TwoColourBitmap(int width, int height) {
    HDC screen = GetDC(nullptr);
    HBITMAP bm = CreateCompatibleBitmap(screen, width, height);
    HDC dc = CreateCompatibleDC(screen);
    ReleaseDC(nullptr, screen);
    HGDIOBJ first = SelectObject(dc, bm);
    RECT left{0, 0, width / 2, height}, right{width / 2, 0, width, height};
    HBRUSH red = CreateSolidBrush(RGB(255, 0, 0)), blue = CreateSolidBrush(RGB(0, 0, 255));
    ::FillRect(dc, &left, red);
    ::FillRect(dc, &right, blue);
    SelectObject(dc, first);
    DeleteObject(red);
    DeleteObject(blue);
    DeleteDC(dc);
    return bm;
  }
  CGrafPort port_{};
};

TEST_F(HeldBitmapTest, HeldBitmapIsDrawnFromAndReplacedBitmapComesBack) {
  PixMapHandle pm = NewPixMap();
  ASSERT_NE(pm, nullptr);
  EXPECT_EQ(ZEB_GetPixBM(pm), nullptr);
  HBITMAP bm = TwoColourBitmap(8, 4);
  EXPECT_EQ(ZEB_SetPixBM(pm, bm), nullptr) << "the map held none before";
  EXPECT_EQ(QDError(), noErr);
  EXPECT_EQ(ZEB_GetPixBM(pm), bm);
  EXPECT_EQ((*pm)->bounds.right, 8);
  EXPECT_EQ((*pm)->bounds.bottom, 4);
  BITMAP info{};
  GetObjectA(bm, sizeof(info), &info);
  EXPECT_EQ(ZEB_GetPixMapSize(pm), info.bmWidthBytes * 4);

  DibSurface dib(8, 4);
  dib.Fill(kWhite);
  OpenColourPortOn(port_, dib);
  Rect r;
  SetRec(&r, 0, 0, 8, 4);
  ForeColor(blackColor);
  BackColor(whiteColor);
  CopyBits(reinterpret_cast<const BitMap*>(*pm), &AsGraf(port_)->portBits, &r, &r, srcCopy,
           nullptr);
  EXPECT_EQ(dib.Pixel(1, 1), 0xFF0000u) << "the held bitmap's pixels reach the port";
  EXPECT_EQ(dib.Pixel(6, 2), 0x0000FFu);

  // A new bitmap replaces it; the old one comes back free to be selected elsewhere.
  HBITMAP other = TwoColourBitmap(5, 3);
  EXPECT_EQ(ZEB_SetPixBM(pm, other), bm);
  EXPECT_EQ(ZEB_GetPixBM(pm), other);
  EXPECT_EQ((*pm)->bounds.right, 5);
  HDC probe = CreateCompatibleDC(nullptr);
  HGDIOBJ first = SelectObject(probe, bm);
  EXPECT_NE(first, nullptr) << "the returned bitmap is selected nowhere";
  SelectObject(probe, first);
  DeleteDC(probe);
  DeleteObject(bm);
  // A copy describes the bitmap but leaves it to the map that holds it, which disposes of it.
  PixMapHandle copy = NewPixMap();
  ASSERT_NE(copy, nullptr);
  CopyPixMap(pm, copy);
  EXPECT_EQ(ZEB_GetPixBM(copy), other);
  DisposePixMap(copy);
  EXPECT_EQ(GetObjectType(other), static_cast<DWORD>(OBJ_BITMAP));
  EXPECT_EQ(ZEB_GetPixBM(pm), other);
  DisposePixMap(pm);
  EXPECT_EQ(GetObjectType(other), 0u);
}

TEST_F(HeldBitmapTest, BadBitmapsAndMapsAreRefusedAndChangeNothing) {
  PixMapHandle pm = NewPixMap();
  ASSERT_NE(pm, nullptr);
  HBITMAP bm = TwoColourBitmap(4, 4);
  EXPECT_EQ(ZEB_SetPixBM(nullptr, bm), nullptr);
  EXPECT_EQ(QDError(), paramErr);
  EXPECT_EQ(ZEB_SetPixBM(pm, nullptr), nullptr);
  EXPECT_EQ(QDError(), paramErr);
  EXPECT_EQ(ZEB_SetPixBM(pm, reinterpret_cast<HBITMAP>(GetStockObject(BLACK_BRUSH))), nullptr);
  EXPECT_EQ(QDError(), paramErr);
  // A bitmap selected into another DC cannot be selected into the map's.
  HDC elsewhere = CreateCompatibleDC(nullptr);
  HGDIOBJ first = SelectObject(elsewhere, bm);
  EXPECT_EQ(ZEB_SetPixBM(pm, bm), nullptr);
  EXPECT_EQ(QDError(), paramErr);
  EXPECT_EQ(ZEB_GetPixBM(pm), nullptr);
  SelectObject(elsewhere, first);
  DeleteDC(elsewhere);
  // A handle too small for the library's pixel map record holds nothing.
  Handle small = NewHandleClear(sizeof(PixMap));
  EXPECT_EQ(ZEB_SetPixBM(reinterpret_cast<PixMapHandle>(small), bm), nullptr);
  EXPECT_EQ(QDError(), paramErr);
  EXPECT_EQ(ZEB_GetPixBM(reinterpret_cast<PixMapHandle>(small)), nullptr);
  DisposeHandle(small);
  EXPECT_EQ(ZEB_GetPixBM(nullptr), nullptr);
  EXPECT_EQ(ZEB_GetPixMapSize(nullptr), 0);
  EXPECT_EQ(QDError(), paramErr);
  DisposePixMap(pm);
  EXPECT_EQ(GetObjectType(bm), static_cast<DWORD>(OBJ_BITMAP)) << "a refused bitmap stays the caller's";
  DeleteObject(bm);
}

TEST_F(HeldBitmapTest, PixelImageSizeFollowsWhereThePixelsLive) {
  // Macintosh rows: rowBytes without its flag bits, times the rows.
  PixMapHandle pm = NewPixMap();
  ASSERT_NE(pm, nullptr);
  (*pm)->rowBytes = static_cast<short>(0x8000 | 16);
  SetRec(&(*pm)->bounds, 3, 2, 30, 9);
  EXPECT_EQ(ZEB_GetPixMapSize(pm), 16 * 7);
  SetRec(&(*pm)->bounds, 0, 9, 4, 2);
  EXPECT_EQ(ZEB_GetPixMapSize(pm), 0) << "an inverted map has no rows";
  DisposePixMap(pm);

  // A packed DIB of 5 x 3 eight-bit pixels: rows padded to 8 bytes.
  std::vector<uint8_t> dib(sizeof(BITMAPINFOHEADER) + 256 * 4 + 8 * 3);
  auto* h = reinterpret_cast<BITMAPINFOHEADER*>(dib.data());
  h->biSize = sizeof(BITMAPINFOHEADER);
  h->biWidth = 5;
  h->biHeight = 3;
  h->biPlanes = 1;
  h->biBitCount = 8;
  h->biCompression = BI_RGB;
  PixMapHandle held = ZEB_NewDIBPixMap(reinterpret_cast<const BITMAPINFO*>(dib.data()));
  ASSERT_NE(held, nullptr);
  EXPECT_EQ(ZEB_GetPixMapSize(held), 8 * 3);
  DisposePixMap(held);

  // An offscreen world's bitmap.
  GWorldPtr world = nullptr;
  Rect bounds;
  SetRec(&bounds, 0, 0, 12, 5);
  ASSERT_EQ(NewGWorld(&world, 8, &bounds, nullptr, nullptr, 0), 0);
  PixMapHandle wpm = GetGWorldPixMap(world);
  HBITMAP wbm = ZEB_GetPixBM(wpm);
  ASSERT_NE(wbm, nullptr);
  BITMAP info{};
  GetObjectA(wbm, sizeof(info), &info);
  EXPECT_EQ(ZEB_GetPixMapSize(wpm), info.bmWidthBytes * 5);
  DisposeGWorld(world);
}

}  // namespace
}  // namespace zebtest

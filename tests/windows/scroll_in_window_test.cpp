// ScrollRect in a real window: the pixels move on the window's own DC, the uncovered strip
// comes back in the port's local coordinates and is erased with the background unless
// ZEB_SystemValue 7 says otherwise; without a region the pixels only move.
#include "ZEB.h"
#include "windows_fixture.h"

namespace zebtest {
namespace {

constexpr short kNoErase = 7;

class ScrollInWindowTest : public WindowsTest {
 protected:
  void TearDown() override {
    ZEB_SystemValue(ZEB_SV_SET, kNoErase, 0);
    WindowsTest::TearDown();
  }
  // A window whose content is grey with a black column at x 10..12, painted straight on its
  // DC; its port's local origin at (originH, originV).
  WindowPtr Prepared(short originH = 0, short originV = 0) {
    WindowPtr w = Make(0, MakeRect(60, 60, 160, 120));
    if (!w) return nullptr;
    Pump();
    SetPort(w);
    SetOrigin(originH, originV);
    Rect all = w->portRect;
    ClipRect(&all);
    HWND hwnd = ZEB_GethWnd(w);
    HDC dc = GetDC(hwnd);
    HBRUSH grey = CreateSolidBrush(RGB(0x80, 0x80, 0x80));
    const RECT client{0, 0, 100, 60}, column{10, 0, 12, 60};
    ::FillRect(dc, &client, grey);
    ::FillRect(dc, &column, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    DeleteObject(grey);
    ReleaseDC(hwnd, dc);
    return w;
  }
  static COLORREF At(WindowPtr w, int x, int y) {
    HWND hwnd = ZEB_GethWnd(w);
    HDC dc = GetDC(hwnd);
    const COLORREF c = GetPixel(dc, x, y) & 0xFFFFFF;
    ReleaseDC(hwnd, dc);
    return c;
  }
};

constexpr COLORREF kGreyPixel = RGB(0x80, 0x80, 0x80);

TEST_F(ScrollInWindowTest, PixelsMoveAndTheStripIsReturnedInLocalCoordinatesAndErased) {
  WindowPtr w = Prepared(100, 50);
  ASSERT_NE(w, nullptr);
  ASSERT_EQ(At(w, 10, 5), RGB(0, 0, 0));
  Rect r = w->portRect;
  RgnHandle update = NewRgn();
  ScrollRect(&r, 5, 0, update);
  EXPECT_EQ(At(w, 15, 5), RGB(0, 0, 0)) << "the column moved right by 5";
  EXPECT_EQ(At(w, 16, 30), RGB(0, 0, 0));
  EXPECT_EQ(At(w, 12, 5), kGreyPixel) << "where the column was, grey came in";
  EXPECT_EQ(At(w, 2, 5), RGB(0xFF, 0xFF, 0xFF)) << "the strip is erased with the background";
  const Rect box = (*update)->rgnBBox;
  EXPECT_EQ(box.left, 100);
  EXPECT_EQ(box.right, 105);
  EXPECT_EQ(box.top, 50);
  EXPECT_EQ(box.bottom, 110);
  DisposeRgn(update);
}

TEST_F(ScrollInWindowTest, NoEraseOptionLeavesTheStripAsItWas) {
  WindowPtr w = Prepared();
  ASSERT_NE(w, nullptr);
  ZEB_SystemValue(ZEB_SV_SET, kNoErase, 1);
  Rect r = w->portRect;
  RgnHandle update = NewRgn();
  ScrollRect(&r, 0, 8, update);
  EXPECT_EQ(At(w, 2, 3), kGreyPixel) << "not erased";
  EXPECT_EQ(At(w, 10, 50), RGB(0, 0, 0));
  EXPECT_EQ((*update)->rgnBBox.top, 0);
  EXPECT_EQ((*update)->rgnBBox.bottom, 8);
  DisposeRgn(update);
}

TEST_F(ScrollInWindowTest, WithoutARegionThePixelsOnlyMove) {
  WindowPtr w = Prepared();
  ASSERT_NE(w, nullptr);
  Rect r = MakeRect(0, 0, 50, 60);
  ScrollRect(&r, -6, 0, nullptr);
  EXPECT_EQ(At(w, 4, 5), RGB(0, 0, 0)) << "moved left by 6";
  EXPECT_EQ(At(w, 46, 5), kGreyPixel) << "the strip keeps its pixels: nothing is erased";
  EXPECT_EQ(At(w, 60, 5), kGreyPixel) << "outside the rectangle nothing moved";
}

}  // namespace
}  // namespace zebtest

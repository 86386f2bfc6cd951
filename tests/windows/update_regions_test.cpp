// Update regions against Windows' own update areas, BeginUpdate's clipping read back from the
// window's pixels, the update nesting, visible regions under overlap, and zooming.
#include <cstring>

#include "windows_fixture.h"

namespace zebtest {
namespace {

// The window's client pixels copied into a 32-bit DIB section.
class ClientPixels {
 public:
  explicit ClientPixels(HWND hwnd) {
    RECT r;
    GetClientRect(hwnd, &r);
    width_ = r.right;
    height_ = r.bottom;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width_;
    info.bmiHeader.biHeight = -height_;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HDC screen = GetDC(hwnd);
    dc_ = CreateCompatibleDC(screen);
    bitmap_ = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    old_ = SelectObject(dc_, bitmap_);
    BitBlt(dc_, 0, 0, width_, height_, screen, 0, 0, SRCCOPY);
    ReleaseDC(hwnd, screen);
    GdiFlush();
    pixels_ = static_cast<const uint32_t*>(bits);
  }
  ~ClientPixels() {
    SelectObject(dc_, old_);
    DeleteObject(bitmap_);
    DeleteDC(dc_);
  }
  bool Black(int x, int y) const { return (pixels_[y * width_ + x] & 0xFFFFFF) == 0; }

 private:
  HDC dc_;
  HBITMAP bitmap_;
  HGDIOBJ old_;
  const uint32_t* pixels_;
  int width_, height_;
};

bool WindowsUpdateHolds(HWND hwnd, int x, int y) {
  HRGN rgn = CreateRectRgn(0, 0, 0, 0);
  GetUpdateRgn(hwnd, rgn, FALSE);
  const bool in = PtInRegion(rgn, x, y) != 0;
  DeleteObject(rgn);
  return in;
}

class UpdateRegionsTest : public WindowsTest {
 protected:
  // A window with nothing left to update.
  WindowPtr Settled(short procID, const Rect& bounds) {
    WindowPtr w = Make(procID, bounds);
    UpdateWindow(ZEB_GethWnd(w));
    Pump();
    BeginUpdate(w);
    EndUpdate(w);
    SetPort(w);
    return w;
  }
};

TEST_F(UpdateRegionsTest, InvalidationReachesTheUpdateRegionAndWindows) {
  WindowPtr w = Settled(documentProc, MakeRect(10, 10, 210, 160));
  HWND hwnd = ZEB_GethWnd(w);
  ASSERT_TRUE(EmptyRgn(PeekOf(w)->updateRgn));
  SetOrigin(100, 50);  // local coordinates are no longer client coordinates
  const Rect r = MakeRect(110, 60, 140, 80);
  InvalRect(&r);
  EXPECT_TRUE(PtInRgn(Point{65, 115}, PeekOf(w)->updateRgn));
  EXPECT_TRUE(WindowsUpdateHolds(hwnd, 15, 15));
  EXPECT_FALSE(WindowsUpdateHolds(hwnd, 115, 65));
  EXPECT_NE(DataOf(w).kindFlags & zebUpdatePending, 0);
  EXPECT_TRUE(ZEB_CheckUpdateRgn(w));
  ValidRect(&r);
  EXPECT_TRUE(EmptyRgn(PeekOf(w)->updateRgn));
  EXPECT_FALSE(WindowsUpdateHolds(hwnd, 15, 15));
}

TEST_F(UpdateRegionsTest, RegionsInvalidateByTheirShape) {
  WindowPtr w = Settled(documentProc, MakeRect(10, 10, 210, 160));
  HWND hwnd = ZEB_GethWnd(w);
  RgnHandle a = NewRgn();
  RgnHandle b = NewRgn();
  SetRectRgn(a, 0, 0, 40, 40);
  SetRectRgn(b, 60, 60, 100, 100);
  UnionRgn(a, b, a);
  InvalRgn(a);
  EXPECT_TRUE(WindowsUpdateHolds(hwnd, 10, 10));
  EXPECT_TRUE(WindowsUpdateHolds(hwnd, 70, 70));
  EXPECT_FALSE(WindowsUpdateHolds(hwnd, 50, 50));
  ValidRgn(a);
  EXPECT_FALSE(WindowsUpdateHolds(hwnd, 10, 10));
  EXPECT_TRUE(EmptyRgn(PeekOf(w)->updateRgn));
  // A handle that is no region is refused.
  Handle bogus = NewHandle(2);
  InvalRgn(reinterpret_cast<RgnHandle>(bogus));
  InvalRgn(nullptr);
  InvalRect(nullptr);
  EXPECT_TRUE(EmptyRgn(PeekOf(w)->updateRgn));
  DisposeHandle(bogus);
  DisposeRgn(a);
  DisposeRgn(b);
}

TEST_F(UpdateRegionsTest, APaintMessageMovesWindowsUpdateAreaIntoTheUpdateRegion) {
  WindowPtr w = Settled(documentProc, MakeRect(10, 10, 210, 160));
  HWND hwnd = ZEB_GethWnd(w);
  RECT area = {20, 30, 50, 60};
  InvalidateRect(hwnd, &area, FALSE);
  UpdateWindow(hwnd);
  EXPECT_TRUE(PtInRgn(Point{35, 25}, PeekOf(w)->updateRgn));
  EXPECT_FALSE(PtInRgn(Point{100, 100}, PeekOf(w)->updateRgn));
  EXPECT_FALSE(WindowsUpdateHolds(hwnd, 25, 35));
  EXPECT_NE(DataOf(w).kindFlags & zebUpdatePending, 0);
  // A window that carries no Toolbox window paints by default.
  EXPECT_EQ(ZEB_EventUpdate(frame_), 0);
}

TEST_F(UpdateRegionsTest, BeginUpdateClipsDrawingToTheUpdateRegion) {
  WindowPtr w = Settled(documentProc, MakeRect(10, 10, 210, 160));
  HWND hwnd = ZEB_GethWnd(w);
  SetPort(w);
  EraseRect(&w->portRect);
  const Rect r = MakeRect(20, 20, 60, 50);
  InvalRect(&r);
  BeginUpdate(w);
  EXPECT_TRUE(EmptyRgn(PeekOf(w)->updateRgn));
  EXPECT_EQ(DataOf(w).kindFlags & zebUpdatePending, 0);
  PaintRect(&w->portRect);
  EndUpdate(w);
  {
    ClientPixels pixels(hwnd);
    EXPECT_TRUE(pixels.Black(30, 30));
    EXPECT_TRUE(pixels.Black(59, 49));
    EXPECT_FALSE(pixels.Black(60, 30));
    EXPECT_FALSE(pixels.Black(10, 10));
    EXPECT_FALSE(pixels.Black(150, 100));
  }
  // After EndUpdate the whole window draws again.
  PaintRect(&w->portRect);
  ClientPixels after(hwnd);
  EXPECT_TRUE(after.Black(150, 100));
}

TEST_F(UpdateRegionsTest, NestingPastTwoLevelsLeavesNoWindowClipped) {
  WindowPtr w = Settled(documentProc, MakeRect(10, 10, 210, 160));
  const Rect whole = (*w->visRgn)->rgnBBox;
  const Rect r = MakeRect(20, 20, 60, 50);
  InvalRect(&r);
  BeginUpdate(w);
  EXPECT_EQ((*w->visRgn)->rgnBBox.right, 60);
  BeginUpdate(w);  // the update region is empty now: so is the visible region
  EXPECT_TRUE(EmptyRgn(w->visRgn));
  BeginUpdate(w);  // past the limit: changes nothing
  EXPECT_TRUE(EmptyRgn(w->visRgn));
  EndUpdate(w);
  // The nesting is reset, and every saved visible region is back.
  EXPECT_EQ(std::memcmp(&(*w->visRgn)->rgnBBox, &whole, sizeof whole), 0);
  EndUpdate(w);
  EndUpdate(w);
  EXPECT_EQ(std::memcmp(&(*w->visRgn)->rgnBBox, &whole, sizeof whole), 0);
  GrafPtr port = nullptr;
  GetPort(&port);
  EXPECT_EQ(port, w);
}

TEST_F(UpdateRegionsTest, EndUpdateRestoresThePortAndTheVisibleRegion) {
  WindowPtr a = Settled(documentProc, MakeRect(10, 10, 110, 110));
  WindowPtr b = Settled(documentProc, MakeRect(150, 10, 250, 110));
  const Rect whole = (*a->visRgn)->rgnBBox;
  SetPort(b);
  SetPort(a);
  const Rect r = MakeRect(0, 0, 10, 10);
  InvalRect(&r);
  SetPort(b);
  BeginUpdate(a);
  GrafPtr port = nullptr;
  GetPort(&port);
  EXPECT_EQ(port, a);
  EXPECT_EQ((*a->visRgn)->rgnBBox.right, 10);
  EndUpdate(a);
  GetPort(&port);
  EXPECT_EQ(port, b);
  EXPECT_EQ(std::memcmp(&(*a->visRgn)->rgnBBox, &whole, sizeof whole), 0);
}

TEST_F(UpdateRegionsTest, VisibleRegionsLeaveOutTheWindowsInFront) {
  WindowPtr back = Settled(documentProc, MakeRect(10, 10, 210, 160));
  WindowPtr front = Settled(documentProc, MakeRect(110, 60, 310, 210));
  ZEB_UpdateWindows(2);
  RECT frontOuter;
  GetWindowRect(ZEB_GethWnd(front), &frontOuter);
  POINT backOrigin = {0, 0};
  ClientToScreen(ZEB_GethWnd(back), &backOrigin);
  // Local coordinates of the back window equal its client coordinates here.
  const short inside = static_cast<short>(frontOuter.left - backOrigin.x + 5);
  const short insideV = static_cast<short>(frontOuter.top - backOrigin.y + 5);
  EXPECT_FALSE(PtInRgn(Point{insideV, inside}, back->visRgn));
  EXPECT_TRUE(PtInRgn(Point{5, 5}, back->visRgn));
  EXPECT_TRUE(PtInRgn(Point{5, 5}, front->visRgn));
  HideWindow(front);
  CalcVis(back);
  EXPECT_TRUE(PtInRgn(Point{insideV, inside}, back->visRgn));
  // A hidden window sees nothing.
  EXPECT_TRUE(EmptyRgn(front->visRgn));
}

TEST_F(UpdateRegionsTest, ZoomingGoesBetweenTheUserAndStandardStates) {
  WindowPtr w = Settled(zoomDocProc, MakeRect(20, 20, 120, 100));
  HWND hwnd = ZEB_GethWnd(w);
  ZoomWindow(w, inZoomOut, false);
  EXPECT_EQ(PeekOf(w)->spareFlag, 1);
  const Rect standard = DataOf(w).stdState;
  RECT client;
  GetClientRect(hwnd, &client);
  EXPECT_EQ(client.right, standard.right - standard.left);
  EXPECT_EQ(client.bottom, standard.bottom - standard.top);
  EXPECT_EQ(w->portRect.right - w->portRect.left, client.right);
  // The outer frame just covers the frame window's client area.
  RECT outer, frameClient;
  GetWindowRect(hwnd, &outer);
  GetClientRect(frame_, &frameClient);
  MapWindowPoints(frame_, nullptr, reinterpret_cast<POINT*>(&frameClient), 2);
  const int thickness = GetSystemMetrics(SM_CXSIZEFRAME);
  EXPECT_EQ(outer.left, frameClient.left - thickness);
  EXPECT_EQ(outer.right, frameClient.right + thickness);
  ZoomWindow(w, inZoomIn, false);
  EXPECT_EQ(PeekOf(w)->spareFlag, 0);
  GetClientRect(hwnd, &client);
  EXPECT_EQ(client.right, 100);
  EXPECT_EQ(client.bottom, 80);
  POINT origin = {0, 0}, frameOrigin = {0, 0};
  ClientToScreen(hwnd, &origin);
  ClientToScreen(frame_, &frameOrigin);
  EXPECT_EQ(origin.x - frameOrigin.x, 20);
}

TEST_F(UpdateRegionsTest, SizingUncoversAreasToUpdate) {
  WindowPtr w = Settled(documentProc, MakeRect(10, 10, 110, 110));
  SizeWindow(w, 150, 120, true);
  EXPECT_EQ(w->portRect.right - w->portRect.left, 150);
  EXPECT_TRUE(PtInRgn(Point{50, 140}, PeekOf(w)->updateRgn));
  EXPECT_TRUE(PtInRgn(Point{115, 20}, PeekOf(w)->updateRgn));
  EXPECT_FALSE(PtInRgn(Point{50, 50}, PeekOf(w)->updateRgn));
  // The size grip follows the corner.
  HWND grip = GetDlgItem(ZEB_GethWnd(w), 23130);
  ASSERT_NE(grip, nullptr);
  RECT g;
  GetWindowRect(grip, &g);
  POINT corner = {150, 120};
  ClientToScreen(ZEB_GethWnd(w), &corner);
  EXPECT_EQ(g.right, corner.x);
  EXPECT_EQ(g.bottom, corner.y);
}

TEST_F(UpdateRegionsTest, FindWindowFindsTheFrontmostVisibleWindowUnderThePoint) {
  WindowPtr back = Make(documentProc, MakeRect(10, 10, 210, 160));
  WindowPtr front = Make(documentProc, MakeRect(110, 60, 310, 210));
  POINT p = {150, 100};
  ClientToScreen(frame_, &p);
  WindowPtr found = nullptr;
  EXPECT_EQ(FindWindow(Point{static_cast<short>(p.y), static_cast<short>(p.x)}, &found), inContent);
  EXPECT_EQ(found, front);
  POINT q = {20, 20};
  ClientToScreen(frame_, &q);
  EXPECT_EQ(FindWindow(Point{static_cast<short>(q.y), static_cast<short>(q.x)}, &found), inContent);
  EXPECT_EQ(found, back);
  EXPECT_EQ(FindWindow(Point{2000, 2000}, &found), inDesk);
  EXPECT_EQ(found, nullptr);
  // The menu-bar report needs no window.
  EXPECT_EQ(FindWindow(Point{-1, -1}, &found), inMenuBar);
  EXPECT_EQ(FindWindow(Point{-4, -1}, &found), inDesk);  // no drag recorded
}

TEST_F(UpdateRegionsTest, PinRectKeepsPointsInsideTheRectangle) {
  const Rect r = MakeRect(10, 20, 110, 220);
  struct Case {
    short v, h;
    short pinnedV, pinnedH;
  } cases[] = {
      {50, 50, 50, 50},   {0, 0, 20, 10},      {300, 300, 219, 109},
      {220, 110, 219, 109}, {219, 109, 219, 109}, {20, 10, 20, 10},
  };
  for (const Case& c : cases) {
    const long pinned = PinRect(&r, Point{c.v, c.h});
    EXPECT_EQ(static_cast<short>(pinned >> 16), c.pinnedV) << c.v << "," << c.h;
    EXPECT_EQ(static_cast<short>(pinned & 0xFFFF), c.pinnedH) << c.v << "," << c.h;
  }
  EXPECT_EQ(PinRect(nullptr, Point{5, 5}), 0);
}

}  // namespace
}  // namespace zebtest

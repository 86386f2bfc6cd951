// The library's own window calls: moving by the outer frame, fitting rectangles to the desktop,
// window locations, parents, minimum sizes and the clip reset; the Window Manager port and the
// gray region; the calls that do nothing.
#include "windows_fixture.h"

namespace zebtest {
namespace {

POINT ClientOriginIn(HWND hwnd, HWND parent) {
  POINT p = {0, 0};
  ClientToScreen(hwnd, &p);
  ScreenToClient(parent, &p);
  return p;
}

class WindowCallsTest : public WindowsTest {};

TEST_F(WindowCallsTest, MoveWindowPlacesTheContentAndZebMoveWindowTheFrame) {
  WindowPtr w = Make(documentProc, MakeRect(10, 10, 110, 110));
  HWND hwnd = ZEB_GethWnd(w);
  MoveWindow(w, 40, 50, false);
  POINT origin = ClientOriginIn(hwnd, frame_);
  EXPECT_EQ(origin.x, 40);
  EXPECT_EQ(origin.y, 50);
  EXPECT_EQ(w->portRect.right - w->portRect.left, 100);
  ZEB_MoveWindow(w, 60, 70, false);
  RECT outer;
  GetWindowRect(hwnd, &outer);
  POINT frameOrigin = {0, 0};
  ClientToScreen(frame_, &frameOrigin);
  EXPECT_EQ(outer.left - frameOrigin.x, 60);
  EXPECT_EQ(outer.top - frameOrigin.y, 70);
  // A caption is kept reachable.
  MoveWindow(w, -50, -50, false);
  origin = ClientOriginIn(hwnd, frame_);
  EXPECT_EQ(origin.x, -1);
  EXPECT_EQ(origin.y, -1);
}

TEST_F(WindowCallsTest, RectanglesAreFittedToTheFrameOrTheDesktop) {
  RECT client;
  GetClientRect(frame_, &client);
  POINT origin = {0, 0};
  ClientToScreen(frame_, &origin);
  // The frame rule moves a rectangle up and left until it lies within the frame's client area.
  Rect r = MakeRect(static_cast<short>(origin.x + client.right - 50),
                    static_cast<short>(origin.y + 10),
                    static_cast<short>(origin.x + client.right + 50),
                    static_cast<short>(origin.y + 60));
  ZEB_CheckMaxWindowRect(&r, 1);
  EXPECT_EQ(r.right, origin.x + client.right);
  EXPECT_EQ(r.right - r.left, 100);
  EXPECT_EQ(r.top, origin.y + 10);
  // The desktop rule: inside the gray region less the frame parts.
  RgnHandle gray = GetGrayRgn();
  ASSERT_NE(gray, nullptr);
  const Rect desk = (*gray)->rgnBBox;
  const int thickness = GetSystemMetrics(SM_CXSIZEFRAME);
  Rect wide = MakeRect(100, 100, static_cast<short>(desk.right + 300), 200);
  ZEB_CheckMaxWindowRect(&wide, 0);
  EXPECT_EQ(wide.right, desk.right - 2 * thickness);
  EXPECT_GE(wide.left, desk.left);
  Rect offScreen = MakeRect(-2000, -2000, -1900, -1900);
  ZEB_CheckMaxWindowRect(&offScreen, 0);
  EXPECT_EQ(offScreen.left, -2000);
  ZEB_CheckMaxWindowRect(nullptr, 0);
}

TEST_F(WindowCallsTest, WindowLocationIsTheOuterFrame) {
  WindowPtr w = Make(documentProc, MakeRect(10, 10, 110, 110));
  HWND hwnd = ZEB_GethWnd(w);
  Rect where = {0, 0, 0, 0};
  RECT windows = {0, 0, 0, 0};
  GrafPtr wMgr = nullptr;
  GetWMgrPort(&wMgr);
  ZEB_WindowLocation(w, &windows, &where);
  RECT outer;
  GetWindowRect(hwnd, &outer);
  Point offset = {0, 0};
  if (wMgr) {
    GrafPtr saved;
    GetPort(&saved);
    SetPort(wMgr);
    LocalToGlobal(&offset);
    SetPort(saved);
  }
  EXPECT_EQ(where.left, outer.left - offset.h);
  EXPECT_EQ(where.right - where.left, outer.right - outer.left);
  EXPECT_EQ(windows.left, where.left);
  Rect moved = MakeRect(1, 2, 3, 4);
  ZEB_WindowLocation(nullptr, nullptr, &moved);
  EXPECT_EQ(moved.left, 1 + offset.h);
}

TEST_F(WindowCallsTest, ParentsMinimumSizesAndTheClipReset) {
  WindowPtr parent = Make(documentProc, MakeRect(10, 10, 210, 160));
  WindowPtr child = Make(plainDBox, MakeRect(220, 10, 260, 50));
  ZEB_SetWindowParent(child, parent);
  EXPECT_EQ(GetParent(ZEB_GethWnd(child)), ZEB_GethWnd(parent));
  ZEB_SetWindowParent(child, nullptr);
  EXPECT_EQ(GetParent(ZEB_GethWnd(child)), frame_);

  ZEB_SetMinWinSize(40, 30);
  WindowPtr later = Make(documentProc, MakeRect(10, 10, 110, 110));
  EXPECT_EQ(GetWindowLongA(ZEB_GethWnd(later), zebExtraMinSize), MAKELONG(40, 30));
  ZEB_SetwPtrMinSize(later, 50, 60);
  EXPECT_EQ(GetWindowLongA(ZEB_GethWnd(later), zebExtraMinSize), MAKELONG(50, 60));
  ZEB_SetMinWinSize(15, 15);

  SetPort(later);
  RgnHandle shape = NewRgn();
  OpenRgn();
  const Rect a = MakeRect(0, 0, 20, 20), b = MakeRect(30, 30, 60, 50);
  FrameOval(&a);
  FrameOval(&b);
  CloseRgn(shape);
  ASSERT_FALSE(ZEB_IsRectRgn(shape));
  const Rect box = (*shape)->rgnBBox;
  SetClip(shape);
  ZEB_ClipRectChange(later);
  EXPECT_TRUE(ZEB_IsRectRgn(later->clipRgn));
  EXPECT_EQ((*later->clipRgn)->rgnBBox.right, box.right);
  EXPECT_EQ((*later->clipRgn)->rgnBBox.top, box.top);
  DisposeRgn(shape);
}

TEST_F(WindowCallsTest, ManagerPortGrayRegionAndFieldCalls) {
  RgnHandle gray = GetGrayRgn();
  ASSERT_NE(gray, nullptr);
  EXPECT_EQ(gray, cells_.grayRgn);
  EXPECT_EQ((*gray)->rgnBBox.right, GetSystemMetrics(SM_CXSCREEN));
  CGrafPtr colourManager = reinterpret_cast<CGrafPtr>(1);
  GetCWMgrPort(&colourManager);
  EXPECT_EQ(reinterpret_cast<GrafPtr>(colourManager), cells_.wMgrPort);
  GetWMgrPort(nullptr);
  WindowPtr w = Make(zoomDocProc, MakeRect(10, 10, 110, 110));
  SetWRefCon(w, 42);
  EXPECT_EQ(GetWRefCon(w), 42);
  PicHandle pic = reinterpret_cast<PicHandle>(NewHandle(10));
  SetWindowPic(w, pic);
  EXPECT_EQ(GetWindowPic(w), pic);
  DisposeHandle(reinterpret_cast<Handle>(pic));
  SetWindowPic(w, nullptr);
  EXPECT_EQ(GetWVariant(w), zoomDocProc);
  EXPECT_FALSE(CheckUpdate(nullptr));
  // Windows paints and clips the windows itself.
  RgnHandle clobbered = NewRgn();
  const Rect before = (*w->visRgn)->rgnBBox;
  PaintOne(w, clobbered);
  PaintBehind(w, clobbered);
  ClipAbove(w);
  CalcVisBehind(w, clobbered);
  EXPECT_EQ((*w->visRgn)->rgnBBox.right, before.right);
  DisposeRgn(clobbered);
}

TEST_F(WindowCallsTest, TheFrameComesBackToTheTop) {
  ShowWindow(frame_, SW_MINIMIZE);
  ASSERT_TRUE(IsIconic(frame_));
  ZEB_TopMainWnd();
  EXPECT_FALSE(IsIconic(frame_));
}

}  // namespace
}  // namespace zebtest

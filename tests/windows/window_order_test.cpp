// The window list, the Windows Z order and the activation after showing, hiding, selecting,
// sending behind and closing; and calls given a window that is not in the list.
#include <vector>

#include "windows_fixture.h"

namespace zebtest {
namespace {

class WindowOrderTest : public WindowsTest {
 protected:
  std::vector<WindowPtr> List() {
    std::vector<WindowPtr> list;
    for (WindowPeek p = reinterpret_cast<WindowPeek>(cells_.windowList); p; p = p->nextWindow)
      list.push_back(reinterpret_cast<WindowPtr>(p));
    return list;
  }
  // The Toolbox windows among the frame's children, top of the Z order first.
  std::vector<WindowPtr> ZOrder() {
    std::vector<WindowPtr> order;
    for (HWND h = GetWindow(frame_, GW_CHILD); h; h = GetWindow(h, GW_HWNDNEXT)) {
      WindowPtr w = nullptr;
      if (ZEB_GetwPtr(h, &w) && IsWindowVisible(h)) order.push_back(w);
    }
    return order;
  }
  void ClearActivation() {
    cells_.curActivate = nullptr;
    cells_.curDeactive = nullptr;
  }
};

TEST_F(WindowOrderTest, NewWindowsGoInFrontAndTakeTheActivation) {
  WindowPtr a = Make(documentProc, MakeRect(10, 10, 110, 110));
  EXPECT_EQ(cells_.curActivate, a);
  EXPECT_EQ(PeekOf(a)->hilited, 1);
  WindowPtr b = Make(documentProc, MakeRect(40, 40, 140, 140));
  EXPECT_EQ(FrontWindow(), b);
  EXPECT_EQ(List(), (std::vector<WindowPtr>{b, a}));
  EXPECT_EQ(ZOrder(), (std::vector<WindowPtr>{b, a}));
  EXPECT_EQ(cells_.curActivate, b);
  EXPECT_EQ(cells_.curDeactive, a);
  EXPECT_EQ(PeekOf(a)->hilited, 0);
  EXPECT_EQ(PeekOf(b)->hilited, 1);
  EXPECT_NE(GetEvQHdr(), nullptr);
}

TEST_F(WindowOrderTest, SelectingABackWindowBringsItForwardAndMovesTheActivation) {
  WindowPtr a = Make(documentProc, MakeRect(10, 10, 110, 110));
  WindowPtr b = Make(documentProc, MakeRect(40, 40, 140, 140));
  ClearActivation();
  SelectWindow(a);
  EXPECT_EQ(FrontWindow(), a);
  EXPECT_EQ(List(), (std::vector<WindowPtr>{a, b}));
  EXPECT_EQ(ZOrder(), (std::vector<WindowPtr>{a, b}));
  EXPECT_EQ(cells_.curActivate, a);
  EXPECT_EQ(cells_.curDeactive, b);
  EXPECT_EQ(PeekOf(a)->hilited, 1);
  EXPECT_EQ(PeekOf(b)->hilited, 0);
  // Selecting the front window changes nothing.
  ClearActivation();
  SelectWindow(a);
  EXPECT_EQ(cells_.curActivate, nullptr);
}

TEST_F(WindowOrderTest, HidingTheFrontWindowActivatesTheNextVisibleOne) {
  WindowPtr a = Make(documentProc, MakeRect(10, 10, 110, 110));
  WindowPtr b = Make(documentProc, MakeRect(40, 40, 140, 140));
  ClearActivation();
  HideWindow(b);
  EXPECT_EQ(PeekOf(b)->visible, 0);
  EXPECT_FALSE(IsWindowVisible(ZEB_GethWnd(b)));
  EXPECT_EQ(FrontWindow(), a);
  EXPECT_EQ(cells_.curActivate, a);
  EXPECT_EQ(cells_.curDeactive, b);
  // Shown again, first in the list: it is in front and active again.
  ClearActivation();
  ShowWindow(b);
  EXPECT_TRUE(IsWindowVisible(ZEB_GethWnd(b)));
  EXPECT_EQ(FrontWindow(), b);
  EXPECT_EQ(cells_.curActivate, b);
  EXPECT_EQ(cells_.curDeactive, a);
  EXPECT_EQ(ZOrder(), (std::vector<WindowPtr>{b, a}));
}

TEST_F(WindowOrderTest, ShowHideChangesVisibilityOnly) {
  WindowPtr a = Make(documentProc, MakeRect(10, 10, 110, 110));
  WindowPtr b = Make(documentProc, MakeRect(40, 40, 140, 140));
  ClearActivation();
  ShowHide(b, false);
  EXPECT_FALSE(IsWindowVisible(ZEB_GethWnd(b)));
  EXPECT_EQ(FrontWindow(), a);
  EXPECT_EQ(cells_.curActivate, nullptr);
  ShowHide(b, true);
  EXPECT_TRUE(IsWindowVisible(ZEB_GethWnd(b)));
  EXPECT_EQ(List(), (std::vector<WindowPtr>{b, a}));
}

TEST_F(WindowOrderTest, SendBehindMovesTheWindowInTheListAndTheZOrder) {
  WindowPtr a = Make(documentProc, MakeRect(10, 10, 110, 110));
  WindowPtr b = Make(documentProc, MakeRect(40, 40, 140, 140));
  WindowPtr c = Make(documentProc, MakeRect(70, 70, 170, 170));
  ClearActivation();
  SendBehind(c, a);
  EXPECT_EQ(List(), (std::vector<WindowPtr>{b, a, c}));
  EXPECT_EQ(ZOrder(), (std::vector<WindowPtr>{b, a, c}));
  EXPECT_EQ(cells_.curActivate, b);
  EXPECT_EQ(cells_.curDeactive, c);
  // Behind nothing, or behind a window not in the list, means behind all.
  WindowRecord foreign{};
  SendBehind(b, reinterpret_cast<WindowPtr>(&foreign));
  EXPECT_EQ(List(), (std::vector<WindowPtr>{a, c, b}));
  SendBehind(a, nullptr);
  EXPECT_EQ(List(), (std::vector<WindowPtr>{c, b, a}));
  EXPECT_EQ(ZOrder(), (std::vector<WindowPtr>{c, b, a}));
  EXPECT_EQ(FrontWindow(), c);
}

TEST_F(WindowOrderTest, ANewWindowBehindAnotherIsPlacedThere) {
  WindowPtr a = Make(documentProc, MakeRect(10, 10, 110, 110));
  WindowPtr b = Make(documentProc, MakeRect(40, 40, 140, 140));
  const Rect bounds = MakeRect(70, 70, 170, 170);
  WindowPtr c = NewWindow(nullptr, &bounds, P("Behind"), true, documentProc, b, true, 0);
  ASSERT_NE(c, nullptr);
  made_.push_back(c);
  EXPECT_EQ(List(), (std::vector<WindowPtr>{b, c, a}));
  EXPECT_EQ(ZOrder(), (std::vector<WindowPtr>{b, c, a}));
  EXPECT_EQ(FrontWindow(), b);
  EXPECT_EQ(PeekOf(c)->hilited, 0);
}

TEST_F(WindowOrderTest, BringToFrontReordersWithoutActivating) {
  WindowPtr a = Make(documentProc, MakeRect(10, 10, 110, 110));
  WindowPtr b = Make(documentProc, MakeRect(40, 40, 140, 140));
  ClearActivation();
  BringToFront(a);
  EXPECT_EQ(List(), (std::vector<WindowPtr>{a, b}));
  EXPECT_EQ(ZOrder(), (std::vector<WindowPtr>{a, b}));
  EXPECT_EQ(cells_.curActivate, nullptr);
  EXPECT_EQ(PeekOf(b)->hilited, 1);
}

TEST_F(WindowOrderTest, HiliteWindowSendsTheNonClientActivation) {
  WindowPtr a = Make(documentProc, MakeRect(10, 10, 110, 110));
  Log().Clear();
  HiliteWindow(a, false);
  EXPECT_EQ(PeekOf(a)->hilited, 0);
  ASSERT_FALSE(Log().messages.empty());
  EXPECT_EQ(Log().messages.front(), static_cast<UINT>(WM_NCACTIVATE));
  Log().Clear();
  HiliteWindow(a, false);  // unchanged: nothing sent
  EXPECT_TRUE(Log().messages.empty());
}

TEST_F(WindowOrderTest, ClosingAWindowLeavesNoCellNamingIt) {
  WindowPtr a = Make(documentProc, MakeRect(10, 10, 110, 110));
  WindowPtr b = Make(documentProc, MakeRect(40, 40, 140, 140));
  ASSERT_EQ(cells_.curActivate, b);
  ASSERT_EQ(cells_.curDeactive, a);
  HWND hb = ZEB_GethWnd(b);
  DisposeWindow(b);
  EXPECT_FALSE(IsWindow(hb));
  EXPECT_NE(cells_.curActivate, b);
  EXPECT_NE(cells_.curDeactive, b);
  EXPECT_EQ(cells_.curActivate, a);
  EXPECT_EQ(FrontWindow(), a);
  EXPECT_EQ(List(), (std::vector<WindowPtr>{a}));
  DisposeWindow(a);
  EXPECT_EQ(cells_.curActivate, nullptr);
  EXPECT_EQ(cells_.curDeactive, nullptr);
  EXPECT_EQ(FrontWindow(), nullptr);
}

TEST_F(WindowOrderTest, AWindowNotInTheListIsLeftAlone) {
  WindowPtr a = Make(documentProc, MakeRect(10, 10, 110, 110));
  WindowPtr closed = Make(documentProc, MakeRect(40, 40, 140, 140));
  WindowRecord storage{};
  const Rect bounds = MakeRect(10, 10, 60, 60);
  WindowPtr stackWindow = NewWindow(&storage, &bounds, P("x"), true, documentProc,
                                    reinterpret_cast<WindowPtr>(-1), true, 5);
  ASSERT_NE(stackWindow, nullptr);
  CloseWindow(stackWindow);
  DisposeWindow(closed);
  WindowRecord foreign{};
  foreign.refCon = 99;
  for (WindowPtr w : {static_cast<WindowPtr>(nullptr), stackWindow,
                      reinterpret_cast<WindowPtr>(&foreign)}) {
    ShowWindow(w);
    HideWindow(w);
    SelectWindow(w);
    BringToFront(w);
    SendBehind(w, a);
    HiliteWindow(w, true);
    ShowHide(w, true);
    MoveWindow(w, 5, 5, true);
    SizeWindow(w, 50, 50, true);
    ZoomWindow(w, inZoomOut, true);
    BeginUpdate(w);
    EndUpdate(w);
    CalcVis(w);
    SetWTitle(w, P("no"));
    SetWRefCon(w, 7);
    DragWindow(w, Point{0, 0}, nullptr);
    CloseWindow(w);
    DisposeWindow(w);
    EXPECT_EQ(GetWRefCon(w), 0);
    EXPECT_EQ(GetWVariant(w), 0);
    EXPECT_EQ(GrowWindow(w, Point{0, 0}, nullptr), 0);
    EXPECT_FALSE(TrackGoAway(w, Point{0, 0}));
    EXPECT_EQ(ZEB_GethWnd(w), nullptr);
    Str255 title = {3, 'a', 'b', 'c'};
    GetWTitle(w, title);
    EXPECT_EQ(title[0], 0);
  }
  EXPECT_EQ(foreign.refCon, 99);
  EXPECT_EQ(List(), (std::vector<WindowPtr>{a}));
  EXPECT_EQ(FrontWindow(), a);
  EXPECT_EQ(PeekOf(a)->hilited, 1);
}

TEST_F(WindowOrderTest, ExitDisposesOfEveryWindow) {
  HWND a = ZEB_GethWnd(Make(documentProc, MakeRect(10, 10, 110, 110)));
  HWND b = ZEB_GethWnd(Make(zoomDocProc, MakeRect(40, 40, 140, 140), false));
  made_.clear();
  ASSERT_TRUE(IsWindow(a));
  ASSERT_TRUE(IsWindow(b));
  EndSession();
  EXPECT_FALSE(IsWindow(a));
  EXPECT_FALSE(IsWindow(b));
}

}  // namespace
}  // namespace zebtest

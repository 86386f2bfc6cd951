// The window-procedure glue with real messages: system commands, user moves and sizes, mouse
// activation, the modal state, tracking sizes, system menus, the report rules of the queue.
#include <cstring>

#include "windows_fixture.h"

namespace zebtest {
namespace {

class GlueTest : public WindowsTest {
 protected:
  void SetUp() override {
    WindowsTest::SetUp();
    cells_.sysEvtMask = static_cast<short>(0xFFEF);
  }
  // The queue's reports (mouse-downs at h -1), as part codes, oldest first.
  std::vector<short> Reports() {
    std::vector<short> parts;
    for (const EvQEl& e : QueuedEvents())
      if (e.evtQWhat == mouseDown && e.evtQWhere.h == -1) parts.push_back(static_cast<short>(-e.evtQWhere.v));
    return parts;
  }
  // Takes every queued event out through the library's own GetNextEvent, the default of its
  // patchable slot. Only while the queue holds any: GetNextEvent also answers update events,
  // which come back on every call until the window is updated.
  void InitQueueAgain() {
    using GetNextEventProc = Boolean(ZEBAPI*)(short, EventRecord*);
    auto getNext = reinterpret_cast<GetNextEventProc>(GetTrapAddress(0xA970));
    EventRecord e;
    for (int i = 0; i < 100 && GetEvQHdr()->qHead; ++i) getNext(everyEvent, &e);
    ASSERT_EQ(GetEvQHdr()->qHead, nullptr);
  }
};

TEST_F(GlueTest, TheCloseCommandIsReportedOnceAndConfirmedOnce) {
  WindowPtr w = Make(documentProc, MakeRect(10, 10, 110, 110));
  HWND hwnd = ZEB_GethWnd(w);
  EXPECT_EQ(SendMessageA(hwnd, WM_SYSCOMMAND, SC_CLOSE, 0), 0);
  EXPECT_TRUE(IsWindow(hwnd));  // the glue handled it: Windows did not close the window
  ASSERT_EQ(Reports(), (std::vector<short>{inGoAway}));
  const EvQEl report = QueuedEvents().back();
  EXPECT_EQ(report.evtQMessage, 0u);
  WindowPtr found = nullptr;
  EXPECT_EQ(FindWindow(report.evtQWhere, &found), inGoAway);
  EXPECT_EQ(found, w);
  EXPECT_TRUE(TrackGoAway(w, report.evtQWhere));
  EXPECT_FALSE(TrackGoAway(w, report.evtQWhere));
  // The record is consumed: the report finds no window now.
  EXPECT_EQ(FindWindow(report.evtQWhere, &found), inDesk);
  EXPECT_EQ(found, nullptr);
}

TEST_F(GlueTest, ZoomCommandsReportTheZoomPartForTheState) {
  WindowPtr w = Make(zoomDocProc, MakeRect(10, 10, 110, 110));
  HWND hwnd = ZEB_GethWnd(w);
  struct Case {
    WPARAM command;
    unsigned char zoomState;
    short part;
  } cases[] = {{SC_MAXIMIZE, 0, inZoomOut}, {SC_MAXIMIZE, 1, inZoomIn},
               {SC_MINIMIZE, 0, inZoomIn}, {SC_RESTORE, 1, inZoomIn}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.command);
    InitQueueAgain();
    PeekOf(w)->spareFlag = c.zoomState;
    EXPECT_EQ(SendMessageA(hwnd, WM_SYSCOMMAND, c.command, 0), 0);
    EXPECT_FALSE(IsIconic(hwnd));
    EXPECT_FALSE(IsZoomed(hwnd));
    ASSERT_EQ(Reports(), (std::vector<short>{c.part}));
    WindowPtr found = nullptr;
    EXPECT_EQ(FindWindow(QueuedEvents().back().evtQWhere, &found), c.part);
    EXPECT_EQ(found, w);
    EXPECT_FALSE(TrackBox(w, QueuedEvents().back().evtQWhere, inContent));
    EXPECT_TRUE(TrackBox(w, QueuedEvents().back().evtQWhere, c.part));
    EXPECT_FALSE(TrackBox(w, QueuedEvents().back().evtQWhere, c.part));
  }
  // Commands the glue leaves to Windows, and windows that are not Toolbox windows.
  EXPECT_EQ(ZEB_SysCommand(0, hwnd, SC_MOVE), 0);
  EXPECT_EQ(ZEB_SysCommand(1, hwnd, SC_MAXIMIZE), 0);
  EXPECT_EQ(ZEB_SysCommand(0, frame_, SC_CLOSE), 0);
}

TEST_F(GlueTest, ADragIsReportedOnceHoweverManyMovesFollow) {
  WindowPtr a = Make(documentProc, MakeRect(10, 10, 110, 110));
  WindowPtr b = Make(documentProc, MakeRect(150, 10, 250, 110));
  InitQueueAgain();
  HWND ha = ZEB_GethWnd(a);
  for (int x = 20; x < 60; x += 10)
    SetWindowPos(ha, nullptr, x, 30, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  ASSERT_EQ(Reports(), (std::vector<short>{inDrag}));
  WindowPtr found = nullptr;
  EXPECT_EQ(FindWindow(QueuedEvents().back().evtQWhere, &found), inDrag);
  EXPECT_EQ(found, a);
  // The regions follow the window.
  RECT outer;
  GetWindowRect(ha, &outer);
  EXPECT_EQ((*PeekOf(a)->strucRgn)->rgnBBox.left, outer.left);
  // DragWindow brings the window, which was behind, to the front and consumes the record.
  DragWindow(a, QueuedEvents().back().evtQWhere, nullptr);
  EXPECT_EQ(FrontWindow(), a);
  EXPECT_EQ(cells_.curDeactive, b);
  // A new drag takes the place of the old report still in the queue.
  SetWindowPos(ZEB_GethWnd(b), nullptr, 170, 30, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  EXPECT_EQ(Reports(), (std::vector<short>{inDrag}));
  EXPECT_EQ(FindWindow(QueuedEvents().back().evtQWhere, &found), inDrag);
  EXPECT_EQ(found, b);
  // MoveWindow itself reports nothing.
  DragWindow(a, Point{0, 0}, nullptr);
  InitQueueAgain();
  MoveWindow(a, 5, 6, false);
  EXPECT_TRUE(Reports().empty());
}

TEST_F(GlueTest, AUserResizeIsReportedOnceAndGrowWindowAnswersItOnce) {
  WindowPtr w = Make(documentProc, MakeRect(10, 10, 110, 110));
  HWND hwnd = ZEB_GethWnd(w);
  InitQueueAgain();
  RECT r;
  GetWindowRect(hwnd, &r);
  for (int grow = 10; grow <= 30; grow += 10)
    SetWindowPos(hwnd, nullptr, 0, 0, r.right - r.left + grow, r.bottom - r.top + 2 * grow,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  ASSERT_EQ(Reports(), (std::vector<short>{inGrow}));
  WindowPtr found = nullptr;
  EXPECT_EQ(FindWindow(QueuedEvents().back().evtQWhere, &found), inGrow);
  EXPECT_EQ(found, w);
  const long size = GrowWindow(w, QueuedEvents().back().evtQWhere, nullptr);
  EXPECT_EQ(size & 0xFFFF, 130);
  EXPECT_EQ((size >> 16) & 0xFFFF, 160);
  EXPECT_EQ(GrowWindow(w, QueuedEvents().back().evtQWhere, nullptr), 0);
  SizeWindow(w, 130, 160, true);
  EXPECT_EQ(w->portRect.right - w->portRect.left, 130);
  Boolean iconic = true;
  EXPECT_EQ(ZEB_WindDiffSize(w, &iconic), 0);
  EXPECT_FALSE(iconic);
  // A minimised window has no size to report.
  ShowWindow(hwnd, SW_MINIMIZE);
  EXPECT_EQ(ZEB_WindDiffSize(w, &iconic), 0);
  EXPECT_TRUE(iconic);
}

TEST_F(GlueTest, AClickOnABackWindowsFrameReportsADragAndMovesTheActivation) {
  WindowPtr a = Make(documentProc, MakeRect(10, 10, 110, 110));
  WindowPtr b = Make(documentProc, MakeRect(150, 10, 250, 110));
  InitQueueAgain();
  cells_.curActivate = cells_.curDeactive = nullptr;
  const LRESULT result = SendMessageA(ZEB_GethWnd(a), WM_MOUSEACTIVATE,
                                      reinterpret_cast<WPARAM>(frame_), MAKELPARAM(HTCAPTION, WM_LBUTTONDOWN));
  EXPECT_EQ(result, MA_ACTIVATE);
  EXPECT_EQ(Reports(), (std::vector<short>{inDrag}));
  EXPECT_EQ(cells_.curActivate, a);
  EXPECT_EQ(cells_.curDeactive, b);
  // A click in the content of the front window reports nothing.
  InitQueueAgain();
  EXPECT_EQ(SendMessageA(ZEB_GethWnd(b), WM_MOUSEACTIVATE, reinterpret_cast<WPARAM>(frame_),
                         MAKELPARAM(HTCLIENT, WM_LBUTTONDOWN)),
            MA_ACTIVATE);
  EXPECT_TRUE(Reports().empty());
}

TEST_F(GlueTest, WhileAModalWindowIsUpOtherWindowsIgnoreClicks) {
  WindowPtr w = Make(documentProc, MakeRect(10, 10, 110, 110));
  HWND hwnd = ZEB_GethWnd(w);
  ZEB_SystemValue(ZEB_SV_SET, 28, 1);
  InitQueueAgain();
  EXPECT_EQ(SendMessageA(hwnd, WM_MOUSEACTIVATE, reinterpret_cast<WPARAM>(frame_),
                         MAKELPARAM(HTCAPTION, WM_LBUTTONDOWN)),
            3);
  EXPECT_EQ(ZEB_NCMessage(hwnd, WM_NCLBUTTONDOWN, HTCAPTION, 0), 0);
  EXPECT_TRUE(Reports().empty());
  ZEB_SystemValue(ZEB_SV_SET, 28, 0);
}

TEST_F(GlueTest, ActivationMessagesMoveTheToolboxActivation) {
  WindowPtr a = Make(documentProc, MakeRect(10, 10, 110, 110));
  WindowPtr b = Make(documentProc, MakeRect(150, 10, 250, 110));
  cells_.curActivate = cells_.curDeactive = nullptr;
  ZEB_EventActivate(ZEB_GethWnd(b), WM_ACTIVATE, WA_INACTIVE, 0);
  EXPECT_EQ(cells_.curDeactive, b);
  EXPECT_EQ(PeekOf(b)->hilited, 0);
  cells_.curActivate = cells_.curDeactive = nullptr;
  ZEB_EventActivate(ZEB_GethWnd(a), WM_ACTIVATE, WA_ACTIVE, 0);
  EXPECT_EQ(cells_.curActivate, a);
  EXPECT_EQ(PeekOf(a)->hilited, 1);
  // A Windows window that carries no Toolbox window changes nothing.
  cells_.curActivate = cells_.curDeactive = nullptr;
  HWND plain = CreateWindowA("static", "", WS_CHILD, 0, 0, 10, 10, frame_, nullptr, nullptr, nullptr);
  EXPECT_EQ(ZEB_EventActivate(plain, WM_ACTIVATE, WA_ACTIVE, 0), 0);
  EXPECT_EQ(cells_.curActivate, nullptr);
  DestroyWindow(plain);
}

TEST_F(GlueTest, OnlyADragReportTakesTheLastDragReportsPlace) {
  WindowPtr a = Make(documentProc, MakeRect(10, 10, 110, 110));
  WindowPtr b = Make(documentProc, MakeRect(150, 10, 250, 110));
  InitQueueAgain();
  SetWindowPos(ZEB_GethWnd(a), nullptr, 30, 30, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  ASSERT_EQ(Reports(), (std::vector<short>{inDrag}));
  SendMessageA(ZEB_GethWnd(b), WM_SYSCOMMAND, SC_CLOSE, 0);
  EXPECT_EQ(Reports(), (std::vector<short>{inDrag, inGoAway}));
  // The drag report stays findable after the close report.
  WindowPtr found = nullptr;
  EXPECT_EQ(FindWindow(QueuedEvents().front().evtQWhere, &found), inDrag);
  EXPECT_EQ(found, a);
}

TEST_F(GlueTest, TrackingSizesComeFromTheWindowsMinimumContent) {
  WindowPtr w = Make(documentProc, MakeRect(10, 10, 110, 110));
  HWND hwnd = ZEB_GethWnd(w);
  RECT outer = {0, 0, 40, 30};
  AdjustWindowRectEx(&outer, static_cast<DWORD>(GetWindowLongA(hwnd, GWL_STYLE)), FALSE,
                     static_cast<DWORD>(GetWindowLongA(hwnd, GWL_EXSTYLE)));
  MINMAXINFO info{};
  EXPECT_EQ(ZEB_GetMinMaxInfo4(hwnd, &info, 40, 30, 300, 200), 1);
  EXPECT_EQ(info.ptMinTrackSize.x, outer.right - outer.left);
  EXPECT_EQ(info.ptMinTrackSize.y, outer.bottom - outer.top);
  EXPECT_EQ(info.ptMaxTrackSize.x, outer.right - outer.left - 40 + 300);
  EXPECT_EQ(info.ptMaxTrackSize.y, outer.bottom - outer.top - 30 + 200);
  ZEB_SetwPtrMinSize(w, 40, 30);
  MINMAXINFO fromExtra{};
  EXPECT_EQ(ZEB_GetMinMaxInfo(hwnd, &fromExtra), 0);
  EXPECT_EQ(fromExtra.ptMinTrackSize.x, info.ptMinTrackSize.x);
  // Not a Toolbox window: nothing is filled.
  MINMAXINFO untouched;
  std::memset(&untouched, 0x5A, sizeof untouched);
  MINMAXINFO copy = untouched;
  EXPECT_EQ(ZEB_GetMinMaxInfo2(frame_, &untouched, 40, 30), 0);
  EXPECT_EQ(std::memcmp(&untouched, &copy, sizeof copy), 0);
}

TEST_F(GlueTest, SystemMenusLoseWhatTheWindowCannotDo) {
  struct Case {
    short procID;
    bool goAway;
    bool size, minimize, close;
  } cases[] = {
      {documentProc, true, false, true, true},
      {documentProc, false, false, true, false},
      {noGrowDocProc, true, false, false, true},
      {noGrowDocProc, false, false, false, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.procID * 10 + c.goAway);
    WindowPtr w = Make(c.procID, MakeRect(10, 10, 110, 110), true, c.goAway);
    HMENU menu = GetSystemMenu(ZEB_GethWnd(w), FALSE);
    ASSERT_NE(menu, nullptr);
    auto present = [&](UINT command) { return GetMenuState(menu, command, MF_BYCOMMAND) != static_cast<UINT>(-1); };
    EXPECT_EQ(present(SC_SIZE), c.size);
    EXPECT_EQ(present(SC_MINIMIZE), c.minimize);
    EXPECT_EQ(present(SC_CLOSE), c.close);
    // Positions hold separators only where one was deleted; no command went by position.
    EXPECT_TRUE(present(SC_MOVE));
    DisposeWindow(w);
  }
}

TEST_F(GlueTest, TheFocusWindowIsTheOneHoldingTheKeyboard) {
  WindowPtr a = Make(documentProc, MakeRect(10, 10, 110, 110));
  WindowPtr b = Make(documentProc, MakeRect(150, 10, 250, 110));
  HWND edit = CreateWindowA("edit", "", WS_CHILD | WS_VISIBLE, 0, 0, 50, 20, ZEB_GethWnd(a),
                            nullptr, nullptr, nullptr);
  SetForegroundWindow(frame_);
  SetFocus(edit);
  ASSERT_EQ(GetFocus(), edit);
  EXPECT_EQ(ZEB_FocusWindow(), a);
  SetFocus(frame_);
  ASSERT_EQ(GetFocus(), frame_);
  EXPECT_EQ(ZEB_FocusWindow(), b);
  DestroyWindow(edit);
}

TEST_F(GlueTest, MDIDefaultStateIsStoredAndAnswered) {
  EXPECT_EQ(ZEB_MDIDefaultState(1, WS_MAXIMIZE), static_cast<unsigned long>(WS_MAXIMIZE));
  EXPECT_EQ(ZEB_MDIDefaultState(0, 0), static_cast<unsigned long>(WS_MAXIMIZE));  // no MDI client
  EXPECT_EQ(ZEB_MDIDefaultState(1, 0), 0ul);
  EXPECT_EQ(ZEB_MDIMessage(WM_MDIGETACTIVE, 0, 0), 0);
}

TEST_F(GlueTest, CurrentDeviceContextsAreHandedOut) {
  WindowPtr w = Make(documentProc, MakeRect(10, 10, 110, 110));
  SetPort(w);
  unsigned long dc = 0, printer = 1;
  unsigned short printing = 1;
  ZEB_GetCurHDCs(&dc, &printer, &printing);
  EXPECT_EQ(dc, static_cast<unsigned long>(reinterpret_cast<uintptr_t>(ZEB_GetCurrentDC())));
  EXPECT_NE(dc, 0ul);
  EXPECT_EQ(printer, 0ul);
  EXPECT_EQ(printing, 0);
  ZEB_GetCurHDCs(nullptr, nullptr, nullptr);
}

}  // namespace
}  // namespace zebtest

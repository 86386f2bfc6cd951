// The pump's keyboard rules (MDI system accelerators, keys for the MDI client readdressed to the
// frame, the session's accelerators, none of them while a modal window is up), the cursor rules
// of ZEB_EventMouse, the scrap callback at suspend and resume, and control
// notifications that are no dialog hits.
#include "event_loop_fixture.h"

namespace zebtest {
namespace {

constexpr short kModalWindowUp = 28;
constexpr UINT kCommandId = 4242;
// Macintosh key codes of F4 and F9.
constexpr unsigned kF4KeyCode = 0x76, kF9KeyCode = 0x65;

unsigned KeyCodeOf(const EventRecord& e) { return (e.message >> 8) & 0xFF; }

bool IsReport(const EventRecord& e, short part) {
  return e.what == mouseDown && e.message == 0 && e.where.v == -part && e.where.h == -1;
}

HCURSOR Cross() { return LoadCursorA(nullptr, IDC_CROSS); }
HCURSOR Arrow() { return LoadCursorA(nullptr, IDC_ARROW); }

LRESULT SetCursorMessage(HWND hwnd) {
  return SendMessageA(hwnd, WM_SETCURSOR, reinterpret_cast<WPARAM>(hwnd), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
}

// An MDI application: the session starts again as an MDI frame with its client.
class MDILoopTest : public EventLoopTest {
 protected:
  void SetUp() override {
    EventLoopTest::SetUp();
    EndSession();
    CLIENTCREATESTRUCT ccs{};
    client_ = CreateWindowA("MDICLIENT", nullptr, WS_CHILD | WS_CLIPCHILDREN | WS_VISIBLE, 0, 0, 380, 250,
                            frame_, nullptr, GetModuleHandleA(nullptr), &ccs);
    ASSERT_NE(client_, nullptr);
    session_.mdiClient = client_;
    session_.flags = ZEB_SF_MDI;
    ZEB_InitSession(&session_);
    started_ = true;
    globals_ = GlobalsRecordFor(cells_);
    ASSERT_EQ(ZEB_InitGlobals(&globals_), ZEB_GLOBALS_OK);
    InitGraf(&cells_.thePort);
    InitWindows();
    Foreground(frame_);
    FlushEvents(everyEvent, 0);
    Drain(3);
  }
  void TearDown() override {
    ZEB_SystemValue(ZEB_SV_SET, kModalWindowUp, 0);
    EventLoopTest::TearDown();
  }
  HWND client_ = nullptr;
};

TEST_F(MDILoopTest, CtrlF4ClosesTheActiveChildThroughItsCloseBoxUnlessAModalWindowIsUp) {
  WindowPtr w = Make(R(10, 10, 200, 150));
  ASSERT_NE(w, nullptr);
  const HWND child = H(w);
  ASSERT_EQ(GetParent(child), client_);
  Settle();
  Keys({{VK_CONTROL, true}, {VK_F4, true}, {VK_F4, false}, {VK_CONTROL, false}});
  std::vector<EventRecord> events = Drain(10, static_cast<short>(mDownMask | keyDownMask));
  ASSERT_EQ(events.size(), 1u) << "the accelerator makes no key event";
  EXPECT_TRUE(IsReport(events[0], inGoAway)) << events[0].where.v << "," << events[0].where.h;
  EXPECT_TRUE(IsWindow(child)) << "the close box is reported; the application closes";

  ZEB_SystemValue(ZEB_SV_SET, kModalWindowUp, 1);
  Keys({{VK_CONTROL, true}, {VK_F4, true}, {VK_F4, false}, {VK_CONTROL, false}});
  events = Drain(10, static_cast<short>(mDownMask | keyDownMask));
  ASSERT_EQ(events.size(), 1u);
  EXPECT_EQ(events[0].what, keyDown) << "with a modal window up the key is a key";
  EXPECT_EQ(KeyCodeOf(events[0]), kF4KeyCode);
  EXPECT_EQ(events[0].modifiers & cmdKey, cmdKey);
}

TEST_F(MDILoopTest, KeysAddressedToTheClientReachTheFrame) {
  WindowPtr w = Make(R(10, 10, 200, 150));
  ASSERT_NE(w, nullptr);
  Settle();
  Loop().frameKeys.clear();
  PostMessageA(client_, WM_KEYDOWN, 'A', 0x001E0001);
  const std::vector<EventRecord> events = Drain(10, keyDownMask);
  ASSERT_EQ(events.size(), 1u) << "one key-down: its character message makes no second";
  EXPECT_EQ(events[0].message & 0xFF, static_cast<unsigned long>('a'));
  EXPECT_EQ(KeyCodeOf(events[0]), 0x00u);
  ASSERT_FALSE(Loop().frameKeys.empty());
  EXPECT_EQ(Loop().frameKeys[0], static_cast<UINT>(WM_KEYDOWN));
}

TEST_F(MDILoopTest, TheToolboxCursorStaysOverTheSameChildUntilTheAppIsInactive) {
  WindowPtr w = Make(R(10, 10, 200, 150));
  ASSERT_NE(w, nullptr);
  const HWND child = H(w);
  Settle();
  SetCursor(Cross());
  SetCursorMessage(child);
  EXPECT_EQ(GetCursor(), Arrow()) << "the first time Windows sets the class cursor";
  SetCursor(Cross());
  EXPECT_EQ(SetCursorMessage(child), 1);
  EXPECT_EQ(GetCursor(), Cross()) << "over the same child the application's cursor stays";
  ZEB_ActivateApp(FALSE);
  SetCursorMessage(child);
  EXPECT_EQ(GetCursor(), Arrow()) << "an inactive application leaves the cursor to Windows";
  ZEB_ActivateApp(TRUE);
  Drain(5);
}

class LoopRulesTest : public EventLoopTest {};

TEST_F(LoopRulesTest, TopLevelWindowsLeaveTheCursorToWindowsUnlessTheButtonIsDown) {
  WindowPtr w = Make(R(20, 40, 220, 200));
  ASSERT_NE(w, nullptr);
  Settle();
  for (int i = 0; i < 2; ++i) {
    SetCursor(Cross());
    SetCursorMessage(H(w));
    EXPECT_EQ(GetCursor(), Arrow()) << "call " << i;
  }
  SendMessageA(H(w), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  SetCursor(Cross());
  EXPECT_EQ(SetCursorMessage(H(w)), 1);
  EXPECT_EQ(GetCursor(), Cross()) << "while the button is down the Toolbox cursor stays";
  SendMessageA(H(w), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
  SetCursor(Cross());
  SetCursorMessage(H(w));
  EXPECT_EQ(GetCursor(), Arrow());
  Drain(5);
}

// The session's own accelerator table, translated against the frame.
class AcceleratorTest : public EventLoopTest {
 protected:
  AcceleratorTest() {
    ACCEL a{};
    a.fVirt = FVIRTKEY;
    a.key = VK_F9;
    a.cmd = kCommandId;
    session_.accelerators = CreateAcceleratorTableA(&a, 1);
  }
  void TearDown() override {
    ZEB_SystemValue(ZEB_SV_SET, kModalWindowUp, 0);
    EventLoopTest::TearDown();
    DestroyAcceleratorTable(session_.accelerators);
  }
};

TEST_F(AcceleratorTest, AcceleratorsBecomeFrameCommandsUnlessAModalWindowIsUp) {
  WindowPtr w = Make(R(20, 40, 220, 200));
  ASSERT_NE(w, nullptr);
  Settle();
  Loop().frameCommands.clear();
  PostMessageA(H(w), WM_KEYDOWN, VK_F9, 0x00430001);
  EXPECT_TRUE(Drain(5, keyDownMask).empty()) << "a translated key is no key event";
  EXPECT_EQ(Loop().frameCommands, std::vector<UINT>{kCommandId});

  ZEB_SystemValue(ZEB_SV_SET, kModalWindowUp, 1);
  Loop().frameCommands.clear();
  PostMessageA(H(w), WM_KEYDOWN, VK_F9, 0x00430001);
  const std::vector<EventRecord> events = Drain(5, keyDownMask);
  EXPECT_TRUE(Loop().frameCommands.empty());
  ASSERT_EQ(events.size(), 1u);
  EXPECT_EQ(KeyCodeOf(events[0]), kF9KeyCode);
  EXPECT_EQ(events[0].message & 0xFF, 0x10u);
}

// The scrap callback: operation, convert-clipboard bit, device context and four zeros.
struct ScrapCall {
  long operation, convert;
  HDC dc;
  bool zeros;
};
std::vector<ScrapCall> g_scrapCalls;
long WINAPI ScrapSpy(long operation, long convert, HDC dc, long a, long b, long c, long d) {
  g_scrapCalls.push_back({operation, convert, dc, a == 0 && b == 0 && c == 0 && d == 0});
  return 0;
}

class ScrapCallbackTest : public EventLoopTest {
 protected:
  ScrapCallbackTest() {
    sessionFlags_ = ZEB_SF_NOPROCINSTANCES;
    session_.scrapCallback = reinterpret_cast<FARPROC>(&ScrapSpy);
  }
};

TEST_F(ScrapCallbackTest, SuspendAndResumeCallItWithTheClipboardBitAndTheCurrentDC) {
  WindowPtr w = Make(R(20, 40, 220, 200));
  ASSERT_NE(w, nullptr);
  Settle();
  SetPort(w);
  g_scrapCalls.clear();
  ZEB_ActivateApp(FALSE);
  ZEB_ActivateApp(TRUE);
  ++cells_.scrapInfo.scrapCount;
  ZEB_ActivateApp(FALSE);
  ZEB_ActivateApp(TRUE);
  HDC dc = ZEB_GetCurrentDC();
  ASSERT_NE(dc, nullptr);
  ASSERT_EQ(g_scrapCalls.size(), 4u);
  const long operations[] = {3, 4, 3, 4};
  const long converts[] = {0, 0, 0, 2};
  for (size_t i = 0; i < 4; ++i) {
    EXPECT_EQ(g_scrapCalls[i].operation, operations[i]) << i;
    EXPECT_EQ(g_scrapCalls[i].convert, converts[i]) << i;
    EXPECT_EQ(g_scrapCalls[i].dc, dc) << i;
    EXPECT_TRUE(g_scrapCalls[i].zeros) << i;
  }
  Drain(10);
}

TEST_F(LoopRulesTest, CommandsThatNameNoDialogItemPostNothing) {
  WindowPtr w = Make(R(20, 40, 220, 200));
  ASSERT_NE(w, nullptr);
  Settle();
  HWND button = CreateWindowA("button", "OK", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 5, 5, 60, 20, H(w),
                              reinterpret_cast<HMENU>(1), GetModuleHandleA(nullptr), nullptr);
  ASSERT_NE(button, nullptr);
  ZEB_EventCommand(H(w), WM_COMMAND, MAKEWPARAM(1, BN_CLICKED), reinterpret_cast<LPARAM>(button));
  ZEB_EventCommand(H(w), WM_COMMAND, MAKEWPARAM(1, BN_CLICKED), 0);
  ZEB_EventCommand(H(w), WM_COMMAND, MAKEWPARAM(1, BN_CLICKED), 0x12345678);
  ZEB_EventCommand(nullptr, WM_COMMAND, MAKEWPARAM(1, BN_CLICKED), reinterpret_cast<LPARAM>(button));
  EXPECT_EQ(GetEvQHdr()->qHead, nullptr) << "a button that is no dialog item is no hit";
  DestroyWindow(button);
}

}  // namespace
}  // namespace zebtest

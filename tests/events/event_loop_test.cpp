// The end-to-end loop: an application whose procedures forward to the glue runs WaitNextEvent
// while real windows, posted messages and SendInput input make activate, update, mouse, key and
// operating-system events.
#include <cstring>
#include <thread>

#include "Scrap.h"
#include "event_loop_fixture.h"

namespace zebtest {
namespace {

class LoopTest : public EventLoopTest {};

// The kinds the queue holds, without the windows' own activate and update events.
constexpr short kQueuedKinds = static_cast<short>(everyEvent & ~(updateMask | activMask));

TEST_F(LoopTest, NewWindowActivatesAndSelectWindowMovesTheActivation) {
  WindowPtr a = Make(R(20, 40, 220, 200));
  ASSERT_NE(a, nullptr);
  EventRecord e;
  ASSERT_TRUE(WaitFor(activMask, &e));
  EXPECT_EQ(e.message, Msg(a));
  EXPECT_EQ(e.modifiers & activeFlag, activeFlag);
  Settle();
  WindowPtr b = Make(R(240, 40, 440, 200));
  std::vector<EventRecord> events = Drain(20, activMask);
  ASSERT_EQ(events.size(), 2u);
  EXPECT_EQ(events[0].message, Msg(a));
  EXPECT_EQ(events[0].modifiers & activeFlag, 0);  // the deactivate comes first
  EXPECT_EQ(events[1].message, Msg(b));
  EXPECT_EQ(events[1].modifiers & activeFlag, activeFlag);
  SelectWindow(a);
  events = Drain(20, activMask);
  ASSERT_EQ(events.size(), 2u);
  EXPECT_EQ(events[0].message, Msg(b));
  EXPECT_EQ(events[0].modifiers & activeFlag, 0);
  EXPECT_EQ(events[1].message, Msg(a));
  EXPECT_EQ(Drain(10, activMask).size(), 0u);
}

TEST_F(LoopTest, UpdatesAfterInvalRectComeAtOnceAndAreDrawnInBeginUpdate) {
  WindowPtr w = Make(R(20, 40, 220, 200));
  Settle();
  Loop().onUpdate = [](WindowPtr) {
    Rect r = R(10, 10, 60, 60);
    PaintRect(&r);
  };
  SetPort(w);
  Rect bad = R(0, 0, 100, 100);
  InvalRect(&bad);
  // The poll interval has not run out, yet the update comes with the next call.
  EventRecord e;
  ASSERT_TRUE(GetNextEvent(everyEvent, &e));
  EXPECT_EQ(e.what, updateEvt);
  EXPECT_EQ(e.message, Msg(w));
  BeginUpdate(w);
  Loop().onUpdate(w);
  EndUpdate(w);
  HDC dc = GetDC(H(w));
  EXPECT_EQ(GetPixel(dc, 30, 30) & 0xFFFFFF, 0u);
  EXPECT_EQ(GetPixel(dc, 80, 80) & 0xFFFFFF, 0xFFFFFFu);
  ReleaseDC(H(w), dc);
  EXPECT_EQ(Drain(5, updateMask).size(), 0u) << "the update was handled";
}

TEST_F(LoopTest, RedrawWindowMakesAnUpdateEvent) {
  WindowPtr w = Make(R(20, 40, 220, 200));
  Settle();
  RedrawWindow(H(w), nullptr, nullptr, RDW_INVALIDATE);
  EventRecord e;
  ASSERT_TRUE(WaitFor(updateMask, &e, 80));
  EXPECT_EQ(e.message, Msg(w));
}

TEST_F(LoopTest, AnUpdateOutsideTheVisibleRegionIsDropped) {
  WindowPtr w = Make(R(20, 40, 220, 200));
  Settle();
  SetPort(w);
  Rect outside = R(1000, 1000, 1100, 1100);
  InvalRect(&outside);
  EXPECT_FALSE(ZEB_TestUpdate(w));
  EXPECT_EQ(Drain(5, updateMask).size(), 0u);
}

TEST_F(LoopTest, PostedClicksCarryScreenLocationsModifiersAndContentParts) {
  WindowPtr w = Make(R(20, 40, 220, 200));
  Settle();
  PostMessageA(H(w), WM_LBUTTONDOWN, MK_LBUTTON | MK_SHIFT | MK_CONTROL, MAKELPARAM(15, 25));
  PostMessageA(H(w), WM_LBUTTONUP, 0, MAKELPARAM(15, 25));
  EventRecord down, up;
  ASSERT_TRUE(WaitFor(mDownMask, &down));
  ASSERT_TRUE(WaitFor(mUpMask, &up));
  const POINT s = ScreenOf(w, 15, 25);
  EXPECT_EQ(down.where.h, s.x);
  EXPECT_EQ(down.where.v, s.y);
  EXPECT_EQ(down.message, 0u);
  EXPECT_EQ(down.modifiers & (shiftKey | cmdKey | btnState), shiftKey | cmdKey);
  EXPECT_EQ(up.modifiers & btnState, btnState);
  WindowPtr found = nullptr;
  EXPECT_EQ(FindWindow(down.where, &found), inContent);
  EXPECT_EQ(found, w);
}

TEST_F(LoopTest, SendInputClicksReachTheLoopAtTheCursor) {
  WindowPtr w = Make(R(20, 40, 220, 200));
  Settle();
  Foreground(H(w));
  const POINT at = ScreenOf(w, 50, 60);
  ClickAt(at);
  EventRecord down, up;
  ASSERT_TRUE(WaitFor(mDownMask, &down, 80));
  ASSERT_TRUE(WaitFor(mUpMask, &up, 80));
  EXPECT_EQ(down.where.h, at.x);
  EXPECT_EQ(down.where.v, at.y);
  WindowPtr found = nullptr;
  EXPECT_EQ(FindWindow(down.where, &found), inContent);
  EXPECT_EQ(found, w);
}

TEST_F(LoopTest, RightClicksFollowTheSessionFlags) {
  WindowPtr w = Make(R(20, 40, 220, 200));
  Settle();
  struct Case {
    unsigned long flags;
    bool posted;
    unsigned short control;
  } cases[] = {{0, false, 0},
               {ZEB_SF_RIGHTCLICK, true, 0},
               {ZEB_SF_RIGHTCLICKCONTROL, true, controlKey},
               {ZEB_SF_RIGHTCLICK | ZEB_SF_RIGHTCLICKCONTROL, true, controlKey}};
  for (const Case& c : cases) {
    ZEB_SetFlags(ZEB_SF_RIGHTCLICK | ZEB_SF_RIGHTCLICKCONTROL, c.flags, 0, 0);
    FlushEvents(everyEvent, 0);
    PostMessageA(H(w), WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(5, 5));
    EventRecord e;
    const bool got = WaitFor(mDownMask, &e, 10);
    EXPECT_EQ(got, c.posted) << c.flags;
    if (got) {
      EXPECT_EQ(e.modifiers & controlKey, c.control) << c.flags;
    }
  }
  ZEB_SetFlags(ZEB_SF_RIGHTCLICK | ZEB_SF_RIGHTCLICKCONTROL, 0, 0, 0);
}

TEST_F(LoopTest, NegativeClientCoordinatesUnderCaptureStayNegative) {
  WindowPtr w = Make(R(100, 100, 300, 260));
  Settle();
  PostMessageA(H(w), WM_LBUTTONUP, 0, MAKELPARAM(-30, -20));
  EventRecord e;
  ASSERT_TRUE(WaitFor(mUpMask, &e));
  const POINT s = ScreenOf(w, -30, -20);
  EXPECT_EQ(e.where.h, s.x);
  EXPECT_EQ(e.where.v, s.y);
}

TEST_F(LoopTest, TheGrowSquareHitsAsTheSizingCorner) {
  WindowPtr w = Make(R(20, 40, 220, 200), documentProc);
  Settle();
  const POINT corner = ScreenOf(w, 200 - 8, 160 - 8);
  const POINT middle = ScreenOf(w, 100, 80);
  EXPECT_EQ(SendMessageA(H(w), WM_NCHITTEST, 0, MAKELPARAM(corner.x, corner.y)), HTBOTTOMRIGHT);
  EXPECT_EQ(SendMessageA(H(w), WM_NCHITTEST, 0, MAKELPARAM(middle.x, middle.y)), HTCLIENT);
  WindowPtr plain = Make(R(240, 40, 440, 200), dBoxProc);
  const POINT plainCorner = ScreenOf(plain, 200 - 8, 160 - 8);
  EXPECT_NE(SendMessageA(H(plain), WM_NCHITTEST, 0, MAKELPARAM(plainCorner.x, plainCorner.y)),
            HTBOTTOMRIGHT);
}

// Keys through SendInput, which the hook and the key state see as the user's.
class KeyLoopTest : public EventLoopTest {
 protected:
  void SetUp() override {
    EventLoopTest::SetUp();
    w_ = Make(R(20, 40, 220, 200));
    Settle();
    Foreground(H(w_));
    cells_.sysEvtMask = static_cast<short>(everyEvent & ~keyUpMask);
  }
  std::vector<EventRecord> KeyEvents() {
    std::vector<EventRecord> keys;
    for (const EventRecord& e : Drain(40, static_cast<short>(keyDownMask | autoKeyMask | keyUpMask)))
      keys.push_back(e);
    return keys;
  }
  WindowPtr w_ = nullptr;
};

TEST_F(KeyLoopTest, CtrlQIsCommandQWithNoSecondEvent) {
  Keys({{VK_CONTROL, true}, {'Q', true}, {'Q', false}, {VK_CONTROL, false}});
  const std::vector<EventRecord> keys = KeyEvents();
  ASSERT_EQ(keys.size(), 1u);
  EXPECT_EQ(keys[0].what, keyDown);
  EXPECT_EQ(keys[0].message, 0x0C71u);
  EXPECT_EQ(keys[0].modifiers & cmdKey, cmdKey);
}

TEST_F(KeyLoopTest, AltEIsAnOptionKeyDown) {
  Keys({{VK_MENU, true}, {'E', true}, {'E', false}, {VK_MENU, false}});
  const std::vector<EventRecord> keys = KeyEvents();
  ASSERT_GE(keys.size(), 1u);
  EXPECT_EQ(keys[0].what, keyDown);
  EXPECT_EQ(keys[0].modifiers & optionKey, optionKey);
  EXPECT_EQ((keys[0].message >> 8) & 0xFF, 0x0Eu);
}

TEST_F(KeyLoopTest, KeypadEnterIsCharacter3KeyCode4C) {
  Keys({{VK_RETURN, true}, {VK_RETURN, false}}, KEYEVENTF_EXTENDEDKEY);
  const std::vector<EventRecord> keys = KeyEvents();
  ASSERT_EQ(keys.size(), 1u);
  EXPECT_EQ(keys[0].message, 0x4C03u);
}

TEST_F(KeyLoopTest, TypedLettersComeOnceEachWithTheirKeyCodes) {
  Tap('A');
  Tap('Z');
  const std::vector<EventRecord> keys = KeyEvents();
  ASSERT_EQ(keys.size(), 2u);
  EXPECT_EQ(keys[0].message, 0x0061u);
  EXPECT_EQ(keys[1].message, 0x067Au);
}

TEST_F(KeyLoopTest, KeyUpEventsComeWhenTheMaskAdmitsThem) {
  cells_.sysEvtMask = everyEvent;
  Tap('A');
  const std::vector<EventRecord> keys = KeyEvents();
  ASSERT_EQ(keys.size(), 2u);
  EXPECT_EQ(keys[1].what, keyUp);
  EXPECT_EQ(keys[1].message, 0x0061u);
}

TEST_F(KeyLoopTest, GetKeysWithShiftAndCtrlDownSetsExactlyShiftAndCommand) {
  Keys({{VK_SHIFT, true}, {VK_CONTROL, true}});
  Drain(3);
  KeyMap map;
  std::memset(map, 0xFF, sizeof map);
  GetKeys(map);
  Keys({{VK_CONTROL, false}, {VK_SHIFT, false}});
  KeyMap expected = {};
  expected[0x38 / 8] |= 1 << (0x38 % 8);
  expected[0x37 / 8] |= 1 << (0x37 % 8);
  EXPECT_EQ(std::memcmp(map, expected, sizeof map), 0);
  GetKeys(nullptr);  // nothing to write
}

TEST_F(KeyLoopTest, PostedCharactersRepeatDeadKeysAndWideCharacters) {
  // Posted keys miss the hook and the key state: the character messages alone decide.
  PostMessageA(H(w_), WM_CHAR, 'x', 3);
  std::vector<EventRecord> keys = KeyEvents();
  ASSERT_EQ(keys.size(), 3u);
  EXPECT_EQ(keys[0].what, keyDown);
  EXPECT_EQ(keys[1].what, autoKey);
  EXPECT_EQ(keys[2].what, autoKey);
  PostMessageA(H(w_), WM_CHAR, 'x', 0);  // repeat count 0 is one stroke
  EXPECT_EQ(KeyEvents().size(), 1u);
  PostMessageA(H(w_), WM_CHAR, 'x', 0xFFFF);  // never more than the queue holds, no beeping
  keys = KeyEvents();
  EXPECT_LE(keys.size(), 32u);
  EXPECT_GE(keys.size(), 25u);
  // Sent, not posted: a posted key-down would also be translated into a character of its own.
  SendMessageA(H(w_), WM_DEADCHAR, 0xB4, 1);
  SendMessageA(H(w_), WM_KEYDOWN, 'E', 1);
  SendMessageA(H(w_), WM_CHAR, 0xE9, 1);
  keys = KeyEvents();
  ASSERT_EQ(keys.size(), 1u);
  EXPECT_EQ(keys[0].message, 0x7F8Eu);
  EXPECT_EQ(keys[0].modifiers & optionKey, optionKey);
  PostMessageA(H(w_), WM_CHAR, 0x20AC, 1);  // a wide character has no Macintosh character
  EXPECT_EQ(KeyEvents().size(), 0u);
}

TEST_F(LoopTest, SuspendAndResumeAreOperatingSystemEventsWithTheClipboardBit) {
  ZEB_ActivateApp(FALSE);
  ZEB_ActivateApp(TRUE);
  ++cells_.scrapInfo.scrapCount;
  ZEB_ActivateApp(FALSE);
  ZEB_ActivateApp(TRUE);
  ZEB_ActivateApp(FALSE);
  ZEB_ActivateApp(TRUE);
  std::vector<unsigned long> messages;
  for (const EventRecord& e : Drain(20, static_cast<short>(osMask))) messages.push_back(e.message);
  EXPECT_EQ(messages, (std::vector<unsigned long>{0x01000000, 0x01000001, 0x01000000, 0x01000003,
                                                  0x01000000, 0x01000001}));
  EXPECT_EQ(cells_.doubleTime, static_cast<long>(GetDoubleClickTime() >> 4));
}

TEST_F(LoopTest, ResumingAgainDoesNotDoubleTheKeyboardHook) {
  WindowPtr w = Make(R(20, 40, 220, 200));
  Settle();
  HWND edit = CreateWindowA("edit", "", WS_CHILD | WS_VISIBLE, 5, 5, 100, 20, H(w), nullptr,
                            GetModuleHandleA(nullptr), nullptr);
  ZEB_ActivateApp(TRUE);  // start-up installed it; a resume installs it again
  ZEB_ActivateApp(TRUE);
  Foreground(H(w));
  SetFocus(edit);
  Loop().frameKeys.clear();
  Tap(VK_TAB);
  Drain(5);
  EXPECT_EQ(Loop().frameKeys.size(), 2u) << "one key-down and one key-up, each once";
  DestroyWindow(edit);
}

TEST_F(LoopTest, QuitGivesANullEventNotThePreviousOne) {
  PostEvent(keyDown, 0x41);
  EventRecord e;
  ASSERT_TRUE(GetNextEvent(everyEvent, &e));
  PostQuitMessage(0);
  Drain(1, 0);  // the pump meets the quit message
  EXPECT_FALSE(GetNextEvent(everyEvent, &e));
  EXPECT_EQ(e.what, nullEvent);
  EXPECT_EQ(e.message, 0xFFFFFFFFu);
}

TEST_F(LoopTest, NullEventsHaveAllMessageBitsAndNilRecordsTakeNothing) {
  EventRecord e;
  std::memset(&e, 0x55, sizeof e);
  EXPECT_FALSE(GetNextEvent(everyEvent, &e));
  EXPECT_EQ(e.what, nullEvent);
  EXPECT_EQ(e.message, 0xFFFFFFFFu);
  PostEvent(mouseDown, 7);
  EXPECT_TRUE(GetNextEvent(everyEvent, nullptr));
  EXPECT_TRUE(EventAvail(everyEvent, nullptr));
  ASSERT_TRUE(EventAvail(everyEvent, &e));
  EXPECT_EQ(e.message, 7u);
  ASSERT_TRUE(GetNextEvent(everyEvent, &e));
  EXPECT_EQ(e.message, 7u);
  EXPECT_FALSE(GetNextEvent(everyEvent, &e));
}

TEST_F(LoopTest, KindsOutsideTheTableAreRefused) {
  for (short what : {16, 23, 24, -1, 0x7FFF}) EXPECT_EQ(PostEvent(what, 0), evtNotEnb) << what;
  EXPECT_EQ(GetEvQHdr()->qHead, nullptr);
}

TEST_F(LoopTest, ThirtyThreePostsLeaveTwentyFiveForTheLoop) {
  for (long i = 1; i <= 33; ++i) PostEvent(keyDown, i);
  std::vector<EventRecord> events = Drain(40);
  ASSERT_EQ(events.size(), 25u);
  EXPECT_EQ(events.front().message, 9u);
  EXPECT_EQ(events.back().message, 33u);
}

TEST_F(LoopTest, FlushEventsStopsAtTheStopKindAndDiscardsWaitingWindowsInput) {
  WindowPtr w = Make(R(20, 40, 220, 200));
  Settle();
  PostEvent(mouseDown, 1);
  PostEvent(keyDown, 2);
  PostEvent(mouseDown, 3);
  FlushEvents(mDownMask, keyDownMask);
  std::vector<EventRecord> events = Drain(5, kQueuedKinds);
  ASSERT_EQ(events.size(), 2u) << "the walk stops at the stop event";
  EXPECT_EQ(events[0].what, keyDown);
  EXPECT_EQ(events[1].message, 3u) << "nothing after the stop event goes";
  PostEvent(mouseDown, 1);
  PostEvent(keyDown, 2);
  PostEvent(mouseDown, 3);
  FlushEvents(mDownMask, 0);
  events = Drain(5, kQueuedKinds);
  ASSERT_EQ(events.size(), 1u);
  EXPECT_EQ(events[0].what, keyDown);
  PostMessageA(H(w), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  PostMessageA(H(w), WM_CHAR, 'a', 1);
  FlushEvents(mDownMask | mUpMask, 0);
  events = Drain(5, kQueuedKinds);
  ASSERT_EQ(events.size(), 1u) << "the character's key-down stays (key-up is masked out)";
  EXPECT_EQ(events[0].what, keyDown);
}

TEST_F(LoopTest, SleepIsWokenByAPostedMessage) {
  WindowPtr w = Make(R(20, 40, 220, 200));
  Settle();
  HWND hwnd = H(w);
  std::thread poster([hwnd] {
    Sleep(150);
    PostMessageA(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  });
  EventRecord e;
  const DWORD start = GetTickCount();
  bool got = false;
  for (int i = 0; i < 3 && !got; ++i) got = WaitNextEvent(mDownMask, &e, 600, nullptr) && e.what == mouseDown;
  const DWORD took = GetTickCount() - start;
  poster.join();
  EXPECT_TRUE(got);
  EXPECT_LT(took, 5000u) << "a 10-second sleep ends with the message";
}

TEST_F(LoopTest, ApplicationTimersSurviveTheWakeUpTimerAndAreDispatched) {
  WindowPtr w = Make(R(20, 40, 220, 200));
  Settle();
  SetTimer(H(w), 77, 30, nullptr);
  EventRecord e;
  const DWORD start = GetTickCount();
  WaitNextEvent(mDownMask, &e, 30, nullptr);  // 480 ms: blocks with the wake-up timer armed
  WaitNextEvent(mDownMask, &e, 30, nullptr);
  const DWORD took = GetTickCount() - start;
  KillTimer(H(w), 77);
  EXPECT_GE(Loop().timers.size(), 2u);
  for (UINT id : Loop().timers) EXPECT_EQ(id, 77u);
  EXPECT_LT(took, 4000u);
}

int g_hookCalls = 0, g_peekCalls = 0;
BOOL WINAPI ConsumeLeftClicks(HWND, MSG* msg) {
  ++g_hookCalls;
  return msg->message != WM_LBUTTONDOWN;
}
BOOL WINAPI CountingPeek(MSG* msg, HWND hwnd, UINT first, UINT last, UINT removal) {
  ++g_peekCalls;
  return PeekMessageA(msg, hwnd, first, last, removal);
}

TEST_F(LoopTest, TheMessageHookConsumesAndThePeekReplacementIsCalled) {
  WindowPtr w = Make(R(20, 40, 220, 200));
  Settle();
  g_hookCalls = g_peekCalls = 0;
  ZEB_SetMessageHook(ConsumeLeftClicks);
  ZEB_SetPeekMessageProc(CountingPeek);
  PostMessageA(H(w), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  PostMessageA(H(w), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
  std::vector<EventRecord> events = Drain(5, static_cast<short>(mDownMask | mUpMask));
  ASSERT_EQ(events.size(), 1u);
  EXPECT_EQ(events[0].what, mouseUp);
  EXPECT_GE(g_hookCalls, 2);
  EXPECT_GT(g_peekCalls, 0);
  ZEB_SetMessageHook(nullptr);
  ZEB_SetPeekMessageProc(nullptr);
  const int peeks = g_peekCalls;
  PostMessageA(H(w), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  EXPECT_EQ(Drain(5, mDownMask).size(), 1u);
  EXPECT_EQ(g_peekCalls, peeks);
}

TEST_F(LoopTest, ButtonStillDownAndGetMouseUnderSetOrigin) {
  WindowPtr w = Make(R(20, 40, 220, 200));
  Settle();
  SetPort(w);
  SetOrigin(100, 50);
  const POINT at = ScreenOf(w, 30, 40);
  SetCursorPos(at.x, at.y);
  Point local;
  GetMouse(&local);
  EXPECT_EQ(local.h, 130);
  EXPECT_EQ(local.v, 90);
  GetMouse(nullptr);
  SetOrigin(0, 0);
  EXPECT_FALSE(Button());
  cells_.mbState = 0;
  Drain(1);
  EXPECT_EQ(cells_.mbState, 1);
  PostEvent(mouseUp, 0);
  EXPECT_FALSE(StillDown()) << "a queued mouse-up ends it";
  EXPECT_FALSE(WaitMouseUp());
  EXPECT_EQ(GetEvQHdr()->qHead, nullptr) << "WaitMouseUp took the mouse-up";
}

TEST_F(LoopTest, TimesComeInTicks) {
  EXPECT_EQ(GetDblTime(), GetDoubleClickTime() >> 4);
  EXPECT_EQ(GetCaretTime(), GetCaretBlinkTime() >> 4);
  SetEventMask(static_cast<short>(mDownMask));
  EXPECT_EQ(cells_.sysEvtMask, mDownMask);
  EXPECT_EQ(PostEvent(keyDown, 0), evtNotEnb);
  SetEventMask(static_cast<short>(0xFFEF));
}

// The capture count.
TEST_F(LoopTest, TheCaptureCountNeverGoesBelowZero) {
  ZEB_SetCapture(FALSE);
  ZEB_SetCapture(FALSE);
  EXPECT_EQ(ZEB_ForceCapture(0), 0);
  ZEB_SetCapture(TRUE);
  EXPECT_EQ(GetCapture(), frame_);
  EXPECT_EQ(ZEB_ForceCapture(1), 1);
  ZEB_SetCapture(FALSE);
  EXPECT_EQ(GetCapture(), nullptr);
  EXPECT_EQ(ZEB_ForceCapture(0), 0);
  EXPECT_EQ(ZEB_ForceCapture(-5), 0);
  EXPECT_EQ(ZEB_ForceCapture(0), 0) << "a negative count is no count";
  // With no capture the pump may block again: a long sleep is served.
  EventRecord e;
  const DWORD start = GetTickCount();
  WaitNextEvent(mDownMask, &e, 20, nullptr);
  EXPECT_GE(GetTickCount() - start, 200u);
}

}  // namespace
}  // namespace zebtest

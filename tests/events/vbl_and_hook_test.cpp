// VBL tasks (counting down, removing themselves and each other, the clock, re-entry) and the
// keyboard hook's forward-and-withhold table on real native controls inside a Toolbox window.
#include <string>

#include "event_loop_fixture.h"

namespace zebtest {
namespace {

struct TaskLog {
  std::vector<char> calls;
  VBLTask* removeOnCall = nullptr;
  bool reenter = false;
};
TaskLog g_tasks;
VBLTask g_a{}, g_b{}, g_c{};

void ZEBAPI TaskA() {
  g_tasks.calls.push_back('a');
  if (g_tasks.removeOnCall) VRemove(g_tasks.removeOnCall);
  if (g_tasks.reenter) ZEB_VBL_Interrupt();
}
void ZEBAPI TaskB() { g_tasks.calls.push_back('b'); }
void ZEBAPI TaskC() { g_tasks.calls.push_back('c'); }

class VBLTest : public EventLoopTest {
 protected:
  void SetUp() override {
    sessionFlags_ = ZEB_SF_NOPROCINSTANCES;
    EventLoopTest::SetUp();
    g_tasks = TaskLog{};
    g_a = VBLTask{};
    g_b = VBLTask{};
    g_c = VBLTask{};
    g_a.vblAddr = TaskA;
    g_b.vblAddr = TaskB;
    g_c.vblAddr = TaskC;
  }
  void TearDown() override {
    for (VBLTask* t : {&g_a, &g_b, &g_c}) VRemove(t);
    EventLoopTest::TearDown();
  }
  std::string Calls() { return std::string(g_tasks.calls.begin(), g_tasks.calls.end()); }
};

TEST_F(VBLTest, TasksCountDownAndRunWhenTheyReachZero) {
  g_a.vblCount = 2;
  g_b.vblCount = 1;
  ASSERT_EQ(VInstall(&g_a), noErr);
  ASSERT_EQ(VInstall(&g_b), noErr);
  EXPECT_EQ(GetCapture(), frame_) << "an installed task holds the mouse";
  ZEB_VBL_Interrupt();
  EXPECT_EQ(Calls(), "b");
  ZEB_VBL_Interrupt();
  EXPECT_EQ(Calls(), "ba");
  ZEB_VBL_Interrupt();  // both counts are 0 now: nothing runs until a task sets its count again
  EXPECT_EQ(Calls(), "ba");
  EXPECT_EQ(VRemove(&g_a), noErr);
  EXPECT_EQ(VRemove(&g_b), noErr);
  EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(VBLTest, BadTasksGetTheirResults) {
  EXPECT_EQ(VInstall(nullptr), vTypErr);
  EXPECT_EQ(VRemove(nullptr), vTypErr);
  EXPECT_EQ(VRemove(&g_a), qErr);
}

TEST_F(VBLTest, ATaskMayRemoveItselfOrTheNextDuringTheWalk) {
  g_a.vblCount = g_b.vblCount = g_c.vblCount = 1;
  VInstall(&g_a);
  VInstall(&g_b);
  VInstall(&g_c);
  g_tasks.removeOnCall = &g_a;
  ZEB_VBL_Interrupt();
  EXPECT_EQ(Calls(), "abc");
  g_tasks.calls.clear();
  VInstall(&g_a);
  g_a.vblCount = g_b.vblCount = g_c.vblCount = 1;
  // Order is now b, c, a: a removes b, which has already run; nothing is skipped or run twice.
  g_tasks.removeOnCall = &g_b;
  ZEB_VBL_Interrupt();
  EXPECT_EQ(Calls(), "bca");
}

TEST_F(VBLTest, RemovingOneTaskKeepsTheOthersRunning) {
  g_a.vblCount = 1;
  g_b.vblCount = 1;
  VInstall(&g_a);
  VInstall(&g_b);
  VRemove(&g_a);
  ZEB_VBL_Interrupt();
  EXPECT_EQ(Calls(), "b");
  EXPECT_EQ(GetCapture(), frame_);
}

TEST_F(VBLTest, InstallingATaskTwiceKeepsTheList) {
  g_a.vblCount = 1;
  g_b.vblCount = 1;
  VInstall(&g_a);
  VInstall(&g_b);
  EXPECT_EQ(VInstall(&g_a), noErr);
  ZEB_VBL_Interrupt();
  EXPECT_EQ(Calls(), "ab");
  VRemove(&g_a);
  VRemove(&g_b);
  EXPECT_EQ(GetCapture(), nullptr) << "the second install raised no capture of its own";
}

TEST_F(VBLTest, TheInterruptReenteredFromATaskDoesNothing) {
  g_a.vblCount = 1;
  g_tasks.reenter = true;
  VInstall(&g_a);
  ZEB_VBL_Interrupt();
  EXPECT_EQ(Calls(), "a");
}

// The hook's routing on real controls: what the frame (the hook target) and the control get.
struct ControlLog {
  std::vector<UINT> keys;
};
ControlLog g_control;
WNDPROC g_controlDefault = nullptr;
LRESULT CALLBACK LoggingControl(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_KEYDOWN || msg == WM_SYSKEYDOWN) g_control.keys.push_back(static_cast<UINT>(wParam));
  return CallWindowProcA(g_controlDefault, hwnd, msg, wParam, lParam);
}

class HookTest : public EventLoopTest {
 protected:
  void SetUp() override {
    EventLoopTest::SetUp();
    w_ = Make(R(20, 40, 320, 260));
    Settle();
    Foreground(H(w_));
  }
  HWND Control(const char* cls, DWORD style) {
    HWND c = CreateWindowA(cls, "", WS_CHILD | WS_VISIBLE | style, 5, 5, 120, 60, H(w_),
                           reinterpret_cast<HMENU>(101), GetModuleHandleA(nullptr), nullptr);
    g_controlDefault = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(c, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&LoggingControl)));
    return c;
  }
  // Presses the key (with modifiers held) and reports whether the frame and the control got it.
  std::pair<bool, bool> Press(HWND control, WORD vk, bool ctrl = false, DWORD extra = 0) {
    SetFocus(control);
    Loop().frameKeys.clear();
    g_control.keys.clear();
    if (ctrl) Keys({{VK_CONTROL, true}});
    Keys({{vk, true}, {vk, false}}, extra);
    if (ctrl) Keys({{VK_CONTROL, false}});
    Drain(4);
    bool frameGot = false;
    for (UINT m : Loop().frameKeys) frameGot |= m == WM_KEYDOWN;
    bool controlGot = false;
    for (UINT k : g_control.keys) controlGot |= k == vk;
    return {frameGot, controlGot};
  }
  WindowPtr w_ = nullptr;
};

TEST_F(HookTest, KeysInNativeControlsAreForwardedOrWithheldByKind) {
  struct Case {
    const char* cls;
    DWORD style;
    WORD vk;
    bool ctrl;
    bool forwarded, passed;
  } cases[] = {
      {"edit", 0, VK_TAB, false, true, false},
      {"edit", 0, VK_RETURN, false, true, false},
      {"edit", ES_MULTILINE | ES_WANTRETURN, VK_RETURN, false, true, true},
      {"edit", 0, VK_LEFT, false, true, true},
      {"edit", 0, 'A', false, false, true},
      {"edit", 0, 'A', true, true, false},
      {"edit", ES_MULTILINE, VK_ESCAPE, false, true, false},
      {"combobox", CBS_DROPDOWNLIST, VK_DOWN, false, false, true},
      {"listbox", LBS_NOTIFY, VK_UP, false, false, true},
      {"listbox", LBS_NOTIFY, 'A', false, true, true},
      {"button", BS_PUSHBUTTON, 'A', false, true, true},
      {"button", BS_PUSHBUTTON, VK_TAB, false, true, false},
  };
  for (const Case& c : cases) {
    HWND control = Control(c.cls, c.style);
    const auto got = Press(control, c.vk, c.ctrl);
    EXPECT_EQ(got.first, c.forwarded) << c.cls << " " << c.style << " vk " << c.vk;
    EXPECT_EQ(got.second, c.passed) << c.cls << " " << c.style << " vk " << c.vk;
    DestroyWindow(control);
  }
}

TEST_F(HookTest, ForwardedKeysBecomeToolboxKeyEvents) {
  HWND edit = Control("edit", 0);
  cells_.sysEvtMask = static_cast<short>(everyEvent & ~keyUpMask);
  SetFocus(edit);
  Tap(VK_TAB);
  EventRecord e;
  ASSERT_TRUE(WaitFor(keyDownMask, &e, 10));
  EXPECT_EQ(e.message, 0x3009u);
  DestroyWindow(edit);
}

long g_callbackKind = -1;
short g_callbackId = 0;
unsigned long g_callbackMessage = 0;
long WINAPI TakeEveryKey(GrafPort*, short id, EventRecord* e, short kind) {
  g_callbackKind = kind;
  g_callbackId = id;
  g_callbackMessage = e->message;
  return ZEB_KB_ROUTE | ZEB_KB_FORWARD;
}

TEST_F(HookTest, TheDialogCallbackSeesTheKeyAndMayChangeTheRouting) {
  ZEB_SetFlags(ZEB_SF_NOPROCINSTANCES, ZEB_SF_NOPROCINSTANCES, 0, 0);
  HWND edit = Control("edit", 0);
  ZEB_SetDlgKBHook(TakeEveryKey);
  const auto got = Press(edit, 'B');
  ZEB_SetDlgKBHook(nullptr);
  EXPECT_TRUE(got.first);
  EXPECT_FALSE(got.second);
  EXPECT_EQ(g_callbackKind, ZEB_KB_EDIT);
  EXPECT_EQ(g_callbackId, 101);
  EXPECT_EQ(g_callbackMessage & 0xFFFF, 0x0B42u);
  const auto after = Press(edit, 'B');
  EXPECT_FALSE(after.first);
  EXPECT_TRUE(after.second);
  DestroyWindow(edit);
}

TEST_F(HookTest, CtrlF4ClosesTheFocusedToolboxWindowThroughItsCloseCommand) {
  SetFocus(H(w_));
  FlushEvents(everyEvent, 0);
  Keys({{VK_CONTROL, true}, {VK_F4, true}, {VK_F4, false}, {VK_CONTROL, false}});
  EventRecord e;
  bool report = false;
  for (int i = 0; i < 20 && !report; ++i)
    report = GetNextEvent(mDownMask, &e) && e.where.h == -1 && e.where.v == -inGoAway;
  EXPECT_TRUE(report) << "the close command is reported as a close-box click";
}

TEST_F(HookTest, AnEndingSessionWithholdsEveryKey) {
  HWND edit = Control("edit", 0);
  ZEB_EndSession(1);
  const auto got = Press(edit, 'A');
  ZEB_EndSession(0);
  EXPECT_FALSE(got.first);
  EXPECT_FALSE(got.second);
  DestroyWindow(edit);
}

TEST_F(HookTest, FlushingWindowsKeysForwardsNothing) {
  HWND edit = Control("edit", 0);
  SetFocus(edit);
  Loop().frameKeys.clear();
  Tap(VK_TAB);  // waiting in the queue, not yet retrieved
  Sleep(50);
  FlushEvents(static_cast<short>(keyDownMask | keyUpMask), 0);
  Drain(3);
  EXPECT_TRUE(Loop().frameKeys.empty());
  DestroyWindow(edit);
}

}  // namespace
}  // namespace zebtest

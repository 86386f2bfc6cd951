// A drag through a library-drawn record in a real window: the button goes down and up through
// SendInput, the click loop moves the mouse.
#include <string>

#include "Events.h"
#include "MacWindows.h"
#include "TextEdit.h"
#include "event_loop_fixture.h"

namespace zebtest {
namespace {

POINT g_target{};
int g_calls = 0;

void SendButton(DWORD flags) {
  INPUT in{};
  in.type = INPUT_MOUSE;
  in.mi.dwFlags = flags;
  SendInput(1, &in, sizeof in);
}

// Moves the mouse to the target on its first call, releases the button a little later.
Boolean ZEBAPI DraggingClickLoop(void) {
  ++g_calls;
  if (g_calls == 1) SetCursorPos(g_target.x, g_target.y);
  if (g_calls == 20) SendButton(MOUSEEVENTF_LEFTUP);
  return g_calls < 2000;
}

class ClicksTest : public EventLoopTest {
 protected:
  void SetUp() override {
    EventLoopTest::SetUp();
    window_ = Make(R(100, 100, 420, 300));
    ASSERT_NE(window_, nullptr);
    Settle();
    SetPort(window_);
    const Rect r{10, 10, 100, 300};
    te_ = TENew(&r, &r);
    ASSERT_NE(te_, nullptr);
  }
  void TearDown() override {
    if (te_) TEDispose(te_);
    te_ = nullptr;
    EventLoopTest::TearDown();
  }

  WindowPtr window_ = nullptr;
  TEHandle te_ = nullptr;
};

TEST_F(ClicksTest, DraggingSelectsFromTheClickToTheMouse) {
  const std::string s = "hello world again";
  TESetText(s.data(), static_cast<long>(s.size()), te_);
  Foreground(ZEB_GethWnd(window_));
  const Point start = {static_cast<short>(TEGetPoint(1, te_).v - 4), TEGetPoint(1, te_).h};
  const Point end = {static_cast<short>(TEGetPoint(11, te_).v - 4), TEGetPoint(11, te_).h};
  g_target = ScreenOf(window_, end.h, end.v);
  g_calls = 0;
  TESetClickLoop(DraggingClickLoop, te_);
  const POINT down = ScreenOf(window_, start.h, start.v);
  SetCursorPos(down.x, down.y);
  SendButton(MOUSEEVENTF_LEFTDOWN);
  // The application's loop takes the mouse-down and hands it to TextEdit.
  EventRecord e{};
  ASSERT_TRUE(WaitFor(1 << mouseDown, &e));
  SetPort(window_);
  Point local = e.where;
  GlobalToLocal(&local);
  TEClick(local, false, te_);
  if (g_calls < 20) SendButton(MOUSEEVENTF_LEFTUP);
  EXPECT_GE(g_calls, 1);
  EXPECT_LT(g_calls, 2000);  // the button's release ended the tracking
  EXPECT_EQ((*te_)->selStart, 1);
  EXPECT_EQ((*te_)->selEnd, 11);
  EXPECT_EQ(GetCapture(), nullptr);
}

}  // namespace
}  // namespace zebtest

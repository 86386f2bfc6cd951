// Lists in a ported application's windows: a Toolbox window whose procedure also hands
// owner-drawn list entries to ZEB_UserItem (as an application's procedure does), and helpers
// that read the native list box back.
#ifndef ZEB_TESTS_LISTS_LISTS_FIXTURE_H
#define ZEB_TESTS_LISTS_LISTS_FIXTURE_H

#include <windows.h>

#include <string>
#include <vector>

#include "Lists.h"
#include "event_loop_fixture.h"

namespace zebtest {

class ListsTest : public EventLoopTest {
 protected:
  void SetUp() override;
  void TearDown() override;

  // A visible document window at (40, 40) of 300 x 240 with the owner-draw forwarding.
  WindowPtr ListWindow();
  // A list in the window at rView (10, 10, 110, 170) local; the list is disposed at tear-down.
  ListHandle Make(short columns, short rows, Point cell = Point{0, 0}, short proc = 0, bool vScroll = false,
                  bool hScroll = false, WindowPtr w = nullptr);
  static Cell C(short h, short v) {
    Cell c;
    c.h = h;
    c.v = v;
    return c;
  }
  static void Set(ListHandle l, short h, short v, const std::string& text);
  static std::string Get(ListHandle l, short h, short v);
  static HWND Box(ListHandle l) { return ZEB_GetHWNDFromListHandle(l); }
  static int Count(ListHandle l) { return static_cast<int>(SendMessageA(Box(l), LB_GETCOUNT, 0, 0)); }
  static std::string Text(ListHandle l, int entry);
  static std::vector<int> NativeSelection(ListHandle l);
  static void Pump(int ms = 20);

  WindowPtr window_ = nullptr;
  std::vector<ListHandle> lists_;
};

}  // namespace zebtest

#endif  // ZEB_TESTS_LISTS_LISTS_FIXTURE_H

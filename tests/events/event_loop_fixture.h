// A ported application's event loop for tests: a frame window and Toolbox window classes whose
// procedures forward every message that concerns Toolbox state to the library's glue and input
// calls, QuickDraw and the Window Manager initialised, and helpers that feed real input
// (posted messages and SendInput) and collect what WaitNextEvent returns.
#ifndef ZEB_TESTS_EVENTS_EVENT_LOOP_FIXTURE_H
#define ZEB_TESTS_EVENTS_EVENT_LOOP_FIXTURE_H

#include <windows.h>

#include <functional>
#include <vector>

#include "Events.h"
#include "MacWindows.h"
#include "ZEB.h"
#include "session_fixture.h"

namespace zebtest {

constexpr char kLoopClass[] = "ZEBLoopWndClass";

// What the application's procedures saw.
struct LoopLog {
  std::vector<UINT> frameKeys;   // keyboard messages that reached the frame
  std::vector<UINT> timers;      // WM_TIMER identifiers dispatched to Toolbox windows
  std::vector<UINT> frameCommands;  // WM_COMMAND identifiers that reached the frame
  std::function<void(WindowPtr)> onUpdate;  // drawing inside BeginUpdate
};
LoopLog& Loop();

class EventLoopTest : public SessionTest {
 protected:
  EventLoopTest();
  void SetUp() override;
  void TearDown() override;

  WindowPtr Make(const Rect& bounds, short procID = documentProc, bool visible = true);
  // WaitNextEvent until an event whose kind is in wanted arrives, at most tries calls of sleep
  // ticks each; null events in between are skipped. False when none came.
  bool WaitFor(uint16_t wanted, EventRecord* e, int tries = 40, unsigned long sleep = 1,
               short mask = everyEvent);
  // Every event that comes within the calls, nulls left out.
  std::vector<EventRecord> Drain(int calls = 30, short mask = everyEvent);
  // The update and activate events the windows made so far are handled as an application does.
  void Settle();

  // Real input through SendInput.
  static void Keys(std::initializer_list<std::pair<WORD, bool>> strokes, DWORD extraFlags = 0);
  static void Tap(WORD vk, DWORD extraFlags = 0);
  static void ClickAt(POINT screen, bool right = false);
  // The screen point of a point in the window's content (client coordinates).
  static POINT ScreenOf(WindowPtr w, int x, int y);
  void Foreground(HWND hwnd);

  std::vector<WindowPtr> made_;
};

Rect R(short left, short top, short right, short bottom);
// A window as EventRecord.message holds it, and back.
inline unsigned long Msg(WindowPtr w) {
  return static_cast<unsigned long>(reinterpret_cast<uintptr_t>(w));
}
inline WindowPtr WindowOf(unsigned long message) {
  return reinterpret_cast<WindowPtr>(static_cast<uintptr_t>(message));
}
HWND H(WindowPtr w);

}  // namespace zebtest

#endif  // ZEB_TESTS_EVENTS_EVENT_LOOP_FIXTURE_H

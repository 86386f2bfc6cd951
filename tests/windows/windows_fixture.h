// A session with real Toolbox windows: window classes whose procedure forwards each message to
// the library's glue as a ported application's does, QuickDraw and the Window Manager
// initialised, and the frame window shown.
#ifndef ZEB_TESTS_WINDOWS_WINDOWS_FIXTURE_H
#define ZEB_TESTS_WINDOWS_WINDOWS_FIXTURE_H

#include <windows.h>

#include <vector>

#include "Events.h"
#include "MacWindows.h"
#include "OSUtils.h"
#include "resources_fixture.h"

namespace zebtest {

// The classes: the child class the session names, the MDI child class, and one that reserves
// too little extra data for a Toolbox window.
constexpr char kGlueClass[] = "ZEBGlueWndClass";
constexpr char kGlueMDIClass[] = "ZEBGlueMDIWndClass";
constexpr char kShortExtraClass[] = "ZEBShortExtraWndClass";

// What the glue procedure saw.
struct GlueLog {
  std::vector<UINT> messages;
  // ZEB_GetwPtr answered during WM_CREATE: the record being built is found.
  WindowPtr foundDuringCreate = nullptr;
  bool createSeen = false;
  void Clear() { *this = GlueLog{}; }
};
GlueLog& Log();

LRESULT CALLBACK GlueProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
void RegisterGlueClasses();

// Every queued event, oldest first.
std::vector<EvQEl> QueuedEvents();
// Takes every message waiting for the thread and dispatches it.
void Pump();
Rect MakeRect(short left, short top, short right, short bottom);
WindowPeek PeekOf(WindowPtr w);
// The window's WindowDataRec.
WindowDataRec& DataOf(WindowPtr w);
// A length-prefixed literal.
const unsigned char* P(const char* text);

class WindowsTest : public ResourcesTest {
 protected:
  WindowsTest();
  void SetUp() override;
  void TearDown() override;

  // A visible window of the procID, with the bounds given (content, parent client coordinates).
  WindowPtr Make(short procID, const Rect& bounds, bool visible = true, bool goAway = true,
                 const char* title = "Window");
  // Disposes of every window made with Make that is still open.
  void DisposeMade();

  std::vector<WindowPtr> made_;
};

}  // namespace zebtest

#endif  // ZEB_TESTS_WINDOWS_WINDOWS_FIXTURE_H

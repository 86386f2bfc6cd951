// A ported application's start-up for tests: window classes, a frame window, a complete session
// record and the application's own cells for every Toolbox global.
#ifndef ZEB_TESTS_SESSION_FIXTURE_H
#define ZEB_TESTS_SESSION_FIXTURE_H

#include <gtest/gtest.h>

#include <vector>

#include "MacMemory.h"
#include "OSUtils.h"
#include "Quickdraw.h"
#include "Scrap.h"
#include "ZEB.h"

namespace zebtest {

// The application's cells for the Toolbox globals: QuickDraw's record and the others', as a
// ported application declares them.
struct AppGlobals : QDGlobals, ZEB_SystemGlobals {};

// A globals record naming every cell of cells.
ZEB_GlobalsRec GlobalsRecordFor(AppGlobals& cells);

// Registers the frame class "ZEBMainWndClass" and the child class "ZEBSubWndClass" once.
void RegisterAppClasses();
HWND CreateFrameWindow();

// What the frame window received: heap-damage reports (message and lParam).
struct FrameMessage {
  UINT message;
  LPARAM lParam;
};
std::vector<FrameMessage>& FrameMessages();

class SessionTest : public ::testing::Test {
 protected:
  // Extra session flags for the test; set in the derived fixture's constructor.
  unsigned long sessionFlags_ = 0;

  void SetUp() override;
  void TearDown() override;
  void EndSession();

  HWND frame_ = nullptr;
  ZEB_SessionRec session_{};
  AppGlobals cells_{};
  ZEB_GlobalsRec globals_{};
  bool started_ = false;
};

}  // namespace zebtest

#endif  // ZEB_TESTS_SESSION_FIXTURE_H

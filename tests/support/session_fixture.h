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

// The application's cells, with the Toolbox types.
struct AppGlobals {
  short sfSaveDisk;
  void* curDirRecord;
  long curDirStore;
  GDHandle mainDevice;
  GDHandle deviceList;
  GrafPtr wMgrPort;
  QHdr eventQueue;
  short mBarHeight;
  short memErr;
  RgnHandle grayRgn;
  void* windowList;
  GrafPtr thePort;
  Pattern white, black, gray, ltGray, dkGray;
  Cursor arrow;
  BitMap screenBits;
  long randSeed;
  ScrapStuff scrapInfo;
  short printErr;
  unsigned long ticks;
  void* unused24[4];
  long caretTime;
  void* curActivate;
  unsigned char hiliteMode;
  GDHandle theGDevice;
  short resErr;
  long unused33;
  RGBColor hiliteRGB;
  unsigned char mbState;
  void* unused36[3];
  unsigned char fractEnable;
  long fontWidthState;
  short theMenu;
  ProcPtr resumeProc;
  short sysEvtMask;
  long doubleTime;
  THz theZone;
  Handle menuList;
  short menuSetting;
  long teScrpLength;
  Handle teScrpHandle;
  unsigned char resLoad;
  void* unused51[2];
  void* curDeactive;
  void* unused54;
  short teStylScrapSwitch;
  Handle teStylScrapHandle;
  Handle appParmHandle;
  void* popUpMenuState[2];
};

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

#include "session_fixture.h"

namespace zebtest {
namespace {

std::vector<FrameMessage> g_frameMessages;

LRESULT CALLBACK FrameProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == ZEB_WM_HEAPDAMAGED) {
    g_frameMessages.push_back({message, lParam});
    return 0;
  }
  return DefWindowProcA(hwnd, message, wParam, lParam);
}

}  // namespace

std::vector<FrameMessage>& FrameMessages() { return g_frameMessages; }

void RegisterAppClasses() {
  static bool done = false;
  if (done) return;
  done = true;
  WNDCLASSA wc{};
  wc.lpfnWndProc = FrameProc;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  wc.lpszClassName = "ZEBMainWndClass";
  RegisterClassA(&wc);
  wc.lpfnWndProc = DefWindowProcA;
  wc.cbWndExtra = 32;
  wc.lpszClassName = "ZEBSubWndClass";
  RegisterClassA(&wc);
}

HWND CreateFrameWindow() {
  RegisterAppClasses();
  return CreateWindowA("ZEBMainWndClass", "ZEB tests", WS_OVERLAPPEDWINDOW, 0, 0, 400, 300,
                       nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
}

ZEB_GlobalsRec GlobalsRecordFor(AppGlobals& c) {
  ZEB_GlobalsRec r{};
  r.size = kZEBGlobalsRecSize;
  r.sfSaveDisk = &c.sfSaveDisk;
  r.curDirRecord = &c.curDirRecord;
  r.curDirStore = &c.curDirStore;
  r.mainDevice = &c.mainDevice;
  r.deviceList = &c.deviceList;
  r.wMgrPort = &c.wMgrPort;
  r.eventQueue = &c.eventQueue;
  r.mBarHeight = &c.mBarHeight;
  r.memErr = &c.memErr;
  r.grayRgn = &c.grayRgn;
  r.windowList = &c.windowList;
  r.thePort = &c.thePort;
  r.white = &c.white;
  r.black = &c.black;
  r.gray = &c.gray;
  r.ltGray = &c.ltGray;
  r.dkGray = &c.dkGray;
  r.arrow = &c.arrow;
  r.screenBits = &c.screenBits;
  r.randSeed = &c.randSeed;
  r.scrapInfo = &c.scrapInfo;
  r.printErr = &c.printErr;
  r.ticks = &c.ticks;
  r.unused24 = &c.unused24[0];
  r.unused25 = &c.unused24[1];
  r.unused26 = &c.unused24[2];
  r.unused27 = &c.unused24[3];
  r.caretTime = &c.caretTime;
  r.curActivate = &c.curActivate;
  r.hiliteMode = &c.hiliteMode;
  r.theGDevice = &c.theGDevice;
  r.resErr = &c.resErr;
  r.unused33 = &c.unused33;
  r.hiliteRGB = &c.hiliteRGB;
  r.mbState = &c.mbState;
  r.unused36 = &c.unused36[0];
  r.unused37 = &c.unused36[1];
  r.unused38 = &c.unused36[2];
  r.fractEnable = &c.fractEnable;
  r.fontWidthState = &c.fontWidthState;
  r.theMenu = &c.theMenu;
  r.resumeProc = &c.resumeProc;
  r.sysEvtMask = &c.sysEvtMask;
  r.doubleTime = &c.doubleTime;
  r.theZone = &c.theZone;
  r.menuList = &c.menuList;
  r.menuSetting = &c.menuSetting;
  r.teScrpLength = &c.teScrpLength;
  r.teScrpHandle = &c.teScrpHandle;
  r.resLoad = &c.resLoad;
  r.unused51 = &c.unused51[0];
  r.unused52 = &c.unused51[1];
  r.curDeactive = &c.curDeactive;
  r.unused54 = &c.unused54;
  r.teStylScrapSwitch = &c.teStylScrapSwitch;
  r.teStylScrapHandle = &c.teStylScrapHandle;
  r.appParmHandle = &c.appParmHandle;
  r.popUpMenuState1 = &c.popUpMenuState[0];
  r.popUpMenuState2 = &c.popUpMenuState[1];
  return r;
}

void SessionTest::SetUp() {
  g_frameMessages.clear();
  frame_ = CreateFrameWindow();
  ASSERT_NE(frame_, nullptr);
  session_.size = kZEBSessionRecSize;
  session_.instance = GetModuleHandleA(nullptr);
  session_.frameWindow = frame_;
  session_.flags = sessionFlags_;
  ZEB_InitSession(&session_);
  started_ = true;
  ASSERT_EQ(session_.started, 1);
  globals_ = GlobalsRecordFor(cells_);
  ASSERT_EQ(ZEB_InitGlobals(&globals_), ZEB_GLOBALS_OK);
}

void SessionTest::EndSession() {
  if (started_) ZEB_ExitSession();
  started_ = false;
}

void SessionTest::TearDown() {
  EndSession();
  if (frame_) DestroyWindow(frame_);
  frame_ = nullptr;
}

}  // namespace zebtest

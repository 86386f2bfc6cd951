#include "session_fixture.h"

namespace zebtest {
namespace {

std::vector<FrameMessage> g_frameMessages;

LRESULT CALLBACK FrameProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == ZEB_WM_HEAPDAMAGED) {
    g_frameMessages.push_back({message, lParam});
    return 0;
  }
  // A ported application's frame passes the clipboard-viewer messages to the library, which
  // joins it to the viewer chain; without them the chain would end at the frame.
  if (message == WM_DRAWCLIPBOARD) {
    ZEB_DrawClipboard();
    return 0;
  }
  if (message == WM_CHANGECBCHAIN)
    return ZEB_ChangeClipboardChain(reinterpret_cast<HWND>(wParam), reinterpret_cast<HWND>(lParam));
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

ZEB_GlobalsRec GlobalsRecordFor(AppGlobals& cells) {
  ZEB_GlobalsRec r;
  ZEB_FillGlobalsRec(&r, &cells, &cells);
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

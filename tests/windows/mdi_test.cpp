// Windows of an MDI application: children of the MDI client made by the client itself.
#include "windows_fixture.h"

namespace zebtest {
namespace {

class MDITest : public WindowsTest {
 protected:
  void SetUp() override {
    WindowsTest::SetUp();
    // The session starts again as an MDI frame with its client window.
    EndSession();
    CLIENTCREATESTRUCT ccs{};
    client_ = CreateWindowA("MDICLIENT", nullptr, WS_CHILD | WS_CLIPCHILDREN | WS_VISIBLE, 0, 0,
                            380, 250, frame_, nullptr, GetModuleHandleA(nullptr), &ccs);
    ASSERT_NE(client_, nullptr);
    session_ = ZEB_SessionRec{};
    session_.size = kZEBSessionRecSize;
    session_.instance = GetModuleHandleA(nullptr);
    session_.frameWindow = frame_;
    session_.mdiClient = client_;
    session_.flags = ZEB_SF_MDI;
    session_.childClassName = kGlueClass;
    session_.mdiChildClassName = kGlueMDIClass;
    ZEB_InitSession(&session_);
    started_ = true;
    globals_ = GlobalsRecordFor(cells_);
    ASSERT_EQ(ZEB_InitGlobals(&globals_), ZEB_GLOBALS_OK);
    InitGraf(&cells_.thePort);
    InitWindows();
  }
  HWND client_ = nullptr;
};

TEST_F(MDITest, DocumentWindowsAreMDIChildren) {
  WindowPtr w = Make(documentProc, MakeRect(10, 10, 160, 110));
  ASSERT_NE(w, nullptr);
  HWND hwnd = ZEB_GethWnd(w);
  EXPECT_EQ(GetParent(hwnd), client_);
  EXPECT_NE(GetWindowLongA(hwnd, GWL_EXSTYLE) & WS_EX_MDICHILD, 0);
  EXPECT_NE(DataOf(w).kindFlags & zebMDIChild, 0);
  char name[64];
  GetClassNameA(hwnd, name, sizeof name);
  EXPECT_STREQ(name, kGlueMDIClass);
  EXPECT_EQ(reinterpret_cast<HWND>(SendMessageA(client_, WM_MDIGETACTIVE, 0, 0)), hwnd);
  // The glue leaves an MDI child's zoom commands to Windows.
  EXPECT_EQ(ZEB_SysCommand(0, hwnd, SC_MAXIMIZE), 0);
  // The default-maximise state follows the active child.
  EXPECT_EQ(ZEB_MDIDefaultState(0, 0), 0ul);
  EXPECT_EQ(ZEB_MDIMessage(WM_MDIGETACTIVE, 0, 0), reinterpret_cast<LRESULT>(hwnd));
  DisposeWindow(w);
  EXPECT_FALSE(IsWindow(hwnd));
}

TEST_F(MDITest, AHiddenChildStaysHiddenAndTheClassDefaultAppliesOnce) {
  WindowPtr shown = Make(documentProc, MakeRect(10, 10, 160, 110));
  ZEB_SystemValue(ZEB_SV_SET, 48, static_cast<unsigned long>(reinterpret_cast<uintptr_t>(kGlueClass)));
  WindowPtr hidden = Make(documentProc, MakeRect(30, 30, 180, 130), false);
  ASSERT_NE(hidden, nullptr);
  char name[64];
  GetClassNameA(ZEB_GethWnd(hidden), name, sizeof name);
  EXPECT_STREQ(name, kGlueClass);
  EXPECT_FALSE(IsWindowVisible(ZEB_GethWnd(hidden)));
  EXPECT_EQ(ZEB_SystemValue(ZEB_SV_GET, 48, 0), 0ul);
  EXPECT_EQ(FrontWindow(), shown);
  // Palettes are children of the frame, not of the MDI client.
  WindowPtr palette = Make(722, MakeRect(10, 10, 110, 60));
  EXPECT_EQ(GetParent(ZEB_GethWnd(palette)), frame_);
}

}  // namespace
}  // namespace zebtest

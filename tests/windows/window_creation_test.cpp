// Creating windows: the Windows window each procID gets, the record and its data, the one-shot
// creation defaults, the creation hook, templates and the refusals.
#include <cstring>
#include <string>

#include "windows_fixture.h"

namespace zebtest {
namespace {

constexpr DWORD kStyleBits = WS_CHILD | WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME |
                             WS_MAXIMIZEBOX | DS_MODALFRAME;
constexpr DWORD kCS = WS_CLIPSIBLINGS;
constexpr DWORD kCapSys = WS_CAPTION | WS_SYSMENU;

std::string ClassOf(HWND hwnd) {
  char name[64] = "";
  GetClassNameA(hwnd, name, sizeof name);
  return name;
}

SIZE ClientSize(HWND hwnd) {
  RECT r;
  GetClientRect(hwnd, &r);
  return {r.right, r.bottom};
}

POINT ClientOrigin(HWND hwnd) {
  POINT p = {0, 0};
  ClientToScreen(hwnd, &p);
  return p;
}

struct StyleRow {
  short procID;
  DWORD style;            // the bits of kStyleBits the window has
  uint16_t kindBits;      // the high bits of kindFlags
  bool floating;
  bool childOfFrame;      // a child window of the frame (otherwise owned by it or top-level)
  const char* className;  // the session's child class unless said
};

class WindowCreationTest : public WindowsTest {};

TEST_F(WindowCreationTest, EachProcIDGetsItsStyleParentKindAndClass) {
  const StyleRow rows[] = {
      {documentProc, WS_CHILD | kCapSys | WS_THICKFRAME, zebHasSizeBox, false, true, nullptr},
      {dBoxProc, WS_POPUP | WS_DLGFRAME, zebPopUp, false, false, nullptr},
      {plainDBox, WS_CHILD | WS_BORDER, 0, false, true, nullptr},
      {altDBoxProc, WS_POPUP | WS_BORDER, zebPopUp, false, false, nullptr},
      {noGrowDocProc, WS_CHILD | kCapSys, 0, false, true, nullptr},
      {movableDBoxProc, WS_POPUP | kCapSys | DS_MODALFRAME, zebPopUp, false, false, "_ZEB_THREED_"},
      {zoomDocProc, WS_CHILD | kCapSys | WS_THICKFRAME | WS_MAXIMIZEBOX, zebHasSizeBox, false, true, nullptr},
      {zoomNoGrow, WS_CHILD | kCapSys | WS_MAXIMIZEBOX, 0, false, true, nullptr},
      {rDocProc, WS_CHILD | kCapSys, 0, false, true, nullptr},
      {722, WS_CHILD | WS_CAPTION, 0, true, true, nullptr},
      {726, WS_CHILD | WS_CAPTION | WS_THICKFRAME, zebHasSizeBox, true, true, nullptr},
      {-722, WS_CHILD | WS_CAPTION, zebTopLevel, true, true, nullptr},
      // Other numbers choose by their variant (procID modulo 16).
      {1000, WS_CHILD | WS_CAPTION, zebTopLevel, true, true, nullptr},
      {994, WS_POPUP | WS_BORDER, zebPopUp, false, false, nullptr},
      {999, WS_CHILD | WS_CAPTION | WS_THICKFRAME, zebTopLevel | zebHasSizeBox, true, true, nullptr},
      {1007, WS_POPUP | WS_BORDER, zebTopLevel | zebPopUp, false, false, nullptr},
  };
  for (const StyleRow& row : rows) {
    SCOPED_TRACE(row.procID);
    const Rect bounds = MakeRect(30, 40, 230, 160);
    WindowPtr w = Make(row.procID, bounds);
    ASSERT_NE(w, nullptr);
    HWND hwnd = ZEB_GethWnd(w);
    ASSERT_TRUE(IsWindow(hwnd));
    EXPECT_EQ(static_cast<DWORD>(GetWindowLongA(hwnd, GWL_STYLE)) & kStyleBits, row.style);
    // Children clip their siblings (Windows gives every pop-up the style itself).
    if (row.style & WS_CHILD) {
      EXPECT_NE(GetWindowLongA(hwnd, GWL_STYLE) & kCS, 0);
    }
    EXPECT_EQ(DataOf(w).kindFlags & 0xFE00, row.kindBits);
    EXPECT_EQ(DataOf(w).kindFlags & 0xFF, row.procID & 0xFF);
    EXPECT_EQ((DataOf(w).stateFlags & zebFloating) != 0, row.floating);
    EXPECT_EQ(DataOf(w).window, hwnd);
    if (row.childOfFrame) {
      EXPECT_EQ(GetParent(hwnd), frame_);
    }
    EXPECT_EQ(ClassOf(hwnd), row.className ? row.className : kGlueClass);
    const SIZE client = ClientSize(hwnd);
    EXPECT_EQ(client.cx, 200);
    EXPECT_EQ(client.cy, 120);
    EXPECT_EQ(GetWVariant(w), row.procID);
    EXPECT_EQ(PeekOf(w)->windowKind, userKind);
    EXPECT_EQ(reinterpret_cast<intptr_t>(PeekOf(w)->windowDefProc), row.procID);
    DisposeWindow(w);
    EXPECT_FALSE(IsWindow(hwnd));
  }
}

TEST_F(WindowCreationTest, RoundedVariantsAreTheRoundedWindow) {
  WindowPtr w = Make(17, MakeRect(10, 10, 110, 110));
  ASSERT_NE(w, nullptr);
  EXPECT_EQ(GetWVariant(w), rDocProc);
  EXPECT_EQ(DataOf(w).kindFlags & 0xFF, rDocProc);
  EXPECT_EQ(static_cast<DWORD>(GetWindowLongA(ZEB_GethWnd(w), GWL_STYLE)) & kStyleBits,
            static_cast<DWORD>(WS_CHILD | kCapSys));
}

TEST_F(WindowCreationTest, ContentLandsAtTheBoundsInTheParentsClientArea) {
  WindowPtr child = Make(documentProc, MakeRect(30, 40, 130, 140));
  ASSERT_NE(child, nullptr);
  const POINT frameOrigin = ClientOrigin(frame_);
  const POINT childOrigin = ClientOrigin(ZEB_GethWnd(child));
  EXPECT_EQ(childOrigin.x - frameOrigin.x, 30);
  EXPECT_EQ(childOrigin.y - frameOrigin.y, 40);
  // A dialog-look pop-up is placed relative to its owner's client area too.
  WindowPtr dialog = Make(dBoxProc, MakeRect(20, 25, 120, 125));
  ASSERT_NE(dialog, nullptr);
  const POINT dialogOrigin = ClientOrigin(ZEB_GethWnd(dialog));
  EXPECT_EQ(dialogOrigin.x - frameOrigin.x, 20);
  EXPECT_EQ(dialogOrigin.y - frameOrigin.y, 25);
  // A plain pop-up takes screen coordinates.
  WindowPtr popUp = Make(altDBoxProc, MakeRect(50, 60, 150, 160));
  ASSERT_NE(popUp, nullptr);
  const POINT popUpOrigin = ClientOrigin(ZEB_GethWnd(popUp));
  EXPECT_EQ(popUpOrigin.x, 50);
  EXPECT_EQ(popUpOrigin.y, 60);
}

TEST_F(WindowCreationTest, CaptionsStayReachable) {
  WindowPtr w = Make(documentProc, MakeRect(-300, -200, -100, -100));
  ASSERT_NE(w, nullptr);
  const POINT frameOrigin = ClientOrigin(frame_);
  const POINT origin = ClientOrigin(ZEB_GethWnd(w));
  const int border = GetSystemMetrics(SM_CXSIZEFRAME);
  EXPECT_EQ(origin.x - frameOrigin.x, -border);
  EXPECT_EQ(origin.y - frameOrigin.y, -border);
  // Far off-screen positions are deliberate and kept.
  WindowPtr hidden = Make(documentProc, MakeRect(-2000, -2000, -1900, -1900));
  ASSERT_NE(hidden, nullptr);
  EXPECT_EQ(ClientOrigin(ZEB_GethWnd(hidden)).x - frameOrigin.x, -2000);
}

TEST_F(WindowCreationTest, RecordFieldsExtraDataAndPropertyDescribeTheWindow) {
  const Rect bounds = MakeRect(10, 20, 210, 120);
  WindowPtr w = NewWindow(nullptr, &bounds, P("Title"), true, zoomDocProc,
                          reinterpret_cast<WindowPtr>(-1), true, 0x12345678);
  ASSERT_NE(w, nullptr);
  made_.push_back(w);
  HWND hwnd = ZEB_GethWnd(w);
  WindowPeek p = PeekOf(w);
  EXPECT_EQ(p->visible, 1);
  EXPECT_EQ(p->goAwayFlag, 1);
  EXPECT_EQ(p->spareFlag, 0);
  EXPECT_EQ(p->refCon, 0x12345678);
  EXPECT_EQ(GetWRefCon(w), 0x12345678);
  EXPECT_EQ(p->titleWidth, 0);
  EXPECT_EQ(p->controlList, nullptr);
  EXPECT_EQ(p->windowPic, nullptr);
  EXPECT_EQ(w->txFont, 1);
  ASSERT_NE(p->titleHandle, nullptr);
  EXPECT_EQ(std::string(reinterpret_cast<char*>(*p->titleHandle), 6), std::string("\x05Title"));
  Str255 title;
  GetWTitle(w, title);
  EXPECT_EQ(std::string(reinterpret_cast<char*>(title) + 1, title[0]), "Title");
  char text[32];
  GetWindowTextA(hwnd, text, sizeof text);
  EXPECT_STREQ(text, "Title");
  EXPECT_EQ(w->portRect.right - w->portRect.left, 200);
  EXPECT_EQ(w->portRect.bottom - w->portRect.top, 100);
  const Rect user = DataOf(w).userState;
  EXPECT_EQ(user.left, 10);
  EXPECT_EQ(user.bottom, 120);
  // Extra data: the record, the creation style and the minimum tracking size.
  EXPECT_EQ(static_cast<uint32_t>(GetWindowLongA(hwnd, zebExtraWindowPtr)),
            static_cast<uint32_t>(reinterpret_cast<uintptr_t>(w)));
  EXPECT_EQ(GetWindowLongA(hwnd, zebExtraStyle) & WS_MAXIMIZEBOX, static_cast<LONG>(WS_MAXIMIZEBOX));
  EXPECT_EQ(GetWindowLongA(hwnd, zebExtraMinSize), MAKELONG(15, 15));
  for (int offset = 16; offset < zebExtraBytes; offset += 4) EXPECT_EQ(GetWindowLongA(hwnd, offset), 0);
  EXPECT_EQ(GetPropA(hwnd, "ZEB_wFlag"), reinterpret_cast<HANDLE>(1));
  // The port draws into the window.
  EXPECT_GE(w->patStretch, 0);
  // Structure and content regions in screen coordinates.
  RECT outer;
  GetWindowRect(hwnd, &outer);
  EXPECT_EQ((*p->strucRgn)->rgnBBox.left, outer.left);
  EXPECT_EQ((*p->contRgn)->rgnBBox.left, ClientOrigin(hwnd).x);
  // The 3D look gives a window with a size box its size grip in the bottom-right corner.
  HWND grip = GetDlgItem(hwnd, 23130);
  ASSERT_NE(grip, nullptr);
  RECT g;
  GetWindowRect(grip, &g);
  EXPECT_EQ(g.right, ClientOrigin(hwnd).x + 200);
}

TEST_F(WindowCreationTest, MessagesDuringCreationFindTheRecordBeingBuilt) {
  Log().Clear();
  WindowPtr w = Make(documentProc, MakeRect(10, 10, 110, 110));
  ASSERT_NE(w, nullptr);
  EXPECT_TRUE(Log().createSeen);
  EXPECT_EQ(Log().foundDuringCreate, w);
}

TEST_F(WindowCreationTest, OneShotDefaultsApplyToTheNextWindowOnly) {
  ZEB_SystemValue(ZEB_SV_SET, 33, zoomDocProc);
  WindowPtr replaced = Make(documentProc, MakeRect(10, 10, 110, 110));
  ASSERT_NE(replaced, nullptr);
  EXPECT_EQ(GetWVariant(replaced), zoomDocProc);
  EXPECT_EQ(ZEB_SystemValue(ZEB_SV_GET, 33, 0), 0xFFFFFFFFul);
  WindowPtr plain = Make(documentProc, MakeRect(10, 10, 110, 110));
  EXPECT_EQ(GetWVariant(plain), documentProc);

  ZEB_SystemValue(ZEB_SV_SET, 31, 0x2);  // top-level
  WindowPtr top = Make(documentProc, MakeRect(10, 10, 110, 110));
  EXPECT_NE(DataOf(top).kindFlags & zebTopLevel, 0);
  EXPECT_EQ(ZEB_SystemValue(ZEB_SV_GET, 31, 0), 0ul);

  ZEB_SystemValue(ZEB_SV_SET, 32, 1);  // the next document window is a pop-up
  WindowPtr popUp = Make(documentProc, MakeRect(10, 10, 110, 110));
  EXPECT_NE(GetWindowLongA(ZEB_GethWnd(popUp), GWL_STYLE) & WS_POPUP, 0);
  EXPECT_EQ(ZEB_SystemValue(ZEB_SV_GET, 32, 0), 0ul);
  WindowPtr child = Make(documentProc, MakeRect(10, 10, 110, 110));
  EXPECT_NE(GetWindowLongA(ZEB_GethWnd(child), GWL_STYLE) & WS_CHILD, 0);

  // A parent override makes the window a pop-up of that window (Windows owns pop-ups by
  // top-level windows, so the override here is a pop-up itself).
  WindowPtr owner = Make(altDBoxProc, MakeRect(10, 10, 110, 110));
  ZEB_SystemValue(ZEB_SV_SET, 34, static_cast<unsigned long>(reinterpret_cast<uintptr_t>(owner)));
  WindowPtr owned = Make(documentProc, MakeRect(10, 10, 110, 110));
  EXPECT_EQ(GetWindowLongA(ZEB_GethWnd(owned), GWL_STYLE) & WS_CHILD, 0);
  EXPECT_EQ(GetWindow(ZEB_GethWnd(owned), GW_OWNER), ZEB_GethWnd(owner));
  EXPECT_EQ(ZEB_SystemValue(ZEB_SV_GET, 34, 0), 0ul);

  ZEB_SystemValue(ZEB_SV_SET, 31, 0x100);  // no close command
  WindowPtr noClose = Make(documentProc, MakeRect(10, 10, 110, 110));
  EXPECT_EQ(GetMenuState(GetSystemMenu(ZEB_GethWnd(noClose), FALSE), SC_CLOSE, MF_BYCOMMAND),
            static_cast<UINT>(-1));
}

struct HookCall {
  HWND hwnd;
  std::string className;
  long notToolboxWindow;
};
std::vector<HookCall> g_hookCalls;
void ZEBAPI CreationHook(HWND hwnd, DWORD, const char* className, const char*, DWORD, int, int,
                         int, int, HWND, HMENU, HINSTANCE, void*, long notToolboxWindow) {
  g_hookCalls.push_back({hwnd, className ? className : "", notToolboxWindow});
}

TEST_F(WindowCreationTest, TheCreationHookSeesEveryWindowTheLibraryMakes) {
  g_hookCalls.clear();
  ZEB_SystemValue(ZEB_SV_SET, 39,
                  static_cast<unsigned long>(reinterpret_cast<uintptr_t>(&CreationHook)));
  WindowPtr w = Make(documentProc, MakeRect(10, 10, 110, 110));
  ASSERT_NE(w, nullptr);
  ZEB_SystemValue(ZEB_SV_SET, 39, 0);
  ASSERT_EQ(g_hookCalls.size(), 2u);  // the window and its size grip
  EXPECT_EQ(g_hookCalls[0].hwnd, ZEB_GethWnd(w));
  EXPECT_EQ(g_hookCalls[0].className, kGlueClass);
  EXPECT_EQ(g_hookCalls[0].notToolboxWindow, 0);
  EXPECT_EQ(g_hookCalls[1].className, "scrollbar");
  WindowPtr after = Make(documentProc, MakeRect(10, 10, 110, 110));
  ASSERT_NE(after, nullptr);
  EXPECT_EQ(g_hookCalls.size(), 2u);
}

TEST_F(WindowCreationTest, CallerStorageIsUsedAndNotFreed) {
  Ptr storage = NewPtr(sizeof(WindowRecord));
  ASSERT_NE(storage, nullptr);
  std::memset(storage, 0xA5, sizeof(WindowRecord));
  const Rect bounds = MakeRect(10, 10, 110, 110);
  WindowPtr w = NewWindow(storage, &bounds, P("Mine"), true, documentProc,
                          reinterpret_cast<WindowPtr>(-1), false, 0);
  ASSERT_EQ(w, reinterpret_cast<WindowPtr>(storage));
  EXPECT_NE(DataOf(w).stateFlags & zebCallerStorage, 0);
  EXPECT_EQ(PeekOf(w)->titleWidth, 0);  // cleared before use
  DisposeWindow(w);
  EXPECT_EQ(GetPtrSize(storage), static_cast<Size>(sizeof(WindowRecord)));
  EXPECT_EQ(FrontWindow(), nullptr);
  DisposePtr(storage);
}

TEST_F(WindowCreationTest, NilBoundsAreRefused) {
  EXPECT_EQ(NewWindow(nullptr, nullptr, P("x"), true, documentProc,
                      reinterpret_cast<WindowPtr>(-1), true, 0),
            nullptr);
  EXPECT_EQ(cells_.windowList, nullptr);
}

TEST_F(WindowCreationTest, ColourWindowsHaveColourPorts) {
  const Rect bounds = MakeRect(10, 10, 110, 110);
  WindowPtr w = NewCWindow(nullptr, &bounds, P("Colour"), true, documentProc,
                           reinterpret_cast<WindowPtr>(-1), true, 0);
  ASSERT_NE(w, nullptr);
  made_.push_back(w);
  EXPECT_EQ(static_cast<uint16_t>(reinterpret_cast<CGrafPtr>(w)->portVersion) & 0xC000, 0xC000);
}

// The extra data a Toolbox window needs is not there: creation fails cleanly.
class ShortExtraDataTest : public WindowsTest {
 protected:
  ShortExtraDataTest() { session_.childClassName = kShortExtraClass; }
};

TEST_F(ShortExtraDataTest, AClassWithTooLittleExtraDataFailsTheWindowAndLeavesNothing) {
  ZEB_SystemValue(ZEB_SV_SET, 33, zoomDocProc);
  ZEB_SystemValue(ZEB_SV_SET, 31, 0x2);
  const Rect bounds = MakeRect(10, 10, 110, 110);
  Log().Clear();
  EXPECT_EQ(NewWindow(nullptr, &bounds, P("x"), true, documentProc,
                      reinterpret_cast<WindowPtr>(-1), true, 0),
            nullptr);
  EXPECT_FALSE(Log().createSeen);
  EXPECT_EQ(cells_.windowList, nullptr);
  EXPECT_EQ(FrontWindow(), nullptr);
  EXPECT_EQ(ZEB_SystemValue(ZEB_SV_GET, 33, 0), 0xFFFFFFFFul);
  EXPECT_EQ(ZEB_SystemValue(ZEB_SV_GET, 31, 0), 0ul);
  // The caller's storage is left unpublished: nothing finds it afterwards.
  WindowRecord storage{};
  EXPECT_EQ(NewWindow(&storage, &bounds, P("x"), true, documentProc,
                      reinterpret_cast<WindowPtr>(-1), true, 0),
            nullptr);
  EXPECT_EQ(GetWRefCon(reinterpret_cast<WindowPtr>(&storage)), 0);
}

// 'WIND' templates as a Macintosh writes them: bounds, procID, visible, filler, goAway,
// filler, refCon at 14, the title at 18 and, from System 7, a positioning word after it.
std::vector<uint8_t> MacWindowTemplate(short top, short left, short bottom, short right,
                                       short procID, bool visible, bool goAway, uint32_t refCon,
                                       const std::string& title, bool positioning) {
  std::vector<uint8_t> b;
  auto word = [&](uint16_t v) {
    b.push_back(static_cast<uint8_t>(v >> 8));
    b.push_back(static_cast<uint8_t>(v));
  };
  word(static_cast<uint16_t>(top));
  word(static_cast<uint16_t>(left));
  word(static_cast<uint16_t>(bottom));
  word(static_cast<uint16_t>(right));
  word(static_cast<uint16_t>(procID));
  b.push_back(visible ? 1 : 0);
  b.push_back(0);
  b.push_back(goAway ? 1 : 0);
  b.push_back(0);
  word(static_cast<uint16_t>(refCon >> 16));
  word(static_cast<uint16_t>(refCon));
  b.push_back(static_cast<uint8_t>(title.size()));
  b.insert(b.end(), title.begin(), title.end());
  if (positioning) {
    if (b.size() % 2) b.push_back(0);
    word(0x280A);  // centred on the main screen
  }
  return b;
}

zeb::resfmt::ImageResource Wind(short id, std::vector<uint8_t> data) {
  zeb::resfmt::ImageResource r;
  r.type = Type("WIND");
  r.id = id;
  r.data = std::move(data);
  return r;
}

TEST_F(WindowCreationTest, TemplatesInTheMacintoshLayoutMakeTheirWindows) {
  WriteFile("templates.rsr",
            {Wind(128, MacWindowTemplate(40, 30, 140, 230, zoomDocProc, true, true, 0xCAFE0001,
                                         "Plain", false)),
             Wind(129, MacWindowTemplate(50, 20, 150, 180, noGrowDocProc, false, false, 7,
                                         "Positioned", true)),
             Wind(130, {0x00, 0x28, 0x00, 0x1E})});
  const short file = Open("templates.rsr");
  ASSERT_GT(file, 0);
  WindowPtr plain = GetNewWindow(128, nullptr, reinterpret_cast<WindowPtr>(-1));
  ASSERT_NE(plain, nullptr);
  made_.push_back(plain);
  EXPECT_EQ(GetWVariant(plain), zoomDocProc);
  EXPECT_EQ(GetWRefCon(plain), static_cast<long>(0xCAFE0001));
  EXPECT_EQ(PeekOf(plain)->visible, 1);
  EXPECT_EQ(PeekOf(plain)->goAwayFlag, 1);
  EXPECT_EQ(ClientSize(ZEB_GethWnd(plain)).cx, 200);
  Str255 title;
  GetWTitle(plain, title);
  EXPECT_EQ(std::string(reinterpret_cast<char*>(title) + 1, title[0]), "Plain");

  WindowPtr positioned = GetNewCWindow(129, nullptr, reinterpret_cast<WindowPtr>(-1));
  ASSERT_NE(positioned, nullptr);
  made_.push_back(positioned);
  EXPECT_EQ(GetWVariant(positioned), noGrowDocProc);
  EXPECT_EQ(PeekOf(positioned)->visible, 0);
  EXPECT_EQ(GetWRefCon(positioned), 7);
  GetWTitle(positioned, title);
  EXPECT_EQ(std::string(reinterpret_cast<char*>(title) + 1, title[0]), "Positioned");

  // Too short for its fixed part: no window.
  EXPECT_EQ(GetNewWindow(130, nullptr, reinterpret_cast<WindowPtr>(-1)), nullptr);
  EXPECT_EQ(GetNewWindow(999, nullptr, reinterpret_cast<WindowPtr>(-1)), nullptr);
}

TEST_F(WindowCreationTest, ATemplateTheApplicationHoldsStaysLoaded) {
  WriteFile("held.rsr", {Wind(128, MacWindowTemplate(40, 30, 140, 230, documentProc, true, true,
                                                     1, "Held", false))});
  ASSERT_GT(Open("held.rsr"), 0);
  Handle held = GetResource(Type("WIND"), 128);
  ASSERT_NE(held, nullptr);
  ASSERT_NE(*held, nullptr);
  WindowPtr w = GetNewWindow(128, nullptr, reinterpret_cast<WindowPtr>(-1));
  ASSERT_NE(w, nullptr);
  made_.push_back(w);
  ASSERT_NE(*held, nullptr);
  // A template loaded only for the call is released again.
  ReleaseResource(held);
  WindowPtr second = GetNewWindow(128, nullptr, reinterpret_cast<WindowPtr>(-1));
  ASSERT_NE(second, nullptr);
  made_.push_back(second);
  SetResLoad(false);
  Handle after = GetResource(Type("WIND"), 128);
  SetResLoad(true);
  ASSERT_NE(after, nullptr);
  EXPECT_EQ(*after, nullptr);
}

}  // namespace
}  // namespace zebtest

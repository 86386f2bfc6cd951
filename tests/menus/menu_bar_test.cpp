// The bar on the frame's real Windows menu: what DrawMenuBar and WM_INITMENUPOPUP build, when
// the bar is redrawn, and choices coming back as WM_COMMAND, the quit command and key
// equivalents.
#include "menus_fixture.h"

namespace zebtest {
namespace {

class MenuBar : public MenusTest {
 protected:
  void SetUp() override {
    MenusTest::SetUp();
    if (HasFatalFailure()) return;
    file_ = Make(128, "File", "Open/O;(Close/W;-;Save As\xC9;Quit/Q");
    edit_ = Make(129, "Edit", "Undo/z;Bold<B;Sub;Fish & Chips!*");
    sub_ = Make(200, "Sub", "Inner");
    SetItemCmd(edit_, 3, hMenuCmd);
    SetItemMark(edit_, 3, 200);
    InsertMenu(file_, 0);
    InsertMenu(edit_, 0);
    InsertMenu(sub_, hierMenu);
  }
  // A popup filled as Windows would ask for it before it drops down.
  HMENU Dropped(int position) {
    HMENU popup = BarPopup(position);
    SendMessageA(frame_, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(popup), position);
    return popup;
  }
  UINT State(HMENU m, int position) { return GetMenuState(m, static_cast<UINT>(position), MF_BYPOSITION); }
  UINT CommandOf(HMENU m, int position) { return GetMenuItemID(m, position); }

  MenuHandle file_ = nullptr, edit_ = nullptr, sub_ = nullptr;
};

TEST_F(MenuBar, TitlesItemsFlagsAndSuffixesOnTheNativeMenu) {
  DrawMenuBar();
  HMENU bar = GetMenu(frame_);
  ASSERT_NE(bar, nullptr);
  ASSERT_EQ(GetMenuItemCount(bar), 2);
  EXPECT_EQ(MenuString(bar, 0), "&File");
  EXPECT_EQ(MenuString(bar, 1), "&Edit");
  HMENU file = Dropped(0);
  ASSERT_EQ(GetMenuItemCount(file), 5);
  EXPECT_EQ(MenuString(file, 0), "&Open\tCtrl+O");
  EXPECT_EQ(State(file, 0) & MF_GRAYED, 0u);
  EXPECT_NE(State(file, 1) & MF_GRAYED, 0u);
  EXPECT_NE(State(file, 2) & MF_SEPARATOR, 0u);
  EXPECT_EQ(MenuString(file, 3), "&Save As...");
  HMENU edit = Dropped(1);
  ASSERT_EQ(GetMenuItemCount(edit), 4);
  EXPECT_EQ(MenuString(edit, 0), "&Undo\tCtrl+Shift+Z");
  EXPECT_NE(State(edit, 1) & MF_OWNERDRAW, 0u);  // bold is drawn by the library
  HMENU inner = GetSubMenu(edit, 2);
  ASSERT_NE(inner, nullptr);
  EXPECT_EQ(MenuString(inner, 0), "&Inner");
  EXPECT_EQ(MenuString(edit, 3), "&Fish && Chips");
  EXPECT_NE(State(edit, 3) & MF_CHECKED, 0u);
  // Edits show the next time the menu drops down.
  DisableItem(file_, 1);
  CheckItem(file_, 5, true);
  file = Dropped(0);
  EXPECT_NE(State(file, 0) & MF_GRAYED, 0u);
  EXPECT_NE(State(file, 4) & MF_CHECKED, 0u);
  // The commands carry (slot, item).
  EXPECT_EQ(ZEB_MenuIDFromCMD(file, static_cast<unsigned short>(CommandOf(file, 4))), 128);
  EXPECT_EQ(CommandOf(file, 4) & 0xFF, 4u);
  EXPECT_EQ(ZEB_MenuIDFromHMENU(edit), 129);
}

TEST_F(MenuBar, RedrawnOnlyWhenTitlesChange) {
  DrawMenuBar();
  const int first = Frame().nonClientSizes;
  DrawMenuBar();
  EXPECT_EQ(Frame().nonClientSizes, first);
  (**edit_).menuData[1] = 'X';  // "Xdit"
  DrawMenuBar();
  EXPECT_GT(Frame().nonClientSizes, first);
  const int second = Frame().nonClientSizes;
  DeleteMenu(129);
  DrawMenuBar();
  EXPECT_GT(Frame().nonClientSizes, second);
  EXPECT_EQ(GetMenuItemCount(GetMenu(frame_)), 1);
}

TEST_F(MenuBar, ChoiceBecomesMenuBarMouseDownAndMenuSelectResult) {
  DrawMenuBar();
  HMENU file = Dropped(0);
  const UINT open = CommandOf(file, 0);
  SendMessageA(frame_, WM_COMMAND, open, 0);
  const std::vector<EventRecord> events = TakeEvents();
  ASSERT_EQ(events.size(), 1u);
  EXPECT_EQ(events[0].what, mouseDown);
  WindowPtr w = reinterpret_cast<WindowPtr>(1);
  EXPECT_EQ(FindWindow(events[0].where, &w), inMenuBar);
  EXPECT_EQ(w, nullptr);
  EXPECT_EQ(MenuSelect(events[0].where), (128L << 16) | 1);
  EXPECT_EQ(cells_.theMenu, 128);
  EXPECT_NE(GetMenuState(GetMenu(frame_), 0, MF_BYPOSITION) & MF_HILITE, 0u);
  HiliteMenu(0);
  EXPECT_EQ(cells_.theMenu, 0);
  EXPECT_EQ(GetMenuState(GetMenu(frame_), 0, MF_BYPOSITION) & MF_HILITE, 0u);
}

TEST_F(MenuBar, TwoChoicesBeforeTheEventsAreReadStayTwo) {
  DrawMenuBar();
  HMENU file = Dropped(0);
  SendMessageA(frame_, WM_COMMAND, CommandOf(file, 0), 0);
  SendMessageA(frame_, WM_COMMAND, CommandOf(file, 4), 0);
  const std::vector<EventRecord> events = TakeEvents();
  ASSERT_EQ(events.size(), 2u);
  EXPECT_EQ(MenuSelect(events[0].where), (128L << 16) | 1);
  EXPECT_EQ(MenuSelect(events[1].where), (128L << 16) | 5);
  EXPECT_EQ(MenuSelect(events[1].where), (128L << 16) | 5);  // the last again
}

TEST_F(MenuBar, QuitChoosesTheLastItemOfTheFirstBarMenu) {
  DrawMenuBar();
  ZEB_EventMenuSel(0xFFFF);
  const std::vector<EventRecord> events = TakeEvents();
  ASSERT_EQ(events.size(), 1u);
  EXPECT_EQ(MenuSelect(events[0].where), (128L << 16) | 5);
  // Windows' own quit reaches the event loop the same way.
  PostQuitMessage(0);
  const std::vector<EventRecord> again = TakeEvents();
  ASSERT_EQ(again.size(), 1u);
  EXPECT_EQ(MenuSelect(again[0].where), (128L << 16) | 5);
}

TEST_F(MenuBar, CommandsNamingNoMenuPostNothing) {
  DrawMenuBar();
  for (unsigned short bad : {0x00FF, 0x0001, 0xFF00, 0x3005, 0xFE00}) {
    ZEB_EventMenuSel(bad);
    EXPECT_EQ(ZEB_MenuIDFromCMD(nullptr, bad), 0) << bad;
  }
  EXPECT_TRUE(TakeEvents().empty());
  // Command 0 is the first menu's first item.
  ZEB_EventMenuSel(0);
  const std::vector<EventRecord> events = TakeEvents();
  ASSERT_EQ(events.size(), 1u);
  EXPECT_EQ(MenuSelect(events[0].where), (128L << 16) | 1);
}

TEST_F(MenuBar, ItemsPastTwoHundredFiftySixHaveNoCommand) {
  MenuHandle big = Make(140, "Big", "");
  std::string text;
  for (int i = 0; i < 258; ++i) text += (i ? ";" : "") + std::string("I") + std::to_string(i);
  // Items go in a few texts: one length-prefixed text holds 255 bytes.
  size_t start = 0;
  while (start < text.size()) {
    size_t end = std::min(text.size(), start + 200);
    while (end < text.size() && text[end] != ';') --end;
    AppendMenu(big, PStr(text.substr(start, end - start)));
    start = end + 1;
  }
  ASSERT_EQ(CountMItems(big), 258);
  InsertMenu(big, 0);
  DrawMenuBar();
  HMENU popup = Dropped(2);
  ASSERT_EQ(GetMenuItemCount(popup), 258);
  EXPECT_EQ(CommandOf(popup, 255) & 0xFF, 0xFFu);
  EXPECT_NE(State(popup, 256) & MF_GRAYED, 0u);
  EXPECT_EQ(CommandOf(popup, 256), 0u);
}

TEST_F(MenuBar, MenuKeyMatchesEnabledEquivalentsOnly) {
  EXPECT_EQ(MenuKey('q'), (128L << 16) | 5);
  EXPECT_EQ(MenuKey('Z'), (129L << 16) | 1);
  EXPECT_EQ(MenuKey('W'), 0);  // disabled item
  // Neither "no key" nor the marker characters match items without equivalents, submenus or
  // icon items.
  for (short c : {0, 0x1B, 0x1D, 0x1E}) EXPECT_EQ(MenuKey(c), 0) << c;
  DisableItem(file_, 0);
  EXPECT_EQ(MenuKey('Q'), 0);
  EnableItem(file_, 0);
  // Submenus of the hierarchical list are searched after the bar.
  SetItemCmd(sub_, 1, 'J');
  EXPECT_EQ(MenuKey('j'), (200L << 16) | 1);
}

TEST_F(MenuBar, CtrlLetterTypedReachesMenuKey) {
  DrawMenuBar();
  SetForegroundWindow(frame_);
  SetActiveWindow(frame_);
  SetFocus(frame_);
  PumpMessages();
  INPUT in[4] = {};
  for (INPUT& i : in) i.type = INPUT_KEYBOARD;
  in[0].ki.wVk = VK_CONTROL;
  in[1].ki.wVk = 'Q';
  in[2].ki.wVk = 'Q';
  in[2].ki.dwFlags = KEYEVENTF_KEYUP;
  in[3].ki.wVk = VK_CONTROL;
  in[3].ki.dwFlags = KEYEVENTF_KEYUP;
  ASSERT_EQ(SendInput(4, in, sizeof(INPUT)), 4u);
  EventRecord e{};
  bool found = false;
  for (int i = 0; i < 50 && !found; ++i) {
    if (GetNextEvent(keyDownMask, &e)) found = true;
    else Sleep(10);
  }
  ASSERT_TRUE(found);
  EXPECT_NE(e.modifiers & cmdKey, 0);
  EXPECT_EQ(MenuKey(static_cast<short>(e.message & 0xFF)), (128L << 16) | 5);
}

TEST_F(MenuBar, FirstMenuMergesIntoTheNativeMenu) {
  HMENU native = CreateMenu();
  HMENU help = CreatePopupMenu();
  AppendMenuA(help, MF_STRING, 9001, "Contents");
  AppendMenuA(help, MF_STRING, 9002, "About placeholder");
  AppendMenuA(native, MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(help), "&Help");
  SetMenu(frame_, native);
  InitMenus();
  MenuHandle apple = Make(1, "\x14", "About This Program...;-");
  InsertMenu(apple, 0);
  InsertMenu(file_, 0);
  DrawMenuBar();
  HMENU bar = GetMenu(frame_);
  ASSERT_EQ(GetMenuItemCount(bar), 2);
  EXPECT_EQ(GetSubMenu(bar, 0), help);
  EXPECT_EQ(MenuString(help, 1), "About This Program...");
  EXPECT_EQ(GetMenuItemID(help, 1), 9002u);
  EXPECT_EQ(MenuString(bar, 1), "&File");
  HiliteMenu(128);
  EXPECT_NE(GetMenuState(bar, 1, MF_BYPOSITION) & MF_HILITE, 0u);
  HiliteMenu(0);
}

}  // namespace
}  // namespace zebtest

// The bar on the frame's real Windows menu: what DrawMenuBar and WM_INITMENUPOPUP build, when
// the bar is redrawn, and choices coming back as WM_COMMAND, the quit command and key
// equivalents.
#include <algorithm>

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

// The native entry table of ZEB_Set_MacWin: 72-byte entries in the application's memory (flags,
// bar index, item position, a mnemonic letter, an unused byte, the text as a C string; flags
// 0x8000 end it, 0x200 counts the position back from the last item, 0x400 makes the item the
// About command that the quit command chooses).
struct NativeEntry {
  uint16_t flags;
  int16_t barIndex;
  int16_t position;
  char letter;
  char unused;
  char text[64];
};
static_assert(sizeof(NativeEntry) == 72, "the table's entry size");

TEST_F(MenuBar, NativeEntryTableReplacesItemTextsAndTheAboutCommand) {
  NativeEntry table[3] = {
      {0x400, 1, 1, 'S', 0, "Native first"},
      {0x200, 2, 1, 0, 0, "Native last"},
      {0x8000, 0, 0, 0, 0, ""},
  };
  ZEB_Set_MacWin(nullptr, table);
  DrawMenuBar();
  HMENU file = Dropped(0);
  ASSERT_EQ(GetMenuItemCount(file), 5);
  EXPECT_EQ(MenuString(file, 0), "Native first\tCtrl+O")
      << "the entry's text as it stands, with the item's key equivalent";
  EXPECT_EQ(MenuString(file, 3), "Save &As...") << "the entry's letter S is taken";
  EXPECT_EQ(MenuString(file, 4), "&Quit\tCtrl+Q");
  HMENU edit = Dropped(1);
  ASSERT_EQ(GetMenuItemCount(edit), 4);
  EXPECT_EQ(MenuString(edit, 3), "Native last") << "counted back from the last item";
  EXPECT_NE(State(edit, 3) & MF_CHECKED, 0u) << "the item's mark stays";
  EXPECT_EQ(MenuString(edit, 0), "&Undo\tCtrl+Shift+Z");
  // The quit command now chooses the About item.
  ZEB_EventMenuSel(0xFFFF);
  std::vector<EventRecord> events = TakeEvents();
  ASSERT_EQ(events.size(), 1u);
  EXPECT_EQ(MenuSelect(events[0].where), (128L << 16) | 1);
  // A pop-up of the same menu is no bar menu: the table does not apply.
  ZEB_Set_MacWin(nullptr, nullptr);
  file = Dropped(0);
  EXPECT_EQ(MenuString(file, 0), "&Open\tCtrl+O");
}

// A menu taller than the screen: Windows gets a column break wherever the next item would pass
// the available height, every column holding as many items, and the texts are cut to share 60
// characters between the columns.
TEST_F(MenuBar, TallMenusBreakIntoColumnsWithCutTexts) {
  MenuHandle tall = Make(150, "Tall", "");
  const std::string longText = "A rather long item text, forty characters";
  for (int i = 0; i < 120; i += 5) {
    std::string five;
    for (int j = 0; j < 5; ++j) five += (j ? ";" : "") + longText.substr(0, 38) + static_cast<char>('A' + j);
    AppendMenu(tall, PStr(five));
  }
  ASSERT_EQ(CountMItems(tall), 120);
  InsertMenu(tall, 0);
  DrawMenuBar();
  HMENU popup = Dropped(2);
  ASSERT_EQ(GetMenuItemCount(popup), 120);
  std::vector<int> breaks;
  for (int i = 0; i < 120; ++i) {
    MENUITEMINFOA mii{};
    mii.cbSize = sizeof mii;
    mii.fMask = MIIM_FTYPE;
    ASSERT_TRUE(GetMenuItemInfoA(popup, static_cast<UINT>(i), TRUE, &mii));
    if (mii.fType & MFT_MENUBARBREAK) breaks.push_back(i);
  }
  ASSERT_FALSE(breaks.empty()) << "120 items do not fit one column of a 768-pixel screen";
  const int perColumn = breaks[0];
  ASSERT_GT(perColumn, 1);
  for (size_t k = 0; k < breaks.size(); ++k)
    EXPECT_EQ(breaks[k], perColumn * static_cast<int>(k + 1)) << "items of one height fill equal columns";
  EXPECT_GT(perColumn * static_cast<int>(breaks.size() + 1), 119);
  // The cut: 60 characters over (items / items per column + 1) columns, mnemonic "&" apart.
  const std::string first = MenuString(popup, 0);
  ASSERT_FALSE(first.empty());
  EXPECT_LT(first.size(), 38u);
  for (int i : {1, 50, 119}) {
    std::string t = MenuString(popup, i);
    t.erase(std::remove(t.begin(), t.end(), '&'), t.end());
    EXPECT_EQ(t, longText.substr(0, t.size())) << i;
    EXPECT_LE(t.size(), 30u) << i;
  }
}

// Windows' own menu loop, entered by real keys. Alt is the Option key, so Alt with a letter is
// an Option key-down and F10 a function key, both for the application; Alt pressed and
// released alone is the Windows way into the bar, where the titles' mnemonic letters, the
// arrows and Return work. The choice arrives as WM_COMMAND, becomes a menu-bar mouse-down and
// is MenuSelect's result.
class MenuLoopByKeys : public MenuBar {
 protected:
  void SetUp() override {
    MenuBar::SetUp();
    if (HasFatalFailure()) return;
    DrawMenuBar();
    SetForegroundWindow(frame_);
    SetActiveWindow(frame_);
    SetFocus(frame_);
    PumpMessages();
    FlushEvents(everyEvent, 0);
    Frame().commands.clear();
  }
  static void Stroke(std::vector<INPUT>& in, WORD vk) {
    INPUT k{};
    k.type = INPUT_KEYBOARD;
    k.ki.wVk = vk;
    in.push_back(k);
    k.ki.dwFlags = KEYEVENTF_KEYUP;
    in.push_back(k);
  }
  // Each key pressed and released in turn; then the messages are pumped until a menu command
  // reached the frame, or for a second.
  bool Type(std::initializer_list<WORD> keys) {
    std::vector<INPUT> in;
    for (WORD vk : keys) Stroke(in, vk);
    return Send(in);
  }
  bool Send(std::vector<INPUT>& in) {
    if (SendInput(static_cast<UINT>(in.size()), in.data(), sizeof(INPUT)) != in.size()) return false;
    for (int i = 0; i < 100 && Frame().commands.empty(); ++i) {
      PumpMessages();
      Sleep(10);
    }
    return !Frame().commands.empty();
  }
  // MenuSelect's answer to the menu-bar mouse-down that was posted (0 without one, -1 for a
  // mouse-down elsewhere).
  long ChoiceReported() {
    EventRecord e{};
    for (int i = 0; i < 20; ++i) {
      if (GetNextEvent(mDownMask, &e)) {
        WindowPtr w = nullptr;
        if (FindWindow(e.where, &w) != inMenuBar) return -1;
        return MenuSelect(e.where);
      }
    }
    return 0;
  }
};

TEST_F(MenuLoopByKeys, AltAloneThenATitlesMnemonicDropsThatMenu) {
  // Alt, then E drops the Edit menu with its first item selected; Down, Return choose the
  // second (an owner-drawn item).
  ASSERT_TRUE(Type({VK_MENU, 'E', VK_DOWN, VK_RETURN}));
  ASSERT_EQ(Frame().commands.size(), 1u);
  EXPECT_EQ(ZEB_MenuIDFromCMD(nullptr, static_cast<unsigned short>(Frame().commands[0])), 129);
  EXPECT_EQ(ChoiceReported(), (129L << 16) | 2);
  EXPECT_EQ(cells_.theMenu, 129) << "the chosen menu's title is highlighted";
  HiliteMenu(0);
}

TEST_F(MenuLoopByKeys, AltAloneThenArrowsWalkTheBar) {
  // Alt selects the first title, Right the second, Down drops it, Return chooses its first item.
  ASSERT_TRUE(Type({VK_MENU, VK_RIGHT, VK_DOWN, VK_RETURN}));
  ASSERT_EQ(Frame().commands.size(), 1u);
  EXPECT_EQ(ChoiceReported(), (129L << 16) | 1);
  HiliteMenu(0);
}

TEST_F(MenuLoopByKeys, EscapeLeavesTheLoopWithoutAChoice) {
  EXPECT_FALSE(Type({VK_MENU, 'F', VK_ESCAPE, VK_ESCAPE}));
  EXPECT_EQ(ChoiceReported(), 0) << "no menu-bar mouse-down";
}

TEST_F(MenuLoopByKeys, AltWithALetterAndF10AreKeysForTheApplication) {
  std::vector<INPUT> in;
  INPUT alt{};
  alt.type = INPUT_KEYBOARD;
  alt.ki.wVk = VK_MENU;
  in.push_back(alt);
  Stroke(in, 'E');
  alt.ki.dwFlags = KEYEVENTF_KEYUP;
  in.push_back(alt);
  Stroke(in, VK_F10);
  EXPECT_FALSE(Send(in)) << "no menu opened";
  std::vector<EventRecord> keys;
  EventRecord e{};
  for (int i = 0; i < 30; ++i)
    if (GetNextEvent(keyDownMask, &e)) keys.push_back(e);
  ASSERT_EQ(keys.size(), 2u);
  EXPECT_NE(keys[0].modifiers & optionKey, 0) << "Alt+E is Option-E";
  EXPECT_EQ((keys[0].message & keyCodeMask) >> 8, 0x0Eu) << "the E key";
  EXPECT_EQ((keys[1].message & keyCodeMask) >> 8, 0x6Du) << "the F10 key";
  EXPECT_EQ(ChoiceReported(), 0);
}

// A click on a title drops its menu (its place read back with GetMenuItemRect); a click on an
// item chooses it.
TEST_F(MenuLoopByKeys, ClicksOnATitleAndAnItemChoose) {
  RECT title{};
  ASSERT_TRUE(GetMenuItemRect(frame_, GetMenu(frame_), 0, &title));
  const POINT at = {(title.left + title.right) / 2, (title.top + title.bottom) / 2};
  SetCursorPos(at.x, at.y);
  std::vector<INPUT> in(2);
  in[0].type = in[1].type = INPUT_MOUSE;
  in[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
  in[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
  // The menu drops down inside Windows' loop; Down and Return choose from the keyboard
  // there, since the item's place is known only once the menu shows.
  Stroke(in, VK_DOWN);
  Stroke(in, VK_RETURN);
  ASSERT_TRUE(Send(in));
  EXPECT_EQ(ChoiceReported(), (128L << 16) | 1);
  HiliteMenu(0);
}

}  // namespace
}  // namespace zebtest

// The Menu Manager's record calls on real handles and resource files: items edited and read,
// bad item numbers and NIL menus, 'MENU' and 'MBAR' resources (also damaged ones), the menu
// list and the hierarchical list, and custom definitions.
#include <cstring>

#include "OSUtils.h"
#include "menus_fixture.h"

namespace zebtest {
namespace {

std::string ItemText(MenuHandle m, short item) {
  Str255 s = {};
  GetMenuItemText(m, item, s);
  return std::string(reinterpret_cast<char*>(s + 1), s[0]);
}

using MenuCalls = MenusTest;

TEST_F(MenuCalls, AppendedTextGivesItemsWithKeysAndEnableBits) {
  MenuHandle m = Make(128, "File", "Open/O;(-;Quit/Q");
  ASSERT_NE(m, nullptr);
  EXPECT_EQ((**m).menuID, 128);
  ASSERT_EQ(CountMItems(m), 3);
  EXPECT_EQ(ItemText(m, 1), "Open");
  EXPECT_EQ(ItemText(m, 2), "-");
  short key = 0;
  GetItemCmd(m, 3, &key);
  EXPECT_EQ(key, 'Q');
  EXPECT_TRUE(ZEB_GetItemEnabled(m, 1));
  EXPECT_FALSE(ZEB_GetItemEnabled(m, 2));
  EXPECT_TRUE(ZEB_GetItemEnabled(m, 0));
  EXPECT_GT((**m).menuWidth, 24);
  EXPECT_GT((**m).menuHeight, 0);
  DisposeMenu(m);
}

TEST_F(MenuCalls, InsertMenuItemReversesAndShiftsEnableBits) {
  MenuHandle m = Make(1, "M", "One;(Two;Three");
  InsertMenuItem(m, PStr("A;B"), 0);
  ASSERT_EQ(CountMItems(m), 5);
  EXPECT_EQ(ItemText(m, 1), "B");
  EXPECT_EQ(ItemText(m, 2), "A");
  EXPECT_FALSE(ZEB_GetItemEnabled(m, 4));  // "Two" moved from 2 to 4
  InsMenuItem(m, PStr("Z"), 99);           // clamped to the end
  EXPECT_EQ(ItemText(m, 6), "Z");
  DeleteMenuItem(m, 3);
  EXPECT_FALSE(ZEB_GetItemEnabled(m, 3));  // item 4's bit moved to 3
  EXPECT_EQ(ItemText(m, 3), "Two");
  DisposeMenu(m);
}

TEST_F(MenuCalls, ItemFieldsRoundTripAndBadItemsChangeNothing) {
  MenuHandle m = Make(1, "M", "A;B");
  SetItemMark(m, 1, '*');
  SetItemIcon(m, 1, 3);
  SetItemStyle(m, 2, 5);
  SetItemCmd(m, 2, 'K');
  CheckItem(m, 2, true);
  short v = 0;
  Style st = 0;
  GetItemMark(m, 1, &v);
  EXPECT_EQ(v, '*');
  GetItemIcon(m, 1, &v);
  EXPECT_EQ(v, 3);
  GetItemStyle(m, 2, &st);
  EXPECT_EQ(st, 5);
  GetItemMark(m, 2, &v);
  EXPECT_EQ(v, checkMark);
  const long size = GetHandleSize(reinterpret_cast<Handle>(m));
  for (short bad : {0, -1, 3, 32000}) {
    SetItemMark(m, bad, 'x');
    SetMenuItemText(m, bad, PStr("gone"));
    v = 77;
    GetItemCmd(m, bad, &v);
    EXPECT_EQ(v, 0) << bad;
    EXPECT_EQ(ItemText(m, bad), "") << bad;
    DeleteMenuItem(m, bad);
  }
  EXPECT_EQ(GetHandleSize(reinterpret_cast<Handle>(m)), size);
  EXPECT_EQ(CountMItems(m), 2);
  // Enable shifts outside 0..31 touch nothing.
  const long flags = (**m).enableFlags;
  DisableItem(m, 40);
  DisableItem(m, -3);
  EnableItem(m, 32);
  EXPECT_EQ((**m).enableFlags, flags);
  // NIL menus are ignored throughout.
  EXPECT_EQ(CountMItems(nullptr), 0);
  AppendMenu(static_cast<MenuHandle>(nullptr), PStr("x"));
  CheckItem(nullptr, 1, true);
  EXPECT_FALSE(ZEB_GetItemEnabled(nullptr, 1));
  DisposeMenu(m);
}

TEST_F(MenuCalls, EmptyTextsKeepEveryLaterItem) {
  MenuHandle m = Make(1, "M", "A;;C");
  ASSERT_EQ(CountMItems(m), 3);
  EXPECT_EQ(ItemText(m, 2), " ");
  unsigned char empty[1] = {0};
  SetMenuItemText(m, 1, empty);
  EXPECT_EQ(CountMItems(m), 3);
  EXPECT_EQ(ItemText(m, 3), "C");
  SetMenuItemText(m, 3, PStr("A much longer text than before"));
  EXPECT_EQ(ItemText(m, 3), "A much longer text than before");
  DisposeMenu(m);
}

TEST_F(MenuCalls, MenuResourcesLoadAndDamagedOnesAreBounded) {
  std::vector<uint8_t> torn = MenuResource(130, "Torn", {{"Alpha"}, {"Beta"}});
  torn.resize(torn.size() - 3);  // Beta's trailer cut, no zero
  UseResources({Res("MENU", 128, MenuResource(999, "File", {{"New", 0, 'N'}, {"Quit", 0, 'Q'}})),
                Res("MENU", 129, std::vector<uint8_t>{0, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 9}),
                Res("MENU", 130, torn)});
  MenuHandle file = GetMenu(128);
  ASSERT_NE(file, nullptr);
  EXPECT_EQ((**file).menuID, 128);  // the resource ID, not the stored one
  EXPECT_EQ((**file).menuProc, 0u);
  EXPECT_EQ(CountMItems(file), 2);
  EXPECT_GT((**file).menuWidth, 0);
  EXPECT_EQ(GetMenu(129), nullptr);  // too short for its title
  MenuHandle t = GetMenu(130);
  ASSERT_NE(t, nullptr);
  EXPECT_EQ(CountMItems(t), 1);
  AppendMenu(t, PStr("Gamma"));
  EXPECT_EQ(CountMItems(t), 2);
  EXPECT_EQ(ItemText(t, 2), "Gamma");
}

TEST_F(MenuCalls, MenuBarResourcesAreBoundedAndSkipMissingMenus) {
  UseResources({Res("MENU", 128, MenuResource(128, "File", {{"Quit"}})),
                Res("MENU", 129, MenuResource(129, "Edit", {{"Undo"}})),
                Res("MBAR", 128, MbarResource({128, 500, 129})),
                Res("MBAR", 129, MbarResource({128}, 300)),
                Res("MBAR", 130, MbarResource({128}, -2))});
  Handle bar = GetNewMBar(128);
  ASSERT_NE(bar, nullptr);
  EXPECT_EQ(ResError(), resNotFound);
  const short* words = reinterpret_cast<short*>(*bar);
  EXPECT_EQ(words[0], 12);  // two menus: the missing one skipped
  MenuHandle file = GetMenu(128);
  EXPECT_EQ(words[1], (**file).menuWidth + (**GetMenu(129)).menuWidth);
  SetMenuBar(bar);
  EXPECT_NE(GetMenuHandle(128), nullptr);
  EXPECT_NE(GetMenuHandle(129), nullptr);
  Handle over = GetNewMBar(129);  // a count past the resource's IDs
  ASSERT_NE(over, nullptr);
  EXPECT_EQ(reinterpret_cast<short*>(*over)[0], 6);
  Handle negative = GetNewMBar(130);
  ASSERT_NE(negative, nullptr);
  EXPECT_EQ(reinterpret_cast<short*>(*negative)[0], 0);
}

TEST_F(MenuCalls, MenuListInsertDeleteAndHierarchicalSlots) {
  MenuHandle a = Make(1, "A", "x"), b = Make(2, "B", "y"), c = Make(3, "C", "z"), h = Make(50, "H", "s");
  InsertMenu(a, 0);
  InsertMenu(c, 0);
  InsertMenu(b, 3);  // before C
  InsertMenu(a, 0);  // already there
  InsertMenu(h, hierMenu);
  InsertMenu(h, hierMenu);
  Handle list = GetMenuBar();
  ASSERT_NE(list, nullptr);
  const uint8_t* bytes = reinterpret_cast<uint8_t*>(*list);
  auto word = [&](int at) { return *reinterpret_cast<const short*>(bytes + at); };
  EXPECT_EQ(word(0), 18);
  EXPECT_EQ(word(2), (**a).menuWidth + (**b).menuWidth + (**c).menuWidth);
  EXPECT_EQ(*reinterpret_cast<const uint32_t*>(bytes + 12), static_cast<uint32_t>(reinterpret_cast<uintptr_t>(b)));
  EXPECT_EQ(word(16), (**a).menuWidth);
  EXPECT_EQ(word(22), (**a).menuWidth + (**b).menuWidth);
  EXPECT_EQ(GetMenuHandle(50), h);
  EXPECT_EQ(GetMenuHandle(77), nullptr);
  EXPECT_EQ(ZEB_SearchHierMenuList(1), h);
  EXPECT_EQ(ZEB_SearchHierMenuList(0), nullptr);
  DeleteMenu(2);
  EXPECT_EQ(GetMenuHandle(2), nullptr);
  Handle after = GetMenuBar();
  EXPECT_EQ(reinterpret_cast<short*>(*after)[0], 12);
  EXPECT_EQ(reinterpret_cast<short*>(*after)[8], (**a).menuWidth);  // C moved left
  DeleteMenu(50);
  EXPECT_EQ(GetMenuHandle(50), nullptr);
  // Lists that do not describe whole entries are refused.
  SetMenuBar(list);
  EXPECT_EQ(GetMenuHandle(2), b);
  Handle bad = NewHandleClear(12);
  reinterpret_cast<short*>(*bad)[0] = 7;
  SetMenuBar(bad);
  reinterpret_cast<short*>(*bad)[0] = 36;
  SetMenuBar(bad);
  EXPECT_EQ(GetMenuHandle(2), b);
  ClearMenuBar();
  EXPECT_EQ(GetMenuHandle(1), nullptr);
  EXPECT_EQ(reinterpret_cast<short*>(*cells_.menuList)[0], 0);
}

TEST_F(MenuCalls, DisposingAMenuStillInTheBarTakesItOut) {
  MenuHandle a = Make(1, "A", "x"), b = Make(2, "B", "y");
  InsertMenu(a, 0);
  InsertMenu(b, 0);
  DrawMenuBar();
  DisposeMenu(a);
  EXPECT_EQ(GetMenuHandle(1), nullptr);
  EXPECT_EQ(GetMenuHandle(2), b);
  DrawMenuBar();  // the rebuild meets no freed menu
  EXPECT_EQ(GetMenuItemCount(GetMenu(frame_)), 1);
}

int g_defMessages[4];
short g_defChoice = 0;
void ZEBAPI RecordingMDEF(short message, MenuHandle menu, Rect* r, Point, short* which) {
  if (message >= 0 && message < 4) ++g_defMessages[message];
  if (message == mSizeMsg) {
    (**menu).menuWidth = 77;
    (**menu).menuHeight = 33;
  }
  if (message == mChooseMsg) *which = g_defChoice;
  (void)r;
}

TEST_F(MenuCalls, CustomDefinitionsComeOnlyFromRegisteredProcedures) {
  std::memset(g_defMessages, 0, sizeof g_defMessages);
  UseResources({Res("MENU", 128, MenuResource(128, "Custom", {{"A"}}, 0xFFFFFFFFu, 300)),
                Res("MENU", 129, MenuResource(129, "Foreign", {{"A"}}, 0xFFFFFFFFu, 301)),
                Res("MDEF", 300, std::vector<uint8_t>{0x4E, 0x75}),
                Res("MDEF", 301, std::vector<uint8_t>{0x4E, 0x75, 1, 2, 3, 4, 5, 6})});
  ZEB_CodeResource(ZEB_CODE_ADD, ZEB_FOURCC('M', 'D', 'E', 'F'), 300,
                   reinterpret_cast<ProcPtr>(reinterpret_cast<void*>(&RecordingMDEF)));
  MenuHandle custom = GetMenu(128);
  ASSERT_NE(custom, nullptr);
  ASSERT_NE((**custom).menuProc, 0u);
  Handle mdef = reinterpret_cast<Handle>(static_cast<uintptr_t>((**custom).menuProc));
  EXPECT_GE(GetHandleSize(mdef), 6);  // grown to hold the entry
  EXPECT_EQ(g_defMessages[mSizeMsg], 1);
  EXPECT_EQ((**custom).menuWidth, 77);
  // No procedure registered: the 'MDEF' bytes are never taken for an address.
  MenuHandle foreign = GetMenu(129);
  ASSERT_NE(foreign, nullptr);
  EXPECT_EQ((**foreign).menuProc, 0u);
  EXPECT_GT((**foreign).menuWidth, 0);
}

TEST_F(MenuCalls, ResourceNamesAndFontsBecomeItems) {
  UseResources({Res("snd ", 1, {1}, "Beep;Two"), Res("snd ", 2, {2}, "Chime")});
  MenuHandle sounds = Make(1, "Sounds", "");
  AppendResMenu(sounds, ZEB_FOURCC('s', 'n', 'd', ' '));
  // Names go through AppendMenu: their metacharacters count.
  EXPECT_EQ(CountMItems(sounds), 3);
  MenuHandle fonts = Make(2, "Font", "");
  AppendResMenu(fonts, ZEB_FOURCC('F', 'O', 'N', 'T'));
  MenuHandle outline = Make(3, "Outline", "");
  AppendResMenu(outline, ZEB_FOURCC('s', 'f', 'n', 't'));
  EXPECT_GT(CountMItems(fonts) + CountMItems(outline), 0);
  for (short i = 1; i <= CountMItems(outline); ++i) EXPECT_FALSE(ItemText(outline, i).empty());
}

}  // namespace
}  // namespace zebtest

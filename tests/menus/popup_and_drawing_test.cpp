// PopUpMenuSelect driven by real input from another thread (a choice, a cancel, the pop-up
// item's position, an application's replacement), and owner-drawn items drawn into a DIB
// section.
#include <cstring>

#include "OSUtils.h"
#include "menus_fixture.h"
#include "../quickdraw/colour_icon_bytes.h"

namespace zebtest {
namespace {

// The visible menu window Windows shows while it tracks a pop-up.
HWND OpenMenuWindow() {
  HWND w = FindWindowA("#32768", nullptr);
  return w && IsWindowVisible(w) ? w : nullptr;
}

void Key(WORD vk) {
  INPUT in[2] = {};
  in[0].type = in[1].type = INPUT_KEYBOARD;
  in[0].ki.wVk = in[1].ki.wVk = vk;
  in[1].ki.dwFlags = KEYEVENTF_KEYUP;
  SendInput(2, in, sizeof(INPUT));
}

// Drives an open pop-up from a thread timer, which Windows' menu loop runs: it notes where the
// menu window is, types the keys one per tick, and ends the menu with EndMenu should the keys
// not close it.
class MenuDriver {
 public:
  explicit MenuDriver(std::vector<WORD> keys) : keys_(std::move(keys)) {
    current_ = this;
    timer_ = SetTimer(nullptr, 0, 60, &MenuDriver::Tick);
  }
  ~MenuDriver() { Join(); }
  void Join() {
    if (timer_) KillTimer(nullptr, timer_);
    timer_ = 0;
    current_ = nullptr;
  }
  bool Seen() const { return seen_; }
  RECT Rect() const { return rect_; }

 private:
  static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
    MenuDriver* d = current_;
    if (!d) return;
    if (!d->seen_) {
      if (HWND w = OpenMenuWindow()) {
        GetWindowRect(w, &d->rect_);
        d->seen_ = true;
      } else if (++d->ticks_ > 50) {
        EndMenu();
      }
      return;
    }
    if (d->next_ < d->keys_.size()) {
      Key(d->keys_[d->next_++]);
    } else if (++d->ticks_ > 50) {
      EndMenu();
    }
  }
  static MenuDriver* current_;
  std::vector<WORD> keys_;
  size_t next_ = 0;
  int ticks_ = 0;
  UINT_PTR timer_ = 0;
  bool seen_ = false;
  RECT rect_{};
};
MenuDriver* MenuDriver::current_ = nullptr;

class PopUps : public MenusTest {
 protected:
  void SetUp() override {
    MenusTest::SetUp();
    if (HasFatalFailure()) return;
    SetForegroundWindow(frame_);
    SetActiveWindow(frame_);
    SetFocus(frame_);
    PumpMessages();
    menu_ = Make(300, "Pop", "Red;Green;Blue");
  }
  MenuHandle menu_ = nullptr;
};

TEST_F(PopUps, ChoiceByKeyboardGivesMenuAndItem) {
  MenuDriver driver({VK_DOWN, VK_DOWN, VK_RETURN});
  const long result = PopUpMenuSelect(menu_, 100, 120, 0);
  driver.Join();
  ASSERT_TRUE(driver.Seen());
  EXPECT_EQ(result, (300L << 16) | 2);
  EXPECT_NEAR(driver.Rect().left, 119, 2);
  EXPECT_NEAR(driver.Rect().top, 99, 2);
}

TEST_F(PopUps, CancelGivesZeroAndNoEvent) {
  MenuDriver driver({VK_ESCAPE});
  EXPECT_EQ(PopUpMenuSelect(menu_, 100, 120, 0), 0);
  driver.Join();
  EXPECT_TRUE(driver.Seen());
  EXPECT_TRUE(TakeEvents().empty());
}

TEST_F(PopUps, PopUpItemLiesUnderThePoint) {
  MenuDriver driver({VK_ESCAPE});
  PopUpMenuSelect(menu_, 200, 120, 3);
  driver.Join();
  ASSERT_TRUE(driver.Seen());
  // Two items above the third one moved the menu up by their heights.
  EXPECT_LT(driver.Rect().top, 199 - 10);
}

long g_replacementCalls = 0;
long ZEBAPI Replacement(MenuHandle menu, short top, short left, short item) {
  ++g_replacementCalls;
  (void)menu;
  return 0x12340000L | (top + left + item);
}

TEST_F(PopUps, ReplacedTrapRunsInstead) {
  g_replacementCalls = 0;
  NSetTrapAddress(reinterpret_cast<UniversalProcPtr>(&Replacement), 0xA80B, ToolTrap);
  EXPECT_EQ(PopUpMenuSelect(menu_, 1, 2, 3), 0x12340006L);
  EXPECT_EQ(g_replacementCalls, 1);
}

TEST_F(PopUps, DiffFontPopUpDrawsEveryItemItself) {
  Frame().userItems = 0;
  MenuDriver driver({VK_DOWN, VK_RETURN});
  const long result = ZEB_PopUpMenuSelectUsingDiffFont(
      menu_, 100, 120, 0, "A face name far longer than thirty-one characters", 14);
  driver.Join();
  EXPECT_EQ(result, (300L << 16) | 1);
  EXPECT_GT(Frame().userItems, 0);
}

// A 32-bit DIB section to draw menu items into.
class Dib {
 public:
  Dib(int w, int h) : w_(w) {
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = w;
    bi.bmiHeader.biHeight = -h;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    dc_ = CreateCompatibleDC(nullptr);
    bm_ = CreateDIBSection(dc_, &bi, DIB_RGB_COLORS, reinterpret_cast<void**>(&bits_), nullptr, 0);
    old_ = SelectObject(dc_, bm_);
  }
  ~Dib() {
    SelectObject(dc_, old_);
    DeleteObject(bm_);
    DeleteDC(dc_);
  }
  HDC dc() const { return dc_; }
  COLORREF At(int x, int y) const {
    GdiFlush();
    const uint32_t p = bits_[y * w_ + x];
    return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
  }
  int Count(COLORREF c, RECT r) const {
    int n = 0;
    for (int y = r.top; y < r.bottom; ++y)
      for (int x = r.left; x < r.right; ++x) n += At(x, y) == c;
    return n;
  }

 private:
  int w_;
  HDC dc_;
  HBITMAP bm_;
  HGDIOBJ old_;
  uint32_t* bits_ = nullptr;
};

class OwnerDrawing : public MenusTest {
 protected:
  // Builds the bar and answers the item data of the owner-drawn item at position.
  ULONG_PTR DataOf(HMENU popup, int position) {
    MENUITEMINFOA mii{};
    mii.cbSize = sizeof mii;
    mii.fMask = MIIM_DATA | MIIM_FTYPE | MIIM_ID;
    GetMenuItemInfoA(popup, static_cast<UINT>(position), TRUE, &mii);
    return mii.dwItemData;
  }
  LRESULT Draw(Dib& dib, HMENU popup, int position, UINT state, RECT r) {
    DRAWITEMSTRUCT dis{};
    dis.CtlType = ODT_MENU;
    dis.itemID = GetMenuItemID(popup, position);
    dis.itemAction = ODA_DRAWENTIRE;
    dis.itemState = state;
    dis.hwndItem = reinterpret_cast<HWND>(popup);
    dis.hDC = dib.dc();
    dis.rcItem = r;
    dis.itemData = DataOf(popup, position);
    return ZEB_MenuUserItem(frame_, WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&dis));
  }
};

TEST_F(OwnerDrawing, HighlightGreyTextCheckAndBadItems) {
  MenuHandle m = Make(128, "Styles", "Bold<B;(Italic<I;Checked<U!\x12");
  InsertMenu(m, 0);
  DrawMenuBar();
  HMENU popup = BarPopup(0);
  SendMessageA(frame_, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(popup), 0);
  ASSERT_NE(GetMenuState(popup, 0, MF_BYPOSITION) & MF_OWNERDRAW, 0u);
  // Measured by the library.
  MEASUREITEMSTRUCT mis{};
  mis.CtlType = ODT_MENU;
  mis.itemData = DataOf(popup, 0);
  ASSERT_EQ(ZEB_MenuUserItem(frame_, WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&mis)), 1);
  EXPECT_GT(mis.itemWidth, 20u);
  EXPECT_GT(mis.itemHeight, 8u);
  Dib dib(200, 60);
  const RECT r{0, 0, 200, 20};
  ASSERT_EQ(Draw(dib, popup, 0, ODS_SELECTED, r), 1);
  const COLORREF highlight = GetSysColor(COLOR_HIGHLIGHT);
  const COLORREF highlightText = GetSysColor(COLOR_HIGHLIGHTTEXT);
  EXPECT_EQ(dib.At(199, 0), highlight);
  EXPECT_GT(dib.Count(highlightText, r), 10);  // the text
  const RECT r2{0, 20, 200, 40};
  ASSERT_EQ(Draw(dib, popup, 1, ODS_GRAYED, r2), 1);
  EXPECT_EQ(dib.At(199, 21), GetSysColor(COLOR_MENU));
  EXPECT_GT(dib.Count(GetSysColor(COLOR_GRAYTEXT), r2), 10);
  const RECT r3{0, 40, 200, 60};
  ASSERT_EQ(Draw(dib, popup, 2, 0, r3), 1);
  // The check mark sits in the left margin.
  const RECT margin{0, 40, GetSystemMetrics(SM_CXMENUCHECK) + 4, 60};
  EXPECT_GT(dib.Count(RGB(0, 0, 0), margin), 3);
  // Not a menu, or item data outside the table: not handled.
  DRAWITEMSTRUCT other{};
  other.CtlType = ODT_BUTTON;
  EXPECT_EQ(ZEB_MenuUserItem(frame_, WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&other)), 0);
  other.CtlType = ODT_MENU;
  other.itemData = 99999;
  other.hDC = dib.dc();
  EXPECT_EQ(ZEB_MenuUserItem(frame_, WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&other)), 0);
  EXPECT_EQ(ZEB_MenuUserItem(frame_, WM_DRAWITEM, 0, 0), 0);
}

TEST_F(OwnerDrawing, IconItemsDrawTheirOneBitIcon) {
  std::vector<uint8_t> icon(128, 0xFF);  // a solid black 'ICON'
  UseResources({Res("ICON", 257, icon)});
  MenuHandle m = Make(128, "Icons", "Picture^1");
  InsertMenu(m, 0);
  DrawMenuBar();
  HMENU popup = BarPopup(0);
  SendMessageA(frame_, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(popup), 0);
  ASSERT_NE(GetMenuState(popup, 0, MF_BYPOSITION) & MF_OWNERDRAW, 0u);
  Dib dib(200, 40);
  ASSERT_EQ(Draw(dib, popup, 0, 0, RECT{0, 0, 200, 34}), 1);
  const int x = GetSystemMetrics(SM_CXMENUCHECK) + 8;
  EXPECT_EQ(dib.Count(RGB(0, 0, 0), RECT{x, 1, x + 32, 33}), 32 * 32);
}

// An item with a 'cicn' measures and draws it: a 16 x 16 red icon whose mask leaves its right
// half out shows red only in its left half, the menu's background around it.
TEST_F(OwnerDrawing, IconItemsPreferTheirColourIcon) {
  ColourIconDesign design;
  design.width = 16;
  design.height = 16;
  design.depth = 4;
  design.colours = {0xFFFFFF, 0xFF0000};
  design.pixels.assign(8 * 16, 0x11);
  for (int y = 0; y < 16; ++y) {
    design.mask.push_back(0xFF);
    design.mask.push_back(0x00);
  }
  std::vector<uint8_t> icon(128, 0xFF);
  // 258: a damaged 'cicn' (cut short), which leaves its item to the 'ICON' at 32 by 32.
  std::vector<uint8_t> damaged = ColourIconResource(design);
  damaged.resize(damaged.size() - 1);
  UseResources({Res("cicn", 257, ColourIconResource(design)), Res("ICON", 257, icon),
                Res("cicn", 258, damaged), Res("ICON", 258, icon)});
  MenuHandle m = Make(128, "Icons", "Picture^1");
  InsertMenu(m, 0);
  DrawMenuBar();
  HMENU popup = BarPopup(0);
  SendMessageA(frame_, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(popup), 0);
  ASSERT_NE(GetMenuState(popup, 0, MF_BYPOSITION) & MF_OWNERDRAW, 0u);
  MEASUREITEMSTRUCT mis{};
  mis.CtlType = ODT_MENU;
  mis.itemData = DataOf(popup, 0);
  ASSERT_EQ(ZEB_MenuUserItem(frame_, WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&mis)), 1);
  EXPECT_EQ(mis.itemHeight, 16u + 2) << "the colour icon's height, not the 'ICON''s";
  Dib dib(200, 18);
  ASSERT_EQ(Draw(dib, popup, 0, 0, RECT{0, 0, 200, 18}), 1);
  const int x = GetSystemMetrics(SM_CXMENUCHECK) + 8;
  EXPECT_EQ(dib.Count(RGB(255, 0, 0), RECT{0, 0, 200, 18}), 8 * 16);
  EXPECT_EQ(dib.Count(RGB(255, 0, 0), RECT{x, 1, x + 8, 17}), 8 * 16);
  EXPECT_EQ(dib.Count(RGB(0, 0, 0), RECT{x, 1, x + 16, 17}), 0) << "not the black 'ICON'";
  MenuHandle m2 = Make(129, "Damaged", "Picture^2");
  InsertMenu(m2, 0);
  DrawMenuBar();
  HMENU popup2 = BarPopup(1);
  SendMessageA(frame_, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(popup2), 0);
  Dib dib2(200, 34);
  ASSERT_EQ(Draw(dib2, popup2, 0, 0, RECT{0, 0, 200, 34}), 1);
  EXPECT_EQ(dib2.Count(RGB(0, 0, 0), RECT{x, 1, x + 32, 33}), 32 * 32);
}

// A registered 'MDEF' of a bar menu. The title drops down as one owner-drawn item: measuring
// asks the definition for its size, drawing runs it in a port on the menu's own DC, and while
// the item is highlighted the definition is asked to choose; its choice is the menu's result.
int g_mdefMessages[4];
Rect g_mdefRect;
short g_mdefChoice = 0;
void ZEBAPI PaintingMDEF(short message, MenuHandle menu, Rect* r, Point, short* which) {
  if (message >= 0 && message < 4) ++g_mdefMessages[message];
  switch (message) {
    case mSizeMsg:
      (**menu).menuWidth = 60;
      (**menu).menuHeight = 40;
      break;
    case mDrawMsg:
      g_mdefRect = *r;
      PaintRect(r);
      break;
    case mChooseMsg:
      *which = g_mdefChoice;
      break;
    default:
      break;
  }
}

TEST_F(OwnerDrawing, RegisteredDefinitionSizesDrawsAndChoosesItsBarMenu) {
  std::memset(g_mdefMessages, 0, sizeof g_mdefMessages);
  const ResType mdefType = ZEB_FOURCC('M', 'D', 'E', 'F');
  UseResources({Res("MENU", 128, MenuResource(128, "Custom", {{"A"}, {"B"}, {"C"}}, 0xFFFFFFFFu, 400)),
                Res("MDEF", 400, std::vector<uint8_t>{0x4E, 0x75})});
  ZEB_CodeResource(ZEB_CODE_ADD, mdefType, 400,
                   reinterpret_cast<ProcPtr>(reinterpret_cast<void*>(&PaintingMDEF)));
  MenuHandle custom = GetMenu(128);
  ASSERT_NE(custom, nullptr);
  ASSERT_NE((**custom).menuProc, 0u);
  InsertMenu(custom, 0);
  DrawMenuBar();
  HMENU popup = BarPopup(0);
  ASSERT_NE(popup, nullptr);
  SendMessageA(frame_, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(popup), 0);
  ASSERT_EQ(GetMenuItemCount(popup), 1) << "the definition draws the whole menu as one item";
  EXPECT_NE(GetMenuState(popup, 0, MF_BYPOSITION) & MF_OWNERDRAW, 0u);
  const UINT command = GetMenuItemID(popup, 0);
  ASSERT_NE(command, 0u);

  MEASUREITEMSTRUCT mis{};
  mis.CtlType = ODT_MENU;
  mis.itemID = command;
  mis.itemData = DataOf(popup, 0);
  const int sizes = g_mdefMessages[mSizeMsg];
  EXPECT_TRUE(ZEB_MenuUserItem(frame_, WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&mis)));
  EXPECT_EQ(g_mdefMessages[mSizeMsg], sizes + 1);
  EXPECT_EQ(mis.itemWidth, 60u);
  EXPECT_EQ(mis.itemHeight, 40u);

  Dib dib(100, 60);
  PatBlt(dib.dc(), 0, 0, 100, 60, WHITENESS);
  EXPECT_TRUE(Draw(dib, popup, 0, 0, RECT{10, 5, 70, 45}));
  EXPECT_EQ(g_mdefMessages[mDrawMsg], 1);
  EXPECT_EQ(g_mdefRect.left, 10);
  EXPECT_EQ(g_mdefRect.top, 5);
  EXPECT_EQ(g_mdefRect.right, 70);
  EXPECT_EQ(g_mdefRect.bottom, 45);
  EXPECT_EQ(dib.Count(RGB(0, 0, 0), RECT{10, 5, 70, 45}), 60 * 40) << "painted through QuickDraw";
  EXPECT_EQ(dib.Count(RGB(0, 0, 0), RECT{0, 0, 100, 5}), 0);
  EXPECT_EQ(dib.Count(RGB(0, 0, 0), RECT{70, 0, 100, 60}), 0);

  // Highlighted: the definition chooses item 2, and the command delivers it.
  g_mdefChoice = 2;
  ZEB_MenuSelect(frame_, WM_MENUSELECT, MAKEWPARAM(command, MF_OWNERDRAW | MF_HILITE),
                 reinterpret_cast<LPARAM>(popup));
  EXPECT_GE(g_mdefMessages[mChooseMsg], 1);
  SendMessageA(frame_, WM_COMMAND, command, 0);
  std::vector<EventRecord> events = TakeEvents();
  ASSERT_EQ(events.size(), 1u);
  EXPECT_EQ(MenuSelect(events[0].where), (128L << 16) | 2);
  // A highlight on which the definition chose nothing delivers nothing.
  g_mdefChoice = 0;
  ZEB_MenuSelect(frame_, WM_MENUSELECT, MAKEWPARAM(command, MF_OWNERDRAW | MF_HILITE),
                 reinterpret_cast<LPARAM>(popup));
  SendMessageA(frame_, WM_COMMAND, command, 0);
  EXPECT_TRUE(TakeEvents().empty());
  ZEB_MenuSelect(frame_, WM_MENUSELECT, MAKEWPARAM(0, 0xFFFF), 0);
  ZEB_CodeResource(ZEB_CODE_REMOVE, mdefType, 400, nullptr);
}

}  // namespace
}  // namespace zebtest

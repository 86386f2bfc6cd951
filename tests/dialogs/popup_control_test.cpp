// The pop-up menu control (procIDs 1008..1023): its 'MENU', its parts, tracking through
// PopUpMenuSelect (replaced here through the trap table, as an application may), and a pop-up
// whose menu is missing.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "Controls.h"
#include "Fonts.h"
#include "Menus.h"
#include "OSUtils.h"
#include "dialogs_fixture.h"

namespace zebtest {
namespace {

constexpr unsigned short kPopUpMenuSelectTrap = 0xA80B;

// A 'MENU' as Rez writes it: ID, width and height (0: computed), the 'MDEF' ID 0 (the
// standard definition) and a filler word where the record keeps its definition handle, enable
// flags, title, then each item with its icon, key, mark and style bytes, and a zero length after
// the last.
std::vector<uint8_t> Menu(short id, const std::vector<std::string>& items) {
  Big b;
  b.W(id).W(0).W(0).W(0).W(0).L(0x7FFFFFFF).P("Sizes");
  for (const std::string& item : items) b.P(item).B(0).B(0).B(0).B(0);
  b.B(0);
  return b.Bytes();
}

struct PopUpCall {
  MenuHandle menu;
  short top, left, item;
};
std::vector<PopUpCall> g_calls;
long g_answer = 0;

long ZEBAPI FakePopUpMenuSelect(MenuHandle menu, short top, short left, short popUpItem) {
  g_calls.push_back(PopUpCall{menu, top, left, popUpItem});
  return g_answer;
}

class PopUpControlTest : public DialogsTest {
 protected:
  void SetUp() override {
    DialogsTest::SetUp();
    window_ = Make(R(100, 100, 500, 400));
    ASSERT_NE(window_, nullptr);
    SetPort(window_);
    Settle();
    g_calls.clear();
    g_answer = 0;
    NSetTrapAddress(reinterpret_cast<UniversalProcPtr>(&FakePopUpMenuSelect), kPopUpMenuSelectTrap, ToolTrap);
  }
  void TearDown() override {
    NSetTrapAddress(nullptr, kPopUpMenuSelectTrap, ToolTrap);
    DialogsTest::TearDown();
  }
  WindowPtr window_ = nullptr;
};

TEST_F(PopUpControlTest, TemplateMakesAnOwnerDrawnPopUpOverItsMenu) {
  // 'CNTL' 300: bounds (10,10)-(30,210), value = title style bold, visible, max = title width 60,
  // min = 'MENU' 200, procID 1008, refCon 5, title "Size:".
  UseResources({{"MENU", 200, Menu(200, {"Small", "Medium", "Large"})},
                {"CNTL", 300, Big().R(10, 10, 30, 210).W(bold).W(1).W(60).W(200).W(popupMenuProc).L(5).P("Size:").Bytes()}});
  ControlHandle c = GetNewControl(300, window_);
  ASSERT_NE(c, nullptr);
  HWND native = ZEB_ControlToHWND(c);
  EXPECT_STRCASEEQ(ClassOf(native).c_str(), "Button");
  EXPECT_EQ(GetWindowLongA(native, GWL_STYLE) & BS_TYPEMASK, BS_OWNERDRAW);
  EXPECT_EQ(GetDlgCtrlID(native), 0xFD05) << "definition controls carry 0xFD over the refCon's low byte";
  EXPECT_EQ(GetControlMinimum(c), 1);
  EXPECT_EQ(GetControlMaximum(c), 3) << "the range is the menu's items";
  EXPECT_EQ(GetControlValue(c), 1);
  EXPECT_EQ(GetControlVariant(c), 0);

  // The title takes the first 60 pixels, the box the rest, sized to the widest item;
  // nothing outside the rectangle.
  const short right = (*c)->contrlRect.right;
  EXPECT_LT(right, 210) << "the box shrank to its items";
  EXPECT_EQ(TestControl(c, Point{20, 20}), 1);
  EXPECT_EQ(TestControl(c, Point{20, 69}), 1);
  EXPECT_EQ(TestControl(c, Point{20, 70}), 2);
  EXPECT_EQ(TestControl(c, Point{20, static_cast<short>(right - 1)}), 2);
  EXPECT_EQ(TestControl(c, Point{31, 100}), 0);
  EXPECT_EQ(TestControl(c, Point{20, right}), 0);
  ControlHandle found = nullptr;
  EXPECT_EQ(FindControl(Point{20, 100}, window_, &found), 2);
  EXPECT_EQ(found, c);

  SetControlValue(c, 9);
  EXPECT_EQ(GetControlValue(c), 3) << "values stay within the items";
  SetControlValue(c, 2);
  HiliteControl(c, 255);
  EXPECT_EQ(TestControl(c, Point{20, 100}), 0) << "an inactive pop-up has no parts";
  HiliteControl(c, 0);
  DisposeControl(c);
  EXPECT_EQ(reinterpret_cast<WindowPeek>(window_)->controlList, nullptr);
}

TEST_F(PopUpControlTest, TrackingTheBoxPopsUpTheMenuAtItsGlobalCornerAndTakesTheChoice) {
  UseResources({{"MENU", 201, Menu(201, {"Red", "Green", "Blue", "Black"})}});
  const Rect r = {40, 20, 60, 220};
  const unsigned char title[] = "\x06" "Colour";
  ControlHandle c = NewControl(window_, &r, title, true, normal, 201, 50, popupMenuProc + 1, 0);
  ASSERT_NE(c, nullptr);
  EXPECT_EQ(GetControlVariant(c), 1);
  ASSERT_EQ(GetControlMaximum(c), 4);
  SetControlValue(c, 2);

  g_answer = (201L << 16) | 4;
  EXPECT_EQ(TrackControl(c, Point{50, 100}, nullptr), 2);
  ASSERT_EQ(g_calls.size(), 1u);
  Point corner = {40, 70};  // the box starts right of the 50-pixel title
  LocalToGlobal(&corner);
  EXPECT_EQ(g_calls[0].top, corner.v);
  EXPECT_EQ(g_calls[0].left, corner.h);
  EXPECT_EQ(g_calls[0].item, 2) << "the current value is the item shown under the mouse";
  ASSERT_NE(g_calls[0].menu, nullptr);
  EXPECT_EQ(CountMItems(g_calls[0].menu), 4);
  Str255 text;
  GetMenuItemText(g_calls[0].menu, 3, text);
  EXPECT_EQ(std::string(reinterpret_cast<char*>(text + 1), text[0]), "Blue");
  EXPECT_EQ(GetControlValue(c), 4);

  // Leaving the menu without a choice keeps the value.
  g_answer = 0;
  EXPECT_EQ(TrackControl(c, Point{50, 100}, nullptr), 2);
  EXPECT_EQ(g_calls.size(), 2u);
  EXPECT_EQ(g_calls[1].item, 4);
  EXPECT_EQ(GetControlValue(c), 4);
  DisposeControl(c);
}

// Without the fixed-width variant the rectangle becomes the title, the widest item measured in
// the owner's font, the text inset, the triangle and the box's edges: wider for long items,
// narrower for short ones, and the native window follows. The fixed-width variant keeps it.
TEST_F(PopUpControlTest, BoxIsSizedToTheWidestItemUnlessItsWidthIsFixed) {
  UseResources({{"MENU", 202, Menu(202, {"A4", "A very long paper size name", "A5"})},
                {"MENU", 203, Menu(203, {"S", "M"})}});
  SetPort(window_);
  const short longest = StringWidth(reinterpret_cast<const unsigned char*>("\x1B" "A very long paper size name"));
  const short shortest = StringWidth(reinterpret_cast<const unsigned char*>("\x01" "M"));
  ASSERT_GT(longest, shortest);
  const Rect r = {40, 20, 60, 120};
  const unsigned char title[] = "\x05" "Size:";
  struct Case {
    short menu, variant, expectedRight;
  } cases[] = {
      {202, 0, static_cast<short>(20 + 40 + 4 + longest + 18 + 3)},
      {203, 0, static_cast<short>(20 + 40 + 4 + std::max(shortest, StringWidth(reinterpret_cast<const unsigned char*>("\x01" "S"))) + 18 + 3)},
      {202, popupFixedWidth, 120},
  };
  for (const Case& k : cases) {
    ControlHandle c = NewControl(window_, &r, title, true, normal, k.menu, 40,
                                 static_cast<short>(popupMenuProc + k.variant), 0);
    ASSERT_NE(c, nullptr);
    EXPECT_EQ((*c)->contrlRect.left, 20);
    EXPECT_EQ((*c)->contrlRect.right, k.expectedRight) << k.menu << " variant " << k.variant;
    EXPECT_EQ((*c)->contrlRect.top, 40);
    EXPECT_EQ((*c)->contrlRect.bottom, 60);
    RECT native;
    GetClientRect(ZEB_ControlToHWND(c), &native);
    EXPECT_EQ(native.right, k.expectedRight - 20) << "the native window has the fitted width";
    EXPECT_EQ(TestControl(c, Point{50, static_cast<short>(k.expectedRight - 1)}), 2);
    EXPECT_EQ(TestControl(c, Point{50, k.expectedRight}), 0);
    DisposeControl(c);
  }
}

TEST_F(PopUpControlTest, WithoutItsMenuThePopUpTracksNothingAndKeepsItsValue) {
  const Rect r = {40, 20, 60, 220};
  const unsigned char title[] = "\x04" "None";
  // 'MENU' 4711 does not exist.
  ControlHandle c = NewControl(window_, &r, title, true, normal, 4711, 40, popupMenuProc, 0);
  ASSERT_NE(c, nullptr);
  EXPECT_EQ(GetControlMinimum(c), 1);
  EXPECT_EQ(GetControlMaximum(c), 1);
  EXPECT_EQ(GetControlValue(c), 1);
  g_answer = (4711L << 16) | 3;
  EXPECT_EQ(TrackControl(c, Point{50, 100}, nullptr), 2);
  EXPECT_TRUE(g_calls.empty()) << "no menu is popped up without one";
  EXPECT_EQ(GetControlValue(c), 1);
  SetControlValue(c, 5);
  EXPECT_EQ(GetControlValue(c), 1);
  DisposeControl(c);
}

}  // namespace
}  // namespace zebtest

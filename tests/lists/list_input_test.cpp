// Lists as the user and the application meet them: clicks through the command glue, list
// definitions, drawn cells read back as pixels, the slot table's end, disposal with the window
// and dragging cells out.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "Events.h"
#include "MacMemory.h"
#include "Resources.h"
#include "lists/list_manager.h"
#include "lists_fixture.h"

namespace zebtest {
namespace {

using ListsInput = ListsTest;
using ListsDefinition = ListsTest;
using ListsLifetime = ListsTest;

constexpr ResType kLdef = 0x4C444546;  // 'LDEF'

POINT EntryCentre(ListHandle l, int entry) {
  RECT rc{};
  SendMessageA(ZEB_GetHWNDFromListHandle(l), LB_GETITEMRECT, static_cast<WPARAM>(entry), reinterpret_cast<LPARAM>(&rc));
  POINT p{(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2};
  ClientToScreen(ZEB_GetHWNDFromListHandle(l), &p);
  return p;
}

// Every mouse-down that the command glue made of the box's notifications goes to LClick, as
// an application's event loop hands a click in the list to it; the results in order.
std::vector<bool> ClicksToLClick(ListsTest* t, ListHandle l, int calls = 15) {
  (void)t;
  std::vector<bool> results;
  for (int i = 0; i < calls; ++i) {
    EventRecord e{};
    if (!WaitNextEvent(mDownMask | mUpMask, &e, 1, nullptr)) continue;
    if (e.what != mouseDown) continue;
    Point local = e.where;
    GlobalToLocal(&local);
    results.push_back(LClick(local, static_cast<short>(e.modifiers), l) != 0);
  }
  return results;
}

TEST_F(ListsInput, AClickReachesLClickThroughTheCommandGlueAndADoubleClickIsReported) {
  ListHandle l = Make(1, 5);
  for (short i = 0; i < 5; ++i) Set(l, 0, i, "item " + std::to_string(i));
  Foreground(H(window_));
  Settle();
  ClickAt(EntryCentre(l, 2));
  std::vector<bool> first = ClicksToLClick(this, l);
  ASSERT_FALSE(first.empty());
  EXPECT_FALSE(first.front());  // the selection moved: no double-click
  Cell c = C(0, 2);
  EXPECT_TRUE(LGetSelect(false, &c, l));
  EXPECT_EQ(LLastClick(l).v, 2);
  Cell last = LLastClick(l);
  const long packed = LongLastClick(l);
  EXPECT_EQ(std::memcmp(&packed, &last, sizeof last), 0);
  Sleep(600);  // past the double-click time
  ClickAt(EntryCentre(l, 3));
  ClickAt(EntryCentre(l, 3));
  std::vector<bool> second = ClicksToLClick(this, l);
  ASSERT_FALSE(second.empty());
  EXPECT_TRUE(second.back());
  c = C(0, 3);
  EXPECT_TRUE(LGetSelect(false, &c, l));
  c = C(0, 2);
  EXPECT_FALSE(LGetSelect(false, &c, l));
}

TEST_F(ListsInput, AnEmptyCellIsNotSelectedWhenTheListAsksForIt) {
  ListHandle l = Make(1, 4);  // 0x82: one selected cell, none empty
  Set(l, 0, 0, "full");
  Set(l, 0, 1, "also");
  Foreground(H(window_));
  Settle();
  ClickAt(EntryCentre(l, 1));
  ClicksToLClick(this, l);
  Cell c = C(0, 1);
  ASSERT_TRUE(LGetSelect(false, &c, l));
  Sleep(600);
  ClickAt(EntryCentre(l, 3));
  std::vector<bool> r = ClicksToLClick(this, l);
  ASSERT_FALSE(r.empty());
  EXPECT_FALSE(r.back());
  EXPECT_EQ(SendMessageA(Box(l), LB_GETCURSEL, 0, 0), 1);
  c = C(0, 3);
  EXPECT_FALSE(LGetSelect(false, &c, l));
  c = C(0, 1);
  EXPECT_TRUE(LGetSelect(false, &c, l));
}

TEST_F(ListsInput, SeveralSelectedCellsAreReadBackFromTheBox) {
  ZEB_LSetSelFlags(0);
  ListHandle l = Make(1, 6);
  for (short i = 0; i < 6; ++i) Set(l, 0, i, "row");
  Foreground(H(window_));
  Settle();
  ClickAt(EntryCentre(l, 1));
  ClicksToLClick(this, l);
  Keys({{VK_SHIFT, true}});
  ClickAt(EntryCentre(l, 3));
  Keys({{VK_SHIFT, false}});
  ClicksToLClick(this, l);
  for (short i = 0; i < 6; ++i) {
    Cell c = C(0, i);
    EXPECT_EQ(LGetSelect(false, &c, l) != 0, i >= 1 && i <= 3) << i;
  }
}

// A stand-in for an application's 'LDEF': it records its messages and draws a selected cell
// black.
struct DefinitionCall {
  short message;
  bool selected;
  Rect r;
  Cell cell;
  short length;
};
std::vector<DefinitionCall> g_calls;

void ZEBAPI RecordingDefinition(short message, Boolean selected, Rect* r, Cell cell, short offset, short length,
                                ListHandle list) {
  (void)offset;
  (void)list;
  g_calls.push_back(DefinitionCall{message, selected != 0, *r, cell, length});
  if (message == lDrawMsg) {
    EraseRect(r);
    if (selected) PaintRect(r);
  } else if (message == lHiliteMsg) {
    InvertRec(r);
  }
}

TEST_F(ListsDefinition, AnApplicationDefinitionGetsInitDrawAndCloseMessages) {
  g_calls.clear();
  ASSERT_NE(ZEB_CodeResource(ZEB_CODE_ADD, kLdef, 300, reinterpret_cast<ProcPtr>(reinterpret_cast<void*>(&RecordingDefinition))), nullptr);
  ListHandle l = Make(1, 4, Point{0, 0}, 300);
  ASSERT_NE(l, nullptr);
  ASSERT_FALSE(g_calls.empty());
  EXPECT_EQ(g_calls.front().message, lInitMsg);
  EXPECT_TRUE(GetWindowLongA(Box(l), GWL_STYLE) & LBS_OWNERDRAWFIXED);
  Set(l, 0, 1, "abc");
  g_calls.clear();
  LSetSelect(true, C(0, 1), l);
  InvalidateRect(Box(l), nullptr, TRUE);
  UpdateWindow(Box(l));
  bool drewSelected = false;
  for (const DefinitionCall& k : g_calls)
    if ((k.message == lDrawMsg || k.message == lHiliteMsg) && k.cell.v == 1 && k.selected) {
      drewSelected = true;
      EXPECT_EQ(k.length, 3);
      EXPECT_EQ(k.r.left, 10);  // local coordinates of the list's window
      EXPECT_EQ(k.r.top, 10 + (*l)->cellSize.v);
    }
  EXPECT_TRUE(drewSelected);
  HDC dc = GetDC(Box(l));
  const COLORREF inside = GetPixel(dc, 20, (*l)->cellSize.v + 3);
  const COLORREF outside = GetPixel(dc, 20, 3);
  ReleaseDC(Box(l), dc);
  EXPECT_LT(GetRValue(inside), 64);
  EXPECT_GT(GetRValue(outside), 192);
  g_calls.clear();
  LDispose(l);
  lists_.clear();
  ASSERT_FALSE(g_calls.empty());
  EXPECT_EQ(g_calls.front().message, lCloseMsg);
  ZEB_CodeResource(ZEB_CODE_REMOVE, kLdef, 300, nullptr);
}

TEST_F(ListsDefinition, AMissingDefinitionFallsBackToTheStandardOne) {
  ListHandle l = Make(1, 3, Point{0, 0}, 301);
  ASSERT_NE(l, nullptr);
  EXPECT_EQ((*l)->listDefProc, &zeb::lists::StandardDefinition);
  EXPECT_FALSE(GetWindowLongA(Box(l), GWL_STYLE) & LBS_OWNERDRAWFIXED);
  Set(l, 0, 0, "text");
  EXPECT_EQ(Text(l, 0), "text");
}

int DarkPixels(HDC dc, int left, int top, int right, int bottom) {
  int n = 0;
  for (int y = top; y < bottom; ++y)
    for (int x = left; x < right; ++x)
      if (GetRValue(GetPixel(dc, x, y)) < 100) ++n;
  return n;
}

TEST_F(ListsDefinition, AGridDrawsEachCellOfARowAtTheCellSize) {
  ListHandle g = Make(3, 4, Point{16, 30});
  ASSERT_NE(g, nullptr);
  EXPECT_EQ((*g)->cellSize.h, 30);
  EXPECT_EQ((*g)->cellSize.v, 16);
  Set(g, 0, 2, "WWW");
  LSetSelect(true, C(1, 0), g);
  InvalidateRect(Box(g), nullptr, TRUE);
  UpdateWindow(Box(g));
  HDC dc = GetDC(Box(g));
  // Row 0: the selected middle cell is inverted whole, its neighbours are not.
  EXPECT_GT(DarkPixels(dc, 32, 2, 58, 14), 26 * 12 * 9 / 10);
  EXPECT_EQ(DarkPixels(dc, 2, 2, 28, 14), 0);
  EXPECT_EQ(DarkPixels(dc, 62, 2, 88, 14), 0);
  // Row 2: the text of cell (0, 2) within its cell, nothing in (2, 2).
  EXPECT_GT(DarkPixels(dc, 0, 32, 30, 48), 5);
  EXPECT_EQ(DarkPixels(dc, 60, 32, 90, 48), 0);
  ReleaseDC(Box(g), dc);
  // Measuring gave the cell size while the box was made.
  EXPECT_EQ(SendMessageA(Box(g), LB_GETITEMHEIGHT, 0, 0), 16);
}

// The message box about the full table is closed by a timer, as a user would close it; its
// text is kept.
std::string g_boxText;
void CALLBACK CloseMessageBox(HWND, UINT, UINT_PTR, DWORD) {
  EnumThreadWindows(
      GetCurrentThreadId(),
      [](HWND h, LPARAM) -> BOOL {
        char cls[16] = {};
        GetClassNameA(h, cls, sizeof cls);
        if (std::strcmp(cls, "#32770") != 0) return TRUE;
        EnumChildWindows(
            h,
            [](HWND c, LPARAM) -> BOOL {
              char t[64] = {};
              GetWindowTextA(c, t, sizeof t);
              if (std::strstr(t, "List")) g_boxText = t;
              return TRUE;
            },
            0);
        PostMessageA(h, WM_COMMAND, IDOK, 0);
        return FALSE;
      },
      0);
}

TEST_F(ListsLifetime, AFullTableGivesNilAfterItsMessageAndRecoversWhenAListGoes) {
  std::vector<ListHandle> made;
  for (int i = 0; i < zeb::lists::kSlotCount; ++i) {
    ListHandle l = Make(1, 1);
    ASSERT_NE(l, nullptr) << i;
    made.push_back(l);
  }
  g_boxText.clear();
  const UINT_PTR timer = SetTimer(nullptr, 0, 100, &CloseMessageBox);
  const Size before = FreeMem();
  EXPECT_EQ(Make(1, 1), nullptr);
  KillTimer(nullptr, timer);
  EXPECT_EQ(g_boxText, "Too many List Boxes");
  EXPECT_GE(FreeMem(), before);  // nothing made for the refused list stays
  LDispose(made[7]);
  ListHandle again = Make(1, 2);
  ASSERT_NE(again, nullptr);
  EXPECT_EQ((*again)->slot, 7);
  EXPECT_EQ(Count(again), 2);
}

TEST_F(ListsLifetime, AWindowTakesItsListsAndTheirScrollBarsWithIt) {
  WindowPtr w = ListWindow();
  ListHandle a = Make(1, 5, Point{0, 0}, 0, true, false, w);
  ListHandle b = Make(3, 5, Point{0, 0}, 0, true, true, w);
  ASSERT_NE(a, nullptr);
  ASSERT_NE(b, nullptr);
  HWND boxA = Box(a), boxB = Box(b);
  ASSERT_TRUE(IsWindow(boxA));
  DisposeWindow(w);
  EXPECT_FALSE(IsWindow(boxA));
  EXPECT_FALSE(IsWindow(boxB));
  EXPECT_EQ(ZEB_GetHWNDFromListHandle(a), nullptr);
  LDispose(a);  // already gone with its window: ignored
  LSetCell("x", 1, C(0, 0), b);
  lists_.clear();
  // The slots are free again.
  ListHandle c = Make(1, 1);
  ASSERT_NE(c, nullptr);
}

Point g_lastHook{};
int g_hookCalls = 0;
void ZEBAPI DragHook(ListHandle, Point where) {
  g_lastHook = where;
  ++g_hookCalls;
}

void MouseTo(POINT p, DWORD buttons) {
  SetCursorPos(p.x, p.y);
  INPUT in{};
  in.type = INPUT_MOUSE;
  in.mi.dwFlags = MOUSEEVENTF_MOVE | buttons;
  SendInput(1, &in, sizeof in);
}

TEST_F(ListsInput, ACellDraggedOutOfTheListLeavesItsDropPoint) {
  ListHandle l = Make(1, 4);
  for (short i = 0; i < 4; ++i) Set(l, 0, i, "drag me");
  LSetSelect(true, C(0, 1), l);
  ASSERT_TRUE(ZEB_LTearOff(l, 1, nullptr));
  EXPECT_TRUE((*l)->selFlags & lTearOff);
  ZEB_LTearOffRec info{};
  EXPECT_FALSE(ZEB_LTearOff(l, 2, &info));  // no drag yet
  ZEB_LSetTearOffDragHook(l, &DragHook);
  Foreground(H(window_));
  Settle();
  g_hookCalls = 0;
  const POINT start = EntryCentre(l, 1);
  const POINT end = ScreenOf(window_, 250, 200);
  MouseTo(start, MOUSEEVENTF_LEFTDOWN);
  Pump(30);
  MouseTo(POINT{start.x + 40, start.y + 40}, 0);
  Pump(30);
  MouseTo(end, 0);
  Pump(30);
  MouseTo(end, MOUSEEVENTF_LEFTUP);
  Pump(50);
  EXPECT_GT(g_hookCalls, 0);
  ASSERT_TRUE(ZEB_LTearOff(l, 2, &info));
  EXPECT_EQ(info.drop.h, end.x);
  EXPECT_EQ(info.drop.v, end.y);
  EXPECT_EQ(info.dropWindow, window_);
  EXPECT_FALSE(ZEB_LTearOff(l, 2, &info));
  // The selection stayed where it was.
  Cell c = C(0, 1);
  EXPECT_TRUE(LGetSelect(false, &c, l));
}

}  // namespace
}  // namespace zebtest

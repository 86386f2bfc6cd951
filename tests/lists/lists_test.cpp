// Lists and their native list boxes: layout, cells, rows, selection, search, bad input.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "Events.h"
#include "MacMemory.h"
#include "dialogs/control_manager.h"
#include "lists_fixture.h"
#include "quickdraw/quickdraw_internal.h"

namespace zebtest {
namespace {

using ListsLayout = ListsTest;
using ListsCells = ListsTest;
using ListsSelection = ListsTest;

TEST_F(ListsLayout, OneColumnGetsAnEntryPerCellAndThreeColumnsAGridOfRows) {
  ListHandle one = Make(1, 10);
  ASSERT_NE(one, nullptr);
  EXPECT_EQ(Count(one), 10);
  EXPECT_EQ((*one)->maxIndex, 9);
  for (int i = 0; i < 10; ++i) EXPECT_EQ((*one)->cellArray[i], 2 * (i + 1));
  EXPECT_EQ(GetHandleSize(reinterpret_cast<Handle>((*one)->cells)), 20);
  const LONG_PTR oneId = GetWindowLongPtrA(Box(one), GWLP_ID);
  EXPECT_EQ((oneId >> 8) & 0xFF, 0xFF);
  EXPECT_EQ(oneId & 0xFF, (*one)->slot);
  EXPECT_FALSE(GetWindowLongA(Box(one), GWL_STYLE) & LBS_OWNERDRAWFIXED);
  EXPECT_EQ(GetWindowLongPtrA(Box(one), GWLP_WNDPROC), reinterpret_cast<LONG_PTR>(&Z_ListBoxWndProc));
  EXPECT_EQ((*one)->lActive, 1);
  EXPECT_EQ(static_cast<uint8_t>((*one)->selFlags), 0x82);
  EXPECT_EQ((*one)->listDefProc != nullptr, true);

  ListHandle grid = Make(3, 10);
  ASSERT_NE(grid, nullptr);
  EXPECT_EQ(Count(grid), 10);
  EXPECT_EQ((*grid)->maxIndex, 29);
  EXPECT_EQ((GetWindowLongPtrA(Box(grid), GWLP_ID) >> 8) & 0xFF, 0xFE);
  EXPECT_TRUE(GetWindowLongA(Box(grid), GWL_STYLE) & LBS_OWNERDRAWFIXED);
  EXPECT_NE((*one)->slot, (*grid)->slot);
  // The box covers rView with its border just outside.
  RECT rc;
  GetWindowRect(Box(one), &rc);
  MapWindowPoints(nullptr, H(window_), reinterpret_cast<POINT*>(&rc), 2);
  EXPECT_EQ(rc.left, 9);
  EXPECT_EQ(rc.top, 9);
  EXPECT_EQ(rc.right, 111);
  EXPECT_LE(rc.bottom, 171);  // the box may keep whole entries only
  EXPECT_GT(rc.bottom, 150);
}

TEST_F(ListsLayout, OptionsChooseTheNativeStylesAndGoBackAfterOneList) {
  ZEB_LSetSelFlags(0);
  ListHandle multi = Make(1, 5);
  ASSERT_NE(multi, nullptr);
  EXPECT_TRUE(GetWindowLongA(Box(multi), GWL_STYLE) & LBS_EXTENDEDSEL);
  EXPECT_EQ((*multi)->selFlags, 0);
  ListHandle plain = Make(1, 5, Point{0, 0}, 0, true, false);
  const LONG ps = GetWindowLongA(Box(plain), GWL_STYLE);
  EXPECT_FALSE(ps & LBS_EXTENDEDSEL);
  EXPECT_TRUE(ps & WS_VSCROLL);
  EXPECT_FALSE(ps & LBS_MULTICOLUMN);
  ASSERT_NE((*plain)->vScroll, nullptr);
  EXPECT_EQ(GetControlReference((*plain)->vScroll), 0xFE00);
  EXPECT_EQ(GetControlMaximum((*plain)->vScroll), 5);
  EXPECT_EQ((*plain)->listFlags, lDoVAutoscroll);

  ListHandle wide = Make(1, 5, Point{0, 0}, 0, false, true);
  const LONG ws = GetWindowLongA(Box(wide), GWL_STYLE);
  EXPECT_TRUE(ws & LBS_MULTICOLUMN);
  EXPECT_TRUE(ws & WS_HSCROLL);
  ASSERT_NE((*wide)->hScroll, nullptr);
  EXPECT_EQ(GetControlReference((*wide)->hScroll), 0xFE01);

  ZEB_LSetSelFlags(0x800 | 0x82);
  ListHandle columns = Make(1, 5);
  EXPECT_TRUE(GetWindowLongA(Box(columns), GWL_STYLE) & LBS_MULTICOLUMN);
  // 0x400 makes a true grid one-dimensional: an entry per cell.
  ZEB_LSetSelFlags(0x400 | 0x82);
  ListHandle flat = Make(3, 10);
  EXPECT_EQ(Count(flat), 30);
  EXPECT_FALSE(GetWindowLongA(Box(flat), GWL_STYLE) & LBS_OWNERDRAWFIXED);
}

TEST_F(ListsLayout, AListOutsideADialogTakesTheFontOfItsTextSize) {
  const zeb::quickdraw::StandardFonts& f = zeb::quickdraw::Fonts();
  ASSERT_NE(f.system, nullptr);
  ASSERT_NE(f.dialog, nullptr);
  ASSERT_NE(f.system, f.dialog);
  window_ = ListWindow();
  HFONT before = zeb::controls::ControlFont();
  TextSize(12);
  ListHandle big = Make(1, 3);
  EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageA(Box(big), WM_GETFONT, 0, 0)), f.system);
  TextSize(9);
  ListHandle small = Make(1, 3);
  EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageA(Box(small), WM_GETFONT, 0, 0)), f.dialog);
  EXPECT_EQ(zeb::controls::ControlFont(), before);
}

TEST_F(ListsCells, CellsAreMirroredInTheirEntriesInTheWindowsCharacterSet) {
  ListHandle l = Make(1, 4);
  Set(l, 0, 1, "caf\x8E");  // Macintosh e-acute
  Set(l, 0, 3, "last");
  EXPECT_EQ(Text(l, 1), "caf\xE9");
  EXPECT_EQ(Text(l, 3), "last");
  EXPECT_EQ(Text(l, 0), "");
  EXPECT_EQ(Get(l, 0, 1), "caf\x8E");
  short off = 0, len = 0;
  LGetCellDataLocation(&off, &len, C(0, 3), l);
  EXPECT_EQ(len, 4);
  EXPECT_EQ(std::memcmp(*(*l)->cells + off, "last", 4), 0);
  LAddToCell("ing", 3, C(0, 3), l);
  EXPECT_EQ(Get(l, 0, 3), "lasting");
  EXPECT_EQ(Text(l, 3), "lasting");
  LClrCell(C(0, 1), l);
  EXPECT_EQ(Get(l, 0, 1), "");
  EXPECT_EQ(Text(l, 1), "");
  EXPECT_EQ(Get(l, 0, 3), "lasting");
  // Only 255 characters are shown; the cell keeps them all.
  Set(l, 0, 2, std::string(300, 'w'));
  EXPECT_EQ(Text(l, 2).size(), 255u);
  EXPECT_EQ(Get(l, 0, 2).size(), 300u);
}

TEST_F(ListsCells, RefreshingAnEntryKeepsTheCaretAndTheSelection) {
  ZEB_LSetSelFlags(0);
  ListHandle l = Make(1, 6);
  LSetSelect(true, C(0, 1), l);
  LSetSelect(true, C(0, 4), l);
  SendMessageA(Box(l), LB_SETCARETINDEX, 4, FALSE);
  Set(l, 0, 1, "one");
  Set(l, 0, 4, "four");
  Set(l, 0, 2, "two");
  EXPECT_EQ(NativeSelection(l), (std::vector<int>{1, 4}));
  EXPECT_EQ(SendMessageA(Box(l), LB_GETCARETINDEX, 0, 0), 4);
  EXPECT_EQ(Text(l, 4), "four");
  EXPECT_EQ(Count(l), 6);
}

TEST_F(ListsCells, AShortBufferGetsItsLengthAndBadRequestsChangeNothing) {
  ListHandle l = Make(2, 3);  // a grid: columns 0 and 1
  Set(l, 1, 0, "abcdef");
  char buf[8] = {};
  short len = 3;
  LGetCell(buf, &len, C(1, 0), l);
  EXPECT_EQ(len, 3);
  EXPECT_EQ(std::string(buf, 3), "abc");
  len = -4;
  LGetCell(buf, &len, C(1, 0), l);
  EXPECT_EQ(len, 0);
  len = 5;
  LGetCell(nullptr, &len, C(1, 0), l);
  EXPECT_EQ(len, 0);
  LGetCell(buf, nullptr, C(1, 0), l);  // nothing to report into
  // A column past the right edge would reach another column's cell through its index.
  len = 8;
  LGetCell(buf, &len, C(0, 3), l);
  EXPECT_EQ(len, 0);
  Set(l, 0, 3, "wrong");
  Set(l, 2, 0, "wrong");
  LSetCell(nullptr, 4, C(0, 0), l);
  LSetCell("x", -1, C(0, 0), l);
  EXPECT_EQ(Get(l, 1, 0), "abcdef");
  EXPECT_EQ(Get(l, 0, 0), "");
  EXPECT_EQ(Get(l, 1, 1), "");
  short off = 99, n = 99;
  LGetCellDataLocation(&off, &n, C(5, 5), l);
  EXPECT_EQ(off, 0);
  EXPECT_EQ(n, 0);
  Rect r = R(1, 1, 2, 2);
  LRect(&r, C(2, 0), l);
  EXPECT_EQ(r.right - r.left, 0);
  // Data that would reach 32 KB is refused as a whole.
  const std::string big(32760, 'b');
  Set(l, 0, 1, big);
  EXPECT_EQ(Get(l, 0, 1), "");
  EXPECT_EQ(Get(l, 1, 0), "abcdef");
  Set(l, 0, 1, std::string(30000, 'c'));
  char large[31000];
  len = sizeof large;
  LGetCell(large, &len, C(0, 1), l);
  EXPECT_EQ(len, 30000);
}

TEST_F(ListsCells, RowsAreAddedAndDeletedWithTheirEntries) {
  ListHandle l = Make(1, 3);
  Set(l, 0, 0, "a");
  Set(l, 0, 1, "b");
  Set(l, 0, 2, "c");
  EXPECT_EQ(LAddRow(2, 1, l), 1);
  EXPECT_EQ(Count(l), 5);
  EXPECT_EQ((*l)->dataBounds.bottom, 5);
  EXPECT_EQ((*l)->maxIndex, 4);
  EXPECT_EQ(Text(l, 0), "a");
  EXPECT_EQ(Text(l, 1), "");
  EXPECT_EQ(Text(l, 3), "b");
  EXPECT_EQ(Get(l, 0, 4), "c");
  EXPECT_EQ(LAddRow(1, 99, l), 5);  // clamped to the end
  EXPECT_EQ(Count(l), 6);
  EXPECT_EQ(LAddRow(0, 0, l), 0);
  EXPECT_EQ(LAddRow(-3, 0, l), 0);
  EXPECT_EQ(Count(l), 6);
  LDelRow(2, 0, l);
  EXPECT_EQ(Count(l), 4);
  EXPECT_EQ(Text(l, 1), "b");
  LDelRow(50, 2, l);  // clamped: rows 2 and 3 go
  EXPECT_EQ(Count(l), 2);
  EXPECT_EQ(Get(l, 0, 1), "b");
  LDelRow(0, 0, l);  // 0 deletes every row
  EXPECT_EQ(Count(l), 0);
  EXPECT_EQ((*l)->maxIndex, -1);
  EXPECT_EQ((*l)->dataBounds.bottom, 0);
  EXPECT_EQ(LAddRow(1, 0, l), 0);
  EXPECT_EQ(Count(l), 1);
}

TEST_F(ListsCells, ColumnsOfAGridMoveTheirCellsAndRowsAddEntries) {
  ListHandle l = Make(2, 3);
  Set(l, 0, 0, "a0");
  Set(l, 1, 2, "b2");
  EXPECT_EQ(LAddColumn(1, 1, l), 1);
  EXPECT_EQ((*l)->dataBounds.right, 3);
  EXPECT_EQ(Get(l, 2, 2), "b2");
  EXPECT_EQ(Get(l, 1, 2), "");
  EXPECT_EQ(Count(l), 3);
  EXPECT_EQ(LAddRow(2, 0, l), 0);
  EXPECT_EQ(Count(l), 5);
  EXPECT_EQ(Get(l, 0, 2), "a0");
  LDelColumn(1, 0, l);
  EXPECT_EQ(Get(l, 1, 4), "b2");
  EXPECT_EQ((*l)->maxIndex, 9);
}

TEST_F(ListsCells, AddingPastTheLimitsLeavesTheListAsItWas) {
  ListHandle l = Make(2, 8000);
  ASSERT_NE(l, nullptr);
  EXPECT_EQ(LAddRow(200, 0, l), 0);  // 16400 cells would not fit 15-bit offsets
  EXPECT_EQ((*l)->dataBounds.bottom, 8000);
  EXPECT_EQ((*l)->maxIndex, 15999);
  EXPECT_EQ(Count(l), 8000);
  EXPECT_EQ(LAddRow(100, 0, l), 0);
  EXPECT_EQ((*l)->maxIndex, 16199);
  // More than 16383 cells cannot be made at all.
  const Rect view = R(10, 10, 110, 170), bounds = R(0, 0, 2, 9000);
  EXPECT_EQ(LNew(&view, &bounds, Point{0, 0}, 0, window_, true, false, false, false), nullptr);
  // Negative extents give an empty list.
  const Rect upside = R(0, 5, 1, 0);
  ListHandle empty = LNew(&view, &upside, Point{0, 0}, 0, window_, true, false, false, false);
  ASSERT_NE(empty, nullptr);
  lists_.push_back(empty);
  EXPECT_EQ((*empty)->maxIndex, -1);
  EXPECT_EQ(Count(empty), 0);
}

TEST_F(ListsSelection, WithoutOptionsSelectingASecondCellDeselectsTheFirst) {
  ListHandle l = Make(1, 5);
  LSetSelect(true, C(0, 1), l);
  LSetSelect(true, C(0, 3), l);
  Cell c = C(0, 1);
  EXPECT_FALSE(LGetSelect(false, &c, l));
  c = C(0, 3);
  EXPECT_TRUE(LGetSelect(false, &c, l));
  EXPECT_EQ(SendMessageA(Box(l), LB_GETCURSEL, 0, 0), 3);
  LSetSelect(false, C(0, 3), l);
  EXPECT_EQ(SendMessageA(Box(l), LB_GETCURSEL, 0, 0), LB_ERR);
  EXPECT_FALSE(LGetSelect(false, &c, l));
}

TEST_F(ListsSelection, NextSelectionRunsColumnByColumnAndEndsAfterTheLast) {
  ZEB_LSetSelFlags(0);
  ListHandle l = Make(1, 8);
  LSetSelect(true, C(0, 2), l);
  LSetSelect(true, C(0, 5), l);
  EXPECT_EQ(NativeSelection(l), (std::vector<int>{2, 5}));
  Cell c = C(0, 0);
  ASSERT_TRUE(LGetSelect(true, &c, l));
  EXPECT_EQ(c.v, 2);
  c.v = 3;
  ASSERT_TRUE(LGetSelect(true, &c, l));
  EXPECT_EQ(c.v, 5);
  c.v = 6;
  EXPECT_FALSE(LGetSelect(true, &c, l));
  EXPECT_EQ(c.v, 6);
  // A grid's selection is found column by column; its native entry is the cell's row.
  ListHandle g = Make(3, 4);
  LSetSelect(true, C(2, 1), g);
  LSetSelect(true, C(1, 3), g);
  EXPECT_EQ(SendMessageA(Box(g), LB_GETCURSEL, 0, 0), 3);
  c = C(0, 0);
  ASSERT_TRUE(LGetSelect(true, &c, g));
  EXPECT_EQ(c.h, 1);
  EXPECT_EQ(c.v, 3);
  c = C(0, 0);
  EXPECT_FALSE(LNextCell(false, false, &c, g));
  ASSERT_TRUE(LNextCell(true, true, &c, g));
  EXPECT_EQ(c.h, 1);
  c = C(2, 3);
  EXPECT_FALSE(LNextCell(true, true, &c, g));
  EXPECT_EQ(c.h, 2);
}

TEST_F(ListsSelection, DeactivatingTakesTheNativeSelectionAwayAndActivatingRestoresIt) {
  ZEB_LSetSelFlags(0);
  ListHandle l = Make(1, 6);
  LSetSelect(true, C(0, 0), l);
  LSetSelect(true, C(0, 4), l);
  LActivate(false, l);
  EXPECT_EQ((*l)->lActive, 0);
  EXPECT_TRUE(NativeSelection(l).empty());
  EXPECT_FALSE(IsWindowEnabled(Box(l)));
  Cell c = C(0, 4);
  EXPECT_TRUE(LGetSelect(false, &c, l));
  LActivate(true, l);
  EXPECT_TRUE(IsWindowEnabled(Box(l)));
  EXPECT_EQ(NativeSelection(l), (std::vector<int>{0, 4}));
  ListHandle one = Make(1, 6);
  LSetSelect(true, C(0, 2), one);
  LActivate(false, one);
  EXPECT_EQ(SendMessageA(Box(one), LB_GETCURSEL, 0, 0), LB_ERR);
  LActivate(true, one);
  EXPECT_EQ(SendMessageA(Box(one), LB_GETCURSEL, 0, 0), 2);
}

short ZEBAPI PrefixSearch(Ptr cellData, Ptr wanted, short cellLength, short wantedLength) {
  if (cellLength < wantedLength) return 1;
  return std::memcmp(cellData, wanted, static_cast<size_t>(wantedLength)) == 0 ? 0 : 1;
}

TEST_F(ListsSelection, SearchComparesEachCellFromTheGivenOne) {
  ListHandle l = Make(1, 5);
  Set(l, 0, 0, "alpha");
  Set(l, 0, 1, "beta");
  Set(l, 0, 2, "gamma");
  Set(l, 0, 3, "beta");
  Cell c = C(0, 0);
  ASSERT_TRUE(LSearch("beta", 4, nullptr, &c, l));
  EXPECT_EQ(c.v, 1);
  c = C(0, 2);
  ASSERT_TRUE(LSearch("beta", 4, nullptr, &c, l));
  EXPECT_EQ(c.v, 3);
  c = C(0, 0);
  EXPECT_FALSE(LSearch("bet", 3, nullptr, &c, l));  // identical bytes only
  EXPECT_EQ(c.v, 0);
  ASSERT_TRUE(LSearch("gam", 3, &PrefixSearch, &c, l));
  EXPECT_EQ(c.v, 2);
  c = C(0, 4);
  EXPECT_FALSE(LSearch("gam", 3, &PrefixSearch, &c, l));
  EXPECT_FALSE(LSearch("gam", -1, nullptr, &c, l));
  c = C(3, 0);
  EXPECT_FALSE(LSearch("alpha", 5, nullptr, &c, l));
}

TEST_F(ListsSelection, ScrollingIsClampedToTheListAndMovesTheVisibleCells) {
  ListHandle l = Make(1, 40, Point{0, 0}, 0, true);
  const short rows = static_cast<short>((*l)->visible.bottom - (*l)->visible.top);
  EXPECT_GT(rows, 2);
  EXPECT_EQ((*l)->visible.top, 0);
  LScroll(0, 5, l);
  EXPECT_EQ(SendMessageA(Box(l), LB_GETTOPINDEX, 0, 0), 5);
  EXPECT_EQ((*l)->visible.top, 5);
  LScroll(3, -100, l);
  EXPECT_EQ((*l)->visible.top, 0);
  Rect r;
  LRect(&r, C(0, 2), l);
  EXPECT_EQ(r.top, 10 + 2 * (*l)->cellSize.v);
  EXPECT_EQ(r.left, 10);
  LSetSelect(true, C(0, 30), l);
  LAutoScroll(l);
  EXPECT_LE((*l)->visible.top, 30);
  EXPECT_GT((*l)->visible.bottom, 30);
  EXPECT_EQ(GetControlValue((*l)->vScroll), (*l)->visible.top);
}

TEST_F(ListsSelection, NilAndUnknownListsAreIgnored) {
  Cell c = C(0, 0);
  Rect r = R(1, 2, 3, 4);
  short len = 5;
  char buf[8];
  LDispose(nullptr);
  EXPECT_EQ(LAddRow(1, 0, nullptr), 0);
  LDelRow(1, 0, nullptr);
  LSetCell("x", 1, c, nullptr);
  LGetCell(buf, &len, c, nullptr);
  EXPECT_EQ(len, 0);
  EXPECT_FALSE(LGetSelect(true, &c, nullptr));
  EXPECT_FALSE(LNextCell(true, true, &c, nullptr));
  EXPECT_FALSE(LClick(Point{0, 0}, 0, nullptr));
  EXPECT_FALSE(LSearch("x", 1, nullptr, &c, nullptr));
  LRect(&r, c, nullptr);
  EXPECT_EQ(r.bottom, 0);
  EXPECT_EQ(ZEB_GetHWNDFromListHandle(nullptr), nullptr);
  EXPECT_FALSE(ZEB_LTearOff(nullptr, 1, nullptr));
  // A handle that never was a list.
  Handle other = NewHandleClear(200);
  ListHandle fake = reinterpret_cast<ListHandle>(other);
  LSetSelect(true, c, fake);
  LScroll(1, 1, fake);
  LDispose(fake);
  EXPECT_EQ(GetHandleSize(other), 200);
  DisposeHandle(other);
  // An empty list.
  ListHandle empty = Make(1, 0);
  ASSERT_NE(empty, nullptr);
  LSetSelect(true, C(0, 0), empty);
  EXPECT_FALSE(LGetSelect(true, &c, empty));
  LScroll(0, 3, empty);
  EXPECT_FALSE(LClick(Point{20, 20}, 0, empty));
}

}  // namespace
}  // namespace zebtest

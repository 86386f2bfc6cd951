#include "lists/cell_store.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace zeb::lists {
namespace {

// A list's cells in plain vectors, with room for the core's in-place edits.
struct Cells {
  std::vector<uint16_t> array;
  std::vector<uint8_t> data;
  int32_t rows, columns, used;

  Cells(int32_t r, int32_t c) : rows(r), columns(c) {
    const int32_t n = CellCountFor(r, c);
    array.assign(static_cast<size_t>(n > 0 ? n : 1), 0);
    data.assign(40000, 0xEE);
    used = EmptyDataSize(n);
    InitEmptyCells(View());
  }
  CellView View() { return CellView{array.data(), rows, columns, data.data(), used}; }
  bool Set(int32_t index, const std::string& s, bool append = false) {
    const int32_t n = ReplaceCellData(View(), index, reinterpret_cast<const uint8_t*>(s.data()),
                                      static_cast<int32_t>(s.size()), append);
    if (n >= 0) used = n;
    return n >= 0;
  }
  std::string Get(int32_t index) {
    int32_t off = 0, len = 0;
    if (!CellData(View(), index, &off, &len)) return "<none>";
    return std::string(reinterpret_cast<const char*>(data.data() + off), static_cast<size_t>(len));
  }
  void Adopt(const Reshaped& r) {
    array = r.array;
    if (array.empty()) array.assign(1, 0);
    std::memcpy(data.data(), r.data.data(), r.data.size());
    used = static_cast<int32_t>(r.data.size());
    rows = r.rows;
    columns = r.columns;
  }
};

TEST(CellStore, NewCellsAreEmptyWithOffsetsTwoApart) {
  Cells c(3, 2);
  for (int i = 0; i < 6; ++i) {
    EXPECT_EQ(c.array[static_cast<size_t>(i)], 2 * (i + 1));
    EXPECT_EQ(c.Get(i), "");
  }
  EXPECT_EQ(c.used, 12);
  EXPECT_TRUE(CellsConsistent(c.View()));
}

TEST(CellStore, CellCountHasFifteenBitOffsets) {
  EXPECT_EQ(CellCountFor(10, 3), 30);
  EXPECT_EQ(CellCountFor(16383, 1), 16383);
  EXPECT_EQ(CellCountFor(16384, 1), -1);
  EXPECT_EQ(CellCountFor(128, 128), -1);
  // The product is taken in 32 bits: 32767 x 32767 is refused, not wrapped.
  EXPECT_EQ(CellCountFor(32767, 32767), -1);
  EXPECT_EQ(CellCountFor(-5, 3), 0);
  EXPECT_EQ(CellCountFor(5, -3), 0);
}

TEST(CellStore, ReplacingDataMovesTheFollowingCellsAndKeepsTheirSelection) {
  Cells c(4, 1);
  c.array[2] |= kSelectedBit;
  ASSERT_TRUE(c.Set(1, "abc"));
  ASSERT_TRUE(c.Set(3, "z"));
  EXPECT_EQ(c.Get(0), "");
  EXPECT_EQ(c.Get(1), "abc");
  EXPECT_EQ(c.Get(3), "z");
  EXPECT_EQ(c.array[2] & kOffsetMask, 2 + 2 + 3 + 2);
  EXPECT_TRUE(c.array[2] & kSelectedBit);
  EXPECT_EQ(c.used, 8 + 3 + 1);
  ASSERT_TRUE(c.Set(1, "Q"));  // shrinking
  EXPECT_EQ(c.Get(1), "Q");
  EXPECT_EQ(c.Get(3), "z");
  ASSERT_TRUE(c.Set(1, "RS", true));  // appending
  EXPECT_EQ(c.Get(1), "QRS");
  EXPECT_TRUE(c.array[2] & kSelectedBit);
  EXPECT_TRUE(CellsConsistent(c.View()));
}

TEST(CellStore, ReplacingFromTheListsOwnDataCopiesItFirst) {
  Cells c(3, 1);
  ASSERT_TRUE(c.Set(0, "hello"));
  int32_t off = 0, len = 0;
  ASSERT_TRUE(CellData(c.View(), 0, &off, &len));
  // Cell 0's bytes appended to cell 0 itself: the source is moved by nothing here, but cell
  // 1's data moves while the copy is made.
  const int32_t n = ReplaceCellData(c.View(), 0, c.data.data() + off, len, true);
  ASSERT_GT(n, 0);
  c.used = n;
  EXPECT_EQ(c.Get(0), "hellohello");
  EXPECT_TRUE(CellsConsistent(c.View()));
}

TEST(CellStore, DataReachingThirtyTwoKilobytesIsRefusedAndNothingChanges) {
  Cells c(2, 1);
  ASSERT_TRUE(c.Set(0, "keep"));
  const std::vector<uint8_t> before(c.data.begin(), c.data.begin() + c.used);
  EXPECT_FALSE(c.Set(1, std::string(kDataLimit - c.used, 'x')));
  EXPECT_TRUE(c.Set(1, std::string(kDataLimit - c.used - 1, 'x')));  // just below the limit
  EXPECT_EQ(c.used, kDataLimit - 1);
  ASSERT_TRUE(c.Set(1, ""));
  EXPECT_TRUE(std::equal(before.begin(), before.end(), c.data.begin()));
  // Bad requests: negative lengths, nil data with a length, cells outside the list.
  const uint8_t x = 'x';
  EXPECT_EQ(ReplaceCellData(c.View(), 0, &x, -1, false), -1);
  EXPECT_EQ(ReplaceCellData(c.View(), 0, nullptr, 3, false), -1);
  EXPECT_EQ(ReplaceCellData(c.View(), 2, &x, 1, false), -1);
  EXPECT_EQ(ReplaceCellData(c.View(), -1, &x, 1, false), -1);
  EXPECT_EQ(c.Get(0), "keep");
}

TEST(CellStore, ALengthPastTheBlockIsNoCell) {
  Cells c(2, 1);
  ASSERT_TRUE(c.Set(1, "ab"));
  // A damaged length in the block: the cell reads as none, never past the block's end.
  const uint16_t bad = 500;
  std::memcpy(c.data.data() + (c.array[1] & kOffsetMask) - 2, &bad, 2);
  EXPECT_EQ(c.Get(1), "<none>");
  EXPECT_FALSE(CellsConsistent(c.View()));
  EXPECT_EQ(ReplaceCellData(c.View(), 1, reinterpret_cast<const uint8_t*>("q"), 1, false), -1);
}

TEST(CellStore, AddingRowsInsertsEmptyCellsInEveryColumn) {
  Cells c(2, 2);  // index = column x rows + row
  ASSERT_TRUE(c.Set(0, "a0"));
  ASSERT_TRUE(c.Set(1, "a1"));
  ASSERT_TRUE(c.Set(2, "b0"));
  ASSERT_TRUE(c.Set(3, "b1"));
  c.array[3] |= kSelectedBit;
  Reshaped r;
  ASSERT_TRUE(Reshape(c.View(), Edit::kAddRows, 1, 2, &r));
  c.Adopt(r);
  EXPECT_EQ(c.rows, 4);
  const char* want[] = {"a0", "", "", "a1", "b0", "", "", "b1"};
  for (int i = 0; i < 8; ++i) EXPECT_EQ(c.Get(i), want[i]) << i;
  EXPECT_TRUE(c.array[7] & kSelectedBit);
  EXPECT_FALSE(c.array[3] & kSelectedBit);
  EXPECT_TRUE(CellsConsistent(c.View()));
}

TEST(CellStore, DeletingColumnsAndRowsKeepsTheRest) {
  Cells c(2, 3);
  const char* text[] = {"a0", "a1", "b0", "b1", "c0", "c1"};
  for (int i = 0; i < 6; ++i) ASSERT_TRUE(c.Set(i, text[i]));
  c.array[4] |= kSelectedBit;
  Reshaped r;
  ASSERT_TRUE(Reshape(c.View(), Edit::kDeleteColumns, 1, 1, &r));
  c.Adopt(r);
  EXPECT_EQ(c.columns, 2);
  EXPECT_EQ(c.Get(0), "a0");
  EXPECT_EQ(c.Get(2), "c0");
  EXPECT_TRUE(c.array[2] & kSelectedBit);
  ASSERT_TRUE(Reshape(c.View(), Edit::kDeleteRows, 0, 1, &r));
  c.Adopt(r);
  EXPECT_EQ(c.rows, 1);
  EXPECT_EQ(c.Get(0), "a1");
  EXPECT_EQ(c.Get(1), "c1");
  EXPECT_TRUE(CellsConsistent(c.View()));
  ASSERT_TRUE(Reshape(c.View(), Edit::kAddColumns, 2, 1, &r));
  c.Adopt(r);
  EXPECT_EQ(c.Get(2), "");
  EXPECT_EQ(c.View().Count(), 3);
}

TEST(CellStore, EditsOutOfRangeOrPastTheLimitsChangeNothing) {
  Cells c(3, 1);
  Reshaped r;
  EXPECT_FALSE(Reshape(c.View(), Edit::kAddRows, 0, 0, &r));
  EXPECT_FALSE(Reshape(c.View(), Edit::kAddRows, 4, 1, &r));
  EXPECT_FALSE(Reshape(c.View(), Edit::kDeleteRows, 3, 1, &r));
  EXPECT_FALSE(Reshape(c.View(), Edit::kDeleteRows, 1, 3, &r));
  EXPECT_FALSE(Reshape(c.View(), Edit::kAddRows, 0, kCellLimit, &r));
  EXPECT_TRUE(Reshape(c.View(), Edit::kAddRows, 0, kCellLimit - 3, &r));
  // With data in the list the block limit comes before the cell limit.
  ASSERT_TRUE(c.Set(0, std::string(20000, 'd')));
  EXPECT_FALSE(Reshape(c.View(), Edit::kAddRows, 0, 7000, &r));
  EXPECT_EQ(r.array.size(), static_cast<size_t>(kCellLimit));  // the last success stands
}

TEST(CellStore, SelectionIsFoundColumnByColumn) {
  Cells c(3, 2);
  c.array[1] |= kSelectedBit;
  c.array[4] |= kSelectedBit;
  EXPECT_EQ(NextSelected(c.View(), 0), 1);
  EXPECT_EQ(NextSelected(c.View(), 2), 4);
  EXPECT_EQ(NextSelected(c.View(), 5), -1);
  EXPECT_EQ(NextSelected(c.View(), -7), 1);
}

TEST(CellStore, StepCellFollowsTheToolboxOrder) {
  struct Case {
    bool h, v;
    int32_t fromH, fromV;
    bool ok;
    int32_t toH, toV;
  } cases[] = {
      {true, false, 0, 0, true, 1, 0},  {true, false, 2, 0, false, 2, 0}, {true, true, 2, 0, true, 0, 1},
      {true, true, 2, 3, false, 2, 3},  {false, true, 1, 2, true, 1, 3},  {false, true, 1, 3, false, 1, 3},
      {false, false, 0, 0, false, 0, 0},
  };
  for (const Case& k : cases) {
    int32_t h = k.fromH, v = k.fromV;
    EXPECT_EQ(StepCell(k.h, k.v, 3, 4, &h, &v), k.ok) << k.fromH << "," << k.fromV;
    EXPECT_EQ(h, k.toH);
    EXPECT_EQ(v, k.toV);
  }
}

}  // namespace
}  // namespace zeb::lists

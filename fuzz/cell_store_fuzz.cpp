// Random sequences of cell edits on a list's cells: offsets keep increasing, each length sits
// before its data inside the block, the block stays below 32768 bytes, the cell count follows
// the extents, selected bits follow their cells, and stepping through the cells ends.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "lists/cell_store.h"

using namespace zeb::lists;

namespace {

struct List {
  std::vector<uint16_t> array;
  std::vector<uint8_t> data;
  std::vector<uint8_t> shadowSelected;  // the selection as the edits should leave it
  int32_t rows = 0, columns = 0, used = 0;
  CellView View() { return CellView{array.data(), rows, columns, data.data(), used}; }
};

void Check(List& l) {
  const CellView v = l.View();
  if (!CellsConsistent(v) || l.used >= kDataLimit) std::abort();
  if (static_cast<int32_t>(l.shadowSelected.size()) != v.Count()) std::abort();
  for (int32_t i = 0; i < v.Count(); ++i)
    if (((l.array[static_cast<size_t>(i)] & kSelectedBit) != 0) != (l.shadowSelected[static_cast<size_t>(i)] != 0))
      std::abort();
  int32_t h = 0, r = 0, steps = 0;
  while (StepCell(true, true, l.columns, l.rows, &h, &r))
    if (++steps > v.Count()) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* in, size_t size) {
  if (size < 2) return 0;
  List l;
  l.rows = in[0] % 20;
  l.columns = in[1] % 6;
  const int32_t n = CellCountFor(l.rows, l.columns);
  l.array.assign(static_cast<size_t>(n) + 1, 0);
  l.used = EmptyDataSize(n);
  l.data.assign(static_cast<size_t>(l.used), 0);
  l.shadowSelected.assign(static_cast<size_t>(n), 0);
  InitEmptyCells(l.View());
  Check(l);
  size_t p = 2;
  while (p + 3 <= size) {
    const uint8_t op = in[p] % 6, a = in[p + 1], b = in[p + 2];
    p += 3;
    const int32_t count = l.View().Count();
    if (op == 0 || op == 1) {  // set or append a cell
      const int32_t index = count ? a % (count + 1) : a % 2;  // sometimes one past the end
      const int32_t length = static_cast<int32_t>(b) * 64 % 9000;
      std::vector<uint8_t> src(static_cast<size_t>(length), b);
      int32_t off = 0, len = 0;
      const bool known = CellData(l.View(), index, &off, &len);
      const int32_t want = known ? ResizedDataSize(l.View(), index, op == 1 ? len + length : length) : -1;
      if (want > l.used) l.data.resize(static_cast<size_t>(want));
      const int32_t got = ReplaceCellData(l.View(), index, src.data(), length, op == 1);
      if (got != want) std::abort();
      if (got >= 0) {
        l.used = got;
        l.data.resize(static_cast<size_t>(got));
      }
    } else if (op == 2) {  // select or deselect
      if (count) {
        const size_t i = static_cast<size_t>(a % count);
        l.array[i] = static_cast<uint16_t>(b & 1 ? l.array[i] | kSelectedBit : l.array[i] & ~kSelectedBit);
        l.shadowSelected[i] = b & 1;
      }
    } else {
      const Edit edits[] = {Edit::kAddRows, Edit::kDeleteRows, Edit::kAddColumns, Edit::kDeleteColumns};
      const Edit e = edits[(op - 3 + (a & 1)) % 4];
      const int32_t at = a % 8, k = b % 2000;
      Reshaped r;
      if (!Reshape(l.View(), e, at, k, &r)) continue;
      // The selection the edit should keep.
      const bool onRows = e == Edit::kAddRows || e == Edit::kDeleteRows;
      const bool adding = e == Edit::kAddRows || e == Edit::kAddColumns;
      std::vector<uint8_t> shadow(static_cast<size_t>(r.rows * r.columns), 0);
      for (int32_t c = 0; c < r.columns; ++c)
        for (int32_t row = 0; row < r.rows; ++row) {
          int32_t oc = c, orow = row;
          int32_t& moved = onRows ? orow : oc;
          if (adding) {
            if (moved >= at && moved < at + k) continue;
            if (moved >= at + k) moved -= k;
          } else if (moved >= at) {
            moved += k;
          }
          shadow[static_cast<size_t>(c * r.rows + row)] = l.shadowSelected[static_cast<size_t>(oc * l.rows + orow)];
        }
      l.array = r.array;
      l.array.push_back(0);
      l.data = r.data;
      l.used = static_cast<int32_t>(r.data.size());
      l.rows = r.rows;
      l.columns = r.columns;
      l.shadowSelected = shadow;
    }
    Check(l);
    if (NextSelected(l.View(), 0) >= l.View().Count()) std::abort();
  }
  return 0;
}

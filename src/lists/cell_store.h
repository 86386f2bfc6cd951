// The cells of a list: the offset array (one 16-bit entry per cell, column by column, bit 15 the
// selected bit, bits 0..14 the offset of the cell's data) and the data block (each cell's
// 16-bit length followed by its bytes, in index order). Host-independent.
#ifndef ZEB_LISTS_CELL_STORE_H
#define ZEB_LISTS_CELL_STORE_H

#include <cstdint>
#include <vector>

namespace zeb::lists {

constexpr uint16_t kSelectedBit = 0x8000;
constexpr uint16_t kOffsetMask = 0x7FFF;
// The offsets have 15 bits: the data block stays below 32768 bytes, and since every cell
// takes at least its two length bytes, a list holds at most 16383 cells.
constexpr int32_t kDataLimit = 32768;
constexpr int32_t kCellLimit = 16383;

// A list's cells as the record and its data handle hold them.
struct CellView {
  uint16_t* array;
  int32_t rows;
  int32_t columns;
  uint8_t* data;
  int32_t dataSize;
  int32_t Count() const { return rows * columns; }
};

// rows x columns in 32 bits with a negative extent counted as 0; -1 beyond kCellLimit.
int32_t CellCountFor(int32_t rows, int32_t columns);
// The data block size of count empty cells.
inline int32_t EmptyDataSize(int32_t count) { return count > 0 ? 2 * count : 0; }
// Every cell empty and deselected: array[i] = 2 * (i + 1), each length 0.
void InitEmptyCells(const CellView& v);

// The cell's data offset and length; false (0 and 0) for an index outside the list or an entry
// that does not lie inside the data block.
bool CellData(const CellView& v, int32_t index, int32_t* offset, int32_t* length);

// The data block size after the cell's data becomes newLength bytes long; -1 when it would
// reach kDataLimit.
int32_t ResizedDataSize(const CellView& v, int32_t index, int32_t newLength);
// Replaces the cell's data by src (append: adds src after the data it has). v.data must hold
// the larger of the old and the new sizes; the following cells' data moves and their offsets
// follow. src may point into the data block. Returns the new data size, -1 when nothing
// changed (index outside, negative length, limit reached).
int32_t ReplaceCellData(const CellView& v, int32_t index, const uint8_t* src, int32_t length,
                        bool append);

// The list after rows or columns are added (count empty ones before position at) or deleted
// (count from position at): the new array and data block. False, with out untouched, when the
// result would reach a limit or the edit is out of range.
enum class Edit { kAddRows, kDeleteRows, kAddColumns, kDeleteColumns };
struct Reshaped {
  std::vector<uint16_t> array;
  std::vector<uint8_t> data;
  int32_t rows = 0;
  int32_t columns = 0;
};
bool Reshape(const CellView& v, Edit edit, int32_t at, int32_t count, Reshaped* out);

// The first selected cell at or after from in index order, -1 when none.
int32_t NextSelected(const CellView& v, int32_t from);
// The Toolbox's cell stepping on column h and row v (both counted from the list's top-left):
// hNext steps across the columns, wrapping to column 0 and, with vNext, to the next row; vNext
// alone steps down the rows. False, with the cell unchanged, when it runs off the list.
bool StepCell(bool hNext, bool vNext, int32_t columns, int32_t rows, int32_t* h, int32_t* v);

// Whether the array and data block keep their invariants: offsets increase in index order,
// each length sits before its data inside the block, the block ends with the last cell.
bool CellsConsistent(const CellView& v);

}  // namespace zeb::lists

#endif  // ZEB_LISTS_CELL_STORE_H

#include "lists/cell_store.h"

#include <cstring>

namespace zeb::lists {
namespace {

uint16_t ReadLength(const uint8_t* at) {
  uint16_t n = 0;
  std::memcpy(&n, at, 2);
  return n;
}

void WriteLength(uint8_t* at, int32_t n) {
  const uint16_t v = static_cast<uint16_t>(n);
  std::memcpy(at, &v, 2);
}

}  // namespace

int32_t CellCountFor(int32_t rows, int32_t columns) {
  if (rows <= 0 || columns <= 0) return 0;
  const int64_t n = static_cast<int64_t>(rows) * columns;
  return n > kCellLimit ? -1 : static_cast<int32_t>(n);
}

void InitEmptyCells(const CellView& v) {
  const int32_t n = v.Count();
  for (int32_t i = 0; i < n; ++i) {
    v.array[i] = static_cast<uint16_t>(2 * (i + 1));
    WriteLength(v.data + 2 * i, 0);
  }
}

bool CellData(const CellView& v, int32_t index, int32_t* offset, int32_t* length) {
  *offset = 0;
  *length = 0;
  if (index < 0 || index >= v.Count() || !v.data) return false;
  const int32_t off = v.array[index] & kOffsetMask;
  if (off < 2 || off > v.dataSize) return false;
  const int32_t len = ReadLength(v.data + off - 2);
  if (len > v.dataSize - off) return false;
  *offset = off;
  *length = len;
  return true;
}

int32_t ResizedDataSize(const CellView& v, int32_t index, int32_t newLength) {
  int32_t off = 0, len = 0;
  if (newLength < 0 || !CellData(v, index, &off, &len)) return -1;
  const int64_t size = static_cast<int64_t>(v.dataSize) - len + newLength;
  return size >= kDataLimit ? -1 : static_cast<int32_t>(size);
}

int32_t ReplaceCellData(const CellView& v, int32_t index, const uint8_t* src, int32_t length,
                        bool append) {
  int32_t off = 0, len = 0;
  if (length < 0 || (length > 0 && !src) || !CellData(v, index, &off, &len)) return -1;
  const int32_t newLength = append ? len + length : length;
  const int32_t newSize = ResizedDataSize(v, index, newLength);
  if (newSize < 0) return -1;
  // The source may be the list's own data, which the move below would shift.
  std::vector<uint8_t> copy;
  if (length > 0 && src >= v.data && src < v.data + v.dataSize) {
    copy.assign(src, src + length);
    src = copy.data();
  }
  const int32_t delta = newLength - len;
  const int32_t tail = v.dataSize - (off + len);
  if (delta != 0 && tail > 0) std::memmove(v.data + off + newLength, v.data + off + len, static_cast<size_t>(tail));
  if (length > 0) std::memcpy(v.data + off + (append ? len : 0), src, static_cast<size_t>(length));
  WriteLength(v.data + off - 2, newLength);
  if (delta != 0) {
    const int32_t n = v.Count();
    for (int32_t i = index + 1; i < n; ++i) {
      const uint16_t e = v.array[i];
      v.array[i] = static_cast<uint16_t>((e & kSelectedBit) | (((e & kOffsetMask) + delta) & kOffsetMask));
    }
  }
  return newSize;
}

bool Reshape(const CellView& v, Edit edit, int32_t at, int32_t count, Reshaped* out) {
  if (count <= 0) return false;
  int32_t rows = v.rows, columns = v.columns;
  const bool onRows = edit == Edit::kAddRows || edit == Edit::kDeleteRows;
  const bool adding = edit == Edit::kAddRows || edit == Edit::kAddColumns;
  const int32_t extent = onRows ? rows : columns;
  if (at < 0 || at > extent || (!adding && (at >= extent || count > extent - at))) return false;
  if (adding) {
    (onRows ? rows : columns) += count;
  } else {
    (onRows ? rows : columns) -= count;
  }
  if (rows < 0 || columns < 0) return false;
  const int32_t cells = CellCountFor(rows, columns);
  if (cells < 0) return false;
  // Each new cell maps to the old cell it keeps, or to none when it is new.
  auto oldIndex = [&](int32_t c, int32_t r) -> int32_t {
    int32_t oc = c, orow = r;
    int32_t& moved = onRows ? orow : oc;
    if (adding) {
      if (moved >= at && moved < at + count) return -1;
      if (moved >= at + count) moved -= count;
    } else if (moved >= at) {
      moved += count;
    }
    return oc * v.rows + orow;
  };
  Reshaped r;
  r.rows = rows;
  r.columns = columns;
  r.array.resize(static_cast<size_t>(cells));
  int64_t size = 0;
  for (int32_t c = 0; c < columns; ++c)
    for (int32_t row = 0; row < rows; ++row) {
      int32_t off = 0, len = 0;
      const int32_t from = oldIndex(c, row);
      if (from >= 0) CellData(v, from, &off, &len);
      size += 2 + len;
    }
  if (size >= kDataLimit) return false;
  r.data.resize(static_cast<size_t>(size));
  int32_t pos = 0;
  for (int32_t c = 0; c < columns; ++c)
    for (int32_t row = 0; row < rows; ++row) {
      int32_t off = 0, len = 0;
      const int32_t from = oldIndex(c, row);
      uint16_t selected = 0;
      if (from >= 0) {
        CellData(v, from, &off, &len);
        selected = v.array[from] & kSelectedBit;
      }
      WriteLength(r.data.data() + pos, len);
      if (len > 0) std::memcpy(r.data.data() + pos + 2, v.data + off, static_cast<size_t>(len));
      r.array[static_cast<size_t>(c * rows + row)] = static_cast<uint16_t>(selected | (pos + 2));
      pos += 2 + len;
    }
  *out = std::move(r);
  return true;
}

int32_t NextSelected(const CellView& v, int32_t from) {
  if (from < 0) from = 0;
  const int32_t n = v.Count();
  for (int32_t i = from; i < n; ++i)
    if (v.array[i] & kSelectedBit) return i;
  return -1;
}

bool StepCell(bool hNext, bool vNext, int32_t columns, int32_t rows, int32_t* h, int32_t* v) {
  int32_t nh = *h, nv = *v;
  if (hNext) {
    if (++nh >= columns) {
      if (!vNext) return false;
      nh = 0;
      ++nv;
    }
  } else if (vNext) {
    ++nv;
  } else {
    return false;
  }
  if (nv >= rows || nh >= columns || nh < 0 || nv < 0) return false;
  *h = nh;
  *v = nv;
  return true;
}

bool CellsConsistent(const CellView& v) {
  int32_t expected = 2;
  const int32_t n = v.Count();
  for (int32_t i = 0; i < n; ++i) {
    const int32_t off = v.array[i] & kOffsetMask;
    if (off != expected || off > v.dataSize) return false;
    const int32_t len = ReadLength(v.data + off - 2);
    if (len > v.dataSize - off) return false;
    expected = off + len + 2;
  }
  return v.dataSize == (n ? expected - 2 : 0);
}

}  // namespace zeb::lists

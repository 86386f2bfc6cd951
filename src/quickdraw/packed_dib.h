// The check of a packed DIB (a BITMAPINFOHEADER, its colour table and its rows in one block)
// that comes from outside: an application's DIB, the clipboard, a picture. Nothing is read from
// it before its header, table and rows are known to lie inside the block; biSizeImage is never
// trusted, the row bytes are computed in 64 bits.
#ifndef ZEB_QUICKDRAW_PACKED_DIB_H
#define ZEB_QUICKDRAW_PACKED_DIB_H

#include <cstddef>
#include <cstdint>

namespace zeb::quickdraw {

// The header sizes known: BITMAPINFOHEADER, its V2 and V3 extensions, BITMAPV4HEADER and
// BITMAPV5HEADER. BITMAPCOREHEADER (12 bytes) has another layout and is refused.
constexpr uint32_t kBitmapInfoHeaderSize = 40;
constexpr uint32_t kBI_RGB = 0;
constexpr uint32_t kBI_BITFIELDS = 3;
// Toolbox coordinates are 16-bit: a DIB wider or taller than this cannot become a pixel map.
constexpr int32_t kLargestDIBExtent = 32767;

struct PackedDIBLayout {
  int32_t width = 0;
  int32_t height = 0;      // always positive
  bool topDown = false;    // a negative biHeight: rows run top-down
  int bitCount = 0;        // 1, 4, 8, 16, 24 or 32
  uint32_t compression = 0;
  uint32_t colourCount = 0;  // RGBQUAD entries in the table
  size_t headerSize = 0;
  size_t tableOffset = 0;    // the colour table (after the bit-field masks, if any)
  size_t rowsOffset = 0;
  size_t rowBytes = 0;
  uint64_t imageBytes = 0;   // rowBytes x height
};

// Checks dib[0..size) and fills out; false for a header size that is not one of the known ones,
// a plane count other than 1, a bit count other than 1/4/8/16/24/32, compression other than
// BI_RGB (or BI_BITFIELDS at 16 and 32 bits), more colours than the bit count can index, an
// empty or oversized extent, or a block too short for its table and rows.
bool CheckPackedDIB(const uint8_t* dib, size_t size, PackedDIBLayout& out);

// The entry i of a checked DIB's colour table as 0x00RRGGBB.
uint32_t DIBTableEntry(const uint8_t* dib, const PackedDIBLayout& layout, uint32_t i);

}  // namespace zeb::quickdraw

#endif  // ZEB_QUICKDRAW_PACKED_DIB_H

// The packed DIB check.
#include "quickdraw/packed_dib.h"

#include <cstring>

#include "quickdraw/pixel_formats.h"

namespace zeb::quickdraw {
namespace {

uint32_t Get32(const uint8_t* p) {
  uint32_t v;
  std::memcpy(&v, p, 4);
  return v;
}
uint16_t Get16(const uint8_t* p) {
  uint16_t v;
  std::memcpy(&v, p, 2);
  return v;
}

bool KnownHeaderSize(uint32_t size) {
  return size == 40 || size == 52 || size == 56 || size == 108 || size == 124;
}

}  // namespace

bool CheckPackedDIB(const uint8_t* dib, size_t size, PackedDIBLayout& out) {
  out = PackedDIBLayout{};
  if (!dib || size < kBitmapInfoHeaderSize) return false;
  const uint32_t headerSize = Get32(dib);
  if (!KnownHeaderSize(headerSize) || headerSize > size) return false;
  const int32_t width = static_cast<int32_t>(Get32(dib + 4));
  const int32_t rawHeight = static_cast<int32_t>(Get32(dib + 8));
  const uint16_t planes = Get16(dib + 12);
  const uint16_t bitCount = Get16(dib + 14);
  const uint32_t compression = Get32(dib + 16);
  const uint32_t clrUsed = Get32(dib + 32);
  if (planes != 1) return false;
  if (bitCount != 1 && bitCount != 4 && bitCount != 8 && bitCount != 16 && bitCount != 24 &&
      bitCount != 32)
    return false;
  if (compression != kBI_RGB &&
      !(compression == kBI_BITFIELDS && (bitCount == 16 || bitCount == 32)))
    return false;
  // A negative height marks top-down rows; its magnitude is the height. INT32_MIN has none.
  const int64_t height = rawHeight < 0 ? -static_cast<int64_t>(rawHeight) : rawHeight;
  if (width <= 0 || height <= 0 || width > kLargestDIBExtent || height > kLargestDIBExtent)
    return false;
  // Indexed DIBs have a table of 2^bits entries unless biClrUsed names fewer; direct DIBs may
  // carry a table (for palette devices) of biClrUsed entries, at most 256.
  uint64_t colours;
  if (bitCount <= 8) {
    const uint32_t full = 1u << bitCount;
    if (clrUsed > full) return false;
    colours = clrUsed ? clrUsed : full;
  } else {
    if (clrUsed > 256) return false;
    colours = clrUsed;
  }
  // BI_BITFIELDS puts three masks right after a 40-byte header; the later headers hold them.
  const uint64_t masks = (compression == kBI_BITFIELDS && headerSize == kBitmapInfoHeaderSize) ? 12 : 0;
  const uint64_t tableOffset = headerSize + masks;
  const uint64_t rowsOffset = tableOffset + colours * 4;
  const uint64_t rowBytes = static_cast<uint64_t>(DIBRowBytes(width, bitCount));
  const uint64_t imageBytes = rowBytes * static_cast<uint64_t>(height);
  if (rowsOffset > size || imageBytes > size - rowsOffset) return false;
  out.width = width;
  out.height = static_cast<int32_t>(height);
  out.topDown = rawHeight < 0;
  out.bitCount = bitCount;
  out.compression = compression;
  out.colourCount = static_cast<uint32_t>(colours);
  out.headerSize = headerSize;
  out.tableOffset = static_cast<size_t>(tableOffset);
  out.rowsOffset = static_cast<size_t>(rowsOffset);
  out.rowBytes = static_cast<size_t>(rowBytes);
  out.imageBytes = imageBytes;
  return true;
}

uint32_t DIBTableEntry(const uint8_t* dib, const PackedDIBLayout& layout, uint32_t i) {
  if (i >= layout.colourCount) return 0;
  const uint8_t* q = dib + layout.tableOffset + 4 * static_cast<size_t>(i);
  // RGBQUAD: blue, green, red, reserved.
  return static_cast<uint32_t>(q[2] << 16 | q[1] << 8 | q[0]);
}

}  // namespace zeb::quickdraw

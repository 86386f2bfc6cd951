// Cursor conversion.
#include "quickdraw/cursor_image.h"

#include <cstring>

namespace zeb::quickdraw {
namespace {

void Swap16(uint8_t* p) {
  const uint8_t t = p[0];
  p[0] = p[1];
  p[1] = t;
}
void Swap32(uint8_t* p) {
  uint8_t t = p[0];
  p[0] = p[3];
  p[3] = t;
  t = p[1];
  p[1] = p[2];
  p[2] = t;
}
uint32_t Read32(const uint8_t* p) {
  uint32_t v;
  std::memcpy(&v, p, 4);
  return v;
}
int16_t Read16(const uint8_t* p) {
  int16_t v;
  std::memcpy(&v, p, 2);
  return v;
}

// Swaps the 16- and 32-bit fields of a layout given as a string of 'W' and 'L' at offset.
void SwapFields(uint8_t* data, size_t offset, const char* layout) {
  for (const char* f = layout; *f; ++f) {
    if (*f == 'W') {
      Swap16(data + offset);
      offset += 2;
    } else {
      Swap32(data + offset);
      offset += 4;
    }
  }
}

// The pixel map as resources store it: base address, row bytes, bounds, version, pack type,
// pack size, resolutions, pixel type and size, component count and size, plane bytes, table,
// reserved.
constexpr char kPixMapLayout[] = "LWWWWWWWLLLWWWWLLL";
constexpr size_t kPixMapSize = 50;
constexpr size_t kPixMapTableField = 42;

void SwapColourTable(uint8_t* data, size_t size, size_t offset, bool fromDisk) {
  if (offset > size || size - offset < 8) return;
  const int16_t countBefore = Read16(data + offset + 6);
  SwapFields(data, offset, "LWW");
  const int16_t last = fromDisk ? Read16(data + offset + 6) : countBefore;
  if (last < 0) return;
  size_t entry = offset + 8;
  for (int i = 0; i <= last && entry <= size && size - entry >= 8; ++i, entry += 8)
    SwapFields(data, entry, "WWWW");
}

void SwapPixMapAndTable(uint8_t* data, size_t size, size_t offset, bool fromDisk) {
  if (offset < kCrsrResourceSize || offset > size || size - offset < kPixMapSize) return;
  const uint32_t tableBefore = Read32(data + offset + kPixMapTableField);
  SwapFields(data, offset, kPixMapLayout);
  const uint32_t table = fromDisk ? Read32(data + offset + kPixMapTableField) : tableBefore;
  if (table >= kCrsrResourceSize) SwapColourTable(data, size, table, fromDisk);
}

}  // namespace

bool CursorImage::operator==(const CursorImage& o) const {
  return std::memcmp(data, o.data, sizeof data) == 0 && std::memcmp(mask, o.mask, sizeof mask) == 0 &&
         hotH == o.hotH && hotV == o.hotV;
}

CursorStamp ReadStamp(int16_t hotH, int16_t hotV) {
  const auto h = static_cast<uint16_t>(hotH);
  const auto v = static_cast<uint16_t>(hotV);
  return {(h >> 8) == kStampMark, static_cast<uint8_t>(v >> 8)};
}

void WriteStamp(int16_t& hotH, int16_t& hotV, uint8_t slot) {
  hotH = static_cast<int16_t>((kStampMark << 8) | (static_cast<uint16_t>(hotH) & 0xFF));
  hotV = static_cast<int16_t>((slot << 8) | (static_cast<uint16_t>(hotV) & 0xFF));
}

int16_t HotSpotCoordinate(int16_t stamped) {
  const int16_t low = static_cast<int16_t>(static_cast<uint16_t>(stamped) & 0xFF);
  return low > 15 ? 15 : low;
}

HostCursorPlanes HostCursorFor(const CursorImage& image, bool doubled) {
  HostCursorPlanes planes;
  std::memset(planes.andPlane, 0xFF, sizeof planes.andPlane);
  std::memset(planes.xorPlane, 0x00, sizeof planes.xorPlane);
  const int scale = doubled ? 2 : 1;
  constexpr int kRowBytes = kHostCursorSize / 8;
  for (int row = 0; row < 16; ++row) {
    for (int col = 0; col < 16; ++col) {
      const uint16_t bit = static_cast<uint16_t>(0x8000 >> col);
      const bool m = (image.mask[row] & bit) != 0;
      const bool d = (image.data[row] & bit) != 0;
      for (int dy = 0; dy < scale; ++dy) {
        for (int dx = 0; dx < scale; ++dx) {
          const int x = col * scale + dx;
          const int y = row * scale + dy;
          const uint8_t hostBit = static_cast<uint8_t>(0x80 >> (x & 7));
          uint8_t& andByte = planes.andPlane[y * kRowBytes + x / 8];
          uint8_t& xorByte = planes.xorPlane[y * kRowBytes + x / 8];
          if (m) andByte = static_cast<uint8_t>(andByte & ~hostBit);
          if (d != m) xorByte = static_cast<uint8_t>(xorByte | hostBit);
        }
      }
    }
  }
  planes.hotX = HotSpotCoordinate(image.hotH) * scale;
  planes.hotY = HotSpotCoordinate(image.hotV) * scale;
  return planes;
}

bool SwapCursorResource(uint8_t* data, size_t size, bool colour, bool fromDisk) {
  if (!data) return false;
  if (!colour) {
    if (size < kCursResourceSize) return false;
    for (size_t i = 0; i < kCursResourceSize; i += 2) Swap16(data + i);
    return true;
  }
  if (size < kCrsrResourceSize) return false;
  const uint32_t mapBefore = Read32(data + 2);
  // crsrType, crsrMap, crsrData, crsrXData, crsrXValid, crsrXHandle.
  SwapFields(data, 0, "WLLLWL");
  for (size_t i = kCrsrImageOffset; i < kCrsrHotSpotOffset + 4; i += 2) Swap16(data + i);
  SwapFields(data, 88, "LL");  // crsrXTable, crsrID
  const uint32_t map = fromDisk ? Read32(data + 2) : mapBefore;
  SwapPixMapAndTable(data, size, map, fromDisk);
  return true;
}

}  // namespace zeb::quickdraw

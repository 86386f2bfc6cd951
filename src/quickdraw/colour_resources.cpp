// The colour resource checks.
#include "quickdraw/colour_resources.h"

#include <cstdint>
#include <cstring>

#include "quickdraw/pixel_formats.h"

namespace zeb::quickdraw {
namespace {

// Flag bits of rowBytes (pixel map, and the port-handle mark) that are not a count.
constexpr uint16_t kRowBytesMask = 0x3FFF;

bool Fits(size_t size, uint64_t offset, uint64_t bytes) {
  return offset <= size && bytes <= size - offset;
}
int16_t S16(const uint8_t* p) {
  int16_t v;
  std::memcpy(&v, p, 2);
  return v;
}
uint32_t U32(const uint8_t* p) {
  uint32_t v;
  std::memcpy(&v, p, 4);
  return v;
}

// A bit map's rows at offset: stored rowBytes and bounds; false when they are inconsistent.
bool ReadStoredBitMap(const uint8_t* data, size_t size, size_t offset, int32_t& rowBytes,
                      int16_t& height) {
  if (!Fits(size, offset, kStoredBitMapSize)) return false;
  const uint8_t* p = data + offset;
  rowBytes = static_cast<uint16_t>(S16(p + 4)) & kRowBytesMask;
  const int32_t top = S16(p + 6), left = S16(p + 8), bottom = S16(p + 10), right = S16(p + 12);
  if (bottom < top || right < left) return false;
  // A height past 32767 has no 16-bit value: it would come back negative, and a negative row
  // count times the row bytes wraps the layout's sums back into the resource.
  if (bottom - top > INT16_MAX || right - left > INT16_MAX) return false;
  if (MinimumRowBytes(right - left, 1) > rowBytes) return false;
  height = static_cast<int16_t>(bottom - top);
  return true;
}

}  // namespace

int32_t CheckColourTable(const uint8_t* data, size_t size, size_t offset) {
  if (!data || !Fits(size, offset, kColourTableHeader)) return -1;
  const int32_t ctSize = S16(data + offset + 6);
  if (ctSize < -1) return -1;
  const uint64_t entries = static_cast<uint64_t>(ctSize + 1);
  if (!Fits(size, offset + kColourTableHeader, entries * kColourSpecSize)) return -1;
  return static_cast<int32_t>(entries);
}

int32_t CheckPaletteResource(const uint8_t* data, size_t size) {
  if (!data || size < kPaletteHeader) return -1;
  const int32_t entries = S16(data);
  if (entries < 0) return -1;
  if (!Fits(size, kPaletteHeader, static_cast<uint64_t>(entries) * kPaletteEntrySize)) return -1;
  return entries;
}

bool ReadStoredPixMap(const uint8_t* data, size_t size, size_t offset, StoredPixMap& out) {
  out = StoredPixMap{};
  if (!data || !Fits(size, offset, kStoredPixMapSize)) return false;
  const uint8_t* p = data + offset;
  out.rowBytes = static_cast<uint16_t>(S16(p + 4)) & kRowBytesMask;
  out.top = S16(p + 6);
  out.left = S16(p + 8);
  out.bottom = S16(p + 10);
  out.right = S16(p + 12);
  const int pixelType = S16(p + 30);
  out.depth = S16(p + 32);
  out.tableOffset = U32(p + 42);
  out.direct = pixelType == 16;
  if (out.bottom < out.top || out.right < out.left) return false;
  if (!IsMacDepth(out.depth) || out.direct == IsIndexedDepth(out.depth)) return false;
  if (MinimumRowBytes(static_cast<int64_t>(out.right) - out.left, out.depth) > out.rowBytes)
    return false;
  out.imageBytes = static_cast<size_t>(out.rowBytes) * static_cast<size_t>(out.bottom - out.top);
  return true;
}

bool CheckPixelPattern(const uint8_t* data, size_t size, PixelPatternLayout& out) {
  out = PixelPatternLayout{};
  if (!data || size < kStoredPixPatSize) return false;
  out.patType = S16(data);
  if (out.patType == 0) return true;
  if (out.patType != 1 && out.patType != 2) return false;
  const uint32_t mapOffset = U32(data + 2);
  const uint32_t dataOffset = U32(data + 6);
  // The pixel map, data and table follow the fixed part; none may overlap it.
  if (mapOffset < kStoredPixPatSize || dataOffset < kStoredPixPatSize) return false;
  if (!ReadStoredPixMap(data, size, mapOffset, out.map)) return false;
  if (out.map.bottom == out.map.top || out.map.right == out.map.left) return false;
  if (!Fits(size, dataOffset, out.map.imageBytes)) return false;
  out.dataOffset = dataOffset;
  if (out.map.direct) return true;
  const uint32_t table = out.map.tableOffset;
  if (table < kStoredPixPatSize) return false;
  out.tableEntries = CheckColourTable(data, size, table);
  if (out.tableEntries < 0) return false;
  out.tableOffset = table;
  return true;
}

bool CheckColourIcon(const uint8_t* data, size_t size, ColourIconLayout& out) {
  out = ColourIconLayout{};
  if (!data || size < kStoredColourIconHeader) return false;
  if (!ReadStoredPixMap(data, size, 0, out.map)) return false;
  if (out.map.direct) return false;  // colour icons are indexed
  if (!ReadStoredBitMap(data, size, kStoredPixMapSize, out.maskRowBytes, out.maskHeight))
    return false;
  if (!ReadStoredBitMap(data, size, kStoredPixMapSize + kStoredBitMapSize, out.iconRowBytes,
                        out.iconHeight))
    return false;
  uint64_t at = kStoredColourIconHeader;
  out.maskOffset = static_cast<size_t>(at);
  at += static_cast<uint64_t>(out.maskRowBytes) * static_cast<uint64_t>(out.maskHeight);
  out.iconOffset = static_cast<size_t>(at);
  at += static_cast<uint64_t>(out.iconRowBytes) * static_cast<uint64_t>(out.iconHeight);
  if (at > size) return false;
  out.tableEntries = CheckColourTable(data, size, static_cast<size_t>(at));
  if (out.tableEntries < 0) return false;
  out.tableOffset = static_cast<size_t>(at);
  at += kColourTableHeader + static_cast<uint64_t>(out.tableEntries) * kColourSpecSize;
  if (!Fits(size, at, out.map.imageBytes)) return false;
  out.pixelOffset = static_cast<size_t>(at);
  return true;
}

}  // namespace zeb::quickdraw

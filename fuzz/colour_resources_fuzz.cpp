// The colour resource checks on arbitrary bytes: every layout they accept lies inside the
// resource, and reading every pixel, mask bit and table entry it names stays inside.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "quickdraw/colour_resources.h"
#include "quickdraw/pixel_formats.h"

namespace {

using namespace zeb::quickdraw;

volatile uint32_t gSink;

void ReadRows(const uint8_t* data, size_t size, size_t offset, int32_t rowBytes, int32_t width,
              int32_t height, int depth) {
  if (offset + static_cast<uint64_t>(rowBytes) * height > size) std::abort();
  for (int32_t y = 0; y < height; ++y)
    for (int32_t x = 0; x < width; ++x)
      gSink = gSink + ReadMacPixel(data + offset + static_cast<size_t>(y) * rowBytes, x, depth);
}

void ReadTable(const uint8_t* data, size_t size, size_t offset, int32_t entries) {
  if (offset + kColourTableHeader + static_cast<uint64_t>(entries) * kColourSpecSize > size) std::abort();
  for (int32_t i = 0; i < entries; ++i) gSink = gSink + data[offset + kColourTableHeader + 8 * i + 7];
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const int32_t table = CheckColourTable(data, size, 0);
  if (table >= 0) ReadTable(data, size, 0, table);

  const int32_t entries = CheckPaletteResource(data, size);
  if (entries >= 0 && kPaletteHeader + static_cast<uint64_t>(entries) * kPaletteEntrySize > size)
    std::abort();

  PixelPatternLayout pp;
  if (CheckPixelPattern(data, size, pp) && pp.patType != 0) {
    const StoredPixMap& m = pp.map;
    ReadRows(data, size, pp.dataOffset, m.rowBytes, m.right - m.left, m.bottom - m.top, m.depth);
    if (!m.direct) ReadTable(data, size, pp.tableOffset, pp.tableEntries);
  }

  ColourIconLayout ci;
  if (CheckColourIcon(data, size, ci)) {
    const StoredPixMap& m = ci.map;
    ReadRows(data, size, ci.pixelOffset, m.rowBytes, m.right - m.left, m.bottom - m.top, m.depth);
    ReadRows(data, size, ci.maskOffset, ci.maskRowBytes, ci.maskRowBytes * 8, ci.maskHeight, 1);
    ReadRows(data, size, ci.iconOffset, ci.iconRowBytes, ci.iconRowBytes * 8, ci.iconHeight, 1);
    ReadTable(data, size, ci.tableOffset, ci.tableEntries);
  }
  return 0;
}

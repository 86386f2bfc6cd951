// The packed DIB check on arbitrary bytes: whatever it accepts, its table and rows lie inside
// the block, and converting the accepted rows into Macintosh rows stays inside both.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "quickdraw/packed_dib.h"
#include "quickdraw/pixel_formats.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace zeb::quickdraw;
  PackedDIBLayout l;
  if (!CheckPackedDIB(data, size, l)) return 0;
  if (l.rowsOffset > size || l.imageBytes > size - l.rowsOffset) std::abort();
  if (l.tableOffset + 4ull * l.colourCount > l.rowsOffset) std::abort();
  for (uint32_t i = 0; i < l.colourCount; ++i) (void)DIBTableEntry(data, l, i);
  // Rows into a Macintosh image of the same kind, limited so that a run stays quick.
  if (static_cast<uint64_t>(l.width) * l.height > (1u << 20)) return 0;
  const int macDepth = l.bitCount == 24 ? 32 : l.bitCount;
  const int32_t rowBytes = static_cast<int32_t>(MinimumRowBytes(l.width, macDepth));
  std::vector<uint8_t> mac(static_cast<size_t>(rowBytes) * l.height);
  if (!DIBRowsToMacImage(data + l.rowsOffset, l.bitCount, l.topDown, l.width, l.height,
                         mac.data(), rowBytes, macDepth))
    std::abort();
  // And back into DIB rows.
  std::vector<uint8_t> dib(static_cast<size_t>(DIBRowBytes(l.width, DIBDepthFor(macDepth))) * l.height);
  MacImageToDIBRows(mac.data(), rowBytes, l.width, l.height, macDepth, dib.data());
  return 0;
}

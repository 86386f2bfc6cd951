// The pixel engine on arbitrary images and transfers: the first bytes choose the depths,
// extents, rectangles, mode and colours, the rest are the pixels. Whatever they say, no pixel
// is read or written outside the two images' memory (AddressSanitizer watches the buffers,
// each allocated at exactly its size).
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

#include "quickdraw/pixel_engine.h"
#include "quickdraw/pixel_formats.h"
#include "quickdraw/region_mask.h"

namespace {

using namespace zeb::quickdraw;

struct Reader {
  const uint8_t* p;
  size_t n;
  uint8_t Byte() {
    if (!n) return 0;
    --n;
    return *p++;
  }
  int16_t Short() { return static_cast<int16_t>(Byte() << 8 | Byte()); }
};

const int kDepths[] = {1, 2, 4, 8, 16, 24, 32, 3};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  Reader r{data, size};
  EngineImage im[2];
  std::vector<uint8_t> memory[2];
  std::vector<Rgb16> tables[2];
  for (int k = 0; k < 2; ++k) {
    const int depth = kDepths[r.Byte() & 7];
    const int w = r.Byte() % 40, h = r.Byte() % 40;
    const int16_t left = static_cast<int16_t>(static_cast<int8_t>(r.Byte()));
    const int16_t top = static_cast<int16_t>(static_cast<int8_t>(r.Byte()));
    // Row bytes as the fields say, which may be too few for the width: the engine must refuse.
    const int32_t rowBytes = r.Byte() % 170;
    const size_t bytes = static_cast<size_t>(rowBytes) * h;
    memory[k].resize(bytes);
    for (size_t i = 0; i < bytes; ++i) memory[k][i] = r.Byte();
    const int entries = r.Byte() % 20;
    for (int i = 0; i < entries; ++i) tables[k].push_back({static_cast<uint16_t>(r.Short()),
                                                           static_cast<uint16_t>(r.Short()),
                                                           static_cast<uint16_t>(r.Short())});
    im[k].base = memory[k].empty() ? nullptr : memory[k].data();
    im[k].rowBytes = rowBytes;
    im[k].bounds = {top, left, static_cast<int16_t>(top + h), static_cast<int16_t>(left + w)};
    im[k].depth = depth;
    im[k].table = tables[k].empty() ? nullptr : tables[k].data();
    im[k].tableCount = static_cast<int32_t>(tables[k].size());
    im[k].byteCount = bytes;
  }
  Rect rects[2];
  for (Rect& rc : rects) {
    rc.top = static_cast<int16_t>(static_cast<int8_t>(r.Byte()));
    rc.left = static_cast<int16_t>(static_cast<int8_t>(r.Byte()));
    rc.bottom = static_cast<int16_t>(rc.top + (r.Byte() % 90));
    rc.right = static_cast<int16_t>(rc.left + (r.Byte() % 90));
  }
  EngineTransfer t;
  t.mode = static_cast<int8_t>(r.Byte());
  t.fore = {static_cast<uint16_t>(r.Short()), static_cast<uint16_t>(r.Short()), static_cast<uint16_t>(r.Short())};
  t.back = {static_cast<uint16_t>(r.Short()), static_cast<uint16_t>(r.Short()), static_cast<uint16_t>(r.Short())};
  RegionMask mask(rects[1]);
  if (r.Byte() & 1) {
    mask.FillRect(rects[0]);
    t.mask = &mask;
  }
  // Same-image transfers too, where the source and destination share memory.
  const bool self = r.Byte() & 1;
  (void)TransferPixels(im[0], rects[0], self ? im[0] : im[1], rects[1], t);
  return 0;
}

// Any bytes as a picture's opcodes: the reader ends, reads nothing past its limit, and every
// image it hands over has the rows its bounds and row bytes promise.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "quickdraw/pict_format.h"
#include "quickdraw/pict_reader.h"

namespace {

struct Checker : zeb::quickdraw::pict::PictPlayer {
  void Bits(const zeb::quickdraw::pict::PictBits& bits) override {
    const auto& im = bits.image;
    const int64_t h = int64_t{im.bounds.bottom} - im.bounds.top;
    if (h <= 0 || im.rows.size() != static_cast<size_t>(h * im.rowBytes)) std::abort();
    // The mask region's rectangles lie within its box, none empty, and there are not too many.
    if (bits.maskRects.size() > zeb::quickdraw::pict::kMostRegionRects) std::abort();
    for (const Rect& r : bits.maskRects)
      if (r.top >= r.bottom || r.left >= r.right || r.top < bits.maskBox.top ||
          r.left < bits.maskBox.left || r.bottom > bits.maskBox.bottom || r.right > bits.maskBox.right)
        std::abort();
  }
  void Polygon(int verb, const Rect&, const Point* points, size_t count) override {
    if (verb < 0 || verb > 4 || (count && !points)) std::abort();
  }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace zeb::quickdraw::pict;
  // The bytes live in a block of exactly their size, so that AddressSanitizer sees any read
  // beyond them.
  std::vector<uint8_t> copy(data, data + size);
  MemorySource source(copy.data(), copy.size());
  Checker player;
  ReadInfo info;
  ReadPicture(source, copy.size(), player, &info);
  if (info.consumed > size) std::abort();
  // The same bytes as a picture handle's body: a metafile found there lies within them.
  const MetafileBody mf = ClassifyMetafile(copy.data(), copy.size());
  if (mf.kind != MetafileKind::kNone && (mf.bytes > size || mf.bytes == 0)) std::abort();
  return 0;
}

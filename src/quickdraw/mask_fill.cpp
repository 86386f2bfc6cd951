// Flood fills on one-bit rows: a pixel-by-pixel search through white pixels, on a copy of the
// source so that the destination may be the source itself.
#include "quickdraw/mask_fill.h"

#include <cstring>
#include <vector>

namespace zeb::quickdraw {
namespace {

// Toolbox images are at most 32767 pixels high; a width beyond 32767 words is damage.
constexpr int32_t kLargestExtent = 32767;

struct Plane {
  int32_t width = 0, height = 0;
  std::vector<uint8_t> black;  // one byte per pixel: 1 black
  std::vector<uint8_t> flow;   // one byte per pixel: 1 reached by paint
};

bool Checked(int32_t srcRowBytes, int32_t dstRowBytes, int32_t height, int32_t words) {
  if (height <= 0 || words <= 0 || height > kLargestExtent || words > kLargestExtent) return false;
  const int64_t bytes = int64_t{words} * 2;
  return srcRowBytes >= bytes && dstRowBytes >= bytes;
}

void Load(const uint8_t* src, int32_t rowBytes, int32_t height, int32_t words, Plane& p) {
  p.width = words * 16;
  p.height = height;
  const size_t n = static_cast<size_t>(p.width) * static_cast<size_t>(height);
  p.black.assign(n, 0);
  p.flow.assign(n, 0);
  for (int32_t y = 0; y < height; ++y) {
    const uint8_t* row = src + static_cast<size_t>(y) * static_cast<size_t>(rowBytes);
    uint8_t* out = p.black.data() + static_cast<size_t>(y) * static_cast<size_t>(p.width);
    for (int32_t x = 0; x < p.width; ++x) out[x] = (row[x >> 3] >> (7 - (x & 7))) & 1;
  }
}

// Paint from every seed already marked in flow, through white pixels.
void Flow(Plane& p, std::vector<int64_t>& pending) {
  const int64_t w = p.width;
  while (!pending.empty()) {
    const int64_t at = pending.back();
    pending.pop_back();
    const int64_t x = at % w, y = at / w;
    const int64_t next[4] = {x > 0 ? at - 1 : -1, x + 1 < w ? at + 1 : -1, y > 0 ? at - w : -1,
                             y + 1 < p.height ? at + w : -1};
    for (int64_t n : next) {
      if (n < 0 || p.flow[static_cast<size_t>(n)] || p.black[static_cast<size_t>(n)]) continue;
      p.flow[static_cast<size_t>(n)] = 1;
      pending.push_back(n);
    }
  }
}

void Seed(Plane& p, std::vector<int64_t>& pending, int32_t x, int32_t y) {
  const size_t at = static_cast<size_t>(y) * static_cast<size_t>(p.width) + static_cast<size_t>(x);
  if (p.black[at] || p.flow[at]) return;
  p.flow[at] = 1;
  pending.push_back(static_cast<int64_t>(at));
}

// Writes 1 bits where mark(pixel) holds.
template <typename Mark>
void Store(const Plane& p, uint8_t* dst, int32_t rowBytes, Mark mark) {
  for (int32_t y = 0; y < p.height; ++y) {
    uint8_t* row = dst + static_cast<size_t>(y) * static_cast<size_t>(rowBytes);
    std::memset(row, 0, static_cast<size_t>(p.width) / 8);
    const size_t base = static_cast<size_t>(y) * static_cast<size_t>(p.width);
    for (int32_t x = 0; x < p.width; ++x)
      if (mark(base + static_cast<size_t>(x))) row[x >> 3] |= static_cast<uint8_t>(0x80 >> (x & 7));
  }
}

}  // namespace

bool SeedFillRows(const uint8_t* src, uint8_t* dst, int32_t srcRowBytes, int32_t dstRowBytes,
                  int32_t height, int32_t words, int32_t seedH, int32_t seedV) {
  if (!src || !dst || !Checked(srcRowBytes, dstRowBytes, height, words)) return false;
  Plane p;
  Load(src, srcRowBytes, height, words, p);
  std::vector<int64_t> pending;
  if (seedH >= 0 && seedV >= 0 && seedH < p.width && seedV < p.height) {
    Seed(p, pending, seedH, seedV);
    Flow(p, pending);
  }
  Store(p, dst, dstRowBytes, [&](size_t i) { return p.flow[i] != 0; });
  return true;
}

bool CalcMaskRows(const uint8_t* src, uint8_t* dst, int32_t srcRowBytes, int32_t dstRowBytes,
                  int32_t height, int32_t words) {
  if (!src || !dst || !Checked(srcRowBytes, dstRowBytes, height, words)) return false;
  Plane p;
  Load(src, srcRowBytes, height, words, p);
  std::vector<int64_t> pending;
  for (int32_t x = 0; x < p.width; ++x) {
    Seed(p, pending, x, 0);
    Seed(p, pending, x, p.height - 1);
  }
  for (int32_t y = 0; y < p.height; ++y) {
    Seed(p, pending, 0, y);
    Seed(p, pending, p.width - 1, y);
  }
  Flow(p, pending);
  Store(p, dst, dstRowBytes, [&](size_t i) { return p.flow[i] == 0; });
  return true;
}

}  // namespace zeb::quickdraw

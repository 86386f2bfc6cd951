// Pictures spelled out byte by byte in the tests, as a Macintosh writes them (big-endian from
// offset 10), and the handles made of them.
#ifndef ZEB_TESTS_QUICKDRAW_PICT_BYTES_H
#define ZEB_TESTS_QUICKDRAW_PICT_BYTES_H

#include <cstdint>
#include <cstring>
#include <vector>

#include "MacMemory.h"
#include "Quickdraw.h"
#include "quickdraw_fixture.h"

namespace zebtest {

// Big-endian bytes, as the tests spell out the opcodes.
struct Bytes {
  std::vector<uint8_t> b;
  Bytes& w(int v) {
    b.push_back(static_cast<uint8_t>(v >> 8));
    b.push_back(static_cast<uint8_t>(v));
    return *this;
  }
  Bytes& l(uint32_t v) { return w(static_cast<int>(v >> 16)).w(static_cast<int>(v & 0xFFFF)); }
  Bytes& u8(int v) {
    b.push_back(static_cast<uint8_t>(v));
    return *this;
  }
  Bytes& rect(int t, int l_, int bo, int r) { return w(t).w(l_).w(bo).w(r); }
  Bytes& pad() {
    if (b.size() & 1) b.push_back(0);
    return *this;
  }
};

inline uint16_t BE16(const uint8_t* p) { return static_cast<uint16_t>(p[0] << 8 | p[1]); }
inline uint32_t BE32(const uint8_t* p) { return static_cast<uint32_t>(BE16(p)) << 16 | BE16(p + 2); }

// A picture handle from opcode bytes (what follows picSize and picFrame).
inline PicHandle MakePicture(const Rect& frame, const std::vector<uint8_t>& ops) {
  Handle h = NewHandle(static_cast<Size>(10 + ops.size()));
  Picture* p = reinterpret_cast<Picture*>(*h);
  p->picSize = static_cast<short>((10 + ops.size()) & 0xFFFF);
  p->picFrame = frame;
  std::memcpy(*h + 10, ops.data(), ops.size());
  return reinterpret_cast<PicHandle>(h);
}

inline std::vector<uint8_t> OpcodeBytes(PicHandle pic) {
  Handle h = reinterpret_cast<Handle>(pic);
  const long size = GetHandleSize(h);
  return std::vector<uint8_t>(reinterpret_cast<uint8_t*>(*h) + 10, reinterpret_cast<uint8_t*>(*h) + size);
}

inline Bytes Opening(int top, int left, int bottom, int right) {
  Bytes x;
  x.w(0x0011).w(0x02FF).w(0x0C00).l(0xFFFFFFFF);
  x.l(static_cast<uint32_t>(left) << 16).l(static_cast<uint32_t>(top) << 16);
  x.l(static_cast<uint32_t>(right) << 16).l(static_cast<uint32_t>(bottom) << 16).l(0);
  return x;
}

inline int Differences(const DibSurface& a, const DibSurface& b) {
  int n = 0;
  for (int y = 0; y < a.height(); ++y)
    for (int x = 0; x < a.width(); ++x) n += a.Pixel(x, y) != b.Pixel(x, y);
  return n;
}

}  // namespace zebtest

#endif  // ZEB_TESTS_QUICKDRAW_PICT_BYTES_H

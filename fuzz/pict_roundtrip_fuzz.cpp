// Random recording operations through the writer, then the reader: every operation comes back
// with the values it was written with, and the picture ends where it was ended.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "quickdraw/pict_reader.h"
#include "quickdraw/pict_writer.h"

namespace {

using namespace zeb::quickdraw::pict;

struct Sink : PictSink {
  std::vector<uint8_t> bytes;
  void Put(const uint8_t* d, size_t n) override { bytes.insert(bytes.end(), d, d + n); }
};

// What was written, in the form the reader gives it.
struct Event {
  int kind;  // 0 line, 1 shape, 2 text, 3 comment, 4 bits
  int a, b, c, d, e, f;
  std::vector<uint8_t> data;
  bool operator==(const Event& o) const {
    return kind == o.kind && a == o.a && b == o.b && c == o.c && d == o.d && e == o.e && f == o.f &&
           data == o.data;
  }
};

struct Collector : PictPlayer {
  std::vector<Event> events;
  void Line(Point from, Point to) override {
    events.push_back({0, from.v, from.h, to.v, to.h, 0, 0, {}});
  }
  void Shape(uint16_t family, int verb, const Rect& r, int16_t s, int16_t x) override {
    events.push_back({1, family * 8 + verb, r.top, r.left, r.bottom, r.right,
                      family == 0x60 ? s * 65536 + (x & 0xFFFF) : 0, {}});
  }
  void Text(uint16_t, Point o, uint8_t, uint8_t, const uint8_t* t, int n) override {
    events.push_back({2, o.v, o.h, 0, 0, 0, 0, std::vector<uint8_t>(t, t + n)});
  }
  void Comment(int16_t kind, const uint8_t* d, size_t n) override {
    events.push_back({3, kind, 0, 0, 0, 0, 0, std::vector<uint8_t>(d, d + n)});
  }
  void Bits(const PictBits& bits) override {
    events.push_back({4, bits.image.pixMap ? bits.image.pixelSize : 1, bits.image.rowBytes,
                      bits.image.bounds.bottom, bits.image.bounds.right, bits.mode, 0,
                      bits.image.rows});
  }
};

struct Input {
  const uint8_t* p;
  size_t n;
  uint8_t U8() { return n ? (--n, *p++) : 0; }
  int16_t I16() { return static_cast<int16_t>(U8() << 8 | U8()); }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  Input in{data, size};
  Sink sink;
  PictRecorder rec(sink);
  rec.WriteHeader({0, 0, 100, 100});
  std::vector<Event> want;
  Point lastEnd{};
  bool hasEnd = false;
  for (int ops = 0; in.n > 0 && ops < 64; ++ops) {
    switch (in.U8() % 5) {
      case 0: {
        Point a{in.I16(), in.I16()}, b{in.I16(), in.I16()};
        if (in.U8() & 1 && hasEnd) a = lastEnd;  // exercise LineFrom
        rec.Line(a, b);
        // Short forms keep only 8-bit deltas: the writer chooses them only when they fit.
        want.push_back({0, a.v, a.h, b.v, b.h, 0, 0, {}});
        lastEnd = b;
        hasEnd = true;
        break;
      }
      case 1: {
        const uint16_t family = static_cast<uint16_t>(0x30 + 0x10 * (in.U8() % 4));
        const int verb = in.U8() % 5;
        Rect r{in.I16(), in.I16(), in.I16(), in.I16()};
        const int16_t s = in.I16(), x = in.I16();
        rec.Shape(family, verb, r, s, x);
        want.push_back({1, family * 8 + verb, r.top, r.left, r.bottom, r.right,
                        family == 0x60 ? s * 65536 + (x & 0xFFFF) : 0, {}});
        break;
      }
      case 2: {
        Point at{in.I16(), in.I16()};
        std::vector<uint8_t> t(1 + in.U8() % 40);
        for (uint8_t& c : t) c = in.U8();
        rec.Text(at, t.data(), static_cast<int>(t.size()));
        want.push_back({2, at.v, at.h, 0, 0, 0, 0, t});
        break;
      }
      case 3: {
        const int16_t kind = in.I16();
        std::vector<uint8_t> d(in.U8() % 20);
        for (uint8_t& c : d) c = in.U8();
        rec.Comment(kind, d.empty() ? nullptr : d.data(), static_cast<int16_t>(d.size()));
        want.push_back({3, kind, 0, 0, 0, 0, 0, d});
        break;
      }
      default: {
        static const int depths[] = {1, 2, 4, 8, 16, 32};
        const int depth = depths[in.U8() % 6];
        const int width = 1 + in.U8() % 70, height = 1 + in.U8() % 4;
        const int rowBytes = static_cast<int>(((int64_t{width} * depth + 15) / 16) * 2);
        std::vector<uint8_t> rows(static_cast<size_t>(rowBytes) * height);
        for (uint8_t& c : rows) c = (in.U8() & 0x80) ? 0xFF : in.U8();
        if (depth == 32)
          for (size_t i = 0; i < rows.size(); i += 4) rows[i] = 0;
        // Bits past the width in each row are not kept by every packing: clear them.
        for (int y = 0; y < height; ++y)
          for (int64_t bit = int64_t{width} * depth; bit < int64_t{rowBytes} * 8; ++bit)
            rows[y * rowBytes + bit / 8] &= static_cast<uint8_t>(~(0x80 >> (bit % 8)));
        BitsSource img;
        img.pixMap = depth > 1;
        img.pixelSize = static_cast<int16_t>(depth);
        img.rowBytes = rowBytes;
        img.bounds = {0, 0, static_cast<short>(height), static_cast<short>(width)};
        img.rows = rows.data();
        if (depth > 1 && depth <= 8)
          for (int i = 0; i < (1 << depth); ++i) img.table.push_back({static_cast<uint16_t>(i), {}});
        const int16_t mode = static_cast<int16_t>(in.U8() % 64);
        if (!rec.Bits(img, img.bounds, img.bounds, mode)) std::abort();
        want.push_back({4, depth, rowBytes, height, width, mode, 0, rows});
        break;
      }
    }
  }
  rec.WriteEnd(false);
  MemorySource source(sink.bytes.data(), sink.bytes.size());
  Collector got;
  ReadInfo info;
  if (ReadPicture(source, sink.bytes.size(), got, &info) != ReadResult::kEnded) std::abort();
  if (info.consumed != sink.bytes.size()) std::abort();
  if (!(got.events == want)) std::abort();
  return 0;
}

// Packed DIBs from outside: every field that places the table and rows is checked against the
// block before anything is read.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "quickdraw/packed_dib.h"

namespace zeb::quickdraw {
namespace {

struct Header {
  uint32_t size = 40;
  int32_t width = 3;
  int32_t height = 2;
  uint16_t planes = 1;
  uint16_t bitCount = 8;
  uint32_t compression = 0;
  uint32_t sizeImage = 0;
  uint32_t clrUsed = 0;
};

std::vector<uint8_t> MakeDIB(const Header& h, size_t extra) {
  std::vector<uint8_t> v(h.size < 40 ? 40 : h.size, 0);
  auto put32 = [&v](size_t at, uint32_t x) { std::memcpy(&v[at], &x, 4); };
  auto put16 = [&v](size_t at, uint16_t x) { std::memcpy(&v[at], &x, 2); };
  put32(0, h.size);
  put32(4, static_cast<uint32_t>(h.width));
  put32(8, static_cast<uint32_t>(h.height));
  put16(12, h.planes);
  put16(14, h.bitCount);
  put32(16, h.compression);
  put32(20, h.sizeImage);
  put32(32, h.clrUsed);
  v.resize(v.size() + extra, 0);
  return v;
}

TEST(PackedDIB, WellFormedDIBsArePlacedExactly) {
  struct Case {
    Header h;
    size_t extra;
    uint32_t colours;
    size_t rowsOffset, rowBytes;
    bool topDown;
  } cases[] = {
      // 8 bits, full table: 1024 bytes of table, rows of 4 bytes.
      {{40, 3, 2, 1, 8, 0, 0, 0}, 1024 + 8, 256, 40 + 1024, 4, false},
      // biClrUsed names fewer colours; a negative height is top-down.
      {{40, 3, -2, 1, 8, 0, 0, 16}, 64 + 8, 16, 40 + 64, 4, true},
      {{40, 33, 1, 1, 1, 0, 0, 0}, 8 + 8, 2, 48, 8, false},
      {{40, 2, 2, 1, 24, 0, 0, 0}, 16, 0, 40, 8, false},
      // Bit-field masks after a 40-byte header come before the table.
      {{40, 2, 1, 1, 16, 3, 0, 0}, 12 + 4, 0, 52, 4, false},
      {{108, 1, 1, 1, 32, 3, 0, 0}, 4, 0, 108, 4, false},
      // biSizeImage is not trusted either way.
      {{40, 1, 1, 1, 32, 0, 0xFFFFFFFF, 0}, 4, 0, 40, 4, false},
  };
  for (const Case& c : cases) {
    const std::vector<uint8_t> dib = MakeDIB(c.h, c.extra);
    PackedDIBLayout l;
    ASSERT_TRUE(CheckPackedDIB(dib.data(), dib.size(), l)) << c.h.bitCount << "/" << c.h.width;
    EXPECT_EQ(l.colourCount, c.colours);
    EXPECT_EQ(l.rowsOffset, c.rowsOffset);
    EXPECT_EQ(l.rowBytes, c.rowBytes);
    EXPECT_EQ(l.topDown, c.topDown);
    EXPECT_EQ(l.height, c.h.height < 0 ? -c.h.height : c.h.height);
    // One byte short of the rows is refused.
    EXPECT_FALSE(CheckPackedDIB(dib.data(), dib.size() - 1, l));
  }
}

TEST(PackedDIB, DamagedHeadersAreRefused) {
  struct Case {
    const char* what;
    Header h;
    size_t extra;
  } cases[] = {
      {"core header", {12, 3, 2, 1, 8, 0, 0, 0}, 4096},
      {"unknown header size", {44, 3, 2, 1, 8, 0, 0, 0}, 4096},
      {"header leaving no room for the rows", {124, 3, 2, 1, 24, 0, 0, 0}, 0},
      {"two planes", {40, 3, 2, 2, 8, 0, 0, 0}, 4096},
      {"bit count 2", {40, 3, 2, 1, 2, 0, 0, 0}, 4096},
      {"bit count 0", {40, 3, 2, 1, 0, 0, 0, 0}, 4096},
      {"run-length compression", {40, 3, 2, 1, 8, 1, 0, 0}, 4096},
      {"bit fields at 8 bits", {40, 3, 2, 1, 8, 3, 0, 0}, 4096},
      {"JPEG", {40, 3, 2, 1, 24, 4, 0, 0}, 4096},
      {"more colours than 8 bits index", {40, 3, 2, 1, 8, 0, 0, 257}, 8192},
      {"table of a direct DIB over 256", {40, 3, 2, 1, 24, 0, 0, 300}, 8192},
      {"zero width", {40, 0, 2, 1, 8, 0, 0, 0}, 4096},
      {"negative width", {40, -3, 2, 1, 8, 0, 0, 0}, 4096},
      {"zero height", {40, 3, 0, 1, 8, 0, 0, 0}, 4096},
      {"height without magnitude", {40, 3, INT32_MIN, 1, 8, 0, 0, 0}, 4096},
      {"wider than a Toolbox rectangle", {40, 40000, 1, 1, 1, 0, 0, 0}, 8192},
      // 32767 x 32767 x 32 bits is 4 GB, whatever biSizeImage says.
      {"gigabytes of rows in a small block", {40, 32767, 32767, 1, 32, 0, 1, 0}, 4096},
  };
  for (const Case& c : cases) {
    const std::vector<uint8_t> dib = MakeDIB(c.h, c.extra);
    PackedDIBLayout l;
    EXPECT_FALSE(CheckPackedDIB(dib.data(), dib.size(), l)) << c.what;
  }
  PackedDIBLayout l;
  EXPECT_FALSE(CheckPackedDIB(nullptr, 100, l));
  const std::vector<uint8_t> shortBlock(39, 0);
  EXPECT_FALSE(CheckPackedDIB(shortBlock.data(), shortBlock.size(), l));
}

TEST(PackedDIB, TableEntriesReadAsRgbAndStopAtTheTable) {
  std::vector<uint8_t> dib = MakeDIB({40, 1, 1, 1, 1, 0, 0, 0}, 8 + 4);
  dib[40] = 0x30;  // entry 0: blue, green, red
  dib[41] = 0x20;
  dib[42] = 0x10;
  PackedDIBLayout l;
  ASSERT_TRUE(CheckPackedDIB(dib.data(), dib.size(), l));
  EXPECT_EQ(DIBTableEntry(dib.data(), l, 0), 0x00102030u);
  EXPECT_EQ(DIBTableEntry(dib.data(), l, 2), 0u) << "past the table";
}

}  // namespace
}  // namespace zeb::quickdraw

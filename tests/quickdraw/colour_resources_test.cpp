// The colour resource checks: each well-formed resource is placed exactly, and any cut or
// damaged offset, count or row size gives a refusal rather than a read past the resource.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "quickdraw/colour_resources.h"

namespace zeb::quickdraw {
namespace {

// A resource in the host's byte order, built field by field.
struct Bytes {
  std::vector<uint8_t> v;
  Bytes& W(int16_t x) {
    const size_t at = v.size();
    v.resize(at + 2);
    std::memcpy(&v[at], &x, 2);
    return *this;
  }
  Bytes& L(uint32_t x) {
    const size_t at = v.size();
    v.resize(at + 4);
    std::memcpy(&v[at], &x, 4);
    return *this;
  }
  Bytes& Fill(size_t n, uint8_t b) {
    v.insert(v.end(), n, b);
    return *this;
  }
  void PutW(size_t at, int16_t x) { std::memcpy(&v[at], &x, 2); }
  void PutL(size_t at, uint32_t x) { std::memcpy(&v[at], &x, 4); }
};

// A stored pixel map: rowBytes with the pixel-map flag, bounds (0, 0, h, w), depth, table offset.
Bytes& PixMap(Bytes& b, int16_t rowBytes, int16_t h, int16_t w, int16_t depth, uint32_t table) {
  b.L(0).W(static_cast<int16_t>(rowBytes | 0x8000)).W(0).W(0).W(h).W(w);
  b.W(0).W(0).L(0).L(72 << 16).L(72 << 16);
  b.W(depth > 8 ? 16 : 0).W(depth).W(depth > 8 ? 3 : 1).W(depth > 8 ? 8 : depth).L(0);
  return b.L(table).L(0);
}

Bytes& Table(Bytes& b, int entries) {
  b.L(0).W(0).W(static_cast<int16_t>(entries - 1));
  for (int i = 0; i < entries; ++i) b.W(static_cast<int16_t>(i)).W(0).W(0).W(0);
  return b;
}

Bytes PixelPattern() {
  // Type 1, map at 28, data at 78, an 8 x 8 two-bit image (2 bytes a row), table at 94.
  Bytes b;
  b.W(1).L(28).L(78).L(0).W(0).L(0).Fill(8, 0x55);
  PixMap(b, 2, 8, 8, 2, 94).Fill(16, 0x1B);
  return Table(b, 4);
}

Bytes ColourIcon() {
  // A 16 x 16 icon, 2 bits deep (4 bytes a row), mask and bitmap of 2 bytes a row.
  Bytes b;
  PixMap(b, 4, 16, 16, 2, 0);
  b.L(0).W(2).W(0).W(0).W(16).W(16);  // mask
  b.L(0).W(2).W(0).W(0).W(16).W(16);  // one-bit image
  b.L(0);                             // data handle
  b.Fill(32, 0xFF).Fill(32, 0xAA);
  Table(b, 4);
  return b.Fill(64, 0x1B);
}

TEST(ColourResources, ColourTablesAreBoundedByTheirCount) {
  Bytes b;
  Table(b, 3);
  EXPECT_EQ(CheckColourTable(b.v.data(), b.v.size(), 0), 3);
  EXPECT_EQ(CheckColourTable(b.v.data(), b.v.size() - 1, 0), -1);
  EXPECT_EQ(CheckColourTable(b.v.data(), b.v.size(), b.v.size() - 7), -1) << "header past the end";
  Bytes empty;
  Table(empty, 0);
  EXPECT_EQ(CheckColourTable(empty.v.data(), empty.v.size(), 0), 0) << "ctSize -1: no entries";
  empty.PutW(6, -2);
  EXPECT_EQ(CheckColourTable(empty.v.data(), empty.v.size(), 0), -1);
  b.PutW(6, 0x7FFF);
  EXPECT_EQ(CheckColourTable(b.v.data(), b.v.size(), 0), -1) << "a count beyond the resource";
  EXPECT_EQ(CheckColourTable(b.v.data(), b.v.size(), SIZE_MAX - 2), -1) << "no wrap-around";
}

TEST(ColourResources, PalettesAreBoundedByTheirCount) {
  Bytes b;
  b.W(2).L(0).W(0).L(0).L(0).Fill(32, 0);
  EXPECT_EQ(CheckPaletteResource(b.v.data(), b.v.size()), 2);
  EXPECT_EQ(CheckPaletteResource(b.v.data(), b.v.size() - 1), -1);
  b.PutW(0, -1);
  EXPECT_EQ(CheckPaletteResource(b.v.data(), b.v.size()), -1) << "a negative count";
  b.PutW(0, 0);
  EXPECT_EQ(CheckPaletteResource(b.v.data(), 16), 0);
  EXPECT_EQ(CheckPaletteResource(b.v.data(), 15), -1);
}

TEST(ColourResources, PixelPatternIsPlacedAndEveryCutIsRefused) {
  Bytes b = PixelPattern();
  PixelPatternLayout l;
  ASSERT_TRUE(CheckPixelPattern(b.v.data(), b.v.size(), l));
  EXPECT_EQ(l.patType, 1);
  EXPECT_EQ(l.dataOffset, 78u);
  EXPECT_EQ(l.tableOffset, 94u);
  EXPECT_EQ(l.tableEntries, 4);
  EXPECT_EQ(l.map.depth, 2);
  EXPECT_EQ(l.map.imageBytes, 16u);
  for (size_t cut = 0; cut < b.v.size(); ++cut)
    EXPECT_FALSE(CheckPixelPattern(b.v.data(), cut, l)) << "cut at " << cut;

  struct Damage {
    const char* what;
    size_t at;
    uint32_t value;
    bool longField;
  } damages[] = {
      {"unknown type", 0, 7, false},
      {"map inside the fixed part", 2, 4, true},
      {"map beyond the resource", 2, 0xFFFFFFF0u, true},
      {"data beyond the resource", 6, 200, true},
      {"rows too short for the width", 28 + 4, 0x8001, false},
      {"rows beyond the resource", 28 + 10, 100, false},
      {"inverted bounds", 28 + 10, static_cast<uint32_t>(-1), false},
      {"unknown depth", 28 + 32, 3, false},
      {"table beyond the resource", 28 + 42, 200, true},
      {"table inside the fixed part", 28 + 42, 0, true},
  };
  for (const Damage& d : damages) {
    Bytes bad = PixelPattern();
    if (d.longField) bad.PutL(d.at, d.value);
    else bad.PutW(d.at, static_cast<int16_t>(d.value));
    EXPECT_FALSE(CheckPixelPattern(bad.v.data(), bad.v.size(), l)) << d.what;
  }
  // An old-style pattern needs only its fixed part.
  Bytes old;
  old.W(0).L(0).L(0).L(0).W(0).L(0).Fill(8, 0xAA);
  EXPECT_TRUE(CheckPixelPattern(old.v.data(), old.v.size(), l));
  EXPECT_EQ(l.patType, 0);
}

TEST(ColourResources, ColourIconIsPlacedAndEveryCutIsRefused) {
  Bytes b = ColourIcon();
  ColourIconLayout l;
  ASSERT_TRUE(CheckColourIcon(b.v.data(), b.v.size(), l));
  EXPECT_EQ(l.maskOffset, 82u);
  EXPECT_EQ(l.iconOffset, 82u + 32);
  EXPECT_EQ(l.tableOffset, 82u + 64);
  EXPECT_EQ(l.tableEntries, 4);
  EXPECT_EQ(l.pixelOffset, 82u + 64 + 8 + 32);
  for (size_t cut = 0; cut < b.v.size(); ++cut)
    EXPECT_FALSE(CheckColourIcon(b.v.data(), cut, l)) << "cut at " << cut;

  struct Damage {
    const char* what;
    size_t at;
    int16_t value;
  } damages[] = {
      {"pixel rows too short", 4, static_cast<int16_t>(0x8001)},
      {"taller pixel map", 10, 200},
      {"mask rows too short", 50 + 4, 1},
      {"taller mask", 50 + 10, 300},
      {"inverted icon bounds", 64 + 10, -5},
      {"table count beyond the resource", 82 + 64 + 6, 500},
      {"direct pixels", 30, 16},
  };
  for (const Damage& d : damages) {
    Bytes bad = ColourIcon();
    bad.PutW(d.at, d.value);
    EXPECT_FALSE(CheckColourIcon(bad.v.data(), bad.v.size(), l)) << d.what;
  }

  // A mask 32768 rows tall has no 16-bit height; with a tall icon after it the two row counts
  // would wrap their sum back to the start of the data.
  Bytes wrap = ColourIcon();
  wrap.PutW(50 + 4, 256);
  wrap.PutW(50 + 6, static_cast<int16_t>(-32768));
  wrap.PutW(50 + 10, 0);
  wrap.PutW(64 + 4, 2048);
  wrap.PutW(64 + 6, 0);
  wrap.PutW(64 + 10, 4096);
  EXPECT_FALSE(CheckColourIcon(wrap.v.data(), wrap.v.size(), l));
}

}  // namespace
}  // namespace zeb::quickdraw

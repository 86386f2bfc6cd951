// Host-independent cursor conversion: the Windows planes, the stamp, and the byte order of
// cursor resources with their inner offsets checked.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "quickdraw/cursor_image.h"

namespace zeb::quickdraw {
namespace {

bool Bit(const uint8_t* plane, int x, int y) {
  return (plane[y * 4 + x / 8] & (0x80 >> (x % 8))) != 0;
}

TEST(CursorPlanes, MaskAndDataBecomeAndAndXorPlanesWithTheRestTransparent) {
  CursorImage image{};
  // Row 0: black (mask, data), white (mask only), transparent (neither), inverted (data only).
  image.mask[0] = static_cast<uint16_t>(0x8000 | 0x4000);
  image.data[0] = static_cast<uint16_t>(0x8000 | 0x1000);
  image.hotH = 3;
  image.hotV = 2;
  const HostCursorPlanes p = HostCursorFor(image, false);
  struct Case {
    int x;
    bool andBit, xorBit;
  };
  for (const Case& c : {Case{0, false, false}, Case{1, false, true}, Case{2, true, false},
                        Case{3, true, true}}) {
    EXPECT_EQ(Bit(p.andPlane, c.x, 0), c.andBit) << c.x;
    EXPECT_EQ(Bit(p.xorPlane, c.x, 0), c.xorBit) << c.x;
  }
  for (int y = 0; y < kHostCursorSize; ++y)
    for (int x = (y == 0 ? 16 : 0); x < kHostCursorSize; ++x) {
      ASSERT_TRUE(Bit(p.andPlane, x, y)) << x << "," << y;
      ASSERT_FALSE(Bit(p.xorPlane, x, y)) << x << "," << y;
    }
  EXPECT_EQ(p.hotX, 3);
  EXPECT_EQ(p.hotY, 2);
}

TEST(CursorPlanes, HighResolutionScreensDoubleEveryBitAndTheHotSpot) {
  CursorImage image{};
  image.mask[15] = 0x0001;  // bottom-right pixel black
  image.data[15] = 0x0001;
  image.hotH = 15;
  image.hotV = 15;
  const HostCursorPlanes p = HostCursorFor(image, true);
  for (int y = 30; y < 32; ++y)
    for (int x = 30; x < 32; ++x) EXPECT_FALSE(Bit(p.andPlane, x, y));
  EXPECT_TRUE(Bit(p.andPlane, 29, 31));
  EXPECT_EQ(p.hotX, 30);
  EXPECT_EQ(p.hotY, 30);
}

TEST(CursorStamp, OnlyTheHighBytesCarryTheStamp) {
  int16_t h = 7, v = 9;
  EXPECT_FALSE(ReadStamp(h, v).marked);
  WriteStamp(h, v, 139);
  EXPECT_TRUE(ReadStamp(h, v).marked);
  EXPECT_EQ(ReadStamp(h, v).slot, 139);
  EXPECT_EQ(HotSpotCoordinate(h), 7);
  EXPECT_EQ(HotSpotCoordinate(v), 9);
  // A hot spot of (-1, -1) looks stamped with slot 255: the table's owner must not trust it.
  EXPECT_TRUE(ReadStamp(-1, -1).marked);
  EXPECT_EQ(ReadStamp(-1, -1).slot, 255);
  EXPECT_EQ(HotSpotCoordinate(-1), 15) << "limited to the image";
}

std::vector<uint8_t> BigEndianCrsr(uint32_t mapOffset, uint32_t tableOffset, int16_t tableSize,
                                   size_t total) {
  std::vector<uint8_t> d(total, 0);
  auto put16 = [&](size_t at, uint16_t v) {
    if (at + 2 <= d.size()) { d[at] = static_cast<uint8_t>(v >> 8); d[at + 1] = static_cast<uint8_t>(v); }
  };
  auto put32 = [&](size_t at, uint32_t v) {
    put16(at, static_cast<uint16_t>(v >> 16));
    put16(at + 2, static_cast<uint16_t>(v));
  };
  put16(0, 0x8001);           // crsrType
  put32(2, mapOffset);        // crsrMap
  put16(20, 0x1234);          // crsr1Data[0]
  put16(84, 0x0003);          // hot spot v
  put16(86, 0x0004);          // hot spot h
  put16(mapOffset + 4, 0x8002);       // row bytes
  put16(mapOffset + 32, 2);           // pixel size
  put32(mapOffset + 42, tableOffset);  // pmTable
  put16(tableOffset + 6, static_cast<uint16_t>(tableSize));
  put16(tableOffset + 8 + 2, 0xABCD);  // entry 0 red
  return d;
}

int16_t Native16(const std::vector<uint8_t>& d, size_t at) {
  int16_t v;
  std::memcpy(&v, d.data() + at, 2);
  return v;
}

TEST(CursorResources, CursSwapsItsThirtyFourWordsBothWays) {
  std::vector<uint8_t> d(kCursResourceSize, 0);
  d[0] = 0x80;                 // data[0] = 0x8000
  d[64] = 0x00; d[65] = 0x05;  // hot spot v = 5
  ASSERT_TRUE(SwapCursorResource(d.data(), d.size(), false, true));
  EXPECT_EQ(static_cast<uint16_t>(Native16(d, 0)), 0x8000);
  EXPECT_EQ(Native16(d, 64), 5);
  ASSERT_TRUE(SwapCursorResource(d.data(), d.size(), false, false));
  EXPECT_EQ(d[0], 0x80);
  EXPECT_EQ(d[65], 0x05);
  EXPECT_FALSE(SwapCursorResource(d.data(), 67, false, true)) << "too short: left alone";
}

TEST(CursorResources, CrsrFollowsItsOffsetsOnlyInsideTheData) {
  struct Case {
    const char* name;
    uint32_t map, table;
    int16_t tableSize;
    size_t total;
    bool tableSwapped;
  };
  const Case cases[] = {
      {"well formed", 96, 146, 1, 146 + 8 + 16, true},
      {"table count past the end", 96, 146, 30000, 146 + 8 + 16, true},
      {"table offset past the end", 96, 5000, 1, 160, false},
      {"map offset past the end", 4000, 146, 1, 170, false},
      {"map offset inside the header", 10, 146, 1, 170, false},
  };
  for (const Case& c : cases) {
    std::vector<uint8_t> d = BigEndianCrsr(c.map, c.table, c.tableSize, c.total);
    ASSERT_TRUE(SwapCursorResource(d.data(), d.size(), true, true)) << c.name;
    EXPECT_EQ(static_cast<uint16_t>(Native16(d, 0)), 0x8001) << c.name;
    EXPECT_EQ(Native16(d, kCrsrImageOffset), 0x1234) << c.name;
    EXPECT_EQ(Native16(d, kCrsrHotSpotOffset), 3) << c.name;
    if (c.tableSwapped) {
      EXPECT_EQ(static_cast<uint16_t>(Native16(d, c.table + 10)), 0xABCD) << c.name;
    }
    // Back to disk order: the same bytes as before.
    std::vector<uint8_t> again = d;
    ASSERT_TRUE(SwapCursorResource(again.data(), again.size(), true, false));
    EXPECT_EQ(again, BigEndianCrsr(c.map, c.table, c.tableSize, c.total)) << c.name;
  }
}

}  // namespace
}  // namespace zeb::quickdraw

// Bit numbering and word operations.
#include <gtest/gtest.h>

#include <vector>

#include "ToolUtils.h"

namespace {

TEST(BitOperations, BitZeroIsTheHighBitOfTheFirstByte) {
  unsigned char bytes[4] = {0x80, 0x01, 0, 0};
  EXPECT_TRUE(BitTst(bytes, 0));
  EXPECT_FALSE(BitTst(bytes, 1));
  EXPECT_TRUE(BitTst(bytes, 15));
  BitSet(bytes, 17);
  EXPECT_EQ(bytes[2], 0x40);
  BitClr(bytes, 0);
  EXPECT_EQ(bytes[0], 0);
}

TEST(BitOperations, BitNumbersBeyond64KBytesReachTheirOwnByte) {
  // A 16-bit byte index would wrap bit 0x80000 (byte 65536) onto byte 0.
  std::vector<unsigned char> map(70000, 0);
  BitSet(map.data(), 65536L * 8 + 1);
  EXPECT_EQ(map[65536], 0x40);
  EXPECT_EQ(map[0], 0);
  EXPECT_TRUE(BitTst(map.data(), 65536L * 8 + 1));
  BitClr(map.data(), 65536L * 8 + 1);
  EXPECT_EQ(map[65536], 0);
}

TEST(BitOperations, NegativeBitNumbersCountBackFromThePointer) {
  unsigned char bytes[3] = {0, 0, 0};
  BitSet(bytes + 1, -1);
  EXPECT_EQ(bytes[0], 0x01);
  BitSet(bytes + 1, -8);
  EXPECT_EQ(bytes[0], 0x81);
  EXPECT_TRUE(BitTst(bytes + 2, -16));
  EXPECT_EQ(bytes[1], 0);
}

TEST(BitOperations, WordOperations) {
  EXPECT_EQ(BitAnd(0x0F0F, 0x00FF), 0x000F);
  EXPECT_EQ(BitOr(0x0F00, 0x00F0), 0x0FF0);
  EXPECT_EQ(BitXor(0xFF, 0x0F), 0xF0);
  EXPECT_EQ(BitNot(0), -1);
  EXPECT_EQ(BitShift(1, 4), 16);
  EXPECT_EQ(BitShift(1, 36), 16);                        // shift counts are taken mod 32
  EXPECT_EQ(BitShift(-16, -2), -4);                      // right shifts keep the sign
  EXPECT_EQ(BitShift(0x12345678, 0), 0x12345678);
  EXPECT_EQ(BitShift(0x40000000, 1), static_cast<long>(INT32_MIN));
  EXPECT_EQ(HiWord(static_cast<int32_t>(0xFFFE0001u)), -2);
  EXPECT_EQ(LoWord(static_cast<int32_t>(0xFFFE8001u)), static_cast<short>(0x8001));
  Point a{10, 20}, b{15, 5};
  EXPECT_EQ(DeltaPoint(a, b), static_cast<int32_t>(0xFFFB000Fu));
}

}  // namespace

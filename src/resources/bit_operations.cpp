// Bit operations on the Toolbox's bit numbering and 32-bit words.
#include <cstdint>

#include "ToolUtils.h"

namespace {

// Bit n lives in byte n >> 3, the 0x80 bit being bit 0 of its byte. The whole 32-bit bit number
// indexes the byte, so bit maps beyond 64 KB reach their own bytes; the shift is arithmetic, so
// a negative number counts back from bytePtr as a signed offset does.
struct BitAddress {
  std::ptrdiff_t byte;
  uint8_t mask;
};

BitAddress Locate(long bitNum) {
  const int32_t n = static_cast<int32_t>(bitNum);
  return {static_cast<std::ptrdiff_t>(n >> 3), static_cast<uint8_t>(0x80u >> (n & 7))};
}

}  // namespace

extern "C" {

Boolean ZEBAPI BitTst(const void* bytePtr, long bitNum) {
  const BitAddress at = Locate(bitNum);
  return (static_cast<const uint8_t*>(bytePtr)[at.byte] & at.mask) != 0;
}

void ZEBAPI BitSet(void* bytePtr, long bitNum) {
  const BitAddress at = Locate(bitNum);
  static_cast<uint8_t*>(bytePtr)[at.byte] |= at.mask;
}

void ZEBAPI BitClr(void* bytePtr, long bitNum) {
  const BitAddress at = Locate(bitNum);
  static_cast<uint8_t*>(bytePtr)[at.byte] &= static_cast<uint8_t>(~at.mask);
}

long ZEBAPI BitAnd(long value1, long value2) { return value1 & value2; }
long ZEBAPI BitOr(long value1, long value2) { return value1 | value2; }
long ZEBAPI BitXor(long value1, long value2) { return value1 ^ value2; }
long ZEBAPI BitNot(long value) { return ~value; }

long ZEBAPI BitShift(long value, short count) {
  const int32_t v = static_cast<int32_t>(value);
  if (count > 0) return static_cast<int32_t>(static_cast<uint32_t>(v) << (count % 32));
  if (count < 0) return v >> ((-count) % 32);
  return v;
}

short ZEBAPI HiWord(long x) { return static_cast<short>(static_cast<uint32_t>(x) >> 16); }
short ZEBAPI LoWord(long x) { return static_cast<short>(static_cast<uint32_t>(x) & 0xFFFF); }

long ZEBAPI DeltaPoint(Point ptA, Point ptB) {
  const uint32_t dv = static_cast<uint16_t>(ptA.v - ptB.v);
  const uint32_t dh = static_cast<uint16_t>(ptA.h - ptB.h);
  return static_cast<int32_t>((dv << 16) | dh);
}

}  // extern "C"

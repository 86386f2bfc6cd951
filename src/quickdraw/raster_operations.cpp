// The transfer modes' ROP3 table.
#include "quickdraw/raster_operations.h"

namespace zeb::quickdraw {
namespace {

// Index = mode for 0..15 and mode - 16 for 32..39. Each source mode is the ROP3 of the pen's
// binary operation for that mode with S in place of the pen, each pattern mode the same with P:
// the pattern modes match what lines and shapes draw in them.
constexpr uint32_t kModeRop3[24] = {
    0xCC0020,  // 0 srcCopy: S
    0xB8074A,  // 1 srcOr: the brush (foreground) where S is black
    0x990066,  // 2 srcXor: not (S xor D)
    0xBB0226,  // 3 srcBic: D or not S
    0x330008,  // 4 notSrcCopy: not S
    0x220326,  // 5 notSrcOr: D and not S
    0x660046,  // 6 notSrcXor: S xor D
    0xEE0086,  // 7 notSrcBic: S or D
    0xF00021,  // 8 patCopy: P
    0xA000C9,  // 9 patOr: P and D
    0xA50065,  // 10 patXor: not (P xor D)
    0xAF0229,  // 11 patBic: D or not P
    0x0F0001,  // 12 notPatCopy: not P
    0x0A0329,  // 13 notPatOr: D and not P
    0x5A0049,  // 14 notPatXor: P xor D
    0xFA0089,  // 15 notPatBic: P or D
    // The arithmetic modes have no raster operation; GDI copies for them, and transparent and
    // adMin keep the darker pixel, as S and D does.
    0xCC0020,  // 32 blend
    0xCC0020,  // 33 addPin
    0xCC0020,  // 34 addOver
    0xCC0020,  // 35 subPin
    0x8800C6,  // 36 transparent
    0xCC0020,  // 37 addMax
    0xCC0020,  // 38 subOver
    0x8800C6,  // 39 adMin
};

constexpr int kDitherBit = 0x40;
constexpr int kSrcOr = 1;

}  // namespace

uint32_t Rop3ForMode(int mode, bool oneBitSource) {
  const int m = mode & ~kDitherBit;
  int index;
  if (m >= 0 && m <= 15) index = m;
  else if (m >= 32 && m <= 39) index = m - 16;
  else index = m & 15;
  if (index == kSrcOr && oneBitSource) return kRop3SrcAnd;
  return kModeRop3[index];
}

uint32_t ApplyRop3(uint32_t rop3, uint32_t p, uint32_t s, uint32_t d) {
  uint32_t out = 0;
  for (int i = 0; i < 8; ++i) {
    if (!((rop3 >> (16 + i)) & 1u)) continue;
    // Bit i of the truth table is set for the combination P = i & 4, S = i & 2, D = i & 1.
    out |= ((i & 4) ? p : ~p) & ((i & 2) ? s : ~s) & ((i & 1) ? d : ~d);
  }
  return out;
}

}  // namespace zeb::quickdraw

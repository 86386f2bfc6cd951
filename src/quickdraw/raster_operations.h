// Transfer modes as the ternary raster operations (ROP3) of BitBlt and StretchBlt. As for the
// pen's binary operations, the device is one where white is all ones: the Toolbox's OR of black
// ink is GDI's AND, its BIC (ink cleared to white) is GDI's OR with the inverted source.
#ifndef ZEB_QUICKDRAW_RASTER_OPERATIONS_H
#define ZEB_QUICKDRAW_RASTER_OPERATIONS_H

#include <cstdint>

namespace zeb::quickdraw {

// The ROP3 codes named once. The high byte of a ROP3 is its truth table over pattern (0xF0),
// source (0xCC) and destination (0xAA); the low word is GDI's encoding of the same operation.
constexpr uint32_t kRop3SrcCopy = 0xCC0020;   // S
constexpr uint32_t kRop3SrcAnd = 0x8800C6;    // S and D
constexpr uint32_t kRop3BrushThroughSource = 0xB8074A;  // D where S is white, P where S is black
constexpr uint32_t kRop3PatCopy = 0xF00021;   // P

// The ROP3 of a transfer mode. Modes 0..15 and 32..39 have entries of their own; the dither
// bit (0x40) is ignored and any other mode takes the entry of (mode & 15). srcOr from a one-bit
// source is S and D, so that white source pixels leave the destination alone without a brush.
uint32_t Rop3ForMode(int mode, bool oneBitSource);

// The result bit of a ROP3 for one pattern, source and destination bit.
inline int Rop3Bit(uint32_t rop3, int p, int s, int d) {
  return static_cast<int>((rop3 >> (16 + ((p << 2) | (s << 1) | d))) & 1u);
}
// The ROP3 applied bitwise to whole words.
uint32_t ApplyRop3(uint32_t rop3, uint32_t p, uint32_t s, uint32_t d);

}  // namespace zeb::quickdraw

#endif  // ZEB_QUICKDRAW_RASTER_OPERATIONS_H

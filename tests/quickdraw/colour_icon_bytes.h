// 'cicn' resources as a Macintosh resource editor writes them (big-endian): the icon's pixel map
// (50 bytes, its pointer fields zero), the mask and one-bit BitMaps (14 bytes each), the
// iconData placeholder (4), then the mask rows, the one-bit rows, the colour table (ctSeed,
// ctFlags, ctSize, then value/red/green/blue per entry) and the pixel rows.
#ifndef ZEB_TESTS_QUICKDRAW_COLOUR_ICON_BYTES_H
#define ZEB_TESTS_QUICKDRAW_COLOUR_ICON_BYTES_H

#include <cstdint>
#include <vector>

namespace zebtest {

struct ColourIconDesign {
  int width = 8, height = 8, depth = 4;
  int pixelRowBytes = 0;      // 0: the least the width needs, rounded to even
  int maskRowBytes = 0;       // 0: likewise for one bit
  int iconRowBytes = 0;
  int boundsBottom = -1;      // -1: height; lets tests store damaged bounds
  std::vector<uint8_t> mask;  // rows; empty: every pixel set
  std::vector<uint8_t> bits;  // one-bit rows; empty: clear
  // Colour table entries as 0xRRGGBB; value field i.
  std::vector<uint32_t> colours{0xFFFFFF, 0x000000};
  int storedCtSize = -2;      // -2: entries - 1
  std::vector<uint8_t> pixels;  // rows; empty: zero
};

inline void PutWord(std::vector<uint8_t>& b, int v) {
  b.push_back(static_cast<uint8_t>((v >> 8) & 0xFF));
  b.push_back(static_cast<uint8_t>(v & 0xFF));
}
inline void PutLong(std::vector<uint8_t>& b, uint32_t v) {
  PutWord(b, static_cast<int>(v >> 16));
  PutWord(b, static_cast<int>(v & 0xFFFF));
}
inline int EvenRowBytes(int width, int depth) { return ((width * depth + 15) / 16) * 2; }

inline std::vector<uint8_t> ColourIconResource(const ColourIconDesign& s) {
  const int pixelRow = s.pixelRowBytes ? s.pixelRowBytes : EvenRowBytes(s.width, s.depth);
  const int maskRow = s.maskRowBytes ? s.maskRowBytes : EvenRowBytes(s.width, 1);
  const int iconRow = s.iconRowBytes ? s.iconRowBytes : EvenRowBytes(s.width, 1);
  const int bottom = s.boundsBottom >= 0 ? s.boundsBottom : s.height;
  std::vector<uint8_t> b;
  // iconPMap
  PutLong(b, 0);
  PutWord(b, 0x8000 | pixelRow);
  PutWord(b, 0); PutWord(b, 0); PutWord(b, bottom); PutWord(b, s.width);
  PutWord(b, 0);           // pmVersion
  PutWord(b, 0);           // packType
  PutLong(b, 0);           // packSize
  PutLong(b, 0x00480000);  // hRes 72 dpi
  PutLong(b, 0x00480000);  // vRes
  PutWord(b, 0);           // pixelType: indexed
  PutWord(b, s.depth);     // pixelSize
  PutWord(b, 1);           // cmpCount
  PutWord(b, s.depth);     // cmpSize
  PutLong(b, 0);           // planeBytes
  PutLong(b, 0);           // pmTable
  PutLong(b, 0);           // pmReserved
  // iconMask, iconBMap
  for (int rb : {maskRow, iconRow}) {
    PutLong(b, 0);
    PutWord(b, rb);
    PutWord(b, 0); PutWord(b, 0); PutWord(b, bottom); PutWord(b, s.width);
  }
  PutLong(b, 0);  // iconData
  std::vector<uint8_t> mask = s.mask;
  if (mask.empty()) mask.assign(static_cast<size_t>(maskRow * s.height), 0xFF);
  b.insert(b.end(), mask.begin(), mask.end());
  std::vector<uint8_t> bits = s.bits;
  if (bits.empty()) bits.assign(static_cast<size_t>(iconRow * s.height), 0);
  b.insert(b.end(), bits.begin(), bits.end());
  PutLong(b, 0);  // ctSeed
  PutWord(b, 0);  // ctFlags
  PutWord(b, s.storedCtSize != -2 ? s.storedCtSize : static_cast<int>(s.colours.size()) - 1);
  for (size_t i = 0; i < s.colours.size(); ++i) {
    const uint32_t c = s.colours[i];
    PutWord(b, static_cast<int>(i));
    PutWord(b, static_cast<int>(((c >> 16) & 0xFF) * 257));
    PutWord(b, static_cast<int>(((c >> 8) & 0xFF) * 257));
    PutWord(b, static_cast<int>((c & 0xFF) * 257));
  }
  std::vector<uint8_t> pixels = s.pixels;
  if (pixels.empty()) pixels.assign(static_cast<size_t>(pixelRow * s.height), 0);
  b.insert(b.end(), pixels.begin(), pixels.end());
  return b;
}

}  // namespace zebtest

#endif  // ZEB_TESTS_QUICKDRAW_COLOUR_ICON_BYTES_H

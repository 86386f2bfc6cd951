// Toolbox cursors as Windows cursors, and the byte order of cursor resources.
#ifndef ZEB_QUICKDRAW_CURSOR_IMAGE_H
#define ZEB_QUICKDRAW_CURSOR_IMAGE_H

#include <cstddef>
#include <cstdint>

namespace zeb::quickdraw {

// A Toolbox cursor's image: 16 rows of data and mask, leftmost pixel in bit 15, and its hot
// spot (the low bytes only: the high bytes may carry the library's stamp).
struct CursorImage {
  uint16_t data[16];
  uint16_t mask[16];
  int16_t hotH, hotV;
  bool operator==(const CursorImage& o) const;
};

// The cursor stamp kept in the high bytes of a cursor record's hot spot: h's high byte 0xFF
// marks it, v's high byte is the slot in the library's cursor table.
constexpr uint8_t kStampMark = 0xFF;
struct CursorStamp {
  bool marked;
  uint8_t slot;
};
CursorStamp ReadStamp(int16_t hotH, int16_t hotV);
void WriteStamp(int16_t& hotH, int16_t& hotV, uint8_t slot);
// The hot spot without the stamp, limited to the 16 x 16 image.
int16_t HotSpotCoordinate(int16_t stamped);

// A Windows 32 x 32 monochrome cursor: 4 bytes a row, AND plane and XOR plane. Toolbox mask and
// data become AND = not mask, XOR = data xor mask, so that black, white, transparent and
// inverted pixels keep their meaning; the rest of the area is transparent. Doubled for
// high-resolution screens: each bit becomes 2 x 2 and the hot spot doubles.
constexpr int kHostCursorSize = 32;
struct HostCursorPlanes {
  uint8_t andPlane[kHostCursorSize * kHostCursorSize / 8];
  uint8_t xorPlane[kHostCursorSize * kHostCursorSize / 8];
  int hotX, hotY;
};
HostCursorPlanes HostCursorFor(const CursorImage& image, bool doubled);

// Byte order of 'CURS' (68 bytes) and 'crsr' resources, in place. A 'crsr' carries a pixel map
// and a colour table at offsets held in the resource; only structures lying wholly inside the
// data are converted. Returns false, converting nothing, when the fixed part does not fit.
bool SwapCursorResource(uint8_t* data, size_t size, bool colour, bool fromDisk);

// The offsets of the fields of a cursor resource in native form.
constexpr size_t kCursResourceSize = 68;
constexpr size_t kCrsrResourceSize = 96;
constexpr size_t kCursHotSpotOffset = 64;
constexpr size_t kCrsrImageOffset = 20;      // crsr1Data, then crsrMask, then crsrHotSpot
constexpr size_t kCrsrHotSpotOffset = 84;

}  // namespace zeb::quickdraw

#endif  // ZEB_QUICKDRAW_CURSOR_IMAGE_H

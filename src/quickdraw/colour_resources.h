// The checks of the colour resources as the Resource Manager hands them over (converted to the
// host's byte order): 'clut' colour tables, 'pltt' palettes, 'ppat' pixel patterns and 'cicn'
// colour icons. Each check proves that every offset, count and rowBytes x height the resource
// names lies inside it before anything is built from it; a resource that fails gives nil.
#ifndef ZEB_QUICKDRAW_COLOUR_RESOURCES_H
#define ZEB_QUICKDRAW_COLOUR_RESOURCES_H

#include <cstddef>
#include <cstdint>

namespace zeb::quickdraw {

// Record sizes in a resource: a colour table's header and entries, a pixel map and a bit map
// as stored (pointer fields are 32-bit offsets or placeholders there).
constexpr size_t kColourTableHeader = 8;
constexpr size_t kColourSpecSize = 8;
constexpr size_t kStoredPixMapSize = 50;
constexpr size_t kStoredBitMapSize = 14;
constexpr size_t kPaletteHeader = 16;
constexpr size_t kPaletteEntrySize = 16;
// 'ppat': type, pixel map offset, data offset, two private longs and a word, the 8-byte pattern.
constexpr size_t kStoredPixPatSize = 28;
// 'cicn': the pixel map, the mask and one-bit bit maps, the data handle placeholder.
constexpr size_t kStoredColourIconHeader = 82;

// A colour table at offset within data[0..size): the entry count (ctSize + 1, 0 for an empty
// table), or -1 when the header or the entries do not fit or ctSize is below -1.
int32_t CheckColourTable(const uint8_t* data, size_t size, size_t offset);

// A 'pltt': its entry count, or -1 when the count is negative or the entries do not fit.
int32_t CheckPaletteResource(const uint8_t* data, size_t size);

// A stored pixel map's image: where its rows, table and extent are.
struct StoredPixMap {
  int16_t top = 0, left = 0, bottom = 0, right = 0;
  int32_t rowBytes = 0;     // without the flag bits
  int depth = 0;
  bool direct = false;
  uint32_t tableOffset = 0; // the pmTable field: the colour table's offset in the resource
  size_t imageBytes = 0;    // rowBytes x height
};
// Reads the pixel map at offset; false when it does not fit, its bounds are inverted, its depth
// is unknown or its rows are too short for its width.
bool ReadStoredPixMap(const uint8_t* data, size_t size, size_t offset, StoredPixMap& out);

struct PixelPatternLayout {
  int16_t patType = 0;      // 0 the 8-byte pattern only, 1 a full pixel pattern, 2 an RGB pattern
  StoredPixMap map;         // for types 1 and 2
  size_t dataOffset = 0;    // pixel rows
  size_t tableOffset = 0;
  int32_t tableEntries = 0;
};
// A 'ppat': false for an unknown type, or a pixel map, data or colour table that does not fit
// (the rows must end before the resource does; the table must fit after the fixed part).
bool CheckPixelPattern(const uint8_t* data, size_t size, PixelPatternLayout& out);

struct ColourIconLayout {
  StoredPixMap map;
  int32_t maskRowBytes = 0, iconRowBytes = 0;  // the one-bit mask and image
  int16_t maskHeight = 0, iconHeight = 0;
  size_t maskOffset = 0, iconOffset = 0, tableOffset = 0, pixelOffset = 0;
  int32_t tableEntries = 0;
};
// A 'cicn': the mask rows, the one-bit rows, the colour table and the pixel rows follow the
// header in that order; false when any of them does not fit or a bit map's rows are too short
// for its width.
bool CheckColourIcon(const uint8_t* data, size_t size, ColourIconLayout& out);

}  // namespace zeb::quickdraw

#endif  // ZEB_QUICKDRAW_COLOUR_RESOURCES_H

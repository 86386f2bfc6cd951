// The library's extension behind a PixMap's Toolbox fields: where a pixel map's pixels live
// when Windows holds them. Copies of a pixel map copy both parts.
#ifndef ZEB_QUICKDRAW_PIXEL_MAP_RECORD_H
#define ZEB_QUICKDRAW_PIXEL_MAP_RECORD_H

#include <windows.h>

#include <cstdint>

#include "Quickdraw.h"

namespace zeb::quickdraw {

enum PixMapFlag : uint16_t {
  kPixConverted = 0x10,
  kPixInPackedDIB = 0x20,    // fields dib and rows
  kPixInDeviceBitmap = 0x40, // fields memoryDC, bitmap, previousBitmap
  kPixCustomPalette = 0x100,
  kPixOutsideDIB = 0x200,
  kPixOwnsDC = 0x800,        // memoryDC made by ZEB_SetPixBM: disposed of with the map
};

struct PixMapExtension {
  uint16_t flags;
  HDC driverDC;          // made by ZEB_OffScreenDC's driver path, 0 when none
  HDC memoryDC;
  HBITMAP bitmap;
  HBITMAP previousBitmap;
  uint16_t spare;
  Handle dib;            // packed DIB: header, colour table, rows
  void* rows;            // the DIB's first pixel row
  uint32_t spare2;
};

struct PixMapRecord {
  PixMap pm;
  PixMapExtension ext;
};

inline PixMapExtension& ExtensionOf(PixMapHandle pm) {
  return reinterpret_cast<PixMapRecord*>(*pm)->ext;
}

// A pixel map whose pmVersion is 0xC000 and packType 0xFFFF is an offscreen map held in a DIB.
constexpr uint16_t kDIBPixMapVersion = 0xC000;
constexpr uint16_t kDIBPixMapPackType = 0xFFFF;

}  // namespace zeb::quickdraw

#endif  // ZEB_QUICKDRAW_PIXEL_MAP_RECORD_H

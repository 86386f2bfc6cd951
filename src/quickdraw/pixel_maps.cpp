// Pixel map and pixel pattern records.
#include <cstring>

#include "MacMemory.h"
#include "frame/toolbox_globals.h"
#include "quickdraw/dib_pixmaps.h"
#include "quickdraw/pixel_map_record.h"
#include "quickdraw/quickdraw_state.h"

namespace zeb::quickdraw {
namespace {

// The Toolbox marks a pixel map's rowBytes with bit 15.
constexpr short kPixMapRowBytesFlag = static_cast<short>(0x8000);
constexpr Fixed k72Dpi = 72 << 16;
constexpr short kNoCachedBrush = -1;

CTabHandle CurrentDeviceTable() {
  GDHandle device = *frame::Globals().theGDevice;
  if (device && *device && (*device)->gdPMap && *(*device)->gdPMap)
    return (*(*device)->gdPMap)->pmTable;
  return nullptr;
}

short CurrentDeviceDepth() {
  GDHandle device = *frame::Globals().theGDevice;
  if (device && *device && (*device)->gdPMap && *(*device)->gdPMap)
    return (*(*device)->gdPMap)->pixelSize;
  return 8;
}

}  // namespace

PixMapHandle NewPixMapRecord(CTabHandle table) {
  Handle h = NewHandleClear(sizeof(PixMapRecord));
  if (!h) return nullptr;
  auto pm = reinterpret_cast<PixMapHandle>(h);
  PixMap& p = **pm;
  const short depth = CurrentDeviceDepth();
  p.rowBytes = kPixMapRowBytesFlag;
  p.hRes = k72Dpi;
  p.vRes = k72Dpi;
  p.pixelSize = depth;
  if (depth > 8) {
    p.pixelType = RGBDirect;
    p.cmpCount = 3;
    p.cmpSize = depth == 16 ? 5 : 8;
  } else {
    p.cmpCount = 1;
    p.cmpSize = depth;
  }
  p.pmTable = table;
  return pm;
}

void DisposePixMapRecord(PixMapHandle pm, bool disposeTable) {
  if (!pm || !*pm) return;
  if (disposeTable && (*pm)->pmTable) DisposeHandle(reinterpret_cast<Handle>((*pm)->pmTable));
  DisposeHandle(reinterpret_cast<Handle>(pm));
}

bool IsDIBPixMap(PixMapHandle pm) {
  return pm && *pm && static_cast<uint16_t>((*pm)->pmVersion) == kDIBPixMapVersion &&
         static_cast<uint16_t>((*pm)->packType) == kDIBPixMapPackType;
}

PixPatHandle NewPatternRecord(const uint8_t pattern[8]) {
  Handle h = NewHandleClear(sizeof(PixPat));
  if (!h) return nullptr;
  auto pp = reinterpret_cast<PixPatHandle>(h);
  (*pp)->patType = 0;
  (*pp)->patXValid = kNoCachedBrush;
  std::memcpy((*pp)->pat1Data.pat, pattern, 8);
  return pp;
}

void DisposePatternRecord(PixPatHandle pp) {
  if (!pp || !*pp) return;
  InvalidatePixPatBrush(pp);
  DisposeHandle(reinterpret_cast<Handle>(pp));
}

}  // namespace zeb::quickdraw

using namespace zeb;
using namespace zeb::quickdraw;

extern "C" {

PixMapHandle ZEBAPI NewPixMap(void) {
  // A pixel map of its own takes a copy of the current device's colour table.
  Handle table = reinterpret_cast<Handle>(CurrentDeviceTable());
  if (table && HandToHand(&table) != noErr) return nullptr;
  PixMapHandle pm = NewPixMapRecord(reinterpret_cast<CTabHandle>(table));
  if (!pm && table) DisposeHandle(table);
  return pm;
}

void ZEBAPI DisposePixMap(PixMapHandle pm) {
  ReleaseHeldBitmap(pm);
  ReleaseHeldDIB(pm);
  DisposePixMapRecord(pm, true);
}

}  // extern "C"

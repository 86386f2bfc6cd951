// Macintosh bit images as packed DIBs, and BitMapToRegion, which keeps such a DIB as the mask
// of a mask-form region.
#include <cstring>
#include <vector>

#include "Errors.h"
#include "MacMemory.h"
#include "frame/address32.h"
#include "quickdraw/pixel_map_record.h"
#include "quickdraw/quickdraw_state.h"
#include "quickdraw/rect_arithmetic.h"
#include "quickdraw/region_record.h"

namespace zeb::quickdraw {
namespace {

// rowBytes flags: bit 15 marks a pixel map; bits 15 and 14 together mark a colour port's
// portPixMap handle standing where a BitMap's baseAddr is.
constexpr uint16_t kPixMapFlag = 0x8000;
constexpr uint16_t kPortPixMapFlags = 0xC000;
constexpr uint16_t kRowBytesMask = 0x3FFF;
// Below this, a baseAddr is a drawing-context slot tag, not memory holding rows.
constexpr uintptr_t kLowestRowAddress = 0x10000;
// The largest image converted: 64 M pixels (an 8192 x 8192 map), far beyond any region's use;
// bounds beyond it are damaged rather than meant.
constexpr int64_t kLargestImagePixels = int64_t{1} << 26;

}  // namespace

OSErr BitImageToPackedDIB(const BitMap* map, std::vector<uint8_t>& dib, Rect& bounds,
                          bool oneBitOnly) {
  dib.clear();
  if (!map) return paramErr;
  const uint16_t flags = static_cast<uint16_t>(map->rowBytes);
  const PixMap* pm = nullptr;
  if ((flags & kPortPixMapFlags) == kPortPixMapFlags) {
    const auto pmh = reinterpret_cast<PixMapHandle>(map->baseAddr);
    if (!pmh || !*pmh) return cNoMemErr;
    pm = *pmh;
  } else if (flags & kPixMapFlag) {
    pm = reinterpret_cast<const PixMap*>(map);
  }
  const int depth = pm ? pm->pixelSize : 1;
  if (oneBitOnly && depth > 1) return pixmapTooDeepErr;
  // A pixel map whose pixels Windows holds (a DIB-backed map) has only a placeholder at
  // baseAddr: its rows are not there to read.
  if (pm && static_cast<uint16_t>(pm->pmVersion) == kDIBPixMapVersion &&
      static_cast<uint16_t>(pm->packType) == kDIBPixMapPackType)
    return cNoMemErr;
  const Ptr base = pm ? pm->baseAddr : map->baseAddr;
  const int rowBytes = (pm ? pm->rowBytes : map->rowBytes) & kRowBytesMask;
  bounds = pm ? pm->bounds : map->bounds;
  const int width = bounds.right - bounds.left, height = bounds.bottom - bounds.top;
  if (width <= 0 || height <= 0) {
    bounds = kEmptyRect;
    return noErr;
  }
  // Pixels held by a device or a Windows bitmap have no rows in memory to read.
  if (reinterpret_cast<uintptr_t>(base) < kLowestRowAddress) return cNoMemErr;
  if (static_cast<int64_t>(width) * height > kLargestImagePixels) return cNoMemErr;
  std::vector<uint32_t> palette;
  if (pm && depth > 1 && pm->pmTable && *pm->pmTable) {
    const ColorTable& ct = **pm->pmTable;
    for (int i = 0; i <= ct.ctSize && i < 256; ++i) {
      const RGBColor& c = ct.ctTable[i].rgb;
      palette.push_back(static_cast<uint32_t>((c.red >> 8) << 16 | (c.green >> 8) << 8 | (c.blue >> 8)));
    }
  }
  dib = PackedDIBFromRows(reinterpret_cast<const uint8_t*>(base), rowBytes, width, height, depth,
                          palette.empty() ? nullptr : palette.data(),
                          static_cast<int32_t>(palette.size()));
  return dib.empty() ? static_cast<OSErr>(cNoMemErr) : static_cast<OSErr>(noErr);
}

}  // namespace zeb::quickdraw

using namespace zeb;
using namespace zeb::quickdraw;

extern "C" {

OSErr ZEBAPI BitMapToRegion(RgnHandle rgn, const BitMap* bMap) {
  if (!RegionOf(rgn)) return paramErr;
  std::vector<uint8_t> dib;
  Rect bounds;
  const OSErr err = BitImageToPackedDIB(bMap, dib, bounds, true);
  if (err != noErr) return err;
  if (IsEmptyRect(bounds)) {
    MakeRectangleForm(rgn, kEmptyRect);
    return noErr;
  }
  RegionMask mask;
  if (!UnpackMask(dib.data(), dib.size(), bounds, mask)) return cNoMemErr;
  return MakeMaskForm(rgn, mask) == noErr ? static_cast<OSErr>(noErr) : static_cast<OSErr>(cNoMemErr);
}

OSErr ZEBAPI BitMapToRegionGlue(RgnHandle rgn, const BitMap* bMap) {
  return BitMapToRegion(rgn, bMap);
}

}  // extern "C"

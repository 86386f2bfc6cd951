// The region record behind a RgnHandle. Applications read rgnSize and rgnBBox in their Toolbox
// places; the shape itself is a GDI region whose handle follows the box, or, for the commonest
// case, no GDI region at all: a rectangle-form region is exactly its box, and its region field
// holds a shared sentinel. A third form keeps a one-bit mask bitmap.
#ifndef ZEB_QUICKDRAW_REGION_RECORD_H
#define ZEB_QUICKDRAW_REGION_RECORD_H

#include <windows.h>

#include <cstdint>

#include "Quickdraw.h"

namespace zeb::quickdraw {

ZEB_PACK2_BEGIN
struct RegionRecord {
  int16_t rgnSize;   // 10 for the rectangle and GDI forms, 14 for the mask form
  Rect rgnBBox;      // always current, in local coordinates
  uint32_t region;   // HRGN, or one of the two sentinels
  uint32_t mask;     // mask form only: handle to a packed one-bit DIB covering rgnBBox
};
ZEB_PACK2_END
static_assert(sizeof(RegionRecord) == 18, "region record with its mask field");

constexpr int16_t kRegionSize = 10;
constexpr int16_t kMaskRegionSize = 14;
constexpr long kRegionHandleSize = 14;      // rectangle and GDI forms
constexpr long kMaskRegionHandleSize = 18;  // the mask form

enum class RegionForm : uint8_t { Rectangle, Gdi, Mask };

// The record of a region handle, or null when the handle is NIL, purged or too small to be a
// region.
RegionRecord* RegionOf(RgnHandle rgn);
RegionForm FormOf(const RegionRecord& r);

// GDI handles fit 32 bits in both builds; Win64 sign-extends them.
inline HRGN RegionField(const RegionRecord& r) {
  return reinterpret_cast<HRGN>(static_cast<intptr_t>(static_cast<int32_t>(r.region)));
}
inline uint32_t ToRegionField(HRGN h) {
  return static_cast<uint32_t>(reinterpret_cast<intptr_t>(h));
}

HRGN RectangleSentinel();
HRGN MaskSentinel();
void DeleteRegionSentinels();

// Rectangle form with the given box (an empty box becomes (0, 0, 0, 0)); the GDI region or
// mask it had are released and a mask-form record shrinks back to 14 bytes.
void MakeRectangleForm(RgnHandle rgn, const Rect& box);

}  // namespace zeb::quickdraw

#endif  // ZEB_QUICKDRAW_REGION_RECORD_H

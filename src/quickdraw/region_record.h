// The region record behind a RgnHandle. Applications read rgnSize and rgnBBox in their Toolbox
// places; the shape itself is a GDI region whose handle follows the box, or, for the commonest
// case, no GDI region at all: a rectangle-form region is exactly its box, and its region field
// holds a shared sentinel. A third form keeps a one-bit mask bitmap.
#ifndef ZEB_QUICKDRAW_REGION_RECORD_H
#define ZEB_QUICKDRAW_REGION_RECORD_H

#include <windows.h>

#include <cstdint>
#include <vector>

#include "Quickdraw.h"
#include "quickdraw/region_mask.h"

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

// GDI handles are significant in their low 32 bits in both builds, and GDI takes them back
// sign-extended. Whether a field holds a particular handle is decided on those 32 bits: the
// handle GDI gave out may have come zero-extended, so comparing widened values would miss a
// handle whose bit 31 is set.
inline HRGN RegionField(const RegionRecord& r) {
  return reinterpret_cast<HRGN>(static_cast<intptr_t>(static_cast<int32_t>(r.region)));
}
inline uint32_t ToRegionField(HRGN h) {
  return static_cast<uint32_t>(reinterpret_cast<intptr_t>(h));
}
inline bool FieldHolds(const RegionRecord& r, HRGN h) {
  return h != nullptr && r.region == ToRegionField(h);
}

HRGN RectangleSentinel();
HRGN MaskSentinel();
void DeleteRegionSentinels();

// Rectangle form with the given box (an empty box becomes (0, 0, 0, 0)); the GDI region or
// mask it had are released and a mask-form record shrinks back to 14 bytes.
void MakeRectangleForm(RgnHandle rgn, const Rect& box);

// The mask of a mask-form region; false when its mask handle is not a mask of its box.
bool ReadMask(const RegionRecord& r, RegionMask& out);
// Mask form with the mask's pixels, cropped to them: a mask without pixels gives the empty
// region and a rectangular one the rectangle form. memFullErr when the record or the mask
// cannot get their memory; the region is then left as it was.
OSErr MakeMaskForm(RgnHandle rgn, const RegionMask& mask);
// The region's pixels as a mask over box (any form).
RegionMask ShapeMask(const RegionRecord& r, const Rect& box);
// A new GDI region of the region's shape in local coordinates (any form); null when GDI
// cannot make one.
HRGN NewGdiRegionOf(const RegionRecord& r);
HRGN GdiRegionFromRects(const std::vector<Rect>& rects);
// The region takes h as its shape: GDI form with the box refreshed, folded back to the
// rectangle form when h is a rectangle or empty.
void AdoptGdiShape(RgnHandle rgn, HRGN h);
// dst = src1 op src2 in every form combination; dst may be either source.
void CombineRegions(RgnHandle src1, RgnHandle src2, RgnHandle dst, RegionOp op);

}  // namespace zeb::quickdraw

#endif  // ZEB_QUICKDRAW_REGION_RECORD_H

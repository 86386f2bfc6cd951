// Region records: creation, disposal, copying and the rectangle form. The set operations,
// region drawing and recording extend this file's records.
#include <cstring>

#include "MacMemory.h"
#include "frame/address32.h"
#include "memory/memory_internal.h"
#include "quickdraw/quickdraw_state.h"
#include "quickdraw/rect_arithmetic.h"
#include "quickdraw/region_record.h"

namespace zeb::quickdraw {
namespace {

HRGN NewEmptyGdiRegion() { return CreateRectRgn(0, 0, 0, 0); }

bool IsSentinel(HRGN h) { return h == State().rectSentinel || h == State().maskSentinel; }

Handle MaskHandleOf(const RegionRecord& r) { return LongToAddress<char*>(r.mask); }

void ReleaseShape(RegionRecord* r) {
  const HRGN own = RegionField(*r);
  if (own && !IsSentinel(own)) DeleteObject(own);
  if (r->rgnSize == kMaskRegionSize && r->mask) DisposeHandle(MaskHandleOf(*r));
}

}  // namespace

HRGN RectangleSentinel() {
  if (!State().rectSentinel) State().rectSentinel = NewEmptyGdiRegion();
  return State().rectSentinel;
}

HRGN MaskSentinel() {
  if (!State().maskSentinel) State().maskSentinel = NewEmptyGdiRegion();
  return State().maskSentinel;
}

void DeleteRegionSentinels() {
  for (HRGN* h : {&State().rectSentinel, &State().maskSentinel, &State().scratchGdiRegion}) {
    if (*h) DeleteObject(*h);
    *h = nullptr;
  }
}

RegionRecord* RegionOf(RgnHandle rgn) {
  // NIL, emptied (master pointer 0 or 0xFFFF), foreign, or too small to be a region record.
  Handle h = reinterpret_cast<Handle>(rgn);
  if (memory::LiveHandleSize(h) < kRegionHandleSize) return nullptr;
  return reinterpret_cast<RegionRecord*>(*h);
}

RegionForm FormOf(const RegionRecord& r) {
  const HRGN h = RegionField(r);
  if (r.rgnSize == kMaskRegionSize && h == State().maskSentinel) return RegionForm::Mask;
  if (!h || h == State().rectSentinel || h == State().maskSentinel) return RegionForm::Rectangle;
  return RegionForm::Gdi;
}

void MakeRectangleForm(RgnHandle rgn, const Rect& box) {
  RegionRecord* r = RegionOf(rgn);
  if (!r) return;
  ReleaseShape(r);
  const bool wasMask = r->rgnSize != kRegionSize;
  r->rgnSize = kRegionSize;
  r->rgnBBox = IsEmptyRect(box) ? kEmptyRect : box;
  r->region = ToRegionField(RectangleSentinel());
  r->mask = 0;
  if (wasMask) SetHandleSize(reinterpret_cast<Handle>(rgn), kRegionHandleSize);
}

void OffsetRegion(RgnHandle rgn, short dh, short dv) {
  RegionRecord* r = RegionOf(rgn);
  if (!r || (dh == 0 && dv == 0)) return;
  if (FormOf(*r) == RegionForm::Gdi) OffsetRgn(RegionField(*r), dh, dv);
  r->rgnBBox.left = static_cast<short>(r->rgnBBox.left + dh);
  r->rgnBBox.right = static_cast<short>(r->rgnBBox.right + dh);
  r->rgnBBox.top = static_cast<short>(r->rgnBBox.top + dv);
  r->rgnBBox.bottom = static_cast<short>(r->rgnBBox.bottom + dv);
}

}  // namespace zeb::quickdraw

using namespace zeb;
using namespace zeb::quickdraw;

extern "C" {

RgnHandle ZEBAPI NewRgn(void) {
  Handle h = NewHandle(kRegionHandleSize);
  if (!h) return nullptr;
  auto* r = reinterpret_cast<RegionRecord*>(*h);
  r->rgnSize = kRegionSize;
  r->rgnBBox = kEmptyRect;
  r->region = ToRegionField(RectangleSentinel());
  return reinterpret_cast<RgnHandle>(h);
}

void ZEBAPI DisposeRgn(RgnHandle rgn) {
  if (!RegionOf(rgn)) return;
  MakeRectangleForm(rgn, kEmptyRect);
  DisposeHandle(reinterpret_cast<Handle>(rgn));
}

void ZEBAPI CopyRg(RgnHandle srcRgn, RgnHandle dstRgn) {
  if (srcRgn == dstRgn) return;
  const RegionRecord* src = RegionOf(srcRgn);
  RegionRecord* dst = RegionOf(dstRgn);
  if (!src || !dst) return;
  switch (FormOf(*src)) {
    case RegionForm::Rectangle:
      MakeRectangleForm(dstRgn, src->rgnBBox);
      return;
    case RegionForm::Gdi: {
      HRGN target = RegionField(*dst);
      if (FormOf(*dst) != RegionForm::Gdi) {
        MakeRectangleForm(dstRgn, kEmptyRect);
        target = NewEmptyGdiRegion();
        if (!target) return;
      }
      dst = RegionOf(dstRgn);
      src = RegionOf(srcRgn);
      CombineRgn(target, RegionField(*src), nullptr, RGN_COPY);
      dst->region = ToRegionField(target);
      dst->rgnBBox = src->rgnBBox;
      return;
    }
    case RegionForm::Mask: {
      Handle mask = MaskHandleOf(*src);
      const Rect box = src->rgnBBox;
      MakeRectangleForm(dstRgn, box);
      if (HandToHand(&mask) != noErr) return;
      if (!SetHandleSize(reinterpret_cast<Handle>(dstRgn), kMaskRegionHandleSize)) {
        DisposeHandle(mask);  // a record that cannot grow stays in rectangle form
        return;
      }
      dst = RegionOf(dstRgn);
      dst->rgnSize = kMaskRegionSize;
      dst->region = ToRegionField(MaskSentinel());
      dst->mask = AddressToLong(mask);
      return;
    }
  }
}

void ZEBAPI SetEmptyRgn(RgnHandle rgn) { MakeRectangleForm(rgn, kEmptyRect); }

void ZEBAPI SetRectRg(RgnHandle rgn, short left, short top, short right, short bottom) {
  MakeRectangleForm(rgn, MakeRect(left, top, right, bottom));
}

void ZEBAPI RectRgn(RgnHandle rgn, const Rect* r) {
  if (r) MakeRectangleForm(rgn, *r);
}

}  // extern "C"

// Region records in their three forms: creation, disposal, copying, the conversions between
// the forms, the set operations, and the questions asked of a region.
#include <cstring>
#include <vector>

#include "Errors.h"
#include "MacMemory.h"
#include "frame/address32.h"
#include "memory/memory_internal.h"
#include "quickdraw/quickdraw_internal.h"
#include "quickdraw/quickdraw_state.h"
#include "quickdraw/rect_arithmetic.h"
#include "quickdraw/region_record.h"

namespace zeb::quickdraw {
namespace {

HRGN NewEmptyGdiRegion() { return CreateRectRgn(0, 0, 0, 0); }

bool IsSentinel(HRGN h) {
  const uint32_t field = ToRegionField(h);
  return field == ToRegionField(State().rectSentinel) || field == ToRegionField(State().maskSentinel);
}

Handle MaskHandleOf(const RegionRecord& r) { return LongToAddress<char*>(r.mask); }

// Whether the record is long enough to hold the mask field (only a mask-form record is).
bool HasMaskField(RgnHandle rgn) {
  return memory::LiveHandleSize(reinterpret_cast<Handle>(rgn)) >= kMaskRegionHandleSize;
}

void ReleaseShape(RgnHandle rgn, RegionRecord* r) {
  const HRGN own = RegionField(*r);
  if (own && !IsSentinel(own)) DeleteObject(own);
  if (r->rgnSize == kMaskRegionSize && HasMaskField(rgn) && r->mask)
    DisposeHandle(MaskHandleOf(*r));
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
  for (HRGN* h : {&State().rectSentinel, &State().maskSentinel, &State().scratchGdiRegion,
                  &State().operandScratch[0], &State().operandScratch[1]}) {
    if (*h) DeleteObject(*h);
    *h = nullptr;
  }
  State().operandScratchSet[0] = State().operandScratchSet[1] = false;
}

RegionRecord* RegionOf(RgnHandle rgn) {
  // NIL, emptied (master pointer 0 or 0xFFFF), foreign, or too small to be a region record.
  Handle h = reinterpret_cast<Handle>(rgn);
  if (memory::LiveHandleSize(h) < kRegionHandleSize) return nullptr;
  return reinterpret_cast<RegionRecord*>(*h);
}

RegionForm FormOf(const RegionRecord& r) {
  const bool mask = FieldHolds(r, State().maskSentinel);
  if (r.rgnSize == kMaskRegionSize && mask) return RegionForm::Mask;
  if (!r.region || mask || FieldHolds(r, State().rectSentinel)) return RegionForm::Rectangle;
  return RegionForm::Gdi;
}

void MakeRectangleForm(RgnHandle rgn, const Rect& box) {
  RegionRecord* r = RegionOf(rgn);
  if (!r) return;
  ReleaseShape(rgn, r);
  const bool longRecord = HasMaskField(rgn);
  r->rgnSize = kRegionSize;
  r->rgnBBox = IsEmptyRect(box) ? kEmptyRect : box;
  r->region = ToRegionField(RectangleSentinel());
  // A 14-byte record has no mask field: writing one would run into the next block.
  if (longRecord) {
    r->mask = 0;
    SetHandleSize(reinterpret_cast<Handle>(rgn), kRegionHandleSize);
  }
}

bool ReadMask(const RegionRecord& r, RegionMask& out) {
  Handle mask = MaskHandleOf(r);
  const long size = memory::LiveHandleSize(mask);
  if (size <= 0) return false;
  return UnpackMask(reinterpret_cast<const uint8_t*>(*mask), static_cast<size_t>(size), r.rgnBBox,
                    out);
}

OSErr MakeMaskForm(RgnHandle rgn, const RegionMask& mask) {
  Rect inside;
  if (!RegionOf(rgn)) return paramErr;
  if (!mask.InsideBounds(inside)) {
    MakeRectangleForm(rgn, kEmptyRect);
    return noErr;
  }
  const RegionMask cropped = mask.Cropped(inside);
  std::vector<Rect> rects;
  cropped.InsideRects(rects);
  if (rects.size() == 1) {
    MakeRectangleForm(rgn, inside);
    return noErr;
  }
  const std::vector<uint8_t> dib = PackMask(cropped);
  Handle h = NewHandle(static_cast<Size>(dib.size()));
  if (!h) return memFullErr;
  std::memcpy(*h, dib.data(), dib.size());
  Handle record = reinterpret_cast<Handle>(rgn);
  if (!SetHandleSize(record, kMaskRegionHandleSize)) {
    DisposeHandle(h);
    return memFullErr;
  }
  RegionRecord* r = RegionOf(rgn);
  ReleaseShape(rgn, r);
  r->rgnSize = kMaskRegionSize;
  r->rgnBBox = inside;
  r->region = ToRegionField(MaskSentinel());
  r->mask = AddressToLong(h);
  return noErr;
}

HRGN GdiRegionFromRects(const std::vector<Rect>& rects) {
  std::vector<char> data(sizeof(RGNDATAHEADER) + rects.size() * sizeof(RECT));
  auto* rd = reinterpret_cast<RGNDATA*>(data.data());
  rd->rdh.dwSize = sizeof(RGNDATAHEADER);
  rd->rdh.iType = RDH_RECTANGLES;
  rd->rdh.nCount = static_cast<DWORD>(rects.size());
  rd->rdh.nRgnSize = static_cast<DWORD>(rects.size() * sizeof(RECT));
  RECT bound = {0, 0, 0, 0};
  auto* out = reinterpret_cast<RECT*>(rd->Buffer);
  for (size_t i = 0; i < rects.size(); ++i) {
    out[i] = {rects[i].left, rects[i].top, rects[i].right, rects[i].bottom};
    UnionRect(&bound, &bound, &out[i]);
  }
  rd->rdh.rcBound = bound;
  return ExtCreateRegion(nullptr, static_cast<DWORD>(data.size()), rd);
}

RegionMask ShapeMask(const RegionRecord& r, const Rect& box) {
  RegionMask m(box);
  switch (FormOf(r)) {
    case RegionForm::Rectangle:
      m.FillRect(r.rgnBBox);
      break;
    case RegionForm::Gdi: {
      const HRGN h = RegionField(r);
      const DWORD bytes = GetRegionData(h, 0, nullptr);
      if (!bytes) break;
      std::vector<char> data(bytes);
      if (!GetRegionData(h, bytes, reinterpret_cast<RGNDATA*>(data.data()))) break;
      const auto* rd = reinterpret_cast<const RGNDATA*>(data.data());
      const auto* rects = reinterpret_cast<const RECT*>(rd->Buffer);
      for (DWORD i = 0; i < rd->rdh.nCount; ++i)
        m.FillRect(MakeRect(rects[i].left, rects[i].top, rects[i].right, rects[i].bottom));
      break;
    }
    case RegionForm::Mask: {
      RegionMask own;
      if (ReadMask(r, own)) m.Combine(own, RegionOp::Union);
      break;
    }
  }
  return m;
}

HRGN NewGdiRegionOf(const RegionRecord& r) {
  switch (FormOf(r)) {
    case RegionForm::Gdi: {
      HRGN copy = NewEmptyGdiRegion();
      if (copy) CombineRgn(copy, RegionField(r), nullptr, RGN_COPY);
      return copy;
    }
    case RegionForm::Mask: {
      RegionMask own;
      if (!ReadMask(r, own)) return NewEmptyGdiRegion();
      std::vector<Rect> rects;
      own.InsideRects(rects);
      return GdiRegionFromRects(rects);
    }
    case RegionForm::Rectangle:
    default:
      if (IsEmptyRect(r.rgnBBox)) return NewEmptyGdiRegion();
      return CreateRectRgn(r.rgnBBox.left, r.rgnBBox.top, r.rgnBBox.right, r.rgnBBox.bottom);
  }
}

void AdoptGdiShape(RgnHandle rgn, HRGN h) {
  if (!h) return;
  RECT box;
  const int kind = GetRgnBox(h, &box);
  if (!RegionOf(rgn) || kind == NULLREGION || kind == SIMPLEREGION || kind == ERROR) {
    if (RegionOf(rgn))
      MakeRectangleForm(rgn, kind == SIMPLEREGION ? MakeRect(box.left, box.top, box.right,
                                                             box.bottom)
                                                  : kEmptyRect);
    DeleteObject(h);
    return;
  }
  MakeRectangleForm(rgn, kEmptyRect);
  RegionRecord* r = RegionOf(rgn);
  r->region = ToRegionField(h);
  r->rgnBBox = MakeRect(box.left, box.top, box.right, box.bottom);
}

void CombineRegions(RgnHandle src1, RgnHandle src2, RgnHandle dst, RegionOp op) {
  const RegionRecord* a = RegionOf(src1);
  const RegionRecord* b = RegionOf(src2);
  if (!a || !b || !RegionOf(dst)) return;
  const RegionForm fa = FormOf(*a), fb = FormOf(*b);
  if (op == RegionOp::Sect && fa == RegionForm::Rectangle && fb == RegionForm::Rectangle) {
    Rect both;
    IntersectRects(a->rgnBBox, b->rgnBBox, both);
    MakeRectangleForm(dst, both);
    return;
  }
  if (op == RegionOp::Union && fa == RegionForm::Rectangle && fb == RegionForm::Rectangle) {
    // Rectangles that make a rectangle need no GDI region.
    Rect joined;
    if (UniteIntoRectangle(a->rgnBBox, b->rgnBBox, joined)) {
      MakeRectangleForm(dst, joined);
      return;
    }
  }
  if (fa != RegionForm::Mask && fb != RegionForm::Mask) {
    static const int kModes[] = {RGN_AND, RGN_OR, RGN_DIFF, RGN_XOR};
    // GDI-form operands lend their own regions; rectangle-form ones go through two scratch
    // regions, so that only a new result needs a GDI object.
    QuickDrawState& s = State();
    HRGN* scratch = s.operandScratch;
    const RegionRecord* operands[2] = {a, b};
    HRGN gdi[2];
    for (int i = 0; i < 2; ++i) {
      if (FormOf(*operands[i]) == RegionForm::Gdi) {
        gdi[i] = RegionField(*operands[i]);
        continue;
      }
      if (!scratch[i]) {
        scratch[i] = NewEmptyGdiRegion();
        s.operandScratchSet[i] = false;
      }
      const Rect box = IsEmptyRect(operands[i]->rgnBBox) ? kEmptyRect : operands[i]->rgnBBox;
      // Only this function writes the scratch regions: one that holds the box already is used
      // as it stands, saving a GDI call when the same rectangle is combined again.
      if (scratch[i] && !(s.operandScratchSet[i] && SameRect(s.operandScratchBox[i], box))) {
        SetRectRgn(scratch[i], box.left, box.top, box.right, box.bottom);
        s.operandScratchBox[i] = box;
        s.operandScratchSet[i] = true;
      }
      gdi[i] = scratch[i];
    }
    if (!gdi[0] || !gdi[1]) return;
    // A union's box is the union of the operands' boxes (each exact, and neither empty here:
    // an empty operand is a rectangle, and rectangles that unite into one were handled above).
    // GDI's result kind then suffices and the box need not be asked for.
    const bool unionBoxKnown = op == RegionOp::Union && !IsEmptyRect(a->rgnBBox) &&
                               !IsEmptyRect(b->rgnBBox);
    Rect unionBox = kEmptyRect;
    if (unionBoxKnown) unionBox = UniteRects(a->rgnBBox, b->rgnBBox);
    RegionRecord* d = RegionOf(dst);
    if (FormOf(*d) == RegionForm::Gdi) {
      // Into dst's own region (GDI allows the destination to be a source).
      HRGN own = RegionField(*d);
      const int combined = CombineRgn(own, gdi[0], gdi[1], kModes[static_cast<int>(op)]);
      if (unionBoxKnown && (combined == COMPLEXREGION || combined == SIMPLEREGION)) {
        if (combined == COMPLEXREGION)
          d->rgnBBox = unionBox;
        else
          MakeRectangleForm(dst, unionBox);
        return;
      }
      RECT box;
      const int kind = GetRgnBox(own, &box);
      if (kind == COMPLEXREGION) {
        d->rgnBBox = MakeRect(box.left, box.top, box.right, box.bottom);
      } else {
        MakeRectangleForm(dst, kind == SIMPLEREGION
                                   ? MakeRect(box.left, box.top, box.right, box.bottom)
                                   : kEmptyRect);
      }
      return;
    }
    HRGN result = NewEmptyGdiRegion();
    if (!result) return;
    CombineRgn(result, gdi[0], gdi[1], kModes[static_cast<int>(op)]);
    AdoptGdiShape(dst, result);
    return;
  }
  const MaskOpPlan plan = PlanMaskOperation(op, a->rgnBBox, fa == RegionForm::Rectangle,
                                            b->rgnBBox, fb == RegionForm::Rectangle);
  switch (plan.kind) {
    case MaskOpPlan::kEmpty: MakeRectangleForm(dst, kEmptyRect); return;
    case MaskOpPlan::kRectangle: MakeRectangleForm(dst, plan.box); return;
    case MaskOpPlan::kCopyFirst: CopyRg(src1, dst); return;
    case MaskOpPlan::kCopySecond: CopyRg(src2, dst); return;
    case MaskOpPlan::kDraw: break;
  }
  // Both operands as fresh masks over the result's box: outside either shape nothing is set.
  RegionMask result = ShapeMask(*a, plan.box);
  result.Combine(ShapeMask(*RegionOf(src2), plan.box), op);
  MakeMaskForm(dst, result);
}

HRGN NewGdiRegionFromRgn(RgnHandle rgn) {
  const RegionRecord* r = RegionOf(rgn);
  return r ? NewGdiRegionOf(*r) : nullptr;
}

void SetRgnFromGdi(RgnHandle rgn, HRGN shape) {
  if (!RegionOf(rgn) || !shape) return;
  HRGN copy = NewEmptyGdiRegion();
  if (!copy) return;
  CombineRgn(copy, shape, nullptr, RGN_COPY);
  AdoptGdiShape(rgn, copy);
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

void ZEBAPI OffsetRg(RgnHandle rgn, short dh, short dv) { OffsetRegion(rgn, dh, dv); }

void ZEBAPI InsetRg(RgnHandle rgn, short dh, short dv) {
  RegionRecord* r = RegionOf(rgn);
  if (!r) return;
  // Only a rectangle insets exactly: any other shape is replaced by its box first. (A mask
  // keeps its pixels at its box, so an inset box could no longer hold it either.)
  MakeRectangleForm(rgn, InsetBy(r->rgnBBox, dh, dv));
}

void ZEBAPI SectRgn(RgnHandle src1, RgnHandle src2, RgnHandle dst) {
  CombineRegions(src1, src2, dst, RegionOp::Sect);
}
void ZEBAPI UnionRg(RgnHandle src1, RgnHandle src2, RgnHandle dst) {
  CombineRegions(src1, src2, dst, RegionOp::Union);
}
void ZEBAPI DiffRgn(RgnHandle src1, RgnHandle src2, RgnHandle dst) {
  CombineRegions(src1, src2, dst, RegionOp::Diff);
}
void ZEBAPI XorRg(RgnHandle src1, RgnHandle src2, RgnHandle dst) {
  CombineRegions(src1, src2, dst, RegionOp::Xor);
}

Boolean ZEBAPI PtInRgn(Point pt, RgnHandle rgn) {
  const RegionRecord* r = RegionOf(rgn);
  if (!r) return false;
  switch (FormOf(*r)) {
    case RegionForm::Gdi: return PtInRegion(RegionField(*r), pt.h, pt.v) != 0;
    case RegionForm::Mask: {
      // Outside the box there is no mask to read.
      if (!PointInRect(pt, r->rgnBBox)) return false;
      RegionMask mask;
      return ReadMask(*r, mask) && mask.Contains(pt);
    }
    case RegionForm::Rectangle:
    default: return PointInRect(pt, r->rgnBBox);
  }
}

Boolean ZEBAPI RectInRgn(const Rect* rect, RgnHandle rgn) {
  const RegionRecord* r = RegionOf(rgn);
  if (!r || !rect || IsEmptyRect(*rect)) return false;
  if (FormOf(*r) == RegionForm::Gdi) {
    // A Toolbox rectangle and a Windows RECT name the same pixels: passed unchanged, so that an
    // overlap in the last row or column, or a one-pixel-wide rectangle, is found.
    const RECT wr = {rect->left, rect->top, rect->right, rect->bottom};
    return RectInRegion(RegionField(*r), &wr) != 0;
  }
  const Rect& b = r->rgnBBox;
  return rect->left < b.right && rect->right > b.left && rect->top < b.bottom &&
         rect->bottom > b.top;
}

Boolean ZEBAPI EqualRg(RgnHandle rgnA, RgnHandle rgnB) {
  const RegionRecord* a = RegionOf(rgnA);
  const RegionRecord* b = RegionOf(rgnB);
  if (!a || !b) return false;
  const RegionForm fa = FormOf(*a), fb = FormOf(*b);
  if (fa == RegionForm::Mask || fb == RegionForm::Mask) {
    // Masks are compared pixel by pixel: two masks over one box may still differ.
    if (!SameRect(a->rgnBBox, b->rgnBBox)) return false;
    const RegionMask ma = ShapeMask(*a, a->rgnBBox), mb = ShapeMask(*b, a->rgnBBox);
    for (int32_t y = 0; y < ma.Height(); ++y)
      if (std::memcmp(ma.Row(y), mb.Row(y), static_cast<size_t>(ma.RowBytes())) != 0) return false;
    return true;
  }
  if (fa == RegionForm::Rectangle && fb == RegionForm::Rectangle)
    return SameRect(a->rgnBBox, b->rgnBBox);
  HRGN ga = NewGdiRegionOf(*a);
  HRGN gb = NewGdiRegionOf(*b);
  const bool same = ga && gb && EqualRgn(ga, gb);
  for (HRGN h : {ga, gb})
    if (h) DeleteObject(h);
  return same;
}

Boolean ZEBAPI EmptyRgn(RgnHandle rgn) {
  const RegionRecord* r = RegionOf(rgn);
  if (!r) return true;
  if (FormOf(*r) != RegionForm::Mask) return IsEmptyRect(r->rgnBBox);
  RegionMask mask;
  if (ReadMask(*r, mask) && mask.AnyInside()) return false;
  MakeRectangleForm(rgn, kEmptyRect);
  return true;
}

void ZEBAPI MapRgn(RgnHandle rgn, const Rect* srcRect, const Rect* dstRect) {
  if (!srcRect || !dstRect) return;
  // Only a translation is carried out: a region is not scaled.
  if (srcRect->right - srcRect->left != dstRect->right - dstRect->left ||
      srcRect->bottom - srcRect->top != dstRect->bottom - dstRect->top)
    return;
  OffsetRegion(rgn, static_cast<short>(dstRect->left - srcRect->left),
               static_cast<short>(dstRect->top - srcRect->top));
}

HRGN ZEBAPI ZEB_RgnSetToFakeRectRgn(RgnHandle rgn) {
  if (RegionOf(rgn) && FormOf(*RegionOf(rgn)) != RegionForm::Rectangle)
    MakeRectangleForm(rgn, RegionOf(rgn)->rgnBBox);
  return RectangleSentinel();
}

HRGN ZEBAPI ZEB_RgnSetToRealRectRgn(RgnHandle rgn) {
  RegionRecord* r = RegionOf(rgn);
  if (!r) return nullptr;
  if (FormOf(*r) == RegionForm::Gdi) return RegionField(*r);
  // A mask-form region keeps its pixels in the GDI region it becomes.
  HRGN made = NewGdiRegionOf(*r);
  if (!made) return nullptr;
  const Rect box = r->rgnBBox;
  MakeRectangleForm(rgn, kEmptyRect);
  r = RegionOf(rgn);
  r->region = ToRegionField(made);
  r->rgnBBox = box;
  return RegionField(*r);  // as every later call answers it
}

void ZEBAPI ZEB_RgnGetBBoxRECTFromRgn(RgnHandle rgn, RECT* winRect) {
  RegionRecord* r = RegionOf(rgn);
  if (!r || !winRect) return;
  if (FormOf(*r) == RegionForm::Gdi) {
    GetRgnBox(RegionField(*r), winRect);
    r->rgnBBox = MakeRect(winRect->left, winRect->top, winRect->right, winRect->bottom);
  } else {
    *winRect = {r->rgnBBox.left, r->rgnBBox.top, r->rgnBBox.right, r->rgnBBox.bottom};
  }
}

short ZEBAPI ZEB_IsRectRgn(RgnHandle rgn) {
  RegionRecord* r = RegionOf(rgn);
  if (!r) return 0;
  const RegionForm form = FormOf(*r);
  if (form == RegionForm::Rectangle) return 1;
  if (SameRect(r->rgnBBox, kEmptyRect) && form == RegionForm::Gdi) {
    MakeRectangleForm(rgn, kEmptyRect);
    return 1;
  }
  if (form != RegionForm::Gdi) return 0;
  RECT box;
  if (GetRgnBox(RegionField(*r), &box) == SIMPLEREGION) {
    MakeRectangleForm(rgn, MakeRect(box.left, box.top, box.right, box.bottom));
    return 1;
  }
  return 0;
}

}  // extern "C"

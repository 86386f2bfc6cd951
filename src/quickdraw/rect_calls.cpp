// The Toolbox's rectangle and point calls.
#include "Quickdraw.h"
#include "quickdraw/rect_arithmetic.h"

using namespace zeb::quickdraw;

extern "C" {

void ZEBAPI SetRec(Rect* r, short left, short top, short right, short bottom) {
  if (r) *r = MakeRect(left, top, right, bottom);
}

void ZEBAPI OffsetRec(Rect* r, short dh, short dv) {
  if (!r) return;
  *r = MakeRect(r->left + dh, r->top + dv, r->right + dh, r->bottom + dv);
}

void ZEBAPI InsetRec(Rect* r, short dh, short dv) {
  if (r) *r = InsetBy(*r, dh, dv);
}

Boolean ZEBAPI SectRect(const Rect* src1, const Rect* src2, Rect* dstRect) {
  if (!src1 || !src2) return false;
  Rect out;
  const bool overlap = IntersectRects(*src1, *src2, out);
  if (dstRect) *dstRect = out;
  return overlap;
}

void ZEBAPI UnionRec(const Rect* src1, const Rect* src2, Rect* dstRect) {
  if (src1 && src2 && dstRect) *dstRect = UniteRects(*src1, *src2);
}

Boolean ZEBAPI PtInRec(Point pt, const Rect* r) { return r && PointInRect(pt, *r); }

Boolean ZEBAPI EqualRec(const Rect* rect1, const Rect* rect2) {
  return rect1 && rect2 && SameRect(*rect1, *rect2);
}

Boolean ZEBAPI EmptyRect(const Rect* r) { return !r || IsEmptyRect(*r); }

void ZEBAPI Pt2Rect(Point pt1, Point pt2, Rect* dstRect) {
  if (dstRect) *dstRect = RectFromPoints(pt1, pt2);
}

void ZEBAPI SetPt(Point* pt, short h, short v) {
  if (pt) *pt = Point{v, h};
}

void ZEBAPI AddPt(Point src, Point* dst) {
  if (!dst) return;
  dst->h = static_cast<short>(dst->h + src.h);
  dst->v = static_cast<short>(dst->v + src.v);
}

void ZEBAPI SubPt(Point src, Point* dst) {
  if (!dst) return;
  dst->h = static_cast<short>(dst->h - src.h);
  dst->v = static_cast<short>(dst->v - src.v);
}

Boolean ZEBAPI EqualPt(Point pt1, Point pt2) { return pt1.h == pt2.h && pt1.v == pt2.v; }

void ZEBAPI MapPt(Point* pt, const Rect* srcRect, const Rect* dstRect) {
  if (pt && srcRect && dstRect) *pt = MapPoint(*pt, *srcRect, *dstRect);
}

void ZEBAPI MapRect(Rect* r, const Rect* srcRect, const Rect* dstRect) {
  if (!r || !srcRect || !dstRect) return;
  const Point topLeft = MapPoint(Point{r->top, r->left}, *srcRect, *dstRect);
  const Point botRight = MapPoint(Point{r->bottom, r->right}, *srcRect, *dstRect);
  *r = {topLeft.v, topLeft.h, botRight.v, botRight.h};
}

}  // extern "C"

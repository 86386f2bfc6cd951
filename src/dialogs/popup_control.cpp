// The library's own pop-up menu control definition (procIDs 1008..1023): a title on the left and
// a box showing the chosen item of a 'MENU', which drops down through PopUpMenuSelect.
//
// As in the Toolbox, the creation arguments carry the definition's settings: contrlMin is the
// 'MENU' ID, contrlMax the title width in pixels, contrlValue the title's text style. Once the
// menu is read the control's range becomes 1..item count and its value the chosen item.
#include <algorithm>
#include <cstdint>
#include <cstring>

#include "Controls.h"
#include "Fonts.h"
#include "MacMemory.h"
#include "Menus.h"
#include "Quickdraw.h"
#include "dialogs/control_manager.h"

namespace zeb::controls {
namespace {

constexpr short kTitlePart = 1;
constexpr short kBoxPart = 2;
constexpr short kArrowRoom = 18;  // the box's right end holds the drop-down triangle
constexpr short kTextInset = 4;
// The box's frame and drop shadow take this many pixels beyond the item text and the triangle.
constexpr short kBoxEdges = 3;
constexpr short kFixedWidthVariant = popupFixedWidth;

// The definition's private record, kept in contrlData.
struct PopUpData {
  MenuHandle menu;  // null when the 'MENU' is missing: the control then tracks nothing
  Rect titleRect;
  Rect boxRect;
  short variant;
  short titleWidth;
  short titleStyle;
};

PopUpData* DataOf(ControlHandle c) {
  Handle h = (*c)->contrlData;
  return h && *h && GetHandleSize(h) >= static_cast<long>(sizeof(PopUpData)) ? reinterpret_cast<PopUpData*>(*h)
                                                                            : nullptr;
}

// The title takes titleWidth pixels from the left (never more than the control); the box the rest.
void Layout(ControlHandle c, PopUpData* d) {
  const Rect& r = (*c)->contrlRect;
  const short width = static_cast<short>(std::max(0, r.right - r.left));
  const short title = static_cast<short>(std::min<int>(std::max<short>(d->titleWidth, 0), width));
  d->titleRect = Rect{r.top, r.left, r.bottom, static_cast<short>(r.left + title)};
  d->boxRect = Rect{r.top, static_cast<short>(r.left + title), r.bottom, r.right};
}

bool InRect(Point p, const Rect& r) {
  return p.v >= r.top && p.v < r.bottom && p.h >= r.left && p.h < r.right;
}

Point PointOfParam(long param) {
  const uint32_t u = static_cast<uint32_t>(param);
  return Point{static_cast<short>(u >> 16), static_cast<short>(u & 0xFFFF)};
}

short Baseline(const Rect& r) {
  FontInfo fi{};
  GetFontInfo(&fi);
  const int textHeight = fi.ascent + fi.descent;
  return static_cast<short>(r.top + std::max(0, (r.bottom - r.top - textHeight) / 2) + fi.ascent);
}

void DrawFitted(const unsigned char* text, const Rect& r, short inset) {
  MoveTo(static_cast<short>(r.left + inset), Baseline(r));
  // The text may not run under the triangle or past the rectangle.
  Str255 fitted;
  const int room = r.right - r.left - inset - kArrowRoom;
  unsigned char n = text[0];
  std::memcpy(fitted, text, n + 1u);
  while (n > 0 && StringWidth(fitted) > room) fitted[0] = --n;
  DrawString(fitted);
}

void Draw(ControlHandle c, PopUpData* d) {
  GrafPtr old = nullptr;
  GetPort(&old);
  if ((*c)->contrlOwner) SetPort((*c)->contrlOwner);
  PenState pen;
  GetPenState(&pen);
  GrafPtr port = nullptr;
  GetPort(&port);
  const short face = port ? port->txFace : 0;
  PenNormal();
  Layout(c, d);
  EraseRect(&(*c)->contrlRect);
  if (d->titleRect.right > d->titleRect.left) {
    TextFace(d->titleStyle);
    DrawFitted((*c)->contrlTitle, d->titleRect, 0);
    TextFace(face);
  }
  // The box with its drop shadow, the chosen item and the triangle.
  Rect box = d->boxRect;
  if (box.right - box.left > 3 && box.bottom - box.top > 3) {
    box.right -= 1;
    box.bottom -= 1;
    FrameRect(&box);
    MoveTo(static_cast<short>(box.left + 2), box.bottom);
    LineTo(box.right, box.bottom);
    LineTo(box.right, static_cast<short>(box.top + 2));
    if (d->menu) {
      Str255 item;
      GetMenuItemText(d->menu, (*c)->contrlValue, item);
      DrawFitted(item, box, kTextInset);
    }
    const short mid = static_cast<short>((box.top + box.bottom) / 2 - 2);
    const short right = static_cast<short>(box.right - 6);
    for (short i = 0; i < 5; ++i) {
      MoveTo(static_cast<short>(right - 10 + i), static_cast<short>(mid + i));
      LineTo(static_cast<short>(right - i), static_cast<short>(mid + i));
    }
  }
  if ((*c)->contrlHilite == kInactive) {
    // An inactive pop-up is dimmed: every other pixel cleared.
    static const Pattern kGray = {{0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55}};
    PenPat(&kGray);
    PenMode(patBic);
    PaintRect(&(*c)->contrlRect);
  } else if ((*c)->contrlHilite == kTitlePart) {
    InvertRect(&d->titleRect);
  }
  SetPenState(&pen);
  SetPort(old);
}

// As the Toolbox's pop-up does, the control's rectangle is made as wide as the title plus a box
// that holds the widest item with its triangle, unless the variant keeps the width given. The
// items are measured in the owner port's font.
void FitBoxToWidestItem(ControlHandle c, MenuHandle menu, short titleWidth) {
  const short count = CountMItems(menu);
  if (count <= 0) return;
  GrafPtr old = nullptr;
  GetPort(&old);
  if ((*c)->contrlOwner) SetPort((*c)->contrlOwner);
  short widest = 0;
  for (short i = 1; i <= count; ++i) {
    Str255 item;
    GetMenuItemText(menu, i, item);
    widest = std::max(widest, StringWidth(item));
  }
  SetPort(old);
  Rect& r = (*c)->contrlRect;
  const long right = static_cast<long>(r.left) + std::max<short>(titleWidth, 0) + kTextInset + widest +
                     kArrowRoom + kBoxEdges;
  r.right = static_cast<short>(std::min<long>(right, 32767));
}

void Init(ControlHandle c) {
  ControlPtr r = *c;
  Handle h = NewHandleClear(sizeof(PopUpData));
  r = *c;
  const short menuId = r->contrlMin;
  const short titleWidth = r->contrlMax;
  const short titleStyle = r->contrlValue;
  MenuHandle menu = GetMen(menuId);
  r = *c;
  if (menu && !(r->zebVariant & kFixedWidthVariant)) {
    FitBoxToWidestItem(c, menu, titleWidth);
    r = *c;
  }
  if (h) {
    PopUpData* d = reinterpret_cast<PopUpData*>(*h);
    d->menu = menu;
    d->variant = r->zebVariant;
    d->titleWidth = titleWidth;
    d->titleStyle = titleStyle;
    r->contrlData = h;
    Layout(c, d);
  }
  // Without its menu the range is a single, empty choice: the value stays 1 and tracking has
  // nothing to offer.
  const short count = menu ? CountMItems(menu) : 0;
  r->contrlMin = 1;
  r->contrlMax = std::max<short>(count, 1);
  r->contrlValue = 1;
}

void Track(ControlHandle c, PopUpData* d) {
  if (!d || !d->menu || CountMItems(d->menu) == 0) return;
  Layout(c, d);
  GrafPtr old = nullptr;
  GetPort(&old);
  SetPort((*c)->contrlOwner);
  const bool titled = d->titleRect.right > d->titleRect.left;
  if (titled) InvertRect(&d->titleRect);
  Point at = {d->boxRect.top, d->boxRect.left};
  LocalToGlobal(&at);
  const long chosen = PopUpMenuSelect(d->menu, at.v, at.h, (*c)->contrlValue);
  const short item = static_cast<short>(chosen & 0xFFFF);
  if (titled) InvertRect(&d->titleRect);
  SetPort(old);
  // A chosen item becomes the value (SetControlValue keeps it in range and redraws); a menu
  // left without a choice keeps the value.
  if (item > 0) SetControlValue(c, item);
  else Draw(c, d);
}

}  // namespace

long ZEBAPI PopUpDefinition(short varCode, ControlHandle control, short message, long param) {
  (void)varCode;
  if (!Valid(control)) return 0;
  switch (message) {
    case initCntl: Init(control); return 0;
    case dispCntl:
      if ((*control)->contrlData) {
        DisposeHandle((*control)->contrlData);
        (*control)->contrlData = nullptr;
      }
      return 0;
    case drawCntl:
      if (PopUpData* d = DataOf(control); d && (*control)->contrlVis) Draw(control, d);
      return 0;
    case testCntl: {
      PopUpData* d = DataOf(control);
      if (!d || !(*control)->contrlVis || (*control)->contrlHilite == kInactive) return 0;
      Layout(control, d);
      const Point p = PointOfParam(param);
      if (InRect(p, d->boxRect)) return kBoxPart;
      if (InRect(p, d->titleRect)) return kTitlePart;
      return 0;
    }
    case autoTrack:
      if (static_cast<short>(param) == kBoxPart) Track(control, DataOf(control));
      return 0;
    default:
      // The pop-up has no indicator: dragging, thumbs and regions answer 0.
      return 0;
  }
}

bool IsLibraryPopUp(ControlHandle control) {
  return Valid(control) && (*control)->zebCustom &&
         reinterpret_cast<void*>((*control)->contrlDefProc) == reinterpret_cast<void*>(&PopUpDefinition);
}

MenuHandle PopUpMenuOf(ControlHandle control) {
  if (!IsLibraryPopUp(control)) return nullptr;
  PopUpData* d = DataOf(control);
  return d ? d->menu : nullptr;
}

}  // namespace zeb::controls

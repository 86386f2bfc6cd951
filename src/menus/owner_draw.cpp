// Owner-drawn menu items (WM_MEASUREITEM and WM_DRAWITEM): styled and icon items of standard
// menus, and custom menus drawn by their definition procedures.
#include <windows.h>

#include <algorithm>
#include <cstring>
#include <string>

#include "MacMemory.h"
#include "Menus.h"
#include "Resources.h"
#include "frame/frame_internal.h"
#include "menus/menu_state.h"
#include "quickdraw/quickdraw_internal.h"

namespace zeb::menus {
namespace {

constexpr ResType kICON = ZEB_FOURCC('I', 'C', 'O', 'N');
constexpr ResType kSICN = ZEB_FOURCC('S', 'I', 'C', 'N');
constexpr int kIconGap = 6;
constexpr int kSuffixInset = 15;
constexpr COLORREF kSeparatorGrey = RGB(128, 128, 128);
// Key equivalents below this are markers or control characters, never drawn as a suffix.
constexpr uint8_t kLowestShownKey = 31;

// A 1-bit Macintosh icon ('ICON' 32 by 32, 'SICN' 16 by 16, rows of whole 16-bit words) drawn
// black where its bits are set, leaving the rest as it is.
bool DrawBitIcon(HDC dc, int x, int y, ResType type, int id, int side) {
  Handle h = GetResource(type, static_cast<short>(id));
  const long need = side * side / 8;
  if (!h || !*h || GetHandleSize(h) < need) return false;
  // Windows' monochrome bitmaps read 1 as the background colour: the Toolbox's bits are
  // inverted so that set bits become 0, drawn in the text colour.
  std::vector<uint8_t> bits(static_cast<size_t>(need));
  for (long i = 0; i < need; ++i) bits[static_cast<size_t>(i)] = static_cast<uint8_t>(~(*h)[i]);
  HBITMAP bm = CreateBitmap(side, side, 1, 1, bits.data());
  if (!bm) return false;
  HDC mem = CreateCompatibleDC(dc);
  HGDIOBJ old = SelectObject(mem, bm);
  const COLORREF text = SetTextColor(dc, RGB(0, 0, 0));
  const COLORREF back = SetBkColor(dc, RGB(255, 255, 255));
  BitBlt(dc, x, y, side, side, mem, 0, 0, SRCAND);
  SetTextColor(dc, text);
  SetBkColor(dc, back);
  SelectObject(mem, old);
  DeleteDC(mem);
  DeleteObject(bm);
  return true;
}

HFONT StyledFont(uint8_t style) {
  const MenuState& s = State();
  LOGFONTA lf{};
  if (s.popUpFont && s.popUpHFont) GetObjectA(s.popUpHFont, sizeof lf, &lf);
  else GetObjectA(MenuFont(), sizeof lf, &lf);
  if (style & 1) lf.lfWeight = std::min(1000L, (lf.lfWeight ? lf.lfWeight : FW_NORMAL) * 2);
  if (style & 2) lf.lfItalic = 1;
  if (style & 4) lf.lfUnderline = 1;
  if (style & kStrikeOutStyle) lf.lfStrikeOut = 1;
  return CreateFontIndirectA(&lf);
}

struct ItemView {
  MenuHandle menu = nullptr;
  std::vector<uint8_t> image;
  const uint8_t* entry = nullptr;
  int item = 0;
};

bool ViewOf(const OwnerDrawEntry& e, ItemView& v) {
  v.menu = e.menu;
  v.item = e.item;
  if (!ReadImage(e.menu, v.image)) return false;
  const size_t at = ItemOffset(v.image.data(), v.image.size(), e.item);
  if (!at) return false;
  v.entry = &v.image[at];
  return true;
}

std::string ItemText(const uint8_t* entry) {
  return std::string(reinterpret_cast<const char*>(entry + 1), entry[0]);
}

LRESULT Measure(MEASUREITEMSTRUCT* mis) {
  const OwnerDrawEntry* e = OwnerDrawAt(static_cast<size_t>(mis->itemData));
  if (!e) return 0;
  MenuState& s = State();
  if (MenuDefProcPtr proc = DefinitionOf(e->menu)) {
    Rect r = {0, 0, 0, 0};
    Point p = {0, 0};
    short item = 0;
    proc(mSizeMsg, e->menu, &r, p, &item);
    const uint8_t* b = reinterpret_cast<uint8_t*>(*e->menu);
    mis->itemWidth = static_cast<int16_t>(ReadWord(b + kMenuWidthOffset));
    mis->itemHeight = static_cast<int16_t>(ReadWord(b + kMenuHeightOffset));
    return 1;
  }
  ItemView v;
  if (!ViewOf(*e, v)) return 0;
  const uint8_t* t = v.entry + 1 + v.entry[0];
  HDC dc = GetDC(nullptr);
  HFONT font = StyledFont(t[kStyleField]);
  HGDIOBJ old = SelectObject(dc, font);
  const std::string text = ItemText(v.entry);
  SIZE extent{0, 0};
  GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &extent);
  int width = extent.cx + GetSystemMetrics(SM_CXMENUCHECK) + s.checkMarginLeft + s.checkMarginRight;
  const int icon = t[kIconField];
  if (icon) width += ItemIconSize(v.entry).cx + kIconGap;
  const std::string suffix = KeyEquivalentText(KeyOfItem(v.entry), s.formats);
  if (!suffix.empty()) {
    SIZE k{0, 0};
    GetTextExtentPoint32A(dc, suffix.c_str(), static_cast<int>(suffix.size()), &k);
    width += k.cx + 2 * kSuffixInset;
  }
  SelectObject(dc, old);
  DeleteObject(font);
  ReleaseDC(nullptr, dc);
  mis->itemWidth = static_cast<UINT>(width);
  mis->itemHeight = static_cast<UINT>((icon ? ItemIconSize(v.entry).cy : s.lineHeight) + 2);
  return 1;
}

LRESULT Draw(DRAWITEMSTRUCT* dis) {
  const OwnerDrawEntry* e = OwnerDrawAt(static_cast<size_t>(dis->itemData));
  if (!e) return 0;
  MenuState& s = State();
  HDC dc = dis->hDC;
  const RECT rc = dis->rcItem;
  if (MenuDefProcPtr proc = DefinitionOf(e->menu)) {
    Rect r = {static_cast<short>(rc.top), static_cast<short>(rc.left),
              static_cast<short>(rc.bottom), static_cast<short>(rc.right)};
    Point p = {0, 0};
    short item = 0;
    // The definition draws with QuickDraw: give it a port on the menu's own DC for the call.
    // The DC is Windows' and goes back to it as it came.
    GrafPtr saved = nullptr;
    GetPort(&saved);
    const int dcState = SaveDC(dc);
    CGrafPort port{};
    OpenPortForHDC(&port, dc);
    SetPort(reinterpret_cast<GrafPtr>(&port));
    proc(mDrawMsg, e->menu, &r, p, &item);
    SetPort(saved);
    CloseCPort(&port);
    if (dcState) RestoreDC(dc, dcState);
    return 1;
  }
  ItemView v;
  if (!ViewOf(*e, v)) return 0;
  short savedFile = 0;
  bool switched = false;
  for (const auto& r : s.resFiles) {
    if (r.menu && r.menu == e->menu) {
      savedFile = CurResFile();
      UseResFile(r.refNum);
      switched = true;
    }
  }
  const uint8_t* t = v.entry + 1 + v.entry[0];
  const bool selected = (dis->itemState & ODS_SELECTED) != 0;
  const bool grey = (dis->itemState & (ODS_GRAYED | ODS_DISABLED)) != 0;
  const bool separator = ItemIsSeparator(v.entry) && v.entry[0] == 1;
  if (separator) {
    HBRUSH b = CreateSolidBrush(s.menuColour);
    FillRect(dc, &rc, b);
    DeleteObject(b);
    HPEN pen = CreatePen(PS_SOLID, 1, kSeparatorGrey);
    HGDIOBJ oldPen = SelectObject(dc, pen);
    const int mid = (rc.top + rc.bottom) / 2;
    MoveToEx(dc, rc.left, mid, nullptr);
    LineTo(dc, rc.right, mid);
    SelectObject(dc, oldPen);
    DeleteObject(pen);
  } else {
    HBRUSH b = CreateSolidBrush(selected ? s.highlight : s.menuColour);
    FillRect(dc, &rc, b);
    DeleteObject(b);
    SetTextColor(dc, grey ? s.grayText : (selected ? s.highlightText : s.menuText));
    SetBkMode(dc, TRANSPARENT);
    const int checkWidth = GetSystemMetrics(SM_CXMENUCHECK);
    if (t[kMarkField] && t[kKeyField] != kHierarchicalKey) {
      const int checkHeight = GetSystemMetrics(SM_CYMENUCHECK);
      RECT box{rc.left + s.checkMarginLeft, rc.top + (rc.bottom - rc.top - checkHeight) / 2, 0, 0};
      box.right = box.left + checkWidth;
      box.bottom = box.top + checkHeight;
      HDC mem = CreateCompatibleDC(dc);
      HBITMAP mark = CreateBitmap(checkWidth, checkHeight, 1, 1, nullptr);
      HGDIOBJ oldMark = SelectObject(mem, mark);
      RECT all{0, 0, checkWidth, checkHeight};
      DrawFrameControl(mem, &all, DFC_MENU, DFCS_MENUCHECK);
      BitBlt(dc, box.left, box.top, checkWidth, checkHeight, mem, 0, 0, SRCAND);
      SelectObject(mem, oldMark);
      DeleteObject(mark);
      DeleteDC(mem);
    }
    int x = rc.left + checkWidth + s.checkMarginLeft + s.checkMarginRight;
    const int icon = t[kIconField];
    if (icon) {
      const SIZE size = ItemIconSize(v.entry);
      const int y = rc.top + std::max<int>(1, (rc.bottom - rc.top - size.cy) / 2);
      const short id = static_cast<short>(kIconResourceBase + icon);
      // A small-icon item shows its 'SICN'; others their 'cicn', or the 'ICON' without one.
      const bool small = t[kKeyField] == kSmallIconKey;
      if (small) DrawBitIcon(dc, x, y, kSICN, id, 16);
      else if (!quickdraw::DrawColourIconResource(dc, x, y, id))
        DrawBitIcon(dc, x, y, kICON, id, t[kKeyField] == kReducedIconKey ? 16 : 32);
      x += size.cx + kIconGap;
    }
    HFONT font = StyledFont(t[kStyleField]);
    HGDIOBJ oldFont = SelectObject(dc, font);
    SIZE probe{0, 0};
    GetTextExtentPoint32A(dc, "ABCjpq", 6, &probe);
    const int y = std::max<int>(rc.top, rc.top + (rc.bottom - rc.top - probe.cy) / 2);
    const std::string text = ItemText(v.entry);
    TextOutA(dc, (t[kStyleField] & 2) ? x - 1 : x, y, text.c_str(), static_cast<int>(text.size()));
    if (t[kKeyField] > kLowestShownKey) {
      const std::string suffix = KeyEquivalentText(KeyOfItem(v.entry), s.formats);
      std::string shown = suffix;
      if (!shown.empty() && shown[0] == '\t') shown.erase(0, 1);
      SIZE k{0, 0};
      GetTextExtentPoint32A(dc, shown.c_str(), static_cast<int>(shown.size()), &k);
      TextOutA(dc, rc.right - kSuffixInset - k.cx, y, shown.c_str(), static_cast<int>(shown.size()));
    }
    SelectObject(dc, oldFont);
    DeleteObject(font);
  }
  if (switched) UseResFile(savedFile);
  return 1;
}

}  // namespace
}  // namespace zeb::menus

using namespace zeb::menus;

extern "C" LRESULT ZEBAPI ZEB_MenuUserItem(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  (void)hwnd;
  (void)wParam;
  if (!lParam) return 0;
  if (message == WM_MEASUREITEM) {
    auto* mis = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
    return mis->CtlType == ODT_MENU ? Measure(mis) : 0;
  }
  if (message == WM_DRAWITEM) {
    auto* dis = reinterpret_cast<DRAWITEMSTRUCT*>(lParam);
    return dis->CtlType == ODT_MENU ? Draw(dis) : 0;
  }
  return 0;
}

// The non-client glue (the small caption of floating palettes, the notification icon in the
// frame's caption), the tracking sizes and the fitting of system menus.
#include "MacWindows.h"
#include "dialogs/dialogs_internal.h"
#include "events/events_internal.h"
#include "frame/frame_internal.h"
#include "menus/menus_internal.h"
#include "osutils/osutils_internal.h"
#include "quickdraw/quickdraw_internal.h"
#include "windows/windows_internal.h"

namespace zeb::frame {
namespace {

constexpr int kModalWindowUp = 28;
constexpr int kIconSide = 16;
constexpr int kPaletteZooms = 0x8;
constexpr int kFirstPalette = 720, kLastPalette = 735;

bool HasZoomBox(const windows::WindowData& d) {
  const int a = d.procID < 0 ? -d.procID : d.procID;
  return a >= kFirstPalette && a <= kLastPalette ? ((a - kFirstPalette) & kPaletteZooms) != 0
                                                 : (d.procID & kPaletteZooms) != 0;
}

// The palette's frame parts in window coordinates.
struct PaletteLayout {
  RECT window;   // (0, 0, width, height)
  RECT caption;
  RECT closeBox;
  RECT zoomBox;
  int border;
};

PaletteLayout LayoutOf(HWND hwnd, const windows::WindowData& d) {
  PaletteLayout l{};
  RECT r;
  GetWindowRect(hwnd, &r);
  l.window = {0, 0, r.right - r.left, r.bottom - r.top};
  l.border = windows::OwnFrameBorder(d);
  const int caption = windows::SmallCaptionHeight(d.titleShown && d.procID != 255);
  l.caption = {l.border, l.border, l.window.right - l.border, l.border + caption};
  const int box = caption > 2 ? caption - 2 : 0;
  l.closeBox = {l.caption.left + 1, l.caption.top + 1, l.caption.left + 1 + box, l.caption.top + 1 + box};
  l.zoomBox = {l.caption.right - 1 - box, l.caption.top + 1, l.caption.right - 1, l.caption.top + 1 + box};
  return l;
}

void DrawBox(HDC dc, const RECT& box, HBITMAP bitmap) {
  if (box.right <= box.left || box.bottom <= box.top) return;
  FrameRect(dc, &box, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  RECT inner = box;
  InflateRect(&inner, -1, -1);
  if (!bitmap || inner.right <= inner.left) return;
  HDC memory = CreateCompatibleDC(dc);
  HGDIOBJ old = SelectObject(memory, bitmap);
  BITMAP info{};
  GetObjectA(bitmap, sizeof info, &info);
  StretchBlt(dc, inner.left, inner.top, inner.right - inner.left, inner.bottom - inner.top, memory,
             0, 0, info.bmWidth, info.bmHeight, SRCCOPY);
  SelectObject(memory, old);
  DeleteDC(memory);
}

void PaintPalette(HWND hwnd, WindowPeek w, const windows::WindowData& d, bool closeDown,
                  bool zoomDown) {
  HDC dc = GetWindowDC(hwnd);
  if (!dc) return;
  const PaletteLayout l = LayoutOf(hwnd, d);
  HBRUSH black = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
  if (d.rec.kindFlags & zebHasSizeBox) {
    const RECT bands[4] = {{0, 0, l.window.right, l.border},
                           {0, l.window.bottom - l.border, l.window.right, l.window.bottom},
                           {0, 0, l.border, l.window.bottom},
                           {l.window.right - l.border, 0, l.window.right, l.window.bottom}};
    for (const RECT& band : bands) {
      FillRect(dc, &band, InactiveCaptionBrush());
      FrameRect(dc, &band, black);
    }
  }
  FrameRect(dc, &l.window, black);
  if (l.caption.bottom > l.caption.top) {
    FillRect(dc, &l.caption, w->hilited ? ActiveCaptionBrush() : InactiveCaptionBrush());
    char text[256];
    GetWindowTextA(hwnd, text, sizeof text);
    HGDIOBJ oldFont = nullptr;
    if (HFONT font = quickdraw::Fonts().smallDialog) oldFont = SelectObject(dc, font);
    const int inactiveText = Version().Major() < 4 ? COLOR_WINDOWTEXT : COLOR_INACTIVECAPTIONTEXT;
    SetTextColor(dc, GetSysColor(w->hilited ? COLOR_CAPTIONTEXT : inactiveText));
    SetBkMode(dc, TRANSPARENT);
    RECT textRect = l.caption;
    DrawTextA(dc, text, -1, &textRect, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    if (oldFont) SelectObject(dc, oldFont);
    if (w->goAwayFlag)
      DrawBox(dc, l.closeBox,
              windows::CaptionBitmap(closeDown ? windows::kCloseDown : windows::kCloseUp));
    if (HasZoomBox(d)) {
      const bool restore = w->spareFlag != 0;
      const windows::CaptionButton b =
          restore ? (zoomDown ? windows::kRestoreDown : windows::kRestoreUp)
                  : (zoomDown ? windows::kZoomDown : windows::kZoomUp);
      DrawBox(dc, l.zoomBox, windows::CaptionBitmap(b));
    }
  }
  ReleaseDC(hwnd, dc);
}

// The mouse in window coordinates.
POINT WindowMouse(HWND hwnd) {
  POINT p;
  GetCursorPos(&p);
  RECT r;
  GetWindowRect(hwnd, &r);
  return {p.x - r.left, p.y - r.top};
}

// Follows the mouse until the button is released: the box shows pressed while the mouse is
// inside. True when it is released inside.
bool TrackBoxPress(HWND hwnd, WindowPeek w, const windows::WindowData& d, const RECT& box,
                   bool close) {
  SetCapture(hwnd);
  bool inside = true;
  PaintPalette(hwnd, w, d, close, !close);
  for (;;) {
    MSG msg;
    if (!PeekMessageA(&msg, nullptr, WM_MOUSEFIRST, WM_MOUSELAST, PM_REMOVE)) {
      if (GetCapture() != hwnd) {
        inside = false;
        break;
      }
      WaitMessage();
      continue;
    }
    if (msg.message == WM_LBUTTONUP) break;
    const bool now = PtInRect(&box, WindowMouse(hwnd)) != 0;
    if (now != inside) {
      inside = now;
      PaintPalette(hwnd, w, d, close && inside, !close && inside);
    }
  }
  ReleaseCapture();
  inside = inside && PtInRect(&box, WindowMouse(hwnd));
  PaintPalette(hwnd, w, d, false, false);
  return inside;
}

LRESULT OwnFrameMessage(HWND hwnd, WindowPtr wp, UINT msg, WPARAM wParam, LPARAM lParam) {
  WindowPeek w = reinterpret_cast<WindowPeek>(wp);
  const windows::WindowData* d = windows::DataOf(wp);
  switch (msg) {
    case WM_NCCALCSIZE: {
      RECT* r = wParam ? &reinterpret_cast<NCCALCSIZE_PARAMS*>(lParam)->rgrc[0]
                       : reinterpret_cast<RECT*>(lParam);
      const int border = windows::OwnFrameBorder(*d);
      r->top += windows::SmallCaptionHeight(d->titleShown && d->procID != 255);
      InflateRect(r, -border, -border);
      if (r->bottom < r->top) r->bottom = r->top;
      if (r->right < r->left) r->right = r->left;
      return 0;
    }
    case WM_NCPAINT:
      PaintPalette(hwnd, w, *d, false, false);
      return 0;
    case WM_NCACTIVATE:
      w->hilited = (d->rec.kindFlags & zebTopLevel) ? events::ApplicationActive() : wParam != 0;
      PaintPalette(hwnd, w, *d, false, false);
      return TRUE;
    case WM_NCLBUTTONDOWN: {
      const PaletteLayout l = LayoutOf(hwnd, *d);
      const POINT p = WindowMouse(hwnd);
      if (w->goAwayFlag && PtInRect(&l.closeBox, p)) {
        if (TrackBoxPress(hwnd, w, *windows::DataOf(wp), l.closeBox, true))
          ZEB_SysCommand(0, hwnd, SC_CLOSE);
        return 0;
      }
      if (HasZoomBox(*d) && PtInRect(&l.zoomBox, p)) {
        const bool zoomed = w->spareFlag != 0;
        if (TrackBoxPress(hwnd, w, *windows::DataOf(wp), l.zoomBox, false))
          ZEB_SysCommand(0, hwnd, zoomed ? SC_RESTORE : SC_MAXIMIZE);
        return 0;
      }
      const LRESULT result = windows::DefaultProcedure(hwnd, msg, wParam, lParam);
      if (windows::Listed(wp)) windows::RefreshRegions(wp);
      return result;
    }
    default: return windows::DefaultProcedure(hwnd, msg, wParam, lParam);
  }
}

void DrawNotificationIcon(HWND frameWindow) {
  HBITMAP icon = osutils::NotificationBitmap();
  if (!icon) return;
  HDC dc = GetWindowDC(frameWindow);
  if (!dc) return;
  HDC memory = CreateCompatibleDC(dc);
  HGDIOBJ old = SelectObject(memory, icon);
  const int caption = GetSystemMetrics(SM_CYCAPTION);
  const int x = 2 * GetSystemMetrics(SM_CXFRAME) + caption + 4;
  const int y = (caption - kIconSide) / 2 + GetSystemMetrics(SM_CYFRAME) - 1;
  BitBlt(dc, x, y, kIconSide, kIconSide, memory, 0, 0, Version().Major() < 4 ? NOTSRCCOPY : SRCINVERT);
  SelectObject(memory, old);
  DeleteDC(memory);
  ReleaseDC(frameWindow, dc);
}

bool FillTrackingSizes(HWND hwnd, MINMAXINFO* info, int minWidth, int minHeight, int maxWidth,
                       int maxHeight) {
  WindowPtr w = windows::FromHwnd(hwnd);
  if (!w || !info || w == windows::Published().closing) return false;
  const SIZE min = windows::OuterSize(w, minWidth, minHeight);
  info->ptMinTrackSize = {min.cx, min.cy};
  if (maxWidth > 0) info->ptMaxTrackSize.x = min.cx - minWidth + maxWidth;
  if (maxHeight >= 1) info->ptMaxTrackSize.y = min.cy - minHeight + maxHeight;
  return true;
}

}  // namespace
}  // namespace zeb::frame

using namespace zeb;
using namespace zeb::frame;

extern "C" {

LRESULT ZEBAPI ZEB_NCMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  WindowPtr w = windows::FromHwnd(hwnd);
  // 1.
  if (msg == WM_NCLBUTTONDOWN && events::StoredSystemValue(kModalWindowUp) &&
      (!w || w != dialogs::ModalWindow()))
    return 0;
  // 2.
  if (hwnd && hwnd == FrameWindow()) {
    if (msg == WM_NCLBUTTONDOWN && menus::Tracking()) return 1;
    const LRESULT result = windows::DefaultProcedure(hwnd, msg, wParam, lParam);
    if (msg == WM_NCPAINT || msg == WM_NCACTIVATE) DrawNotificationIcon(hwnd);
    return result;
  }
  // 3.
  const windows::WindowData* d = windows::DataOf(w);
  const bool closing = windows::Published().closing == w;
  if (d && !closing && d->ownFrame)
    return OwnFrameMessage(hwnd, w, msg, wParam, lParam);
  // 4. A window in its standard state shows the restore form of the caption.
  const bool restoreForm = d && !closing && (msg == WM_NCPAINT || msg == WM_NCACTIVATE) &&
                           reinterpret_cast<WindowPeek>(w)->spareFlag &&
                           !(GetWindowLongA(hwnd, GWL_STYLE) & WS_MAXIMIZE);
  if (restoreForm) SetWindowLongA(hwnd, GWL_STYLE, GetWindowLongA(hwnd, GWL_STYLE) | WS_MAXIMIZE);
  const LRESULT result = windows::DefaultProcedure(hwnd, msg, wParam, lParam);
  if (restoreForm) SetWindowLongA(hwnd, GWL_STYLE, GetWindowLongA(hwnd, GWL_STYLE) & ~WS_MAXIMIZE);
  if (msg == WM_NCLBUTTONDOWN && windows::Listed(w)) windows::RefreshRegions(w);
  return result;
}

long ZEBAPI ZEB_GetMinMaxInfo(HWND hwnd, MINMAXINFO* info) {
  const LONG min = GetWindowLongA(hwnd, zebExtraMinSize);
  if (windows::FromHwnd(hwnd))
    FillTrackingSizes(hwnd, info, static_cast<int16_t>(LOWORD(min)), static_cast<int16_t>(HIWORD(min)), 0, 0);
  return 0;
}

long ZEBAPI ZEB_GetMinMaxInfo2(HWND hwnd, MINMAXINFO* info, short minWidth, short minHeight) {
  return FillTrackingSizes(hwnd, info, minWidth, minHeight, 0, 0) ? 1 : 0;
}

long ZEBAPI ZEB_GetMinMaxInfo4(HWND hwnd, MINMAXINFO* info, short minWidth, short minHeight,
                               short maxWidth, short maxHeight) {
  return FillTrackingSizes(hwnd, info, minWidth, minHeight, maxWidth, maxHeight) ? 1 : 0;
}

void ZEBAPI ZEB_FixupSystemMenu(HWND hwnd, short flags) {
  (void)flags;
  if (SessionFlag(ZEB_SF_MDI)) return;
  WindowPtr w = windows::FromHwnd(hwnd);
  if (w && reinterpret_cast<WindowPeek>(w)->windowKind == dialogKind) return;
  HMENU menu = GetSystemMenu(hwnd, FALSE);
  if (!menu) return;
  DeleteMenu(menu, SC_SIZE, MF_BYCOMMAND);
  windows::DeleteSystemMenuSeparator(menu, 7);
  const bool zoomed = w && reinterpret_cast<WindowPeek>(w)->spareFlag;
  EnableMenuItem(menu, SC_RESTORE, MF_BYCOMMAND | (zoomed ? MF_ENABLED : MF_GRAYED));
  EnableMenuItem(menu, SC_MAXIMIZE, MF_BYCOMMAND | (zoomed ? MF_GRAYED : MF_ENABLED));
}

}  // extern "C"

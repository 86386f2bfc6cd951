// The window record's fields as calls read and set them: title, reference value, picture,
// variant; the Window Manager port and gray region; the minimum tracking sizes and parents;
// PinRect.
#include <algorithm>
#include <cstring>

#include "MacMemory.h"
#include "events/events_internal.h"
#include "frame/frame_internal.h"
#include "frame/toolbox_globals.h"
#include "osutils/osutils_internal.h"
#include "windows/title_text.h"
#include "windows/window_manager.h"
#include "windows/windows_internal.h"

namespace zeb::windows {
namespace {

// The Toolbox's smallest window content, until ZEB_SetMinWinSize says otherwise.
constexpr int kDefaultMinimumSize = 15;
POINT g_minimumSize = {kDefaultMinimumSize, kDefaultMinimumSize};
uint32_t g_mdiDefaultMaximise = 0;

// ZEB_SystemValue index 24: text goes through the character tables.
constexpr int kCharacterConversion = 24;

bool IsLeadByte(uint8_t c) { return IsDBCSLeadByte(c) != 0; }

void RedrawFrame(HWND hwnd) {
  if (hwnd) RedrawWindow(hwnd, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
}

}  // namespace

POINT MinimumTrackingSize() { return g_minimumSize; }
uint32_t& MDIDefaultMaximise() { return g_mdiDefaultMaximise; }

void TitleToWindowsText(ConstStr255Param title, char* text, size_t capacity) {
  TitleConversion how;
  how.tables = events::StoredSystemValue(kCharacterConversion) != 0;
  if (frame::Session().doubleByte) how.isLeadByte = IsLeadByte;
  MacTitleToWindows(title, text, capacity, how);
}

void SetWindowTextFromTitle(HWND hwnd, ConstStr255Param title) {
  char text[kTitleTextCapacity];
  TitleToWindowsText(title, text, sizeof text);
  SetWindowTextA(hwnd, text);
}

}  // namespace zeb::windows

using namespace zeb;
using namespace zeb::windows;

extern "C" {

void ZEBAPI SetWTitle(WindowPtr theWindow, ConstStr255Param title) {
  WindowPeek w = Listed(theWindow);
  WindowData* d = DataIn(w);
  if (!d || !title) return;
  const size_t bytes = title[0] + 1u;
  if (w->titleHandle) {
    SetHandleSize(reinterpret_cast<Handle>(w->titleHandle), static_cast<Size>(bytes));
    if (GetHandleSize(reinterpret_cast<Handle>(w->titleHandle)) >= static_cast<Size>(bytes))
      std::memcpy(*w->titleHandle, title, bytes);
  }
  d = DataIn(w);
  if (!d->titleShown) return;
  HWND hwnd = d->rec.window;
  const bool quiet = w->visible && (d->rec.kindFlags & zebTopLevel);
  if (quiet) SendMessageA(hwnd, WM_SETREDRAW, FALSE, 0);
  SetWindowTextFromTitle(hwnd, title);
  if (quiet) SendMessageA(hwnd, WM_SETREDRAW, TRUE, 0);
  if (osutils::NotificationBitmap()) RedrawFrame(frame::FrameWindow());
  RedrawFrame(hwnd);
}

void ZEBAPI GetWTitle(WindowPtr theWindow, Str255 title) {
  WindowPeek w = Listed(theWindow);
  if (!title) return;
  title[0] = 0;
  if (!w || !w->titleHandle || !*w->titleHandle) return;
  const long size = GetHandleSize(reinterpret_cast<Handle>(w->titleHandle));
  if (size < 1) return;
  const size_t length = std::min<size_t>((*w->titleHandle)[0], static_cast<size_t>(size - 1));
  title[0] = static_cast<unsigned char>(length);
  std::memcpy(title + 1, *w->titleHandle + 1, length);
}

void ZEBAPI SetWRefCon(WindowPtr theWindow, long data) {
  if (WindowPeek w = Listed(theWindow)) w->refCon = data;
}

long ZEBAPI GetWRefCon(WindowPtr theWindow) {
  WindowPeek w = Listed(theWindow);
  return w ? w->refCon : 0;
}

void ZEBAPI SetWindowPic(WindowPtr theWindow, PicHandle pic) {
  if (WindowPeek w = Listed(theWindow)) w->windowPic = pic;
}

PicHandle ZEBAPI GetWindowPic(WindowPtr theWindow) {
  WindowPeek w = Listed(theWindow);
  return w ? w->windowPic : nullptr;
}

short ZEBAPI GetWVariant(WindowPtr theWindow) {
  WindowData* d = DataOf(theWindow);
  return d ? d->procID : 0;
}

RgnHandle ZEBAPI GetGrayRgn(void) { return *frame::Globals().grayRgn; }

void ZEBAPI GetWMgrPort(GrafPtr* wPort) {
  if (wPort) *wPort = *frame::Globals().wMgrPort;
}

void ZEBAPI GetCWMgrPort(CGrafPtr* wMgrCPort) {
  if (wMgrCPort) *wMgrCPort = reinterpret_cast<CGrafPtr>(*frame::Globals().wMgrPort);
}

long ZEBAPI PinRect(const Rect* theRect, Point thePt) {
  if (!theRect) return 0;
  // The pixel at the right or bottom edge is outside the rectangle: a point pinned there comes
  // back one inside, as the Toolbox answers.
  auto pin = [](int value, int low, int high) {
    if (value >= high) value = high - 1;
    if (value < low) value = low;
    return value;
  };
  const int v = pin(thePt.v, theRect->top, theRect->bottom);
  const int h = pin(thePt.h, theRect->left, theRect->right);
  return static_cast<long>((static_cast<uint32_t>(static_cast<uint16_t>(v)) << 16) |
                           static_cast<uint16_t>(h));
}

void ZEBAPI ZEB_SetMinWinSize(short width, short height) {
  g_minimumSize = {width, height};
}

void ZEBAPI ZEB_SetwPtrMinSize(WindowPtr theWindow, short width, short height) {
  HWND hwnd = HwndOf(theWindow);
  if (!hwnd) return;
  SetWindowLongA(hwnd, zebExtraMinSize,
                 static_cast<LONG>(MAKELONG(static_cast<WORD>(width), static_cast<WORD>(height))));
}

void ZEBAPI ZEB_SetWindowParent(WindowPtr theWindow, WindowPtr parent) {
  HWND hwnd = HwndOf(theWindow);
  if (!hwnd) return;
  HWND newParent = parent ? HwndOf(parent) : frame::FrameWindow();
  if (parent && !newParent) return;
  SetParent(hwnd, newParent);
  RefreshRegions(theWindow);
}

void ZEBAPI ZEB_TopMainWnd(void) {
  HWND frameWindow = frame::FrameWindow();
  if (!frameWindow) return;
  if (IsIconic(frameWindow))
    ShowWindow(frameWindow, SW_RESTORE);
  else
    BringWindowToTop(frameWindow);
}

void ZEBAPI ZEB_ClipRectChange(WindowPtr theWindow) {
  if (!Listed(theWindow) || !theWindow->clipRgn || !*theWindow->clipRgn) return;
  GrafPtr saved = nullptr;
  GetPort(&saved);
  SetPort(theWindow);
  const Rect box = (*theWindow->clipRgn)->rgnBBox;
  ClipRect(&box);
  ZEB_ClipRgnChange(theWindow);
  SetPort(saved);
}

}  // extern "C"

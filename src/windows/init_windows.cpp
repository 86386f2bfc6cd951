// InitWindows: the gray region, the update nesting's regions, the brushes and bitmaps the
// window frames are drawn with; and the metrics of the library's own small caption.
#include <initializer_list>

#include "frame/frame_internal.h"
#include "frame/toolbox_globals.h"
#include "quickdraw/quickdraw_internal.h"
#include "windows/window_manager.h"
#include "windows/windows_internal.h"

namespace zeb::windows {
namespace {

// The system bitmaps the frames use: the size box (OBM_BTSIZE) and the check mark (OBM_CHECK),
// whose size is recorded.
constexpr int kSizeBoxBitmap = 32761;
constexpr int kCheckBitmap = 32760;
constexpr int kButtonCount = 6;

// The caption-button bitmaps in the library's resources, by display and look.
const char* const kButtonNames[4][kButtonCount] = {
    {"CloseButtonUp", "CloseButtonDn", "ZoomButtonUp", "ZoomButtonDn", "RestoreButtonUp",
     "RestoreButtonDn"},
    {"CloseButtonUp3D", "CloseButtonDn3D", "ZoomButtonUp3D", "ZoomButtonDn3D",
     "RestoreButtonUp3D", "RestoreButtonDn3D"},
    {"CloseButtonUpMono", "CloseButtonDnMono", "ZoomButtonUpMono", "ZoomButtonDnMono",
     "RestoreButtonUpMono", "RestoreButtonDnMono"},
    {"CloseButtonUpMono3D", "CloseButtonDnMono3D", "ZoomButtonUpMono3D", "ZoomButtonDnMono3D",
     "RestoreButtonUpMono3D", "RestoreButtonDnMono3D"},
};

struct Resources {
  HBRUSH scrollBar = nullptr, buttonFace = nullptr, buttonShadow = nullptr;
  HBITMAP sizeBox = nullptr, check = nullptr;
  SIZE checkSize = {0, 0};
  HBITMAP buttons[kButtonCount] = {};
  int smallCaption = 0;  // the small caption's height, measured once
};
Resources g_res;

void DeleteObjectOnce(HGDIOBJ& object) {
  if (object) DeleteObject(object);
  object = nullptr;
}

int SmallFontHeight() {
  HFONT font = quickdraw::Fonts().smallDialog;
  if (!font) return GetSystemMetrics(SM_CYSMCAPTION) - 2;
  HDC dc = GetDC(nullptr);
  HGDIOBJ old = SelectObject(dc, font);
  TEXTMETRICA tm{};
  GetTextMetricsA(dc, &tm);
  SelectObject(dc, old);
  ReleaseDC(nullptr, dc);
  return tm.tmHeight;
}

}  // namespace

int SmallCaptionHeight(bool shown) {
  if (!shown) return 0;
  if (!g_res.smallCaption) {
    const int height = SmallFontHeight() + 2;
    g_res.smallCaption = (height % 2 == 0) ? height + 1 : height;
  }
  return g_res.smallCaption;
}

int OwnFrameBorder(const WindowData& data) {
  return (data.rec.kindFlags & zebHasSizeBox) ? GetSystemMetrics(SM_CXSIZEFRAME) : 1;
}

HBITMAP CaptionBitmap(CaptionButton which) { return g_res.buttons[which]; }

LRESULT DefaultProcedure(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  const frame::SessionState& s = frame::Session();
  if (hwnd && hwnd == s.frameWindow && frame::SessionFlag(ZEB_SF_MDI) && s.mdiClient)
    return DefFrameProcA(hwnd, s.mdiClient, msg, wParam, lParam);
  if (GetWindowLongA(hwnd, GWL_EXSTYLE) & WS_EX_MDICHILD)
    return DefMDIChildProcA(hwnd, msg, wParam, lParam);
  return DefWindowProcA(hwnd, msg, wParam, lParam);
}

void ReleaseWindowResources() {
  for (HGDIOBJ* o : {reinterpret_cast<HGDIOBJ*>(&g_res.scrollBar),
                     reinterpret_cast<HGDIOBJ*>(&g_res.buttonFace),
                     reinterpret_cast<HGDIOBJ*>(&g_res.buttonShadow),
                     reinterpret_cast<HGDIOBJ*>(&g_res.sizeBox),
                     reinterpret_cast<HGDIOBJ*>(&g_res.check)})
    DeleteObjectOnce(*o);
  for (HBITMAP& b : g_res.buttons) {
    HGDIOBJ o = b;
    DeleteObjectOnce(o);
    b = nullptr;
  }
  g_res.smallCaption = 0;
  RgnHandle& gray = *frame::Globals().grayRgn;
  if (gray) DisposeRgn(gray);
  gray = nullptr;
}

}  // namespace zeb::windows

using namespace zeb;
using namespace zeb::windows;

extern "C" void ZEBAPI InitWindows(void) {
  const frame::ToolboxGlobals& g = frame::Globals();
  if (Peek(ListHead())) DisposeAllWindows();
  ReleaseWindowResources();
  *reinterpret_cast<WindowPeek*>(g.windowList) = nullptr;

  HWND frameWindow = frame::FrameWindow();
  HDC dc = GetDC(frameWindow);
  const short width = static_cast<short>(GetDeviceCaps(dc, HORZRES));
  const short height = static_cast<short>(GetDeviceCaps(dc, VERTRES));
  const bool mono = GetDeviceCaps(dc, PLANES) == 1 && GetDeviceCaps(dc, BITSPIXEL) == 1;
  ReleaseDC(frameWindow, dc);
  *g.grayRgn = NewRgn();
  const Rect screen = {0, 0, height, width};
  if (*g.grayRgn) RectRgn(*g.grayRgn, &screen);

  CreateUpdateNesting();
  g_res.scrollBar = CreateSolidBrush(GetSysColor(COLOR_SCROLLBAR));
  g_res.buttonFace = CreateSolidBrush(GetSysColor(COLOR_BTNFACE));
  g_res.buttonShadow = CreateSolidBrush(GetSysColor(COLOR_BTNSHADOW));
  g_res.sizeBox = LoadBitmapA(nullptr, MAKEINTRESOURCEA(kSizeBoxBitmap));
  g_res.check = LoadBitmapA(nullptr, MAKEINTRESOURCEA(kCheckBitmap));
  BITMAP info{};
  if (g_res.check && GetObjectA(g_res.check, sizeof info, &info))
    g_res.checkSize = {info.bmWidth, info.bmHeight};

  const int set = (mono ? 2 : 0) + (frame::ThreeDLookOn() ? 1 : 0);
  for (int i = 0; i < kButtonCount; ++i)
    g_res.buttons[i] = LoadBitmapA(frame::Session().libraryInstance, kButtonNames[set][i]);
}

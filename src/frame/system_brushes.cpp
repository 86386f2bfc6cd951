// ZEB_InitColors: solid brushes of three Windows colours, used to draw captions and text.
#include "frame/frame_internal.h"

namespace zeb::frame {
namespace {

HBRUSH g_windowText = nullptr;
HBRUSH g_activeCaption = nullptr;
HBRUSH g_inactiveCaption = nullptr;

void Replace(HBRUSH& brush, int sysColor) {
  if (brush) DeleteObject(brush);
  brush = sysColor >= 0 ? CreateSolidBrush(GetSysColor(sysColor)) : nullptr;
}

}  // namespace

HBRUSH WindowTextBrush() { return g_windowText; }
HBRUSH ActiveCaptionBrush() { return g_activeCaption; }
HBRUSH InactiveCaptionBrush() { return g_inactiveCaption; }

void DeleteSystemBrushes() {
  Replace(g_windowText, -1);
  Replace(g_activeCaption, -1);
  Replace(g_inactiveCaption, -1);
}

}  // namespace zeb::frame

extern "C" void ZEBAPI ZEB_InitColors(void) {
  using namespace zeb::frame;
  Replace(g_windowText, COLOR_WINDOWTEXT);
  Replace(g_activeCaption, COLOR_ACTIVECAPTION);
  Replace(g_inactiveCaption, COLOR_INACTIVECAPTION);
}

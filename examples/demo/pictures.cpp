// The pictures showcase: the shapes pane's recorded grid drawn back at half size, and the
// version 1 'PICT' of demo.RSR drawn through GetPicture.
#include <windows.h>

#include "Quickdraw.h"
#include "ToolUtils.h"
#include "demo.h"

namespace {

constexpr short kPictureId = 300;

void PaintPictures(HDC dc, const RECT& client) {
  (void)client;
  const Rect half = {22, 8, static_cast<short>(22 + kShapeGridFrame.bottom / 2),
                     static_cast<short>(8 + kShapeGridFrame.right / 2)};
  DrawShapeGridPicture(half);
  if (PicHandle pic = GetPicture(kPictureId)) {
    const Rect frame = (*pic)->picFrame;
    const Rect at = {22, 176, static_cast<short>(22 + frame.bottom - frame.top),
                     static_cast<short>(176 + frame.right - frame.left)};
    DrawPicture(pic, &at);
  }
  SetTextAlign(dc, TA_TOP | TA_LEFT);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, RGB(0, 64, 128));
  SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
  Label(dc, 8, 4, "recorded grid, half size");
  Label(dc, 176, 4, "'PICT' 300");
  SetTextAlign(dc, TA_BASELINE | TA_LEFT | TA_NOUPDATECP);
}

}  // namespace

void ShowPicturesShowcase(int x, int y) {
  AddToolboxWindow(reinterpret_cast<const unsigned char*>("\x08" "Pictures"), noGrowDocProc,
                   PaintPictures, x, y, 320, 112);
}

// Pictures and colour icons as the Dialog Manager reaches them, before QuickDraw plays pictures
// back and loads colour icons.
#include "quickdraw/pending_parts.h"

namespace zeb::quickdraw {

// Picture playback draws here.
void DrawPictureInRect(PicHandle picture, const Rect* frame) {
  (void)picture;
  (void)frame;
}

// Colour icons are found here; without them every icon item is an 'ICON'.
Handle GetColourIcon(short id) {
  (void)id;
  return nullptr;
}
bool IsColourIcon(Handle icon) {
  (void)icon;
  return false;
}
void PlotColourIcon(const Rect* frame, Handle icon) {
  (void)frame;
  (void)icon;
}
void DisposeColourIcon(Handle icon) { (void)icon; }

}  // namespace zeb::quickdraw

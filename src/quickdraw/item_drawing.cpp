// Pictures and colour icons for dialog items: a picture item stays blank without picture
// playback, and an icon item without a colour icon uses its 'ICON'.
#include "quickdraw/item_drawing.h"

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

// Colour icons for dialog items: an icon item without a colour icon uses its 'ICON'. A picture
// item's picture is drawn by DrawPicture (picture_playback.cpp).
#include "quickdraw/item_drawing.h"

namespace zeb::quickdraw {

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

// Drawing that dialog items ask of QuickDraw: a picture item's picture and a colour icon item's
// icon.
#ifndef ZEB_QUICKDRAW_ITEM_DRAWING_H
#define ZEB_QUICKDRAW_ITEM_DRAWING_H

#include "MacTypes.h"
#include "Quickdraw.h"

namespace zeb::quickdraw {

// DrawPicture of a picture item into its rectangle in the current port (dialogs' picture
// items).
void DrawPictureInRect(PicHandle picture, const Rect* frame);
// GetCIcon for dialogs' icon items: the colour icon 'cicn' id, null when there is none or it
// does not hold together (the item then uses its 'ICON').
Handle GetColourIcon(short id);
// Whether a handle is a colour icon made by GetColourIcon (its record, rows, pixel and table
// handles agree); PlotCIcon and DisposeCIcon of it.
bool IsColourIcon(Handle icon);
void PlotColourIcon(const Rect* frame, Handle icon);
void DisposeColourIcon(Handle icon);

}  // namespace zeb::quickdraw

#endif  // ZEB_QUICKDRAW_ITEM_DRAWING_H

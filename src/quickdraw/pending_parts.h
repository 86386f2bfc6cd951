// QuickDraw calls that other managers already place and that QuickDraw's pictures and colour
// icons fill in: each answers as QuickDraw without them would.
#ifndef ZEB_QUICKDRAW_PENDING_PARTS_H
#define ZEB_QUICKDRAW_PENDING_PARTS_H

#include "MacTypes.h"
#include "Quickdraw.h"

namespace zeb::quickdraw {

// DrawPicture of a picture item into its rectangle in the current port (dialogs' picture
// items). Draws nothing while pictures are not played back.
void DrawPictureInRect(PicHandle picture, const Rect* frame);
// GetCIcon for dialogs' icon items: the colour icon 'cicn' id, null while colour icons are not
// loaded (the item then uses its 'ICON').
Handle GetColourIcon(short id);
// Whether a handle is a colour icon made by GetColourIcon; PlotCIcon and DisposeCIcon of it.
bool IsColourIcon(Handle icon);
void PlotColourIcon(const Rect* frame, Handle icon);
void DisposeColourIcon(Handle icon);

}  // namespace zeb::quickdraw

#endif  // ZEB_QUICKDRAW_PENDING_PARTS_H

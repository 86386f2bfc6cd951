// Offscreen bands: drawing whose transfer mode GDI cannot render is made in a band first and the
// mode applied to the finished result (ZEB_BeginOffScreen ... ZEB_EndOffScreen with the mode).
#ifndef ZEB_QUICKDRAW_OFFSCREEN_BAND_H
#define ZEB_QUICKDRAW_OFFSCREEN_BAND_H

#include <windows.h>

#include <functional>

#include "quickdraw/quickdraw_state.h"
#include "quickdraw/transfer_modes.h"

namespace zeb::quickdraw {

// Text in a mode GDI's text output cannot render: drawGlyphs draws the glyphs into the band at
// the position given (box covers them, textBox is the text's own box), and the port's text
// mode combines them with the destination.
void DrawTextInBand(DrawingContext& ctx, const DeviceRect& box, const DeviceRect& textBox,
                    const TextModeRule& rule,
                    const std::function<void(HDC dc, int x, int y)>& drawGlyphs);

// Whether any port draws into a band now: the native controls then only validate what they
// would paint, so that they do not paint over the band's picture before it is copied out.
bool AnyBandActive();

// A context going away takes its band with it (the port's own DC is what it closes).
void DropBand(DrawingContext* ctx);

}  // namespace zeb::quickdraw

#endif  // ZEB_QUICKDRAW_OFFSCREEN_BAND_H

// The offscreen band of text: the one-bit glyph mask of mode emulation, whose black pixels take
// the mode's ink.
#include "quickdraw/offscreen_band.h"

#include "quickdraw/font_manager.h"

namespace zeb::quickdraw {

void DrawTextInBand(DrawingContext& ctx, const DeviceRect& box, const DeviceRect& textBox,
                    const TextModeRule& rule,
                    const std::function<void(HDC dc, int x, int y)>& drawGlyphs) {
  DrawTextThroughMask(ctx, box, textBox, rule, drawGlyphs);
}

}  // namespace zeb::quickdraw

// QuickDraw's process-wide state as start-up, ZEB_SetFlags, ZEB_SystemValue and exit reach it.
#include "quickdraw/quickdraw_internal.h"

namespace zeb::quickdraw {

// Frees the global patterns, the screen port and every drawing context once ports exist.
void DisposeQuickDrawState() {}

// Fills the colour picker's CHOOSECOLOR description once colour is built.
void InitColorDialog() {}

// Marks the current port's drawing context for pen re-selection once drawing contexts exist.
void SinglePixelPenSwitchChanged(bool on) { (void)on; }

// Both are measured by InitGraf and the palette code; before those run they read 0.
uint32_t ScreenValue() { return 0; }
uint32_t PaletteState() { return 0; }

}  // namespace zeb::quickdraw

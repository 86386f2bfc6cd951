// QuickDraw's process-wide state as ZEB_SystemValue reaches it: the palette state.
#include "quickdraw/quickdraw_internal.h"

namespace zeb::quickdraw {

// ZEB_SystemValue 22: no logical palette is realised, so the palette state reads 0.
uint32_t PaletteState() { return 0; }

}  // namespace zeb::quickdraw

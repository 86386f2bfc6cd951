// TickCount: the Toolbox's clock of 16-millisecond ticks, also kept in the application's ticks
// cell.
#include <windows.h>

#include "Events.h"
#include "frame/toolbox_globals.h"

using namespace zeb;

extern "C" {

unsigned long ZEBAPI TickCount(void) {
  const uint32_t ticks = GetTickCount() >> 4;
  *frame::Globals().ticks = ticks;
  return ticks;
}

}  // extern "C"

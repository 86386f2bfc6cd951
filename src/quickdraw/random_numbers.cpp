// Random, QuickDraw's pseudo-random numbers, drawn from the application's randSeed cell.
#include "Quickdraw.h"
#include "frame/toolbox_globals.h"

using namespace zeb;

extern "C" {

// The Toolbox's Park-Miller generator: the seed is multiplied by 7^5 modulo 2^31 - 1 and the
// result is its low word, with -32768 answered as 0 so the range is symmetric.
short ZEBAPI Random(void) {
  int32_t* seed = frame::Globals().randSeed;
  const uint64_t next = (static_cast<uint64_t>(static_cast<uint32_t>(*seed)) * 16807u) % 0x7FFFFFFFu;
  *seed = static_cast<int32_t>(next);
  const int16_t value = static_cast<int16_t>(next & 0xFFFF);
  return value == -32768 ? 0 : value;
}

}  // extern "C"

// UniqueID and Unique1ID, with the Toolbox's generator and tick count they draw from.
#include <windows.h>

#include "Events.h"
#include "Quickdraw.h"
#include "Resources.h"
#include "frame/toolbox_globals.h"
#include "resources/resource_files.h"

namespace zeb::resources {
namespace {

constexpr int kDrawLimit = 32768;

bool IdInUse(ResFile* file, uint32_t type, int16_t id) {
  resfmt::TypeEntry* entry = FindType(file, type);
  if (!entry) return false;
  for (const resfmt::Reference& ref : entry->references)
    if (!ref.Removed() && ref.id == id) return true;
  return false;
}

int16_t Draw() {
  const uint16_t ticks = static_cast<uint16_t>(TickCount());
  return static_cast<int16_t>((static_cast<uint16_t>(Random()) + ticks) & 0x7FFF);
}

}  // namespace
}  // namespace zeb::resources

using namespace zeb;
using namespace zeb::resources;

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

unsigned long ZEBAPI TickCount(void) {
  const uint32_t ticks = GetTickCount() >> 4;
  *frame::Globals().ticks = ticks;
  return ticks;
}

short ZEBAPI UniqueID(ResType theType) {
  SetResult(noErr);
  const uint32_t type = static_cast<uint32_t>(theType);
  int16_t id = 0;
  // Bounded like Unique1ID: with every ID taken the search would otherwise never end.
  for (int draw = 0; draw < kDrawLimit; ++draw) {
    id = Draw();
    bool used = false;
    for (ResFile* file = TheChain().current; file && !used; file = file->older)
      used = IdInUse(file, type, id);
    if (!used) break;
  }
  return id;
}

short ZEBAPI Unique1ID(ResType theType) {
  SetResult(noErr);
  const uint32_t type = static_cast<uint32_t>(theType);
  int16_t id = 0;
  for (int draw = 0; draw < kDrawLimit; ++draw) {
    id = Draw();
    if (!TheChain().current || !IdInUse(TheChain().current, type, id)) break;
  }
  return id;
}

}  // extern "C"

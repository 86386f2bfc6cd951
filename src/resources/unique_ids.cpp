// UniqueID and Unique1ID, drawing from QuickDraw's Random and the Event Manager's tick count.
#include "Events.h"
#include "Quickdraw.h"
#include "Resources.h"
#include "resources/resource_files.h"

namespace zeb::resources {
namespace {

constexpr int kDrawLimit = 32768;

bool IdInUse(ResFile* file, uint32_t type, int16_t id) {
  resfmt::TypeEntry* entry = nullptr;
  return FindById(file, type, id, &entry) != nullptr;
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

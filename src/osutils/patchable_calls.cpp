// The table of patchable calls: one slot per trap word, each holding the address that the
// exported entry point calls.
#include "osutils/osutils_internal.h"

namespace zeb::osutils {
namespace {

// The Toolbox calls that applications may replace, by trap word.
constexpr uint16_t kPatchableTraps[] = {
    0xA80B, 0xA970, 0xA971, 0xA860, 0xA974, 0xA972, 0xA973, 0xA977, 0xA9B4,
    kTrapSetOrigin, 0xA922, 0xA923, 0xA928, 0xA927, 0xA913, 0xAA45, 0xA915, 0xA916,
    0xA91F, 0xA924, 0xA92D, 0xA991, 0xA937, 0xA938, kTrapSetCursor, kTrapInitCursor,
    kTrapEraseRect};
constexpr int kSlotCount = sizeof kPatchableTraps / sizeof kPatchableTraps[0];
static_assert(kSlotCount == 27, "the Toolbox's 27 patchable calls");

struct Slot {
  void* current = nullptr;  // null until first use: the default then fills it
};
Slot g_slots[kSlotCount];

int SlotIndex(uint16_t trap) {
  for (int i = 0; i < kSlotCount; ++i)
    if (kPatchableTraps[i] == trap) return i;
  return -1;
}

}  // namespace

void* PatchableSlot(uint16_t trap, void* libraryDefault) {
  const int i = SlotIndex(trap);
  if (i < 0) return libraryDefault;
  if (!g_slots[i].current) g_slots[i].current = libraryDefault;
  return g_slots[i].current;
}

}  // namespace zeb::osutils

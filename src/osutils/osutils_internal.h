// What the operating-system utilities offer the other managers: the table of patchable calls.
#ifndef ZEB_OSUTILS_OSUTILS_INTERNAL_H
#define ZEB_OSUTILS_OSUTILS_INTERNAL_H

#include <cstdint>

namespace zeb::osutils {

// Trap words of the patchable calls that QuickDraw owns.
constexpr uint16_t kTrapSetOrigin = 0xA878;
constexpr uint16_t kTrapInitCursor = 0xA850;
constexpr uint16_t kTrapSetCursor = 0xA851;
constexpr uint16_t kTrapEraseRect = 0xA8A3;

// The address an exported patchable call runs for trap: the slot's current value, which starts
// as libraryDefault, the owning manager's own implementation. An application replaces a slot
// with NSetTrapAddress; until a slot is replaced every call goes to its default.
void* PatchableSlot(uint16_t trap, void* libraryDefault);

template <class Proc>
Proc Patchable(uint16_t trap, Proc libraryDefault) {
  return reinterpret_cast<Proc>(PatchableSlot(trap, reinterpret_cast<void*>(libraryDefault)));
}

}  // namespace zeb::osutils

#endif  // ZEB_OSUTILS_OSUTILS_INTERNAL_H

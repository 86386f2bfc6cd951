// The table of patchable calls: one slot per trap word, each holding the address that the
// exported entry point calls, and the trap-address calls that read and replace them.
#include <vector>

#include "OSUtils.h"
#include "dialogs/dialogs_internal.h"
#include "events/events_internal.h"
#include "frame/frame_internal.h"
#include "menus/menus_internal.h"
#include "osutils/osutils_internal.h"
#include "quickdraw/quickdraw_internal.h"
#include "windows/windows_internal.h"

namespace zeb::osutils {
namespace {

template <class Proc>
void* Address(Proc proc) {
  return reinterpret_cast<void*>(proc);
}

struct Slot {
  uint16_t trap;
  void* libraryDefault;
  void* current;
  bool inReplacement;  // PopUpMenuSelect, Button, GetMouse: the replacement is running
};

Slot g_slots[] = {
    {kTrapPopUpMenuSelect, Address(&menus::LibraryPopUpMenuSelect), nullptr, false},
    {kTrapGetNextEvent, Address(&events::LibraryGetNextEvent), nullptr, false},
    {kTrapEventAvail, Address(&events::LibraryEventAvail), nullptr, false},
    {kTrapWaitNextEvent, Address(&events::LibraryWaitNextEvent), nullptr, false},
    {kTrapButton, Address(&events::LibraryButton), nullptr, false},
    {kTrapGetMouse, Address(&events::LibraryGetMouse), nullptr, false},
    {kTrapStillDown, Address(&events::LibraryStillDown), nullptr, false},
    {kTrapWaitMouseUp, Address(&events::LibraryWaitMouseUp), nullptr, false},
    {kTrapSystemTask, Address(&events::LibrarySystemTask), nullptr, false},
    {kTrapSetOrigin, Address(&quickdraw::LibrarySetOrigin), nullptr, false},
    {kTrapBeginUpdate, Address(&windows::LibraryBeginUpdate), nullptr, false},
    {kTrapEndUpdate, Address(&windows::LibraryEndUpdate), nullptr, false},
    {kTrapInvalRect, Address(&windows::LibraryInvalRect), nullptr, false},
    {kTrapInvalRgn, Address(&windows::LibraryInvalRgn), nullptr, false},
    {kTrapNewWindow, Address(&windows::LibraryNewWindow), nullptr, false},
    {kTrapNewCWindow, Address(&windows::LibraryNewCWindow), nullptr, false},
    {kTrapShowWindow, Address(&windows::LibraryShowWindow), nullptr, false},
    {kTrapHideWindow, Address(&windows::LibraryHideWindow), nullptr, false},
    {kTrapSelectWindow, Address(&windows::LibrarySelectWindow), nullptr, false},
    {kTrapFrontWindow, Address(&windows::LibraryFrontWindow), nullptr, false},
    {kTrapCloseWindow, Address(&windows::LibraryCloseWindow), nullptr, false},
    {kTrapModalDialog, Address(&dialogs::LibraryModalDialog), nullptr, false},
    {kTrapDrawMenuBar, Address(&menus::LibraryDrawMenuBar), nullptr, false},
    {kTrapHiliteMenu, Address(&menus::LibraryHiliteMenu), nullptr, false},
    {kTrapSetCursor, Address(&quickdraw::LibrarySetCursor), nullptr, false},
    {kTrapInitCursor, Address(&quickdraw::LibraryInitCursor), nullptr, false},
    {kTrapEraseRect, Address(&quickdraw::LibraryEraseRect), nullptr, false},
};
constexpr int kSlotCount = sizeof g_slots / sizeof g_slots[0];
static_assert(kSlotCount == 27, "the Toolbox's 27 patchable calls");

// Words that NGetTrapAddress answers with themselves: present, though not in the table, so
// that an application testing for them finds them implemented.
constexpr uint16_t kPresentTraps[] = {0xAB03, 0x0060, 0xA1AD, 0x008F};
// The address of no code, the Toolbox's answer for an unimplemented trap.
constexpr uintptr_t kUnimplemented = 0xFFFFFFFFu;

// The procedure instances made for replacements. They stay until exit: another patcher may
// hold one (it read it with GetTrapAddress to chain to it) long after its slot changed.
struct Instance {
  void* application;  // the address the application gave
  void* instance;     // what the slot holds for it
};
std::vector<Instance> g_instances;

int SlotIndex(uint16_t trap) {
  for (int i = 0; i < kSlotCount; ++i)
    if (g_slots[i].trap == trap) return i;
  return -1;
}

void* Current(const Slot& s) { return s.current ? s.current : s.libraryDefault; }

// What the slot should hold for an address the application gives: the instance made for it
// before, an instance it already holds (an address GetTrapAddress answered), or a new one.
void* InstanceFor(void* address) {
  for (const Instance& i : g_instances)
    if (i.instance == address || i.application == address) return i.instance;
  void* made = reinterpret_cast<void*>(frame::WrapCallback(reinterpret_cast<FARPROC>(address)));
  if (made != address) g_instances.push_back({address, made});
  return made;
}

void* AsAddress(uintptr_t value) { return reinterpret_cast<void*>(value); }

}  // namespace

void* SlotAddress(uint16_t trap) {
  const int i = SlotIndex(trap);
  return i < 0 ? nullptr : Current(g_slots[i]);
}

Replacement::Replacement(uint16_t trap) : slot_(SlotIndex(trap)), proc_(nullptr) {
  if (slot_ < 0) return;
  Slot& s = g_slots[slot_];
  if (s.inReplacement || !s.current || s.current == s.libraryDefault) {
    slot_ = -1;
    return;
  }
  proc_ = s.current;
  s.inReplacement = true;
}

Replacement::~Replacement() {
  if (slot_ >= 0) g_slots[slot_].inReplacement = false;
}

void ReleasePatches() {
  for (Slot& s : g_slots) {
    s.current = nullptr;
    s.inReplacement = false;
  }
  for (const Instance& i : g_instances) frame::ReleaseCallback(reinterpret_cast<FARPROC>(i.instance));
  g_instances.clear();
}

}  // namespace zeb::osutils

using namespace zeb;
using namespace zeb::osutils;

extern "C" {

UniversalProcPtr ZEBAPI NGetTrapAddress(unsigned short trapNum, short tTyp) {
  (void)tTyp;
  const int i = SlotIndex(trapNum);
  if (i >= 0) return Current(g_slots[i]);
  for (uint16_t present : kPresentTraps)
    if (present == trapNum) return AsAddress(trapNum);
  return AsAddress(kUnimplemented);
}

UniversalProcPtr ZEBAPI GetTrapAddress(unsigned short trapNum) { return NGetTrapAddress(trapNum, 0); }

UniversalProcPtr ZEBAPI GetToolboxTrapAddress(unsigned short trapNum) {
  return NGetTrapAddress(trapNum, 0);
}

UniversalProcPtr ZEBAPI NSetTrapAddress(UniversalProcPtr trapAddr, unsigned short trapNum,
                                        short tTyp) {
  (void)tTyp;
  const int i = SlotIndex(trapNum);
  if (i < 0) return AsAddress(trapNum);
  Slot& s = g_slots[i];
  if (Current(s) == trapAddr) return Current(s);
  // Nil, like the library's own address, puts the library's behaviour back.
  if (!trapAddr || trapAddr == s.libraryDefault)
    s.current = nullptr;
  else
    s.current = InstanceFor(trapAddr);
  return Current(s);
}

UniversalProcPtr ZEBAPI SetTrapAddress(UniversalProcPtr trapAddr, unsigned short trapNum) {
  return NSetTrapAddress(trapAddr, trapNum, 0);
}

}  // extern "C"

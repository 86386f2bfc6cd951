// The library's own event calls as the patchable table starts with them, and the pump's
// counters. The message pump that runs behind GetNextEvent and WaitNextEvent goes here.
#include <windows.h>

#include "Events.h"
#include "events/events_internal.h"

namespace zeb::events {
namespace {

constexpr int kYieldInterval = 6;
int g_yieldCounter = 64;

void NullEvent(EventRecord* e) {
  if (!e) return;
  e->what = nullEvent;
  e->message = 0xFFFFFFFFu;
  e->when = TickCount();
  e->where = LastMouse();
  e->modifiers = CurrentModifiers();
}

// The oldest queued event whose kind the mask admits.
EvQEl* FirstAdmitted(short mask) {
  for (EvQEl* e = reinterpret_cast<EvQEl*>(GetEvQHdr()->qHead); e;
       e = reinterpret_cast<EvQEl*>(e->qLink)) {
    if (e->evtQWhat >= 0 && e->evtQWhat < 16 &&
        (static_cast<uint16_t>(mask) & (1u << e->evtQWhat)))
      return e;
  }
  return nullptr;
}

Boolean Take(short mask, EventRecord* event, bool remove) {
  EvQEl* e = FirstAdmitted(mask);
  if (!e) {
    NullEvent(event);
    return false;
  }
  if (event) {
    event->what = e->evtQWhat;
    event->message = e->evtQMessage;
    event->when = e->evtQWhen;
    event->where = e->evtQWhere;
    event->modifiers = e->evtQModifiers;
  }
  if (remove) RemoveQueued(e);
  return true;
}

bool ButtonDown() {
  return (GetAsyncKeyState(VK_LBUTTON) | GetAsyncKeyState(VK_RBUTTON)) & 0x8000;
}

}  // namespace

void RestartYieldCounter() { g_yieldCounter = static_cast<int>(StoredSystemValue(kYieldInterval)); }

Boolean ZEBAPI LibraryGetNextEvent(short mask, EventRecord* event) { return Take(mask, event, true); }

Boolean ZEBAPI LibraryEventAvail(short mask, EventRecord* event) { return Take(mask, event, false); }

Boolean ZEBAPI LibraryWaitNextEvent(short mask, EventRecord* event, unsigned long sleep,
                                    RgnHandle mouseRgn) {
  (void)sleep;
  (void)mouseRgn;
  return Take(mask, event, true);
}

Boolean ZEBAPI LibraryButton(void) {
  const bool down = ButtonDown();
  uint16_t m = CurrentModifiers();
  SetCurrentModifiers(down ? static_cast<uint16_t>(m & ~btnState) : static_cast<uint16_t>(m | btnState));
  return down;
}

void ZEBAPI LibraryGetMouse(Point* where) {
  if (!where) return;
  POINT p{};
  GetCursorPos(&p);
  Point global = {static_cast<short>(p.y), static_cast<short>(p.x)};
  SetLastMouse(global);
  *where = global;
  GlobalToLocal(where);
}

Boolean ZEBAPI LibraryStillDown(void) { return LibraryButton(); }

Boolean ZEBAPI LibraryWaitMouseUp(void) { return LibraryButton(); }

void ZEBAPI LibrarySystemTask(void) {}

void IdleWait(uint32_t milliseconds) {
  MsgWaitForMultipleObjects(0, nullptr, FALSE, milliseconds, QS_ALLINPUT);
}

bool ApplicationActive() { return true; }

}  // namespace zeb::events

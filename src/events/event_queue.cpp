// The Toolbox event queue: 32 elements in the Toolbox's element layout, linked behind the
// application's queue header, and the state every posted event is stamped with.
#include <windows.h>

#include "Events.h"
#include "OSUtils.h"
#include "events/events_internal.h"
#include "frame/address32.h"
#include "frame/toolbox_globals.h"

namespace zeb::events {
namespace {

constexpr int kQueueLength = 32;
// A full queue loses this many of its oldest events, so that a burst of input never blocks.
constexpr int kDiscardWhenFull = 8;
constexpr int16_t kFree = -1;
constexpr int16_t kQueued = 1;
// Window-state kinds: update (bit 6) and activate (bit 8) come from the windows, not the queue.
constexpr uint16_t kWindowStateKinds = updateMask | activMask;
constexpr uint16_t kButtonUp = btnState;
constexpr int16_t kDragPart = 4;

struct Queue {
  EvQEl elements[kQueueLength] = {};
  QHdr* header = nullptr;
  int count = 0;
  uint16_t pending = 0;
  bool immediatePoll = false;
  Point lastMouse = {0, 0};
  uint16_t modifiers = kButtonUp;
};
Queue g_queue;
// Before ZEB_InitGlobals the queue hangs behind a header of the library's own.
QHdr g_ownHeader{};

QHdr& Header() { return g_queue.header ? *g_queue.header : g_ownHeader; }

EvQEl* Next(const EvQEl* e) { return reinterpret_cast<EvQEl*>(e->qLink); }

uint16_t MaskBit(int16_t what) {
  return (what >= 0 && what < 16) ? static_cast<uint16_t>(1u << what) : 0;
}

uint16_t EventMask() { return static_cast<uint16_t>(*frame::Globals().sysEvtMask); }

EvQEl* FreeElement() {
  for (EvQEl& e : g_queue.elements)
    if (e.qType != kQueued) return &e;
  return nullptr;
}

void Append(EvQEl* e) {
  QHdr& h = Header();
  e->qLink = nullptr;
  e->qType = kQueued;
  if (h.qTail)
    reinterpret_cast<EvQEl*>(h.qTail)->qLink = reinterpret_cast<QElemPtr>(e);
  else
    h.qHead = reinterpret_cast<QElemPtr>(e);
  h.qTail = reinterpret_cast<QElemPtr>(e);
  ++g_queue.count;
}

void Stamp(EvQEl* e, int16_t what, uint32_t message) {
  e->evtQWhat = what;
  e->evtQMessage = message;
  e->evtQWhen = TickCount();
  e->evtQWhere = g_queue.lastMouse;
  e->evtQModifiers = g_queue.modifiers;
}

bool IsDragReport(const EvQEl* e) {
  return e->evtQWhat == mouseDown && e->evtQMessage == 0 && e->evtQWhere.h == kReportH &&
         e->evtQWhere.v == -kDragPart;
}

}  // namespace

void InitEventQueue(QHdr* header) {
  g_queue = Queue{};
  for (EvQEl& e : g_queue.elements) e.qType = kFree;
  g_queue.header = header;
  Header() = QHdr{};
  ResetPump();
  ResetInput();
}

OSErr Post(int16_t what, uint32_t message, EvQEl** used) {
  if (used) *used = nullptr;
  const uint16_t bit = MaskBit(what);
  if (!(EventMask() & bit)) return evtNotEnb;
  // Key-up events are dropped unless the application asked for them.
  if (what == keyUp && !(EventMask() & keyUpMask)) return evtNotEnb;
  if (g_queue.count >= kQueueLength) {
    for (int i = 0; i < kDiscardWhenFull && Header().qHead; ++i)
      RemoveQueued(reinterpret_cast<EvQEl*>(Header().qHead));
    SysBeep(1);
  }
  EvQEl* e = FreeElement();
  if (!e) return evtNotEnb;
  Stamp(e, what, message);
  Append(e);
  g_queue.pending |= bit;
  if (used) *used = e;
  return noErr;
}

void PostMouseDownReport(int16_t part) {
  // Only a newer drag report may take the place of a drag report: any other report is an event
  // of its own, so that no report is lost and the drag report does not stand in its way.
  EvQEl* last = reinterpret_cast<EvQEl*>(Header().qTail);
  EvQEl* e = nullptr;
  if (part == kDragPart && last && last->qType == kQueued && IsDragReport(last)) {
    e = last;
    Stamp(e, mouseDown, 0);
    g_queue.pending |= mDownMask;
  } else if (Post(mouseDown, 0, &e) != noErr || !e) {
    return;
  }
  e->evtQWhere.v = static_cast<short>(-part);
  e->evtQWhere.h = kReportH;
}

void RemoveQueued(EvQEl* element) {
  if (!element || element->qType != kQueued) return;
  QHdr& h = Header();
  EvQEl* previous = nullptr;
  for (EvQEl* e = reinterpret_cast<EvQEl*>(h.qHead); e; previous = e, e = Next(e)) {
    if (e != element) continue;
    if (previous)
      previous->qLink = e->qLink;
    else
      h.qHead = e->qLink;
    if (h.qTail == reinterpret_cast<QElemPtr>(e)) h.qTail = reinterpret_cast<QElemPtr>(previous);
    e->qType = kFree;
    e->qLink = nullptr;
    if (--g_queue.count == 0) {
      h.qHead = h.qTail = nullptr;
      g_queue.pending &= kWindowStateKinds;
    }
    return;
  }
}

int QueuedCount() { return g_queue.count; }

uint16_t PendingKinds() { return g_queue.pending; }
void AddPendingKinds(uint16_t bits) { g_queue.pending |= bits; }
void ClearPendingKinds(uint16_t bits) { g_queue.pending &= static_cast<uint16_t>(~bits); }

void RequestImmediatePoll() { g_queue.immediatePoll = true; }
bool TakeImmediatePoll() {
  const bool asked = g_queue.immediatePoll;
  g_queue.immediatePoll = false;
  return asked;
}

void RecordActivate(GrafPtr window) {
  *frame::Globals().curActivate = window;
  g_queue.pending |= activMask;
  g_queue.immediatePoll = true;
}

void RecordDeactivate(GrafPtr window) {
  *frame::Globals().curDeactive = window;
  g_queue.pending |= activMask;
  g_queue.immediatePoll = true;
}

void ForgetWindow(GrafPtr window) {
  if (!window) return;
  const frame::ToolboxGlobals& g = frame::Globals();
  if (*g.curActivate == window) *g.curActivate = nullptr;
  if (*g.curDeactive == window) *g.curDeactive = nullptr;
}

Point LastMouse() { return g_queue.lastMouse; }
void SetLastMouse(Point where) { g_queue.lastMouse = where; }
uint16_t CurrentModifiers() { return g_queue.modifiers; }
void SetCurrentModifiers(uint16_t modifiers) { g_queue.modifiers = modifiers; }

}  // namespace zeb::events

using namespace zeb;

extern "C" {

OSErr ZEBAPI PostEvent(short eventNum, long eventMsg) {
  return events::Post(eventNum, static_cast<uint32_t>(eventMsg), nullptr);
}

OSErr ZEBAPI PPostEvent(short eventCode, long eventMsg, EvQElPtr* qEl) {
  EvQEl* used = nullptr;
  const OSErr result = events::Post(eventCode, static_cast<uint32_t>(eventMsg), &used);
  if (qEl) *qEl = used;
  return result;
}

QHdrPtr ZEBAPI GetEvQHdr(void) { return &events::Header(); }

}  // extern "C"

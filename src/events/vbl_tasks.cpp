// Vertical-retrace tasks: the application's VBLTask records, counted down and called while the
// mouse button is down (the pump) and at each ZEB_VBL_Interrupt from the application's timer.
// An installed task holds the mouse captured, as a tracking loop needs.
#include <windows.h>

#include <vector>

#include "Events.h"
#include "OSUtils.h"
#include "ZEB.h"
#include "events/events_internal.h"
#include "frame/frame_internal.h"
#include "quickdraw/quickdraw_internal.h"

namespace zeb::events {
namespace {

// The vertical-retrace queue's element type.
constexpr short kVBLType = 1;

struct Installed {
  VBLTask* task;
  VBLProcPtr call;  // the procedure instance of task->vblAddr
};

struct Retrace {
  VBLTask* head = nullptr;
  VBLTask* tail = nullptr;
  std::vector<Installed> installed;
  bool clock = false;       // the tracking clock runs while tasks are installed
  bool clockEnded = false;  // the last task left during the current pump
  bool inInterrupt = false;
};
Retrace g_retrace;

VBLTask* Next(const VBLTask* t) { return reinterpret_cast<VBLTask*>(t->qLink); }

bool InList(const VBLTask* task) {
  for (VBLTask* t = g_retrace.head; t; t = Next(t))
    if (t == task) return true;
  return false;
}

VBLProcPtr CallOf(const VBLTask* task) {
  for (const Installed& i : g_retrace.installed)
    if (i.task == task) return i.call;
  return task->vblAddr;
}

// One count-down of every task. The next link is taken before the call: a task may remove
// itself, or another, while it runs.
void CountDown() {
  for (VBLTask* t = g_retrace.head; t;) {
    VBLTask* next = Next(t);
    if (t->vblCount > 0 && --t->vblCount == 0) {
      if (VBLProcPtr call = CallOf(t)) call();
      // A task that removed the one after it leaves the walk at its own link.
      if (next && !InList(next)) next = InList(t) ? Next(t) : nullptr;
    }
    t = next;
  }
}

}  // namespace

void RunVBLTasksWhileButtonDown() {
  if (!g_retrace.head || (CurrentModifiers() & btnState)) return;
  CountDown();
}

bool VBLTrackingEnded() { return g_retrace.clockEnded; }
void ClearVBLTrackingEnded() { g_retrace.clockEnded = false; }

void ReleaseVBLTasks() {
  for (const Installed& i : g_retrace.installed) frame::ReleaseCallback(i.call);
  g_retrace = Retrace{};
}

}  // namespace zeb::events

using namespace zeb;
using namespace zeb::events;

extern "C" {

OSErr ZEBAPI VInstall(VBLTaskPtr vblTaskPtr) {
  if (!vblTaskPtr) return vTypErr;
  // Installing a task twice would link it to itself and cut the list behind it.
  if (InList(vblTaskPtr)) return noErr;
  RaiseCapture(frame::FrameWindow());
  vblTaskPtr->qLink = nullptr;
  vblTaskPtr->qType = kVBLType;
  if (g_retrace.tail)
    g_retrace.tail->qLink = reinterpret_cast<QElemPtr>(vblTaskPtr);
  else
    g_retrace.head = vblTaskPtr;
  g_retrace.tail = vblTaskPtr;
  g_retrace.installed.push_back({vblTaskPtr, frame::WrapCallback(vblTaskPtr->vblAddr)});
  g_retrace.clock = true;
  g_retrace.clockEnded = false;
  return noErr;
}

OSErr ZEBAPI VRemove(VBLTaskPtr vblTaskPtr) {
  if (!vblTaskPtr) return vTypErr;
  VBLTask* previous = nullptr;
  VBLTask* t = g_retrace.head;
  for (; t && t != vblTaskPtr; t = Next(t)) previous = t;
  if (!t) return qErr;
  if (previous)
    previous->qLink = t->qLink;
  else
    g_retrace.head = Next(t);
  if (g_retrace.tail == t) g_retrace.tail = previous;
  t->qLink = nullptr;
  for (size_t i = 0; i < g_retrace.installed.size(); ++i) {
    if (g_retrace.installed[i].task != t) continue;
    frame::ReleaseCallback(g_retrace.installed[i].call);
    g_retrace.installed.erase(g_retrace.installed.begin() + static_cast<long>(i));
    break;
  }
  LowerCapture();
  // The clock serves every task: it stops only with the last of them.
  if (!g_retrace.head) {
    g_retrace.clock = false;
    g_retrace.clockEnded = true;
  }
  return noErr;
}

void ZEBAPI ZEB_VBL_Interrupt(void) {
  // The pump below may dispatch the very timer message that called us.
  if (g_retrace.inInterrupt) return;
  g_retrace.inInterrupt = true;
  if (g_retrace.clock) {
    quickdraw::RunDragTracking();
    CountDown();
  } else {
    EventRecord e;
    OSEventAvail(mDownMask, &e);
  }
  g_retrace.inInterrupt = false;
}

}  // extern "C"

// What the Event Manager offers the other managers.
#ifndef ZEB_EVENTS_EVENTS_INTERNAL_H
#define ZEB_EVENTS_EVENTS_INTERNAL_H

#include <windows.h>

#include <cstdint>

#include "Events.h"
#include "OSUtils.h"
#include "Quickdraw.h"

namespace zeb::events {

// Start-up and exit: the thread's keyboard hook that turns keys into Toolbox key events and
// runs dialog keyboard navigation. Installing is idempotent: start-up and every resume install
// it, and one hook must see each key once. Keys go to the frame window.
void InstallKeyboardHook();
// Resume: the hook goes back in for the target saved at suspend.
void InstallKeyboardHookFor(HWND target);
void RemoveKeyboardHook();
// The window the hook sends keys to (the frame unless re-installed for another).
HWND KeyboardHookTarget();
// ZEB_ExitSession: the wake-up timer, the pump's hooks and the VBL tasks are released.
void ReleaseEventLoop();
// ZEB_ExitSession, after ReleaseEventLoop: what the application set for its session goes with
// it. The ZEB_SystemValue settings return to their defaults (a one-shot setting no window took,
// such as a replacement procID, would otherwise shape the first window of the next session), and
// the window-creation hook and the dialog keyboard callback are released with their procedure
// instances.
void EndEventSession();

// ZEB_InitGlobals: the 32 queue elements are made free and the application's queue header,
// already empty, becomes the queue's header; the pending kinds, modifiers (button up) and mouse
// location start afresh.
void InitEventQueue(QHdr* header);

// The system-value table (ZEB_SystemValue). Stored() reads a setting for the manager that
// consults it; indices that only compute a value read 0 here.
uint32_t StoredSystemValue(int index);
// A manager's own setting written back (index 30, the value of the control being tracked).
void StoreSystemValue(int index, uint32_t value);
// The one-shot settings for the next window (indices 2, 31 to 34, 48, 53): the value now, the
// setting going back to its default.
uint32_t TakeSystemValue(int index);

// ZEB_SystemValue index 39: the procedure called after every window the library creates.
void* WindowCreationHook();
// Part of EndEventSession: the table back to its defaults, the creation hook released.
void ResetSystemValues();
// Part of EndEventSession: the dialog keyboard callback released, the playback switch cleared.
void ReleaseKeyboardCallbacks();

// The pump's yield counter, restarted when ZEB_SystemValue index 6 is set.
void RestartYieldCounter();

// ---- The queue (event_queue.cpp) ----

// Posting as every input call posts: refused (evtNotEnb) when the kind is outside the event
// mask, key-up also unless the mask admits key-up. A full queue loses its 8 oldest with a beep.
// *used, when given, receives the element (null when refused).
OSErr Post(int16_t what, uint32_t message, EvQEl** used);
// A mouse-down report of what the user did in Windows' own frame or menu: message 0, location
// (v -part, h -1). A drag report still last in the queue is brought up to date in place.
void PostMouseDownReport(int16_t part);
// Report locations.
constexpr int16_t kReportH = -1;
// Takes a queued element out (type back to -1); when the queue empties the pending kinds keep
// only the window-state bits.
void RemoveQueued(EvQEl* element);
int QueuedCount();

// The pending-kinds word: one bit per kind that may be waiting.
uint16_t PendingKinds();
void AddPendingKinds(uint16_t bits);
void ClearPendingKinds(uint16_t bits);
// An invalidation or activation makes the next event call look for window events at once
// instead of waiting for its poll interval.
void RequestImmediatePoll();
bool TakeImmediatePoll();

// Activation: the windows awaiting an activate and a deactivate event (the application's
// cells). Recording sets the activate bit of the pending kinds and asks for an immediate poll.
void RecordActivate(GrafPtr window);
void RecordDeactivate(GrafPtr window);
// A window that closes is named by neither cell afterwards.
void ForgetWindow(GrafPtr window);

// The last mouse location (screen coordinates) and the modifiers, as input last reported them;
// every posted event carries them.
Point LastMouse();
void SetLastMouse(Point where);
uint16_t CurrentModifiers();
void SetCurrentModifiers(uint16_t modifiers);

// ---- Seams towards the event loop (event_calls.cpp) ----

// The library's own GetNextEvent, EventAvail, WaitNextEvent, Button, GetMouse, StillDown,
// WaitMouseUp and SystemTask: the defaults of their patchable slots. The event calls fill in
// the message pump behind them; until then each answers from the queue as it stands: the oldest
// admitted event (removed by the Get calls), else a null event.
Boolean ZEBAPI LibraryGetNextEvent(short mask, EventRecord* event);
Boolean ZEBAPI LibraryEventAvail(short mask, EventRecord* event);
Boolean ZEBAPI LibraryWaitNextEvent(short mask, EventRecord* event, unsigned long sleep,
                                    RgnHandle mouseRgn);
Boolean ZEBAPI LibraryButton(void);
void ZEBAPI LibraryGetMouse(Point* where);
Boolean ZEBAPI LibraryStillDown(void);
Boolean ZEBAPI LibraryWaitMouseUp(void);
void ZEBAPI LibrarySystemTask(void);

// ---- The pump's state as the input calls share it (event_calls.cpp, vbl_tasks.cpp) ----

// ZEB_InitGlobals: counters, timer, hooks and quit flag start afresh.
void ResetPump();
// ZEB_TestUpdate: makes Windows deliver the window's pending paint, then tells whether its
// update region meets its visible region (the one saved by an enclosing BeginUpdate of it, when
// there is one). When it does not and clear is set, the window is no longer update-pending.
bool TestUpdate(GrafPtr w, bool clear);
// True while FlushEvents takes keys out of Windows' queue: the keyboard hook forwards nothing.
bool DiscardingKeys();

// The mouse-capture count: raised by each VBL task and by ZEB_SetCapture, ZEB_SetWinCapture
// and ZEB_ForceCapture. Leaving zero captures the mouse to target, returning to zero releases
// it; it never goes below zero. While it is non-zero the pump tracks: it never blocks, and
// mouse moves, cursor and hit-test messages are not dispatched.
int CaptureCount();
void RaiseCapture(HWND target);
void LowerCapture();

// The pump's VBL step: while the button is down, positive counts are decremented and a task
// reaching zero is called.
void RunVBLTasksWhileButtonDown();
// The last VBL task left (StillDown's tracking ended); cleared by StillDown before it pumps.
bool VBLTrackingEnded();
void ClearVBLTrackingEnded();
void ReleaseVBLTasks();

// Delay's idle wait: waits at most milliseconds for a message to arrive for the thread,
// without taking it.
void IdleWait(uint32_t milliseconds);
// Whether the application is the active one (WM_ACTIVATEAPP); windows are not highlighted
// while it is not.
bool ApplicationActive();
// ZEB_InitGlobals: the input translation's flags, cursor memory and scrap count start afresh.
void ResetInput();

}  // namespace zeb::events

#endif  // ZEB_EVENTS_EVENTS_INTERNAL_H

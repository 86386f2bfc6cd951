// The message pump behind every event call, window-event generation, and the event calls
// themselves: GetNextEvent and WaitNextEvent, EventAvail, FlushEvents, the mouse-button calls
// and the hooks that let an application watch or replace the pump's PeekMessage.
#include <windows.h>

#include "Events.h"
#include "ZEB.h"
#include "dialogs/dialogs_internal.h"
#include "events/events_internal.h"
#include "frame/address32.h"
#include "frame/frame_internal.h"
#include "frame/toolbox_globals.h"
#include "menus/menus_internal.h"
#include "osutils/osutils_internal.h"
#include "quickdraw/quickdraw_internal.h"
#include "windows/windows_internal.h"

namespace zeb::events {
namespace {

// ZEB_SystemValue indices the pump reads.
constexpr int kPollInterval = 5;
constexpr int kYieldInterval = 6;
constexpr int kModalWindowUp = 28;

// PeekMessage's removal flags: remove without yielding normally, remove and allow yielding
// when the yield counter runs out or the call may sleep.
constexpr UINT kRemoveNoYield = PM_REMOVE | PM_NOYIELD;
constexpr UINT kRemoveYield = PM_REMOVE;

// The pump sleeps in steps of the PC's classic 55-millisecond clock tick.
constexpr uint32_t kSleepStep = 55;
// Longer sleeps block in GetMessage, woken by a thread timer.
constexpr uint32_t kLongestPolledSleep = 250;
// Sleep arguments in ticks: 2047 ticks and more are the longest sleep, 32512 milliseconds.
constexpr uint32_t kLongestSleepTicks = 2047;
constexpr uint32_t kLongestSleepMs = 32512;
// StillDown reads the real button only every 65th call; the others answer from the modifiers.
constexpr int kStillDownPollInterval = 65;
// The menu selection that stands for the quit command.
constexpr uint16_t kQuitSelection = 0xFFFF;
constexpr uint32_t kNullMessage = 0xFFFFFFFFu;
// Keyboard messages run from WM_KEYDOWN (0x100) to WM_SYSDEADCHAR (0x107) and 0x108.
constexpr UINT kLastKeyMessage = 0x108;

struct Pump {
  UINT removal = kRemoveNoYield;
  int yieldCounter = 64;
  int pollCounter = 32;
  UINT_PTR wakeTimer = 0;
  int32_t wakePeriod = -1;  // -1: not armed
  uint32_t sleepRemainder = 0;
  bool quit = false;
  ZEB_MessageHookProc messageHook = nullptr;
  ZEB_PeekMessageProc peekProc = nullptr;
  int stillDownCalls = 0;
  bool discardingKeys = false;
  EvQEl windowEvent{};  // activate and update events are handed out from here, never queued
};
Pump g_pump;

const frame::ToolboxGlobals& G() { return frame::Globals(); }

bool ModalUp() { return StoredSystemValue(kModalWindowUp) != 0; }

uint16_t KindBit(int16_t what) {
  return (what >= 0 && what < 16) ? static_cast<uint16_t>(1u << what) : 0;
}

void FillNull(EventRecord* e) {
  if (!e) return;
  e->what = nullEvent;
  e->message = kNullMessage;
  e->when = TickCount();
  e->where = LastMouse();
  e->modifiers = CurrentModifiers();
}

void CopyOut(const EvQEl* from, EventRecord* e) {
  if (!e) return;
  e->what = from->evtQWhat;
  e->message = from->evtQMessage;
  e->when = from->evtQWhen;
  e->where = from->evtQWhere;
  e->modifiers = from->evtQModifiers;
}

bool ButtonReallyDown() {
  return ((GetAsyncKeyState(VK_LBUTTON) | GetAsyncKeyState(VK_RBUTTON)) & 0x8000) != 0;
}

void SetButtonBit(bool down) {
  const uint16_t m = CurrentModifiers();
  SetCurrentModifiers(down ? static_cast<uint16_t>(m & ~btnState)
                           : static_cast<uint16_t>(m | btnState));
}

void KillWakeTimer() {
  if (g_pump.wakePeriod < 0) return;
  KillTimer(nullptr, g_pump.wakeTimer);
  g_pump.wakeTimer = 0;
  g_pump.wakePeriod = -1;
}

void ArmWakeTimer(uint32_t period) {
  if (g_pump.wakePeriod == static_cast<int32_t>(period)) return;
  KillWakeTimer();
  g_pump.wakeTimer = SetTimer(nullptr, 0, period, nullptr);
  if (g_pump.wakeTimer) g_pump.wakePeriod = static_cast<int32_t>(period);
}

BOOL Peek(MSG* msg, UINT removal) {
  if (g_pump.peekProc) return g_pump.peekProc(msg, nullptr, 0, 0, removal);
  return PeekMessageA(msg, nullptr, 0, 0, removal);
}

void Keyboard(MSG& msg) {
  if (dialogs::CharFilterConsumes(msg)) return;
  const frame::SessionState& s = frame::Session();
  bool translated = false;
  if (frame::SessionFlag(ZEB_SF_MDI) && s.mdiClient && !ModalUp()) {
    translated = TranslateMDISysAccel(s.mdiClient, &msg) != 0;
    // Keys typed while the MDI client itself has the focus belong to the frame.
    if (!translated && msg.hwnd == s.mdiClient && s.frameWindow) msg.hwnd = s.frameWindow;
  }
  if (!translated && !ModalUp() && s.accelerators && s.frameWindow)
    translated = TranslateAcceleratorA(s.frameWindow, s.accelerators, &msg) != 0;
  if (translated) return;
  TranslateMessage(&msg);
  DispatchMessageA(&msg);
}

void HandleMessage(MSG& msg) {
  *G().ticks = msg.time >> 4;
  SetLastMouse(Point{static_cast<short>(msg.pt.y), static_cast<short>(msg.pt.x)});
  if (g_pump.messageHook && g_pump.messageHook(msg.hwnd, &msg) == 0) return;
  const UINT m = msg.message;
  if (m >= WM_MOUSEFIRST && m <= WM_MBUTTONDBLCLK) {
    quickdraw::DragTrackingSeesMouse(msg);
    if (m == WM_MOUSEMOVE && CaptureCount() != 0) return;
    DispatchMessageA(&msg);
    return;
  }
  if (m == WM_SETCURSOR || m == WM_NCHITTEST) {
    if (CaptureCount() == 0) DispatchMessageA(&msg);
    return;
  }
  if (m == WM_TIMER) {
    // Only the wake-up timer's own message is the pump's: a thread timer of the library has no
    // window and its identifier. Every other timer is the application's and is dispatched.
    if (g_pump.wakePeriod >= 0 && msg.hwnd == nullptr && msg.wParam == g_pump.wakeTimer) {
      KillWakeTimer();
      return;
    }
    DispatchMessageA(&msg);
    return;
  }
  if (m >= WM_KEYFIRST && m <= kLastKeyMessage) {
    Keyboard(msg);
    return;
  }
  DispatchMessageA(&msg);
}

// Step 1 of the pump: sleeps go in whole 55-millisecond steps, the remainders saved up until
// they make a step of their own.
uint32_t RoundSleep(uint32_t sleep) {
  const uint32_t remainder = sleep % kSleepStep;
  sleep -= remainder;
  g_pump.sleepRemainder += remainder;
  if (g_pump.sleepRemainder > kSleepStep) {
    sleep += kSleepStep;
    g_pump.sleepRemainder -= kSleepStep;
  }
  return sleep;
}

void RunMessages(uint16_t mask, uint32_t sleep) {
  DWORD start = 0;
  if (sleep) {
    if (CaptureCount() == 0) g_pump.removal = kRemoveYield;
    start = GetTickCount();
    sleep = RoundSleep(sleep);
  }
  bool handled = false;
  bool extraRound = false;  // once Toolbox events are pending, one more round and no sleeping
  for (;;) {
    MSG msg;
    bool got;
    if (CaptureCount() == 0 && !handled && !(PendingKinds() & mask) &&
        sleep > kLongestPolledSleep) {
      ArmWakeTimer(sleep);
      const BOOL r = GetMessageA(&msg, nullptr, 0, 0);
      got = r != -1;
      if (r == 0) msg.message = WM_QUIT;
    } else {
      got = Peek(&msg, g_pump.removal) != 0;
    }
    if (got) {
      if (msg.message == WM_QUIT) {
        g_pump.quit = true;
        break;
      }
      handled = true;
      HandleMessage(msg);
    }
    RunVBLTasksWhileButtonDown();
    if (PendingKinds() & mask) {
      if (extraRound) break;
      extraRound = true;
      continue;
    }
    if (got) continue;
    const DWORD elapsed = GetTickCount() - start;
    if (!sleep || elapsed >= sleep) break;
    // A short sleep is served by polling; between polls the thread waits for input rather
    // than spinning.
    MsgWaitForMultipleObjectsEx(0, nullptr, sleep - elapsed, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
  }
  g_pump.removal = kRemoveNoYield;
  *G().mbState = (CurrentModifiers() & btnState) ? 1 : 0;
}

WindowPtr Front() { return windows::LibraryFrontWindow(); }

EvQEl* BuildWindowEvent(int16_t what, WindowPtr w, uint16_t extraModifiers) {
  EvQEl& e = g_pump.windowEvent;
  e.qLink = nullptr;
  e.qType = 0;
  e.evtQWhat = what;
  e.evtQMessage = AddressToLong(w);
  e.evtQWhen = TickCount();
  e.evtQWhere = LastMouse();
  e.evtQModifiers = static_cast<uint16_t>(CurrentModifiers() | extraModifiers);
  return &e;
}

EvQEl* TryWindowEvent(uint16_t mask) {
  if (mask & activMask) {
    void*& activate = *G().curActivate;
    void*& deactivate = *G().curDeactive;
    if (deactivate && deactivate == Front() && !activate) deactivate = nullptr;
    if (deactivate && deactivate == activate) deactivate = activate = nullptr;
    if (deactivate && !windows::Listed(static_cast<WindowPtr>(deactivate))) deactivate = nullptr;
    if (deactivate) return BuildWindowEvent(activateEvt, static_cast<WindowPtr>(deactivate), 0);
    if (activate) {
      WindowPeek w = windows::Listed(static_cast<WindowPtr>(activate));
      if (w && w->visible) return BuildWindowEvent(activateEvt, &w->port, activeFlag);
      activate = nullptr;
    }
    ClearPendingKinds(activMask);
  }
  if (mask & updateMask) {
    for (WindowPtr p = windows::ListHead(); p;
         p = reinterpret_cast<WindowPtr>(reinterpret_cast<WindowPeek>(p)->nextWindow)) {
      WindowPeek w = reinterpret_cast<WindowPeek>(p);
      windows::WindowData* d = windows::DataOf(p);
      if (!w->visible || !d || !(d->rec.kindFlags & zebUpdatePending)) continue;
      if (TestUpdate(p, true)) return BuildWindowEvent(updateEvt, p, 0);
    }
    ClearPendingKinds(updateMask);
  }
  return nullptr;
}

EvQEl* FirstQueued(uint16_t mask) {
  for (EvQEl* e = reinterpret_cast<EvQEl*>(GetEvQHdr()->qHead); e;
       e = reinterpret_cast<EvQEl*>(e->qLink))
    if (mask & KindBit(e->evtQWhat)) return e;
  return nullptr;
}

// Steps 2 to 6 of the pump: messages, then the queue, then window state.
EvQEl* PumpAndFind(uint16_t mask, EventRecord* record, uint32_t sleep) {
  RunMessages(mask, sleep);
  EvQEl* found = nullptr;
  if (mask & PendingKinds()) found = FirstQueued(mask);
  // A walk that found nothing still tries window state: an invalidation sets the update bit
  // of the pending kinds, and its update must come with this call, not the next.
  if (!found && (mask & (updateMask | activMask))) {
    const bool immediate = TakeImmediatePoll();
    if (immediate || --g_pump.pollCounter < 0) {
      found = TryWindowEvent(mask);
      g_pump.pollCounter = found ? -1 : static_cast<int>(StoredSystemValue(kPollInterval));
    }
  }
  if (!found) {
    ClearPendingKinds(mask);
    FillNull(record);
    return nullptr;
  }
  CopyOut(found, record);
  return found;
}

void RemoveFound(EvQEl* e) {
  if (e != &g_pump.windowEvent) {
    RemoveQueued(e);
    return;
  }
  if (e->evtQWhat != activateEvt) return;
  void* w = LongToAddress<void>(e->evtQMessage);
  if (e->evtQModifiers & activeFlag) {
    if (*G().curActivate == w) *G().curActivate = nullptr;
  } else if (*G().curDeactive == w) {
    *G().curDeactive = nullptr;
  }
  if (!*G().curActivate && !*G().curDeactive) ClearPendingKinds(activMask);
}

uint32_t SleepMilliseconds(uint32_t ticks) {
  if (ticks == 0) return 0;
  if (ticks >= kLongestSleepTicks) return kLongestSleepMs;
  return ticks * 16;
}

Boolean NextEvent(short mask, EventRecord* event, uint32_t sleepTicks) {
  if (g_pump.quit) {
    // The quit command arrives as a menu-bar report with the next call; this call hands out a
    // null event rather than the record's old contents.
    g_pump.quit = false;
    menus::ReportMenuSelection(kQuitSelection);
    FillNull(event);
    return false;
  }
  if (CaptureCount() == 0 && --g_pump.yieldCounter < 0) {
    RestartYieldCounter();
    g_pump.removal = kRemoveYield;
  }
  EvQEl* found = PumpAndFind(static_cast<uint16_t>(mask), event, SleepMilliseconds(sleepTicks));
  // A nil record takes no event out of the queue.
  if (!found || !event) return found != nullptr;
  const int16_t what = found->evtQWhat;
  RemoveFound(found);
  if (what == mouseDown) dialogs::CloseFocusedComboList();
  return event->what != nullEvent;
}

Boolean Avail(short mask, EventRecord* event) {
  return PumpAndFind(static_cast<uint16_t>(mask), event, 0) != nullptr;
}

}  // namespace

void RestartYieldCounter() { g_pump.yieldCounter = static_cast<int>(StoredSystemValue(kYieldInterval)); }

void ResetPump() {
  ReleaseEventLoop();
  g_pump = Pump{};
  g_pump.pollCounter = static_cast<int>(StoredSystemValue(kPollInterval));
  RestartYieldCounter();
}

bool DiscardingKeys() { return g_pump.discardingKeys; }

void EndEventSession() {
  ResetSystemValues();
  ReleaseKeyboardCallbacks();
}

void ReleaseEventLoop() {
  KillWakeTimer();
  frame::ReleaseCallback(g_pump.messageHook);
  frame::ReleaseCallback(g_pump.peekProc);
  g_pump.messageHook = nullptr;
  g_pump.peekProc = nullptr;
  g_pump.quit = false;
  ReleaseVBLTasks();
}

bool TestUpdate(WindowPtr w, bool clear) {
  WindowPeek peek = windows::Listed(w);
  windows::WindowData* d = windows::DataOf(w);
  if (!peek || !d) return false;
  // Windows' pending paint joins the update region first.
  UpdateWindow(d->rec.window);
  if (!windows::Listed(w) || !peek->updateRgn) return false;
  RgnHandle visible = windows::SavedVisibleRegion(w);
  if (!visible) visible = w->visRgn;
  RgnHandle common = NewRgn();
  SectRgn(visible, peek->updateRgn, common);
  const bool meets = !EmptyRgn(common);
  DisposeRgn(common);
  if (!meets && clear) {
    d->rec.kindFlags &= static_cast<uint16_t>(~zebUpdatePending);
    SetEmptyRgn(peek->updateRgn);
  }
  return meets;
}

Boolean ZEBAPI LibraryGetNextEvent(short mask, EventRecord* event) { return NextEvent(mask, event, 0); }

Boolean ZEBAPI LibraryEventAvail(short mask, EventRecord* event) { return Avail(mask, event); }

Boolean ZEBAPI LibraryWaitNextEvent(short mask, EventRecord* event, unsigned long sleep,
                                    RgnHandle mouseRgn) {
  (void)mouseRgn;
  return NextEvent(mask, event, static_cast<uint32_t>(sleep));
}

Boolean ZEBAPI LibraryButton(void) {
  {
    osutils::Replacement r(osutils::kTrapButton);
    if (auto proc = r.Get<Boolean(ZEBAPI*)(void)>()) return proc();
  }
  const bool down = ButtonReallyDown();
  SetButtonBit(down);
  return down;
}

void ZEBAPI LibraryGetMouse(Point* where) {
  {
    osutils::Replacement r(osutils::kTrapGetMouse);
    if (auto proc = r.Get<void(ZEBAPI*)(Point*)>()) {
      proc(where);
      return;
    }
  }
  POINT p{};
  GetCursorPos(&p);
  const Point global = {static_cast<short>(p.y), static_cast<short>(p.x)};
  SetLastMouse(global);
  if (!where) return;
  *where = global;
  GlobalToLocal(where);
}

Boolean ZEBAPI LibraryStillDown(void) {
  ClearVBLTrackingEnded();
  PumpAndFind(mUpMask, nullptr, 0);
  if (FirstQueued(mUpMask) || VBLTrackingEnded()) return false;
  if (++g_pump.stillDownCalls >= kStillDownPollInterval) {
    g_pump.stillDownCalls = 0;
    SetButtonBit(ButtonReallyDown());
  }
  return (CurrentModifiers() & btnState) == 0;
}

Boolean ZEBAPI LibraryWaitMouseUp(void) {
  const Boolean down = StillDown();
  if (!down) {
    EventRecord e;
    GetNextEvent(mUpMask, &e);
  }
  return down;
}

void ZEBAPI LibrarySystemTask(void) {}

void IdleWait(uint32_t milliseconds) {
  MsgWaitForMultipleObjects(0, nullptr, FALSE, milliseconds, QS_ALLINPUT);
}

}  // namespace zeb::events

using namespace zeb;
using namespace zeb::events;

extern "C" {

Boolean ZEBAPI GetNextEvent(short eventMask, EventRecord* theEvent) {
  return osutils::Patchable<decltype(&LibraryGetNextEvent)>(osutils::kTrapGetNextEvent)(
      eventMask, theEvent);
}

Boolean ZEBAPI WaitNextEvent(short eventMask, EventRecord* theEvent, unsigned long sleep,
                             RgnHandle mouseRgn) {
  return osutils::Patchable<decltype(&LibraryWaitNextEvent)>(osutils::kTrapWaitNextEvent)(
      eventMask, theEvent, sleep, mouseRgn);
}

Boolean ZEBAPI EventAvail(short eventMask, EventRecord* theEvent) {
  return osutils::Patchable<decltype(&LibraryEventAvail)>(osutils::kTrapEventAvail)(eventMask,
                                                                                    theEvent);
}

Boolean ZEBAPI GetOSEvent(short mask, EventRecord* theEvent) { return GetNextEvent(mask, theEvent); }

Boolean ZEBAPI OSEventAvail(short mask, EventRecord* theEvent) { return Avail(mask, theEvent); }

Boolean ZEBAPI Button(void) {
  return osutils::Patchable<decltype(&LibraryButton)>(osutils::kTrapButton)();
}

void ZEBAPI GetMouse(Point* mouseLoc) {
  osutils::Patchable<decltype(&LibraryGetMouse)>(osutils::kTrapGetMouse)(mouseLoc);
}

Boolean ZEBAPI StillDown(void) {
  return osutils::Patchable<decltype(&LibraryStillDown)>(osutils::kTrapStillDown)();
}

Boolean ZEBAPI WaitMouseUp(void) {
  return osutils::Patchable<decltype(&LibraryWaitMouseUp)>(osutils::kTrapWaitMouseUp)();
}

void ZEBAPI SystemTask(void) {
  osutils::Patchable<decltype(&LibrarySystemTask)>(osutils::kTrapSystemTask)();
}

void ZEBAPI SetEventMask(short mask) { *frame::Globals().sysEvtMask = mask; }

unsigned long ZEBAPI GetDblTime(void) {
  return static_cast<unsigned long>(*frame::Globals().doubleTime);
}

unsigned long ZEBAPI GetCaretTime(void) { return GetCaretBlinkTime() >> 4; }

void ZEBAPI FlushEvents(short whichMask, short stopMask) {
  const uint16_t which = static_cast<uint16_t>(whichMask);
  const uint16_t stop = static_cast<uint16_t>(stopMask);
  for (;;) {
    EvQEl* e = reinterpret_cast<EvQEl*>(GetEvQHdr()->qHead);
    for (; e; e = reinterpret_cast<EvQEl*>(e->qLink)) {
      const uint16_t bit = KindBit(e->evtQWhat);
      if (stop & bit) return;
      if (which & bit) break;
    }
    if (!e) break;
    RemoveQueued(e);
  }
  // Input still waiting in Windows' queue would become the very events just flushed.
  struct Range {
    UINT first, last;
  };
  Range ranges[6];
  int n = 0;
  const bool downs = which & mDownMask, ups = which & mUpMask;
  if (downs && ups) {
    ranges[n++] = {WM_LBUTTONDOWN, WM_MBUTTONDBLCLK};
  } else if (downs) {
    ranges[n++] = {WM_LBUTTONDOWN, WM_LBUTTONDOWN};
    ranges[n++] = {WM_RBUTTONDOWN, WM_RBUTTONDOWN};
    ranges[n++] = {WM_MBUTTONDOWN, WM_MBUTTONDOWN};
  } else if (ups) {
    ranges[n++] = {WM_LBUTTONUP, WM_LBUTTONUP};
    ranges[n++] = {WM_RBUTTONUP, WM_RBUTTONUP};
    ranges[n++] = {WM_MBUTTONUP, WM_MBUTTONUP};
  }
  const bool keyDowns = which & keyDownMask, keyUps = which & keyUpMask;
  static const UINT kDownKeys[] = {WM_KEYDOWN, WM_CHAR, WM_DEADCHAR, WM_SYSKEYDOWN, WM_SYSCHAR,
                                   WM_SYSDEADCHAR};
  static const UINT kUpKeys[] = {WM_KEYUP, WM_CHAR, WM_DEADCHAR, WM_SYSKEYUP, WM_SYSCHAR,
                                 WM_SYSDEADCHAR};
  MSG msg;
  for (int i = 0; i < n; ++i)
    while (PeekMessageA(&msg, nullptr, ranges[i].first, ranges[i].last, PM_REMOVE | PM_NOYIELD)) {
    }
  if (!keyDowns && !keyUps) return;
  // Taking keys out of the queue runs the keyboard hook for each: it forwards nothing meanwhile.
  g_pump.discardingKeys = true;
  if (keyDowns && keyUps) {
    while (PeekMessageA(&msg, nullptr, WM_KEYFIRST, kLastKeyMessage, PM_REMOVE | PM_NOYIELD)) {
    }
  } else {
    for (UINT m : keyDowns ? kDownKeys : kUpKeys)
      while (PeekMessageA(&msg, nullptr, m, m, PM_REMOVE | PM_NOYIELD)) {
      }
  }
  g_pump.discardingKeys = false;
}

void ZEBAPI ZEB_SetMessageHook(ZEB_MessageHookProc proc) {
  frame::ReleaseCallback(g_pump.messageHook);
  g_pump.messageHook = frame::WrapCallback(proc);
}

void ZEBAPI ZEB_SetPeekMessageProc(ZEB_PeekMessageProc proc) {
  frame::ReleaseCallback(g_pump.peekProc);
  g_pump.peekProc = frame::WrapCallback(proc);
}

Boolean ZEBAPI ZEB_TestUpdate(WindowPtr w) { return TestUpdate(w, true); }

Boolean ZEBAPI ZEB_TestFocus(WindowPtr w, short flag) { return TestUpdate(w, flag != 0); }

}  // extern "C"

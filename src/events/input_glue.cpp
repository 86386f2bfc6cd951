// Input from the application's window procedures: mouse, keyboard, control-notification and
// application-activation messages become Toolbox events; the mouse-capture count; GetKeys.
#include <windows.h>

#include "Events.h"
#include "MacWindows.h"
#include "ZEB.h"
#include "dialogs/dialogs_internal.h"
#include "events/events_internal.h"
#include "events/key_translation.h"
#include "frame/frame_internal.h"
#include "frame/toolbox_globals.h"
#include "lists/lists_internal.h"
#include "quickdraw/quickdraw_internal.h"
#include "textedit/textedit_internal.h"
#include "windows/windows_internal.h"

namespace zeb::events {
namespace {

constexpr int kCharacterConversion = 24;
constexpr int kControlAsCommand = 56;

// A cursor-setting message over the same MDI child within this many ticks keeps the Toolbox
// cursor without asking Windows (about three seconds).
constexpr uint32_t kCursorKeepTicks = 181;
// Modifier bit of mouse events while a drag-feedback tracking mode is active.
constexpr uint16_t kTrackingBit = 0x0040;
// The Toolbox grow box: the bottom-right square of the port rectangle.
constexpr LRESULT kSizingCorner = HTBOTTOMRIGHT;
// Notification codes of the library's controls.
constexpr UINT kButtonClicked = 0, kButtonDoubleClicked = 5;
constexpr UINT kComboSelectionChange = 1, kComboCloseUp = 8;
constexpr UINT kListSelectionChange = 1, kListDoubleClick = 2;
constexpr UINT kEditSetFocus = 0x100, kEditKillFocus = 0x200, kEditChange = 0x300;
// A list inside a dialog reacts only to double-clicks: its identifier's high byte.
constexpr UINT kDialogListMarker = 0xFE;
// Dialog item types (the disabled bit 0x80 aside).
constexpr short kUserItem = 0, kEditText = 16, kPictureItem = 64;
constexpr short kFirstControlItem = 4, kLastControlItem = 7;
// The operating-system event's messages, and the scrap callback's operations.
constexpr uint32_t kSuspend = 0x01000000, kResume = 0x01000001, kConvertClipboard = 0x2;
constexpr long kScrapSuspend = 3, kScrapResume = 4;

struct Input {
  bool active = true;
  HWND cursorWindow = nullptr;
  uint32_t cursorTicks = 0;
  KeyTranslator keys;
  int capture = 0;
  HWND savedFocus = nullptr;
  HWND savedTarget = nullptr;
  int32_t scrapCountAtResume = -1;
  bool globalsReady = false;
};
Input g_input;

HWND Frame() { return frame::FrameWindow(); }

LRESULT Default(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  return windows::DefaultProcedure(hwnd, msg, wParam, lParam);
}

bool Down(int vk) { return GetKeyState(vk) < 0; }

KeyboardState ReadKeyboard() {
  KeyboardState k;
  k.shift = Down(VK_SHIFT);
  k.ctrl = Down(VK_CONTROL);
  k.alt = Down(VK_MENU);
  k.capsLockOn = (GetKeyState(VK_CAPITAL) & 1) != 0;
  k.numLockOn = (GetKeyState(VK_NUMLOCK) & 1) != 0;
  k.space = Down(VK_SPACE);
  k.escape = Down(VK_ESCAPE);
  return k;
}

// Signed client coordinates of a mouse message: negative under capture.
POINT MessagePoint(LPARAM lParam) {
  return POINT{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
}

Point ToPoint(POINT p) { return Point{static_cast<short>(p.y), static_cast<short>(p.x)}; }

void PostWithModifiers(int16_t what, uint32_t message, uint16_t modifiers) {
  const uint16_t before = CurrentModifiers();
  SetCurrentModifiers(modifiers);
  EvQEl* e = nullptr;
  Post(what, message, &e);
  SetCurrentModifiers(before);
}

uint16_t ReplaceKeyboardBits(uint16_t m, uint16_t keyboard) {
  return static_cast<uint16_t>((m & ~kKeyboardBits) | keyboard);
}

bool InGrowSquare(HWND hwnd, POINT screen) {
  WindowPtr w = windows::FromHwnd(hwnd);
  windows::WindowData* d = windows::DataOf(w);
  if (!d || !(d->rec.kindFlags & zebHasSizeBox)) return false;
  if ((d->rec.kindFlags & zebMDIChild) && IsZoomed(hwnd)) return false;
  POINT client = screen;
  ScreenToClient(hwnd, &client);
  const Rect& r = w->portRect;
  const int width = r.right - r.left, height = r.bottom - r.top;
  return client.x >= width - dialogs::ScrollBarWidth() && client.x < width &&
         client.y >= height - dialogs::ScrollBarHeight() && client.y < height;
}

AsciiResult HostToAscii(const AsciiRequest& r, void*) {
  BYTE state[256];
  if (!GetKeyboardState(state)) return {};
  if (r.ctrlUp) state[VK_CONTROL] = state[VK_LCONTROL] = state[VK_RCONTROL] = 0;
  if (r.altUp) state[VK_MENU] = state[VK_LMENU] = state[VK_RMENU] = 0;
  if (r.shiftUp) state[VK_SHIFT] = state[VK_LSHIFT] = state[VK_RSHIFT] = 0;
  WORD out[2] = {};
  const int n = ToAscii(r.virtualKey, r.scanCode, state, out, 0);
  return {n, static_cast<uint8_t>(out[0] & 0xFF)};
}

void SimulatedClick(HWND control) {
  RECT rc;
  if (!GetWindowRect(control, &rc)) return;
  const Point last = LastMouse();
  const POINT at{last.h, last.v};
  if (!PtInRect(&rc, at)) SetLastMouse(Point{static_cast<short>((rc.top + rc.bottom) / 2),
                                             static_cast<short>((rc.left + rc.right) / 2)});
  Post(mouseDown, 0, nullptr);
  Post(mouseUp, 0, nullptr);
}

bool IsLibraryEdit(HWND hwnd) {
  char name[16] = {};
  GetClassNameA(hwnd, name, sizeof name);
  return ControlKindOf(name, false) == ControlKind::kEdit;
}

}  // namespace

bool ApplicationActive() { return g_input.active; }

void ResetInput() {
  g_input = Input{};
  g_input.globalsReady = true;
}

int CaptureCount() { return g_input.capture; }

void RaiseCapture(HWND target) {
  if (g_input.capture++ == 0 && target) SetCapture(target);
}

void LowerCapture() {
  // Unbalanced releases stop at zero: a count below it would keep the pump tracking for good.
  if (g_input.capture == 0) return;
  if (--g_input.capture == 0) ReleaseCapture();
}

KeyTranslation TranslateKey(UINT msg, WPARAM wParam, LPARAM lParam) {
  return g_input.keys.Translate(msg, wParam, lParam, ReadKeyboard(), CurrentModifiers(),
                                StoredSystemValue(kCharacterConversion) != 0, &HostToAscii,
                                nullptr);
}

}  // namespace zeb::events

using namespace zeb;
using namespace zeb::events;

extern "C" {

LRESULT ZEBAPI ZEB_EventMouse(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  const frame::SessionState& s = frame::Session();
  if (msg == WM_SETCURSOR) {
    if (!g_input.active) return Default(hwnd, msg, wParam, lParam);
    const bool client = LOWORD(lParam) == HTCLIENT;
    const uint32_t now = TickCount();
    if (client && hwnd == g_input.cursorWindow && !quickdraw::CursorOwnerSet() &&
        s.mdiClient && GetParent(hwnd) == s.mdiClient && now - g_input.cursorTicks < kCursorKeepTicks)
      return 1;
    if (!(CurrentModifiers() & btnState)) return 1;
    const LRESULT r = Default(hwnd, msg, wParam, lParam);
    g_input.cursorWindow = client ? hwnd : nullptr;
    g_input.cursorTicks = now;
    return r;
  }
  if (msg == WM_NCHITTEST) {
    const POINT screen = MessagePoint(lParam);
    SetLastMouse(ToPoint(screen));
    const LRESULT r = Default(hwnd, msg, wParam, lParam);
    if (r == HTCLIENT && InGrowSquare(hwnd, screen)) return kSizingCorner;
    return r;
  }

  int16_t what = 0;
  bool right = false;
  bool clientMessage = true;
  uint16_t m = CurrentModifiers();
  switch (msg) {
    case WM_LBUTTONDOWN: case WM_LBUTTONDBLCLK: case WM_RBUTTONDOWN: case WM_RBUTTONDBLCLK:
    case WM_LBUTTONUP: case WM_RBUTTONUP: case WM_MOUSEMOVE: {
      if (s.mdiClient && hwnd == s.mdiClient) return Default(hwnd, msg, wParam, lParam);
      POINT p = MessagePoint(lParam);
      ClientToScreen(hwnd, &p);
      SetLastMouse(ToPoint(p));
      right = msg == WM_RBUTTONDOWN || msg == WM_RBUTTONDBLCLK || msg == WM_RBUTTONUP;
      if (msg == WM_LBUTTONDOWN || msg == WM_LBUTTONDBLCLK || msg == WM_RBUTTONDOWN ||
          msg == WM_RBUTTONDBLCLK) {
        what = mouseDown;
        m &= static_cast<uint16_t>(~btnState);
      } else if (msg == WM_LBUTTONUP || msg == WM_RBUTTONUP) {
        what = mouseUp;
        m |= btnState;
      }
      break;
    }
    case WM_MBUTTONDOWN: case WM_MBUTTONUP: case WM_MBUTTONDBLCLK:
      return Default(hwnd, msg, wParam, lParam);
    case WM_NCLBUTTONDOWN: case WM_NCLBUTTONDBLCLK: case WM_NCRBUTTONDOWN:
    case WM_NCRBUTTONDBLCLK:
      SetLastMouse(ToPoint(MessagePoint(lParam)));
      SetCurrentModifiers(static_cast<uint16_t>(m & ~btnState));
      return ZEB_NCMessage(hwnd, msg, wParam, lParam);
    case WM_NCLBUTTONUP: case WM_NCRBUTTONUP:
      SetLastMouse(ToPoint(MessagePoint(lParam)));
      what = mouseUp;
      m |= btnState;
      right = msg == WM_NCRBUTTONUP;
      clientMessage = false;
      break;
    default:
      return Default(hwnd, msg, wParam, lParam);
  }

  m &= static_cast<uint16_t>(~kControlBit);
  if (right) {
    if (frame::SessionFlag(ZEB_SF_RIGHTCLICKCONTROL)) {
      m |= kControlBit;
    } else if (!frame::SessionFlag(ZEB_SF_RIGHTCLICK)) {
      // Right clicks are Windows' own (context menus) unless the application asked for them.
      SetCurrentModifiers(m);
      return Default(hwnd, msg, wParam, lParam);
    }
  }
  if (clientMessage) {
    uint16_t k = 0;
    if (wParam & MK_SHIFT) k |= shiftKey;
    if (Down(VK_MENU)) k |= optionKey;
    if (wParam & MK_CONTROL) k |= cmdKey;
    if (m & alphaLock) k |= alphaLock;
    m = ReplaceKeyboardBits(m, k);
  }
  if (quickdraw::DragTrackingActive())
    m |= kTrackingBit;
  else
    m &= static_cast<uint16_t>(~kTrackingBit);
  SetCurrentModifiers(m);
  if (!what) return Default(hwnd, msg, wParam, lParam);
  Post(what, 0, nullptr);
  return 1;
}

short ZEBAPI ZEB_EventKey(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  (void)hwnd;
  const KeyTranslation t = TranslateKey(msg, wParam, lParam);
  SetCurrentModifiers(t.modifiers);
  for (int i = 0; i < t.count; ++i)
    PostWithModifiers(t.events[i].what, t.events[i].message, t.events[i].modifiers);
  return t.result;
}

void ZEBAPI ZEB_EventCommand(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  (void)msg;
  HWND control = reinterpret_cast<HWND>(lParam);
  if (!control || !IsWindow(control)) return;
  const UINT notification = HIWORD(wParam);
  const UINT id = LOWORD(wParam);
  bool hit = false;
  if (void* list = lists::ListOfListBox(control)) {
    if (notification == kListDoubleClick) {
      lists::RememberDoubleClick(list);
      hit = true;
    } else if (notification == kListSelectionChange) {
      hit = (id >> 8) != kDialogListMarker;
    }
  } else {
    WindowPtr window = windows::FromHwnd(hwnd);
    short item = 0, type = 0;
    if (!window || !dialogs::DialogItemOfControl(window, control, &item, &type)) return;
    const short kind = static_cast<short>(type & 0x7F);
    const bool buttonLike = kind == kUserItem || kind == kPictureItem ||
                            (kind >= kFirstControlItem && kind <= kLastControlItem);
    if (buttonLike && dialogs::IsLibraryButton(control)) {
      hit = notification == kButtonClicked || notification == kButtonDoubleClicked;
    } else if (dialogs::IsLibraryComboBox(control)) {
      hit = notification == kComboCloseUp ||
            (notification == kComboSelectionChange &&
             !SendMessageA(control, CB_GETDROPPEDSTATE, 0, 0));
    } else if (kind == kEditText) {
      if (notification == kEditSetFocus || notification == kEditChange)
        textedit::BindDialogEdit(window, control);
      else if (notification == kEditKillFocus)
        textedit::ClearDialogEditField(window);
    }
  }
  if (hit && !dialogs::HitsSuppressed()) SimulatedClick(control);
}

void ZEBAPI ZEB_ActivateApp(BOOL active) {
  g_input.active = active != 0;
  if (!g_input.globalsReady) return;
  uint32_t message = kSuspend;
  if (!active) {
    quickdraw::RealisePaletteInBackground();
    quickdraw::SuspendDragTracking();
    g_input.savedFocus = GetFocus();
    g_input.savedTarget = KeyboardHookTarget();
    RemoveKeyboardHook();
  } else {
    quickdraw::RealisePaletteInForeground();
    quickdraw::ResumeDragTracking();
    HWND target = g_input.savedTarget ? g_input.savedTarget : Frame();
    if (Frame()) InstallKeyboardHookFor(target);
    HWND focus = g_input.savedFocus;
    if (!(focus && IsWindow(focus) && target && IsChild(target, focus)))
      focus = target ? target : Frame();
    if (focus) SetFocus(focus);
    if (WindowPeek w = windows::Listed(windows::FromHwnd(target))) w->hilited = true;
    message = kResume;
    const int32_t count = frame::Globals().scrapInfo->scrapCount;
    if (g_input.scrapCountAtResume >= 0 && count != g_input.scrapCountAtResume)
      message |= kConvertClipboard;
    g_input.scrapCountAtResume = count;
  }
  GrafPtr port = *frame::Globals().thePort;
  HDC dc = port ? quickdraw::PortDC(port) : nullptr;
  if (dc && frame::Session().scrapCallback) {
    reinterpret_cast<ZEB_ScrapProc>(reinterpret_cast<void*>(frame::Session().scrapCallback))(
        active ? kScrapResume : kScrapSuspend, static_cast<long>(message & kConvertClipboard), dc,
        nullptr, 0, nullptr, nullptr);
  }
  Post(osEvt, message, nullptr);
  *frame::Globals().doubleTime = static_cast<int32_t>(GetDoubleClickTime() >> 4);
}

void ZEBAPI ZEB_SetCapture(BOOL on) {
  if (on)
    RaiseCapture(Frame());
  else
    LowerCapture();
}

void ZEBAPI ZEB_SetWinCapture(GrafPtr w, BOOL on) {
  if (on)
    RaiseCapture(windows::HwndOf(w));
  else
    LowerCapture();
}

short ZEBAPI ZEB_ForceCapture(short count) {
  const int previous = g_input.capture;
  g_input.capture = count < 0 ? 0 : count;
  if (g_input.capture && !previous && !GetCapture() && Frame()) SetCapture(Frame());
  if (!g_input.capture && previous) {
    HWND holder = GetCapture();
    if (holder && (holder == Frame() || IsLibraryEdit(holder))) ReleaseCapture();
  }
  return static_cast<short>(previous);
}

void ZEBAPI GetKeys(KeyMap theKeys) {
  if (!theKeys) return;
  KeyboardState k;
  auto down = [](int vk) { return (GetAsyncKeyState(vk) & 0x8000) != 0; };
  k.space = down(VK_SPACE);
  k.ctrl = down(VK_CONTROL);
  k.shift = down(VK_SHIFT);
  k.alt = down(VK_MENU);
  k.escape = down(VK_ESCAPE);
  k.capsLockOn = (GetKeyState(VK_CAPITAL) & 1) != 0;
  FillKeyMap(k, StoredSystemValue(kControlAsCommand) != 0, theKeys);
}

}  // extern "C"

// The thread's keyboard hook: keys typed into the library's native controls inside Toolbox
// windows are routed to the hook target (normally the frame window) as key messages, so that
// the application sees them as Toolbox key events, and withheld from the control or passed on
// as the control's kind needs.
#include <windows.h>

#include "Events.h"
#include "ZEB.h"
#include "events/events_internal.h"
#include "events/key_translation.h"
#include "frame/frame_internal.h"
#include "windows/windows_internal.h"

namespace zeb::events {
namespace {

// lParam of a keyboard hook call: the extended-key bit, the context code (Alt held) and the
// transition bit (set while the key is released).
constexpr uint32_t kExtendedBit = 1u << 24;
constexpr uint32_t kAltBit = 1u << 29;
constexpr uint32_t kReleasedBit = 1u << 31;

struct Hook {
  HHOOK handle = nullptr;
  HWND target = nullptr;
  ZEB_DlgKBHookProc dialogCallback = nullptr;
  uint32_t playBack = 0;
};
Hook g_hook;

LRESULT PassOn(int code, WPARAM vk, LPARAM lParam) {
  return CallNextHookEx(g_hook.handle, code, vk, lParam);
}

bool Held(int vk) { return GetKeyState(vk) < 0; }

short KindCode(ControlKind kind) {
  switch (kind) {
    case ControlKind::kEdit: return ZEB_KB_EDIT;
    case ControlKind::kMultiLineEdit: return ZEB_KB_MULTILINEEDIT;
    case ControlKind::kComboBox: return ZEB_KB_COMBOBOX;
    case ControlKind::kListBox: return ZEB_KB_LISTBOX;
    default: return ZEB_KB_OTHER;
  }
}

ControlKind KindOf(HWND control) {
  char name[32] = {};
  GetClassNameA(control, name, sizeof name);
  const LONG style = GetWindowLongA(control, GWL_STYLE);
  return ControlKindOf(name, (style & ES_MULTILINE) != 0);
}

// The key as the application would see it, for the dialog keyboard callback.
EventRecord KeyEventFor(WPARAM vk, LPARAM lParam) {
  const VirtualKeyEntry entry = VirtualKeyTable(static_cast<uint32_t>(vk));
  EventRecord e{};
  e.what = (static_cast<uint32_t>(lParam) & kReleasedBit) ? keyUp : keyDown;
  e.message = static_cast<unsigned long>(entry.character) |
              (static_cast<unsigned long>(entry.keyCode) << 8);
  e.when = TickCount();
  e.where = LastMouse();
  e.modifiers = CurrentModifiers();
  return e;
}

// Ctrl+F4 closes a captioned Toolbox window that has the focus itself, as it closes an MDI
// child; the close command goes with the key's release.
bool CloseByCtrlF4(HWND focus, WPARAM vk, LPARAM lParam) {
  if (frame::SessionFlag(ZEB_SF_MDI) || vk != VK_F4 || !Held(VK_CONTROL)) return false;
  if ((GetWindowLongA(focus, GWL_STYLE) & WS_CAPTION) != WS_CAPTION) return false;
  if (static_cast<uint32_t>(lParam) & kReleasedBit) PostMessageA(focus, WM_SYSCOMMAND, SC_CLOSE, 0);
  return true;
}

}  // namespace

void InstallKeyboardHook() { InstallKeyboardHookFor(frame::FrameWindow()); }

void InstallKeyboardHookFor(HWND target) {
  g_hook.target = target ? target : frame::FrameWindow();
  if (g_hook.handle) return;
  g_hook.handle = SetWindowsHookExA(WH_KEYBOARD, reinterpret_cast<HOOKPROC>(&Z_DlgKeyHook),
                                    nullptr, GetCurrentThreadId());
}

void RemoveKeyboardHook() {
  if (g_hook.handle) UnhookWindowsHookEx(g_hook.handle);
  g_hook.handle = nullptr;
}

HWND KeyboardHookTarget() { return g_hook.target; }

void ReleaseKeyboardCallbacks() {
  frame::ReleaseCallback(g_hook.dialogCallback);
  g_hook.dialogCallback = nullptr;
  g_hook.playBack = 0;
  g_hook.target = nullptr;
}

}  // namespace zeb::events

using namespace zeb;
using namespace zeb::events;

extern "C" {

LRESULT ZEBAPI ZEB_DlgKeyHook(int code, WPARAM vk, LPARAM lParam) {
  if (code != HC_ACTION) return PassOn(code, vk, lParam);
  // Windows is ending the session: no key reaches the controls any more.
  if (frame::Session().endingSession) return 1;
  if (DiscardingKeys() || GetCapture()) return PassOn(code, vk, lParam);
  HWND focus = GetFocus();
  if (!focus) return PassOn(code, vk, lParam);
  if (windows::FromHwnd(focus)) {
    if (CloseByCtrlF4(focus, vk, lParam)) return 1;
    return PassOn(code, vk, lParam);
  }
  // A combo box's edit field stands for its combo box.
  HWND control = focus;
  HWND parent = GetParent(control);
  if (parent && KindOf(parent) == ControlKind::kComboBox) {
    control = parent;
    parent = GetParent(control);
  }
  WindowPtr window = parent ? windows::FromHwnd(parent) : nullptr;
  if (!window) return PassOn(code, vk, lParam);

  const uint32_t flags = static_cast<uint32_t>(lParam);
  const ControlKind kind = KindOf(control);
  KeyRoute route = RouteKey(kind, static_cast<uint32_t>(vk), (flags & kAltBit) || Held(VK_MENU),
                            Held(VK_CONTROL), (flags & kExtendedBit) != 0);
  if (g_hook.dialogCallback && !(flags & kReleasedBit)) {
    EventRecord e = KeyEventFor(vk, lParam);
    const long answer = g_hook.dialogCallback(
        window, static_cast<short>(GetDlgCtrlID(control)), &e, KindCode(kind));
    if (answer & ZEB_KB_ROUTE) {
      route.send = (answer & ZEB_KB_FORWARD) != 0;
      route.pass = (answer & ZEB_KB_TOCONTROL) != 0;
    }
  }
  if (route.send && g_hook.target)
    SendMessageA(g_hook.target, (flags & kReleasedBit) ? WM_KEYUP : WM_KEYDOWN, vk, lParam);
  return route.pass ? PassOn(code, vk, lParam) : 1;
}

LRESULT ZEBAPI Z_DlgKeyHook(int code, WPARAM vk, LPARAM lParam) {
  return ZEB_DlgKeyHook(code, vk, lParam);
}

void ZEBAPI ZEB_SetDlgKBHook(ZEB_DlgKBHookProc proc) {
  frame::ReleaseCallback(g_hook.dialogCallback);
  g_hook.dialogCallback = frame::WrapCallback(proc);
}

unsigned long ZEBAPI ZEB_PlayBack(unsigned long value) {
  // Kept for applications that switch it; the hook routes keys alike either way.
  const unsigned long previous = g_hook.playBack;
  g_hook.playBack = static_cast<uint32_t>(value);
  return previous;
}

}  // extern "C"

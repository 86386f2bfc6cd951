// The help hook: the F1 key, released, calls the application's help procedure.
#include "MacWindows.h"
#include "frame/frame_internal.h"

namespace zeb::frame {
namespace {

constexpr WPARAM kHelpKey = VK_F1;
// Bit 31 of a keyboard hook's lParam: the key is being released.
constexpr LPARAM kTransition = static_cast<LPARAM>(0x80000000u);

struct HelpHook {
  ZEB_HelpProc callback = nullptr;  // as a procedure instance
  DWORD thread = 0;
  HHOOK hook = nullptr;
};
HelpHook g_help;

}  // namespace
}  // namespace zeb::frame

using namespace zeb;
using namespace zeb::frame;

extern "C" {

LRESULT ZEBAPI Z_HelpKeyHook(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HC_ACTION && wParam == kHelpKey && (lParam & kTransition) && g_help.callback) {
    g_help.callback();
    return 1;
  }
  return CallNextHookEx(g_help.hook, code, wParam, lParam);
}

void ZEBAPI ZEB_EnableHelpHook(ZEB_HelpProc callback) {
  // One hook per session: enabling again only replaces the callback, so that no hook is left
  // installed without a way to remove it.
  if (g_help.callback) ReleaseCallback(g_help.callback);
  g_help.callback = WrapCallback(callback);
  if (g_help.hook) return;
  g_help.thread = GetCurrentThreadId();
  g_help.hook = SetWindowsHookExA(WH_KEYBOARD, reinterpret_cast<HOOKPROC>(Z_HelpKeyHook), nullptr,
                                  g_help.thread);
}

void ZEBAPI ZEB_DisableHelpHook(void) {
  if (g_help.hook) UnhookWindowsHookEx(g_help.hook);
  if (g_help.callback) ReleaseCallback(g_help.callback);
  g_help = HelpHook{};
}

}  // extern "C"

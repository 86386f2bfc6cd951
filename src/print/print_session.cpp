// The Print Manager's session state: the application's dialog hooks and the status text.
#include "print/print_internal.h"

#include "frame/frame_internal.h"

namespace zeb::print {
namespace {

FARPROC g_printHook = nullptr;
FARPROC g_setupHook = nullptr;
constexpr int kStatusTextId = 1026;
char g_statusText[128] = "";

void Replace(FARPROC& slot, FARPROC proc) {
  if (slot) frame::ReleaseCallback(slot);
  slot = proc ? frame::WrapCallback(proc) : nullptr;
}

}  // namespace

void SetSessionDialogHooks(FARPROC printHook, FARPROC setupHook) {
  Replace(g_printHook, printHook);
  Replace(g_setupHook, setupHook);
}

void ReleaseSessionDialogHooks() {
  Replace(g_printHook, nullptr);
  Replace(g_setupHook, nullptr);
}

FARPROC PrintDialogHook() { return g_printHook; }
FARPROC PrintSetupDialogHook() { return g_setupHook; }

void LoadStatusText(HINSTANCE application) {
  if (LoadStringA(application, kStatusTextId, g_statusText, sizeof g_statusText) <= 0)
    g_statusText[0] = '\0';
}

const char* StatusText() { return g_statusText; }

}  // namespace zeb::print

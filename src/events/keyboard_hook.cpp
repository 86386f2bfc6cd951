// The thread's keyboard hook.
#include "events/events_internal.h"

namespace zeb::events {

// SetWindowsHookEx(WH_KEYBOARD, Z_DlgKeyHook) for the session's thread, once input
// translation exists.
void InstallKeyboardHook() {}

void RemoveKeyboardHook() {}

}  // namespace zeb::events

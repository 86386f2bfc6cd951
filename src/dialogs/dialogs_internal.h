// What the Dialog Manager offers the other managers.
#ifndef ZEB_DIALOGS_DIALOGS_INTERNAL_H
#define ZEB_DIALOGS_DIALOGS_INTERNAL_H

#include <windows.h>

namespace zeb::dialogs {

// The host icon that the alert code keeps for the alert icon IDs 0, 1 and 2 (stop, note,
// caution); null when it has none. GetResource answers 'ICON' 0-2 with it.
HICON AlertIcon(int id);

// Exit: ErrorSound(1), which releases the application's error-sound procedure instance.
void ResetErrorSound();

}  // namespace zeb::dialogs

#endif  // ZEB_DIALOGS_DIALOGS_INTERNAL_H

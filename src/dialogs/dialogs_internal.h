// What the Dialog Manager offers the other managers.
#ifndef ZEB_DIALOGS_DIALOGS_INTERNAL_H
#define ZEB_DIALOGS_DIALOGS_INTERNAL_H

namespace zeb::dialogs {

// Exit: ErrorSound(1), which releases the application's error-sound procedure instance.
void ResetErrorSound();

}  // namespace zeb::dialogs

#endif  // ZEB_DIALOGS_DIALOGS_INTERNAL_H

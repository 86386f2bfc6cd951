// The alert sound procedure.
#include "dialogs/dialogs_internal.h"

namespace zeb::dialogs {

// Installs the standard beeping procedure and frees the application's procedure instance, once
// ErrorSound exists; no application procedure can be installed before that.
void ResetErrorSound() {}

}  // namespace zeb::dialogs

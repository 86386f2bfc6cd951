// The stock icons of the alerts.
#include "dialogs/dialogs_internal.h"

namespace zeb::dialogs {

// The three stock icons that InitDialogs loads for the alerts (stop, note, caution); null for
// an icon that is not loaded.
HICON AlertIcon(int id) {
  (void)id;
  return nullptr;
}

}  // namespace zeb::dialogs

// The stock icons of the alerts.
#include "dialogs/dialogs_internal.h"

namespace zeb::dialogs {

// InitDialogs loads the three stock icons once alerts exist; until then there are none.
HICON AlertIcon(int id) {
  (void)id;
  return nullptr;
}

}  // namespace zeb::dialogs

// Password echo: no edit record draws a password field, so text is shown as it is.
#include "textedit/textedit_internal.h"

namespace zeb::textedit {

bool PasswordEchoOn() { return false; }

}  // namespace zeb::textedit

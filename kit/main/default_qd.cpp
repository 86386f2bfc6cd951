// The QuickDraw globals for an application that declares no `QDGlobals qd` of its own. Alone in
// its file: an application's own qd is always the one used.
#include "Quickdraw.h"

QDGlobals qd;

// Build check: the Toolbox headers compile before windows.h, with -Wall -Wextra.
#include "Errors.h"
#include "MacMemory.h"
#include "MacTypes.h"
#include "OSUtils.h"
#include "Quickdraw.h"
#include "Scrap.h"
#include "ZEB.h"

#include <windows.h>

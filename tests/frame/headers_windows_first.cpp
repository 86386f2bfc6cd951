// Build check: the Toolbox headers compile after windows.h, with -Wall -Wextra.
#include <windows.h>

#include "Devices.h"
#include "Errors.h"
#include "Files.h"
#include "Folders.h"
#include "MacMemory.h"
#include "MacTypes.h"
#include "OSUtils.h"
#include "Quickdraw.h"
#include "Scrap.h"
#include "ZEB.h"

// The one table that turns a host error number into a Toolbox result. Host-independent.
#ifndef ZEB_FILES_HOST_ERRORS_H
#define ZEB_FILES_HOST_ERRORS_H

#include <cstdint>

#include "MacTypes.h"

namespace zeb::files {

OSErr ToolboxErrorOf(uint32_t hostError);

}  // namespace zeb::files

#endif  // ZEB_FILES_HOST_ERRORS_H

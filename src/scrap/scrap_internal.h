// What the Scrap Manager offers the other managers.
#ifndef ZEB_SCRAP_SCRAP_INTERNAL_H
#define ZEB_SCRAP_SCRAP_INTERNAL_H

#include "Scrap.h"

namespace zeb::scrap {

// ZEB_InitGlobals: the Scrap Manager takes the application's scrap information record, already
// holding its initial values, and sets up its clipboard state around it.
void InitScrapInfo(ScrapStuff* info);

}  // namespace zeb::scrap

#endif  // ZEB_SCRAP_SCRAP_INTERNAL_H

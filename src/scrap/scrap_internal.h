// What the Scrap Manager offers the other managers.
#ifndef ZEB_SCRAP_SCRAP_INTERNAL_H
#define ZEB_SCRAP_SCRAP_INTERNAL_H

#include "Scrap.h"

namespace zeb::scrap {

// ZEB_InitGlobals: the Scrap Manager takes the application's scrap information record, already
// holding its initial values, and joins the frame window to the clipboard-viewer chain, so that
// changes made by other programs reach ZEB_DrawClipboard. Joining is no change: scrapCount stays.
void InitScrapInfo(ScrapStuff* info);

// ZEB_ExitSession, before the clipboard procedure is released: the frame window leaves the
// clipboard-viewer chain, handing its place to the next viewer, and the record is forgotten.
void ExitScrapInfo();

}  // namespace zeb::scrap

#endif  // ZEB_SCRAP_SCRAP_INTERNAL_H

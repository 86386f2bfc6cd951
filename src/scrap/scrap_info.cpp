// The scrap information record.
#include "scrap/scrap_internal.h"

namespace zeb::scrap {

// Takes the application's scrap information record for the scrap and joins the clipboard
// viewer chain.
void InitScrapInfo(ScrapStuff* info) { (void)info; }

}  // namespace zeb::scrap

// The scrap information record.
#include "scrap/scrap_internal.h"

namespace zeb::scrap {

// Remembers the record and joins the clipboard viewer chain once the scrap is built on the
// clipboard.
void InitScrapInfo(ScrapStuff* info) { (void)info; }

}  // namespace zeb::scrap

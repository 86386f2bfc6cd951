// What the International Utilities offer the other managers.
#ifndef ZEB_INTL_INTL_INTERNAL_H
#define ZEB_INTL_INTL_INTERNAL_H

// The clock's date arithmetic (host-independent), for file dates.
#include "intl/date_arithmetic.h"

namespace zeb::intl {

// InitResources, last step: the international records are filled from the application's
// 'INTL' resources and the Windows "intl" settings.
void SetUpInternationalResources();
// ZEB_WinIniChange("intl"): the same load again, over the built-in values.
void ReloadInternationalSettings();

}  // namespace zeb::intl

#endif  // ZEB_INTL_INTL_INTERNAL_H

// What the International Utilities offer the other managers.
#ifndef ZEB_INTL_INTL_INTERNAL_H
#define ZEB_INTL_INTL_INTERNAL_H

namespace zeb::intl {

// InitResources, last step: the international records are filled from the application's
// 'INTL' resources and the Windows "intl" settings.
void SetUpInternationalResources();

}  // namespace zeb::intl

#endif  // ZEB_INTL_INTL_INTERNAL_H

// The international records.
#include "intl/intl_internal.h"

namespace zeb::intl {

// Reads 'INTL' 0 and 1 and the "intl" profile section into the records once they exist.
void SetUpInternationalResources() {}

}  // namespace zeb::intl

// Native procedures standing in for code resources.
#include "resources/resources_internal.h"

namespace zeb::resources {

// The table starts empty; operation 2 clears whatever an earlier session registered.
void ClearCodeResources() {}

// Operation 4 releases the procedure instances that registrations made.
void ReleaseCodeResources() {}

}  // namespace zeb::resources

// The chain of open resource files.
#include "resources/resources_internal.h"

namespace zeb::resources {

// ReleaseResource: a handle that belongs to no open resource map is left alone, as the Toolbox
// leaves it (ResError resNotFound); a loaded resource's handle goes back to its map's entry.
void ReleaseResourceHandle(Handle h) { (void)h; }

// Closes the open files from the top of the chain down, writing changed maps, once files can
// be opened; then frees the chain's slots.
void CloseAllResourceFiles() {}

// Searches the chain from the current file, as GetResource does, once files can be opened.
Handle GetResourceForManager(ResType type, short id) {
  (void)type;
  (void)id;
  return nullptr;
}

}  // namespace zeb::resources

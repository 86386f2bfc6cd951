// What the File Manager needs from Standard File.
#include "files/files_internal.h"

namespace zeb::files {

// The open and save dialogs' shared description is set up with Standard File.
void InitFileDialogs() {}

// Standard File remembers the file chosen in its last dialog and the type of the filter it was
// chosen under; until it does, no file takes a type from there.
bool LastChosenFileType(const char* path, OSType* type) {
  (void)path;
  (void)type;
  return false;
}

}  // namespace zeb::files

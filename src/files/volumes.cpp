// Volumes and the Standard File directory cells.
#include "files/files_internal.h"

namespace zeb::files {

// Walks the drive letters A to Z into the volume table once volumes exist.
void InitDriveTable() {}

// Writes the current directory's volume and directory into the two Standard File cells once
// volumes and directory records exist; until then the cells keep their cleared values.
void InitStandardFileDirectory(int16_t* saveDisk, int32_t* curDirStore) {
  (void)saveDisk;
  (void)curDirStore;
}

// The open and save dialogs' shared description is set up with Standard File.
void InitFileDialogs() {}

}  // namespace zeb::files

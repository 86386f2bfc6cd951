// What the File Manager offers the other managers.
#ifndef ZEB_FILES_FILES_INTERNAL_H
#define ZEB_FILES_FILES_INTERNAL_H

#include <cstdint>

namespace zeb::files {

// Start-up: every slot of the 64-entry file-handle table becomes free.
void ClearFileHandleTable();
// Exit: closes every file handle still open, from slot 2 up.
void CloseOpenFileHandles();
// ZEB_InitGlobals: builds the volume table from the host's drives.
void InitDriveTable();
// ZEB_InitGlobals: the Standard File save disk (negated volume reference) and current
// directory cells, taken from the host's current directory.
void InitStandardFileDirectory(int16_t* saveDisk, int32_t* curDirStore);
// Start-up: the shared description of the open and save dialogs.
void InitFileDialogs();

}  // namespace zeb::files

#endif  // ZEB_FILES_FILES_INTERNAL_H

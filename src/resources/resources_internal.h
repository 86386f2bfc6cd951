// What the Resource Manager offers the other managers.
#ifndef ZEB_RESOURCES_RESOURCES_INTERNAL_H
#define ZEB_RESOURCES_RESOURCES_INTERNAL_H

#include <cstdint>

#include "MacTypes.h"

namespace zeb::resources {

// DisposeHandle of a handle with the resource bit: the handle goes back to its resource file
// (ReleaseResource) instead of being freed.
void ReleaseResourceHandle(Handle h);
// Start-up and exit: the table of native procedures standing in for code resources
// (ZEB_CodeResource operations 2 and 4).
void ClearCodeResources();
void ReleaseCodeResources();
// Exit: closes every resource file still open, then releases the chain's own state.
void CloseAllResourceFiles();
// GetResource for the managers that read resources of their own ('clut' for GetCTable): the
// loaded resource's handle from the chain, or NIL when no open file has it.
Handle GetResourceForManager(ResType type, short id);
// Whether the resource GetResource would find already has its data in memory: a manager that
// reads a resource only for a moment releases it afterwards only when it was not there before,
// so that a handle the application holds (and may have changed) stays valid.
bool ResourceInMemory(ResType type, short id);
// ResError's cell, read and put back by a manager that reads resources on the library's own
// behalf (a settings reload driven by a Windows message), so that the application's last result
// stays what its own call left.
OSErr CurrentResError();
void RestoreResError(OSErr err);
// The reference number of the application's own resource file (GetAppParms), 0 before
// InitResources opened it.
int16_t ApplicationResourceFile();

}  // namespace zeb::resources

#endif  // ZEB_RESOURCES_RESOURCES_INTERNAL_H

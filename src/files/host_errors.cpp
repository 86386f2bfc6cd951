// Host error numbers to Toolbox results.
#include "files/host_errors.h"

#include "Files.h"

namespace zeb::files {
namespace {

// Windows error numbers, as GetLastError reports them.
enum : uint32_t {
  kHostPathNotFound = 3,
  kHostTooManyOpenFiles = 4,
  kHostAccessDenied = 5,
  kHostInvalidDrive = 15,
  kHostWriteProtect = 19,
  kHostSharingViolation = 32,
  kHostLockViolation = 33,
  kHostHandleDiskFull = 39,
  kHostFileExists = 80,
  kHostDiskFull = 112,
  kHostInvalidName = 123,
  kHostDirectoryNotEmpty = 145,
  kHostBadPathName = 161,
  kHostAlreadyExists = 183
};

struct Mapping {
  uint32_t host;
  OSErr toolbox;
};

constexpr Mapping kMappings[] = {
    {0, noErr},
    {kHostPathNotFound, dirNFErr},
    {kHostTooManyOpenFiles, tmfoErr},
    {kHostAccessDenied, permErr},
    {kHostInvalidDrive, bdNamErr},
    {kHostInvalidName, bdNamErr},
    {kHostBadPathName, bdNamErr},
    {kHostWriteProtect, wPrErr},
    {kHostSharingViolation, opWrErr},
    {kHostLockViolation, fLckdErr},
    {kHostFileExists, dupFNErr},
    {kHostAlreadyExists, dupFNErr},
    // A full disk is not a missing file: the application must learn that its data did not fit.
    {kHostHandleDiskFull, dskFulErr},
    {kHostDiskFull, dskFulErr},
    // Deleting a directory that still holds entries: the Toolbox says "busy", not "not found".
    {kHostDirectoryNotEmpty, fBsyErr},
};

}  // namespace

OSErr ToolboxErrorOf(uint32_t hostError) {
  for (const Mapping& m : kMappings)
    if (m.host == hostError) return m.toolbox;
  return fnfErr;
}

}  // namespace zeb::files

// What the File Manager's own files share: volumes, directory records, paths, the slots' state
// and the parameter-block conventions. Private to the File Manager; other managers use
// files_internal.h.
#ifndef ZEB_FILES_FILE_MANAGER_H
#define ZEB_FILES_FILE_MANAGER_H

#include <windows.h>

#include <cstdint>
#include <string>
#include <string_view>

#include "Files.h"
#include "files/files_internal.h"
#include "files/host_errors.h"
#include "files/host_paths.h"

namespace zeb::files {

// The reference number the File Manager gives for a path it cannot use. It lies between the
// working-directory numbers and the volume numbers, so it never names either.
constexpr int16_t kUnusableRefNum = static_cast<int16_t>(0xEEEE);

// ---- Volumes (volumes.cpp) ----
void BuildVolumeTable();
void ForgetVolumes();
int VolumeCount();
// The volume of a full path (-1 ... -count), registering a network share on first sight;
// kUnusableRefNum when it has none.
int16_t VolumeOfPath(std::string_view path);
// The root of a volume number: "C:\" or "\\server\share\"; empty when unknown.
std::string VolumeRootPath(int16_t vRefNum);
bool IsVolumeNumber(int16_t refNum);
// The host drive type of a volume (DRIVE_FIXED, ...), and its drive index (0 for A) or the
// network share's number + 30.
struct VolumeFacts {
  int index = -1;
  UINT driveType = DRIVE_UNKNOWN;
};
bool VolumeFactsOf(int16_t vRefNum, VolumeFacts* facts);

// ---- Directories (directories.cpp) ----
// The host's current directory, ending in a backslash; false when there is none that fits.
bool CurrentDirectory(std::string* path);
struct DirectoryIdentity {
  int32_t dirID = 0;                  // the record's address, 2 for a volume root, 0 unusable
  int16_t vRefNum = kUnusableRefNum;  // the volume
  int16_t wdRefNum = kUnusableRefNum; // the record's number, 0 for a volume root
  bool Usable() const { return dirID != 0; }
  // What the File Manager reports as the directory's reference: the working-directory number,
  // or the volume's number for a root.
  int16_t RefNum() const { return wdRefNum == 0 ? vRefNum : wdRefNum; }
};
// The directory's identity, creating its record on first sight.
DirectoryIdentity IdentifyDirectory(std::string_view path);
// The directory that a volume or working-directory number names (0: the current directory),
// ending in its backslash. nsvErr when the number names nothing.
OSErr DirectoryOfRefNum(int16_t refNum, std::string* path);
// The directory of a (dirID, vRefNum) pair, ending in its backslash.
OSErr DirectoryPathOf(int32_t dirID, int16_t vRefNum, std::string* path);
// The full host path of a Toolbox triple (ZEB_HFSpec).
OSErr HostPathOf(int32_t dirID, int16_t vRefNum, const unsigned char* name, std::string* path);
void ForgetDirectories();

// ---- File-handle slots (file_handles.cpp) ----
constexpr int16_t kFirstSlot = 2;
constexpr int16_t kLastSlot = 63;
// rfNumErr outside 2..63, fnOpnErr for a free slot, ioErr for a slot whose file could not be
// re-opened; otherwise the live host handle.
HANDLE SlotHandle(int16_t refNum, OSErr* err);
bool SlotHasWriteAccess(int16_t refNum);
// The slot (2..63) that has this path open, 0 when none.
int16_t SlotHoldingPath(std::string_view path);
bool SlotPath(int16_t refNum, std::string* path);
// The current position and the length of the slot's file.
bool SlotPosition(HANDLE h, int64_t* position);
bool SlotLength(HANDLE h, int64_t* length);

// ---- Catalog (catalog.cpp) ----
// A host file's type: from the extension table, else the type of the filter it was chosen
// under in the last Standard File dialog, else the default type (ZEB_SystemValue 36).
OSType TypeOfHostFile(const std::string& path, const std::string& name);
// Ends the catalog enumeration's host search, so that nothing holds the directory open.
void EndEnumeration();

// ---- Host calls ----
// Suppresses the host's critical-error boxes ("insert a disk") for one call's host work.
class QuietHostErrors {
 public:
  QuietHostErrors() : previous_(SetErrorMode(SEM_FAILCRITICALERRORS)) {}
  ~QuietHostErrors() { SetErrorMode(previous_); }
  QuietHostErrors(const QuietHostErrors&) = delete;
  QuietHostErrors& operator=(const QuietHostErrors&) = delete;

 private:
  UINT previous_;
};

// A length-prefixed copy of text, cut at 255 bytes; nothing when dst is NIL.
void StorePascal(StringPtr dst, std::string_view text);

// The Toolbox's result codes are members of several unnamed enumerations; this picks one of
// two as an OSErr.
inline OSErr Either(bool condition, OSErr ifTrue, OSErr ifFalse) {
  return condition ? ifTrue : ifFalse;
}

// Every parameter-block call reports its result in ioResult as well.
template <class PB>
OSErr Finish(PB* pb, OSErr result) {
  pb->ioResult = result;
  return result;
}

}  // namespace zeb::files

#endif  // ZEB_FILES_FILE_MANAGER_H

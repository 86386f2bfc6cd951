// What the File Manager offers the other managers.
#ifndef ZEB_FILES_FILES_INTERNAL_H
#define ZEB_FILES_FILES_INTERNAL_H

#include <cstdint>

#include "MacTypes.h"

namespace zeb::files {

// Start-up: every slot of the 64-entry file-handle table becomes free, and the directory
// records and catalog search of an earlier session are forgotten.
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
// The type of the filter under which the user chose this file in the last Standard File
// dialog, when the path is that file; false otherwise. A file whose extension the
// application's table does not know takes this type before the default one.
bool LastChosenFileType(const char* path, OSType* type);

// Host files through the file-handle layer (the ZEB_FH calls), for managers that keep files of
// their own open, such as resource files. A reference number is a slot, 2 to 63, and is what
// the application sees as the file's refNum.
enum OpenMode : int {
  kOpenRead = 0x00,
  kOpenReadWrite = 0x02,
  kOpenDenyWrite = 0x20,  // others may read but not write
  kOpenShareAll = 0x40
};
// Opens an existing file; -1 and *err (tmfoErr, bdNamErr or the mapped host error) on failure.
int16_t OpenSlot(const char* path, int mode, OSErr* err);
// Opens the file in the given slot, which must be free or reserved: a file closed and opened
// again (after its rewrite) keeps the reference number the application holds.
int16_t OpenSlotAt(int16_t refNum, const char* path, int mode, OSErr* err);
// Keeps a free slot from being taken by other opens until OpenSlotAt or CloseSlot.
bool ReserveSlot(int16_t refNum);
// Byte counts, or -1 on failure.
int32_t ReadSlot(int16_t refNum, void* buffer, int32_t count);
// A write the host stops part-way still counts the bytes that reached the file; why it stopped
// goes to *stopped (when given): noErr for a whole write, else the Toolbox result of the host's
// refusal, taken at once (the host's last error can be stale later), or dskFulErr when the host
// wrote less without saying why.
int32_t WriteSlot(int16_t refNum, const void* buffer, int32_t count, OSErr* stopped = nullptr);
// origin 0 start, 1 current position, 2 end; the new position, or -1.
int32_t SeekSlot(int16_t refNum, int32_t offset, int origin);
// The file's length, or -1.
int32_t SlotFileLength(int16_t refNum);
// Cuts or extends the file (extension is zero-filled); the position is kept within the file.
OSErr SetSlotFileLength(int16_t refNum, int32_t length);
OSErr FlushSlot(int16_t refNum);
// Frees the slot (also a reserved or dead one); ioErr when the host close failed.
OSErr CloseSlot(int16_t refNum);
// The slot's host path (256 bytes); false when the slot is not in use.
bool SlotPathOf(int16_t refNum, char* path);
// Host file operations with Toolbox results.
OSErr DeleteHostFile(const char* path);
// Fails with dupFNErr when the target exists: nothing is replaced.
OSErr MoveHostFile(const char* from, const char* to);
// Puts from in place of to in one atomic step, replacing to.
OSErr ReplaceHostFile(const char* from, const char* to);
OSErr ToolboxErrorOfHostError(uint32_t hostError);
// The Toolbox result of the host's last error (GetLastError).
OSErr LastHostError();

// The host-write layer: every write, flush, size change, creation, rename and deletion of a
// host file made by the File Manager or the Resource Manager. Each returns false with the
// host's error (GetLastError) when it fails; file is the host file handle.
bool HostWrite(void* file, const void* data, uint32_t count, uint32_t* written);
bool HostFlush(void* file);
// Cuts or extends the file to length; the file position afterwards is unspecified.
bool HostSetSize(void* file, int64_t length);
// Asks the host for bytes more disk space behind the file's end (Allocate).
bool HostReserve(void* file, int64_t bytes);
// A new file that must not exist yet; NIL with the host's error.
void* HostCreateNew(const char* path, bool readToo);
// Puts from in place of to, replacing it in one atomic step (to need not exist).
bool HostReplace(const char* from, const char* to);
// Renames; fails when to exists.
bool HostMove(const char* from, const char* to);
bool HostDelete(const char* path);

// For tests: the disk fills, the host refuses, or the machine stops.
// kDiskFull: the disk has room for allowance more bytes; a write or growth that needs more
//   fails with hostError (112 ERROR_DISK_FULL or 39 ERROR_HANDLE_DISK_FULL) after filling the
//   room. Writing over a file's own bytes needs no room.
// kRefuse: allowance more bytes of data are written, then every write and growth fails with
//   hostError (5 for a denied access).
// kCrash: allowance more units go through, a unit being a byte of data or one flush, size
//   change, creation, rename or deletion, and then nothing more reaches the disk: the process
//   or the machine died at that instant. As on a disk, a write inside one 512-byte sector is
//   not cut: it happens whole or not at all.
enum class HostFaultKind { kNone, kDiskFull, kRefuse, kCrash };
void SetHostFault(HostFaultKind kind, uint64_t allowance, uint32_t hostError);
// Whether the fault has been reached since it was set.
bool HostFaultFired();

}  // namespace zeb::files

#endif  // ZEB_FILES_FILES_INTERNAL_H

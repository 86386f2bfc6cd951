// The Resource Manager's own state, shared by its files: the open-file records, the chain and
// its slots, the GetResource cache and the result cell.
#ifndef ZEB_RESOURCES_RESOURCE_FILES_H
#define ZEB_RESOURCES_RESOURCE_FILES_H

#include <cstdint>
#include <string>
#include <vector>

#include "Resources.h"
#include "resources/resource_map.h"

namespace zeb::resources {

// A slot number lives in six bits of every resource handle's flags; 63 files at most.
constexpr int kSlotCount = 63;
constexpr int16_t kNoFile = -1;
constexpr uint16_t kFileReadOnly = 0x80;
constexpr uint16_t kFileCompact = 0x40;
constexpr uint16_t kFileChanged = 0x20;

// The IDs of one resource type in a file's map: an open-addressed table, a power of two long
// and at most half full, of 8-byte entries, so that a search by ID among thousands of resources
// touches one or two cache lines and divides nothing.
struct TypeIdIndex {
  struct Entry {
    int16_t id;
    // Index in map.types: a map read from a file holds fewer than 16,500 type entries (its
    // length is bounded) and one being built fewer than 8,200 (its offsets are 16-bit).
    uint16_t typeEntry;
    uint32_t reference;  // index in that entry's references; kNone marks a free entry
  };
  static constexpr uint32_t kNone = 0xFFFFFFFFu;
  uint32_t type = 0;
  uint32_t mask = 0;  // entries.size() - 1
  std::vector<Entry> entries;
  static uint32_t Slot(int16_t id, uint32_t mask) {
    // Fibonacci hashing: consecutive IDs, the usual numbering, spread over the table.
    return (static_cast<uint32_t>(static_cast<uint16_t>(id)) * 0x9E3779B1u >> 16) & mask;
  }
};

// One open resource file.
struct ResFile {
  ResFile* older = nullptr;  // next in the search order: the file opened before this one
  ResFile* newer = nullptr;
  int slot = 0;
  char path[256] = {};
  int16_t refNum = 0;
  uint8_t header[resfmt::kHeaderBytes] = {};  // the first 256 bytes as read, kept by rewrites
  resfmt::Header fields;
  uint32_t dataEnd = 0;    // where the next appended data entry goes (from the file's start)
  uint32_t highWater = 0;  // how far data has ever reached in the host file
  // The end of the map the header on disk points at. Appended data goes behind it, never over
  // it, so that the file on disk stays whole until the new map is written.
  uint32_t mapOnDiskEnd = 0;
  bool deadSpace = false;  // a map passed over by appended data lies in the data area
  bool changed = false;
  uint16_t attributes = 0;  // kFileReadOnly, kFileCompact
  uint32_t base = 0;        // the resource file's position inside its host file
  bool sharedHost = false;  // the application's own host file: never closed here
  ZEB_SwapResourceProcPtr swapProc = nullptr;
  resfmt::Map map;
  // Where each (type, ID) first stands in the map, for the searches by ID; rebuilt after any
  // change of the map's references.
  std::vector<TypeIdIndex> idIndex;
  bool idIndexValid = false;
  // Types the library does not know, already reported once for this file.
  std::vector<uint32_t> reportedTypes;
  // Opened read-only (the host file's mode).
  bool ReadOnly() const { return (attributes & kFileReadOnly) != 0; }
  // Never written: opened read-only, or its map's own attributes say read-only. Changes then
  // stay in memory.
  bool WriteProtected() const {
    return ReadOnly() || (map.FileAttributes() & resfmt::kMapReadOnly) != 0;
  }
};

// InitResources puts the library's file in slot 0 and the application's in slot 1, whether or
// not each could be opened: UseResFile(0) and the shared host file's base offsets go by slot.
constexpr int kLibrarySlot = 0;
constexpr int kApplicationSlot = 1;

struct Chain {
  ResFile* slots[kSlotCount] = {};
  // Slots 0 and 1 stay the library's and the application's once InitResources has run: other
  // files take the slots from 2 up.
  bool startupSlotsReserved = false;
  ResFile* head = nullptr;  // the file opened last, where chained searches by index begin
  ResFile* current = nullptr;
  int openCount = 0;
  // The last resource GetResource found.
  uint32_t cacheType = 0;
  int16_t cacheId = 0;
  Handle cacheHandle = nullptr;
  // Unknown types already reported this session, by host file: a file opened again says
  // nothing new (the report names only the type), and each report costs the debugger output
  // far more than opening the file does.
  struct ReportedTypes {
    std::string path;
    std::vector<uint32_t> types;
  };
  std::vector<ReportedTypes> reported;
};
Chain& TheChain();
void ClearCache();

// The result cell that ResError reads, and the load flag.
void SetResult(OSErr err);
OSErr Result();
bool LoadFlag();

// A reference and its type inside a file's map.
struct Found {
  ResFile* file = nullptr;
  resfmt::TypeEntry* type = nullptr;
  resfmt::Reference* ref = nullptr;
  explicit operator bool() const { return ref != nullptr; }
};
// The reference whose handle word is h, in the file named by h's slot bits.
Found FindByHandle(Handle h);
resfmt::TypeEntry* FindType(ResFile* file, uint32_t type);
// The first reference of that type and ID that is not removed, and its type; null when none.
resfmt::Reference* FindById(ResFile* file, uint32_t type, int16_t id, resfmt::TypeEntry** entry);
// After references are added, removed, renumbered or dropped.
inline void MapChanged(ResFile* file) { file->idIndexValid = false; }

ResFile* FileOfRefNum(int16_t refNum);

// Get1Resource's work on one reference: makes its handle, loads it when the load flag is set.
Handle MaterializeReference(ResFile* file, resfmt::TypeEntry& type, resfmt::Reference& ref);
// Reads and converts a reference's data into its (empty) handle; false with the result set when
// the entry cannot be read. A handle that cannot be sized is disposed and NIL is returned in
// *handleLost.
bool LoadReference(ResFile* file, resfmt::TypeEntry& type, resfmt::Reference& ref);
// The 4-byte length stored before the entry; -1 when it cannot be read.
int64_t StoredLength(ResFile* file, const resfmt::Reference& ref);
// WriteResource's work on a changed reference.
OSErr WriteReferenceData(ResFile* file, resfmt::TypeEntry& type, resfmt::Reference& ref);
// Disposes of a reference's handle and clears its word (ReleaseResource without the checks).
void ReleaseReference(resfmt::TypeEntry& type, resfmt::Reference& ref);

// Byte order of a loaded resource, with the session's callback and the file's procedure for
// types the library does not know; a type that neither converts is reported once per file.
void ConvertResourceData(int direction, uint32_t type, int16_t id, Handle h, ResFile* file);
// ReleaseResource and DetachResource of a resource whose data has never been written: it is
// written now, so that the map never names data that does not exist. Where that fails, the
// reference is dropped.
void KeepUnwrittenData(ResFile* file, resfmt::TypeEntry& type, resfmt::Reference& ref);

// Positioned host-file access relative to the resource file's start.
bool ReadAt(ResFile* file, uint64_t offset, void* buffer, uint32_t count);
// noErr, or why the write did not go through (dskFulErr when the disk is full).
OSErr WriteAt(ResFile* file, uint64_t offset, const void* buffer, uint32_t count);

// Rewrites the file (update or close); 1 when it wrote. Errors go to the result cell.
int RewriteFile(ResFile* file, bool closing);

}  // namespace zeb::resources

#endif  // ZEB_RESOURCES_RESOURCE_FILES_H

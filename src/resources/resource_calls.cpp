// The Resource Manager's calls on resources: finding, loading, counting, describing, adding,
// changing, removing, writing and releasing.
#include <windows.h>

#include <algorithm>
#include <cstring>

#include "MacMemory.h"
#include "Resources.h"
#include "dialogs/dialogs_internal.h"
#include "frame/frame_internal.h"
#include "memory/memory_internal.h"
#include "quickdraw/quickdraw_internal.h"
#include "resources/byte_order.h"
#include "resources/resource_files.h"
#include "resources/resources_internal.h"

namespace zeb::resources {

using byteorder::FourCC;

namespace {

// A master pointer that never had storage, as a freed handle record also holds.
const Ptr kFreedMasterPointer = reinterpret_cast<Ptr>(static_cast<uintptr_t>(0x0000FFFF));
// GetResource answers 'PACK' with this without searching: packages are built into the library.
const Handle kPackageAnswer = reinterpret_cast<Handle>(static_cast<uintptr_t>(0xFFFFFFFFu));

bool IsResourceHandle(Handle h) { return h && (HGetState(h) & kHandleIsResourceMask); }

// A 'MENU' keeps its definition procedure in bytes 6-9; in host order its low word is 6-7.
constexpr uint32_t kMenuProcLow = 6;
constexpr uint32_t kMenuProcEnd = 10;

bool HasStorage(Handle h) { return h && *h && *h != kFreedMasterPointer; }

// The data as a write hands it to the disk and back: converted to disk order and from it again,
// the menu marker standing down for the stored word meanwhile; compressed data untouched.
class DiskOrder {
 public:
  DiskOrder(ResFile* file, const resfmt::TypeEntry& type, resfmt::Reference& ref, Handle h,
            uint32_t length)
      : file_(file), type_(type.type), ref_(ref), h_(h),
        convert_(length && !resfmt::IsCompressedResource(ref.attributes,
                                                         reinterpret_cast<uint8_t*>(*h), length)),
        marker_(convert_ && type_ == FourCC("MENU") && ref.menuMarked && length >= kMenuProcEnd &&
                static_cast<uint8_t>((*h)[kMenuProcLow]) == 0xFF &&
                static_cast<uint8_t>((*h)[kMenuProcLow + 1]) == 0xFF) {
    if (marker_) std::memcpy(*h_ + kMenuProcLow, ref_.menuProcLow, 2);
    if (convert_) ConvertResourceData(byteorder::kToDisk, type_, ref_.id, h_, file_);
  }
  ~DiskOrder() {
    if (convert_) ConvertResourceData(byteorder::kFromDisk, type_, ref_.id, h_, file_);
    if (marker_) {
      (*h_)[kMenuProcLow] = static_cast<char>(0xFF);
      (*h_)[kMenuProcLow + 1] = static_cast<char>(0xFF);
    }
  }
  DiskOrder(const DiskOrder&) = delete;
  DiskOrder& operator=(const DiskOrder&) = delete;

 private:
  ResFile* file_;
  uint32_t type_;
  resfmt::Reference& ref_;
  Handle h_;
  bool convert_;
  bool marker_;
};

resfmt::Reference* FindByName(resfmt::TypeEntry* type, ConstStr255Param name) {
  if (!type || !name) return nullptr;
  for (resfmt::Reference& ref : type->references)
    if (!ref.Removed() && ref.named && ref.name.size() == name[0] &&
        std::memcmp(ref.name.data(), name + 1, name[0]) == 0)
      return &ref;
  return nullptr;
}

resfmt::Reference* FindByIndex(resfmt::TypeEntry* type, int index) {
  if (!type || index < 1) return nullptr;
  for (resfmt::Reference& ref : type->references)
    if (!ref.Removed() && --index == 0) return &ref;
  return nullptr;
}

int CountIn(ResFile* file, uint32_t type) {
  resfmt::TypeEntry* entry = file ? FindType(file, type) : nullptr;
  int count = 0;
  if (entry)
    for (const resfmt::Reference& ref : entry->references) count += ref.Removed() ? 0 : 1;
  return count;
}

// Types that still have a resource: what the file shows once written and opened again.
int TypesIn(ResFile* file) {
  int count = 0;
  if (file)
    for (const resfmt::TypeEntry& type : file->map.types) count += CountIn(file, type.type) ? 1 : 0;
  return count;
}

uint32_t TypeAt(ResFile* file, int index) {
  for (const resfmt::TypeEntry& type : file->map.types)
    if (CountIn(file, type.type) && --index == 0) return type.type;
  return 0;
}

void SetName(resfmt::Reference& ref, ConstStr255Param name) {
  ref.named = name && name[0];
  ref.name = ref.named ? std::string(reinterpret_cast<const char*>(name + 1), name[0]) : "";
}

}  // namespace

resfmt::TypeEntry* FindType(ResFile* file, uint32_t type) {
  for (resfmt::TypeEntry& entry : file->map.types)
    if (entry.type == type) return &entry;
  return nullptr;
}

namespace {

void BuildIdIndex(ResFile* file) {
  std::vector<TypeIdIndex>& index = file->idIndex;
  index.clear();
  const std::vector<resfmt::TypeEntry>& types = file->map.types;
  // Each type once, however many entries of the map list it, with room for all its IDs.
  std::vector<size_t> counts;
  for (const resfmt::TypeEntry& type : types) {
    size_t k = 0;
    while (k < index.size() && index[k].type != type.type) ++k;
    if (k == index.size()) {
      index.emplace_back();
      index.back().type = type.type;
      counts.push_back(0);
    }
    counts[k] += type.references.size();
  }
  for (size_t k = 0; k < index.size(); ++k) {
    size_t size = 4;
    while (size < 2 * counts[k]) size *= 2;
    index[k].entries.assign(size, TypeIdIndex::Entry{0, 0, TypeIdIndex::kNone});
    index[k].mask = static_cast<uint32_t>(size - 1);
  }
  // In map order, the first reference of an ID wins, as the searches always found it.
  for (size_t t = 0; t < types.size(); ++t) {
    size_t k = 0;
    while (index[k].type != types[t].type) ++k;
    TypeIdIndex& table = index[k];
    const auto& refs = types[t].references;
    for (size_t r = 0; r < refs.size(); ++r) {
      if (refs[r].Removed()) continue;
      uint32_t slot = TypeIdIndex::Slot(refs[r].id, table.mask);
      while (table.entries[slot].reference != TypeIdIndex::kNone &&
             table.entries[slot].id != refs[r].id)
        slot = (slot + 1) & table.mask;
      if (table.entries[slot].reference == TypeIdIndex::kNone)
        table.entries[slot] = {refs[r].id, static_cast<uint16_t>(t), static_cast<uint32_t>(r)};
    }
  }
}

}  // namespace

resfmt::Reference* FindById(ResFile* file, uint32_t type, int16_t id, resfmt::TypeEntry** entry) {
  if (!file->idIndexValid) {
    BuildIdIndex(file);
    file->idIndexValid = true;
  }
  for (const TypeIdIndex& table : file->idIndex) {
    if (table.type != type) continue;
    for (uint32_t slot = TypeIdIndex::Slot(id, table.mask);; slot = (slot + 1) & table.mask) {
      const TypeIdIndex::Entry& e = table.entries[slot];
      if (e.reference == TypeIdIndex::kNone) return nullptr;
      if (e.id == id) {
        *entry = &file->map.types[e.typeEntry];
        return &(*entry)->references[e.reference];
      }
    }
  }
  return nullptr;
}

Found FindByHandle(Handle h) {
  Found found;
  if (!IsResourceHandle(h)) return found;
  const int slot = memory::ResourceFileIndex(h);
  ResFile* file = slot < kSlotCount ? TheChain().slots[slot] : nullptr;
  if (!file) return found;
  for (resfmt::TypeEntry& type : file->map.types)
    for (resfmt::Reference& ref : type.references)
      if (ref.handle == h && !ref.Removed()) {
        found.file = file;
        found.type = &type;
        found.ref = &ref;
        return found;
      }
  return found;
}

int64_t StoredLength(ResFile* file, const resfmt::Reference& ref) {
  if (!ref.hasData || !resfmt::DataEntryFits(file->dataEnd, ref.dataOffset, 0)) return -1;
  uint8_t length[4];
  if (!ReadAt(file, uint64_t{resfmt::kHeaderBytes} + ref.dataOffset, length, 4)) return -1;
  const uint32_t n = byteorder::GetBig32(length);
  if (!resfmt::DataEntryFits(file->dataEnd, ref.dataOffset, n)) return -1;
  return n;
}

bool LoadReference(ResFile* file, resfmt::TypeEntry& type, resfmt::Reference& ref) {
  Handle h = static_cast<Handle>(ref.handle);
  if (*h || !ref.hasData) return true;
  // An entry whose offset or length leaves the data area fails its own load only.
  uint8_t lengthBytes[4];
  if (!resfmt::DataEntryFits(file->dataEnd, ref.dataOffset, 0)) {
    SetResult(mapReadErr);
    return false;
  }
  const uint64_t at = uint64_t{resfmt::kHeaderBytes} + ref.dataOffset;
  if (!ReadAt(file, at, lengthBytes, 4)) {
    SetResult(ioErr);
    return false;
  }
  const uint32_t length = byteorder::GetBig32(lengthBytes);
  if (length == 0) return true;
  if (!resfmt::DataEntryFits(file->dataEnd, ref.dataOffset, length)) {
    SetResult(mapReadErr);
    return false;
  }
  SetHandleSize(h, static_cast<Size>(length));
  if (!*h || *h == kFreedMasterPointer || GetHandleSize(h) != static_cast<Size>(length)) {
    EmptyHandle(h);
    SetResult(memFullErr);
    return false;
  }
  if (!ReadAt(file, at + 4, *h, length)) {
    EmptyHandle(h);
    SetResult(ioErr);
    return false;
  }
  // Compressed data stays exactly as stored: it is not the type's layout.
  if (resfmt::IsCompressedResource(ref.attributes, reinterpret_cast<uint8_t*>(*h), length))
    return true;
  ConvertResourceData(byteorder::kFromDisk, type.type, ref.id, h, file);
  // A loaded menu's definition procedure is the library's own standard one. The word the
  // marker replaces is kept for the write.
  if (type.type == FourCC("MENU") && length >= kMenuProcEnd) {
    std::memcpy(ref.menuProcLow, *h + kMenuProcLow, 2);
    ref.menuMarked = true;
    (*h)[kMenuProcLow] = static_cast<char>(0xFF);
    (*h)[kMenuProcLow + 1] = static_cast<char>(0xFF);
  }
  return true;
}

Handle MaterializeReference(ResFile* file, resfmt::TypeEntry& type, resfmt::Reference& ref) {
  bool made = false;
  if (!ref.handle || *static_cast<Handle>(ref.handle) == kFreedMasterPointer) {
    Handle h = NewEmptyHandle();
    if (!h) {
      SetResult(memFullErr);
      return nullptr;
    }
    HSetRBit(h);
    memory::SetResourceFileIndex(h, file->slot);
    ref.handle = h;
    made = true;
  }
  Handle h = static_cast<Handle>(ref.handle);
  if (LoadFlag() && !*h && !LoadReference(file, type, ref) && Result() == memFullErr) {
    // No room for the data: no handle comes back. One made by this call goes away; one the
    // caller already holds stays, empty.
    if (made) {
      ref.handle = nullptr;
      HClrRBit(h);
      DisposeHandle(h);
    }
    SetResult(memFullErr);
    return nullptr;
  }
  return h;
}

OSErr WriteReferenceData(ResFile* file, resfmt::TypeEntry& type, resfmt::Reference& ref) {
  if (file->WriteProtected()) return mapReadErr;
  Handle h = static_cast<Handle>(ref.handle);
  if (!HasStorage(h)) {
    // Never loaded: what is on disk is still the resource's data.
    if (ref.hasData) {
      ref.attributes &= static_cast<uint8_t>(~resfmt::kAttrChanged);
      return noErr;
    }
  }
  const bool hasStorage = HasStorage(h);
  const uint32_t length = hasStorage ? static_cast<uint32_t>(GetHandleSize(h)) : 0;
  const int64_t stored = ref.dataOffset != 0 ? StoredLength(file, ref) : -1;
  // Data goes only where nothing that the file on disk names lies: never over the map that the
  // header on disk points at, never over an entry that map names. An entry written since that
  // map (it lies behind it) is no one's yet and may be written over; any other is left as it
  // is, so that until the new map is written the file on disk holds the old data whole.
  const bool uncommitted =
      uint64_t{resfmt::kHeaderBytes} + ref.dataOffset >= uint64_t{file->mapOnDiskEnd};
  const bool inPlace = stored >= 0 && length <= stored && uncommitted;
  const uint64_t appendAt = std::max<uint64_t>(file->dataEnd, file->mapOnDiskEnd);
  const uint64_t at = inPlace ? uint64_t{resfmt::kHeaderBytes} + ref.dataOffset : appendAt;
  // A data offset has 24 bits: past 16 MiB of data an entry could not be found again.
  if (!inPlace && (at - resfmt::kHeaderBytes > resfmt::kMaxDataOffset ||
                   at + 4 + length > 0x7FFFFFFFull))
    return dskFulErr;
  uint8_t lengthBytes[4];
  byteorder::PutBig32(lengthBytes, length);
  OSErr err = WriteAt(file, at, lengthBytes, 4);
  if (!err && length) {
    const DiskOrder diskOrder(file, type, ref, h, length);
    err = WriteAt(file, at + 4, *h, length);
  }
  // Nothing in memory moves: the reference still names its old data, and a later write
  // appends at the same place again.
  if (err) return err;
  // Shorter than the space it had: the next rewrite compacts the file.
  if (stored >= 0 && length < stored) ref.shrunk = true;
  if (!inPlace) {
    // The old entry, or a map passed over, is unused space until compaction.
    if (at > file->dataEnd || ref.hasData) file->deadSpace = true;
    ref.dataOffset = static_cast<uint32_t>(at - resfmt::kHeaderBytes);
    file->dataEnd = static_cast<uint32_t>(at + 4 + length);
    if (file->dataEnd > file->highWater) file->highWater = file->dataEnd;
  }
  ref.hasData = true;
  ref.attributes &= static_cast<uint8_t>(~resfmt::kAttrChanged);
  file->changed = true;
  return noErr;
}

void KeepUnwrittenData(ResFile* file, resfmt::TypeEntry& type, resfmt::Reference& ref) {
  // A file that is never written never names anything: the reference may stay.
  if (ref.hasData || ref.Removed() || file->WriteProtected()) return;
  if (WriteReferenceData(file, type, ref) == noErr) return;
  ref.removed = true;
  file->changed = true;
  MapChanged(file);
}

void ReleaseReference(resfmt::TypeEntry& type, resfmt::Reference& ref) {
  Handle h = static_cast<Handle>(ref.handle);
  ref.handle = nullptr;
  ref.attributes &= static_cast<uint8_t>(~resfmt::kAttrChanged);
  if (!h) return;
  if (TheChain().cacheHandle == h) ClearCache();
  if (type.type == FourCC("CURS") || type.type == FourCC("crsr")) quickdraw::ReleaseResourceCursor(h);
  HClrRBit(h);
  DisposeHandle(h);
}

namespace {

// Every lookup that finds nothing says so the same way: NIL and resNotFound.
Handle NotFound() {
  SetResult(resNotFound);
  return nullptr;
}

// A host icon that the alert code keeps, as a 4-byte handle holding it.
Handle AlertIconAnswer(int16_t id) {
  HICON icon = dialogs::AlertIcon(id);
  if (!icon) return nullptr;
  Handle h = NewHandle(4);
  if (!h) return nullptr;
  const uint32_t value = static_cast<uint32_t>(reinterpret_cast<uintptr_t>(icon));
  std::memcpy(*h, &value, 4);
  return h;
}

// 'STR ' -16096 names the system. Under Win32s 3.10 (version word 0x0A03) the answer is the
// host's own name, string 514 of USER.EXE, without its trailing blanks.
constexpr short kHostNameStringId = -16096;
constexpr uint16_t kWin32sVersionWord = 0x0A03;
constexpr UINT kUserHostNameString = 514;

Handle HostNameString() {
  HMODULE user = GetModuleHandleA("USER.EXE");
  char text[256];
  int n = user ? LoadStringA(user, kUserHostNameString, text, sizeof text) : 0;
  if (n <= 0) return nullptr;
  while (n > 0 && text[n - 1] == ' ') --n;
  Handle h = NewHandle(n + 1);
  if (!h) return nullptr;
  (*h)[0] = static_cast<char>(n);
  std::memcpy(*h + 1, text, static_cast<size_t>(n));
  return h;
}

}  // namespace

bool ResourceInMemory(ResType type, short id) {
  for (ResFile* file = TheChain().current; file; file = file->older) {
    resfmt::TypeEntry* entry = nullptr;
    resfmt::Reference* ref = FindById(file, static_cast<uint32_t>(type), id, &entry);
    if (!ref) continue;
    const Handle h = static_cast<Handle>(ref->handle);
    return h && *h && *h != kFreedMasterPointer;
  }
  return false;
}

Handle GetResourceForManager(ResType type, short id) {
  Chain& chain = TheChain();
  SetResult(noErr);
  const uint32_t wanted = static_cast<uint32_t>(type);
  if (chain.cacheHandle && chain.cacheType == wanted && chain.cacheId == id &&
      *chain.cacheHandle && *chain.cacheHandle != kFreedMasterPointer)
    return chain.cacheHandle;
  if (wanted == FourCC("PACK")) return kPackageAnswer;
  for (ResFile* file = chain.current; file; file = file->older) {
    resfmt::TypeEntry* entry = nullptr;
    resfmt::Reference* ref = FindById(file, wanted, id, &entry);
    if (!ref) continue;
    Handle h = MaterializeReference(file, *entry, *ref);
    if (h) {
      chain.cacheType = wanted;
      chain.cacheId = id;
      chain.cacheHandle = h;
    }
    return h;
  }
  if (wanted == FourCC("ICON") && id >= 0 && id <= 2) {
    if (Handle icon = AlertIconAnswer(id)) return icon;
  }
  if (wanted == FourCC("STR ") && id == kHostNameStringId &&
      frame::Version().versionWord == kWin32sVersionWord) {
    if (Handle name = HostNameString()) return name;
  }
  SetResult(resNotFound);
  return nullptr;
}

void ReleaseResourceHandle(Handle h) {
  Found found = FindByHandle(h);
  if (!found) {
    SetResult(resNotFound);
    return;
  }
  KeepUnwrittenData(found.file, *found.type, *found.ref);
  ReleaseReference(*found.type, *found.ref);
}

}  // namespace zeb::resources

using namespace zeb;
using namespace zeb::resources;

extern "C" {

Handle ZEBAPI Get1Resource(ResType theType, short theID) {
  SetResult(noErr);
  ResFile* file = TheChain().current;
  resfmt::TypeEntry* entry = nullptr;
  resfmt::Reference* ref =
      file ? FindById(file, static_cast<uint32_t>(theType), theID, &entry) : nullptr;
  return ref ? MaterializeReference(file, *entry, *ref) : NotFound();
}

Handle ZEBAPI GetResource(ResType theType, short theID) {
  return GetResourceForManager(theType, theID);
}

Handle ZEBAPI RGetResource(ResType theType, short theID) {
  return GetResourceForManager(theType, theID);
}

Handle ZEBAPI Get1IndResource(ResType theType, short index) {
  SetResult(noErr);
  ResFile* file = TheChain().current;
  resfmt::TypeEntry* entry = file ? FindType(file, static_cast<uint32_t>(theType)) : nullptr;
  resfmt::Reference* ref = FindByIndex(entry, index);
  return ref ? MaterializeReference(file, *entry, *ref) : NotFound();
}

Handle ZEBAPI GetIndResource(ResType theType, short index) {
  SetResult(noErr);
  int left = index;
  for (ResFile* file = TheChain().head; file && left > 0; file = file->older) {
    const int count = CountIn(file, static_cast<uint32_t>(theType));
    if (left <= count) {
      resfmt::TypeEntry* entry = FindType(file, static_cast<uint32_t>(theType));
      return MaterializeReference(file, *entry, *FindByIndex(entry, left));
    }
    left -= count;
  }
  return NotFound();
}

Handle ZEBAPI Get1NamedResource(ResType theType, ConstStr255Param name) {
  SetResult(noErr);
  ResFile* file = TheChain().current;
  resfmt::TypeEntry* entry = file ? FindType(file, static_cast<uint32_t>(theType)) : nullptr;
  resfmt::Reference* ref = FindByName(entry, name);
  return ref ? MaterializeReference(file, *entry, *ref) : NotFound();
}

Handle ZEBAPI GetNamedResource(ResType theType, ConstStr255Param name) {
  SetResult(noErr);
  for (ResFile* file = TheChain().current; file; file = file->older) {
    resfmt::TypeEntry* entry = FindType(file, static_cast<uint32_t>(theType));
    if (resfmt::Reference* ref = FindByName(entry, name))
      return MaterializeReference(file, *entry, *ref);
  }
  return NotFound();
}

short ZEBAPI Count1Resources(ResType theType) {
  SetResult(noErr);
  return static_cast<short>(CountIn(TheChain().current, static_cast<uint32_t>(theType)));
}

short ZEBAPI CountResources(ResType theType) {
  SetResult(noErr);
  const uint32_t type = static_cast<uint32_t>(theType);
  if (type == FourCC("FONT") || type == FourCC("sfnt"))
    return quickdraw::FontResourceCount(type == FourCC("sfnt"));
  int count = 0;
  for (ResFile* file = TheChain().head; file; file = file->older) count += CountIn(file, type);
  return static_cast<short>(count);
}

short ZEBAPI Count1Types(void) {
  SetResult(noErr);
  return static_cast<short>(TypesIn(TheChain().current));
}

short ZEBAPI CountTypes(void) {
  SetResult(noErr);
  int count = 0;
  for (ResFile* file = TheChain().head; file; file = file->older) count += TypesIn(file);
  return static_cast<short>(count);
}

void ZEBAPI Get1IndType(ResType* theType, short index) {
  SetResult(noErr);
  if (!theType) return;
  ResFile* file = TheChain().current;
  *theType = file && index >= 1 ? TypeAt(file, index) : 0;
}

void ZEBAPI GetIndType(ResType* theType, short index) {
  SetResult(noErr);
  if (!theType) return;
  *theType = 0;
  int left = index;
  for (ResFile* file = TheChain().head; file && left > 0; file = file->older) {
    const int count = TypesIn(file);
    if (left <= count) {
      *theType = TypeAt(file, left);
      return;
    }
    left -= count;
  }
}

void ZEBAPI LoadResourc(Handle theResource) {
  SetResult(noErr);
  Found found = FindByHandle(theResource);
  if (!found) {
    SetResult(resNotFound);
    return;
  }
  // The caller's handle is never disposed of here: a load that fails leaves it empty.
  if (!*theResource) LoadReference(found.file, *found.type, *found.ref);
}

long ZEBAPI SizeRsrc(Handle theResource) {
  SetResult(noErr);
  Found found = FindByHandle(theResource);
  if (!found) {
    SetResult(resNotFound);
    return -1;
  }
  const int64_t length = StoredLength(found.file, *found.ref);
  return length < 0 ? 0 : static_cast<long>(length);
}

long ZEBAPI GetResourceSizeOnDisk(Handle theResource) { return SizeRsrc(theResource); }
long ZEBAPI GetMaxResourceSize(Handle theResource) { return SizeRsrc(theResource); }

void ZEBAPI GetResInfo(Handle theResource, short* theID, ResType* theType, Str255 name) {
  SetResult(noErr);
  Found found = FindByHandle(theResource);
  if (!found) {
    SetResult(resNotFound);
    return;
  }
  if (theID) *theID = found.ref->id;
  if (theType) *theType = found.type->type;
  if (name) {
    name[0] = static_cast<unsigned char>(found.ref->name.size());
    std::memcpy(name + 1, found.ref->name.data(), found.ref->name.size());
  }
}

short ZEBAPI GetResAttrs(Handle theResource) {
  SetResult(noErr);
  Found found = FindByHandle(theResource);
  if (!found) {
    SetResult(resNotFound);
    return 0;
  }
  return static_cast<short>(found.ref->attributes);
}

void ZEBAPI SetResPurge(Boolean) { SetResult(noErr); }

void ZEBAPI AddResource(Handle theData, ResType theType, short theID, ConstStr255Param name) {
  SetResult(noErr);
  ResFile* file = TheChain().current;
  if (!theData || IsResourceHandle(theData) || !file) {
    SetResult(addResFailed);
    return;
  }
  const uint32_t type = static_cast<uint32_t>(theType);
  resfmt::TypeEntry* entry = FindType(file, type);
  const bool newType = entry == nullptr;
  if (newType) {
    file->map.types.push_back(resfmt::TypeEntry{});
    entry = &file->map.types.back();
    entry->type = type;
  }
  resfmt::Reference* ref = nullptr;
  for (resfmt::Reference& r : entry->references)
    if (r.Removed()) {
      ref = &r;
      break;
    }
  const bool reused = ref != nullptr;
  const resfmt::Reference before = reused ? *ref : resfmt::Reference{};
  if (!ref) {
    entry->references.push_back(resfmt::Reference{});
    ref = &entry->references.back();
  }
  *ref = resfmt::Reference{};
  ref->id = theID;
  SetName(*ref, name);
  ref->attributes = resfmt::kAttrChanged;
  ref->dataOffset = 0;
  ref->hasData = false;
  ref->handle = theData;
  // Every offset in a map is 16-bit: a map that could no longer be written is not made.
  if (!resfmt::ComputeLayout(file->map).fits) {
    if (reused) *ref = before;
    else entry->references.pop_back();
    if (newType) file->map.types.pop_back();
    SetResult(addResFailed);
    return;
  }
  HSetRBit(theData);
  memory::SetResourceFileIndex(theData, file->slot);
  file->changed = true;
  MapChanged(file);
  ClearCache();
}

void ZEBAPI ChangedResource(Handle theResource) {
  SetResult(noErr);
  Found found = FindByHandle(theResource);
  if (!found) {
    SetResult(resNotFound);
    return;
  }
  found.ref->attributes |= resfmt::kAttrChanged;
  found.file->changed = true;
}

void ZEBAPI RemoveResource(Handle theResource) {
  SetResult(noErr);
  Found found = FindByHandle(theResource);
  if (!found) {
    SetResult(resNotFound);
    return;
  }
  found.ref->removed = true;
  found.ref->handle = nullptr;
  HClrRBit(theResource);
  found.file->changed = true;
  MapChanged(found.file);
  ClearCache();
}

void ZEBAPI WriteResource(Handle theResource) {
  SetResult(noErr);
  Found found = FindByHandle(theResource);
  if (!found) {
    SetResult(resNotFound);
    return;
  }
  if (found.ref->attributes & resfmt::kAttrChanged)
    SetResult(WriteReferenceData(found.file, *found.type, *found.ref));
}

void ZEBAPI ReleaseResource(Handle theResource) {
  SetResult(noErr);
  if (!IsResourceHandle(theResource)) {
    SetResult(resAttrErr);
    return;
  }
  ReleaseResourceHandle(theResource);
}

void ZEBAPI DetachResource(Handle theResource) {
  SetResult(noErr);
  Found found = FindByHandle(theResource);
  if (!found) {
    SetResult(resNotFound);
    return;
  }
  KeepUnwrittenData(found.file, *found.type, *found.ref);
  found.ref->handle = nullptr;
  HClrRBit(theResource);
  ClearCache();
}

void ZEBAPI SetResInfo(Handle theResource, short theID, ConstStr255Param name) {
  SetResult(noErr);
  Found found = FindByHandle(theResource);
  if (!found) {
    SetResult(resNotFound);
    return;
  }
  const resfmt::Reference before = *found.ref;
  found.ref->id = theID;
  if (name) SetName(*found.ref, name);
  if (!resfmt::ComputeLayout(found.file->map).fits) {
    *found.ref = before;
    SetResult(addResFailed);
    return;
  }
  found.file->changed = true;
  MapChanged(found.file);
  ClearCache();
}

void ZEBAPI SetResAttrs(Handle theResource, short attrs) {
  SetResult(noErr);
  Found found = FindByHandle(theResource);
  if (!found) {
    SetResult(resNotFound);
    return;
  }
  found.ref->attributes = static_cast<uint8_t>(attrs & 0xFF);
}

short ZEBAPI HomeResFile(Handle theResource) {
  SetResult(noErr);
  Found found = FindByHandle(theResource);
  if (!found) {
    SetResult(resNotFound);
    return -1;
  }
  return found.file->refNum;
}

}  // extern "C"

// The Memory Manager's own records and state, shared by its files.
#ifndef ZEB_MEMORY_MEMORY_STATE_H
#define ZEB_MEMORY_MEMORY_STATE_H

#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <vector>

#include "MacMemory.h"
#include "memory/arenas.h"

namespace zeb::memory {

// The record a Handle points at. Its first field is the master pointer, so **h reaches the data.
struct HandleRecord {
  Ptr masterPointer;
  void* hostBlock;  // the host block owning the data; 0: none; kArenaHostBlock: in an arena
  uint16_t flags;
  uint32_t size;    // logical size as the application asked for it
};
#if ZEB_LAYOUT_32
static_assert(sizeof(HandleRecord) == 16, "handle record is 16 bytes");
static_assert(offsetof(HandleRecord, hostBlock) == 4 && offsetof(HandleRecord, flags) == 8 &&
                  offsetof(HandleRecord, size) == 12,
              "handle record layout");
#endif

// A master pointer that never had storage holds this, not NIL: NIL means emptied or purged.
constexpr uintptr_t kEmptyMasterPointer = 0x0000FFFF;
constexpr uintptr_t kArenaHostBlock = 0x0000FFFF;
inline Ptr EmptyMasterPointer() { return reinterpret_cast<Ptr>(kEmptyMasterPointer); }
inline void* ArenaHostBlock() { return reinterpret_cast<void*>(kArenaHostBlock); }
inline bool HasStorage(const HandleRecord* r) {
  return r->masterPointer && r->masterPointer != EmptyMasterPointer();
}

// flags
constexpr uint16_t kLockCountMask = 0x003F;  // 1: in use; 2: storage locked
constexpr uint16_t kInUseCount = 1;
constexpr uint16_t kLockedCount = 2;
constexpr uint16_t kResFileShift = 6;
constexpr uint16_t kResFileMask = 0x0FC0;
constexpr uint16_t kInArenaFlag = 0x1000;
constexpr uint16_t kCBitFlag = 0x2000;
constexpr uint16_t kPurgeableFlag = 0x4000;
constexpr uint16_t kResourceFlag = 0x8000;

inline uint16_t LockCount(const HandleRecord* r) { return r->flags & kLockCountMask; }
inline void SetLockCount(HandleRecord* r, uint16_t count) {
  r->flags = static_cast<uint16_t>((r->flags & ~kLockCountMask) | (count & kLockCountMask));
}
inline HandleRecord* Record(Handle h) { return reinterpret_cast<HandleRecord*>(h); }
inline Handle AsHandle(HandleRecord* r) { return reinterpret_cast<Handle>(r); }

// Master-pointer block: header, count handle records, trailer {0xFFFFFFFF, byte size}.
struct MasterBlockHeader {
  MasterBlockHeader* next;
  void* hostBlock;
  uint8_t full;
  uint8_t searchIndex;  // where the next free-slot search starts (8 bits, as the Toolbox kept it)
  uint16_t count;
};
#if ZEB_LAYOUT_32
static_assert(sizeof(MasterBlockHeader) == 12, "master block header is 12 bytes");
#endif
struct MasterBlockTrailer {
  uint32_t marker;  // 0xFFFFFFFF
  uint32_t byteSize;
};
static_assert(sizeof(MasterBlockTrailer) == 8, "master block trailer is 8 bytes");
constexpr uint32_t kMasterBlockMarker = 0xFFFFFFFFu;
constexpr uint16_t kMaxMasterCount = 4093;
constexpr uint16_t kStartMasterCount = 64;

// A non-relocatable block from the host starts with two marker words; the word before any
// Ptr therefore tells whose it is.
constexpr uint32_t kHostPtrMarker = 0xFFFFFFFFu;
constexpr size_t kHostPtrPrefix = 8;

class MasterBlocks {
 public:
  // A free record, made in use by the caller. Null when no block has one and no new block can
  // be had from the host.
  HandleRecord* Take();
  // Frees a record's slot: flags 0, no host block, master pointer 0x0000FFFF, size 0.
  void Release(HandleRecord* r);
  // Adds a block of count records at the head of the list.
  bool AddBlock(uint16_t count);
  // Whether r is a record slot of some master block, and whether it is in use.
  bool IsSlot(const void* r) const;
  bool IsInUse(const void* r) const { return IsSlot(r) && static_cast<const HandleRecord*>(r)->flags; }
  // Calls visit(record) for each in-use record, from the current block round the list; stops
  // when visit returns true and returns that record.
  template <class Visit>
  HandleRecord* FindFromCurrent(Visit visit) const;
  void ReleaseAll();
  size_t BlockCount() const { return index_.size(); }

 private:
  static HandleRecord* Records(MasterBlockHeader* b) {
    return reinterpret_cast<HandleRecord*>(reinterpret_cast<char*>(b) + sizeof(MasterBlockHeader));
  }
  MasterBlockHeader* BlockOf(const void* r) const;
  // Whether p is a record slot of block b.
  static bool InBlock(const MasterBlockHeader* b, const char* p) {
    const char* first = reinterpret_cast<const char*>(b) + sizeof(MasterBlockHeader);
    return p >= first && p < first + size_t{b->count} * sizeof(HandleRecord) &&
           (p - first) % sizeof(HandleRecord) == 0;
  }

  MasterBlockHeader* head_ = nullptr;
  // The block BlockOf found last: a handle's calls come in runs (allocate, fill, resize,
  // dispose), and most of an application's handles share a few blocks.
  mutable MasterBlockHeader* lastFound_ = nullptr;
  MasterBlockHeader* current_ = nullptr;
  std::vector<MasterBlockHeader*> index_;  // sorted by address
};

template <class Visit>
HandleRecord* MasterBlocks::FindFromCurrent(Visit visit) const {
  MasterBlockHeader* start = current_ ? current_ : head_;
  MasterBlockHeader* b = start;
  while (b) {
    HandleRecord* records = Records(b);
    for (uint16_t i = 0; i < b->count; ++i) {
      if (records[i].flags && visit(&records[i])) return &records[i];
    }
    b = b->next ? b->next : head_;
    if (b == start) break;
  }
  return nullptr;
}

struct MemoryState {
  HANDLE heap = nullptr;
  int16_t ownErrorCell = 0;
  int16_t* errorCell = &ownErrorCell;
  Zone zone{};
  GrowZoneProcPtr growZone = nullptr;
  uint32_t smallBlockThreshold = 4096;
  // ZEB_SetMemoryLimits
  bool ceilingEnabled = false;
  uint64_t ceiling = 0;
  uint64_t ceilingThreshold = 0;
  uint64_t maxBlocks = 32767;
  // host-block statistics
  uint64_t bytesHeld = 0;
  uint64_t weightedBlocks = 0;
  uint64_t reserve = 0;
  bool reserveComputed = false;
  // handles that the calls in progress read or resize, and a source address they read from:
  // purging leaves them alone
  Handle protectedHandles[4] = {};
  int protectedCount = 0;
  const void* protectedSource = nullptr;
  MasterBlocks masters;
  SmallBlockArenas arenas{ArenaHostBlocksForHeap()};

  static ArenaHostBlocks ArenaHostBlocksForHeap();
};

// Inline: every Memory Manager call reaches the state a dozen times, and a call across files
// each time costs more than the allocation bookkeeping itself.
[[gnu::always_inline]] inline MemoryState& State() {
  static MemoryState state;
  return state;
}
inline void SetError(OSErr err) { *State().errorCell = err; }

// Host-allocation wrapper: every host block holding data, master blocks and arenas. Zero-filled,
// checked against the memory ceiling, and retried after purging, compacting and asking the
// grow-zone procedure.
void* HostAllocate(size_t bytes);
// A host block's size is the size it was asked for (HeapSize's contract); a caller that knows
// it passes it, saving a HeapSize call, and kUnknownHostSize otherwise.
constexpr size_t kUnknownHostSize = ~size_t{0};
// Resizes a host block; inPlace forbids moving it. Null on failure, the old block intact.
void* HostReallocate(void* block, size_t bytes, bool inPlace, size_t oldBytes = kUnknownHostSize);
void HostFree(void* block, size_t bytes = kUnknownHostSize);
size_t HostBlockSize(const void* block);
// The private heap every host block comes from.
HANDLE HostHeap();
// The allocation countdown that tests set (FailAllocationAfter): true for the one allocation
// it stops.
bool AllocationRefused();

// Empties purgeable handles, from the current master block on, until bytes of host storage are
// freed (true) or every candidate is empty (false).
bool PurgeFor(int64_t bytes);

// The storage of a handle: the small-block path when the option is on and the size qualifies.
bool UsesArena(int64_t size);
bool AllocateStorage(HandleRecord* r, uint32_t size);
void FreeStorage(HandleRecord* r);  // EmptyHandle without touching the error cell

// Heap checking (session flag 0x4): walks the arenas and reports damage to the frame window.
void CheckArenasIfAsked();
void ReportDamage(const void* record);

// Keeps a call's handles out of reach of purging for the call's duration.
// Calls nest (HandAndHand grows its destination through SetHandleSize), so the guard stacks.
// A source given as a plain address may be the data of a purgeable handle (locking is a no-op
// here, so an application cannot pin it): the handle holding that address is kept too.
class PurgeGuard {
 public:
  explicit PurgeGuard(Handle a, Handle b = nullptr, const void* source = nullptr) {
    MemoryState& s = State();
    saved_ = s.protectedCount;
    savedSource_ = s.protectedSource;
    for (Handle h : {a, b})
      if (h && s.protectedCount < 4) s.protectedHandles[s.protectedCount++] = h;
    if (source) s.protectedSource = source;
  }
  ~PurgeGuard() {
    State().protectedCount = saved_;
    State().protectedSource = savedSource_;
  }
  PurgeGuard(const PurgeGuard&) = delete;
  PurgeGuard& operator=(const PurgeGuard&) = delete;

 private:
  int saved_;
  const void* savedSource_;
};

}  // namespace zeb::memory

#endif  // ZEB_MEMORY_MEMORY_STATE_H

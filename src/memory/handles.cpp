// Handles: allocation, resizing, state bits and disposal.
#include <algorithm>
#include <cstring>

#include "frame/frame_internal.h"
#include "memory/memory_internal.h"
#include "memory/memory_state.h"
#include "resources/resources_internal.h"

namespace zeb::memory {
namespace {

constexpr OSErr kMemFull = memFullErr;
constexpr OSErr kNilHandle = nilHandleErr;
constexpr OSErr kFreeBlock = memWZErr;  // the handle is not a live record

// A live record, or null when h is NIL or names no record in use.
HandleRecord* LiveRecord(Handle h) {
  if (!h || !State().masters.IsInUse(h)) return nullptr;
  return Record(h);
}

void MakeEmptyButUnpurged(HandleRecord* r) {
  FreeStorage(r);
  r->masterPointer = EmptyMasterPointer();
}

bool MoveToHost(HandleRecord* r, uint32_t size) {
  void* block = HostAllocate(size);
  if (!block) return false;
  std::memcpy(block, r->masterPointer, std::min(r->size, size));
  const uint16_t count = std::max<uint16_t>(LockCount(r), kLockedCount);
  if (!State().arenas.Free(r->masterPointer) && frame::SessionFlag(ZEB_SF_HEAPCHECK))
    ReportDamage(nullptr);
  r->masterPointer = static_cast<Ptr>(block);
  r->hostBlock = block;
  r->flags &= static_cast<uint16_t>(~kInArenaFlag);
  SetLockCount(r, count);
  return true;
}

bool MoveToArena(HandleRecord* r, uint32_t size) {
  CheckArenasIfAsked();
  void* data = State().arenas.Allocate(size, State().smallBlockThreshold);
  if (!data) return false;
  std::memcpy(data, r->masterPointer, std::min(r->size, size));
  HostFree(r->hostBlock, r->size);
  r->masterPointer = static_cast<Ptr>(data);
  r->hostBlock = ArenaHostBlock();
  r->flags |= kInArenaFlag;
  return true;
}

}  // namespace

long LiveHandleSize(Handle h) {
  const HandleRecord* r = LiveRecord(h);
  if (!r || !HasStorage(r)) return -1;
  return static_cast<long>(r->size);
}

bool UsesArena(int64_t size) {
  return frame::SessionFlag(ZEB_SF_SMALLBLOCKS) && size >= 0 &&
         size < static_cast<int64_t>(State().smallBlockThreshold) &&
         FitsInArena(static_cast<uint32_t>(size));
}

bool AllocateStorage(HandleRecord* r, uint32_t size) {
  if (UsesArena(size)) {
    CheckArenasIfAsked();
    if (void* data = State().arenas.Allocate(size, State().smallBlockThreshold)) {
      r->masterPointer = static_cast<Ptr>(data);
      r->hostBlock = ArenaHostBlock();
      r->flags |= kInArenaFlag;
      SetLockCount(r, kLockedCount);
      return true;
    }
  }
  void* block = HostAllocate(size);
  if (!block) return false;
  r->masterPointer = static_cast<Ptr>(block);
  r->hostBlock = block;
  r->flags &= static_cast<uint16_t>(~kInArenaFlag);
  SetLockCount(r, kLockedCount);
  return true;
}

void FreeStorage(HandleRecord* r) {
  if (r->flags & kInArenaFlag) {
    if (HasStorage(r) && !State().arenas.Free(r->masterPointer) &&
        frame::SessionFlag(ZEB_SF_HEAPCHECK))
      ReportDamage(nullptr);
  } else if (r->hostBlock) {
    // A handle's own host block is always exactly its logical size.
    HostFree(r->hostBlock, r->size);
  }
  r->hostBlock = nullptr;
  r->masterPointer = nullptr;
  r->size = 0;
  r->flags &= static_cast<uint16_t>(~kInArenaFlag);
  SetLockCount(r, kInUseCount);
}

bool PurgeFor(int64_t bytes) {
  if (bytes <= 0) return true;
  MemoryState& s = State();
  int64_t freed = 0;
  HandleRecord* done = s.masters.FindFromCurrent([&](HandleRecord* r) {
    if (!(r->flags & kPurgeableFlag) || !HasStorage(r)) return false;
    for (int i = 0; i < s.protectedCount; ++i)
      if (Record(s.protectedHandles[i]) == r) return false;
    const char* source = static_cast<const char*>(s.protectedSource);
    if (source && source >= r->masterPointer && source < r->masterPointer + r->size) return false;
    if (!(r->flags & kInArenaFlag)) freed += static_cast<int64_t>(HostBlockSize(r->hostBlock));
    FreeStorage(r);
    return freed >= bytes;
  });
  return done != nullptr;
}

Handle NewHandleRecord(Size size) {
  SetError(noErr);
  if (size < 0) {
    SetError(kMemFull);
    return nullptr;
  }
  HandleRecord* r = State().masters.Take();
  if (!r) {
    SetError(kMemFull);
    return nullptr;
  }
  r->masterPointer = EmptyMasterPointer();
  r->hostBlock = nullptr;
  r->flags = kInUseCount;
  r->size = static_cast<uint32_t>(size);
  if (size == 0) return AsHandle(r);
  if (!AllocateStorage(r, static_cast<uint32_t>(size))) {
    State().masters.Release(r);
    SetError(kMemFull);
    return nullptr;
  }
  return AsHandle(r);
}

bool ResizeHandle(Handle h, Size size) {
  SetError(noErr);
  if (size < 0) {
    SetError(kMemFull);
    return false;
  }
  if (!h) {
    SetError(kNilHandle);
    return false;
  }
  HandleRecord* r = LiveRecord(h);
  if (!r) {
    SetError(kFreeBlock);
    return false;
  }
  const uint32_t newSize = static_cast<uint32_t>(size);
  if (newSize == r->size && (newSize == 0 || HasStorage(r))) return true;
  PurgeGuard guard(h);
  bool ok;
  if (newSize == 0) {
    // No storage, as a fresh zero-length handle has.
    MakeEmptyButUnpurged(r);
    ok = true;
  } else if (!HasStorage(r)) {
    ok = AllocateStorage(r, newSize);
  } else if (r->flags & kInArenaFlag) {
    if (!UsesArena(size)) {
      ok = MoveToHost(r, newSize);
    } else {
      CheckArenasIfAsked();
      void* data = State().arenas.Resize(r->masterPointer, newSize, State().smallBlockThreshold);
      if (data) r->masterPointer = static_cast<Ptr>(data);
      ok = data != nullptr;
    }
  } else if (UsesArena(size) && MoveToArena(r, newSize)) {
    ok = true;
  } else {
    void* block = HostReallocate(r->hostBlock, newSize, false, r->size);
    if (block) {
      r->hostBlock = block;
      r->masterPointer = static_cast<Ptr>(block);
    }
    ok = block != nullptr;
  }
  if (!ok) {
    SetError(kMemFull);
    return false;
  }
  r->size = newSize;
  return *State().errorCell == noErr;
}

void SetResourceFileIndex(Handle h, int index) {
  if (!h) return;
  HandleRecord* r = Record(h);
  r->flags = static_cast<uint16_t>((r->flags & ~kResFileMask) |
                                   ((index << kResFileShift) & kResFileMask));
}

int ResourceFileIndex(Handle h) {
  return h ? (Record(h)->flags & kResFileMask) >> kResFileShift : 0;
}

void ClearCBit(Handle h) {
  if (h) Record(h)->flags &= static_cast<uint16_t>(~kCBitFlag);
}

bool CBit(Handle h) { return h && (Record(h)->flags & kCBitFlag); }

}  // namespace zeb::memory

using namespace zeb::memory;

extern "C" {

Handle ZEBAPI NewHandle(Size byteCount) { return NewHandleRecord(byteCount); }
// All storage is zero-filled, so the four allocation calls are one.
Handle ZEBAPI NewHandleSys(Size byteCount) { return NewHandleRecord(byteCount); }
Handle ZEBAPI NewHandleClear(Size byteCount) { return NewHandleRecord(byteCount); }
Handle ZEBAPI NewHandleSysClear(Size byteCount) { return NewHandleRecord(byteCount); }

Handle ZEBAPI NewEmptyHandle(void) {
  Handle h = NewHandleRecord(0);
  if (h) Record(h)->masterPointer = nullptr;
  return h;
}

void ZEBAPI DisposeHandle(Handle h) {
  if (!h) return;
  if (!State().masters.IsInUse(h)) {
    // Already disposed of, or never a handle: nothing is freed.
    if (zeb::frame::SessionFlag(ZEB_SF_HEAPCHECK)) ReportDamage(h);
    return;
  }
  HandleRecord* r = Record(h);
  if (r->flags & kResourceFlag) {
    zeb::resources::ReleaseResourceHandle(h);
    return;
  }
  FreeStorage(r);
  State().masters.Release(r);
}

void ZEBAPI EmptyHandle(Handle h) {
  if (!h || !State().masters.IsInUse(h)) return;
  FreeStorage(Record(h));
  SetError(noErr);
}

Boolean ZEBAPI ReallocateHandle(Handle h, Size byteCount) { return ResizeHandle(h, byteCount); }
Boolean ZEBAPI SetHandleSize(Handle h, Size newSize) { return ResizeHandle(h, newSize); }

Size ZEBAPI GetHandleSize(Handle h) {
  if (!h) {
    SetError(nilHandleErr);
    return 0;
  }
  SetError(noErr);
  return static_cast<Size>(Record(h)->size);
}

SignedByte ZEBAPI HGetState(Handle h) {
  if (!h) return 0;
  const HandleRecord* r = Record(h);
  int state = 0;
  if (LockCount(r) > kInUseCount) state |= kHandleLockedMask;
  if (r->flags & kPurgeableFlag) state |= kHandlePurgeableMask;
  if (r->flags & kResourceFlag) state |= kHandleIsResourceMask;
  return static_cast<SignedByte>(state);
}

void ZEBAPI HSetState(Handle h, SignedByte flags) {
  if (!h) return;
  HandleRecord* r = Record(h);
  const int bits = static_cast<unsigned char>(flags);
  r->flags = static_cast<uint16_t>((r->flags & ~(kResourceFlag | kPurgeableFlag)) |
                                   ((bits & kHandleIsResourceMask) ? kResourceFlag : 0) |
                                   ((bits & kHandlePurgeableMask) ? kPurgeableFlag : 0));
}

void ZEBAPI HPurge(Handle h) {
  if (h) Record(h)->flags |= kPurgeableFlag;
}
void ZEBAPI HNoPurge(Handle h) {
  if (h) Record(h)->flags &= static_cast<uint16_t>(~kPurgeableFlag);
}
void ZEBAPI HSetRBit(Handle h) {
  if (h) Record(h)->flags |= kResourceFlag;
}
void ZEBAPI HClrRBit(Handle h) {
  if (h) Record(h)->flags &= static_cast<uint16_t>(~kResourceFlag);
}
void ZEBAPI HSetCBit(Handle h) {
  if (h) Record(h)->flags |= kCBitFlag;
}

Handle ZEBAPI RecoverHandle(Ptr p) {
  if (!p || p == EmptyMasterPointer()) return nullptr;
  return AsHandle(State().masters.FindFromCurrent(
      [p](HandleRecord* r) { return r->masterPointer == p; }));
}

void ZEBAPI MoreMasters(void) {
  SetError(noErr);
  int count = State().zone.moreMast;
  if (count < 1) count = kStartMasterCount;
  const uint16_t perBlock = static_cast<uint16_t>(std::min<int>(count, kMaxMasterCount));
  for (int left = count; left > 0; left -= kMaxMasterCount) {
    if (!State().masters.AddBlock(perBlock)) {
      SetError(memFullErr);
      return;
    }
  }
}

}  // extern "C"

// Non-relocatable blocks (Ptr).
#include <cstring>

#include "frame/frame_internal.h"
#include "memory/memory_state.h"

namespace zeb::memory {
namespace {

// A host-served Ptr is preceded by two marker words; an arena Ptr by its block header and size.
bool IsHostPtr(const char* p) {
  uint32_t words[2];
  std::memcpy(words, p - kHostPtrPrefix, sizeof words);
  return words[0] == kHostPtrMarker && words[1] == kHostPtrMarker;
}

Ptr NewPointer(Size size) {
  if (size < 0) {
    SetError(memFullErr);
    return nullptr;
  }
  SetError(noErr);
  if (UsesArena(size)) {
    CheckArenasIfAsked();
    if (void* data = State().arenas.Allocate(static_cast<uint32_t>(size), State().smallBlockThreshold))
      return static_cast<Ptr>(data);
  }
  auto* block = static_cast<char*>(HostAllocate(static_cast<size_t>(size) + kHostPtrPrefix));
  if (!block) {
    SetError(memFullErr);
    return nullptr;
  }
  const uint32_t markers[2] = {kHostPtrMarker, kHostPtrMarker};
  std::memcpy(block, markers, sizeof markers);
  return block + kHostPtrPrefix;
}

}  // namespace
}  // namespace zeb::memory

using namespace zeb::memory;

extern "C" {

Ptr ZEBAPI NewPtr(Size byteCount) { return NewPointer(byteCount); }
// All storage is zero-filled, so the four allocation calls are one.
Ptr ZEBAPI NewPtrSys(Size byteCount) { return NewPointer(byteCount); }
Ptr ZEBAPI NewPtrClear(Size byteCount) { return NewPointer(byteCount); }
Ptr ZEBAPI NewPtrSysClear(Size byteCount) { return NewPointer(byteCount); }

void ZEBAPI DisposePtr(Ptr p) {
  if (!p) return;
  if (IsHostPtr(p)) {
    HostFree(p - kHostPtrPrefix);
  } else if (!State().arenas.Free(p) && zeb::frame::SessionFlag(ZEB_SF_HEAPCHECK)) {
    ReportDamage(nullptr);
  }
}

Size ZEBAPI GetPtrSize(Ptr p) {
  if (!p) {
    SetError(nilHandleErr);
    return 0;
  }
  SetError(noErr);
  if (IsHostPtr(p)) return static_cast<Size>(HostBlockSize(p - kHostPtrPrefix) - kHostPtrPrefix);
  return static_cast<Size>(SmallBlockArenas::RequestedSize(p));
}

// Resizes in place only: a Ptr never moves.
Boolean ZEBAPI SetPtrSize(Ptr p, Size newSize) {
  SetError(noErr);
  if (newSize < 0) {
    SetError(memFullErr);
    return false;
  }
  if (!p) {
    SetError(nilHandleErr);
    return false;
  }
  bool ok;
  if (IsHostPtr(p)) {
    ok = HostReallocate(p - kHostPtrPrefix, static_cast<size_t>(newSize) + kHostPtrPrefix, true) != nullptr;
  } else {
    CheckArenasIfAsked();
    ok = State().arenas.ResizeInPlace(p, static_cast<uint32_t>(newSize));
  }
  if (!ok) SetError(memFullErr);
  return ok;
}

}  // extern "C"

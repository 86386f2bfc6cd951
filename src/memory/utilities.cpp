// Copying between handles and pointers, BlockMove and MemError.
#include <algorithm>
#include <cstring>

#include "Errors.h"

#include "memory/memory_state.h"

namespace zeb::memory {
Handle NewHandleRecord(Size size);
bool ResizeHandle(Handle h, Size size);

namespace {

bool IsLive(Handle h) { return h && State().masters.IsInUse(h); }
OSErr Error() { return *State().errorCell; }
OSErr Fail(OSErr err) {
  SetError(err);
  return err;
}

// Appends count bytes at src to h. src may point into h's own data: it is found again after the
// handle has been resized, since resizing may move the data.
OSErr Append(Handle h, const void* src, int64_t count) {
  const int64_t oldSize = Record(h)->size;
  if (oldSize + count > 0x7FFFFFFF) return Fail(memFullErr);
  const char* data = HasStorage(Record(h)) ? *h : nullptr;
  const char* from = static_cast<const char*>(src);
  const bool inside = data && from >= data && from < data + oldSize;
  const ptrdiff_t offset = inside ? from - data : 0;
  if (!ResizeHandle(h, static_cast<Size>(oldSize + count))) return Error();
  if (inside) from = *h + offset;
  if (count) std::memmove(*h + oldSize, from, static_cast<size_t>(count));
  return noErr;
}

}  // namespace
}  // namespace zeb::memory

using namespace zeb::memory;

extern "C" {

OSErr ZEBAPI HandToHand(Handle* theHndl) {
  SetError(noErr);
  if (!theHndl || !IsLive(*theHndl)) return Fail(nilHandleErr);
  Handle src = *theHndl;
  PurgeGuard guard(src);
  const uint32_t size = Record(src)->size;
  Handle copy = NewHandleRecord(static_cast<Size>(size));
  if (!copy) {
    *theHndl = nullptr;
    return Fail(memFullErr);
  }
  if (size) std::memcpy(*copy, *src, size);
  *theHndl = copy;
  return noErr;
}

OSErr ZEBAPI PtrToHand(const void* srcPtr, Handle* dstHndl, long size) {
  SetError(noErr);
  if (!dstHndl) return Fail(paramErr);
  if (size > 0 && !srcPtr) {
    *dstHndl = nullptr;
    return Fail(paramErr);
  }
  Handle h = NewHandleRecord(size);
  *dstHndl = h;
  if (!h) return Error();
  if (size > 0) std::memcpy(*h, srcPtr, static_cast<size_t>(size));
  return noErr;
}

OSErr ZEBAPI PtrToXHand(const void* srcPtr, Handle dstHndl, long size) {
  SetError(noErr);
  if (!IsLive(dstHndl)) return Fail(nilHandleErr);
  if (size < 0) return Fail(memFullErr);
  if (size > 0 && !srcPtr) return Fail(paramErr);
  PurgeGuard guard(dstHndl, nullptr, srcPtr);
  // The source may lie inside the destination's own data: keep a copy across the resize.
  const char* data = HasStorage(Record(dstHndl)) ? *dstHndl : nullptr;
  const char* from = static_cast<const char*>(srcPtr);
  if (data && from >= data && from < data + Record(dstHndl)->size) {
    std::memmove(*dstHndl, from, static_cast<size_t>(std::min<long>(size, data + Record(dstHndl)->size - from)));
    from = nullptr;
  }
  if (!ResizeHandle(dstHndl, size)) return Error();
  if (from && size) std::memcpy(*dstHndl, from, static_cast<size_t>(size));
  return noErr;
}

OSErr ZEBAPI HandAndHand(Handle hand1, Handle hand2) {
  SetError(noErr);
  if (!IsLive(hand1) || !IsLive(hand2)) return Fail(nilHandleErr);
  PurgeGuard guard(hand1, hand2);
  const uint32_t count = Record(hand1)->size;
  return Append(hand2, count ? *hand1 : nullptr, count);
}

OSErr ZEBAPI PtrAndHand(const void* ptr1, Handle hand2, long size) {
  SetError(noErr);
  if (!IsLive(hand2)) return Fail(nilHandleErr);
  if (size < 0) return Fail(memFullErr);
  if (size > 0 && !ptr1) return Fail(paramErr);
  PurgeGuard guard(hand2, nullptr, ptr1);
  return Append(hand2, ptr1, size);
}

// Overlap-safe. Addresses 0 and 0x0000FFFF (the master pointer of a handle without storage)
// are never read or written.
void ZEBAPI BlockMove(const void* srcPtr, void* destPtr, Size byteCount) {
  const auto bad = [](const void* p) {
    return p == nullptr || reinterpret_cast<uintptr_t>(p) == kEmptyMasterPointer;
  };
  if (byteCount <= 0 || srcPtr == destPtr || bad(srcPtr) || bad(destPtr)) return;
  std::memmove(destPtr, srcPtr, static_cast<size_t>(byteCount));
}

OSErr ZEBAPI MemError(void) { return Error(); }

Handle ZEBAPI TempNewHandle(Size logicalSize, OSErr* resultCode) {
  Handle h = NewHandleRecord(logicalSize);
  if (resultCode) *resultCode = Error();
  return h;
}

// DisposeHandle leaves the error cell alone; the result reported here is this call's own, not
// whatever an earlier call left in the cell.
OSErr ZEBAPI TempDisposeHandle(Handle h, OSErr* resultCode) {
  SetError(noErr);
  DisposeHandle(h);
  if (resultCode) *resultCode = Error();
  return Error();
}

}  // extern "C"

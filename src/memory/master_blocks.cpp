// Master-pointer blocks: the handle records that Handles point at.
#include <algorithm>
#include <cstring>

#include "memory/memory_state.h"

namespace zeb::memory {

MasterBlockHeader* MasterBlocks::BlockOf(const void* r) const {
  const char* p = static_cast<const char*>(r);
  if (lastFound_ && InBlock(lastFound_, p)) return lastFound_;
  auto it = std::upper_bound(index_.begin(), index_.end(), p, [](const char* v, MasterBlockHeader* b) {
    return v < reinterpret_cast<const char*>(b);
  });
  if (it == index_.begin()) return nullptr;
  MasterBlockHeader* b = *(it - 1);
  if (!InBlock(b, p)) return nullptr;
  lastFound_ = b;
  return b;
}

bool MasterBlocks::IsSlot(const void* r) const { return BlockOf(r) != nullptr; }

bool MasterBlocks::AddBlock(uint16_t count) {
  count = std::clamp<uint16_t>(count, 1, kMaxMasterCount);
  const size_t bytes =
      sizeof(MasterBlockHeader) + size_t{count} * sizeof(HandleRecord) + sizeof(MasterBlockTrailer);
  void* host = HostAllocate(bytes);
  if (!host) return false;
  auto* b = static_cast<MasterBlockHeader*>(host);
  b->hostBlock = host;
  b->full = 0;
  b->searchIndex = 0;
  b->count = count;
  HandleRecord* records = Records(b);
  for (uint16_t i = 0; i < count; ++i) {
    records[i].masterPointer = EmptyMasterPointer();
    records[i].hostBlock = nullptr;
    records[i].flags = 0;
    records[i].size = 0;
  }
  MasterBlockTrailer trailer{kMasterBlockMarker, static_cast<uint32_t>(bytes)};
  std::memcpy(records + count, &trailer, sizeof trailer);
  b->next = head_;
  head_ = b;
  current_ = b;
  index_.insert(std::upper_bound(index_.begin(), index_.end(), b), b);
  return true;
}

HandleRecord* MasterBlocks::Take() {
  MasterBlockHeader* start = current_ ? current_ : head_;
  for (MasterBlockHeader* b = start; b;) {
    if (!b->full) {
      HandleRecord* records = Records(b);
      const uint16_t n = b->count;
      uint16_t i = static_cast<uint16_t>(b->searchIndex % n);
      for (uint16_t scanned = 0; scanned < n; ++scanned) {
        if (records[i].flags == 0) {
          current_ = b;
          b->searchIndex = static_cast<uint8_t>((i + 1) % n);
          return &records[i];
        }
        if (++i == n) i = 0;
      }
      b->full = 1;
    }
    b = b->next ? b->next : head_;
    if (b == start) break;
  }
  const int16_t wanted = State().zone.moreMast;
  if (!AddBlock(static_cast<uint16_t>(wanted > 0 ? std::min<int>(wanted, kMaxMasterCount)
                                                 : kStartMasterCount)))
    return nullptr;
  head_->searchIndex = 1;
  return &Records(head_)[0];
}

void MasterBlocks::Release(HandleRecord* r) {
  r->flags = 0;
  r->hostBlock = nullptr;
  r->masterPointer = EmptyMasterPointer();
  r->size = 0;
  if (MasterBlockHeader* b = BlockOf(r)) {
    b->full = 0;
    current_ = b;
  }
}

void MasterBlocks::ReleaseAll() {
  // The records' storage is released with the heap; only the blocks themselves are freed here.
  while (head_) {
    MasterBlockHeader* next = head_->next;
    HostFree(head_->hostBlock);
    head_ = next;
  }
  current_ = nullptr;
  lastFound_ = nullptr;
  index_.clear();
}

}  // namespace zeb::memory

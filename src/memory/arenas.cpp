// Small-block arenas (see arenas.h for the block layout).
#include "memory/arenas.h"

#include <algorithm>
#include <cstring>

namespace zeb::memory {
namespace {

inline uint32_t Load32(const char* p) {
  uint32_t v;
  std::memcpy(&v, p, 4);
  return v;
}
inline void Store32(char* p, uint32_t v) { std::memcpy(p, &v, 4); }
inline uint16_t Load16(const char* p) {
  uint16_t v;
  std::memcpy(&v, p, 2);
  return v;
}
inline void Store16(char* p, uint16_t v) { std::memcpy(p, &v, 2); }

inline uint32_t Body(const char* block) { return Load32(block) & 0xFFFFu; }
inline uint32_t Magic(uint32_t word) { return word & 0xFFFF0000u; }
inline char* Trailer(char* block, uint32_t body) { return block + 4 + body; }
inline const char* Trailer(const char* block, uint32_t body) { return block + 4 + body; }

inline char* Base(ArenaHeader* arena) { return reinterpret_cast<char*>(arena); }
inline const char* Base(const ArenaHeader* arena) { return reinterpret_cast<const char*>(arena); }
inline char* First(ArenaHeader* arena) { return Base(arena) + sizeof(ArenaHeader); }
inline const char* First(const ArenaHeader* arena) { return Base(arena) + sizeof(ArenaHeader); }

inline uint32_t OffsetOf(const ArenaHeader* arena, const char* block) {
  return static_cast<uint32_t>(block - Base(arena));
}
inline char* AtOffset(ArenaHeader* arena, uint32_t offset) {
  return offset ? Base(arena) + offset : nullptr;
}

// A block starting at block whose declared body and trailer fit inside the arena.
bool InBounds(const ArenaHeader* arena, const char* block, uint32_t body) {
  return block >= First(arena) && body >= 8 && (body & 3u) == 0 &&
         block + kBlockOverhead + body <= arena->end;
}

void WriteUsed(char* block, uint32_t body, uint32_t request) {
  Store32(block, body | kUsedHeaderMagic);
  Store16(block + 4, static_cast<uint16_t>(request));
  Store32(Trailer(block, body), body | kUsedTrailerMagic);
}

bool IsIntactUsed(const ArenaHeader* arena, const char* block) {
  const uint32_t header = Load32(block);
  if (Magic(header) != kUsedHeaderMagic) return false;
  const uint32_t body = header & 0xFFFFu;
  if (!InBounds(arena, block, body)) return false;
  return Load32(Trailer(block, body)) == (body | kUsedTrailerMagic);
}

}  // namespace

ArenaHeader* SmallBlockArenas::ArenaOf(const void* p) const {
  const char* c = static_cast<const char*>(p);
  auto it = std::upper_bound(index_.begin(), index_.end(), c,
                             [](const char* v, ArenaHeader* a) { return v < Base(a); });
  if (it == index_.begin()) return nullptr;
  ArenaHeader* arena = *(it - 1);
  return (c >= First(arena) && c < arena->end) ? arena : nullptr;
}

bool SmallBlockArenas::IsIntactFree(const ArenaHeader* arena, const char* block) const {
  if (block < First(arena) || block + kBlockOverhead + 8 > arena->end) return false;
  const uint32_t header = Load32(block);
  if (Magic(header) != kFreeHeaderMagic) return false;
  const uint32_t body = header & 0xFFFFu;
  if (!InBounds(arena, block, body)) return false;
  return Load32(Trailer(block, body)) == (body | kFreeTrailerMagic);
}

void SmallBlockArenas::Unlink(ArenaHeader* arena, char* block) {
  const uint32_t next = Load32(block + 4);
  const uint32_t prev = Load32(block + 8);
  if (prev)
    Store32(Base(arena) + prev + 4, next);
  else
    arena->freeHead = next;
  if (next) Store32(Base(arena) + next + 8, prev);
}

void SmallBlockArenas::Push(ArenaHeader* arena, char* block) {
  const uint32_t self = OffsetOf(arena, block);
  Store32(block + 4, arena->freeHead);
  Store32(block + 8, 0);
  if (arena->freeHead) Store32(Base(arena) + arena->freeHead + 8, self);
  arena->freeHead = self;
}

void SmallBlockArenas::MakeFree(char* block, uint32_t body) {
  Store32(block, body | kFreeHeaderMagic);
  Store32(Trailer(block, body), body | kFreeTrailerMagic);
}

void SmallBlockArenas::MoveToFront(ArenaHeader* arena) {
  if (head_ == arena) return;
  if (arena->prev) arena->prev->next = arena->next;
  if (arena->next) arena->next->prev = arena->prev;
  arena->prev = nullptr;
  arena->next = head_;
  if (head_) head_->prev = arena;
  head_ = arena;
}

ArenaHeader* SmallBlockArenas::NewArena(uint32_t rounded, uint32_t threshold) {
  uint64_t usable = std::min<uint64_t>(2ull * threshold, kMaxArenaBody);
  usable &= ~3ull;
  usable = std::max<uint64_t>(usable, rounded + kBlockOverhead);
  void* raw = host_.allocate(sizeof(ArenaHeader) + usable);
  if (!raw) return nullptr;
  auto* arena = static_cast<ArenaHeader*>(raw);
  std::memset(arena, 0, sizeof(ArenaHeader));
  arena->size = static_cast<uint32_t>(usable);
  arena->end = First(arena) + usable;
  char* block = First(arena);
  MakeFree(block, arena->size - kBlockOverhead);
  Push(arena, block);
  arena->next = head_;
  if (head_) head_->prev = arena;
  head_ = arena;
  index_.insert(std::upper_bound(index_.begin(), index_.end(), arena), arena);
  return arena;
}

void SmallBlockArenas::ReleaseArena(ArenaHeader* arena) {
  if (arena->prev) arena->prev->next = arena->next;
  if (arena->next) arena->next->prev = arena->prev;
  if (head_ == arena) head_ = arena->next;
  index_.erase(std::lower_bound(index_.begin(), index_.end(), arena));
  host_.release(arena);
}

void* SmallBlockArenas::Take(ArenaHeader* arena, char* block, uint32_t rounded, uint32_t request) {
  uint32_t body = Body(block);
  if (body - rounded >= kMinSplit) {
    // The remainder takes the old block's place in the free list.
    char* rest = block + kBlockOverhead + rounded;
    const uint32_t restBody = body - rounded - kBlockOverhead;
    const uint32_t next = Load32(block + 4);
    const uint32_t prev = Load32(block + 8);
    MakeFree(rest, restBody);
    Store32(rest + 4, next);
    Store32(rest + 8, prev);
    const uint32_t self = OffsetOf(arena, rest);
    if (prev)
      Store32(Base(arena) + prev + 4, self);
    else
      arena->freeHead = self;
    if (next) Store32(Base(arena) + next + 8, self);
    body = rounded;
  } else {
    Unlink(arena, block);
  }
  WriteUsed(block, body, request);
  std::memset(block + kDataOffset, 0, body - 2);
  MoveToFront(arena);
  return block + kDataOffset;
}

void* SmallBlockArenas::Allocate(uint32_t request, uint32_t threshold) {
  if (!FitsInArena(request)) return nullptr;
  if (host_.mayAllocate && !host_.mayAllocate()) return nullptr;
  const uint32_t rounded = RoundedBody(request);
  for (ArenaHeader* arena = head_; arena; arena = arena->next) {
    // Walk the free list; a damaged free block makes the whole arena unusable for this search.
    uint32_t steps = arena->size / kMinSplit + 1;
    for (char* f = AtOffset(arena, arena->freeHead); f; f = AtOffset(arena, Load32(f + 4))) {
      if (!IsIntactFree(arena, f) || steps-- == 0) break;
      if (Body(f) >= rounded) return Take(arena, f, rounded, request);
    }
  }
  ArenaHeader* arena = NewArena(rounded, threshold);
  if (!arena) return nullptr;
  return Take(arena, First(arena), rounded, request);
}

bool SmallBlockArenas::Owns(const void* data) const {
  const char* block = static_cast<const char*>(data) - kDataOffset;
  const ArenaHeader* arena = ArenaOf(block);
  return arena && IsIntactUsed(arena, block);
}

uint32_t SmallBlockArenas::RequestedSize(const void* data) {
  return Load16(static_cast<const char*>(data) - 2);
}

bool SmallBlockArenas::Free(void* data) {
  char* block = static_cast<char*>(data) - kDataOffset;
  ArenaHeader* arena = ArenaOf(block);
  if (!arena || !IsIntactUsed(arena, block)) return false;
  uint32_t body = Body(block);
  // A free predecessor is found through the trailer just before this block's header.
  if (block > First(arena)) {
    const uint32_t prevTrailer = Load32(block - 4);
    if (Magic(prevTrailer) == kFreeTrailerMagic) {
      char* prev = block - 4 - (prevTrailer & 0xFFFFu) - 4;
      if (IsIntactFree(arena, prev) && prev + kBlockOverhead + Body(prev) == block) {
        Unlink(arena, prev);
        body += Body(prev) + kBlockOverhead;
        block = prev;
      }
    }
  }
  char* next = block + kBlockOverhead + body;
  if (next < arena->end && IsIntactFree(arena, next)) {
    Unlink(arena, next);
    body += Body(next) + kBlockOverhead;
  }
  MakeFree(block, body);
  Push(arena, block);
  if (block == First(arena) && block + kBlockOverhead + body == arena->end) ReleaseArena(arena);
  return true;
}

bool SmallBlockArenas::ResizeInPlace(void* data, uint32_t request) {
  char* block = static_cast<char*>(data) - kDataOffset;
  ArenaHeader* arena = ArenaOf(block);
  if (!arena || !IsIntactUsed(arena, block) || !FitsInArena(request)) return false;
  const uint32_t oldRequest = Load16(block + 4);
  uint32_t body = Body(block);
  const uint32_t rounded = RoundedBody(request);
  if (rounded > body) {
    char* next = block + kBlockOverhead + body;
    if (next >= arena->end || !IsIntactFree(arena, next)) return false;
    const uint32_t combined = body + kBlockOverhead + Body(next);
    if (combined < rounded) return false;
    Unlink(arena, next);
    body = combined;
  }
  if (body - rounded >= kMinSplit) {
    // Split off the tail, merging it with a following free block.
    char* tail = block + kBlockOverhead + rounded;
    uint32_t tailBody = body - rounded - kBlockOverhead;
    char* after = tail + kBlockOverhead + tailBody;
    if (after < arena->end && IsIntactFree(arena, after)) {
      Unlink(arena, after);
      tailBody += Body(after) + kBlockOverhead;
    }
    MakeFree(tail, tailBody);
    Push(arena, tail);
    body = rounded;
  }
  WriteUsed(block, body, request);
  if (request > oldRequest) std::memset(block + kDataOffset + oldRequest, 0, request - oldRequest);
  return true;
}

void* SmallBlockArenas::Resize(void* data, uint32_t request, uint32_t threshold) {
  if (ResizeInPlace(data, request)) return data;
  if (!Owns(data)) return nullptr;
  const uint32_t oldRequest = RequestedSize(data);
  void* moved = Allocate(request, threshold);
  if (!moved) return nullptr;
  std::memcpy(moved, data, std::min(oldRequest, request));
  Free(data);
  return moved;
}

ArenaCheckResult SmallBlockArenas::Check() const {
  for (const ArenaHeader* arena = head_; arena; arena = arena->next) {
    // Every block, end to end.
    const char* block = First(arena);
    while (block < arena->end) {
      if (block + kBlockOverhead > arena->end) return {ArenaFault::BadSize, block};
      const uint32_t header = Load32(block);
      const bool used = Magic(header) == kUsedHeaderMagic;
      if (!used && Magic(header) != kFreeHeaderMagic) return {ArenaFault::BadHeader, block};
      const uint32_t body = header & 0xFFFFu;
      if (!InBounds(arena, block, body)) return {ArenaFault::BadSize, block};
      const uint32_t want = body | (used ? kUsedTrailerMagic : kFreeTrailerMagic);
      if (Load32(Trailer(block, body)) != want) return {ArenaFault::BadTrailer, block};
      block += kBlockOverhead + body;
    }
    // The free list: each entry a free block whose back link names its predecessor.
    uint32_t prev = 0;
    uint32_t steps = arena->size / kMinSplit + 1;
    for (uint32_t at = arena->freeHead; at; at = Load32(Base(arena) + at + 4)) {
      const char* f = Base(arena) + at;
      if (steps-- == 0 || !IsIntactFree(arena, f) || Load32(f + 8) != prev)
        return {ArenaFault::BadFreeList, arena};
      prev = at;
    }
  }
  return {};
}

void SmallBlockArenas::ReleaseAll() {
  while (head_) {
    ArenaHeader* next = head_->next;
    host_.release(head_);
    head_ = next;
  }
  index_.clear();
}

}  // namespace zeb::memory

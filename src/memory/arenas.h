// Small-block arenas: requests below the small-block limit share larger host blocks.
//
// An arena is one host block: a header, then blocks laid end to end. Every block carries a
// 32-bit header and trailer whose high halves are magic words and whose low halves give the
// block's body size (the bytes between them), so neighbours can be found in both directions and
// damage can be recognised:
//   in use: header body|0x2BF30000, 16-bit requested size, data ..., trailer body|0x3B5C0000
//   free:   header body|0xABF30000, next-free, previous-free, ...,  trailer body|0xBB5C0000
// The top bit of header and trailer marks a free block. The size fields are 16 bits, so no body
// exceeds 65280 bytes. Free-list links are offsets from the arena's start (0: none), which keeps
// the block layout the same in 32-bit and 64-bit builds.
//
// Host-independent: the host blocks come from the caller.
#ifndef ZEB_MEMORY_ARENAS_H
#define ZEB_MEMORY_ARENAS_H

#include <cstddef>
#include <cstdint>
#include <vector>

namespace zeb::memory {

struct ArenaHeader {
  ArenaHeader* next;
  ArenaHeader* prev;
  uint32_t freeHead;  // offset of the first free block, 0 when none
  char* end;          // first byte past the last block
  uint32_t size;      // usable bytes after the header
  uint32_t reserved[3];
};
#if defined(_WIN32) && !defined(_WIN64)
static_assert(sizeof(ArenaHeader) == 32, "arena header is 32 bytes");
static_assert(offsetof(ArenaHeader, freeHead) == 8 && offsetof(ArenaHeader, size) == 16,
              "arena header layout");
#endif

constexpr uint32_t kUsedHeaderMagic = 0x2BF30000u;
constexpr uint32_t kUsedTrailerMagic = 0x3B5C0000u;
constexpr uint32_t kFreeHeaderMagic = 0xABF30000u;
constexpr uint32_t kFreeTrailerMagic = 0xBB5C0000u;
constexpr uint32_t kMaxArenaBody = 65280;  // largest body the 16-bit size fields can describe
constexpr uint32_t kBlockOverhead = 8;     // header and trailer
constexpr uint32_t kDataOffset = 6;        // header and the 16-bit requested size
constexpr uint32_t kMinSplit = 16;         // smaller remainders stay inside the block

// Body size for a request: (request + 5) rounded down to a multiple of 4, at least 8.
constexpr uint32_t RoundedBody(uint32_t request) {
  uint32_t rounded = (request + 5u) & ~3u;
  return rounded < 8u ? 8u : rounded;
}
// Whether a request can live in an arena at all.
constexpr bool FitsInArena(uint32_t request) {
  return request <= kMaxArenaBody && RoundedBody(request) <= kMaxArenaBody;
}

struct ArenaHostBlocks {
  void* (*allocate)(size_t bytes);  // a host block of at least this size, or null
  void (*release)(void* block);
  // Asked before each new block is handed out (not for growth in place); false refuses it, as
  // a full heap would. Null: always allowed.
  bool (*mayAllocate)() = nullptr;
};

enum class ArenaFault { None, BadHeader, BadTrailer, BadSize, BadFreeList };
struct ArenaCheckResult {
  ArenaFault fault = ArenaFault::None;
  const void* where = nullptr;  // the damaged block (or arena, for free-list damage)
};

class SmallBlockArenas {
 public:
  explicit SmallBlockArenas(ArenaHostBlocks host) : host_(host) {}

  // A zero-filled block for request bytes, first fit; a new arena of min(2 x threshold, 65280)
  // usable bytes (or what the request needs) when no arena can serve it. Null on failure.
  void* Allocate(uint32_t request, uint32_t threshold);
  // Frees a block, coalescing with free neighbours; releases an arena that becomes empty.
  // False, and nothing changes, when the block's header or trailer is damaged.
  bool Free(void* data);
  // Resizes without moving; false (nothing changes) when that is impossible.
  bool ResizeInPlace(void* data, uint32_t request);
  // Resizes, moving the block when it must; null on failure with the old block intact.
  void* Resize(void* data, uint32_t request, uint32_t threshold);
  // Whether data is the data address of an intact in-use arena block.
  bool Owns(const void* data) const;
  static uint32_t RequestedSize(const void* data);
  // Walks every arena: magic words, sizes, bounds and the free list's back links.
  ArenaCheckResult Check() const;
  // Returns every arena to the host.
  void ReleaseAll();
  size_t ArenaCount() const { return index_.size(); }
  const ArenaHeader* Head() const { return head_; }

 private:
  ArenaHeader* NewArena(uint32_t rounded, uint32_t threshold);
  ArenaHeader* ArenaOf(const void* p) const;
  void Unlink(ArenaHeader* arena, char* block);
  void Push(ArenaHeader* arena, char* block);
  void MoveToFront(ArenaHeader* arena);
  void* Take(ArenaHeader* arena, char* block, uint32_t rounded, uint32_t request);
  static void MakeFree(char* block, uint32_t body);
  bool IsIntactFree(const ArenaHeader* arena, const char* block) const;
  void ReleaseArena(ArenaHeader* arena);

  ArenaHostBlocks host_;
  ArenaHeader* head_ = nullptr;
  std::vector<ArenaHeader*> index_;  // arenas sorted by address, to find a block's arena
};

}  // namespace zeb::memory

#endif  // ZEB_MEMORY_ARENAS_H

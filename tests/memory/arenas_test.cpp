// Small-block arenas on plain host memory: layout, splitting, coalescing, resizing and damage.
#include "memory/arenas.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <set>
#include <vector>

namespace {

using namespace zeb::memory;

std::set<void*> g_hostBlocks;
size_t g_failAfter = SIZE_MAX;  // host allocations left before the host refuses

void* HostAllocate(size_t bytes) {
  if (g_failAfter == 0) return nullptr;
  --g_failAfter;
  void* p = std::calloc(1, bytes);
  g_hostBlocks.insert(p);
  return p;
}
void HostRelease(void* p) {
  g_hostBlocks.erase(p);
  std::free(p);
}

uint32_t Word(const void* p) {
  uint32_t v;
  std::memcpy(&v, p, 4);
  return v;
}
void SetWord(void* p, uint32_t v) { std::memcpy(p, &v, 4); }
const char* BlockOf(const void* data) { return static_cast<const char*>(data) - kDataOffset; }

class ArenasTest : public ::testing::Test {
 protected:
  void SetUp() override { g_failAfter = SIZE_MAX; }
  void TearDown() override {
    arenas_.ReleaseAll();
    EXPECT_TRUE(g_hostBlocks.empty());
  }
  SmallBlockArenas arenas_{ArenaHostBlocks{HostAllocate, HostRelease}};
  static constexpr uint32_t kThreshold = 4096;
};

TEST(ArenaRounding, RequestsRoundToBodySizes) {
  EXPECT_EQ(RoundedBody(0), 8u);
  EXPECT_EQ(RoundedBody(1), 8u);
  EXPECT_EQ(RoundedBody(3), 8u);
  EXPECT_EQ(RoundedBody(7), 12u);
  EXPECT_EQ(RoundedBody(10), 12u);
  EXPECT_EQ(RoundedBody(11), 16u);
  EXPECT_TRUE(FitsInArena(65275));   // rounds to 65280
  EXPECT_FALSE(FitsInArena(65279));  // rounds to 65284: past the 16-bit size fields' limit
  EXPECT_FALSE(FitsInArena(0xFFFFFFFFu));
}

TEST_F(ArenasTest, BlockCarriesMagicWordsAndRequestedSize) {
  void* p = arenas_.Allocate(10, kThreshold);
  ASSERT_NE(p, nullptr);
  const char* block = BlockOf(p);
  EXPECT_EQ(Word(block), 12u | kUsedHeaderMagic);
  EXPECT_EQ(Word(block + 4 + 12), 12u | kUsedTrailerMagic);
  EXPECT_EQ(SmallBlockArenas::RequestedSize(p), 10u);
  EXPECT_EQ(reinterpret_cast<uintptr_t>(p) % 2, 0u) << "data is two-byte aligned";
  EXPECT_TRUE(arenas_.Owns(p));
  // The arena has min(2 x threshold, 65280) usable bytes.
  ASSERT_NE(arenas_.Head(), nullptr);
  EXPECT_EQ(arenas_.Head()->size, 2 * kThreshold);
}

TEST_F(ArenasTest, DataIsZeroFilledEvenWhenTheBlockIsReused) {
  auto* p = static_cast<unsigned char*>(arenas_.Allocate(100, kThreshold));
  std::memset(p, 0xEE, 100);
  void* keep = arenas_.Allocate(8, kThreshold);  // keeps the arena alive
  ASSERT_TRUE(arenas_.Free(p));
  auto* q = static_cast<unsigned char*>(arenas_.Allocate(100, kThreshold));
  EXPECT_EQ(q, p) << "first fit takes the freed block again";
  for (int i = 0; i < 100; ++i) ASSERT_EQ(q[i], 0) << i;
  arenas_.Free(keep);
}

TEST_F(ArenasTest, SmallRemaindersStayInsideTheBlock) {
  // Free a 40-byte body, then ask for 24..36-byte bodies: a remainder under 16 bytes is kept.
  void* a = arenas_.Allocate(36, kThreshold);  // body 40
  void* guard = arenas_.Allocate(8, kThreshold);
  arenas_.Free(a);
  void* b = arenas_.Allocate(28, kThreshold);  // body 32: remainder 8, kept
  EXPECT_EQ(b, a);
  EXPECT_EQ(Word(BlockOf(b)) & 0xFFFF, 40u);
  arenas_.Free(b);
  void* c = arenas_.Allocate(10, kThreshold);  // body 12: remainder 28, split off
  EXPECT_EQ(c, a);
  EXPECT_EQ(Word(BlockOf(c)) & 0xFFFF, 12u);
  const char* rest = BlockOf(c) + 8 + 12;
  EXPECT_EQ(Word(rest), 20u | kFreeHeaderMagic);
  arenas_.Free(c);
  arenas_.Free(guard);
}

TEST_F(ArenasTest, FreeingCoalescesAndReleasesAnEmptyArena) {
  std::vector<void*> blocks;
  for (int i = 0; i < 10; ++i) blocks.push_back(arenas_.Allocate(50, kThreshold));
  EXPECT_EQ(arenas_.ArenaCount(), 1u);
  // Free in an order that exercises both neighbours.
  for (int i : {1, 3, 2, 0, 5, 9, 7, 8, 6}) ASSERT_TRUE(arenas_.Free(blocks[i]));
  EXPECT_EQ(arenas_.Check().fault, ArenaFault::None);
  EXPECT_EQ(arenas_.ArenaCount(), 1u);
  ASSERT_TRUE(arenas_.Free(blocks[4]));
  EXPECT_EQ(arenas_.ArenaCount(), 0u) << "the arena went back to the host";
  EXPECT_TRUE(g_hostBlocks.empty());
}

TEST_F(ArenasTest, FullArenaLeadsToANewArenaAtTheHead) {
  std::vector<void*> blocks;
  for (int i = 0; i < 200; ++i) blocks.push_back(arenas_.Allocate(100, kThreshold));
  EXPECT_GT(arenas_.ArenaCount(), 1u);
  EXPECT_EQ(arenas_.Check().fault, ArenaFault::None);
  for (void* p : blocks) ASSERT_TRUE(arenas_.Free(p));
  EXPECT_EQ(arenas_.ArenaCount(), 0u);
}

TEST_F(ArenasTest, RequestLargerThanTwiceTheThresholdGetsAnArenaOfItsOwnSize) {
  void* p = arenas_.Allocate(5000, 16);
  ASSERT_NE(p, nullptr);
  EXPECT_GE(arenas_.Head()->size, RoundedBody(5000) + kBlockOverhead);
  void* big = arenas_.Allocate(65275, kThreshold);
  ASSERT_NE(big, nullptr);
  EXPECT_EQ(arenas_.Check().fault, ArenaFault::None);
  EXPECT_EQ(arenas_.Allocate(65279, kThreshold), nullptr);
}

TEST_F(ArenasTest, HostRefusalFailsTheAllocation) {
  g_failAfter = 0;
  EXPECT_EQ(arenas_.Allocate(10, kThreshold), nullptr);
}

TEST_F(ArenasTest, ResizeInPlaceShrinksAndGrowsIntoAFreeNeighbour) {
  auto* p = static_cast<char*>(arenas_.Allocate(100, kThreshold));
  std::memset(p, 'x', 100);
  void* next = arenas_.Allocate(100, kThreshold);
  void* guard = arenas_.Allocate(8, kThreshold);
  ASSERT_TRUE(arenas_.ResizeInPlace(p, 20));
  EXPECT_EQ(SmallBlockArenas::RequestedSize(p), 20u);
  EXPECT_EQ(Word(BlockOf(p)) & 0xFFFF, RoundedBody(20));
  EXPECT_FALSE(arenas_.ResizeInPlace(p, 400)) << "the neighbour is in use";
  arenas_.Free(next);
  ASSERT_TRUE(arenas_.ResizeInPlace(p, 200));
  EXPECT_EQ(SmallBlockArenas::RequestedSize(p), 200u);
  for (int i = 0; i < 20; ++i) EXPECT_EQ(p[i], 'x');
  for (int i = 20; i < 200; ++i) ASSERT_EQ(p[i], 0) << "grown bytes are zero";
  EXPECT_EQ(arenas_.Check().fault, ArenaFault::None);
  arenas_.Free(p);
  arenas_.Free(guard);
}

TEST_F(ArenasTest, ResizeMovesWhenItMustAndKeepsTheData) {
  auto* p = static_cast<char*>(arenas_.Allocate(30, kThreshold));
  std::memcpy(p, "abcdefghijklmnopqrstuvwxyz0123", 30);
  void* blocker = arenas_.Allocate(30, kThreshold);
  auto* q = static_cast<char*>(arenas_.Resize(p, 1000, kThreshold));
  ASSERT_NE(q, nullptr);
  EXPECT_NE(q, p);
  EXPECT_EQ(0, std::memcmp(q, "abcdefghijklmnopqrstuvwxyz0123", 30));
  EXPECT_EQ(SmallBlockArenas::RequestedSize(q), 1000u);
  EXPECT_EQ(arenas_.Check().fault, ArenaFault::None);
  arenas_.Free(q);
  arenas_.Free(blocker);
}

TEST_F(ArenasTest, DamagedBlockIsNotFreedAndTheCheckNamesIt) {
  void* p = arenas_.Allocate(10, kThreshold);
  void* q = arenas_.Allocate(10, kThreshold);
  char* block = const_cast<char*>(BlockOf(p));
  const uint32_t trailer = Word(block + 4 + 12);
  SetWord(block + 4 + 12, 0x12345678);
  EXPECT_EQ(arenas_.Check().fault, ArenaFault::BadTrailer);
  EXPECT_EQ(arenas_.Check().where, block);
  EXPECT_FALSE(arenas_.Free(p));
  EXPECT_FALSE(arenas_.Owns(p));
  SetWord(block + 4 + 12, trailer);
  const uint32_t header = Word(block);
  SetWord(block, 0);
  EXPECT_EQ(arenas_.Check().fault, ArenaFault::BadHeader);
  EXPECT_FALSE(arenas_.Free(p));
  SetWord(block, header);
  EXPECT_TRUE(arenas_.Free(p));
  EXPECT_TRUE(arenas_.Free(q));
}

TEST_F(ArenasTest, ArenaWithADamagedFreeBlockIsSkipped) {
  void* p = arenas_.Allocate(10, kThreshold);
  const ArenaHeader* first = arenas_.Head();
  // The free remainder of the arena follows p's block: damage its header.
  char* freeBlock = const_cast<char*>(BlockOf(p)) + 8 + 12;
  ASSERT_EQ(Word(freeBlock) & 0xFFFF0000u, kFreeHeaderMagic);
  const uint32_t saved = Word(freeBlock);
  SetWord(freeBlock, 0xDEADBEEF);
  void* q = arenas_.Allocate(10, kThreshold);
  ASSERT_NE(q, nullptr);
  EXPECT_EQ(arenas_.ArenaCount(), 2u) << "a new arena served the request";
  EXPECT_NE(arenas_.Head(), first);
  SetWord(freeBlock, saved);
  EXPECT_TRUE(arenas_.Free(q));
  EXPECT_TRUE(arenas_.Free(p));
}

TEST_F(ArenasTest, CheckFindsABrokenFreeListLink) {
  void* a = arenas_.Allocate(10, kThreshold);
  void* b = arenas_.Allocate(10, kThreshold);
  void* c = arenas_.Allocate(10, kThreshold);
  arenas_.Free(b);  // two free blocks now: b's and the arena's tail
  char* freed = const_cast<char*>(BlockOf(b));
  SetWord(freed + 8, 4);  // previous-free link pointing nowhere sensible
  EXPECT_EQ(arenas_.Check().fault, ArenaFault::BadFreeList);
  SetWord(freed + 8, 0);
  EXPECT_EQ(arenas_.Check().fault, ArenaFault::None);
  arenas_.Free(a);
  arenas_.Free(c);
}

TEST_F(ArenasTest, ForeignPointersAreRefused) {
  char buffer[64] = {};
  EXPECT_FALSE(arenas_.Free(buffer + 16));
  void* p = arenas_.Allocate(10, kThreshold);
  EXPECT_FALSE(arenas_.Free(static_cast<char*>(p) + 2));
  EXPECT_TRUE(arenas_.Free(p));
  EXPECT_FALSE(arenas_.Owns(p)) << "the arena is gone";
}

}  // namespace

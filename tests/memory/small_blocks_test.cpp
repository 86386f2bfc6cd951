// The small-block path (session flag 0x8): arena blocks, the threshold, moving between an arena
// and a host block, and heap checking (session flag 0x4).
#include <cstring>

#include "MacMemory.h"
#include "session_fixture.h"

namespace {

constexpr uint32_t kUsedHeader = 0x2BF30000;

uint32_t WordAt(const void* p) {
  uint32_t v;
  std::memcpy(&v, p, 4);
  return v;
}
uint16_t HalfAt(const void* p) {
  uint16_t v;
  std::memcpy(&v, p, 2);
  return v;
}
bool InArena(const void* data) {
  return (WordAt(static_cast<const char*>(data) - 6) & 0xFFFF0000u) == kUsedHeader;
}

class SmallBlocksTest : public zebtest::SessionTest {
 protected:
  SmallBlocksTest() { sessionFlags_ = ZEB_SF_SMALLBLOCKS; }
};

TEST_F(SmallBlocksTest, SmallHandlesAndPointersLiveInArenas) {
  Handle h = NewHandle(10);
  ASSERT_NE(h, nullptr);
  EXPECT_TRUE(InArena(*h));
  EXPECT_EQ(HalfAt(*h - 2), 10) << "the requested size is stored before the data";
  Ptr p = NewPtr(10);
  ASSERT_NE(p, nullptr);
  EXPECT_TRUE(InArena(p));
  EXPECT_EQ(GetPtrSize(p), 10);
  Handle big = NewHandle(5000);
  EXPECT_FALSE(InArena(*big)) << "at or above the threshold: a host block";
  DisposeHandle(h);
  DisposePtr(p);
  DisposeHandle(big);
}

TEST_F(SmallBlocksTest, HandleMovesBetweenArenaAndHostAsItCrossesTheThreshold) {
  Handle h = NewHandle(100);
  for (int i = 0; i < 100; ++i) (*h)[i] = static_cast<char>(i);
  ASSERT_TRUE(SetHandleSize(h, 10000));
  EXPECT_FALSE(InArena(*h));
  for (int i = 0; i < 100; ++i) ASSERT_EQ((*h)[i], static_cast<char>(i));
  for (int i = 100; i < 10000; ++i) ASSERT_EQ((*h)[i], 0);
  ASSERT_TRUE(SetHandleSize(h, 50));
  EXPECT_TRUE(InArena(*h));
  for (int i = 0; i < 50; ++i) ASSERT_EQ((*h)[i], static_cast<char>(i));
  EXPECT_EQ(static_cast<unsigned char>(HGetState(h)), 0x80);
  DisposeHandle(h);
}

TEST_F(SmallBlocksTest, ThresholdIsSystemValue15AndLargeBlocksNeverEnterArenas) {
  EXPECT_EQ(ZEB_SystemValue(ZEB_SV_GET, 15, 0), 4096u);
  EXPECT_EQ(ZEB_SystemValue(ZEB_SV_SET, 15, 100000), 4096u);
  EXPECT_EQ(ZEB_SystemValue(ZEB_SV_GET, 15, 0), 100000u) << "reads back what was set";
  Handle fits = NewHandle(65000);
  EXPECT_TRUE(InArena(*fits));
  Handle tooBig = NewHandle(70000);
  EXPECT_FALSE(InArena(*tooBig)) << "the 16-bit size fields cannot describe it";
  std::memset(*tooBig, 0x11, 70000);
  std::memset(*fits, 0x22, 65000);
  EXPECT_EQ((*fits)[64999], 0x22);
  ASSERT_TRUE(SetHandleSize(fits, 65500));
  EXPECT_FALSE(InArena(*fits));
  EXPECT_EQ((*fits)[64999], 0x22);
  DisposeHandle(fits);
  DisposeHandle(tooBig);
}

TEST_F(SmallBlocksTest, PointerSizeFitsInPlaceOrFailsLeavingTheBlockIntact) {
  Ptr p = NewPtr(20);
  Ptr blocker = NewPtr(20);
  std::memcpy(p, "twenty bytes of data", 20);
  EXPECT_TRUE(SetPtrSize(p, 8));
  EXPECT_EQ(GetPtrSize(p), 8);
  EXPECT_FALSE(SetPtrSize(p, 400)) << "the next block is in use";
  EXPECT_EQ(MemError(), memFullErr);
  EXPECT_EQ(GetPtrSize(p), 8);
  EXPECT_EQ(0, std::memcmp(p, "twenty b", 8));
  DisposePtr(blocker);
  EXPECT_TRUE(SetPtrSize(p, 400)) << "now it can grow into the freed neighbour";
  EXPECT_EQ(0, std::memcmp(p, "twenty b", 8));
  DisposePtr(p);
}

class HeapCheckTest : public zebtest::SessionTest {
 protected:
  HeapCheckTest() { sessionFlags_ = ZEB_SF_SMALLBLOCKS | ZEB_SF_HEAPCHECK; }
};

TEST_F(HeapCheckTest, DamageIsReportedToTheFrameWindowAndTheBlockIsNotFreed) {
  Ptr p = NewPtr(10);
  Ptr q = NewPtr(10);
  EXPECT_TRUE(zebtest::FrameMessages().empty());
  // Overwrite p's trailer, as a write past the end of the data would.
  char* trailer = p - 6 + 4 + 12;
  const uint32_t saved = WordAt(trailer);
  std::memset(trailer, 0, 4);
  Ptr r = NewPtr(10);  // the allocation's walk finds the damage
  ASSERT_EQ(zebtest::FrameMessages().size(), 1u);
  EXPECT_EQ(zebtest::FrameMessages()[0].message, static_cast<UINT>(ZEB_WM_HEAPDAMAGED));
  EXPECT_EQ(zebtest::FrameMessages()[0].lParam, 0);
  DisposePtr(p);  // not freed: its header and trailer disagree
  EXPECT_EQ(zebtest::FrameMessages().size(), 2u);
  std::memcpy(trailer, &saved, 4);
  DisposePtr(p);
  DisposePtr(q);
  DisposePtr(r);
  EXPECT_EQ(zebtest::FrameMessages().size(), 2u);
}

TEST_F(HeapCheckTest, DisposingARecordThatIsNoHandleIsReported) {
  Handle h = NewHandle(4);
  DisposeHandle(h);
  DisposeHandle(h);
  ASSERT_EQ(zebtest::FrameMessages().size(), 1u);
  EXPECT_EQ(zebtest::FrameMessages()[0].lParam, reinterpret_cast<LPARAM>(h));
}

}  // namespace

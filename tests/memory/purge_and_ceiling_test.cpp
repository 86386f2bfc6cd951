// Purging, the memory ceiling of ZEB_SetMemoryLimits and the grow-zone procedure.
#include <cstring>

#include "MacMemory.h"
#include "session_fixture.h"

namespace {

using CeilingTest = zebtest::SessionTest;

constexpr long kCeiling = 1 << 20;  // one megabyte, checked for requests of 64 KB and more
constexpr long kThreshold = 65536;

TEST_F(CeilingTest, LimitsReturnTheirBlockCount) {
  EXPECT_EQ(ZEB_SetMemoryLimits(1, kCeiling, kThreshold, 0), 0);
  EXPECT_EQ(ZEB_SetMemoryLimits(1, kCeiling, kThreshold, 500), 500);
  EXPECT_EQ(ZEB_SetMemoryLimits(0, kCeiling, kThreshold, 500), 0);
}

TEST_F(CeilingTest, RequestBeyondTheCeilingFailsAfterPurgeableHandlesAreEmptied) {
  ZEB_SetMemoryLimits(1, kCeiling, kThreshold, 0);
  Handle purgeable = NewHandle(200000);
  ASSERT_NE(purgeable, nullptr);
  HPurge(purgeable);
  Handle kept = NewHandle(200000);
  ASSERT_NE(kept, nullptr);
  std::memset(*kept, 0x33, 200000);
  Handle tooMuch = NewHandle(900000);
  EXPECT_EQ(tooMuch, nullptr);
  EXPECT_EQ(MemError(), memFullErr);
  EXPECT_EQ(*purgeable, nullptr) << "purgeable storage was given up first";
  EXPECT_EQ(GetHandleSize(purgeable), 0);
  EXPECT_EQ((*kept)[199999], 0x33) << "unpurgeable storage is untouched";
  EXPECT_GT(FreeMem(), 0);
  EXPECT_LE(FreeMem(), kCeiling);
  DisposeHandle(purgeable);
  DisposeHandle(kept);
}

TEST_F(CeilingTest, PurgingMakesRoomForARequestThatNowFits) {
  ZEB_SetMemoryLimits(1, kCeiling, kThreshold, 0);
  Handle purgeable = NewHandle(600000);
  HPurge(purgeable);
  Handle next = NewHandle(600000);
  ASSERT_NE(next, nullptr);
  EXPECT_EQ(MemError(), noErr);
  EXPECT_EQ(*purgeable, nullptr);
  DisposeHandle(next);
  DisposeHandle(purgeable);
}

TEST_F(CeilingTest, SmallRequestsBelowTheThresholdAreNotChecked) {
  ZEB_SetMemoryLimits(1, 1000, kThreshold, 0);
  Handle h = NewHandle(5000);
  EXPECT_NE(h, nullptr);
  DisposeHandle(h);
}

TEST_F(CeilingTest, AHandleGrownInStepsBelowTheThresholdStillMeetsTheCeiling) {
  ZEB_SetMemoryLimits(1, kCeiling, kThreshold, 0);
  Handle h = NewHandle(1000);
  ASSERT_NE(h, nullptr);
  std::memset(*h, 0x66, 1000);
  long size = 1000;
  // Steps of 4 KB, each far below the threshold: the growth must stop before the ceiling.
  while (size < 2 * kCeiling && SetHandleSize(h, size + 4096)) size += 4096;
  EXPECT_LT(size, kCeiling + 4096);
  EXPECT_GE(size, kThreshold);
  EXPECT_EQ(MemError(), memFullErr);
  EXPECT_EQ(GetHandleSize(h), size) << "the refused step left the handle as it was";
  EXPECT_EQ((*h)[999], 0x66);
  DisposeHandle(h);
}

TEST_F(CeilingTest, ResizingNeverPurgesTheHandleBeingResized) {
  ZEB_SetMemoryLimits(1, kCeiling, kThreshold, 0);
  Handle h = NewHandle(500000);
  std::memset(*h, 0x44, 500000);
  HPurge(h);
  EXPECT_FALSE(SetHandleSize(h, 1200000));
  EXPECT_EQ(MemError(), memFullErr);
  ASSERT_NE(*h, nullptr) << "the handle being grown kept its storage";
  EXPECT_EQ(GetHandleSize(h), 500000);
  EXPECT_EQ((*h)[499999], 0x44);
  DisposeHandle(h);
}

TEST_F(CeilingTest, CopyingNeverPurgesItsSource) {
  ZEB_SetMemoryLimits(1, kCeiling, kThreshold, 0);
  Handle src = NewHandle(600000);
  std::memset(*src, 0x55, 600000);
  HPurge(src);
  Handle copy = src;
  EXPECT_EQ(HandToHand(&copy), memFullErr);
  EXPECT_EQ(copy, nullptr);
  ASSERT_NE(*src, nullptr) << "the source being copied kept its storage";
  EXPECT_EQ((*src)[0], 0x55);

  Handle dst = NewHandle(100000);
  HPurge(dst);
  EXPECT_EQ(HandAndHand(src, dst), memFullErr);
  EXPECT_NE(*src, nullptr);
  EXPECT_NE(*dst, nullptr) << "the handle being grown kept its storage";
  EXPECT_EQ(GetHandleSize(dst), 100000);
  // A plain address inside a purgeable handle, as an application that "locked" it passes.
  EXPECT_EQ(PtrAndHand(*src, dst, 600000), memFullErr);
  EXPECT_NE(*src, nullptr) << "the source address stayed valid";
  EXPECT_NE(*dst, nullptr);
  DisposeHandle(src);
  DisposeHandle(dst);
}

// A grow-zone procedure that frees a handle it was given when asked.
Handle g_reserve = nullptr;
long g_asked = 0;
long WINAPI GrowZone(Size needed) {
  g_asked = needed;
  if (!g_reserve) return 0;
  const long freed = GetHandleSize(g_reserve);
  DisposeHandle(g_reserve);
  g_reserve = nullptr;
  return freed;
}

TEST_F(CeilingTest, GrowZoneProcedureIsAskedForTheMissingBytes) {
  ZEB_SetMemoryLimits(1, kCeiling, kThreshold, 0);
  g_reserve = NewHandle(700000);
  ASSERT_NE(g_reserve, nullptr);
  SetGrowZone(GrowZone);
  Handle h = NewHandle(700000);
  ASSERT_NE(h, nullptr) << "the grow-zone procedure freed enough";
  EXPECT_GT(g_asked, 0);
  EXPECT_LE(g_asked, 700000);
  g_asked = 0;
  Handle again = NewHandle(700000);
  EXPECT_EQ(again, nullptr) << "nothing left to free";
  EXPECT_GT(g_asked, 0);
  SetGrowZone(nullptr);
  DisposeHandle(h);
}

TEST_F(CeilingTest, PurgeMemAndCompactMemEmptyPurgeableHandles) {
  Handle a = NewHandle(10000);
  Handle b = NewHandle(10000);
  HPurge(a);
  HPurge(b);
  PurgeMem(1);
  EXPECT_TRUE(*a == nullptr || *b == nullptr) << "purging stops once enough is freed";
  EXPECT_EQ(CompactMem(1000000), 1000000);
  EXPECT_EQ(*a, nullptr);
  EXPECT_EQ(*b, nullptr);
  DisposeHandle(a);
  DisposeHandle(b);
}

}  // namespace

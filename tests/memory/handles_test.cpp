// Handles: creation, state bits, resizing and disposal.
#include <cstring>
#include <vector>

#include "MacMemory.h"
#include "session_fixture.h"

namespace {

using HandlesTest = zebtest::SessionTest;

Ptr EmptyMaster() { return reinterpret_cast<Ptr>(static_cast<uintptr_t>(0xFFFF)); }

TEST_F(HandlesTest, ZeroLengthHandleHasTheNeverAllocatedMasterPointer) {
  Handle h = NewHandle(0);
  ASSERT_NE(h, nullptr);
  EXPECT_EQ(*h, EmptyMaster());
  EXPECT_EQ(GetHandleSize(h), 0);
  EXPECT_EQ(MemError(), noErr);
  EXPECT_EQ(HGetState(h), 0);
  Handle empty = NewEmptyHandle();
  ASSERT_NE(empty, nullptr);
  EXPECT_EQ(*empty, nullptr);
  DisposeHandle(h);
  DisposeHandle(empty);
}

TEST_F(HandlesTest, NewHandleIsZeroFilledAndLocked) {
  for (Size size : {1, 17, 4096, 100000}) {
    Handle h = NewHandleClear(size);
    ASSERT_NE(h, nullptr) << size;
    EXPECT_EQ(GetHandleSize(h), size);
    for (Size i = 0; i < size; ++i) ASSERT_EQ((*h)[i], 0) << size << " at " << i;
    EXPECT_EQ(static_cast<unsigned char>(HGetState(h)), 0x80) << "storage is locked";
    DisposeHandle(h);
  }
}

TEST_F(HandlesTest, StateBitsFollowPurgeAndResourceCalls) {
  Handle h = NewHandle(8);
  HPurge(h);
  EXPECT_EQ(static_cast<unsigned char>(HGetState(h)), 0xC0);
  HSetState(h, 0x20);
  EXPECT_EQ(static_cast<unsigned char>(HGetState(h)), 0xA0) << "purgeable cleared, resource set, lock kept";
  HClrRBit(h);
  HSetRBit(h);
  HNoPurge(h);
  EXPECT_EQ(static_cast<unsigned char>(HGetState(h)), 0xA0);
  HSetState(h, 0);
  EXPECT_EQ(static_cast<unsigned char>(HGetState(h)), 0x80);
  // NIL is ignored by every state call.
  HPurge(nullptr);
  HNoPurge(nullptr);
  HSetRBit(nullptr);
  HClrRBit(nullptr);
  HSetCBit(nullptr);
  HSetState(nullptr, 0x60);
  EXPECT_EQ(HGetState(nullptr), 0);
  DisposeHandle(h);
}

TEST_F(HandlesTest, DisposingAResourceHandleLeavesItToTheResourceManager) {
  Handle h = NewHandle(4);
  std::memcpy(*h, "rsrc", 4);
  HSetRBit(h);
  DisposeHandle(h);
  // Not a loaded resource of any open file: ReleaseResource leaves it alone.
  EXPECT_EQ(static_cast<unsigned char>(HGetState(h)), 0xA0);
  EXPECT_EQ(0, std::memcmp(*h, "rsrc", 4));
  HClrRBit(h);
  DisposeHandle(h);
}

TEST_F(HandlesTest, ResizingKeepsDataAndZeroFillsGrowth) {
  Handle h = NewHandle(10);
  std::memcpy(*h, "0123456789", 10);
  Ptr before = *h;
  EXPECT_TRUE(SetHandleSize(h, 10));
  EXPECT_EQ(*h, before) << "the same size changes nothing";
  ASSERT_TRUE(SetHandleSize(h, 50000));
  EXPECT_EQ(MemError(), noErr);
  EXPECT_EQ(GetHandleSize(h), 50000);
  EXPECT_EQ(0, std::memcmp(*h, "0123456789", 10));
  for (int i = 10; i < 50000; ++i) ASSERT_EQ((*h)[i], 0) << i;
  ASSERT_TRUE(ReallocateHandle(h, 4));
  EXPECT_EQ(0, std::memcmp(*h, "0123", 4));
  DisposeHandle(h);
}

TEST_F(HandlesTest, ResizingToZeroLeavesAHandleWithoutStorage) {
  Handle h = NewHandle(100);
  ASSERT_TRUE(SetHandleSize(h, 0));
  EXPECT_EQ(*h, EmptyMaster());
  EXPECT_EQ(HGetState(h), 0);
  ASSERT_TRUE(SetHandleSize(h, 20));
  EXPECT_NE(*h, EmptyMaster());
  EXPECT_EQ(static_cast<unsigned char>(HGetState(h)), 0x80);
  DisposeHandle(h);
}

TEST_F(HandlesTest, BadResizesFailWithoutChangingTheHandle) {
  Handle h = NewHandle(10);
  std::memcpy(*h, "keep me!!!", 10);
  Ptr before = *h;
  EXPECT_FALSE(SetHandleSize(h, -1));
  EXPECT_EQ(MemError(), memFullErr);
  EXPECT_EQ(*h, before);
  EXPECT_EQ(GetHandleSize(h), 10);
  EXPECT_FALSE(SetHandleSize(nullptr, 10));
  EXPECT_EQ(MemError(), nilHandleErr);
  EXPECT_EQ(GetHandleSize(nullptr), 0);
  EXPECT_EQ(MemError(), nilHandleErr);
  EXPECT_EQ(0, std::memcmp(*h, "keep me!!!", 10));
  DisposeHandle(h);
}

TEST_F(HandlesTest, DisposedHandleIsRefusedRatherThanReused) {
  Handle h = NewHandle(10);
  DisposeHandle(h);
  EXPECT_EQ(*h, EmptyMaster()) << "a free record's master pointer";
  DisposeHandle(h);  // a second disposal frees nothing
  EXPECT_FALSE(SetHandleSize(h, 20));
  EXPECT_EQ(MemError(), memWZErr);
  Handle handToHand = h;
  EXPECT_EQ(HandToHand(&handToHand), nilHandleErr);
  DisposeHandle(nullptr);
}

TEST_F(HandlesTest, EmptiedHandleGetsStorageAgainWhenResized) {
  Handle h = NewHandle(30);
  EmptyHandle(h);
  EXPECT_EQ(*h, nullptr);
  EXPECT_EQ(GetHandleSize(h), 0);
  EXPECT_EQ(HGetState(h), 0);
  ASSERT_TRUE(ReallocateHandle(h, 30));
  ASSERT_NE(*h, nullptr);
  EXPECT_EQ((*h)[29], 0);
  DisposeHandle(h);
  EmptyHandle(nullptr);
}

TEST_F(HandlesTest, RecordsComeFromSeveralMasterBlocksAndAreRecovered) {
  std::vector<Handle> handles;
  for (int i = 0; i < 300; ++i) {
    Handle h = NewHandle(8);
    ASSERT_NE(h, nullptr);
    std::memcpy(*h, &i, sizeof i);
    handles.push_back(h);
  }
  for (int i = 0; i < 300; ++i) {
    int value;
    std::memcpy(&value, *handles[i], sizeof value);
    ASSERT_EQ(value, i);
    ASSERT_EQ(RecoverHandle(*handles[i]), handles[i]);
  }
  EXPECT_EQ(RecoverHandle(nullptr), nullptr);
  char local[8];
  EXPECT_EQ(RecoverHandle(local), nullptr);
  // Freed records are reused.
  Handle freed = handles[150];
  DisposeHandle(freed);
  Handle again = NewHandle(8);
  EXPECT_EQ(again, freed);
  for (Handle h : handles)
    if (h != freed) DisposeHandle(h);
  DisposeHandle(again);
}

// A resize or disposal looks its handle's master block up (the last block found is tried
// first): addresses inside a record or outside every block are still no handles, and handles
// of different blocks, used in turn, each reach their own record.
TEST_F(HandlesTest, OnlyRecordAddressesAreHandlesWhicheverBlockWasUsedLast) {
  ApplicationZone()->moreMast = 10;
  std::vector<Handle> handles;
  for (int i = 0; i < 40; ++i) {
    Handle h = NewHandle(4);
    ASSERT_NE(h, nullptr);
    std::memcpy(*h, &i, sizeof i);
    handles.push_back(h);
  }
  // First and last come from different blocks of 10 records.
  for (int round = 1; round <= 3; ++round) {
    for (size_t k : {size_t{0}, size_t{39}, size_t{5}, size_t{25}}) {
      ASSERT_TRUE(SetHandleSize(handles[k], static_cast<Size>(4 + round * 8))) << k;
      EXPECT_EQ(GetHandleSize(handles[k]), 4 + round * 8);
      int value;
      std::memcpy(&value, *handles[k], sizeof value);
      EXPECT_EQ(value, static_cast<int>(k)) << "the data stays with its handle";
    }
  }
  Handle inside = reinterpret_cast<Handle>(reinterpret_cast<char*>(handles[39]) + 4);
  EXPECT_FALSE(SetHandleSize(inside, 100));
  EXPECT_EQ(MemError(), memWZErr) << "an address inside a record is no handle";
  DisposeHandle(inside);
  char local[16] = {};
  Handle foreign = reinterpret_cast<Handle>(local);
  EXPECT_FALSE(SetHandleSize(foreign, 100));
  EXPECT_EQ(MemError(), memWZErr) << "an address outside every block is no handle";
  DisposeHandle(foreign);
  EXPECT_EQ(GetHandleSize(handles[39]), 28) << "nothing happened to the handle beside it";
  for (int i = 0; i < 40; ++i) {
    int value;
    std::memcpy(&value, *handles[i], sizeof value);
    ASSERT_EQ(value, i);
    DisposeHandle(handles[i]);
  }
}

TEST_F(HandlesTest, MoreMastersAddsBlocksOfTheZonesCount) {
  ApplicationZone()->moreMast = 10;
  MoreMasters();
  EXPECT_EQ(MemError(), noErr);
  // The ten new records are used before any other block.
  Handle first = NewHandle(1);
  std::vector<Handle> next;
  for (int i = 0; i < 9; ++i) next.push_back(NewHandle(1));
  for (Handle h : next) {
    EXPECT_GT(reinterpret_cast<char*>(h), reinterpret_cast<char*>(first));
    EXPECT_LT(reinterpret_cast<char*>(h), reinterpret_cast<char*>(first) + 10 * 2 * sizeof(void*) * 2);
  }
  DisposeHandle(first);
  for (Handle h : next) DisposeHandle(h);
}

}  // namespace

// Non-relocatable blocks served by the host.
#include <cstring>

#include "MacMemory.h"
#include "session_fixture.h"

namespace {

using PointersTest = zebtest::SessionTest;

TEST_F(PointersTest, HostPointerIsPrecededByTwoMarkerWords) {
  Ptr p = NewPtr(10);
  ASSERT_NE(p, nullptr);
  EXPECT_EQ(MemError(), noErr);
  uint32_t markers[2];
  std::memcpy(markers, p - 8, sizeof markers);
  EXPECT_EQ(markers[0], 0xFFFFFFFFu);
  EXPECT_EQ(markers[1], 0xFFFFFFFFu);
  EXPECT_GE(GetPtrSize(p), 10) << "the host block's size less the markers";
  for (int i = 0; i < 10; ++i) EXPECT_EQ(p[i], 0);
  DisposePtr(p);
}

TEST_F(PointersTest, NegativeSizeFailsAndNilIsIgnored) {
  EXPECT_EQ(NewPtr(-1), nullptr);
  EXPECT_EQ(MemError(), memFullErr);
  DisposePtr(nullptr);
  EXPECT_FALSE(SetPtrSize(nullptr, 4));
  EXPECT_EQ(MemError(), nilHandleErr);
  Ptr p = NewPtrClear(4);
  EXPECT_FALSE(SetPtrSize(p, -2));
  EXPECT_EQ(MemError(), memFullErr);
  DisposePtr(p);
}

TEST_F(PointersTest, SetPtrSizeNeverMovesTheBlock) {
  Ptr p = NewPtr(64);
  std::memcpy(p, "stay where you are", 18);
  Ptr neighbour = NewPtr(64);
  ASSERT_TRUE(SetPtrSize(p, 16));
  EXPECT_GE(GetPtrSize(p), 16);
  // Growing far past the neighbour cannot happen in place: it fails and nothing moves.
  const bool grown = SetPtrSize(p, 1 << 20);
  if (!grown) {
    EXPECT_EQ(MemError(), memFullErr);
  }
  EXPECT_EQ(0, std::memcmp(p, "stay where you ", 15));
  p[0] = 'S';  // still ours to write
  DisposePtr(neighbour);
  DisposePtr(p);
}

TEST_F(PointersTest, AllFourAllocatorsZeroFill) {
  Ptr (*allocators[])(Size) = {NewPtr, NewPtrSys, NewPtrClear, NewPtrSysClear};
  for (auto allocate : allocators) {
    Ptr p = allocate(300);
    ASSERT_NE(p, nullptr);
    for (int i = 0; i < 300; ++i) ASSERT_EQ(p[i], 0);
    DisposePtr(p);
  }
}

}  // namespace

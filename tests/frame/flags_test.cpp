// ZEB_SetFlags: two independent words, each changed only under its mask.
#include "session_fixture.h"

namespace {

using FlagsTest = zebtest::SessionTest;

TEST_F(FlagsTest, OnlyMaskedBitsChangeAndThePreviousWordComesBack) {
  const unsigned long start = ZEB_SetFlags(0, 0, 0, 0);
  EXPECT_EQ(ZEB_SetFlags(0, 0xFFFFFFFF, 0, 0), start) << "an empty mask changes nothing";
  EXPECT_EQ(ZEB_SetFlags(ZEB_SF_SMALLBLOCKS | ZEB_SF_HEAPCHECK, ZEB_SF_SMALLBLOCKS, 0, 0), start);
  const unsigned long now = ZEB_SetFlags(0, 0, 0, 0);
  EXPECT_EQ(now & (ZEB_SF_SMALLBLOCKS | ZEB_SF_HEAPCHECK), static_cast<unsigned long>(ZEB_SF_SMALLBLOCKS));
  EXPECT_EQ(now & ~static_cast<unsigned long>(ZEB_SF_SMALLBLOCKS | ZEB_SF_HEAPCHECK),
            start & ~static_cast<unsigned long>(ZEB_SF_SMALLBLOCKS | ZEB_SF_HEAPCHECK));
}

TEST_F(FlagsTest, SwitchesDoNotTouchTheFlagsWord) {
  const unsigned long flags = ZEB_SetFlags(0, 0, 0, 0);
  EXPECT_EQ(ZEB_SetFlags(0, 0, 0xFFFF, ZEB_SW_SINGLEPIXELPEN | ZEB_SW_BANDING), flags);
  EXPECT_EQ(ZEB_SetFlags(0, 0, 0, 0), flags);
}

TEST_F(FlagsTest, SessionRecordSetsTheInitialWord) {
  // The fixture's record carried no flags; the library added only the 3D-look bit.
  EXPECT_EQ(session_.flags & ~static_cast<unsigned long>(ZEB_SF_3DLOOK), 0u);
  EXPECT_EQ(ZEB_SetFlags(0, 0, 0, 0), session_.flags);
}

}  // namespace

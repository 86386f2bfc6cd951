// ZEB_SystemValue: defaults, stored settings, computed and fixed entries.
#include "session_fixture.h"

namespace {

using SystemValuesTest = zebtest::SessionTest;

unsigned long Get(short index) { return ZEB_SystemValue(ZEB_SV_GET, index, 0); }
unsigned long Set(short index, unsigned long value) {
  return ZEB_SystemValue(ZEB_SV_SET, index, value);
}

TEST_F(SystemValuesTest, SettingsStartWithTheirDefaults) {
  struct {
    short index;
    unsigned long value;
  } const defaults[] = {{1, 0},   {2, 0},   {5, 32},  {6, 64},    {7, 0},   {8, 65535}, {9, 0},
                        {12, 1},  {13, 1},  {15, 4096}, {16, 1},  {18, 1},  {19, 0},    {20, 0},
                        {24, 1},  {26, 1},  {29, 1},  {33, 0xFFFFFFFF},     {47, 544},  {54, 1},
                        {60, 0}};
  for (const auto& d : defaults) EXPECT_EQ(Get(d.index), d.value) << "index " << d.index;
}

TEST_F(SystemValuesTest, SetReturnsTheOldValueAndStoresTheNewOne) {
  EXPECT_EQ(Set(5, 10), 32u);
  EXPECT_EQ(Get(5), 10u);
  EXPECT_EQ(Set(6, 7), 64u);
  EXPECT_EQ(Get(6), 7u);
  EXPECT_EQ(Set(33, 128), 0xFFFFFFFFu);
  EXPECT_EQ(Get(33), 128u);
  EXPECT_EQ(Set(36, 99), 0u);
  EXPECT_EQ(Get(36), 99u);
}

TEST_F(SystemValuesTest, ComputedAndFixedEntriesCannotBeSet) {
  EXPECT_EQ(Get(3), static_cast<unsigned long>(GetSystemMetrics(SM_CXVSCROLL)));
  EXPECT_EQ(Get(4), static_cast<unsigned long>(GetSystemMetrics(SM_CYHSCROLL)));
  for (short index : {3, 4, 27, 42, 43}) {
    const unsigned long before = Get(index);
    Set(index, 12345);
    EXPECT_EQ(Get(index), before) << "index " << index;
  }
  EXPECT_EQ(Get(42), 0u);
  EXPECT_EQ(Get(43), 0u);
}

TEST_F(SystemValuesTest, UnlistedIndicesReadZeroAndStoreNothing) {
  for (short index : {0, 25, 57, 58, 61, 200, -1, -32768}) {
    EXPECT_EQ(Set(index, 77), 0u) << "index " << index;
    EXPECT_EQ(Get(index), 0u) << "index " << index;
  }
}

TEST_F(SystemValuesTest, WindowCreationHookIsSetOnly) {
  EXPECT_EQ(Set(39, 0x1234), 0u);
  EXPECT_EQ(Get(39), 0u);
  Set(39, 0);
}

}  // namespace

namespace {

TEST_F(SystemValuesTest, SettingsGoBackToTheirDefaultsWhenTheSessionEnds) {
  // A one-shot procID no window took would otherwise shape the next session's first window.
  Set(33, 128);
  Set(28, 1);
  Set(5, 3);
  Set(24, 0);
  EndSession();
  EXPECT_EQ(Get(33), 0xFFFFFFFFu);
  EXPECT_EQ(Get(28), 0u);
  EXPECT_EQ(Get(5), 32u);
  EXPECT_EQ(Get(24), 1u);
}

}  // namespace

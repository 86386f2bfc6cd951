// TickCount: 16-millisecond ticks of the Windows clock, also written to the application's cell.
#include "Events.h"
#include "session_fixture.h"

namespace {

using TicksTest = zebtest::SessionTest;

TEST_F(TicksTest, TickCountIsTheWindowsClockInSixteenthsAndFillsTheCell) {
  cells_.ticks = 0;
  const unsigned long before = GetTickCount() >> 4;
  const unsigned long ticks = TickCount();
  const unsigned long after = GetTickCount() >> 4;
  EXPECT_GE(ticks, before);
  EXPECT_LE(ticks, after);
  EXPECT_EQ(cells_.ticks, ticks);
}

}  // namespace

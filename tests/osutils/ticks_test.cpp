// Elapsed ticks across the wrap of the 28-bit tick count.
#include <gtest/gtest.h>

#include "osutils/ticks.h"

namespace {

using zeb::osutils::TicksBetween;

TEST(Ticks, ElapsedTicksSurviveTheWrap) {
  struct Case {
    uint32_t start, now, elapsed;
  } cases[] = {
      {100, 100, 0}, {100, 121, 21}, {0x0FFFFFFE, 0x0FFFFFFF, 1}, {0x0FFFFFFE, 0, 2},
      {0x0FFFFFF0, 0x10, 0x20},
  };
  for (const Case& c : cases) EXPECT_EQ(TicksBetween(c.start, c.now), c.elapsed) << c.start;
}

}  // namespace

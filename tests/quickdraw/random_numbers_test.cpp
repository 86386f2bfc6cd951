// Random: the Toolbox's sequence from the application's randSeed cell, which InitGraf seeds.
#include "session_fixture.h"

namespace zebtest {
namespace {

using RandomNumbersTest = SessionTest;

TEST_F(RandomNumbersTest, InitGrafSeedsTheSequenceWithOneAsTheToolboxDoes) {
  cells_.randSeed = 0;  // a zeroed cell would keep Random at 0 for ever
  GrafPtr screen = nullptr;
  InitGraf(&screen);
  EXPECT_EQ(cells_.randSeed, 1);
  // 16807, 16807^2 and 16807^3 modulo 2^31 - 1, each as its low word.
  EXPECT_EQ(Random(), 16807);
  EXPECT_EQ(Random(), 15089);
  EXPECT_EQ(Random(), -21287);
  EXPECT_EQ(cells_.randSeed, 1622650073);
  cells_.randSeed = 77;
  InitGraf(&screen);
  EXPECT_EQ(cells_.randSeed, 1) << "every InitGraf starts the sequence again";
}

TEST_F(RandomNumbersTest, TheLowestWordIsAnsweredAsZeroSoTheRangeIsSymmetric) {
  // A seed whose next value has the low word 0x8000: 16807 x s = 0x8000 (mod 2^31 - 1) for
  // s = 0x8000 x 16807^-1; the inverse of 16807 modulo 2^31 - 1 is 1407677000.
  const uint64_t inverse = 1407677000u;
  ASSERT_EQ(inverse * 16807u % 0x7FFFFFFFu, 1u);
  cells_.randSeed = static_cast<long>(inverse * 0x8000u % 0x7FFFFFFFu);
  EXPECT_EQ(Random(), 0);
  EXPECT_EQ(cells_.randSeed, 0x8000);
}

}  // namespace
}  // namespace zebtest

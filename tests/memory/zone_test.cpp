// The zone, free-memory figures and host memory queries.
#include "MacMemory.h"
#include "session_fixture.h"

namespace {

using ZoneTest = zebtest::SessionTest;

TEST_F(ZoneTest, OneZoneAnswersForEverything) {
  THz zone = ApplicationZone();
  ASSERT_NE(zone, nullptr);
  EXPECT_EQ(GetZone(), zone);
  Handle h = NewHandle(4);
  EXPECT_EQ(HandleZone(h), zone);
  EXPECT_EQ(zone->moreMast, 64);
  InitZone(nullptr, 10, nullptr, nullptr);
  SetZone(nullptr);
  ReserveMem(1000);
  SetApplLimit(nullptr);
  MaxApplZone();
  EXPECT_EQ(GetZone(), zone);
  DisposeHandle(h);
}

TEST_F(ZoneTest, FreeMemorySaturatesInsteadOfReadingZero) {
  // Hosts with 2 GiB or more free report 0x7FFFFFFF, never 0.
  EXPECT_GT(FreeMem(), 0);
  EXPECT_EQ(MaxBlock(), FreeMem());
  long total = -1;
  long contig = -1;
  PurgeSpace(&total, &contig);
  EXPECT_EQ(total, MaxBlock());
  EXPECT_EQ(contig, total > 0x10000 ? 0x10000 : total);
}

TEST_F(ZoneTest, FixedAnswersOfAWindowsNTHost) {
  Size grow = -1;
  EXPECT_EQ(MaxMem(&grow), 0x7F000000);
  EXPECT_EQ(grow, 0);
  EXPECT_EQ(StackSpace(), 2048);
  EXPECT_EQ(ZEB_GetFreeSystemResources(0), 100);
  EXPECT_EQ(ZEB_GetFreeSystemResources(2), 100);
  EXPECT_NE(GetApplLimit(), nullptr);
}

TEST_F(ZoneTest, ComputeMemorySizeReportsTheLibrarysHostBytes) {
  DisposeHandle(NewHandle(1));  // the first master block stays
  unsigned long held = 0;
  unsigned long availPage = 0;
  EXPECT_EQ(ZEB_ComputeMemorySize(nullptr, &availPage, nullptr, nullptr, &held), held);
  Handle h = NewHandle(300000);
  unsigned long heldAfter = 0;
  ZEB_ComputeMemorySize(nullptr, nullptr, nullptr, nullptr, &heldAfter);
  EXPECT_GE(heldAfter, held + 300000);
  unsigned long totalPhys = 0;
  EXPECT_EQ(ZEB_ComputeMemorySize(nullptr, nullptr, &totalPhys, nullptr, nullptr), totalPhys);
  EXPECT_GT(totalPhys, 0u);
  EXPECT_GT(ZEB_ComputeMemorySize(nullptr, nullptr, nullptr, nullptr, nullptr), 0u)
      << "with every pointer NIL, the available page-file bytes";
  DisposeHandle(h);
  ZEB_ComputeMemorySize(nullptr, nullptr, nullptr, nullptr, &heldAfter);
  EXPECT_EQ(heldAfter, held);
}

}  // namespace

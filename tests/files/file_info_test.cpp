// Types from the application's extension table, file dates, and the host error table.
#include "files/file_info.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "Files.h"
#include "files/host_errors.h"

namespace {

using namespace zeb::files;

struct ExtensionEntry {
  unsigned char bytes[40];
};

ExtensionEntry Entry(OSType type, const char* extension, const char* description = "") {
  ExtensionEntry e{};
  std::memcpy(e.bytes, &type, 4);
  std::memcpy(e.bytes + 4, extension, std::strlen(extension) < 3 ? std::strlen(extension) : 3);
  std::strncpy(reinterpret_cast<char*>(e.bytes + 7), description, 32);
  return e;
}

const OSType kText = ZEB_FOURCC('T', 'E', 'X', 'T');
const OSType kPict = ZEB_FOURCC('P', 'I', 'C', 'T');
const OSType kWord = ZEB_FOURCC('W', 'D', 'B', 'N');

TEST(ExtensionTable, TheLastMatchingEntryGivesTheType) {
  const std::vector<ExtensionEntry> table = {Entry(kText, "TXT", "Text files"),
                                             Entry(kText, "DOC"), Entry(kPict, "PCT"),
                                             Entry(kWord, "doc"), Entry(0, "")};
  const std::pair<const char*, OSType> cases[] = {
      {"report.txt", kText}, {"REPORT.TXT", kText}, {"pic.pct", kPict},
      {"letter.doc", kWord}, {"archive.tar.txt", kText}, {"page.pctx", kPict}};
  for (const auto& c : cases) {
    OSType type = 0;
    EXPECT_TRUE(TypeFromExtensionTable(table.data(), c.first, &type)) << c.first;
    EXPECT_EQ(type, c.second) << c.first;
  }
  OSType untouched = 77;
  for (const char* name : {"noext", "a.bmp", "trailing.", "tx"})
    EXPECT_FALSE(TypeFromExtensionTable(table.data(), name, &untouched)) << name;
  EXPECT_EQ(untouched, 77u);
  EXPECT_FALSE(TypeFromExtensionTable(nullptr, "a.txt", &untouched));
}

TEST(ExtensionTable, ShortExtensionsMatchOnlyThemselves) {
  const std::vector<ExtensionEntry> table = {Entry(kText, "C"), Entry(0, "")};
  OSType type = 0;
  EXPECT_TRUE(TypeFromExtensionTable(table.data(), "main.c", &type));
  EXPECT_FALSE(TypeFromExtensionTable(table.data(), "main.cpp", &type));
}

TEST(DosDates, RoundTripAtTwoSecondResolution) {
  // 3 March 1996, 14:30:58 local.
  const uint16_t date = static_cast<uint16_t>(((1996 - 1980) << 9) | (3 << 5) | 3);
  const uint16_t time = static_cast<uint16_t>((14 << 11) | (30 << 5) | 29);
  const uint32_t seconds = SecondsOfDosDateTime(date, time);
  EXPECT_EQ(seconds, 2908659723u - 3723u + 14 * 3600 + 30 * 60 + 58);
  uint16_t dateBack = 0, timeBack = 0;
  ASSERT_TRUE(DosDateTimeOfSeconds(seconds, &dateBack, &timeBack));
  EXPECT_EQ(dateBack, date);
  EXPECT_EQ(timeBack, time);
  ASSERT_TRUE(DosDateTimeOfSeconds(seconds + 1, &dateBack, &timeBack));
  EXPECT_EQ(timeBack, time) << "odd seconds round down";
}

TEST(DosDates, TimesBeforeTheDosEpochHaveNoDosForm) {
  uint16_t date = 0xAAAA, time = 0xAAAA;
  EXPECT_FALSE(DosDateTimeOfSeconds(0, &date, &time)) << "1904 cannot be a DOS date";
  EXPECT_FALSE(DosDateTimeOfSeconds(2398377599u, &date, &time)) << "31 December 1979";
  EXPECT_TRUE(DosDateTimeOfSeconds(2398377600u, &date, &time)) << "1 January 1980";
  EXPECT_EQ(date, (0 << 9) | (1 << 5) | 1);
  EXPECT_EQ(time, 0);
}

TEST(BlockCounts, LargeVolumesKeepHalvingUntilTheTotalFits) {
  struct Case {
    uint64_t blockSize, total, free;
    int32_t wantSize;
    uint16_t wantTotal, wantFree;
  };
  const Case cases[] = {
      {4096, 0x7FFF, 100, 4096, 0x7FFF, 100},              // fits as it is
      {4096, 0x8000, 0x8000, 8192, 0x4000, 0x4000},       // one halving
      {4096, 0x30000, 0x10000, 32768, 0x6000, 0x2000},    // three halvings
      {4096, 244140625, 12345678, 33554432, 29802, 1507}, // a 1 TB disk of 4 KB clusters
      {65536, 0xFFFFFFFFull, 5, INT32_MAX, 0x7FFF, 0},    // the block size stops growing
      {512, 10, 50, 512, 10, 10},                         // never more free than in all
  };
  for (const Case& c : cases) {
    const BlockCounts counts = FitBlockCounts(c.blockSize, c.total, c.free);
    EXPECT_EQ(counts.blockSize, c.wantSize) << c.total;
    EXPECT_EQ(counts.totalBlocks, c.wantTotal) << c.total;
    EXPECT_EQ(counts.freeBlocks, c.wantFree) << c.total;
  }
}

TEST(HostErrors, OneTableMapsEveryHostError) {
  const std::pair<uint32_t, OSErr> cases[] = {
      {0, noErr},      {2, fnfErr},    {3, dirNFErr},   {4, tmfoErr},  {5, permErr},
      {15, bdNamErr},  {19, wPrErr},   {32, opWrErr},   {33, fLckdErr}, {80, dupFNErr},
      {123, bdNamErr}, {145, fBsyErr}, {161, bdNamErr}, {183, dupFNErr},
      // A full disk (ERROR_DISK_FULL, ERROR_HANDLE_DISK_FULL) is not a missing file.
      {112, dskFulErr}, {39, dskFulErr}, {9999, fnfErr}};
  for (const auto& c : cases) EXPECT_EQ(ToolboxErrorOf(c.first), c.second) << c.first;
}

}  // namespace

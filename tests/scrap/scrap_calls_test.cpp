// The Scrap Manager's calls on the real clipboard: the record and its count, putting and getting
// through the clipboard procedure, the formats passed over, and bad input.
#include <cstring>
#include <string>

#include "MacMemory.h"
#include "Quickdraw.h"
#include "scrap_fixture.h"

namespace zebtest {
namespace {

std::string HandleText(Handle h) {
  return std::string(*h, static_cast<size_t>(GetHandleSize(h)));
}

std::vector<ScrapCall> CallsOf(long operation) {
  std::vector<ScrapCall> out;
  for (const ScrapCall& c : Procedure().calls)
    if (c.operation == operation) out.push_back(c);
  return out;
}

TEST_F(ScrapTest, StartUpGivesTheApplicationsRecordCountOneAndTheScrapfileName) {
  PScrapStuff info = InfoScrap();
  EXPECT_EQ(info, &cells_.scrapInfo) << "the record is the application's own cell";
  EXPECT_EQ(info->scrapCount, 1) << "joining the viewer chain is no change";
  EXPECT_EQ(info->scrapState, 0);
  EXPECT_EQ(info->scrapSize, 0);
  EXPECT_EQ(info->scrapHandle, nullptr);
  ASSERT_NE(info->scrapName, nullptr);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(info->scrapName), 11),
            std::string("\x09scrapfile\0", 11));
  EXPECT_EQ(GetClipboardViewer(), frame_) << "the frame heads the clipboard-viewer chain";
  EXPECT_TRUE(CallsOf(ZEB_SCRAP_CHANGED).empty());
}

TEST_F(ScrapTest, EachZeroScrapCountsOnceAndLeavesTheClipboardEmpty) {
  ASSERT_TRUE(SetClipboardFormats({{CF_TEXT, "before"}}));
  PumpUntil([] { return InfoScrap()->scrapCount == 2; });
  const short start = InfoScrap()->scrapCount;
  cells_.scrapInfo.scrapSize = 12;
  cells_.scrapInfo.scrapState = 3;
  EXPECT_EQ(ZeroScrap(), noErr);
  EXPECT_EQ(ZeroScrap(), noErr);
  PumpFor(100);  // the library's own changes come back as notifications: not counted again
  EXPECT_EQ(InfoScrap()->scrapCount, start + 2);
  EXPECT_EQ(InfoScrap()->scrapSize, 0);
  EXPECT_EQ(InfoScrap()->scrapState, 0);
  EXPECT_EQ(ClipboardFormatCount(), 0);
  EXPECT_EQ(ClipboardText(), "<none>");
}

TEST_F(ScrapTest, PutThenGetCarriesTextThroughTheProcedure) {
  GrafPtr screen = nullptr;
  InitGraf(&screen);
  GrafPort port{};
  OpenPort(&port);
  HDC dc = ZEB_GetCurrentDC();
  ASSERT_NE(dc, nullptr);

  ASSERT_EQ(ZeroScrap(), noErr);
  const short count = InfoScrap()->scrapCount;
  static const char kSource[] = "hello, clipboard";
  Procedure().calls.clear();
  EXPECT_EQ(PutScrap(5, kText, kSource), noErr);
  ASSERT_EQ(Procedure().calls.size(), 1u);
  const ScrapCall put = Procedure().calls[0];
  EXPECT_EQ(put.operation, ZEB_SCRAP_PUT);
  EXPECT_EQ(put.format, 0);
  EXPECT_EQ(put.dc, dc);
  EXPECT_EQ(put.destination, nullptr);
  EXPECT_EQ(put.scrapType, kText);
  EXPECT_EQ(put.data, kSource);
  EXPECT_EQ(put.block.length, 5);
  EXPECT_EQ(put.block.scrapType, kText);
  EXPECT_EQ(put.block.source, kSource);
  EXPECT_EQ(ClipboardText(), "hello") << "the put goes on the clipboard itself";

  Handle h = NewHandle(0);
  long offset = -7;
  Procedure().calls.clear();
  EXPECT_EQ(GetScrap(h, kText, &offset), 5);
  EXPECT_EQ(HandleText(h), "hello");
  EXPECT_EQ(offset, 0) << "CF_TEXT is the clipboard's first format";
  ASSERT_FALSE(Procedure().calls.empty());
  const ScrapCall get = Procedure().calls[0];
  EXPECT_EQ(get.operation, ZEB_SCRAP_GET);
  EXPECT_EQ(static_cast<UINT>(get.format), static_cast<UINT>(CF_TEXT));
  EXPECT_EQ(get.dc, dc);
  EXPECT_EQ(get.destination, h);
  EXPECT_EQ(get.scrapType, kText);
  EXPECT_EQ(get.data, &offset);

  PumpFor(100);
  EXPECT_EQ(InfoScrap()->scrapCount, count) << "the application's own put and get are no change";
  DisposeHandle(h);
  ClosePort(&port);
}

TEST_F(ScrapTest, GetScrapCountsTheFormatsPassedOverAndReportsAMissingType) {
  const UINT first = RegisterClipboardFormatA("ZEB test private format");
  ASSERT_TRUE(SetClipboardFormats({{first, "private"}, {CF_TEXT, "second"}}));
  Handle h = NewHandle(0);
  long offset = 0;
  EXPECT_EQ(GetScrap(h, kText, &offset), 6);
  EXPECT_EQ(offset, 1) << "one format passed over before CF_TEXT";
  EXPECT_EQ(HandleText(h), "second");

  // No format gives 'PICT': every format was offered, each passed over.
  Procedure().calls.clear();
  SetHandleSize(h, 3);
  std::memcpy(*h, "old", 3);
  offset = 0;
  EXPECT_EQ(GetScrap(h, kPict, &offset), noTypeErr);
  const size_t offered = CallsOf(ZEB_SCRAP_GET).size();
  EXPECT_GE(offered, 2u);
  EXPECT_EQ(offset, static_cast<long>(offered));
  EXPECT_EQ(HandleText(h), "old") << "the destination is kept";
  DisposeHandle(h);
}

TEST_F(ScrapTest, AnEmptyClipboardGivesNoTypeWithOffsetZero) {
  ASSERT_EQ(ZeroScrap(), noErr);
  Procedure().calls.clear();
  long offset = 99;
  EXPECT_EQ(GetScrap(nullptr, kText, &offset), noTypeErr);
  EXPECT_EQ(offset, 0);
  EXPECT_TRUE(Procedure().calls.empty()) << "no format, no call";
}

TEST_F(ScrapTest, ANilHandleOrOffsetIsPassedOnNeverWrittenThrough) {
  ASSERT_TRUE(SetClipboardFormats({{CF_TEXT, "length only"}}));
  long offset = -1;
  // A nil destination asks only for the length, as on the Macintosh.
  EXPECT_EQ(GetScrap(nullptr, kText, &offset), 11);
  EXPECT_EQ(offset, 0);
  // A nil offset: the procedure still gets somewhere to write, the caller's nil is never used.
  Handle h = NewHandle(0);
  Procedure().calls.clear();
  EXPECT_EQ(GetScrap(h, kText, nullptr), 11);
  ASSERT_FALSE(Procedure().calls.empty());
  EXPECT_NE(Procedure().calls[0].data, nullptr);
  EXPECT_EQ(HandleText(h), "length only");
  DisposeHandle(h);
}

TEST_F(ScrapTest, PutScrapRefusesBadLengthsAndSourcesWithTheClipboardUntouched) {
  ASSERT_TRUE(SetClipboardFormats({{CF_TEXT, "keep me"}}));
  PumpUntil([] { return InfoScrap()->scrapCount == 2; });
  const ScrapStuff before = *InfoScrap();
  Procedure().calls.clear();
  EXPECT_EQ(PutScrap(-1, kText, "x"), paramErr);
  EXPECT_EQ(PutScrap(-100000, kText, "x"), paramErr);
  EXPECT_EQ(PutScrap(4, kText, nullptr), paramErr);
  EXPECT_TRUE(Procedure().calls.empty());
  EXPECT_EQ(ClipboardText(), "keep me");
  EXPECT_EQ(std::memcmp(&before, InfoScrap(), sizeof before), 0);
  // An empty scrap of a type is no bad input.
  EXPECT_EQ(PutScrap(0, kText, nullptr), noErr);
  EXPECT_EQ(Procedure().calls.size(), 1u);
}

TEST_F(ScrapTest, ARefusedPutIsNoScrapErr) {
  ASSERT_EQ(ZeroScrap(), noErr);
  static const char kPicture[] = "\x00\x0A";
  EXPECT_EQ(PutScrap(2, kPict, kPicture), noScrapErr);
  EXPECT_EQ(ClipboardFormatCount(), 0);
}

TEST_F(ScrapTest, LoadDoesNothingAndUnloadOnlyClearsTheState) {
  ScrapStuff& r = cells_.scrapInfo;
  r.scrapState = 5;
  r.scrapSize = 40;
  EXPECT_EQ(LoadScrap(), noErr);
  EXPECT_EQ(LodeScrap(), noErr);
  EXPECT_EQ(r.scrapState, 5);
  EXPECT_EQ(UnloadScrap(), noErr);
  EXPECT_EQ(r.scrapState, 0);
  r.scrapState = 2;
  EXPECT_EQ(UnlodeScrap(), noErr);
  EXPECT_EQ(r.scrapState, 0);
  EXPECT_EQ(r.scrapSize, 40);
  EXPECT_EQ(r.scrapCount, 1);
}

TEST_F(ScrapTest, AClipboardHeldOpenElsewhereGivesFileLockedAndKeepsTheRecord) {
  ASSERT_TRUE(SetClipboardFormats({{CF_TEXT, "held"}}));
  PumpUntil([] { return InfoScrap()->scrapCount == 2; });
  const ScrapStuff before = *InfoScrap();
  {
    ClipboardHolder holder;
    ASSERT_TRUE(holder.holding());
    Procedure().calls.clear();
    long offset = 3;
    Handle h = NewHandle(0);
    EXPECT_EQ(GetScrap(h, kText, &offset), fLckdErr);
    EXPECT_EQ(offset, 0);
    EXPECT_EQ(GetHandleSize(h), 0);
    EXPECT_EQ(PutScrap(3, kText, "new"), fLckdErr);
    EXPECT_TRUE(Procedure().calls.empty());
    EXPECT_EQ(std::memcmp(&before, InfoScrap(), sizeof before), 0);
    // A notification while it is held counts nothing.
    ZEB_DrawClipboard();
    EXPECT_EQ(std::memcmp(&before, InfoScrap(), sizeof before), 0);
    // ZeroScrap lets go of the application's scrap all the same, but says it failed.
    EXPECT_EQ(ZeroScrap(), fLckdErr);
    EXPECT_EQ(InfoScrap()->scrapCount, before.scrapCount + 1);
    DisposeHandle(h);
  }
  EXPECT_EQ(ClipboardText(), "held") << "nothing was emptied";
}

class NoProcedureScrapTest : public ScrapTest {
 protected:
  NoProcedureScrapTest() { withProcedure_ = false; }
};

TEST_F(NoProcedureScrapTest, WithoutAProcedureGetAndPutFailButTheRecordStillCounts) {
  ASSERT_TRUE(SetClipboardFormats({{CF_TEXT, "unreadable"}}));
  EXPECT_TRUE(PumpUntil([] { return InfoScrap()->scrapCount == 2; }))
      << "another program's change counts without a procedure too";
  long offset = 8;
  EXPECT_EQ(GetScrap(nullptr, kText, &offset), noTypeErr);
  EXPECT_EQ(offset, 0);
  EXPECT_EQ(PutScrap(3, kText, "abc"), noScrapErr);
  EXPECT_EQ(ClipboardText(), "unreadable");
  EXPECT_EQ(ZeroScrap(), noErr);
  EXPECT_EQ(InfoScrap()->scrapCount, 3);
  EXPECT_EQ(ClipboardFormatCount(), 0);
}

}  // namespace
}  // namespace zebtest

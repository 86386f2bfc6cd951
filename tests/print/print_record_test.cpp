// The print record: its private words, validity, the default printer's absence and bad records.
#include <atomic>
#include <cstring>
#include <thread>

#include "MacMemory.h"
#include "print/print_internal.h"
#include "print/print_state.h"
#include "print_fixture.h"

namespace zebtest {
namespace {

using zeb::print::LiveEntryOf;

TEST(PrintRecordWords, PrivateWordsSitAtEvenOffsetsInLittleEndianOrder) {
  TPrint rec{};
  zeb::print::WritePrivate(rec, zeb::print::kPxReference, 0x11223344);
  zeb::print::WritePrivate(rec, zeb::print::kPxScale, 0xA0B0C0D0);
  const auto* x = reinterpret_cast<const unsigned char*>(rec.printX);
  EXPECT_EQ(x[4], 0x44);
  EXPECT_EQ(x[7], 0x11);
  EXPECT_EQ(x[32], 0xD0);
  EXPECT_EQ(x[35], 0xA0);
  EXPECT_EQ(zeb::print::ReadPrivate(rec, zeb::print::kPxReference), 0x11223344u);
  EXPECT_EQ(zeb::print::ReadPrivate(rec, zeb::print::kPxScale), 0xA0B0C0D0u);
  EXPECT_EQ(rec.printX[18], 0);  // the last word is past the library's values
}

using NoPrinterTest = PrintTest;

TEST_F(NoPrinterTest, PrintDefaultGives128AndShowsTheInitializationErrorBox) {
  THPrint h = NewRecord();
  TPrint before = **h;
  {
    BoxWatcher box("Initialization Error");
    PrintDefault(h);
    EXPECT_TRUE(box.Seen());
    EXPECT_NE(box.Text().find("no default printer"), std::string::npos) << box.Text();
  }
  EXPECT_EQ(PrError(), iPrAbort);
  EXPECT_EQ(cells_.printErr, iPrAbort);  // the application's PrintErr cell follows
  EXPECT_EQ(std::memcmp(&before, *h, sizeof(TPrint)), 0);
}

TEST_F(NoPrinterTest, ReportingSwitchSilencesTheBoxAndARecordWithAPageKeepsIt) {
  SilenceErrors(true);
  THPrint h = NewRecord();
  (**h).rPaper = {-10, -10, 782, 602};
  (**h).prInfo.rPage = {0, 0, 772, 592};
  const TPrint before = **h;
  BoxWatcher box("Initialization Error");
  PrintDefault(h);
  EXPECT_EQ(PrError(), iPrAbort);
  EXPECT_EQ(std::memcmp(&before, *h, sizeof(TPrint)), 0);
  Sleep(100);
  EXPECT_FALSE(box.Seen());
}

TEST_F(NoPrinterTest, NilAndShortRecordsAreNeverWritten) {
  SilenceErrors(true);
  PrintDefault(nullptr);
  EXPECT_EQ(PrError(), iPrAbort);
  PrOpen();
  Handle shortRecord = NewHandle(60);
  std::memset(*shortRecord, 0x5A, 60);
  THPrint h = reinterpret_cast<THPrint>(shortRecord);
  PrintDefault(h);
  EXPECT_EQ(PrError(), iPrAbort);
  PrOpen();
  EXPECT_FALSE(PrValidate(h));
  EXPECT_EQ(PrError(), iPrAbort);
  EXPECT_FALSE(PrJobDialog(h));
  EXPECT_EQ(PrOpenDoc(h, nullptr, nullptr), nullptr);
  ZEB_ReleasePrinter(h);
  for (int i = 0; i < 60; ++i) ASSERT_EQ(static_cast<unsigned char>((*shortRecord)[i]), 0x5A) << i;
  EXPECT_EQ(GetHandleSize(shortRecord), 60);
  DisposeHandle(shortRecord);
}

TEST_F(NoPrinterTest, FailedPrOpenDocIsUndoneEntirely) {
  SilenceErrors(true);
  THPrint h = NewRecord();
  GrafPtr before = nullptr;
  GetPort(&before);
  EXPECT_EQ(PrOpenDoc(h, nullptr, nullptr), nullptr);
  EXPECT_EQ(PrError(), iPrAbort);
  GrafPtr after = nullptr;
  GetPort(&after);
  EXPECT_EQ(after, before);
  EXPECT_TRUE(IsWindowEnabled(frame_));
  EXPECT_FALSE(zeb::print::Printing());
  EXPECT_EQ(zeb::print::PrinterDC(), nullptr);
  EXPECT_EQ(FindWindowA(nullptr, "Printing"), nullptr);
  // The idiom after a failed start: the page calls and PrCloseDoc on nil touch nothing.
  PrOpenPage(nullptr, nullptr);
  EXPECT_EQ(PrClosePage(nullptr), iPrAbort);
  PrCloseDoc(nullptr);
  EXPECT_EQ(PrError(), iPrAbort);
  EXPECT_TRUE(IsWindowEnabled(frame_));
}

TEST_F(NoPrinterTest, PageCallsOnAForeignPortTouchNothing) {
  TPrPort foreign;
  std::memset(&foreign, 0xAB, sizeof foreign);
  const TPrPort copy = foreign;
  Rect band = {1, 2, 3, 4};
  EXPECT_EQ(ZEB_PrOpenPageBand(&foreign, nullptr, &band), 0);
  EXPECT_EQ(band.right, 4);
  EXPECT_EQ(PrClosePage(&foreign), iPrAbort);
  PrCloseDoc(&foreign);
  EXPECT_EQ(std::memcmp(&foreign, &copy, sizeof foreign), 0);
  EXPECT_EQ(PrError(), iPrAbort);
}

TEST_F(NoPrinterTest, SetErrorAbortsUntilPrOpen) {
  PrSetError(5);
  EXPECT_EQ(PrError(), iPrAbort);
  PrOpen();
  EXPECT_EQ(PrError(), noErr);
  PrSetError(noErr);
  EXPECT_EQ(PrError(), noErr);
  PrSetError(-27);
  PrClose();
  EXPECT_EQ(PrError(), iPrAbort);  // PrClose clears the error, not the abort
  PrOpen();
  EXPECT_EQ(PrStlInit(nullptr), nullptr);
  EXPECT_FALSE(PrDlgMain(nullptr, nullptr));
}

using RecordValidityTest = PrintTest;

TEST_F(RecordValidityTest, ScriptedPrinterRecordIsFilledFromTheDevice) {
  THPrint h = NewRecord();
  AttachScriptedPrinter(h);
  PrOpen();
  EXPECT_TRUE(PrValidate(h));  // refreshed from its own entry: the page is the device's
  EXPECT_EQ(PrError(), noErr);
  const TPrint& r = **h;
  EXPECT_EQ(r.prInfo.iVRes, 300);
  EXPECT_EQ(r.prInfo.iHRes, 300);
  EXPECT_EQ(r.prInfo.iDev, 0x400);
  EXPECT_EQ(r.prInfo.rPage.bottom, 3300);
  EXPECT_EQ(r.prInfo.rPage.right, 2400);
  EXPECT_EQ(r.prStl.wDev, 0);
  EXPECT_EQ(r.prStl.iPageV, 279 * 1200 / 254);
  EXPECT_EQ(std::memcmp(&r.prInfoPT, &r.prInfo, sizeof r.prInfo), 0);
  EXPECT_EQ(zeb::print::ReadPrivate(r, zeb::print::kPxWidth), 2400u);
  EXPECT_EQ(zeb::print::ReadPrivate(r, zeb::print::kPxScale), 100u);  // no scale: full size
  EXPECT_FALSE(PrValidate(h));  // unchanged the second time
}

TEST_F(RecordValidityTest, StaleStampsForeignReferencesAndSignaturesAreInvalid) {
  THPrint h = NewRecord();
  AttachScriptedPrinter(h);
  TPrint good = **h;
  ASSERT_NE(LiveEntryOf(good), nullptr);
  struct Case {
    const char* what;
    int word;
    short value;
  } cases[] = {
      {"signature", 0, 0x1210},
      {"second signature", 1, 0},
      {"stamp", 4, static_cast<short>(good.printX[4] + 1)},
      {"reference beyond the table", 3, 0x7FFF},
      {"reference zero", 2, 0},
      {"copies zero", 10, 0},
      {"scale zero", 16, 0},
  };
  for (const Case& c : cases) {
    TPrint bad = good;
    bad.printX[c.word] = c.value;
    if (c.word == 2) bad.printX[3] = 0;
    EXPECT_EQ(LiveEntryOf(bad), nullptr) << c.what;
  }
  // A stale record is made again from the default printer: there is none here.
  SilenceErrors(true);
  (**h).printX[4] ^= 0x100;
  EXPECT_TRUE(PrValidate(h));
  EXPECT_EQ(PrError(), iPrAbort);
}

TEST_F(RecordValidityTest, SeventyTwoDpiRecordsAreInPoints) {
  ZEB_SetFlags(ZEB_SF_PRINT72DPI, ZEB_SF_PRINT72DPI, 0, 0);
  THPrint h = NewRecord();
  AttachScriptedPrinter(h);
  PrValidate(h);
  ZEB_SetFlags(ZEB_SF_PRINT72DPI, 0, 0, 0);
  EXPECT_EQ((**h).prInfo.iVRes, 72);
  EXPECT_EQ((**h).prInfo.rPage.bottom, 792);
  EXPECT_EQ((**h).prInfo.rPage.right, 576);
}

TEST_F(RecordValidityTest, ReleasePrinterDeletesTheEntrysContextOnly) {
  THPrint h = NewRecord();
  AttachScriptedPrinter(h);
  HDC dc = nullptr;
  ZEB_GetWinPrintInfo(h, &dc, nullptr);
  ASSERT_NE(dc, nullptr);
  ZEB_ReleasePrinter(h);
  HDC after = reinterpret_cast<HDC>(1);
  ZEB_GetWinPrintInfo(h, &after, nullptr);
  EXPECT_EQ(after, nullptr);
  EXPECT_NE(LiveEntryOf(**h), nullptr);  // the entry stays live
  long reference = 0;
  ZEB_GetWinPrintInfo(h, nullptr, &reference);
  EXPECT_EQ(reference, static_cast<long>(zeb::print::ReadPrivate(**h, zeb::print::kPxReference)));
}

TEST_F(RecordValidityTest, SettingsChangesAnswerTheirSections) {
  EXPECT_EQ(ZEB_WinIniChange("devices"), 2);
  EXPECT_TRUE(zeb::print::State().changedDevices);
  EXPECT_EQ(ZEB_WinIniChange("windows"), 1);
  EXPECT_EQ(ZEB_WinIniChange("intl"), 4);
  EXPECT_EQ(ZEB_WinIniChange(nullptr), 0);
  EXPECT_EQ(ZEB_WinIniChange("fonts"), 0);
  // The next dialog takes both changes and clears them.
  SilenceErrors(true);
  THPrint h = NewRecord();
  PrintDefault(h);
  EXPECT_FALSE(zeb::print::State().changedDevices);
  EXPECT_FALSE(zeb::print::State().changedDefault);
}

}  // namespace
}  // namespace zebtest

namespace zebtest {
namespace {

// What the print-setup dialog saw of its owner while it was up.
struct SetupDialogSeen {
  std::atomic<bool> shown{false};
  std::atomic<bool> frameDisabled{false};
};

TEST_F(NoPrinterTest, PrStlDialogStillRunsTheSetupDialog) {
  SilenceErrors(true);
  THPrint h = NewRecord();
  SetupDialogSeen seen;
  std::atomic<bool> stop{false};
  const DWORD thread = GetCurrentThreadId();
  HWND frame = frame_;
  std::thread watcher([&] {
    while (!stop) {
      HWND found = nullptr;
      EnumThreadWindows(thread, [](HWND w, LPARAM l) -> BOOL {
        char cls[16] = "";
        GetClassNameA(w, cls, sizeof cls);
        if (IsWindowVisible(w) && lstrcmpA(cls, "#32770") == 0) {
          *reinterpret_cast<HWND*>(l) = w;
          return FALSE;
        }
        return TRUE;
      }, reinterpret_cast<LPARAM>(&found));
      if (found) {
        seen.shown = true;
        // Any box the dialog runner shows first (an error box) must not hide the disabled frame.
        seen.frameDisabled = seen.frameDisabled || !IsWindowEnabled(frame);
        PostMessageA(found, WM_COMMAND, IDCANCEL, 0);
      }
      Sleep(20);
    }
  });
  const Boolean ok = PrStlDialog(h);
  stop = true;
  watcher.join();
  EXPECT_FALSE(ok);
  EXPECT_TRUE(seen.shown);
  EXPECT_TRUE(seen.frameDisabled);
  EXPECT_TRUE(IsWindowEnabled(frame_));
}

}  // namespace
}  // namespace zebtest

// The print loop on a real printer driver: Wine's PostScript driver in front of a print server
// whose queues write each job as a PDF file (tools/printer-env). tools/print-check runs this
// program with ZEB_REAL_PRINTER set to the name its documents start with, then renders the PDFs
// and counts the bars each page drew: page n of a document draws n bars. Without the variable
// every case is skipped.
#include <windows.h>

#include <commdlg.h>
#include <dlgs.h>
#include <winspool.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "MacMemory.h"
#include "MacWindows.h"
#include "Printing.h"
#include "Quickdraw.h"
#include "print/print_internal.h"
#include "print/print_state.h"
#include "print/printer_escapes.h"
#include "print_fixture.h"

namespace zebtest {
namespace {

using zeb::print::LiveEntryOf;
using zeb::print::PrinterEntry;
using zeb::print::ReadPrivate;

constexpr char kDefaultQueue[] = "ZEBTest";
constexpr char kOtherQueue[] = "ZEBTestB";

// The application's print-dialog hook: asks for hookCopies collated copies (none: the
// dialog's own) and presses OK.
int g_hookCopies = 0;
int g_hookCalls = 0;
UINT_PTR CALLBACK PrintHook(HWND dialog, UINT message, WPARAM, LPARAM) {
  if (message != WM_INITDIALOG) return 0;
  ++g_hookCalls;
  if (g_hookCopies > 0) {
    SetDlgItemInt(dialog, edt3, static_cast<UINT>(g_hookCopies), FALSE);
    CheckDlgButton(dialog, chx2, BST_CHECKED);
  }
  PostMessageA(dialog, WM_COMMAND, IDOK, 0);
  return TRUE;
}

// The real driver, with a log of the document and page calls that reach it.
class RecordingDriver : public zeb::print::PrinterEscapes {
 public:
  std::vector<std::string> log;
  int StartDocument(HDC dc, const char* name, bool byEscape) override {
    log.push_back("StartDoc");
    return PrinterEscapes::StartDocument(dc, name, byEscape);
  }
  int EndDocument(HDC dc, bool byEscape) override {
    log.push_back("EndDoc");
    return PrinterEscapes::EndDocument(dc, byEscape);
  }
  int AbortDocument(HDC dc, bool byEscape) override {
    log.push_back("AbortDoc");
    return PrinterEscapes::AbortDocument(dc, byEscape);
  }
  int StartPageOn(HDC dc) override {
    log.push_back("StartPage");
    return PrinterEscapes::StartPageOn(dc);
  }
  int EndPageOn(HDC dc, bool byEscape) override {
    log.push_back("EndPage");
    return PrinterEscapes::EndPageOn(dc, byEscape);
  }
  int Count(const char* call) const {
    int n = 0;
    for (const std::string& c : log) n += c == call;
    return n;
  }
};

std::string DeviceNameOf(const PrinterEntry* entry) {
  std::string name;
  if (!entry) return name;
  auto* pd = static_cast<PRINTDLGA*>(GlobalLock(entry->block));
  if (pd && pd->hDevNames) {
    const auto* dn = static_cast<const DEVNAMES*>(GlobalLock(pd->hDevNames));
    if (dn) name = reinterpret_cast<const char*>(dn) + dn->wDeviceOffset;
    GlobalUnlock(pd->hDevNames);
  }
  GlobalUnlock(entry->block);
  return name;
}

std::string PortNameOf(const PrinterEntry* entry) {
  std::string name;
  if (!entry) return name;
  auto* pd = static_cast<PRINTDLGA*>(GlobalLock(entry->block));
  if (pd && pd->hDevNames) {
    const auto* dn = static_cast<const DEVNAMES*>(GlobalLock(pd->hDevNames));
    if (dn) name = reinterpret_cast<const char*>(dn) + dn->wOutputOffset;
    GlobalUnlock(pd->hDevNames);
  }
  GlobalUnlock(entry->block);
  return name;
}

class RealPrinterTest : public PrintTest {
 protected:
  void SetUp() override {
    const char* base = std::getenv("ZEB_REAL_PRINTER");
    if (!base || !*base) {
      skipped_ = true;
      GTEST_SKIP() << "ZEB_REAL_PRINTER is not set (tools/print-check sets it)";
    }
    base_ = base;
    ASSERT_TRUE(SetDefaultPrinterA(kDefaultQueue)) << GetLastError();
    g_hookCopies = 0;
    g_hookCalls = 0;
    session_.printDialogHook = reinterpret_cast<FARPROC>(reinterpret_cast<void*>(&PrintHook));
    PrintTest::SetUp();
  }
  void TearDown() override {
    if (skipped_) return;
    PrintTest::TearDown();
    SetDefaultPrinterA(kDefaultQueue);
  }

  // The document's name goes to the spooler as the job's title, and so names its PDF.
  void NameDocument(const char* suffix) {
    const std::string name = base_ + suffix;
    Str255 title;
    title[0] = static_cast<unsigned char>(name.size());
    std::memcpy(title + 1, name.data(), name.size());
    ZEB_SetPrintFileName(title);
  }

  // One page: bars black bars a quarter inch wide, half an inch apart, from one inch to four
  // inches down the printable area.
  static short PrintBarsPage(TPPrPort port, const TPrint& rec, int bars) {
    PrOpenPage(port, nullptr);
    const int dpiH = rec.prInfo.iHRes, dpiV = rec.prInfo.iVRes;
    for (int k = 0; k < bars; ++k) {
      Rect bar;
      bar.left = static_cast<short>(dpiH + k * dpiH / 2);
      bar.right = static_cast<short>(bar.left + dpiH / 4);
      bar.top = static_cast<short>(dpiV);
      bar.bottom = static_cast<short>(4 * dpiV);
      PaintRect(&bar);
    }
    return PrClosePage(port);
  }

  THPrint DefaultRecord() {
    THPrint h = NewRecord();
    PrintDefault(h);
    EXPECT_EQ(PrError(), noErr);
    return h;
  }

  bool skipped_ = false;
  std::string base_;
  RecordingDriver driver_;
};

TEST_F(RealPrinterTest, TheDefaultRecordIsFilledFromTheDriversContext) {
  THPrint h = DefaultRecord();
  const TPrint& rec = **h;
  const auto* x = reinterpret_cast<const unsigned char*>(rec.printX);
  EXPECT_EQ(x[0] | (x[1] << 8), 0x120F);
  EXPECT_EQ(x[2] | (x[3] << 8), 0xCA1C);
  PrinterEntry* entry = LiveEntryOf(rec);
  ASSERT_NE(entry, nullptr);
  EXPECT_EQ(ReadPrivate(rec, zeb::print::kPxStamp), entry->stamp);
  EXPECT_EQ(DeviceNameOf(entry), kDefaultQueue);

  HDC dc = nullptr;
  ZEB_GetWinPrintInfo(h, &dc, nullptr);
  ASSERT_NE(dc, nullptr);
  const int horz = GetDeviceCaps(dc, HORZRES), vert = GetDeviceCaps(dc, VERTRES);
  ASSERT_GT(horz, 0);
  EXPECT_EQ(ReadPrivate(rec, zeb::print::kPxWidth), static_cast<uint32_t>(horz));
  EXPECT_EQ(ReadPrivate(rec, zeb::print::kPxHeight), static_cast<uint32_t>(vert));
  EXPECT_EQ(ReadPrivate(rec, zeb::print::kPxScale), 100u);
  EXPECT_EQ(rec.prInfo.iHRes, GetDeviceCaps(dc, LOGPIXELSX));
  EXPECT_EQ(rec.prInfo.iVRes, GetDeviceCaps(dc, LOGPIXELSY));
  EXPECT_EQ(rec.prInfo.rPage.top, 0);
  EXPECT_EQ(rec.prInfo.rPage.left, 0);
  EXPECT_EQ(rec.prInfo.rPage.bottom, vert);
  EXPECT_EQ(rec.prInfo.rPage.right, horz);
  EXPECT_EQ(rec.prInfo.iDev, static_cast<short>(GetDeviceCaps(dc, DRIVERVERSION)));
  EXPECT_EQ(rec.prStl.wDev, 0x300);  // Wine's driver speaks PostScript
  EXPECT_EQ(rec.prStl.iPageH, GetDeviceCaps(dc, HORZSIZE) * 1200 / 254);
  EXPECT_EQ(rec.prStl.iPageV, GetDeviceCaps(dc, VERTSIZE) * 1200 / 254);
  // The paper lies around the printable area: its corner at minus the printing offset.
  POINT offset{}, physical{};
  ASSERT_GT(Escape(dc, GETPRINTINGOFFSET, 0, nullptr, &offset), 0);
  ASSERT_GT(Escape(dc, GETPHYSPAGESIZE, 0, nullptr, &physical), 0);
  EXPECT_EQ(rec.rPaper.left, -offset.x);
  EXPECT_EQ(rec.rPaper.top, -offset.y);
  EXPECT_EQ(rec.rPaper.right - rec.rPaper.left, physical.x);
  EXPECT_EQ(rec.rPaper.bottom - rec.rPaper.top, physical.y);
  EXPECT_LE(rec.rPaper.left, rec.prInfo.rPage.left);
  EXPECT_GE(rec.rPaper.right, rec.prInfo.rPage.right);
  EXPECT_EQ(std::memcmp(&rec.prInfoPT, &rec.prInfo, sizeof rec.prInfo), 0);
  EXPECT_EQ(rec.prJob.iFstPage, iPrPgFst);
  EXPECT_EQ(rec.prJob.iLstPage, iPrPgMax);
}

TEST_F(RealPrinterTest, AStaleStampOrReferenceIsRecreatedFromTheDefaultPrinter) {
  THPrint h = DefaultRecord();
  const TPrint fresh = **h;
  const uint32_t stamp = ReadPrivate(fresh, zeb::print::kPxStamp);
  // As read back from a document saved in an earlier session.
  zeb::print::WritePrivate(**h, zeb::print::kPxStamp, stamp + 1);
  EXPECT_EQ(LiveEntryOf(**h), nullptr);
  EXPECT_TRUE(PrValidate(h));
  EXPECT_EQ(PrError(), noErr);
  PrinterEntry* entry = LiveEntryOf(**h);
  ASSERT_NE(entry, nullptr);
  EXPECT_EQ(ReadPrivate(**h, zeb::print::kPxStamp), entry->stamp);
  EXPECT_EQ(DeviceNameOf(entry), kDefaultQueue);
  EXPECT_EQ(std::memcmp(&(**h).prInfo, &fresh.prInfo, sizeof fresh.prInfo), 0);
  EXPECT_EQ(std::memcmp(&(**h).rPaper, &fresh.rPaper, sizeof fresh.rPaper), 0);

  zeb::print::WritePrivate(**h, zeb::print::kPxReference, 0x7FFFFFFF);
  EXPECT_TRUE(PrValidate(h));
  EXPECT_NE(LiveEntryOf(**h), nullptr);
  // A valid record stays as it is.
  EXPECT_FALSE(PrValidate(h));
}

TEST_F(RealPrinterTest, PagesThreeToFourOfAFivePageLoopReachTheDriver) {
  THPrint h = DefaultRecord();
  (**h).prJob.iFstPage = 3;
  (**h).prJob.iLstPage = 4;
  zeb::print::UseEscapes(&driver_);
  NameDocument("Range");
  TPPrPort port = PrOpenDoc(h, nullptr, nullptr);
  ASSERT_NE(port, nullptr);
  EXPECT_NE(FindWindowA(nullptr, "Printing"), nullptr);  // the abort dialog
  unsigned long dc = 0, printerDC = 0;
  unsigned short printing = 0;
  ZEB_GetCurHDCs(&dc, &printerDC, &printing);
  EXPECT_EQ(printing, 1);
  EXPECT_NE(printerDC, 0u);
  for (int page = 1; page <= 5; ++page) EXPECT_EQ(PrintBarsPage(port, **h, page), noErr) << page;
  PrCloseDoc(port);
  EXPECT_EQ(PrError(), noErr);
  EXPECT_EQ(driver_.Count("StartPage"), 2);
  EXPECT_EQ(driver_.Count("EndPage"), 2);
  EXPECT_EQ(driver_.Count("EndDoc"), 1);
  EXPECT_EQ(driver_.Count("AbortDoc"), 0);
  EXPECT_EQ(FindWindowA(nullptr, "Printing"), nullptr);
  EXPECT_TRUE(IsWindowEnabled(frame_));
}

TEST_F(RealPrinterTest, CollatedCopiesFromTheApplicationsDialogHookArePrintedPassByPass) {
  THPrint h = DefaultRecord();
  g_hookCopies = 2;
  ASSERT_TRUE(PrJobDialog(h));
  EXPECT_EQ(g_hookCalls, 1);
  EXPECT_EQ(PrError(), noErr);
  EXPECT_EQ((**h).prJob.iCopies, 1);  // the driver prints one of each pass
  zeb::print::UseEscapes(&driver_);
  NameDocument("Collate");
  TPPrPort port = PrOpenDoc(h, nullptr, nullptr);
  ASSERT_NE(port, nullptr);
  const short copies = ZEB_GetCollateCopies();
  EXPECT_EQ(copies, 2);
  for (int pass = 0; pass < copies; ++pass)
    for (int page = 1; page <= 2; ++page) EXPECT_EQ(PrintBarsPage(port, **h, page), noErr);
  PrCloseDoc(port);
  EXPECT_EQ(PrError(), noErr);
  EXPECT_EQ(driver_.Count("EndPage"), 4);
  EXPECT_EQ(ZEB_GetCollateCopies(), 1);  // the next document starts with one
}

TEST_F(RealPrinterTest, CancelInTheAbortDialogAbortsTheJob) {
  THPrint h = DefaultRecord();
  zeb::print::UseEscapes(&driver_);
  NameDocument("Cancel");
  TPPrPort port = PrOpenDoc(h, nullptr, nullptr);
  ASSERT_NE(port, nullptr);
  EXPECT_EQ(PrintBarsPage(port, **h, 1), noErr);
  HWND dialog = FindWindowA(nullptr, "Printing");
  ASSERT_NE(dialog, nullptr);
  PostMessageA(GetDlgItem(dialog, 2), BM_CLICK, 0, 0);
  PrOpenPage(port, nullptr);  // the abort procedure takes the click here
  EXPECT_EQ(PrError(), iPrAbort);
  EXPECT_EQ(PrClosePage(port), iPrAbort);
  PrCloseDoc(port);
  EXPECT_EQ(PrError(), iPrAbort);
  EXPECT_EQ(driver_.Count("AbortDoc"), 1);
  EXPECT_EQ(driver_.Count("EndDoc"), 0);
  EXPECT_EQ(driver_.Count("StartPage"), 1);
  EXPECT_TRUE(IsWindowEnabled(frame_));
}

int g_idleCalls = 0;
void ZEBAPI CountingIdle() { ++g_idleCalls; }

TEST_F(RealPrinterTest, TheIdleProcedureRunsWhileTheDocumentPrints) {
  THPrint h = DefaultRecord();
  g_idleCalls = 0;
  (**h).prJob.pIdleProc = &CountingIdle;
  NameDocument("Idle");
  TPPrPort port = PrOpenDoc(h, nullptr, nullptr);
  ASSERT_NE(port, nullptr);
  EXPECT_EQ(FindWindowA(nullptr, "Printing"), nullptr);  // no abort dialog with an idle procedure
  EXPECT_EQ(PrintBarsPage(port, **h, 1), noErr);
  const int duringPage = g_idleCalls;
  PrCloseDoc(port);
  EXPECT_GE(duringPage, 1);
  EXPECT_EQ(PrError(), noErr);
}

TEST_F(RealPrinterTest, ResolutionsComeFromTheDriversDeviceCapabilities) {
  THPrint h = DefaultRecord();
  PrinterEntry* entry = LiveEntryOf(**h);
  ASSERT_NE(entry, nullptr);
  const std::string device = DeviceNameOf(entry), port = PortNameOf(entry);
  const int count = DeviceCapabilitiesA(device.c_str(), port.c_str(), DC_ENUMRESOLUTIONS, nullptr, nullptr);
  ASSERT_GT(count, 0);
  std::vector<LONG> pairs(static_cast<size_t>(count) * 2);
  ASSERT_EQ(DeviceCapabilitiesA(device.c_str(), port.c_str(), DC_ENUMRESOLUTIONS,
                                reinterpret_cast<LPSTR>(pairs.data()), nullptr),
            count);
  TGetRslBlk block;
  std::memset(&block, 0x55, sizeof block);
  block.iOpCode = getRslDataOp;
  PrGeneral(reinterpret_cast<Ptr>(&block));
  ASSERT_EQ(block.iError, noErr);
  const int stored = count < 27 ? count : 27;
  ASSERT_EQ(block.iRslRecCnt, stored);
  short minX = 32767, maxX = 0;
  for (int i = 0; i < stored; ++i) {
    EXPECT_EQ(block.rgRslRec[i].iXRsl, pairs[i * 2]) << i;
    EXPECT_EQ(block.rgRslRec[i].iYRsl, pairs[i * 2 + 1]) << i;
    if (pairs[i * 2] < minX) minX = static_cast<short>(pairs[i * 2]);
    if (pairs[i * 2] > maxX) maxX = static_cast<short>(pairs[i * 2]);
  }
  EXPECT_EQ(block.xRslRg.iMin, minX);
  EXPECT_EQ(block.xRslRg.iMax, maxX);
  EXPECT_EQ(block.lReserved, 0);
}

TEST_F(RealPrinterTest, ASettingsChangeOfTheDefaultPrinterGivesTheNewPrinter) {
  THPrint h = DefaultRecord();
  EXPECT_EQ(DeviceNameOf(LiveEntryOf(**h)), kDefaultQueue);
  // The same default: the records stay with their printer.
  EXPECT_EQ(ZEB_WinIniChange("windows"), 1);
  ASSERT_TRUE(PrJobDialog(h));  // shown, and the hook presses OK
  EXPECT_EQ(g_hookCalls, 1);
  EXPECT_EQ(DeviceNameOf(LiveEntryOf(**h)), kDefaultQueue);

  ASSERT_TRUE(SetDefaultPrinterA(kOtherQueue)) << GetLastError();
  EXPECT_EQ(ZEB_WinIniChange("windows"), 1);
  // The record was made for the old default: the dialog fetches the new one, without a box.
  ASSERT_TRUE(PrJobDialog(h));
  EXPECT_EQ(g_hookCalls, 1);
  EXPECT_EQ(PrError(), noErr);
  EXPECT_EQ(DeviceNameOf(LiveEntryOf(**h)), kOtherQueue);
  HDC dc = nullptr;
  ZEB_GetWinPrintInfo(h, &dc, nullptr);
  ASSERT_NE(dc, nullptr);
  EXPECT_EQ(ReadPrivate(**h, zeb::print::kPxWidth), static_cast<uint32_t>(GetDeviceCaps(dc, HORZRES)));

  // A changed list of printers: the dialog starts from the printer list afresh and still
  // answers for the record.
  EXPECT_EQ(ZEB_WinIniChange("devices"), 2);
  ASSERT_TRUE(PrJobDialog(h));
  EXPECT_EQ(g_hookCalls, 2);
  EXPECT_NE(LiveEntryOf(**h), nullptr);
  EXPECT_FALSE(DeviceNameOf(LiveEntryOf(**h)).empty());
}

}  // namespace
}  // namespace zebtest

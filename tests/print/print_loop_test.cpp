// The print loop on a scripted printer: pages and their range, bands, the abort dialog, the
// idle procedure and failed starts.
#include <windows.h>

#include <commdlg.h>

#include <cstring>

#include "MacMemory.h"
#include "MacWindows.h"
#include "print/print_internal.h"
#include "print/print_state.h"
#include "print_fixture.h"

namespace zebtest {
namespace {

using PrintLoopTest = PrintTest;

// Runs a page loop of pages pages, each drawing a rectangle; returns PrClosePage's results.
std::vector<short> PrintPages(TPPrPort port, int pages) {
  std::vector<short> results;
  for (int p = 0; p < pages; ++p) {
    PrOpenPage(port, nullptr);
    Rect r = {10, 10, 100, 100};
    PaintRect(&r);
    results.push_back(PrClosePage(port));
  }
  return results;
}

TEST_F(PrintLoopTest, PagesThreeToFourOfFiveStartAndEndTwoPages) {
  THPrint h = NewRecord();
  AttachScriptedPrinter(h);
  (**h).prJob.pIdleProc = nullptr;
  PrValidate(h);
  (**h).prJob.iFstPage = 3;
  (**h).prJob.iLstPage = 4;
  const unsigned char name[] = "\x06Report";
  ZEB_SetPrintFileName(name);
  TPPrPort port = PrOpenDoc(h, nullptr, nullptr);
  ASSERT_NE(port, nullptr);
  EXPECT_TRUE(zeb::print::Printing());
  EXPECT_TRUE(zeb::print::IsPrintingPort(port));
  EXPECT_FALSE(IsWindowEnabled(frame_));  // the abort dialog is up
  HWND dialog = FindWindowA(nullptr, "Printing");
  ASSERT_NE(dialog, nullptr);
  char text[64] = "";
  GetDlgItemTextA(dialog, 402, text, sizeof text);
  EXPECT_STREQ(text, "Report");
  GetDlgItemTextA(dialog, 401, text, sizeof text);
  EXPECT_STREQ(text, "Printing in progress");  // string 1026 of the application
  unsigned long dc = 0, printerDC = 0;
  unsigned short printing = 0;
  ZEB_GetCurHDCs(&dc, &printerDC, &printing);
  EXPECT_EQ(printing, 1);
  EXPECT_NE(printerDC, 0u);
  EXPECT_EQ(port->gPort.portRect.bottom, 3300);

  for (short r : PrintPages(port, 5)) EXPECT_GE(r, 0);
  PrCloseDoc(port);
  EXPECT_EQ(PrError(), noErr);
  EXPECT_EQ(printer_.Count("StartPage"), 2);
  EXPECT_EQ(printer_.Count("EndPage"), 2);
  EXPECT_EQ(printer_.Count("EndDoc"), 1);
  EXPECT_EQ(printer_.documentName, "Report");
  EXPECT_TRUE(IsWindowEnabled(frame_));
  EXPECT_EQ(FindWindowA(nullptr, "Printing"), nullptr);
  EXPECT_FALSE(zeb::print::Printing());
  GrafPtr current = nullptr;
  GetPort(&current);
  EXPECT_EQ(current, &screenPort_);
}

TEST_F(PrintLoopTest, CancelInTheAbortDialogAbortsTheDocument) {
  THPrint h = NewRecord();
  AttachScriptedPrinter(h);
  TPPrPort port = PrOpenDoc(h, nullptr, nullptr);
  ASSERT_NE(port, nullptr);
  PrintPages(port, 1);
  HWND dialog = FindWindowA(nullptr, "Printing");
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(GetFocus(), GetDlgItem(dialog, 2));
  PostMessageA(GetDlgItem(dialog, 2), BM_CLICK, 0, 0);
  // The abort procedure pumps the click at the next page; the page is then not drawn.
  PrOpenPage(port, nullptr);
  EXPECT_EQ(PrError(), iPrAbort);
  EXPECT_EQ(PrClosePage(port), iPrAbort);
  PrCloseDoc(port);
  EXPECT_EQ(printer_.Count("AbortDoc"), 1);
  EXPECT_EQ(printer_.Count("EndDoc"), 0);
  EXPECT_EQ(printer_.Count("StartPage"), 1);
  EXPECT_EQ(PrError(), iPrAbort);
  EXPECT_TRUE(IsWindowEnabled(frame_));
}

int g_idleCalls = 0;
void ZEBAPI IdleThatCancels() {
  if (++g_idleCalls == 2) PrSetError(iPrAbort);
}

TEST_F(PrintLoopTest, TheIdleProcedureRunsInsteadOfTheDialogAndMayCancel) {
  THPrint h = NewRecord();
  AttachScriptedPrinter(h);
  g_idleCalls = 0;
  (**h).prJob.pIdleProc = &IdleThatCancels;
  TPPrPort port = PrOpenDoc(h, nullptr, nullptr);
  ASSERT_NE(port, nullptr);
  EXPECT_EQ(FindWindowA(nullptr, "Printing"), nullptr);
  EXPECT_TRUE(IsWindowEnabled(frame_));
  PrintPages(port, 3);
  PrCloseDoc(port);
  EXPECT_EQ(g_idleCalls, 3);
  EXPECT_EQ(printer_.Count("StartPage"), 1);
  EXPECT_EQ(printer_.Count("AbortDoc"), 1);
  EXPECT_EQ(PrError(), iPrAbort);
}

int g_quietIdleCalls = 0;
void ZEBAPI QuietIdle() { ++g_quietIdleCalls; }
int g_stoppingIdleCalls = 0;
void ZEBAPI IdleThatStopsAtOnce() {
  ++g_stoppingIdleCalls;
  PrSetError(iPrAbort);
}

TEST_F(PrintLoopTest, AnIdleProcedureAskedFromStartDocDoesNotAbortTheStart) {
  THPrint h = NewRecord();
  AttachScriptedPrinter(h);
  printer_.abortProcInStartDoc = true;
  g_quietIdleCalls = 0;
  (**h).prJob.pIdleProc = &QuietIdle;
  TPPrPort port = PrOpenDoc(h, nullptr, nullptr);
  ASSERT_NE(port, nullptr);
  EXPECT_EQ(g_quietIdleCalls, 1);
  EXPECT_EQ(PrError(), noErr);
  PrintPages(port, 1);
  PrCloseDoc(port);
  EXPECT_EQ(printer_.Count("EndDoc"), 1);
  EXPECT_EQ(PrError(), noErr);

  // One that stops the job from there is still obeyed.
  PrOpen();
  THPrint h2 = NewRecord();
  AttachScriptedPrinter(h2);
  g_stoppingIdleCalls = 0;
  (**h2).prJob.pIdleProc = &IdleThatStopsAtOnce;
  SilenceErrors(true);
  EXPECT_EQ(PrOpenDoc(h2, nullptr, nullptr), nullptr);
  EXPECT_EQ(g_stoppingIdleCalls, 1);
  EXPECT_EQ(PrError(), iPrAbort);
  EXPECT_FALSE(zeb::print::Printing());
}

TEST_F(PrintLoopTest, FailedStartDocUndoesPortDialogFrameAndCurrentPort) {
  THPrint h = NewRecord();
  AttachScriptedPrinter(h);
  printer_.startDocResult = -1;
  TPrPort own;
  std::memset(&own, 0, sizeof own);
  {
    // The application's string 1027 tells the user, in a box of its own.
    BoxWatcher box("Error");
    EXPECT_EQ(PrOpenDoc(h, &own, nullptr), nullptr);
    EXPECT_TRUE(box.Seen());
    EXPECT_EQ(box.Text(), "The printer could not start the document.");
  }
  EXPECT_EQ(PrError(), iPrAbort);
  EXPECT_TRUE(IsWindowEnabled(frame_));
  EXPECT_EQ(FindWindowA(nullptr, "Printing"), nullptr);
  EXPECT_EQ(own.gPort.visRgn, nullptr);  // the caller's port was closed again
  GrafPtr current = nullptr;
  GetPort(&current);
  EXPECT_EQ(current, &screenPort_);
  EXPECT_FALSE(zeb::print::Printing());
  PrCloseDoc(nullptr);
  EXPECT_EQ(printer_.Count("AbortDoc") + printer_.Count("EndDoc"), 0);
}

TEST_F(PrintLoopTest, AFullDiskDuringTheJobIsShownAndAbortsIt) {
  THPrint h = NewRecord();
  AttachScriptedPrinter(h);
  TPPrPort port = PrOpenDoc(h, nullptr, nullptr);
  ASSERT_NE(port, nullptr);
  ASSERT_NE(printer_.abortProc, nullptr);
  PrintPages(port, 1);
  {
    // What the spooler tells the abort procedure when the disk fills (SP_OUTOFDISK).
    BoxWatcher box("Error");
    EXPECT_FALSE(printer_.abortProc(zeb::print::PrinterDC(), SP_OUTOFDISK));
    EXPECT_TRUE(box.Seen());
    EXPECT_EQ(box.Text(), "There is no room left on the disk for printing.");
  }
  PrOpenPage(port, nullptr);
  EXPECT_EQ(PrError(), iPrAbort);
  PrClosePage(port);
  PrCloseDoc(port);
  EXPECT_EQ(printer_.Count("AbortDoc"), 1);
  EXPECT_EQ(printer_.Count("EndDoc"), 0);
  EXPECT_EQ(printer_.Count("StartPage"), 1);
}

TEST_F(PrintLoopTest, AbortToTopFocusesCancelOnlyWhileTheDialogIsUp) {
  THPrint h = NewRecord();
  AttachScriptedPrinter(h);
  TPPrPort port = PrOpenDoc(h, nullptr, nullptr);
  ASSERT_NE(port, nullptr);
  HWND dialog = FindWindowA(nullptr, "Printing");
  ASSERT_NE(dialog, nullptr);
  SetFocus(GetDlgItem(dialog, 401));
  SetWindowPos(dialog, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  ZEB_AbortToTop();
  EXPECT_EQ(GetFocus(), GetDlgItem(dialog, 2));
  // Nothing of this thread's top-level windows lies above the dialog again.
  for (HWND above = GetWindow(dialog, GW_HWNDPREV); above; above = GetWindow(above, GW_HWNDPREV))
    if (GetWindowThreadProcessId(above, nullptr) == GetCurrentThreadId() && IsWindowVisible(above))
      ADD_FAILURE() << "a window of the test is still above the abort dialog";
  PrCloseDoc(port);

  // Without a dialog (an idle procedure runs the job) there is nothing to bring up.
  PrOpen();
  THPrint quiet = NewRecord();
  AttachScriptedPrinter(quiet);
  g_quietIdleCalls = 0;
  (**quiet).prJob.pIdleProc = &QuietIdle;
  port = PrOpenDoc(quiet, nullptr, nullptr);
  ASSERT_NE(port, nullptr);
  SetFocus(frame_);
  ZEB_AbortToTop();
  EXPECT_EQ(GetFocus(), frame_);
  PrCloseDoc(port);
}

TEST_F(PrintLoopTest, FailedEndPageIsReportedNotSuccess) {
  THPrint h = NewRecord();
  AttachScriptedPrinter(h);
  (**h).prJob.pIdleProc = &IdleThatCancels;
  g_idleCalls = -100;
  printer_.endPageResult = -1;
  TPPrPort port = PrOpenDoc(h, nullptr, nullptr);
  ASSERT_NE(port, nullptr);
  EXPECT_EQ(PrintPages(port, 1)[0], iPrAbort);
  PrCloseDoc(port);
  EXPECT_EQ(printer_.Count("AbortDoc"), 1);
}

using BandingTest = PrintTest;

TEST_F(BandingTest, BandsComeFromTheDriverInToolboxCoordinates) {
  ZEB_SetFlags(ZEB_SF_PRINT72DPI, ZEB_SF_PRINT72DPI, ZEB_SW_BANDING, ZEB_SW_BANDING);
  printer_.rasterCaps = RC_BANDING;
  printer_.bands = {{0, 0, 2400, 1100}, {0, 1100, 2400, 2200}, {0, 2200, 2400, 3300}};
  THPrint h = NewRecord();
  AttachScriptedPrinter(h);
  (**h).prJob.pIdleProc = &IdleThatCancels;
  g_idleCalls = -100;
  TPPrPort port = PrOpenDoc(h, nullptr, nullptr);
  ZEB_SetFlags(ZEB_SF_PRINT72DPI, 0, 0, 0);
  ASSERT_NE(port, nullptr);
  std::vector<Rect> seen;
  Rect band;
  while (ZEB_PrOpenPageBand(port, nullptr, &band)) {
    seen.push_back(band);
    ASSERT_LT(seen.size(), 10u);
  }
  ASSERT_EQ(seen.size(), 3u);
  EXPECT_EQ(seen[0].bottom, 264);  // 1100 device pixels at 300 dpi, in points
  EXPECT_EQ(seen[1].top, 264);
  EXPECT_EQ(seen[2].right, 576);
  const int bandsAsked = printer_.Count("NextBand");
  EXPECT_EQ(PrClosePage(port), 0);
  // The loop took the empty band: PrClosePage asks for no band of the next page.
  EXPECT_EQ(printer_.Count("NextBand"), bandsAsked);
  Ptr rotation = NewPtrClear(sizeof(TGetRotnBlk));
  reinterpret_cast<TGetRotnBlk*>(rotation)->iOpCode = getRotnOp;
  PrGeneral(rotation);
  EXPECT_EQ(reinterpret_cast<TGetRotnBlk*>(rotation)->fLandscape, 1);  // the bands were wide
  DisposePtr(rotation);
  PrCloseDoc(port);
  EXPECT_EQ(printer_.Count("StartPage"), 0);  // bands stand for the page calls
  EXPECT_EQ(printer_.Count("EndDoc"), 1);
}

TEST_F(BandingTest, PrClosePageAsksForTheBandsThePageLoopLeft) {
  ZEB_SetFlags(0, 0, ZEB_SW_BANDING, ZEB_SW_BANDING);
  printer_.rasterCaps = RC_BANDING;
  printer_.bands = {{0, 0, 2400, 1100}, {0, 1100, 2400, 2200}};
  THPrint h = NewRecord();
  AttachScriptedPrinter(h);
  (**h).prJob.pIdleProc = &IdleThatCancels;
  g_idleCalls = -100;
  TPPrPort port = PrOpenDoc(h, nullptr, nullptr);
  ASSERT_NE(port, nullptr);
  ASSERT_NE(ZEB_PrOpenPageBand(port, nullptr, nullptr), 0);
  EXPECT_EQ(PrClosePage(port), 0);
  EXPECT_EQ(printer_.Count("NextBand"), 3);  // the second band and the empty one
  PrCloseDoc(port);
}

TEST_F(BandingTest, AFailedBandAbortsWithTheBandError) {
  ZEB_SetFlags(0, 0, ZEB_SW_BANDING, ZEB_SW_BANDING);
  printer_.rasterCaps = RC_BANDING;
  printer_.bands = {{0, 0, 2400, 1100}};
  printer_.failNextBandAt = 1;
  THPrint h = NewRecord();
  AttachScriptedPrinter(h);
  (**h).prJob.pIdleProc = &IdleThatCancels;
  g_idleCalls = -100;
  TPPrPort port = PrOpenDoc(h, nullptr, nullptr);
  ASSERT_NE(port, nullptr);
  EXPECT_NE(ZEB_PrOpenPageBand(port, nullptr, nullptr), 0);
  EXPECT_EQ(ZEB_PrOpenPageBand(port, nullptr, nullptr), 0);
  EXPECT_EQ(cells_.printErr, iPrBandErr);
  EXPECT_EQ(PrError(), iPrAbort);
  EXPECT_NE(PrClosePage(port), 0);
  PrCloseDoc(port);
  EXPECT_EQ(printer_.Count("AbortDoc"), 1);
}

TEST_F(BandingTest, BandInfoSwitchSkipsBandsWithoutGraphics) {
  ZEB_SetFlags(0, 0, ZEB_SW_BANDING | ZEB_SW_BANDINFO, ZEB_SW_BANDING | ZEB_SW_BANDINFO);
  printer_.rasterCaps = RC_BANDING;
  printer_.bandInfoGraphics = false;
  printer_.bands = {{0, 0, 2400, 1100}, {0, 1100, 2400, 2200}};
  THPrint h = NewRecord();
  AttachScriptedPrinter(h);
  (**h).prJob.pIdleProc = &IdleThatCancels;
  g_idleCalls = -100;
  TPPrPort port = PrOpenDoc(h, nullptr, nullptr);
  ASSERT_NE(port, nullptr);
  // No band holds graphics: the page ends without one drawn.
  EXPECT_EQ(ZEB_PrOpenPageBand(port, nullptr, nullptr), 0);
  EXPECT_GE(printer_.Count("BandInfo"), 2);
  short flags = -1;
  EXPECT_EQ(ZEB_BandInfo(ZEB_BAND_GRAPHICS | ZEB_BAND_TEXT, &flags), 1);
  EXPECT_EQ(flags, ZEB_BAND_TEXT);
  EXPECT_EQ(PrClosePage(port), 0);
  PrCloseDoc(port);
  EXPECT_EQ(ZEB_BandInfo(0, &flags), 0);  // no document: nothing asked
  EXPECT_EQ(flags, 0);
}

}  // namespace
}  // namespace zebtest

namespace zebtest {
namespace {

using DeviceModeTest = PrintTest;

// A device mode of scale 0 (full size to its driver) and landscape paper; a device of more than
// 256 colours (NUMCOLORS -1).
TEST_F(DeviceModeTest, ScaleZeroIsFullSizeAndManyColoursGetAColourPort) {
  THPrint h = NewRecord();
  AttachScriptedPrinter(h);
  printer_.numColors = -1;
  zeb::print::PrinterEntry* entry = zeb::print::LiveEntryOf(**h);
  ASSERT_NE(entry, nullptr);
  auto* pd = static_cast<PRINTDLGA*>(GlobalLock(entry->block));
  pd->hDevMode = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, sizeof(DEVMODEA));
  auto* mode = static_cast<DEVMODEA*>(GlobalLock(pd->hDevMode));
  mode->dmSize = sizeof(DEVMODEA);
  mode->dmFields = DM_SCALE | DM_ORIENTATION;
  mode->dmScale = 0;
  mode->dmOrientation = DMORIENT_LANDSCAPE;
  GlobalUnlock(pd->hDevMode);
  GlobalUnlock(entry->block);
  PrValidate(h);
  EXPECT_EQ(PrError(), noErr);
  EXPECT_EQ((**h).prInfo.iVRes, 300);  // not divided by the zero scale
  EXPECT_EQ(zeb::print::ReadPrivate(**h, zeb::print::kPxScale), 100u);
  EXPECT_EQ(zeb::print::ReadPrivate(**h, zeb::print::kPxOrientation), 2u);
  TGetRotnBlk rotation{};
  rotation.iOpCode = getRotnOp;
  rotation.hPrint = h;
  PrGeneral(reinterpret_cast<Ptr>(&rotation));
  EXPECT_EQ(rotation.fLandscape, 1);

  (**h).prJob.pIdleProc = &IdleThatCancels;
  g_idleCalls = -100;
  TPPrPort port = PrOpenDoc(h, nullptr, nullptr);
  ASSERT_NE(port, nullptr);
  EXPECT_EQ(static_cast<unsigned short>(port->gPort.portBits.rowBytes) & 0xC000, 0xC000);
  PrCloseDoc(port);
  EXPECT_EQ(PrError(), noErr);
}

TEST_F(DeviceModeTest, AFewColoursGetABlackAndWhitePort) {
  THPrint h = NewRecord();
  AttachScriptedPrinter(h);
  printer_.numColors = 2;
  (**h).prJob.pIdleProc = &IdleThatCancels;
  g_idleCalls = -100;
  TPPrPort port = PrOpenDoc(h, nullptr, nullptr);
  ASSERT_NE(port, nullptr);
  EXPECT_EQ(static_cast<unsigned short>(port->gPort.portBits.rowBytes) & 0x8000, 0);
  PrCloseDoc(port);
}

}  // namespace
}  // namespace zebtest

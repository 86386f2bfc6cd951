// The print loop's page calls and drawing on the printing port against the bare GDI calls on
// the same printer DC. Needs a default printer: without one the suite says so and skips.
#include <cstdio>

#include "MacMemory.h"
#include "Printing.h"
#include "ZEB.h"
#include "bench.h"

namespace zebbench {
namespace {

void ZEBAPI NoIdle() {}

}  // namespace

void RunPrintBenchmarks() {
  ZEB_SystemValue(ZEB_SV_SET, 0x3C, 1);  // no error boxes while measuring
  auto h = reinterpret_cast<THPrint>(NewHandleClear(sizeof(TPrint)));
  PrOpen();
  PrintDefault(h);
  if (PrError() != noErr) {
    std::printf("%-52s %s\n", "print", "skipped: no default printer");
    DisposeHandle(reinterpret_cast<Handle>(h));
    ZEB_SystemValue(ZEB_SV_SET, 0x3C, 0);
    return;
  }
  (**h).prJob.pIdleProc = &NoIdle;  // no abort dialog in the way
  TPPrPort port = PrOpenDoc(h, nullptr, nullptr);
  HDC dc = nullptr;
  ZEB_GetWinPrintInfo(h, &dc, nullptr);
  if (port && dc) {
    constexpr long kPages = 40;
    const double library = NanosecondsPerOp(kPages, [port](long n) {
      for (long i = 0; i < n; ++i) {
        PrOpenPage(port, nullptr);
        PrClosePage(port);
      }
    });
    const double host = NanosecondsPerOp(kPages, [dc](long n) {
      for (long i = 0; i < n; ++i) {
        StartPage(dc);
        EndPage(dc);
      }
    });
    Report("PrOpenPage+PrClosePage vs StartPage+EndPage", library, host);
    PrOpenPage(port, nullptr);
    Rect r = {10, 10, 110, 210};
    constexpr long kFills = 2000;
    const double paint = NanosecondsPerOp(kFills, [&r](long n) {
      for (long i = 0; i < n; ++i) PaintRect(&r);
    });
    const double patBlt = NanosecondsPerOp(kFills, [dc](long n) {
      for (long i = 0; i < n; ++i) PatBlt(dc, 10, 10, 200, 100, PATCOPY);
    });
    Report("PaintRect on the printing port vs PatBlt", paint, patBlt);
    PrClosePage(port);
    PrSetError(iPrAbort);  // the measuring job goes to no paper
  }
  if (port) PrCloseDoc(port);
  PrClose();
  DisposeHandle(reinterpret_cast<Handle>(h));
  ZEB_SystemValue(ZEB_SV_SET, 0x3C, 0);
}

}  // namespace zebbench

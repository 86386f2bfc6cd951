// A small timing harness: each case runs a loop several times and keeps the fastest round, and
// is printed as nanoseconds per operation and as a ratio to the host call it stands on.
#ifndef ZEB_BENCH_BENCH_H
#define ZEB_BENCH_BENCH_H

#include <windows.h>

#include <functional>
#include <string>

namespace zebbench {

// Nanoseconds per iteration of body(iterations), best of several rounds.
double NanosecondsPerOp(long iterations, const std::function<void(long)>& body);

// Prints one line: name, library time, host time and their ratio.
void Report(const std::string& name, double library, double host);

// A 32-bit top-down DIB section selected into a memory DC: the surface both sides of a drawing
// benchmark draw on, so that neither pays for a screen.
constexpr int kSurfaceSize = 256;
struct Surface {
  HDC dc = nullptr;
  HBITMAP bitmap = nullptr;
  HGDIOBJ first = nullptr;
  Surface();
  ~Surface();
  Surface(const Surface&) = delete;
  Surface& operator=(const Surface&) = delete;
};

// The child window class the window, control and list suites make their windows of, with the
// glue calls a ported application's child procedure makes (registered once, on first use).
constexpr char kBenchChildClass[] = "ZEBSubWndClass";
void EnsureBenchChildClass();

// Each benchmark file registers its suite.
void RunMemoryBenchmarks();
void RunQuickDrawBenchmarks();
void RunColourBenchmarks();
void RunShapeBenchmarks();
void RunResourceBenchmarks();
void RunUtilitiesBenchmarks();
void RunTextBenchmarks();
void RunWindowBenchmarks(HWND frame);
void RunEventBenchmarks(HWND frame);
void RunPrintBenchmarks();
void RunMenuBenchmarks(HWND frame);
void RunControlBenchmarks(HWND frame);
void RunListBenchmarks(HWND frame);
// The scrap suite needs its clipboard procedure in the session record.
FARPROC ScrapBenchProcedure();
void RunScrapBenchmarks(HWND frame);
void RunPaletteBenchmarks(HWND frame);
void RunPictureBenchmarks();
void RunTextEditBenchmarks(HWND frame);

}  // namespace zebbench

#endif  // ZEB_BENCH_BENCH_H

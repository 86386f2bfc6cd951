#include <cstdio>
#include <cstring>
#include <vector>

#include "MacWindows.h"
#include "ZEB.h"
#include "bench.h"

namespace zebbench {

double NanosecondsPerOp(long iterations, const std::function<void(long)>& body) {
  LARGE_INTEGER frequency;
  QueryPerformanceFrequency(&frequency);
  double best = 1e30;
  for (int round = 0; round < 5; ++round) {
    LARGE_INTEGER start, end;
    QueryPerformanceCounter(&start);
    body(iterations);
    QueryPerformanceCounter(&end);
    const double ns = static_cast<double>(end.QuadPart - start.QuadPart) * 1e9 /
                      static_cast<double>(frequency.QuadPart) / static_cast<double>(iterations);
    if (ns < best) best = ns;
  }
  return best;
}

namespace {

LRESULT CALLBACK BenchChildProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_PAINT:
      if (ZEB_EventUpdate(hwnd)) return 0;
      break;
    case WM_ERASEBKGND: case WM_MOVE: case WM_SIZE: case WM_VSCROLL: case WM_HSCROLL:
      return ZEB_WindChange(hwnd, msg, wParam, lParam);
    case WM_NCCALCSIZE: case WM_NCPAINT: case WM_NCACTIVATE:
      return ZEB_NCMessage(hwnd, msg, wParam, lParam);
    default:
      break;
  }
  return DefWindowProcA(hwnd, msg, wParam, lParam);
}

}  // namespace

void EnsureBenchChildClass() {
  WNDCLASSA wc{};
  if (GetClassInfoA(GetModuleHandleA(nullptr), kBenchChildClass, &wc)) return;
  wc.lpfnWndProc = BenchChildProc;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  wc.cbWndExtra = zebExtraBytes;
  wc.lpszClassName = kBenchChildClass;
  RegisterClassA(&wc);
}

namespace {

// The machine-readable copy of the table (--table FILE): one tab-separated line per case.
std::FILE* g_table = nullptr;

}  // namespace

void Report(const std::string& name, double library, double host) {
  std::printf("%-52s %9.1f ns %9.1f ns %7.2fx\n", name.c_str(), library, host, library / host);
  std::fflush(stdout);
  if (g_table) {
    std::fprintf(g_table, "%s\t%.1f\t%.1f\t%.2f\n", name.c_str(), library, host, library / host);
    std::fflush(g_table);
  }
}

Surface::Surface() {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = kSurfaceSize;
  info.bmiHeader.biHeight = -kSurfaceSize;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  dc = CreateCompatibleDC(nullptr);
  first = SelectObject(dc, bitmap);
}

Surface::~Surface() {
  SelectObject(dc, first);
  DeleteDC(dc);
  DeleteObject(bitmap);
}

}  // namespace zebbench

namespace {

// A frame window for the window benchmarks, shown so that they measure visible windows.
HWND MakeFrame() {
  WNDCLASSA wc{};
  wc.lpfnWndProc = DefWindowProcA;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  wc.lpszClassName = "ZEBBenchFrame";
  RegisterClassA(&wc);
  HWND frame = CreateWindowA("ZEBBenchFrame", "bench", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0,
                             400, 300, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
  return frame;
}

}  // namespace

// zeb_bench [--table FILE] [suite...]: with suite names (memory, quickdraw, shapes, resources,
// utilities, text, windows, events, print, menus, controls, scrap, textedit), only those suites
// run.
int main(int argc, char** argv) {
  std::vector<const char*> suites;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--table") == 0 && i + 1 < argc) {
      zebbench::g_table = std::fopen(argv[++i], "w");
      if (!zebbench::g_table) {
        std::fprintf(stderr, "zeb_bench: cannot write %s\n", argv[i]);
        return 1;
      }
    } else {
      suites.push_back(argv[i]);
    }
  }
  auto wanted = [&suites](const char* suite) {
    if (suites.empty()) return true;
    for (const char* s : suites)
      if (std::strcmp(s, suite) == 0) return true;
    return false;
  };
  HWND frame = MakeFrame();
  ZEB_SessionRec session{};
  session.size = kZEBSessionRecSize;
  session.instance = GetModuleHandleA(nullptr);
  session.frameWindow = frame;
  session.scrapCallback = zebbench::ScrapBenchProcedure();
  ZEB_InitSession(&session);
  ZEB_GlobalsRec globals{};
  globals.size = kZEBGlobalsRecSize;
  ZEB_InitGlobals(&globals);
  std::printf("%-52s %12s %12s %8s\n", "operation", "library", "host", "ratio");
  if (wanted("memory")) zebbench::RunMemoryBenchmarks();
  if (wanted("quickdraw")) zebbench::RunQuickDrawBenchmarks();
  if (wanted("colour")) zebbench::RunColourBenchmarks();
  if (wanted("shapes")) zebbench::RunShapeBenchmarks();
  if (wanted("resources")) zebbench::RunResourceBenchmarks();
  if (wanted("utilities")) zebbench::RunUtilitiesBenchmarks();
  if (wanted("text")) zebbench::RunTextBenchmarks();
  if (wanted("windows")) zebbench::RunWindowBenchmarks(frame);
  if (wanted("events")) zebbench::RunEventBenchmarks(frame);
  if (wanted("print")) zebbench::RunPrintBenchmarks();
  if (wanted("menus")) zebbench::RunMenuBenchmarks(frame);
  if (wanted("controls")) zebbench::RunControlBenchmarks(frame);
  if (wanted("lists")) zebbench::RunListBenchmarks(frame);
  if (wanted("scrap")) zebbench::RunScrapBenchmarks(frame);
  if (wanted("palettes")) zebbench::RunPaletteBenchmarks(frame);
  if (wanted("pictures")) zebbench::RunPictureBenchmarks();
  if (wanted("textedit")) zebbench::RunTextEditBenchmarks(frame);
  ZEB_ExitSession();
  if (frame) DestroyWindow(frame);
  if (zebbench::g_table) std::fclose(zebbench::g_table);
  return 0;
}

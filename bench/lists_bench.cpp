// The List Manager against the bare list-box messages and loops it stands on: setting cells,
// adding rows, walking the selection, searching and updating a grid.
#include <cstring>
#include <string>
#include <vector>

#include "Dialogs.h"
#include "Lists.h"
#include "MacWindows.h"
#include "ZEB.h"
#include "bench.h"

namespace zebbench {
namespace {

ListHandle NewList(WindowPtr w, short columns, short rows) {
  const Rect view = {10, 10, 150, 210};
  const Rect bounds = {0, 0, rows, columns};
  return LNew(&view, &bounds, Point{0, 0}, 0, w, true, false, false, true);
}

HWND HostBox(HWND parent, int entries) {
  HWND box = CreateWindowExA(0, "listbox", "", WS_CHILD | WS_VISIBLE | WS_BORDER | WS_VSCROLL | LBS_NOTIFY, 10, 10, 200,
                             140, parent, reinterpret_cast<HMENU>(1), GetModuleHandleA(nullptr), nullptr);
  for (int i = 0; i < entries; ++i) SendMessageA(box, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(""));
  return box;
}

void Cells(WindowPtr w) {
  constexpr long n = 1000;
  ListHandle list = NewList(w, 1, static_cast<short>(n));
  HWND host = HostBox(ZEB_GethWnd(w), 0);
  const char text[] = "cell text";
  const double lib = NanosecondsPerOp(n, [&](long count) {
    for (long i = 0; i < count; ++i) LSetCell(text, 9, Cell{static_cast<short>(i % n), 0}, list);
  });
  const double hostTime = NanosecondsPerOp(n, [&](long count) {
    SendMessageA(host, LB_RESETCONTENT, 0, 0);
    for (long i = 0; i < count; ++i) SendMessageA(host, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
  });
  Report("LSetCell of 1,000 cells vs LB_ADDSTRING", lib, hostTime);

  // Selection walk over 10,000 cells with every 100th selected.
  LDispose(list);
  constexpr long cells = 10000;
  ZEB_LSetSelFlags(0);
  list = NewList(w, 1, static_cast<short>(cells));
  for (short i = 0; i < cells; i += 100) LSetSelect(true, Cell{i, 0}, list);
  std::vector<unsigned char> plain(cells, 0);
  for (long i = 0; i < cells; i += 100) plain[static_cast<size_t>(i)] = 1;
  volatile long sink = 0;
  const double libSel = NanosecondsPerOp(1, [&](long count) {
    for (long k = 0; k < count; ++k) {
      Cell c = {0, 0};
      while (LGetSelect(true, &c, list)) {
        sink = sink + c.v;
        ++c.v;
      }
    }
  });
  const double hostSel = NanosecondsPerOp(1, [&](long count) {
    for (long k = 0; k < count; ++k)
      for (long i = 0; i < cells; ++i)
        if (plain[static_cast<size_t>(i)]) sink = sink + i;
  });
  Report("LGetSelect(true) across 10,000 cells vs an array scan", libSel, hostSel);
  LDispose(list);
  DestroyWindow(host);
}

void Rows(WindowPtr w) {
  constexpr long n = 1000;
  ListHandle list = NewList(w, 1, 0);
  HWND host = HostBox(ZEB_GethWnd(w), 0);
  const double lib = NanosecondsPerOp(n, [&](long count) {
    LDelRow(0, 0, list);
    for (long i = 0; i < count; ++i) LAddRow(1, static_cast<short>(i / 2), list);
  });
  const double hostTime = NanosecondsPerOp(n, [&](long count) {
    SendMessageA(host, LB_RESETCONTENT, 0, 0);
    for (long i = 0; i < count; ++i) SendMessageA(host, LB_INSERTSTRING, static_cast<WPARAM>(i / 2), reinterpret_cast<LPARAM>(""));
  });
  Report("LAddRow(1) x 1,000 vs LB_INSERTSTRING", lib, hostTime);
  LDispose(list);
  DestroyWindow(host);
}

void Search(WindowPtr w) {
  constexpr long n = 1000;
  ListHandle list = NewList(w, 1, static_cast<short>(n));
  std::vector<std::string> texts;
  for (long i = 0; i < n; ++i) {
    texts.push_back("entry " + std::to_string(i));
    LSetCell(texts.back().data(), static_cast<short>(texts.back().size()), Cell{static_cast<short>(i), 0}, list);
  }
  const std::string& wanted = texts.back();
  volatile long sink = 0;
  const double lib = NanosecondsPerOp(1, [&](long count) {
    for (long k = 0; k < count; ++k) {
      Cell c = {0, 0};
      sink = sink + LSearch(wanted.data(), static_cast<short>(wanted.size()), nullptr, &c, list);
    }
  });
  const double hostTime = NanosecondsPerOp(1, [&](long count) {
    for (long k = 0; k < count; ++k)
      for (long i = 0; i < n; ++i)
        if (texts[static_cast<size_t>(i)].size() == wanted.size() &&
            std::memcmp(texts[static_cast<size_t>(i)].data(), wanted.data(), wanted.size()) == 0) {
          sink = sink + i;
          break;
        }
  });
  Report("LSearch of 1,000 cells vs a memcmp loop", lib, hostTime);
  LDispose(list);
}

void Update(WindowPtr w) {
  ListHandle grid = NewList(w, 10, 10);
  for (short c = 0; c < 10; ++c)
    for (short r = 0; r < 10; ++r) LSetCell("42", 2, Cell{r, c}, grid);
  HWND box = ZEB_GetHWNDFromListHandle(grid);
  HWND parent = ZEB_GethWnd(w);
  const double lib = NanosecondsPerOp(20, [&](long count) {
    for (long i = 0; i < count; ++i) LUpdate(nullptr, grid);
  });
  const double hostTime = NanosecondsPerOp(20, [&](long count) {
    HDC dc = GetDC(parent);
    for (long i = 0; i < count; ++i)
      for (int c = 0; c < 10; ++c)
        for (int r = 0; r < 10; ++r) {
          RECT rc = {10 + c * 20, 10 + r * 14, 30 + c * 20, 24 + r * 14};
          DrawTextA(dc, "42", 2, &rc, DT_LEFT | DT_SINGLELINE);
        }
    ReleaseDC(parent, dc);
  });
  (void)box;
  Report("LUpdate of a 10x10 grid vs DrawTextA of its cells", lib, hostTime);
  LDispose(grid);
}

// The list window's procedure also hands owner-drawn entries to the library.
WNDPROC g_windowProc = nullptr;
LRESULT CALLBACK OwnerDrawProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if ((msg == WM_DRAWITEM || msg == WM_MEASUREITEM) && ZEB_UserItem(hwnd, msg, wParam, lParam)) return TRUE;
  return CallWindowProcA(g_windowProc, hwnd, msg, wParam, lParam);
}

}  // namespace

void RunListBenchmarks(HWND frame) {
  if (!frame) return;
  EnsureBenchChildClass();
  GrafPtr screen = nullptr;
  InitGraf(&screen);
  InitWindows();
  const Rect bounds = {40, 40, 300, 400};
  WindowPtr w = NewWindow(nullptr, &bounds, reinterpret_cast<const unsigned char*>("\x05" "Lists"), true,
                          noGrowDocProc, reinterpret_cast<WindowPtr>(-1), true, 0);
  if (!w) return;
  g_windowProc = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrA(ZEB_GethWnd(w), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&OwnerDrawProc)));
  SetPort(w);
  Cells(w);
  Rows(w);
  Search(w);
  Update(w);
  DisposeWindow(w);
}

}  // namespace zebbench

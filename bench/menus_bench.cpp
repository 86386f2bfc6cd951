// The Menu Manager against the bare Windows calls it stands on: filling a dropping popup from a
// Toolbox menu, measuring a menu, and rebuilding the bar.
#include <string>

#include "MacWindows.h"
#include "Menus.h"
#include "Quickdraw.h"
#include "ZEB.h"
#include "bench.h"

namespace zebbench {
namespace {

constexpr int kItems = 30;
constexpr int kTitles = 6;

MenuHandle MakeMenu(short id) {
  const unsigned char title[] = "\x04" "Menu";
  MenuHandle m = NewMenu(id, title);
  for (int i = 0; i < kItems; ++i) {
    std::string text = "Item number " + std::to_string(i) + "/" + static_cast<char>('A' + i % 26);
    unsigned char p[256];
    p[0] = static_cast<unsigned char>(text.size());
    text.copy(reinterpret_cast<char*>(p + 1), text.size());
    AppendMenu(m, p);
  }
  return m;
}

void InitMenuMessage(HWND frame) {
  MenuHandle m = MakeMenu(128);
  InsertMenu(m, 0);
  DrawMenuBar();
  HMENU popup = GetSubMenu(GetMenu(frame), 0);
  constexpr long n = 300;
  const double library = NanosecondsPerOp(n, [&](long count) {
    for (long i = 0; i < count; ++i) ZEB_InitMenuMsg(popup);
  });
  const double host = NanosecondsPerOp(n, [&](long count) {
    for (long i = 0; i < count; ++i) {
      HMENU h = CreatePopupMenu();
      for (int k = 0; k < kItems; ++k) AppendMenuA(h, MF_STRING, 0x100 + k, "Item number 10\tCtrl+A");
      DestroyMenu(h);
    }
  });
  Report("ZEB_InitMenuMsg, 30 items", library, host);
  ClearMenuBar();
  DrawMenuBar();
  DisposeMenu(m);
}

void MenuSize() {
  MenuHandle m = MakeMenu(129);
  HDC dc = GetDC(nullptr);
  HGDIOBJ old = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
  constexpr long n = 1000;
  const double library = NanosecondsPerOp(n, [&](long count) {
    for (long i = 0; i < count; ++i) CalcMenuSize(m);
  });
  const double host = NanosecondsPerOp(n, [&](long count) {
    SIZE s;
    for (long i = 0; i < count; ++i)
      for (int k = 0; k < kItems; ++k) GetTextExtentPoint32A(dc, "Item number 10", 14, &s);
  });
  SelectObject(dc, old);
  ReleaseDC(nullptr, dc);
  Report("CalcMenuSize, 30 items", library, host);
  DisposeMenu(m);
}

void BarRebuild(HWND frame) {
  MenuHandle menus[kTitles];
  for (int i = 0; i < kTitles; ++i) {
    menus[i] = MakeMenu(static_cast<short>(130 + i));
    InsertMenu(menus[i], 0);
  }
  constexpr long n = 200;
  const double library = NanosecondsPerOp(n, [&](long count) {
    for (long i = 0; i < count; ++i) DrawMenuBar();
  });
  HMENU bar = GetMenu(frame);
  const double host = NanosecondsPerOp(n, [&](long count) {
    for (long i = 0; i < count; ++i) {
      HMENU pops[kTitles];
      for (int k = 0; k < kTitles; ++k) {
        pops[k] = CreatePopupMenu();
        InsertMenuA(bar, static_cast<UINT>(-1), MF_BYPOSITION | MF_POPUP | MF_STRING,
                    reinterpret_cast<UINT_PTR>(pops[k]), "Title");
      }
      DrawMenuBar(frame);
      for (int k = 0; k < kTitles; ++k) DeleteMenu(bar, static_cast<UINT>(GetMenuItemCount(bar) - 1), MF_BYPOSITION);
    }
  });
  Report("DrawMenuBar, 6 titles", library, host);
  ClearMenuBar();
  DrawMenuBar();
  for (MenuHandle m : menus) DisposeMenu(m);
}

}  // namespace

void RunMenuBenchmarks(HWND frame) {
  InitMenus();
  InitMenuMessage(frame);
  MenuSize();
  BarRebuild(frame);
}

}  // namespace zebbench

// Palette animation against the GDI call it stands on: AnimateEntry on a window's palette, one
// entry reserved for animation at a time, against Windows' AnimatePalette on a logical palette
// of the same entries; and AnimatePalette over a run of 64 entries.
#include <vector>

#include "MacWindows.h"
#include "Palettes.h"
#include "Quickdraw.h"
#include "bench.h"

namespace zebbench {
namespace {

constexpr int kEntries = 256;
const Rect kPaletteBounds = {40, 40, 140, 200};

void Animation(WindowPtr w) {
  CTabHandle table = GetCTable(8);
  PaletteHandle pal = NewPalette(kEntries, table, pmAnimated, 0);
  SetPalette(w, pal, false);
  SetPort(w);
  std::vector<uint8_t> lp(sizeof(LOGPALETTE) + (kEntries - 1) * sizeof(PALETTEENTRY));
  auto* logical = reinterpret_cast<LOGPALETTE*>(lp.data());
  logical->palVersion = 0x300;
  logical->palNumEntries = kEntries;
  for (int i = 0; i < kEntries; ++i)
    logical->palPalEntry[i] = {static_cast<BYTE>(i), 0, 0, PC_RESERVED};
  HPALETTE host = CreatePalette(logical);

  constexpr long n = 20000;
  const double entry = NanosecondsPerOp(n, [&](long count) {
    for (long i = 0; i < count; ++i) {
      const RGBColor c = {static_cast<unsigned short>(i * 97), 0x4000, 0x8000};
      AnimateEntry(w, static_cast<short>(i & 0xFF), &c);
    }
  });
  const double hostEntry = NanosecondsPerOp(n, [&](long count) {
    for (long i = 0; i < count; ++i) {
      const PALETTEENTRY e = {static_cast<BYTE>(i * 97 >> 8), 0x40, 0x80, PC_RESERVED};
      ::AnimatePalette(host, static_cast<UINT>(i & 0xFF), 1, &e);
    }
  });
  Report("AnimateEntry, 256-entry palette (host: AnimatePalette)", entry, hostEntry);

  constexpr int kRun = 64;
  std::vector<PALETTEENTRY> run(kRun, PALETTEENTRY{0x10, 0x20, 0x30, PC_RESERVED});
  constexpr long runs = 4000;
  const double runLibrary = NanosecondsPerOp(runs, [&](long count) {
    for (long i = 0; i < count; ++i)
      AnimatePalette(w, table, static_cast<short>(i & 0x7F), static_cast<short>(i & 0x3F), kRun);
  });
  const double runHost = NanosecondsPerOp(runs, [&](long count) {
    for (long i = 0; i < count; ++i)
      ::AnimatePalette(host, static_cast<UINT>(i & 0x3F), kRun, run.data());
  });
  Report("AnimatePalette, 64 of 256 entries (host: AnimatePalette)", runLibrary, runHost);
  DeleteObject(host);
  SetPalette(w, nullptr, false);
  DisposePalette(pal);
  DisposeCTable(table);
}

}  // namespace

void RunPaletteBenchmarks(HWND frame) {
  if (!frame) return;
  EnsureBenchChildClass();
  GrafPtr screen = nullptr;
  InitGraf(&screen);
  InitWindows();
  WindowPtr w = NewCWindow(nullptr, &kPaletteBounds,
                           reinterpret_cast<const unsigned char*>("\x07" "Palette"), true, 0,
                           reinterpret_cast<WindowPtr>(-1), false, 0);
  if (!w) return;
  Animation(w);
  DisposeWindow(w);
}

}  // namespace zebbench

// Pixel transfers and colour lookups against the GDI calls they stand on: CopyBits between
// ports (BitBlt), an 8-bit memory image onto a port (SetDIBitsToDevice), memory to memory
// (memcpy), ScrollRect (ScrollDC) and Color2Index (GetNearestPaletteIndex).
#include <cstring>
#include <vector>

#include "Quickdraw.h"
#include "ZEB.h"
#include "bench.h"

namespace zebbench {
namespace {

constexpr int kSide = 128;

void PortToPort() {
  Surface a, b, hostA, hostB;
  CGrafPort from{}, to{};
  OpenPortForHDC(&from, a.dc);
  OpenPortForHDC(&to, b.dc);
  Rect r;
  SetRec(&r, 0, 0, kSide, kSide);
  const BitMap* src = &reinterpret_cast<GrafPtr>(&from)->portBits;
  const BitMap* dst = &reinterpret_cast<GrafPtr>(&to)->portBits;
  constexpr long n = 2000;
  const double library = NanosecondsPerOp(n, [&](long count) {
    for (long i = 0; i < count; ++i) CopyBits(src, dst, &r, &r, srcCopy, nullptr);
  });
  const double host = NanosecondsPerOp(n, [&](long count) {
    for (long i = 0; i < count; ++i) BitBlt(hostB.dc, 0, 0, kSide, kSide, hostA.dc, 0, 0, SRCCOPY);
  });
  Report("CopyBits port to port, 128 x 128 (host: BitBlt)", library, host);

  // An 8-bit image in memory with a 256-entry table, onto the port.
  std::vector<uint8_t> rows(kSide * kSide);
  for (size_t i = 0; i < rows.size(); ++i) rows[i] = static_cast<uint8_t>(i * 7);
  CTabHandle table = GetCTable(8);
  PixMap pm{};
  pm.baseAddr = reinterpret_cast<Ptr>(rows.data());
  pm.rowBytes = static_cast<short>(kSide | 0x8000);
  pm.bounds = r;
  pm.pixelSize = 8;
  pm.cmpCount = 1;
  pm.cmpSize = 8;
  pm.pmTable = table;
  const double image = NanosecondsPerOp(n, [&](long count) {
    for (long i = 0; i < count; ++i)
      CopyBits(reinterpret_cast<const BitMap*>(&pm), dst, &r, &r, srcCopy, nullptr);
  });
  std::vector<uint8_t> info(sizeof(BITMAPINFOHEADER) + 256 * sizeof(RGBQUAD));
  auto* bi = reinterpret_cast<BITMAPINFO*>(info.data());
  bi->bmiHeader = {sizeof(BITMAPINFOHEADER), kSide, -kSide, 1, 8, BI_RGB, 0, 0, 0, 256, 0};
  for (int i = 0; i < 256; ++i) {
    const RGBColor& c = (*table)->ctTable[i].rgb;
    bi->bmiColors[i] = {static_cast<BYTE>(c.blue >> 8), static_cast<BYTE>(c.green >> 8),
                        static_cast<BYTE>(c.red >> 8), 0};
  }
  const double hostImage = NanosecondsPerOp(n, [&](long count) {
    for (long i = 0; i < count; ++i)
      SetDIBitsToDevice(hostB.dc, 0, 0, kSide, kSide, 0, 0, 0, kSide, rows.data(), bi, DIB_RGB_COLORS);
  });
  Report("CopyBits 8-bit image to port, 128 x 128 (host: SetDIBitsToDevice)", image, hostImage);

  // Memory to memory, same table: the pixel engine against a plain copy of the rows.
  std::vector<uint8_t> out(rows.size());
  PixMap dm = pm;
  dm.baseAddr = reinterpret_cast<Ptr>(out.data());
  const double memory = NanosecondsPerOp(200, [&](long count) {
    for (long i = 0; i < count; ++i)
      CopyBits(reinterpret_cast<const BitMap*>(&pm), reinterpret_cast<const BitMap*>(&dm), &r, &r,
               srcCopy, nullptr);
  });
  const double hostMemory = NanosecondsPerOp(200, [&](long count) {
    for (long i = 0; i < count; ++i) std::memcpy(out.data(), rows.data(), rows.size());
  });
  Report("CopyBits memory to memory, 8-bit 128 x 128 (host: memcpy)", memory, hostMemory);

  SetPort(reinterpret_cast<GrafPtr>(&to));
  const double scroll = NanosecondsPerOp(n, [&](long count) {
    for (long i = 0; i < count; ++i) ScrollRect(&r, 1, 0, nullptr);
  });
  RECT wr = {0, 0, kSide, kSide};
  const double hostScroll = NanosecondsPerOp(n, [&](long count) {
    for (long i = 0; i < count; ++i) ScrollDC(hostB.dc, 1, 0, &wr, &wr, nullptr, nullptr);
  });
  Report("ScrollRect 128 x 128 by one pixel (host: ScrollDC)", scroll, hostScroll);

  // Color2Index on the current device's table against the palette search GDI offers.
  GDHandle device = GetGDevice();
  CTabHandle saved = (*(*device)->gdPMap)->pmTable;
  (*(*device)->gdPMap)->pmTable = table;
  std::vector<uint8_t> lp(sizeof(LOGPALETTE) + 255 * sizeof(PALETTEENTRY));
  auto* logical = reinterpret_cast<LOGPALETTE*>(lp.data());
  logical->palVersion = 0x300;
  logical->palNumEntries = 256;
  for (int i = 0; i < 256; ++i) {
    const RGBColor& c = (*table)->ctTable[i].rgb;
    logical->palPalEntry[i] = {static_cast<BYTE>(c.red >> 8), static_cast<BYTE>(c.green >> 8),
                               static_cast<BYTE>(c.blue >> 8), 0};
  }
  HPALETTE palette = CreatePalette(logical);
  constexpr long lookups = 20000;
  const double index = NanosecondsPerOp(lookups, [&](long count) {
    for (long i = 0; i < count; ++i) {
      const RGBColor c = {static_cast<unsigned short>(i * 97), static_cast<unsigned short>(i * 31),
                          static_cast<unsigned short>(i * 13)};
      Color2Index(&c);
    }
  });
  const double hostIndex = NanosecondsPerOp(lookups, [&](long count) {
    for (long i = 0; i < count; ++i)
      GetNearestPaletteIndex(palette, RGB((i * 97) >> 8, (i * 31) >> 8, (i * 13) >> 8));
  });
  Report("Color2Index, 256 entries (host: GetNearestPaletteIndex)", index, hostIndex);
  DeleteObject(palette);
  (*(*device)->gdPMap)->pmTable = saved;
  DisposeCTable(table);
  CloseCPort(&from);
  CloseCPort(&to);
}

}  // namespace

void RunColourBenchmarks() { PortToPort(); }

}  // namespace zebbench

// Icons: PlotIcon for one-bit 'ICON's, and colour icons ('cicn'): GetCIcon, PlotCIcon and
// DisposeCIcon, with the calls dialogs and menus make on them. A colour icon is one handle
// holding the CIcon record and the mask and one-bit rows behind it, a handle of the colour
// image's pixels (iconData) and the colour table's handle (pmTable).
#include <algorithm>
#include <cstddef>
#include <cstring>
#include <vector>

#include "MacMemory.h"
#include "Resources.h"
#include "ZEB.h"
#include "frame/frame_internal.h"
#include "memory/memory_internal.h"
#include "quickdraw/colour_resources.h"
#include "quickdraw/item_drawing.h"
#include "quickdraw/pixel_formats.h"
#include "quickdraw/quickdraw_internal.h"
#include "quickdraw/quickdraw_state.h"

namespace zeb::quickdraw {
namespace {

constexpr ResType kColourIconType = 0x6369636E;  // 'cicn'
// An 'ICON': 32 rows of 4 bytes, the leftmost pixel in the top bit.
constexpr long kIconBytes = 128;
constexpr short kIconSide = 32;
constexpr short kIconRowBytes = 4;
constexpr uint16_t kPixMapRowFlag = 0x8000;
constexpr uint16_t kBitMapRowMask = 0x3FFF;
constexpr size_t kIconHeader = offsetof(CIcon, iconMaskData);

int16_t S16(const uint8_t* p) {
  int16_t v;
  std::memcpy(&v, p, 2);
  return v;
}
int32_t S32(const uint8_t* p) {
  int32_t v;
  std::memcpy(&v, p, 4);
  return v;
}

// A stored bit map's bounds (the 14 bytes of a resource's BitMap: base, rowBytes, bounds).
Rect StoredBounds(const uint8_t* p) { return Rect{S16(p + 6), S16(p + 8), S16(p + 10), S16(p + 12)}; }

size_t BitMapBytes(const BitMap& b) {
  const int32_t rows = std::max(0, b.bounds.bottom - b.bounds.top);
  return static_cast<size_t>(b.rowBytes & kBitMapRowMask) * static_cast<size_t>(rows);
}

// The icon's mask and one-bit rows, in the record's own handle.
uint8_t* MaskRows(CIconHandle icon) { return reinterpret_cast<uint8_t*>((**icon).iconMaskData); }
uint8_t* BitRows(CIconHandle icon) { return MaskRows(icon) + BitMapBytes((**icon).iconMask); }

// The record's pointers are refreshed before every use: its bit maps point into its own handle
// and its pixel map at the pixel handle, and the application may have moved neither.
void AttachRows(CIconHandle icon) {
  CIcon& c = **icon;
  c.iconPMap.baseAddr = c.iconData ? *c.iconData : nullptr;
  c.iconMask.baseAddr = reinterpret_cast<Ptr>(MaskRows(icon));
  c.iconBMap.baseAddr = reinterpret_cast<Ptr>(BitRows(icon));
}

// Whether the colour image's pixel map holds together against the handles it names: indexed
// depth, rows long enough, the pixel handle large enough for rowBytes x height.
bool ImageHoldsTogether(const CIcon& c) {
  const PixMap& pm = c.iconPMap;
  if (!(static_cast<uint16_t>(pm.rowBytes) & kPixMapRowFlag) || !IsIndexedDepth(pm.pixelSize)) return false;
  const int64_t w = int64_t{pm.bounds.right} - pm.bounds.left;
  const int64_t h = int64_t{pm.bounds.bottom} - pm.bounds.top;
  const int64_t rowBytes = pm.rowBytes & kBitMapRowMask;
  if (w < 0 || h < 0 || MinimumRowBytes(w, pm.pixelSize) > rowBytes) return false;
  if (memory::LiveHandleSize(c.iconData) < rowBytes * h) return false;
  return memory::LiveHandleSize(reinterpret_cast<Handle>(pm.pmTable)) >= static_cast<long>(sizeof(ColorTable) - sizeof(ColorSpec));
}

// The colour image as 0x00RRGGBB pixels, top-down, and the mask as one flag per pixel (a mask
// that does not cover the image leaves every pixel set).
struct IconPixels {
  int width = 0, height = 0;
  std::vector<uint32_t> rgb;
  std::vector<uint8_t> inMask;
};

void ReadPixels(CIconHandle icon, IconPixels& out) {
  const CIcon& c = **icon;
  const PixMap& pm = c.iconPMap;
  out.width = pm.bounds.right - pm.bounds.left;
  out.height = pm.bounds.bottom - pm.bounds.top;
  const size_t n = static_cast<size_t>(out.width) * static_cast<size_t>(out.height);
  out.rgb.assign(n, 0);
  out.inMask.assign(n, 1);
  const ColorTable& table = **pm.pmTable;
  const long tableBytes = memory::LiveHandleSize(reinterpret_cast<Handle>(pm.pmTable));
  const int32_t entries = std::min<int32_t>(table.ctSize + 1, static_cast<int32_t>((tableBytes - 8) / 8));
  const auto* rows = reinterpret_cast<const uint8_t*>(*c.iconData);
  const int32_t rowBytes = pm.rowBytes & kBitMapRowMask;
  for (int y = 0; y < out.height; ++y)
    for (int x = 0; x < out.width; ++x) {
      const uint32_t v = ReadMacPixel(rows + static_cast<size_t>(y) * rowBytes, x, pm.pixelSize);
      // A value past the table's entries shows black, as an unknown index does on the device.
      const Rgb16 rgb = static_cast<int32_t>(v) < entries ? ToRgb16(table.ctTable[v].rgb) : kBlackRgb;
      out.rgb[static_cast<size_t>(y) * out.width + x] = RgbQuadFor(rgb);
    }
  const BitMap& mask = c.iconMask;
  if (mask.bounds.right - mask.bounds.left < out.width || mask.bounds.bottom - mask.bounds.top < out.height)
    return;
  const uint8_t* maskRows = MaskRows(icon);
  for (int y = 0; y < out.height; ++y)
    for (int x = 0; x < out.width; ++x)
      out.inMask[static_cast<size_t>(y) * out.width + x] =
          static_cast<uint8_t>(ReadMacPixel(maskRows + static_cast<size_t>(y) * (mask.rowBytes & kBitMapRowMask), x, 1));
}

bool AnyMaskByteClear(CIconHandle icon) {
  const uint8_t* m = MaskRows(icon);
  const size_t n = BitMapBytes((**icon).iconMask);
  return std::any_of(m, m + n, [](uint8_t b) { return b != 0xFF; });
}

}  // namespace

bool IsColourIcon(Handle h) {
  const long size = h && *h ? memory::LiveHandleSize(h) : 0;
  if (size < static_cast<long>(kIconHeader)) return false;
  const CIcon& c = *reinterpret_cast<const CIcon*>(*h);
  // The record names its own length: header, mask rows and one-bit rows.
  if (static_cast<size_t>(size) != kIconHeader + BitMapBytes(c.iconMask) + BitMapBytes(c.iconBMap))
    return false;
  return ImageHoldsTogether(c);
}

Handle GetColourIcon(short id) { return reinterpret_cast<Handle>(GetCIcon(id)); }

void PlotColourIcon(const Rect* frame, Handle icon) {
  PlotCIcon(frame, reinterpret_cast<CIconHandle>(icon));
}

void DisposeColourIcon(Handle icon) { DisposeCIcon(reinterpret_cast<CIconHandle>(icon)); }

bool ColourIconResourceSize(short id, SIZE* size) {
  Handle res = GetResource(kColourIconType, id);
  const long bytes = memory::LiveHandleSize(res);
  if (!res || bytes <= 0) return false;
  ColourIconLayout layout;
  if (!CheckColourIcon(reinterpret_cast<const uint8_t*>(*res), static_cast<size_t>(bytes), layout))
    return false;
  if (size) *size = SIZE{layout.map.right - layout.map.left, layout.map.bottom - layout.map.top};
  return true;
}

bool DrawColourIconResource(HDC dc, int x, int y, short id) {
  if (!dc) return false;
  CIconHandle icon = GetCIcon(id);
  if (!icon) return false;
  IconPixels px;
  ReadPixels(icon, px);
  DisposeCIcon(icon);
  if (px.width <= 0 || px.height <= 0) return true;
  // The destination's pixels are read into a DIB section, the icon laid over them where its
  // mask is set, and the result put back: the menu's background shows around the icon.
  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  bi.bmiHeader.biWidth = px.width;
  bi.bmiHeader.biHeight = -px.height;
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  bi.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HBITMAP section = CreateDIBSection(dc, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
  HDC memoryDC = section ? CreateCompatibleDC(dc) : nullptr;
  if (!memoryDC) {
    if (section) DeleteObject(section);
    return false;
  }
  HGDIOBJ old = SelectObject(memoryDC, section);
  BitBlt(memoryDC, 0, 0, px.width, px.height, dc, x, y, SRCCOPY);
  GdiFlush();
  auto* out = static_cast<uint32_t*>(bits);
  for (size_t i = 0; i < px.rgb.size(); ++i)
    if (px.inMask[i]) out[i] = px.rgb[i];
  BitBlt(dc, x, y, px.width, px.height, memoryDC, 0, 0, SRCCOPY);
  SelectObject(memoryDC, old);
  DeleteDC(memoryDC);
  DeleteObject(section);
  return true;
}

}  // namespace zeb::quickdraw

using namespace zeb;
using namespace zeb::quickdraw;

extern "C" {

// The 'ICON' as a one-bit bit map copied onto the port's bits. A handle shorter than an icon's
// 128 bytes is not drawn: its rows would be read past its end.
void ZEBAPI PlotIcon(const Rect* theRect, Handle theIcon) {
  GrafPtr port = CurrentPort();
  if (!theRect || !theIcon || !*theIcon || !port || EmptyRect(theRect)) return;
  if (GetHandleSize(theIcon) < kIconBytes) {
    SetQDError(paramErr);
    return;
  }
  BitMap icon;
  icon.baseAddr = *theIcon;
  icon.rowBytes = kIconRowBytes;
  icon.bounds = Rect{0, 0, kIconSide, kIconSide};
  CopyBits(&icon, &port->portBits, &icon.bounds, theRect, srcCopy, nullptr);
}

// A 'cicn' resource as a colour icon. Every offset, count and rowBytes x height is checked
// against the resource before anything is copied; a resource that does not hold together gives
// nil, as does a failing allocation (nothing is left allocated then).
CIconHandle ZEBAPI GetCIcon(short iconID) {
  Handle res = GetResource(kColourIconType, iconID);
  const long bytes = memory::LiveHandleSize(res);
  if (!res || bytes <= 0) return nullptr;
  ColourIconLayout layout;
  if (!CheckColourIcon(reinterpret_cast<const uint8_t*>(*res), static_cast<size_t>(bytes), layout))
    return nullptr;
  const size_t maskBytes = static_cast<size_t>(layout.maskRowBytes) * static_cast<size_t>(layout.maskHeight);
  const size_t bitBytes = static_cast<size_t>(layout.iconRowBytes) * static_cast<size_t>(layout.iconHeight);
  const size_t tableBytes = kColourTableHeader + static_cast<size_t>(layout.tableEntries) * kColourSpecSize;
  auto icon = reinterpret_cast<CIconHandle>(NewHandleClear(static_cast<Size>(kIconHeader + maskBytes + bitBytes)));
  Handle pixels = icon ? NewHandle(static_cast<Size>(layout.map.imageBytes)) : nullptr;
  // A table without entries still gets one entry's room, as a ColorTable record has.
  Handle table = pixels ? NewHandleClear(static_cast<Size>(std::max(tableBytes, sizeof(ColorTable)))) : nullptr;
  if (!table) {
    if (pixels) DisposeHandle(pixels);
    if (icon) DisposeHandle(reinterpret_cast<Handle>(icon));
    return nullptr;
  }
  // The resource's handle may have moved while memory was found.
  const auto* data = reinterpret_cast<const uint8_t*>(*res);
  std::memcpy(*table, data + layout.tableOffset, tableBytes);
  if (layout.map.imageBytes) std::memcpy(*pixels, data + layout.pixelOffset, layout.map.imageBytes);
  CIcon& c = **icon;
  // The pixel map's fields as stored, its pointers made live; the stored pointers are
  // placeholders.
  PixMap& pm = c.iconPMap;
  pm.rowBytes = S16(data + 4);
  pm.bounds = StoredBounds(data);
  pm.pmVersion = S16(data + 14);
  pm.packType = S16(data + 16);
  pm.packSize = S32(data + 18);
  pm.hRes = S32(data + 22);
  pm.vRes = S32(data + 26);
  pm.pixelType = S16(data + 30);
  pm.pixelSize = S16(data + 32);
  pm.cmpCount = S16(data + 34);
  pm.cmpSize = S16(data + 36);
  pm.planeBytes = S32(data + 38);
  pm.pmTable = reinterpret_cast<CTabHandle>(table);
  pm.pmReserved = S32(data + 46);
  c.iconMask.rowBytes = S16(data + kStoredPixMapSize + 4);
  c.iconMask.bounds = StoredBounds(data + kStoredPixMapSize);
  c.iconBMap.rowBytes = S16(data + kStoredPixMapSize + kStoredBitMapSize + 4);
  c.iconBMap.bounds = StoredBounds(data + kStoredPixMapSize + kStoredBitMapSize);
  c.iconData = pixels;
  std::memcpy(MaskRows(icon), data + layout.maskOffset, maskBytes);
  std::memcpy(MaskRows(icon) + maskBytes, data + layout.iconOffset, bitBytes);
  AttachRows(icon);
  return icon;
}

// The colour image copied into r with srcCopy; under the colour-icon switch an icon whose mask
// is not solid is copied through its mask instead.
void ZEBAPI PlotCIcon(const Rect* theRect, CIconHandle theIcon) {
  GrafPtr port = CurrentPort();
  if (!theRect || !port || EmptyRect(theRect)) return;
  if (!IsColourIcon(reinterpret_cast<Handle>(theIcon))) {
    SetQDError(paramErr);
    return;
  }
  AttachRows(theIcon);
  // CopyBits is given copies of the records: a pixel map inside the icon's handle is not one
  // of the library's pixel-map handles and has no extension behind it.
  PixMap image = (**theIcon).iconPMap;
  BitMap mask = (**theIcon).iconMask;
  const bool masked = frame::Switch(ZEB_SW_COLORICONS) && AnyMaskByteClear(theIcon) &&
                      mask.bounds.right - mask.bounds.left == image.bounds.right - image.bounds.left &&
                      mask.bounds.bottom - mask.bounds.top == image.bounds.bottom - image.bounds.top;
  const auto* source = reinterpret_cast<const BitMap*>(&image);
  if (masked) CopyMask(source, &mask, &port->portBits, &image.bounds, &mask.bounds, theRect);
  else CopyBits(source, &port->portBits, &image.bounds, theRect, srcCopy, nullptr);
}

void ZEBAPI DisposeCIcon(CIconHandle theIcon) {
  if (!IsColourIcon(reinterpret_cast<Handle>(theIcon))) return;
  DisposeHandle(reinterpret_cast<Handle>((**theIcon).iconPMap.pmTable));
  DisposeHandle((**theIcon).iconData);
  DisposeHandle(reinterpret_cast<Handle>(theIcon));
}

}  // extern "C"

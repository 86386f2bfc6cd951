// Pixel maps held in packed DIBs and the conversions between Windows-held pixels and Macintosh
// rows: ZEB_NewDIBPixMap, ZEB_GetDIBFromPixMap, ZEB_UnfoldPixMap and ZEB_FoldPixMap, ZEB_CopyBM
// and ZEB_CopyBitsMacToDIB, and the DIB-section mirror that stands in for the "DIB" driver DC
// where the system has none.
#include "quickdraw/dib_pixmaps.h"

#include <algorithm>
#include <cstring>
#include <utility>
#include <vector>

#include "Errors.h"
#include "MacMemory.h"
#include "QDOffscreen.h"
#include "memory/memory_internal.h"
#include "quickdraw/pixel_formats.h"
#include "quickdraw/quickdraw_state.h"
#include "quickdraw/rect_arithmetic.h"

namespace zeb::quickdraw {
namespace {

// rowBytes bit 15 marks a pixel map; bit 14 set too would make CopyBits read the record as a
// colour port's portPixMap handle, so no pixel map may have rows of 0x4000 bytes or more.
constexpr uint16_t kPixMapFlag = 0x8000;
constexpr size_t kLargestRowBytes = 0x3FFF;
// An outside DIB is taken as long as its header says, up to this size.
constexpr size_t kLargestOutsideDIB = size_t{1} << 30;
constexpr Fixed k72Dpi = 72 << 16;

// The one-byte block every DIB-held pixel map names as baseAddr: its rows are in the DIB.
Ptr SharedDummyRows() {
  static Ptr block = NewPtrClear(1);
  return block;
}

struct DriverMirror {
  PixMapHandle pm;
  DIBMirror* mirror;
};
std::vector<DriverMirror>& DriverMirrors() {
  static std::vector<DriverMirror> list;
  return list;
}

// Unfolded pixel maps and the maps their rows fold back into.
std::vector<std::pair<PixMapHandle, PixMapHandle>>& Unfolded() {
  static std::vector<std::pair<PixMapHandle, PixMapHandle>> list;
  return list;
}

bool IsPixMapRecord(PixMapHandle pm) {
  return pm && memory::LiveHandleSize(reinterpret_cast<Handle>(pm)) >=
                   static_cast<long>(sizeof(PixMapRecord));
}

const BitMap* AsBits(PixMapHandle pm) { return reinterpret_cast<const BitMap*>(*pm); }

// The colour table of an indexed DIB's palette, each 8-bit component c as c * 257.
CTabHandle TableOfDIB(const uint8_t* dib, const PackedDIBLayout& layout, bool* custom) {
  const uint32_t n = std::max<uint32_t>(layout.colourCount, 1);
  auto ct = reinterpret_cast<CTabHandle>(NewHandleClear(static_cast<long>(8 + 8 * n)));
  if (!ct) return nullptr;
  (*ct)->ctSeed = layout.bitCount;
  (*ct)->ctSize = static_cast<short>(n - 1);
  // A palette whose last entry is white and whose others are black is the plain one of a
  // one-bit image; any other is the DIB's own.
  bool plain = true;
  for (uint32_t i = 0; i < n; ++i) {
    const uint32_t c = DIBTableEntry(dib, layout, i);
    ColorSpec& e = (*ct)->ctTable[i];
    e.value = static_cast<short>(i);
    e.rgb.red = static_cast<unsigned short>((c >> 16 & 0xFF) * 257);
    e.rgb.green = static_cast<unsigned short>((c >> 8 & 0xFF) * 257);
    e.rgb.blue = static_cast<unsigned short>((c & 0xFF) * 257);
    if (c != (i + 1 == n ? 0xFFFFFFu : 0u)) plain = false;
  }
  *custom = !plain;
  return ct;
}

}  // namespace

uint8_t* HeldDIB(const PixMapExtension& ext, PackedDIBLayout& layout) {
  if (!(ext.flags & kPixInPackedDIB) || !ext.dib) return nullptr;
  const long size = memory::LiveHandleSize(ext.dib);
  if (size <= 0 || !*ext.dib) return nullptr;
  auto* block = reinterpret_cast<uint8_t*>(*ext.dib);
  return CheckPackedDIB(block, static_cast<size_t>(size), layout) ? block : nullptr;
}

bool DIBMirror::Open(PixMapExtension& ext) {
  Close();
  PackedDIBLayout layout;
  uint8_t* block = HeldDIB(ext, layout);
  if (!block) return false;
  HDC screen = GetDC(nullptr);
  dc_ = CreateCompatibleDC(screen);
  if (dc_)
    bitmap_ = CreateDIBSection(dc_, reinterpret_cast<const BITMAPINFO*>(block), DIB_RGB_COLORS,
                               &bits_, nullptr, 0);
  ReleaseDC(nullptr, screen);
  if (!bitmap_ || !bits_) {
    Close();
    return false;
  }
  std::memcpy(bits_, block + layout.rowsOffset, static_cast<size_t>(layout.imageBytes));
  previous_ = SelectObject(dc_, bitmap_);
  ext_ = &ext;
  return true;
}

void DIBMirror::WriteBack() {
  if (!ext_ || !bits_) return;
  GdiFlush();
  PackedDIBLayout layout;
  // The handle is checked again: the application may have resized it since.
  if (uint8_t* block = HeldDIB(*ext_, layout))
    std::memcpy(block + layout.rowsOffset, bits_, static_cast<size_t>(layout.imageBytes));
}

void DIBMirror::Close() {
  if (dc_ && previous_) SelectObject(dc_, previous_);
  if (bitmap_) DeleteObject(bitmap_);
  if (dc_) DeleteDC(dc_);
  dc_ = nullptr;
  bitmap_ = nullptr;
  previous_ = nullptr;
  bits_ = nullptr;
  ext_ = nullptr;
}

HDC OpenDriverMirror(PixMapHandle pm) {
  for (DriverMirror& m : DriverMirrors())
    if (m.pm == pm) return m.mirror->dc();
  auto* mirror = new DIBMirror;
  if (!mirror->Open(ExtensionOf(pm))) {
    delete mirror;
    return nullptr;
  }
  DriverMirrors().push_back({pm, mirror});
  return mirror->dc();
}

void FlushDriverDC(HDC dc) {
  if (!dc) return;
  for (DriverMirror& m : DriverMirrors())
    if (m.mirror->dc() == dc) m.mirror->WriteBack();
}

void FlushDriverMirrorOf(const PixMapExtension& ext) {
  if (ext.driverDC) FlushDriverDC(ext.driverDC);
}

void ReleaseHeldDIB(PixMapHandle pm) {
  if (!IsPixMapRecord(pm)) return;
  auto& mirrors = DriverMirrors();
  for (auto it = mirrors.begin(); it != mirrors.end(); ++it) {
    if (it->pm != pm) continue;
    delete it->mirror;  // a port still drawing on it has lost its pixels with the map
    mirrors.erase(it);
    break;
  }
  auto& unfolded = Unfolded();
  for (auto it = unfolded.begin(); it != unfolded.end(); ++it) {
    if (it->first != pm) continue;
    if ((*pm)->baseAddr) DisposePtr((*pm)->baseAddr);
    (*pm)->baseAddr = nullptr;
    unfolded.erase(it);
    break;
  }
  // A map that others unfold from no longer takes their rows back.
  unfolded.erase(std::remove_if(unfolded.begin(), unfolded.end(),
                                [&](const auto& link) { return link.second == pm; }),
                 unfolded.end());
  PixMapExtension& ext = ExtensionOf(pm);
  if ((ext.flags & kPixOutsideDIB) && ext.dib) {
    DisposeHandle(ext.dib);
    ext.dib = nullptr;
    ext.rows = nullptr;
    ext.driverDC = nullptr;
  }
}

}  // namespace zeb::quickdraw

using namespace zeb;
using namespace zeb::quickdraw;

extern "C" {

PixMapHandle ZEBAPI ZEB_NewDIBPixMap(const BITMAPINFO* dib) {
  SetQDError(noErr);
  PackedDIBLayout layout;
  const auto* source = reinterpret_cast<const uint8_t*>(dib);
  if (!source || !CheckPackedDIB(source, kLargestOutsideDIB, layout) ||
      layout.rowBytes > kLargestRowBytes) {
    SetQDError(paramErr);
    return nullptr;
  }
  const size_t total = layout.rowsOffset + static_cast<size_t>(layout.imageBytes);
  Handle copy = NewHandle(static_cast<long>(total));
  if (!copy) {
    SetQDError(memFullErr);
    return nullptr;
  }
  std::memcpy(*copy, source, total);
  // The copy states its image size; the outside DIB's own biSizeImage is never trusted.
  reinterpret_cast<BITMAPINFOHEADER*>(*copy)->biSizeImage = static_cast<DWORD>(layout.imageBytes);
  bool custom = false;
  CTabHandle table = nullptr;
  if (layout.bitCount <= 8) {
    table = TableOfDIB(source, layout, &custom);
    if (!table) {
      DisposeHandle(copy);
      SetQDError(memFullErr);
      return nullptr;
    }
  }
  PixMapHandle pm = NewPixMapRecord(table);
  Ptr dummy = SharedDummyRows();
  if (!pm || !dummy) {
    if (table) DisposeHandle(reinterpret_cast<Handle>(table));
    if (pm) DisposeHandle(reinterpret_cast<Handle>(pm));
    DisposeHandle(copy);
    SetQDError(memFullErr);
    return nullptr;
  }
  PixMap& p = **pm;
  p.baseAddr = dummy;
  p.rowBytes = static_cast<short>(layout.rowBytes | kPixMapFlag);
  p.bounds = MakeRect(0, 0, static_cast<short>(layout.width), static_cast<short>(layout.height));
  // Marked as a DIB-held offscreen map, so that ZEB_GetDIBFromPixMap answers for it.
  p.pmVersion = static_cast<short>(kDIBPixMapVersion);
  p.packType = static_cast<short>(kDIBPixMapPackType);
  p.hRes = p.vRes = k72Dpi;
  const int depth = layout.bitCount == 24 ? 32 : layout.bitCount;
  p.pixelSize = static_cast<short>(depth);
  if (depth <= 8) {
    p.pixelType = 0;
    p.cmpCount = 1;
    p.cmpSize = static_cast<short>(depth);
  } else {
    p.pixelType = RGBDirect;
    p.cmpCount = static_cast<short>(depth == 16 ? 3 : 4);
    p.cmpSize = static_cast<short>(depth == 16 ? 5 : 8);
  }
  PixMapExtension& ext = ExtensionOf(pm);
  ext.flags = static_cast<uint16_t>(kPixInPackedDIB | kPixOutsideDIB | (custom ? kPixCustomPalette : 0));
  ext.dib = copy;
  ext.rows = *copy + layout.rowsOffset;
  return pm;
}

const BITMAPINFO* ZEBAPI ZEB_GetDIBFromPixMap(PixMapHandle pm, void** bits) {
  if (bits) *bits = nullptr;
  if (!IsPixMapRecord(pm) || !IsDIBPixMap(pm)) return nullptr;
  PixMapExtension& ext = ExtensionOf(pm);
  if (ext.flags & kPixInPackedDIB) {
    FlushDriverMirrorOf(ext);
    PackedDIBLayout layout;
    uint8_t* block = HeldDIB(ext, layout);
    if (!block) return nullptr;
    ext.rows = block + layout.rowsOffset;
    if (bits) *bits = ext.rows;
    return reinterpret_cast<const BITMAPINFO*>(block);
  }
  // A DIB world: its header and palette in the handle, its rows in the DIB section.
  if ((ext.flags & kPixInDeviceBitmap) && ext.dib && *ext.dib && ext.rows) {
    GdiFlush();
    if (bits) *bits = ext.rows;
    return reinterpret_cast<const BITMAPINFO*>(*ext.dib);
  }
  return nullptr;
}

OSErr ZEBAPI ZEB_UnfoldPixMap(PixMapHandle src, PixMapHandle dst, const Rect* area, short flags) {
  if (!IsPixMapRecord(src) || !IsPixMapRecord(dst) || src == dst) return paramErr;
  Rect bounds = (*src)->bounds;
  if (area && !IntersectRects(*area, (*src)->bounds, bounds)) return paramErr;
  if (IsEmptyRect(bounds)) return paramErr;
  const int depth = (*src)->pixelSize == 24 ? 32 : (*src)->pixelSize;
  if (!IsMacDepth(depth)) return paramErr;
  const int64_t width = bounds.right - bounds.left, height = bounds.bottom - bounds.top;
  const int64_t rowBytes = (MinimumRowBytes(width, depth) + 1) & ~int64_t{1};
  if (rowBytes > static_cast<int64_t>(kLargestRowBytes)) return paramErr;
  Ptr rows = NewPtrClear(static_cast<long>(rowBytes * height));
  if (!rows) return memFullErr;
  Handle table = reinterpret_cast<Handle>((*src)->pmTable);
  if (table && HandToHand(&table) != noErr) {
    DisposePtr(rows);
    return memFullErr;
  }
  ReleaseHeldDIB(dst);  // rows of an earlier unfolding
  if ((*dst)->pmTable) DisposeHandle(reinterpret_cast<Handle>((*dst)->pmTable));
  PixMap& d = **dst;
  const PixMap& s = **src;
  d = s;
  d.baseAddr = rows;
  d.rowBytes = static_cast<short>(rowBytes | kPixMapFlag);
  d.bounds = bounds;
  d.pmVersion = 0;
  d.packType = 0;
  d.pixelSize = static_cast<short>(depth);
  d.pmTable = reinterpret_cast<CTabHandle>(table);
  ExtensionOf(dst) = PixMapExtension{};
  ExtensionOf(dst).flags = kPixConverted;
  Unfolded().push_back({dst, src});
  if (flags & ZEB_UNFOLD_NOREAD) return noErr;
  TransferBitsRaw(AsBits(src), AsBits(dst), bounds, bounds);
  return QDError();
}

OSErr ZEBAPI ZEB_FoldPixMap(PixMapHandle pm, const Rect* area, short flags) {
  if (!IsPixMapRecord(pm)) return paramErr;
  auto& unfolded = Unfolded();
  auto link = std::find_if(unfolded.begin(), unfolded.end(),
                           [&](const auto& l) { return l.first == pm; });
  if (link == unfolded.end()) {
    // A DIB-held map drawn on through its driver DC: its rows go back to the DIB.
    const PixMapExtension& ext = ExtensionOf(pm);
    if (!(ext.flags & kPixInPackedDIB)) return paramErr;
    FlushDriverMirrorOf(ext);
    return noErr;
  }
  PixMapHandle target = link->second;
  Rect r = (*pm)->bounds;
  if (area && !IntersectRects(*area, (*pm)->bounds, r)) r = MakeRect(0, 0, 0, 0);
  OSErr err = noErr;
  if (!IsEmptyRect(r) && (*pm)->baseAddr) {
    TransferBitsRaw(AsBits(pm), AsBits(target), r, r);
    err = QDError();
  }
  if (!(flags & ZEB_FOLD_KEEPROWS)) ReleaseHeldDIB(pm);
  return err;
}

OSErr ZEBAPI ZEB_CopyBM(const BitMap* src, PixMapHandle dst) {
  if (!src || !IsPixMapRecord(dst)) return paramErr;
  const Rect from = (static_cast<uint16_t>(src->rowBytes) & kPixMapFlag)
                        ? reinterpret_cast<const PixMap*>(src)->bounds
                        : src->bounds;
  TransferBitsRaw(src, AsBits(dst), from, (*dst)->bounds);
  return QDError();
}

Handle ZEBAPI ZEB_CopyBitsMacToDIB(const BitMap* src) {
  SetQDError(paramErr);
  if (!src) return nullptr;
  // A bit map, a pixel map, or a colour port's pixel map handle (dereferenced only when live).
  const PixMap* pm = nullptr;
  const uint16_t flags = static_cast<uint16_t>(src->rowBytes);
  if ((flags & 0xC000) == 0xC000) {
    const auto h = reinterpret_cast<PixMapHandle>(src->baseAddr);
    if (memory::LiveHandleSize(reinterpret_cast<Handle>(h)) < static_cast<long>(sizeof(PixMap)))
      return nullptr;
    pm = *h;
  } else if (flags & kPixMapFlag) {
    pm = reinterpret_cast<const PixMap*>(src);
  }
  const Ptr base = pm ? pm->baseAddr : src->baseAddr;
  const int32_t rowBytes = (pm ? pm->rowBytes : src->rowBytes) & 0x3FFF;
  const Rect bounds = pm ? pm->bounds : src->bounds;
  const int depth = pm ? pm->pixelSize : 1;
  const int dibDepth = DIBDepthFor(depth);
  const int32_t width = bounds.right - bounds.left, height = bounds.bottom - bounds.top;
  // Rows held by a device or a Windows bitmap are not in memory to read.
  if (!dibDepth || width <= 0 || height <= 0 || reinterpret_cast<uintptr_t>(base) < 0x10000 ||
      (pm && static_cast<uint16_t>(pm->pmVersion) == kDIBPixMapVersion &&
       static_cast<uint16_t>(pm->packType) == kDIBPixMapPackType) ||
      rowBytes < MinimumRowBytes(width, depth)) {
    SetQDError(cNoMemErr);
    return nullptr;
  }
  const size_t colours = dibDepth <= 8 ? size_t{1} << dibDepth : 0;
  const size_t dibRowBytes = static_cast<size_t>(DIBRowBytes(width, dibDepth));
  const size_t header = sizeof(BITMAPINFOHEADER) + colours * sizeof(RGBQUAD);
  Handle h = NewHandleClear(static_cast<long>(header + dibRowBytes * static_cast<size_t>(height)));
  if (!h) {
    SetQDError(memFullErr);
    return nullptr;
  }
  auto* bh = reinterpret_cast<BITMAPINFOHEADER*>(*h);
  bh->biSize = sizeof(BITMAPINFOHEADER);
  bh->biWidth = width;
  bh->biHeight = height;  // bottom-up
  bh->biPlanes = 1;
  bh->biBitCount = static_cast<WORD>(dibDepth);
  bh->biCompression = BI_RGB;
  bh->biSizeImage = static_cast<DWORD>(dibRowBytes * static_cast<size_t>(height));
  auto* quads = reinterpret_cast<RGBQUAD*>(*h + sizeof(BITMAPINFOHEADER));
  if (depth == 1 && (!pm || !pm->pmTable)) {
    // Clear bits are white paper, set bits black ink.
    quads[0] = RGBQUAD{0xFF, 0xFF, 0xFF, 0};
    quads[1] = RGBQUAD{0, 0, 0, 0};
  } else if (colours && pm && pm->pmTable) {
    const long bytes = memory::LiveHandleSize(reinterpret_cast<Handle>(pm->pmTable));
    const long fits = bytes > 8 ? (bytes - 8) / 8 : 0;
    const ColorTable& ct = **pm->pmTable;
    for (long i = 0; i < static_cast<long>(colours) && i <= ct.ctSize && i < fits; ++i)
      quads[i] = RGBQUAD{static_cast<BYTE>(ct.ctTable[i].rgb.blue >> 8),
                         static_cast<BYTE>(ct.ctTable[i].rgb.green >> 8),
                         static_cast<BYTE>(ct.ctTable[i].rgb.red >> 8), 0};
  }
  MacImageToDIBRows(reinterpret_cast<const uint8_t*>(base), rowBytes, width, height, depth,
                    reinterpret_cast<uint8_t*>(*h) + header);
  SetQDError(noErr);
  return h;
}

}  // extern "C"

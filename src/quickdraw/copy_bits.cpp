// CopyBits and its bottleneck StdBits, CopyMask, the single-pixel calls and QDError. An image is
// either in memory (rows at baseAddr), or on a device (a port's DC, its baseAddr the port's
// tagged context slot, or a pixel map whose pixels a Windows bitmap in a memory DC holds). The
// pair of kinds chooses the path: device to device by BitBlt or StretchBlt, memory to device by
// StretchDIBits, device to memory through the device's pixels read back with GetDIBits, and
// memory to memory by the pixel engine.
#include <algorithm>
#include <cstring>
#include <memory>
#include <vector>

#include "Errors.h"
#include "MacMemory.h"
#include "memory/memory_internal.h"
#include "quickdraw/copy_options.h"
#include "quickdraw/dib_pixmaps.h"
#include "quickdraw/pixel_engine.h"
#include "quickdraw/pixel_formats.h"
#include "quickdraw/pixel_map_record.h"
#include "quickdraw/picture_recording.h"
#include "quickdraw/quickdraw_state.h"
#include "quickdraw/raster_operations.h"
#include "quickdraw/rect_arithmetic.h"
#include "quickdraw/region_mask.h"
#include "quickdraw/region_record.h"
#include "quickdraw/standard_colour_tables.h"
#include "quickdraw/wing.h"

namespace zeb::quickdraw {
namespace {

OSErr g_qdError = noErr;

// rowBytes flags: bit 15 a pixel map; bits 15 and 14 a colour port's portPixMap handle and
// portVersion standing where a BitMap is.
constexpr uint16_t kPixMapFlag = 0x8000;
constexpr uint16_t kPortPixMapFlags = 0xC000;
constexpr uint16_t kRowBytesMask = 0x3FFF;
// Below this a baseAddr is a tagged context slot, never memory holding rows.
constexpr uintptr_t kLowestRowAddress = 0x10000;
constexpr int kDitherBit = 0x40;
constexpr int kSrcCopy = 0;
constexpr int kSrcOr = 1;
constexpr int kSrcBic = 3;
constexpr int kTransparentMode = 36;
constexpr size_t kLargestTable = 256;

// Raw transfers (unfolding, folding, ZEB_CopyBM) move pixels as they are: no colourisation by
// the port's foreground and background.
bool g_rawTransfer = false;

using BitsProc = void(ZEBAPI*)(const BitMap*, const Rect*, const Rect*, short, RgnHandle);

enum class ImageKind : uint8_t { Memory, Device };

// One side of a transfer.
struct ImageRef {
  ImageKind kind = ImageKind::Memory;
  const BitMap* bits = nullptr;   // as given (after dereferencing a port's pixel map handle)
  const PixMap* pm = nullptr;     // null for a one-bit BitMap
  Rect bounds{};
  int depth = 1;
  // Device images: the DC and how local coordinates reach it.
  HDC dc = nullptr;
  DrawingContext* ctx = nullptr;  // null for a pixel map held in a memory DC
  // A pixel map whose pixels a packed DIB holds is drawn on through a mirror of the DIB,
  // written back after a transfer into it.
  std::unique_ptr<DIBMirror> mirror;
  // Memory images.
  uint8_t* rows = nullptr;
  int32_t rowBytes = 0;
  Rgb16 table[kLargestTable];
  int32_t tableCount = 0;
  void AddEntry(const Rgb16& c) {
    if (tableCount < static_cast<int32_t>(kLargestTable)) table[tableCount++] = c;
  }
};

void ReportText(const char* text) {
  Str255 message;
  const size_t n = std::min<size_t>(std::strlen(text), 255);
  message[0] = static_cast<unsigned char>(n);
  std::memcpy(message + 1, text, n);
  DebugStr(message);
}

// The extension is there only behind pixel maps the library allocated: a handle of the full
// record's size.
const PixMapExtension* ExtensionIfAny(const PixMap* pm) {
  Handle h = RecoverHandle(reinterpret_cast<Ptr>(const_cast<PixMap*>(pm)));
  if (!h || *h != reinterpret_cast<Ptr>(const_cast<PixMap*>(pm))) return nullptr;
  if (memory::LiveHandleSize(h) < static_cast<long>(sizeof(PixMapRecord))) return nullptr;
  return &reinterpret_cast<const PixMapRecord*>(pm)->ext;
}

bool ResolveImage(const BitMap* map, ImageRef& out) {
  if (!map) return false;
  const uint16_t flags = static_cast<uint16_t>(map->rowBytes);
  if ((flags & kPortPixMapFlags) == kPortPixMapFlags) {
    // A colour port's portBits: baseAddr is its pixel map handle, dereferenced only when live.
    const auto h = reinterpret_cast<PixMapHandle>(map->baseAddr);
    if (memory::LiveHandleSize(reinterpret_cast<Handle>(h)) < static_cast<long>(sizeof(PixMap)))
      return false;
    out.pm = *h;
  } else if (flags & kPixMapFlag) {
    out.pm = reinterpret_cast<const PixMap*>(map);
  }
  out.bits = out.pm ? reinterpret_cast<const BitMap*>(out.pm) : map;
  const Ptr base = out.pm ? out.pm->baseAddr : map->baseAddr;
  out.bounds = out.pm ? out.pm->bounds : map->bounds;
  out.depth = out.pm ? out.pm->pixelSize : 1;
  const uintptr_t address = reinterpret_cast<uintptr_t>(base);
  if (address < kLowestRowAddress && (address & kSlotTag)) {
    const int slot = static_cast<int>(address & ~kSlotTag);
    if (slot >= kContextSlotCount) return false;
    DrawingContext* ctx = State().slots[slot];
    if (!ctx || !ctx->dc) return false;
    out.kind = ImageKind::Device;
    out.ctx = ctx;
    out.dc = ctx->dc;
    return true;
  }
  if (out.pm) {
    const PixMapExtension* ext = ExtensionIfAny(out.pm);
    if (ext && (ext->flags & kPixInDeviceBitmap) && ext->memoryDC) {
      out.kind = ImageKind::Device;
      out.dc = ext->memoryDC;
      return true;
    }
    if (ext && (ext->flags & kPixInPackedDIB)) {
      // Rows held by a DIB: GDI draws on the port's driver DC when one is open, else on a
      // mirror of the DIB made for this transfer.
      auto* held = const_cast<PixMapExtension*>(ext);
      out.kind = ImageKind::Device;
      if (held->driverDC) {
        out.dc = held->driverDC;
        return true;
      }
      out.mirror = std::make_unique<DIBMirror>();
      if (!out.mirror->Open(*held)) return false;
      out.dc = out.mirror->dc();
      return true;
    }
  }
  if (address < kLowestRowAddress) return false;
  out.kind = ImageKind::Memory;
  out.rows = reinterpret_cast<uint8_t*>(base);
  out.rowBytes = (out.pm ? out.pm->rowBytes : map->rowBytes) & kRowBytesMask;
  if (!IsMacDepth(out.depth)) return true;  // the engine reports the depth
  if (out.pm && IsIndexedDepth(out.depth)) {
    CTabHandle ct = out.pm->pmTable;
    if (!ct || !*ct) {
      ReportText(" Oops! Copybits got a NULL color table.");
      const int16_t id = static_cast<int16_t>(out.depth == 2 ? 0 : out.depth);
      for (int i = 0; i < StandardTableSize(id); ++i) out.AddEntry(StandardTableEntry(id, i));
    } else {
      const ColorTable& t = **ct;
      const int count = std::min<int>(t.ctSize + 1, 1 << out.depth);
      // The table's own handle bounds its entries too.
      const long bytes = memory::LiveHandleSize(reinterpret_cast<Handle>(ct));
      const int fits = bytes > 8 ? static_cast<int>((bytes - 8) / 8) : 0;
      for (int i = 0; i < std::min(count, fits); ++i) out.AddEntry(ToRgb16(t.ctTable[i].rgb));
    }
  }
  return true;
}

EngineImage EngineImageOf(const ImageRef& im) {
  EngineImage e;
  e.base = im.rows;
  e.rowBytes = im.rowBytes;
  e.bounds = im.bounds;
  e.depth = im.depth;
  e.table = im.tableCount ? im.table : nullptr;
  e.tableCount = im.tableCount;
  const int64_t h = std::max<int64_t>(0, static_cast<int64_t>(im.bounds.bottom) - im.bounds.top);
  e.byteCount = static_cast<size_t>(im.rowBytes) * static_cast<size_t>(h);
  return e;
}

// A rectangle of an image in its DC's pixels.
RECT DeviceRectOf(const ImageRef& im, const Rect& r) {
  if (im.ctx) return ToDeviceRect(*im.ctx, r);
  // A pixel map held in a memory DC: its bounds' top-left is the bitmap's origin.
  return RECT{r.left - im.bounds.left, r.top - im.bounds.top, r.right - im.bounds.left,
              r.bottom - im.bounds.top};
}

// A destination on the screen: a window's DC, the screen's or a device's.
bool OnScreen(const ImageRef& im) {
  return im.ctx && (im.ctx->source == DCSource::Screen || im.ctx->source == DCSource::Window ||
                    im.ctx->source == DCSource::Device);
}

// The foreground and background of the current port (black and white without one).
void PortColours(Rgb16& fore, Rgb16& back) {
  DrawingContext* ctx = g_rawTransfer ? nullptr : Current();
  fore = ctx ? ctx->foreRgb : kBlackRgb;
  back = ctx ? ctx->backRgb : kWhiteRgb;
}

// srcRect clipped to the source image's bounds, with dstRect cut in the same proportion, so
// that no pixel outside the image is asked of GDI or of memory.
bool ClipToSource(const Rect& bounds, Rect& src, Rect& dst) {
  Rect clipped;
  if (!IntersectRects(src, bounds, clipped)) return false;
  const int64_t sw = src.right - src.left, sh = src.bottom - src.top;
  const int64_t dw = dst.right - dst.left, dh = dst.bottom - dst.top;
  Rect cut;
  cut.left = static_cast<short>(dst.left + (clipped.left - src.left) * dw / sw);
  cut.right = static_cast<short>(dst.left + (clipped.right - src.left) * dw / sw);
  cut.top = static_cast<short>(dst.top + (clipped.top - src.top) * dh / sh);
  cut.bottom = static_cast<short>(dst.top + (clipped.bottom - src.top) * dh / sh);
  if (IsEmptyRect(cut)) return false;
  src = clipped;
  dst = cut;
  return true;
}

// The destination DC's clip narrowed by maskRgn (local coordinates of the destination) while a
// transfer runs; the port's own clip is selected again afterwards.
class MaskClip {
 public:
  MaskClip(const ImageRef& dst, RgnHandle maskRgn) : dst_(dst) {
    const RegionRecord* r = RegionOf(maskRgn);
    if (!r || !dst.ctx) return;
    HRGN local = NewGdiRegionOf(*r);
    if (!local) return;
    HRGN device = ToDevice(*dst.ctx, local);
    if (!device) return;
    applied_ = true;
    empty_ = ExtSelectClipRgn(dst.dc, device, RGN_AND) == NULLREGION;
    DeleteObject(device);
  }
  ~MaskClip() {
    if (applied_ && dst_.ctx) ApplyClip(dst_.ctx->port);
  }
  bool Empty() const { return empty_; }

 private:
  const ImageRef& dst_;
  bool applied_ = false;
  bool empty_ = false;
};

// The DC's colours are the port's foreground and background, so that one-bit device sources
// are colourised by GDI; srcOr through the source puts a brush of the foreground.
class TransferColours {
 public:
  TransferColours(const ImageRef& dst, int mode, bool oneBitSource) : dc_(dst.dc) {
    DrawingContext* ctx = g_rawTransfer ? nullptr : dst.ctx ? dst.ctx : Current();
    COLORREF fore = ctx ? ctx->foreColor : 0;
    const COLORREF back = ctx ? ctx->backColor : 0xFFFFFF;
    // On the screen under the transparent-as-copy option, srcBic paints white.
    if ((mode & ~kDitherBit & 15) == kSrcBic && (mode & ~kDitherBit) < 32 && OnScreen(dst) &&
        TransparentAsCopyOption())
      fore = 0xFFFFFF;
    oldText_ = SetTextColor(dc_, fore);
    oldBack_ = SetBkColor(dc_, back);
    if (dst.ctx) {
      dst.ctx->selectedTextColor = fore;
      dst.ctx->selectedBackColor = back;
    }
    const int m = mode & ~kDitherBit;
    if ((m & 15) == kSrcOr && !oneBitSource) {
      brush_ = CreateSolidBrush(fore);
      oldBrush_ = SelectObject(dc_, brush_);
      if (dst.ctx) dst.ctx->selectedBrush = nullptr;
    }
  }
  ~TransferColours() {
    if (brush_) {
      SelectObject(dc_, oldBrush_);
      DeleteObject(brush_);
    }
  }

 private:
  HDC dc_;
  COLORREF oldText_, oldBack_;
  HBRUSH brush_ = nullptr;
  HGDIOBJ oldBrush_ = nullptr;
};

void StretchMode(HDC dc) { SetStretchBltMode(dc, COLORONCOLOR); }

bool Scaled(const RECT& a, const RECT& b) {
  return a.right - a.left != b.right - b.left || a.bottom - a.top != b.bottom - b.top;
}

// Device to device: BitBlt when unscaled (GDI handles overlapping self-copies), else StretchBlt.
void DeviceToDevice(const ImageRef& src, const ImageRef& dst, const Rect& sr, const Rect& dr,
                    int mode) {
  const RECT s = DeviceRectOf(src, sr), d = DeviceRectOf(dst, dr);
  const DWORD rop = Rop3ForMode(mode, src.depth == 1);
  TransferColours colours(dst, mode, src.depth == 1);
  const WinGLibrary* wing = rop == kRop3SrcCopy && IsWinGDC(src.dc) ? WinG() : nullptr;
  if (!Scaled(s, d) && wing) {
    // A plain copy out of a WinG world goes through WinG's own blit.
    wing->bitBlt(dst.dc, d.left, d.top, d.right - d.left, d.bottom - d.top, src.dc, s.left, s.top);
  } else if (!Scaled(s, d)) {
    BitBlt(dst.dc, d.left, d.top, d.right - d.left, d.bottom - d.top, src.dc, s.left, s.top, rop);
  } else {
    StretchMode(dst.dc);
    StretchBlt(dst.dc, d.left, d.top, d.right - d.left, d.bottom - d.top, src.dc, s.left, s.top,
               s.right - s.left, s.bottom - s.top, rop);
  }
}

// A packed DIB (header, table, top-down rows) of the part sr of a memory image. One-bit images
// take the port's colours as their two entries, so that ink shows in the foreground and paper
// in the background; for or and bic modes the paper stays white, leaving the destination alone.
struct DIBImage {
  std::vector<uint8_t> block;
  BITMAPINFO* info() { return reinterpret_cast<BITMAPINFO*>(block.data()); }
  uint8_t* bits = nullptr;
};

bool MemoryImageAsDIB(const ImageRef& src, const Rect& sr, int mode, DIBImage& out) {
  const int dibDepth = DIBDepthFor(src.depth);
  if (!dibDepth) return false;
  const int32_t w = sr.right - sr.left, h = sr.bottom - sr.top;
  const int64_t width = src.bounds.right - src.bounds.left;
  if (src.rowBytes < MinimumRowBytes(width, src.depth)) return false;
  const size_t colours = dibDepth <= 8 ? (size_t{1} << dibDepth) : 0;
  const size_t rowBytes = static_cast<size_t>(DIBRowBytes(w, dibDepth));
  const size_t header = sizeof(BITMAPINFOHEADER) + colours * sizeof(RGBQUAD);
  out.block.assign(header + rowBytes * static_cast<size_t>(h), 0);
  BITMAPINFOHEADER& bh = out.info()->bmiHeader;
  bh.biSize = sizeof(BITMAPINFOHEADER);
  bh.biWidth = w;
  bh.biHeight = -h;  // top-down, as Macintosh rows run
  bh.biPlanes = 1;
  bh.biBitCount = static_cast<WORD>(dibDepth);
  bh.biCompression = BI_RGB;
  auto* quads = reinterpret_cast<uint32_t*>(out.block.data() + sizeof(BITMAPINFOHEADER));
  if (src.depth == 1) {
    Rgb16 fore, back;
    PortColours(fore, back);
    const int m = CombineModeFor(mode);
    if (m != 0 && m != 4) {  // only the copy modes paint the paper
      fore = kBlackRgb;
      back = kWhiteRgb;
    }
    OneBitPalette(fore, back, quads);
  } else if (colours) {
    for (size_t i = 0; i < colours; ++i) {
      // A two-bit image widened to four bits uses the first four entries.
      const Rgb16 c = static_cast<int32_t>(i) < src.tableCount ? src.table[i] : kBlackRgb;
      quads[i] = RgbQuadFor(c);
    }
  }
  out.bits = out.block.data() + header;
  // Only the needed part is converted: a row of the source span, shifted to the span's start.
  static std::vector<uint8_t> span;  // kept from call to call: transfers never nest
  span.resize(static_cast<size_t>(MinimumRowBytes(w, src.depth)) + 4);
  for (int32_t y = 0; y < h; ++y) {
    const uint8_t* row = src.rows + static_cast<size_t>(sr.top - src.bounds.top + y) * src.rowBytes;
    const int32_t x0 = sr.left - src.bounds.left;
    uint8_t* dibRow = out.bits + static_cast<size_t>(y) * rowBytes;
    // A span that starts on a byte converts in place; others are first shifted to a byte.
    if ((static_cast<int64_t>(x0) * src.depth) % 8 == 0) {
      MacRowToDIB(row + static_cast<size_t>(x0) * src.depth / 8, dibRow, w, src.depth);
      continue;
    }
    std::fill(span.begin(), span.end(), 0);
    for (int32_t x = 0; x < w; ++x) WriteMacPixel(span.data(), x, src.depth, ReadMacPixel(row, x0 + x, src.depth));
    MacRowToDIB(span.data(), dibRow, w, src.depth);
  }
  return true;
}

// The DIB's storage is kept from one transfer to the next (transfers never nest).
DIBImage& ScratchDIB() {
  static DIBImage dib;
  return dib;
}

// Banded transfer: the image in horizontal bands of at most 32 KB of DIB rows, each drawn into
// a bitmap compatible with the destination and copied from there with the mode's ROP3, the
// destination band's height in proportion. Bands meet exactly: band edges are computed from the
// whole transfer, not added up.
void MemoryToDeviceInBands(const ImageRef& src, const ImageRef& dst, const Rect& sr,
                           const RECT& d, int mode) {
  const int32_t w = sr.right - sr.left, h = sr.bottom - sr.top;
  const int32_t dw = d.right - d.left, dh = d.bottom - d.top;
  const int32_t band = BandHeight(DIBRowBytes(w, DIBDepthFor(src.depth)), h);
  HDC memory = CreateCompatibleDC(dst.dc);
  if (!memory) {
    g_qdError = memFullErr;
    return;
  }
  const DWORD rop = Rop3ForMode(mode, true);
  for (int32_t y = 0; y < h; y += band) {
    const int32_t rows = std::min(band, h - y);
    const int32_t top = d.top + static_cast<int32_t>(int64_t{y} * dh / h);
    const int32_t bottom = d.top + static_cast<int32_t>(int64_t{y + rows} * dh / h);
    if (bottom <= top) continue;
    Rect part = sr;
    part.top = static_cast<short>(sr.top + y);
    part.bottom = static_cast<short>(sr.top + y + rows);
    DIBImage& dib = ScratchDIB();
    if (!MemoryImageAsDIB(src, part, mode, dib)) {
      g_qdError = paramErr;
      break;
    }
    HBITMAP bitmap = CreateCompatibleBitmap(dst.dc, w, rows);
    if (!bitmap) {
      g_qdError = memFullErr;
      break;
    }
    HGDIOBJ old = SelectObject(memory, bitmap);
    SetDIBitsToDevice(memory, 0, 0, static_cast<DWORD>(w), static_cast<DWORD>(rows), 0, 0, 0,
                      static_cast<UINT>(rows), dib.bits, dib.info(), DIB_RGB_COLORS);
    if (dw == w && bottom - top == rows) {
      BitBlt(dst.dc, d.left, top, w, rows, memory, 0, 0, rop);
    } else {
      StretchMode(dst.dc);
      StretchBlt(dst.dc, d.left, top, dw, bottom - top, memory, 0, 0, w, rows, rop);
    }
    SelectObject(memory, old);
    DeleteObject(bitmap);
  }
  DeleteDC(memory);
}

void MemoryToDevice(const ImageRef& src, const ImageRef& dst, const Rect& sr, const Rect& dr,
                    int mode, bool masked) {
  const RECT d = DeviceRectOf(dst, dr);
  const int32_t w = sr.right - sr.left, h = sr.bottom - sr.top;
  TransferColours colours(dst, mode, true);
  if (BandedTransferOption()) {
    MemoryToDeviceInBands(src, dst, sr, d, mode);
    return;
  }
  DIBImage& dib = ScratchDIB();
  if (!MemoryImageAsDIB(src, sr, mode, dib)) {
    g_qdError = paramErr;
    return;
  }
  // The direct-copy option: an unscaled, unmasked srcCopy of a deep image goes to the device
  // as it is (the dither bit asks nothing of a device).
  if (DirectCopyOption() && (mode & ~kDitherBit) == kSrcCopy && !masked && src.depth >= 8 &&
      d.right - d.left == w && d.bottom - d.top == h) {
    SetDIBitsToDevice(dst.dc, d.left, d.top, static_cast<DWORD>(w), static_cast<DWORD>(h), 0, 0, 0,
                      static_cast<UINT>(h), dib.bits, dib.info(), DIB_RGB_COLORS);
    return;
  }
  StretchMode(dst.dc);
  StretchDIBits(dst.dc, d.left, d.top, d.right - d.left, d.bottom - d.top, 0, 0, w, h, dib.bits,
                dib.info(), DIB_RGB_COLORS, Rop3ForMode(mode, true));
}

// The device pixels of sr as a 32-bit memory image (x-r-g-b rows), read through a bitmap
// compatible with the device.
bool DevicePixels(const ImageRef& src, const Rect& sr, std::vector<uint8_t>& rows) {
  const RECT s = DeviceRectOf(src, sr);
  const int w = s.right - s.left, h = s.bottom - s.top;
  if (w <= 0 || h <= 0) return false;
  HDC memory = CreateCompatibleDC(src.dc);
  HBITMAP bitmap = CreateCompatibleBitmap(src.dc, w, h);
  bool ok = false;
  if (memory && bitmap) {
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, w, h, src.dc, s.left, s.top, kRop3SrcCopy);
    SelectObject(memory, old);
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bi.bmiHeader.biWidth = w;
    bi.bmiHeader.biHeight = -h;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    std::vector<uint8_t> dib(static_cast<size_t>(w) * h * 4);
    if (GetDIBits(memory, bitmap, 0, static_cast<UINT>(h), dib.data(), &bi, DIB_RGB_COLORS) == h) {
      rows.resize(dib.size());
      ok = DIBRowsToMacImage(dib.data(), 32, true, w, h, rows.data(), w * 4, 32);
    }
  }
  if (bitmap) DeleteObject(bitmap);
  if (memory) DeleteDC(memory);
  return ok;
}

// The mask of a memory destination: maskRgn's pixels over the destination rectangle.
bool MemoryMask(RgnHandle maskRgn, const Rect& dr, RegionMask& out) {
  const RegionRecord* r = RegionOf(maskRgn);
  if (!r) return false;
  out = ShapeMask(*r, dr);
  return true;
}

void MemoryDestination(const EngineImage& src, const Rect& sr, const ImageRef& dst,
                       const Rect& dr, int mode, RgnHandle maskRgn) {
  EngineTransfer t;
  t.mode = mode;
  PortColours(t.fore, t.back);
  if (CGrafPtr port = AsColour(CurrentPort()); port && IsColourPort(CurrentPort()) && port->grafVars &&
                                               *port->grafVars)
    t.opColor = ToRgb16(reinterpret_cast<GrafVars*>(*port->grafVars)->rgbOpColor);
  RegionMask mask;
  if (maskRgn) {
    if (!MemoryMask(maskRgn, dr, mask)) return;
    t.mask = &mask;
  }
  const EngineResult result = TransferPixels(src, sr, EngineImageOf(dst), dr, t);
  if (result == EngineResult::kBadImage || result == EngineResult::kUndefinedCase)
    g_qdError = paramErr;
}

bool IsCurrentPortBits(const ImageRef& dst) {
  GrafPtr port = CurrentPort();
  return port && dst.ctx && dst.ctx->port == port;
}

}  // namespace

void SetQDError(OSErr err) { g_qdError = err; }

void TransferBitsRaw(const BitMap* srcBits, const BitMap* dstBits, const Rect& srcRect,
                     const Rect& dstRect) {
  g_qdError = noErr;
  g_rawTransfer = true;
  TransferBits(srcBits, dstBits, srcRect, dstRect, kSrcCopy, nullptr);
  g_rawTransfer = false;
}

void TransferBits(const BitMap* srcBits, const BitMap* dstBits, const Rect& srcRect,
                  const Rect& dstRect, short mode, RgnHandle maskRgn) {
  // The pixel engine's reports of cases it does not know go to DebugStr.
  static const bool reporting = (SetEngineReporter(ReportText), true);
  (void)reporting;
  ImageRef src, dst;
  if (!ResolveImage(srcBits, src) || !ResolveImage(dstBits, dst)) {
    g_qdError = paramErr;
    return;
  }
  // Every extent at least one pixel, else nothing happens.
  if (IsEmptyRect(srcRect) || IsEmptyRect(dstRect)) return;
  GrafPtr port = CurrentPort();
  // While a picture is open on the port, the transfer is recorded and nothing is drawn.
  if (port && port->picSave && IsCurrentPortBits(dst)) {
    RecordBitsTransfer(port, src.bits, srcRect, dstRect, mode, maskRgn);
    return;
  }
  if (!g_rawTransfer && WriteBitsIntoScrapPicture(src.bits, srcRect, dstRect, mode)) return;
  Rect sr = srcRect, dr = dstRect;
  if (!ClipToSource(src.bounds, sr, dr)) return;
  if (dst.kind == ImageKind::Device) {
    if (dst.ctx && (dst.ctx->clipEmpty && IsCurrentPortBits(dst))) return;
    // On the screen under the transparent-as-copy option, transparent is a plain copy.
    if ((mode & ~kDitherBit) == kTransparentMode && OnScreen(dst) && TransparentAsCopyOption())
      mode = static_cast<short>(kSrcCopy | (mode & kDitherBit));
    {
      MaskClip clip(dst, maskRgn);
      if (clip.Empty()) return;
      if (src.kind == ImageKind::Device) DeviceToDevice(src, dst, sr, dr, mode);
      else MemoryToDevice(src, dst, sr, dr, mode, maskRgn != nullptr);
    }
    if (dst.mirror) dst.mirror->WriteBack();
    return;
  }
  if (src.kind == ImageKind::Memory) {
    MemoryDestination(EngineImageOf(src), sr, dst, dr, mode, maskRgn);
    return;
  }
  // Device to memory: the device's pixels first, as a 32-bit image of sr.
  std::vector<uint8_t> rows;
  if (!DevicePixels(src, sr, rows)) return;
  const RECT s = DeviceRectOf(src, sr);
  EngineImage pixels;
  pixels.base = rows.data();
  pixels.depth = 32;
  pixels.rowBytes = (s.right - s.left) * 4;
  pixels.bounds = MakeRect(0, 0, s.right - s.left, s.bottom - s.top);
  pixels.byteCount = rows.size();
  MemoryDestination(pixels, pixels.bounds, dst, dr, mode, maskRgn);
}

}  // namespace zeb::quickdraw

using namespace zeb;
using namespace zeb::quickdraw;

extern "C" {

OSErr ZEBAPI QDError(void) { return g_qdError; }

void ZEBAPI CopyBits(const BitMap* srcBits, const BitMap* dstBits, const Rect* srcRect,
                     const Rect* dstRect, short mode, RgnHandle maskRgn) {
  g_qdError = noErr;
  if (!srcBits || !dstBits || !srcRect || !dstRect) {
    g_qdError = paramErr;
    return;
  }
  // A transfer onto the current port's own bits goes through its bits bottleneck.
  GrafPtr port = CurrentPort();
  if (port && port->grafProcs) {
    ImageRef dst;
    const auto proc = reinterpret_cast<BitsProc>(port->grafProcs->bitsProc);
    if (proc && proc != &StdBits && ResolveImage(dstBits, dst) && IsCurrentPortBits(dst)) {
      proc(srcBits, srcRect, dstRect, mode, maskRgn);
      return;
    }
  }
  TransferBits(srcBits, dstBits, *srcRect, *dstRect, mode, maskRgn);
}

// The standard bits bottleneck: the transfer onto the current port, never turning back to
// grafProcs (an application's own bitsProc calls it for the standard work).
void ZEBAPI StdBits(const BitMap* srcBits, const Rect* srcRect, const Rect* dstRect, short mode,
                    RgnHandle maskRgn) {
  g_qdError = noErr;
  GrafPtr port = CurrentPort();
  if (!port || !srcBits || !srcRect || !dstRect) {
    g_qdError = paramErr;
    return;
  }
  TransferBits(srcBits, &port->portBits, *srcRect, *dstRect, mode, maskRgn);
}

// CopyMask and CopyDeepMask: the source copied where the one-bit mask is black. The mask is made
// a region of its set pixels, mapped from maskRect onto dstRect and narrowed by maskRgn, which
// is the transfer's mask region.
static void MaskedTransfer(const BitMap* srcBits, const BitMap* maskBits, const BitMap* dstBits,
                           const Rect* srcRect, const Rect* maskRect, const Rect* dstRect,
                           short mode, RgnHandle maskRgn) {
  g_qdError = noErr;
  if (!srcBits || !maskBits || !dstBits || !srcRect || !maskRect || !dstRect) {
    g_qdError = paramErr;
    return;
  }
  if (IsEmptyRect(*maskRect) || IsEmptyRect(*dstRect)) return;
  RgnHandle whole = NewRgn();
  RgnHandle part = whole ? NewRgn() : nullptr;
  if (!part) {
    if (whole) DisposeRgn(whole);
    g_qdError = memFullErr;
    return;
  }
  const OSErr err = BitMapToRegion(whole, maskBits);
  if (err != noErr) {
    DisposeRgn(part);
    DisposeRgn(whole);
    g_qdError = err;
    return;
  }
  // The part under maskRect, placed over dstRect (scaled when their sizes differ).
  RectRgn(part, maskRect);
  SectRgn(whole, part, part);
  MapRgn(part, maskRect, dstRect);
  if (maskRgn && RegionOf(maskRgn)) SectRgn(part, maskRgn, part);
  TransferBits(srcBits, dstBits, *srcRect, *dstRect, mode, part);
  DisposeRgn(part);
  DisposeRgn(whole);
}

void ZEBAPI CopyMask(const BitMap* srcBits, const BitMap* maskBits, const BitMap* dstBits,
                     const Rect* srcRect, const Rect* maskRect, const Rect* dstRect) {
  MaskedTransfer(srcBits, maskBits, dstBits, srcRect, maskRect, dstRect, kSrcCopy, nullptr);
}

void ZEBAPI CopyDeepMask(const BitMap* srcBits, const BitMap* maskBits, const BitMap* dstBits,
                         const Rect* srcRect, const Rect* maskRect, const Rect* dstRect,
                         short mode, RgnHandle maskRgn) {
  MaskedTransfer(srcBits, maskBits, dstBits, srcRect, maskRect, dstRect, mode, maskRgn);
}

// GetPixel: whether the pixel is anything but white. A point outside the DC (CLR_INVALID) reads
// as white, as the Toolbox reads white outside its bit map.
Boolean ZEBAPI GetPixe(short h, short v) {
  DrawingContext* ctx = Current();
  if (!ctx || !ctx->dc) return false;
  const COLORREF c = ::GetPixel(ctx->dc, ctx->map.ToDeviceH(h), ctx->map.ToDeviceV(v));
  return c != CLR_INVALID && (c & 0xFFFFFF) != 0xFFFFFF;
}

void ZEBAPI GetCPixel(short h, short v, RGBColor* cPix) {
  if (!cPix) return;
  DrawingContext* ctx = Current();
  COLORREF c = ctx && ctx->dc ? ::GetPixel(ctx->dc, ctx->map.ToDeviceH(h), ctx->map.ToDeviceV(v))
                              : CLR_INVALID;
  if (c == CLR_INVALID) c = 0xFFFFFF;
  *cPix = ToRGBColor(RgbFromColorRef(c));
}

// SetCPixel: one pixel in the colour, through the port's clip. The pen stays where it was and
// no open region or polygon receives the point: the Toolbox sets the pixel without drawing a
// line.
void ZEBAPI SetCPixel(short h, short v, const RGBColor* cPix) {
  DrawingContext* ctx = Current();
  GrafPtr port = CurrentPort();
  if (!cPix || !ctx || !port || !ctx->dc || ctx->clipEmpty) return;
  const Rect r = MakeRect(h, v, h + 1, v + 1);
  const RECT d = ToDeviceRect(*ctx, r);
  HBRUSH brush = CreateSolidBrush(ColorRefFor(ToRgb16(*cPix), ctx->depthClass == 1));
  if (!brush) return;
  ::FillRect(ctx->dc, &d, brush);
  DeleteObject(brush);
}

}  // extern "C"

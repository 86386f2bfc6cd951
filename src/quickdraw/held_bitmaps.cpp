// The Windows bitmap a pixel map holds (ZEB_SetPixBM, ZEB_GetPixBM) and the bytes of its pixel
// image (ZEB_GetPixMapSize).
#include <windows.h>

#include <algorithm>
#include <cstdint>

#include "MacMemory.h"
#include "QDOffscreen.h"
#include "memory/memory_internal.h"
#include "quickdraw/pixel_map_record.h"
#include "quickdraw/quickdraw_state.h"

namespace zeb::quickdraw {
namespace {

constexpr int kRowBytesMask = 0x3FFF;  // bits 15 and 14 of rowBytes are flags

bool IsPixMapRecord(PixMapHandle pm) {
  return pm && memory::LiveHandleSize(reinterpret_cast<Handle>(pm)) >=
                   static_cast<long>(sizeof(PixMapRecord));
}

bool IsBitmap(HBITMAP bm) { return bm && GetObjectType(bm) == OBJ_BITMAP; }

int64_t PaddedDIBRows(const BITMAPINFOHEADER& h) {
  const int64_t rowBytes = (static_cast<int64_t>(h.biWidth) * h.biBitCount + 31) / 32 * 4;
  const int64_t rows = h.biHeight < 0 ? -static_cast<int64_t>(h.biHeight) : h.biHeight;
  return rowBytes > 0 ? rowBytes * rows : 0;
}

}  // namespace

void ReleaseHeldBitmap(PixMapHandle pm) {
  if (!IsPixMapRecord(pm)) return;
  PixMapExtension& ext = ExtensionOf(pm);
  if (!(ext.flags & kPixOwnsDC)) return;
  if (ext.memoryDC) {
    if (ext.previousBitmap) SelectObject(ext.memoryDC, ext.previousBitmap);
    DeleteDC(ext.memoryDC);
  }
  if (ext.bitmap) DeleteObject(ext.bitmap);
  ext.memoryDC = nullptr;
  ext.bitmap = nullptr;
  ext.previousBitmap = nullptr;
  ext.flags = static_cast<uint16_t>(ext.flags & ~(kPixOwnsDC | kPixInDeviceBitmap));
}

}  // namespace zeb::quickdraw

using namespace zeb;
using namespace zeb::quickdraw;

extern "C" {

HBITMAP ZEBAPI ZEB_GetPixBM(PixMapHandle pm) {
  if (!IsPixMapRecord(pm)) return nullptr;
  const PixMapExtension& ext = ExtensionOf(pm);
  return (ext.flags & kPixInDeviceBitmap) ? ext.bitmap : nullptr;
}

// The pixel map holds bm from now on, selected into its memory DC (one compatible with the
// screen is made when it has none), and its bounds take bm's size from their top-left corner.
// The bitmap it held before is given back to the caller. A bitmap that is not one, or that is
// selected into another DC, is refused (paramErr) and nothing changes.
HBITMAP ZEBAPI ZEB_SetPixBM(PixMapHandle pm, HBITMAP bm) {
  if (!IsPixMapRecord(pm) || !IsBitmap(bm)) {
    SetQDError(paramErr);
    return nullptr;
  }
  PixMapExtension& ext = ExtensionOf(pm);
  HBITMAP old = (ext.flags & kPixInDeviceBitmap) ? ext.bitmap : nullptr;
  if (bm == old) {
    SetQDError(noErr);
    return nullptr;
  }
  HDC dc = (ext.flags & kPixInDeviceBitmap) ? ext.memoryDC : nullptr;
  bool madeDC = false;
  if (!dc) {
    dc = CreateCompatibleDC(nullptr);
    if (!dc) {
      SetQDError(memFullErr);
      return nullptr;
    }
    madeDC = true;
  }
  HGDIOBJ previous = SelectObject(dc, bm);
  if (!previous || previous == HGDI_ERROR) {
    if (madeDC) DeleteDC(dc);
    SetQDError(paramErr);
    return nullptr;
  }
  if (madeDC) {
    ext.memoryDC = dc;
    ext.previousBitmap = static_cast<HBITMAP>(previous);
    ext.flags |= kPixOwnsDC;
  }
  ext.bitmap = bm;
  ext.flags |= kPixInDeviceBitmap;
  BITMAP info{};
  GetObjectA(bm, sizeof(info), &info);
  Rect& b = (*pm)->bounds;
  b.right = static_cast<short>(std::min<long>(b.left + static_cast<long>(info.bmWidth), 0x7FFF));
  b.bottom = static_cast<short>(std::min<long>(b.top + static_cast<long>(info.bmHeight), 0x7FFF));
  SetQDError(noErr);
  return old;
}

// The bytes of the pixel image: a held DIB's rows, a held bitmap's rows, or the Macintosh rows
// (rowBytes x height); 0 for nil or for a record too small to be a pixel map.
long ZEBAPI ZEB_GetPixMapSize(PixMapHandle pm) {
  const long recordBytes = memory::LiveHandleSize(reinterpret_cast<Handle>(pm));
  if (!pm || recordBytes < static_cast<long>(sizeof(PixMap))) {
    SetQDError(paramErr);
    return 0;
  }
  int64_t bytes = 0;
  const PixMapExtension* ext =
      recordBytes >= static_cast<long>(sizeof(PixMapRecord)) ? &ExtensionOf(pm) : nullptr;
  if (ext && (ext->flags & kPixInPackedDIB) && ext->dib &&
      memory::LiveHandleSize(ext->dib) >= static_cast<long>(sizeof(BITMAPINFOHEADER))) {
    bytes = PaddedDIBRows(*reinterpret_cast<const BITMAPINFOHEADER*>(*ext->dib));
  } else if (ext && (ext->flags & kPixInDeviceBitmap) && IsBitmap(ext->bitmap)) {
    BITMAP info{};
    GetObjectA(ext->bitmap, sizeof(info), &info);
    bytes = static_cast<int64_t>(info.bmWidthBytes) * info.bmHeight;
  } else {
    const PixMap& p = **pm;
    const int64_t rows = static_cast<int64_t>(p.bounds.bottom) - p.bounds.top;
    bytes = rows > 0 ? (p.rowBytes & kRowBytesMask) * rows : 0;
  }
  SetQDError(noErr);
  return static_cast<long>(std::clamp<int64_t>(bytes, 0, 0x7FFFFFFF));
}

}  // extern "C"

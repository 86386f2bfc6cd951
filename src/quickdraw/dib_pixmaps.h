// Pixel maps whose pixels a packed DIB holds (ZEB_NewDIBPixMap): the mirror that lets GDI draw
// on such a DIB (a memory DC on a DIB section of the DIB's header and palette, its rows copied
// in and written back), and the driver DC that ZEB_OffScreenDC makes of it.
#ifndef ZEB_QUICKDRAW_DIB_PIXMAPS_H
#define ZEB_QUICKDRAW_DIB_PIXMAPS_H

#include <windows.h>

#include "Quickdraw.h"
#include "quickdraw/packed_dib.h"
#include "quickdraw/pixel_map_record.h"

namespace zeb::quickdraw {

// The packed DIB held in the extension, checked against its handle; null when there is none or
// its header no longer describes the handle.
uint8_t* HeldDIB(const PixMapExtension& ext, PackedDIBLayout& layout);

// A DIB section with the held DIB's header and palette in a memory DC of its own, holding a copy
// of the rows. WriteBack puts the section's rows into the packed DIB again.
class DIBMirror {
 public:
  DIBMirror() = default;
  ~DIBMirror() { Close(); }
  DIBMirror(const DIBMirror&) = delete;
  DIBMirror& operator=(const DIBMirror&) = delete;
  bool Open(PixMapExtension& ext);
  void WriteBack();
  void Close();
  HDC dc() const { return dc_; }

 private:
  PixMapExtension* ext_ = nullptr;
  HDC dc_ = nullptr;
  HBITMAP bitmap_ = nullptr;
  HGDIOBJ previous_ = nullptr;
  void* bits_ = nullptr;
};

// ZEB_OffScreenDC's driver path when the system makes no "DIB" driver DC: a mirror kept with the
// pixel map, whose DC is the port's. Its rows return to the packed DIB when the port closes
// (FlushDriverDC), before ZEB_GetDIBFromPixMap and ZEB_FoldPixMap answer, and when the pixel map
// is disposed (which closes the mirror).
HDC OpenDriverMirror(PixMapHandle pm);
void FlushDriverDC(HDC dc);
void FlushDriverMirrorOf(const PixMapExtension& ext);
// DisposePixMap: the held DIB and any mirror of it go with the pixel map.
void ReleaseHeldDIB(PixMapHandle pm);
// DisposePixMap: the memory DC that ZEB_SetPixBM made for the map, and the bitmap it holds.
void ReleaseHeldBitmap(PixMapHandle pm);

}  // namespace zeb::quickdraw

#endif  // ZEB_QUICKDRAW_DIB_PIXMAPS_H

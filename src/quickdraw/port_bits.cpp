// A port's image: SetPortBits and SetPortPix, and CopyPixMap.
#include <cstring>

#include "MacMemory.h"
#include "memory/memory_internal.h"
#include "quickdraw/pixel_map_record.h"
#include "quickdraw/quickdraw_state.h"

using namespace zeb;
using namespace zeb::quickdraw;

extern "C" {

// A black-and-white port takes the bit map as its portBits; a colour port's portBits is its
// pixel map handle and version, which only SetPortPix changes.
void ZEBAPI SetPortBits(const BitMap* bm) {
  GrafPtr port = CurrentPort();
  if (!port || !bm || IsColourPort(port)) return;
  port->portBits = *bm;
}

// A colour port takes the pixel map as its portPixMap; a black-and-white port has none.
void ZEBAPI SetPortPix(PixMapHandle pm) {
  GrafPtr port = CurrentPort();
  if (!port || !pm || !IsColourPort(port)) return;
  AsColour(port)->portPixMap = pm;
}

// The destination takes the source's fields and its own copy of the colour table (the table it
// had is disposed of). Between two of the library's pixel map records the extension is copied
// too, the packed DIB behind it duplicated so that each map owns the one it disposes of.
void ZEBAPI CopyPixMap(PixMapHandle srcPM, PixMapHandle dstPM) {
  const long srcSize = memory::LiveHandleSize(reinterpret_cast<Handle>(srcPM));
  const long dstSize = memory::LiveHandleSize(reinterpret_cast<Handle>(dstPM));
  if (srcPM == dstPM || srcSize < static_cast<long>(sizeof(PixMap)) ||
      dstSize < static_cast<long>(sizeof(PixMap))) {
    SetQDError(paramErr);
    return;
  }
  Handle table = reinterpret_cast<Handle>((*srcPM)->pmTable);
  if (table && HandToHand(&table) != noErr) {
    SetQDError(memFullErr);
    return;
  }
  const bool extensions = srcSize >= static_cast<long>(sizeof(PixMapRecord)) &&
                          dstSize >= static_cast<long>(sizeof(PixMapRecord));
  Handle dib = nullptr;
  if (extensions && ExtensionOf(srcPM).dib && (ExtensionOf(srcPM).flags & kPixOutsideDIB)) {
    dib = ExtensionOf(srcPM).dib;
    if (HandToHand(&dib) != noErr) {
      if (table) DisposeHandle(table);
      SetQDError(memFullErr);
      return;
    }
  }
  if ((*dstPM)->pmTable) DisposeHandle(reinterpret_cast<Handle>((*dstPM)->pmTable));
  **dstPM = **srcPM;
  (*dstPM)->pmTable = reinterpret_cast<CTabHandle>(table);
  if (extensions) {
    PixMapExtension& ext = ExtensionOf(dstPM);
    ext = ExtensionOf(srcPM);
    // The source's driver DC stays the source's, and so do the memory DC and bitmap it owns:
    // the copy describes them but never disposes of them.
    ext.driverDC = nullptr;
    ext.flags = static_cast<uint16_t>(ext.flags & ~kPixOwnsDC);
    if (dib) {
      const PixMapExtension& from = ExtensionOf(srcPM);
      ext.dib = dib;
      ext.rows = from.rows ? *dib + (static_cast<uint8_t*>(from.rows) -
                                     reinterpret_cast<uint8_t*>(*from.dib))
                           : nullptr;
    }
  }
  SetQDError(noErr);
}

}  // extern "C"

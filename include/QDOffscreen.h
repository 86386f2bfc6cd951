/*
 * QDOffscreen.h - offscreen graphics worlds: a colour port drawing on a memory DC that holds a
 * bitmap compatible with the screen, so that CopyBits moves its pixels device to device.
 */
#ifndef ZEB_QDOFFSCREEN_H
#define ZEB_QDOFFSCREEN_H

#include "MacTypes.h"
#include "Quickdraw.h"

typedef CGrafPtr GWorldPtr;
typedef unsigned long GWorldFlags;
typedef short QDErr;

/* NewGWorld flags: bit 1 asks for a memory DC shared between worlds. */
enum { pixPurge = 1 << 0, noNewDevice = 1 << 1, useTempMem = 1 << 2, keepLocal = 1 << 3,
       pixelsPurgeable = 1 << 6, pixelsLocked = 1 << 7 };

ZEB_EXTERN_C_BEGIN
/* 0 for a new world, -1 when it cannot be made (nothing is then left allocated). */
ZEB_API(QDErr) NewGWorld(GWorldPtr* offscreenGWorld, short pixelDepth, const Rect* boundsRect,
                         CTabHandle cTable, GDHandle aGDevice, GWorldFlags flags);
ZEB_API(void) DisposeGWorld(GWorldPtr offscreenGWorld);
ZEB_API(void) GetGWorld(CGrafPtr* port, GDHandle* gdh);
ZEB_API(void) SetGWorld(CGrafPtr port, GDHandle gdh);
ZEB_API(PixMapHandle) GetGWorldPixMap(GWorldPtr offscreenGWorld);
ZEB_API(Boolean) LockPixels(PixMapHandle pm);
ZEB_API(void) UnlockPixels(PixMapHandle pm);
/* A world of new bounds (or the same): the result has reallocPix set when a new world replaced
 * the old one (its pixels copied over with clipPix, scaled with stretchPix), 0 when nothing
 * changed, and gwFlagErr set when no world could be made (the old one is then kept). */
ZEB_API(GWorldFlags) UpdateGWorld(GWorldPtr* offscreenGWorld, short pixelDepth,
                                  const Rect* boundsRect, CTabHandle cTable, GDHandle aGDevice,
                                  GWorldFlags flags);

/* ---- The library's pixel maps held by Windows ----
 * ZEB_NewDIBPixMap: a pixel map describing a copy of a packed DIB (BITMAPINFO, colour table and
 * rows, as long as its header says); nil when the header describes no DIB the library takes or
 * its rows need 0x4000 bytes or more. ZEB_GetDIBFromPixMap: for a DIB-held map (pmVersion
 * 0xC000, packType 0xFFFF), its packed DIB and, in bits, its first row; otherwise 0. */
ZEB_API(PixMapHandle) ZEB_NewDIBPixMap(const BITMAPINFO* dib);
ZEB_API(const BITMAPINFO*) ZEB_GetDIBFromPixMap(PixMapHandle pm, void** bits);
/* ZEB_GetPixBM: the Windows bitmap a pixel map holds (an offscreen world's), 0 when none.
 * ZEB_SetPixBM: the map holds bm instead, selected into its memory DC, its bounds sized to bm;
 * the bitmap it held is returned (the caller's to delete) and the map disposes of bm with
 * itself. paramErr (0 returned, nothing changed) for a nil map or a bitmap that is none or is
 * selected elsewhere. ZEB_GetPixMapSize: the bytes of the map's pixel image, 0 for nil. */
ZEB_API(HBITMAP) ZEB_GetPixBM(PixMapHandle pm);
ZEB_API(HBITMAP) ZEB_SetPixBM(PixMapHandle pm, HBITMAP bm);
ZEB_API(long) ZEB_GetPixMapSize(PixMapHandle pm);
/* ZEB_UnfoldPixMap: dst describes area (nil: all) of src's pixels as Macintosh rows in memory
 * at its baseAddr, with its own copy of src's colour table; ZEB_UNFOLD_NOREAD leaves the rows
 * clear. ZEB_FoldPixMap: an unfolded map's rows in area (nil: all) return to the map they came
 * from, and the rows are freed unless ZEB_FOLD_KEEPROWS; for a DIB-held map drawn on through its
 * driver DC, the DC's pixels return to the DIB. Both give noErr, paramErr or memFullErr. */
ZEB_API(OSErr) ZEB_UnfoldPixMap(PixMapHandle src, PixMapHandle dst, const Rect* area, short flags);
ZEB_API(OSErr) ZEB_FoldPixMap(PixMapHandle pm, const Rect* area, short flags);
/* ZEB_CopyBM: a bit or pixel map's rows (its bounds) into a pixel map's bounds, pixels as they
 * are. ZEB_CopyBitsMacToDIB: a new handle holding the image as a packed DIB (rows bottom-up,
 * colour table from pmTable), nil with QDError set when it has no rows in memory. */
ZEB_API(OSErr) ZEB_CopyBM(const BitMap* src, PixMapHandle dst);
ZEB_API(Handle) ZEB_CopyBitsMacToDIB(const BitMap* src);
/* The off-screen band: drawing on the current port goes into a band of rect's size until
 * ZEB_EndOffScreen, which copies it to the port (copy non-zero) with mode's raster operation,
 * leaving the window's update region alone when excludeUpdate is non-zero. Begin returns 1 when
 * the band started, 0 while one is active, for an empty rect or when the off-screen-band switch
 * (ZEB_SW_OFFSCREENDRAWING) is off; End returns 1 when it ended a band, 0 when none was active. */
ZEB_API(short) ZEB_BeginOffScreen(short erase, const Rect* rect);
ZEB_API(short) ZEB_EndOffScreen(short copy, short excludeUpdate, short mode);
ZEB_EXTERN_C_END

enum { ZEB_UNFOLD_NOREAD = 0x1, ZEB_FOLD_KEEPROWS = 0x1 };
/* UpdateGWorld flags and results. */
enum { reallocPix = 1 << 20, clipPix = 1 << 28, stretchPix = 1 << 29 };
#define gwFlagErr ((GWorldFlags)1 << 31)

#endif /* ZEB_QDOFFSCREEN_H */

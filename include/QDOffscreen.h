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
ZEB_EXTERN_C_END

#endif /* ZEB_QDOFFSCREEN_H */

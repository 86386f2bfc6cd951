/*
 * Palettes.h - the Palette Manager and the device-depth calls.
 */
#ifndef ZEB_PALETTES_H
#define ZEB_PALETTES_H

#include "MacTypes.h"
#include "Quickdraw.h"

/* ---- Entry points present without their manager's work ----
 * Windows owns the display depth, and palettes are not copied entry by entry: these report
 * their call through DebugStr (" - Not Supported, System 7" for the depth calls) and return 0. */
typedef struct Palette Palette;
typedef Palette* PalettePtr;
typedef PalettePtr* PaletteHandle;

ZEB_EXTERN_C_BEGIN
ZEB_API(void) CopyPalette(PaletteHandle srcPalette, PaletteHandle dstPalette, short srcEntry,
                          short dstEntry, short dstLength);
ZEB_API(OSErr) SetDepth(GDHandle gd, short depth, short whichFlags, short flags);
ZEB_API(short) HasDepth(GDHandle gd, short depth, short whichFlags, short flags);
ZEB_EXTERN_C_END
/* ---- end of entry points present without their manager's work ---- */

/* AnimatePalette is a Windows function too, exported here as AnimatePalett. In C the Toolbox
 * spelling names that export, after which a C unit no longer reaches Windows' AnimatePalette. */
#ifndef __cplusplus
#define AnimatePalette AnimatePalett
#endif

#endif /* ZEB_PALETTES_H */

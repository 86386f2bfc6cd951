/*
 * Fonts.h - the Font Manager.
 */
#ifndef ZEB_FONTS_H
#define ZEB_FONTS_H

#include "MacTypes.h"

/* ---- Entry points present without their manager's work ----
 * Windows scales its own fonts, and outline metrics are not provided: each reports its call
 * through DebugStr. GetOutlinePreferred answers false, OutlineMetrics returns -1. */
ZEB_EXTERN_C_BEGIN
ZEB_API(void) SetFScaleDisable(Boolean fscaleDisable);
ZEB_API(void) SetOutlinePreferred(Boolean outlinePreferred);
ZEB_API(Boolean) GetOutlinePreferred(void);
ZEB_API(OSErr) OutlineMetrics(short byteCount, const void* textPtr, Point numer, Point denom,
                              short* yMax, short* yMin, Fixed* awArray, Fixed* lsbArray,
                              Rect* boundsArray);
ZEB_EXTERN_C_END
/* ---- end of entry points present without their manager's work ---- */

#endif /* ZEB_FONTS_H */

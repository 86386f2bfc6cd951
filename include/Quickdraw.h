/*
 * Quickdraw.h - QuickDraw's records.
 */
#ifndef ZEB_QUICKDRAW_H
#define ZEB_QUICKDRAW_H

#include "MacTypes.h"

ZEB_PACK2_BEGIN
typedef struct Pattern {
  unsigned char pat[8];
} Pattern;
typedef const Pattern* ConstPatternParam;
typedef short Bits16[16];

typedef struct Cursor {
  Bits16 data;
  Bits16 mask;
  Point hotSpot;
} Cursor;
typedef Cursor* CursPtr;
typedef CursPtr* CursHandle;

typedef struct BitMap {
  Ptr baseAddr;
  short rowBytes;
  Rect bounds;
} BitMap;
typedef BitMap* BitMapPtr;

typedef struct RGBColor {
  unsigned short red;
  unsigned short green;
  unsigned short blue;
} RGBColor;

typedef struct Region {
  short rgnSize;
  Rect rgnBBox;
} Region;
ZEB_PACK2_END
typedef Region* RgnPtr;
typedef RgnPtr* RgnHandle;

ZEB_ASSERT_SIZE(Pattern, 8);
ZEB_ASSERT_SIZE(Cursor, 68);
ZEB_ASSERT_SIZE(BitMap, 14);
ZEB_ASSERT_OFFSET(BitMap, bounds, 6);
ZEB_ASSERT_SIZE(RGBColor, 6);

typedef struct GrafPort GrafPort;
typedef GrafPort* GrafPtr;
typedef struct GDevice GDevice;
typedef GDevice* GDPtr;
typedef GDPtr* GDHandle;

/* ---- Entry points present without their manager's work ----
 * They exist so that a ported application links; none of them draws. Each reports its call
 * through DebugStr; RealColor answers false. */
typedef struct PixMap PixMap;
typedef PixMap* PixMapPtr;
typedef PixMapPtr* PixMapHandle;
typedef struct ColorTable ColorTable;
typedef ColorTable* CTabPtr;
typedef CTabPtr* CTabHandle;
typedef struct Picture Picture;
typedef Picture* PicPtr;
typedef PicPtr* PicHandle;

ZEB_EXTERN_C_BEGIN
ZEB_API(void) SeedCFill(const BitMap* srcBits, const BitMap* dstBits, const Rect* srcRect,
                        const Rect* dstRect, short seedH, short seedV, ProcPtr matchProc,
                        long matchData);
ZEB_API(void) CharExtra(Fixed extra);
ZEB_API(void) PortChanged(GrafPtr port);
ZEB_API(void) AllocCursor(void);
ZEB_API(Boolean) RealColor(const RGBColor* color);
ZEB_EXTERN_C_END
/* ---- end of entry points present without their manager's work ---- */

#endif /* ZEB_QUICKDRAW_H */

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

#endif /* ZEB_QUICKDRAW_H */

/*
 * Fonts.h - text drawing and measuring, and the Font Manager.
 *
 * A port's font is a Toolbox font number (txFont), a size in points (txSize) and a style
 * (txFace). The library joins font numbers to Windows faces through its font list, built from
 * the faces Windows has and the font map zebfont.map beside the application; text is converted
 * from the Macintosh character set to the Windows one before GDI draws or measures it.
 *
 * windows.h is included first: DrawText is also a Windows function, so the library exports it
 * as DrawTex; the Toolbox spelling maps onto it (in C++ as an overload, in C as a macro).
 */
#ifndef ZEB_FONTS_H
#define ZEB_FONTS_H

#include <windows.h>

#include "MacTypes.h"

/* Font numbers. The map gives each its Windows faces; faces the map does not name take numbers
 * from 128 up. */
enum {
  systemFont = 0, applFont = 1, newYork = 2, geneva = 3, monaco = 4, venice = 5, london = 6,
  athens = 7, sanFran = 8, toronto = 9, cairo = 11, losAngeles = 12, times = 20,
  helvetica = 21, courier = 22, symbol = 23, mobile = 24
};
/* The session's own fonts for TextFont: the dialog font, and the font of small dialog text (the
 * dialog font too, when the system has a dialog font of its own). */
enum { ZEB_FONT_DIALOG = -2, ZEB_FONT_SMALLDIALOG = -3 };

/* Styles (txFace bits). Bold, italic and underline reach the Windows font; extend gives a
 * strike-out line when ZEB_SystemValue 45 is set. */
enum {
  normal = 0, bold = 1, italic = 2, underline = 4, outline = 8, shadow = 0x10, condense = 0x20,
  extend = 0x40
};

/* ZEB_MacToAnsiBuf flags. */
enum {
  ZEB_MACTOANSI_RAW = 0x1,        /* no substitutions: the font has the typographic characters */
  ZEB_MACTOANSI_NOLINEENDS = 0x2, /* carriage returns and line feeds are dropped */
  ZEB_MACTOANSI_ADVANCES = 0x4,   /* (drawing only) per-character advances in width-table mode */
  ZEB_MACTOANSI_DOUBLEBYTE = 0x8  /* double-byte text: the upper half is not converted */
};

/* ZEB_ExtDrawText modes. */
enum {
  ZEB_EXTDRAW_OFF = 0,
  ZEB_EXTDRAW_TABLE = 1,      /* text is measured and placed from a table of Fixed widths */
  ZEB_EXTDRAW_TABLE2 = 2,     /* as 1, with the context's second width-table flag */
  ZEB_EXTDRAW_SAVE = 0x8000   /* with a mode: the setting is saved first; alone: restored */
};

ZEB_PACK2_BEGIN
typedef struct FontInfo {
  short ascent;
  short descent;
  short widMax;
  short leading;
} FontInfo;

typedef struct FMetricRec {
  Fixed ascent;
  Fixed descent;
  Fixed leading;
  Fixed widMax;
  Handle wTabHandle; /* the Font Manager's width table; NIL before InitFonts */
} FMetricRec;
typedef FMetricRec* FMetricRecPtr;
typedef FMetricRecPtr* FMetricRecHandle;

/* The Font Manager's width table: the widths of the 256 characters of the current font. */
typedef struct WidthTable {
  Fixed tabData[256];
  Handle tabFont;
  long sExtra;
  long style;
  short fID;
  short fSize;
  short face;
  short device;
  Point inNumer;
  Point inDenom;
  short aFID;
  Handle fHand;
  Boolean usedFam;
  unsigned char aFace;
  short vOutput;
  short hOutput;
  short vFactor;
  short hFactor;
  short aSize;
  short tabSize;
} WidthTable;
ZEB_PACK2_END
typedef WidthTable* WidthTablePtr;
typedef WidthTablePtr* WidthTableHdl;

ZEB_ASSERT_SIZE(FontInfo, 8);
ZEB_ASSERT_SIZE(FMetricRec, 20);
ZEB_ASSERT_OFFSET(FMetricRec, wTabHandle, 16);
ZEB_ASSERT_SIZE(WidthTable, 1072);
ZEB_ASSERT_OFFSET(WidthTable, tabFont, 1024);
ZEB_ASSERT_OFFSET(WidthTable, fID, 1036);
ZEB_ASSERT_OFFSET(WidthTable, inNumer, 1044);
ZEB_ASSERT_OFFSET(WidthTable, aFID, 1052);
ZEB_ASSERT_OFFSET(WidthTable, fHand, 1054);
ZEB_ASSERT_OFFSET(WidthTable, usedFam, 1058);
ZEB_ASSERT_OFFSET(WidthTable, vOutput, 1060);
ZEB_ASSERT_OFFSET(WidthTable, aSize, 1068);
ZEB_ASSERT_OFFSET(WidthTable, tabSize, 1070);

struct GrafPort;

ZEB_EXTERN_C_BEGIN

/* The port's font. TextSize(0) stores 12. */
ZEB_API(void) TextFont(short font);
ZEB_API(void) TextFace(short face);
ZEB_API(void) TextSize(short size);
ZEB_API(void) TextMode(short mode);
ZEB_API(void) SpaceExtra(Fixed extra);

/* Drawing at the pen location, which moves on by the text's width. */
ZEB_API(void) DrawChar(short ch);
ZEB_API(void) DrawString(ConstStr255Param s);
ZEB_API(void) DrawTex(const void* textBuf, short firstByte, short byteCount);
/* The text bottleneck: byteCount bytes scaled horizontally by numer.h / denom.h and vertically
 * by numer.v / denom.v (an axis with a zero term is not scaled). */
ZEB_API(void) StdText(short byteCount, const void* textBuf, Point numer, Point denom);

/* Measuring, in the port's local units. StdTxMeas applies the scale it is given and hands
 * numer and denom back as 1:1. */
ZEB_API(short) StdTxMeas(short byteCount, const void* textAddr, Point* numer, Point* denom,
                         FontInfo* info);
ZEB_API(short) TextWidth(const void* textBuf, short firstByte, short byteCount);
ZEB_API(short) StringWidth(ConstStr255Param s);
ZEB_API(short) CharWidth(short ch);
/* charLocs receives count + 1 shorts: 0, then the width of the text up to each character. */
ZEB_API(void) MeasureText(short count, const void* textAddr, void* charLocs);
ZEB_API(void) GetFontInfo(FontInfo* info);

/* The Font Manager. */
ZEB_API(void) InitFonts(void);
ZEB_API(void) GetFontName(short familyID, Str255 name);
ZEB_API(void) GetFNum(ConstStr255Param name, short* familyID);
ZEB_API(Boolean) RealFont(short fontNum, short size);
ZEB_API(void) FontMetrics(FMetricRec* theMetrics);

/* The library's own calls. */
/* Builds the font list again: at once with force non-zero, else only when the default printer
 * changed since the last build. */
ZEB_API(void) ZEB_UpdateFontList(short force);
/* The enumeration procedures of the font list (FONTENUMPROCA). */
ZEB_API(int) Z_EnumFont(const LOGFONTA* logFont, const TEXTMETRICA* metrics, DWORD fontType,
                        LPARAM data);
ZEB_API(int) Z_EnumFontSizes(const LOGFONTA* logFont, const TEXTMETRICA* metrics,
                             DWORD fontType, LPARAM data);
/* On a double-byte system, the font number of its Gothic face; 0 otherwise. */
ZEB_API(short) ZEB_GetIntlSystemFont(void);
/* Fonts 0 and 1 (and 4 in small sizes) become the session's system fonts on this port. */
ZEB_API(void) ZEB_DialogFontMode(struct GrafPort* port, short on);
/* Width-table text mode of the current port; widthTable holds 256 Fixed widths by character
 * code (NIL: the Font Manager's width table; mode 1 or 2 then stays off before InitFonts).
 * positions is kept with the setting. Returns the previous mode. */
ZEB_API(short) ZEB_ExtDrawText(short mode, const Fixed* widthTable, long positions);
/* Macintosh text to Windows text: dst holds 4 x count bytes. Returns the bytes written. */
ZEB_API(long) ZEB_MacToAnsiBuf(const void* src, void* dst, long count, short flags);
/* Windows text to Macintosh text, up to count bytes or a zero byte. Returns the bytes written. */
ZEB_API(long) ZEB_AnsiToMacBuf(const void* src, void* dst, long count);

/* ---- Entry points present without their manager's work ----
 * Windows scales its own fonts, and outline metrics are not provided: each reports its call
 * through DebugStr. GetOutlinePreferred answers false, OutlineMetrics returns -1. */
ZEB_API(void) SetFScaleDisable(Boolean fscaleDisable);
ZEB_API(void) SetOutlinePreferred(Boolean outlinePreferred);
ZEB_API(Boolean) GetOutlinePreferred(void);
ZEB_API(OSErr) OutlineMetrics(short byteCount, const void* textPtr, Point numer, Point denom,
                              short* yMax, short* yMin, Fixed* awArray, Fixed* lsbArray,
                              Rect* boundsArray);
/* ---- end of entry points present without their manager's work ---- */

ZEB_EXTERN_C_END

#ifndef __cplusplus
/* In C the Toolbox spelling names the shortened export; Windows' DrawText stays reachable as
 * DrawTextA. */
#undef DrawText
#define DrawText DrawTex
#else
/* The Toolbox spelling that Windows also uses. */
inline void DrawText(const void* textBuf, short firstByte, short byteCount) {
  DrawTex(textBuf, firstByte, byteCount);
}
#endif

#endif /* ZEB_FONTS_H */

/*
 * Palettes.h - the Palette Manager and the device-depth calls.
 */
#ifndef ZEB_PALETTES_H
#define ZEB_PALETTES_H

#include "MacTypes.h"
#include "Quickdraw.h"

/* A palette entry's usage. */
enum { pmCourteous = 0, pmDithered = 1, pmTolerant = 2, pmAnimated = 4, pmExplicit = 8 };

ZEB_PACK2_BEGIN
typedef struct ColorInfo {
  RGBColor ciRGB;
  short ciUsage;
  short ciTolerance;
  short ciFlags;
  long ciPrivate;
} ColorInfo;

/* A Palette: the entry count, private words (the library keeps the palette's logical-palette
 * number at byte 6 and the seed of the table it came from at byte 12), then the entries. */
typedef struct Palette {
  short pmEntries;
  long pmReserved1;
  unsigned short pmCacheNumber;
  long pmReserved2;
  long pmSeed;
  ColorInfo pmInfo[1];
} Palette;
typedef Palette* PalettePtr;
typedef PalettePtr* PaletteHandle;
ZEB_PACK2_END
ZEB_ASSERT_SIZE(ColorInfo, 16);
ZEB_ASSERT_OFFSET(Palette, pmCacheNumber, 6);
ZEB_ASSERT_OFFSET(Palette, pmSeed, 12);
ZEB_ASSERT_OFFSET(Palette, pmInfo, 16);

ZEB_EXTERN_C_BEGIN
/* NewPalette: up to count entries from srcColors (nil: black entries), each with the usage and
 * tolerance given, and a Windows logical palette made for it; nil for a negative count or when
 * memory fails. GetNewPalette: the 'pltt' resource. Entry calls clamp to the palette. */
ZEB_API(PaletteHandle) NewPalette(short entries, CTabHandle srcColors, short srcUsage,
                                  short srcTolerance);
ZEB_API(PaletteHandle) GetNewPalette(short paletteID);
ZEB_API(void) DisposePalette(PaletteHandle srcPalette);
ZEB_API(void) GetEntryColor(PaletteHandle srcPalette, short srcEntry, RGBColor* dstRGB);
ZEB_API(void) SetEntryColor(PaletteHandle dstPalette, short dstEntry, const RGBColor* srcRGB);
ZEB_API(void) GetEntryUsage(PaletteHandle srcPalette, short srcEntry, short* dstUsage,
                            short* dstTolerance);
ZEB_API(void) SetEntryUsage(PaletteHandle dstPalette, short dstEntry, short srcUsage,
                            short srcTolerance);
ZEB_API(void) CTab2Palette(CTabHandle srcCTab, PaletteHandle dstPalette, short srcUsage,
                           short srcTolerance);
ZEB_API(void) Palette2CTab(PaletteHandle srcPalette, CTabHandle dstCTab);
/* A window's palette; the current palette follows the current port's window. ActivatePalette
 * makes the window's palette current and realises it into its DC where the DC draws through a
 * palette (never on a true-colour screen). */
ZEB_API(PaletteHandle) GetPalette(GrafPtr srcWindow); /* a WindowPtr */
ZEB_API(void) SetPalette(GrafPtr dstWindow, PaletteHandle srcPalette, Boolean cUpdates);
ZEB_API(void) ActivatePalette(GrafPtr srcWindow);
ZEB_API(void) ZEB_GetWindowsPalette(GrafPtr window, HPALETTE* hpal);
/* The palette's Windows logical palette, made or brought up to date (0 when none). */
ZEB_API(HPALETTE) ZEB_PaletteHPALETTE(PaletteHandle pal);

/* Animation: the window's palette takes the colours, and they reach its logical palette at once
 * (Windows' AnimatePalette for entries reserved for animation, otherwise rewritten and realised
 * again). AnimatePalett is the Toolbox AnimatePalette: dstLength entries of srcCTab from
 * srcIndex into the palette from dstEntry, clamped to both. */
ZEB_API(void) AnimateEntry(GrafPtr dstWindow, short dstEntry, const RGBColor* srcRGB);
ZEB_API(void) AnimatePalett(GrafPtr dstWindow, CTabHandle srcCTab, short srcIndex,
                            short dstEntry, short dstLength);
/* The current port's colours from an entry of its palette (the current palette when the port's
 * window has none). */
ZEB_API(void) PmForeColor(short dstEntry);
ZEB_API(void) PmBackColor(short dstEntry);
/* An entry of the current device's colour table reserved (value bit 0x4000) or protected (bit
 * 0x8000); QDError cRangeErr outside the table, cProtectErr for an entry already protected, or
 * reserving a protected one. */
ZEB_API(void) ReserveEntry(long srcEntry, Boolean reserve);
ZEB_API(void) ProtectEntry(short index, Boolean protect);

/* The current palette's logical palette rewritten whole, then selected and realised into the
 * current port's DC: the count of changed entries (0 on a screen without a palette). */
ZEB_API(long) ZEB_ForcePalette(void);
/* Between these two, entries 1 .. count - 2 of the current logical palette are reserved for
 * animation (PC_RESERVED), so that AnimateEntry changes the screen without a new realisation;
 * the end gives every entry back the flag its usage says (pmAnimated entries stay reserved). */
ZEB_API(void) ZEB_BeginPaletteAnimation(void);
ZEB_API(void) ZEB_EndPaletteAnimation(void);
/* The window procedure's WM_QUERYNEWPALETTE and WM_PALETTECHANGED (wParam the changer). */
ZEB_API(LRESULT) ZEB_QueryNewPalette(HWND hwnd);
ZEB_API(LRESULT) ZEB_PaletteChanged(HWND hwnd, HWND changer);
ZEB_EXTERN_C_END

#ifdef __cplusplus
/* Windows' AnimatePalette takes four arguments, the Toolbox's five. */
inline void AnimatePalette(GrafPtr dstWindow, CTabHandle srcCTab, short srcIndex, short dstEntry,
                           short dstLength) {
  AnimatePalett(dstWindow, srcCTab, srcIndex, dstEntry, dstLength);
}
#endif

/* ---- Entry points present without their manager's work ----
 * Windows owns the display depth, and palettes are not copied entry by entry: these report
 * their call through DebugStr (" - Not Supported, System 7" for the depth calls) and return 0. */

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

/*
 * Quickdraw.h - QuickDraw: graphics ports, pens, patterns and transfer modes, colours, cursors,
 * regions, shapes and polygons, graphics devices and the rectangle and point calls; text and
 * fonts come with it from Fonts.h.
 *
 * windows.h is included first: several Toolbox spellings (LineTo, MoveTo, SetRect, SetCursor,
 * ShowCursor, ...) are also Windows functions, so the library exports them with their last
 * letter dropped (LineT, MoveT, SetRec, SetCurso, ShowCurso, ...) and the Toolbox spellings at
 * the end of this header map onto them: as overloads in C++, as macros in C.
 */
#ifndef ZEB_QUICKDRAW_H
#define ZEB_QUICKDRAW_H

#include <windows.h>

#include "Errors.h"
#include "MacTypes.h"

/* The print spooler's header names its own SetPort a macro (SetPortA): QuickDraw's is meant. */
#ifdef SetPort
#undef SetPort
#endif

/* Transfer modes. Modes 40..63 are taken as mode - 8 by PenMode. */
enum {
  srcCopy = 0, srcOr = 1, srcXor = 2, srcBic = 3,
  notSrcCopy = 4, notSrcOr = 5, notSrcXor = 6, notSrcBic = 7,
  patCopy = 8, patOr = 9, patXor = 10, patBic = 11,
  notPatCopy = 12, notPatOr = 13, notPatXor = 14, notPatBic = 15,
  blend = 32, addPin = 33, addOver = 34, subPin = 35,
  transparent = 36, addMax = 37, subOver = 38, adMin = 39,
  ditherCopy = 64
};

/* The standard cursors that GetCursor returns (ToolUtils.h), and the system pattern list that
 * GetIndPattern reads. */
enum { iBeamCursor = 1, crossCursor = 2, plusCursor = 3, watchCursor = 4 };
enum { sysPatListID = 0 };

/* The eight classic colours of ForeColor and BackColor. */
enum {
  whiteColor = 30, blackColor = 33, yellowColor = 69, magentaColor = 137,
  redColor = 205, cyanColor = 273, greenColor = 341, blueColor = 409
};

/* The shape verbs of the bottleneck routines (GrafVerb). */
enum { frame = 0, paint = 1, erase = 2, invert = 3, fill = 4 };
typedef short GrafVerb;

/* GDevice types and attribute bits. */
enum { clutType = 0, fixedType = 1, directType = 2 };
enum { gdDevType = 0, ramInit = 10, mainScreen = 11, allInit = 12, screenDevice = 13,
       noDriver = 14, screenActive = 15 };

/* Pixel types of a PixMap. */
enum { RGBDirect = 16 };

ZEB_PACK2_BEGIN
typedef struct Pattern {
  unsigned char pat[8];
} Pattern;
typedef const Pattern* ConstPatternParam;
typedef Pattern* PatPtr;
typedef PatPtr* PatHandle;
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
typedef BitMapPtr* BitMapHandle;

typedef struct Region {
  short rgnSize;
  Rect rgnBBox;
} Region;

typedef struct PenState {
  Point pnLoc;
  Point pnSize;
  short pnMode;
  Pattern pnPat;
} PenState;

typedef struct ColorSpec {
  short value;
  RGBColor rgb;
} ColorSpec;
typedef ColorSpec* ColorSpecPtr;
typedef ColorSpec CSpecArray[1];

typedef struct ColorTable {
  long ctSeed;
  short ctFlags;
  short ctSize; /* number of entries - 1 */
  CSpecArray ctTable;
} ColorTable;
typedef ColorTable* CTabPtr;
typedef CTabPtr* CTabHandle;

typedef struct PixMap {
  Ptr baseAddr;
  short rowBytes; /* bit 15 set for a pixel map */
  Rect bounds;
  short pmVersion;
  short packType;
  long packSize;
  Fixed hRes;
  Fixed vRes;
  short pixelType;
  short pixelSize;
  short cmpCount;
  short cmpSize;
  long planeBytes;
  CTabHandle pmTable;
  long pmReserved;
} PixMap;
typedef PixMap* PixMapPtr;
typedef PixMapPtr* PixMapHandle;

typedef struct PixPat {
  short patType; /* 0 an 8-byte pattern, 1 a full pixel pattern, 2 an RGB pattern */
  PixMapHandle patMap;
  Handle patData;
  Handle patXData;
  short patXValid;
  Handle patXMap;
  Pattern pat1Data;
} PixPat;
typedef PixPat* PixPatPtr;
typedef PixPatPtr* PixPatHandle;

/* A colour icon ('cicn' as GetCIcon makes it): the colour image's pixel map (its pixels in
 * iconData), the mask and the one-bit image, whose rows follow in iconMaskData (mask first). */
typedef struct CIcon {
  PixMap iconPMap;
  BitMap iconMask;
  BitMap iconBMap;
  Handle iconData;
  short iconMaskData[1];
} CIcon;
typedef CIcon* CIconPtr;
typedef CIconPtr* CIconHandle;

typedef struct CCrsr {
  short crsrType;
  PixMapHandle crsrMap;
  Handle crsrData;
  Handle crsrXData;
  short crsrXValid;
  Handle crsrXHandle;
  Bits16 crsr1Data;
  Bits16 crsrMask;
  Point crsrHotSpot;
  long crsrXTable;
  long crsrID;
} CCrsr;
typedef CCrsr* CCrsrPtr;
typedef CCrsrPtr* CCrsrHandle;

typedef struct GrafVars {
  RGBColor rgbOpColor;
  RGBColor rgbHiliteColor;
  Handle pmFgColor;
  short pmFgIndex;
  Handle pmBkColor;
  short pmBkIndex;
  short pmFlags;
} GrafVars;
typedef GrafVars* GVarPtr;
typedef GVarPtr* GVarHandle;

/* The bottleneck records: the standard routines are StdText, StdLine, StdRect, StdRRect,
 * StdOval, StdArc, StdPoly, StdRgn, StdBits, StdComment, StdTxMeas, StdGetPic and StdPutPic. */
typedef struct QDProcs {
  void* textProc;
  void* lineProc;
  void* rectProc;
  void* rRectProc;
  void* ovalProc;
  void* arcProc;
  void* polyProc;
  void* rgnProc;
  void* bitsProc;
  void* commentProc;
  void* txMeasProc;
  void* getPicProc;
  void* putPicProc;
} QDProcs;
typedef QDProcs* QDProcsPtr;

typedef struct CQDProcs {
  void* textProc;
  void* lineProc;
  void* rectProc;
  void* rRectProc;
  void* ovalProc;
  void* arcProc;
  void* polyProc;
  void* rgnProc;
  void* bitsProc;
  void* commentProc;
  void* txMeasProc;
  void* getPicProc;
  void* putPicProc;
  void* opcodeProc;
  void* newProc1;
  void* newProc2;
  void* newProc3;
  void* newProc4;
  void* newProc5;
  void* newProc6;
} CQDProcs;
typedef CQDProcs* CQDProcsPtr;
ZEB_PACK2_END
typedef Region* RgnPtr;
typedef RgnPtr* RgnHandle;

/* A polygon: polySize bytes in all, its bounding box, then its points. The struct tag alone
 * names it, since GDI's Polygon() takes the plain name in a unit that includes windows.h. */
ZEB_PACK2_BEGIN
struct Polygon {
  short polySize;
  Rect polyBBox;
  Point polyPoints[1];
};
ZEB_PACK2_END
typedef struct Polygon* PolyPtr;
typedef PolyPtr* PolyHandle;

/* In the 64-bit test build the colour port's handles are wider than the patterns they stand
 * beside in the black-and-white port: padding keeps every shared field at one offset in both
 * records, as the Toolbox layout has it in the 32-bit product. */
#if ZEB_LAYOUT_32
#define ZEB_PORT_PAD(name, shorts)
#else
#define ZEB_PORT_PAD(name, shorts) short name[shorts];
#endif

ZEB_PACK2_BEGIN
/* The black-and-white port. The library keeps the port's drawing-context slot in patStretch
 * and, in portBits.baseAddr, the same slot number with bit 15 set. */
typedef struct GrafPort {
  short device;
  BitMap portBits;
  ZEB_PORT_PAD(zebPad1, 2)
  Rect portRect;
  RgnHandle visRgn;
  RgnHandle clipRgn;
  Pattern bkPat;
  Pattern fillPat;
  ZEB_PORT_PAD(zebPad2, 2)
  Point pnLoc;
  Point pnSize;
  short pnMode;
  Pattern pnPat;
  ZEB_PORT_PAD(zebPad3, 4)
  short pnVis; /* the pen draws while this is 0 or above */
  short txFont;
  Style txFace;
  char filler;
  short txMode;
  short txSize;
  Fixed spExtra;
  long fgColor;
  long bkColor;
  short colrBit;
  short patStretch;
  Handle picSave;
  Handle rgnSave;
  Handle polySave;
  QDProcsPtr grafProcs;
} GrafPort;
typedef GrafPort* GrafPtr;

/* The colour port: the top bit of portVersion tells it from a GrafPort. */
typedef struct CGrafPort {
  short device;
  PixMapHandle portPixMap;
  short portVersion;
  Handle grafVars;
  short chExtra;
  short pnLocHFrac;
  Rect portRect;
  RgnHandle visRgn;
  RgnHandle clipRgn;
  PixPatHandle bkPixPat;
  RGBColor rgbFgColor;
  RGBColor rgbBkColor;
  Point pnLoc;
  Point pnSize;
  short pnMode;
  PixPatHandle pnPixPat;
  PixPatHandle fillPixPat;
  short pnVis;
  short txFont;
  Style txFace;
  char filler;
  short txMode;
  short txSize;
  Fixed spExtra;
  long fgColor;
  long bkColor;
  short colrBit;
  short patStretch;
  Handle picSave;
  Handle rgnSave;
  Handle polySave;
  CQDProcsPtr grafProcs;
} CGrafPort;
typedef CGrafPort* CGrafPtr;

/* An inverse table: cell (r, g, b) of iTabRes bits each holds a colour table value. */
typedef struct ITab {
  long iTabSeed;
  short iTabRes;
  unsigned char iTTable[1];
} ITab;
typedef ITab* ITabPtr;
typedef ITabPtr* ITabHandle;

typedef struct GDevice {
  short gdRefNum;
  short gdID;
  short gdType;
  Handle gdITable;
  short gdResPref;
  void* gdSearchProc;
  void* gdCompProc;
  short gdFlags;
  PixMapHandle gdPMap;
  long gdRefCon;
  Handle gdNextGD;
  Rect gdRect;
  long gdMode;
  short gdCCBytes;
  short gdCCDepth;
  Handle gdCCXData;
  Handle gdCCXMask;
  long gdReserved; /* the device's Windows DC */
} GDevice;
ZEB_PACK2_END
typedef GDevice* GDPtr;
typedef GDPtr* GDHandle;

ZEB_ASSERT_SIZE(Pattern, 8);
ZEB_ASSERT_SIZE(Cursor, 68);
ZEB_ASSERT_OFFSET(Cursor, hotSpot, 64);
ZEB_ASSERT_SIZE(BitMap, 14);
ZEB_ASSERT_OFFSET(BitMap, bounds, 6);
ZEB_ASSERT_SIZE(Region, 10);
ZEB_ASSERT_SIZE(PenState, 18);
ZEB_ASSERT_SIZE(ColorSpec, 8);
ZEB_ASSERT_SIZE(ColorTable, 16);
ZEB_ASSERT_OFFSET(ColorTable, ctTable, 8);
ZEB_ASSERT_SIZE(PixMap, 50);
ZEB_ASSERT_OFFSET(PixMap, pmVersion, 14);
ZEB_ASSERT_OFFSET(PixMap, packSize, 18);
ZEB_ASSERT_OFFSET(PixMap, pixelType, 30);
ZEB_ASSERT_OFFSET(PixMap, planeBytes, 38);
ZEB_ASSERT_OFFSET(PixMap, pmTable, 42);
ZEB_ASSERT_SIZE(PixPat, 28);
ZEB_ASSERT_OFFSET(PixPat, patXValid, 14);
ZEB_ASSERT_OFFSET(PixPat, pat1Data, 20);
ZEB_ASSERT_SIZE(CCrsr, 96);
ZEB_ASSERT_SIZE(CIcon, 84);
ZEB_ASSERT_OFFSET(CIcon, iconMask, 50);
ZEB_ASSERT_OFFSET(CIcon, iconBMap, 64);
ZEB_ASSERT_OFFSET(CIcon, iconData, 78);
ZEB_ASSERT_OFFSET(CIcon, iconMaskData, 82);
ZEB_ASSERT_OFFSET(CCrsr, crsr1Data, 20);
ZEB_ASSERT_OFFSET(CCrsr, crsrHotSpot, 84);
ZEB_ASSERT_SIZE(GrafVars, 26);
ZEB_ASSERT_OFFSET(GrafVars, pmFgColor, 12);
ZEB_ASSERT_OFFSET(GrafVars, pmFlags, 24);
ZEB_ASSERT_SIZE(QDProcs, 52);
ZEB_ASSERT_SIZE(CQDProcs, 80);
ZEB_ASSERT_SIZE(GrafPort, 108);
ZEB_ASSERT_OFFSET(GrafPort, portBits, 2);
ZEB_ASSERT_OFFSET(GrafPort, portRect, 16);
ZEB_ASSERT_OFFSET(GrafPort, visRgn, 24);
ZEB_ASSERT_OFFSET(GrafPort, clipRgn, 28);
ZEB_ASSERT_OFFSET(GrafPort, bkPat, 32);
ZEB_ASSERT_OFFSET(GrafPort, fillPat, 40);
ZEB_ASSERT_OFFSET(GrafPort, pnLoc, 48);
ZEB_ASSERT_OFFSET(GrafPort, pnSize, 52);
ZEB_ASSERT_OFFSET(GrafPort, pnMode, 56);
ZEB_ASSERT_OFFSET(GrafPort, pnPat, 58);
ZEB_ASSERT_OFFSET(GrafPort, pnVis, 66);
ZEB_ASSERT_OFFSET(GrafPort, txFont, 68);
ZEB_ASSERT_OFFSET(GrafPort, txFace, 70);
ZEB_ASSERT_OFFSET(GrafPort, txMode, 72);
ZEB_ASSERT_OFFSET(GrafPort, txSize, 74);
ZEB_ASSERT_OFFSET(GrafPort, spExtra, 76);
ZEB_ASSERT_OFFSET(GrafPort, fgColor, 80);
ZEB_ASSERT_OFFSET(GrafPort, bkColor, 84);
ZEB_ASSERT_OFFSET(GrafPort, colrBit, 88);
ZEB_ASSERT_OFFSET(GrafPort, patStretch, 90);
ZEB_ASSERT_OFFSET(GrafPort, picSave, 92);
ZEB_ASSERT_OFFSET(GrafPort, rgnSave, 96);
ZEB_ASSERT_OFFSET(GrafPort, polySave, 100);
ZEB_ASSERT_OFFSET(GrafPort, grafProcs, 104);
ZEB_ASSERT_SIZE(CGrafPort, 108);
ZEB_STATIC_ASSERT(sizeof(GrafPort) == sizeof(CGrafPort), "ports of one size");
ZEB_STATIC_ASSERT(offsetof(GrafPort, portRect) == offsetof(CGrafPort, portRect), "portRect");
ZEB_STATIC_ASSERT(offsetof(GrafPort, pnLoc) == offsetof(CGrafPort, pnLoc), "pnLoc");
ZEB_STATIC_ASSERT(offsetof(GrafPort, pnVis) == offsetof(CGrafPort, pnVis), "pnVis");
ZEB_STATIC_ASSERT(offsetof(GrafPort, portBits.rowBytes) == offsetof(CGrafPort, portVersion),
                  "portVersion");
ZEB_STATIC_ASSERT(offsetof(GrafPort, grafProcs) == offsetof(CGrafPort, grafProcs), "grafProcs");
ZEB_ASSERT_OFFSET(CGrafPort, portPixMap, 2);
ZEB_ASSERT_OFFSET(CGrafPort, portVersion, 6);
ZEB_ASSERT_OFFSET(CGrafPort, grafVars, 8);
ZEB_ASSERT_OFFSET(CGrafPort, chExtra, 12);
ZEB_ASSERT_OFFSET(CGrafPort, pnLocHFrac, 14);
ZEB_ASSERT_OFFSET(CGrafPort, portRect, 16);
ZEB_ASSERT_OFFSET(CGrafPort, bkPixPat, 32);
ZEB_ASSERT_OFFSET(CGrafPort, rgbFgColor, 36);
ZEB_ASSERT_OFFSET(CGrafPort, rgbBkColor, 42);
ZEB_ASSERT_OFFSET(CGrafPort, pnLoc, 48);
ZEB_ASSERT_OFFSET(CGrafPort, pnPixPat, 58);
ZEB_ASSERT_OFFSET(CGrafPort, fillPixPat, 62);
ZEB_ASSERT_OFFSET(CGrafPort, pnVis, 66);
ZEB_ASSERT_OFFSET(CGrafPort, patStretch, 90);
ZEB_ASSERT_OFFSET(CGrafPort, grafProcs, 104);
ZEB_ASSERT_SIZE(GDevice, 62);
ZEB_ASSERT_OFFSET(GDevice, gdITable, 6);
ZEB_ASSERT_OFFSET(GDevice, gdFlags, 20);
ZEB_ASSERT_OFFSET(GDevice, gdPMap, 22);
ZEB_ASSERT_OFFSET(GDevice, gdNextGD, 30);
ZEB_ASSERT_OFFSET(GDevice, gdRect, 34);
ZEB_ASSERT_OFFSET(GDevice, gdMode, 42);
ZEB_ASSERT_OFFSET(GDevice, gdCCXData, 50);
ZEB_ASSERT_OFFSET(GDevice, gdReserved, 58);
ZEB_ASSERT_OFFSET(ITab, iTabRes, 4);
ZEB_ASSERT_OFFSET(ITab, iTTable, 6);

/* QuickDraw's globals as an application declares them, "QDGlobals qd;", in the Toolbox
 * layout: InitGraf(&qd.thePort) takes the address of the last field, the others lying below
 * it. ZEB_FillGlobalsRec (ZEB.h) binds the library's QuickDraw globals to these cells. */
ZEB_PACK2_BEGIN
typedef struct QDGlobals {
  char privates[76];
  long randSeed;
  BitMap screenBits;
  Cursor arrow;
  Pattern dkGray;
  Pattern ltGray;
  Pattern gray;
  Pattern black;
  Pattern white;
  GrafPtr thePort;
} QDGlobals;
ZEB_PACK2_END
typedef QDGlobals* QDGlobalsPtr;
ZEB_ASSERT_OFFSET(QDGlobals, randSeed, 76);
ZEB_ASSERT_OFFSET(QDGlobals, screenBits, 80);
ZEB_ASSERT_OFFSET(QDGlobals, arrow, 94);
ZEB_ASSERT_OFFSET(QDGlobals, dkGray, 162);
ZEB_ASSERT_OFFSET(QDGlobals, ltGray, 170);
ZEB_ASSERT_OFFSET(QDGlobals, gray, 178);
ZEB_ASSERT_OFFSET(QDGlobals, black, 186);
ZEB_ASSERT_OFFSET(QDGlobals, white, 194);
ZEB_ASSERT_OFFSET(QDGlobals, thePort, 202);
ZEB_ASSERT_SIZE(QDGlobals, 206);

ZEB_EXTERN_C_BEGIN

/* The Toolbox's pseudo-random generator, seeded by randSeed: seeded sequences match the Mac's. */
ZEB_API(short) Random(void);

/* Graphics ports. */
ZEB_API(void) InitGraf(void* globalPtr);
ZEB_API(void) OpenPort(GrafPtr port);
ZEB_API(void) InitPort(GrafPtr port);
ZEB_API(void) OpenCPort(CGrafPtr port);
ZEB_API(void) InitCPort(CGrafPtr port);
ZEB_API(void) OpenPortForHDC(CGrafPtr port, HDC hdc);
ZEB_API(void) ClosePort(GrafPtr port);
ZEB_API(void) CloseCPort(CGrafPtr port);
ZEB_API(void) SetPort(GrafPtr port);
ZEB_API(void) GetPort(GrafPtr* port);
ZEB_API(void) SetOrigin(short h, short v);
ZEB_API(void) PortSize(short width, short height);
ZEB_API(void) MovePortTo(short leftGlobal, short topGlobal);
ZEB_API(void) ClipRect(const Rect* r);
ZEB_API(void) SetClip(RgnHandle rgn);
ZEB_API(void) GetClip(RgnHandle rgn);
ZEB_API(void) LocalToGlobal(Point* pt);
ZEB_API(void) GlobalToLocal(Point* pt);
ZEB_API(void) SetStdProcs(QDProcs* procs);
ZEB_API(void) SetStdCProcs(CQDProcs* procs);

/* Colours and the background pattern. */
ZEB_API(void) ForeColor(long color);
ZEB_API(void) BackColor(long color);
ZEB_API(void) RGBForeColor(const RGBColor* color);
ZEB_API(void) RGBBackColor(const RGBColor* color);
ZEB_API(void) GetForeColor(RGBColor* color);
ZEB_API(void) GetBackColor(RGBColor* color);
ZEB_API(void) BackPat(ConstPatternParam pat);
ZEB_API(void) BackPixPat(PixPatHandle pp);

/* Cursors. */
ZEB_API(void) InitCursor(void);
ZEB_API(void) SetCurso(const Cursor* crsr);
ZEB_API(void) SetCCursor(CCrsrHandle cCrsr);
ZEB_API(void) HideCursor(void);
ZEB_API(void) ShowCurso(void);
ZEB_API(void) ObscureCursor(void);

/* Pens and lines. */
ZEB_API(void) PenSize(short width, short height);
ZEB_API(void) PenMode(short mode);
ZEB_API(void) PenPat(ConstPatternParam pat);
ZEB_API(void) PenPixPat(PixPatHandle pp);
ZEB_API(void) PenNormal(void);
ZEB_API(void) HidePen(void);
ZEB_API(void) ShowPen(void);
ZEB_API(void) GetPen(Point* pt);
ZEB_API(void) GetPenState(PenState* pnState);
ZEB_API(void) SetPenState(const PenState* pnState);
ZEB_API(void) Move(short dh, short dv);
ZEB_API(void) MoveT(short h, short v);
ZEB_API(void) Line(short dh, short dv);
ZEB_API(void) LineT(short h, short v);
ZEB_API(void) StdLine(Point newPt);

/* Regions. */
ZEB_API(RgnHandle) NewRgn(void);
ZEB_API(void) DisposeRgn(RgnHandle rgn);
ZEB_API(void) CopyRg(RgnHandle srcRgn, RgnHandle dstRgn);
ZEB_API(void) SetEmptyRgn(RgnHandle rgn);
ZEB_API(void) SetRectRg(RgnHandle rgn, short left, short top, short right, short bottom);
ZEB_API(void) RectRgn(RgnHandle rgn, const Rect* r);
ZEB_API(void) OffsetRg(RgnHandle rgn, short dh, short dv);
ZEB_API(void) InsetRg(RgnHandle rgn, short dh, short dv);
ZEB_API(void) SectRgn(RgnHandle srcRgnA, RgnHandle srcRgnB, RgnHandle dstRgn);
ZEB_API(void) UnionRg(RgnHandle srcRgnA, RgnHandle srcRgnB, RgnHandle dstRgn);
ZEB_API(void) DiffRgn(RgnHandle srcRgnA, RgnHandle srcRgnB, RgnHandle dstRgn);
ZEB_API(void) XorRg(RgnHandle srcRgnA, RgnHandle srcRgnB, RgnHandle dstRgn);
ZEB_API(Boolean) PtInRgn(Point pt, RgnHandle rgn);
ZEB_API(Boolean) RectInRgn(const Rect* r, RgnHandle rgn);
ZEB_API(Boolean) EqualRg(RgnHandle rgnA, RgnHandle rgnB);
ZEB_API(Boolean) EmptyRgn(RgnHandle rgn);
ZEB_API(void) MapRgn(RgnHandle rgn, const Rect* srcRect, const Rect* dstRect);
/* Returns noErr, pixmapTooDeepErr (a map deeper than one bit) or cNoMemErr (the bits could not
 * be converted); the region is unchanged on error. */
ZEB_API(OSErr) BitMapToRegion(RgnHandle region, const BitMap* bMap);
ZEB_API(OSErr) BitMapToRegionGlue(RgnHandle region, const BitMap* bMap);

/* Pixel transfers. GetPixe is the Toolbox's GetPixel. */
ZEB_API(void) CopyBits(const BitMap* srcBits, const BitMap* dstBits, const Rect* srcRect,
                       const Rect* dstRect, short mode, RgnHandle maskRgn);
ZEB_API(void) StdBits(const BitMap* srcBits, const Rect* srcRect, const Rect* dstRect, short mode,
                      RgnHandle maskRgn);
ZEB_API(void) CopyMask(const BitMap* srcBits, const BitMap* maskBits, const BitMap* dstBits,
                       const Rect* srcRect, const Rect* maskRect, const Rect* dstRect);
/* CopyMask with a transfer mode and a mask region as well. */
ZEB_API(void) CopyDeepMask(const BitMap* srcBits, const BitMap* maskBits, const BitMap* dstBits,
                           const Rect* srcRect, const Rect* maskRect, const Rect* dstRect,
                           short mode, RgnHandle maskRgn);
/* One-bit masks of rows words x 16 pixels wide: where paint poured at the seed (relative to the
 * rows' top-left pixel) flows through white pixels, and where paint from the edges cannot flow.
 * QDError is paramErr for a height, width or row size that describes no image. */
ZEB_API(void) SeedFill(Ptr srcPtr, Ptr dstPtr, short srcRow, short dstRow, short height,
                       short words, short seedH, short seedV);
ZEB_API(void) CalcMask(Ptr srcPtr, Ptr dstPtr, short srcRow, short dstRow, short height,
                       short words);
/* The current port's image: SetPortBits for a black-and-white port, SetPortPix for a colour
 * port. CopyPixMap gives the destination the source's fields and a copy of its colour table. */
ZEB_API(void) SetPortBits(const BitMap* bm);
ZEB_API(void) SetPortPix(PixMapHandle pm);
ZEB_API(void) CopyPixMap(PixMapHandle srcPM, PixMapHandle dstPM);
ZEB_API(Boolean) GetPixe(short h, short v);
ZEB_API(void) GetCPixel(short h, short v, RGBColor* cPix);
ZEB_API(void) SetCPixel(short h, short v, const RGBColor* cPix);
ZEB_API(OSErr) QDError(void);
ZEB_API(void) ScrollRect(const Rect* r, short dh, short dv, RgnHandle updateRgn);
ZEB_API(void) OpenRgn(void);
ZEB_API(void) CloseRgn(RgnHandle dstRgn);
ZEB_API(void) StdRgn(GrafVerb verb, RgnHandle rgn);
ZEB_API(void) FrameRg(RgnHandle rgn);
ZEB_API(void) PaintRg(RgnHandle rgn);
ZEB_API(void) EraseRgn(RgnHandle rgn);
ZEB_API(void) InvertRg(RgnHandle rgn);
ZEB_API(void) FillRg(RgnHandle rgn, ConstPatternParam pat);

/* Shapes. Each family's bottleneck takes the verb; the five entry points call it. */
ZEB_API(void) StdRect(GrafVerb verb, const Rect* r);
ZEB_API(void) FrameRec(const Rect* r);
ZEB_API(void) PaintRect(const Rect* r);
ZEB_API(void) EraseRect(const Rect* r);
ZEB_API(void) InvertRec(const Rect* r);
ZEB_API(void) FillRec(const Rect* r, ConstPatternParam pat);
ZEB_API(void) FillCRect(const Rect* r, PixPatHandle pp);
ZEB_API(void) StdOval(GrafVerb verb, const Rect* r);
ZEB_API(void) FrameOval(const Rect* r);
ZEB_API(void) PaintOval(const Rect* r);
ZEB_API(void) EraseOval(const Rect* r);
ZEB_API(void) InvertOval(const Rect* r);
ZEB_API(void) FillOval(const Rect* r, ConstPatternParam pat);
ZEB_API(void) StdRRect(GrafVerb verb, const Rect* r, short ovalWidth, short ovalHeight);
ZEB_API(void) FrameRoundRect(const Rect* r, short ovalWidth, short ovalHeight);
ZEB_API(void) PaintRoundRect(const Rect* r, short ovalWidth, short ovalHeight);
ZEB_API(void) EraseRoundRect(const Rect* r, short ovalWidth, short ovalHeight);
ZEB_API(void) InvertRoundRect(const Rect* r, short ovalWidth, short ovalHeight);
ZEB_API(void) FillRoundRect(const Rect* r, short ovalWidth, short ovalHeight,
                            ConstPatternParam pat);
/* Angles in degrees, clockwise from 12 o'clock. */
ZEB_API(void) StdArc(GrafVerb verb, const Rect* r, short startAngle, short arcAngle);
ZEB_API(void) FrameArc(const Rect* r, short startAngle, short arcAngle);
ZEB_API(void) PaintArc(const Rect* r, short startAngle, short arcAngle);
ZEB_API(void) EraseArc(const Rect* r, short startAngle, short arcAngle);
ZEB_API(void) InvertArc(const Rect* r, short startAngle, short arcAngle);
ZEB_API(void) FillArc(const Rect* r, short startAngle, short arcAngle, ConstPatternParam pat);
ZEB_API(void) PtToAngle(const Rect* r, Point pt, short* angle);
ZEB_API(void) StdPoly(GrafVerb verb, PolyHandle poly);
ZEB_API(void) FramePoly(PolyHandle poly);
ZEB_API(void) PaintPoly(PolyHandle poly);
ZEB_API(void) ErasePoly(PolyHandle poly);
ZEB_API(void) InvertPoly(PolyHandle poly);
ZEB_API(void) FillPoly(PolyHandle poly, ConstPatternParam pat);
ZEB_API(PolyHandle) OpenPoly(void);
ZEB_API(void) ClosePoly(void);
ZEB_API(void) KillPoly(PolyHandle poly);
ZEB_API(void) OffsetPoly(PolyHandle poly, short dh, short dv);

/* Graphics devices, colour tables and pixel maps. */
ZEB_API(GDHandle) NewGDevice(short refNum, long mode);
ZEB_API(void) DisposeGDevice(GDHandle gdh);
ZEB_API(GDHandle) GetMainDevice(void);
ZEB_API(GDHandle) GetDeviceList(void);
ZEB_API(GDHandle) GetGDevice(void);
ZEB_API(void) SetGDevice(GDHandle gdh);
ZEB_API(CTabHandle) GetCTable(short ctID);
/* The current device's colour table: the nearest entry of a colour, an entry's colour (black for
 * an index outside the table), the complement, the grey between two colours; the device list. */
ZEB_API(long) Color2Index(const RGBColor* myColor);
ZEB_API(void) Index2Color(long index, RGBColor* aColor);
ZEB_API(void) InvertColor(RGBColor* myColor);
ZEB_API(Boolean) GetGray(GDHandle device, const RGBColor* backGround, RGBColor* foreGround);
ZEB_API(void) SaveFore(ColorSpec* c);
ZEB_API(void) SaveBack(ColorSpec* c);
ZEB_API(void) RestoreFore(const ColorSpec* c);
ZEB_API(void) RestoreBack(const ColorSpec* c);
ZEB_API(GDHandle) GetNextDevice(GDHandle curDevice);
ZEB_API(GDHandle) GetMaxDevice(const Rect* globalRect);
ZEB_API(void) SetDeviceAttribute(GDHandle gdh, short attribute, Boolean value);
ZEB_API(Boolean) TestDeviceAttribute(GDHandle gdh, short attribute);
ZEB_API(void) DisposeCTable(CTabHandle cTable);
/* InitGDevice fills a device again for refNum and mode. MakeITable fills an inverse table (nil:
 * the current device's, made when it has none) for a colour table (nil: the current device's)
 * at res bits per component (3 to 5; 0 for the device's preference): cell (r, g, b), red most
 * significant, holds the value of the entry nearest that colour. QDError is paramErr for a
 * resolution out of range or a table without entries. */
ZEB_API(void) InitGDevice(short qdRefNum, long mode, GDHandle gdh);
ZEB_API(void) MakeITable(CTabHandle cTabH, ITabHandle iTabH, short res);
ZEB_API(PixMapHandle) NewPixMap(void);
/* Pixel patterns. GetPixPat: the 'ppat' resource as a new pattern, nil when there is none or it
 * does not hold together. MakeRGBPat: a pattern of one colour (a grey of its brightness on
 * one-bit devices). A pattern's brush goes with it. */
ZEB_API(PixPatHandle) NewPixPat(void);
ZEB_API(PixPatHandle) GetPixPat(short patID);
ZEB_API(void) CopyPixPat(PixPatHandle srcPP, PixPatHandle dstPP);
ZEB_API(void) DisposePixPat(PixPatHandle pp);
ZEB_API(void) MakeRGBPat(PixPatHandle pp, const RGBColor* myColor);
ZEB_API(void) DisposePixMap(PixMapHandle pm);

/* Icons. PlotIcon draws a 128-byte 'ICON' (32 by 32, one bit) into r with srcCopy. GetCIcon reads
 * the 'cicn' id, nil when there is none or it does not hold together; PlotCIcon copies its
 * colour image into r (through its mask under ZEB_SW_COLORICONS); DisposeCIcon frees all of it. */
ZEB_API(void) PlotIcon(const Rect* theRect, Handle theIcon);
ZEB_API(CIconHandle) GetCIcon(short iconID);
ZEB_API(void) PlotCIcon(const Rect* theRect, CIconHandle theIcon);
ZEB_API(void) DisposeCIcon(CIconHandle theIcon);

/* Rectangles and points. */
ZEB_API(void) SetRec(Rect* r, short left, short top, short right, short bottom);
ZEB_API(void) OffsetRec(Rect* r, short dh, short dv);
ZEB_API(void) InsetRec(Rect* r, short dh, short dv);
ZEB_API(Boolean) SectRect(const Rect* src1, const Rect* src2, Rect* dstRect);
ZEB_API(void) UnionRec(const Rect* src1, const Rect* src2, Rect* dstRect);
ZEB_API(Boolean) PtInRec(Point pt, const Rect* r);
ZEB_API(Boolean) EqualRec(const Rect* rect1, const Rect* rect2);
ZEB_API(Boolean) EmptyRect(const Rect* r);
ZEB_API(void) Pt2Rect(Point pt1, Point pt2, Rect* dstRect);
ZEB_API(void) SetPt(Point* pt, short h, short v);
ZEB_API(void) AddPt(Point src, Point* dst);
ZEB_API(void) SubPt(Point src, Point* dst);
ZEB_API(Boolean) EqualPt(Point pt1, Point pt2);
ZEB_API(void) MapPt(Point* pt, const Rect* srcRect, const Rect* dstRect);
ZEB_API(void) MapRect(Rect* r, const Rect* srcRect, const Rect* dstRect);

/* The library's own calls on drawing contexts. */
ZEB_API(HDC) ZEB_GetCurrentDC(void);
ZEB_API(HDC) ZEB_SwaphDC(HDC hdc, short install);
/* Lends hdc to the screen port (begin non-zero) or ends the loan: area becomes the screen port's
 * portRect, and when hwnd is 0 the window under area's top-left corner (relative to hdc's
 * origin) is the one used. Returns that window. */
ZEB_API(HWND) ZEB_SetWMgrPortDC(short begin, HWND hwnd, HDC hdc, const Rect* area);
ZEB_API(HDC) ZEB_OffScreenDC(PixMapHandle pixMap, short flags);
ZEB_API(void) ZEB_ChangeThePortAttr(void);
ZEB_API(void) ZEB_PortRectChange(void);
ZEB_API(void) ZEB_StdProcFix(short install);
/* A picture whose body is a Windows DIB of r's size (8 bits on a palette screen, else 24): the
 * scrap code's CopyBits calls land in it; drawing calls record nothing. Null for an empty r or
 * one too large for a handle. ClosePicture ends it. */
ZEB_API(struct Picture**) ZEB_OpenScrapPict(const Rect* r);
/* Whether DrawPicture saves and restores the port's drawing state around the replay (on at
 * start-up); returns the previous setting. */
ZEB_API(short) ZEB_AllowPictStatePush(short allow);
ZEB_API(void) ZEB_LocalToScreen(Point* pt);
ZEB_API(void) ZEB_ClipRgnChange(GrafPtr port);
ZEB_API(short) ZEB_SelectClipRgn(HDC hdc, RgnHandle rgn);
/* The region forms: rectangle form (returns the shared rectangle sentinel), GDI form (returns
 * the region's own HRGN), the box as a Windows RECT, and whether the region is a rectangle
 * (a GDI-form region found rectangular is turned into the rectangle form). */
ZEB_API(HRGN) ZEB_RgnSetToFakeRectRgn(RgnHandle rgn);
ZEB_API(HRGN) ZEB_RgnSetToRealRectRgn(RgnHandle rgn);
ZEB_API(void) ZEB_RgnGetBBoxRECTFromRgn(RgnHandle rgn, RECT* winRect);
ZEB_API(short) ZEB_IsRectRgn(RgnHandle rgn);
/* Paints nPolys Windows polygons (counts[i] points each, one after another in points) with the
 * current port's pen pattern and mode. hdc 0 means the current port's DC; another DC gives 0.
 * Otherwise 1, or 0 when GDI failed. */
ZEB_API(short) ZEB_PolyPolygon(HDC hdc, const POINT* points, const INT* counts, short nPolys);
ZEB_API(void) ZEB_UseRectForLine(short on);
ZEB_API(void) ZEB_BrushAlign(short n);
ZEB_API(short) ZEB_QDInitTestScreen(void);

ZEB_EXTERN_C_END

/* ZEB_OffScreenDC flags. */
enum { ZEB_OSDC_SCREEN = 0x1, ZEB_OSDC_DRIVER = 0x2 };
/* ZEB_SelectClipRgn results. */
enum { ZEB_CLIP_EMPTY = 1, ZEB_CLIP_SIMPLE = 2, ZEB_CLIP_COMPLEX = 3 };
/* ZEB_QDInitTestScreen result bits: which drawing shortcuts matched GDI's own drawing. */
enum { ZEB_QDTEST_SOLIDFILLS = 0x1, ZEB_QDTEST_PATTERNFILLS = 0x2, ZEB_QDTEST_LINEFILLS = 0x4,
       ZEB_QDTEST_SOLIDBRUSHES = 0x8 };

/* The Toolbox spellings that Windows also uses. In C++ each is an overload of the Windows
 * function, told apart by its arguments. In C, which has no overloads, each is a macro naming
 * the shortened export, defined after windows.h has declared its own functions: from here on a
 * C unit reaches Windows' DrawText only as DrawTextA or DrawTextW, and Windows' SetRect,
 * OffsetRect, InsetRect, UnionRect, PtInRect, EqualRect, FrameRect, InvertRect, FillRect,
 * SetRectRgn, OffsetRgn, EqualRgn, FrameRgn, PaintRgn, InvertRgn, FillRgn, LineTo, SetCursor,
 * ShowCursor and GetPixel not at all (CopyRgn, InsetRgn, UnionRgn, XorRgn and MoveTo are not
 * Windows functions). C code that calls those Windows functions keeps them in a file that does
 * not include the Toolbox headers. */
#ifdef __cplusplus
inline void MoveTo(short h, short v) { MoveT(h, v); }
inline void LineTo(short h, short v) { LineT(h, v); }
inline void SetCursor(const Cursor* crsr) { SetCurso(crsr); }
inline void ShowCursor(void) { ShowCurso(); }
inline void SetRect(Rect* r, short left, short top, short right, short bottom) {
  SetRec(r, left, top, right, bottom);
}
inline void OffsetRect(Rect* r, short dh, short dv) { OffsetRec(r, dh, dv); }
inline void InsetRect(Rect* r, short dh, short dv) { InsetRec(r, dh, dv); }
inline void UnionRect(const Rect* src1, const Rect* src2, Rect* dstRect) {
  UnionRec(src1, src2, dstRect);
}
inline Boolean PtInRect(Point pt, const Rect* r) { return PtInRec(pt, r); }
inline Boolean EqualRect(const Rect* rect1, const Rect* rect2) { return EqualRec(rect1, rect2); }
inline void CopyRgn(RgnHandle srcRgn, RgnHandle dstRgn) { CopyRg(srcRgn, dstRgn); }
inline void SetRectRgn(RgnHandle rgn, short left, short top, short right, short bottom) {
  SetRectRg(rgn, left, top, right, bottom);
}
inline void OffsetRgn(RgnHandle rgn, short dh, short dv) { OffsetRg(rgn, dh, dv); }
inline void InsetRgn(RgnHandle rgn, short dh, short dv) { InsetRg(rgn, dh, dv); }
inline void UnionRgn(RgnHandle a, RgnHandle b, RgnHandle dst) { UnionRg(a, b, dst); }
inline void XorRgn(RgnHandle a, RgnHandle b, RgnHandle dst) { XorRg(a, b, dst); }
inline Boolean EqualRgn(RgnHandle a, RgnHandle b) { return EqualRg(a, b); }
inline void FrameRgn(RgnHandle rgn) { FrameRg(rgn); }
inline void PaintRgn(RgnHandle rgn) { PaintRg(rgn); }
inline void InvertRgn(RgnHandle rgn) { InvertRg(rgn); }
inline void FillRgn(RgnHandle rgn, ConstPatternParam pat) { FillRg(rgn, pat); }
inline void FrameRect(const Rect* r) { FrameRec(r); }
inline void InvertRect(const Rect* r) { InvertRec(r); }
inline void FillRect(const Rect* r, ConstPatternParam pat) { FillRec(r, pat); }
inline Boolean GetPixel(short h, short v) { return GetPixe(h, v); }
#else
#undef DrawText
#define MoveTo MoveT
#define LineTo LineT
#define SetCursor SetCurso
#define ShowCursor ShowCurso
#define SetRect SetRec
#define OffsetRect OffsetRec
#define InsetRect InsetRec
#define UnionRect UnionRec
#define PtInRect PtInRec
#define EqualRect EqualRec
#define CopyRgn CopyRg
#define SetRectRgn SetRectRg
#define OffsetRgn OffsetRg
#define InsetRgn InsetRg
#define UnionRgn UnionRg
#define XorRgn XorRg
#define EqualRgn EqualRg
#define FrameRgn FrameRg
#define PaintRgn PaintRg
#define InvertRgn InvertRg
#define FillRgn FillRg
#define FrameRect FrameRec
#define InvertRect InvertRec
#define FillRect FillRec
#define DrawText DrawTex
#define GetPixel GetPixe
#endif

/* Pictures. picSize (the low 16 bits of the picture's size) and picFrame are in the host's byte
 * order; the opcodes from offset 10 on are big-endian, as on the Macintosh. A 'PICT' resource
 * read with GetPicture has its first 10 bytes converted, and converted back when written. */
ZEB_PACK2_BEGIN
typedef struct Picture {
  short picSize;
  Rect picFrame;
} Picture;
ZEB_PACK2_END
typedef Picture* PicPtr;
typedef PicPtr* PicHandle;
ZEB_ASSERT_SIZE(Picture, 10);

/* OpenCPicture's parameters: the source rectangle at the resolutions given (Fixed, dots per
 * inch); version must be -2. */
ZEB_PACK2_BEGIN
typedef struct OpenCPicParams {
  Rect srcRect;
  Fixed hRes;
  Fixed vRes;
  short version;
  short reserved1;
  long reserved2;
} OpenCPicParams;
ZEB_PACK2_END
ZEB_ASSERT_SIZE(OpenCPicParams, 24);

ZEB_EXTERN_C_BEGIN
/* Recording: the drawing calls on the port write their opcodes into the open picture. A
 * picture that cannot grow is emptied and stays empty until ClosePicture; QDError then says
 * memFullErr. */
ZEB_API(PicHandle) OpenPicture(const Rect* picFrame);
ZEB_API(PicHandle) OpenCPicture(const OpenCPicParams* newHeader);
ZEB_API(void) ClosePicture(void);
ZEB_API(void) KillPicture(PicHandle myPicture);
/* Playback, scaled from the picture's frame to dstRect and clipped to it. */
ZEB_API(void) DrawPicture(PicHandle myPicture, const Rect* dstRect);
ZEB_API(void) StdPutPic(const void* dataPtr, short byteCount);
ZEB_API(void) StdGetPic(void* dataPtr, short byteCount);
/* Picture comments: dataHandle holds dataSize bytes (none for a short comment). */
ZEB_API(void) PicComment(short kind, short dataSize, Handle dataHandle);
ZEB_API(void) StdComment(short kind, short dataSize, Handle dataHandle);
/* The colour port's highlight colour (rgbHiliteColor of its grafVars). */
ZEB_API(void) HiliteColor(const RGBColor* color);
ZEB_EXTERN_C_END

/* ---- Entry points present without their manager's work ----
 * They exist so that a ported application links; none of them draws. Each reports its call
 * through DebugStr; RealColor answers false. */
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

/* Text drawing and measuring, with the Font Manager. */
#include "Fonts.h"

#endif /* ZEB_QUICKDRAW_H */

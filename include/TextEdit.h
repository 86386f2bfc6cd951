/*
 * TextEdit.h - TextEdit: edit records drawn by the library or mirrored in native edit windows.
 *
 * The records keep the 68000 layout with two-byte packing. Where the Toolbox kept fields that
 * mean nothing on Windows, the library keeps its own: the mirrored edit window in the place of
 * recalBack and recalLines, the 3-D flag in the place of caretHook. lineStarts follow the fixed
 * fields in the same handle, nLines + 1 of them, the last one teLength.
 *
 * Windows has TextBox-like functions of no colliding name, so every spelling here is the
 * Toolbox's own.
 */
#ifndef ZEB_TEXTEDIT_H
#define ZEB_TEXTEDIT_H

#include "MacTypes.h"
#include "Quickdraw.h"

/* Alignment (just), the TESetStyle and TEContinuousStyle mode bits, TEFeatureFlag's values. */
enum {
  teJustLeft = 0,
  teJustCenter = 1,
  teJustRight = -1,
  teForceLeft = -2,
  teFlushDefault = 0,
  teCenter = 1,
  teFlushRight = -1,
  teFlushLeft = -2
};
enum {
  doFont = 1,
  doFace = 2,
  doSize = 4,
  doColor = 8,
  doAll = 15,
  addSize = 16,
  doToggle = 32
};
enum {
  teFAutoScroll = 0,
  teFTextBuffering = 1,
  teFOutlineHilite = 2,
  teFInlineInput = 3,
  teFUseTextServices = 4,
  teBitClear = 0,
  teBitSet = 1,
  teBitTest = -1
};

/* The longest text a record holds. */
enum { teMaxLength = 32000 };

typedef struct TERec TERec;
typedef TERec* TEPtr;
typedef TEPtr* TEHandle;
typedef char Chars[32001];
typedef char* CharsPtr;
typedef CharsPtr* CharsHandle;

/* The word-break procedure: true when the character at charPos breaks words. */
typedef Boolean(ZEBAPI* WordBreakProcPtr)(Ptr text, short charPos);
/* The click loop, called while the button is down in TEClick: false stops the tracking. */
typedef Boolean(ZEBAPI* TEClickLoopProcPtr)(void);
/* The highlighting procedure: hilites r (the selection or the caret) of the record. */
typedef void(ZEBAPI* HighHookProcPtr)(const Rect* r, TEPtr pTE);
/* The three drawing procedures of ZEB_TECustomHooks: text drawn at the pen, a width measured,
 * a rectangle of the selection or the caret highlighted. */
typedef void(ZEBAPI* ZEB_TEDrawTextHook)(TEPtr pTE, const char* text, short length);
typedef short(ZEBAPI* ZEB_TEMeasureHook)(TEPtr pTE, const char* text, short length);
typedef void(ZEBAPI* ZEB_TEHiliteHook)(TEPtr pTE, const Rect* r);
typedef WordBreakProcPtr WordBreakUPP;
typedef TEClickLoopProcPtr TEClickLoopUPP;
typedef HighHookProcPtr HighHookUPP;

ZEB_PACK2_BEGIN
struct TERec {
  Rect destRect;       /* lines wrap at its width */
  Rect viewRect;       /* what is shown */
  Rect selRect;        /* work rectangle */
  short lineHeight;    /* -1: variable (styled records) */
  short fontAscent;    /* -1: variable */
  Point selPoint;
  short selStart;      /* selection, 0..teLength */
  short selEnd;
  short active;        /* bit 0 set while active */
  WordBreakProcPtr wordBreak;
  TEClickLoopProcPtr clikLoop;
  long clickTime;      /* ticks of the last click */
  short clickLoc;      /* offset of the last click */
  long caretTime;      /* ticks of the last caret blink */
  short caretState;    /* the caret is shown */
  short just;          /* teJustLeft, teJustCenter, teJustRight */
  short teLength;      /* at most 32000 */
  Handle hText;        /* the text: Macintosh characters, lines ended by CR */
  long hWndEdit;       /* the mirrored "edit" window; 0 for a record the library draws */
  short clikStuff;     /* 0x08 while custom drawing hooks are in force */
  short crOnly;        /* negative: lines break only at CR */
  short txFont;        /* styled records: with txFace, the style handle */
  Style txFace;
  char txFaceFill;
  short txMode;
  short txSize;        /* -1: a styled record */
  GrafPtr inPort;      /* the port the record draws in */
  HighHookProcPtr highHook;
  long te3D;           /* ZEB_SetTE3D */
  short nLines;
  short lineStarts[16001];
};
ZEB_PACK2_END
ZEB_ASSERT_OFFSET(TERec, viewRect, 8);
ZEB_ASSERT_OFFSET(TERec, selRect, 16);
ZEB_ASSERT_OFFSET(TERec, lineHeight, 24);
ZEB_ASSERT_OFFSET(TERec, fontAscent, 26);
ZEB_ASSERT_OFFSET(TERec, selPoint, 28);
ZEB_ASSERT_OFFSET(TERec, selStart, 32);
ZEB_ASSERT_OFFSET(TERec, selEnd, 34);
ZEB_ASSERT_OFFSET(TERec, active, 36);
ZEB_ASSERT_OFFSET(TERec, wordBreak, 38);
ZEB_ASSERT_OFFSET(TERec, clikLoop, 42);
ZEB_ASSERT_OFFSET(TERec, clickTime, 46);
ZEB_ASSERT_OFFSET(TERec, clickLoc, 50);
ZEB_ASSERT_OFFSET(TERec, caretTime, 52);
ZEB_ASSERT_OFFSET(TERec, caretState, 56);
ZEB_ASSERT_OFFSET(TERec, just, 58);
ZEB_ASSERT_OFFSET(TERec, teLength, 60);
ZEB_ASSERT_OFFSET(TERec, hText, 62);
ZEB_ASSERT_OFFSET(TERec, hWndEdit, 66);
ZEB_ASSERT_OFFSET(TERec, clikStuff, 70);
ZEB_ASSERT_OFFSET(TERec, crOnly, 72);
ZEB_ASSERT_OFFSET(TERec, txFont, 74);
ZEB_ASSERT_OFFSET(TERec, txFace, 76);
ZEB_ASSERT_OFFSET(TERec, txMode, 78);
ZEB_ASSERT_OFFSET(TERec, txSize, 80);
ZEB_ASSERT_OFFSET(TERec, inPort, 82);
ZEB_ASSERT_OFFSET(TERec, highHook, 86);
ZEB_ASSERT_OFFSET(TERec, te3D, 90);
ZEB_ASSERT_OFFSET(TERec, nLines, 94);
ZEB_ASSERT_OFFSET(TERec, lineStarts, 96);

/* Styles. */
ZEB_PACK2_BEGIN
typedef struct StyleRun {
  short startChar; /* first character of the run */
  short styleIndex; /* entry of the style table */
} StyleRun;

typedef struct STElement {
  short stCount;   /* runs using the entry */
  short stHeight;  /* line height */
  short stAscent;
  short stFont;
  Style stFace;
  char stFaceFill;
  short stSize;
  RGBColor stColor;
} STElement;
typedef STElement TEStyleTable[1777];
typedef STElement* STPtr;
typedef STPtr* STHandle;

typedef short LHElement;
typedef LHElement LHTable[8001];
typedef LHElement* LHPtr;
typedef LHPtr* LHHandle;

typedef struct TextStyle {
  short tsFont;
  Style tsFace;
  char tsFaceFill;
  short tsSize;
  RGBColor tsColor;
} TextStyle;
typedef TextStyle* TextStylePtr;
typedef TextStylePtr* TextStyleHandle;

typedef struct ScrpSTElement {
  long scrpStartChar;
  short scrpHeight;
  short scrpAscent;
  short scrpFont;
  Style scrpFace;
  char scrpFaceFill;
  short scrpSize;
  RGBColor scrpColor;
} ScrpSTElement;
typedef ScrpSTElement ScrpSTTable[1601];

typedef struct StScrpRec {
  short scrpNStyles;
  ScrpSTTable scrpStyleTab;
} StScrpRec;
typedef StScrpRec* StScrpPtr;
typedef StScrpPtr* StScrpHandle;

typedef struct NullStRec {
  long teReserved;
  StScrpHandle nullScrap; /* the style the next inserted text takes */
} NullStRec;
typedef NullStRec* NullStPtr;
typedef NullStPtr* NullStHandle;

typedef struct TEStyleRec {
  short nRuns;
  short nStyles;
  STHandle styleTab;
  LHHandle lhTab;
  long teRefCon;
  NullStHandle nullStyle;
  StyleRun runs[8001]; /* nRuns + 1 entries; the last starts at teLength + 1 */
} TEStyleRec;
ZEB_PACK2_END
typedef TEStyleRec* TEStylePtr;
typedef TEStylePtr* TEStyleHandle;
ZEB_ASSERT_SIZE(StyleRun, 4);
ZEB_ASSERT_SIZE(STElement, 18);
ZEB_ASSERT_OFFSET(STElement, stSize, 10);
ZEB_ASSERT_OFFSET(STElement, stColor, 12);
ZEB_ASSERT_SIZE(TextStyle, 12);
ZEB_ASSERT_OFFSET(TextStyle, tsSize, 4);
ZEB_ASSERT_OFFSET(TextStyle, tsColor, 6);
ZEB_ASSERT_SIZE(ScrpSTElement, 20);
ZEB_ASSERT_OFFSET(ScrpSTElement, scrpHeight, 4);
ZEB_ASSERT_OFFSET(ScrpSTElement, scrpFont, 8);
ZEB_ASSERT_OFFSET(ScrpSTElement, scrpSize, 12);
ZEB_ASSERT_OFFSET(ScrpSTElement, scrpColor, 14);
ZEB_ASSERT_OFFSET(StScrpRec, scrpStyleTab, 2);
ZEB_ASSERT_SIZE(NullStRec, 8);
ZEB_ASSERT_OFFSET(NullStRec, nullScrap, 4);
ZEB_ASSERT_OFFSET(TEStyleRec, styleTab, 4);
ZEB_ASSERT_OFFSET(TEStyleRec, lhTab, 8);
ZEB_ASSERT_OFFSET(TEStyleRec, teRefCon, 12);
ZEB_ASSERT_OFFSET(TEStyleRec, nullStyle, 16);
ZEB_ASSERT_OFFSET(TEStyleRec, runs, 20);

ZEB_EXTERN_C_BEGIN
ZEB_API(void) TEInit(void);
ZEB_API(TEHandle) TENew(const Rect* destRect, const Rect* viewRect);
ZEB_API(TEHandle) TEStyleNew(const Rect* destRect, const Rect* viewRect);
ZEB_API(void) TEDispose(TEHandle hTE);
ZEB_API(void) TESetText(const void* text, long length, TEHandle hTE);
ZEB_API(CharsHandle) TEGetText(TEHandle hTE);
ZEB_API(void) TEIdle(TEHandle hTE);
ZEB_API(void) TEClick(Point pt, Boolean fExtend, TEHandle hTE);
ZEB_API(void) TESetSelect(long selStart, long selEnd, TEHandle hTE);
ZEB_API(void) TEActivate(TEHandle hTE);
ZEB_API(void) TEDeactivate(TEHandle hTE);
ZEB_API(void) TEKey(CharParameter key, TEHandle hTE);
ZEB_API(void) TECut(TEHandle hTE);
ZEB_API(void) TECopy(TEHandle hTE);
ZEB_API(void) TEPaste(TEHandle hTE);
ZEB_API(void) TEDelete(TEHandle hTE);
ZEB_API(void) TEInsert(const void* text, long length, TEHandle hTE);
ZEB_API(void) TESetAlignment(short just, TEHandle hTE);
ZEB_API(void) TEUpdate(const void* rUpdate, TEHandle hTE);
ZEB_API(void) TETextBox(const void* text, long length, const Rect* box, short just);
ZEB_API(void) TEScroll(short dh, short dv, TEHandle hTE);
ZEB_API(void) TESelView(TEHandle hTE);
ZEB_API(void) TEPinScroll(short dh, short dv, TEHandle hTE);
ZEB_API(void) TEAutoView(Boolean fAuto, TEHandle hTE);
ZEB_API(void) TECalText(TEHandle hTE);
ZEB_API(short) TEGetOffset(Point pt, TEHandle hTE);
ZEB_API(Point) TEGetPoint(short offset, TEHandle hTE);
ZEB_API(long) TEGetHeight(long endLine, long startLine, TEHandle hTE);
ZEB_API(void) TESetWordBreak(WordBreakProcPtr wBrkProc, TEHandle hTE);
ZEB_API(void) TESetClickLoop(TEClickLoopProcPtr clikProc, TEHandle hTE);

ZEB_API(OSErr) TEFromScrap(void);
ZEB_API(OSErr) TEToScrap(void);
ZEB_API(Handle) TEScrapHandle(void);
ZEB_API(long) TEGetScrapLength(void);
ZEB_API(void) TESetScrapLength(long length);

ZEB_API(void) TESetStyleHandle(TEStyleHandle theHandle, TEHandle hTE);
ZEB_API(TEStyleHandle) TEGetStyleHandle(TEHandle hTE);
ZEB_API(void) TEStyleInsert(const void* text, long length, StScrpHandle hST, TEHandle hTE);
ZEB_API(StScrpHandle) TEGetStyleScrapHandle(TEHandle hTE);
ZEB_API(void) TEUseStyleScrap(long rangeStart, long rangeEnd, StScrpHandle newStyles,
                              Boolean fRedraw, TEHandle hTE);
ZEB_API(long) TENumStyles(long rangeStart, long rangeEnd, TEHandle hTE);
ZEB_API(Boolean) TEContinuousStyle(short* mode, TextStyle* aStyle, TEHandle hTE);
ZEB_API(void) TEStylePaste(TEHandle hTE);
ZEB_API(void) TEGetStyle(short offset, TextStyle* theStyle, short* lineHeight, short* fontAscent,
                         TEHandle hTE);
ZEB_API(void) TESetStyle(short mode, const TextStyle* newStyle, Boolean fRedraw, TEHandle hTE);
ZEB_API(void) TEReplaceStyle(short mode, const TextStyle* oldStyle, const TextStyle* newStyle,
                             Boolean fRedraw, TEHandle hTE);

/* The default procedures. */
ZEB_API(Boolean) SimpleWordBreak(Ptr text, short charPos);
ZEB_API(Boolean) SimpleLineBreak(Ptr text, short charPos);
ZEB_API(Boolean) SimpleClikProc(void);

/* The library's own calls. ZEB_SethTEfromhWnd reads a mirrored record back from its edit
 * window (with force, the text too). ZEB_TECustomHooks installs the three drawing procedures
 * (all three or none). ZEB_MakePIClickLoop wraps a click loop that the application stores in
 * the record itself. */
ZEB_API(void) ZEB_SethTEfromhWnd(TEHandle hTE, Boolean force);
ZEB_API(void) ZEB_SetTE3D(TEHandle hTE, Boolean on);
ZEB_API(Boolean) ZEB_GetTE3D(TEHandle hTE);
ZEB_API(void) ZEB_TECustomHooks(TEHandle hTE, ZEB_TEDrawTextHook drawText,
                                ZEB_TEMeasureHook measure, ZEB_TEHiliteHook hilite);
ZEB_API(void) ZEB_MakePIClickLoop(TEClickLoopProcPtr* proc);

/* ---- Entry points present without their manager's work ----
 * TEFeatureFlag reports its call through DebugStr and returns 0 (the feature was off). */
ZEB_API(short) TEFeatureFlag(short feature, short action, TEHandle hTE);
/* ---- end of entry points present without their manager's work ---- */
ZEB_EXTERN_C_END

/* The names of older interfaces. */
#define TEStylNew TEStyleNew
#define TESetJust TESetAlignment
#define TextBox TETextBox
#define TEGetScrapLen TEGetScrapLength
#define TESetScrapLen TESetScrapLength
#define SetClikLoop TESetClickLoop
#define SetWordBreak TESetWordBreak
#define TEStylPaste TEStylePaste
#define TEStylInsert TEStyleInsert
#define GetStylHandle TEGetStyleHandle
#define SetStylHandle TESetStyleHandle
#define GetStylScrap TEGetStyleScrapHandle
#define SetStylScrap TEUseStyleScrap
#define TESetStyleScrap TEUseStyleScrap
#define TESetClikLoop TESetClickLoop
#define ClikLoopProcPtr TEClickLoopProcPtr

#endif /* ZEB_TEXTEDIT_H */

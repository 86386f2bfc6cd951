/*
 * Lists.h - the List Manager: Toolbox lists shown by native Windows list boxes, with the
 * controls and QuickDraw records that lists are made of.
 *
 * windows.h comes in through Quickdraw.h first; the list box's window handle and window
 * procedure are Windows types.
 */
#ifndef ZEB_LISTS_H
#define ZEB_LISTS_H

#include <stddef.h>

#include "Controls.h"
#include "MacTypes.h"
#include "MacWindows.h"
#include "Quickdraw.h"

/* A cell is named by its column (h) and row (v). */
typedef Point Cell;
typedef char DataArray[32001];
typedef char* DataPtr;
typedef DataPtr* DataHandle;

/* selFlags bits. */
enum {
  lOnlyOne = -128,     /* 0x80: at most one cell selected */
  lExtendDrag = 64,
  lNoDisjoint = 32,
  lNoExtend = 16,
  lNoRect = 8,
  lUseSense = 4,
  lNoNilHilite = 2,    /* an empty cell is not selected */
  lTearOff = 1         /* cells may be dragged out of the list (ZEB_LTearOff) */
};

/* listFlags bits. */
enum { lDoVAutoscroll = 2, lDoHAutoscroll = 1 };

/* Messages to a list definition procedure. */
enum { lInitMsg = 0, lDrawMsg = 1, lHiliteMsg = 2, lCloseMsg = 3 };

typedef struct ListRec ListRec;
typedef ListRec* ListPtr;
typedef ListPtr* ListHandle;

/* The click loop answers false to end LClick; a search procedure answers 0 for a match. */
typedef Boolean(ZEBAPI* ListClickLoopProcPtr)(void);
typedef short(ZEBAPI* ListSearchProcPtr)(Ptr aPtr, Ptr bPtr, short aLen, short bLen);
typedef void(ZEBAPI* ListDefProcPtr)(short lMessage, Boolean lSelect, Rect* lRect, Cell lCell,
                                     short lDataOffset, short lDataLen, ListHandle lHandle);

/* Naturally aligned, in the Toolbox's order: cellArray at 86 in the 32-bit product. Each entry
 * of cellArray, column by column from dataBounds' top-left, holds the cell's offset into cells
 * (bits 0..14: the cell's data; its 16-bit length lies in the two bytes before) and the
 * selected bit (15). The record grows with the cell count. */
struct ListRec {
  Rect rView;
  GrafPtr port;
  Point indent;
  Point cellSize;
  Rect visible;
  ControlHandle vScroll;
  ControlHandle hScroll;
  SignedByte selFlags;
  Boolean lActive;
  unsigned char slot;  /* the list's slot in the library's table of list boxes */
  SignedByte listFlags;
  long clikTime;
  Point clikLoc;
  Point mouseLoc;
  ListClickLoopProcPtr lClikLoop;
  Cell lastClick;
  long refCon;
  ListDefProcPtr listDefProc;
  Handle userHandle;
  Rect dataBounds;
  DataHandle cells;
  short maxIndex;
  unsigned short cellArray[1];
};

#if ZEB_LAYOUT_32
ZEB_ASSERT_OFFSET(ListRec, rView, 0);
ZEB_ASSERT_OFFSET(ListRec, port, 8);
ZEB_ASSERT_OFFSET(ListRec, indent, 12);
ZEB_ASSERT_OFFSET(ListRec, cellSize, 16);
ZEB_ASSERT_OFFSET(ListRec, visible, 20);
ZEB_ASSERT_OFFSET(ListRec, vScroll, 28);
ZEB_ASSERT_OFFSET(ListRec, hScroll, 32);
ZEB_ASSERT_OFFSET(ListRec, selFlags, 36);
ZEB_ASSERT_OFFSET(ListRec, lActive, 37);
ZEB_ASSERT_OFFSET(ListRec, slot, 38);
ZEB_ASSERT_OFFSET(ListRec, listFlags, 39);
ZEB_ASSERT_OFFSET(ListRec, clikTime, 40);
ZEB_ASSERT_OFFSET(ListRec, clikLoc, 44);
ZEB_ASSERT_OFFSET(ListRec, mouseLoc, 48);
ZEB_ASSERT_OFFSET(ListRec, lClikLoop, 52);
ZEB_ASSERT_OFFSET(ListRec, lastClick, 56);
ZEB_ASSERT_OFFSET(ListRec, refCon, 60);
ZEB_ASSERT_OFFSET(ListRec, listDefProc, 64);
ZEB_ASSERT_OFFSET(ListRec, userHandle, 68);
ZEB_ASSERT_OFFSET(ListRec, dataBounds, 72);
ZEB_ASSERT_OFFSET(ListRec, cells, 80);
ZEB_ASSERT_OFFSET(ListRec, maxIndex, 84);
ZEB_ASSERT_OFFSET(ListRec, cellArray, 86);
#endif

/* ZEB_LSetSelFlags: the low byte becomes the next list's selFlags; the high bits choose its
 * layout. The word goes back to ZEB_LDEFAULT_OPTIONS after each LNew. */
enum {
  ZEB_LOPT_SLOTFLAG_100 = 0x100,
  ZEB_LOPT_SLOTFLAG_200 = 0x200,
  ZEB_LOPT_ONEDIMENSIONAL = 0x400,
  ZEB_LOPT_MULTICOLUMN = 0x800,
  ZEB_LOPT_SLOTFLAG_1000 = 0x1000,
  ZEB_LDEFAULT_OPTIONS = 0x82
};

/* Dragging cells out of a list (ZEB_LTearOff): mode 1 sets the drag image size from size
 * (or from the first entry when the record is nil); mode 2 fills drop and dropWindow from the
 * last drag and answers whether one ended. */
typedef struct ZEB_LTearOffRec {
  Point size;
  Point drop;          /* global coordinates of the drop point */
  WindowPtr dropWindow; /* the Toolbox window under it, or nil */
} ZEB_LTearOffRec;
typedef void(ZEBAPI* ZEB_LTearOffDragProcPtr)(ListHandle list, Point where);

ZEB_EXTERN_C_BEGIN
ZEB_API(ListHandle) LNew(const Rect* rView, const Rect* dataBounds, Point cSize, short theProc,
                         WindowPtr theWindow, Boolean drawIt, Boolean hasGrow,
                         Boolean scrollHoriz, Boolean scrollVert);
ZEB_API(void) LDispose(ListHandle lHandle);
ZEB_API(short) LAddColumn(short count, short colNum, ListHandle lHandle);
ZEB_API(short) LAddRow(short count, short rowNum, ListHandle lHandle);
ZEB_API(void) LDelColumn(short count, short colNum, ListHandle lHandle);
ZEB_API(void) LDelRow(short count, short rowNum, ListHandle lHandle);
ZEB_API(void) LSetCell(const void* dataPtr, short dataLen, Cell theCell, ListHandle lHandle);
ZEB_API(void) LAddToCell(const void* dataPtr, short dataLen, Cell theCell, ListHandle lHandle);
ZEB_API(void) LClrCell(Cell theCell, ListHandle lHandle);
ZEB_API(void) LGetCell(void* dataPtr, short* dataLen, Cell theCell, ListHandle lHandle);
ZEB_API(void) LGetCellDataLocation(short* offset, short* len, Cell theCell, ListHandle lHandle);
ZEB_API(void) LSetSelect(Boolean setIt, Cell theCell, ListHandle lHandle);
ZEB_API(Boolean) LGetSelect(Boolean next, Cell* theCell, ListHandle lHandle);
ZEB_API(Boolean) LNextCell(Boolean hNext, Boolean vNext, Cell* theCell, ListHandle lHandle);
ZEB_API(Boolean) LClick(Point pt, short modifiers, ListHandle lHandle);
ZEB_API(Cell) LLastClick(ListHandle lHandle);
/* The last click's cell as a 32-bit value holding the Cell's bytes, for callers that cannot
 * take a record result. */
ZEB_API(long) LongLastClick(ListHandle lHandle);
ZEB_API(void) LAutoScroll(ListHandle lHandle);
ZEB_API(void) LRect(Rect* cellRect, Cell theCell, ListHandle lHandle);
ZEB_API(void) LSize(short listWidth, short listHeight, ListHandle lHandle);
ZEB_API(void) LCellSize(Point cSize, ListHandle lHandle);
ZEB_API(void) LActivate(Boolean act, ListHandle lHandle);
ZEB_API(void) LDraw(Cell theCell, ListHandle lHandle);
ZEB_API(void) LUpdate(RgnHandle theRgn, ListHandle lHandle);
ZEB_API(void) LSetDrawingMode(Boolean drawIt, ListHandle lHandle);
ZEB_API(void) LScroll(short dCols, short dRows, ListHandle lHandle);
ZEB_API(Boolean) LSearch(const void* dataPtr, short dataLen, ListSearchProcPtr searchProc,
                         Cell* theCell, ListHandle lHandle);

/* The library's own calls. */
ZEB_API(void) ZEB_LSetSelFlags(short options);
ZEB_API(HWND) ZEB_GetHWNDFromListHandle(ListHandle lHandle);
ZEB_API(void) ZEB_ListShowHide(ListHandle lHandle, Boolean show);
ZEB_API(void) ZEB_ListUpdateVisible(ListHandle lHandle);
ZEB_API(Boolean) ZEB_LTearOff(ListHandle lHandle, short mode, ZEB_LTearOffRec* info);
ZEB_API(void) ZEB_LSetTearOffDragHook(ListHandle lHandle, ZEB_LTearOffDragProcPtr proc);
/* The window procedure of the native list boxes. */
ZEB_API(LRESULT) Z_ListBoxWndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
ZEB_EXTERN_C_END

/* Older names. */
#define LDoDraw(drawIt, lHandle) LSetDrawingMode(drawIt, lHandle)
#define LFind(offset, len, theCell, lHandle) LGetCellDataLocation(offset, len, theCell, lHandle)

#endif /* ZEB_LISTS_H */

/*
 * MacWindows.h - the Window Manager.
 *
 * Every Toolbox window is carried by a Windows window of the session's child class (or its MDI
 * child class, or the 3D dialog class). Windows drags, sizes, closes and zooms the windows
 * itself; the window-procedure glue (ZEB_SysCommand, ZEB_WindChange, ZEB_EventActivate, ...)
 * reports what the user did as mouse-down events at special locations, so that the classic
 * FindWindow, DragWindow, GrowWindow, TrackGoAway and TrackBox sequence works unchanged.
 *
 * windows.h is included first: ShowWindow, MoveWindow, CloseWindow and FindWindow are also
 * Windows functions, so the library exports them as ShowWindo, MoveWindo, CloseWindo and
 * FindWindo, and in C++ the Toolbox spellings below map onto them as overloads.
 */
#ifndef ZEB_MACWINDOWS_H
#define ZEB_MACWINDOWS_H

#include <windows.h>

#include "Controls.h"
#include "Events.h"
#include "MacTypes.h"
#include "Quickdraw.h"

/* Window definition procedure numbers. */
enum {
  documentProc = 0, dBoxProc = 1, plainDBox = 2, altDBoxProc = 3, noGrowDocProc = 4,
  movableDBoxProc = 5, zoomDocProc = 8, zoomNoGrow = 12, rDocProc = 16,
  /* floating palettes: 720-735 (-720 to -735 top-level); variant bit 0x2 shows the title, 0x4
   * gives a sizing frame, 0x8 a zoom box */
  floatProc = 720
};

/* windowKind values. */
enum { dialogKind = 2, userKind = 8 };

/* FindWindow part codes. */
enum {
  inDesk = 0, inMenuBar = 1, inSysWindow = 2, inContent = 3, inDrag = 4, inGrow = 5,
  inGoAway = 6, inZoomIn = 7, inZoomOut = 8
};

/* The kindFlags and stateFlags of WindowDataRec. */
enum {
  zebUpdatePending = 0x0100, zebMDIChild = 0x0200, zebHasSizeBox = 0x1000,
  zebPopUp = 0x2000, zebTopLevel = 0x4000, zebInDialog = 0x8000
};
enum {
  zebResizedByUser = 0x0001, zebCallerStorage = 0x0002, zebTakesFocus = 0x0004,
  zebFloating = 0x0010
};

typedef GrafPtr WindowPtr;
typedef CGrafPtr CWindowPtr;

ZEB_PACK2_BEGIN
/* The Toolbox window record, as applications address it: the port, then the Window Manager's
 * fields. windowDefProc holds the procID itself; no definition code is loaded. */
typedef struct WindowRecord {
  GrafPort port;
  short windowKind;
  Boolean visible;
  Boolean hilited;
  Boolean goAwayFlag;
  Boolean spareFlag; /* zoom state: 1 while zoomed out to the standard state */
  RgnHandle strucRgn; /* outer frame, screen coordinates */
  RgnHandle contRgn;  /* client area, screen coordinates */
  RgnHandle updateRgn; /* waiting to be redrawn, the port's local coordinates */
  Handle windowDefProc;
  Handle dataHandle; /* the library's WindowDataRec */
  StringHandle titleHandle; /* Macintosh character set */
  short titleWidth;
  ControlHandle controlList;
  struct WindowRecord* nextWindow;
  PicHandle windowPic;
  long refCon;
} WindowRecord;
typedef WindowRecord* WindowPeek;

typedef struct CWindowRecord {
  CGrafPort port;
  short windowKind;
  Boolean visible;
  Boolean hilited;
  Boolean goAwayFlag;
  Boolean spareFlag;
  RgnHandle strucRgn;
  RgnHandle contRgn;
  RgnHandle updateRgn;
  Handle windowDefProc;
  Handle dataHandle;
  StringHandle titleHandle;
  short titleWidth;
  ControlHandle controlList;
  struct CWindowRecord* nextWindow;
  PicHandle windowPic;
  long refCon;
} CWindowRecord;
typedef CWindowRecord* CWindowPeek;
ZEB_PACK2_END

ZEB_ASSERT_SIZE(WindowRecord, 156);
ZEB_ASSERT_OFFSET(WindowRecord, windowKind, 108);
ZEB_ASSERT_OFFSET(WindowRecord, visible, 110);
ZEB_ASSERT_OFFSET(WindowRecord, spareFlag, 113);
ZEB_ASSERT_OFFSET(WindowRecord, strucRgn, 114);
ZEB_ASSERT_OFFSET(WindowRecord, contRgn, 118);
ZEB_ASSERT_OFFSET(WindowRecord, updateRgn, 122);
ZEB_ASSERT_OFFSET(WindowRecord, windowDefProc, 126);
ZEB_ASSERT_OFFSET(WindowRecord, dataHandle, 130);
ZEB_ASSERT_OFFSET(WindowRecord, titleHandle, 134);
ZEB_ASSERT_OFFSET(WindowRecord, titleWidth, 138);
ZEB_ASSERT_OFFSET(WindowRecord, controlList, 140);
ZEB_ASSERT_OFFSET(WindowRecord, nextWindow, 144);
ZEB_ASSERT_OFFSET(WindowRecord, windowPic, 148);
ZEB_ASSERT_OFFSET(WindowRecord, refCon, 152);
ZEB_ASSERT_SIZE(CWindowRecord, 156);
ZEB_ASSERT_OFFSET(CWindowRecord, windowKind, 108);
ZEB_ASSERT_OFFSET(CWindowRecord, refCon, 152);

/* The zoom states, as the Toolbox keeps them at the start of the window's data. */
typedef struct WStateData {
  Rect userState;
  Rect stdState;
} WStateData;
typedef WStateData* WStateDataPtr;
typedef WStateDataPtr* WStateDataHandle;

/* The library's per-window record behind dataHandle; it begins with the zoom states. */
typedef struct WindowDataRec {
  Rect userState; /* the bounds given at creation: the zoom-in target */
  Rect stdState;  /* the zoom-out target */
  HWND window;    /* the Windows window carrying the Toolbox window */
  unsigned short kindFlags;  /* low byte: procID modulo 256; high bits: zeb... above */
  unsigned short stateFlags; /* zebResizedByUser, zebCallerStorage, ... */
} WindowDataRec;
typedef WindowDataRec* WindowDataPtr;
typedef WindowDataPtr* WindowDataHandle;
ZEB_ASSERT_OFFSET(WindowDataRec, stdState, 8);
ZEB_ASSERT_OFFSET(WindowDataRec, window, 16);
ZEB_ASSERT_OFFSET(WindowDataRec, kindFlags, 20);

/* The window extra data the child classes reserve (at least 32 bytes), in 32-bit words: the
 * WindowPtr, the palette current at creation, the style the window was created with, the
 * minimum tracking width and height (16 bits each), then four words the library clears. */
enum {
  zebExtraWindowPtr = 0, zebExtraPalette = 4, zebExtraStyle = 8, zebExtraMinSize = 12,
  zebExtraBytes = 32
};

ZEB_EXTERN_C_BEGIN
ZEB_API(void) InitWindows(void);
ZEB_API(WindowPtr) NewWindow(void* wStorage, const Rect* boundsRect, ConstStr255Param title,
                             Boolean visible, short theProc, WindowPtr behind, Boolean goAwayFlag,
                             long refCon);
ZEB_API(WindowPtr) NewCWindow(void* wStorage, const Rect* boundsRect, ConstStr255Param title,
                              Boolean visible, short procID, WindowPtr behind, Boolean goAwayFlag,
                              long refCon);
ZEB_API(WindowPtr) GetNewWindow(short windowID, void* wStorage, WindowPtr behind);
ZEB_API(WindowPtr) GetNewCWindow(short windowID, void* wStorage, WindowPtr behind);
ZEB_API(void) CloseWindo(WindowPtr theWindow);
ZEB_API(void) DisposeWindow(WindowPtr theWindow);

ZEB_API(void) ShowWindo(WindowPtr theWindow);
ZEB_API(void) HideWindow(WindowPtr theWindow);
ZEB_API(void) ShowHide(WindowPtr theWindow, Boolean showFlag);
ZEB_API(void) SelectWindow(WindowPtr theWindow);
ZEB_API(void) BringToFront(WindowPtr theWindow);
ZEB_API(void) SendBehind(WindowPtr theWindow, WindowPtr behindWindow);
ZEB_API(void) HiliteWindow(WindowPtr theWindow, Boolean fHilite);
ZEB_API(WindowPtr) FrontWindow(void);

ZEB_API(short) FindWindo(Point thePoint, WindowPtr* theWindow);
ZEB_API(void) DragWindow(WindowPtr theWindow, Point startPt, const Rect* boundsRect);
ZEB_API(long) GrowWindow(WindowPtr theWindow, Point startPt, const Rect* sizeRect);
ZEB_API(Boolean) TrackGoAway(WindowPtr theWindow, Point thePt);
ZEB_API(Boolean) TrackBox(WindowPtr theWindow, Point thePt, short partCode);
ZEB_API(void) MoveWindo(WindowPtr theWindow, short hGlobal, short vGlobal, Boolean front);
ZEB_API(void) SizeWindow(WindowPtr theWindow, short w, short h, Boolean fUpdate);
ZEB_API(void) ZoomWindow(WindowPtr theWindow, short partCode, Boolean front);

ZEB_API(void) InvalRect(const Rect* badRect);
ZEB_API(void) InvalRgn(RgnHandle badRgn);
ZEB_API(void) ValidRect(const Rect* goodRect);
ZEB_API(void) ValidRgn(RgnHandle goodRgn);
ZEB_API(void) BeginUpdate(WindowPtr theWindow);
ZEB_API(void) EndUpdate(WindowPtr theWindow);
/* Update events come from the Event Manager: always false. */
ZEB_API(Boolean) CheckUpdate(EventRecord* theEvent);

ZEB_API(void) SetWTitle(WindowPtr theWindow, ConstStr255Param title);
ZEB_API(void) GetWTitle(WindowPtr theWindow, Str255 title);
ZEB_API(void) SetWRefCon(WindowPtr theWindow, long data);
ZEB_API(long) GetWRefCon(WindowPtr theWindow);
ZEB_API(void) SetWindowPic(WindowPtr theWindow, PicHandle pic);
ZEB_API(PicHandle) GetWindowPic(WindowPtr theWindow);
ZEB_API(short) GetWVariant(WindowPtr theWindow);
ZEB_API(RgnHandle) GetGrayRgn(void);
ZEB_API(void) GetWMgrPort(GrafPtr* wPort);
ZEB_API(void) GetCWMgrPort(CGrafPtr* wMgrCPort);

ZEB_API(void) CalcVis(WindowPtr theWindow);
/* Windows paints and clips the windows itself: these do nothing. */
ZEB_API(void) PaintOne(WindowPtr window, RgnHandle clobberedRgn);
ZEB_API(void) PaintBehind(WindowPtr startWindow, RgnHandle clobberedRgn);
ZEB_API(void) ClipAbove(WindowPtr window);
ZEB_API(void) CalcVisBehind(WindowPtr startWindow, RgnHandle clobberedRgn);
/* The point limited to the rectangle: vertical in the high word, horizontal in the low word.
 * A point at or past the right or bottom edge comes back one inside it. */
ZEB_API(long) PinRect(const Rect* theRect, Point thePt);

/* The library's own window calls. */
ZEB_API(void) ZEB_SetMinWinSize(short width, short height);
ZEB_API(void) ZEB_SetwPtrMinSize(WindowPtr theWindow, short width, short height);
ZEB_API(void) ZEB_SetWindowParent(WindowPtr theWindow, WindowPtr parent);
ZEB_API(void) ZEB_TopMainWnd(void);
/* Height in the high and width in the low 16 bits when the client size differs from the port
 * rectangle; 0 when equal or minimised (then *iconic is set). */
ZEB_API(long) ZEB_WindDiffSize(WindowPtr theWindow, Boolean* iconic);
/* MoveWindow by the outer frame's top-left instead of the content's. */
ZEB_API(void) ZEB_MoveWindow(WindowPtr theWindow, short h, short v, Boolean front);
/* Delivers any pending paint of the window now; true when an update is then pending. */
ZEB_API(Boolean) ZEB_CheckUpdateRgn(WindowPtr theWindow);
/* Fits a content rectangle (screen coordinates) to the frame window's client area (useFrame)
 * or to the desktop less the window frame. Rectangles above or left of -1000 stay as they are. */
ZEB_API(void) ZEB_CheckMaxWindowRect(Rect* rect, short useFrame);
/* With a window: its outer frame rectangle, relative to the Window Manager port, into rect
 * (and windowsRect when not null). Without: rect offset by the Window Manager port's
 * local-to-global offset. */
ZEB_API(void) ZEB_WindowLocation(WindowPtr theWindow, RECT* windowsRect, Rect* rect);
ZEB_API(void) ZEB_ClipRectChange(WindowPtr theWindow);

/* ---- The window-procedure glue: the application's window procedures call these ---- */
/* WM_PAINT: 1 for a Toolbox window (its update region now holds the area), 0 otherwise (paint
 * by default). */
ZEB_API(long) ZEB_EventUpdate(HWND hwnd);
/* WM_ACTIVATE, WM_MDIACTIVATE, WM_CHILDACTIVATE, WM_MOUSEACTIVATE: for WM_MOUSEACTIVATE the
 * value to return, else 0. */
ZEB_API(LRESULT) ZEB_EventActivate(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
/* WM_SYSCOMMAND: 1 when handled (return 0), 0 when the default procedure must run. */
ZEB_API(long) ZEB_SysCommand(short flag, HWND hwnd, WPARAM cmd);
/* WM_GETMINMAXINFO. The 2 and 4 forms answer non-zero when they filled the record. */
ZEB_API(long) ZEB_GetMinMaxInfo(HWND hwnd, MINMAXINFO* info);
ZEB_API(long) ZEB_GetMinMaxInfo2(HWND hwnd, MINMAXINFO* info, short minWidth, short minHeight);
ZEB_API(long) ZEB_GetMinMaxInfo4(HWND hwnd, MINMAXINFO* info, short minWidth, short minHeight,
                                 short maxWidth, short maxHeight);
/* WM_NCCALCSIZE, WM_NCPAINT, WM_NCACTIVATE, WM_NCLBUTTONDOWN: the value to return. */
ZEB_API(LRESULT) ZEB_NCMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
/* WM_ERASEBKGND, WM_MOVE, WM_SIZE, WM_HSCROLL, WM_VSCROLL: the value to return. */
ZEB_API(LRESULT) ZEB_WindChange(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
/* Any message for the MDI client: sent to it, its result returned. */
ZEB_API(LRESULT) ZEB_MDIMessage(UINT msg, WPARAM wParam, LPARAM lParam);
ZEB_API(short) ZEB_GetwPtr(HWND hwnd, WindowPtr* theWindow);
ZEB_API(HWND) ZEB_GethWnd(WindowPtr theWindow);
ZEB_API(WindowPtr) ZEB_FocusWindow(void);
/* Mode 0 marks the windows' regions stale; any other mode refreshes them from Windows. */
ZEB_API(void) ZEB_UpdateWindows(short mode);
ZEB_API(void) ZEB_FixupSystemMenu(HWND hwnd, short flags);
/* With set non-zero stores value (0 or WS_MAXIMIZE) as the style new MDI children get; with
 * set zero takes it from the active MDI child. Answers the state. */
ZEB_API(unsigned long) ZEB_MDIDefaultState(long set, unsigned long value);
ZEB_API(void) ZEB_GetCurHDCs(unsigned long* hdc, unsigned long* printerDC,
                             unsigned short* printing);
/* F1 released calls callback (no arguments) and is swallowed. One hook: enabling again only
 * replaces the callback. */
typedef void(ZEBAPI* ZEB_HelpProc)(void);
ZEB_API(void) ZEB_EnableHelpHook(ZEB_HelpProc callback);
ZEB_API(void) ZEB_DisableHelpHook(void);
ZEB_API(LRESULT) Z_HelpKeyHook(int code, WPARAM wParam, LPARAM lParam);
ZEB_EXTERN_C_END

#ifdef __cplusplus
/* In C++ the Toolbox spellings that Windows also uses are overloads of the shortened exports. */
inline void ShowWindow(WindowPtr theWindow) { ShowWindo(theWindow); }
inline void CloseWindow(WindowPtr theWindow) { CloseWindo(theWindow); }
inline void MoveWindow(WindowPtr theWindow, short hGlobal, short vGlobal, Boolean front) {
  MoveWindo(theWindow, hGlobal, vGlobal, front);
}
inline short FindWindow(Point thePoint, WindowPtr* theWindow) {
  return FindWindo(thePoint, theWindow);
}
#endif

/* ---- Entry points present without their manager's work ----
 * Windows draws the window frames, so there are no auxiliary window records: GetAuxWin reports
 * its call through DebugStr and answers false. */
typedef struct AuxWinRec AuxWinRec;
typedef AuxWinRec* AuxWinPtr;
typedef AuxWinPtr* AuxWinHandle;

ZEB_EXTERN_C_BEGIN
ZEB_API(Boolean) GetAuxWin(WindowPtr theWindow, AuxWinHandle* awHndl);
ZEB_EXTERN_C_END
/* ---- end of entry points present without their manager's work ---- */

/* CloseWindow, FindWindow, MoveWindow and ShowWindow are Windows functions too, exported here
 * with their last letter dropped. In C their Toolbox spellings name the shortened exports:
 * after this header a C unit reaches Windows' FindWindow only as FindWindowA or FindWindowW,
 * and Windows' CloseWindow, MoveWindow and ShowWindow not at all. */
#ifndef __cplusplus
#undef FindWindow
#define CloseWindow CloseWindo
#define FindWindow FindWindo
#define MoveWindow MoveWindo
#define ShowWindow ShowWindo
#endif

#endif /* ZEB_MACWINDOWS_H */

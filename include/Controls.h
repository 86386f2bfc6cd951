/*
 * Controls.h - the Control Manager: Toolbox controls shown by native Windows controls.
 */
#ifndef ZEB_CONTROLS_H
#define ZEB_CONTROLS_H

#include <stddef.h>

#include "MacTypes.h"
#include "Quickdraw.h"
#include "Menus.h"


/* Standard control definition IDs. */
enum {
  pushButProc = 0,
  checkBoxProc = 1,
  radioButProc = 2,
  useWFont = 8,
  scrollBarProc = 16,
  popupMenuProc = 1008
};

/* Variations of the pop-up menu control, added to popupMenuProc: popupFixedWidth keeps the
 * control's width; without it the box is sized to the menu's widest item. */
enum {
  popupFixedWidth = 1
};

/* Part codes. */
enum {
  inButton = 10,
  inCheckBox = 11,
  inUpButton = 20,
  inDownButton = 21,
  inPageUp = 22,
  inPageDown = 23,
  inThumb = 129
};

/* Messages to a control definition procedure. */
enum {
  drawCntl = 0,
  testCntl = 1,
  calcCRgns = 2,
  initCntl = 3,
  dispCntl = 4,
  posCntl = 5,
  thumbCntl = 6,
  dragCntl = 7,
  autoTrack = 8,
  calcCntlRgn = 10,
  calcThumbRgn = 11
};

typedef struct ControlRecord ControlRecord;
typedef ControlRecord* ControlPtr;
typedef ControlPtr* ControlHandle;

typedef void(ZEBAPI* ControlActionProcPtr)(ControlHandle theControl, short partCode);
typedef long(ZEBAPI* ControlDefProcPtr)(short varCode, ControlHandle theControl, short message,
                                        long param);

/* The Toolbox fields in their Toolbox order and natural alignment (offsets 0 to 40 in the 32-bit
 * product), then the library's own. The title holds at most 241 characters. */
struct ControlRecord {
  ControlHandle nextControl;
  GrafPtr contrlOwner;
  Rect contrlRect;
  unsigned char contrlVis;
  unsigned char contrlHilite;
  short contrlValue;
  short contrlMin;
  short contrlMax;
  Handle contrlDefProc; /* kind code of a standard control, or the definition's address */
  Handle contrlData;
  ProcPtr contrlAction; /* -1: the definition's own tracking */
  long contrlRfCon;     /* its low byte is the native control's identifier */
  Str255 contrlTitle;   /* only 242 bytes are used */
  /* The library's own fields. */
  MenuHandle zebPopupMenu;
  short zebOriginV;
  short zebOriginH;
  unsigned char zebCustom;
  unsigned char zebVariant;
  HWND zebWindow;
};

#if ZEB_LAYOUT_32
ZEB_ASSERT_OFFSET(ControlRecord, nextControl, 0);
ZEB_ASSERT_OFFSET(ControlRecord, contrlOwner, 4);
ZEB_ASSERT_OFFSET(ControlRecord, contrlRect, 8);
ZEB_ASSERT_OFFSET(ControlRecord, contrlVis, 16);
ZEB_ASSERT_OFFSET(ControlRecord, contrlHilite, 17);
ZEB_ASSERT_OFFSET(ControlRecord, contrlValue, 18);
ZEB_ASSERT_OFFSET(ControlRecord, contrlMin, 20);
ZEB_ASSERT_OFFSET(ControlRecord, contrlMax, 22);
ZEB_ASSERT_OFFSET(ControlRecord, contrlDefProc, 24);
ZEB_ASSERT_OFFSET(ControlRecord, contrlData, 28);
ZEB_ASSERT_OFFSET(ControlRecord, contrlAction, 32);
ZEB_ASSERT_OFFSET(ControlRecord, contrlRfCon, 36);
ZEB_ASSERT_OFFSET(ControlRecord, contrlTitle, 40);
#endif

/* ---- Entry points present without their manager's work ----
 * Controls are native Windows controls drawn in the system's colours, so control colour tables
 * have nothing to act on: each reports its call through DebugStr under its older name
 * (" GetAuxCtl", " SetCtlColor"); GetAuxiliaryControlRecord answers false. */
typedef struct AuxCtlRec AuxCtlRec;
typedef AuxCtlRec* AuxCtlPtr;
typedef AuxCtlPtr* AuxCtlHandle;
typedef struct CtlCTab CtlCTab;
typedef CtlCTab* CCTabPtr;
typedef CCTabPtr* CCTabHandle;

ZEB_EXTERN_C_BEGIN
ZEB_API(Boolean) GetAuxiliaryControlRecord(ControlHandle theControl, AuxCtlHandle* acHndl);
ZEB_API(void) SetControlColor(ControlHandle theControl, CCTabHandle newColorTable);
ZEB_EXTERN_C_END

#define GetAuxCtl(theControl, acHndl) GetAuxiliaryControlRecord(theControl, acHndl)
#define SetCtlColor(theControl, newColorTable) SetControlColor(theControl, newColorTable)
/* ---- end of entry points present without their manager's work ---- */

ZEB_EXTERN_C_BEGIN
ZEB_API(ControlHandle) NewControl(GrafPtr theWindow, const Rect* boundsRect,
                                  ConstStr255Param title, Boolean visible, short value, short min,
                                  short max, short procID, long refCon);
ZEB_API(ControlHandle) GetNewControl(short controlID, GrafPtr owner);
ZEB_API(void) DisposeControl(ControlHandle theControl);
ZEB_API(void) KillControls(GrafPtr theWindow);
ZEB_API(void) ShowControl(ControlHandle theControl);
ZEB_API(void) HideControl(ControlHandle theControl);
ZEB_API(void) DrawControls(GrafPtr theWindow);
ZEB_API(void) Draw1Control(ControlHandle theControl);
ZEB_API(void) UpdateControls(GrafPtr theWindow, RgnHandle updateRgn);
ZEB_API(void) HiliteControl(ControlHandle theControl, short hiliteState);
ZEB_API(void) MoveControl(ControlHandle theControl, short h, short v);
ZEB_API(void) SizeControl(ControlHandle theControl, short w, short h);
ZEB_API(void) SetControlValue(ControlHandle theControl, short theValue);
ZEB_API(short) GetControlValue(ControlHandle theControl);
ZEB_API(void) SetControlMinimum(ControlHandle theControl, short minValue);
ZEB_API(short) GetControlMinimum(ControlHandle theControl);
ZEB_API(void) SetControlMaximum(ControlHandle theControl, short maxValue);
ZEB_API(short) GetControlMaximum(ControlHandle theControl);
ZEB_API(short) GetControlVariant(ControlHandle theControl);
ZEB_API(void) SetControlReference(ControlHandle theControl, long data);
ZEB_API(long) GetControlReference(ControlHandle theControl);
ZEB_API(void) SetControlAction(ControlHandle theControl, ProcPtr actionProc);
ZEB_API(ProcPtr) GetControlAction(ControlHandle theControl);
ZEB_API(void) SetControlTitle(ControlHandle theControl, ConstStr255Param title);
ZEB_API(void) GetControlTitle(ControlHandle theControl, Str255 title);
ZEB_API(short) TestControl(ControlHandle theControl, Point thePt);
ZEB_API(short) FindControl(Point thePoint, GrafPtr theWindow,
                           ControlHandle* theControl);
ZEB_API(short) TrackControl(ControlHandle theControl, Point thePoint, ProcPtr actionProc);
ZEB_API(long) DragGrayRgn(RgnHandle theRgn, Point startPt, const Rect* limitRect,
                          const Rect* slopRect, short axis, ProcPtr actionProc);
ZEB_API(void) DrawGrowIcon(GrafPtr theWindow);

/* The library's own calls. */
ZEB_API(HWND) ZEB_ControlToHWND(ControlHandle theControl);
ZEB_API(void) ZEB_SetCtlFocus(ControlHandle theControl, Boolean focus);
ZEB_API(void) ZEB_SetWindowDefaultButton(ControlHandle theControl, Boolean on);
ZEB_API(void) ZEB_ContrlOwnerChange(ControlHandle theControl, GrafPtr theWindow);
ZEB_API(void) ZEB_SetScrollBarWH(short width, short height);
ZEB_API(LRESULT) Z_ButtonWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
ZEB_API(LRESULT) Z_ScrollBarWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
ZEB_API(LRESULT) Z_StaticWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
ZEB_API(LRESULT) Z_CDEFWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
ZEB_API(LRESULT) Z_UserItemWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
ZEB_EXTERN_C_END

/* Older names. */
#define SetCtlValue(theControl, theValue) SetControlValue(theControl, theValue)
#define GetCtlValue(theControl) GetControlValue(theControl)
#define SetCtlMin(theControl, minValue) SetControlMinimum(theControl, minValue)
#define GetCtlMin(theControl) GetControlMinimum(theControl)
#define SetCtlMax(theControl, maxValue) SetControlMaximum(theControl, maxValue)
#define GetCtlMax(theControl) GetControlMaximum(theControl)
#define SetCRefCon(theControl, data) SetControlReference(theControl, data)
#define GetCRefCon(theControl) GetControlReference(theControl)
#define SetCtlAction(theControl, actionProc) SetControlAction(theControl, actionProc)
#define GetCtlAction(theControl) GetControlAction(theControl)
#define SetCTitle(theControl, title) SetControlTitle(theControl, title)
#define GetCTitle(theControl, title) GetControlTitle(theControl, title)
#define GetCVariant(theControl) GetControlVariant(theControl)
#define DisposControl(theControl) DisposeControl(theControl)

#endif /* ZEB_CONTROLS_H */

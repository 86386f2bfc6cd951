/*
 * Dialogs.h - the Dialog Manager: dialogs and alerts whose items are native Windows controls,
 * with the windows, controls and edit records that dialogs are made of.
 */
#ifndef ZEB_DIALOGS_H
#define ZEB_DIALOGS_H

#include <stddef.h>

#include "Controls.h"
#include "Events.h"
#include "MacTypes.h"
#include "MacWindows.h"
#include "TextEdit.h"

/* Item types of an item list; itemDisable marks an item that reports no hits. */
enum {
  userItem = 0,
  ctrlItem = 4,
  btnCtrl = 0,
  chkCtrl = 1,
  radCtrl = 2,
  resCtrl = 3,
  statText = 8,
  editText = 16,
  iconItem = 32,
  picItem = 64,
  itemDisable = 128
};

/* Standard items and alert icons. */
enum { ok = 1, cancel = 2, stopIcon = 0, noteIcon = 1, cautionIcon = 2 };

/* AppendDITL methods: only overlayDITL is provided. */
enum { overlayDITL = 0, appendDITLRight = 1, appendDITLBottom = 2 };

typedef GrafPtr DialogPtr;
typedef Boolean(ZEBAPI* ModalFilterProcPtr)(DialogPtr theDialog, EventRecord* theEvent,
                                            short* itemHit);
typedef ModalFilterProcPtr ModalFilterUPP;
typedef void(ZEBAPI* UserItemProcPtr)(DialogPtr theDialog, short itemNo);
typedef void(ZEBAPI* SoundProcPtr)(short soundNumber);
typedef void(ZEBAPI* ResumeProcPtr)(void);
/* ZEB_PrepareModalWindow's character filter: true consumes the character message. */
typedef Boolean(ZEBAPI* ZEB_CharFilterProc)(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
/* Called with the button window and its identifier when a library button gains the focus. */
typedef void(ZEBAPI* ZEB_ButtonFocusHookProc)(HWND button, short id);

/* A window record followed by the Dialog Manager's fields (170 bytes in the 32-bit product);
 * callers may pass storage of this size to NewDialog and GetNewDialog. */
ZEB_PACK2_BEGIN
typedef struct DialogRecord {
  WindowRecord window;
  Handle items;   /* the dialog's own copy of its item list */
  TEHandle textH; /* shared by every edit item */
  short editField; /* current edit item - 1, -1 for none */
  short editOpen;  /* default item chosen explicitly, 0 for none */
  short aDefItem;  /* default item */
} DialogRecord;
ZEB_PACK2_END
typedef DialogRecord* DialogPeek;

ZEB_ASSERT_SIZE(DialogRecord, 170);
ZEB_ASSERT_OFFSET(DialogRecord, items, 156);
ZEB_ASSERT_OFFSET(DialogRecord, textH, 160);
ZEB_ASSERT_OFFSET(DialogRecord, editField, 164);
ZEB_ASSERT_OFFSET(DialogRecord, editOpen, 166);
ZEB_ASSERT_OFFSET(DialogRecord, aDefItem, 168);

/* The 'ALRT' template as loaded (byte order converted). */
ZEB_PACK2_BEGIN
typedef struct AlertTemplate {
  Rect boundsRect;
  short itemsID;
  unsigned short stages;
} AlertTemplate;
ZEB_PACK2_END

ZEB_EXTERN_C_BEGIN
ZEB_API(void) InitDialogs(ResumeProcPtr resumeProc);
ZEB_API(void) ErrorSound(SoundProcPtr soundProc);
ZEB_API(DialogPtr) NewDialog(void* dStorage, const Rect* boundsRect, ConstStr255Param title,
                             Boolean visible, short procID, WindowPtr behind, Boolean goAwayFlag,
                             long refCon, Handle items);
ZEB_API(DialogPtr) NewColorDialog(void* dStorage, const Rect* boundsRect, ConstStr255Param title,
                                  Boolean visible, short procID, WindowPtr behind,
                                  Boolean goAwayFlag, long refCon, Handle items);
ZEB_API(DialogPtr) GetNewDialog(short dialogID, void* dStorage, WindowPtr behind);
ZEB_API(void) CloseDialog(DialogPtr theDialog);
ZEB_API(void) DisposeDialog(DialogPtr theDialog);
ZEB_API(void) CouldDialog(short dialogID);
ZEB_API(void) FreeDialog(short dialogID);
ZEB_API(void) ParamText(ConstStr255Param param0, ConstStr255Param param1,
                        ConstStr255Param param2, ConstStr255Param param3);
ZEB_API(void) ModalDialog(ModalFilterProcPtr filterProc, short* itemHit);
ZEB_API(Boolean) IsDialogEvent(const EventRecord* theEvent);
ZEB_API(Boolean) DialogSelect(const EventRecord* theEvent, DialogPtr* theDialog, short* itemHit);
ZEB_API(void) DrawDialog(DialogPtr theDialog);
ZEB_API(void) UpdateDialog(DialogPtr theDialog, RgnHandle updateRgn);
ZEB_API(void) GetDialogItem(DialogPtr theDialog, short itemNo, short* itemType, Handle* item,
                            Rect* box);
ZEB_API(void) SetDialogItem(DialogPtr theDialog, short itemNo, short itemType, Handle item,
                            const Rect* box);
ZEB_API(void) HideDialogItem(DialogPtr theDialog, short itemNo);
ZEB_API(void) ShowDialogItem(DialogPtr theDialog, short itemNo);
ZEB_API(void) SelectDialogItemText(DialogPtr theDialog, short itemNo, short strtSel,
                                   short endSel);
ZEB_API(void) GetDialogItemText(Handle item, Str255 text);
ZEB_API(void) SetDialogItemText(Handle item, ConstStr255Param text);
ZEB_API(short) FindDialogItem(DialogPtr theDialog, Point thePt);
ZEB_API(void) DialogCut(DialogPtr theDialog);
ZEB_API(void) DialogCopy(DialogPtr theDialog);
ZEB_API(void) DialogPaste(DialogPtr theDialog);
ZEB_API(void) DialogDelete(DialogPtr theDialog);
ZEB_API(void) SetDialogFont(short fontNum);
ZEB_API(short) CountDITL(DialogPtr theDialog);
ZEB_API(void) AppendDITL(DialogPtr theDialog, Handle theHandle, short method);
ZEB_API(void) ShortenDITL(DialogPtr theDialog, short numberItems);
ZEB_API(OSErr) GetStdFilterProc(ModalFilterProcPtr* theProc);

ZEB_API(short) Alert(short alertID, ModalFilterProcPtr filterProc);
ZEB_API(short) StopAlert(short alertID, ModalFilterProcPtr filterProc);
ZEB_API(short) NoteAlert(short alertID, ModalFilterProcPtr filterProc);
ZEB_API(short) CautionAlert(short alertID, ModalFilterProcPtr filterProc);
ZEB_API(void) CouldAlert(short alertID);
ZEB_API(void) FreeAlert(short alertID);
ZEB_API(void) ResetAlertStage(void);

/* The library's own calls. */
ZEB_API(void) ZEB_SetBigIText(Handle item, const char* text, long length);
ZEB_API(void) ZEB_UpdateParamStr(DialogPtr theDialog, short n);
ZEB_API(void) ZEB_SetDlgTextFont(DialogPtr theDialog, short itemNo);
ZEB_API(Boolean) ZEB_IsComboBox(DialogPtr theDialog, short itemNo);
ZEB_API(void) ZEB_BuildComboBox(DialogPtr theDialog, short itemNo, MenuHandle menu,
                                short selected);
ZEB_API(short) ZEB_GetComboBoxSelect(DialogPtr theDialog, short itemNo);
ZEB_API(Boolean) ZEB_SetComboBoxSelect(DialogPtr theDialog, short itemNo, short n);
ZEB_API(Handle) ZEB_UseZEBDItems(DialogPtr theDialog, unsigned short resID);
ZEB_API(Boolean) ZEB_DialogWhiteBackground(WindowPtr theWindow);
ZEB_API(void) ZEB_AddDitlItems(DialogPtr theDialog, short previousCount);
ZEB_API(void) ZEB_ScaleDlgItemRect(short direction, Rect* rect);
ZEB_API(void) ZEB_ScaleDlgPoint(short direction, Point* pt);
ZEB_API(void) ZEB_ScaleDlgWindow(short direction, Rect* rect);
ZEB_API(void) ZEB_OffsetDlgItemRect(short direction, Rect* rect);
ZEB_API(LRESULT) ZEB_UserItem(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
ZEB_API(void) ZEB_MaintainTEFocus(TEHandle te);
ZEB_API(void) ZEB_PrepareModalWindow(WindowPtr theWindow, long* state, WindowPtr* previousModal,
                                     HWND* capture, ZEB_CharFilterProc charFilter);
ZEB_API(void) ZEB_CloseModalWindow(WindowPtr theWindow, long state, WindowPtr previousModal,
                                   HWND capture);
ZEB_API(void) ZEB_EnableWindows(WindowPtr theWindow, Boolean enable, Boolean includeSelf);
ZEB_API(void) ZEB_EnableWindowsEx(WindowPtr theWindow, Boolean enable, Boolean includeSelf,
                                  Boolean alsoFrame);
ZEB_API(void) ZEB_SetButtonFocusHookProc(ZEB_ButtonFocusHookProc proc);
ZEB_API(LRESULT) Z_EditWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
ZEB_API(LRESULT) Z_ComboBoxWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
ZEB_EXTERN_C_END

/* Older names. */
#define GetDItem(theDialog, itemNo, itemType, item, box) \
  GetDialogItem(theDialog, itemNo, itemType, item, box)
#define SetDItem(theDialog, itemNo, itemType, item, box) \
  SetDialogItem(theDialog, itemNo, itemType, item, box)
#define GetIText(item, text) GetDialogItemText(item, text)
#define SetIText(item, text) SetDialogItemText(item, text)
#define SelIText(theDialog, itemNo, strtSel, endSel) \
  SelectDialogItemText(theDialog, itemNo, strtSel, endSel)
#define HideDItem(theDialog, itemNo) HideDialogItem(theDialog, itemNo)
#define ShowDItem(theDialog, itemNo) ShowDialogItem(theDialog, itemNo)
#define FindDItem(theDialog, thePt) FindDialogItem(theDialog, thePt)
#define DisposDialog(theDialog) DisposeDialog(theDialog)
#define DlgCut(theDialog) DialogCut(theDialog)
#define DlgCopy(theDialog) DialogCopy(theDialog)
#define DlgPaste(theDialog) DialogPaste(theDialog)
#define DlgDelete(theDialog) DialogDelete(theDialog)
#define UpdtDialog(theDialog, updateRgn) UpdateDialog(theDialog, updateRgn)
#define SetDAFont(fontNum) SetDialogFont(fontNum)

#endif /* ZEB_DIALOGS_H */

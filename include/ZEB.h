/*
 * ZEB.h - the library's own extension calls: starting and ending a session, the session flags,
 * the system-value table, paths beside the application and the string helpers.
 *
 * windows.h is included first, so that the Windows renaming macros apply alike to every header
 * that follows.
 */
#ifndef ZEB_ZEB_H
#define ZEB_ZEB_H

#include <windows.h>

#include "MacMemory.h"
#include "MacTypes.h"
#include "OSUtils.h"
#include "Scrap.h"

/* Procedure-instance functions of the session record: every application callback that the
 * library stores goes through the first, and is released with the second, unless session flag
 * ZEB_SF_NOPROCINSTANCES is set. */
typedef FARPROC(WINAPI* ZEB_MakeProcInstanceProc)(FARPROC proc, HINSTANCE instance);
typedef void(WINAPI* ZEB_FreeProcInstanceProc)(FARPROC procInstance);

/* The record given to ZEB_InitSession. Natural alignment. The library reads and writes back
 * at most its first kZEBSessionRecSize bytes (88 in the 32-bit library), and never more than
 * the caller's own size field says, so a caller built against a shorter record keeps working. */
typedef struct ZEB_SessionRec {
  short size;                       /* bytes of the record that the caller supplies */
  long started;                     /* 1 on return from ZEB_InitSession */
  HINSTANCE instance;               /* the application's instance */
  HWND frameWindow;                 /* top-level window; null: no keyboard hook */
  HWND mdiClient;                   /* MDI client when flag ZEB_SF_MDI is set */
  unsigned long flags;              /* initial session flags; written back */
  HACCEL accelerators;              /* translated against the frame window; may be null */
  ZEB_MakeProcInstanceProc makeProcInstance;
  ZEB_FreeProcInstanceProc freeProcInstance;
  FARPROC scrapCallback;            /* private clipboard formats */
  FARPROC resourceConversionCallback; /* byte order of resource types the library doesn't know */
  const ResType* resourceTypeList;  /* zero-terminated list of the types the callback converts */
  const char* documentList;         /* command-line text naming documents to open or print */
  FARPROC printDialogHook;          /* hook for the Windows print dialog */
  const char* documentDirectory;    /* prefixed to document names that are not absolute */
  const char* mainClassName;        /* default "ZEBMainWndClass" */
  const char* childClassName;       /* default "ZEBSubWndClass" */
  const char* mdiChildClassName;    /* default "ZEBSubMDIWndClass" */
  const char* resourceFileName;     /* default "ZEBPORT.RSR" */
  const char* offscreenDriverName;  /* default "DIB" */
  FARPROC printSetupDialogHook;     /* hook for the print-setup dialog */
  const char* threeDBaseClassName;  /* default: the child class name */
} ZEB_SessionRec;
ZEB_ASSERT_OFFSET(ZEB_SessionRec, started, 4);
ZEB_ASSERT_OFFSET(ZEB_SessionRec, flags, 20);
ZEB_ASSERT_OFFSET(ZEB_SessionRec, resourceTypeList, 44);
ZEB_ASSERT_OFFSET(ZEB_SessionRec, mainClassName, 60);
ZEB_ASSERT_OFFSET(ZEB_SessionRec, threeDBaseClassName, 84);
ZEB_ASSERT_SIZE(ZEB_SessionRec, 88);

/* The record given to ZEB_InitGlobals: the address of the application's cell for each Toolbox
 * global. The library reads and writes the global through that address from then on. A null
 * address gets a private cell of the library, sized for its global. Natural alignment; at most
 * kZEBGlobalsRecSize bytes (240 in the 32-bit library) are read. */
typedef struct ZEB_GlobalsRec {
  short size;
  void* sfSaveDisk;        /* 1  short: Standard File save disk (negated volume reference) */
  void* curDirRecord;      /* 2  pointer: directory record of the current directory */
  void* curDirStore;       /* 3  long: Standard File current directory */
  void* mainDevice;        /* 4  GDHandle */
  void* deviceList;        /* 5  GDHandle */
  void* wMgrPort;          /* 6  GrafPtr */
  void* eventQueue;        /* 7  QHdr */
  void* mBarHeight;        /* 8  short */
  void* memErr;            /* 9  short */
  void* grayRgn;           /* 10 RgnHandle */
  void* windowList;        /* 11 WindowPtr */
  void* thePort;           /* 12 GrafPtr */
  void* white;             /* 13 Pattern */
  void* black;             /* 14 Pattern */
  void* gray;              /* 15 Pattern */
  void* ltGray;            /* 16 Pattern */
  void* dkGray;            /* 17 Pattern */
  void* arrow;             /* 18 Cursor */
  void* screenBits;        /* 19 BitMap */
  void* randSeed;          /* 20 long */
  void* scrapInfo;         /* 21 ScrapStuff */
  void* printErr;          /* 22 short */
  void* ticks;             /* 23 unsigned long */
  void* unused24;          /* 24-27 kept for the application */
  void* unused25;
  void* unused26;
  void* unused27;
  void* caretTime;         /* 28 long */
  void* curActivate;       /* 29 WindowPtr */
  void* hiliteMode;        /* 30 unsigned char */
  void* theGDevice;        /* 31 GDHandle */
  void* resErr;            /* 32 short */
  void* unused33;          /* 33 */
  void* hiliteRGB;         /* 34 RGBColor */
  void* mbState;           /* 35 unsigned char: 1 while the button is up */
  void* unused36;          /* 36-38 */
  void* unused37;
  void* unused38;
  void* fractEnable;       /* 39 unsigned char */
  void* fontWidthState;    /* 40 */
  void* theMenu;           /* 41 short */
  void* resumeProc;        /* 42 ProcPtr */
  void* sysEvtMask;        /* 43 short */
  void* doubleTime;        /* 44 long */
  void* theZone;           /* 45 THz */
  void* menuList;          /* 46 Handle */
  void* menuSetting;       /* 47 short */
  void* teScrpLength;      /* 48 long */
  void* teScrpHandle;      /* 49 Handle */
  void* resLoad;           /* 50 unsigned char */
  void* unused51;          /* 51-52 */
  void* unused52;
  void* curDeactive;       /* 53 WindowPtr */
  void* unused54;          /* 54 */
  void* teStylScrapSwitch; /* 55 short */
  void* teStylScrapHandle; /* 56 Handle */
  void* appParmHandle;     /* 57 Handle */
  void* popUpMenuState1;   /* 58-59 pop-up menu state */
  void* popUpMenuState2;
} ZEB_GlobalsRec;
ZEB_ASSERT_OFFSET(ZEB_GlobalsRec, sfSaveDisk, 4);
ZEB_ASSERT_OFFSET(ZEB_GlobalsRec, memErr, 36);
ZEB_ASSERT_OFFSET(ZEB_GlobalsRec, popUpMenuState2, 236);
ZEB_ASSERT_SIZE(ZEB_GlobalsRec, 240);

/* The Toolbox globals other than QuickDraw's, as an application may keep them: a Macintosh
 * holds them in low memory, where the application reads them through their accessor calls
 * (MemError, TickCount, ...). Each field has the name of its cell in ZEB_GlobalsRec. The
 * records behind the handles and pointers are named by their struct tags, so that this header
 * does without the QuickDraw and window headers. */
struct GDevice;
struct GrafPort;
struct Region;
typedef struct ZEB_SystemGlobals {
  short sfSaveDisk;
  void* curDirRecord;
  long curDirStore;
  struct GDevice** mainDevice;
  struct GDevice** deviceList;
  struct GrafPort* wMgrPort;
  QHdr eventQueue;
  short mBarHeight;
  short memErr;
  struct Region** grayRgn;
  struct GrafPort* windowList; /* WindowPtr */
  ScrapStuff scrapInfo;
  short printErr;
  unsigned long ticks;
  void* unused24; /* 24-27 kept for the application */
  void* unused25;
  void* unused26;
  void* unused27;
  long caretTime;
  struct GrafPort* curActivate; /* WindowPtr */
  unsigned char hiliteMode;
  struct GDevice** theGDevice;
  short resErr;
  long unused33;
  RGBColor hiliteRGB;
  unsigned char mbState;
  void* unused36;
  void* unused37;
  void* unused38;
  unsigned char fractEnable;
  long fontWidthState;
  short theMenu;
  ProcPtr resumeProc;
  short sysEvtMask;
  long doubleTime;
  THz theZone;
  Handle menuList;
  short menuSetting;
  long teScrpLength;
  Handle teScrpHandle;
  unsigned char resLoad;
  void* unused51;
  void* unused52;
  struct GrafPort* curDeactive; /* WindowPtr */
  void* unused54;
  short teStylScrapSwitch;
  Handle teStylScrapHandle;
  Handle appParmHandle;
  void* popUpMenuState1;
  void* popUpMenuState2;
} ZEB_SystemGlobals;

/* The byte limits of the two start-up records: 88 and 240 in the 32-bit library, the 64-bit
 * records' own sizes in the test build. */
enum {
  kZEBSessionRecSize = sizeof(ZEB_SessionRec),
  kZEBGlobalsRecSize = sizeof(ZEB_GlobalsRec),
  kZEBGlobalsCount = 59
};

/* Session flags (ZEB_SetFlags, first pair). */
enum {
  ZEB_SF_MDI = 0x1,                  /* application is an MDI frame */
  ZEB_SF_MNEMONICS = 0x2,            /* menu and item texts carry their own mnemonic markers */
  ZEB_SF_HEAPCHECK = 0x4,            /* the Memory Manager checks its arenas */
  ZEB_SF_SMALLBLOCKS = 0x8,          /* small blocks come from the Memory Manager's arenas */
  ZEB_SF_COPYBITSOPTION = 0x10,
  ZEB_SF_PRINT72DPI = 0x20,          /* print records in 72-dots-per-inch units */
  ZEB_SF_DIALOGSCALING = 0x40,
  ZEB_SF_DIGITFKEYS = 0x80,          /* digit key equivalents are function keys */
  ZEB_SF_USERITEMOFFSET = 0x100,
  ZEB_SF_NOPROCINSTANCES = 0x200,    /* callbacks are used as given */
  ZEB_SF_RIGHTCLICK = 0x400,         /* right click is an ordinary click */
  ZEB_SF_RIGHTCLICKCONTROL = 0x800,  /* right click is a click with Control */
  ZEB_SF_FILEOPENOPTION = 0x1000,
  ZEB_SF_MDIDEFAULTPOS = 0x2000,
  ZEB_SF_VOLUMEINFO = 0x4000,
  ZEB_SF_RESIDTOCALLBACK = 0x8000,   /* the resource ID goes to the byte-order callback */
  ZEB_SF_CATALOGINFO = 0x10000,
  ZEB_SF_SILENTDEBUG = 0x20000,      /* DebugStr and Debugger do nothing */
  ZEB_SF_FULLSCREENHEIGHT = 0x40000,
  ZEB_SF_CONTROLMOUSE = 0x80000,
  ZEB_SF_3DLOOK = 0x100000           /* 3D look for dialogs and controls; set after start-up */
};

/* Drawing and printing switches (ZEB_SetFlags, second pair). */
enum {
  ZEB_SW_NOFASTLINES = 0x0001,
  ZEB_SW_SINGLEPIXELPEN = 0x0002,
  ZEB_SW_PORTBITS = 0x0004,
  ZEB_SW_OFFSCREENDRAWING = 0x0008,
  ZEB_SW_PICTCOMMENTS = 0x0010,
  ZEB_SW_BANDING = 0x0020,
  ZEB_SW_BANDINFO = 0x0040,
  ZEB_SW_COLORICONS = 0x0080,
  ZEB_SW_OFFSCREEN = 0x0100,
  ZEB_SW_COPYBITS1 = 0x0200,
  ZEB_SW_COPYBITS2 = 0x0400,
  ZEB_SW_COPYBITS3 = 0x1000,
  ZEB_SW_CONTROLDRAWING = 0x2000,
  ZEB_SW_PALETTE = 0x4000,
  ZEB_SW_MODEEMULATION = 0x8000
};

/* ZEB_InitGlobals results. */
enum { ZEB_GLOBALS_OK = 0, ZEB_GLOBALS_OLD_WINDOWS = 1, ZEB_GLOBALS_NO_SESSION = 3 };

/* ZEB_SystemValue operations. */
enum { ZEB_SV_GET = 0, ZEB_SV_SET = 1 };

/* Sent to the frame window (wParam 0) when the heap checker finds damage: lParam is 0 for a
 * damaged arena, or the address of a handle record that no master block holds. */
#define ZEB_WM_HEAPDAMAGED (WM_USER + 2)

/* Sent to the frame window's own procedure by ExitToShell (wParam and lParam 0), before the
 * quit message is posted: the application saves and closes its documents. */
#define ZEB_WM_EXITTOSHELL (WM_USER + 1)

struct QDGlobals;
struct GrafPort;
struct EventRecord;

/* The message hook (ZEB_SetMessageHook): sees every Windows message the event calls' pump
 * retrieves; a zero result consumes it (neither translated nor dispatched). */
typedef BOOL(WINAPI* ZEB_MessageHookProc)(HWND hwnd, MSG* msg);
/* A replacement for the pump's PeekMessage (ZEB_SetPeekMessageProc), with its arguments and
 * result. */
typedef BOOL(WINAPI* ZEB_PeekMessageProc)(MSG* msg, HWND hwnd, UINT first, UINT last,
                                          UINT removal);

/* The clipboard procedure (the session record's scrapCallback): the application's conversions
 * between scrap types and clipboard formats. The library opens and closes the clipboard around
 * each call and never converts anything itself. Its arguments by operation:
 *   ZEB_SCRAP_GET (GetScrap, once per clipboard format in the clipboard's order): format; the
 *     current drawing context's DC; the destination handle; the scrap type asked for; the
 *     caller's offset (long*); the GetScrap result (long*), where the procedure stores the
 *     length it delivered or an error. Non-zero: this format answered, the enumeration ends.
 *   ZEB_SCRAP_PUT (PutScrap): format 0; the DC; destination 0; the scrap type; the source
 *     (const void*); a ZEB_PutScrapBlock*. Non-zero on success.
 *   ZEB_SCRAP_CHANGED (the clipboard changed outside the application; once per format): the
 *     format, all others 0. Non-zero ends the enumeration.
 *   ZEB_SCRAP_SUSPEND, ZEB_SCRAP_RESUME (the application loses or regains the foreground): the
 *     convert-clipboard bit (convertClipboardFlag when the clipboard changed meanwhile) as the
 *     format; the DC; the others 0. The result is not used.
 * Each argument is 32 bits in the 32-bit library; those carrying a DC, handle or pointer are
 * pointer-sized. */
typedef long(WINAPI* ZEB_ScrapProc)(long operation, long format, HDC dc, Handle destination,
                                    ResType scrapType, void* data, void* resultBlock);
enum {
  ZEB_SCRAP_GET = 0, ZEB_SCRAP_PUT = 1, ZEB_SCRAP_CHANGED = 2, ZEB_SCRAP_SUSPEND = 3,
  ZEB_SCRAP_RESUME = 4
};
/* PutScrap's arguments as one block, the last argument of ZEB_SCRAP_PUT. Natural alignment. */
typedef struct ZEB_PutScrapBlock {
  long length;
  ResType scrapType;
  const void* source;
} ZEB_PutScrapBlock;
ZEB_ASSERT_OFFSET(ZEB_PutScrapBlock, source, 8);
ZEB_ASSERT_SIZE(ZEB_PutScrapBlock, 12);

/* The dialog keyboard callback (ZEB_SetDlgKBHook), called by the keyboard hook for each key-down
 * typed into a native control of a Toolbox window: the Toolbox window, the control's
 * identifier, the key as a key event (not posted) and the control's kind. It returns
 * ZEB_KB_KEEP to keep the hook's routing, or ZEB_KB_ROUTE with ZEB_KB_FORWARD (the application
 * gets the key event) and ZEB_KB_TOCONTROL (the control still gets the key) as it wants. */
typedef long(WINAPI* ZEB_DlgKBHookProc)(struct GrafPort* window, short controlID,
                                        struct EventRecord* keyEvent, short controlKind);
enum { ZEB_KB_KEEP = 0, ZEB_KB_FORWARD = 0x1, ZEB_KB_TOCONTROL = 0x2, ZEB_KB_ROUTE = 0x100 };
/* Control kinds, told apart by window class. */
enum {
  ZEB_KB_OTHER = 0, ZEB_KB_EDIT = 1, ZEB_KB_MULTILINEEDIT = 2, ZEB_KB_COMBOBOX = 3,
  ZEB_KB_LISTBOX = 4
};

ZEB_EXTERN_C_BEGIN

ZEB_API(void) ZEB_InitSession(ZEB_SessionRec* rec);
ZEB_API(short) ZEB_InitGlobals(ZEB_GlobalsRec* rec);
/* Fills a record for ZEB_InitGlobals, size included, with the cells of an application's
 * QuickDraw globals (QDGlobals qd, Quickdraw.h) and of its other Toolbox globals. Either may be
 * NIL: those globals then live in cells of the library's own. An application writes
 *   QDGlobals qd;
 *   ZEB_GlobalsRec globals;
 *   ZEB_FillGlobalsRec(&globals, &qd, NIL);
 *   ZEB_InitGlobals(&globals);
 *   ...
 *   InitGraf(&qd.thePort);
 */
ZEB_API(void) ZEB_FillGlobalsRec(ZEB_GlobalsRec* rec, struct QDGlobals* qd,
                                 ZEB_SystemGlobals* sys);
ZEB_API(void) ZEB_ExitSession(void);
ZEB_API(unsigned long) ZEB_SetFlags(unsigned long mask, unsigned long value,
                                    unsigned long switchMask, unsigned long switchValue);
ZEB_API(void) ZEB_Set_MacWin(void* fileTypeTable, void* menuKeyTable);
ZEB_API(void) ZEB_InitColors(void);
ZEB_API(char*) ZEB_MakeAppPathName(char* dst, const char* name);
ZEB_API(void) ZEB_EndSession(unsigned long ending);
ZEB_API(unsigned long) ZEB_SystemValue(short op, short index, unsigned long value);
/* The frame window's report of a Windows settings change (WM_WININICHANGE's section name):
 * "intl" reloads the international settings and returns 4; other sections return 0. */
ZEB_API(short) ZEB_WinIniChange(const char* section);
ZEB_API(LRESULT) ThreeDDlgWndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

/* ---- The event loop ---- */
/* Runs the VBL tasks once, from the application's own timer. */
ZEB_API(void) ZEB_VBL_Interrupt(void);
/* Install (null removes) the pump's message hook and PeekMessage replacement. */
ZEB_API(void) ZEB_SetMessageHook(ZEB_MessageHookProc proc);
ZEB_API(void) ZEB_SetPeekMessageProc(ZEB_PeekMessageProc proc);
/* Whether the window's update region meets its visible region, once Windows has delivered its
 * pending paint; when not, the window's update is done with. ZEB_TestFocus with flag 0 only
 * tells. */
ZEB_API(Boolean) ZEB_TestUpdate(struct GrafPort* w);
ZEB_API(Boolean) ZEB_TestFocus(struct GrafPort* w, short flag);
/* Stores the playback switch and returns the previous value. */
ZEB_API(unsigned long) ZEB_PlayBack(unsigned long value);

/* ---- Input from the application's window procedures ----
 * Mouse messages (client and non-client button messages, WM_MOUSEMOVE, WM_SETCURSOR,
 * WM_NCHITTEST): returns what the window procedure returns. */
ZEB_API(LRESULT) ZEB_EventMouse(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
/* Keyboard messages: the kind of event posted (3 key-down, 4 key-up), or 0: the procedure then
 * runs its default handling. */
ZEB_API(short) ZEB_EventKey(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
/* WM_COMMAND from a control inside a Toolbox window. */
ZEB_API(void) ZEB_EventCommand(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
/* WM_ACTIVATEAPP: posts the suspend or resume event. */
ZEB_API(void) ZEB_ActivateApp(BOOL active);
/* The frame window's clipboard-viewer messages. The library joins the frame window to the
 * clipboard-viewer chain at ZEB_InitGlobals and leaves it at ZEB_ExitSession.
 * WM_DRAWCLIPBOARD: ZEB_DrawClipboard counts a change made by another program (scrapCount),
 * tells the clipboard procedure, and passes the message on to the next viewer; the procedure
 * then returns 0. WM_CHANGECBCHAIN: ZEB_ChangeClipboardChain(wParam, lParam) keeps the chain
 * whole and returns what the procedure returns (0). */
ZEB_API(void) ZEB_DrawClipboard(void);
ZEB_API(LRESULT) ZEB_ChangeClipboardChain(HWND removed, HWND next);
/* The mouse-capture count: raised (on) or lowered, capturing to the frame or to the Toolbox
 * window; ZEB_ForceCapture sets it and returns the previous count. */
ZEB_API(void) ZEB_SetCapture(BOOL on);
ZEB_API(void) ZEB_SetWinCapture(struct GrafPort* w, BOOL on);
ZEB_API(short) ZEB_ForceCapture(short count);
/* The keyboard hook: Z_DlgKeyHook is the procedure installed for the session's thread. */
ZEB_API(LRESULT) ZEB_DlgKeyHook(int code, WPARAM vk, LPARAM lParam);
ZEB_API(LRESULT) Z_DlgKeyHook(int code, WPARAM vk, LPARAM lParam);
ZEB_API(void) ZEB_SetDlgKBHook(ZEB_DlgKBHookProc proc);

/* Length-prefixed strings. */
ZEB_API(StringPtr) ZEB_CopyPtoP(ConstStr255Param src, StringPtr dst);
ZEB_API(char*) ZEB_CopyPtoC(ConstStr255Param src, char* dst);
ZEB_API(StringPtr) ZEB_CopyCtoP(const char* src, StringPtr dst);

/* Memory ceiling and host memory figures. */
ZEB_API(long) ZEB_SetMemoryLimits(long enable, long ceiling, long threshold, long maxBlocks);
ZEB_API(unsigned long) ZEB_ComputeMemorySize(unsigned long* totalPageFile,
                                             unsigned long* availPageFile,
                                             unsigned long* totalPhys, unsigned long* availPhys,
                                             unsigned long* heldByLibrary);
ZEB_API(short) ZEB_GetFreeSystemResources(short which);

ZEB_EXTERN_C_END

#endif /* ZEB_ZEB_H */

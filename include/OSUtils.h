/*
 * OSUtils.h - operating-system utilities: queues and their headers, the date and time.
 */
#ifndef ZEB_OSUTILS_H
#define ZEB_OSUTILS_H

#include "Errors.h"
#include "MacTypes.h"

ZEB_PACK2_BEGIN
typedef struct QElem {
  struct QElem* qLink;
  short qType;
  short qData[1];
} QElem;
typedef QElem* QElemPtr;

typedef struct QHdr {
  short qFlags;
  QElemPtr qHead;
  QElemPtr qTail;
} QHdr;
ZEB_PACK2_END
typedef QHdr* QHdrPtr;
ZEB_ASSERT_SIZE(QHdr, 10);
ZEB_ASSERT_OFFSET(QHdr, qHead, 2);

/* A vertical-retrace task (VInstall): while the mouse button is down, or at each
 * ZEB_VBL_Interrupt, a positive vblCount is counted down and vblAddr called when it reaches
 * zero; the task sets vblCount again to be called again. */
typedef void(ZEBAPI* VBLProcPtr)(void);
ZEB_PACK2_BEGIN
typedef struct VBLTask {
  QElemPtr qLink;
  short qType;
  VBLProcPtr vblAddr;
  short vblCount;
  short vblPhase;
} VBLTask;
ZEB_PACK2_END
typedef VBLTask* VBLTaskPtr;
ZEB_ASSERT_SIZE(VBLTask, 14);
ZEB_ASSERT_OFFSET(VBLTask, vblAddr, 6);
ZEB_ASSERT_OFFSET(VBLTask, vblCount, 10);

ZEB_EXTERN_C_BEGIN
/* 0, or vTypErr for a nil task. A task already installed stays where it is. The mouse is
 * captured while tasks are installed. */
ZEB_API(OSErr) VInstall(VBLTaskPtr vblTaskPtr);
/* 0, qErr when the task is not installed, vTypErr for a nil task. */
ZEB_API(OSErr) VRemove(VBLTaskPtr vblTaskPtr);
ZEB_EXTERN_C_END

/* A date and time, local time. dayOfWeek runs from 1 (Sunday) to 7 (Saturday). */
typedef struct DateTimeRec {
  short year;
  short month;
  short day;
  short hour;
  short minute;
  short second;
  short dayOfWeek;
} DateTimeRec;
ZEB_ASSERT_SIZE(DateTimeRec, 14);

ZEB_EXTERN_C_BEGIN
/* Times are seconds since midnight, 1 January 1904, local time. */
ZEB_API(void) SecondsToDate(unsigned long secs, DateTimeRec* d);
/* Years 1904 to 2040 and months 1 to 12 only; other fields may run over (day 32 of January is
 * 1 February). A date outside the unsigned 32-bit range of seconds gives 0. */
ZEB_API(void) DateToSeconds(const DateTimeRec* d, unsigned long* secs);
ZEB_API(void) GetDateTime(unsigned long* secs);
ZEB_API(OSErr) ReadDateTime(unsigned long* time);
ZEB_API(void) GetTime(DateTimeRec* d);
ZEB_EXTERN_C_END

/* The machine as SysEnvirons describes it. */
typedef struct SysEnvRec {
  short environsVersion;
  short machineType;
  short systemVersion;
  short processor;
  Boolean hasFPU;
  Boolean hasColorQD;
  short keyBoardType;
  short atDrvrVersNum;
  short sysVRefNum;
} SysEnvRec;
typedef SysEnvRec* SysEnvRecPtr;
ZEB_ASSERT_SIZE(SysEnvRec, 16);
ZEB_ASSERT_OFFSET(SysEnvRec, hasFPU, 8);
ZEB_ASSERT_OFFSET(SysEnvRec, sysVRefNum, 14);

/* A notification request. Only nmIcon is acted on: its first 32 bytes, a 16-by-16 small icon,
 * are shown in the frame window's caption until NMRemove. */
ZEB_PACK2_BEGIN
typedef struct NMRec {
  QElemPtr qLink;
  short qType;
  short nmFlags;
  long nmPrivate;
  short nmReserved;
  short nmMark;
  Handle nmIcon;
  Handle nmSound;
  StringPtr nmStr;
  ProcPtr nmResp;
  long nmRefCon;
} NMRec;
ZEB_PACK2_END
typedef NMRec* NMRecPtr;
ZEB_ASSERT_SIZE(NMRec, 36);
ZEB_ASSERT_OFFSET(NMRec, nmIcon, 16);
ZEB_ASSERT_OFFSET(NMRec, nmRefCon, 32);

/* Gestalt selectors the library answers. */
#define gestaltVersion ZEB_FOURCC('v', 'e', 'r', 's')
#define gestaltMachineType ZEB_FOURCC('m', 'a', 'c', 'h')
#define gestaltSystemVersion ZEB_FOURCC('s', 'y', 's', 'v')
#define gestaltProcessorType ZEB_FOURCC('p', 'r', 'o', 'c')
#define gestaltFPUType ZEB_FOURCC('f', 'p', 'u', ' ')
#define gestaltQuickdrawVersion ZEB_FOURCC('q', 'd', ' ', ' ')
#define gestaltKeyboardType ZEB_FOURCC('k', 'b', 'd', ' ')
#define gestaltAppleTalkVersion ZEB_FOURCC('a', 't', 'l', 'k')
#define gestaltHardwareAttr ZEB_FOURCC('h', 'd', 'w', 'r')
#define gestaltOSAttr ZEB_FOURCC('o', 's', ' ', ' ')
#define gestaltEventMgrVersion ZEB_FOURCC('e', 'v', 'n', 't')
#define gestaltEditionMgrAttr ZEB_FOURCC('e', 'd', 't', 'n')
#define gestaltHelpMgrAttr ZEB_FOURCC('h', 'e', 'l', 'p')
#define gestaltAliasMgrAttr ZEB_FOURCC('a', 'l', 'i', 's')
#define gestaltFindFolderAttr ZEB_FOURCC('f', 'o', 'l', 'd')
#define gestaltPopupAttr ZEB_FOURCC('p', 'o', 'p', '!')
#define gestaltFontMgrAttr ZEB_FOURCC('f', 'o', 'n', 't')
#define gestaltScriptMgrVersion ZEB_FOURCC('s', 'c', 'r', 'i')
#define gestaltTextEditVersion ZEB_FOURCC('t', 'e', ' ', ' ')

/* Trap types of the trap-address calls; the library keeps one table and ignores them. */
enum { OSTrap = 0, ToolTrap = 1 };

ZEB_EXTERN_C_BEGIN
/* The 27 patchable calls run through a table keyed by their trap words. For one of them the
 * address the exported call runs now (the library's own until replaced); for 0xAB03, 0x0060,
 * 0xA1AD and 0x008F the word itself, so that tests for those traps find them present; for any
 * other word 0xFFFFFFFF, the address of no code. */
ZEB_API(UniversalProcPtr) NGetTrapAddress(unsigned short trapNum, short tTyp);
ZEB_API(UniversalProcPtr) GetTrapAddress(unsigned short trapNum);
ZEB_API(UniversalProcPtr) GetToolboxTrapAddress(unsigned short trapNum);
/* Replaces a patchable call and answers the slot's new value (the trap word for a word outside
 * the table). Setting back an address GetTrapAddress answered restores it; nil restores the
 * library's own. */
ZEB_API(UniversalProcPtr) NSetTrapAddress(UniversalProcPtr trapAddr, unsigned short trapNum,
                                          short tTyp);
ZEB_API(UniversalProcPtr) SetTrapAddress(UniversalProcPtr trapAddr, unsigned short trapNum);

ZEB_API(OSErr) Gestalt(OSType selector, long* response);
ZEB_API(OSErr) SysEnvirons(short versionRequested, SysEnvRec* theWorld);
ZEB_API(void) Environs(short* rom, short* machine);
/* Waits numTicks ticks of 16 milliseconds; finalTicks receives the tick count at the end. */
ZEB_API(void) Delay(long numTicks, long* finalTicks);
ZEB_API(void) SysBeep(short duration);
ZEB_API(OSErr) NMInstall(NMRecPtr nmReqPtr);
ZEB_API(OSErr) NMRemove(NMRecPtr nmReqPtr);
/* There is no A5 world on Windows: both answer 0. */
ZEB_API(long) SetCurrentA5(void);
ZEB_API(long) SetA5(long newA5);
ZEB_EXTERN_C_END

/* ---- Entry points present without their manager's work ----
 * They exist so that a ported application links. Each reports its call through DebugStr and
 * returns the fixed result shown. */
ZEB_EXTERN_C_BEGIN
/* The host's clock is not set from an application: -1. */
ZEB_API(OSErr) SetDateTime(unsigned long time);

/* Calling a Pascal procedure through a pointer: the arguments, then the procedure pointer
 * last. Nothing is called; the result is 0 (false). The caller removes its own arguments. */
ZEB_VARIADIC_API(void, CallPascal);
ZEB_VARIADIC_API(Boolean, CallPascalB);
ZEB_VARIADIC_API(short, CallPascalW);
ZEB_VARIADIC_API(long, CallPascalL);
ZEB_EXTERN_C_END
/* ---- end of entry points present without their manager's work ---- */

#endif /* ZEB_OSUTILS_H */

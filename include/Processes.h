/*
 * Processes.h - the Process Manager.
 *
 * windows.h comes first: Windows 8 added a GetProcessInformation(HANDLE, ...) of its own, and
 * the Process Manager's call must be declared knowing whether that one is there.
 */
#ifndef ZEB_PROCESSES_H
#define ZEB_PROCESSES_H

#include <windows.h>

#include "MacTypes.h"
#include "Files.h"

/* The library knows no process but the application itself: its serial number has high word 0
 * and low word the application's instance handle. */
typedef struct ProcessSerialNumber {
  unsigned long highLongOfPSN;
  unsigned long lowLongOfPSN;
} ProcessSerialNumber;
typedef ProcessSerialNumber* ProcessSerialNumberPtr;
ZEB_ASSERT_SIZE(ProcessSerialNumber, 8);

enum { kNoProcess = 0, kSystemProcess = 1, kCurrentProcess = 2 };

/* LaunchApplication's parameter block (natural alignment). Only launchAppSpec is read: the
 * program is started with WinExec and never waited for. */
typedef unsigned short LaunchFlags;
typedef struct AppParameters AppParameters;
typedef AppParameters* AppParametersPtr;
typedef struct LaunchParamBlockRec {
  long reserved1;
  short reserved2;
  short launchBlockID;
  long launchEPBLength;
  short launchFileFlags;
  LaunchFlags launchControlFlags;
  FSSpecPtr launchAppSpec;
  ProcessSerialNumber launchProcessSN;
  long launchPreferredSize;
  long launchMinimumSize;
  long launchAvailableSize;
  AppParametersPtr launchAppParameters;
} LaunchParamBlockRec;
typedef LaunchParamBlockRec* LaunchPBPtr;
ZEB_ASSERT_OFFSET(LaunchParamBlockRec, launchAppSpec, 16);
ZEB_ASSERT_OFFSET(LaunchParamBlockRec, launchProcessSN, 20);
ZEB_ASSERT_OFFSET(LaunchParamBlockRec, launchAppParameters, 40);
ZEB_ASSERT_SIZE(LaunchParamBlockRec, 44);

enum { extendedBlock = 0x4C43, extendedBlockLen = 32 };
enum {
  launchContinue = 0x4000,
  launchNoFileFlags = 0x0800,
  launchUseMinimum = 0x0400,
  launchDontSwitch = 0x0200,
  launchInhibitDaemon = 0x0080
};

ZEB_EXTERN_C_BEGIN
/* GetCurrentProcess and GetFrontProcess give the application's number; GetNextProcess
 * answers procNotFound and leaves its argument alone. */
ZEB_API(OSErr) GetCurrentProces(ProcessSerialNumber* PSN);
ZEB_API(OSErr) GetFrontProcess(ProcessSerialNumber* PSN);
ZEB_API(OSErr) GetNextProcess(ProcessSerialNumber* PSN);
ZEB_API(OSErr) SameProcess(const ProcessSerialNumber* PSN1, const ProcessSerialNumber* PSN2,
                           Boolean* result);
/* 0 when Windows started the program; otherwise fnfErr, nsvErr, bdNamErr, memFullErr, or the
 * Windows failure code below 32. */
ZEB_API(OSErr) LaunchApplication(LaunchPBPtr LaunchParams);
ZEB_EXTERN_C_END

/* ---- Entry points present without their manager's work ----
 * Each reports its call through DebugStr. GetProcessInformation returns paramErr,
 * SetFrontProcess procNotFound. */
typedef struct ProcessInfoRec ProcessInfoRec;
typedef ProcessInfoRec* ProcessInfoRecPtr;

ZEB_EXTERN_C_BEGIN
ZEB_API(OSErr) SetFrontProcess(const ProcessSerialNumber* PSN);
#if defined(_WIN32_WINNT) && _WIN32_WINNT >= 0x0602 && !defined(ZEB_BUILDING_LIBRARY)
/* Both spellings resolve by their arguments: Windows' call through its declaration, the
 * Toolbox's through the inline overload below. */
OSErr ZEBAPI ZEB_ToolboxGetProcessInformation(const ProcessSerialNumber* PSN, ProcessInfoRec* info)
    ZEB_LINK_NAME(GetProcessInformation, 8);
#else
ZEB_API(OSErr) GetProcessInformation(const ProcessSerialNumber* PSN, ProcessInfoRec* info);
#endif
ZEB_EXTERN_C_END

#if defined(_WIN32_WINNT) && _WIN32_WINNT >= 0x0602 && !defined(ZEB_BUILDING_LIBRARY)
#ifdef __cplusplus
inline OSErr GetProcessInformation(const ProcessSerialNumber* PSN, ProcessInfoRec* info) {
  return ZEB_ToolboxGetProcessInformation(PSN, info);
}
#else
#define GetProcessInformation(PSN, info) ZEB_ToolboxGetProcessInformation(PSN, info)
#endif
#endif
/* ---- end of entry points present without their manager's work ---- */

/* GetCurrentProcess is a Windows function too, exported here as GetCurrentProces. In C++ both
 * spellings resolve by their arguments. In C the Toolbox spelling names that export, after
 * which a C unit no longer reaches Windows' GetCurrentProcess. */
#ifdef __cplusplus
inline OSErr GetCurrentProcess(ProcessSerialNumber* PSN) { return GetCurrentProces(PSN); }
#else
#define GetCurrentProcess GetCurrentProces
#endif

#endif /* ZEB_PROCESSES_H */

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

/* ---- Entry points present without their manager's work ----
 * The library knows no process but the application itself: each reports its call through
 * DebugStr. GetProcessInformation returns paramErr, SetFrontProcess procNotFound. */
typedef struct ProcessSerialNumber ProcessSerialNumber;
typedef ProcessSerialNumber* ProcessSerialNumberPtr;
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

/* GetCurrentProcess is a Windows function too, exported here as GetCurrentProces. In C the
 * Toolbox spelling names that export, after which a C unit no longer reaches Windows'
 * GetCurrentProcess. */
#ifndef __cplusplus
#define GetCurrentProcess GetCurrentProces
#endif

#endif /* ZEB_PROCESSES_H */

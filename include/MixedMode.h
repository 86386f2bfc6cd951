/*
 * MixedMode.h - routine descriptors as classic sources written for both processor families use
 * them. A Windows program has one kind of code, so a universal procedure pointer is the
 * procedure's own address: making one returns the procedure, disposing of one does nothing.
 * Each manager's header maps its New...Proc and Call...Proc names the same way.
 */
#ifndef ZEB_MIXEDMODE_H
#define ZEB_MIXEDMODE_H

#include "MacTypes.h"

typedef unsigned long ProcInfoType;
typedef signed char ISAType;
typedef void* UniversalProcPtr;
typedef UniversalProcPtr* UniversalProcHandle;

enum { kM68kISA = 0, kPowerPCISA = 1 };

#define NewRoutineDescriptor(theProc, theProcInfo, theISA) ((UniversalProcPtr)(theProc))
#define DisposeRoutineDescriptor(theProcPtr) ((void)(theProcPtr))

#endif /* ZEB_MIXEDMODE_H */

/*
 * MacMemory.h - the Memory Manager: handles, pointers and the application zone.
 *
 * A Handle points at a record whose first field is the master pointer, so code that
 * dereferences a handle twice works unchanged. Blocks never move unless they are resized; the
 * Toolbox's locking calls therefore have nothing to do and are macros here.
 */
#ifndef ZEB_MACMEMORY_H
#define ZEB_MACMEMORY_H

#include "Errors.h"
#include "MacTypes.h"

typedef long(ZEBAPI* GrowZoneProcPtr)(Size cbNeeded);
typedef GrowZoneProcPtr GrowZoneUPP;
typedef void(ZEBAPI* PurgeProcPtr)(Handle blockToPurge);

/* The application zone's header, as the Toolbox lays it out. Only moreMast (the number of
 * handle records in each new master-pointer block) is used by the library. */
ZEB_PACK2_BEGIN
typedef struct Zone {
  Ptr bkLim;
  Ptr purgePtr;
  Ptr hFstFree;
  long zcbFree;
  GrowZoneProcPtr gzProc;
  short moreMast;
  short flags;
  short cntRel;
  short maxRel;
  short cntNRel;
  SignedByte heapType;
  SignedByte unused;
  short cntEmpty;
  short cntHandles;
  long minCBFree;
  PurgeProcPtr purgeProc;
  Ptr sparePtr;
  Ptr allocPtr;
  short heapData;
} Zone;
ZEB_PACK2_END
typedef Zone* THz;
ZEB_ASSERT_OFFSET(Zone, moreMast, 20);
ZEB_ASSERT_OFFSET(Zone, minCBFree, 36);
ZEB_ASSERT_SIZE(Zone, 54);

/* HGetState / HSetState bits. */
enum { kHandleLockedMask = 0x80, kHandlePurgeableMask = 0x40, kHandleIsResourceMask = 0x20 };

ZEB_EXTERN_C_BEGIN

ZEB_API(Handle) NewHandle(Size byteCount);
ZEB_API(Handle) NewHandleSys(Size byteCount);
ZEB_API(Handle) NewHandleClear(Size byteCount);
ZEB_API(Handle) NewHandleSysClear(Size byteCount);
ZEB_API(Handle) NewEmptyHandle(void);
ZEB_API(void) DisposeHandle(Handle h);
ZEB_API(void) EmptyHandle(Handle h);
ZEB_API(Boolean) ReallocateHandle(Handle h, Size byteCount);
ZEB_API(Size) GetHandleSize(Handle h);
ZEB_API(Boolean) SetHandleSize(Handle h, Size newSize);
ZEB_API(SignedByte) HGetState(Handle h);
ZEB_API(void) HSetState(Handle h, SignedByte flags);
ZEB_API(void) HPurge(Handle h);
ZEB_API(void) HNoPurge(Handle h);
ZEB_API(void) HSetRBit(Handle h);
ZEB_API(void) HClrRBit(Handle h);
ZEB_API(void) HSetCBit(Handle h);
ZEB_API(Handle) RecoverHandle(Ptr p);
ZEB_API(THz) HandleZone(Handle h);
ZEB_API(THz) ApplicationZone(void);
ZEB_API(THz) GetZone(void);
ZEB_API(void) MoreMasters(void);

ZEB_API(Ptr) NewPtr(Size byteCount);
ZEB_API(Ptr) NewPtrSys(Size byteCount);
ZEB_API(Ptr) NewPtrClear(Size byteCount);
ZEB_API(Ptr) NewPtrSysClear(Size byteCount);
ZEB_API(void) DisposePtr(Ptr p);
ZEB_API(Size) GetPtrSize(Ptr p);
ZEB_API(Boolean) SetPtrSize(Ptr p, Size newSize);

ZEB_API(OSErr) HandToHand(Handle* theHndl);
ZEB_API(OSErr) PtrToHand(const void* srcPtr, Handle* dstHndl, long size);
ZEB_API(OSErr) PtrToXHand(const void* srcPtr, Handle dstHndl, long size);
ZEB_API(OSErr) HandAndHand(Handle hand1, Handle hand2);
ZEB_API(OSErr) PtrAndHand(const void* ptr1, Handle hand2, long size);
ZEB_API(void) BlockMove(const void* srcPtr, void* destPtr, Size byteCount);

ZEB_API(OSErr) MemError(void);
ZEB_API(long) FreeMem(void);
ZEB_API(Size) MaxBlock(void);
ZEB_API(void) PurgeSpace(long* total, long* contig);
ZEB_API(Size) CompactMem(Size cbNeeded);
ZEB_API(void) PurgeMem(Size cbNeeded);
ZEB_API(Size) MaxMem(Size* grow);
ZEB_API(Ptr) GetApplLimit(void);
ZEB_API(long) StackSpace(void);
ZEB_API(void) SetGrowZone(GrowZoneProcPtr growZone);
ZEB_API(Handle) TempNewHandle(Size logicalSize, OSErr* resultCode);
ZEB_API(OSErr) TempDisposeHandle(Handle h, OSErr* resultCode);
ZEB_API(void) InitZone(GrowZoneProcPtr pgrowZone, short cmoreMasters, void* limitPtr, void* startPtr);
ZEB_API(void) SetZone(THz hz);
ZEB_API(void) ReserveMem(Size cbNeeded);
ZEB_API(void) SetApplLimit(void* zoneLimit);
ZEB_API(void) MaxApplZone(void);

ZEB_EXTERN_C_END

/* ---- Entry points present without their manager's work ----
 * There is no system zone, no top of memory and no temporary memory apart from the application
 * zone: these report their call through DebugStr and return 0. Holding memory in physical
 * memory has nothing to do on Windows: HoldMemory and UnholdMemory return noErr silently. */
ZEB_EXTERN_C_BEGIN
ZEB_API(THz) SystemZone(void);
ZEB_API(Handle) GZSaveHnd(void);
ZEB_API(Ptr) TopMem(void);
ZEB_API(long) TempFreeMem(void);
ZEB_API(OSErr) HoldMemory(void* address, unsigned long count);
ZEB_API(OSErr) UnholdMemory(void* address, unsigned long count);
ZEB_EXTERN_C_END
/* ---- end of entry points present without their manager's work ---- */

/* Blocks with storage stay locked from creation to disposal: there is nothing to lock. */
#define HLock(h) ((void)(h))
#define HUnlock(h) ((void)(h))
#define HLockHi(h) ((void)(h))
#define MoveHHi(h) ((void)(h))

/* The older spellings that Macintosh sources still use. */
#define DisposHandle(h) DisposeHandle(h)
#define DisposPtr(p) DisposePtr(p)

/* BlockMoveData leaves the processor's instruction cache alone, which no host instruction
 * cache needs: it is BlockMove. */
#define BlockMoveData(srcPtr, destPtr, byteCount) BlockMove((srcPtr), (destPtr), (byteCount))

#endif /* ZEB_MACMEMORY_H */

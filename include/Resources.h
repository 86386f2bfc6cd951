/*
 * Resources.h - the Resource Manager.
 */
#ifndef ZEB_RESOURCES_H
#define ZEB_RESOURCES_H

#include "ZEB.h"

#include "Errors.h"
#include "Files.h"
#include "MacTypes.h"

/* Resource attributes (GetResAttrs, SetResAttrs), read and written back exactly as stored. */
enum {
  resSysRef = 0x80,
  resSysHeap = 0x40,
  resPurgeable = 0x20,
  resLocked = 0x10,
  resProtected = 0x08,
  resPreload = 0x04,
  resChanged = 0x02,
  resCompressed = 0x01  /* set by later system software on compressed data, which is never
                           byte-swapped */
};

/* Resource file attributes (GetResFileAttrs, SetResFileAttrs). */
enum { mapReadOnly = 0x80, mapCompact = 0x40, mapChanged = 0x20 };

/* Directions of the byte-order conversion. */
enum { ZEB_SWAP_TODISK = 0, ZEB_SWAP_FROMDISK = 1 };

/* A resource file's own conversion of the types the library does not know
 * (ZEB_SetSwapResourceProc). With session flag ZEB_SF_RESIDTOCALLBACK the resource ID comes
 * too: ZEB_SwapResourceIDProcPtr. */
typedef void(ZEBAPI* ZEB_SwapResourceProcPtr)(short direction, ResType type, long size, Ptr data);
typedef void(ZEBAPI* ZEB_SwapResourceIDProcPtr)(short direction, ResType type, short id,
                                                 long size, Ptr data);
/* The session record's conversion callback: index is the type's position in the session's
 * type list. */
typedef void(ZEBAPI* ZEB_SessionSwapProcPtr)(short direction, short index, long size, Ptr data);
typedef void(ZEBAPI* ZEB_SessionSwapIDProcPtr)(short direction, short index, short id,
                                                long size, Ptr data);

/* ZEB_CodeResource operations. */
enum {
  ZEB_CODE_REMOVE = 0,     /* release and clear every entry of that type and ID */
  ZEB_CODE_ADD = 1,        /* store (type, id, proc); returns the stored procedure, 0 when full */
  ZEB_CODE_CLEAR = 2,      /* clear every entry without releasing */
  ZEB_CODE_FIND = 3,       /* the procedure of that type and ID, or 0 */
  ZEB_CODE_RELEASE = 4,    /* as ZEB_CODE_REMOVE */
  ZEB_CODE_HOLDS = 5       /* proc when an entry of that type holds it, else 0 */
};

ZEB_EXTERN_C_BEGIN

/* Files and the chain. */
ZEB_API(short) InitResources(void);
ZEB_API(short) OpenResFile(ConstStr255Param fileName);
ZEB_API(short) OpenRFPerm(ConstStr255Param fileName, short vRefNum, SignedByte permission);
ZEB_API(short) HOpenResFile(short vRefNum, long dirID, ConstStr255Param fileName,
                            SignedByte permission);
ZEB_API(void) CreateResFile(ConstStr255Param fileName);
ZEB_API(void) HCreateResFile(short vRefNum, long dirID, ConstStr255Param fileName);
ZEB_API(void) CloseResFile(short refNum);
ZEB_API(short) UpdateResFile(short refNum); /* 1 when it wrote the file, 0 otherwise */
ZEB_API(void) UseResFile(short refNum);
ZEB_API(short) CurResFile(void);
ZEB_API(short) HomeResFile(Handle theResource);
ZEB_API(short) GetResFileAttrs(short refNum);
ZEB_API(void) SetResFileAttrs(short refNum, short attrs);
ZEB_API(void) SetResLoad(Boolean load);
ZEB_API(short) ResError(void);

/* Finding and loading. */
ZEB_API(Handle) GetResource(ResType theType, short theID);
ZEB_API(Handle) Get1Resource(ResType theType, short theID);
ZEB_API(Handle) RGetResource(ResType theType, short theID);
ZEB_API(Handle) GetIndResource(ResType theType, short index);
ZEB_API(Handle) Get1IndResource(ResType theType, short index);
ZEB_API(Handle) GetNamedResource(ResType theType, ConstStr255Param name);
ZEB_API(Handle) Get1NamedResource(ResType theType, ConstStr255Param name);
ZEB_API(short) CountResources(ResType theType);
ZEB_API(short) Count1Resources(ResType theType);
ZEB_API(short) CountTypes(void);
ZEB_API(short) Count1Types(void);
ZEB_API(void) GetIndType(ResType* theType, short index);
ZEB_API(void) Get1IndType(ResType* theType, short index);
ZEB_API(void) LoadResourc(Handle theResource);
ZEB_API(long) SizeRsrc(Handle theResource);
ZEB_API(long) GetResourceSizeOnDisk(Handle theResource);
ZEB_API(long) GetMaxResourceSize(Handle theResource);
ZEB_API(void) GetResInfo(Handle theResource, short* theID, ResType* theType, Str255 name);
ZEB_API(short) GetResAttrs(Handle theResource);
ZEB_API(void) SetResPurge(Boolean install);

/* Changing. */
ZEB_API(void) AddResource(Handle theData, ResType theType, short theID, ConstStr255Param name);
ZEB_API(void) ChangedResource(Handle theResource);
ZEB_API(void) RemoveResource(Handle theResource);
ZEB_API(void) WriteResource(Handle theResource);
ZEB_API(void) ReleaseResource(Handle theResource);
ZEB_API(void) DetachResource(Handle theResource);
ZEB_API(void) SetResInfo(Handle theResource, short theID, ConstStr255Param name);
ZEB_API(void) SetResAttrs(Handle theResource, short attrs);
ZEB_API(short) UniqueID(ResType theType);
ZEB_API(short) Unique1ID(ResType theType);

/* The library's own calls. */
ZEB_API(ZEB_SwapResourceProcPtr) ZEB_SetSwapResourceProc(short refNum,
                                                         ZEB_SwapResourceProcPtr proc);
ZEB_API(ProcPtr) ZEB_CodeResource(short op, ResType theType, short theID, ProcPtr proc);

/* Byte order: whole resources and single values. */
ZEB_API(void) ZEB_ByteSwap(short direction, ResType theType, short theID, long size, Ptr data);
ZEB_API(void) ZEB_ByteSwapWORD(void* p);
ZEB_API(void) ZEB_ByteSwapLONG(void* p);
ZEB_API(void) ZEB_ByteSwapRect(void* p);
ZEB_API(void) ZEB_ByteSwapWORDS(void* p, long byteCount);
ZEB_API(void) ZEB_ByteSwapLONGS(void* p, long byteCount);
ZEB_API(void) ZEB_ByteSwapFLOAT(void* p);
ZEB_API(void) ZEB_ByteSwapFLOATS(void* p, long byteCount);
ZEB_API(void) ZEB_ByteSwapDOUBLE(void* p);
ZEB_API(void) ZEB_ByteSwap881(void* p);
ZEB_API(void) ZEB_ByteSwapEXTENDED(void* p);
ZEB_API(void) ZEB_ByteSwapCLUT(short direction, void* table);
ZEB_API(unsigned short) ZEB_GetByteSwapWORD(const void* p);
ZEB_API(unsigned long) ZEB_GetByteSwapLONG(const void* p);
ZEB_API(void) ZEB_GetByteSwapRect(const void* src, Rect* dst);
ZEB_API(void) ZEB_ConvMRtoWR(const Rect* macRect, RECT* winRect);
ZEB_API(void) ZEB_ConvWRtoMR(const RECT* winRect, Rect* macRect);

ZEB_EXTERN_C_END

/* LoadResource is also a Windows function: the Toolbox spelling maps onto LoadResourc, in C++
 * as an overload, in C as a macro after which a C unit no longer reaches Windows'
 * LoadResource. */
#ifdef __cplusplus
inline void LoadResource(Handle theResource) { LoadResourc(theResource); }
#else
#define LoadResource LoadResourc
#endif

/* ---- Entry points present without their manager's work ----
 * They exist so that a ported application links; none of them does the Resource Manager's
 * work. Each reports its call through DebugStr; FSpOpenResFile returns -1, the reference
 * number of no file. */
ZEB_EXTERN_C_BEGIN
ZEB_API(void) SetResourceSize(Handle theResource, long newSize);
ZEB_API(void) ReadPartialResource(Handle theResource, long offset, void* buffer, long count);
ZEB_API(void) WritePartialResource(Handle theResource, long offset, const void* buffer,
                                   long count);
ZEB_API(short) FSpOpenResFile(const FSSpec* fileSpec, SignedByte permission);
ZEB_API(void) FSpCreateResFile(const FSSpec* fileSpec, OSType creator, OSType fileType,
                               ScriptCode scriptTag);
ZEB_EXTERN_C_END
/* ---- end of entry points present without their manager's work ---- */

#endif /* ZEB_RESOURCES_H */

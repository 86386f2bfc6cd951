/*
 * Files.h - the File Manager: volumes, directories, files and their parameter blocks.
 */
#ifndef ZEB_FILES_H
#define ZEB_FILES_H

#include "MacTypes.h"
#include "OSUtils.h"

/* ---- Entry points present without their manager's work ----
 * They exist so that a ported application links; none of them does the File Manager's work.
 * Each reports its call through DebugStr and returns the fixed result shown. A parameter-block
 * call also leaves that result in the block's ioResult, where asynchronous callers look. */
typedef struct FSSpec FSSpec;
typedef FSSpec* FSSpecPtr;
typedef FSSpecPtr FSSpecArrayPtr;
typedef struct FInfo FInfo;
typedef union ParamBlockRec ParamBlockRec;
typedef ParamBlockRec* ParmBlkPtr;
typedef union HParamBlockRec HParamBlockRec;
typedef HParamBlockRec* HParmBlkPtr;
typedef union CInfoPBRec CInfoPBRec;
typedef CInfoPBRec* CInfoPBPtr;
typedef struct CMovePBRec CMovePBRec;
typedef CMovePBRec* CMovePBPtr;
typedef struct DTPBRec DTPBRec;
typedef DTPBRec* DTPBPtr;
typedef struct CSParam CSParam;
typedef CSParam* CSParamPtr;

ZEB_EXTERN_C_BEGIN
/* Resource forks are reached through the Resource Manager, not opened as files: -36. */
ZEB_API(OSErr) OpenRF(ConstStr255Param fileName, short vRefNum, short* refNum);
ZEB_API(OSErr) PBOpenRF(ParmBlkPtr paramBlock, Boolean async);
ZEB_API(OSErr) SetFInfo(ConstStr255Param fileName, short vRefNum, const FInfo* fndrInfo);
/* The rest: -1. */
ZEB_API(OSErr) HOpenRF(short vRefNum, long dirID, ConstStr255Param fileName, SignedByte permission,
                       short* refNum);
ZEB_API(OSErr) PBHOpenRF(HParmBlkPtr paramBlock, Boolean async);
ZEB_API(OSErr) PBHOpenDeny(HParmBlkPtr paramBlock, Boolean async);
ZEB_API(OSErr) PBHSetFLock(HParmBlkPtr paramBlock, Boolean async);
ZEB_API(OSErr) PBHRstFLock(HParmBlkPtr paramBlock, Boolean async);
ZEB_API(OSErr) PBLockRange(ParmBlkPtr paramBlock, Boolean async);
ZEB_API(OSErr) PBUnlockRange(ParmBlkPtr paramBlock, Boolean async);
ZEB_API(OSErr) FSpSetFInfo(const FSSpec* spec, const FInfo* fndrInfo);
ZEB_API(OSErr) PBCatMove(CMovePBPtr paramBlock, Boolean async);
ZEB_API(OSErr) PBCatSearch(CSParamPtr paramBlock, Boolean async);
ZEB_API(OSErr) PBSetCatInfoSync(CInfoPBPtr paramBlock);
ZEB_API(OSErr) PBDTGetPath(DTPBPtr paramBlock);
ZEB_API(OSErr) PBDTGetAPPL(DTPBPtr paramBlock, Boolean async);
ZEB_API(OSErr) PBDTGetAPPLSync(DTPBPtr paramBlock);
ZEB_API(OSErr) PBDTGetIcon(DTPBPtr paramBlock, Boolean async);
/* The low-memory queues do not exist: NIL. */
ZEB_API(QHdrPtr) GetDrvQHdr(void);
ZEB_API(QHdrPtr) GetVCBQHdr(void);
ZEB_EXTERN_C_END
/* ---- end of entry points present without their manager's work ---- */

#endif /* ZEB_FILES_H */

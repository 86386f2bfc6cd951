/*
 * Files.h - the File Manager on the Windows file system: volumes, directories, working
 * directories, files, the parameter-block calls, FSSpec calls and the file-handle layer.
 *
 * Volumes are drives (volume k has reference number -k: A: is -1, B: is -2, the first hard disk
 * usually -3); directories are host directories known by path; Macintosh names are host names as
 * they are. There are no resource forks and no Finder information on the host: a file's type
 * comes from its extension through the table given with ZEB_Set_MacWin, its creator is '????'.
 *
 * Parameter blocks keep the Toolbox field order with natural alignment. Every call completes
 * before it returns, whatever its async argument says; its result is also in ioResult.
 */
#ifndef ZEB_FILES_H
#define ZEB_FILES_H

#include "MacTypes.h"
#include "Errors.h"
#include "OSUtils.h"

/* Open permissions. */
enum { fsCurPerm = 0, fsRdPerm = 1, fsWrPerm = 2, fsRdWrPerm = 3, fsRdWrShPerm = 4 };

/* Positioning modes (ioPosMode, SetFPos). Bit 7 asks for newline mode, with the newline
 * character in the high byte. */
enum { fsAtMark = 0, fsFromStart = 1, fsFromLEOF = 2, fsFromMark = 3, kNewLineMode = 0x80 };

/* Directory IDs of the root and of the root's parent. */
enum { fsRtParID = 1, fsRtDirID = 2 };

/* ioFlAttrib bits. */
enum { kioFlAttribLockedMask = 0x01, kioFlAttribDirMask = 0x10, kioFlAttribFileOpenMask = 0x80 };

/* The creator of every host file, and the procID of every working directory. */
#define kZEBUnknownCreator ZEB_FOURCC('?', '?', '?', '?')
#define kZEBWorkingDirProcID ZEB_FOURCC('Z', 'E', 'B', ' ')

ZEB_PACK2_BEGIN
typedef struct FInfo {
  OSType fdType;
  OSType fdCreator;
  unsigned short fdFlags;
  Point fdLocation;
  short fdFldr;
} FInfo;

typedef struct FXInfo {
  short fdIconID;
  short fdUnused[3];
  SignedByte fdScript;
  SignedByte fdXFlags;
  short fdComment;
  long fdPutAway;
} FXInfo;

typedef struct DInfo {
  Rect frRect;
  unsigned short frFlags;
  Point frLocation;
  short frView;
} DInfo;

typedef struct DXInfo {
  Point frScroll;
  long frOpenChain;
  SignedByte frScript;
  SignedByte frXFlags;
  short frComment;
  long frPutAway;
} DXInfo;
ZEB_PACK2_END
ZEB_ASSERT_SIZE(FInfo, 16);
ZEB_ASSERT_SIZE(FXInfo, 16);
ZEB_ASSERT_SIZE(DInfo, 16);
ZEB_ASSERT_SIZE(DXInfo, 16);

/* An FSSpec names a file: natural alignment, so parID follows two bytes of padding. */
typedef struct FSSpec {
  short vRefNum;
  long parID;
  Str63 name;
} FSSpec;
typedef FSSpec* FSSpecPtr;
ZEB_ASSERT_OFFSET(FSSpec, parID, 4);
ZEB_ASSERT_OFFSET(FSSpec, name, 8);
ZEB_ASSERT_SIZE(FSSpec, 72);

typedef void* IOCompletionUPP;

#define ZEB_PARAM_BLOCK_HEADER \
  QElemPtr qLink;              \
  short qType;                 \
  short ioTrap;                \
  Ptr ioCmdAddr;               \
  IOCompletionUPP ioCompletion; \
  OSErr ioResult;              \
  StringPtr ioNamePtr;         \
  short ioVRefNum

typedef struct IOParam {
  ZEB_PARAM_BLOCK_HEADER;
  short ioRefNum;
  SignedByte ioVersNum;
  SignedByte ioPermssn;
  Ptr ioMisc;        /* new name (rename); logical end of file (GetEOF, SetEOF) */
  Ptr ioBuffer;
  long ioReqCount;
  long ioActCount;
  short ioPosMode;
  long ioPosOffset;
} IOParam;

typedef struct FileParam {
  ZEB_PARAM_BLOCK_HEADER;
  short ioFRefNum;
  SignedByte ioFVersNum;
  SignedByte filler1;
  short ioFDirIndex;
  SignedByte ioFlAttrib;
  SignedByte ioFlVersNum;
  FInfo ioFlFndrInfo;
  unsigned long ioFlNum;
  unsigned short ioFlStBlk;
  long ioFlLgLen;
  long ioFlPyLen;
  unsigned short ioFlRStBlk;
  long ioFlRLgLen;
  long ioFlRPyLen;
  unsigned long ioFlCrDat;
  unsigned long ioFlMdDat;
} FileParam;

typedef struct VolumeParam {
  ZEB_PARAM_BLOCK_HEADER;
  long filler2;
  short ioVolIndex;
  unsigned long ioVCrDate;
  unsigned long ioVLsBkUp;
  unsigned short ioVAtrb;
  unsigned short ioVNmFls;
  unsigned short ioVDirSt;
  short ioVBlLn;
  unsigned short ioVNmAlBlks;
  long ioVAlBlkSiz;
  long ioVClpSiz;
  unsigned short ioAlBlSt;
  unsigned long ioVNxtFNum;
  unsigned short ioVFrBlk;
} VolumeParam;

typedef struct CntrlParam {
  ZEB_PARAM_BLOCK_HEADER;
  short ioCRefNum;
  short csCode;
  short csParam[11];
} CntrlParam;

typedef union ParamBlockRec {
  IOParam ioParam;
  FileParam fileParam;
  VolumeParam volumeParam;
  CntrlParam cntrlParam;
} ParamBlockRec;
typedef ParamBlockRec* ParmBlkPtr;

typedef struct HFileParam {
  ZEB_PARAM_BLOCK_HEADER;
  short ioFRefNum;
  SignedByte ioFVersNum;
  SignedByte filler1;
  short ioFDirIndex;
  SignedByte ioFlAttrib;
  SignedByte ioFlVersNum;
  FInfo ioFlFndrInfo;
  long ioDirID;
  unsigned short ioFlStBlk;
  long ioFlLgLen;
  long ioFlPyLen;
  unsigned short ioFlRStBlk;
  long ioFlRLgLen;
  long ioFlRPyLen;
  unsigned long ioFlCrDat;
  unsigned long ioFlMdDat;
} HFileParam;

typedef struct HVolumeParam {
  ZEB_PARAM_BLOCK_HEADER;
  long filler2;
  short ioVolIndex;
  unsigned long ioVCrDate;
  unsigned long ioVLsMod;
  short ioVAtrb;
  unsigned short ioVNmFls;
  unsigned short ioVBitMap;
  unsigned short ioAllocPtr;
  unsigned short ioVNmAlBlks;
  long ioVAlBlkSiz;
  long ioVClpSiz;
  unsigned short ioAlBlSt;
  long ioVNxtCNID;
  unsigned short ioVFrBlk;
  unsigned short ioVSigWord;
  short ioVDrvInfo;
  short ioVDRefNum;
  short ioVFSID;
  unsigned long ioVBkUp;
  unsigned short ioVSeqNum;
  long ioVWrCnt;
  long ioVFilCnt;
  long ioVDirCnt;
  long ioVFndrInfo[8];
} HVolumeParam;

typedef struct WDParam {
  ZEB_PARAM_BLOCK_HEADER;
  short filler1;
  short ioWDIndex;
  long ioWDProcID;
  short ioWDVRefNum;
  short filler2[7];
  long ioWDDirID;
} WDParam;

typedef union HParamBlockRec {
  IOParam ioParam;
  HFileParam fileParam;
  HVolumeParam volumeParam;
  WDParam wdParam;
} HParamBlockRec;
typedef HParamBlockRec* HParmBlkPtr;

typedef struct WDPBRec {
  ZEB_PARAM_BLOCK_HEADER;
  short filler1;
  short ioWDIndex;
  long ioWDProcID;
  short ioWDVRefNum;
  short filler2[7];
  long ioWDDirID;
} WDPBRec;
typedef WDPBRec* WDPBPtr;

typedef struct HFileInfo {
  ZEB_PARAM_BLOCK_HEADER;
  short ioFRefNum;
  SignedByte ioFVersNum;
  SignedByte filler1;
  short ioFDirIndex;
  SignedByte ioFlAttrib;
  SignedByte ioACUser;
  FInfo ioFlFndrInfo;
  long ioDirID;
  unsigned short ioFlStBlk;
  long ioFlLgLen;
  long ioFlPyLen;
  unsigned short ioFlRStBlk;
  long ioFlRLgLen;
  long ioFlRPyLen;
  unsigned long ioFlCrDat;
  unsigned long ioFlMdDat;
  unsigned long ioFlBkDat;
  FXInfo ioFlXFndrInfo;
  long ioFlParID;
  long ioFlClpSiz;
} HFileInfo;

typedef struct DirInfo {
  ZEB_PARAM_BLOCK_HEADER;
  short ioFRefNum;
  SignedByte ioFVersNum;
  SignedByte filler1;
  short ioFDirIndex;
  SignedByte ioFlAttrib;
  SignedByte ioACUser;
  DInfo ioDrUsrWds;
  long ioDrDirID;
  unsigned short ioDrNmFls;
  short filler3[9];
  unsigned long ioDrCrDat;
  unsigned long ioDrMdDat;
  unsigned long ioDrBkDat;
  DXInfo ioDrFndrInfo;
  long ioDrParID;
} DirInfo;

typedef union CInfoPBRec {
  HFileInfo hFileInfo;
  DirInfo dirInfo;
} CInfoPBRec;
typedef CInfoPBRec* CInfoPBPtr;

typedef struct FCBPBRec {
  ZEB_PARAM_BLOCK_HEADER;
  short ioRefNum;
  short filler;
  short ioFCBIndx;
  short filler1;
  long ioFCBFlNm;
  short ioFCBFlags;
  unsigned short ioFCBStBlk;
  long ioFCBEOF;
  long ioFCBPLen;
  long ioFCBCrPs;
  short ioFCBVRefNum;
  long ioFCBClpSiz;
  long ioFCBParID;
} FCBPBRec;
typedef FCBPBRec* FCBPBPtr;

/* The buffer of PBHGetVolParms: only the version is set (1). */
typedef struct GetVolParmsInfoBuffer {
  short vMVersion;
  long vMAttrib;
  Handle vMLocalHand;
  long vMServerAdr;
  long vMVolumeGrade;
  short vMForeignPrivID;
} GetVolParmsInfoBuffer;

/* Natural alignment: the file and directory forms of a catalog record part after ioDrDirID,
 * so a directory is described in the DirInfo fields and a file in the HFileInfo fields. */
ZEB_ASSERT_SIZE(QElemPtr, 4);
ZEB_ASSERT_OFFSET(IOParam, ioResult, 16);
ZEB_ASSERT_OFFSET(IOParam, ioNamePtr, 20);
ZEB_ASSERT_OFFSET(IOParam, ioRefNum, 26);
ZEB_ASSERT_OFFSET(IOParam, ioMisc, 32);
ZEB_ASSERT_OFFSET(IOParam, ioPosOffset, 52);
ZEB_ASSERT_OFFSET(HFileInfo, ioDirID, 52);
ZEB_ASSERT_OFFSET(DirInfo, ioDrDirID, 52);
ZEB_ASSERT_OFFSET(HFileInfo, ioFlCrDat, 80);
ZEB_ASSERT_OFFSET(HFileInfo, ioFlParID, 108);
ZEB_ASSERT_OFFSET(DirInfo, ioDrMdDat, 80);
ZEB_ASSERT_OFFSET(DirInfo, ioDrParID, 104);
ZEB_ASSERT_OFFSET(WDPBRec, ioWDDirID, 52);
ZEB_ASSERT_SIZE(GetVolParmsInfoBuffer, 24);

ZEB_EXTERN_C_BEGIN

/* High-level calls. */
ZEB_API(OSErr) FSOpen(ConstStr255Param fileName, short vRefNum, short* refNum);
ZEB_API(OSErr) HOpen(short vRefNum, long dirID, ConstStr255Param fileName, SignedByte permission,
                     short* refNum);
ZEB_API(OSErr) HOpenDF(short vRefNum, long dirID, ConstStr255Param fileName,
                       SignedByte permission, short* refNum);
/* A negative reference number -6..-9 names a serial driver (Devices.h): the transfer goes to
 * its port and a failure returns the Windows error number. */
ZEB_API(OSErr) FSRead(short refNum, long* count, void* buffPtr);
ZEB_API(OSErr) FSWrite(short refNum, long* count, const void* buffPtr);
ZEB_API(OSErr) FSClose(short refNum);
ZEB_API(OSErr) GetFPos(short refNum, long* filePos);
ZEB_API(OSErr) SetFPos(short refNum, short posMode, long posOff);
ZEB_API(OSErr) GetEOF(short refNum, long* logEOF);
ZEB_API(OSErr) SetEOF(short refNum, long logEOF);
ZEB_API(OSErr) Allocate(short refNum, long* count);
ZEB_API(OSErr) Create(ConstStr255Param fileName, short vRefNum, OSType creator, OSType fileType);
ZEB_API(OSErr) HCreate(short vRefNum, long dirID, ConstStr255Param fileName, OSType creator,
                       OSType fileType);
ZEB_API(OSErr) FSDelete(ConstStr255Param fileName, short vRefNum);
ZEB_API(OSErr) HDelete(short vRefNum, long dirID, ConstStr255Param fileName);
ZEB_API(OSErr) Rename(ConstStr255Param oldName, short vRefNum, ConstStr255Param newName);
ZEB_API(OSErr) HRename(short vRefNum, long dirID, ConstStr255Param oldName,
                       ConstStr255Param newName);
ZEB_API(OSErr) GetFInfo(ConstStr255Param fileName, short vRefNum, FInfo* fndrInfo);
ZEB_API(OSErr) HGetFInfo(short vRefNum, long dirID, ConstStr255Param fileName, FInfo* fndrInfo);
ZEB_API(OSErr) GetVol(StringPtr volName, short* vRefNum);
ZEB_API(OSErr) SetVol(ConstStr63Param volName, short vRefNum);
ZEB_API(OSErr) HGetVol(StringPtr volName, short* vRefNum, long* dirID);
ZEB_API(OSErr) HSetVol(ConstStr63Param volName, short vRefNum, long dirID);
ZEB_API(OSErr) FlushVol(ConstStr63Param volName, short vRefNum);
ZEB_API(OSErr) DirCreate(short vRefNum, long parentDirID, ConstStr255Param directoryName,
                         long* createdDirID);
ZEB_API(OSErr) GetVInfo(short drvNum, StringPtr volName, short* vRefNum, long* freeBytes);
ZEB_API(OSErr) GetVRefNum(short fileRefNum, short* vRefNum);
ZEB_API(OSErr) GetWDInfo(short wdRefNum, short* vRefNum, long* dirID, long* procID);
ZEB_API(OSErr) OpenWD(short vRefNum, long dirID, long procID, short* wdRefNum);
ZEB_API(OSErr) CloseWD(short wdRefNum);

/* FSSpec calls. */
ZEB_API(OSErr) FSMakeFSSpec(short vRefNum, long dirID, ConstStr255Param fileName, FSSpec* fileSpec);
ZEB_API(OSErr) FSpOpenDF(const FSSpec* fileSpec, SignedByte permission, short* refNum);
ZEB_API(OSErr) FSpCreate(const FSSpec* fileSpec, OSType creator, OSType fileType,
                         ScriptCode scriptTag);
ZEB_API(OSErr) FSpDelete(const FSSpec* fileSpec);
ZEB_API(OSErr) FSpRename(const FSSpec* fileSpec, ConstStr255Param newName);
ZEB_API(OSErr) FSpGetFInfo(const FSSpec* fileSpec, FInfo* fndrInfo);
ZEB_API(OSErr) FSpExchangeFiles(const FSSpec* source, const FSSpec* dest);

/* Parameter-block calls. */
ZEB_API(OSErr) PBOpen(ParmBlkPtr paramBlock, Boolean async);
ZEB_API(OSErr) PBHOpen(HParmBlkPtr paramBlock, Boolean async);
ZEB_API(OSErr) PBHOpenDF(HParmBlkPtr paramBlock, Boolean async);
ZEB_API(OSErr) PBRead(ParmBlkPtr paramBlock, Boolean async);
ZEB_API(OSErr) PBWrite(ParmBlkPtr paramBlock, Boolean async);
ZEB_API(OSErr) PBClose(ParmBlkPtr paramBlock, Boolean async);
ZEB_API(OSErr) PBGetFPos(ParmBlkPtr paramBlock, Boolean async);
ZEB_API(OSErr) PBSetFPos(ParmBlkPtr paramBlock, Boolean async);
ZEB_API(OSErr) PBGetEOF(ParmBlkPtr paramBlock, Boolean async);
ZEB_API(OSErr) PBSetEOF(ParmBlkPtr paramBlock, Boolean async);
ZEB_API(OSErr) PBAllocate(ParmBlkPtr paramBlock, Boolean async);
ZEB_API(OSErr) PBCreate(ParmBlkPtr paramBlock, Boolean async);
ZEB_API(OSErr) PBHCreate(HParmBlkPtr paramBlock, Boolean async);
ZEB_API(OSErr) PBDelete(ParmBlkPtr paramBlock, Boolean async);
ZEB_API(OSErr) PBHDelete(HParmBlkPtr paramBlock, Boolean async);
ZEB_API(OSErr) PBRename(ParmBlkPtr paramBlock, Boolean async);
ZEB_API(OSErr) PBHRename(HParmBlkPtr paramBlock, Boolean async);
ZEB_API(OSErr) PBDirCreate(HParmBlkPtr paramBlock, Boolean async);
ZEB_API(OSErr) PBGetFInfo(ParmBlkPtr paramBlock, Boolean async);
ZEB_API(OSErr) PBHGetFInfo(HParmBlkPtr paramBlock, Boolean async);
ZEB_API(OSErr) PBSetFInfo(ParmBlkPtr paramBlock, Boolean async);
ZEB_API(OSErr) PBHSetFInfo(HParmBlkPtr paramBlock, Boolean async);
ZEB_API(OSErr) PBGetCatInfo(CInfoPBPtr paramBlock, Boolean async);
ZEB_API(OSErr) PBGetVInfo(ParmBlkPtr paramBlock, Boolean async);
ZEB_API(OSErr) PBHGetVInfo(HParmBlkPtr paramBlock, Boolean async);
ZEB_API(OSErr) PBGetVol(ParmBlkPtr paramBlock, Boolean async);
ZEB_API(OSErr) PBHGetVol(WDPBPtr paramBlock, Boolean async);
ZEB_API(OSErr) PBSetVol(ParmBlkPtr paramBlock, Boolean async);
ZEB_API(OSErr) PBHSetVol(WDPBPtr paramBlock, Boolean async);
ZEB_API(OSErr) PBOpenWD(WDPBPtr paramBlock, Boolean async);
ZEB_API(OSErr) PBCloseWD(WDPBPtr paramBlock, Boolean async);
ZEB_API(OSErr) PBGetWDInfo(WDPBPtr paramBlock, Boolean async);
ZEB_API(OSErr) PBGetFCBInfo(FCBPBPtr paramBlock, Boolean async);
ZEB_API(OSErr) PBHGetVolParms(HParmBlkPtr paramBlock, Boolean async);
ZEB_API(OSErr) PBFlushFile(ParmBlkPtr paramBlock, Boolean async);
ZEB_API(OSErr) PBFlushVol(ParmBlkPtr paramBlock, Boolean async);

/* Paths. A path buffer holds 256 bytes; a path that would not fit fails with bdNamErr. */
/* The host path of a Toolbox triple: dirID 0 takes the directory from vRefNum (volume: its
 * root; working directory: that directory; 0: the current directory). A name that is a full
 * host path is used as it is. */
ZEB_API(OSErr) ZEB_HFSpec(long dirID, short vRefNum, ConstStr255Param name, char* path);
ZEB_API(OSErr) ZEB_FSpec(short vRefNum, ConstStr255Param name, char* path);
/* The directory ID of a host directory path; vRefNum gets its volume, wdRefNum its working-
 * directory number (0 for a volume root, 0xEEEE when the path is unusable). */
ZEB_API(long) ZEB_DirIDFromPath(const char* path, short* vRefNum, short* wdRefNum);
/* Makes the directory (the current one when path is empty) the current directory and returns
 * its working-directory number, or the volume's number for a root. */
ZEB_API(short) ZEB_CurDirvRefNum(const char* path);

/* The file-handle layer: 64 slots, reference numbers 2 to 63. Open modes: access in the low
 * two bits (0 read, 1 write, 2 read and write), 0x20 denies others writing, 0x30 denies them
 * reading too, 0x40 shares everything. */
typedef void* ZEB_HostFile;
enum {
  kZEBOpenRead = 0x00,
  kZEBOpenWrite = 0x01,
  kZEBOpenReadWrite = 0x02,
  kZEBOpenDenyWrite = 0x20,
  kZEBOpenDenyRead = 0x30,
  kZEBOpenShareAll = 0x40
};
/* Host attributes as ZEB_FHGetAttr reports them. */
enum {
  kZEBAttrReadOnly = 0x01,
  kZEBAttrHidden = 0x02,
  kZEBAttrSystem = 0x04,
  kZEBAttrDirectory = 0x10,
  kZEBAttrArchive = 0x20
};
ZEB_API(short) ZEB_FHOpen(const char* path, short mode, OSErr* err);
ZEB_API(short) ZEB_FHCreate(const char* path, short flags);
ZEB_API(long) ZEB_FHRead(short refNum, void* buffer, long count);
ZEB_API(long) ZEB_FHWrite(short refNum, const void* buffer, long count);
ZEB_API(long) ZEB_FHLSeek(short refNum, long offset, short origin);
ZEB_API(short) ZEB_FHClose(short refNum);
ZEB_API(OSErr) ZEB_FHReOpen(short reopen, short refNum);
ZEB_API(void) ZEB_FHReOpenAll(short reopen);
ZEB_API(ZEB_HostFile) ZEB_FHMap(short refNum);
ZEB_API(short) ZEB_FHUnMap(ZEB_HostFile hostFile);
ZEB_API(long) ZEB_FHGetAttr(short refNum);
ZEB_API(OSErr) ZEB_FHSetEOF0(short refNum);

ZEB_EXTERN_C_END

/* The synchronous spellings of the parameter-block calls. */
#define PBOpenSync(pb) PBOpen((pb), false)
#define PBHOpenSync(pb) PBHOpen((pb), false)
#define PBHOpenDFSync(pb) PBHOpenDF((pb), false)
#define PBReadSync(pb) PBRead((pb), false)
#define PBWriteSync(pb) PBWrite((pb), false)
#define PBCloseSync(pb) PBClose((pb), false)
#define PBGetFPosSync(pb) PBGetFPos((pb), false)
#define PBSetFPosSync(pb) PBSetFPos((pb), false)
#define PBGetEOFSync(pb) PBGetEOF((pb), false)
#define PBSetEOFSync(pb) PBSetEOF((pb), false)
#define PBAllocateSync(pb) PBAllocate((pb), false)
#define PBCreateSync(pb) PBCreate((pb), false)
#define PBHCreateSync(pb) PBHCreate((pb), false)
#define PBDeleteSync(pb) PBDelete((pb), false)
#define PBHDeleteSync(pb) PBHDelete((pb), false)
#define PBRenameSync(pb) PBRename((pb), false)
#define PBHRenameSync(pb) PBHRename((pb), false)
#define PBDirCreateSync(pb) PBDirCreate((pb), false)
#define PBGetFInfoSync(pb) PBGetFInfo((pb), false)
#define PBHGetFInfoSync(pb) PBHGetFInfo((pb), false)
#define PBSetFInfoSync(pb) PBSetFInfo((pb), false)
#define PBHSetFInfoSync(pb) PBHSetFInfo((pb), false)
#define PBGetCatInfoSync(pb) PBGetCatInfo((pb), false)
#define PBGetVInfoSync(pb) PBGetVInfo((pb), false)
#define PBHGetVInfoSync(pb) PBHGetVInfo((pb), false)
#define PBGetVolSync(pb) PBGetVol((pb), false)
#define PBHGetVolSync(pb) PBHGetVol((pb), false)
#define PBSetVolSync(pb) PBSetVol((pb), false)
#define PBHSetVolSync(pb) PBHSetVol((pb), false)
#define PBOpenWDSync(pb) PBOpenWD((pb), false)
#define PBCloseWDSync(pb) PBCloseWD((pb), false)
#define PBGetWDInfoSync(pb) PBGetWDInfo((pb), false)
#define PBGetFCBInfoSync(pb) PBGetFCBInfo((pb), false)
#define PBHGetVolParmsSync(pb) PBHGetVolParms((pb), false)
#define PBFlushFileSync(pb) PBFlushFile((pb), false)
#define PBFlushVolSync(pb) PBFlushVol((pb), false)

/* ---- Entry points present without their manager's work ----
 * They exist so that a ported application links; none of them does the File Manager's work.
 * Each reports its call through DebugStr and returns the fixed result shown. A parameter-block
 * call also leaves that result in the block's ioResult, where asynchronous callers look. */
typedef FSSpecPtr FSSpecArrayPtr;
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
ZEB_API(OSErr) FSpSetFInfo(const FSSpec* fileSpec, const FInfo* fndrInfo);
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

/*
 * AppleTalk.h - the AppleTalk Manager.
 */
#ifndef ZEB_APPLETALK_H
#define ZEB_APPLETALK_H

#include "MacTypes.h"

/* ---- Entry points present without their manager's work ----
 * There is no AppleTalk network: each call reports itself through DebugStr and returns 0. */
ZEB_PACK2_BEGIN
/* A network address; ATPOpenSocket takes one by value. */
typedef struct AddrBlock {
  short aNet;
  unsigned char aNode;
  unsigned char aSocket;
} AddrBlock;
ZEB_PACK2_END
ZEB_ASSERT_SIZE(AddrBlock, 4);

typedef struct EntityName EntityName;
typedef EntityName* EntityPtr;
typedef struct ABusRecord ABusRecord;
typedef ABusRecord* ABRecPtr;
typedef ABRecPtr* ABRecHandle;
typedef union MPPParamBlock MPPParamBlock;
typedef MPPParamBlock* MPPPBPtr;
typedef union ATPParamBlock ATPParamBlock;
typedef ATPParamBlock* ATPPBPtr;
typedef union XPPParamBlock XPPParamBlock;
typedef XPPParamBlock* XPPParmBlkPtr;

ZEB_EXTERN_C_BEGIN
ZEB_API(OSErr) MPPOpen(void);
ZEB_API(OSErr) ATPLoad(void);
ZEB_API(OSErr) GetNodeAddress(short* myNode, short* myNet);
ZEB_API(short) GetBridgeAddress(void);
ZEB_API(OSErr) PGetAppleTalkInfo(XPPParmBlkPtr thePBptr, Boolean async);
ZEB_API(short) BuildBDS(Ptr buffPtr, Ptr bdsPtr, short buffSize);
ZEB_API(OSErr) POpenATPSkt(ATPPBPtr thePBptr, Boolean async);
ZEB_API(OSErr) PCloseATPSkt(ATPPBPtr thePBptr, Boolean async);
ZEB_API(OSErr) PSendRequest(ATPPBPtr thePBptr, Boolean async);
ZEB_API(OSErr) ATPOpenSocket(AddrBlock addrRcvd, unsigned char* atpSocket);
ZEB_API(OSErr) PLookupName(MPPPBPtr thePBptr, Boolean async);
ZEB_API(OSErr) PRegisterName(MPPPBPtr thePBptr, Boolean async);
ZEB_API(OSErr) PRemoveName(MPPPBPtr thePBptr, Boolean async);
ZEB_API(OSErr) PKillNBP(MPPPBPtr thePBptr, Boolean async);
ZEB_API(OSErr) NBPLookup(ABRecHandle abRecord, Boolean async);
ZEB_API(OSErr) NBPRegister(ABRecHandle abRecord, Boolean async);
ZEB_API(OSErr) NBPRemove(EntityPtr abEntity);
ZEB_API(OSErr) NBPExtract(Ptr theBuffer, short numInBuf, short whichOne, EntityName* abEntity,
                          AddrBlock* address);
ZEB_API(void) NBPSetEntity(Ptr buffer, ConstStringPtr nbpObject, ConstStringPtr nbpType,
                           ConstStringPtr nbpZone);
ZEB_API(void) NBPSetNTE(Ptr ntePtr, ConstStringPtr nbpObject, ConstStringPtr nbpType,
                        ConstStringPtr nbpZone, short socket);
ZEB_EXTERN_C_END
/* ---- end of entry points present without their manager's work ---- */

#endif /* ZEB_APPLETALK_H */

/*
 * EPPC.h - high-level events between programs.
 */
#ifndef ZEB_EPPC_H
#define ZEB_EPPC_H

#include "MacTypes.h"

/* ---- Entry points present without their manager's work ----
 * No high-level event ever arrives. Both calls report themselves through DebugStr;
 * AcceptHighLevelEvent returns noOutstandingHLE, GetSpecificHighLevelEvent returns 0xA0 (the
 * low byte of that result code). */
typedef struct TargetID TargetID;
typedef TargetID* TargetIDPtr;
typedef struct HighLevelEventMsg HighLevelEventMsg;
typedef HighLevelEventMsg* HighLevelEventMsgPtr;
typedef Boolean(ZEBAPI* GetSpecificFilterProcPtr)(void* contextPtr, HighLevelEventMsgPtr msgBuff,
                                                  const TargetID* sender);
typedef GetSpecificFilterProcPtr GetSpecificFilterUPP;

ZEB_EXTERN_C_BEGIN
ZEB_API(OSErr) AcceptHighLevelEvent(TargetID* sender, unsigned long* msgRefcon, Ptr msgBuff,
                                    unsigned long* msgLen);
ZEB_API(Boolean) GetSpecificHighLevelEvent(GetSpecificFilterUPP aFilter, void* contextPtr,
                                           OSErr* err);
ZEB_EXTERN_C_END
/* ---- end of entry points present without their manager's work ---- */

#endif /* ZEB_EPPC_H */

/*
 * StandardFile.h - the Standard File Package.
 */
#ifndef ZEB_STANDARDFILE_H
#define ZEB_STANDARDFILE_H

#include "Files.h"
#include "MacTypes.h"
#include "Quickdraw.h"

/* ---- Entry points present without their manager's work ----
 * The customised System 7 dialogs are not provided: CustomGetFile and CustomPutFile report
 * their call through DebugStr and answer as if the user had cancelled (sfGood false), so that
 * the caller never acts on a file that nobody chose. */
typedef struct SFReply SFReply;
typedef struct StandardFileReply StandardFileReply;
typedef StandardFileReply* StandardFileReplyPtr;
typedef OSType SFTypeList[4];
typedef const OSType* ConstSFTypeListPtr;
typedef short* ActivationOrderListPtr;
typedef Boolean(ZEBAPI* FileFilterYDProcPtr)(CInfoPBPtr pb, void* yourDataPtr);
typedef short(ZEBAPI* DlgHookYDProcPtr)(short item, GrafPtr theDialog, void* yourDataPtr);
typedef Boolean(ZEBAPI* ModalFilterYDProcPtr)(GrafPtr theDialog, void* theEvent, short* itemHit,
                                              void* yourDataPtr);
typedef void(ZEBAPI* ActivateYDProcPtr)(GrafPtr theDialog, short itemNo, Boolean activating,
                                        void* yourDataPtr);
typedef FileFilterYDProcPtr FileFilterYDUPP;
typedef DlgHookYDProcPtr DlgHookYDUPP;
typedef ModalFilterYDProcPtr ModalFilterYDUPP;
typedef ActivateYDProcPtr ActivateYDUPP;

ZEB_EXTERN_C_BEGIN
ZEB_API(void) CustomGetFile(FileFilterYDUPP fileFilter, short numTypes,
                            ConstSFTypeListPtr typeList, StandardFileReply* reply, short dlgID,
                            Point where, DlgHookYDUPP dlgHook, ModalFilterYDUPP filterProc,
                            ActivationOrderListPtr activeList, ActivateYDUPP activateProc,
                            void* yourDataPtr);
ZEB_API(void) CustomPutFile(ConstStr255Param prompt, ConstStr255Param defaultName,
                            StandardFileReply* reply, short dlgID, Point where,
                            DlgHookYDUPP dlgHook, ModalFilterYDUPP filterProc,
                            ActivationOrderListPtr activeList, ActivateYDUPP activateProc,
                            void* yourDataPtr);
ZEB_EXTERN_C_END
/* ---- end of entry points present without their manager's work ---- */

#endif /* ZEB_STANDARDFILE_H */

/*
 * StandardFile.h - the Standard File Package.
 */
#ifndef ZEB_STANDARDFILE_H
#define ZEB_STANDARDFILE_H

#include <windows.h>

#include "Files.h"
#include "MacTypes.h"
#include "Quickdraw.h"

/*
 * The open and save dialogs are the host's common dialogs. File types become the dialog's
 * filters through the extension table given with ZEB_Set_MacWin: 40-byte entries of type,
 * extension (three characters, not terminated) and description (zero-terminated, to the end of
 * the entry); a type of 0 ends the table.
 */

/* The classic reply (natural alignment). fName holds at most 63 characters: a longer name is
 * refused in the dialog, and one that reaches the reply otherwise gives good false. */
typedef struct SFReply {
  Boolean good;
  Boolean copy;
  OSType fType;
  short vRefNum; /* working directory of the chosen file's folder */
  short version; /* 1 after a multiple selection that did not fit its buffer */
  Str63 fName;
} SFReply;
ZEB_ASSERT_OFFSET(SFReply, fType, 4);
ZEB_ASSERT_OFFSET(SFReply, vRefNum, 8);
ZEB_ASSERT_OFFSET(SFReply, version, 10);
ZEB_ASSERT_OFFSET(SFReply, fName, 12);
ZEB_ASSERT_SIZE(SFReply, 76);

/* The System 7 reply (natural alignment): only sfGood and sfFile are set. */
typedef struct StandardFileReply {
  Boolean sfGood;
  Boolean sfReplacing;
  OSType sfType;
  FSSpec sfFile;
  ScriptCode sfScript;
  short sfFlags;
  Boolean sfIsFolder;
  Boolean sfIsVolume;
  long sfReserved1;
  short sfReserved2;
} StandardFileReply;
typedef StandardFileReply* StandardFileReplyPtr;
ZEB_ASSERT_OFFSET(StandardFileReply, sfType, 4);
ZEB_ASSERT_OFFSET(StandardFileReply, sfFile, 8);
ZEB_ASSERT_OFFSET(StandardFileReply, sfScript, 80);
ZEB_ASSERT_OFFSET(StandardFileReply, sfIsFolder, 84);
ZEB_ASSERT_OFFSET(StandardFileReply, sfReserved1, 88);
ZEB_ASSERT_SIZE(StandardFileReply, 96);

typedef OSType SFTypeList[4];
typedef const OSType* ConstSFTypeListPtr;

/* The application's procedure in SFPGetFile and SFPPutFile: sees every message of the host
 * dialog first; a non-zero result ends the message's handling. As filterProc of SFPGetFile,
 * kZEBMultipleSelection asks for multiple selection instead: the names then go to the buffer
 * passed as fileFilter, whose size is passed as dlgID. */
typedef UINT_PTR(ZEBAPI* ZEB_SFFilterProcPtr)(HWND dialog, UINT message, WPARAM wParam,
                                              LPARAM lParam);
#define kZEBMultipleSelection ((ProcPtr)(LONG_PTR)-1)

ZEB_EXTERN_C_BEGIN
ZEB_API(void) SFGetFile(Point where, ConstStr255Param prompt, ProcPtr fileFilter, short numTypes,
                        ConstSFTypeListPtr typeList, ProcPtr dlgHook, SFReply* reply);
ZEB_API(void) SFPGetFile(Point where, ConstStr255Param prompt, ProcPtr fileFilter,
                         short numTypes, ConstSFTypeListPtr typeList, ProcPtr dlgHook,
                         SFReply* reply, short dlgID, ProcPtr filterProc);
ZEB_API(void) SFPutFile(Point where, ConstStr255Param prompt, ConstStr255Param origName,
                        ProcPtr dlgHook, SFReply* reply);
ZEB_API(void) SFPPutFile(Point where, ConstStr255Param prompt, ConstStr255Param origName,
                         ProcPtr dlgHook, SFReply* reply, short dlgID, ProcPtr filterProc);
ZEB_API(void) StandardGetFile(ProcPtr fileFilter, short numTypes, ConstSFTypeListPtr typeList,
                              StandardFileReply* reply);
ZEB_API(void) StandardPutFile(ConstStr255Param prompt, ConstStr255Param defaultName,
                              StandardFileReply* reply);
/* Builds the filter list of the next dialogs from the types (numTypes -1: all files) and
 * returns its buffer: (description, pattern) pairs of zero-terminated strings, ending in an
 * empty string. selected is the list position (from 0) of the filter selected first, -1 for
 * none. The buffer stays valid until the next call. */
ZEB_API(const char*) ZEB_SF_String(short numTypes, short selected, ConstSFTypeListPtr typeList);
/* Fills a reply from a host path: good, vRefNum (the folder's working directory, which becomes
 * the current directory), fName and fType. For a save, filterIndex (from 0) names the filter
 * whose first extension a name without one gets. Returns good. */
ZEB_API(Boolean) ZEB_DosFSpec2MacSFReply(short isPut, short reserved, short filterIndex,
                                         short setSaveDisk, short keepName, const char* path,
                                         SFReply* reply);
/* The hook procedure of every open and save dialog. */
ZEB_API(UINT_PTR) Z_FileOpenHookProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
ZEB_EXTERN_C_END

/* ---- Entry points present without their manager's work ----
 * The customised System 7 dialogs are not provided: CustomGetFile and CustomPutFile report
 * their call through DebugStr and answer as if the user had cancelled (sfGood false), so that
 * the caller never acts on a file that nobody chose. */
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

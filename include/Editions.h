/*
 * Editions.h - the Edition Manager.
 */
#ifndef ZEB_EDITIONS_H
#define ZEB_EDITIONS_H

#include "Files.h"
#include "MacTypes.h"
#include "Quickdraw.h"

/* ---- Entry points present without their manager's work ----
 * Publish and subscribe is not provided. InitEditionPackVersion reports " InitEditionPack"
 * through DebugStr and returns memFullErr, so that a careful application turns its edition
 * commands off; every other call reports itself and returns editionMgrInitErr. */
typedef struct SectionRecord SectionRecord;
typedef SectionRecord* SectionPtr;
typedef SectionPtr* SectionHandle;
typedef struct EditionContainerSpec EditionContainerSpec;
typedef struct EditionInfoRecord EditionInfoRecord;
typedef struct NewSubscriberReply NewSubscriberReply;
typedef struct NewPublisherReply NewPublisherReply;
typedef struct SectionOptionsReply SectionOptionsReply;
typedef SignedByte SectionType;
typedef short UpdateMode;
typedef ResType FormatType;
typedef Handle EditionRefNum;
typedef short(ZEBAPI* ExpDlgHookProcPtr)(short itemOffset, short itemHit, GrafPtr theDialog,
                                         void* yourDataPtr);
typedef Boolean(ZEBAPI* ExpModalFilterProcPtr)(GrafPtr theDialog, void* theEvent,
                                               short itemOffset, short* itemHit,
                                               void* yourDataPtr);
typedef ExpDlgHookProcPtr ExpDlgHookUPP;
typedef ExpModalFilterProcPtr ExpModalFilterUPP;

ZEB_EXTERN_C_BEGIN
ZEB_API(OSErr) InitEditionPackVersion(short curEditionMgrVersion);
ZEB_API(OSErr) NewSection(const EditionContainerSpec* container, const FSSpec* sectionDocument,
                          SectionType kind, long sectionID, UpdateMode initalMode,
                          SectionHandle* sectionH);
ZEB_API(OSErr) RegisterSection(const FSSpec* sectionDocument, SectionHandle sectionH,
                               Boolean* aliasWasUpdated);
ZEB_API(OSErr) UnRegisterSection(SectionHandle sectionH);
ZEB_API(OSErr) IsRegisteredSection(SectionHandle sectionH);
ZEB_API(OSErr) AssociateSection(SectionHandle sectionH, const FSSpec* newSectionDocument);
ZEB_API(OSErr) CreateEditionContainerFile(const FSSpec* editionFile, OSType fdCreator,
                                          ScriptCode editionFileNameScript);
ZEB_API(OSErr) DeleteEditionContainerFile(const FSSpec* editionFile);
ZEB_API(OSErr) OpenEdition(SectionHandle subscriberSectionH, EditionRefNum* refNum);
ZEB_API(OSErr) OpenNewEdition(SectionHandle publisherSectionH, OSType fdCreator,
                              const FSSpec* publisherSectionDocument, EditionRefNum* refNum);
ZEB_API(OSErr) CloseEdition(EditionRefNum whichEdition, Boolean successful);
ZEB_API(OSErr) EditionHasFormat(EditionRefNum whichEdition, FormatType whichFormat,
                                Size* formatSize);
ZEB_API(OSErr) ReadEdition(EditionRefNum whichEdition, FormatType whichFormat, void* buffPtr,
                           Size* buffLen);
ZEB_API(OSErr) WriteEdition(EditionRefNum whichEdition, FormatType whichFormat,
                            const void* buffPtr, Size buffLen);
ZEB_API(OSErr) SetEditionFormatMark(EditionRefNum whichEdition, FormatType whichFormat,
                                    unsigned long setMarkTo);
ZEB_API(OSErr) GetEditionInfo(SectionHandle sectionH, EditionInfoRecord* editionInfo);
ZEB_API(OSErr) GoToPublisherSection(const EditionContainerSpec* container);
ZEB_API(OSErr) GetLastEditionContainerUsed(EditionContainerSpec* container);
ZEB_API(OSErr) NewSubscriberDialog(NewSubscriberReply* reply);
ZEB_API(OSErr) NewPublisherDialog(NewPublisherReply* reply);
ZEB_API(OSErr) NewPublisherExpDialog(NewPublisherReply* reply, Point where,
                                     short expansionDITLresID, ExpDlgHookUPP dlgHook,
                                     ExpModalFilterUPP filterProc, void* yourDataPtr);
ZEB_API(OSErr) SectionOptionsDialog(SectionHandle sectionH, SectionOptionsReply* reply);
ZEB_API(OSErr) SectionOptionsExpDialog(SectionHandle sectionH, SectionOptionsReply* reply,
                                       Point where, short expansionDITLresID,
                                       ExpDlgHookUPP dlgHook, ExpModalFilterUPP filterProc,
                                       void* yourDataPtr);
ZEB_EXTERN_C_END
/* ---- end of entry points present without their manager's work ---- */

#endif /* ZEB_EDITIONS_H */

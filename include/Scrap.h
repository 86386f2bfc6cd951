/*
 * Scrap.h - the Scrap Manager's records.
 */
#ifndef ZEB_SCRAP_H
#define ZEB_SCRAP_H

#include "Errors.h"
#include "MacTypes.h"

ZEB_PACK2_BEGIN
typedef struct ScrapStuff {
  long scrapSize;
  Handle scrapHandle;
  short scrapCount;
  short scrapState;
  StringPtr scrapName;
} ScrapStuff;
ZEB_PACK2_END
typedef ScrapStuff* PScrapStuff;
ZEB_ASSERT_SIZE(ScrapStuff, 16);
ZEB_ASSERT_OFFSET(ScrapStuff, scrapName, 12);

/* The scrap is the Windows clipboard. The library converts nothing: each call opens the
 * clipboard and lets the application's clipboard procedure (ZEB_ScrapProc, given to
 * ZEB_InitSession) move the data between scrap types and clipboard formats. scrapCount changes
 * with every ZeroScrap and every change that another program makes to the clipboard. */
ZEB_EXTERN_C_BEGIN
/* The process's scrap information record. */
ZEB_API(PScrapStuff) InfoScrap(void);
/* Empties the clipboard and counts the change: 0, or fLckdErr when the clipboard is held open
 * elsewhere (the record is updated all the same). */
ZEB_API(long) ZeroScrap(void);
/* Adds one scrap type to the clipboard through the clipboard procedure; the clipboard is not
 * emptied first (call ZeroScrap). 0; noScrapErr when there is no procedure or it refused;
 * fLckdErr when the clipboard is held open elsewhere; paramErr for a negative length or a nil
 * source with a length, with the clipboard untouched. */
ZEB_API(long) PutScrap(long length, ResType theType, const void* source);
/* Asks the clipboard procedure for theType, one clipboard format after another in the
 * clipboard's order, into hDest: its result (a length), noTypeErr when no format gives the
 * type, fLckdErr when the clipboard is held open elsewhere. *offset counts the formats passed
 * over before the one that answered; a nil offset is allowed. */
ZEB_API(long) GetScrap(Handle hDest, ResType theType, long* offset);
/* The scrap lives on the clipboard, never in memory or in a file: nothing to load (0).
 * Unloading only clears scrapState. Lode and Unlode are the older spellings. */
ZEB_API(long) LoadScrap(void);
ZEB_API(long) UnloadScrap(void);
ZEB_API(long) LodeScrap(void);
ZEB_API(long) UnlodeScrap(void);
ZEB_EXTERN_C_END

#endif /* ZEB_SCRAP_H */

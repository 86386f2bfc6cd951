/*
 * Terminals.h - the Terminal Manager of the Communications Toolbox.
 */
#ifndef ZEB_TERMINALS_H
#define ZEB_TERMINALS_H

#include "MacTypes.h"

/* ---- Entry points present without their manager's work ----
 * There are no terminal tools: TMSetSelection reports its call through DebugStr and does
 * nothing; TMChoose returns 0 silently. */
typedef struct TermRecord TermRecord;
typedef TermRecord* TermPtr;
typedef TermPtr* TermHandle;
typedef union TMSelection TMSelection;
typedef short TMSelTypes;
typedef struct ChooseRec ChooseRec;
typedef ChooseRec* ChooseRecPtr;

ZEB_EXTERN_C_BEGIN
ZEB_API(void) TMSetSelection(TermHandle hTerm, const TMSelection* selection, TMSelTypes selType);
ZEB_API(short) TMChoose(TermHandle hTerm, Point where, ChooseRecPtr cRec, ProcPtr idleProc);
ZEB_EXTERN_C_END
/* ---- end of entry points present without their manager's work ---- */

#endif /* ZEB_TERMINALS_H */

/*
 * Aliases.h - the Alias Manager.
 */
#ifndef ZEB_ALIASES_H
#define ZEB_ALIASES_H

#include "Files.h"
#include "MacTypes.h"

/* ---- Entry points present without their manager's work ----
 * Windows has no alias records: each call reports itself through DebugStr. Creating and
 * resolving return noErr; asking about, matching and updating an alias return paramErr.
 * ResolveAliasFile leaves the FSSpec as it is and answers "not a folder, not an alias",
 * so that the caller goes on with the file it named. */
typedef struct AliasRecord AliasRecord;
typedef AliasRecord* AliasPtr;
typedef AliasPtr* AliasHandle;
typedef short AliasInfoType;
typedef Boolean(ZEBAPI* AliasFilterProcPtr)(CInfoPBPtr cpbPtr, Boolean* quitFlag, Ptr myDataPtr);
typedef AliasFilterProcPtr AliasFilterUPP;

ZEB_EXTERN_C_BEGIN
ZEB_API(OSErr) NewAlias(const FSSpec* fromFile, const FSSpec* target, AliasHandle* alias);
ZEB_API(OSErr) NewAliasMinimal(const FSSpec* target, AliasHandle* alias);
ZEB_API(OSErr) ResolveAlias(const FSSpec* fromFile, AliasHandle alias, FSSpec* target,
                            Boolean* wasChanged);
ZEB_API(OSErr) ResolveAliasFile(FSSpec* theSpec, Boolean resolveAliasChains,
                                Boolean* targetIsFolder, Boolean* wasAliased);
ZEB_API(OSErr) GetAliasInfo(AliasHandle alias, AliasInfoType index, Str63 theString);
ZEB_API(OSErr) MatchAlias(const FSSpec* fromFile, unsigned long rulesMask, AliasHandle alias,
                          short* aliasCount, FSSpecArrayPtr aliasList, Boolean* needsUpdate,
                          AliasFilterUPP aliasFilter, void* yourDataPtr);
ZEB_API(OSErr) UpdateAlias(const FSSpec* fromFile, const FSSpec* target, AliasHandle alias,
                           Boolean* wasChanged);
ZEB_EXTERN_C_END
/* ---- end of entry points present without their manager's work ---- */

#endif /* ZEB_ALIASES_H */

/*
 * Menus.h - the Menu Manager.
 *
 * windows.h comes first: AppendMenu, DeleteMenu, DrawMenuBar, GetMenu, InsertMenu and
 * InsertMenuItem are Windows functions too, exported here with their last letter dropped.
 */
#ifndef ZEB_MENUS_H
#define ZEB_MENUS_H

#include <windows.h>

#include "MacTypes.h"

/* ---- Entry points present without their manager's work ----
 * Windows draws the menu bar, so menu colour tables and bar flashing have nothing to act on:
 * each reports its call through DebugStr (DisposeMCInfo as " DispMCInfo"); GetMCInfo returns
 * NIL. */
typedef struct MenuInfo MenuInfo;
typedef MenuInfo* MenuPtr;
typedef MenuPtr* MenuHandle;
typedef struct MCEntry MCEntry;
typedef MCEntry* MCEntryPtr;
typedef MCEntryPtr MCTablePtr;
typedef MCTablePtr* MCTableHandle;

ZEB_EXTERN_C_BEGIN
ZEB_API(void) FlashMenuBar(short menuID);
ZEB_API(void) InvalMenuBar(void);
ZEB_API(void) SetMCEntries(short numEntries, MCTablePtr menuCEntries);
ZEB_API(void) SetMCInfo(MCTableHandle menuCTbl);
ZEB_API(void) DisposeMCInfo(MCTableHandle menuCTbl);
ZEB_API(MCTableHandle) GetMCInfo(void);
ZEB_EXTERN_C_END

#define DispMCInfo(menuCTbl) DisposeMCInfo(menuCTbl)
/* ---- end of entry points present without their manager's work ---- */

/* In C the Toolbox spellings that Windows also uses name the shortened exports. After this
 * header a C unit reaches Windows' AppendMenu, InsertMenu and InsertMenuItem only through
 * their A and W names, and Windows' DeleteMenu, DrawMenuBar and GetMenu not at all. */
#ifndef __cplusplus
#undef AppendMenu
#undef InsertMenu
#undef InsertMenuItem
#define AppendMenu AppendMen
#define DeleteMenu DeleteMen
#define DrawMenuBar DrawMenuBa
#define GetMenu GetMen
#define InsertMenu InsertMen
#define InsertMenuItem InsertMenuIte
#endif

#endif /* ZEB_MENUS_H */

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

/* The menu record: the converted 'MENU' resource, two-byte packed. menuProc is a handle kept
 * in 32 bits (the 64-bit test build keeps its addresses low), so the record has one layout in
 * both builds. */
ZEB_PACK2_BEGIN
typedef struct MenuInfo {
  short menuID;
  short menuWidth;
  short menuHeight;
#if defined(_WIN64)
  unsigned int menuProc; /* Handle of the 'MDEF', or 0 */
#else
  Handle menuProc;
#endif
  long enableFlags; /* bit 0 the menu, bit n item n (1..31) */
  Str255 menuData;  /* the title, then the items, then a zero byte */
} MenuInfo;
ZEB_PACK2_END
ZEB_STATIC_ASSERT(offsetof(MenuInfo, menuProc) == 6, "MenuInfo.menuProc offset");
ZEB_STATIC_ASSERT(offsetof(MenuInfo, enableFlags) == 10, "MenuInfo.enableFlags offset");
ZEB_STATIC_ASSERT(offsetof(MenuInfo, menuData) == 14, "MenuInfo.menuData offset");
ZEB_STATIC_ASSERT(sizeof(MenuInfo) == 270, "MenuInfo size");
typedef MenuInfo* MenuPtr;
typedef MenuPtr* MenuHandle;

/* Item marks, key-equivalent markers and the definition procedure's messages. */
enum {
  noMark = 0,
  checkMark = 0x12,
  hMenuCmd = 0x1B,
  mDrawMsg = 0,
  mChooseMsg = 1,
  mSizeMsg = 2,
  mPopUpMsg = 3,
  hierMenu = -1
};

/* A menu definition procedure, registered as an 'MDEF' with ZEB_CodeResource. */
typedef void(ZEBAPI* MenuDefProcPtr)(short message, MenuHandle theMenu, Rect* menuRect,
                                      Point hitPt, short* whichItem);
/* The procedure called while the library tracks a pop-up menu itself, with the mouse point
 * (global) when it is outside the menu. */
typedef void(ZEBAPI* ZEB_MenuHookProc)(Point where);

/* The longest Windows text ZEB_CopyMacPtoWinC writes, zero included. */
#define ZEB_WINMENUTEXT_SIZE (4 * 255 + 2)

ZEB_EXTERN_C_BEGIN
ZEB_API(void) InitMenus(void);
ZEB_API(MenuHandle) NewMenu(short menuID, ConstStr255Param menuTitle);
ZEB_API(MenuHandle) GetMen(short resourceID);
ZEB_API(Handle) GetNewMBar(short menuBarID);
ZEB_API(Handle) GetMenuBar(void);
ZEB_API(void) SetMenuBar(Handle menuList);
ZEB_API(void) ClearMenuBar(void);
ZEB_API(MenuHandle) GetMenuHandle(short menuID);
ZEB_API(void) InsertMen(MenuHandle theMenu, short beforeID);
ZEB_API(void) DeleteMen(short menuID);
ZEB_API(void) DisposeMenu(MenuHandle theMenu);
ZEB_API(void) AppendMen(MenuHandle menu, ConstStr255Param data);
ZEB_API(void) InsertMenuIte(MenuHandle theMenu, ConstStr255Param itemString, short afterItem);
ZEB_API(void) InsMenuItem(MenuHandle theMenu, ConstStr255Param itemString, short afterItem);
ZEB_API(void) AppendResMenu(MenuHandle theMenu, ResType theType);
ZEB_API(void) ZEB_AddResFontMenu(MenuHandle theMenu, Boolean outlineOnly);
ZEB_API(void) DeleteMenuItem(MenuHandle theMenu, short item);
ZEB_API(short) CountMItems(MenuHandle theMenu);
ZEB_API(void) SetMenuItemText(MenuHandle theMenu, short item, ConstStr255Param itemString);
ZEB_API(void) GetMenuItemText(MenuHandle theMenu, short item, Str255 itemString);
ZEB_API(void) SetItemIcon(MenuHandle theMenu, short item, short iconIndex);
ZEB_API(void) GetItemIcon(MenuHandle theMenu, short item, short* iconIndex);
ZEB_API(void) SetItemCmd(MenuHandle theMenu, short item, short cmdChar);
ZEB_API(void) GetItemCmd(MenuHandle theMenu, short item, short* cmdChar);
ZEB_API(void) SetItemMark(MenuHandle theMenu, short item, short markChar);
ZEB_API(void) GetItemMark(MenuHandle theMenu, short item, short* markChar);
ZEB_API(void) SetItemStyle(MenuHandle theMenu, short item, short chStyle);
ZEB_API(void) GetItemStyle(MenuHandle theMenu, short item, Style* chStyle);
ZEB_API(void) CheckItem(MenuHandle theMenu, short item, Boolean checked);
ZEB_API(void) EnableItem(MenuHandle theMenu, short item);
ZEB_API(void) DisableItem(MenuHandle theMenu, short item);
ZEB_API(Boolean) ZEB_GetItemEnabled(MenuHandle theMenu, short item);
ZEB_API(void) DrawMenuBa(void);
ZEB_API(void) HiliteMenu(short menuID);
ZEB_API(long) MenuSelect(Point startPt);
ZEB_API(long) MenuKey(short ch);
ZEB_API(long) PopUpMenuSelect(MenuHandle menu, short top, short left, short popUpItem);
ZEB_API(long) ZEB_PopUpMenuSelectUsingDiffFont(MenuHandle menu, short top, short left,
                                               short popUpItem, const char* faceName, short size);
ZEB_API(short) GetMBarHeight(void);
ZEB_API(void) CalcMenuSize(MenuHandle theMenu);

ZEB_API(short) ZEB_MenuIDFromHMENU(HMENU hmenu);
ZEB_API(short) ZEB_MenuIDFromCMD(HMENU hmenu, unsigned short command);
ZEB_API(MenuHandle) ZEB_SearchHierMenuList(short restart);
ZEB_API(short) ZEB_SetMenuResFile(short slot, MenuHandle menu, short refNum);
ZEB_API(char*) ZEB_CopyMacPtoWinC(ConstStr255Param pstr, char* dest, char* usedLetters);
ZEB_API(void) ZEB_SetMenuHook(ZEB_MenuHookProc proc);
ZEB_API(ZEB_MenuHookProc) ZEB_GetMenuHook(void);
/* The frame window procedure's menu messages: WM_INITMENUPOPUP (the popup's handle),
 * WM_COMMAND from a menu (the command), WM_MENUSELECT, WM_ENTERIDLE, and WM_MEASUREITEM and
 * WM_DRAWITEM (non-zero when an item of a Toolbox menu was measured or drawn). */
ZEB_API(void) ZEB_InitMenuMsg(HMENU hmenu);
ZEB_API(void) ZEB_EventMenuSel(unsigned short command);
ZEB_API(LRESULT) ZEB_MenuSelect(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
ZEB_API(LRESULT) ZEB_EnterIdle(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
ZEB_API(LRESULT) ZEB_MenuUserItem(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
ZEB_EXTERN_C_END

/* ---- Entry points present without their manager's work ----
 * Windows draws the menu bar, so menu colour tables and bar flashing have nothing to act on:
 * each reports its call through DebugStr (DisposeMCInfo as " DispMCInfo"); GetMCInfo returns
 * NIL. */
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

#ifdef __cplusplus
/* In C++ the Toolbox spellings that Windows also uses are overloads of the shortened exports. */
inline void AppendMenu(MenuHandle menu, ConstStr255Param data) { AppendMen(menu, data); }
inline void DeleteMenu(short menuID) { DeleteMen(menuID); }
inline void DrawMenuBar(void) { DrawMenuBa(); }
inline MenuHandle GetMenu(short resourceID) { return GetMen(resourceID); }
inline void InsertMenu(MenuHandle theMenu, short beforeID) { InsertMen(theMenu, beforeID); }
inline void InsertMenuItem(MenuHandle theMenu, ConstStr255Param itemString, short afterItem) {
  InsertMenuIte(theMenu, itemString, afterItem);
}
#endif

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

// The Menu Manager's record calls: menus made, read from resources, edited and listed.
#include <windows.h>

#include <algorithm>
#include <cstring>

#include "MacMemory.h"
#include "Menus.h"
#include "Resources.h"
#include "events/events_internal.h"
#include "frame/address32.h"
#include "frame/frame_internal.h"
#include "frame/toolbox_globals.h"
#include "menus/menu_state.h"
#include "menus/menus_internal.h"
#include "quickdraw/font_list.h"
#include "quickdraw/quickdraw_internal.h"

namespace zeb::menus {
namespace {

constexpr ResType kMENU = ZEB_FOURCC('M', 'E', 'N', 'U');
constexpr ResType kMBAR = ZEB_FOURCC('M', 'B', 'A', 'R');
constexpr ResType kMDEF = ZEB_FOURCC('M', 'D', 'E', 'F');
constexpr ResType kFONT = ZEB_FOURCC('F', 'O', 'N', 'T');
constexpr ResType kSfnt = ZEB_FOURCC('s', 'f', 'n', 't');
// The Resource Manager marks a loaded 'MENU''s menuProc with this low word; the high word then
// holds the 'MDEF' ID.
constexpr uint16_t kMDEFMark = 0xFFFF;
// The application strings holding the key-equivalent formats.
constexpr UINT kCtrlFormat = 1025, kShiftedCtrlFormat = 1031, kFunctionFormat = 1036,
               kShiftedFunctionFormat = 1037;
constexpr size_t kListHeader = kMenuListHeader, kListEntry = kMenuListEntry;

std::string AppString(UINT id) {
  char text[256] = {};
  const int n = LoadStringA(frame::AppInstance(), id, text, sizeof text);
  return n > 0 ? std::string(text, static_cast<size_t>(n)) : std::string();
}

// The native menu of the frame: the submenu that the first Toolbox menu is merged into.
void InspectNativeMenu() {
  NativeAppleMenu& a = State().apple;
  a = NativeAppleMenu{};
  HWND frame = frame::FrameWindow();
  HMENU bar = frame ? GetMenu(frame) : nullptr;
  if (!bar) return;
  const int count = GetMenuItemCount(bar);
  const int position = count == 2 ? 1 : 0;
  HMENU sub = GetSubMenu(bar, position);
  if (!sub) return;
  a.submenu = sub;
  a.firstCommand = GetMenuItemID(sub, 0);
  GetMenuStringA(bar, static_cast<UINT>(position), a.firstTitle, sizeof a.firstTitle, MF_BYPOSITION);
  const int items = GetMenuItemCount(sub);
  a.lastCommand = items > 0 ? GetMenuItemID(sub, items - 1) : 0xFFFF;
}

void WriteList(Handle list, int index, MenuHandle menu, int16_t left) {
  uint8_t* b = reinterpret_cast<uint8_t*>(*list) + kListHeader + kListEntry * static_cast<size_t>(index);
  WriteLong(b, AddressToLong(menu));
  WriteWord(b + 4, static_cast<uint16_t>(left));
}

int16_t WidthOf(MenuHandle menu) {
  size_t size = 0;
  const uint8_t* b = Bytes(menu, &size);
  return b && size >= kTitleOffset ? static_cast<int16_t>(ReadWord(b + kMenuWidthOffset)) : 0;
}

void SetListHeader(Handle list, int count, int right) {
  uint8_t* b = reinterpret_cast<uint8_t*>(*list);
  WriteWord(b, static_cast<uint16_t>(count * 6));
  WriteWord(b + 2, static_cast<uint16_t>(right));
}

// Item entry bytes of a menu (null when the menu or item does not exist).
uint8_t* Entry(MenuHandle menu, short item) {
  size_t size = 0;
  const uint8_t* b = Bytes(menu, &size);
  if (!b) return nullptr;
  const size_t at = ItemOffset(b, size, item);
  return at ? const_cast<uint8_t*>(b) + at : nullptr;
}
uint8_t* Field(MenuHandle menu, short item, ItemField field) {
  uint8_t* e = Entry(menu, item);
  return e ? e + 1 + e[0] + field : nullptr;
}

// Parses and inserts: AppendMenu in order after the last item, InsertMenuItem in reverse.
void AddItems(MenuHandle menu, ConstStr255Param text, int afterItem, bool inReverse) {
  std::vector<uint8_t> image;
  if (!text || !ReadImage(menu, image)) return;
  InsertItems(image, afterItem, ParseItemText(text + 1, text[0]), inReverse);
  WriteImage(menu, image);
  CalcMenuSize(menu);
}

// The 'MDEF' named by a loaded 'MENU': its entry is fetched from the registered procedures and
// kept after the block's first two bytes. A block too short for it is grown.
uint32_t LoadDefinition(uint16_t mdefID) {
  if (mdefID == 0) return 0;
  Handle mdef = GetResource(kMDEF, static_cast<short>(mdefID));
  if (!mdef) return 0;
  ProcPtr proc = ZEB_CodeResource(ZEB_CODE_FIND, kMDEF, static_cast<short>(mdefID), nullptr);
  if (!proc) return 0;
  if (GetHandleSize(mdef) < 6) {
    SetHandleSize(mdef, 6);
    if (MemError() != noErr || GetHandleSize(mdef) < 6) return 0;
  }
  WriteLong(reinterpret_cast<uint8_t*>(*mdef) + 2, AddressToLong(reinterpret_cast<void*>(proc)));
  return AddressToLong(mdef);
}

}  // namespace
}  // namespace zeb::menus

using namespace zeb;
using namespace zeb::menus;

extern "C" {

void ZEBAPI InitMenus(void) {
  MenuState& s = State();
  const TEXTMETRICA& tm = quickdraw::Fonts().measuringMetrics;
  const int fontHeight = tm.tmHeight > 0 ? tm.tmHeight : 16;
  const int menuBar = GetSystemMetrics(SM_CYMENU);
  s.availableHeight = GetSystemMetrics(SM_CYFULLSCREEN) - menuBar - 2 * GetSystemMetrics(SM_CYBORDER) -
                      2 * GetSystemMetrics(SM_CYFRAME);
  s.popUpAvailableHeight = s.availableHeight + menuBar;
  s.separatorHeight = fontHeight < 17 ? 7 : 11;
  // A screen too small for two lines would give no item per column.
  s.itemsPerColumn = std::max(1, s.availableHeight / fontHeight - 1);
  if (frame::Version().newShell) {
    s.checkMarginLeft = 4;
    s.checkMarginRight = 4;
  } else {
    s.checkMarginLeft = 0;
    s.checkMarginRight = 2;
  }
  s.lineHeight = fontHeight + (tm.tmInternalLeading + 1) / 2;
  s.formats.ctrl = AppString(kCtrlFormat);
  s.formats.shiftedCtrl = AppString(kShiftedCtrlFormat);
  s.formats.function = AppString(kFunctionFormat);
  s.formats.shiftedFunction = AppString(kShiftedFunctionFormat);
  Handle* cell = frame::Globals().menuList;
  if (*cell) DisposeHandle(*cell);
  *cell = NewHandleClear(kListHeader);
  for (HierSlot& h : s.hier) h = HierSlot{};
  InspectNativeMenu();
  s.ownerDraw.clear();
  s.menuColour = GetSysColor(COLOR_MENU);
  s.menuText = GetSysColor(COLOR_MENUTEXT);
  s.highlight = GetSysColor(COLOR_HIGHLIGHT);
  s.highlightText = GetSysColor(COLOR_HIGHLIGHTTEXT);
  s.grayText = GetSysColor(COLOR_GRAYTEXT);
  s.window = GetSysColor(COLOR_WINDOW);
  s.windowText = GetSysColor(COLOR_WINDOWTEXT);
  s.initialised = true;
}

MenuHandle ZEBAPI NewMenu(short menuID, ConstStr255Param menuTitle) {
  const std::vector<uint8_t> image = NewMenuImage(menuID, menuTitle);
  Handle h = NewHandle(static_cast<Size>(image.size()));
  if (!h) return nullptr;
  std::memcpy(*h, image.data(), image.size());
  return reinterpret_cast<MenuHandle>(h);
}

MenuHandle ZEBAPI GetMen(short resourceID) {
  Handle h = GetResource(kMENU, resourceID);
  if (!h || !*h) return nullptr;
  const long size = GetHandleSize(h);
  uint8_t* b = reinterpret_cast<uint8_t*>(*h);
  // A 'MENU' too short for its title is no menu.
  if (size <= static_cast<long>(kTitleOffset) ||
      !FirstItemOffset(b, static_cast<size_t>(size)))
    return nullptr;
  WriteWord(b + kMenuIDOffset, static_cast<uint16_t>(resourceID));
  const uint32_t proc = ReadLong(b + kMenuProcOffset);
  if ((proc & 0xFFFF) == kMDEFMark) {
    const uint32_t definition = LoadDefinition(static_cast<uint16_t>(proc >> 16));
    b = reinterpret_cast<uint8_t*>(*h);
    WriteLong(b + kMenuProcOffset, definition);
  }
  // A list missing its zero ends at its last whole item.
  std::vector<uint8_t> image(b, b + size);
  RepairList(image);
  if (image.size() != static_cast<size_t>(size)) WriteImage(reinterpret_cast<MenuHandle>(h), image);
  MenuHandle menu = reinterpret_cast<MenuHandle>(h);
  CalcMenuSize(menu);
  return menu;
}

Handle ZEBAPI GetNewMBar(short menuBarID) {
  Handle mbar = GetResource(kMBAR, menuBarID);
  if (!mbar || !*mbar) return nullptr;
  const std::vector<int16_t> ids =
      MenuBarIDs(reinterpret_cast<uint8_t*>(*mbar), static_cast<size_t>(GetHandleSize(mbar)));
  ReleaseResource(mbar);
  std::vector<uint32_t> menus;
  std::vector<int16_t> widths;
  bool missing = false;
  for (int16_t id : ids) {
    if (MenuHandle m = GetMen(id)) {
      menus.push_back(AddressToLong(m));
      widths.push_back(WidthOf(m));
    } else {
      missing = true;
    }
  }
  const std::vector<uint8_t> image = MenuListImage(menus, widths);
  Handle list = NewHandle(static_cast<Size>(image.size()));
  if (!list) return nullptr;
  std::memcpy(*list, image.data(), image.size());
  if (missing) *frame::Globals().resErr = resNotFound;
  return list;
}

Handle ZEBAPI GetMenuBar(void) {
  Handle list = MenuList();
  if (!list) return nullptr;
  Handle copy = list;
  if (HandToHand(&copy) != noErr) return nullptr;
  return copy;
}

void ZEBAPI SetMenuBar(Handle menuList) {
  if (!menuList || !*menuList) return;
  const long size = GetHandleSize(menuList);
  // A list is taken only when lastMenu names whole entries inside it.
  if (size < 0 || !MenuListIsWhole(reinterpret_cast<uint8_t*>(*menuList), static_cast<size_t>(size)))
    return;
  const int16_t last = static_cast<int16_t>(ReadWord(reinterpret_cast<uint8_t*>(*menuList)));
  Handle current = MenuList();
  if (!current) return;
  SetHandleSize(current, static_cast<Size>(kListHeader + last));
  if (MemError() != noErr) return;
  std::memcpy(*current, *menuList, kListHeader + static_cast<size_t>(last));
}

void ZEBAPI ClearMenuBar(void) {
  Handle list = MenuList();
  if (!list) return;
  SetHandleSize(list, kListHeader);
  if (GetHandleSize(list) >= static_cast<long>(kListHeader)) SetListHeader(list, 0, 0);
}

MenuHandle ZEBAPI GetMenuHandle(short menuID) { return FindMenu(menuID); }

void ZEBAPI InsertMen(MenuHandle theMenu, short beforeID) {
  if (!theMenu || !*theMenu) return;
  MenuState& s = State();
  const int16_t id = MenuIDOf(theMenu);
  if (beforeID == hierMenu) {
    for (const HierSlot& h : s.hier)
      if (h.menu && h.menuID == id) return;
    for (HierSlot& h : s.hier) {
      if (!h.menu) {
        h = HierSlot{id, theMenu};
        return;
      }
    }
    return;
  }
  if (BarIndexOf(id) >= 0) return;
  Handle list = MenuList();
  if (!list) return;
  const int count = BarCount();
  if (count >= kMostBarMenus) return;
  const int width = WidthOf(theMenu);
  int at = beforeID ? BarIndexOf(beforeID) : -1;
  SetHandleSize(list, static_cast<Size>(kListHeader + kListEntry * static_cast<size_t>(count + 1)));
  if (MemError() != noErr) return;
  uint8_t* b = reinterpret_cast<uint8_t*>(*list);
  const int right = static_cast<int16_t>(ReadWord(b + 2));
  if (at < 0) {
    WriteList(list, count, theMenu, static_cast<int16_t>(right));
  } else {
    uint8_t* entry = b + kListHeader + kListEntry * static_cast<size_t>(at);
    const int16_t left = static_cast<int16_t>(ReadWord(entry + 4));
    std::memmove(entry + kListEntry, entry, kListEntry * static_cast<size_t>(count - at));
    for (int i = at + 1; i <= count; ++i) {
      uint8_t* e = b + kListHeader + kListEntry * static_cast<size_t>(i);
      WriteWord(e + 4, static_cast<uint16_t>(static_cast<int16_t>(ReadWord(e + 4)) + width));
    }
    WriteList(list, at, theMenu, left);
  }
  SetListHeader(list, count + 1, right + width);
}

void ZEBAPI DeleteMen(short menuID) {
  MenuState& s = State();
  for (CommandEntry& e : s.commands)
    if (e.menu && e.menuID == menuID) e = CommandEntry{};
  for (OwnerDrawEntry& e : s.ownerDraw)
    if (e.menu && MenuIDOf(e.menu) == menuID) e = OwnerDrawEntry{};
  for (HierSlot& h : s.hier) {
    if (h.menu && h.menuID == menuID) {
      h = HierSlot{};
      return;
    }
  }
  const int at = BarIndexOf(menuID);
  if (at < 0) return;
  Handle list = MenuList();
  const int count = BarCount();
  uint8_t* b = reinterpret_cast<uint8_t*>(*list);
  uint8_t* entry = b + kListHeader + kListEntry * static_cast<size_t>(at);
  const int width = WidthOf(BarMenu(at));
  std::memmove(entry, entry + kListEntry, kListEntry * static_cast<size_t>(count - at - 1));
  for (int i = at; i < count - 1; ++i) {
    uint8_t* e = b + kListHeader + kListEntry * static_cast<size_t>(i);
    WriteWord(e + 4, static_cast<uint16_t>(static_cast<int16_t>(ReadWord(e + 4)) - width));
  }
  const int right = static_cast<int16_t>(ReadWord(b + 2));
  SetListHeader(list, count - 1, right - width);
  SetHandleSize(list, static_cast<Size>(kListHeader + kListEntry * static_cast<size_t>(count - 1)));
}

void ZEBAPI DisposeMenu(MenuHandle theMenu) {
  if (!theMenu) return;
  MenuState& s = State();
  for (HierSlot& h : s.hier)
    if (h.menu == theMenu) h = HierSlot{};
  // A menu still in the bar leaves it, so that no rebuild or owner drawing reaches freed memory.
  const int16_t id = MenuIDOf(theMenu);
  if (BarMenu(BarIndexOf(id)) == theMenu) DeleteMen(id);
  ForgetMenu(theMenu, id);
  for (CommandEntry& e : s.commands)
    if (e.menu == theMenu) e = CommandEntry{};
  DisposeHandle(reinterpret_cast<Handle>(theMenu));
}

void ZEBAPI AppendMen(MenuHandle menu, ConstStr255Param data) { AddItems(menu, data, 32767, false); }

void ZEBAPI InsertMenuIte(MenuHandle theMenu, ConstStr255Param itemString, short afterItem) {
  AddItems(theMenu, itemString, afterItem, true);
}

void ZEBAPI InsMenuItem(MenuHandle theMenu, ConstStr255Param itemString, short afterItem) {
  InsertMenuIte(theMenu, itemString, afterItem);
}

void ZEBAPI ZEB_AddResFontMenu(MenuHandle theMenu, Boolean outlineOnly) {
  if (!theMenu || !*theMenu) return;
  quickdraw::FontListCursor cursor;
  char name[64];
  short number = 0;
  static const unsigned char kPlaceholder[] = {1, ' '};
  while (quickdraw::NextFont(cursor, name, &number)) {
    (void)number;
    const bool outline = static_cast<const quickdraw::FontRecord*>(cursor.record)->IsTrueType();
    if (outline != (outlineOnly != 0)) continue;
    AppendMen(theMenu, kPlaceholder);
    unsigned char text[256];
    const size_t n = std::min<size_t>(std::strlen(name), 255);
    text[0] = static_cast<unsigned char>(n);
    std::memcpy(text + 1, name, n);
    SetMenuItemText(theMenu, CountMItems(theMenu), text);
  }
  CalcMenuSize(theMenu);
}

void ZEBAPI AppendResMenu(MenuHandle theMenu, ResType theType) {
  if (!theMenu || !*theMenu) return;
  if (theType == kFONT || theType == kSfnt) {
    ZEB_AddResFontMenu(theMenu, theType == kSfnt);
    return;
  }
  uint8_t* resLoad = frame::Globals().resLoad;
  const uint8_t wasLoading = *resLoad;
  SetResLoad(false);
  const short count = CountResources(theType);
  for (short i = 1; i <= count; ++i) {
    Handle h = GetIndResource(theType, i);
    if (!h) continue;
    short id = 0;
    ResType type = 0;
    Str255 name = {};
    GetResInfo(h, &id, &type, name);
    if (name[0]) AppendMen(theMenu, name);
  }
  SetResLoad(wasLoading != 0);
  CalcMenuSize(theMenu);
}

void ZEBAPI DeleteMenuItem(MenuHandle theMenu, short item) {
  std::vector<uint8_t> image;
  if (!ReadImage(theMenu, image) || !DeleteItem(image, item)) return;
  WriteImage(theMenu, image);
  CalcMenuSize(theMenu);
}

short ZEBAPI CountMItems(MenuHandle theMenu) {
  size_t size = 0;
  const uint8_t* b = Bytes(theMenu, &size);
  return b ? static_cast<short>(CountItems(b, size)) : 0;
}

void ZEBAPI SetMenuItemText(MenuHandle theMenu, short item, ConstStr255Param itemString) {
  std::vector<uint8_t> image;
  if (!itemString || !ReadImage(theMenu, image)) return;
  if (!SetItemText(image, item, itemString + 1, itemString[0])) return;
  WriteImage(theMenu, image);
}

void ZEBAPI GetMenuItemText(MenuHandle theMenu, short item, Str255 itemString) {
  if (!itemString) return;
  itemString[0] = 0;
  const uint8_t* e = Entry(theMenu, item);
  if (e) std::memcpy(itemString, e, static_cast<size_t>(e[0]) + 1);
}

void ZEBAPI SetItemIcon(MenuHandle theMenu, short item, short iconIndex) {
  if (uint8_t* f = Field(theMenu, item, kIconField)) *f = static_cast<uint8_t>(iconIndex);
}
void ZEBAPI GetItemIcon(MenuHandle theMenu, short item, short* iconIndex) {
  if (!iconIndex) return;
  const uint8_t* f = Field(theMenu, item, kIconField);
  *iconIndex = f ? *f : 0;
}
void ZEBAPI SetItemCmd(MenuHandle theMenu, short item, short cmdChar) {
  if (uint8_t* f = Field(theMenu, item, kKeyField)) *f = static_cast<uint8_t>(cmdChar);
}
void ZEBAPI GetItemCmd(MenuHandle theMenu, short item, short* cmdChar) {
  if (!cmdChar) return;
  const uint8_t* f = Field(theMenu, item, kKeyField);
  *cmdChar = f ? *f : 0;
}
void ZEBAPI SetItemMark(MenuHandle theMenu, short item, short markChar) {
  if (uint8_t* f = Field(theMenu, item, kMarkField)) *f = static_cast<uint8_t>(markChar);
}
void ZEBAPI GetItemMark(MenuHandle theMenu, short item, short* markChar) {
  if (!markChar) return;
  const uint8_t* f = Field(theMenu, item, kMarkField);
  *markChar = f ? *f : 0;
}
void ZEBAPI SetItemStyle(MenuHandle theMenu, short item, short chStyle) {
  if (uint8_t* f = Field(theMenu, item, kStyleField)) *f = static_cast<uint8_t>(chStyle);
}
void ZEBAPI GetItemStyle(MenuHandle theMenu, short item, Style* chStyle) {
  if (!chStyle) return;
  const uint8_t* f = Field(theMenu, item, kStyleField);
  *chStyle = f ? *f : 0;
}

void ZEBAPI CheckItem(MenuHandle theMenu, short item, Boolean checked) {
  SetItemMark(theMenu, item, checked ? checkMark : noMark);
}

namespace {
void SetEnableBit(MenuHandle menu, short item, bool on) {
  size_t size = 0;
  const uint8_t* b = Bytes(menu, &size);
  // Items past 31 have no bit; the shift would leave the 32-bit word.
  if (!b || size < kTitleOffset || item < 0 || item > kLastFlaggedItem) return;
  uint8_t* flags = const_cast<uint8_t*>(b) + kEnableFlagsOffset;
  uint32_t v = ReadLong(flags);
  v = on ? (v | (1u << item)) : (v & ~(1u << item));
  WriteLong(flags, v);
}
}  // namespace

void ZEBAPI EnableItem(MenuHandle theMenu, short item) { SetEnableBit(theMenu, item, true); }
void ZEBAPI DisableItem(MenuHandle theMenu, short item) { SetEnableBit(theMenu, item, false); }

Boolean ZEBAPI ZEB_GetItemEnabled(MenuHandle theMenu, short item) {
  size_t size = 0;
  const uint8_t* b = Bytes(theMenu, &size);
  if (!b || size < kTitleOffset || item < 0) return false;
  if (item > 0 && item > CountItems(b, size)) return false;
  return ItemEnabled(ReadLong(b + kEnableFlagsOffset), item);
}

short ZEBAPI GetMBarHeight(void) {
  return static_cast<short>(GetSystemMetrics(SM_CYMENU) + (frame::Version().newShell ? 0 : 2));
}

MenuHandle ZEBAPI ZEB_SearchHierMenuList(short restart) {
  MenuState& s = State();
  if (restart) s.hierCursor = 0;
  while (s.hierCursor < kHierSlots) {
    const HierSlot& h = s.hier[s.hierCursor++];
    if (h.menu) return h.menu;
  }
  return nullptr;
}

short ZEBAPI ZEB_SetMenuResFile(short slot, MenuHandle menu, short refNum) {
  if (slot < 0 || slot > 1) return 0;
  State().resFiles[slot] = MenuState::ResFileSlot{menu, refNum};
  return 1;
}

void ZEBAPI ZEB_SetMenuHook(ZEB_MenuHookProc proc) {
  MenuState& s = State();
  if (s.hook) frame::ReleaseCallback(s.hook);
  s.hook = proc ? frame::WrapCallback(proc) : nullptr;
}

ZEB_MenuHookProc ZEBAPI ZEB_GetMenuHook(void) { return State().hook; }

}  // extern "C"

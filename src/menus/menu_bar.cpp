// The menu bar on the frame window's Windows menu, and the choices that come back from it.
#include <windows.h>

#include <cctype>
#include <cstring>
#include <string>

#include "Events.h"
#include "MacWindows.h"
#include "Menus.h"
#include "dialogs/dialogs_internal.h"
#include "events/events_internal.h"
#include "frame/frame_internal.h"
#include "frame/toolbox_globals.h"
#include "menus/menu_state.h"
#include "menus/menus_internal.h"
#include "osutils/osutils_internal.h"

namespace zeb::menus {

int BarIndexBeingBuilt = 0;

namespace {

// Titles are compared on their first 16 characters to decide whether the bar must be redrawn.
constexpr size_t kComparedTitle = 16;
// A system whose version word is 3 always redraws.
constexpr uint16_t kAlwaysRedrawVersion = 3;
// ZEB_SystemValue selector 13: the first Toolbox menu is merged into the frame's native menu.
constexpr int kMergeFirstMenu = 13;

// The frame menu carries a maximised MDI child's system menu as its first item.
int MaximisedChildShift() {
  HWND client = frame::Session().mdiClient;
  if (!client || !frame::SessionFlag(ZEB_SF_MDI)) return 0;
  BOOL maximised = FALSE;
  HWND active = reinterpret_cast<HWND>(
      SendMessageA(client, WM_MDIGETACTIVE, 0, reinterpret_cast<LPARAM>(&maximised)));
  return active && (maximised || IsZoomed(active)) ? 1 : 0;
}

HMENU FrameMenu(bool create) {
  HWND frame = frame::FrameWindow();
  if (!frame) return nullptr;
  HMENU m = GetMenu(frame);
  if (!m && create) {
    m = CreateMenu();
    if (m) SetMenu(frame, m);
  }
  return m;
}

// Some hosts only ever select with HiliteMenuItem: the item's highlight state is cleared too.
void Unhighlight(HWND frame, HMENU bar, int position) {
  HiliteMenuItem(frame, bar, static_cast<UINT>(position), MF_BYPOSITION | MF_UNHILITE);
  MENUITEMINFOA mii{};
  mii.cbSize = sizeof mii;
  mii.fMask = MIIM_STATE;
  if (GetMenuItemInfoA(bar, static_cast<UINT>(position), TRUE, &mii) && (mii.fState & MFS_HILITE)) {
    mii.fState &= ~static_cast<UINT>(MFS_HILITE);
    SetMenuItemInfoA(bar, static_cast<UINT>(position), TRUE, &mii);
    DrawMenuBar(frame);
  }
}

int PositionOf(HMENU bar, HMENU popup) {
  const int n = GetMenuItemCount(bar);
  for (int i = 0; i < n; ++i)
    if (GetSubMenu(bar, i) == popup) return i;
  return -1;
}

std::string TitleText(MenuHandle menu, uint8_t* used) {
  size_t size = 0;
  const uint8_t* b = Bytes(menu, &size);
  if (!b || !FirstItemOffset(b, size)) return std::string();
  char text[kWinMenuTextCapacity];
  ZEB_CopyMacPtoWinC(b + kTitleOffset, text, reinterpret_cast<char*>(used));
  return text;
}

// The frame menu position of bar title index.
int TitlePosition(int index) {
  const MenuState& s = State();
  const int shift = MaximisedChildShift();
  if (index < static_cast<int>(s.bar.size()) && s.bar[static_cast<size_t>(index)].popup) {
    HMENU bar = FrameMenu(false);
    const int at = bar ? PositionOf(bar, s.bar[static_cast<size_t>(index)].popup) : -1;
    if (at >= 0) return at;
  }
  if (index == 0 && s.apple.merged && s.apple.submenu) {
    HMENU bar = FrameMenu(false);
    const int at = bar ? PositionOf(bar, s.apple.submenu) : -1;
    if (at >= 0) return at;
  }
  return index + shift;
}

void RemoveTitles(HMENU bar) {
  MenuState& s = State();
  for (BarTitle& t : s.bar) {
    if (!t.popup) continue;
    const int at = bar ? PositionOf(bar, t.popup) : -1;
    if (at >= 0) DeleteMenu(bar, static_cast<UINT>(at), MF_BYPOSITION);
    else DestroyMenu(t.popup);
  }
  s.bar.clear();
  s.insertedTitles = 0;
}

bool FunctionKeyDown(int number) {
  if (number < 1 || number > 12) return false;
  return (GetKeyState(VK_F1 + number - 1) & 0x8000) != 0;
}

}  // namespace

void DeliverChoice(int16_t menuID, int item, bool highlight) {
  MenuState& s = State();
  s.pendingResults.push_back((static_cast<long>(menuID) << 16) | static_cast<uint16_t>(item));
  if (highlight) HiliteMenu(menuID);
  events::PostMouseDownReport(inMenuBar);
}

void ReleaseMenus() {
  MenuState& s = State();
  RemoveTitles(FrameMenu(false));
  if (s.hook) frame::ReleaseCallback(s.hook);
  if (s.popUpHFont) DeleteObject(s.popUpHFont);
  s = MenuState{};
}

void ReportMenuSelection(uint16_t selection) { ZEB_EventMenuSel(selection); }

bool Tracking() { return State().tracking || State().popUpNesting > 0; }

bool SuppressingBackgroundClearing() { return State().rebuildingBar; }

void ZEBAPI LibraryDrawMenuBar(void) {
  MenuState& s = State();
  HMENU bar = FrameMenu(true);
  if (!bar) return;
  s.rebuildingBar = true;
  std::vector<std::string> before;
  const int oldCount = s.insertedTitles;
  if (s.insertedTitles) {
    HiliteMenu(0);
    for (const BarTitle& t : s.bar) {
      char text[kComparedTitle + 1] = {};
      const int at = t.popup ? PositionOf(bar, t.popup) : -1;
      if (at >= 0) GetMenuStringA(bar, static_cast<UINT>(at), text, sizeof text, MF_BYPOSITION);
      before.push_back(text);
    }
  }
  RemoveTitles(bar);
  s.apple.merged = events::StoredSystemValue(kMergeFirstMenu) != 0 && s.apple.submenu &&
                   PositionOf(bar, s.apple.submenu) >= 0;
  const int shift = MaximisedChildShift();
  const int count = BarCount();
  uint8_t used[26] = {};
  std::vector<std::string> after;
  for (int i = 0; i < count; ++i) {
    MenuHandle menu = BarMenu(i);
    BarTitle title;
    title.menu = menu;
    title.menuID = MenuIDOf(menu);
    if (i == 0 && s.apple.merged) {
      // The native submenu shows the first Toolbox menu: its last item takes the text of that
      // menu's first item (its About item) and keeps its own command.
      Str255 first = {};
      GetMenuItemText(menu, 1, first);
      if (first[0] && s.apple.lastCommand != 0xFFFF) {
        char text[kWinMenuTextCapacity];
        ZEB_CopyMacPtoWinC(first, text, nullptr);
        ModifyMenuA(s.apple.submenu, s.apple.lastCommand, MF_BYCOMMAND | MF_STRING,
                    s.apple.lastCommand, text);
      }
      s.bar.push_back(title);
      after.push_back(std::string());
      continue;
    }
    HMENU popup = CreatePopupMenu();
    if (!popup) continue;
    const int slot = RegisterMenu(menu, kKindBar);
    for (OwnerDrawEntry& e : s.ownerDraw)
      if (e.menu == menu) e = OwnerDrawEntry{};
    BarIndexBeingBuilt = i + 1;
    BuildWindowsMenu(menu, popup, slot, false, nullptr);
    BarIndexBeingBuilt = 0;
    const std::string text = TitleText(menu, used);
    const int position = i + shift;
    InsertMenuA(bar, static_cast<UINT>(position), MF_BYPOSITION | MF_POPUP | MF_STRING,
                reinterpret_cast<UINT_PTR>(popup), text.c_str());
    title.popup = popup;
    s.bar.push_back(title);
    after.push_back(text.substr(0, kComparedTitle));
    ++s.insertedTitles;
  }
  bool changed = oldCount != s.insertedTitles || frame::Version().versionWord == kAlwaysRedrawVersion;
  for (size_t i = 0; !changed && i < after.size() && i < before.size(); ++i)
    if (after[i] != before[i] && !(i == 0 && s.apple.merged)) changed = true;
  if (changed) DrawMenuBar(frame::FrameWindow());
  s.rebuildingBar = false;
}

void ZEBAPI LibraryHiliteMenu(short menuID) {
  MenuState& s = State();
  HWND frame = frame::FrameWindow();
  HMENU bar = FrameMenu(false);
  int index = menuID ? BarIndexOf(menuID) : -1;
  if (index < 0) menuID = 0;
  if (frame && bar) {
    if (s.hilitedMenu) {
      const int old = BarIndexOf(s.hilitedMenu);
      if (old >= 0 && old != index) Unhighlight(frame, bar, TitlePosition(old));
    }
    if (index >= 0)
      HiliteMenuItem(frame, bar, static_cast<UINT>(TitlePosition(index)), MF_BYPOSITION | MF_HILITE);
  }
  s.hilitedMenu = menuID;
  *frame::Globals().theMenu = menuID;
}

}  // namespace zeb::menus

using namespace zeb;
using namespace zeb::menus;

extern "C" {

void ZEBAPI DrawMenuBa(void) {
  osutils::Patchable<void(ZEBAPI*)(void)>(osutils::kTrapDrawMenuBar)();
}

void ZEBAPI HiliteMenu(short menuID) {
  osutils::Patchable<void(ZEBAPI*)(short)>(osutils::kTrapHiliteMenu)(menuID);
}

long ZEBAPI MenuSelect(Point startPt) {
  (void)startPt;
  MenuState& s = State();
  if (!s.pendingResults.empty()) {
    s.lastResult = s.pendingResults.front();
    s.pendingResults.pop_front();
  }
  return s.lastResult;
}

long ZEBAPI MenuKey(short ch) {
  const uint8_t c = static_cast<uint8_t>(ch);
  // No key, Escape and the two arrows whose characters are the submenu and small-icon markers
  // would otherwise match items without an equivalent, submenus and icon items.
  if (c == 0 || c == kHierarchicalKey || c == kReducedIconKey || c == kSmallIconKey) return 0;
  const uint8_t upper = static_cast<uint8_t>(std::toupper(c));
  const bool digitFunctionKeys = frame::SessionFlag(ZEB_SF_DIGITFKEYS);
  auto search = [&](MenuHandle menu) -> long {
    size_t size = 0;
    const uint8_t* b = Bytes(menu, &size);
    if (!b || !FirstItemOffset(b, size)) return 0;
    const uint32_t flags = ReadLong(b + kEnableFlagsOffset);
    if (!ItemEnabled(flags, 0)) return 0;
    const int count = CountItems(b, size);
    for (int item = 1; item <= count; ++item) {
      if (!ItemEnabled(flags, item)) continue;
      const uint8_t* e = b + ItemOffset(b, size, item);
      const uint8_t key = e[1 + e[0] + kKeyField];
      if (key == 0 || key == kHierarchicalKey || key == kReducedIconKey || key == kSmallIconKey)
        continue;
      bool match;
      if (digitFunctionKeys && key >= '0' && key <= '9') {
        // A digit equivalent is a function key: 0 is F11, 1..9 are F1..F9.
        match = FunctionKeyDown(key == '0' ? 11 : key - '0');
      } else {
        match = std::toupper(key) == upper;
      }
      if (match) return (static_cast<long>(ReadWord(b)) << 16) | item;
    }
    return 0;
  };
  const int n = BarCount();
  for (int i = 0; i < n; ++i)
    if (long r = search(BarMenu(i))) return r;
  for (const HierSlot& h : State().hier)
    if (h.menu)
      if (long r = search(h.menu)) return r;
  return 0;
}

short ZEBAPI ZEB_MenuIDFromHMENU(HMENU hmenu) {
  if (!hmenu) return 0;
  const int n = GetMenuItemCount(hmenu);
  for (int i = 0; i < n; ++i) {
    if (GetSubMenu(hmenu, i)) continue;
    const UINT id = GetMenuItemID(hmenu, i);
    if (id == static_cast<UINT>(-1)) continue;
    return MenuIDOfCommand(static_cast<uint16_t>(id));
  }
  return 0;
}

short ZEBAPI ZEB_MenuIDFromCMD(HMENU hmenu, unsigned short command) {
  const short id = MenuIDOfCommand(command);
  return id ? id : ZEB_MenuIDFromHMENU(hmenu);
}

char* ZEBAPI ZEB_CopyMacPtoWinC(ConstStr255Param pstr, char* dest, char* usedLetters) {
  if (!dest) return dest;
  MenuTextConversion how;
  how.ownMnemonics = frame::SessionFlag(ZEB_SF_MNEMONICS);
  how.tables = events::StoredSystemValue(24) != 0;
  if (frame::Session().doubleByte)
    how.isLeadByte = [](uint8_t c) { return IsDBCSLeadByte(c) != 0; };
  CopyMacToWindowsMenuText(pstr, dest, kWinMenuTextCapacity,
                           reinterpret_cast<uint8_t*>(usedLetters), how);
  return dest;
}

void ZEBAPI ZEB_InitMenuMsg(HMENU hmenu) {
  MenuState& s = State();
  for (size_t i = 0; i < s.bar.size(); ++i) {
    BarTitle& t = s.bar[i];
    if (!t.popup || t.popup != hmenu || !t.menu) continue;
    while (GetMenuItemCount(hmenu) > 0) DeleteMenu(hmenu, 0, MF_BYPOSITION);
    for (OwnerDrawEntry& e : s.ownerDraw)
      if (e.menu == t.menu) e = OwnerDrawEntry{};
    const int slot = RegisterMenu(t.menu, kKindBar);
    BarIndexBeingBuilt = static_cast<int>(i) + 1;
    BuildWindowsMenu(t.menu, hmenu, slot, false, nullptr);
    BarIndexBeingBuilt = 0;
    // Keys typed while the menu is down go to the frame, unless an edit item has the focus.
    if (!dialogs::FocusIsEditItem() && frame::FrameWindow()) SetFocus(frame::FrameWindow());
    return;
  }
}

void ZEBAPI ZEB_EventMenuSel(unsigned short command) {
  MenuState& s = State();
  if (command == kQuitCommand) {
    command = s.aboutCommand;
    if (command == kQuitCommand) return;
  }
  int16_t menuID;
  uint8_t kinds = 0;
  const CommandEntry* entry = nullptr;
  if (command == 0) {
    menuID = MenuIDOf(BarMenu(0));
  } else {
    entry = EntryOfCommand(command);
    menuID = entry ? entry->menuID : 0;
    kinds = entry ? entry->kinds : 0;
  }
  int item = CommandItem(command);
  if (s.popUpNesting > 0) {
    s.popUpCommand = command;
    s.popUpCommandArrived = true;
    return;
  }
  if (menuID == 0) return;  // the command names no menu
  if (entry && (kinds & kKindSubmenu) && DefinitionOf(entry->menu)) {
    if (s.customTracked != entry->menu || s.customChosen <= 0) return;
    item = s.customChosen;
    s.customChosen = 0;
  }
  DeliverChoice(menuID, item, (kinds & kKindSubmenu) == 0);
}

LRESULT ZEBAPI ZEB_MenuSelect(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  (void)hwnd;
  (void)message;
  MenuState& s = State();
  const UINT flags = HIWORD(wParam);
  const HMENU hmenu = reinterpret_cast<HMENU>(lParam);
  if (flags == 0xFFFF && !hmenu) {
    s.tracking = false;  // the menu closed
    s.customTracked = nullptr;
    return 0;
  }
  s.tracking = true;
  s.customTracked = nullptr;
  if (flags & MF_OWNERDRAW) {
    const CommandEntry* e = EntryOfCommand(LOWORD(wParam));
    if (e && (e->kinds & kKindSubmenu) && DefinitionOf(e->menu)) {
      s.customTracked = e->menu;
      ZEB_EnterIdle(hwnd, WM_ENTERIDLE, MSGF_MENU, 0);
    }
  }
  return 0;
}

}  // extern "C"

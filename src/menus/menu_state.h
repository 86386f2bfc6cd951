// The Menu Manager's own state and the helpers its files share.
#ifndef ZEB_MENUS_MENU_STATE_H
#define ZEB_MENUS_MENU_STATE_H

#include <windows.h>

#include <cstdint>
#include <deque>
#include <vector>

#include "Menus.h"
#include "menus/menu_record.h"
#include "menus/menu_text.h"

namespace zeb::menus {

// Kind flags of a command-table entry.
constexpr uint8_t kKindBar = 0;
constexpr uint8_t kKindPopUp = 1;
constexpr uint8_t kKindSubmenu = 2;  // a submenu or a custom-definition menu, not a bar title
// What a registration answers when it failed: the menu's items get no command.
constexpr int kNoSlot = 0xFFFF;

struct CommandEntry {
  int16_t menuID = 0;
  MenuHandle menu = nullptr;  // null: a free entry
  uint8_t kinds = 0;
};

struct OwnerDrawEntry {
  MenuHandle menu = nullptr;  // null: a free entry
  uint16_t command = 0;
  int16_t item = 0;
  HMENU submenu = nullptr;
};

struct HierSlot {
  int16_t menuID = 0;  // 0: free
  MenuHandle menu = nullptr;
};
constexpr int kHierSlots = 128;

struct BarTitle {
  int16_t menuID = 0;
  MenuHandle menu = nullptr;
  HMENU popup = nullptr;  // null for the merged first menu
};

struct NativeAppleMenu {
  HMENU submenu = nullptr;
  UINT firstCommand = 0;
  char firstTitle[64] = {};
  UINT lastCommand = 0xFFFF;
  bool merged = false;  // the first menu of the bar is shown by the native submenu
};

struct MenuState {
  bool initialised = false;
  // Layout values of InitMenus.
  int availableHeight = 400;
  int popUpAvailableHeight = 420;
  int separatorHeight = 7;
  int itemsPerColumn = 20;
  int checkMarginLeft = 4, checkMarginRight = 4;
  int lineHeight = 16;
  KeyFormats formats;
  COLORREF menuColour = 0, menuText = 0, highlight = 0, highlightText = 0, grayText = 0,
           window = 0, windowText = 0;

  HierSlot hier[kHierSlots];
  int hierCursor = 0;  // ZEB_SearchHierMenuList
  std::vector<CommandEntry> commands;
  std::vector<OwnerDrawEntry> ownerDraw;
  std::vector<BarTitle> bar;  // the titles inserted in the frame menu
  int insertedTitles = 0;
  NativeAppleMenu apple;
  uint16_t aboutCommand = kQuitCommand;
  bool aboutFromNative = false;

  // Menu choices reported and not yet answered by MenuSelect, and the last answer.
  std::deque<long> pendingResults;
  long lastResult = 0;
  int popUpNesting = 0;
  uint16_t popUpCommand = 0;
  bool popUpCommandArrived = false;
  int16_t hilitedMenu = 0;
  bool tracking = false;
  bool rebuildingBar = false;

  ZEB_MenuHookProc hook = nullptr;  // as a procedure instance
  struct ResFileSlot {
    MenuHandle menu = nullptr;
    short refNum = 0;
  } resFiles[2];

  // ZEB_PopUpMenuSelectUsingDiffFont for the duration of one PopUpMenuSelect.
  bool popUpFont = false;
  char popUpFace[32] = {};
  short popUpFontSize = 0;
  HFONT popUpHFont = nullptr;
  // A custom menu being tracked by Windows: its definition's chosen item.
  MenuHandle customTracked = nullptr;
  short customChosen = 0;
};

MenuState& State();

// The block of a menu as an image, and an image written back (false when the block could not
// be resized; the menu is then unchanged).
bool ReadImage(MenuHandle menu, std::vector<uint8_t>& image);
bool WriteImage(MenuHandle menu, const std::vector<uint8_t>& image);
// The block's bytes and size (null for a NIL or empty handle).
const uint8_t* Bytes(MenuHandle menu, size_t* size);
int16_t MenuIDOf(MenuHandle menu);
uint32_t EnableFlagsOf(MenuHandle menu);

// The definition procedure of a custom menu: the entry stored after the 'MDEF' block's first
// two bytes, when it is a procedure registered with ZEB_CodeResource; else null.
MenuDefProcPtr DefinitionOf(MenuHandle menu);

// The menu list (the cell behind GetMenuBar): its handle, created empty on demand, and its
// entries.
Handle MenuList();
int BarCount();
MenuHandle BarMenu(int index);
// Menus named by the bar, then the hierarchical list.
MenuHandle FindMenu(int16_t menuID);
int BarIndexOf(int16_t menuID);

// The command table: registering (menu, ID, kinds) gives the 1-based slot, or kNoSlot.
int RegisterMenu(MenuHandle menu, uint8_t kinds);
// The entry an identifier names, or null.
const CommandEntry* EntryOfCommand(uint16_t command);
// Decoding an identifier into a menu ID (0 when it names no menu).
int16_t MenuIDOfCommand(uint16_t command);
// A menu leaves the tables: its command entries, owner-draw entries, hierarchical slots, bar
// titles and the resource-file slots forget it.
void ForgetMenu(MenuHandle menu, int16_t menuID);

// Owner-draw entries: the index of a new one.
int AddOwnerDraw(MenuHandle menu, uint16_t command, int item, HMENU submenu);
const OwnerDrawEntry* OwnerDrawAt(size_t index);

// Fills a Windows menu from a Toolbox menu. base is the slot number (kNoSlot when the
// registration failed); columns, when given, receives the number of columns.
void BuildWindowsMenu(MenuHandle menu, HMENU target, int slot, bool popUp, int* columns,
                      int depth = 0);
// The 1-based bar position of the menu being built, for the native entry table (0: none).
extern int BarIndexBeingBuilt;
bool ItemIsSeparator(const uint8_t* entry);
KeyEquivalent KeyOfItem(const uint8_t* entry);
// Item icons are resources 256 + the item's icon number.
constexpr int kIconResourceBase = 256;
// The size an item's icon takes (its 'cicn', 'ICON' or 'SICN').
SIZE ItemIconSize(const uint8_t* entry);
// The measuring font, or the pop-up font in effect.
HFONT MenuFont();

// Posts the choice: stored for MenuSelect, the title highlighted, a menu-bar report posted.
void DeliverChoice(int16_t menuID, int item, bool highlight);

// Menu clean-up at exit (before the heaps go): owner-draw table, pop-ups, hook instance.
void ReleaseMenus();

}  // namespace zeb::menus

#endif  // ZEB_MENUS_MENU_STATE_H

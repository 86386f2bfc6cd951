// The Menu Manager's tables: the menu list, the hierarchical list, the command table and the
// owner-draw table.
#include "menus/menu_state.h"

#include <cstring>

#include "MacMemory.h"
#include "Resources.h"
#include "frame/address32.h"
#include "frame/frame_internal.h"
#include "frame/toolbox_globals.h"

namespace zeb::menus {
namespace {

MenuState g_state;

// The menu list: a 6-byte header (lastMenu, lastRight, a word carried along) and 6-byte
// entries (the handle in 32 bits, the title's left edge).
constexpr size_t kListHeader = 6;
constexpr size_t kListEntry = 6;

}  // namespace

MenuState& State() { return g_state; }

const uint8_t* Bytes(MenuHandle menu, size_t* size) {
  *size = 0;
  if (!menu || !*menu) return nullptr;
  const long n = GetHandleSize(reinterpret_cast<Handle>(menu));
  if (n <= 0) return nullptr;
  *size = static_cast<size_t>(n);
  return reinterpret_cast<const uint8_t*>(*menu);
}

bool ReadImage(MenuHandle menu, std::vector<uint8_t>& image) {
  size_t size = 0;
  const uint8_t* bytes = Bytes(menu, &size);
  if (!bytes || !FirstItemOffset(bytes, size)) return false;
  image.assign(bytes, bytes + size);
  return true;
}

bool WriteImage(MenuHandle menu, const std::vector<uint8_t>& image) {
  Handle h = reinterpret_cast<Handle>(menu);
  const long old = GetHandleSize(h);
  if (old != static_cast<long>(image.size())) {
    SetHandleSize(h, static_cast<Size>(image.size()));
    if (MemError() != noErr || GetHandleSize(h) != static_cast<long>(image.size())) {
      if (GetHandleSize(h) != old) SetHandleSize(h, old);
      return false;
    }
  }
  std::memcpy(*h, image.data(), image.size());
  return true;
}

int16_t MenuIDOf(MenuHandle menu) {
  size_t size = 0;
  const uint8_t* b = Bytes(menu, &size);
  return b && size >= 2 ? static_cast<int16_t>(ReadWord(b)) : 0;
}

uint32_t EnableFlagsOf(MenuHandle menu) {
  size_t size = 0;
  const uint8_t* b = Bytes(menu, &size);
  return b && size >= kTitleOffset ? ReadLong(b + kEnableFlagsOffset) : 0;
}

MenuDefProcPtr DefinitionOf(MenuHandle menu) {
  size_t size = 0;
  const uint8_t* b = Bytes(menu, &size);
  if (!b || size < kTitleOffset) return nullptr;
  Handle mdef = LongToAddress<char*>(ReadLong(b + kMenuProcOffset));
  if (!mdef || !*mdef || GetHandleSize(mdef) < 6) return nullptr;
  ProcPtr proc = LongToAddress<long ZEBAPI(void)>(ReadLong(reinterpret_cast<uint8_t*>(*mdef) + 2));
  // Only a procedure that the application registered is ever called: the bytes of an 'MDEF'
  // read from a file are 68000 code or garbage, never an address.
  if (!proc || !ZEB_CodeResource(ZEB_CODE_HOLDS, ZEB_FOURCC('M', 'D', 'E', 'F'), 0, proc))
    return nullptr;
  return reinterpret_cast<MenuDefProcPtr>(reinterpret_cast<void*>(proc));
}

Handle MenuList() {
  Handle* cell = frame::Globals().menuList;
  if (!*cell) {
    *cell = NewHandleClear(kListHeader);
  }
  return *cell;
}

int BarCount() {
  Handle list = *frame::Globals().menuList;
  if (!list || !*list) return 0;
  const long size = GetHandleSize(list);
  return size > 0 ? MenuListCount(reinterpret_cast<uint8_t*>(*list), static_cast<size_t>(size)) : 0;
}

MenuHandle BarMenu(int index) {
  if (index < 0 || index >= BarCount()) return nullptr;
  const uint8_t* b = reinterpret_cast<uint8_t*>(**frame::Globals().menuList);
  return LongToAddress<MenuPtr>(ReadLong(b + kListHeader + kListEntry * static_cast<size_t>(index)));
}

int BarIndexOf(int16_t menuID) {
  const int n = BarCount();
  for (int i = 0; i < n; ++i)
    if (MenuHandle m = BarMenu(i); m && MenuIDOf(m) == menuID) return i;
  return -1;
}

MenuHandle FindMenu(int16_t menuID) {
  const int i = BarIndexOf(menuID);
  if (i >= 0) return BarMenu(i);
  for (const HierSlot& s : g_state.hier)
    if (s.menu && s.menuID == menuID) return s.menu;
  return nullptr;
}

int RegisterMenu(MenuHandle menu, uint8_t kinds) {
  const int16_t id = MenuIDOf(menu);
  auto& table = g_state.commands;
  for (size_t i = 0; i < table.size(); ++i) {
    if (table[i].menu == menu && table[i].menuID == id) {
      table[i].kinds |= kinds;
      return static_cast<int>(i) + 1;
    }
  }
  for (size_t i = 0; i < table.size(); ++i) {
    if (!table[i].menu) {
      table[i] = CommandEntry{id, menu, kinds};
      return static_cast<int>(i) + 1;
    }
  }
  // Slot 255 would make its item 256 the quit command: the table stops at 254 entries.
  if (table.size() >= static_cast<size_t>(kLastSlot)) return kNoSlot;
  table.push_back(CommandEntry{id, menu, kinds});
  return static_cast<int>(table.size());
}

const CommandEntry* EntryOfCommand(uint16_t command) {
  const int index = CommandSlotIndex(command);
  if (index < 0 || index >= static_cast<int>(g_state.commands.size())) return nullptr;
  const CommandEntry& e = g_state.commands[static_cast<size_t>(index)];
  return e.menu ? &e : nullptr;
}

int16_t MenuIDOfCommand(uint16_t command) {
  const CommandEntry* e = EntryOfCommand(command);
  return e ? e->menuID : 0;
}

void ForgetMenu(MenuHandle menu, int16_t menuID) {
  for (CommandEntry& e : g_state.commands)
    if (e.menu && (e.menu == menu || e.menuID == menuID)) e = CommandEntry{};
  for (OwnerDrawEntry& e : g_state.ownerDraw)
    if (e.menu && (e.menu == menu || MenuIDOf(e.menu) == menuID)) e = OwnerDrawEntry{};
  for (BarTitle& t : g_state.bar)
    if (t.menu == menu) t.menu = nullptr;
  for (auto& r : g_state.resFiles)
    if (r.menu == menu) r = MenuState::ResFileSlot{};
  if (g_state.customTracked == menu) g_state.customTracked = nullptr;
}

int AddOwnerDraw(MenuHandle menu, uint16_t command, int item, HMENU submenu) {
  auto& table = g_state.ownerDraw;
  for (size_t i = 0; i < table.size(); ++i) {
    if (!table[i].menu) {
      table[i] = OwnerDrawEntry{menu, command, static_cast<int16_t>(item), submenu};
      return static_cast<int>(i);
    }
  }
  table.push_back(OwnerDrawEntry{menu, command, static_cast<int16_t>(item), submenu});
  return static_cast<int>(table.size() - 1);
}

const OwnerDrawEntry* OwnerDrawAt(size_t index) {
  if (index >= g_state.ownerDraw.size()) return nullptr;
  const OwnerDrawEntry& e = g_state.ownerDraw[index];
  return e.menu ? &e : nullptr;
}


}  // namespace zeb::menus

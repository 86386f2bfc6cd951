// Windows menus built from MenuInfo records, and the sizes of menus.
#include <windows.h>

#include <algorithm>
#include <cstring>
#include <string>

#include "Events.h"
#include "Menus.h"
#include "Resources.h"
#include "ZEB.h"
#include "events/events_internal.h"
#include "frame/frame_internal.h"
#include "menus/menu_state.h"
#include "quickdraw/quickdraw_internal.h"

namespace zeb::menus {
namespace {

// ZEB_SystemValue selectors of the Menu Manager.
constexpr int kExtendedKeyEquivalents = 51;
constexpr int kCharacterConversion = 24;
// The native entry table of ZEB_Set_MacWin.
constexpr size_t kNativeEntrySize = 72;
constexpr uint16_t kNativeEnd = 0x8000;
constexpr uint16_t kNativeFromEnd = 0x200;
constexpr uint16_t kNativeAbout = 0x400;
constexpr size_t kNativeTextOffset = 8;
// Submenus nest no deeper: a menu naming itself as its own submenu would never end.
constexpr int kDeepestSubmenu = 8;
// Item heights: a separator in the Toolbox's own measure.
constexpr int kSeparatorMeasure = 8;
constexpr int kIconGap = 6;
constexpr int kWidthPadding = 24;

bool IsLeadByte(uint8_t c) { return IsDBCSLeadByte(c) != 0; }

MenuTextConversion Conversion() {
  MenuTextConversion how;
  how.ownMnemonics = frame::SessionFlag(ZEB_SF_MNEMONICS);
  how.tables = events::StoredSystemValue(kCharacterConversion) != 0;
  if (frame::Session().doubleByte) how.isLeadByte = IsLeadByte;
  return how;
}

// The native entry that supplies the text of item (1-based) of the bar menu at barIndex
// (1-based), with the count of items of that menu; null when none does.
const uint8_t* NativeEntryFor(int barIndex, int item, int itemCount) {
  const uint8_t* table = static_cast<const uint8_t*>(frame::Session().menuKeyTable);
  if (!table || barIndex <= 0) return nullptr;
  for (const uint8_t* e = table;; e += kNativeEntrySize) {
    const uint16_t flags = ReadWord(e);
    if (flags & kNativeEnd) return nullptr;
    const int index = static_cast<int16_t>(ReadWord(e + 2));
    int position = static_cast<int16_t>(ReadWord(e + 4));
    if (flags & kNativeFromEnd) position = itemCount + 1 - position;
    if (index == barIndex && position == item) return e;
  }
}

}  // namespace

bool ItemIsSeparator(const uint8_t* entry) { return entry[0] >= 1 && entry[1] == '-'; }

KeyEquivalent KeyOfItem(const uint8_t* entry) {
  const uint8_t* t = entry + 1 + entry[0];
  return DescribeKeyEquivalent(t[kKeyField], t[kStyleField], t[kIconField], entry + 1, entry[0],
                               frame::SessionFlag(ZEB_SF_DIGITFKEYS),
                               events::StoredSystemValue(kExtendedKeyEquivalents) != 0);
}

// The icon number an item shows, 0 for none (under the extended option the byte may encode the
// accelerator instead).
int IconOfItem(const uint8_t* entry) {
  const uint8_t* t = entry + 1 + entry[0];
  if (IconByteIsAccelerator(t[kKeyField], t[kIconField], entry + 1, entry[0],
                            events::StoredSystemValue(kExtendedKeyEquivalents) != 0))
    return 0;
  return t[kIconField];
}

HFONT MenuFont() {
  const MenuState& s = State();
  if (s.popUpFont && s.popUpHFont) return s.popUpHFont;
  HFONT f = quickdraw::Fonts().measuring;
  return f ? f : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}

// The size of an item's icon: 16 by 16 for the reduced and small-icon markers, else the size
// of its 'cicn' (256 + icon number), or 32 by 32 for an 'ICON' when there is none.
SIZE ItemIconSize(const uint8_t* entry) {
  const uint8_t* t = entry + 1 + entry[0];
  const uint8_t key = t[kKeyField];
  if (key == kReducedIconKey || key == kSmallIconKey) return SIZE{16, 16};
  SIZE size{32, 32};
  if (t[kIconField]) quickdraw::ColourIconResourceSize(static_cast<short>(kIconResourceBase + t[kIconField]), &size);
  return size;
}

void BuildWindowsMenu(MenuHandle menu, HMENU target, int slot, bool popUp, int* columns,
                      int depth) {
  MenuState& s = State();
  if (columns) *columns = 1;
  if (!menu || !target) return;
  const int barIndex = depth == 0 && !popUp ? BarIndexBeingBuilt : 0;
  if (DefinitionOf(menu)) {
    const int own = RegisterMenu(menu, kKindSubmenu);
    const uint16_t command = own == kNoSlot ? 0 : EncodeCommand(own, 1);
    const int index = AddOwnerDraw(menu, command, 0, nullptr);
    AppendMenuA(target, MF_OWNERDRAW | (command ? 0 : MF_GRAYED), command,
                reinterpret_cast<LPCSTR>(static_cast<uintptr_t>(index)));
    return;
  }
  std::vector<uint8_t> image;
  if (!ReadImage(menu, image)) return;
  const int count = CountItems(image.data(), image.size());
  const int perColumn = std::max(1, s.itemsPerColumn);
  const size_t maxChars = static_cast<size_t>(60 / (count / perColumn + 1));
  const uint32_t flagsWord = ReadLong(&image[kEnableFlagsOffset]);
  const MenuTextConversion how = Conversion();
  uint8_t used[26] = {};
  int columnHeight = 0;
  int columnCount = 1;
  const int available = popUp ? s.popUpAvailableHeight : s.availableHeight;
  bool nativeAbout = false;
  for (int i = 0; i < count; ++i) {
    const int item = i + 1;
    const size_t at = ItemOffset(image.data(), image.size(), item);
    const uint8_t* entry = &image[at];
    const uint8_t* trailer = entry + 1 + entry[0];
    // Items past 256, and those of a menu whose registration failed, have no command.
    const uint16_t command = slot == kNoSlot ? 0 : EncodeCommand(slot, item);
    UINT flags = 0;
    if (!command) flags |= MF_GRAYED | MF_DISABLED;
    const bool enabled =
        item > kLastFlaggedItem || (ItemEnabled(flagsWord, 0) && ItemEnabled(flagsWord, item));
    if (!enabled) flags |= MF_GRAYED | MF_DISABLED;

    std::string text;
    const uint8_t* native = NativeEntryFor(barIndex, item, count);
    if (native) {
      const char* t = reinterpret_cast<const char*>(native + kNativeTextOffset);
      text.assign(t, strnlen(t, kNativeEntrySize - kNativeTextOffset));
      if (ReadWord(native) & kNativeAbout) {
        nativeAbout = true;
        if (slot == 1) s.aboutCommand = command;
      }
      const uint8_t letter = native[6];
      if (letter >= 'A' && letter <= 'Z') used[letter - 'A'] = 1;
    } else if (trailer[kIconField] & 0x80 &&
               !IconByteIsAccelerator(trailer[kKeyField], trailer[kIconField], entry + 1, entry[0],
                                      events::StoredSystemValue(kExtendedKeyEquivalents) != 0)) {
      text.assign(reinterpret_cast<const char*>(entry + 1), entry[0]);
    } else {
      char buffer[kWinMenuTextCapacity];
      const size_t n =
          CopyMacToWindowsMenuText(entry, buffer, sizeof buffer, popUp ? nullptr : used, how);
      text.assign(buffer, n);
    }
    if (text.size() > maxChars) text.resize(maxChars);

    const bool separator = entry[0] == 1 && entry[1] == '-';
    HMENU sub = nullptr;
    if (separator) {
      flags |= MF_SEPARATOR;
    } else if (trailer[kKeyField] == kHierarchicalKey) {
      MenuHandle submenu = nullptr;
      for (const HierSlot& h : s.hier)
        if (h.menu && h.menuID == static_cast<int16_t>(trailer[kMarkField])) submenu = h.menu;
      if (enabled && submenu && depth < kDeepestSubmenu) {
        sub = popUp ? CreatePopupMenu() : CreateMenu();
        if (sub) {
          const int subSlot = RegisterMenu(submenu, kKindSubmenu);
          BuildWindowsMenu(submenu, sub, subSlot, popUp, nullptr, depth + 1);
          flags |= MF_POPUP;
          flags &= ~static_cast<UINT>(MF_GRAYED | MF_DISABLED);
        }
      }
    } else {
      text += KeyEquivalentText(KeyOfItem(entry), s.formats);
      if (trailer[kMarkField]) flags |= MF_CHECKED;
    }

    const int icon = IconOfItem(entry);
    const uint8_t style = trailer[kStyleField];
    const bool ownerDrawn = !separator && !sub &&
                            (icon != 0 || (style & (1 | 2 | 4 | kStrikeOutStyle)) || s.popUpFont);
    int height;
    if (ownerDrawn) height = (icon ? ItemIconSize(entry).cy : s.lineHeight) + 2;
    else height = separator ? s.separatorHeight : s.lineHeight + 2;
    if (columnHeight + height > available && columnHeight > 0) {
      flags |= MF_MENUBARBREAK;
      columnHeight = 0;
      ++columnCount;
    }
    columnHeight += height;

    if (ownerDrawn) {
      const int index = AddOwnerDraw(menu, command, item, nullptr);
      AppendMenuA(target, flags | MF_OWNERDRAW, command,
                  reinterpret_cast<LPCSTR>(static_cast<uintptr_t>(index)));
    } else if (sub) {
      AppendMenuA(target, flags, reinterpret_cast<UINT_PTR>(sub), text.c_str());
    } else if (separator) {
      AppendMenuA(target, flags, command, nullptr);
    } else {
      AppendMenuA(target, flags | MF_STRING, command, text.c_str());
    }
  }
  // Only a bar title in slot 1 records the About command: a pop-up registered first would
  // make the quit command choose its last item.
  if (slot == 1 && !popUp && depth == 0 && !nativeAbout && count > 0 &&
      !s.aboutFromNative)
    s.aboutCommand = EncodeCommand(1, count);
  if (columns) *columns = columnCount;
}

}  // namespace zeb::menus

using namespace zeb;
using namespace zeb::menus;

extern "C" void ZEBAPI CalcMenuSize(MenuHandle theMenu) {
  if (!theMenu || !*theMenu) return;
  size_t size = 0;
  const uint8_t* b = Bytes(theMenu, &size);
  if (!b || size < kTitleOffset) return;
  if (MenuDefProcPtr proc = DefinitionOf(theMenu)) {
    Rect r = {0, 0, 0, 0};
    Point p = {0, 0};
    short item = 0;
    proc(mSizeMsg, theMenu, &r, p, &item);
    return;
  }
  const MenuState& s = State();
  std::vector<uint8_t> image(b, b + size);
  const int count = CountItems(image.data(), image.size());
  const int perColumn = std::max(1, s.itemsPerColumn);
  const size_t maxChars = static_cast<size_t>(60 / (count / perColumn + 1));
  HDC dc = GetDC(nullptr);
  HGDIOBJ old = SelectObject(dc, MenuFont());
  int total = 0, columnWidth = 0, widthSum = 0, height = 0;
  for (int i = 0; i < count; ++i) {
    const size_t at = ItemOffset(image.data(), image.size(), i + 1);
    const uint8_t* entry = &image[at];
    const size_t n = std::min<size_t>(entry[0], maxChars);
    SIZE extent{0, 0};
    GetTextExtentPoint32A(dc, reinterpret_cast<const char*>(entry + 1), static_cast<int>(n), &extent);
    int width = extent.cx;
    int itemHeight = ItemIsSeparator(entry) ? kSeparatorMeasure : s.lineHeight;
    if (IconOfItem(entry)) {
      const SIZE icon = ItemIconSize(entry);
      width += icon.cx + kIconGap + s.checkMarginLeft + s.checkMarginRight;
      itemHeight = std::max<int>(itemHeight, icon.cy);
    }
    columnWidth = std::max(columnWidth, width);
    height += itemHeight;
    if ((i + 1) % perColumn == 0) {
      widthSum += columnWidth;
      columnWidth = 0;
    }
  }
  widthSum += columnWidth;
  total = widthSum + kWidthPadding;
  SelectObject(dc, old);
  ReleaseDC(nullptr, dc);
  uint8_t* w = reinterpret_cast<uint8_t*>(*theMenu);
  WriteWord(w + kMenuWidthOffset, static_cast<uint16_t>(total));
  WriteWord(w + kMenuHeightOffset, static_cast<uint16_t>(height));
}

// Pop-up menus: PopUpMenuSelect on TrackPopupMenu, and the idle calls made while a menu is
// tracked.
#include <windows.h>

#include <algorithm>
#include <cstring>

#include "Menus.h"
#include "events/events_internal.h"
#include "frame/frame_internal.h"
#include "frame/toolbox_globals.h"
#include "menus/menu_state.h"
#include "menus/menus_internal.h"
#include "osutils/osutils_internal.h"
#include "quickdraw/quickdraw_internal.h"

namespace zeb::menus {
namespace {

// The pop-up's idle timer: ZEB_EnterIdle runs every 50 ms while Windows tracks the menu.
constexpr UINT kIdleInterval = 50;
// ZEB_SystemValue selector 49: called with the mouse point when the left button goes down
// outside the menu; a non-zero answer cancels the menu.
constexpr int kOutsideClickCallback = 49;
typedef long(ZEBAPI* OutsideClickProc)(Point where);
// Screen room kept free right of a pop-up.
constexpr int kRightRoom = 80;
// A release within this square round the mouse does not dismiss the pop-up.
constexpr int kReleaseSlack = 5;
constexpr int kSeparatorStep = 8;
constexpr char kDefaultPopUpFace[] = "System";

void CALLBACK IdleTimer(HWND, UINT, UINT_PTR, DWORD) {
  ZEB_EnterIdle(frame::FrameWindow(), WM_ENTERIDLE, MSGF_MENU, 0);
}

// The height Windows gives the items before popUpItem, so that item comes under the point.
int HeightAbove(MenuHandle menu, int popUpItem) {
  const MenuState& s = State();
  size_t size = 0;
  const uint8_t* b = Bytes(menu, &size);
  if (!b) return 0;
  const int count = CountItems(b, size);
  const int perColumn = std::max(1, s.itemsPerColumn);
  int sum = 0;
  for (int item = 1; item < popUpItem && item <= count; ++item) {
    const uint8_t* e = b + ItemOffset(b, size, item);
    const uint8_t icon = e[1 + e[0] + kIconField];
    int h = ItemIsSeparator(e) ? kSeparatorStep : s.lineHeight;
    if (icon) h = std::max<int>(h, ItemIconSize(e).cy);
    sum += h;
    if (item % perColumn == 0) sum = 0;  // the next item starts a new column
  }
  return sum;
}

long TrackWithWindows(MenuHandle menu, short top, short left, short popUpItem) {
  MenuState& s = State();
  HMENU popup = CreatePopupMenu();
  if (!popup) return 0;
  const int slot = RegisterMenu(menu, kKindPopUp);
  int columns = 1;
  BuildWindowsMenu(menu, popup, slot, true, &columns);
  int y = top, x = left;
  if (popUpItem > 0) y -= HeightAbove(menu, popUpItem);
  const int width = static_cast<int16_t>(ReadWord(reinterpret_cast<uint8_t*>(*menu) + kMenuWidthOffset));
  const int limit = GetSystemMetrics(SM_CXSCREEN) - kRightRoom - width * columns;
  if (limit < x) x = std::max(0, limit);
  x = std::max(0, x - 1);
  y = std::max(0, y - 1);
  POINT mouse{};
  GetCursorPos(&mouse);
  RECT slack{mouse.x - kReleaseSlack, mouse.y - kReleaseSlack, mouse.x + kReleaseSlack,
             mouse.y + kReleaseSlack};
  ++s.popUpNesting;
  s.popUpCommandArrived = false;
  *frame::Globals().popUpMenuState1 = menu;
  const UINT_PTR timer = SetTimer(nullptr, 0, kIdleInterval, IdleTimer);
  HWND owner = frame::FrameWindow();
  const UINT chosen = static_cast<UINT>(TrackPopupMenu(
      popup, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_LEFTBUTTON | TPM_RETURNCMD | TPM_NONOTIFY, x, y, 0,
      owner, &slack));
  if (timer) KillTimer(nullptr, timer);
  --s.popUpNesting;
  *frame::Globals().popUpMenuState1 = nullptr;
  s.tracking = false;
  uint16_t command = static_cast<uint16_t>(chosen);
  if (!command && s.popUpCommandArrived) command = s.popUpCommand;
  long result = 0;
  if (command) {
    const int16_t id = MenuIDOfCommand(command);
    if (id) result = (static_cast<long>(id) << 16) | CommandItem(command);
  }
  for (OwnerDrawEntry& e : s.ownerDraw)
    if (e.menu == menu) e = OwnerDrawEntry{};
  DestroyMenu(popup);
  return result;
}

}  // namespace

long ZEBAPI LibraryPopUpMenuSelect(MenuHandle menu, short top, short left, short popUpItem) {
  {
    // An application's replacement runs instead; inside it this call is the library's own.
    osutils::Replacement r(osutils::kTrapPopUpMenuSelect);
    if (auto proc = r.Get<long(ZEBAPI*)(MenuHandle, short, short, short)>())
      return proc(menu, top, left, popUpItem);
  }
  if (!menu || !*menu) return 0;
  return TrackWithWindows(menu, top, left, popUpItem);
}

}  // namespace zeb::menus

using namespace zeb;
using namespace zeb::menus;

extern "C" {

long ZEBAPI PopUpMenuSelect(MenuHandle menu, short top, short left, short popUpItem) {
  return LibraryPopUpMenuSelect(menu, top, left, popUpItem);
}

long ZEBAPI ZEB_PopUpMenuSelectUsingDiffFont(MenuHandle menu, short top, short left,
                                             short popUpItem, const char* faceName, short size) {
  MenuState& s = State();
  char face[32];
  // Face names longer than a LOGFONT holds are cut at 31 characters.
  const char* given = faceName && *faceName ? faceName : kDefaultPopUpFace;
  const size_t n = strnlen(given, sizeof face - 1);
  std::memcpy(face, given, n);
  face[n] = '\0';
  const bool wasOn = s.popUpFont;
  HFONT previous = s.popUpHFont;
  s.popUpHFont = CreateFontA(size > 0 ? -size : 0, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET,
                             OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                             DEFAULT_PITCH, face);
  std::memcpy(s.popUpFace, face, n + 1);
  s.popUpFontSize = size;
  s.popUpFont = s.popUpHFont != nullptr;
  const long result = PopUpMenuSelect(menu, top, left, popUpItem);
  if (s.popUpHFont) DeleteObject(s.popUpHFont);
  s.popUpHFont = previous;
  s.popUpFont = wasOn;
  return result;
}

LRESULT ZEBAPI ZEB_EnterIdle(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  (void)hwnd;
  (void)message;
  (void)wParam;
  (void)lParam;
  MenuState& s = State();
  POINT p{};
  GetCursorPos(&p);
  const Point where = {static_cast<short>(p.y), static_cast<short>(p.x)};
  if (s.customTracked) {
    events::SetLastMouse(where);
    if (MenuDefProcPtr proc = DefinitionOf(s.customTracked)) {
      Rect r = {0, 0, 0, 0};
      short item = s.customChosen;
      proc(mChooseMsg, s.customTracked, &r, where, &item);
      s.customChosen = item;
    }
  }
  if (s.popUpNesting > 0) {
    auto callback = reinterpret_cast<OutsideClickProc>(
        static_cast<uintptr_t>(events::StoredSystemValue(kOutsideClickCallback)));
    if (callback && (GetAsyncKeyState(VK_LBUTTON) & 0x8000)) {
      HWND under = WindowFromPoint(p);
      char cls[16] = {};
      if (under) GetClassNameA(under, cls, sizeof cls);
      // "#32768" is the class of Windows' menu windows: a click there is inside the menu.
      if (std::strcmp(cls, "#32768") != 0 && callback(where)) EndMenu();
    }
  }
  return 0;
}

}  // extern "C"

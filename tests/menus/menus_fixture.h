// A session whose frame window forwards its menu messages to the library as a ported
// application's frame procedure does, with menus read from resource files made by the library's
// own writer.
#ifndef ZEB_TESTS_MENUS_MENUS_FIXTURE_H
#define ZEB_TESTS_MENUS_MENUS_FIXTURE_H

#include <windows.h>

#include <string>
#include <vector>

#include "Events.h"
#include "MacWindows.h"
#include "Menus.h"
#include "resources_fixture.h"

namespace zebtest {

// What the frame's procedure saw.
struct FrameLog {
  int nonClientSizes = 0;  // WM_NCCALCSIZE: the menu bar was redrawn with a new layout
  std::vector<UINT> commands;
  int userItems = 0;       // WM_MEASUREITEM/WM_DRAWITEM the library handled
};
FrameLog& Frame();
// Subclasses the frame so that its menu messages reach ZEB_InitMenuMsg, ZEB_EventMenuSel,
// ZEB_MenuSelect, ZEB_EnterIdle and ZEB_MenuUserItem.
void ForwardFrameMenuMessages(HWND frame);
// Takes every message waiting for the thread and dispatches it.
void PumpMessages();

// A 'MENU' resource in disk order: the title, then items (text, icon, key, mark, style).
struct MenuItemSpec {
  std::string text;
  uint8_t icon = 0, key = 0, mark = 0, style = 0;
};
std::vector<uint8_t> MenuResource(short id, const std::string& title,
                                  const std::vector<MenuItemSpec>& items,
                                  uint32_t enableFlags = 0xFFFFFFFFu, short mdefID = 0);
// count: the stored count, or the number of IDs when left at kIdCount.
constexpr int kIdCount = 0x10000;
std::vector<uint8_t> MbarResource(const std::vector<short>& ids, int count = kIdCount);

std::string MenuString(HMENU menu, int position);

class MenusTest : public ResourcesTest {
 protected:
  void SetUp() override;
  void TearDown() override;
  // Writes the resources to a file, opens it and calls InitMenus.
  void UseResources(std::vector<zeb::resfmt::ImageResource> resources);
  static zeb::resfmt::ImageResource Res(const char (&type)[5], short id, std::vector<uint8_t> data,
                                        const std::string& name = "");
  // The frame menu's popup of the Toolbox menu at bar position index.
  HMENU BarPopup(int position);
  // A menu from a text with metacharacters.
  MenuHandle Make(short id, const char* title, const char* items);
  // The events queued, oldest first (mouse-downs only when only is set).
  std::vector<EventRecord> TakeEvents();
};

}  // namespace zebtest

#endif  // ZEB_TESTS_MENUS_MENUS_FIXTURE_H

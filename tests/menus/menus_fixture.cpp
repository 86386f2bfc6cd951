#include "menus_fixture.h"

namespace zebtest {
namespace {

FrameLog g_log;
WNDPROC g_previous = nullptr;

LRESULT CALLBACK FrameMenuProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg >= WM_KEYDOWN && msg <= WM_SYSDEADCHAR && ZEB_EventKey(hwnd, msg, wParam, lParam))
    return 0;
  switch (msg) {
    case WM_NCCALCSIZE:
      ++g_log.nonClientSizes;
      break;
    case WM_INITMENUPOPUP:
      ZEB_InitMenuMsg(reinterpret_cast<HMENU>(wParam));
      return 0;
    case WM_COMMAND:
      if (HIWORD(wParam) == 0 && lParam == 0) {
        g_log.commands.push_back(LOWORD(wParam));
        ZEB_EventMenuSel(LOWORD(wParam));
        return 0;
      }
      break;
    case WM_MENUSELECT:
      return ZEB_MenuSelect(hwnd, msg, wParam, lParam);
    case WM_ENTERIDLE:
      return ZEB_EnterIdle(hwnd, msg, wParam, lParam);
    case WM_MEASUREITEM:
    case WM_DRAWITEM:
      if (ZEB_MenuUserItem(hwnd, msg, wParam, lParam)) {
        ++g_log.userItems;
        return TRUE;
      }
      break;
    default:
      break;
  }
  return CallWindowProcA(g_previous, hwnd, msg, wParam, lParam);
}

void PutWord(std::vector<uint8_t>& v, uint16_t w) {
  v.push_back(static_cast<uint8_t>(w >> 8));
  v.push_back(static_cast<uint8_t>(w));
}

}  // namespace

FrameLog& Frame() { return g_log; }

void ForwardFrameMenuMessages(HWND frame) {
  g_log = FrameLog{};
  g_previous = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrA(frame, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&FrameMenuProc)));
}

void PumpMessages() {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
}

std::vector<uint8_t> MenuResource(short id, const std::string& title,
                                  const std::vector<MenuItemSpec>& items, uint32_t enableFlags,
                                  short mdefID) {
  std::vector<uint8_t> v;
  PutWord(v, static_cast<uint16_t>(id));
  PutWord(v, 0);
  PutWord(v, 0);
  PutWord(v, static_cast<uint16_t>(mdefID));
  PutWord(v, 0);
  PutWord(v, static_cast<uint16_t>(enableFlags >> 16));
  PutWord(v, static_cast<uint16_t>(enableFlags));
  v.push_back(static_cast<uint8_t>(title.size()));
  v.insert(v.end(), title.begin(), title.end());
  for (const MenuItemSpec& i : items) {
    v.push_back(static_cast<uint8_t>(i.text.size()));
    v.insert(v.end(), i.text.begin(), i.text.end());
    v.push_back(i.icon);
    v.push_back(i.key);
    v.push_back(i.mark);
    v.push_back(i.style);
  }
  v.push_back(0);
  return v;
}

std::vector<uint8_t> MbarResource(const std::vector<short>& ids, int count) {
  std::vector<uint8_t> v;
  PutWord(v, static_cast<uint16_t>(count == kIdCount ? static_cast<int>(ids.size()) : count));
  for (short id : ids) PutWord(v, static_cast<uint16_t>(id));
  return v;
}

std::string MenuString(HMENU menu, int position) {
  char text[512] = {};
  GetMenuStringA(menu, static_cast<UINT>(position), text, sizeof text, MF_BYPOSITION);
  return text;
}

void MenusTest::SetUp() {
  ResourcesTest::SetUp();
  ForwardFrameMenuMessages(frame_);
  ShowWindow(frame_, SW_SHOW);
  InitGraf(&cells_.thePort);
  InitWindows();
  InitMenus();
}

void MenusTest::TearDown() {
  ResourcesTest::TearDown();
}

zeb::resfmt::ImageResource MenusTest::Res(const char (&type)[5], short id, std::vector<uint8_t> data,
                                          const std::string& name) {
  zeb::resfmt::ImageResource r;
  r.type = Type(type);
  r.id = id;
  r.data = std::move(data);
  r.named = !name.empty();
  r.name = name;
  return r;
}

void MenusTest::UseResources(std::vector<zeb::resfmt::ImageResource> resources) {
  WriteFile("menus.rsr", std::move(resources));
  ASSERT_GT(Open("menus.rsr"), 0);
  InitMenus();
}

HMENU MenusTest::BarPopup(int position) { return GetSubMenu(GetMenu(frame_), position); }

MenuHandle MenusTest::Make(short id, const char* title, const char* items) {
  PStr t(title);
  MenuHandle m = NewMenu(id, t);
  PStr i(items);
  if (*items) AppendMenu(m, i);
  return m;
}

std::vector<EventRecord> MenusTest::TakeEvents() {
  std::vector<EventRecord> events;
  EventRecord e;
  // A few calls more than events: the quit command is found by one call and reported by the
  // next.
  for (int i = 0; i < 12; ++i) {
    if (GetNextEvent(everyEvent, &e) && e.what != updateEvt && e.what != activateEvt)
      events.push_back(e);
  }
  return events;
}

}  // namespace zebtest

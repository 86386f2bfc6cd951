// The demo's event loop: WaitNextEvent with the classic dispatch by event kind and FindWindow
// part, and an event-log window that lists what came. Run by the demo's runner, a short script
// of real input (SendInput) clicks a window at the back, types and resizes the log window, so
// that the log shows update, activate, mouse-down and key-down events.
#include <windows.h>

#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <deque>
#include <string>

#include "Events.h"
#include "Fonts.h"
#include "MacWindows.h"
#include "Menus.h"
#include "ToolUtils.h"
#include "Quickdraw.h"
#include "ZEB.h"
#include "demo.h"

namespace {

constexpr size_t kLogLines = 12;
std::deque<std::string> g_log;
WindowPtr g_logWindow = nullptr;
int g_scriptStep = -1;
WindowPtr g_scriptTarget = nullptr;

void PaintLog(HDC dc, const RECT& client) {
  (void)client;
  SetTextAlign(dc, TA_TOP | TA_LEFT);
  SetBkMode(dc, TRANSPARENT);
  SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
  SetTextColor(dc, RGB(0, 64, 128));
  Label(dc, 6, 2, "WaitNextEvent returned:");
  SetTextColor(dc, RGB(0, 0, 0));
  int y = 17;
  for (const std::string& line : g_log) {
    Label(dc, 6, y, line.c_str());
    y += 12;
  }
  SetTextAlign(dc, TA_BASELINE | TA_LEFT | TA_NOUPDATECP);
}

// A window's title, or the given Macintosh text, quoted for the log.
const char* Name(WindowPtr w, const unsigned char* macText = nullptr) {
  static char text[96];
  if (!w && !macText) return "no window";
  Str255 title;
  if (macText) {
    std::memcpy(title, macText, macText[0] + 1u);
  } else {
    GetWTitle(w, title);
    if (title[0] == 0) return w == g_logWindow ? "the log" : "an untitled window";
  }
  // Titles are in the Macintosh character set ("\x8A" is a-umlaut) and the log paints with
  // GDI: convert them to the Windows set first. One Macintosh character can take up to four.
  char windowsTitle[4 * 20 + 1];
  const long length = ZEB_MacToAnsiBuf(title + 1, windowsTitle, title[0] > 20 ? 20 : title[0], 0);
  std::snprintf(text, sizeof text, "\"%.*s\"", static_cast<int>(length), windowsTitle);
  return text;
}

void Log(const char* format, ...) {
  char line[128];
  va_list args;
  va_start(args, format);
  std::vsnprintf(line, sizeof line, format, args);
  va_end(args);
  // Updates of the log itself would fill it with its own redrawing.
  g_log.push_back(line);
  while (g_log.size() > kLogLines) g_log.pop_front();
  if (g_logWindow) {
    GrafPtr saved;
    GetPort(&saved);
    SetPort(g_logWindow);
    InvalRect(&g_logWindow->portRect);
    SetPort(saved);
  }
}

// The menu bar: 'MBAR' 128 (File, Edit, View, with the View menu's submenu in the
// hierarchical list) and a Font menu of the installed families.
constexpr short kFileMenu = 128, kEditMenu = 129, kViewMenu = 130, kShapesMenu = 131,
                kFontMenu = 132;
HWND g_menuFrame = nullptr;
bool g_logEvents = true;

void DoMenuCommand(long choice) {
  const short menuID = HiWord(choice), item = LoWord(choice);
  if (!menuID) return;
  MenuHandle menu = GetMenuHandle(menuID);
  Str255 text = {0};
  if (menu) GetMenuItemText(menu, item, text);
  Log("menu choice: %s", Name(nullptr, text));
  switch (menuID) {
    case kFileMenu:
      if (item == 1 && g_logWindow) SelectWindow(g_logWindow);
      if (item == 3 && g_menuFrame) DestroyWindow(g_menuFrame);
      break;
    case kViewMenu:
      if (item == 1) {
        g_logEvents = !g_logEvents;
        CheckItem(menu, 1, g_logEvents);
      }
      break;
    case kFontMenu:
      for (short i = 1, n = CountMItems(menu); i <= n; ++i) CheckItem(menu, i, i == item);
      break;
    default:
      break;
  }
  HiliteMenu(0);
}

void MouseDown(const EventRecord& e) {
  WindowPtr w = nullptr;
  const short part = FindWindo(e.where, &w);
  switch (part) {
    case inMenuBar:
      DoMenuCommand(MenuSelect(e.where));
      break;
    case inContent:
      Log("mouseDown in the content of %s", Name(w));
      if (w != FrontWindow()) SelectWindow(w);
      break;
    case inDrag: {
      Log("mouseDown in the title bar of %s", Name(w));
      Rect limits = qd.screenBits.bounds;
      DragWindow(w, e.where, &limits);
      break;
    }
    case inGrow: {
      Log("mouseDown in the grow box of %s", Name(w));
      Rect limits = {40, 60, 600, 800};
      const long size = GrowWindow(w, e.where, &limits);
      if (size) SizeWindow(w, LoWord(size), HiWord(size), true);
      break;
    }
    case inGoAway:
      Log("mouseDown in the close box of %s", Name(w));
      if (TrackGoAway(w, e.where)) HideWindow(w);
      break;
    case inZoomIn:
    case inZoomOut:
      if (TrackBox(w, e.where, part)) ZoomWindow(w, part, true);
      break;
    default:
      Log("mouseDown, FindWindow part %d", part);
      break;
  }
}

// A real click in the middle of a window's content.
void ClickCentreOf(WindowPtr w) {
  RECT r;
  GetClientRect(ZEB_GethWnd(w), &r);
  POINT p = {r.right / 2, r.bottom / 2};
  ClientToScreen(ZEB_GethWnd(w), &p);
  SetCursorPos(p.x, p.y);
  INPUT in[2] = {};
  in[0].type = in[1].type = INPUT_MOUSE;
  in[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
  in[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
  SendInput(2, in, sizeof(INPUT));
}

// The runner's script: real input, one step per call.
void ScriptStep() {
  if (g_scriptStep < 0) return;
  switch (g_scriptStep++) {
    case 0: {
      if (!g_scriptTarget) break;
      ClickCentreOf(g_scriptTarget);
      break;
    }
    case 1: {
      // Typing goes to the window just clicked, as the user's next keys would.
      if (g_scriptTarget) {
        HWND target = ZEB_GethWnd(g_scriptTarget);
        SetForegroundWindow(GetAncestor(target, GA_ROOT));
        SetFocus(target);
      }
      INPUT in[4] = {};
      const WORD keys[2] = {'H', 'I'};
      for (int i = 0; i < 4; ++i) {
        in[i].type = INPUT_KEYBOARD;
        in[i].ki.wVk = keys[i / 2];
        in[i].ki.dwFlags = (i % 2) ? KEYEVENTF_KEYUP : 0;
      }
      SendInput(4, in, sizeof(INPUT));
      break;
    }
    case 2: {
      // The log is at the back now: a click in an inactive window's grow box only brings it to
      // the front, as on the Macintosh, so the log is clicked first.
      if (!g_logWindow) break;
      ClickCentreOf(g_logWindow);
      break;
    }
    case 3: {
      if (!g_logWindow) break;
      RECT r;
      GetClientRect(ZEB_GethWnd(g_logWindow), &r);
      POINT corner = {r.right - 4, r.bottom - 4};
      ClientToScreen(ZEB_GethWnd(g_logWindow), &corner);
      SetCursorPos(corner.x, corner.y);
      INPUT in[3] = {};
      for (INPUT& i : in) i.type = INPUT_MOUSE;
      in[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
      in[1].mi.dwFlags = MOUSEEVENTF_MOVE;
      in[1].mi.dx = 40;
      in[1].mi.dy = 24;
      in[2].mi.dwFlags = MOUSEEVENTF_LEFTUP;
      SendInput(3, in, sizeof(INPUT));
      break;
    }
    default:
      g_scriptStep = -1;
      break;
  }
}

}  // namespace

WindowPtr CreateEventLog(int x, int y) {
  g_logWindow = AddToolboxWindow(reinterpret_cast<const unsigned char*>("\x09" "Event log"),
                                 documentProc, PaintLog, x, y, 330, 150);
  return g_logWindow;
}

void ShowMenuBar(HWND frame) {
  g_menuFrame = frame;
  InitMenus();
  if (Handle bar = GetNewMBar(128)) {
    SetMenuBar(bar);
    DisposeHandle(bar);
  }
  if (MenuHandle shapes = GetMenu(kShapesMenu)) InsertMenu(shapes, hierMenu);
  if (MenuHandle fonts = NewMenu(kFontMenu, reinterpret_cast<const unsigned char*>("\x04" "Font"))) {
    AppendResMenu(fonts, ZEB_FOURCC('F', 'O', 'N', 'T'));
    InsertMenu(fonts, 0);
  }
  DrawMenuBar();
}

void StartInputScript(WindowPtr backWindow) {
  g_scriptTarget = backWindow;
  g_scriptStep = 0;
}

bool InputScriptDone() { return g_scriptStep < 0; }

void RunInputScript() { ScriptStep(); }

void HandleEvent(const EventRecord& e) {
  if (HandleDialogEvent(e)) return;
  switch (e.what) {
    case mouseDown:
      MouseDown(e);
      break;
    case keyDown:
    case autoKey: {
      const char c = static_cast<char>(e.message & charCodeMask);
      if ((e.modifiers & cmdKey) && e.what == keyDown) {
        if (const long choice = MenuKey(c)) {
          DoMenuCommand(choice);
          break;
        }
      }
      Log("%s '%c' (key code 0x%02lX)%s", e.what == keyDown ? "keyDown" : "autoKey",
          c >= 0x20 ? c : '?', (e.message & keyCodeMask) >> 8,
          (e.modifiers & cmdKey) ? " with Command" : "");
      break;
    }
    case updateEvt: {
      WindowPtr w = reinterpret_cast<WindowPtr>(e.message);
      if (w != g_logWindow) Log("updateEvt for %s", Name(w));
      DrawWindowContent(w);
      break;
    }
    case activateEvt:
      Log("activateEvt: %s %s", Name(reinterpret_cast<WindowPtr>(e.message)),
          (e.modifiers & activeFlag) ? "activated" : "deactivated");
      break;
    case osEvt:
      Log("osEvt: %s", (e.message & resumeFlag) ? "resume" : "suspend");
      break;
    default:
      break;
  }
}

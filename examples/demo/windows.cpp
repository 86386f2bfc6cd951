// The Window Manager showcase: a floating palette with the library's small caption, a plain
// box reporting what the Window Manager and the environment calls answer, the notification icon
// in the frame's caption, and the shapes window brought to the front and highlighted.
#include <windows.h>

#include <cstdio>

#include "Events.h"
#include "MacMemory.h"
#include "MacWindows.h"
#include "OSUtils.h"
#include "Quickdraw.h"
#include "demo.h"

namespace {

constexpr int kPaletteWidth = 120, kBoxWidth = 262, kRowHeight = 62;
// A palette with its title shown (variant bit 0x2) and a zoom box (0x8).
constexpr short kPaletteProc = floatProc + 0x2 + 0x8;

char g_lines[4][96];

void PaintPalette(HDC dc, const RECT& client) {
  (void)dc;
  (void)client;
  const Pattern gray = {{0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55}};
  for (int i = 0; i < 4; ++i) {
    const short left = static_cast<short>(8 + i * 27);
    Rect tool = {8, left, 32, static_cast<short>(left + 24)};
    FrameRec(&tool);
    InsetRec(&tool, 5, 5);
    switch (i) {
      case 0: PaintRect(&tool); break;
      case 1: PaintOval(&tool); break;
      case 2: FillRec(&tool, &gray); break;
      default: FrameOval(&tool); break;
    }
  }
  Rect selected = {36, 8, 56, 112};
  InvertRec(&selected);
}

void PaintBox(HDC dc, const RECT& client) {
  (void)client;
  SetTextAlign(dc, TA_TOP | TA_LEFT);
  SetBkMode(dc, TRANSPARENT);
  SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
  SetTextColor(dc, RGB(0, 64, 128));
  Label(dc, 6, 2, "plainDBox: the Window Manager answers");
  SetTextColor(dc, RGB(0, 0, 0));
  for (int i = 0; i < 4; ++i) Label(dc, 6, 17 + i * 11, g_lines[i]);
  SetTextAlign(dc, TA_BASELINE | TA_LEFT | TA_NOUPDATECP);
}

// A small icon for the notification: a bell, rows of two bytes as a Macintosh keeps them.
Handle BellIcon() {
  static const unsigned short rows[16] = {0x0180, 0x03C0, 0x07E0, 0x0FF0, 0x0FF0, 0x0FF0,
                                          0x1FF8, 0x1FF8, 0x3FFC, 0x3FFC, 0x7FFE, 0xFFFF,
                                          0xFFFF, 0x0000, 0x0180, 0x0180};
  Handle h = NewHandle(32);
  if (!h) return nullptr;
  for (int i = 0; i < 16; ++i) {
    (*h)[2 * i] = static_cast<char>(rows[i] >> 8);
    (*h)[2 * i + 1] = static_cast<char>(rows[i] & 0xFF);
  }
  return h;
}

NMRec g_note;

}  // namespace

void ShowWindowsShowcase(HWND frame, WindowPtr front) {
  if (!front) return;
  // Below the shapes window, at the right of the text.
  RECT shapes;
  GetWindowRect(ZEB_GethWnd(front), &shapes);
  POINT corner = {shapes.right, shapes.bottom};
  ScreenToClient(frame, &corner);
  const int top = corner.y + 22;
  const int boxLeft = corner.x - kBoxWidth - 2;
  const int paletteLeft = boxLeft - kPaletteWidth - 12;

  long system = 0;
  Gestalt(gestaltSystemVersion, &system);
  SysEnvRec world{};
  SysEnvirons(1, &world);
  std::snprintf(g_lines[0], sizeof g_lines[0], "Gestalt('sysv') = 0x%04lX, colour QuickDraw: %s",
                system, world.hasColorQD ? "yes" : "no");
  std::snprintf(g_lines[1], sizeof g_lines[1], "WaitNextEvent trap implemented: %s",
                NGetTrapAddress(0xA860, ToolTrap) != NGetTrapAddress(0xA89F, ToolTrap) ? "yes" : "no");

  const unsigned char paletteTitle[] = "\x05" "Tools";
  WindowPtr palette = AddToolboxWindow(paletteTitle, kPaletteProc, PaintPalette, paletteLeft, top,
                                       kPaletteWidth, kRowHeight);
  WindowPtr box = AddToolboxWindow(reinterpret_cast<const unsigned char*>("\x00"), plainDBox,
                                   PaintBox, boxLeft, top - 14, kBoxWidth, kRowHeight + 14, false);

  POINT inPalette = {paletteLeft + 10, top + 10};
  ClientToScreen(frame, &inPalette);
  WindowPtr found = nullptr;
  const short part = FindWindo(Point{static_cast<short>(inPalette.y), static_cast<short>(inPalette.x)}, &found);
  std::snprintf(g_lines[2], sizeof g_lines[2], "FindWindow in the palette: part %d, %s", part,
                found == palette ? "the palette" : "another window");

  SelectWindow(front);
  std::snprintf(g_lines[3], sizeof g_lines[3], "FrontWindow: the shapes window; highlighted: %s",
                FrontWindow() == front && reinterpret_cast<WindowPeek>(front)->hilited ? "yes" : "no");
  if (box) {
    SetPort(box);
    InvalRect(&box->portRect);
  }

  g_note.nmIcon = BellIcon();
  NMInstall(&g_note);
}

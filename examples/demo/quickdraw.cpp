// The QuickDraw showcase: lines in several pen sizes, patterns, transfer modes and colours,
// drawn through a colour port into a pane at the bottom of the demo's window.
#include <windows.h>

#include <cmath>

#include "Quickdraw.h"
#include "demo.h"

namespace {

constexpr int kPaneHeight = 160;

const Pattern kBlack = {{0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}};
const Pattern kDkGray = {{0x77, 0xDD, 0x77, 0xDD, 0x77, 0xDD, 0x77, 0xDD}};
const Pattern kGray = {{0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55}};
const Pattern kLtGray = {{0x88, 0x22, 0x88, 0x22, 0x88, 0x22, 0x88, 0x22}};
const Pattern kWeave = {{0x88, 0x54, 0x22, 0x45, 0x88, 0x15, 0x22, 0x51}};
const Pattern kBricks = {{0xFF, 0x80, 0x80, 0x80, 0xFF, 0x08, 0x08, 0x08}};

void PenSizes() {
  const short sizes[] = {1, 2, 3, 5, 8};
  short y = 30;
  for (short s : sizes) {
    PenSize(s, s);
    MoveT(20, y);
    LineT(150, y);
    MoveT(165, static_cast<short>(y - 4));
    LineT(215, static_cast<short>(y + 10));
    y = static_cast<short>(y + s + 12);
  }
  PenNormal();
}

void Patterns() {
  const Pattern* patterns[] = {&kBlack, &kDkGray, &kGray, &kLtGray, &kWeave, &kBricks};
  const long colours[] = {blackColor, blueColor, redColor, greenColor, magentaColor, blackColor};
  short y = 28;
  PenSize(150, 14);
  for (int i = 0; i < 6; ++i) {
    ForeColor(colours[i]);
    PenPat(patterns[i]);
    MoveT(250, y);
    LineT(250, y);
    y = static_cast<short>(y + 20);
  }
  ForeColor(blackColor);
  PenNormal();
}

void Modes() {
  // Bands of black and white under lines in six modes.
  PenSize(30, 132);
  MoveT(440, 28);
  LineT(440, 28);
  MoveT(500, 28);
  LineT(500, 28);
  const short modes[] = {patCopy, patOr, patXor, patBic, notPatCopy, notPatXor};
  PenPat(&kGray);
  PenSize(120, 12);
  short y = 30;
  for (short mode : modes) {
    PenMode(mode);
    MoveT(420, y);
    LineT(420, y);
    y = static_cast<short>(y + 22);
  }
  PenNormal();
}

void Fan() {
  const RGBColor colours[] = {{0xFFFF, 0, 0}, {0xFFFF, 0x8000, 0}, {0xC000, 0xC000, 0},
                              {0, 0xA000, 0}, {0, 0x8000, 0xFFFF}, {0x8000, 0, 0xC000}};
  const short cx = 690, cy = 86;
  PenSize(2, 2);
  for (int i = 0; i < 24; ++i) {
    RGBForeColor(&colours[i % 6]);
    const double a = i * 3.14159265 / 12;
    MoveT(cx, cy);
    LineT(static_cast<short>(cx + 72 * std::cos(a)), static_cast<short>(cy + 72 * std::sin(a)));
  }
  const RGBColor black = {0, 0, 0};
  RGBForeColor(&black);
  PenNormal();
}

void PaintPane(HDC dc, const RECT& client) {
  (void)client;
  PenSizes();
  Patterns();
  Modes();
  Fan();

  SetTextAlign(dc, TA_TOP | TA_LEFT);  // the port keeps its DC on baseline alignment
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, RGB(0, 64, 128));
  SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
  Label(dc, 20, 6, "QuickDraw: pen sizes 1, 2, 3, 5, 8");
  Label(dc, 250, 6, "patterns and colours");
  Label(dc, 420, 6, "modes over black and white");
  Label(dc, 610, 6, "RGB colours, 2 x 2 pen");
  const char* modeNames[] = {"patCopy", "patOr", "patXor", "patBic", "notPatCopy", "notPatXor"};
  SetTextColor(dc, RGB(0, 0, 0));
  for (int i = 0; i < 6; ++i) Label(dc, 545, 28 + i * 22, modeNames[i]);
  SetTextAlign(dc, TA_BASELINE | TA_LEFT | TA_NOUPDATECP);
}

}  // namespace

// Starts QuickDraw and adds the drawing pane below the frame's text.
void ShowQuickDrawShowcase(HWND frame) {
  InitGraf(&qd.thePort);
  InitWindows();
  RECT window, client;
  GetWindowRect(frame, &window);
  GetClientRect(frame, &client);
  // The document window's caption and border go above and around the drawing.
  const int caption = GetSystemMetrics(SM_CYCAPTION) + GetSystemMetrics(SM_CYBORDER);
  const int paneTop = TextBottom() + 4 + caption;
  const int grow = paneTop + kPaneHeight + 1 - client.bottom;
  SetWindowPos(frame, nullptr, 0, 0, window.right - window.left,
               window.bottom - window.top + grow, SWP_NOMOVE | SWP_NOZORDER);
  GetClientRect(frame, &client);
  AddToolboxWindow(reinterpret_cast<const unsigned char*>("\x09" "QuickDraw"), noGrowDocProc,
                   PaintPane, 1, paneTop, client.right - 2, kPaneHeight);
}

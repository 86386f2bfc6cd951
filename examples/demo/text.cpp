// The text showcase: systemFont, applFont, a serif and a monospaced face at 9 to 24 points in
// each style, a line of Macintosh Roman characters, text in the transfer modes, and a column
// right-aligned by StringWidth. Every character is drawn by the library, through a colour port
// on the window's paint DC. The demo's window is full, so the text has a window of its own.
#include <windows.h>

#include <cstdio>

#include "Quickdraw.h"
#include "demo.h"

namespace {

constexpr char kWindowClass[] = "ZEBDemoTextWindow";
constexpr short kColumnWidth = 500;
constexpr short kLeft = 14;

struct FaceBlock {
  short font;
  const char* role;
};
const FaceBlock kFaces[] = {{systemFont, "systemFont"},
                            {applFont, "applFont"},
                            {times, "times: a serif face"},
                            {courier, "courier: a monospaced face"}};
const short kSizes[] = {9, 10, 12, 14, 18, 24};
struct NamedStyle {
  short face;
  const char* name;
};
const NamedStyle kStyles[] = {
    {normal, "Plain "}, {bold, "Bold "}, {italic, "Italic "}, {underline, "Underline"},
    {bold | italic, " Bold Italic"}};

void Say(short x, short y, const char* text) {
  unsigned char p[256];
  const int n = lstrlenA(text);
  p[0] = static_cast<unsigned char>(n > 255 ? 255 : n);
  CopyMemory(p + 1, text, p[0]);
  MoveTo(x, y);
  DrawString(p);
}

short LineHeight() {
  FontInfo info;
  GetFontInfo(&info);
  return static_cast<short>(info.ascent + info.descent + info.leading);
}

void Heading(short x, short y, const char* text) {
  const RGBColor blue = {0, 0x4000, 0x8000}, black = {0, 0, 0};
  RGBForeColor(&blue);
  TextFont(applFont);
  TextSize(13);
  TextFace(bold);
  Say(x, y, text);
  TextFace(normal);
  RGBForeColor(&black);
}

// One face at every size, each line in every style.
short DrawFace(short x, short y, const FaceBlock& block) {
  unsigned char name[256];
  GetFontName(block.font, name);
  char heading[320];
  std::snprintf(heading, sizeof heading, "%s (%d): %.*s", block.role, block.font, name[0],
                reinterpret_cast<const char*>(name + 1));
  Heading(x, y, heading);
  y = static_cast<short>(y + 8);
  for (short size : kSizes) {
    TextFont(applFont);
    TextSize(9);
    TextFace(normal);
    TextFont(block.font);
    TextSize(size);
    y = static_cast<short>(y + LineHeight());
    char label[8];
    wsprintfA(label, "%d", size);
    TextFont(applFont);
    TextSize(9);
    Say(x, y, label);
    TextFont(block.font);
    TextSize(size);
    MoveTo(static_cast<short>(x + 22), y);
    for (const NamedStyle& style : kStyles) {
      TextFace(style.face);
      unsigned char p[32];
      p[0] = static_cast<unsigned char>(lstrlenA(style.name));
      CopyMemory(p + 1, style.name, p[0]);
      DrawString(p);
    }
    TextFace(normal);
  }
  return static_cast<short>(y + 26);
}

void DrawMacRoman(short x, short y) {
  Heading(x, y, "Macintosh Roman characters, converted for Windows");
  TextFont(times);
  TextSize(18);
  Say(x, static_cast<short>(y + 30),
      "caf\x8E, cr\x8Fme br\x9El\x8E""e, \xA9 2024, Brand\xAA, Wait\xC9 \xD2quoted\xD3 na\x95ve "
      "fa\x8D""ade \xA7 \xA1 \xB1 \xD0 \xA5 \xD6 \xB5");
}

void DrawModes(short x, short y) {
  Heading(x, y, "text in transfer modes over black and white");
  Rect band = {static_cast<short>(y + 10), x, static_cast<short>(y + 44),
               static_cast<short>(x + 470)};
  const Pattern stripes = {{0xF0, 0xF0, 0xF0, 0xF0, 0xF0, 0xF0, 0xF0, 0xF0}};
  FillRect(&band, &stripes);
  TextFont(applFont);
  TextSize(18);
  TextFace(bold);
  const struct {
    short mode;
    const char* name;
  } modes[] = {{srcOr, "srcOr"}, {srcXor, "srcXor"}, {srcBic, "srcBic"}, {notSrcCopy, "notSrcCopy"},
               {srcCopy, "srcCopy"}};
  MoveTo(static_cast<short>(x + 6), static_cast<short>(y + 34));
  for (const auto& m : modes) {
    TextMode(m.mode);
    unsigned char p[32];
    p[0] = static_cast<unsigned char>(lstrlenA(m.name));
    CopyMemory(p + 1, m.name, p[0]);
    DrawString(p);
    Move(12, 0);
  }
  TextMode(srcOr);
  TextFace(normal);
}

// Amounts right-aligned on one edge by their widths.
void DrawColumn(short right, short y) {
  Heading(static_cast<short>(right - 200), y, "right-aligned by StringWidth");
  const char* rows[] = {"Paper  1.00", "Ink  12.50", "Fonts  123.75", "Printing  1,234.00"};
  TextFont(courier);
  TextSize(12);
  short line = static_cast<short>(y + 26);
  for (const char* row : rows) {
    unsigned char p[64];
    p[0] = static_cast<unsigned char>(lstrlenA(row));
    CopyMemory(p + 1, row, p[0]);
    MoveTo(static_cast<short>(right - StringWidth(p)), line);
    DrawString(p);
    line = static_cast<short>(line + 18);
  }
  MoveTo(static_cast<short>(right - 140), static_cast<short>(line - 12));
  LineTo(right, static_cast<short>(line - 12));
  TextFace(bold);
  const unsigned char total[] = "\x0ETotal 1,371.25";
  MoveTo(static_cast<short>(right - StringWidth(total)), static_cast<short>(line + 4));
  DrawString(total);
  TextFace(normal);
}

void Paint(HWND hwnd) {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(hwnd, &ps);
  RECT client;
  GetClientRect(hwnd, &client);
  FillRect(dc, &client, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  CGrafPort port{};
  OpenPortForHDC(&port, dc);
  PortSize(static_cast<short>(client.right), static_cast<short>(client.bottom));
  // Two faces side by side, the serif face beside the modes and the column, then the
  // monospaced face and the Macintosh Roman line across the window.
  short y = 24;
  DrawFace(kLeft, y, kFaces[0]);
  y = DrawFace(static_cast<short>(kLeft + kColumnWidth), y, kFaces[1]);
  const short row = y;
  y = DrawFace(kLeft, row, kFaces[2]);
  DrawModes(static_cast<short>(kLeft + kColumnWidth), row);
  DrawColumn(static_cast<short>(client.right - 30), static_cast<short>(row + 66));
  y = DrawFace(kLeft, y, kFaces[3]);
  DrawMacRoman(kLeft, y);
  CloseCPort(&port);
  EndPaint(hwnd, &ps);
}

LRESULT CALLBACK TextWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_PAINT) {
    Paint(hwnd);
    NotifyPainted(hwnd);
    return 0;
  }
  return DefWindowProcA(hwnd, message, wParam, lParam);
}

}  // namespace

HWND CreateTextShowcase(HINSTANCE instance) {
  WNDCLASSA wc{};
  wc.lpfnWndProc = TextWindowProc;
  wc.hInstance = instance;
  wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  wc.lpszClassName = kWindowClass;
  RegisterClassA(&wc);
  return CreateWindowA(kWindowClass, "ZEB32 Demo: text and fonts", WS_OVERLAPPEDWINDOW, 0, 0,
                       1024, 600, nullptr, nullptr, instance, nullptr);
}

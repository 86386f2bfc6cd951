// Floating palettes' small caption drawn by the library, read back from the window's own DC;
// the frame's notification icon; and the help hook driven by real key input.
#include <string>

#include "windows_fixture.h"

namespace zebtest {
namespace {

COLORREF WindowPixel(HWND hwnd, int x, int y) {
  HDC dc = GetWindowDC(hwnd);
  const COLORREF c = GetPixel(dc, x, y);
  ReleaseDC(hwnd, dc);
  return c;
}

// The small caption's height: the small system font's height plus 2, made odd.
int SmallCaption() {
  HFONT font = CreateFontA(-10, 0, 0, 0, 400, 0, 0, 0, 0, 0, 0, 0, 0, "ZEB_System");
  HDC dc = GetDC(nullptr);
  HGDIOBJ old = SelectObject(dc, font);
  TEXTMETRICA tm{};
  GetTextMetricsA(dc, &tm);
  SelectObject(dc, old);
  ReleaseDC(nullptr, dc);
  DeleteObject(font);
  const int h = tm.tmHeight + 2;
  return h % 2 ? h : h + 1;
}

class PaletteTest : public WindowsTest {};

TEST_F(PaletteTest, ThePaletteFrameIsTheLibrarysSmallCaption) {
  WindowPtr w = Make(722, MakeRect(40, 40, 200, 140), true, true, "Tools");
  ASSERT_NE(w, nullptr);
  HWND hwnd = ZEB_GethWnd(w);
  RECT outer;
  GetWindowRect(hwnd, &outer);
  POINT origin = {0, 0};
  ClientToScreen(hwnd, &origin);
  const int caption = origin.y - outer.top - 1;
  EXPECT_EQ(origin.x - outer.left, 1);  // a one-pixel outline
  EXPECT_EQ(caption % 2, 1);
  EXPECT_GE(caption, SmallCaption() - 2);
  EXPECT_LE(caption, SmallCaption() + 2);
  // Away from the text, the caption shows the caption colour of the window's state.
  HiliteWindow(w, true);
  EXPECT_EQ(PeekOf(w)->hilited, 1);
  const int midY = 1 + caption / 2;
  const int right = outer.right - outer.left;
  EXPECT_EQ(WindowPixel(hwnd, right - 6, midY), GetSysColor(COLOR_ACTIVECAPTION));
  EXPECT_EQ(WindowPixel(hwnd, 0, midY), RGB(0, 0, 0));  // the outline
  HiliteWindow(w, false);
  EXPECT_EQ(WindowPixel(hwnd, right - 6, midY), GetSysColor(COLOR_INACTIVECAPTION));
  // The close box at the left is framed and holds its bitmap, not the caption colour.
  EXPECT_EQ(WindowPixel(hwnd, 2, 2), RGB(0, 0, 0));
  EXPECT_NE(WindowPixel(hwnd, 4, midY), GetSysColor(COLOR_INACTIVECAPTION));
}

TEST_F(PaletteTest, APaletteWithoutTitleHasNoCaption) {
  WindowPtr w = Make(720, MakeRect(40, 40, 200, 140), true, false, "Hidden title");
  ASSERT_NE(w, nullptr);
  HWND hwnd = ZEB_GethWnd(w);
  RECT outer;
  GetWindowRect(hwnd, &outer);
  POINT origin = {0, 0};
  ClientToScreen(hwnd, &origin);
  EXPECT_EQ(origin.y - outer.top, 1);
  char text[32] = "x";
  GetWindowTextA(hwnd, text, sizeof text);
  EXPECT_STREQ(text, "");
  // The title is kept for GetWTitle only.
  SetWTitle(w, P("Still hidden"));
  GetWindowTextA(hwnd, text, sizeof text);
  EXPECT_STREQ(text, "");
  Str255 title;
  GetWTitle(w, title);
  EXPECT_EQ(title[0], 12);
}

TEST_F(PaletteTest, TitlesAreShownInTheWindowsCharacterSet) {
  WindowPtr w = Make(documentProc, MakeRect(10, 10, 200, 100), true, true, "Caf\x8E\xC9");
  char text[32];
  GetWindowTextA(ZEB_GethWnd(w), text, sizeof text);
  EXPECT_STREQ(text, "Caf\xE9...");
  SetWTitle(w, P("Brand\xAA"));
  GetWindowTextA(ZEB_GethWnd(w), text, sizeof text);
  EXPECT_STREQ(text, "Brand(tm)");
  Str255 title;
  GetWTitle(w, title);
  EXPECT_EQ(std::string(reinterpret_cast<char*>(title) + 1, title[0]), "Brand\xAA");
  SetWTitle(w, nullptr);
  GetWTitle(w, title);
  EXPECT_EQ(title[0], 6);
}

int g_helpCalls = 0, g_otherHelpCalls = 0;
void ZEBAPI Help() { ++g_helpCalls; }
void ZEBAPI OtherHelp() { ++g_otherHelpCalls; }

void PressAndReleaseF1() {
  INPUT keys[2] = {};
  keys[0].type = keys[1].type = INPUT_KEYBOARD;
  keys[0].ki.wVk = keys[1].ki.wVk = VK_F1;
  keys[1].ki.dwFlags = KEYEVENTF_KEYUP;
  SendInput(2, keys, sizeof(INPUT));
  for (int i = 0; i < 20; ++i) {
    Pump();
    Sleep(5);
  }
}

TEST_F(PaletteTest, TheHelpHookCallsBackWhenF1IsReleased) {
  g_helpCalls = g_otherHelpCalls = 0;
  SetForegroundWindow(frame_);
  SetFocus(frame_);
  ZEB_EnableHelpHook(Help);
  PressAndReleaseF1();
  EXPECT_EQ(g_helpCalls, 1);
  // Enabling again replaces the callback; there is still one hook.
  ZEB_EnableHelpHook(OtherHelp);
  PressAndReleaseF1();
  EXPECT_EQ(g_helpCalls, 1);
  EXPECT_EQ(g_otherHelpCalls, 1);
  ZEB_DisableHelpHook();
  PressAndReleaseF1();
  EXPECT_EQ(g_otherHelpCalls, 1);
}

}  // namespace
}  // namespace zebtest

// A window's palette: set, read back, its Windows logical palette, made current by the window's
// ActivatePalette; on a true-colour screen (Wine's) no DC has it selected.
#include "MacMemory.h"
#include "Palettes.h"
#include "ZEB.h"
#include "windows_fixture.h"

namespace zebtest {
namespace {

class WindowPaletteTest : public WindowsTest {};

TEST_F(WindowPaletteTest, WindowKeepsItsPaletteAndTheScreenSelectsNone) {
  WindowPtr w = Make(0, MakeRect(40, 40, 200, 140));
  ASSERT_NE(w, nullptr);
  EXPECT_EQ(GetPalette(w), nullptr);
  PaletteHandle pal = NewPalette(16, GetCTable(4), pmTolerant, 0);
  ASSERT_NE(pal, nullptr);
  SetPalette(w, pal, true);
  EXPECT_EQ(GetPalette(w), pal);
  HPALETTE h = nullptr;
  ZEB_GetWindowsPalette(w, &h);
  EXPECT_EQ(h, ZEB_PaletteHPALETTE(pal));
  ASSERT_NE(h, nullptr);
  SetPort(w);
  ActivatePalette(w);
  HDC dc = ZEB_GetCurrentDC();
  ASSERT_NE(dc, nullptr);
  if (!(GetDeviceCaps(dc, RASTERCAPS) & RC_PALETTE))
    EXPECT_NE(GetCurrentObject(dc, OBJ_PAL), h) << "nothing is selected without palettes";
  DisposePalette(pal);
  EXPECT_EQ(GetPalette(w), nullptr) << "a disposed palette is no window's";
  ZEB_GetWindowsPalette(w, &h);
  EXPECT_EQ(h, nullptr);
}

// SetPort makes a window's palette the current one; a port that is no window's leaves the
// current palette as it stands, with one current or none.
TEST_F(WindowPaletteTest, WindowPortsMakeTheirPaletteCurrentAndOtherPortsKeepIt) {
  constexpr short kPaletteState = 22;  // bit 0: a current palette is set
  auto current = [] { return (ZEB_SystemValue(ZEB_SV_GET, kPaletteState, 0) & 1) != 0; };
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = 16;
  info.bmiHeader.biHeight = -16;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HDC memory = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(memory, bitmap);
  CGrafPort offscreen{};
  OpenPortForHDC(&offscreen, memory);
  GrafPtr other = reinterpret_cast<GrafPtr>(&offscreen);

  WindowPtr plain = Make(0, MakeRect(10, 10, 90, 60));
  WindowPtr coloured = Make(0, MakeRect(100, 10, 180, 60));
  ASSERT_NE(plain, nullptr);
  ASSERT_NE(coloured, nullptr);
  SetPort(other);
  SetPort(plain);
  SetPort(other);
  EXPECT_FALSE(current()) << "no window has a palette: none is current";

  PaletteHandle pal = NewPalette(16, GetCTable(4), pmTolerant, 0);
  ASSERT_NE(pal, nullptr);
  SetPalette(coloured, pal, true);
  SetPort(other);
  EXPECT_FALSE(current()) << "a port that is no window's makes no palette current";
  SetPort(coloured);
  EXPECT_TRUE(current()) << "the window's palette becomes current";
  SetPort(other);
  EXPECT_TRUE(current()) << "another port keeps it current";
  SetPort(plain);
  EXPECT_TRUE(current()) << "a window without a palette keeps it current";

  DisposePalette(pal);
  EXPECT_FALSE(current()) << "a disposed palette is current no longer";
  SetPort(coloured);
  EXPECT_FALSE(current());
  CloseCPort(&offscreen);
  SelectObject(memory, old);
  DeleteDC(memory);
  DeleteObject(bitmap);
}

}  // namespace
}  // namespace zebtest

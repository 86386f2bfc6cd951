// A window's palette: set, read back, its Windows logical palette, made current by the window's
// ActivatePalette; on a true-colour screen (Wine's) no DC has it selected.
#include "MacMemory.h"
#include "Palettes.h"
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

}  // namespace
}  // namespace zebtest

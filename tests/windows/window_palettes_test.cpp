// A window's palette: set, read back, its Windows logical palette, made current by the window's
// ActivatePalette; on a true-colour screen (Wine's) no DC has it selected. Animation read back
// from the logical palette, the current port's palette colours, and the palette messages sent
// to real windows whose procedure forwards them to the glue calls.
#include <map>
#include <vector>

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

// The logical palette's entries as Windows holds them.
std::vector<PALETTEENTRY> Logical(HPALETTE h) {
  std::vector<PALETTEENTRY> out;
  if (!h) return out;
  out.resize(GetPaletteEntries(h, 0, 0, nullptr));
  GetPaletteEntries(h, 0, static_cast<UINT>(out.size()), out.data());
  return out;
}

CTabHandle Ramp(int n, unsigned short green) {
  auto t = reinterpret_cast<CTabHandle>(NewHandleClear(8 + 8 * n));
  (*t)->ctSize = static_cast<short>(n - 1);
  for (int i = 0; i < n; ++i)
    (*t)->ctTable[i].rgb = RGBColor{static_cast<unsigned short>(i * 0x0101 * 10), green, 0x4000};
  return t;
}

bool PaletteScreen() {
  HDC screen = GetDC(nullptr);
  const bool caps = (GetDeviceCaps(screen, RASTERCAPS) & RC_PALETTE) != 0;
  ReleaseDC(nullptr, screen);
  return caps;
}

class PaletteAnimationTest : public WindowsTest {
 protected:
  void TearDown() override {
    ZEB_SetFlags(0, 0, ZEB_SW_PALETTE, 0);
    for (PaletteHandle p : palettes_) DisposePalette(p);
    DisposeHandle(reinterpret_cast<Handle>(table_));
    WindowsTest::TearDown();
  }
  // A colour window with a palette of n entries from a ramp, the current port.
  WindowPtr WindowWithPalette(int n, short usage = pmTolerant) {
    table_ = Ramp(n, 0x2200);
    Rect bounds = MakeRect(30, 30, 150, 110);
    WindowPtr w = NewCWindow(nullptr, &bounds, P("Colours"), true, 0,
                             reinterpret_cast<WindowPtr>(-1), true, 0);
    if (w) made_.push_back(w);
    PaletteHandle pal = NewPalette(static_cast<short>(n), table_, usage, 0);
    palettes_.push_back(pal);
    SetPalette(w, pal, true);
    SetPort(w);
    return w;
  }
  std::vector<PaletteHandle> palettes_;
  CTabHandle table_ = nullptr;
};

TEST_F(PaletteAnimationTest, AnimatedColoursReachTheLogicalPaletteAtOnce) {
  WindowPtr w = WindowWithPalette(8);
  ASSERT_NE(w, nullptr);
  PaletteHandle pal = GetPalette(w);
  HPALETTE h = ZEB_PaletteHPALETTE(pal);
  ASSERT_NE(h, nullptr);
  // An entry of any usage takes the colour; one reserved for animation keeps its mark.
  SetEntryUsage(pal, 5, pmAnimated, -1);
  const RGBColor orange{0xFF00, 0x8000, 0x0000};
  AnimateEntry(w, 2, &orange);
  AnimateEntry(w, 5, &orange);
  std::vector<PALETTEENTRY> e = Logical(h);
  ASSERT_EQ(e.size(), 8u);
  EXPECT_EQ(e[2].peRed, 0xFF);
  EXPECT_EQ(e[2].peGreen, 0x80);
  EXPECT_EQ(e[2].peFlags, 0);
  EXPECT_EQ(e[5].peRed, 0xFF) << "AnimatePalette changed the reserved entry";
  EXPECT_EQ(e[5].peFlags, PC_RESERVED);
  RGBColor got{};
  GetEntryColor(pal, 5, &got);
  EXPECT_EQ(got.green, 0x8000);

  // The Toolbox AnimatePalette: a run of the table, clamped to the table's end.
  CTabHandle blues = Ramp(5, 0x9900);
  AnimatePalette(w, blues, 2, 1, 10);
  e = Logical(h);
  EXPECT_EQ(e[1].peRed, 20) << "table entry 2 at palette entry 1";
  EXPECT_EQ(e[3].peRed, 40);
  EXPECT_EQ(e[3].peGreen, 0x99);
  EXPECT_EQ(e[4].peGreen, 0x22) << "the table had only three entries from index 2";
  // A run across reserved and plain entries: each takes its colour, the reserved one its mark.
  AnimatePalette(w, blues, 0, 4, 3);
  e = Logical(h);
  EXPECT_EQ(e[4].peGreen, 0x99);
  EXPECT_EQ(e[5].peRed, 10);
  EXPECT_EQ(e[5].peFlags, PC_RESERVED);
  EXPECT_EQ(e[6].peRed, 20);
  EXPECT_EQ(e[6].peFlags, 0);
  EXPECT_EQ(e[7].peGreen, 0x22);
  // Bad indices, counts, tables and windows change nothing.
  const std::vector<PALETTEENTRY> before = Logical(h);
  AnimatePalette(w, blues, -1, 0, 2);
  AnimatePalette(w, blues, 0, -1, 2);
  AnimatePalette(w, blues, 0, 0, 0);
  AnimatePalette(w, blues, 0, 8, 2);
  AnimatePalette(w, nullptr, 0, 0, 2);
  AnimatePalette(nullptr, blues, 0, 0, 2);
  AnimateEntry(w, -1, &orange);
  AnimateEntry(w, 8, &orange);
  AnimateEntry(w, 0, nullptr);
  AnimateEntry(nullptr, 0, &orange);
  const std::vector<PALETTEENTRY> after = Logical(h);
  ASSERT_EQ(after.size(), before.size());
  for (size_t i = 0; i < after.size(); ++i) EXPECT_EQ(after[i].peRed, before[i].peRed) << i;
  DisposeHandle(reinterpret_cast<Handle>(blues));
}

TEST_F(PaletteAnimationTest, FullPaletteAnimatesReversedAndAnimationReservesTheMiddle) {
  WindowPtr w = WindowWithPalette(256);
  ASSERT_NE(w, nullptr);
  PaletteHandle pal = GetPalette(w);
  HPALETTE h = ZEB_PaletteHPALETTE(pal);
  const RGBColor teal{0x0000, 0x8080, 0x8080};
  AnimateEntry(w, 0, &teal);
  std::vector<PALETTEENTRY> e = Logical(h);
  ASSERT_EQ(e.size(), 256u);
  EXPECT_EQ(e[255].peGreen, 0x80) << "palette entry 0 is logical entry 255";
  EXPECT_EQ(e[0].peGreen, 0x22);

  ZEB_BeginPaletteAnimation();
  e = Logical(h);
  EXPECT_EQ(e[0].peFlags, 0);
  EXPECT_EQ(e[1].peFlags, PC_RESERVED);
  EXPECT_EQ(e[254].peFlags, PC_RESERVED);
  EXPECT_EQ(e[255].peFlags, 0);
  // While reserved, a change goes through AnimatePalette and keeps the mark.
  AnimateEntry(w, 10, &teal);
  e = Logical(h);
  EXPECT_EQ(e[245].peGreen, 0x80);
  EXPECT_EQ(e[245].peFlags, PC_RESERVED);
  ZEB_EndPaletteAnimation();
  e = Logical(h);
  int reserved = 0;
  for (const PALETTEENTRY& p : e) reserved += (p.peFlags & PC_RESERVED) ? 1 : 0;
  EXPECT_EQ(reserved, 0) << "every entry gets back the flag of its usage";
  EXPECT_EQ(e[245].peGreen, 0x80) << "the animated colour stays";
}

TEST_F(PaletteAnimationTest, ChangesWaitForForcePaletteUnlessThePaletteIsLive) {
  WindowPtr w = WindowWithPalette(4);
  ASSERT_NE(w, nullptr);
  PaletteHandle pal = GetPalette(w);
  HPALETTE h = nullptr;
  ZEB_GetWindowsPalette(w, &h);
  ASSERT_NE(h, nullptr);
  const RGBColor white{0xFFFF, 0xFFFF, 0xFFFF};
  SetEntryColor(pal, 1, &white);
  EXPECT_EQ(Logical(h)[1].peRed, 10) << "the logical palette is not rewritten yet";
  const long changed = ZEB_ForcePalette();
  EXPECT_EQ(Logical(h)[1].peRed, 0xFF);
  if (!PaletteScreen()) {
    EXPECT_EQ(changed, 0) << "nothing is realised without palettes";
  }
  // Under the live-palette switch each change is written at once.
  ZEB_SetFlags(0, 0, ZEB_SW_PALETTE, ZEB_SW_PALETTE);
  const RGBColor black{0, 0, 0};
  SetEntryColor(pal, 2, &black);
  EXPECT_EQ(Logical(h)[2].peRed, 0);
  EXPECT_EQ(Logical(h)[2].peGreen, 0);
  // Without a current palette the glue calls do nothing.
  SetPalette(w, nullptr, false);
  SetPort(w);
  ZEB_BeginPaletteAnimation();
  EXPECT_EQ(Logical(h)[1].peFlags, 0);
  ZEB_EndPaletteAnimation();
}

TEST_F(PaletteAnimationTest, PortColoursComeFromItsPaletteEntries) {
  WindowPtr w = WindowWithPalette(6);
  ASSERT_NE(w, nullptr);
  PmForeColor(3);
  RGBColor fore{};
  GetForeColor(&fore);
  EXPECT_EQ(fore.red, 30 * 0x0101);
  EXPECT_EQ(fore.green, 0x2200);
  PmBackColor(5);
  RGBColor back{};
  GetBackColor(&back);
  EXPECT_EQ(back.red, 50 * 0x0101);
  // Entries the palette does not have leave the colours alone.
  PmForeColor(6);
  PmForeColor(-2);
  PmBackColor(100);
  GetForeColor(&fore);
  GetBackColor(&back);
  EXPECT_EQ(fore.red, 30 * 0x0101);
  EXPECT_EQ(back.red, 50 * 0x0101);
}

// Device table entries reserved and protected: matching passes reserved ones over, protection
// refuses a second protection and any reservation.
TEST_F(PaletteAnimationTest, DeviceEntriesAreReservedAndProtected) {
  GDHandle device = GetGDevice();
  ASSERT_NE(device, nullptr);
  PixMapHandle dpm = (*device)->gdPMap;
  ASSERT_NE(dpm, nullptr);
  CTabHandle saved = (*dpm)->pmTable;
  const short savedDepth = (*dpm)->pixelSize;
  CTabHandle ramp = Ramp(16, 0x1000);
  (*dpm)->pmTable = ramp;
  (*dpm)->pixelSize = 8;
  const RGBColor fifth = (*ramp)->ctTable[5].rgb;
  EXPECT_EQ(Color2Index(&fifth), 5);
  ReserveEntry(5, true);
  EXPECT_EQ(QDError(), noErr);
  EXPECT_EQ((*ramp)->ctTable[5].value & 0x4000, 0x4000);
  EXPECT_NE(Color2Index(&fifth), 5) << "a reserved entry is not matched";
  ReserveEntry(5, false);
  EXPECT_EQ(Color2Index(&fifth), 5);
  ProtectEntry(5, true);
  EXPECT_EQ(QDError(), noErr);
  EXPECT_EQ((*ramp)->ctTable[5].value & 0x8000, 0x8000);
  ProtectEntry(5, true);
  EXPECT_EQ(QDError(), cProtectErr);
  ReserveEntry(5, true);
  EXPECT_EQ(QDError(), cProtectErr);
  EXPECT_EQ((*ramp)->ctTable[5].value & 0x4000, 0);
  ProtectEntry(5, false);
  EXPECT_EQ(QDError(), noErr);
  EXPECT_EQ((*ramp)->ctTable[5].value, 0);
  ReserveEntry(-1, true);
  EXPECT_EQ(QDError(), cRangeErr);
  ProtectEntry(16, true);
  EXPECT_EQ(QDError(), cRangeErr);
  (*dpm)->pmTable = saved;
  (*dpm)->pixelSize = savedDepth;
  DisposeHandle(reinterpret_cast<Handle>(ramp));
}

// What the windows' procedure saw of the palette messages, per window.
struct PaletteMessages {
  std::map<HWND, int> changed;       // WM_PALETTECHANGED received
  std::map<HWND, HWND> changer;      // its wParam
  std::map<HWND, LRESULT> queried;   // what ZEB_QueryNewPalette answered
  WNDPROC previous = nullptr;
};
PaletteMessages g_seen;

// The palette messages of a ported application's window procedure go to the glue calls.
LRESULT CALLBACK PaletteGlueProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_QUERYNEWPALETTE) return g_seen.queried[hwnd] = ZEB_QueryNewPalette(hwnd);
  if (msg == WM_PALETTECHANGED) {
    ++g_seen.changed[hwnd];
    g_seen.changer[hwnd] = reinterpret_cast<HWND>(wParam);
    return ZEB_PaletteChanged(hwnd, reinterpret_cast<HWND>(wParam));
  }
  return CallWindowProcA(g_seen.previous, hwnd, msg, wParam, lParam);
}

class PaletteMessageTest : public PaletteAnimationTest {
 protected:
  void TearDown() override {
    ZEB_SystemValue(ZEB_SV_SET, kResizeMode, 0);
    PaletteAnimationTest::TearDown();
  }
  HWND Forwarding(WindowPtr w) {
    HWND hwnd = ZEB_GethWnd(w);
    WNDPROC old = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(PaletteGlueProc)));
    if (!g_seen.previous) g_seen.previous = old;
    return hwnd;
  }
  static bool HasUpdate(HWND hwnd) { return GetUpdateRect(hwnd, nullptr, FALSE) != 0; }
  static constexpr short kResizeMode = 55;
};

TEST_F(PaletteMessageTest, QueryNewPaletteRealisesOnlyWhereTheScreenHasPalettes) {
  g_seen = PaletteMessages{};
  WindowPtr w = WindowWithPalette(16);
  ASSERT_NE(w, nullptr);
  HWND hwnd = Forwarding(w);
  Pump();
  ValidateRect(hwnd, nullptr);
  const LRESULT result = SendMessageA(hwnd, WM_QUERYNEWPALETTE, 0, 0);
  ASSERT_EQ(g_seen.queried.count(hwnd), 1u) << "the message reached the glue";
  EXPECT_EQ(result, g_seen.queried[hwnd]);
  if (!PaletteScreen()) {
    EXPECT_EQ(result, 0) << "no entry changes on a true-colour screen";
    EXPECT_FALSE(HasUpdate(hwnd)) << "so nothing is repainted";
    HDC dc = ZEB_GetCurrentDC();
    EXPECT_NE(GetCurrentObject(dc, OBJ_PAL), ZEB_PaletteHPALETTE(GetPalette(w)));
  }
  EXPECT_EQ(ZEB_QueryNewPalette(nullptr), 0);
}

TEST_F(PaletteMessageTest, PaletteChangedIsPassedOnOnceWhilePalettesAreResized) {
  g_seen = PaletteMessages{};
  WindowPtr w = WindowWithPalette(16);
  ASSERT_NE(w, nullptr);
  Rect bounds = MakeRect(200, 40, 300, 120);
  WindowPtr second = NewCWindow(nullptr, &bounds, P("Second"), true, 0,
                                reinterpret_cast<WindowPtr>(-1), true, 0);
  ASSERT_NE(second, nullptr);
  made_.push_back(second);
  HWND first = Forwarding(w), other = Forwarding(second);
  SetPort(w);
  Pump();

  // Outside the resize mode: the window's own realisation is ignored, another's selects the
  // palette only where the screen has palettes.
  ValidateRect(first, nullptr);
  ValidateRect(other, nullptr);
  EXPECT_EQ(SendMessageA(first, WM_PALETTECHANGED, reinterpret_cast<WPARAM>(first), 0), 0);
  EXPECT_EQ(g_seen.changed[other], 0);
  const LRESULT repainted =
      SendMessageA(first, WM_PALETTECHANGED, reinterpret_cast<WPARAM>(frame_), 0);
  if (!PaletteScreen()) {
    EXPECT_EQ(repainted, 0);
    EXPECT_FALSE(HasUpdate(first));
    EXPECT_FALSE(HasUpdate(other));
  }
  EXPECT_EQ(g_seen.changed[other], 0) << "not passed on outside the resize mode";

  // In the resize mode every drawing window gets the message with the changer, once: the
  // windows' own forwarding does not pass it on again.
  ZEB_SystemValue(ZEB_SV_SET, kResizeMode, 1);
  g_seen.changed.clear();
  SendMessageA(first, WM_PALETTECHANGED, reinterpret_cast<WPARAM>(frame_), 0);
  EXPECT_EQ(g_seen.changed[first], 2) << "the message itself and the one passed on";
  EXPECT_EQ(g_seen.changed[other], 1);
  EXPECT_EQ(g_seen.changer[other], frame_);
  EXPECT_EQ(ZEB_PaletteChanged(nullptr, frame_), 0);
}

}  // namespace
}  // namespace zebtest

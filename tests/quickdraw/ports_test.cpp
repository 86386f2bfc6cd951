// Graphics ports: InitGraf, opening and closing, the current port, the 256 drawing contexts,
// the defaults, and the DC calls.
#include <vector>

#include "quickdraw_fixture.h"

namespace zebtest {
namespace {

using PortsTest = QuickDrawTest;

class FullScreenHeightTest : public QuickDrawTest {
 protected:
  FullScreenHeightTest() { sessionFlags_ = ZEB_SF_FULLSCREENHEIGHT; }
};

TEST_F(PortsTest, InitGrafSetsTheScreenTheGlobalsAndTheScreenPort) {
  EXPECT_EQ(cells_.thePort, screenPort_);
  EXPECT_EQ(cells_.wMgrPort, screenPort_);
  EXPECT_EQ(cells_.screenBits.bounds.right, GetSystemMetrics(SM_CXSCREEN));
  EXPECT_EQ(cells_.screenBits.bounds.bottom, GetSystemMetrics(SM_CYSCREEN));
  const int usable = GetSystemMetrics(SM_CYSCREEN) - 2 * GetSystemMetrics(SM_CYFRAME) -
                     GetSystemMetrics(SM_CYCAPTION) - GetSystemMetrics(SM_CYMENU);
  EXPECT_EQ(screenPort_->portRect.bottom, usable);
  EXPECT_NE(static_cast<unsigned short>(screenPort_->portBits.rowBytes) & 0x8000, 0)
      << "the screen port is a colour port";
  const unsigned char grayBytes[8] = {0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55};
  EXPECT_EQ(memcmp(cells_.gray.pat, grayBytes, 8), 0);
  EXPECT_EQ(cells_.dkGray.pat[1], 0xDD);
  EXPECT_EQ(cells_.ltGray.pat[0], 0x88);
  EXPECT_EQ(cells_.black.pat[7], 0xFF);
  EXPECT_EQ(cells_.white.pat[7], 0x00);
  EXPECT_EQ(cells_.arrow.mask[0], static_cast<short>(0xC000));
  ASSERT_NE(cells_.mainDevice, nullptr);
  EXPECT_EQ(cells_.deviceList, cells_.mainDevice);
  EXPECT_EQ(cells_.theGDevice, cells_.mainDevice);
  EXPECT_EQ((*cells_.mainDevice)->gdRect.bottom, usable);
  GrafPtr again = nullptr;
  InitGraf(&again);
  EXPECT_EQ(again, screenPort_) << "once per session";
}

TEST_F(FullScreenHeightTest, SessionFlagKeepsTheFullScreenHeight) {
  EXPECT_EQ(screenPort_->portRect.bottom, GetSystemMetrics(SM_CYSCREEN));
}

TEST_F(PortsTest, OpenPortSetsTheToolboxDefaultsAndMakesThePortCurrent) {
  GrafPort port;
  memset(&port, 0x5A, sizeof port);
  OpenPort(&port);
  EXPECT_EQ(cells_.thePort, &port);
  GrafPtr current = nullptr;
  GetPort(&current);
  EXPECT_EQ(current, &port);
  EXPECT_GE(port.patStretch, 0);
  EXPECT_LT(port.patStretch, 256);
  EXPECT_EQ(reinterpret_cast<uintptr_t>(port.portBits.baseAddr), 0x8000u | port.patStretch);
  EXPECT_EQ(port.portBits.rowBytes, 0);
  EXPECT_TRUE(EqualRec(&port.portRect, &cells_.screenBits.bounds));
  EXPECT_EQ(port.pnSize.h, 1);
  EXPECT_EQ(port.pnSize.v, 1);
  EXPECT_EQ(port.pnMode, patCopy);
  EXPECT_EQ(port.pnVis, 0);
  EXPECT_EQ(port.txMode, srcOr);
  EXPECT_EQ(port.txSize, 12);
  EXPECT_EQ(port.fgColor, blackColor);
  EXPECT_EQ(port.bkColor, whiteColor);
  EXPECT_EQ(port.pnPat.pat[0], 0xFF);
  EXPECT_EQ(port.bkPat.pat[0], 0x00);
  EXPECT_EQ(port.grafProcs, nullptr);
  ASSERT_NE(port.clipRgn, nullptr);
  EXPECT_EQ((*port.clipRgn)->rgnBBox.left, -16383);
  EXPECT_EQ((*port.visRgn)->rgnBBox.bottom, 16383);
  ClosePort(&port);
  EXPECT_EQ(cells_.thePort, screenPort_) << "closing the current port selects the screen port";
  EXPECT_EQ(port.patStretch, -1);
}

TEST_F(PortsTest, ColourPortsCarryPixelMapGrafVarsAndPixelPatterns) {
  CGrafPort port{};
  OpenCPort(&port);
  EXPECT_EQ(static_cast<unsigned short>(port.portVersion), 0xC000);
  ASSERT_NE(port.portPixMap, nullptr);
  EXPECT_EQ(reinterpret_cast<uintptr_t>((*port.portPixMap)->baseAddr), 0x8000u | port.patStretch);
  EXPECT_EQ((*port.portPixMap)->pmTable, (*(*cells_.theGDevice)->gdPMap)->pmTable)
      << "the port shares the device's colour table";
  ASSERT_NE(port.grafVars, nullptr);
  EXPECT_EQ(GetHandleSize(port.grafVars), static_cast<long>(sizeof(GrafVars)));  // 26 in the product
  const GrafVars* vars = reinterpret_cast<GrafVars*>(*port.grafVars);
  EXPECT_EQ(static_cast<unsigned short>(vars->pmFlags), 0xC000);
  EXPECT_EQ(vars->rgbHiliteColor.red, cells_.hiliteRGB.red);
  ASSERT_NE(port.pnPixPat, nullptr);
  EXPECT_EQ((*port.pnPixPat)->pat1Data.pat[0], 0xFF);
  EXPECT_EQ((*port.bkPixPat)->pat1Data.pat[0], 0x00);
  EXPECT_EQ(port.rgbFgColor.red, 0);
  EXPECT_EQ(port.rgbBkColor.blue, 0xFFFF);
  CloseCPort(&port);
  EXPECT_EQ(port.portPixMap, nullptr);
  EXPECT_EQ(port.pnPixPat, nullptr) << "the library's own patterns go with the port";
  EXPECT_NE((*(*cells_.theGDevice)->gdPMap)->pmTable, nullptr) << "the device keeps its table";
}

TEST_F(PortsTest, SetPortWithAClosedOrForeignPointerSelectsTheScreenPort) {
  GrafPort open{}, closed{};
  OpenPort(&open);
  OpenPort(&closed);
  ClosePort(&closed);
  SetPort(&open);
  SetPort(&closed);
  EXPECT_EQ(cells_.thePort, screenPort_);
  SetPort(&open);
  GrafPort stranger{};
  SetPort(&stranger);
  GrafPtr current = nullptr;
  GetPort(&current);
  EXPECT_EQ(current, screenPort_);
  SetPort(nullptr);
  EXPECT_EQ(cells_.thePort, screenPort_);
  // The port current just before is found again without a search: closed meanwhile, it is
  // refused like any other closed port, whether closed while current or not.
  GrafPort other{};
  OpenPort(&other);
  SetPort(&open);
  SetPort(&other);
  SetPort(&open);
  EXPECT_EQ(cells_.thePort, &open) << "back to the port current before";
  SetPort(&other);
  ClosePort(&open);
  SetPort(&open);
  EXPECT_EQ(cells_.thePort, screenPort_) << "the previous port, closed";
  OpenPort(&open);
  SetPort(&other);
  ClosePort(&other);
  EXPECT_EQ(cells_.thePort, screenPort_) << "closing the current port";
  SetPort(&open);
  SetPort(&other);
  EXPECT_EQ(cells_.thePort, screenPort_) << "the port closed while current";
  SetPort(&open);
  EXPECT_EQ(cells_.thePort, &open);
  ClosePort(&open);
}

TEST_F(PortsTest, AllTwoHundredFiftySixContextsCanBeUsedAndRecovered) {
  // The screen port holds one slot already.
  std::vector<GrafPort> ports(256);
  int opened = 0;
  for (GrafPort& p : ports) {
    OpenPort(&p);
    if (p.patStretch >= 0) ++opened;
  }
  EXPECT_EQ(opened, 255);
  EXPECT_EQ(ports[255].patStretch, -1) << "no slot left: the port stays unopened";
  SetPort(&ports[255]);
  EXPECT_EQ(cells_.thePort, screenPort_);
  const short freed = ports[100].patStretch;
  ClosePort(&ports[100]);
  OpenPort(&ports[255]);
  EXPECT_EQ(ports[255].patStretch, freed) << "a closed port's slot is reused";
  EXPECT_EQ(cells_.thePort, &ports[255]);
  for (GrafPort& p : ports)
    if (p.patStretch >= 0) ClosePort(&p);
  GrafPort last{};
  OpenPort(&last);
  EXPECT_GE(last.patStretch, 0);
  ClosePort(&last);
}

TEST_F(PortsTest, OpeningAnOpenPortAgainReplacesItsContext) {
  GrafPort port{};
  OpenPort(&port);
  const short slot = port.patStretch;
  PenSize(5, 5);
  OpenPort(&port);
  EXPECT_EQ(port.pnSize.h, 1);
  EXPECT_EQ(port.patStretch, slot) << "the first context was freed, not left behind";
  ClosePort(&port);
  EXPECT_EQ(cells_.thePort, screenPort_);
}

TEST_F(PortsTest, InitPortRestoresDefaultsOfAnOpenPort) {
  CGrafPort port{};
  OpenCPort(&port);
  PenSize(4, 4);
  const RGBColor red = {0xFFFF, 0, 0};
  RGBForeColor(&red);
  ClipRect(&cells_.screenBits.bounds);
  InitCPort(&port);
  EXPECT_EQ(port.pnSize.h, 1);
  EXPECT_EQ(port.rgbFgColor.red, 0);
  EXPECT_EQ((*port.clipRgn)->rgnBBox.left, -16383);
  EXPECT_EQ(static_cast<unsigned short>(port.portVersion), 0xC000);
  CloseCPort(&port);
}

TEST_F(PortsTest, OffScreenDCPreparesTheNextPortsDC) {
  HDC memory = ZEB_OffScreenDC(nullptr, 0);
  ASSERT_NE(memory, nullptr);
  EXPECT_EQ(GetObjectType(memory), static_cast<DWORD>(OBJ_MEMDC));
  GrafPort port{};
  OpenPort(&port);
  EXPECT_EQ(ZEB_GetCurrentDC(), memory);
  ClosePort(&port);
  EXPECT_EQ(GetObjectType(memory), 0u) << "a DC made for the port is deleted with it";

  GrafPort onScreen{};
  HDC screen = ZEB_OffScreenDC(nullptr, ZEB_OSDC_SCREEN);
  OpenPort(&onScreen);
  EXPECT_EQ(ZEB_GetCurrentDC(), screen);
  ClosePort(&onScreen);

  DibSurface dib(8, 8);
  CGrafPort lent{};
  OpenPortForHDC(&lent, dib.dc());
  EXPECT_EQ(ZEB_GetCurrentDC(), dib.dc());
  CloseCPort(&lent);
  EXPECT_EQ(GetObjectType(dib.dc()), static_cast<DWORD>(OBJ_MEMDC)) << "a lent DC stays";
  GrafPort plain{};
  OpenPort(&plain);
  EXPECT_NE(ZEB_GetCurrentDC(), dib.dc()) << "a handed-in DC is used once";
  ClosePort(&plain);
}

TEST_F(PortsTest, TheDisplayTestFindsPatBltAgreeingWithGDIOnATrueColourScreen) {
  const short result = ZEB_QDInitTestScreen();
  EXPECT_TRUE(result & ZEB_QDTEST_SOLIDFILLS);
  EXPECT_TRUE(result & ZEB_QDTEST_PATTERNFILLS);
  EXPECT_TRUE(result & ZEB_QDTEST_LINEFILLS) << "a rectangle filled with the null pen is one "
                                                "pixel smaller than its coordinates";
}

TEST_F(PortsTest, TheDriverPathMakesNoDCWithoutAPixelMapDIB) {
  PixMapHandle pm = NewPixMap();
  EXPECT_EQ(ZEB_OffScreenDC(pm, ZEB_OSDC_DRIVER), nullptr);
  GrafPort port{};
  OpenPort(&port);
  EXPECT_NE(ZEB_GetCurrentDC(), nullptr) << "the port falls back to the screen DC";
  ClosePort(&port);
  DisposePixMap(pm);
}

TEST_F(PortsTest, SwaphDCDrawsThePortOnAnotherDCForAWhile) {
  DibSurface own(16, 8), lent(16, 8);
  CGrafPort port{};
  OpenPortForHDC(&port, own.dc());
  const UINT align = SetTextAlign(lent.dc(), TA_TOP | TA_RIGHT);
  SetTextAlign(lent.dc(), align);
  EXPECT_EQ(ZEB_SwaphDC(lent.dc(), 1), own.dc());
  EXPECT_EQ(GetTextAlign(lent.dc()), static_cast<UINT>(TA_BASELINE | TA_LEFT | TA_NOUPDATECP));
  MoveT(1, 1);
  LineT(6, 1);
  EXPECT_TRUE(lent.IsBlack(6, 1));
  EXPECT_FALSE(own.IsBlack(6, 1));
  EXPECT_EQ(ZEB_SwaphDC(own.dc(), 0), lent.dc());
  EXPECT_EQ(GetTextAlign(lent.dc()), align) << "the lent DC's alignment comes back";
  MoveT(1, 3);
  LineT(6, 3);
  EXPECT_TRUE(own.IsBlack(6, 3));
  EXPECT_EQ(ZEB_SwaphDC(nullptr, 0), own.dc()) << "a null DC only clears the mark";
  CloseCPort(&port);
}

TEST_F(PortsTest, AnOutsideDCLentToTheScreenPortIsDrawnOnAndGivenBack) {
  GrafPort before{};
  OpenPort(&before);
  DibSurface paint(32, 16);
  Rect area;
  SetRect(&area, 0, 0, 32, 16);
  EXPECT_EQ(ZEB_SetWMgrPortDC(1, frame_, paint.dc(), &area), frame_);
  EXPECT_EQ(cells_.thePort, screenPort_);
  EXPECT_EQ(ZEB_GetCurrentDC(), paint.dc());
  EXPECT_TRUE(EqualRect(&screenPort_->portRect, &area));
  // Straight lines on the screen DC may be drawn as rectangles: the same pixels.
  for (short on : {0, 1}) {
    ZEB_UseRectForLine(on);
    PenSize(1, 1);
    MoveT(2, static_cast<short>(2 + on * 8));
    LineT(12, static_cast<short>(2 + on * 8));
    PenSize(3, 2);
    MoveT(16, static_cast<short>(2 + on * 8));
    LineT(16, static_cast<short>(5 + on * 8));
  }
  ZEB_UseRectForLine(0);
  for (int y = 0; y < 8; ++y)
    EXPECT_EQ(paint.Row(y, 0, 24), paint.Row(y + 8, 0, 24)) << "row " << y;
  EXPECT_EQ(paint.Row(2, 0, 20), "..###########...###.");
  EXPECT_EQ(ZEB_SetWMgrPortDC(0, nullptr, nullptr, nullptr), frame_);
  EXPECT_EQ(cells_.thePort, &before) << "the port current before comes back";
  EXPECT_NE(ZEB_GetCurrentDC(), paint.dc());
  SetPort(screenPort_);
  EXPECT_NE(ZEB_GetCurrentDC(), paint.dc());
  EXPECT_EQ(screenPort_->portRect.bottom, cells_.mainDevice[0]->gdRect.bottom);
  ClosePort(&before);
}

TEST_F(PortsTest, StdProcFixWrapsOnlyTheApplicationsOwnEntries) {
  static int made, freed;
  made = freed = 0;
  struct Instances {
    static FARPROC WINAPI Make(FARPROC p, HINSTANCE) {
      ++made;
      return p;
    }
    static void WINAPI Free(FARPROC) { ++freed; }
    static void ZEBAPI MyLine(Point) {}
  };
  EndSession();
  session_ = ZEB_SessionRec{};
  session_.size = kZEBSessionRecSize;
  session_.instance = GetModuleHandleA(nullptr);
  session_.frameWindow = frame_;
  session_.makeProcInstance = &Instances::Make;
  session_.freeProcInstance = &Instances::Free;
  ZEB_InitSession(&session_);
  started_ = true;
  ASSERT_EQ(ZEB_InitGlobals(&globals_), ZEB_GLOBALS_OK);
  InitGraf(&screenPort_);
  GrafPort port{};
  OpenPort(&port);
  QDProcs procs;
  SetStdProcs(&procs);
  procs.lineProc = reinterpret_cast<void*>(&Instances::MyLine);
  procs.textProc = nullptr;
  port.grafProcs = &procs;
  ZEB_StdProcFix(1);
  EXPECT_EQ(made, 1) << "only the application's line procedure";
  ZEB_StdProcFix(0);
  EXPECT_EQ(freed, 1);
  EXPECT_NE(procs.lineProc, reinterpret_cast<void*>(&Instances::MyLine))
      << "set back to the standard routine";
  port.grafProcs = nullptr;
  ClosePort(&port);
}

}  // namespace
}  // namespace zebtest

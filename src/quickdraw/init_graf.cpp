// InitGraf and QuickDraw's end of session: the screen, the screen port, the main device, the
// standard patterns and the shared scratch storage.
#include <cstring>

#include "MacMemory.h"
#include "frame/frame_internal.h"
#include "frame/toolbox_globals.h"
#include "quickdraw/cursor_image.h"
#include "quickdraw/quickdraw_internal.h"
#include "quickdraw/quickdraw_state.h"
#include "quickdraw/region_record.h"

namespace zeb::quickdraw {
namespace {

constexpr Size kScratchSmall = 512;
constexpr Size kScratchLarge = 4 * kScratchSmall;

constexpr uint8_t kGlobalPatterns[5][8] = {
    {0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00},  // white
    {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF},  // black
    {0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55},  // gray
    {0x88, 0x22, 0x88, 0x22, 0x88, 0x22, 0x88, 0x22},  // ltGray
    {0x77, 0xDD, 0x77, 0xDD, 0x77, 0xDD, 0x77, 0xDD},  // dkGray
};

constexpr uint16_t kArrowData[16] = {0x0000, 0x4000, 0x6000, 0x7000, 0x7800, 0x7C00,
                                     0x7E00, 0x7F00, 0x7F80, 0x7C00, 0x6C00, 0x4600,
                                     0x0600, 0x0300, 0x0300, 0x0000};
constexpr uint16_t kArrowMask[16] = {0xC000, 0xE000, 0xF000, 0xF800, 0xFC00, 0xFE00,
                                     0xFF00, 0xFF80, 0xFFC0, 0xFFE0, 0xFE00, 0xEF00,
                                     0xCF00, 0x8780, 0x0780, 0x0380};

void SetGlobalPatternsAndArrow() {
  const frame::ToolboxGlobals& g = frame::Globals();
  Pattern* cells[5] = {g.white, g.black, g.gray, g.ltGray, g.dkGray};
  for (int i = 0; i < 5; ++i) std::memcpy(cells[i]->pat, kGlobalPatterns[i], 8);
  Cursor* arrow = g.arrow;
  for (int i = 0; i < 16; ++i) {
    arrow->data[i] = static_cast<short>(kArrowData[i]);
    arrow->mask[i] = static_cast<short>(kArrowMask[i]);
  }
  arrow->hotSpot = {1, 1};
}

// The usable height: the screen less the frame window's sizing frame, caption and menu bar,
// unless the application keeps the full height.
short UsableHeight(short screenHeight) {
  if (frame::SessionFlag(ZEB_SF_FULLSCREENHEIGHT)) return screenHeight;
  return static_cast<short>(screenHeight - 2 * GetSystemMetrics(SM_CYFRAME) -
                            GetSystemMetrics(SM_CYCAPTION) - GetSystemMetrics(SM_CYMENU));
}

PixMapHandle ScratchPixMap(short depth, short tableID) {
  PixMapHandle pm = NewPixMapRecord(GetCTable(tableID));
  if (!pm) return nullptr;
  (*pm)->pixelSize = depth;
  (*pm)->pixelType = 0;
  (*pm)->cmpCount = 1;
  (*pm)->cmpSize = depth;
  return pm;
}

PixPatHandle CopyOfPattern(PixPatHandle pp) {
  uint8_t bytes[8] = {};
  if (pp && *pp) std::memcpy(bytes, (*pp)->pat1Data.pat, 8);
  return NewPatternRecord(bytes);
}

int g_screenDepth = 0;

}  // namespace

void DisposeQuickDrawState() {
  QuickDrawState& s = State();
  for (PixPatHandle& pp : s.savedPatterns) {
    DisposePatternRecord(pp);
    pp = nullptr;
  }
  DisposePixMapRecord(s.scratch8, true);
  DisposePixMapRecord(s.scratch1, true);
  s.scratch8 = s.scratch1 = nullptr;
  if (s.screenPortOpen) ClosePortAndContext(reinterpret_cast<GrafPtr>(&s.screenPort));
  s.screenPortOpen = false;
  // Ports the application left open: their contexts, pens, brushes and DCs go. Their records
  // may already be gone, so they are not touched.
  for (int slot = 0; slot < kContextSlotCount; ++slot) FreeContext(slot);
  s.portCount = 0;
  if (s.portList) DisposeHandle(s.portList);
  s.portList = nullptr;
  DeleteStandardPatterns();
  ReleaseCursors();
  if (s.screenDCHeld) ReleaseDC(s.screenWindow, s.screenDC);
  s.screenDC = nullptr;
  s.screenDCHeld = false;
  // The devices InitGraf began; the application's cells are only trusted once InitGraf has
  // filled them.
  if (s.initialised) {
    const frame::ToolboxGlobals& g = frame::Globals();
    while (*g.deviceList) DisposeDevice(*g.deviceList);
    *g.mainDevice = nullptr;
    *g.theGDevice = nullptr;
  }
  if (s.scratchRegion) DisposeRgn(s.scratchRegion);
  s.scratchRegion = nullptr;
  DeleteRegionSentinels();
  if (s.scratchSmall) DisposePtr(s.scratchSmall);
  if (s.scratchLarge) DisposePtr(s.scratchLarge);
  s.scratchSmall = s.scratchLarge = nullptr;
  s.current = nullptr;
  s.currentContext = nullptr;
  s.nextPortDC = nullptr;
  s.lendingDepth = 0;
  s.initialised = false;
  s.options = DrawingOptions();
}

uint32_t ScreenValue() { return static_cast<uint32_t>(g_screenDepth); }

}  // namespace zeb::quickdraw

using namespace zeb;
using namespace zeb::quickdraw;

extern "C" {

void ZEBAPI InitGraf(void* globalPtr) {
  QuickDrawState& s = State();
  const frame::ToolboxGlobals& g = frame::Globals();
  // As the Toolbox's InitGraf does: Random starts its sequence from 1 (a zero seed would keep
  // it at 0 for ever).
  *g.randSeed = 1;
  if (s.initialised) {
    if (globalPtr && s.screenPortOpen)
      *static_cast<GrafPtr*>(globalPtr) = reinterpret_cast<GrafPtr>(&s.screenPort);
    return;
  }
  s.initialised = true;
  // 1. Scratch storage and the region sentinels.
  s.scratchSmall = NewPtr(kScratchSmall);
  s.scratchLarge = NewPtr(kScratchLarge);
  RectangleSentinel();
  MaskSentinel();
  s.scratchGdiRegion = CreateRectRgn(0, 0, 0, 0);
  s.scratchRegion = NewRgn();
  // 2. Patterns, the stock null brush and pen.
  BuildStandardPatterns();
  SetGlobalPatternsAndArrow();
  s.nullBrush = static_cast<HBRUSH>(GetStockObject(NULL_BRUSH));
  s.nullPen = static_cast<HPEN>(GetStockObject(NULL_PEN));
  // 3. The highlight colour, each 8-bit component c as c * 256.
  const COLORREF hilite = GetSysColor(COLOR_HIGHLIGHT);
  *g.hiliteRGB = {static_cast<unsigned short>(GetRValue(hilite) << 8),
                  static_cast<unsigned short>(GetGValue(hilite) << 8),
                  static_cast<unsigned short>(GetBValue(hilite) << 8)};
  // 4. The screen and its usable height.
  const short width = static_cast<short>(GetSystemMetrics(SM_CXSCREEN));
  const short height = static_cast<short>(GetSystemMetrics(SM_CYSCREEN));
  s.usableHeight = UsableHeight(height);
  // 5. The frame window's DC is the screen DC.
  const frame::SessionState& session = frame::Session();
  s.screenWindow = session.frameWindow;
  AcquireScreenDC();
  s.pixelsPerInchH = GetDeviceCaps(s.screenDC, LOGPIXELSX);
  s.pixelsPerInchV = GetDeviceCaps(s.screenDC, LOGPIXELSY);
  g_screenDepth = GetDeviceCaps(s.screenDC, BITSPIXEL) * GetDeviceCaps(s.screenDC, PLANES);
  g.screenBits->bounds = {0, 0, height, width};
  g.screenBits->rowBytes = 0;
  // 6. The main device, which is also the device list and the current device. Before InitGraf
  // the application's device cells hold whatever it put there.
  *g.deviceList = nullptr;
  *g.mainDevice = nullptr;
  *g.theGDevice = nullptr;
  NewGDevice(0, 0);
  // 7. The screen port: a colour port the size of the usable screen.
  std::memset(&s.screenPort, 0, sizeof s.screenPort);
  OpenCPort(&s.screenPort);
  GrafPtr screen = reinterpret_cast<GrafPtr>(&s.screenPort);
  DrawingContext* ctx = ContextOf(screen);
  s.screenPortOpen = ctx != nullptr;
  if (ctx) {
    s.screenPort.portRect = {0, 0, s.usableHeight, width};
    g.screenBits->baseAddr = reinterpret_cast<Ptr>(static_cast<uintptr_t>(screen->patStretch) | kSlotTag);
  }
  // 8. The scratch pixel maps.
  s.scratch8 = ScratchPixMap(8, 8);
  s.scratch1 = ScratchPixMap(1, 1);
  // 9. The screen port's patterns, kept.
  s.savedPatterns[kSpareBack] = CopyOfPattern(s.screenPort.bkPixPat);
  s.savedPatterns[kSparePen] = CopyOfPattern(s.screenPort.pnPixPat);
  s.savedPatterns[kSpareFill] = CopyOfPattern(s.screenPort.fillPixPat);
  // 10. System-font substitution, the frame's client window, and the current port.
  if (ctx) {
    ctx->flags |= kCtxSystemFontSubstitution;
    ctx->window = session.mdiClient ? session.mdiClient : session.frameWindow;
    *g.wMgrPort = screen;
    MakeCurrent(screen);
  }
  ZEB_QDInitTestScreen();
  if (globalPtr) *static_cast<GrafPtr*>(globalPtr) = s.screenPortOpen ? screen : nullptr;
}

}  // extern "C"

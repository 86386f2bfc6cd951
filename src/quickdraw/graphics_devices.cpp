// Graphics devices: the GDevice records and the device list. A device keeps its Windows DC in
// gdReserved: an offscreen device (negative refNum) a memory DC of its own, the screen device
// (refNum 0) the frame window's DC, a driver device (positive refNum) none.
#include "MacMemory.h"
#include "frame/frame_internal.h"
#include "frame/toolbox_globals.h"
#include "quickdraw/quickdraw_internal.h"
#include "quickdraw/quickdraw_state.h"

namespace zeb::quickdraw {
namespace {

// gdFlags attribute bits.
constexpr short kGdMainScreen = 1 << mainScreen;
constexpr short kGdScreenDevice = 1 << screenDevice;
constexpr short kGdScreenActive = 1 << screenActive;
constexpr short kGdAllInit = 1 << allInit;
constexpr short kGdNoDriver = 1 << noDriver;

HDC DeviceDCFor(short refNum) {
  if (refNum > 0) return nullptr;
  HWND frame = frame::FrameWindow();
  if (refNum == 0) return State().screenDC;
  HDC frameDC = GetDC(frame);
  HDC dc = CreateCompatibleDC(frameDC);
  if (dc) {
    HBITMAP bitmap = CreateCompatibleBitmap(frameDC, 16, 16);
    if (bitmap) SelectObject(dc, bitmap);
  }
  ReleaseDC(frame, frameDC);
  return dc;
}

int ScreenDepth() {
  HDC dc = GetDC(nullptr);
  const int bits = GetDeviceCaps(dc, BITSPIXEL) * GetDeviceCaps(dc, PLANES);
  ReleaseDC(nullptr, dc);
  return bits;
}

}  // namespace

HDC DeviceDC(GDHandle device) {
  if (!device || !*device) return nullptr;
  return reinterpret_cast<HDC>(static_cast<intptr_t>(static_cast<int32_t>((*device)->gdReserved)));
}

void InitDevice(short refNum, long mode, GDHandle gdh) {
  if (!gdh || !*gdh) return;
  GDevice& d = **gdh;
  d.gdRefNum = refNum;
  d.gdID = 0;
  d.gdMode = mode;
  const int bits = ScreenDepth();
  const short depth = static_cast<short>(bits > 8 ? (bits == 16 ? 16 : 32) : bits);
  d.gdType = depth > 8 ? directType : clutType;
  d.gdResPref = 4;
  d.gdRect = {0, 0, State().usableHeight, static_cast<short>(GetSystemMetrics(SM_CXSCREEN))};
  d.gdFlags = static_cast<short>(kGdAllInit | (refNum == 0 ? kGdScreenDevice | kGdScreenActive : 0) |
                                 (refNum > 0 ? 0 : kGdNoDriver));
  if (!d.gdPMap) {
    CTabHandle table = GetCTable(depth > 8 ? 8 : depth);
    PixMapHandle pm = NewPixMapRecord(table);
    if (pm) {
      (*pm)->pixelSize = depth;
      (*pm)->pixelType = depth > 8 ? RGBDirect : 0;
      (*pm)->cmpCount = depth > 8 ? 3 : 1;
      (*pm)->cmpSize = depth > 8 ? (depth == 16 ? 5 : 8) : depth;
      (*pm)->bounds = (*gdh)->gdRect;
    } else if (table) {
      DisposeHandle(reinterpret_cast<Handle>(table));
    }
    (*gdh)->gdPMap = pm;
  }
  (*gdh)->gdReserved = static_cast<long>(reinterpret_cast<intptr_t>(DeviceDCFor(refNum)));
}

void DisposeDevice(GDHandle gdh) {
  if (!gdh || !*gdh) return;
  frame::ToolboxGlobals const& g = frame::Globals();
  // Unlink from the device list.
  if (*g.deviceList == gdh) {
    *g.deviceList = reinterpret_cast<GDHandle>((*gdh)->gdNextGD);
  } else {
    for (GDHandle d = *g.deviceList; d && *d; d = reinterpret_cast<GDHandle>((*d)->gdNextGD)) {
      if (reinterpret_cast<GDHandle>((*d)->gdNextGD) == gdh) {
        (*d)->gdNextGD = (*gdh)->gdNextGD;
        break;
      }
    }
  }
  if (*g.mainDevice == gdh) *g.mainDevice = *g.deviceList;
  if (*g.theGDevice == gdh) *g.theGDevice = *g.mainDevice;
  if ((*gdh)->gdRefNum < 0) {
    HDC dc = DeviceDC(gdh);
    if (dc) {
      // The device's own bitmap is free to go once its DC is.
      HGDIOBJ bitmap = GetCurrentObject(dc, OBJ_BITMAP);
      DeleteDC(dc);
      if (bitmap) DeleteObject(bitmap);
    }
  }
  DisposePixMapRecord((*gdh)->gdPMap, true);
  DisposeHandle(reinterpret_cast<Handle>(gdh));
}

}  // namespace zeb::quickdraw

using namespace zeb;
using namespace zeb::quickdraw;

extern "C" {

GDHandle ZEBAPI NewGDevice(short refNum, long mode) {
  Handle h = NewHandleClear(sizeof(GDevice));
  if (!h) return nullptr;
  auto gdh = reinterpret_cast<GDHandle>(h);
  InitDevice(refNum, mode, gdh);
  const frame::ToolboxGlobals& g = frame::Globals();
  if (!*g.deviceList) {
    *g.deviceList = gdh;
    *g.mainDevice = gdh;
    *g.theGDevice = gdh;
    (*gdh)->gdFlags = static_cast<short>((*gdh)->gdFlags | (refNum == 0 ? kGdMainScreen : 0));
  } else {
    GDHandle last = *g.deviceList;
    while ((*last)->gdNextGD) last = reinterpret_cast<GDHandle>((*last)->gdNextGD);
    (*last)->gdNextGD = reinterpret_cast<Handle>(gdh);
  }
  return gdh;
}

void ZEBAPI DisposeGDevice(GDHandle gdh) { DisposeDevice(gdh); }
GDHandle ZEBAPI GetMainDevice(void) { return *frame::Globals().mainDevice; }
GDHandle ZEBAPI GetDeviceList(void) { return *frame::Globals().deviceList; }
GDHandle ZEBAPI GetGDevice(void) { return *frame::Globals().theGDevice; }
void ZEBAPI SetGDevice(GDHandle gdh) { *frame::Globals().theGDevice = gdh; }

}  // extern "C"

namespace zeb::quickdraw {

// The MDI client's and the frame's desktop regions are recomputed here.
void RecomputeDesktopRegions() {}

}  // namespace zeb::quickdraw

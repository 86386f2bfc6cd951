// Offscreen graphics worlds on the default path: a colour port on a memory DC holding a bitmap
// compatible with the screen (the world has the screen's depth; the depth asked for is not
// used), the port's pixel map recording the DC and bitmap in its extension.
#include <cstddef>

#include "MacMemory.h"
#include "MacWindows.h"
#include "QDOffscreen.h"
#include "frame/toolbox_globals.h"
#include "quickdraw/palettes.h"
#include "quickdraw/pixel_map_record.h"
#include "quickdraw/quickdraw_internal.h"
#include "quickdraw/quickdraw_state.h"
#include "quickdraw/rect_arithmetic.h"

namespace zeb::quickdraw {
namespace {

// A world is its colour port followed by the device handle given at creation: 112 bytes in the
// 32-bit library, where applications may allocate or inspect it.
struct GWorldRecord {
  CGrafPort port;
  GDHandle device;
};
#if defined(_WIN32) && !defined(_WIN64)
static_assert(sizeof(GWorldRecord) == 112, "GWorld record");
static_assert(offsetof(GWorldRecord, device) == 108, "GWorld device");
#endif

// portVersion of a world's port: a colour port (0xC000) marked as offscreen.
constexpr uint16_t kGWorldPortVersion = 0xE000;
// The scratch bitmap selected first, so that the world's bitmap takes the screen's format.
constexpr int kProbeBitmapSize = 32;
// A world larger than this many pixels is damaged bounds, not a request (a 16384 x 16384 map).
constexpr int64_t kLargestWorldPixels = int64_t{1} << 28;

bool g_pixelsLocked = false;

bool IsGWorld(CGrafPtr port) {
  return port && IsOpenPort(reinterpret_cast<GrafPtr>(port)) &&
         static_cast<uint16_t>(port->portVersion) == kGWorldPortVersion && port->portPixMap &&
         *port->portPixMap;
}

// The bitmap and DC that hold a world's pixels, or nothing when any GDI object fails.
struct WorldSurface {
  HDC dc = nullptr;
  HBITMAP bitmap = nullptr;
};
bool MakeSurface(int width, int height, WorldSurface& out) {
  QuickDrawState& s = State();
  HDC screen = s.screenDC;
  const bool ownScreen = !screen;
  if (ownScreen) screen = GetDC(nullptr);
  if (!screen) return false;
  HDC dc = CreateCompatibleDC(screen);
  HBITMAP probe = dc ? CreateCompatibleBitmap(screen, kProbeBitmapSize, kProbeBitmapSize) : nullptr;
  HBITMAP world = nullptr;
  if (probe) {
    HGDIOBJ first = SelectObject(dc, probe);
    world = CreateCompatibleBitmap(dc, width, height);
    SelectObject(dc, first);
    DeleteObject(probe);
  }
  if (ownScreen) ReleaseDC(nullptr, screen);
  if (!world) {
    if (dc) DeleteDC(dc);
    return false;
  }
  out.dc = dc;
  out.bitmap = world;
  return true;
}

}  // namespace
}  // namespace zeb::quickdraw

using namespace zeb;
using namespace zeb::quickdraw;

extern "C" {

QDErr ZEBAPI NewGWorld(GWorldPtr* offscreenGWorld, short pixelDepth, const Rect* boundsRect,
                       CTabHandle cTable, GDHandle aGDevice, GWorldFlags flags) {
  (void)pixelDepth;  // the default path takes the screen's depth
  (void)cTable;
  (void)flags;
  constexpr QDErr kFailed = -1;
  if (!offscreenGWorld) return kFailed;
  *offscreenGWorld = nullptr;
  if (!boundsRect || IsEmptyRect(*boundsRect)) return kFailed;
  const int width = boundsRect->right - boundsRect->left;
  const int height = boundsRect->bottom - boundsRect->top;
  if (static_cast<int64_t>(width) * height > kLargestWorldPixels) return kFailed;
  auto* world = reinterpret_cast<GWorldRecord*>(NewPtrClear(sizeof(GWorldRecord)));
  if (!world) return kFailed;
  world->device = aGDevice;
  WorldSurface surface;
  if (!MakeSurface(width, height, surface)) {
    DisposePtr(reinterpret_cast<Ptr>(world));
    return kFailed;
  }
  GrafPtr saved = CurrentPort();
  HGDIOBJ previous = SelectObject(surface.dc, surface.bitmap);
  UseDCForNextPort(surface.dc, true);  // the port deletes the DC when it closes
  OpenCPort(&world->port);
  GrafPtr port = reinterpret_cast<GrafPtr>(&world->port);
  if (!IsOpenPort(port) || !world->port.portPixMap || !*world->port.portPixMap) {
    State().nextPortDC = nullptr;
    if (IsOpenPort(port)) ClosePortAndContext(port);
    else DeleteDC(surface.dc);
    DeleteObject(surface.bitmap);
    DisposePtr(reinterpret_cast<Ptr>(world));
    if (saved && IsOpenPort(saved)) MakeCurrent(saved);
    return kFailed;
  }
  MakeCurrent(port);
  PortSize(static_cast<short>(width), static_cast<short>(height));
  PixMap& pm = **world->port.portPixMap;
  pm.bounds = *boundsRect;
  const int bits = GetDeviceCaps(surface.dc, BITSPIXEL) * GetDeviceCaps(surface.dc, PLANES);
  pm.pixelSize = static_cast<short>(bits > 16 ? 32 : bits);
  if (bits > 8) {
    pm.pixelType = RGBDirect;
    pm.cmpCount = 3;
    pm.cmpSize = static_cast<short>(bits == 16 ? 5 : 8);
  }
  if (boundsRect->left != 0 || boundsRect->top != 0) {
    SetOrigin(boundsRect->left, boundsRect->top);
    ClipRect(boundsRect);
  }
  PixMapExtension& ext = ExtensionOf(world->port.portPixMap);
  ext.flags |= kPixInDeviceBitmap;
  ext.memoryDC = surface.dc;
  ext.bitmap = surface.bitmap;
  ext.previousBitmap = static_cast<HBITMAP>(previous);
  world->port.portVersion = static_cast<short>(kGWorldPortVersion);
  SelectCurrentPalette(surface.dc);
  if (saved && IsOpenPort(saved)) MakeCurrent(saved);
  *offscreenGWorld = &world->port;
  return 0;
}

void ZEBAPI DisposeGWorld(GWorldPtr offscreenGWorld) {
  // Anything that is not an open world is left alone.
  if (!IsGWorld(offscreenGWorld)) return;
  GrafPtr port = reinterpret_cast<GrafPtr>(offscreenGWorld);
  const bool wasCurrent = CurrentPort() == port;
  PixMapExtension& ext = ExtensionOf(offscreenGWorld->portPixMap);
  HBITMAP bitmap = ext.bitmap;
  if (ext.memoryDC && ext.previousBitmap) SelectObject(ext.memoryDC, ext.previousBitmap);
  ext = PixMapExtension{};
  ClosePortAndContext(port);  // deletes the memory DC the port owns
  if (bitmap) DeleteObject(bitmap);
  DisposePtr(reinterpret_cast<Ptr>(offscreenGWorld));
  if (wasCurrent) {
    if (WindowPtr front = FrontWindow()) SetPort(reinterpret_cast<GrafPtr>(front));
  }
}

void ZEBAPI GetGWorld(CGrafPtr* port, GDHandle* gdh) {
  if (port) *port = reinterpret_cast<CGrafPtr>(CurrentPort());
  if (gdh) *gdh = *frame::Globals().theGDevice;
}

// A world brings its own device when it was made with one; otherwise gdh becomes current.
void ZEBAPI SetGWorld(CGrafPtr port, GDHandle gdh) {
  if (port) SetPort(reinterpret_cast<GrafPtr>(port));
  GDHandle device = gdh;
  if (IsGWorld(port) && reinterpret_cast<GWorldRecord*>(port)->device)
    device = reinterpret_cast<GWorldRecord*>(port)->device;
  if (device) SetGDevice(device);
}

PixMapHandle ZEBAPI GetGWorldPixMap(GWorldPtr offscreenGWorld) {
  return offscreenGWorld ? offscreenGWorld->portPixMap : nullptr;
}

// The pixels of a world never move: locking only records that they are locked.
Boolean ZEBAPI LockPixels(PixMapHandle pm) {
  (void)pm;
  g_pixelsLocked = true;
  return true;
}

void ZEBAPI UnlockPixels(PixMapHandle pm) {
  (void)pm;
  g_pixelsLocked = false;
}

}  // extern "C"

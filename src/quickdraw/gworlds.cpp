// Offscreen graphics worlds on the default path: a colour port on a memory DC holding a bitmap
// compatible with the screen (the world has the screen's depth; the depth asked for is not
// used), or on a WinG DC and bitmap when WinG is there (the world has the depth WinG
// recommends); the port's pixel map records the DC and bitmap in its extension.
#include <cstddef>
#include <cstring>
#include <vector>

#include "Errors.h"
#include "MacMemory.h"
#include "MacWindows.h"
#include "QDOffscreen.h"
#include "frame/toolbox_globals.h"
#include "memory/memory_internal.h"
#include "quickdraw/copy_options.h"
#include "quickdraw/palettes.h"
#include "quickdraw/pixel_map_record.h"
#include "quickdraw/quickdraw_internal.h"
#include "quickdraw/quickdraw_state.h"
#include "quickdraw/rect_arithmetic.h"
#include "quickdraw/wing.h"

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

// The bitmap and DC that hold a world's pixels, or nothing when any GDI object fails. A DIB
// world also has its DIB's header and palette (a handle) and its rows.
struct WorldSurface {
  HDC dc = nullptr;
  HBITMAP bitmap = nullptr;
  Handle header = nullptr;
  void* rows = nullptr;
  int depth = 0;
  CTabHandle table = nullptr;  // the world's own copy, for indexed DIB worlds
  bool wing = false;           // a WinG bitmap in a WinG DC, of depth
};

// The depth a DIB world is made at: the screen's for 0, 32 for 24 (Toolbox direct pixels), 4 for
// 2 (DIBs have no two-bit form); -1 for a depth no world has.
int DIBWorldDepth(short asked) {
  switch (asked) {
    case 0: return 32;
    case 1: case 4: case 8: case 16: case 32: return asked;
    case 2: return 4;
    case 24: return 32;
    default: return -1;
  }
}

// A DIB section of the depth asked for, its palette from cTable or the standard table of the
// depth, in a memory DC of its own.
bool MakeDIBSurface(int width, int height, short asked, CTabHandle cTable, WorldSurface& out) {
  const int depth = DIBWorldDepth(asked);
  if (depth < 0) return false;
  const int colours = depth <= 8 ? 1 << depth : 0;
  const long bytes = static_cast<long>(sizeof(BITMAPINFOHEADER) + colours * sizeof(RGBQUAD));
  Handle header = NewHandleClear(bytes);
  if (!header) return false;
  Handle table = nullptr;
  if (colours) {
    table = reinterpret_cast<Handle>(cTable ? cTable : GetCTable(static_cast<short>(depth)));
    const bool borrowed = cTable != nullptr;
    if (table && borrowed && HandToHand(&table) != noErr) table = nullptr;
    if (!table || !*table) {
      DisposeHandle(header);
      return false;
    }
  }
  auto* info = reinterpret_cast<BITMAPINFO*>(*header);
  info->bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info->bmiHeader.biWidth = width;
  info->bmiHeader.biHeight = -height;  // top-down, as the world's rows run
  info->bmiHeader.biPlanes = 1;
  info->bmiHeader.biBitCount = static_cast<WORD>(depth);
  info->bmiHeader.biCompression = BI_RGB;
  if (colours) {
    const ColorTable& ct = **reinterpret_cast<CTabHandle>(table);
    const long fits = (memory::LiveHandleSize(table) - 8) / 8;
    for (int i = 0; i < colours && i <= ct.ctSize && i < fits; ++i) {
      const RGBColor& c = ct.ctTable[i].rgb;
      info->bmiColors[i] = RGBQUAD{static_cast<BYTE>(c.blue >> 8), static_cast<BYTE>(c.green >> 8),
                                   static_cast<BYTE>(c.red >> 8), 0};
    }
  }
  HDC screen = GetDC(nullptr);
  HDC dc = screen ? CreateCompatibleDC(screen) : nullptr;
  void* rows = nullptr;
  HBITMAP bitmap = dc ? CreateDIBSection(dc, info, DIB_RGB_COLORS, &rows, nullptr, 0) : nullptr;
  if (screen) ReleaseDC(nullptr, screen);
  if (!bitmap || !rows) {
    if (dc) DeleteDC(dc);
    if (table) DisposeHandle(table);
    DisposeHandle(header);
    return false;
  }
  out.dc = dc;
  out.bitmap = bitmap;
  out.header = header;
  out.rows = rows;
  out.depth = depth;
  out.table = reinterpret_cast<CTabHandle>(table);
  return true;
}
// A WinG bitmap, whose rows need no conversion, when WinG is there; an indexed one takes the
// colours of cTable.
bool MakeWinGWorldSurface(int width, int height, CTabHandle cTable, WorldSurface& out) {
  RGBQUAD colours[256];
  int count = 0;
  if (cTable && *cTable) {
    const ColorTable& ct = **cTable;
    const long fits = (memory::LiveHandleSize(reinterpret_cast<Handle>(cTable)) - 8) / 8;
    for (; count < 256 && count <= ct.ctSize && count < fits; ++count) {
      const RGBColor& c = ct.ctTable[count].rgb;
      colours[count] = RGBQUAD{static_cast<BYTE>(c.blue >> 8), static_cast<BYTE>(c.green >> 8),
                               static_cast<BYTE>(c.red >> 8), 0};
    }
  }
  WinGSurface w;
  if (!MakeWinGSurface(width, height, count ? colours : nullptr, count, w)) return false;
  out.dc = w.dc;
  out.bitmap = w.bitmap;
  out.rows = w.rows;
  out.depth = w.depth;
  out.wing = true;
  return true;
}

bool MakeSurface(int width, int height, CTabHandle cTable, WorldSurface& out) {
  if (MakeWinGWorldSurface(width, height, cTable, out)) return true;
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
  // The default path takes the screen's depth; the DIB-world option the depth asked for.
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
  const bool dibWorld = DIBWorldOption();
  if (dibWorld ? !MakeDIBSurface(width, height, pixelDepth, cTable, surface)
               : !MakeSurface(width, height, cTable, surface)) {
    DisposePtr(reinterpret_cast<Ptr>(world));
    return kFailed;
  }
  GrafPtr saved = CurrentPort();
  HGDIOBJ previous = SelectObject(surface.dc, surface.bitmap);
  if (dibWorld) {
    // A new DIB world is white: the palette entry nearest white, whichever index that is.
    const RECT all{0, 0, width, height};
    ::FillRect(surface.dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  }
  UseDCForNextPort(surface.dc, true);  // the port deletes the DC when it closes
  OpenCPort(&world->port);
  GrafPtr port = reinterpret_cast<GrafPtr>(&world->port);
  if (!IsOpenPort(port) || !world->port.portPixMap || !*world->port.portPixMap) {
    State().nextPortDC = nullptr;
    if (surface.wing) ForgetWinGDC(surface.dc);
    if (IsOpenPort(port)) ClosePortAndContext(port);
    else DeleteDC(surface.dc);
    DeleteObject(surface.bitmap);
    if (surface.header) DisposeHandle(surface.header);
    if (surface.table) DisposeHandle(reinterpret_cast<Handle>(surface.table));
    DisposePtr(reinterpret_cast<Ptr>(world));
    if (saved && IsOpenPort(saved)) MakeCurrent(saved);
    return kFailed;
  }
  MakeCurrent(port);
  PortSize(static_cast<short>(width), static_cast<short>(height));
  PixMap& pm = **world->port.portPixMap;
  pm.bounds = *boundsRect;
  // A memory DC reports the screen's depth; DIB and WinG bitmaps have their own.
  const int bits = dibWorld || surface.wing
                       ? surface.depth
                       : GetDeviceCaps(surface.dc, BITSPIXEL) * GetDeviceCaps(surface.dc, PLANES);
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
  if (dibWorld) {
    // A DIB-held offscreen map: ZEB_GetDIBFromPixMap answers with the header and the rows.
    pm.pmVersion = static_cast<short>(kDIBPixMapVersion);
    pm.packType = static_cast<short>(kDIBPixMapPackType);
    pm.rowBytes = static_cast<short>(0x8000 | ((width * bits + 31) / 32 * 4 & 0x3FFF));
    ext.dib = surface.header;
    ext.rows = surface.rows;
    if (surface.table) {
      if (pm.pmTable) DisposeHandle(reinterpret_cast<Handle>(pm.pmTable));
      pm.pmTable = surface.table;
      pm.pixelType = 0;
      pm.cmpCount = 1;
      pm.cmpSize = static_cast<short>(bits);
    }
  }
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
  Handle header = ext.dib;  // a DIB world's header and palette
  if (ext.memoryDC && ext.previousBitmap) SelectObject(ext.memoryDC, ext.previousBitmap);
  ForgetWinGDC(ext.memoryDC);
  ext = PixMapExtension{};
  ClosePortAndContext(port);  // deletes the memory DC the port owns
  if (bitmap) DeleteObject(bitmap);
  if (header) DisposeHandle(header);
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

// The Toolbox's UpdateGWorld: a world whose bounds keep their size (and, for a DIB world, whose
// depth is unchanged) only moves its origin; any other change makes a new world that replaces
// the old one, the old pixels copied at their coordinates (clipPix) or scaled (stretchPix).
GWorldFlags ZEBAPI UpdateGWorld(GWorldPtr* offscreenGWorld, short pixelDepth,
                                const Rect* boundsRect, CTabHandle cTable, GDHandle aGDevice,
                                GWorldFlags flags) {
  if (!offscreenGWorld || !boundsRect || IsEmptyRect(*boundsRect) || !IsGWorld(*offscreenGWorld))
    return gwFlagErr;
  GWorldPtr old = *offscreenGWorld;
  PixMap& pm = **old->portPixMap;
  const Rect before = pm.bounds;
  const bool sameSize = before.right - before.left == boundsRect->right - boundsRect->left &&
                        before.bottom - before.top == boundsRect->bottom - boundsRect->top;
  const bool dibWorld = static_cast<uint16_t>(pm.pmVersion) == kDIBPixMapVersion;
  const bool sameDepth = !dibWorld || pixelDepth == 0 || DIBWorldDepth(pixelDepth) == pm.pixelSize;
  if (sameSize && sameDepth) {
    if (before.left != boundsRect->left || before.top != boundsRect->top) {
      GrafPtr saved = CurrentPort();
      MakeCurrent(reinterpret_cast<GrafPtr>(old));
      pm.bounds = *boundsRect;
      SetOrigin(boundsRect->left, boundsRect->top);
      ClipRect(boundsRect);
      if (saved && IsOpenPort(saved)) MakeCurrent(saved);
    }
    return 0;
  }
  GWorldPtr fresh = nullptr;
  if (NewGWorld(&fresh, pixelDepth, boundsRect, cTable, aGDevice, 0) != 0) return gwFlagErr;
  const BitMap* from = &reinterpret_cast<GrafPtr>(old)->portBits;
  const BitMap* to = &reinterpret_cast<GrafPtr>(fresh)->portBits;
  if (flags & stretchPix) {
    TransferBitsRaw(from, to, before, *boundsRect);
  } else if (flags & clipPix) {
    Rect common;
    if (IntersectRects(before, *boundsRect, common)) TransferBitsRaw(from, to, common, common);
  }
  const bool wasCurrent = CurrentPort() == reinterpret_cast<GrafPtr>(old);
  DisposeGWorld(old);
  if (wasCurrent) SetGWorld(fresh, nullptr);
  *offscreenGWorld = fresh;
  return reallocPix;
}

}  // extern "C"

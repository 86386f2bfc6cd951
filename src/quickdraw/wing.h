// WinG, the Windows library of directly addressable bitmaps, when the machine has it: looked for
// once ("wing.dll" found by FindExecutableA, then loaded), its six entry points taken in the
// order WinGCreateDC, WinGRecommendDIBFormat, WinGCreateBitmap, WinGGetDIBPointer,
// WinGSetDIBColorTable, WinGBitBlt. Without it, or when any entry point is missing, offscreen
// worlds use ordinary device bitmaps.
#ifndef ZEB_QUICKDRAW_WING_H
#define ZEB_QUICKDRAW_WING_H

#include <windows.h>

namespace zeb::quickdraw {

struct WinGLibrary {
  HDC(WINAPI* createDC)();
  BOOL(WINAPI* recommendDIBFormat)(BITMAPINFO* format);
  HBITMAP(WINAPI* createBitmap)(HDC dc, const BITMAPINFO* header, void** bits);
  void*(WINAPI* getDIBPointer)(HBITMAP bitmap, BITMAPINFO* header);
  UINT(WINAPI* setDIBColorTable)(HDC dc, UINT start, UINT count, const RGBQUAD* colours);
  BOOL(WINAPI* bitBlt)(HDC dst, int x, int y, int width, int height, HDC src, int srcX, int srcY);
};

// The loaded library, or null without one (the search is made on the first call only).
const WinGLibrary* WinG();

// A WinG DC holding a WinG bitmap of width x height in the format WinG recommends (its
// orientation kept), the bitmap's colour table set from colours when it is indexed; false
// (nothing left made) when WinG is absent or any step fails.
struct WinGSurface {
  HDC dc = nullptr;
  HBITMAP bitmap = nullptr;
  void* rows = nullptr;
  int depth = 0;
};
bool MakeWinGSurface(int width, int height, const RGBQUAD* colours, int colourCount,
                     WinGSurface& out);

// Whether dc is one made by MakeWinGSurface and still open; WinGBitBlt copies from it. A
// world's DC is forgotten when the world goes.
bool IsWinGDC(HDC dc);
void ForgetWinGDC(HDC dc);

}  // namespace zeb::quickdraw

#endif  // ZEB_QUICKDRAW_WING_H

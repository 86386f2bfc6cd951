// Finding and loading WinG, and the WinG surfaces offscreen worlds are made on.
#include "quickdraw/wing.h"

#include <shellapi.h>

#include <algorithm>
#include <vector>

namespace zeb::quickdraw {
namespace {

bool g_searched = false;
bool g_present = false;
WinGLibrary g_wing{};
std::vector<HDC> g_wingDCs;

template <typename T>
bool Take(HMODULE module, const char* name, T& entry) {
  entry = reinterpret_cast<T>(reinterpret_cast<void*>(GetProcAddress(module, name)));
  return entry != nullptr;
}

bool Load() {
  // FindExecutableA answers for a file it found: with the program that opens it, or, for a
  // library, that it has no association (SE_ERR_NOASSOC). Not found is 2 or 3.
  char found[MAX_PATH] = "";
  const INT_PTR result = reinterpret_cast<INT_PTR>(FindExecutableA("wing.dll", nullptr, found));
  if (result <= 32 && result != SE_ERR_NOASSOC) return false;
  HMODULE module = LoadLibraryA("wing.dll");
  if (!module) return false;
  WinGLibrary w{};
  if (Take(module, "WinGCreateDC", w.createDC) &&
      Take(module, "WinGRecommendDIBFormat", w.recommendDIBFormat) &&
      Take(module, "WinGCreateBitmap", w.createBitmap) &&
      Take(module, "WinGGetDIBPointer", w.getDIBPointer) &&
      Take(module, "WinGSetDIBColorTable", w.setDIBColorTable) &&
      Take(module, "WinGBitBlt", w.bitBlt)) {
    g_wing = w;
    return true;
  }
  FreeLibrary(module);
  return false;
}

}  // namespace

const WinGLibrary* WinG() {
  if (!g_searched) {
    g_searched = true;
    g_present = Load();
  }
  return g_present ? &g_wing : nullptr;
}

bool MakeWinGSurface(int width, int height, const RGBQUAD* colours, int colourCount,
                     WinGSurface& out) {
  const WinGLibrary* w = WinG();
  if (!w || width <= 0 || height <= 0) return false;
  struct {
    BITMAPINFOHEADER header;
    RGBQUAD colours[256];
  } format{};
  format.header.biSize = sizeof(BITMAPINFOHEADER);
  if (!w->recommendDIBFormat(reinterpret_cast<BITMAPINFO*>(&format))) return false;
  // The recommendation gives depth and orientation (a negative height runs top-down).
  const int depth = format.header.biBitCount;
  if (depth != 8 && depth != 16 && depth != 24 && depth != 32) return false;
  format.header.biWidth = width;
  format.header.biHeight = format.header.biHeight < 0 ? -height : height;
  format.header.biPlanes = 1;
  format.header.biCompression = BI_RGB;
  format.header.biSizeImage = 0;
  if (depth == 8 && colours) {
    const int n = std::min(colourCount, 256);
    std::copy(colours, colours + n, format.colours);
    format.header.biClrUsed = 256;
  }
  HDC dc = w->createDC();
  if (!dc) return false;
  void* rows = nullptr;
  HBITMAP bitmap = w->createBitmap(dc, reinterpret_cast<BITMAPINFO*>(&format), &rows);
  if (!bitmap) {
    DeleteDC(dc);
    return false;
  }
  // WinG's pointer to the rows is the one to write through.
  if (void* p = w->getDIBPointer(bitmap, reinterpret_cast<BITMAPINFO*>(&format))) rows = p;
  if (!rows) {
    DeleteObject(bitmap);
    DeleteDC(dc);
    return false;
  }
  if (depth == 8 && colours && colourCount > 0) {
    HGDIOBJ old = SelectObject(dc, bitmap);
    w->setDIBColorTable(dc, 0, static_cast<UINT>(std::min(colourCount, 256)), colours);
    SelectObject(dc, old);
  }
  out.dc = dc;
  out.bitmap = bitmap;
  out.rows = rows;
  out.depth = depth;
  g_wingDCs.push_back(dc);
  return true;
}

bool IsWinGDC(HDC dc) {
  return dc && std::find(g_wingDCs.begin(), g_wingDCs.end(), dc) != g_wingDCs.end();
}

void ForgetWinGDC(HDC dc) {
  g_wingDCs.erase(std::remove(g_wingDCs.begin(), g_wingDCs.end(), dc), g_wingDCs.end());
}

}  // namespace zeb::quickdraw

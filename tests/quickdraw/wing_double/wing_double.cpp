// A stand-in for WinG, built as "wing.dll" for the tests: its six entry points work on DIB
// sections and log each call, so that a test sees which ones the library made and in what
// order. WinGRecommendDIBFormat recommends 16-bit top-down bitmaps, a depth the test screen has
// not, so that a world made on WinG shows by its depth. Built with WING_DOUBLE_PARTIAL it lacks
// WinGBitBlt.
#include <windows.h>

#include <string>

namespace {
std::string g_log;
void* g_lastBits = nullptr;
void Log(const char* name) {
  if (!g_log.empty()) g_log += ' ';
  g_log += name;
}
}  // namespace

extern "C" {

__declspec(dllexport) const char* WINAPI WinGDoubleLog() { return g_log.c_str(); }
__declspec(dllexport) void* WINAPI WinGDoubleLastBits() { return g_lastBits; }

__declspec(dllexport) HDC WINAPI WinGCreateDC() {
  Log("CreateDC");
  return CreateCompatibleDC(nullptr);
}

__declspec(dllexport) BOOL WINAPI WinGRecommendDIBFormat(BITMAPINFO* format) {
  Log("RecommendDIBFormat");
  if (!format) return FALSE;
  format->bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  format->bmiHeader.biWidth = 1;
  format->bmiHeader.biHeight = -1;
  format->bmiHeader.biPlanes = 1;
  format->bmiHeader.biBitCount = 16;
  format->bmiHeader.biCompression = BI_RGB;
  return TRUE;
}

__declspec(dllexport) HBITMAP WINAPI WinGCreateBitmap(HDC dc, const BITMAPINFO* header, void** bits) {
  Log("CreateBitmap");
  void* rows = nullptr;
  HBITMAP b = CreateDIBSection(dc, header, DIB_RGB_COLORS, &rows, nullptr, 0);
  if (bits) *bits = rows;
  g_lastBits = rows;
  return b;
}

__declspec(dllexport) void* WINAPI WinGGetDIBPointer(HBITMAP bitmap, BITMAPINFO* header) {
  Log("GetDIBPointer");
  (void)header;
  DIBSECTION ds{};
  return GetObjectA(bitmap, sizeof ds, &ds) == sizeof ds ? ds.dsBm.bmBits : nullptr;
}

__declspec(dllexport) UINT WINAPI WinGSetDIBColorTable(HDC dc, UINT start, UINT count, const RGBQUAD* colours) {
  Log("SetDIBColorTable");
  return SetDIBColorTable(dc, start, count, colours);
}

#ifndef WING_DOUBLE_PARTIAL
__declspec(dllexport) BOOL WINAPI WinGBitBlt(HDC dst, int x, int y, int width, int height, HDC src, int srcX, int srcY) {
  Log("BitBlt");
  return BitBlt(dst, x, y, width, height, src, srcX, srcY, SRCCOPY);
}
#endif

}  // extern "C"

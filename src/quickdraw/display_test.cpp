// ZEB_QDInitTestScreen: which drawing shortcuts give the same pixels as GDI's own primitives on
// a bitmap like the screen's. PatBlt is much faster than Rectangle and Polygon, but is used for
// fills and straight lines only where the two agree here.
#include <cstring>
#include <vector>

#include "quickdraw/copy_options.h"
#include "quickdraw/quickdraw_state.h"

namespace zeb::quickdraw {
namespace {

constexpr int kWidth = 32, kHeight = 16;
constexpr uint8_t kGray[8] = {0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55};

struct TestSurface {
  HDC dc = nullptr;
  HBITMAP bitmap = nullptr;
  HGDIOBJ first = nullptr;
  explicit TestSurface(HDC screen) {
    dc = CreateCompatibleDC(screen);
    bitmap = CreateCompatibleBitmap(screen, kWidth, kHeight);
    if (dc && bitmap) first = SelectObject(dc, bitmap);
  }
  ~TestSurface() {
    if (first) SelectObject(dc, first);
    if (bitmap) DeleteObject(bitmap);
    if (dc) DeleteDC(dc);
  }
  bool ok() const { return first != nullptr; }
  void Clear() const { PatBlt(dc, 0, 0, kWidth, kHeight, WHITENESS); }
  std::vector<uint32_t> Pixels() const {
    std::vector<uint32_t> out(kWidth * kHeight);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = kWidth;
    info.bmiHeader.biHeight = -kHeight;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    SelectObject(dc, first);  // GetDIBits wants the bitmap out of the DC
    GetDIBits(dc, bitmap, 0, kHeight, out.data(), &info, DIB_RGB_COLORS);
    SelectObject(dc, bitmap);
    return out;
  }
};

// Draws the same thing twice, once each way, and compares.
template <class A, class B>
bool SamePixels(const TestSurface& s, A gdiWay, B patBltWay) {
  s.Clear();
  gdiWay(s.dc);
  const std::vector<uint32_t> first = s.Pixels();
  s.Clear();
  patBltWay(s.dc);
  return first == s.Pixels();
}

HBRUSH GrayBrush() {
  uint8_t rows[16];
  for (int i = 0; i < 8; ++i) {
    rows[i * 2] = static_cast<uint8_t>(~kGray[i]);
    rows[i * 2 + 1] = 0;
  }
  HBITMAP bitmap = CreateBitmap(8, 8, 1, 1, rows);
  HBRUSH brush = CreatePatternBrush(bitmap);
  DeleteObject(bitmap);
  return brush;
}

}  // namespace
}  // namespace zeb::quickdraw

using namespace zeb;
using namespace zeb::quickdraw;

extern "C" short ZEBAPI ZEB_QDInitTestScreen(void) {
  DrawingOptions& options = State().options;
  TakeCopyBitsFlag();
  HDC screen = GetDC(nullptr);
  short result = 0;
  {
    TestSurface s(screen);
    if (s.ok()) {
      HGDIOBJ pen = SelectObject(s.dc, GetStockObject(NULL_PEN));
      HGDIOBJ brush = SelectObject(s.dc, GetStockObject(BLACK_BRUSH));
      // Solid fills: Rectangle with the null pen, one pixel wider and taller, against PatBlt.
      if (SamePixels(s, [](HDC dc) { Rectangle(dc, 3, 2, 3 + 20 + 1, 2 + 9 + 1); },
                     [](HDC dc) { PatBlt(dc, 3, 2, 20, 9, PATCOPY); }))
        result |= ZEB_QDTEST_SOLIDFILLS;
      // Patterned fills.
      HBRUSH gray = GrayBrush();
      SelectObject(s.dc, gray);
      SetTextColor(s.dc, RGB(0, 0, 0));
      SetBkColor(s.dc, RGB(255, 255, 255));
      if (SamePixels(s, [](HDC dc) { Rectangle(dc, 1, 3, 1 + 25 + 1, 3 + 7 + 1); },
                     [](HDC dc) { PatBlt(dc, 1, 3, 25, 7, PATCOPY); }))
        result |= ZEB_QDTEST_PATTERNFILLS;
      // Straight lines: the pen rectangle swept as a polygon, and a one-pixel GDI line with its
      // end point, against PatBlt.
      SelectObject(s.dc, GetStockObject(BLACK_BRUSH));
      const bool polygonRow = SamePixels(
          s,
          [](HDC dc) {
            const POINT p[4] = {{2, 5}, {2 + 17 + 3, 5}, {2 + 17 + 3, 5 + 2}, {2, 5 + 2}};
            SetPolyFillMode(dc, WINDING);
            Polygon(dc, p, 4);
          },
          [](HDC dc) { PatBlt(dc, 2, 5, 17 + 3, 2, PATCOPY); });
      SelectObject(s.dc, GetStockObject(BLACK_PEN));
      const bool penRow = SamePixels(
          s,
          [](HDC dc) {
            MoveToEx(dc, 4, 8, nullptr);
            LineTo(dc, 24, 8);
            LineTo(dc, 25, 8);
          },
          [](HDC dc) { PatBlt(dc, 4, 8, 21, 1, PATCOPY); });
      if (polygonRow && penRow) result |= ZEB_QDTEST_LINEFILLS;
      // An all-black pattern brush against a solid brush of the text colour.
      HBRUSH solid = CreateSolidBrush(RGB(0, 0, 0));
      uint8_t rows[16] = {};  // inverted all-black pattern: every bit clear
      HBITMAP bitmap = CreateBitmap(8, 8, 1, 1, rows);
      HBRUSH patterned = CreatePatternBrush(bitmap);
      DeleteObject(bitmap);
      SelectObject(s.dc, GetStockObject(NULL_PEN));
      if (SamePixels(
              s,
              [patterned](HDC dc) {
                SelectObject(dc, patterned);
                PatBlt(dc, 0, 0, kWidth, kHeight, PATCOPY);
              },
              [solid](HDC dc) {
                SelectObject(dc, solid);
                PatBlt(dc, 0, 0, kWidth, kHeight, PATCOPY);
              }))
        result |= ZEB_QDTEST_SOLIDBRUSHES;
      SelectObject(s.dc, pen);
      SelectObject(s.dc, brush);
      DeleteObject(gray);
      DeleteObject(solid);
      DeleteObject(patterned);
    }
  }
  const bool oneBitScreen = GetDeviceCaps(screen, BITSPIXEL) * GetDeviceCaps(screen, PLANES) == 1;
  ReleaseDC(nullptr, screen);
  options.fastSolidFills = (result & ZEB_QDTEST_SOLIDFILLS) != 0;
  options.fastPatternFills = (result & ZEB_QDTEST_PATTERNFILLS) != 0;
  options.fastLineFills = (result & ZEB_QDTEST_LINEFILLS) != 0;
  options.solidColourBrushes = (result & ZEB_QDTEST_SOLIDBRUSHES) != 0;
  options.greyDither = oneBitScreen;
  return result;
}

#include "quickdraw_fixture.h"

#include <cstring>

namespace zebtest {

DibSurface::DibSurface(int width, int height, int bits) : width_(width), height_(height), bits_(bits) {
  struct {
    BITMAPINFOHEADER header;
    RGBQUAD colours[2];
  } info{};
  info.header.biSize = sizeof info.header;
  info.header.biWidth = width;
  info.header.biHeight = -height;  // top-down
  info.header.biPlanes = 1;
  info.header.biBitCount = static_cast<WORD>(bits);
  info.header.biCompression = BI_RGB;
  info.colours[0] = {0, 0, 0, 0};
  info.colours[1] = {255, 255, 255, 0};
  void* bitsPointer = nullptr;
  bitmap_ = CreateDIBSection(nullptr, reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS,
                             &bitsPointer, nullptr, 0);
  pixels_ = static_cast<uint8_t*>(bitsPointer);
  stride_ = ((width * bits + 31) / 32) * 4;
  dc_ = CreateCompatibleDC(nullptr);
  first_ = SelectObject(dc_, bitmap_);
  Fill(kWhite);
}

DibSurface::~DibSurface() {
  if (dc_) {
    SelectObject(dc_, first_);
    DeleteDC(dc_);
  }
  if (bitmap_) DeleteObject(bitmap_);
}

uint32_t DibSurface::Pixel(int x, int y) const {
  GdiFlush();
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return 0xFF000000;
  const uint8_t* row = pixels_ + static_cast<size_t>(y) * stride_;
  if (bits_ == 1) return (row[x / 8] & (0x80 >> (x % 8))) ? kWhite : kBlack;
  uint32_t v;
  std::memcpy(&v, row + x * 4, 4);
  return v & 0xFFFFFF;
}

void DibSurface::Fill(uint32_t rgb) { FillRect(0, 0, width_, height_, rgb); }

void DibSurface::FillRect(int left, int top, int right, int bottom, uint32_t rgb) {
  GdiFlush();
  for (int y = top; y < bottom; ++y) {
    uint8_t* row = pixels_ + static_cast<size_t>(y) * stride_;
    for (int x = left; x < right; ++x) {
      if (bits_ == 1) {
        const uint8_t bit = static_cast<uint8_t>(0x80 >> (x % 8));
        if (rgb == kWhite)
          row[x / 8] = static_cast<uint8_t>(row[x / 8] | bit);
        else
          row[x / 8] = static_cast<uint8_t>(row[x / 8] & ~bit);
      } else {
        std::memcpy(row + x * 4, &rgb, 4);
      }
    }
  }
}

std::string DibSurface::Row(int y, int x0, int x1) const {
  std::string out;
  for (int x = x0; x < x1; ++x) {
    const uint32_t p = Pixel(x, y);
    out += p == kBlack ? '#' : p == kWhite ? '.' : '?';
  }
  return out;
}

int DibSurface::CountBlack() const {
  int n = 0;
  for (int y = 0; y < height_; ++y)
    for (int x = 0; x < width_; ++x) n += IsBlack(x, y);
  return n;
}

void QuickDrawTest::SetUp() {
  SessionTest::SetUp();
  InitGraf(&screenPort_);
  ASSERT_NE(screenPort_, nullptr);
}

void QuickDrawTest::TearDown() { SessionTest::TearDown(); }

void QuickDrawTest::OpenColourPortOn(CGrafPort& port, DibSurface& surface) {
  OpenPortForHDC(&port, surface.dc());
  ASSERT_GE(port.patStretch, 0);
  PortSize(static_cast<short>(surface.width()), static_cast<short>(surface.height()));
}

void QuickDrawTest::OpenBlackAndWhitePortOn(GrafPort& port, DibSurface& surface) {
  // The bitmap moves from the surface's own DC into the port's memory DC.
  surface.LendBitmap();
  ZEB_OffScreenDC(nullptr, 0);
  OpenPort(&port);
  ASSERT_GE(port.patStretch, 0);
  SelectObject(ZEB_GetCurrentDC(), surface.bitmap());
  ZEB_ChangeThePortAttr();
  PortSize(static_cast<short>(surface.width()), static_cast<short>(surface.height()));
}

}  // namespace zebtest

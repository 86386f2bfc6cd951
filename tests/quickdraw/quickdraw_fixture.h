// QuickDraw tests: a started session with InitGraf done, and DIB sections to draw into and read
// back.
#ifndef ZEB_TESTS_QUICKDRAW_FIXTURE_H
#define ZEB_TESTS_QUICKDRAW_FIXTURE_H

#include <cstdint>
#include <string>

#include "Quickdraw.h"
#include "session_fixture.h"

namespace zebtest {

// A top-down DIB section, 32 bits (pixels 0x00RRGGBB) or 1 bit (palette 0 black, 1 white), with
// a memory DC of its own.
class DibSurface {
 public:
  DibSurface(int width, int height, int bits = 32);
  ~DibSurface();
  DibSurface(const DibSurface&) = delete;
  DibSurface& operator=(const DibSurface&) = delete;

  HDC dc() const { return dc_; }
  // Frees the bitmap for another DC (a bitmap is selected into one DC at a time).
  void LendBitmap() { SelectObject(dc_, first_); }
  HBITMAP bitmap() const { return bitmap_; }
  int width() const { return width_; }
  int height() const { return height_; }

  // 32-bit: 0x00RRGGBB; 1-bit: 0x000000 or 0xFFFFFF.
  uint32_t Pixel(int x, int y) const;
  bool IsBlack(int x, int y) const { return Pixel(x, y) == 0; }
  void Fill(uint32_t rgb);
  void FillRect(int left, int top, int right, int bottom, uint32_t rgb);
  // One row as text: '#' black, '.' white, '?' anything else.
  std::string Row(int y, int x0, int x1) const;
  int CountBlack() const;

 private:
  int width_, height_, bits_;
  HDC dc_ = nullptr;
  HBITMAP bitmap_ = nullptr;
  HGDIOBJ first_ = nullptr;
  uint8_t* pixels_ = nullptr;
  int stride_ = 0;
};

constexpr uint32_t kWhite = 0xFFFFFF;
constexpr uint32_t kBlack = 0x000000;

class QuickDrawTest : public SessionTest {
 protected:
  void SetUp() override;
  void TearDown() override;

  // A colour port drawing on the surface's DC, made current.
  void OpenColourPortOn(CGrafPort& port, DibSurface& surface);
  // A black-and-white port on a memory DC holding the surface's bitmap, made current.
  void OpenBlackAndWhitePortOn(GrafPort& port, DibSurface& surface);
  GrafPtr ScreenPort() const { return screenPort_; }

  GrafPtr screenPort_ = nullptr;
};

// Port field access for either record kind.
inline GrafPtr AsGraf(CGrafPort& port) { return reinterpret_cast<GrafPtr>(&port); }

}  // namespace zebtest

#endif  // ZEB_TESTS_QUICKDRAW_FIXTURE_H

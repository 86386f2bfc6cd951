// Text tests: a colour port on a 32-bit DIB section with a font chosen, and what the tests
// compare the library's text with: GDI's own output of the converted text in the same font on
// a second DIB section.
#ifndef ZEB_TESTS_TEXT_FIXTURE_H
#define ZEB_TESTS_TEXT_FIXTURE_H

#include <memory>
#include <string>

#include "Fonts.h"
#include "quickdraw_fixture.h"

namespace zebtest {

// A length-prefixed copy of text (at most 255 bytes).
struct PString {
  explicit PString(const std::string& text);
  const unsigned char* p() const { return bytes; }
  unsigned char bytes[256];
};

// Pixels that differ between two surfaces of one size.
int DifferingPixels(const DibSurface& a, const DibSurface& b);

class TextTest : public QuickDrawTest {
 protected:
  static constexpr int kWidth = 320, kHeight = 64;
  void SetUp() override;
  void TearDown() override;

  // The font the port's DC has selected (realised by the last text call).
  HFONT SelectedFont() const;
  bool SelectedFontIsTrueType() const;
  // Macintosh text as the library hands it to GDI for the selected font: raw for TrueType,
  // line ends dropped.
  std::string AsWindowsText(const std::string& mac) const;
  // GDI's output of windowsText at baseline (x, y) on surface in font, with these colours and
  // background mode, clipped to clip when given.
  static void ReferenceText(DibSurface& surface, HFONT font, int x, int y,
                            const std::string& windowsText, COLORREF text, COLORREF back,
                            int backgroundMode, const RECT* clip = nullptr);
  // The width GDI gives windowsText in font.
  static int GdiWidth(HFONT font, const std::string& windowsText);

  CGrafPort port_{};
  std::unique_ptr<DibSurface> surface_;
};

}  // namespace zebtest

#endif  // ZEB_TESTS_TEXT_FIXTURE_H

#include "text_fixture.h"

#include <cstring>
#include <vector>

namespace zebtest {

PString::PString(const std::string& text) {
  const size_t n = text.size() < 255 ? text.size() : 255;
  bytes[0] = static_cast<unsigned char>(n);
  std::memcpy(bytes + 1, text.data(), n);
}

int DifferingPixels(const DibSurface& a, const DibSurface& b) {
  int n = 0;
  for (int y = 0; y < a.height(); ++y)
    for (int x = 0; x < a.width(); ++x) n += a.Pixel(x, y) != b.Pixel(x, y);
  return n;
}

void TextTest::SetUp() {
  QuickDrawTest::SetUp();
  surface_ = std::make_unique<DibSurface>(kWidth, kHeight);
  OpenColourPortOn(port_, *surface_);
  TextFont(applFont);
  TextSize(14);
}

void TextTest::TearDown() {
  if (port_.patStretch >= 0 && ZEB_GetCurrentDC()) CloseCPort(&port_);
  QuickDrawTest::TearDown();
}

HFONT TextTest::SelectedFont() const {
  return static_cast<HFONT>(GetCurrentObject(ZEB_GetCurrentDC(), OBJ_FONT));
}

bool TextTest::SelectedFontIsTrueType() const {
  TEXTMETRICA tm{};
  GetTextMetricsA(ZEB_GetCurrentDC(), &tm);
  return (tm.tmPitchAndFamily & TMPF_TRUETYPE) != 0;
}

std::string TextTest::AsWindowsText(const std::string& mac) const {
  std::vector<char> out(mac.size() * 4 + 1);
  const short flags = static_cast<short>(ZEB_MACTOANSI_NOLINEENDS |
                                         (SelectedFontIsTrueType() ? ZEB_MACTOANSI_RAW : 0));
  const long n = ZEB_MacToAnsiBuf(mac.data(), out.data(), static_cast<long>(mac.size()), flags);
  return std::string(out.data(), static_cast<size_t>(n));
}

void TextTest::ReferenceText(DibSurface& surface, HFONT font, int x, int y,
                             const std::string& windowsText, COLORREF text, COLORREF back,
                             int backgroundMode, const RECT* clip) {
  HDC dc = surface.dc();
  const int saved = SaveDC(dc);
  if (clip) IntersectClipRect(dc, clip->left, clip->top, clip->right, clip->bottom);
  SelectObject(dc, font);
  SetTextAlign(dc, TA_BASELINE | TA_LEFT | TA_NOUPDATECP);
  SetTextColor(dc, text);
  SetBkColor(dc, back);
  SetBkMode(dc, backgroundMode);
  TextOutA(dc, x, y, windowsText.data(), static_cast<int>(windowsText.size()));
  RestoreDC(dc, saved);
  GdiFlush();
}

int TextTest::GdiWidth(HFONT font, const std::string& windowsText) {
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ previous = SelectObject(dc, font);
  SIZE extent{};
  GetTextExtentPoint32A(dc, windowsText.data(), static_cast<int>(windowsText.size()), &extent);
  SelectObject(dc, previous);
  DeleteDC(dc);
  return extent.cx;
}

}  // namespace zebtest

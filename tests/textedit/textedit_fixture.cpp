#include "textedit_fixture.h"

#include <vector>

#include "ZEB.h"

namespace zebtest {

void TextEditTest::SetUp() {
  QuickDrawTest::SetUp();
  surface_ = std::make_unique<DibSurface>(kWidth, kHeight);
  surface_->Fill(kWhite);
  OpenColourPortOn(port_, *surface_);
  TextFont(0);
  TextSize(12);
  TEInit();
}

void TextEditTest::TearDown() {
  if (te_) TEDispose(te_);
  te_ = nullptr;
  SetPort(reinterpret_cast<GrafPtr>(&port_));
  if (port_.patStretch >= 0 && ZEB_GetCurrentDC()) CloseCPort(&port_);
  surface_.reset();
  QuickDrawTest::TearDown();
}

TEHandle TextEditTest::NewRecord(bool styled) {
  const Rect r{10, 10, 110, 230};
  te_ = styled ? TEStyleNew(&r, &r) : TENew(&r, &r);
  return te_;
}

std::string TextEditTest::TextOf(TEHandle te) const {
  Handle h = reinterpret_cast<Handle>(TEGetText(te));
  return std::string(*h, *h + (*te)->teLength);
}

std::vector<int> TextEditTest::LineStarts(TEHandle te) const {
  return std::vector<int>((*te)->lineStarts, (*te)->lineStarts + (*te)->nLines + 1);
}

int TextEditTest::BlackIn(int left, int top, int right, int bottom) const {
  int n = 0;
  for (int y = top; y < bottom; ++y) {
    for (int x = left; x < right; ++x) n += surface_->Pixel(x, y) == kBlack;
  }
  return n;
}

}  // namespace zebtest

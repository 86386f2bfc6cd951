// TextEdit tests: a colour port on a white 32-bit DIB section with TEInit done, and a record
// the library draws into it.
#ifndef ZEB_TESTS_TEXTEDIT_FIXTURE_H
#define ZEB_TESTS_TEXTEDIT_FIXTURE_H

#include <memory>
#include <string>

#include "Fonts.h"
#include "TextEdit.h"
#include "quickdraw_fixture.h"

namespace zebtest {

class TextEditTest : public QuickDrawTest {
 protected:
  static constexpr int kWidth = 240, kHeight = 120;
  void SetUp() override;
  void TearDown() override;

  // A record with destRect and viewRect (10, 10) - (110, 230), nil on failure.
  TEHandle NewRecord(bool styled = false);
  std::string TextOf(TEHandle te) const;
  std::vector<int> LineStarts(TEHandle te) const;
  int BlackIn(int left, int top, int right, int bottom) const;

  CGrafPort port_{};
  std::unique_ptr<DibSurface> surface_;
  TEHandle te_ = nullptr;
};

}  // namespace zebtest

#endif  // ZEB_TESTS_TEXTEDIT_FIXTURE_H

// Styled records: the style record, TESetStyle's modes, run merging and use counts, the null
// style, and copying and pasting with styles.
#include <string>
#include <vector>

#include "MacMemory.h"
#include "textedit_fixture.h"

namespace zebtest {
namespace {

class StylesTest : public TextEditTest {
 protected:
  void SetUp() override {
    TextEditTest::SetUp();
    te_ = NewRecord(true);
    ASSERT_NE(te_, nullptr);
    TESetText("plain bold plain", 16, te_);
  }
  TEStylePtr Styles() const { return *TEGetStyleHandle(te_); }
  // (start, face) of each run.
  std::vector<std::pair<int, int>> Runs() const {
    std::vector<std::pair<int, int>> out;
    TEStylePtr st = Styles();
    for (int r = 0; r < st->nRuns; ++r)
      out.push_back({st->runs[r].startChar, (*st->styleTab)[st->runs[r].styleIndex].stFace});
    return out;
  }
  int CountSum() const {
    TEStylePtr st = Styles();
    int sum = 0;
    for (int k = 0; k < st->nStyles; ++k) sum += (*st->styleTab)[k].stCount;
    return sum;
  }
  void SetFace(int from, int to, short face, short mode = doFace) {
    TESetSelect(from, to, te_);
    TextStyle s{};
    s.tsFace = static_cast<Style>(face);
    TESetStyle(mode, &s, false, te_);
  }
};

TEST_F(StylesTest, AStyledRecordStartsWithOneStyleFromThePort) {
  EXPECT_EQ((*te_)->txSize, -1);
  EXPECT_EQ((*te_)->lineHeight, -1);
  EXPECT_EQ((*te_)->fontAscent, -1);
  TEStylePtr st = Styles();
  EXPECT_EQ(st->nRuns, 1);
  EXPECT_EQ(st->nStyles, 1);
  EXPECT_EQ(st->runs[1].startChar, 17);  // teLength + 1
  EXPECT_EQ((*st->styleTab)[0].stSize, 12);
  EXPECT_EQ((*st->styleTab)[0].stCount, 1);
  EXPECT_GT((*st->styleTab)[0].stHeight, 0);
  EXPECT_GT(TEGetHeight(1, 1, te_), 0);
}

TEST_F(StylesTest, FaceOverASelectionSplitsAndMergesRuns) {
  SetFace(6, 10, bold);
  EXPECT_EQ(Runs(), (std::vector<std::pair<int, int>>{{0, 0}, {6, bold}, {10, 0}}));
  EXPECT_EQ(Styles()->nStyles, 2);
  EXPECT_EQ(CountSum(), 3);
  // Plain again: one run, one entry.
  SetFace(6, 10, normal);
  EXPECT_EQ(Runs(), (std::vector<std::pair<int, int>>{{0, 0}}));
  EXPECT_EQ(Styles()->nStyles, 1);
  EXPECT_EQ((*Styles()->styleTab)[0].stCount, 1);
}

TEST_F(StylesTest, ToggleClearsAFaceEveryRunHasAndSetsItOtherwise) {
  SetFace(0, 5, bold);
  SetFace(0, 10, bold, doFace | doToggle);  // not all bold: all become bold
  EXPECT_EQ(Runs(), (std::vector<std::pair<int, int>>{{0, bold}, {10, 0}}));
  SetFace(0, 10, bold, doFace | doToggle);  // all bold: cleared
  EXPECT_EQ(Runs(), (std::vector<std::pair<int, int>>{{0, 0}}));
}

TEST_F(StylesTest, SizeFontAndColourModes) {
  TESetSelect(0, 5, te_);
  TextStyle s{};
  s.tsSize = 24;
  TESetStyle(doSize, &s, false, te_);
  TextStyle got{};
  short height = 0, ascent = 0;
  TEGetStyle(2, &got, &height, &ascent, te_);
  EXPECT_EQ(got.tsSize, 24);
  EXPECT_GT(height, 20);
  s.tsSize = -30;
  TESetStyle(addSize, &s, false, te_);
  TEGetStyle(2, &got, nullptr, nullptr, te_);
  EXPECT_EQ(got.tsSize, 1);  // never below 1
  s.tsColor = {0xFFFF, 0, 0};
  TESetStyle(doColor, &s, false, te_);
  TEGetStyle(2, &got, nullptr, nullptr, te_);
  EXPECT_EQ(got.tsColor.red, 0xFFFF);
  EXPECT_EQ(got.tsSize, 1);
  TEGetStyle(8, &got, nullptr, nullptr, te_);
  EXPECT_EQ(got.tsColor.red, 0);
  EXPECT_EQ(got.tsSize, 12);
  // The tallest style of a line makes its height.
  EXPECT_EQ(TENumStyles(0, 16, te_), 2);
}

TEST_F(StylesTest, ContinuousStyleReportsWhatTheSelectionShares) {
  SetFace(6, 10, bold | italic);
  TESetSelect(6, 10, te_);
  short mode = doAll;
  TextStyle s{};
  EXPECT_TRUE(TEContinuousStyle(&mode, &s, te_));
  EXPECT_EQ(s.tsFace, bold | italic);
  TESetSelect(0, 10, te_);
  mode = doAll;
  EXPECT_FALSE(TEContinuousStyle(&mode, &s, te_));
  EXPECT_EQ(mode, doFont | doSize | doColor);
  EXPECT_EQ(s.tsFace, 0);
}

TEST_F(StylesTest, TheNullStyleGoesToTheNextInsertedText) {
  TESetSelect(16, 16, te_);
  TextStyle s{};
  s.tsFace = underline;
  TESetStyle(doFace, &s, false, te_);
  EXPECT_EQ(Styles()->nRuns, 1);  // nothing changes before text comes
  TEKey('x', te_);
  EXPECT_EQ(Runs(), (std::vector<std::pair<int, int>>{{0, 0}, {16, underline}}));
  TEKey('y', te_);  // the style of the text before
  EXPECT_EQ(Runs(), (std::vector<std::pair<int, int>>{{0, 0}, {16, underline}}));
}

TEST_F(StylesTest, ReplaceStyleChangesOnlyMatchingRuns) {
  SetFace(6, 10, bold);
  TESetSelect(0, 16, te_);
  TextStyle from{}, to{};
  from.tsFace = bold;
  to.tsFace = italic;
  TEReplaceStyle(doFace, &from, &to, false, te_);
  EXPECT_EQ(Runs(), (std::vector<std::pair<int, int>>{{0, 0}, {6, italic}, {10, 0}}));
}

TEST_F(StylesTest, CopyAndStylePasteKeepTheStyles) {
  SetFace(6, 10, bold);
  TESetSelect(4, 12, te_);
  TECopy(te_);
  EXPECT_EQ(cells_.teStylScrapSwitch, 1);
  ASSERT_NE(cells_.teStylScrapHandle, nullptr);
  auto scrap = reinterpret_cast<StScrpHandle>(cells_.teStylScrapHandle);
  EXPECT_EQ((*scrap)->scrpNStyles, 3);
  EXPECT_EQ((*scrap)->scrpStyleTab[1].scrpStartChar, 2);
  EXPECT_EQ((*scrap)->scrpStyleTab[1].scrpFace, bold);
  TESetSelect(16, 16, te_);
  TEStylePaste(te_);
  EXPECT_EQ((*te_)->teLength, 24);
  EXPECT_EQ(Runs(), (std::vector<std::pair<int, int>>{{0, 0}, {6, bold}, {10, 0}, {18, bold}, {22, 0}}));
  EXPECT_EQ(Styles()->nStyles, 2);
  EXPECT_EQ(CountSum(), 5);
}

TEST_F(StylesTest, AStyleScrapBeyondItsHandleIsReadOnlyAsFarAsItGoes) {
  Handle h = NewHandleClear(2 + 20);
  auto scrap = reinterpret_cast<StScrpHandle>(h);
  (*scrap)->scrpNStyles = 900;  // a count the handle cannot hold
  (*scrap)->scrpStyleTab[0].scrpFace = bold;
  (*scrap)->scrpStyleTab[0].scrpSize = 12;
  TESetSelect(0, 0, te_);
  TEStyleInsert("new ", 4, scrap, te_);
  EXPECT_EQ((*te_)->teLength, 20);
  EXPECT_EQ(Runs(), (std::vector<std::pair<int, int>>{{0, bold}, {4, 0}}));
  TEUseStyleScrap(10, 14, scrap, false, te_);
  EXPECT_EQ(Runs(), (std::vector<std::pair<int, int>>{{0, bold}, {4, 0}, {10, bold}, {14, 0}}));
  DisposeHandle(h);
  TEStyleInsert("x", -4, nullptr, te_);
  EXPECT_EQ((*te_)->teLength, 20);
}

TEST_F(StylesTest, BoldTextDrawsHeavierThanPlain) {
  TESetText("MMMM MMMM", 9, te_);
  SetFace(5, 9, bold);
  surface_->Fill(kWhite);
  TEUpdate(&(*te_)->viewRect, te_);
  const int width = TextWidth("MMMM", 0, 4);
  const int plain = BlackIn(10, 10, 10 + width, 40);
  const int boldInk = BlackIn(10 + width + 2, 10, 100, 40);
  EXPECT_GT(plain, 0);
  EXPECT_GT(boldInk, plain);
}

}  // namespace
}  // namespace zebtest

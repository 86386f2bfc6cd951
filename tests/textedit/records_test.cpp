// Records the library draws: text, layout, edits, selection and caret pixels, scrolling.
#include <string>
#include <vector>

#include "Events.h"
#include "MacMemory.h"
#include "ZEB.h"
#include "textedit_fixture.h"

namespace zebtest {
namespace {

using RecordsTest = TextEditTest;

// The library's own entry point, not the program's import thunk.
template <class Proc>
Proc LibraryEntry(const char* name) {
  return reinterpret_cast<Proc>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("ZEB32_10.dll"), name)));
}

void SetText(TEHandle te, const std::string& s) {
  TESetText(s.data(), static_cast<long>(s.size()), te);
}

TEST_F(RecordsTest, ANewRecordTakesThePortsTextAndIsEmpty) {
  TextFace(bold);
  TEHandle te = NewRecord();
  ASSERT_NE(te, nullptr);
  FontInfo info{};
  GetFontInfo(&info);
  EXPECT_EQ((*te)->txFace, bold);
  EXPECT_EQ((*te)->txSize, 12);
  EXPECT_EQ((*te)->lineHeight, info.ascent + info.descent + info.leading + 1);
  EXPECT_EQ((*te)->fontAscent, info.ascent + info.leading);
  EXPECT_EQ((*te)->teLength, 0);
  EXPECT_EQ((*te)->selStart, 0);
  EXPECT_EQ((*te)->selEnd, 0);
  EXPECT_EQ((*te)->inPort, reinterpret_cast<GrafPtr>(&port_));
  EXPECT_EQ((*te)->wordBreak, LibraryEntry<WordBreakProcPtr>("SimpleWordBreak"));
  EXPECT_EQ((*te)->clikLoop, LibraryEntry<TEClickLoopProcPtr>("SimpleClikProc"));
  EXPECT_EQ((*te)->hWndEdit, 0);
  EXPECT_EQ((*te)->nLines, 0);
}

TEST_F(RecordsTest, LinesEndAtReturnsAndAFinalReturnAddsALine) {
  TEHandle te = NewRecord();
  SetText(te, "one\rtwo\rthree");
  EXPECT_EQ(LineStarts(te), (std::vector<int>{0, 4, 8, 13}));
  SetText(te, "one\rtwo\rthree\r");
  EXPECT_EQ(LineStarts(te), (std::vector<int>{0, 4, 8, 14, 14}));
  EXPECT_EQ((*te)->selStart, 14);
  EXPECT_EQ((*te)->selEnd, 14);
  // The handle holds exactly the line starts after the fixed part.
  EXPECT_EQ(GetHandleSize(reinterpret_cast<Handle>(te)),
            static_cast<long>(offsetof(TERec, lineStarts) + 5 * 2));
}

TEST_F(RecordsTest, LongWordsBreakByCharactersAndEveryLineFits) {
  TEHandle te = NewRecord();
  (*te)->destRect.right = 60;
  const std::string word(40, 'm');
  SetText(te, word + " short " + word);
  const int width = (*te)->destRect.right - (*te)->destRect.left;
  ASSERT_GT((*te)->nLines, 3);
  for (int i = 0; i < (*te)->nLines; ++i) {
    const int start = (*te)->lineStarts[i], end = (*te)->lineStarts[i + 1];
    ASSERT_LT(start, end);
    // A line may carry blanks past the edge, never a letter.
    int visible = end;
    while (visible > start && (*(*te)->hText)[visible - 1] == ' ') --visible;
    EXPECT_LE(TextWidth(*(*te)->hText, static_cast<short>(start), static_cast<short>(visible - start)), width)
        << "line " << i;
  }
}

TEST_F(RecordsTest, KeysInsertDeleteAndBackspaceAtTheStartDoesNothing) {
  TEHandle te = NewRecord();
  TEKey(8, te);
  EXPECT_EQ((*te)->teLength, 0);
  for (char c : std::string("abc\rd")) TEKey(c, te);
  EXPECT_EQ(TextOf(te), "abc\rd");
  EXPECT_EQ(LineStarts(te), (std::vector<int>{0, 4, 5}));
  TEKey(8, te);
  TEKey(8, te);
  EXPECT_EQ(TextOf(te), "abc");
  EXPECT_EQ(LineStarts(te), (std::vector<int>{0, 3}));
  TESetSelect(1, 2, te);
  TEKey('X', te);
  EXPECT_EQ(TextOf(te), "aXc");
  EXPECT_EQ((*te)->selStart, 2);
  // Arrows move the insertion point and never become text.
  TEKey(0x1C, te);
  TEKey(0x1C, te);
  EXPECT_EQ((*te)->selStart, 0);
  TEKey(0x1C, te);
  EXPECT_EQ((*te)->selStart, 0);
  TEKey(0x1D, te);
  EXPECT_EQ((*te)->selStart, 1);
  EXPECT_EQ(TextOf(te), "aXc");
}

TEST_F(RecordsTest, UpAndDownArrowsMoveByLines) {
  TEHandle te = NewRecord();
  SetText(te, "abc\rdef\rghi");
  TESetSelect(5, 5, te);
  TEKey(0x1E, te);
  EXPECT_EQ((*te)->selStart, 1);
  TEKey(0x1F, te);
  TEKey(0x1F, te);
  EXPECT_EQ((*te)->selStart, 9);
}

TEST_F(RecordsTest, LengthsAndOffsetsAreClampedAndNothingIsLost) {
  TEHandle te = NewRecord();
  SetText(te, "hello");
  TESetText("abc", -5, te);
  EXPECT_EQ((*te)->teLength, 0);
  SetText(te, "hello");
  TEInsert("xyz", -1, te);
  EXPECT_EQ(TextOf(te), "hello");
  TESetSelect(4, 1, te);
  EXPECT_EQ((*te)->selStart, 1);
  EXPECT_EQ((*te)->selEnd, 4);
  TESetSelect(-20, 900, te);
  EXPECT_EQ((*te)->selStart, 0);
  EXPECT_EQ((*te)->selEnd, 5);
  const std::string big(40000, 'a');
  SetText(te, big);
  EXPECT_EQ((*te)->teLength, 32000);
  EXPECT_EQ((*te)->lineStarts[(*te)->nLines], 32000);
  TESetSelect(10, 10, te);
  TEInsert(big.data(), 40000, te);
  EXPECT_EQ((*te)->teLength, 32000);
  TEKey('b', te);
  EXPECT_EQ((*te)->teLength, 32000);
}

TEST_F(RecordsTest, InsertPutsTextBeforeTheSelectionWhichKeepsItsCharacters) {
  TEHandle te = NewRecord();
  SetText(te, "hello world");
  TESetSelect(6, 11, te);
  TEInsert("big ", 4, te);
  EXPECT_EQ(TextOf(te), "hello big world");
  EXPECT_EQ((*te)->selStart, 10);
  EXPECT_EQ((*te)->selEnd, 15);
  TEDelete(te);
  EXPECT_EQ(TextOf(te), "hello big ");
}

TEST_F(RecordsTest, NilAndDisposedRecordsDoNothing) {
  TEKey('a', nullptr);
  TESetText("abc", 3, nullptr);
  TEUpdate(nullptr, nullptr);
  EXPECT_EQ(TEGetText(nullptr), nullptr);
  EXPECT_EQ(TEGetOffset(Point{0, 0}, nullptr), 0);
  TEHandle te = NewRecord();
  TEDispose(te);
  te_ = nullptr;
  // A handle the application kept after TEDispose.
  TEKey('a', te);
  TEActivate(te);
  TECalText(te);
  EXPECT_EQ(TEGetText(te), nullptr);
  EXPECT_EQ(TEGetHeight(1, 1, te), 0);
}

TEST_F(RecordsTest, OffsetsAndPointsAgree) {
  TEHandle te = NewRecord();
  SetText(te, "abc\rdefgh\rij");
  for (short offset : {0, 2, 4, 7, 11, 12}) {
    const Point p = TEGetPoint(offset, te);
    // A point in the middle of the line finds the offset again.
    const Point inside{static_cast<short>(p.v - (*te)->lineHeight / 2), p.h};
    EXPECT_EQ(TEGetOffset(inside, te), offset) << offset;
  }
  EXPECT_EQ(TEGetOffset(Point{-100, -100}, te), 0);
  EXPECT_EQ(TEGetOffset(Point{1000, 1000}, te), 12);
  EXPECT_EQ(TEGetHeight(3, 1, te), 3 * (*te)->lineHeight);
  EXPECT_EQ(TEGetHeight(1, 3, te), 3 * (*te)->lineHeight);
  EXPECT_EQ(TEGetHeight(2, 2, te), (*te)->lineHeight);
  EXPECT_EQ(TEGetHeight(99, 2, te), 2 * (*te)->lineHeight);
}

TEST_F(RecordsTest, UpdateDrawsTheTextInsideViewRectOnly) {
  TEHandle te = NewRecord();
  (*te)->viewRect = Rect{20, 20, 40, 100};
  std::string s;
  for (int i = 0; i < 8; ++i) s += "MMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMM\r";
  SetText(te, s);
  surface_->Fill(kWhite);
  TEUpdate(&(*te)->destRect, te);
  EXPECT_GT(BlackIn(20, 20, 100, 40), 50);
  EXPECT_EQ(BlackIn(0, 0, kWidth, 20), 0);
  EXPECT_EQ(BlackIn(0, 40, kWidth, kHeight), 0);
  EXPECT_EQ(BlackIn(0, 0, 20, kHeight), 0);
  EXPECT_EQ(BlackIn(100, 0, kWidth, kHeight), 0);
}

TEST_F(RecordsTest, TheCaretAndTheSelectionAreDrawnWhileActive) {
  TEHandle te = NewRecord();
  SetText(te, "");
  surface_->Fill(kWhite);
  const int height = (*te)->lineHeight;
  TEActivate(te);
  EXPECT_TRUE((*te)->active & 1);
  // The caret: a one-pixel column at the left edge of the first line.
  EXPECT_EQ(BlackIn(10, 10, 11, 10 + height), height);
  EXPECT_EQ(BlackIn(12, 10, kWidth, kHeight), 0);
  TEIdle(te);  // the blink time has not passed: the caret stays
  EXPECT_EQ(BlackIn(10, 10, 11, 10 + height), height);
  TEDeactivate(te);
  EXPECT_EQ(BlackIn(0, 0, kWidth, kHeight), 0);

  SetText(te, "iiii");
  TEUpdate(&(*te)->viewRect, te);
  const int textOnly = BlackIn(0, 0, kWidth, kHeight);
  TEActivate(te);
  TESetSelect(0, 4, te);
  const int width = TextWidth("iiii", 0, 4);
  // Selected: the line's box from the left edge to the end of the text is inverted.
  const int box = width * height;
  EXPECT_GT(BlackIn(10, 10, 10 + width, 10 + height), box / 2);
  EXPECT_EQ(BlackIn(10 + width + 2, 10, kWidth, kHeight), 0);
  TESetSelect(4, 4, te);
  EXPECT_EQ(BlackIn(10, 10, 10 + width - 1, kHeight), textOnly);
}

TEST_F(RecordsTest, ScrollingMovesTheTextAndPinningStopsAtItsEnds) {
  TEHandle te = NewRecord();
  (*te)->viewRect.bottom = 50;
  SetText(te, "1\r2\r3\r4\r5\r6\r7\r8");
  const int h = (*te)->lineHeight;
  TEPinScroll(0, 30, te);  // already at the top
  EXPECT_EQ((*te)->destRect.top, 10);
  TEPinScroll(0, -1000, te);
  EXPECT_EQ((*te)->destRect.top + 8 * h, 50);
  TEScroll(0, 5, te);
  EXPECT_EQ((*te)->destRect.top + 8 * h, 55);
  // Scrolling keeps the wrapping width.
  EXPECT_EQ((*te)->destRect.right - (*te)->destRect.left, 220);
}

TEST_F(RecordsTest, AutoViewScrollsTheInsertionPointIntoView) {
  TEHandle te = NewRecord();
  (*te)->viewRect.bottom = 40;
  TEAutoView(true, te);
  for (int i = 0; i < 6; ++i) {
    TEKey('x', te);
    TEKey('\r', te);
  }
  const int h = (*te)->lineHeight;
  const Point caret = TEGetPoint((*te)->selStart, te);
  EXPECT_LE(caret.v, 40);
  EXPECT_GE(caret.v - h, 10);
  EXPECT_LT((*te)->destRect.top, 10);
}

TEST_F(RecordsTest, AlignmentAcceptsOnlyItsThreeValuesAndMovesTheText) {
  TEHandle te = NewRecord();
  SetText(te, "MM");
  TESetAlignment(5, te);
  EXPECT_EQ((*te)->just, teJustLeft);
  TESetAlignment(teJustRight, te);
  EXPECT_EQ((*te)->just, teJustRight);
  surface_->Fill(kWhite);
  TEUpdate(&(*te)->viewRect, te);
  const int width = TextWidth("MM", 0, 2);
  EXPECT_EQ(BlackIn(0, 0, 230 - width - 1, kHeight), 0);
  EXPECT_GT(BlackIn(230 - width, 10, 230, 40), 0);
  EXPECT_EQ(TEGetPoint(0, te).h, 230 - width);
}

TEST_F(RecordsTest, TextBoxDrawsWrappedTextInItsBox) {
  const Rect box{20, 40, 80, 120};
  surface_->Fill(kWhite);
  const std::string s = "many words that wrap inside the box";
  TETextBox(s.data(), static_cast<long>(s.size()), &box, teJustCenter);
  EXPECT_GT(BlackIn(40, 20, 120, 80), 50);
  EXPECT_EQ(BlackIn(0, 0, 40, kHeight), 0);
  EXPECT_EQ(BlackIn(120, 0, kWidth, kHeight), 0);
  EXPECT_GT(BlackIn(40, 40, 120, 80), 0);  // more than one line
  TETextBox(s.data(), -3, &box, teJustLeft);
  EXPECT_EQ(BlackIn(40, 20, 120, 80), 0);  // a negative length draws nothing: the box erased
}

TEST_F(RecordsTest, CopyCutAndPasteGoThroughTheTextEditScrap) {
  TEHandle te = NewRecord();
  SetText(te, "alpha beta");
  TESetSelect(0, 5, te);
  TECopy(te);
  EXPECT_EQ(TEGetScrapLength(), 5);
  EXPECT_EQ(cells_.teScrpLength, 5);
  EXPECT_EQ(std::string(*TEScrapHandle(), 5), "alpha");
  EXPECT_EQ(cells_.teScrpHandle, TEScrapHandle());
  TESetSelect(6, 10, te);
  TECut(te);
  EXPECT_EQ(TextOf(te), "alpha ");
  EXPECT_EQ(std::string(*TEScrapHandle(), 4), "beta");
  TESetSelect(0, 0, te);
  TEPaste(te);
  EXPECT_EQ(TextOf(te), "betaalpha ");
  EXPECT_EQ((*te)->selStart, 4);
}

TEST_F(RecordsTest, TheScrapLengthStaysWithinItsHandleAndLimits) {
  TESetScrapLength(-4);
  EXPECT_EQ(TEGetScrapLength(), 0);
  TESetScrapLength(10);
  EXPECT_EQ(GetHandleSize(TEScrapHandle()), 10);
  EXPECT_EQ(TEGetScrapLength(), 10);
  // The application writes its 32-bit cell directly.
  cells_.teScrpLength = 70000;
  EXPECT_EQ(TEGetScrapLength(), 10);
  TESetScrapLength(50000);
  EXPECT_EQ(TEGetScrapLength(), 32000);
  cells_.teScrpLength = -1;
  EXPECT_EQ(TEGetScrapLength(), 0);
}


TEST_F(RecordsTest, ClicksPlaceDoubleClicksTakeWordsAndShiftExtends) {
  TEHandle te = NewRecord();
  SetText(te, "hello world again");
  const Point inWorld = {static_cast<short>(TEGetPoint(8, te).v - 3), TEGetPoint(8, te).h};
  TEClick(inWorld, false, te);
  EXPECT_TRUE((*te)->active & 1);  // a click activates
  EXPECT_EQ((*te)->selStart, 8);
  EXPECT_EQ((*te)->selEnd, 8);
  EXPECT_EQ((*te)->clickLoc, 8);
  EXPECT_NE((*te)->clickTime, 0);
  TEClick(inWorld, false, te);  // at once, at the same offset: a double-click
  EXPECT_EQ((*te)->selStart, 6);
  EXPECT_EQ((*te)->selEnd, 11);
  EXPECT_EQ((*te)->clickTime, 0);
  // A third click is a single click again.
  TEClick(inWorld, false, te);
  EXPECT_EQ((*te)->selStart, 8);
  EXPECT_EQ((*te)->selEnd, 8);
  // Shift-click: from the end of the selection farther from the click.
  TESetSelect(2, 4, te);
  const Point at14 = {static_cast<short>(TEGetPoint(14, te).v - 3), TEGetPoint(14, te).h};
  TEClick(at14, true, te);
  EXPECT_EQ((*te)->selStart, 2);
  EXPECT_EQ((*te)->selEnd, 14);
  const Point at1 = {static_cast<short>(TEGetPoint(1, te).v - 3), TEGetPoint(1, te).h};
  TEClick(at1, true, te);
  EXPECT_EQ((*te)->selStart, 1);
  EXPECT_EQ((*te)->selEnd, 14);
}

int g_loopCalls = 0;
Boolean ZEBAPI CountingClickLoop(void) {
  ++g_loopCalls;
  return true;
}

TEST_F(RecordsTest, ClickLoopsAreWrappedAndReleased) {
  TEHandle te = NewRecord();
  TESetClickLoop(CountingClickLoop, te);
  ASSERT_NE((*te)->clikLoop, nullptr);
  EXPECT_EQ((*te)->clikLoop(), true);
  EXPECT_EQ(g_loopCalls, 1);
  TESetClickLoop(nullptr, te);
  EXPECT_EQ((*te)->clikLoop, LibraryEntry<TEClickLoopProcPtr>("SimpleClikProc"));
  TEClickLoopProcPtr proc = CountingClickLoop;
  ZEB_MakePIClickLoop(&proc);
  ASSERT_NE(proc, nullptr);
  (*te)->clikLoop = proc;
  EXPECT_EQ(proc(), true);
  EXPECT_EQ(g_loopCalls, 2);
  TEClickLoopProcPtr none = nullptr;
  ZEB_MakePIClickLoop(&none);
  EXPECT_EQ(none, nullptr);
}

TEST_F(RecordsTest, WordBreakProceduresChooseWhereLinesWrap) {
  TEHandle te = NewRecord();
  EXPECT_TRUE(SimpleWordBreak(const_cast<char*>("a b"), 1));
  EXPECT_FALSE(SimpleWordBreak(const_cast<char*>("a-b"), 1));
  EXPECT_TRUE(SimpleLineBreak(const_cast<char*>("a,b"), 1));
  EXPECT_FALSE(SimpleLineBreak(const_cast<char*>("a'b"), 1));
  (*te)->crOnly = -1;
  std::string s(60, 'w');
  s[30] = ' ';
  SetText(te, s);
  EXPECT_EQ((*te)->nLines, 1);  // only CR breaks
  (*te)->crOnly = 0;
  TECalText(te);
  EXPECT_GT((*te)->nLines, 1);
}

}  // namespace
}  // namespace zebtest

// Line layout with a fixed-width measure: every character is 10 units wide.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "textedit/line_layout.h"
#include "textedit/word_breaks.h"

using namespace zeb::textedit;

namespace {

// The record's handle stood in for by a vector that grows as asked, or refuses past a limit.
class VectorStore : public LineStore {
 public:
  explicit VectorStore(int limit = 1 << 20) : limit_(limit) {}
  int Capacity() const override { return static_cast<int>(starts_.size()); }
  bool Grow(int entries) override {
    grows_.push_back(entries);
    if (entries > limit_) return false;
    starts_.resize(entries, -1);
    return true;
  }
  int16_t* Starts() override { return starts_.data(); }
  std::vector<int> Lines(int n) const { return {starts_.begin(), starts_.begin() + n + 1}; }
  std::vector<int> grows_;

 private:
  int limit_;
  std::vector<int16_t> starts_;
};

struct Fixture {
  std::string text;
  LayoutText t;
  explicit Fixture(const std::string& s, int width = 100, bool crOnly = false) : text(s) {
    t.text = reinterpret_cast<const uint8_t*>(text.data());
    t.length = static_cast<int>(text.size());
    t.width = width;
    t.crOnly = crOnly;
    t.measure = [](int, int count) { return count * 10; };
    t.isBreak = [this](int offset) {
      return IsWordBreakCharacter(static_cast<uint8_t>(text[offset]));
    };
  }
};

std::vector<int> Layout(const std::string& s, int width = 100, bool crOnly = false) {
  Fixture f(s, width, crOnly);
  VectorStore store;
  const LayoutResult r = LayOutAll(f.t, store);
  EXPECT_TRUE(r.complete);
  return store.Lines(r.nLines);
}

}  // namespace

TEST(LineLayout, LinesEndAfterEachReturnAndAFinalReturnAddsAnEmptyLine) {
  EXPECT_EQ(Layout("ab\rcd\ref"), (std::vector<int>{0, 3, 6, 8}));
  EXPECT_EQ(Layout("ab\rcd\ref\r"), (std::vector<int>{0, 3, 6, 9, 9}));
  EXPECT_EQ(Layout(""), (std::vector<int>{0}));
  EXPECT_EQ(Layout("\r"), (std::vector<int>{0, 1, 1}));
}

TEST(LineLayout, WordsWrapAtTheWidthAndBlanksStayOnTheLine) {
  // 10 characters fit a line of 100.
  EXPECT_EQ(Layout("aaaa bbbb cccc"), (std::vector<int>{0, 10, 14}));
  EXPECT_EQ(Layout("aaaa bbbbbb   cc"), (std::vector<int>{0, 5, 14, 16}));
  // An exact fit stays on one line.
  EXPECT_EQ(Layout("aaaa bbbbb"), (std::vector<int>{0, 10}));
}

TEST(LineLayout, AWordWiderThanTheLineIsBrokenByCharacters) {
  EXPECT_EQ(Layout("abcdefghijklmnopqrstuvwxy"), (std::vector<int>{0, 10, 20, 25}));
  // A line too narrow for any character still takes one.
  EXPECT_EQ(Layout("abc", 5), (std::vector<int>{0, 1, 2, 3}));
}

TEST(LineLayout, CrOnlyAndNoBreakProcedureBreakOnlyAtReturn) {
  EXPECT_EQ(Layout("aaaa bbbb cccc dddd\rx", 100, true), (std::vector<int>{0, 20, 21}));
  Fixture f("aaaa bbbb cccc dddd");
  f.t.isBreak = nullptr;
  VectorStore store;
  const LayoutResult r = LayOutAll(f.t, store);
  EXPECT_EQ(store.Lines(r.nLines), (std::vector<int>{0, 19}));
}

TEST(LineLayout, StartsGrowBySixtyFourEntries) {
  std::string s;
  for (int i = 0; i < 100; ++i) s += "x\r";
  Fixture f(s);
  VectorStore store;
  const LayoutResult r = LayOutAll(f.t, store);
  EXPECT_EQ(r.nLines, 101);
  for (int g : store.grows_) EXPECT_EQ(g % kLineStartGrowth, 0) << g;
  EXPECT_EQ(store.grows_.back(), 128);
}

TEST(LineLayout, AShortageOfMemoryLeavesTheLastStartAtTheEnd) {
  std::string s;
  for (int i = 0; i < 100; ++i) s += "x\r";
  Fixture f(s);
  VectorStore store(64);
  const LayoutResult r = LayOutAll(f.t, store);
  EXPECT_FALSE(r.complete);
  ASSERT_GT(r.nLines, 0);
  ASSERT_LT(r.nLines, store.Capacity());
  EXPECT_EQ(store.Starts()[r.nLines], f.t.length);
  for (int i = 0; i < r.nLines; ++i) EXPECT_LT(store.Starts()[i], store.Starts()[i + 1]);
}

TEST(LineLayout, LineHeightsStopTheLayoutWhenTheirTableIsFull) {
  class Limited : public VectorStore {
   public:
    bool RecordLineHeight(int line, int, int) override { return line < 3; }
  };
  Fixture f("a\rb\rc\rd\re\r");
  Limited store;
  const LayoutResult r = LayOutAll(f.t, store);
  EXPECT_FALSE(r.complete);
  EXPECT_EQ(r.nLines, 3);
  EXPECT_EQ(store.Starts()[3], f.t.length);
}

// Incremental layout against a full layout of the changed text, over a table of edits.
TEST(LineLayout, IncrementalLayoutEqualsAFullLayout) {
  struct Edit {
    std::string before;
    int at, removed;
    std::string inserted;
  };
  const std::vector<Edit> edits = {
      {"aaaa bbbb cccc dddd eeee ffff", 5, 0, "x"},
      {"aaaa bbbb cccc dddd eeee ffff", 10, 5, ""},
      {"aaaa bbbb cccc dddd eeee ffff", 0, 0, "zzzzzzzzzzzzzz "},
      {"one\rtwo\rthree\rfour", 4, 3, "TWO TWO TWO TWO"},
      {"one\rtwo\rthree\rfour", 3, 1, ""},
      {"one\rtwo\rthree\rfour\r", 19, 0, "\r"},
      {"aaaaaaaaaaaaaaaaaaaaaaaaa", 24, 1, ""},
      {"a b c d e f g h i j k l m n o p", 2, 0, "\r"},
      {"", 0, 0, "hello world and more"},
      {"hello world and more", 0, 20, ""},
  };
  for (const Edit& e : edits) {
    Fixture before(e.before);
    VectorStore store;
    const int oldLines = LayOutAll(before.t, store).nLines;
    std::string after = e.before;
    after.replace(e.at, e.removed, e.inserted);
    Fixture f(after);
    const LayoutResult r =
        LayOutChange(f.t, store, oldLines, {e.at, e.removed, static_cast<int>(e.inserted.size())});
    EXPECT_EQ(store.Lines(r.nLines), Layout(after)) << e.before << " -> " << after;
  }
}

TEST(LineLayout, IncrementalLayoutReusesTheLinesAfterTheChange) {
  std::string s;
  for (int i = 0; i < 50; ++i) s += "line\r";
  Fixture before(s);
  VectorStore store;
  const int oldLines = LayOutAll(before.t, store).nLines;
  s.insert(2, "X");
  Fixture f(s);
  int measured = 0;
  f.t.crOnly = false;
  f.t.measure = [&measured](int, int count) {
    ++measured;
    return count * 10;
  };
  const LayoutResult r = LayOutChange(f.t, store, oldLines, {2, 0, 1});
  EXPECT_EQ(r.nLines, 51);
  EXPECT_EQ(store.Starts()[1], 6);
  EXPECT_EQ(store.Starts()[50], 251);
  // Only the changed line and the one where the old layout is met again are measured, not 50.
  EXPECT_LT(measured, 10);
}

TEST(WordBreaks, SimpleWordBreakSeparatesAtBlanksControlsAndUpperHalfPunctuation) {
  EXPECT_TRUE(IsWordBreakCharacter(' '));
  EXPECT_TRUE(IsWordBreakCharacter('\r'));
  EXPECT_TRUE(IsWordBreakCharacter(0));
  EXPECT_FALSE(IsWordBreakCharacter('!'));
  EXPECT_FALSE(IsWordBreakCharacter('a'));
  EXPECT_FALSE(IsWordBreakCharacter(0x8A));  // a with diaeresis
  EXPECT_TRUE(IsWordBreakCharacter(0xC7));   // left guillemet
  EXPECT_TRUE(IsWordBreakCharacter(0xD2));   // left double quote
  EXPECT_FALSE(IsWordBreakCharacter(0xCA));  // non-breaking space
  EXPECT_FALSE(IsWordBreakCharacter(0xA7));  // sharp s
}

TEST(WordBreaks, SimpleLineBreakKeepsLettersDigitsApostropheHyphenAndPeriod) {
  for (char c : std::string("azAZ09'-.")) EXPECT_FALSE(IsLineBreakCharacter(c)) << c;
  for (char c : std::string(" !,;:?()\"/\r")) EXPECT_TRUE(IsLineBreakCharacter(c)) << c;
  EXPECT_FALSE(IsLineBreakCharacter(0x87));  // a acute
  EXPECT_TRUE(IsLineBreakCharacter(0xC9));   // ellipsis
}

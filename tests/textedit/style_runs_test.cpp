// Style runs and the style table: replacement, restyling, merging, use counts, style scraps.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "textedit/style_runs.h"

using namespace zeb::textedit;

namespace {

StyleValue Plain() {
  StyleValue v;
  v.font = 3;
  v.size = 12;
  v.height = 16;
  v.ascent = 12;
  return v;
}
StyleValue Bold() {
  StyleValue v = Plain();
  v.face = 1;
  return v;
}

// (start, face) of every run, the closing entry included as (start, -1).
std::vector<std::pair<int, int>> Shape(const StyleRuns& s) {
  std::vector<std::pair<int, int>> out;
  for (int r = 0; r < s.RunCount(); ++r) out.push_back({s.runs[r].start, s.table[s.runs[r].index].style.face});
  out.push_back({s.runs.back().start, -1});
  return out;
}

int CountSum(const StyleRuns& s) {
  int sum = 0;
  for (const StyleEntry& e : s.table) {
    EXPECT_GT(e.count, 0);
    sum += e.count;
  }
  return sum;
}

}  // namespace

TEST(StyleRuns, InsertedTextTakesTheStyleBeforeItOrTheGivenOne) {
  StyleRuns s = StyleRuns::Single(Plain(), 0);
  s.Replace(0, 0, 5, nullptr, 5);
  EXPECT_EQ(Shape(s), (std::vector<std::pair<int, int>>{{0, 0}, {6, -1}}));
  const StyleValue bold = Bold();
  s.Replace(5, 0, 3, &bold, 8);
  EXPECT_EQ(Shape(s), (std::vector<std::pair<int, int>>{{0, 0}, {5, 1}, {9, -1}}));
  s.Replace(8, 0, 2, nullptr, 10);  // after the bold run: bold
  EXPECT_EQ(Shape(s), (std::vector<std::pair<int, int>>{{0, 0}, {5, 1}, {11, -1}}));
  EXPECT_EQ(s.table.size(), 2u);
  EXPECT_EQ(CountSum(s), s.RunCount());
}

TEST(StyleRuns, DeletingARunRemovesItsEntryAndMergesItsNeighbours) {
  StyleRuns s = StyleRuns::Single(Plain(), 0);
  s.Replace(0, 0, 10, nullptr, 10);
  s.Restyle(4, 6, [](const StyleValue& v) { StyleValue b = v; b.face = 1; return b; }, 10);
  EXPECT_EQ(Shape(s), (std::vector<std::pair<int, int>>{{0, 0}, {4, 1}, {6, 0}, {11, -1}}));
  EXPECT_EQ(s.table[s.runs[0].index].count, 2);
  s.Replace(4, 2, 0, nullptr, 8);
  EXPECT_EQ(Shape(s), (std::vector<std::pair<int, int>>{{0, 0}, {9, -1}}));
  EXPECT_EQ(s.table.size(), 1u);
  EXPECT_EQ(s.table[0].count, 1);
}

TEST(StyleRuns, RestylingToTheNeighboursStyleMergesRuns) {
  StyleRuns s = StyleRuns::Single(Plain(), 0);
  s.Replace(0, 0, 9, nullptr, 9);
  auto bold = [](const StyleValue& v) { StyleValue b = v; b.face = 1; return b; };
  s.Restyle(0, 3, bold, 9);
  s.Restyle(6, 9, bold, 9);
  EXPECT_EQ(s.RunCount(), 3);
  EXPECT_EQ(s.RunsIn(0, 9), 3);
  EXPECT_EQ(s.RunsIn(1, 2), 1);
  s.Restyle(3, 6, bold, 9);
  EXPECT_EQ(Shape(s), (std::vector<std::pair<int, int>>{{0, 1}, {10, -1}}));
  EXPECT_EQ(s.table.size(), 1u);
}

TEST(StyleRuns, DisorderedRunsFromAHandleAreMadeSound) {
  StyleRuns s;
  s.table = {{7, Plain()}, {0, Bold()}, {3, Plain()}};
  s.runs = {{5, 1}, {2, 0}, {40, 9}, {3, 2}, {100, 0}};
  ASSERT_TRUE(s.Normalise(10));
  EXPECT_EQ(s.runs.front().start, 0);
  EXPECT_EQ(s.runs.back().start, 11);
  for (size_t i = 1; i < s.runs.size(); ++i) EXPECT_GT(s.runs[i].start, s.runs[i - 1].start);
  EXPECT_EQ(CountSum(s), s.RunCount());
  StyleRuns empty;
  EXPECT_FALSE(empty.Normalise(4));
}

TEST(StyleScrap, RoundTripsThroughItsBytes) {
  StyleRuns s = StyleRuns::Single(Plain(), 0);
  s.Replace(0, 0, 10, nullptr, 10);
  s.Restyle(3, 5, [](const StyleValue& v) { StyleValue b = v; b.face = 1; b.red = 0xFFFF; return b; }, 10);
  const std::vector<uint8_t> bytes = WriteStyleScrap(s, 2, 8);
  ASSERT_EQ(bytes.size(), 2u + 3 * 20);
  EXPECT_EQ(bytes[0], 3);
  // The second element starts one character into the scrap, bold and red.
  EXPECT_EQ(bytes[2 + 20], 1);
  EXPECT_EQ(bytes[2 + 20 + 10], 1);
  EXPECT_EQ(bytes[2 + 20 + 14], 0xFF);
  const auto styles = ReadStyleScrap(bytes.data(), bytes.size(), 6);
  ASSERT_EQ(styles.size(), 3u);
  EXPECT_EQ(styles[1].first, 1);
  EXPECT_EQ(styles[2].first, 3);
  EXPECT_EQ(styles[1].second.face, 1);
  EXPECT_EQ(styles[1].second.red, 0xFFFF);
  EXPECT_EQ(styles[0].second.size, 12);
}

TEST(StyleScrap, ACountBeyondTheHandleReadsOnlyWhatIsThere) {
  // A scrap claiming 500 elements with room for one: exactly the bytes a Macintosh writes for
  // one element (start 0, height 16, ascent 12, font 3, face bold, size 12, black), as the
  // library holds them in memory.
  uint8_t bytes[2 + 20] = {0xF4, 0x01, 0, 0, 0, 0, 16, 0, 12, 0, 3, 0, 1, 0, 12, 0, 0, 0, 0, 0, 0, 0};
  const auto styles = ReadStyleScrap(bytes, sizeof bytes, 10);
  ASSERT_EQ(styles.size(), 1u);
  EXPECT_EQ(styles[0].second.font, 3);
  EXPECT_EQ(styles[0].second.face, 1);
  EXPECT_TRUE(ReadStyleScrap(bytes, 1, 10).empty());
  EXPECT_TRUE(ReadStyleScrap(nullptr, 0, 10).empty());
  // Negative counts and starts past the text are clamped.
  bytes[0] = 0xFF;
  bytes[1] = 0xFF;
  EXPECT_TRUE(ReadStyleScrap(bytes, sizeof bytes, 10).empty());
}

TEST(StyleScrap, AppliedStylesCoverOnlyTheInsertedText) {
  StyleRuns s = StyleRuns::Single(Plain(), 0);
  s.Replace(0, 0, 6, nullptr, 6);
  s.Replace(3, 0, 4, nullptr, 10);
  s.ApplyScrap(3, 4, {{0, Bold()}, {2, Plain()}, {99, Bold()}}, 10);
  EXPECT_EQ(Shape(s), (std::vector<std::pair<int, int>>{{0, 0}, {3, 1}, {5, 0}, {11, -1}}));
}

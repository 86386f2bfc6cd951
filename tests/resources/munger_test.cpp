// Munger's modes on a growable byte store, and its bounds on offsets and lengths.
#include <gtest/gtest.h>

#include <string>

#include "resources/munger.h"

namespace {

using zeb::resources::kLeaveGap;
using zeb::resources::MungeBytes;

class StringStore : public zeb::resources::ByteStore {
 public:
  explicit StringStore(std::string s, int64_t limit = 1 << 20) : data_(std::move(s)), limit_(limit) {}
  int64_t Size() const override { return static_cast<int64_t>(data_.size()); }
  uint8_t* Data() override { return reinterpret_cast<uint8_t*>(&data_[0]); }
  bool Resize(int64_t n) override {
    if (n > limit_) return false;
    data_.resize(static_cast<size_t>(n));
    return true;
  }
  const std::string& text() const { return data_; }

 private:
  std::string data_;
  int64_t limit_;
};

struct MungeCase {
  const char* name;
  const char* before;
  long offset;
  const char* ptr1;
  long len1;
  const char* ptr2;
  long len2;
  long result;
  std::string after;
};

TEST(Munger, ModesAndTheirResults) {
  const MungeCase cases[] = {
      {"search finds the first match at or after offset", "abcabc", 2, "bc", 2, nullptr, 0, 4,
       "abcabc"},
      {"search from the start", "abcabc", 0, "bc", 2, nullptr, 0, 1, "abcabc"},
      {"search without a match", "abcabc", 0, "xy", 2, nullptr, 0, -1, "abcabc"},
      {"search with an empty pattern", "abc", 0, "a", 0, nullptr, 0, -1, "abc"},
      {"replace a match with a longer text", "one two", 0, "two", 3, "three", 5, 9,
       "one three"},
      {"replace a match with a shorter text", "one three two", 0, "three", 5, "3", 1, 5,
       "one 3 two"},
      {"replace at offset", "abcdef", 2, nullptr, 2, "XYZ", 3, 5, "abXYZef"},
      {"replace to the end", "abcdef", 2, nullptr, -1, "Z", 1, 3, "abZ"},
      {"replace clamps a length past the end", "abcdef", 4, nullptr, 100, "Z", 1, 5, "abcdZ"},
      {"insert", "abef", 2, nullptr, 0, "cd", 2, 4, "abcdef"},
      {"insert at the end", "ab", 2, nullptr, 0, "cd", 2, 4, "abcd"},
      {"delete", "abcdef", 1, nullptr, 2, nullptr, 0, 1, "adef"},
      {"delete to the end", "abcdef", 3, nullptr, -1, nullptr, 0, 3, "abc"},
      {"delete clamps a length past the end", "abcdef", 3, nullptr, 1000, nullptr, 0, 3, "abc"},
      {"delete at the end deletes nothing", "abc", 3, nullptr, 5, nullptr, 0, 3, "abc"},
      {"delete past the end is refused", "abc", 9, nullptr, 5, nullptr, 0, -1, "abc"},
      {"position only", "abcdef", 3, nullptr, 2, nullptr, 5, 3, "abcdef"},
      {"negative offset is refused (search)", "abc", -1, "a", 1, nullptr, 0, -1, "abc"},
      {"negative offset is refused (delete)", "abc", -2, nullptr, 1, nullptr, 0, -1, "abc"},
      {"negative offset is refused (insert)", "abc", -1, nullptr, 0, "x", 1, -1, "abc"},
      {"replace past the end is refused", "abc", 5, nullptr, 1, "x", 1, -1, "abc"},
      {"negative replacement length is refused", "abc", 0, "a", 1, "x", -3, -1, "abc"},
  };
  for (const auto& c : cases) {
    StringStore store(c.before);
    EXPECT_EQ(MungeBytes(store, c.offset, c.ptr1, c.len1, c.ptr2, c.len2), c.result) << c.name;
    EXPECT_EQ(store.text(), c.after) << c.name;
  }
}

TEST(Munger, InsertPastTheEndGrowsTheDataWithZeros) {
  StringStore store("ab");
  EXPECT_EQ(MungeBytes(store, 4, nullptr, 0, "cd", 2), 6);
  EXPECT_EQ(store.text(), std::string("ab\0\0cd", 6));
}

TEST(Munger, InsertCanLeaveTheGapAsItIs) {
  StringStore store("abcd");
  EXPECT_EQ(MungeBytes(store, 2, nullptr, 0, kLeaveGap, 3), 5);
  ASSERT_EQ(store.text().size(), 7u);
  EXPECT_EQ(store.text().substr(0, 2), "ab");
  EXPECT_EQ(store.text().substr(5), "cd");
}

TEST(Munger, FailedGrowthChangesNothing) {
  StringStore store("abcd", 5);
  EXPECT_EQ(MungeBytes(store, 0, nullptr, 0, "xyz", 3), -1);
  EXPECT_EQ(MungeBytes(store, 0, "ab", 2, "wxyz", 4), -1);
  EXPECT_EQ(store.text(), "abcd");
}

TEST(Munger, ReplacementMayComeFromTheDataItself) {
  StringStore store("abcdef");
  // The source bytes lie inside the store, which moves when it grows.
  EXPECT_EQ(MungeBytes(store, 0, "ab", 2, reinterpret_cast<const char*>(store.Data()) + 0, 4), 4);
  EXPECT_EQ(store.text(), "abcdcdef");
}

}  // namespace

// Standard File's filter list from the extension table, and the name rules that follow it.
#include "files/sf_filter.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "MacTypes.h"

namespace {

using namespace zeb::files;

struct Entry40 {
  unsigned char bytes[40];
};

Entry40 Entry(OSType type, const char* ext, const char* description) {
  Entry40 e{};
  std::memcpy(e.bytes, &type, 4);
  std::memcpy(e.bytes + 4, ext, std::strlen(ext) < 3 ? std::strlen(ext) : 3);
  std::strncpy(reinterpret_cast<char*>(e.bytes + 7), description, 33);
  return e;
}

const OSType kText = ZEB_FOURCC('T', 'E', 'X', 'T');
const OSType kPict = ZEB_FOURCC('P', 'I', 'C', 'T');
const OSType kData = ZEB_FOURCC('D', 'A', 'T', 'A');
const FilterTexts kTexts{"All Files", "All Types"};

// The buffer as its strings, in order.
std::vector<std::string> Strings(const std::string& buffer) {
  std::vector<std::string> out;
  size_t at = 0;
  while (at < buffer.size()) {
    const size_t end = buffer.find('\0', at);
    out.push_back(buffer.substr(at, end - at));
    at = end + 1;
  }
  return out;
}

class FilterListTest : public ::testing::Test {
 protected:
  std::vector<Entry40> table_ = {Entry(kText, "TXT", "Text"), Entry(kText, "DOC", "Documents"),
                                 Entry(kPict, "PCT", "Pictures"), Entry(kData, "DAT", ""),
                                 Entry(0, "", "")};
  TypeTableView View() const { return {table_.front().bytes, table_.size()}; }
};

TEST_F(FilterListTest, AllFilesIsOnePairAndSelected) {
  const FilterList list = BuildFilterList(View(), -1, nullptr, -1, false, kTexts);
  EXPECT_EQ(Strings(list.buffer), (std::vector<std::string>{"All Files (*.*)", "*.*", ""}));
  EXPECT_EQ(list.selected, 1);
  // Any other negative count, or no type list, is read as all files too: nothing is read
  // from a list that is not there.
  const OSType types[] = {kText};
  EXPECT_EQ(BuildFilterList(View(), -7, types, -1, false, kTexts).buffer, list.buffer);
  EXPECT_EQ(BuildFilterList(View(), 3, nullptr, -1, false, kTexts).buffer, list.buffer);
}

TEST_F(FilterListTest, TypesShareAPairAndGetTheCombinedPair) {
  const OSType types[] = {kText, kPict};
  const FilterList list = BuildFilterList(View(), 2, types, -1, false, kTexts);
  EXPECT_EQ(Strings(list.buffer),
            (std::vector<std::string>{"Text", "*.TXT;*.DOC", "Pictures", "*.PCT", "All Types",
                                      "*.TXT;*.PCT", ""}));
  EXPECT_EQ(list.selected, 0);
  ASSERT_EQ(list.pairs.size(), 3u);
  EXPECT_EQ(list.pairs[0].type, kText);
  EXPECT_EQ(list.pairs[2].type, 0u);
  EXPECT_EQ(list.FirstExtension(1), "TXT");
  EXPECT_EQ(list.FirstExtension(2), "PCT");
  EXPECT_EQ(list.FirstExtension(9), "");
}

TEST_F(FilterListTest, SelectionOptionAndUndescribedTypes) {
  // A type without a description, or not in the table, contributes nothing; the selected
  // position names the list entry, and the combined pair needs selected -1.
  const OSType types[] = {kData, kPict, ZEB_FOURCC('N', 'O', 'N', 'E'), kText};
  FilterList list = BuildFilterList(View(), 4, types, 3, false, kTexts);
  EXPECT_EQ(Strings(list.buffer),
            (std::vector<std::string>{"Pictures", "*.PCT", "Text", "*.TXT;*.DOC", ""}));
  EXPECT_EQ(list.selected, 2);
  // The all-files option replaces the combined pair.
  list = BuildFilterList(View(), 4, types, -1, true, kTexts);
  EXPECT_EQ(Strings(list.buffer), (std::vector<std::string>{"Pictures", "*.PCT", "Text",
                                                            "*.TXT;*.DOC", "All Files (*.*)",
                                                            "*.*", ""}));
  // No type at all: an empty buffer, no pair.
  list = BuildFilterList(View(), 0, types, -1, false, kTexts);
  EXPECT_TRUE(list.pairs.empty());
  EXPECT_EQ(list.buffer, std::string(1, '\0'));
}

TEST_F(FilterListTest, DescriptionsStopAtTheirEntryAndTablesAtTheirBound) {
  // An entry whose description fills every byte to the end of its entry, unterminated: the
  // description is those 33 bytes and nothing of the next entry.
  Entry40 full = Entry(kText, "TXT", "");
  std::memset(full.bytes + 7, 'x', 33);
  std::vector<Entry40> table = {full, Entry(kPict, "PCT", "Pictures")};
  const OSType types[] = {kText};
  FilterList list = BuildFilterList({table.front().bytes, table.size()}, 1, types, -1, false,
                                    kTexts);
  ASSERT_EQ(list.pairs.size(), 1u);
  EXPECT_EQ(list.pairs[0].description, std::string(33, 'x'));
  // A table without its zero type is read only as far as its bound.
  const OSType pict[] = {kPict};
  list = BuildFilterList({table.front().bytes, 1}, 1, pict, -1, false, kTexts);
  EXPECT_TRUE(list.pairs.empty());
  // A short extension ends at its zero byte.
  table = {Entry(kText, "C", "C sources"), Entry(0, "", "")};
  list = BuildFilterList({table.front().bytes, table.size()}, 1, types, -1, false, kTexts);
  EXPECT_EQ(list.pairs.at(0).pattern, "*.C");
}

TEST_F(FilterListTest, ManyTypesGrowTheBuffer) {
  std::vector<Entry40> table;
  std::vector<OSType> types;
  for (int i = 0; i < 300; ++i) {
    const OSType t = ZEB_FOURCC('T', 'Y', static_cast<char>('A' + i / 26), static_cast<char>('a' + i % 26));
    table.push_back(Entry(t, "ABC", "A description thirty bytes lo"));
    types.push_back(t);
  }
  table.push_back(Entry(0, "", ""));
  const FilterList list = BuildFilterList({table.front().bytes, table.size()},
                                          static_cast<int>(types.size()), types.data(), -1,
                                          false, kTexts);
  EXPECT_EQ(list.pairs.size(), 301u);
  EXPECT_GT(list.buffer.size(), 300u * 36);
  EXPECT_EQ(list.buffer.back(), '\0');
  EXPECT_EQ(list.buffer[list.buffer.size() - 2], '\0');
}

TEST(SavedNames, ExtensionRules) {
  EXPECT_EQ(NameWithExtension("Report", "TXT"), "Report.TXT");
  EXPECT_EQ(NameWithExtension("Report.", "TXT"), "Report.TXT");
  EXPECT_EQ(NameWithExtension("Report.DOC", "TXT"), "Report.DOC");
  EXPECT_EQ(NameWithExtension("Report", ""), "Report");
  EXPECT_EQ(NameWithReplacedExtension("Report.DOC", "TXT"), "Report.TXT");
  EXPECT_EQ(NameWithReplacedExtension("Report", "PCT"), "Report.PCT");
  EXPECT_EQ(NameWithReplacedExtension("a.b.c", "TXT"), "a.b.TXT");
  EXPECT_EQ(NameExtension("x.tar.gz"), "gz");
  EXPECT_EQ(NameExtension("noext"), "");
}

TEST_F(FilterListTest, NamesFindTheirFilter) {
  const OSType types[] = {kText, kPict};
  const FilterList list = BuildFilterList(View(), 2, types, -1, false, kTexts);
  EXPECT_EQ(FilterOfName(list, "letter.doc"), 1);
  EXPECT_EQ(FilterOfName(list, "photo.PCT"), 2);
  EXPECT_EQ(FilterOfName(list, "photo.gif"), 0);
  EXPECT_EQ(FilterOfName(list, "photo"), 0);
}

TEST(HostPaths, SplitAndJoinedSelections) {
  std::string dir, name;
  SplitHostPath("C:\\docs\\a.txt", &dir, &name);
  EXPECT_EQ(dir, "C:\\docs\\");
  EXPECT_EQ(name, "a.txt");
  SplitHostPath("C:a.txt", &dir, &name);
  EXPECT_EQ(dir, "C:");
  EXPECT_EQ(name, "a.txt");
  SplitHostPath("plain", &dir, &name);
  EXPECT_EQ(dir, "");
  EXPECT_EQ(name, "plain");

  char names[] = "C:\\d\0a.txt\0b.txt\0\0zz";
  JoinSelectedNames(names, sizeof names);
  EXPECT_STREQ(names, "C:\\d a.txt b.txt");
  EXPECT_EQ(names[sizeof names - 3], 'z');  // nothing after the double zero is touched
  // A buffer whose names run to its end without the double zero stays terminated.
  char cut[6] = {'a', '\0', 'b', 'c', 'd', 'e'};
  JoinSelectedNames(cut, sizeof cut);
  EXPECT_EQ(std::string(cut), "a bcd");
}

}  // namespace

// The application-file list: the document list's tokens, the packed layout and its walk.
#include "frame/app_files.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

using namespace zeb::frame;

std::vector<uint8_t> Pascal(const std::string& s) {
  std::vector<uint8_t> p(1, static_cast<uint8_t>(s.size()));
  p.insert(p.end(), s.begin(), s.end());
  return p;
}

TEST(DocumentListTokens, BlanksQuotesSwitchesAndEmptyTokens) {
  struct Case {
    const char* text;
    bool print;
    std::vector<std::string> names;
  };
  const Case cases[] = {
      {"", false, {}},
      {"a.txt, /p", true, {"a.txt"}},
      {"/P,b.txt", true, {"b.txt"}},
      {"\"C:\\My Files\\c d.txt\"", false, {"C:\\My Files\\c d.txt"}},
      {" , ,,\t", false, {}},
      {"x.txt,\"\",y.txt", false, {"x.txt", "y.txt"}},
      {"\"\"quoted twice\"\"", false, {"\"quoted twice\""}},
      {"/px, p/", false, {"/px", "p/"}},
      {"\"", false, {"\""}},
  };
  for (const Case& c : cases) {
    const DocumentList list = ParseDocumentList(c.text);
    EXPECT_EQ(list.print, c.print) << c.text;
    EXPECT_EQ(list.names, c.names) << c.text;
  }
}

TEST(DocumentListTokens, AbsoluteNamesAndDirectories) {
  EXPECT_TRUE(IsAbsoluteHostPath("C:\\a.txt"));
  EXPECT_TRUE(IsAbsoluteHostPath("z:\\"));
  EXPECT_TRUE(IsAbsoluteHostPath("\\\\server\\share\\a"));
  EXPECT_FALSE(IsAbsoluteHostPath("C:a.txt"));
  EXPECT_FALSE(IsAbsoluteHostPath("\\a.txt"));
  EXPECT_FALSE(IsAbsoluteHostPath("sub\\a.txt"));
  EXPECT_FALSE(IsAbsoluteHostPath("1:\\a"));
  EXPECT_EQ(DirectoryWithSeparator("C:\\docs"), "C:\\docs\\");
  EXPECT_EQ(DirectoryWithSeparator("C:\\docs\\"), "C:\\docs\\");
  EXPECT_EQ(DirectoryWithSeparator(""), "");
}

TEST(AppFileList, PackedEntriesWalkBack) {
  DocumentList docs = ParseDocumentList("a.txt,C:\\bb.doc,ccc");
  const size_t capacity = AppFileListCapacity(docs, 9);
  // header, three names, two of them behind the directory, 14 bytes each beyond that
  EXPECT_EQ(capacity, 4u + (5 + 9 + 14) + (9 + 14) + (3 + 9 + 14));
  std::vector<uint8_t> list(capacity, 0xAA);
  size_t offset = kAppFileHeaderBytes;
  const std::string names[] = {"a.txt", "bb.doc", "ccc"};
  for (int i = 0; i < 3; ++i) {
    const auto p = Pascal(names[i]);
    offset = AppendAppFileEntry(list.data(), list.size(), offset, static_cast<int16_t>(-3 - i),
                                0x54455854u + i, p.data());
    ASSERT_NE(offset, 0u);
    EXPECT_EQ(offset % 2, 0u);
  }
  WriteAppFileHeader(list.data(), 1, 3);
  // The first entry's type sits at the first four-byte boundary after its volume reference.
  uint32_t firstType;
  std::memcpy(&firstType, list.data() + 8, 4);
  EXPECT_EQ(firstType, 0x54455854u);
  int16_t message, count;
  ASSERT_TRUE(ReadAppFileHeader(list.data(), list.size(), &message, &count));
  EXPECT_EQ(message, 1);
  EXPECT_EQ(count, 3);
  for (int i = 1; i <= 3; ++i) {
    AppFileEntry e;
    ASSERT_TRUE(FindAppFileEntry(list.data(), list.size(), i, &e));
    EXPECT_EQ(e.vRefNum, -2 - i);
    EXPECT_EQ(e.fType, 0x54455854u + i - 1);
    EXPECT_EQ(e.version, 0);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(e.name + 1), e.name[0]), names[i - 1]);
  }
  AppFileEntry e;
  EXPECT_FALSE(FindAppFileEntry(list.data(), list.size(), 0, &e));
  EXPECT_FALSE(FindAppFileEntry(list.data(), list.size(), -1, &e));
  EXPECT_FALSE(FindAppFileEntry(list.data(), list.size(), 4, &e));
}

TEST(AppFileList, AppendsThatDoNotFitWriteNothing) {
  std::vector<uint8_t> list(16, 0x55);
  const auto p = Pascal("longer name");
  EXPECT_EQ(AppendAppFileEntry(list.data(), list.size(), 4, -1, 1, p.data()), 0u);
  EXPECT_EQ(list[4], 0x55);
  EXPECT_EQ(AppendAppFileEntry(list.data(), list.size(), 3, -1, 1, Pascal("a").data()), 0u);
  EXPECT_EQ(AppendAppFileEntry(list.data(), list.size(), 4, -1, 1, Pascal("a").data()), 16u);
}

TEST(AppFileList, DamagedListsAreNeverReadPastTheirEnd) {
  // A count larger than the entries, a name length running past the end, and a list shorter
  // than its header.
  std::vector<uint8_t> list(4 + 12 + 2, 0);
  WriteAppFileHeader(list.data(), 0, 30000);
  const auto p = Pascal("ab");
  ASSERT_NE(AppendAppFileEntry(list.data(), list.size(), 4, -1, 7, p.data()), 0u);
  AppFileEntry e;
  EXPECT_TRUE(FindAppFileEntry(list.data(), list.size(), 1, &e));
  EXPECT_FALSE(FindAppFileEntry(list.data(), list.size(), 2, &e));
  list[14] = 200;  // the name's length byte
  EXPECT_FALSE(FindAppFileEntry(list.data(), list.size(), 1, &e));
  int16_t m, c;
  EXPECT_FALSE(ReadAppFileHeader(list.data(), 3, &m, &c));
  EXPECT_FALSE(FindAppFileEntry(list.data(), 3, 1, &e));
  EXPECT_FALSE(FindAppFileEntry(nullptr, 0, 1, &e));
}

}  // namespace

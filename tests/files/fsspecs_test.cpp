// File specifications: making them, using them, and exchanging two files.
#include "files_fixture.h"

namespace {

using zebtest::Name;
using zebtest::TextOf;

class FSSpecTest : public zebtest::FilesTest {
 protected:
  long Here() { return ZEB_DirIDFromPath(dir_.path().c_str(), nullptr, nullptr); }
};

TEST_F(FSSpecTest, MakeFSSpecFillsTheSpecWhetherOrNotTheFileExists) {
  ASSERT_TRUE(dir_.Write("there.txt", "x"));
  short volume = 0;
  ZEB_DirIDFromPath(dir_.path().c_str(), &volume, nullptr);
  const std::pair<const char*, OSErr> cases[] = {{"there.txt", noErr}, {"absent.txt", fnfErr}};
  for (const auto& c : cases) {
    FSSpec fileSpec{};
    Name name(c.first);
    EXPECT_EQ(FSMakeFSSpec(0, 0, name, &fileSpec), c.second) << c.first;
    EXPECT_EQ(fileSpec.vRefNum, volume);
    EXPECT_EQ(fileSpec.parID, Here());
    EXPECT_EQ(TextOf(fileSpec.name), c.first);
  }
  // A directory given by ID and an empty name: the fileSpec names it within its parent.
  ASSERT_TRUE(CreateDirectoryA(dir_.File("folder").c_str(), nullptr));
  const long folder = ZEB_DirIDFromPath(dir_.File("folder").c_str(), nullptr, nullptr);
  FSSpec fileSpec{};
  EXPECT_EQ(FSMakeFSSpec(0, folder, nullptr, &fileSpec), noErr);
  EXPECT_EQ(fileSpec.parID, Here());
  EXPECT_EQ(TextOf(fileSpec.name), "folder");
  // The fileSpec's own name as the input: remade in place, it still names the file.
  Name there("there.txt");
  ASSERT_EQ(FSMakeFSSpec(0, 0, there, &fileSpec), noErr);
  EXPECT_EQ(FSMakeFSSpec(fileSpec.vRefNum, fileSpec.parID, fileSpec.name, &fileSpec), noErr);
  EXPECT_EQ(TextOf(fileSpec.name), "there.txt");
  EXPECT_EQ(fileSpec.parID, Here());
  EXPECT_EQ(FSMakeFSSpec(0, 0, nullptr, nullptr), paramErr);
  Name any("x");
  EXPECT_EQ(FSMakeFSSpec(-31, 0, any, &fileSpec), nsvErr);
}

TEST_F(FSSpecTest, NamesLongerThanASpecHoldsAreRefusedAndTheSpecIsInert) {
  const std::string longName(64, 'L');
  ASSERT_TRUE(dir_.Write(longName, "long"));
  ASSERT_TRUE(dir_.Write("keep", "keep"));
  FSSpec fileSpec;
  std::memset(&fileSpec, 0x55, sizeof fileSpec);
  Name name(longName);
  EXPECT_EQ(FSMakeFSSpec(0, 0, name, &fileSpec), bdNamErr);
  EXPECT_EQ(fileSpec.vRefNum, 0);
  EXPECT_EQ(fileSpec.parID, 0);
  EXPECT_EQ(fileSpec.name[0], 0);
  // A caller that goes on with the cleared fileSpec harms nothing.
  Name renamed("renamed");
  EXPECT_EQ(FSpDelete(&fileSpec), bdNamErr);
  EXPECT_EQ(FSpRename(&fileSpec, renamed), bdNamErr);
  char current[MAX_PATH];
  GetCurrentDirectoryA(sizeof current, current);
  EXPECT_EQ(std::string(current) + "\\", dir_.path());
  EXPECT_EQ(Contents(longName), "long");
  // A fileSpec whose length byte says more than 63 is not read past its end.
  FSSpec bad{};
  bad.parID = Here();
  bad.name[0] = 200;
  short ref = 7;
  EXPECT_EQ(FSpOpenDF(&bad, fsRdPerm, &ref), bdNamErr);
  EXPECT_EQ(ref, 0);
  EXPECT_EQ(FSpDelete(&bad), bdNamErr);
  EXPECT_EQ(FSpDelete(nullptr), paramErr);
}

TEST_F(FSSpecTest, SpecCallsCreateOpenDescribeRenameAndDelete) {
  FSSpec fileSpec{};
  Name name("fileSpec.txt");
  ASSERT_EQ(FSMakeFSSpec(0, 0, name, &fileSpec), fnfErr);
  ASSERT_EQ(FSpCreate(&fileSpec, ZEB_FOURCC('Z', 'E', 'B', '!'), ZEB_FOURCC('T', 'E', 'X', 'T'), 0),
            noErr);
  EXPECT_EQ(FSpCreate(&fileSpec, 0, 0, 0), dupFNErr);
  short ref = 0;
  ASSERT_EQ(FSpOpenDF(&fileSpec, fsRdWrPerm, &ref), noErr);
  long count = 5;
  EXPECT_EQ(FSWrite(ref, &count, "hello"), noErr);
  EXPECT_EQ(FSClose(ref), noErr);
  FInfo info{};
  EXPECT_EQ(FSpGetFInfo(&fileSpec, &info), noErr);
  EXPECT_EQ(info.fdCreator, kZEBUnknownCreator) << "the host keeps no creator";
  Name newName("renamed.txt");
  EXPECT_EQ(FSpRename(&fileSpec, newName), noErr);
  EXPECT_EQ(Contents("renamed.txt"), "hello");
  EXPECT_EQ(FSpDelete(&fileSpec), fnfErr);
  ASSERT_EQ(FSMakeFSSpec(0, 0, newName, &fileSpec), noErr);
  EXPECT_EQ(FSpDelete(&fileSpec), noErr);
  EXPECT_FALSE(Exists("renamed.txt"));
}

TEST_F(FSSpecTest, ExchangeSwapsContentsAndLosesNothingWhenItCannot) {
  ASSERT_TRUE(dir_.Write("a.txt", "contents of a"));
  ASSERT_TRUE(dir_.Write("b.dat", "contents of b"));
  FSSpec a{}, b{}, missing{};
  Name aName("a.txt"), bName("b.dat"), missingName("missing");
  ASSERT_EQ(FSMakeFSSpec(0, 0, aName, &a), noErr);
  ASSERT_EQ(FSMakeFSSpec(0, 0, bName, &b), noErr);
  EXPECT_EQ(FSpExchangeFiles(&a, &b), noErr);
  EXPECT_EQ(Contents("a.txt"), "contents of b");
  EXPECT_EQ(Contents("b.dat"), "contents of a");
  EXPECT_FALSE(Exists("a.aaa"));
  // The temporary name is taken: nothing moves.
  ASSERT_TRUE(dir_.Write("a.aaa", "bystander"));
  EXPECT_EQ(FSpExchangeFiles(&a, &b), dupFNErr);
  EXPECT_EQ(Contents("a.txt"), "contents of b");
  EXPECT_EQ(Contents("b.dat"), "contents of a");
  EXPECT_EQ(Contents("a.aaa"), "bystander");
  DeleteFileA(dir_.File("a.aaa").c_str());
  // The second file is open: the first rename is undone.
  const short ref = Open("b.dat");
  EXPECT_NE(FSpExchangeFiles(&a, &b), noErr);
  FSClose(ref);
  EXPECT_EQ(Contents("a.txt"), "contents of b");
  EXPECT_EQ(Contents("b.dat"), "contents of a");
  EXPECT_FALSE(Exists("a.aaa"));
  FSMakeFSSpec(0, 0, missingName, &missing);
  EXPECT_EQ(FSpExchangeFiles(&a, &missing), fnfErr);
}

}  // namespace

// Creating, deleting and renaming files and directories: nothing that exists is lost.
#include "files_fixture.h"

namespace {

using zebtest::Name;

class NamingTest : public zebtest::FilesTest {};

TEST_F(NamingTest, CreateMakesAnEmptyFileOnce) {
  Name name("new.txt");
  EXPECT_EQ(Create(name, 0, ZEB_FOURCC('t', 't', 'x', 't'), ZEB_FOURCC('T', 'E', 'X', 'T')), noErr);
  EXPECT_TRUE(Exists("new.txt"));
  EXPECT_EQ(Contents("new.txt"), "");
  ASSERT_TRUE(dir_.Write("new.txt", "precious"));
  EXPECT_EQ(Create(name, 0, ZEB_FOURCC('t', 't', 'x', 't'), ZEB_FOURCC('T', 'E', 'X', 'T')), dupFNErr);
  HParamBlockRec pb{};
  pb.fileParam.ioNamePtr = name;
  EXPECT_EQ(PBHCreate(&pb, false), dupFNErr);
  EXPECT_EQ(pb.fileParam.ioResult, dupFNErr);
  EXPECT_EQ(Contents("new.txt"), "precious");
  Name inMissingDirectory("nowhere\\file");
  EXPECT_EQ(Create(inMissingDirectory, 0, 0, 0), dirNFErr);
  Name badName(std::string("bad\0name", 8));
  EXPECT_EQ(Create(badName, 0, 0, 0), bdNamErr);
  EXPECT_FALSE(Exists("bad"));
}

TEST_F(NamingTest, DeleteRemovesFilesAndEmptyDirectoriesOnly) {
  ASSERT_TRUE(dir_.Write("gone", "x"));
  ASSERT_TRUE(CreateDirectoryA(dir_.File("empty").c_str(), nullptr));
  ASSERT_TRUE(CreateDirectoryA(dir_.File("full").c_str(), nullptr));
  ASSERT_TRUE(dir_.Write("full\\kept", "contents"));
  struct Case {
    const char* name;
    OSErr result;
    bool remains;
  };
  const Case cases[] = {{"gone", noErr, false},
                        {"gone", fnfErr, false},
                        {"empty", noErr, false},
                        {"full", fBsyErr, true},
                        {"nowhere\\x", dirNFErr, false}};
  for (const Case& c : cases) {
    Name name(c.name);
    ParamBlockRec pb{};
    pb.fileParam.ioNamePtr = name;
    pb.fileParam.ioFRefNum = 17;
    EXPECT_EQ(PBDelete(&pb, false), c.result) << c.name;
    EXPECT_EQ(pb.fileParam.ioFRefNum, 0);
    EXPECT_EQ(Exists(c.name), c.remains) << c.name;
  }
  EXPECT_EQ(Contents("full\\kept"), "contents");
  // An open file stays.
  ASSERT_TRUE(dir_.Write("busy", "in use"));
  const short ref = Open("busy");
  Name busy("busy");
  EXPECT_NE(FSDelete(busy, 0), noErr);
  EXPECT_EQ(Contents("busy"), "in use");
  FSClose(ref);
  EXPECT_EQ(FSDelete(busy, 0), noErr);
}

TEST_F(NamingTest, RenameNeverReplacesAnotherFile) {
  ASSERT_TRUE(dir_.Write("old", "old contents"));
  ASSERT_TRUE(dir_.Write("other", "other contents"));
  ASSERT_TRUE(CreateDirectoryA(dir_.File("folder").c_str(), nullptr));
  Name old("old"), other("other"), fresh("fresh"), folder("folder"), moved("moved");
  EXPECT_EQ(Rename(old, 0, other), dupFNErr);
  EXPECT_EQ(Contents("old"), "old contents");
  EXPECT_EQ(Contents("other"), "other contents");
  // The new name stays in the same directory: it cannot name a path of its own.
  Name escape("folder\\escaped");
  Name empty("");
  EXPECT_EQ(Rename(old, 0, escape), bdNamErr);
  EXPECT_EQ(Rename(old, 0, empty), bdNamErr);
  EXPECT_EQ(Rename(old, 0, nullptr), bdNamErr);
  EXPECT_TRUE(Exists("old"));
  EXPECT_EQ(Rename(old, 0, fresh), noErr);
  EXPECT_EQ(Contents("fresh"), "old contents");
  EXPECT_FALSE(Exists("old"));
  EXPECT_EQ(HRename(0, 0, folder, moved), noErr);
  EXPECT_TRUE(Exists("moved"));
  EXPECT_EQ(HRename(0, 0, old, moved), fnfErr);
}

TEST_F(NamingTest, DirCreateGivesTheNewDirectorysID) {
  Name name("made");
  long created = 0;
  EXPECT_EQ(DirCreate(0, 0, name, &created), noErr);
  EXPECT_EQ(created, ZEB_DirIDFromPath(dir_.File("made").c_str(), nullptr, nullptr));
  Name inner("inner.txt");
  EXPECT_EQ(HCreate(0, created, inner, 0, 0), noErr);
  EXPECT_TRUE(Exists("made\\inner.txt"));
  EXPECT_EQ(DirCreate(0, 0, name, &created), dupFNErr);
  EXPECT_EQ(created, 0);
  EXPECT_EQ(HDelete(0, 0, name), fBsyErr);
}

TEST_F(NamingTest, AnEmptyNameNeverReachesTheCurrentDirectory) {
  ASSERT_TRUE(dir_.Write("kept", "x"));
  Name empty(""), newName("renamed");
  EXPECT_EQ(FSDelete(empty, 0), bdNamErr);
  EXPECT_EQ(HDelete(0, 0, nullptr), bdNamErr);
  EXPECT_EQ(Rename(empty, 0, newName), bdNamErr);
  char current[MAX_PATH];
  GetCurrentDirectoryA(sizeof current, current);
  EXPECT_EQ(std::string(current) + "\\", dir_.path());
  EXPECT_TRUE(Exists("kept"));
}

}  // namespace

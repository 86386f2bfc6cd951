// Creating, deleting and renaming files and directories: nothing that exists is lost.
#include <algorithm>
#include <vector>

#include "files_fixture.h"

namespace {

using zebtest::Name;

class NamingTest : public zebtest::FilesTest {
 protected:
  // Every entry the host lists in the test's directory and one level below, as relative paths.
  std::vector<std::string> HostEntries() const {
    std::vector<std::string> entries;
    ListInto("", &entries);
    return entries;
  }

 private:
  void ListInto(const std::string& relative, std::vector<std::string>* entries) const {
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(dir_.File(relative + "*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return;
    do {
      const std::string name = found.cFileName;
      if (name == "." || name == "..") continue;
      entries->push_back(relative + name);
      if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && relative.empty())
        ListInto(name + "\\", entries);
    } while (FindNextFileA(search, &found));
    FindClose(search);
  }
};

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

// Colons in a Toolbox name separate directories, as on a Macintosh: ":temp-dir:blah" is blah
// in temp-dir, never a host file with colons in its name (on Windows, a stream of another file).
TEST_F(NamingTest, ColonsSeparateDirectoriesAndNeverReachTheHost) {
  ASSERT_TRUE(CreateDirectoryA(dir_.File("temp-dir").c_str(), nullptr));
  const long tempDir = ZEB_DirIDFromPath(dir_.File("temp-dir").c_str(), nullptr, nullptr);
  Name blah(":temp-dir:blah");
  EXPECT_EQ(Create(blah, 0, 0, 0), noErr);
  EXPECT_TRUE(Exists("temp-dir\\blah"));
  Name up("::up"), deeper(":inner");
  EXPECT_EQ(HCreate(0, tempDir, up, 0, 0), noErr);
  EXPECT_TRUE(Exists("up"));
  long inner = 0;
  EXPECT_EQ(DirCreate(0, tempDir, deeper, &inner), noErr);
  EXPECT_EQ(inner, ZEB_DirIDFromPath(dir_.File("temp-dir\\inner").c_str(), nullptr, nullptr));
  Name twoDown(":temp-dir:inner:deep.txt");
  EXPECT_EQ(Create(twoDown, 0, 0, 0), noErr);
  EXPECT_TRUE(Exists("temp-dir\\inner\\deep.txt"));

  Name renamed("renamed"), colonNew(":x"), macPathNew("a:b");
  EXPECT_EQ(Rename(blah, 0, colonNew), bdNamErr);
  EXPECT_EQ(Rename(blah, 0, macPathNew), bdNamErr);
  EXPECT_EQ(Rename(blah, 0, renamed), noErr);
  EXPECT_TRUE(Exists("temp-dir\\renamed"));
  EXPECT_FALSE(Exists("temp-dir\\blah"));

  // Names that climb above the volume's root, or name a volume that does not exist.
  Name aboveRoot(std::string(40, ':') + "x");
  EXPECT_EQ(Create(aboveRoot, 0, 0, 0), bdNamErr);
  const DWORD drives = GetLogicalDrives();
  char absent = 'Z';
  while (absent > 'C' && (drives & (1u << (absent - 'A')))) --absent;
  ASSERT_GT(absent, 'C') << "a drive letter that names no volume";
  Name noVolume(std::string(1, absent) + ":x");
  EXPECT_EQ(Create(noVolume, 0, 0, 0), nsvErr);
  Name unknownVolume("No Such Disk:x");
  EXPECT_EQ(Create(unknownVolume, 0, 0, 0), nsvErr);

  std::vector<std::string> entries = HostEntries();
  std::sort(entries.begin(), entries.end());
  const std::vector<std::string> expected = {"temp-dir", "temp-dir\\inner", "temp-dir\\renamed",
                                             "up"};
  EXPECT_EQ(entries, expected) << "no host name holds a colon";
  for (const std::string& e : entries) EXPECT_EQ(e.find(':'), std::string::npos) << e;

  // A directory still holding entries stays, busy, however it is named.
  Name tempDirName(":temp-dir"), innerFile(":temp-dir:inner:deep.txt"), itself(":");
  EXPECT_EQ(FSDelete(tempDirName, 0), fBsyErr);
  EXPECT_TRUE(Exists("temp-dir\\renamed"));
  EXPECT_EQ(FSDelete(innerFile, 0), noErr);
  EXPECT_FALSE(Exists("temp-dir\\inner\\deep.txt"));
  EXPECT_EQ(FSDelete(itself, 0), bdNamErr) << "the default directory named only by default";
  Name backHere(":temp-dir::");
  EXPECT_EQ(FSDelete(backHere, 0), bdNamErr);
  EXPECT_TRUE(Exists("up"));
}

// A full pathname begins with a volume's name: a drive letter, or the name the File Manager
// itself reports for a volume ("C:\"), followed by a colon.
TEST_F(NamingTest, FullPathnamesStartAtTheVolumesRoot) {
  ASSERT_TRUE(CreateDirectoryA(dir_.File("sub").c_str(), nullptr));
  const std::string here = dir_.path();
  ASSERT_GE(here.size(), 4u);
  ASSERT_EQ(here[1], ':');
  // The test directory "D:\users\...\tmp\" as Macintosh components: "D:users:...:tmp".
  std::string components = here.substr(3, here.size() - 4);
  std::replace(components.begin(), components.end(), '\\', ':');
  const std::string drive = here.substr(0, 1);
  const struct {
    std::string name;
    std::string created;
  } cases[] = {
      {drive + ":" + components + ":sub:one", "sub\\one"},
      {drive + ":\\:" + components + ":two", "two"},
      {here + "sub:three", "sub\\three"},
      {here + ":sub:four", "sub\\four"},
      {here + "sub::five", "five"},
  };
  for (const auto& c : cases) {
    Name name(c.name);
    EXPECT_EQ(Create(name, 0, 0, 0), noErr) << c.name;
    EXPECT_TRUE(Exists(c.created)) << c.name;
    FInfo info{};
    EXPECT_EQ(GetFInfo(name, 0, &info), noErr) << c.name;
    EXPECT_EQ(FSDelete(name, 0), noErr) << c.name;
    EXPECT_FALSE(Exists(c.created)) << c.name;
  }
}

}  // namespace

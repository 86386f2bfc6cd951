// Catalog information: file information, types and dates, and enumerating a directory by index.
#include <set>
#include <vector>

#include "files_fixture.h"

namespace {

using zebtest::Name;
using zebtest::TextOf;

const OSType kText = ZEB_FOURCC('T', 'E', 'X', 'T');
const OSType kDefault = ZEB_FOURCC('B', 'I', 'N', 'A');

struct ExtensionEntry {
  OSType type;
  char extension[3];
  char description[33];
};
static_assert(sizeof(ExtensionEntry) == 40, "the table's entries are 40 bytes");
const ExtensionEntry kTypes[] = {{kText, {'T', 'X', 'T'}, "Text"}, {0, {}, ""}};

class CatalogTest : public zebtest::FilesTest {
 protected:
  void SetUp() override {
    FilesTest::SetUp();
    ZEB_Set_MacWin(const_cast<ExtensionEntry*>(kTypes), nullptr);
    ZEB_SystemValue(ZEB_SV_SET, 36, kDefault);
  }
  void TearDown() override {
    ZEB_Set_MacWin(nullptr, nullptr);
    FilesTest::TearDown();
  }
  long DirID(const std::string& name) {
    return ZEB_DirIDFromPath(dir_.File(name).c_str(), nullptr, nullptr);
  }
  // Every entry that PBGetCatInfo gives for indices 1, 2, ... until it reports the end.
  std::vector<std::string> Enumerate(long dirID, OSErr* end = nullptr) {
    std::vector<std::string> names;
    for (short index = 1; index < 100; ++index) {
      unsigned char name[256] = {};
      CInfoPBRec pb{};
      pb.hFileInfo.ioNamePtr = name;
      pb.hFileInfo.ioDirID = dirID;
      pb.hFileInfo.ioFDirIndex = index;
      const OSErr err = PBGetCatInfo(&pb, false);
      if (err) {
        if (end) *end = err;
        break;
      }
      names.push_back(TextOf(name));
    }
    return names;
  }
};

TEST_F(CatalogTest, TypeComesFromTheExtensionTableCreatorIsUnknown) {
  ASSERT_TRUE(dir_.Write("report.txt", "words"));
  ASSERT_TRUE(dir_.Write("REPORT2.TXT", ""));
  ASSERT_TRUE(dir_.Write("data.bin", ""));
  const std::pair<const char*, OSType> cases[] = {
      {"report.txt", kText}, {"REPORT2.TXT", kText}, {"data.bin", kDefault}};
  for (const auto& c : cases) {
    FInfo info{};
    Name name(c.first);
    ASSERT_EQ(GetFInfo(name, 0, &info), noErr) << c.first;
    EXPECT_EQ(info.fdType, c.second) << c.first;
    EXPECT_EQ(info.fdCreator, kZEBUnknownCreator);
    EXPECT_EQ(info.fdFlags, 0);
  }
  FInfo info{};
  Name missing("missing.txt");
  EXPECT_EQ(GetFInfo(missing, 0, &info), fnfErr);
  EXPECT_EQ(HGetFInfo(0, 0x7777, missing, &info), fnfErr) << "an unknown directory ID";
  EXPECT_EQ(HGetFInfo(-31, 0, missing, &info), nsvErr);
}

TEST_F(CatalogTest, FileInformationReportsLengthLockAndOpenState) {
  ASSERT_TRUE(dir_.Write("locked", "0123456789"));
  SetFileAttributesA(dir_.File("locked").c_str(), FILE_ATTRIBUTE_READONLY);
  ASSERT_TRUE(dir_.Write("open", "abc"));
  const short ref = Open("open");
  struct Case {
    const char* name;
    long length;
    int attributes;
    short refNum;
  };
  const Case cases[] = {{"locked", 10, kioFlAttribLockedMask, 0},
                        {"open", 3, kioFlAttribFileOpenMask, ref}};
  for (const Case& c : cases) {
    Name name(c.name);
    HParamBlockRec pb{};
    pb.fileParam.ioNamePtr = name;
    pb.fileParam.ioFlRLgLen = 999;
    ASSERT_EQ(PBHGetFInfo(&pb, false), noErr) << c.name;
    EXPECT_EQ(pb.fileParam.ioFlLgLen, c.length);
    EXPECT_EQ(pb.fileParam.ioFlPyLen, c.length);
    EXPECT_EQ(pb.fileParam.ioFlRLgLen, 0) << "no resource forks";
    EXPECT_EQ(static_cast<unsigned char>(pb.fileParam.ioFlAttrib), c.attributes);
    EXPECT_EQ(pb.fileParam.ioFRefNum, c.refNum);
    EXPECT_EQ(pb.fileParam.ioDirID, DirID("")) << "the directory's ID is stored back";
    EXPECT_NE(pb.fileParam.ioFlMdDat, 0u);
    EXPECT_EQ(pb.fileParam.ioFlCrDat, pb.fileParam.ioFlMdDat);
  }
  FSClose(ref);
  SetFileAttributesA(dir_.File("locked").c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST_F(CatalogTest, DatesRoundTripThroughTheHost) {
  ASSERT_TRUE(dir_.Write("dated", "x"));
  Name name("dated");
  HParamBlockRec pb{};
  pb.fileParam.ioNamePtr = name;
  ASSERT_EQ(PBHGetFInfo(&pb, false), noErr);
  // 3 March 1996, 14:30:58.
  const unsigned long when = 2908656000u + 14 * 3600 + 30 * 60 + 58;
  pb.fileParam.ioFlCrDat = when;
  pb.fileParam.ioFlMdDat = when;
  ASSERT_EQ(PBHSetFInfo(&pb, false), noErr);
  pb.fileParam.ioFlMdDat = 0;
  ASSERT_EQ(PBHGetFInfo(&pb, false), noErr);
  EXPECT_EQ(pb.fileParam.ioFlMdDat, when);
  // A date the host cannot hold (before 1980) leaves the file's date alone.
  pb.fileParam.ioFlCrDat = 0;
  pb.fileParam.ioFlMdDat = 1000;
  ASSERT_EQ(PBHSetFInfo(&pb, false), noErr);
  ASSERT_EQ(PBHGetFInfo(&pb, false), noErr);
  EXPECT_EQ(pb.fileParam.ioFlMdDat, when);
  Name missing("missing");
  pb.fileParam.ioNamePtr = missing;
  EXPECT_EQ(PBHSetFInfo(&pb, false), fnfErr);
  ParamBlockRec old{};
  old.fileParam.ioNamePtr = name;
  old.fileParam.ioFlMdDat = when + 3600;
  old.fileParam.ioFlCrDat = when;
  EXPECT_EQ(PBSetFInfo(&old, false), noErr);
  EXPECT_EQ(PBGetFInfo(&old, false), noErr);
  EXPECT_EQ(old.fileParam.ioFlMdDat, when + 3600);
  EXPECT_EQ(old.fileParam.ioFlNum, 0u);
}

TEST_F(CatalogTest, EnumerationNeverReturnsTheDotEntries) {
  ASSERT_TRUE(CreateDirectoryA(dir_.File("sub").c_str(), nullptr));
  ASSERT_TRUE(CreateDirectoryA(dir_.File("sub\\inner").c_str(), nullptr));
  for (const char* name : {"sub\\a.txt", "sub\\b", "sub\\c"}) ASSERT_TRUE(dir_.Write(name, "x"));
  OSErr end = noErr;
  const std::vector<std::string> names = Enumerate(DirID("sub"), &end);
  EXPECT_EQ(end, fnfErr);
  EXPECT_EQ(std::set<std::string>(names.begin(), names.end()),
            (std::set<std::string>{"a.txt", "b", "c", "inner"}));
  EXPECT_EQ(names.size(), 4u);
  // An empty directory has no entries at all.
  ASSERT_TRUE(CreateDirectoryA(dir_.File("empty").c_str(), nullptr));
  EXPECT_TRUE(Enumerate(DirID("empty"), &end).empty());
  EXPECT_EQ(end, fnfErr);
}

TEST_F(CatalogTest, EnumerationRestartsForEarlierIndicesAndOtherDirectories) {
  ASSERT_TRUE(CreateDirectoryA(dir_.File("one").c_str(), nullptr));
  ASSERT_TRUE(CreateDirectoryA(dir_.File("two").c_str(), nullptr));
  for (const char* name : {"one\\1a", "one\\1b", "one\\1c", "two\\2a", "two\\2b"})
    ASSERT_TRUE(dir_.Write(name, ""));
  const std::vector<std::string> one = Enumerate(DirID("one"));
  const std::vector<std::string> two = Enumerate(DirID("two"));
  ASSERT_EQ(one.size(), 3u);
  ASSERT_EQ(two.size(), 2u);
  auto entry = [&](const std::string& dir, short index) {
    unsigned char name[256] = {};
    CInfoPBRec pb{};
    pb.hFileInfo.ioNamePtr = name;
    pb.hFileInfo.ioDirID = DirID(dir);
    pb.hFileInfo.ioFDirIndex = index;
    return PBGetCatInfo(&pb, false) == noErr ? TextOf(name) : std::string("<end>");
  };
  // Indices in any order, the same index twice, and alternating directories all give the
  // entry that the index names.
  const std::pair<const char*, short> order[] = {{"one", 3}, {"one", 2}, {"one", 2}, {"two", 2},
                                                 {"one", 3}, {"two", 1}, {"one", 1}, {"one", 4}};
  for (const auto& o : order) {
    const std::vector<std::string>& expected = std::string(o.first) == "one" ? one : two;
    const std::string want = o.second <= static_cast<short>(expected.size())
                                 ? expected[static_cast<size_t>(o.second - 1)]
                                 : "<end>";
    EXPECT_EQ(entry(o.first, o.second), want) << o.first << " " << o.second;
  }
}

TEST_F(CatalogTest, EnumeratedEntriesDescribeThemselves) {
  ASSERT_TRUE(CreateDirectoryA(dir_.File("sub").c_str(), nullptr));
  ASSERT_TRUE(CreateDirectoryA(dir_.File("sub\\inner").c_str(), nullptr));
  ASSERT_TRUE(dir_.Write("sub\\notes.txt", "twelve bytes"));
  const long sub = DirID("sub");
  for (short index = 1; index <= 2; ++index) {
    unsigned char name[256] = {};
    CInfoPBRec pb{};
    pb.hFileInfo.ioNamePtr = name;
    pb.hFileInfo.ioDirID = sub;
    pb.hFileInfo.ioFDirIndex = index;
    pb.hFileInfo.ioFlLgLen = 777;
    ASSERT_EQ(PBGetCatInfo(&pb, false), noErr);
    if (TextOf(name) == "inner") {
      EXPECT_EQ(pb.dirInfo.ioFlAttrib & kioFlAttribDirMask, kioFlAttribDirMask);
      EXPECT_EQ(pb.dirInfo.ioDrParID, sub);
      EXPECT_EQ(pb.dirInfo.ioDrDirID, sub) << "without the catalog option the ID is not changed";
    } else {
      EXPECT_EQ(TextOf(name), "notes.txt");
      EXPECT_EQ(pb.hFileInfo.ioFlAttrib, 0);
      EXPECT_EQ(pb.hFileInfo.ioFlFndrInfo.fdType, kText);
      EXPECT_EQ(pb.hFileInfo.ioFlFndrInfo.fdCreator, kZEBUnknownCreator);
      EXPECT_EQ(pb.hFileInfo.ioFlParID, sub);
      EXPECT_EQ(pb.hFileInfo.ioFlLgLen, 12) << "no stale length is left behind";
      EXPECT_NE(pb.hFileInfo.ioFlMdDat, 0u);
    }
  }
}

// Whatever names the directory (the default directory 0, a working-directory number, a
// directory ID), the catalog calls answer with the volume's own number in ioVRefNum: with the
// ioDirID they fill, the block then names the directory by itself for the next call.
TEST_F(CatalogTest, CatalogCallsAnswerWithTheVolumesNumber) {
  ASSERT_TRUE(CreateDirectoryA(dir_.File("sub").c_str(), nullptr));
  ASSERT_TRUE(dir_.Write("sub\\notes.txt", "x"));
  short volume = 0, subWD = 0;
  const long sub = ZEB_DirIDFromPath(dir_.File("sub").c_str(), &volume, &subWD);
  ASSERT_LT(volume, 0);
  ASSERT_LT(subWD, -31);
  ASSERT_EQ(ZEB_CurDirvRefNum(dir_.File("sub").c_str()), subWD);
  const struct {
    short vRefNum;
    long dirID;
    short index;
  } cases[] = {{0, 0, 0}, {0, 0, 1}, {subWD, 0, 0}, {subWD, 0, 1}, {0, sub, 0}, {0, sub, -1}};
  for (const auto& c : cases) {
    Name notes("notes.txt");
    unsigned char name[256] = {};
    CInfoPBRec pb{};
    pb.hFileInfo.ioNamePtr = c.index == 0 ? static_cast<unsigned char*>(notes) : name;
    pb.hFileInfo.ioVRefNum = c.vRefNum;
    pb.hFileInfo.ioDirID = c.dirID;
    pb.hFileInfo.ioFDirIndex = c.index;
    ASSERT_EQ(PBGetCatInfo(&pb, false), noErr) << c.vRefNum << " " << c.dirID << " " << c.index;
    EXPECT_EQ(pb.hFileInfo.ioVRefNum, volume) << c.vRefNum << " " << c.dirID << " " << c.index;
    if (c.index < 0) continue;
    EXPECT_EQ(pb.hFileInfo.ioFlParID, sub);
    // The same block, as it came back, finds the same file again.
    pb.hFileInfo.ioFlParID = 0;
    ASSERT_EQ(PBGetCatInfo(&pb, false), noErr);
    EXPECT_EQ(pb.hFileInfo.ioFlParID, sub);
    EXPECT_EQ(pb.hFileInfo.ioFlLgLen, 1);
  }
  Name notes("notes.txt");
  HParamBlockRec file{};
  file.fileParam.ioNamePtr = notes;
  file.fileParam.ioVRefNum = subWD;
  ASSERT_EQ(PBHGetFInfo(&file, false), noErr);
  EXPECT_EQ(file.fileParam.ioVRefNum, volume);
  EXPECT_EQ(file.fileParam.ioDirID, sub);
  ASSERT_EQ(PBHGetFInfo(&file, false), noErr) << "the block names the file by itself";
  // A failing call leaves the caller's reference as it was.
  Name missing("missing");
  file = HParamBlockRec{};
  file.fileParam.ioNamePtr = missing;
  file.fileParam.ioVRefNum = subWD;
  EXPECT_EQ(PBHGetFInfo(&file, false), fnfErr);
  EXPECT_EQ(file.fileParam.ioVRefNum, subWD);
  SetCurrentDirectoryA(dir_.path().c_str());
}

class CatalogOptionTest : public CatalogTest {
 public:
  CatalogOptionTest() { sessionFlags_ = ZEB_SF_CATALOGINFO; }
};

TEST_F(CatalogOptionTest, DirectoriesReportTheirOwnIDAndTheirParents) {
  ASSERT_TRUE(CreateDirectoryA(dir_.File("sub").c_str(), nullptr));
  ASSERT_TRUE(CreateDirectoryA(dir_.File("sub\\inner").c_str(), nullptr));
  const long top = DirID(""), sub = DirID("sub"), inner = DirID("sub\\inner");
  // By index.
  CInfoPBRec pb{};
  unsigned char name[256] = {};
  pb.dirInfo.ioNamePtr = name;
  pb.dirInfo.ioDrDirID = sub;
  pb.dirInfo.ioFDirIndex = 1;
  ASSERT_EQ(PBGetCatInfo(&pb, false), noErr);
  EXPECT_EQ(TextOf(name), "inner");
  EXPECT_EQ(pb.dirInfo.ioDrDirID, inner);
  EXPECT_EQ(pb.dirInfo.ioDrParID, sub);
  // By name.
  Name subName("sub");
  pb = CInfoPBRec{};
  pb.dirInfo.ioNamePtr = subName;
  ASSERT_EQ(PBGetCatInfo(&pb, false), noErr);
  EXPECT_EQ(pb.dirInfo.ioDrDirID, sub);
  EXPECT_EQ(pb.dirInfo.ioDrParID, top);
  // The directory itself: its name comes back.
  pb = CInfoPBRec{};
  name[0] = 0;
  pb.dirInfo.ioNamePtr = name;
  pb.dirInfo.ioDrDirID = inner;
  pb.dirInfo.ioFDirIndex = -1;
  ASSERT_EQ(PBGetCatInfo(&pb, false), noErr);
  EXPECT_EQ(TextOf(name), "inner");
  EXPECT_EQ(pb.dirInfo.ioDrDirID, inner);
  EXPECT_EQ(pb.dirInfo.ioDrParID, sub);
  EXPECT_EQ(pb.dirInfo.ioFlAttrib & kioFlAttribDirMask, kioFlAttribDirMask);
  // HGetFInfo on a directory reports its own ID too.
  HParamBlockRec file{};
  file.fileParam.ioNamePtr = subName;
  ASSERT_EQ(PBHGetFInfo(&file, false), noErr);
  EXPECT_EQ(file.fileParam.ioDirID, sub);
}

TEST_F(CatalogTest, NamesAreTheHostsOwnBytes) {
  // "café.txt" in the Windows character set: enumeration hands back exactly these bytes, and
  // they open the file.
  const std::string cafe = "caf\xE9.txt";
  ASSERT_TRUE(CreateDirectoryA(dir_.File("names").c_str(), nullptr));
  ASSERT_TRUE(dir_.Write("names\\" + cafe, "accent"));
  const std::vector<std::string> names = Enumerate(DirID("names"));
  ASSERT_EQ(names.size(), 1u);
  EXPECT_EQ(names[0], cafe);
  short ref = 0;
  Name name(names[0]);
  ASSERT_EQ(HOpen(0, DirID("names"), name, fsRdPerm, &ref), noErr);
  char text[8] = {};
  long count = 6;
  EXPECT_EQ(FSRead(ref, &count, text), noErr);
  EXPECT_STREQ(text, "accent");
  FSClose(ref);
}

TEST_F(CatalogTest, FileInformationByIndexListsFilesOnlyAndEnds) {
  ASSERT_TRUE(CreateDirectoryA(dir_.File("mixed").c_str(), nullptr));
  ASSERT_TRUE(CreateDirectoryA(dir_.File("mixed\\folder").c_str(), nullptr));
  ASSERT_TRUE(dir_.Write("mixed\\one", "1"));
  ASSERT_TRUE(dir_.Write("mixed\\two", "22"));
  std::set<std::string> seen;
  OSErr err = noErr;
  short index = 1;
  for (; index < 10; ++index) {
    unsigned char name[256] = {};
    HParamBlockRec pb{};
    pb.fileParam.ioNamePtr = name;
    pb.fileParam.ioDirID = DirID("mixed");
    pb.fileParam.ioFDirIndex = index;
    err = PBHGetFInfo(&pb, false);
    if (err) break;
    seen.insert(TextOf(name));
    EXPECT_EQ(pb.fileParam.ioFlAttrib & kioFlAttribDirMask, 0);
  }
  EXPECT_EQ(err, fnfErr);
  EXPECT_EQ(index, 3);
  EXPECT_EQ(seen, (std::set<std::string>{"one", "two"}));
}

TEST_F(CatalogTest, AVolumeRootIsADirectoryWithoutSizes) {
  Name root("C:\\");
  HParamBlockRec pb{};
  pb.fileParam.ioNamePtr = root;
  ASSERT_EQ(PBHGetFInfo(&pb, false), noErr);
  EXPECT_EQ(pb.fileParam.ioFlAttrib, kioFlAttribDirMask);
  EXPECT_EQ(pb.fileParam.ioFlLgLen, 0);
  EXPECT_EQ(pb.fileParam.ioFlMdDat, 0u);
}

}  // namespace

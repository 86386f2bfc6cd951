// Volumes, directory IDs, working directories, the default directory and the path builder.
#include "Folders.h"
#include "files_fixture.h"

namespace {

using zebtest::Name;
using zebtest::TextOf;

class VolumesTest : public zebtest::FilesTest {
 protected:
  // The volume of the host's C: drive.
  short CVolume() { return VolumeOf("C:\\"); }
  short VolumeOf(const std::string& path) {
    short vRefNum = 0;
    ZEB_DirIDFromPath(path.c_str(), &vRefNum, nullptr);
    return vRefNum;
  }
  OSErr VolumeInfo(short index, short vRefNum, StringPtr name, HParamBlockRec* pb) {
    *pb = HParamBlockRec{};
    pb->volumeParam.ioVolIndex = index;
    pb->volumeParam.ioVRefNum = vRefNum;
    pb->volumeParam.ioNamePtr = name;
    return PBHGetVInfo(pb, false);
  }
  std::string Path(long dirID, short vRefNum, const std::string& name, OSErr* err) {
    char path[256] = "unchanged";
    Name n(name);
    *err = ZEB_HFSpec(dirID, vRefNum, name.empty() ? nullptr : static_cast<unsigned char*>(n), path);
    return path;
  }
};

TEST_F(VolumesTest, TheVolumeTableStartsWithTheFloppiesAndHoldsTheDrives) {
  unsigned char name[256] = {};
  HParamBlockRec pb{};
  ASSERT_EQ(VolumeInfo(1, 0, name, &pb), noErr);
  EXPECT_EQ(TextOf(name), "A:\\");
  EXPECT_EQ(pb.volumeParam.ioVRefNum, -1);
  // Floppies are not asked: a fixed size, nothing free.
  EXPECT_EQ(pb.volumeParam.ioVNmAlBlks, 256);
  EXPECT_EQ(pb.volumeParam.ioVAlBlkSiz, 8192);
  EXPECT_EQ(pb.volumeParam.ioVFrBlk, 0);
  ASSERT_EQ(VolumeInfo(2, 0, name, &pb), noErr);
  EXPECT_EQ(TextOf(name), "B:\\");
  const short c = CVolume();
  ASSERT_LT(c, -2);
  ASSERT_EQ(VolumeInfo(static_cast<short>(-c), 0, name, &pb), noErr);
  EXPECT_EQ(TextOf(name), "C:\\");
  // A fixed disk is asked; its counts fit the 16-bit fields however large the disk.
  EXPECT_GT(pb.volumeParam.ioVNmAlBlks, 0);
  EXPECT_LT(pb.volumeParam.ioVNmAlBlks, 0x8000);
  EXPECT_LE(pb.volumeParam.ioVFrBlk, pb.volumeParam.ioVNmAlBlks);
  EXPECT_GE(pb.volumeParam.ioVAlBlkSiz, 512);
  // By volume number, by drive number, by name, and the current directory's volume.
  const std::pair<short, short> byNumber[] = {{c, 0}, {static_cast<short>(-c), 0}, {0, 0}};
  for (const auto& n : byNumber) {
    ASSERT_EQ(VolumeInfo(n.second, n.first, name, &pb), noErr) << n.first;
    EXPECT_EQ(pb.volumeParam.ioVRefNum, VolumeOf(n.first == 0 ? dir_.path() : "C:\\"));
  }
  Name byName("C:\\");
  ASSERT_EQ(VolumeInfo(-1, 0, byName, &pb), noErr);
  EXPECT_EQ(pb.volumeParam.ioVRefNum, c);
  // Past the table.
  EXPECT_EQ(VolumeInfo(32, 0, name, &pb), nsvErr);
  EXPECT_EQ(pb.volumeParam.ioResult, nsvErr);
  EXPECT_EQ(VolumeInfo(0, -31, name, &pb), nsvErr);
}

// A fixed disk's counts are the host's own figures in the Toolbox's 16-bit fields: block size
// times blocks gives the host's total and free bytes, to within one block (and what other
// programs write meanwhile); GetVInfo's free bytes are the same product, at most 2 GB - 1.
TEST_F(VolumesTest, AFixedDisksSpaceIsTheHostsOwn) {
  DWORD sectorsPerCluster = 0, bytesPerSector = 0, freeClusters = 0, totalClusters = 0;
  ASSERT_TRUE(GetDiskFreeSpaceA("C:\\", &sectorsPerCluster, &bytesPerSector, &freeClusters,
                                &totalClusters));
  const int64_t hostCluster = int64_t{sectorsPerCluster} * bytesPerSector;
  const int64_t hostTotal = hostCluster * totalClusters;
  const int64_t hostFree = hostCluster * freeClusters;
  ASSERT_GT(hostTotal, 0);
  unsigned char name[256] = {};
  HParamBlockRec pb{};
  const short c = CVolume();
  ASSERT_EQ(VolumeInfo(0, c, name, &pb), noErr);
  const int64_t blockSize = pb.volumeParam.ioVAlBlkSiz;
  ASSERT_GE(blockSize, hostCluster);
  EXPECT_EQ(blockSize % hostCluster, 0) << "whole clusters per block";
  const int64_t total = blockSize * pb.volumeParam.ioVNmAlBlks;
  const int64_t free = blockSize * pb.volumeParam.ioVFrBlk;
  EXPECT_LE(total, hostTotal);
  EXPECT_GT(total, hostTotal - blockSize);
  constexpr int64_t kOthersWriting = 64 * 1024 * 1024;
  EXPECT_LE(free, hostFree + kOthersWriting);
  EXPECT_GT(free, hostFree - blockSize - kOthersWriting);
  short vRefNum = 0;
  long freeBytes = -1;
  EXPECT_EQ(GetVInfo(static_cast<short>(-c), name, &vRefNum, &freeBytes), noErr);
  EXPECT_EQ(vRefNum, c);
  const int64_t expected = free < INT32_MAX ? free : INT32_MAX;
  EXPECT_LE(freeBytes, expected + kOthersWriting);
  EXPECT_GE(freeBytes, expected - kOthersWriting);
  if (expected == INT32_MAX) {
    EXPECT_EQ(freeBytes, INT32_MAX);
  }
}

TEST_F(VolumesTest, PathsFromToolboxTriples) {
  ASSERT_TRUE(CreateDirectoryA(dir_.File("sub").c_str(), nullptr));
  short subVolume = 0, subWD = 0;
  const long sub = ZEB_DirIDFromPath(dir_.File("sub").c_str(), &subVolume, &subWD);
  const std::string here = dir_.path();
  struct Case {
    long dirID;
    short vRefNum;
    std::string name;
    OSErr result;
    std::string path;
  };
  const Case cases[] = {
      {0, 0, "file", noErr, here + "file"},
      {0, 0, "", noErr, here.substr(0, here.size() - 1)},
      {sub, 0, "file", noErr, here + "sub\\file"},
      {sub, 0, "", noErr, here + "sub"},
      {0, subWD, "file", noErr, here + "sub\\file"},
      {2, CVolume(), "file", noErr, "C:\\file"},
      {0, CVolume(), "", noErr, "C:\\"},
      {sub, 0, "D:\\\\x\\\\y", noErr, "D:\\x\\y"},
      {0, 0, "\\\\srv\\\\share\\\\f", noErr, "\\\\srv\\share\\f"},
      {0, -31, "file", nsvErr, ""},
      {0, 5, "file", nsvErr, ""},
      {0x7777, 0, "file", fnfErr, ""},
      {0, 0, std::string(255, 'n'), bdNamErr, ""},
      // Colons: partial pathnames from the directory given, full ones from a volume's root.
      {0, 0, ":file", noErr, here + "file"},
      {0, 0, ":sub:file", noErr, here + "sub\\file"},
      {0, 0, ":sub:", noErr, here + "sub"},
      {sub, 0, ":", noErr, here + "sub"},
      {sub, 0, "::file", noErr, here + "file"},
      {0, subWD, "::", noErr, here.substr(0, here.size() - 1)},
      {0, 0, "c:", noErr, "C:\\"},
      {0, 0, "C:dir:file", noErr, "C:\\dir\\file"},
      {0, 0, "C:\\:dir:file", noErr, "C:\\dir\\file"},
      {0, 0, here + "sub:file", noErr, here + "sub\\file"},
      {0, 0, "C::file", bdNamErr, ""},
      {2, CVolume(), "::file", bdNamErr, ""},
      {0, 0, "Macintosh HD:file", nsvErr, ""},
  };
  for (const Case& c : cases) {
    OSErr err = 1;
    const std::string path = Path(c.dirID, c.vRefNum, c.name, &err);
    EXPECT_EQ(err, c.result) << c.name;
    EXPECT_EQ(path, c.path) << c.name;
  }
  char path[256];
  Name name("x");
  EXPECT_EQ(ZEB_FSpec(subWD, name, path), noErr);
  EXPECT_EQ(std::string(path), here + "sub\\x");
}

TEST_F(VolumesTest, DirectoryIDsAreStableForTheRun) {
  ASSERT_TRUE(CreateDirectoryA(dir_.File("sub").c_str(), nullptr));
  short v1 = 0, w1 = 0, v2 = 0, w2 = 0;
  const long a = ZEB_DirIDFromPath(dir_.File("sub").c_str(), &v1, &w1);
  std::string upper = dir_.File("SUB\\");
  const long b = ZEB_DirIDFromPath(upper.c_str(), &v2, &w2);
  EXPECT_EQ(a, b);
  EXPECT_EQ(w1, w2);
  EXPECT_NE(a, 0);
  EXPECT_NE(a, 2);
  EXPECT_EQ(static_cast<unsigned short>(w1) & 0x8000, 0x8000);
  EXPECT_LT(w1, -31) << "working-directory numbers never meet volume numbers";
  // A drive root is directory 2 with no working directory; a bare letter is its root.
  short v = 0, w = 99;
  EXPECT_EQ(ZEB_DirIDFromPath("c", &v, &w), 2);
  EXPECT_EQ(v, CVolume());
  EXPECT_EQ(w, 0);
  // Paths that no record can hold are unusable.
  const std::string tooLong = dir_.path() + std::string(256, 'x');
  EXPECT_EQ(ZEB_DirIDFromPath(tooLong.c_str(), &v, &w), 0);
  EXPECT_EQ(w, static_cast<short>(0xEEEE));
  EXPECT_EQ(ZEB_DirIDFromPath("", &v, &w), 0);
}

TEST_F(VolumesTest, WorkingDirectories) {
  ASSERT_TRUE(CreateDirectoryA(dir_.File("wd").c_str(), nullptr));
  const long wdDir = ZEB_DirIDFromPath(dir_.File("wd").c_str(), nullptr, nullptr);
  short wd = 0;
  EXPECT_EQ(OpenWD(0, wdDir, 0, &wd), noErr);
  EXPECT_LT(wd, -31);
  short vRefNum = 0;
  long dirID = 0, procID = 0;
  EXPECT_EQ(GetWDInfo(wd, &vRefNum, &dirID, &procID), noErr);
  EXPECT_EQ(vRefNum, VolumeOf(dir_.path()));
  EXPECT_EQ(dirID, wdDir);
  EXPECT_EQ(static_cast<unsigned long>(procID), kZEBWorkingDirProcID);
  unsigned char path[256] = {};
  WDPBRec pb{};
  pb.ioVRefNum = wd;
  pb.ioNamePtr = path;
  EXPECT_EQ(PBGetWDInfo(&pb, false), noErr);
  EXPECT_EQ(TextOf(path), dir_.File("wd\\"));
  EXPECT_EQ(CloseWD(wd), noErr);
  EXPECT_EQ(GetWDInfo(wd, &vRefNum, &dirID, &procID), noErr) << "records live for the run";
  // A volume root's working directory is the volume itself.
  Name root("C:\\");
  pb = WDPBRec{};
  pb.ioNamePtr = root;
  EXPECT_EQ(PBOpenWD(&pb, false), noErr);
  EXPECT_EQ(pb.ioVRefNum, CVolume());
  EXPECT_EQ(GetWDInfo(CVolume(), &vRefNum, &dirID, &procID), noErr);
  EXPECT_EQ(vRefNum, CVolume());
  EXPECT_EQ(dirID, 2);
  // Missing directories and unknown numbers.
  Name missing("missing");
  pb = WDPBRec{};
  pb.ioNamePtr = missing;
  EXPECT_EQ(PBOpenWD(&pb, false), dirNFErr);
  ASSERT_TRUE(dir_.Write("file", ""));
  Name file("file");
  pb.ioNamePtr = file;
  EXPECT_EQ(PBOpenWD(&pb, false), dirNFErr) << "a file is not a directory";
  EXPECT_EQ(GetWDInfo(static_cast<short>(0x8000 | 0x6000), &vRefNum, &dirID, &procID), dirNFErr);
}

TEST_F(VolumesTest, TheDefaultDirectoryIsTheHostsCurrentDirectory) {
  ASSERT_TRUE(CreateDirectoryA(dir_.File("next").c_str(), nullptr));
  short wd = 0;
  const long next = ZEB_DirIDFromPath(dir_.File("next").c_str(), nullptr, &wd);
  EXPECT_EQ(HSetVol(nullptr, 0, next), noErr);
  unsigned char volume[256] = {};
  short vRefNum = 0;
  EXPECT_EQ(GetVol(volume, &vRefNum), noErr);
  EXPECT_EQ(vRefNum, wd);
  EXPECT_EQ(TextOf(volume), dir_.path().substr(0, 3));
  long dirID = 0;
  EXPECT_EQ(HGetVol(nullptr, &vRefNum, &dirID), noErr);
  EXPECT_EQ(dirID, next);
  EXPECT_EQ(vRefNum, VolumeOf(dir_.path()));
  Name file("here.txt");
  ASSERT_EQ(Create(file, 0, 0, 0), noErr);
  EXPECT_TRUE(Exists("next\\here.txt"));
  // Back up by working-directory number.
  const short top = ZEB_CurDirvRefNum(dir_.path().c_str());
  EXPECT_EQ(SetVol(nullptr, wd), noErr);
  EXPECT_EQ(SetVol(nullptr, top), noErr);
  char current[MAX_PATH];
  GetCurrentDirectoryA(sizeof current, current);
  EXPECT_EQ(std::string(current) + "\\", dir_.path());
  Name missing("missing");
  EXPECT_NE(SetVol(missing, 0), noErr);
  EXPECT_EQ(SetVol(nullptr, -31), nsvErr);
}

TEST_F(VolumesTest, CurDirvRefNumMakesTheDirectoryCurrent) {
  ASSERT_TRUE(CreateDirectoryA(dir_.File("cd").c_str(), nullptr));
  short wd = 0;
  const long cd = ZEB_DirIDFromPath(dir_.File("cd").c_str(), nullptr, &wd);
  EXPECT_EQ(ZEB_CurDirvRefNum(dir_.File("cd").c_str()), wd);
  EXPECT_EQ(reinterpret_cast<uintptr_t>(cells_.curDirRecord), static_cast<uintptr_t>(cd))
      << "the application's default-directory cell holds the record";
  char current[MAX_PATH];
  GetCurrentDirectoryA(sizeof current, current);
  EXPECT_EQ(std::string(current), dir_.File("cd"));
  EXPECT_EQ(ZEB_CurDirvRefNum(""), wd);
  EXPECT_EQ(ZEB_CurDirvRefNum(dir_.File("missing").c_str()), static_cast<short>(0xEEEE));
  GetCurrentDirectoryA(sizeof current, current);
  EXPECT_EQ(std::string(current), dir_.File("cd")) << "a directory that is not there changes nothing";
  EXPECT_EQ(ZEB_CurDirvRefNum("C:\\"), CVolume());
  EXPECT_EQ(cells_.curDirRecord, nullptr);
  SetCurrentDirectoryA(dir_.path().c_str());
}

TEST_F(VolumesTest, StartUpTakesTheStandardFileCellsFromTheCurrentDirectory) {
  const short volume = VolumeOf(dir_.path());
  EXPECT_EQ(cells_.sfSaveDisk, -volume);
  EXPECT_EQ(cells_.curDirStore, volume);
}

TEST_F(VolumesTest, FindFolderUsesTheHostsFolders) {
  char windows[MAX_PATH], temp[MAX_PATH];
  GetWindowsDirectoryA(windows, sizeof windows);
  GetTempPathA(sizeof temp, temp);
  const std::pair<OSType, std::string> cases[] = {
      {kPreferencesFolderType, windows}, {kSystemFolderType, windows},
      {kControlPanelFolderType, windows}, {kTemporaryFolderType, temp},
      {kTrashFolderType, dir_.path()}, {kFontsFolderType, dir_.path()}};
  for (const auto& c : cases) {
    short vRefNum = 0;
    long dirID = 0;
    EXPECT_EQ(FindFolder(kOnSystemDisk, c.first, kDontCreateFolder, &vRefNum, &dirID), noErr);
    short expectedVolume = 0;
    EXPECT_EQ(dirID, ZEB_DirIDFromPath(c.second.c_str(), &expectedVolume, nullptr)) << c.second;
    EXPECT_EQ(vRefNum, expectedVolume);
  }
}

TEST_F(VolumesTest, VolumeParametersGiveOnlyTheVersion) {
  unsigned char buffer[32];
  std::memset(buffer, 0xAB, sizeof buffer);
  HParamBlockRec pb{};
  pb.ioParam.ioBuffer = reinterpret_cast<Ptr>(buffer);
  pb.ioParam.ioReqCount = sizeof buffer;
  EXPECT_EQ(PBHGetVolParms(&pb, false), noErr);
  EXPECT_EQ(pb.ioParam.ioActCount, 24);
  GetVolParmsInfoBuffer info;
  std::memcpy(&info, buffer, sizeof info);
  EXPECT_EQ(info.vMVersion, 1);
  EXPECT_EQ(info.vMAttrib, 0);
  EXPECT_EQ(buffer[24], 0xAB) << "nothing past the record is written";
  pb.ioParam.ioReqCount = 5;
  EXPECT_EQ(PBHGetVolParms(&pb, false), -1);
}

}  // namespace

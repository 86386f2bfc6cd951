// A recorded picture kept as a 'PICT' resource: big-endian on disk, every byte, and read back
// from the file equal to the picture recorded, drawing the same pixels.
#include <cstring>
#include <string>
#include <vector>

#include "MacMemory.h"
#include "Resources.h"
#include "ToolUtils.h"
#include "pict_bytes.h"
#include "quickdraw_fixture.h"
#include "temp_dir.h"

namespace zebtest {
namespace {

constexpr ResType kPict = 0x50494354;  // 'PICT'

class PictureResourcesTest : public QuickDrawTest {
 protected:
  void SetUp() override {
    char previous[MAX_PATH];
    GetCurrentDirectoryA(sizeof previous, previous);
    previous_ = previous;
    ASSERT_TRUE(SetCurrentDirectoryA(dir_.path().c_str()));
    QuickDrawTest::SetUp();
  }
  void TearDown() override {
    for (CGrafPort* p : {&a_, &b_})
      if (p->patStretch > 0 && ZEB_GetCurrentDC()) CloseCPort(p);
    QuickDrawTest::TearDown();
    SetCurrentDirectoryA(previous_.c_str());
  }
  TempDir dir_;
  std::string previous_;
  CGrafPort a_{}, b_{};
};

void Scene() {
  Rect r = {4, 4, 20, 30};
  PaintRect(&r);
  Rect o = {10, 20, 30, 44};
  FrameOval(&o);
  MoveT(2, 30);
  LineT(40, 2);
}

TEST_F(PictureResourcesTest, AnAddedPictureIsBigEndianOnDiskAndReadsBackByteForByte) {
  DibSurface direct(48, 32), fromFile(48, 32);
  direct.Fill(kWhite);
  fromFile.Fill(kWhite);
  OpenColourPortOn(a_, direct);
  const Rect frame = {0, 0, 32, 48};
  PicHandle pic = OpenPicture(&frame);
  ASSERT_NE(pic, nullptr);
  Scene();
  ClosePicture();
  const long size = GetHandleSize(reinterpret_cast<Handle>(pic));
  ASSERT_GT(size, 40);
  const std::vector<uint8_t> recorded(reinterpret_cast<uint8_t*>(*pic),
                                      reinterpret_cast<uint8_t*>(*pic) + size);

  const unsigned char name[] = "\x08" "Pictures";
  CreateResFile(name);
  const short ref = OpenResFile(name);
  ASSERT_GT(ref, 0);
  Handle copy = reinterpret_cast<Handle>(pic);
  ASSERT_EQ(HandToHand(&copy), noErr);
  AddResource(copy, kPict, 128, reinterpret_cast<const unsigned char*>("\x05" "Scene"));
  ASSERT_EQ(ResError(), noErr);
  CloseResFile(ref);
  ASSERT_EQ(ResError(), noErr);

  // The file: a 16-byte header (data offset, map offset, lengths), then each resource's data
  // behind its 4-byte length.
  // The one file in the directory, whatever name the host gave the resource file.
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA(dir_.File("*").c_str(), &found);
  ASSERT_NE(search, INVALID_HANDLE_VALUE);
  std::string fileName;
  do {
    if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) fileName = found.cFileName;
  } while (fileName.empty() && FindNextFileA(search, &found));
  FindClose(search);
  const std::string file = dir_.Read(fileName);
  ASSERT_GE(file.size(), 16u);
  const auto* f = reinterpret_cast<const uint8_t*>(file.data());
  const uint32_t dataOffset = BE32(f);
  ASSERT_LE(dataOffset + 4 + static_cast<size_t>(size), file.size());
  ASSERT_EQ(BE32(f + dataOffset), static_cast<uint32_t>(size));
  const uint8_t* disk = f + dataOffset + 4;
  EXPECT_EQ(BE16(disk), static_cast<uint16_t>(size)) << "picSize big-endian";
  EXPECT_EQ(BE16(disk + 2), 0) << "picFrame.top";
  EXPECT_EQ(BE16(disk + 4), 0) << "picFrame.left";
  EXPECT_EQ(BE16(disk + 6), 32) << "picFrame.bottom";
  EXPECT_EQ(BE16(disk + 8), 48) << "picFrame.right";
  EXPECT_EQ(BE16(disk + 10), 0x0011) << "the version opcode";
  EXPECT_EQ(0, std::memcmp(disk + 10, recorded.data() + 10, static_cast<size_t>(size) - 10))
      << "every byte from offset 10 is already big-endian and goes to disk unchanged";
  EXPECT_EQ(BE16(disk + size - 2), 0x00FF);

  SetResLoad(true);
  const short again = OpenResFile(name);
  ASSERT_GT(again, 0);
  Handle read = Get1Resource(kPict, 128);
  ASSERT_NE(read, nullptr);
  ASSERT_EQ(GetHandleSize(read), size);
  EXPECT_EQ(0, std::memcmp(*read, recorded.data(), static_cast<size_t>(size)))
      << "the same bytes as recorded, the first ten in the host's order";
  PicHandle loaded = GetPicture(128);
  EXPECT_EQ(loaded, reinterpret_cast<PicHandle>(read));

  PenNormal();
  Scene();
  OpenColourPortOn(b_, fromFile);
  DrawPicture(loaded, &frame);
  EXPECT_GT(direct.CountBlack(), 100);
  EXPECT_EQ(Differences(direct, fromFile), 0);
  CloseResFile(again);
  KillPicture(pic);
}

}  // namespace
}  // namespace zebtest

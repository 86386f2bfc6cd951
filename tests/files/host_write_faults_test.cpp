// White-box: the File Manager when the host refuses to write. A full disk at every byte of a
// write: dskFulErr, the bytes before the write kept, the mark and ioActCount standing behind
// exactly the bytes that reached the file, so that the write can be finished once there is
// room. SetEOF and Allocate that meet a full disk change nothing.
#include "files/files_internal.h"

#include "files_fixture.h"

namespace {

using zeb::files::HostFaultKind;
using zeb::files::SetHostFault;
using namespace zebtest;

constexpr uint32_t kDiskFull = 112;      // ERROR_DISK_FULL
constexpr uint32_t kHandleDiskFull = 39;  // ERROR_HANDLE_DISK_FULL
constexpr uint32_t kAccessDenied = 5;    // ERROR_ACCESS_DENIED
constexpr OSType kCreator = 0x5A454241;  // 'ZEBA'
constexpr OSType kTextType = 0x54455854; // 'TEXT'

class HostWriteFaultsTest : public FilesTest {
 protected:
  void TearDown() override {
    SetHostFault(HostFaultKind::kNone, 0, 0);
    FilesTest::TearDown();
  }
};

TEST_F(HostWriteFaultsTest, AFullDiskAtEveryByteKeepsEarlierBytesAndAConsistentMark) {
  const std::string earlier = "kept: written before the disk filled";
  const std::string more = "0123456789ABCDEFGHIJ";
  for (uint32_t error : {kDiskFull, kHandleDiskFull}) {
    for (uint64_t room = 0; room <= more.size(); ++room) {
      ASSERT_TRUE(dir_.Write("data", earlier));
      const short ref = Open("data");
      ASSERT_NE(ref, 0);
      ASSERT_EQ(SetFPos(ref, fsFromLEOF, 0), noErr);
      SetHostFault(HostFaultKind::kDiskFull, room, error);
      long count = static_cast<long>(more.size());
      const OSErr err = FSWrite(ref, &count, more.data());
      SetHostFault(HostFaultKind::kNone, 0, 0);
      long mark = -1;
      ASSERT_EQ(GetFPos(ref, &mark), noErr);
      if (room == more.size()) {
        EXPECT_EQ(err, noErr);
        EXPECT_EQ(count, static_cast<long>(more.size()));
      } else {
        EXPECT_EQ(err, dskFulErr) << "room for " << room << ", host error " << error;
        EXPECT_EQ(count, static_cast<long>(room)) << "the bytes that reached the file";
      }
      EXPECT_EQ(mark, static_cast<long>(earlier.size() + static_cast<size_t>(count)));
      // With room again, the rest follows from the mark without a hole.
      long rest = static_cast<long>(more.size()) - count;
      EXPECT_EQ(FSWrite(ref, &rest, more.data() + count), noErr);
      EXPECT_EQ(FSClose(ref), noErr);
      EXPECT_EQ(Contents("data"), earlier + more) << "room for " << room;
    }
  }
}

TEST_F(HostWriteFaultsTest, ParameterBlockWritesReportWhatReachedTheFile) {
  ASSERT_TRUE(dir_.Write("data", "abcdefgh"));
  const short ref = Open("data");
  ASSERT_NE(ref, 0);
  char buffer[6] = {'1', '2', '3', '4', '5', '6'};
  ParamBlockRec pb{};
  pb.ioParam.ioRefNum = ref;
  pb.ioParam.ioBuffer = buffer;
  pb.ioParam.ioReqCount = 6;
  pb.ioParam.ioPosMode = fsFromStart;
  pb.ioParam.ioPosOffset = 4;
  // Four bytes go over the file's own, one more fits on the disk.
  SetHostFault(HostFaultKind::kDiskFull, 1, kDiskFull);
  EXPECT_EQ(PBWrite(&pb, false), dskFulErr);
  EXPECT_EQ(pb.ioParam.ioResult, dskFulErr);
  EXPECT_EQ(pb.ioParam.ioActCount, 5);
  EXPECT_EQ(pb.ioParam.ioPosOffset, 9);
  SetHostFault(HostFaultKind::kNone, 0, 0);
  long mark = 0, length = 0;
  EXPECT_EQ(GetFPos(ref, &mark), noErr);
  EXPECT_EQ(mark, 9);
  EXPECT_EQ(GetEOF(ref, &length), noErr);
  EXPECT_EQ(length, 9);
  EXPECT_EQ(FSClose(ref), noErr);
  EXPECT_EQ(Contents("data"), "abcd12345");
}

TEST_F(HostWriteFaultsTest, AWriteRefusedForAnotherReasonIsAnIOErrorAndMovesNothing) {
  ASSERT_TRUE(dir_.Write("data", "abcdefgh"));
  const short ref = Open("data");
  ASSERT_NE(ref, 0);
  ASSERT_EQ(SetFPos(ref, fsFromStart, 3), noErr);
  SetHostFault(HostFaultKind::kRefuse, 0, kAccessDenied);
  long count = 3;
  EXPECT_EQ(FSWrite(ref, &count, "XYZ"), ioErr);
  EXPECT_EQ(count, 0);
  SetHostFault(HostFaultKind::kNone, 0, 0);
  long mark = 0;
  EXPECT_EQ(GetFPos(ref, &mark), noErr);
  EXPECT_EQ(mark, 3);
  EXPECT_EQ(FSClose(ref), noErr);
  EXPECT_EQ(Contents("data"), "abcdefgh");
}

TEST_F(HostWriteFaultsTest, SetEOFAndAllocateOnAFullDiskChangeNothing) {
  ASSERT_TRUE(dir_.Write("data", "0123456789"));
  const short ref = Open("data");
  ASSERT_NE(ref, 0);
  ASSERT_EQ(SetFPos(ref, fsFromStart, 7), noErr);
  SetHostFault(HostFaultKind::kDiskFull, 0, kDiskFull);
  EXPECT_EQ(SetEOF(ref, 4096), dskFulErr);
  long count = 1 << 20;
  EXPECT_EQ(Allocate(ref, &count), dskFulErr);
  EXPECT_EQ(count, 0) << "nothing was allocated";
  // Cutting needs no room.
  EXPECT_EQ(SetEOF(ref, 9), noErr);
  SetHostFault(HostFaultKind::kNone, 0, 0);
  long length = 0, mark = 0;
  EXPECT_EQ(GetEOF(ref, &length), noErr);
  EXPECT_EQ(length, 9);
  EXPECT_EQ(GetFPos(ref, &mark), noErr);
  EXPECT_EQ(mark, 7);
  count = 4096;
  EXPECT_EQ(Allocate(ref, &count), noErr) << "with room, the space is granted";
  EXPECT_EQ(count, 4096);
  EXPECT_EQ(GetEOF(ref, &length), noErr);
  EXPECT_EQ(length, 9) << "Allocate does not move the end of file";
  EXPECT_EQ(SetEOF(ref, 20), noErr);
  EXPECT_EQ(FSClose(ref), noErr);
  EXPECT_EQ(Contents("data"), std::string("012345678") + std::string(11, '\0'));
}

TEST_F(HostWriteFaultsTest, CreatingAndDeletingStopAtACrash) {
  SetHostFault(HostFaultKind::kCrash, 0, 0);
  EXPECT_NE(Create(Name("made"), 0, kCreator, kTextType), noErr);
  SetHostFault(HostFaultKind::kNone, 0, 0);
  EXPECT_FALSE(Exists("made"));
  EXPECT_EQ(Create(Name("made"), 0, kCreator, kTextType), noErr);
  SetHostFault(HostFaultKind::kCrash, 0, 0);
  EXPECT_NE(FSDelete(Name("made"), 0), noErr);
  SetHostFault(HostFaultKind::kNone, 0, 0);
  EXPECT_TRUE(Exists("made"));
}

}  // namespace

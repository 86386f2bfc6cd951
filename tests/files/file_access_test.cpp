// Reading, writing and positioning open files; the end of file; file control block queries.
#include "files_fixture.h"

namespace {

using zebtest::Name;

class FileAccessTest : public zebtest::FilesTest {
 protected:
  short OpenWith(const std::string& contents) {
    EXPECT_TRUE(dir_.Write("data", contents));
    return Open("data");
  }
  long Mark(short ref) {
    long position = -1;
    EXPECT_EQ(GetFPos(ref, &position), noErr);
    return position;
  }
};

TEST_F(FileAccessTest, ReadsAndWritesAcrossTheEndOfFile) {
  const short ref = OpenWith("0123456789");
  char buffer[16] = {};
  long count = 4;
  EXPECT_EQ(FSRead(ref, &count, buffer), noErr);
  EXPECT_EQ(count, 4);
  ASSERT_EQ(SetFPos(ref, fsFromStart, 7), noErr);
  count = 10;
  EXPECT_EQ(FSRead(ref, &count, buffer), eofErr);
  EXPECT_EQ(count, 3);
  EXPECT_EQ(std::string(buffer, 3), "789");
  count = 1;
  EXPECT_EQ(FSRead(ref, &count, buffer), eofErr);
  EXPECT_EQ(count, 0);
  // Writing at the end extends the file.
  count = 3;
  EXPECT_EQ(FSWrite(ref, &count, "abc"), noErr);
  EXPECT_EQ(count, 3);
  long length = 0;
  EXPECT_EQ(GetEOF(ref, &length), noErr);
  EXPECT_EQ(length, 13);
  EXPECT_EQ(Mark(ref), 13) << "GetEOF keeps the mark";
  // Counts of zero or less move nothing; bad counts and buffers are refused.
  count = 0;
  EXPECT_EQ(FSWrite(ref, &count, "x"), noErr);
  count = -5;
  EXPECT_EQ(FSWrite(ref, &count, "x"), noErr);
  EXPECT_EQ(count, 0);
  count = -1;
  EXPECT_EQ(FSRead(ref, &count, buffer), paramErr);
  count = 4;
  EXPECT_EQ(FSRead(ref, &count, nullptr), paramErr);
  EXPECT_EQ(FSRead(ref, nullptr, buffer), paramErr);
  EXPECT_EQ(FSClose(ref), noErr);
  EXPECT_EQ(Contents("data"), "0123456789abc");
}

TEST_F(FileAccessTest, SetFPosModesAndPositionErrors) {
  const short ref = OpenWith("0123456789");
  struct Case {
    short mode;
    long offset;
    OSErr result;
    long mark;  // after the call
  };
  // Past the end the mark stops at the end (eofErr); before the start it stays (posErr).
  const Case cases[] = {
      {fsFromStart, 4, noErr, 4},   {fsFromMark, 3, noErr, 7},    {fsAtMark, 99, noErr, 7},
      {fsFromMark, -2, noErr, 5},   {fsFromLEOF, -1, noErr, 9},   {fsFromLEOF, 0, noErr, 10},
      {fsFromLEOF, 1, eofErr, 10},  {fsFromStart, 3, noErr, 3},   {fsFromStart, 11, eofErr, 10},
      {fsFromStart, 6, noErr, 6},   {fsFromMark, 5, eofErr, 10},  {fsFromStart, 6, noErr, 6},
      {fsFromStart, -1, posErr, 6}, {fsFromMark, -7, posErr, 6},  {fsFromLEOF, -11, posErr, 6},
      {fsFromMark, -6, noErr, 0},   {fsFromStart | 0x0D80, 2, noErr, 2},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(SetFPos(ref, c.mode, c.offset), c.result) << c.mode << " " << c.offset;
    EXPECT_EQ(Mark(ref), c.mark) << c.mode << " " << c.offset;
  }
  // The parameter block reports where the mark is.
  ParamBlockRec pb{};
  pb.ioParam.ioRefNum = ref;
  pb.ioParam.ioPosMode = fsFromStart;
  pb.ioParam.ioPosOffset = 25;
  EXPECT_EQ(PBSetFPos(&pb, false), eofErr);
  EXPECT_EQ(pb.ioParam.ioResult, eofErr);
  EXPECT_EQ(pb.ioParam.ioPosOffset, 10);
  pb.ioParam.ioPosOffset = -3;
  EXPECT_EQ(PBSetFPos(&pb, false), posErr);
  EXPECT_EQ(pb.ioParam.ioPosOffset, 10);
  FSClose(ref);
  EXPECT_EQ(Contents("data"), "0123456789");
}

// A transfer positioned outside the file: a read past the end reads nothing and leaves the
// mark at the end; a write may start past the end from the start (the gap becomes zeros), but
// not from the end; before the start nothing moves.
TEST_F(FileAccessTest, TransfersPositionedOutsideTheFile) {
  const short ref = OpenWith("0123456789");
  char buffer[8] = {};
  ParamBlockRec pb{};
  pb.ioParam.ioRefNum = ref;
  pb.ioParam.ioBuffer = buffer;
  pb.ioParam.ioReqCount = 4;
  pb.ioParam.ioPosMode = fsFromStart;
  pb.ioParam.ioPosOffset = 14;
  EXPECT_EQ(PBRead(&pb, false), eofErr);
  EXPECT_EQ(pb.ioParam.ioActCount, 0);
  EXPECT_EQ(pb.ioParam.ioPosOffset, 10);
  EXPECT_EQ(Mark(ref), 10);
  pb.ioParam.ioPosMode = fsFromMark;
  pb.ioParam.ioPosOffset = -12;
  EXPECT_EQ(PBRead(&pb, false), posErr);
  EXPECT_EQ(Mark(ref), 10);

  pb.ioParam.ioBuffer = const_cast<char*>("AB");
  pb.ioParam.ioReqCount = 2;
  pb.ioParam.ioPosMode = fsFromLEOF;
  pb.ioParam.ioPosOffset = 3;
  EXPECT_EQ(PBWrite(&pb, false), eofErr);
  EXPECT_EQ(pb.ioParam.ioActCount, 0);
  EXPECT_EQ(Mark(ref), 10);
  pb.ioParam.ioPosMode = fsFromStart;
  pb.ioParam.ioPosOffset = -1;
  EXPECT_EQ(PBWrite(&pb, false), posErr);
  pb.ioParam.ioPosOffset = 12;
  EXPECT_EQ(PBWrite(&pb, false), noErr);
  EXPECT_EQ(pb.ioParam.ioPosOffset, 14);
  FSClose(ref);
  EXPECT_EQ(Contents("data"), std::string("0123456789\0\0AB", 14));
}

TEST_F(FileAccessTest, ParameterBlockReadsReportTheNewMark) {
  const short ref = OpenWith("abcdefghij");
  char buffer[8] = {};
  ParamBlockRec pb{};
  pb.ioParam.ioRefNum = ref;
  pb.ioParam.ioBuffer = buffer;
  pb.ioParam.ioReqCount = 2;
  pb.ioParam.ioPosMode = fsFromStart;
  pb.ioParam.ioPosOffset = 3;
  EXPECT_EQ(PBRead(&pb, false), noErr);
  EXPECT_EQ(pb.ioParam.ioActCount, 2);
  EXPECT_EQ(pb.ioParam.ioPosOffset, 5);
  EXPECT_EQ(std::string(buffer, 2), "de");
  // From the mark, ioPosOffset reports where the mark is now, not the offset plus the count.
  pb.ioParam.ioPosMode = fsFromMark;
  pb.ioParam.ioPosOffset = 1;
  EXPECT_EQ(PBRead(&pb, false), noErr);
  EXPECT_EQ(std::string(buffer, 2), "gh");
  EXPECT_EQ(pb.ioParam.ioPosOffset, 8);
  pb.ioParam.ioPosMode = fsFromLEOF;
  pb.ioParam.ioPosOffset = -1;
  pb.ioParam.ioReqCount = 4;
  EXPECT_EQ(PBRead(&pb, false), eofErr);
  EXPECT_EQ(pb.ioParam.ioResult, eofErr);
  EXPECT_EQ(pb.ioParam.ioActCount, 1);
  EXPECT_EQ(pb.ioParam.ioPosOffset, 10);
  // Writes the same way.
  pb.ioParam.ioBuffer = const_cast<char*>("XY");
  pb.ioParam.ioReqCount = 2;
  pb.ioParam.ioPosMode = fsFromStart;
  pb.ioParam.ioPosOffset = 0;
  EXPECT_EQ(PBWrite(&pb, false), noErr);
  EXPECT_EQ(pb.ioParam.ioActCount, 2);
  EXPECT_EQ(pb.ioParam.ioPosOffset, 2);
  FSClose(ref);
  EXPECT_EQ(Contents("data"), "XYcdefghij");
}

TEST_F(FileAccessTest, NewlineModeStopsAfterTheNewline) {
  const short ref = OpenWith("first\rsecond\rlast");
  char buffer[32] = {};
  ParamBlockRec pb{};
  pb.ioParam.ioRefNum = ref;
  pb.ioParam.ioBuffer = buffer;
  pb.ioParam.ioReqCount = sizeof buffer;
  pb.ioParam.ioPosMode = static_cast<short>(kNewLineMode | ('\r' << 8));
  const char* expected[] = {"first\r", "second\r", "last"};
  const OSErr results[] = {noErr, noErr, eofErr};
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(PBRead(&pb, false), results[i]) << i;
    EXPECT_EQ(std::string(buffer, pb.ioParam.ioActCount), expected[i]) << i;
  }
  EXPECT_EQ(Mark(ref), 17);
  FSClose(ref);
}

TEST_F(FileAccessTest, SetEOFGrowsWithZerosAndCutsKeepingTheMarkInside) {
  const short ref = OpenWith("0123456789");
  ASSERT_EQ(SetFPos(ref, fsFromStart, 8), noErr);
  EXPECT_EQ(SetEOF(ref, 14), noErr);
  EXPECT_EQ(Mark(ref), 8);
  EXPECT_EQ(SetEOF(ref, 5), noErr);
  EXPECT_EQ(Mark(ref), 5) << "a mark past the new end moves to it";
  long count = 2;
  EXPECT_EQ(FSWrite(ref, &count, "ab"), noErr);
  EXPECT_EQ(SetEOF(ref, -1), paramErr);
  long length = 0;
  EXPECT_EQ(GetEOF(ref, &length), noErr);
  EXPECT_EQ(length, 7);
  FSClose(ref);
  EXPECT_EQ(Contents("data"), "01234ab") << "no hole of zeros behind the cut";

  const short again = OpenWith("0123456789");
  EXPECT_EQ(SetEOF(again, 12), noErr);
  FSClose(again);
  EXPECT_EQ(Contents("data"), std::string("0123456789\0\0", 12));
  const short zero = Open("data");
  EXPECT_EQ(SetEOF(zero, 0), noErr);
  EXPECT_EQ(Mark(zero), 0);
  FSClose(zero);
  EXPECT_EQ(Contents("data"), "");
}

TEST_F(FileAccessTest, AllocateGrantsTheRequestToWritableFiles) {
  const short ref = OpenWith("abc");
  long count = 100;
  EXPECT_EQ(Allocate(ref, &count), noErr);
  EXPECT_EQ(count, 100);
  count = -1;
  EXPECT_EQ(Allocate(ref, &count), paramErr);
  FSClose(ref);
  const short reader = Open("data", fsRdPerm);
  count = 10;
  EXPECT_EQ(Allocate(reader, &count), wrPermErr);
  EXPECT_EQ(count, 0);
  FSClose(reader);
  EXPECT_EQ(Contents("data"), "abc");
}

TEST_F(FileAccessTest, FileControlBlockNamesTheFileAndItsDirectory) {
  ASSERT_TRUE(CreateDirectoryA(dir_.File("sub").c_str(), nullptr));
  ASSERT_TRUE(dir_.Write("sub\\inner.txt", "12345"));
  short subVolume = 0, subWD = 0;
  const long subID = ZEB_DirIDFromPath(dir_.File("sub").c_str(), &subVolume, &subWD);
  short ref = 0;
  Name name("inner.txt");
  ASSERT_EQ(HOpen(0, subID, name, fsRdWrPerm, &ref), noErr);
  ASSERT_EQ(SetFPos(ref, fsFromStart, 2), noErr);
  unsigned char fileName[256] = {};
  FCBPBRec pb{};
  pb.ioRefNum = ref;
  pb.ioNamePtr = fileName;
  EXPECT_EQ(PBGetFCBInfo(&pb, false), noErr);
  EXPECT_EQ(zebtest::TextOf(fileName), "inner.txt");
  EXPECT_EQ(pb.ioFCBParID, subID);
  EXPECT_EQ(pb.ioFCBVRefNum, subWD);
  EXPECT_EQ(pb.ioFCBEOF, 5);
  EXPECT_EQ(pb.ioFCBCrPs, 2);
  short vRefNum = 0;
  EXPECT_EQ(GetVRefNum(ref, &vRefNum), noErr);
  EXPECT_EQ(vRefNum, subWD);
  // Flushing the file's volume reaches it; an unknown volume is refused.
  EXPECT_EQ(FlushVol(nullptr, subVolume), noErr);
  EXPECT_EQ(FlushVol(nullptr, 0), noErr);
  EXPECT_EQ(FlushVol(nullptr, -31), nsvErr);
  ParamBlockRec flush{};
  flush.ioParam.ioRefNum = ref;
  EXPECT_EQ(PBFlushFile(&flush, false), noErr);
  FSClose(ref);
  pb.ioRefNum = ref;
  EXPECT_EQ(PBGetFCBInfo(&pb, false), fnOpnErr);
  pb.ioRefNum = 64;
  EXPECT_EQ(PBGetFCBInfo(&pb, false), rfNumErr);
  EXPECT_EQ(GetVRefNum(ref, &vRefNum), fnOpnErr);
}

}  // namespace

// The file-handle layer: open modes and their conflicts, the 64-slot table, reference-number
// checks, closing files for a while and re-opening them.
#include <vector>

#include "files_fixture.h"

namespace {

using zebtest::Name;

class FileHandlesTest : public zebtest::FilesTest {};

TEST_F(FileHandlesTest, AccessComesFromTheOpenMode) {
  // Tests run as root, where the host lets a read-only file be opened for writing: what is
  // checked is that a handle can do only what its mode asked for.
  struct Case {
    short mode;
    bool reads;
    bool writes;
  };
  const Case cases[] = {{kZEBOpenRead, true, false},
                        {kZEBOpenWrite, false, true},
                        {kZEBOpenReadWrite, true, true},
                        {kZEBOpenRead | kZEBOpenShareAll, true, false},
                        {kZEBOpenReadWrite | kZEBOpenDenyWrite, true, true}};
  ASSERT_TRUE(dir_.Write("data", "0123456789"));
  for (const Case& c : cases) {
    OSErr err = 1;
    const short ref = ZEB_FHOpen(dir_.File("data").c_str(), c.mode, &err);
    ASSERT_GE(ref, 2) << c.mode;
    EXPECT_EQ(err, noErr);
    char buffer[4];
    EXPECT_EQ(ZEB_FHRead(ref, buffer, 4) == 4, c.reads) << c.mode;
    EXPECT_EQ(ZEB_FHLSeek(ref, 0, 0), 0);
    EXPECT_EQ(ZEB_FHWrite(ref, "AB", 2) == 2, c.writes) << c.mode;
    EXPECT_EQ(ZEB_FHClose(ref), 0);
  }
  EXPECT_EQ(Contents("data"), "AB23456789");
}

TEST_F(FileHandlesTest, ReadPermissionOfAReadOnlyFileNeverWrites) {
  ASSERT_TRUE(dir_.Write("locked.txt", "keep me"));
  ASSERT_TRUE(SetFileAttributesA(dir_.File("locked.txt").c_str(), FILE_ATTRIBUTE_READONLY));
  OSErr err = 1;
  const short ref = Open("locked.txt", fsRdPerm, &err);
  ASSERT_EQ(err, noErr);
  long count = 4;
  EXPECT_EQ(FSWrite(ref, &count, "XXXX"), wrPermErr);
  EXPECT_EQ(count, 0);
  EXPECT_EQ(SetEOF(ref, 0), wrPermErr);
  EXPECT_EQ(ZEB_FHSetEOF0(ref), wrPermErr);
  char text[8] = {};
  count = 7;
  EXPECT_EQ(FSRead(ref, &count, text), noErr);
  EXPECT_STREQ(text, "keep me");
  EXPECT_EQ(FSClose(ref), noErr);
  EXPECT_EQ(Contents("locked.txt"), "keep me");
  SetFileAttributesA(dir_.File("locked.txt").c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST_F(FileHandlesTest, OpenPermissionsAndTheirConflicts) {
  ASSERT_TRUE(dir_.Write("shared", "x"));
  Name name("shared");
  auto open = [&](SignedByte permission, short* refNum) {
    ParamBlockRec pb{};
    pb.ioParam.ioNamePtr = name;
    pb.ioParam.ioPermssn = permission;
    const OSErr err = PBOpen(&pb, false);
    EXPECT_EQ(pb.ioParam.ioResult, err);
    *refNum = pb.ioParam.ioRefNum;
    return err;
  };
  short first = 0, second = 0, third = 0;
  // Current permission shares: two opens, two numbers.
  ASSERT_EQ(open(fsCurPerm, &first), noErr);
  ASSERT_EQ(open(fsCurPerm, &second), noErr);
  EXPECT_NE(first, second);
  FSClose(first);
  FSClose(second);
  // Read/write permission keeps others from writing: a second writer is refused and is told
  // the number of the open that holds the file; a reader is let in.
  ASSERT_EQ(open(fsRdWrPerm, &first), noErr);
  EXPECT_EQ(open(fsRdWrPerm, &second), opWrErr);
  EXPECT_EQ(second, first);
  EXPECT_EQ(open(fsWrPerm, &second), opWrErr);
  EXPECT_EQ(open(fsRdPerm, &third), noErr);
  EXPECT_NE(third, first);
  // Bad permissions and missing files open nothing.
  short none = 99;
  EXPECT_EQ(open(9, &none), paramErr);
  EXPECT_EQ(none, 0);
  Name missing("missing");
  EXPECT_EQ(FSOpen(missing, 0, &none), fnfErr);
  EXPECT_EQ(none, 0);
}

TEST_F(FileHandlesTest, TheTableHoldsSixtyTwoFiles) {
  std::vector<short> refs;
  for (int i = 0; i < 62; ++i) {
    const std::string name = "f" + std::to_string(i);
    ASSERT_TRUE(dir_.Write(name, name));
    const short ref = Open(name);
    ASSERT_GE(ref, 2) << i;
    refs.push_back(ref);
  }
  EXPECT_EQ(refs.front(), 2);
  EXPECT_EQ(refs.back(), 63);
  ASSERT_TRUE(dir_.Write("one-more", ""));
  OSErr err = noErr;
  EXPECT_EQ(Open("one-more", fsRdWrPerm, &err), 0);
  EXPECT_EQ(err, tmfoErr);
  EXPECT_EQ(ZEB_FHOpen(dir_.File("one-more").c_str(), kZEBOpenRead, &err), -1);
  EXPECT_EQ(err, tmfoErr);
  // A freed slot is taken again.
  EXPECT_EQ(FSClose(refs[10]), noErr);
  EXPECT_EQ(Open("one-more"), refs[10]);
  for (short ref : refs) FSClose(ref);
}

TEST_F(FileHandlesTest, ReferenceNumbersOutsideTheTableAreRejected) {
  ASSERT_TRUE(dir_.Write("data", "abc"));
  const short open = Open("data");
  ASSERT_GE(open, 2);
  const short closed = open == 63 ? 62 : open + 1;
  const short outside[] = {1, 64, 100, 32767, -1, -5, -10, -32768};
  for (short ref : outside) {
    long count = 1, position = 0;
    char byte;
    EXPECT_EQ(FSRead(ref, &count, &byte), rfNumErr) << ref;
    count = 1;
    EXPECT_EQ(FSWrite(ref, &count, "z"), rfNumErr) << ref;
    EXPECT_EQ(GetFPos(ref, &position), rfNumErr) << ref;
    EXPECT_EQ(SetFPos(ref, fsFromStart, 0), rfNumErr) << ref;
    EXPECT_EQ(GetEOF(ref, &position), rfNumErr) << ref;
    EXPECT_EQ(SetEOF(ref, 0), rfNumErr) << ref;
    EXPECT_EQ(FSClose(ref), rfNumErr) << ref;
    EXPECT_EQ(ZEB_FHRead(ref, &byte, 1), -1) << ref;
    EXPECT_EQ(ZEB_FHMap(ref), INVALID_HANDLE_VALUE) << ref;
  }
  // Inside the table, a slot that is not open answers "not open".
  long count = 1;
  char byte;
  EXPECT_EQ(FSRead(closed, &count, &byte), fnOpnErr);
  EXPECT_EQ(FSClose(closed), fnOpnErr);
  EXPECT_EQ(FSClose(0), fnOpnErr);
  EXPECT_EQ(Contents("data"), "abc");
  EXPECT_EQ(FSClose(open), noErr);
  EXPECT_EQ(FSClose(open), fnOpnErr);
}

TEST_F(FileHandlesTest, ClosedForAWhileAFileReopensWhereItWas) {
  ASSERT_TRUE(dir_.Write("data", "0123456789"));
  const short ref = Open("data");
  ASSERT_EQ(SetFPos(ref, fsFromStart, 4), noErr);
  ZEB_FHReOpenAll(0);
  EXPECT_EQ(ZEB_FHUnMap(ZEB_FHMap(ref)), ref) << "using the number opens the file again";
  char text[4] = {};
  long count = 3;
  EXPECT_EQ(FSRead(ref, &count, text), noErr);
  EXPECT_STREQ(text, "456");
  EXPECT_EQ(ZEB_FHReOpen(0, ref), noErr);
  ZEB_FHReOpenAll(1);
  long position = 0;
  EXPECT_EQ(GetFPos(ref, &position), noErr);
  EXPECT_EQ(position, 7);
  EXPECT_EQ(FSClose(ref), noErr);
}

TEST_F(FileHandlesTest, AFailedReopenKeepsTheNumberDeadUntilClosed) {
  ASSERT_TRUE(dir_.Write("first", "first file"));
  ASSERT_TRUE(dir_.Write("second", "second file"));
  const short ref = Open("first");
  ASSERT_EQ(ZEB_FHReOpen(0, ref), noErr);
  ASSERT_TRUE(MoveFileA(dir_.File("first").c_str(), dir_.File("moved").c_str()));
  EXPECT_EQ(ZEB_FHReOpen(1, ref), fnfErr);
  // The number is still taken: another open gets another number, and writes through the old
  // number land nowhere.
  const short other = Open("second");
  ASSERT_GE(other, 2);
  EXPECT_NE(other, ref);
  long count = 5;
  EXPECT_EQ(FSWrite(ref, &count, "stale"), ioErr);
  EXPECT_EQ(count, 0);
  EXPECT_EQ(ZEB_FHWrite(ref, "stale", 5), -1);
  EXPECT_EQ(ZEB_FHReOpen(1, ref), ioErr);
  EXPECT_EQ(Contents("second"), "second file");
  EXPECT_EQ(Contents("moved"), "first file");
  // Closing frees it.
  EXPECT_EQ(ZEB_FHClose(ref), 0);
  ASSERT_TRUE(dir_.Write("third", ""));
  EXPECT_EQ(Open("third"), ref);
}

TEST_F(FileHandlesTest, CreateMapAttributesAndTruncation) {
  const std::string path = dir_.File("made");
  const short ref = ZEB_FHCreate(path.c_str(), 0);
  ASSERT_GE(ref, 2);
  EXPECT_EQ(ZEB_FHCreate(path.c_str(), 0), -1) << "the file exists";
  EXPECT_EQ(ZEB_FHWrite(ref, "hello", 5), 5);
  EXPECT_EQ(ZEB_FHLSeek(ref, -2, 2), 3);
  EXPECT_EQ(ZEB_FHLSeek(ref, 0, 1), 3);
  EXPECT_EQ(ZEB_FHLSeek(ref, 0, 7), -1);
  EXPECT_EQ(ZEB_FHUnMap(ZEB_FHMap(ref)), ref);
  EXPECT_EQ(ZEB_FHUnMap(INVALID_HANDLE_VALUE), -1);
  EXPECT_EQ(ZEB_FHGetAttr(ref) & ~kZEBAttrArchive, 0);
  EXPECT_EQ(ZEB_FHSetEOF0(ref), noErr);
  long length = -1;
  EXPECT_EQ(GetEOF(ref, &length), noErr);
  EXPECT_EQ(length, 0);
  EXPECT_EQ(ZEB_FHClose(ref), 0);
  EXPECT_EQ(ZEB_FHSetEOF0(ref), ioErr);
  EXPECT_EQ(ZEB_FHGetAttr(ref), -1);
  // Created with flag bit 0: open for reading only.
  const short reader = ZEB_FHCreate(dir_.File("made2").c_str(), 1);
  ASSERT_GE(reader, 2);
  EXPECT_EQ(ZEB_FHWrite(reader, "x", 1), -1);
  ZEB_FHClose(reader);
}

TEST_F(FileHandlesTest, PathsThatDoNotFitTakeNoSlot) {
  const std::string longPath = dir_.path() + std::string(260 - dir_.path().size(), 'a');
  OSErr err = noErr;
  EXPECT_EQ(ZEB_FHOpen(longPath.c_str(), kZEBOpenRead, &err), -1);
  EXPECT_EQ(err, bdNamErr);
  EXPECT_EQ(ZEB_FHOpen(nullptr, kZEBOpenRead, &err), -1);
  EXPECT_EQ(err, bdNamErr);
  // A colon past the drive would name a stream of the file before it.
  ASSERT_TRUE(dir_.Write("data", ""));
  const std::string stream = dir_.File("data:hidden");
  EXPECT_EQ(ZEB_FHCreate(stream.c_str(), 0), -1);
  EXPECT_EQ(ZEB_FHOpen(stream.c_str(), kZEBOpenRead, &err), -1);
  EXPECT_EQ(err, bdNamErr);
  EXPECT_EQ(dir_.Read("data"), "");
  EXPECT_EQ(Open("data"), 2) << "no slot was left behind";
}

}  // namespace

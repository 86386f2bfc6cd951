// White-box: the file-handle layer as other managers use it (resource files): opening by path
// with a mode, keeping a reference number across a close and re-open, and host file moves.
#include "files/files_internal.h"

#include "files_fixture.h"

namespace {

using namespace zeb::files;

class SlotLayerTest : public zebtest::FilesTest {};

TEST_F(SlotLayerTest, ReadWriteSeekAndLength) {
  ASSERT_TRUE(dir_.Write("res", "0123456789"));
  OSErr err = 1;
  const int16_t ref = OpenSlot(dir_.File("res").c_str(), kOpenReadWrite, &err);
  ASSERT_GE(ref, 2);
  EXPECT_EQ(err, noErr);
  char path[256];
  ASSERT_TRUE(SlotPathOf(ref, path));
  EXPECT_EQ(std::string(path), dir_.File("res"));
  EXPECT_EQ(SlotFileLength(ref), 10);
  EXPECT_EQ(SeekSlot(ref, 8, 0), 8);
  EXPECT_EQ(WriteSlot(ref, "abcd", 4), 4);
  EXPECT_EQ(SlotFileLength(ref), 12);
  EXPECT_EQ(SeekSlot(ref, -6, 2), 6);
  char buffer[8] = {};
  EXPECT_EQ(ReadSlot(ref, buffer, 8), 6);
  EXPECT_EQ(std::string(buffer, 6), "67abcd");
  EXPECT_EQ(ReadSlot(ref, buffer, -1), -1);
  EXPECT_EQ(SetSlotFileLength(ref, 4), noErr);
  EXPECT_EQ(SeekSlot(ref, 0, 1), 4) << "the position stays inside the file";
  EXPECT_EQ(SetSlotFileLength(ref, -1), paramErr);
  EXPECT_EQ(FlushSlot(ref), noErr);
  EXPECT_EQ(CloseSlot(ref), noErr);
  EXPECT_EQ(CloseSlot(ref), fnOpnErr);
  EXPECT_EQ(ReadSlot(ref, buffer, 1), -1);
  EXPECT_EQ(Contents("res"), "0123");
  // Read-only: writing fails and changes nothing.
  const int16_t reader = OpenSlot(dir_.File("res").c_str(), kOpenRead | kOpenShareAll, &err);
  ASSERT_GE(reader, 2);
  EXPECT_EQ(WriteSlot(reader, "zz", 2), -1);
  EXPECT_EQ(CloseSlot(reader), noErr);
  EXPECT_EQ(Contents("res"), "0123");
  EXPECT_EQ(OpenSlot(dir_.File("absent").c_str(), kOpenRead, &err), -1);
  EXPECT_EQ(err, fnfErr);
}

TEST_F(SlotLayerTest, AReopenedFileKeepsItsReferenceNumber) {
  ASSERT_TRUE(dir_.Write("res", "map"));
  ASSERT_TRUE(dir_.Write("other", ""));
  OSErr err;
  const int16_t ref = OpenSlot(dir_.File("res").c_str(), kOpenReadWrite | kOpenDenyWrite, &err);
  ASSERT_GE(ref, 2);
  EXPECT_EQ(CloseSlot(ref), noErr);
  ASSERT_TRUE(ReserveSlot(ref));
  EXPECT_FALSE(ReserveSlot(ref)) << "a reserved slot is not free";
  EXPECT_NE(OpenSlot(dir_.File("other").c_str(), kOpenRead, &err), ref);
  EXPECT_EQ(OpenSlotAt(ref, dir_.File("res").c_str(), kOpenReadWrite, &err), ref);
  EXPECT_EQ(err, noErr);
  EXPECT_EQ(SlotFileLength(ref), 3);
  // A slot in use cannot be taken, and numbers outside the table are refused.
  EXPECT_EQ(OpenSlotAt(ref, dir_.File("other").c_str(), kOpenRead, &err), -1);
  EXPECT_EQ(err, tmfoErr);
  EXPECT_EQ(OpenSlotAt(64, dir_.File("other").c_str(), kOpenRead, &err), -1);
  EXPECT_EQ(err, rfNumErr);
  EXPECT_FALSE(ReserveSlot(1));
  // A reserved slot that is never opened is freed by CloseSlot.
  EXPECT_EQ(CloseSlot(ref), noErr);
  ASSERT_TRUE(ReserveSlot(ref));
  EXPECT_EQ(CloseSlot(ref), noErr);
  EXPECT_TRUE(ReserveSlot(ref));
}

TEST_F(SlotLayerTest, HostMovesNeverReplaceAFile) {
  ASSERT_TRUE(dir_.Write("Prefs.rs2", "new map"));
  ASSERT_TRUE(dir_.Write("Prefs.rsr", "old map"));
  EXPECT_EQ(MoveHostFile(dir_.File("Prefs.rs2").c_str(), dir_.File("Prefs.rsr").c_str()),
            dupFNErr);
  EXPECT_EQ(Contents("Prefs.rsr"), "old map");
  EXPECT_EQ(DeleteHostFile(dir_.File("Prefs.rsr").c_str()), noErr);
  EXPECT_EQ(MoveHostFile(dir_.File("Prefs.rs2").c_str(), dir_.File("Prefs.rsr").c_str()), noErr);
  EXPECT_EQ(Contents("Prefs.rsr"), "new map");
  EXPECT_EQ(DeleteHostFile(dir_.File("Prefs.rs2").c_str()), fnfErr);
  EXPECT_EQ(DeleteHostFile(nullptr), bdNamErr);
  EXPECT_EQ(ToolboxErrorOfHostError(ERROR_SHARING_VIOLATION), opWrErr);
}

}  // namespace

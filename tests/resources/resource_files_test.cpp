// Resource files: creating, opening and checking them, the chain and the current file, and the
// rewrite at update and close, with and without compaction.
#include <algorithm>

#include "Files.h"
#include "ZEB.h"
#include "resources_fixture.h"

namespace {

using zeb::resfmt::ImageResource;
using zebtest::BytesOf;
using zebtest::HandleText;
using zebtest::HandleWith;
using zebtest::PStr;
using zebtest::Type;

class ResourceFilesTest : public zebtest::ResourcesTest {};

TEST_F(ResourceFilesTest, CreateResFileWritesTheEmptyFileByteForByte) {
  PStr name("Notes");
  CreateResFile(name);
  EXPECT_EQ(ResError(), noErr);
  const std::vector<uint8_t> empty = zeb::resfmt::EmptyResourceFile();
  EXPECT_EQ(Contents("Notes.rsr"), std::string(empty.begin(), empty.end()));
  const short ref = Open("Notes");
  ASSERT_GT(ref, 0);
  EXPECT_EQ(Count1Types(), 0);
  EXPECT_EQ(CurResFile(), ref);
}

TEST_F(ResourceFilesTest, CreateResFileNeverWritesOverAFileThatHoldsSomething) {
  ASSERT_TRUE(dir_.Write("Busy.rsr", "precious"));
  PStr busy("Busy");
  CreateResFile(busy);
  EXPECT_EQ(ResError(), dupFNErr);
  EXPECT_EQ(Contents("Busy.rsr"), "precious");
  ASSERT_TRUE(dir_.Write("Blank.rsr", ""));
  PStr blank("Blank");
  CreateResFile(blank);
  EXPECT_EQ(ResError(), noErr);
  EXPECT_EQ(Contents("Blank.rsr").size(), 286u);
}

// A file of one named resource whose map lies gap bytes behind the data.
std::string FileWithGap(uint32_t gap) {
  zeb::resfmt::ResourceImage image;
  image.resources.push_back({Type("DATA"), 1, 0, true, "n", {1, 2, 3, 4}});
  std::vector<uint8_t> bytes;
  std::string error;
  zeb::resfmt::WriteImage(image, &bytes, &error);
  const uint32_t mapOffset = zeb::byteorder::GetBig32(bytes.data() + 4);
  bytes.insert(bytes.begin() + mapOffset, gap, 0xEE);
  zeb::byteorder::PutBig32(bytes.data() + 4, mapOffset + gap);
  zeb::byteorder::PutBig32(bytes.data() + mapOffset + gap + 4, mapOffset + gap);
  return std::string(bytes.begin(), bytes.end());
}

TEST_F(ResourceFilesTest, MapSixteenBytesBehindTheDataOpensSeventeenFails) {
  ASSERT_TRUE(dir_.Write("gap16.rsr", FileWithGap(16)));
  ASSERT_TRUE(dir_.Write("gap17.rsr", FileWithGap(17)));
  const short ok = Open("gap16.rsr");
  ASSERT_GT(ok, 0);
  EXPECT_EQ(HandleText(Get1Resource(Type("DATA"), 1)), std::string("\1\2\3\4", 4));
  EXPECT_EQ(Open("gap17.rsr"), -1);
  EXPECT_EQ(ResError(), mapReadErr);
  EXPECT_EQ(CurResFile(), ok);  // a failed open leaves the current file alone
}

TEST_F(ResourceFilesTest, MalformedFilesAreRejectedAndNothingIsWritten) {
  const std::string good = FileWithGap(0);
  auto with = [&](size_t at, uint32_t value, int bytes) {
    std::string s = good;
    for (int i = 0; i < bytes; ++i)
      s[at + i] = static_cast<char>(value >> (8 * (bytes - 1 - i)));
    return s;
  };
  const uint32_t mapOffset = zeb::byteorder::GetBig32(good.data() + 4);
  struct Case {
    const char* what;
    std::string bytes;
  } cases[] = {
      {"shorter than an empty file", good.substr(0, 285)},
      {"data not at 256", with(0, 128, 4)},
      {"map past the end", with(12, 4096, 4)},
      {"map inside the data", with(4, 259, 4)},
      {"type count past the map", with(mapOffset + 28, 40, 2)},
      {"reference list past the map", with(mapOffset + 36, 0x4000, 2)},
      {"name list past the map", with(mapOffset + 26, 0x1000, 2)},
      {"name offset past the map", with(mapOffset + 28 + 10 + 2, 0x0100, 2)},
  };
  for (const Case& c : cases) {
    ASSERT_TRUE(dir_.Write("bad.rsr", c.bytes));
    EXPECT_EQ(Open("bad.rsr"), -1) << c.what;
    EXPECT_EQ(ResError(), mapReadErr) << c.what;
    EXPECT_EQ(Contents("bad.rsr"), c.bytes) << c.what;
  }
  EXPECT_EQ(Open("missing.rsr"), -1);
  EXPECT_EQ(ResError(), fnfErr);
}

TEST_F(ResourceFilesTest, AnEntryOutsideTheDataAreaFailsItsOwnLoadOnly) {
  zeb::resfmt::ResourceImage image;
  image.resources.push_back({Type("DATA"), 1, 0, false, "", {9, 9}});
  image.resources.push_back({Type("DATA"), 2, 0, false, "", {7}});
  std::vector<uint8_t> bytes;
  std::string error;
  ASSERT_TRUE(zeb::resfmt::WriteImage(image, &bytes, &error));
  zeb::byteorder::PutBig32(bytes.data() + 256, 0x10000);  // entry 1's length runs past the data
  ASSERT_TRUE(dir_.Write("entry.rsr", std::string(bytes.begin(), bytes.end())));
  ASSERT_GT(Open("entry.rsr"), 0);
  Handle bad = Get1Resource(Type("DATA"), 1);
  EXPECT_EQ(ResError(), mapReadErr);
  ASSERT_NE(bad, nullptr);
  EXPECT_EQ(*bad, nullptr);
  EXPECT_EQ(SizeRsrc(bad), 0);
  EXPECT_EQ(HandleText(Get1Resource(Type("DATA"), 2)), "\7");
  EXPECT_EQ(ResError(), noErr);
}

TEST_F(ResourceFilesTest, OpeningTheSameFileTwiceGivesTheSameRefNum) {
  WriteFile("twice.rsr", {{Type("DATA"), 1, 0, false, "", {1}}});
  WriteFile("other.rsr", {{Type("DATA"), 1, 0, false, "", {2}}});
  const short first = Open("twice.rsr");
  const short other = Open("other.rsr");
  ASSERT_GT(first, 0);
  ASSERT_NE(first, other);
  EXPECT_EQ(Open("TWICE.RSR"), first);
  EXPECT_EQ(CurResFile(), first);
}

TEST_F(ResourceFilesTest, ChainSearchesTheCurrentFileThenOlderOnes) {
  WriteFile("library.rsr", {{Type("STR "), 1, 0, false, "", BytesOf("\3lib")},
                            {Type("STR "), 2, 0, false, "", BytesOf("\4only")}});
  WriteFile("app.rsr", {{Type("STR "), 1, 0, false, "", BytesOf("\3app")}});
  const short library = Open("library.rsr");
  const short app = Open("app.rsr");
  ASSERT_GT(library, 0);
  ASSERT_GT(app, 0);
  EXPECT_EQ(HandleText(GetResource(Type("STR "), 1)), "\3app");
  EXPECT_EQ(HandleText(GetResource(Type("STR "), 2)), "\4only");
  EXPECT_EQ(Get1Resource(Type("STR "), 2), nullptr);
  EXPECT_EQ(ResError(), resNotFound);
  EXPECT_EQ(CountResources(Type("STR ")), 3);
  EXPECT_EQ(CurResFile(), app);
  UseResFile(0);  // the first file opened
  EXPECT_EQ(CurResFile(), library);
  EXPECT_EQ(HandleText(GetResource(Type("STR "), 1)), "\3lib");
  UseResFile(12345);
  EXPECT_EQ(ResError(), resFNotFound);
  EXPECT_EQ(CurResFile(), library);
  EXPECT_EQ(GetResource(Type("STR "), 99), nullptr);
  EXPECT_EQ(ResError(), resNotFound);
}

TEST_F(ResourceFilesTest, ClosingTheCurrentFileFallsBackToTheOneOpenedBefore) {
  for (const char* name : {"a.rsr", "b.rsr", "c.rsr"}) WriteImageFile(name, {});
  const short a = Open("a.rsr"), b = Open("b.rsr"), c = Open("c.rsr");
  UseResFile(b);
  CloseResFile(c);  // not current: b stays current
  EXPECT_EQ(CurResFile(), b);
  CloseResFile(b);
  EXPECT_EQ(CurResFile(), a);
  CloseResFile(b);
  EXPECT_EQ(ResError(), resFNotFound);
}

TEST_F(ResourceFilesTest, AddedResourcesSurviveUpdateAndReopening) {
  PStr name("Doc");
  CreateResFile(name);
  const short ref = OpenResFile(name);
  ASSERT_GT(ref, 0);
  Handle strs = HandleWith(std::string("\0\3\1a\1b\1c", 8));
  // Host order in memory: the count is little-endian before it is written.
  (*strs)[0] = 3;
  (*strs)[1] = 0;
  PStr title("Titles");
  AddResource(strs, Type("STR#"), 200, title);
  EXPECT_EQ(ResError(), noErr);
  EXPECT_EQ(GetResAttrs(strs) & resChanged, resChanged);
  UpdateResFile(ref);
  EXPECT_EQ(ResError(), noErr);
  const auto image = ReadFile("Doc.rsr");
  const ImageResource* onDisk = Find(image, Type("STR#"), 200);
  ASSERT_NE(onDisk, nullptr);
  EXPECT_EQ(onDisk->data, BytesOf(std::string("\0\3\1a\1b\1c", 8)));  // big-endian on disk
  EXPECT_EQ(onDisk->name, "Titles");
  EXPECT_EQ(onDisk->attributes & resChanged, 0);
  EXPECT_EQ(std::string(*strs, 2), std::string("\3\0", 2));  // converted back after writing
  CloseResFile(ref);
  EXPECT_EQ(ResError(), noErr);
  ASSERT_EQ(OpenResFile(name), ref);
  Handle again = Get1NamedResource(Type("STR#"), title);
  ASSERT_NE(again, nullptr);
  EXPECT_EQ(HandleText(again), std::string("\3\0\1a\1b\1c", 8));
}

TEST_F(ResourceFilesTest, RewritesNeverGoOverLiveDataAndCloseReclaimsTheSpace) {
  WriteFile("place.rsr", {{Type("DATA"), 1, 0, false, "", BytesOf("first")},
                          {Type("DATA"), 2, 0, false, "", BytesOf("second")}});
  const size_t before = Contents("place.rsr").size();
  const size_t mapLength = 28 + 2 + 8 + 24;
  const short ref = Open("place.rsr");
  Handle two = Get1Resource(Type("DATA"), 2);
  ASSERT_NE(two, nullptr);
  std::memcpy(*two, "SECOND", 6);
  ChangedResource(two);
  WriteResource(two);
  EXPECT_EQ(ResError(), noErr);
  // The map on disk still names the old bytes: the new ones go behind it, even at the same
  // size.
  EXPECT_EQ(Contents("place.rsr").size(), before + 10);
  EXPECT_EQ(Find(ReadFile("place.rsr"), Type("DATA"), 2)->data, BytesOf("second"));
  std::memcpy(*two, "Second", 6);
  ChangedResource(two);
  WriteResource(two);
  EXPECT_EQ(Contents("place.rsr").size(), before + 10)
      << "an entry that no map on disk names yet is rewritten where it is";
  UpdateResFile(ref);
  EXPECT_EQ(Contents("place.rsr").size(), before + 10 + mapLength);
  EXPECT_EQ(Find(ReadFile("place.rsr"), Type("DATA"), 2)->data, BytesOf("Second"));

  SetHandleSize(two, 40);
  std::memset(*two, 'x', 40);
  ChangedResource(two);
  UpdateResFile(ref);
  // Appended behind the map, which stays in the data area with the old bytes until the file
  // is compacted.
  EXPECT_EQ(Contents("place.rsr").size(), before + 10 + mapLength + 44 + mapLength);
  EXPECT_EQ(Find(ReadFile("place.rsr"), Type("DATA"), 2)->data, std::vector<uint8_t>(40, 'x'));
  CloseResFile(ref);
  EXPECT_EQ(Contents("place.rsr").size(), before + 44 - 10);
  const auto image = ReadFile("place.rsr");
  EXPECT_EQ(Find(image, Type("DATA"), 1)->data, BytesOf("first"));
  EXPECT_EQ(Find(image, Type("DATA"), 2)->data, std::vector<uint8_t>(40, 'x'));
}

TEST_F(ResourceFilesTest, TheFileOnDiskStaysWholeBetweenAWriteAndTheUpdate) {
  WriteFile("whole.rsr", {{Type("DATA"), 1, 0, false, "", BytesOf("old")}});
  const short ref = Open("whole.rsr");
  Handle added = HandleWith(std::string(500, 'n'));
  AddResource(added, Type("DATA"), 2, nullptr);
  WriteResource(added);
  Handle one = Get1Resource(Type("DATA"), 1);
  SetHandleSize(one, 300);
  ChangedResource(one);
  WriteResource(one);
  EXPECT_EQ(ResError(), noErr);
  // Were the application to stop here, the file would still read as it was.
  const auto meanwhile = ReadFile("whole.rsr");
  ASSERT_EQ(meanwhile.resources.size(), 1u);
  EXPECT_EQ(meanwhile.resources[0].data, BytesOf("old"));
  UpdateResFile(ref);
  const auto updated = ReadFile("whole.rsr");
  EXPECT_EQ(updated.resources.size(), 2u);
  EXPECT_EQ(Find(updated, Type("DATA"), 2)->data, std::vector<uint8_t>(500, 'n'));
  CloseResFile(ref);
  EXPECT_EQ(Contents("whole.rsr").size(), 256u + 304 + 504 + 28 + 2 + 8 + 24);
}

TEST_F(ResourceFilesTest, ARemovedResourceLeavesNoTraceOnceClosed) {
  WriteFile("gone.rsr", {{Type("DATA"), 1, 0, true, "one", std::vector<uint8_t>(100, 1)},
                         {Type("DATA"), 2, 0, false, "", BytesOf("two")},
                         {Type("XTRA"), 3, 0, false, "", BytesOf("three")}});
  const short ref = Open("gone.rsr");
  Handle one = Get1Resource(Type("DATA"), 1);
  Handle three = Get1Resource(Type("XTRA"), 3);
  EXPECT_EQ(Count1Resources(Type("DATA")), 2);
  RemoveResource(one);
  RemoveResource(three);
  EXPECT_EQ(Count1Resources(Type("DATA")), 1);
  EXPECT_EQ(Count1Types(), 1);
  EXPECT_EQ(HandleText(Get1IndResource(Type("DATA"), 1)), "two");
  EXPECT_EQ(HGetState(one) & kHandleIsResourceMask, 0);
  DisposeHandle(one);
  DisposeHandle(three);
  CloseResFile(ref);
  const auto image = ReadFile("gone.rsr");
  ASSERT_EQ(image.resources.size(), 1u);
  EXPECT_EQ(image.resources[0].id, 2);
  EXPECT_EQ(Contents("gone.rsr").find("one"), std::string::npos);
  EXPECT_EQ(Contents("gone.rsr").size(), 256u + 7 + 28 + 2 + 8 + 12);
}

TEST_F(ResourceFilesTest, CompactionNeverTouchesOtherFilesAndLeavesNoTemporaryOnes) {
  // The Toolbox's own scheme wrote "Prefs.rs2" and, for a name ending in '2', the file itself.
  ASSERT_TRUE(dir_.Write("Prefs.rs2", "unrelated"));
  for (const char* name : {"Prefs.rsr", "Save.v2"}) {
    WriteFile(name, {{Type("DATA"), 1, 0, false, "", std::vector<uint8_t>(64, 1)},
                     {Type("DATA"), 2, 0, false, "", BytesOf("kept")}});
    const short ref = Open(name);
    ASSERT_GT(ref, 0) << name;
    RemoveResource(Get1Resource(Type("DATA"), 1));
    CloseResFile(ref);
    EXPECT_EQ(ResError(), noErr) << name;
    const auto image = ReadFile(name);
    ASSERT_EQ(image.resources.size(), 1u) << name;
    EXPECT_EQ(image.resources[0].data, BytesOf("kept")) << name;
  }
  EXPECT_EQ(Contents("Prefs.rs2"), "unrelated");
  std::vector<std::string> files = FilesInDir();
  std::sort(files.begin(), files.end());
  EXPECT_EQ(files, (std::vector<std::string>{"Prefs.rs2", "Prefs.rsr", "Save.v2"}));
}

TEST_F(ResourceFilesTest, CompactionOnUpdateKeepsTheFileOpenAndItsHandlesAttached) {
  WriteFile("live.rsr", {{Type("DATA"), 1, 0, false, "", std::vector<uint8_t>(64, 1)},
                         {Type("DATA"), 2, 0, false, "", BytesOf("kept")}});
  const short ref = Open("live.rsr");
  Handle kept = Get1Resource(Type("DATA"), 2);
  RemoveResource(Get1Resource(Type("DATA"), 1));
  UpdateResFile(ref);
  EXPECT_EQ(ResError(), noErr);
  EXPECT_EQ(ReadFile("live.rsr").resources.size(), 1u);
  EXPECT_EQ(CurResFile(), ref);
  EXPECT_EQ(HomeResFile(kept), ref);
  std::memcpy(*kept, "KEPT", 4);
  ChangedResource(kept);
  CloseResFile(ref);
  EXPECT_EQ(Find(ReadFile("live.rsr"), Type("DATA"), 2)->data, BytesOf("KEPT"));
}

TEST_F(ResourceFilesTest, AReadOnlyFileIsNeverRewritten) {
  WriteFile("ro.rsr", {{Type("DATA"), 1, 0, false, "", BytesOf("abc")}});
  const std::string before = Contents("ro.rsr");
  PStr name("ro.rsr");
  const short ref = OpenRFPerm(name, 0, fsRdPerm);
  ASSERT_GT(ref, 0);
  EXPECT_EQ(GetResFileAttrs(ref) & mapReadOnly, mapReadOnly);
  Handle h = Get1Resource(Type("DATA"), 1);
  ChangedResource(h);
  WriteResource(h);
  EXPECT_EQ(ResError(), mapReadErr);
  UpdateResFile(ref);
  EXPECT_EQ(ResError(), mapReadErr);
  CloseResFile(ref);
  EXPECT_EQ(Contents("ro.rsr"), before);
}

// A file whose map's attribute word (bytes 22-23) holds the given value.
std::string FileWithMapAttributes(uint16_t attributes) {
  zeb::resfmt::ResourceImage image;
  image.resources.push_back({Type("DATA"), 1, 0, false, "", BytesOf("abc")});
  image.mapReserved[6] = static_cast<uint8_t>(attributes >> 8);
  image.mapReserved[7] = static_cast<uint8_t>(attributes);
  std::vector<uint8_t> bytes;
  std::string error;
  zeb::resfmt::WriteImage(image, &bytes, &error);
  return std::string(bytes.begin(), bytes.end());
}

TEST_F(ResourceFilesTest, AMapThatSaysReadOnlyIsNeverWrittenAndChangesStayInMemory) {
  // 0x0080 read-only, and 0x0100, a bit the library does not interpret.
  const std::string before = FileWithMapAttributes(0x0180);
  ASSERT_TRUE(dir_.Write("locked.rsr", before));
  const short ref = Open("locked.rsr");  // opened for reading and writing
  ASSERT_GT(ref, 0);
  EXPECT_EQ(GetResFileAttrs(ref), 0x0180);
  Handle h = Get1Resource(Type("DATA"), 1);
  std::memcpy(*h, "xyz", 3);
  ChangedResource(h);
  WriteResource(h);
  EXPECT_EQ(ResError(), mapReadErr);
  Handle added = HandleWith("new");
  AddResource(added, Type("NEWT"), 5, nullptr);
  EXPECT_EQ(ResError(), noErr);
  EXPECT_EQ(Get1Resource(Type("NEWT"), 5), added);
  EXPECT_EQ(HandleText(Get1Resource(Type("DATA"), 1)), "xyz");
  EXPECT_EQ(GetResFileAttrs(ref), 0x0180 | mapChanged);
  EXPECT_EQ(UpdateResFile(ref), 0);
  EXPECT_EQ(ResError(), mapReadErr);
  ReleaseResource(added);
  CloseResFile(ref);
  EXPECT_EQ(ResError(), mapReadErr);
  EXPECT_EQ(Contents("locked.rsr"), before);
}

TEST_F(ResourceFilesTest, UpdateResFileSaysWhetherItWrote) {
  ASSERT_TRUE(dir_.Write("upd.rsr", FileWithMapAttributes(0x0100)));
  const short ref = Open("upd.rsr");
  EXPECT_EQ(UpdateResFile(ref), 0) << "nothing changed";
  EXPECT_EQ(ResError(), noErr);
  ChangedResource(Get1Resource(Type("DATA"), 1));
  EXPECT_EQ(UpdateResFile(ref), 1);
  EXPECT_EQ(ResError(), noErr);
  EXPECT_EQ(UpdateResFile(ref), 0);
  EXPECT_EQ(UpdateResFile(4321), 0);
  EXPECT_EQ(ResError(), resFNotFound);
  // The attribute word is carried through the rewrite.
  const std::string after = Contents("upd.rsr");
  const uint32_t mapOffset = zeb::byteorder::GetBig32(after.data() + 4);
  EXPECT_EQ(zeb::byteorder::GetBig16(after.data() + mapOffset + 22), 0x0100);
}

TEST_F(ResourceFilesTest, AResourceReleasedOrDetachedBeforeItWasWrittenKeepsItsData) {
  PStr name("Fresh");
  CreateResFile(name);
  const short ref = OpenResFile(name);
  ASSERT_GT(ref, 0);
  PStr title("new");
  Handle released = HandleWith("released");
  AddResource(released, Type("DATA"), 1, title);
  ReleaseResource(released);
  EXPECT_EQ(ResError(), noErr);
  Handle detached = HandleWith("detached");
  AddResource(detached, Type("DATA"), 2, nullptr);
  DetachResource(detached);
  EXPECT_EQ(ResError(), noErr);
  Handle unflagged = HandleWith("unflagged");
  AddResource(unflagged, Type("DATA"), 3, nullptr);
  SetResAttrs(unflagged, 0);  // the changed bit gone before anything was written
  CloseResFile(ref);
  EXPECT_EQ(ResError(), noErr);
  EXPECT_EQ(HandleText(detached), "detached") << "the detached handle is the caller's";
  DisposeHandle(detached);
  const auto image = ReadFile("Fresh.rsr");
  ASSERT_EQ(image.resources.size(), 3u);
  EXPECT_EQ(Find(image, Type("DATA"), 1)->data, BytesOf("released"));
  EXPECT_EQ(Find(image, Type("DATA"), 1)->name, "new");
  EXPECT_EQ(Find(image, Type("DATA"), 2)->data, BytesOf("detached"));
  EXPECT_EQ(Find(image, Type("DATA"), 3)->data, BytesOf("unflagged"));
  ASSERT_EQ(OpenResFile(name), ref);
  EXPECT_EQ(HandleText(Get1Resource(Type("DATA"), 1)), "released");
}

TEST_F(ResourceFilesTest, FileAttributesReportChangesOfTheCurrentFile) {
  WriteFile("attrs.rsr", {{Type("DATA"), 1, 0, false, "", BytesOf("abc")}});
  const short ref = Open("attrs.rsr");
  EXPECT_EQ(GetResFileAttrs(ref), 0);
  SetResFileAttrs(ref, mapCompact);
  ChangedResource(Get1Resource(Type("DATA"), 1));
  EXPECT_EQ(GetResFileAttrs(999), mapChanged | mapCompact);
}

}  // namespace

namespace {

class InitResourcesTest : public zebtest::ResourcesTest {
 protected:
  void TearDown() override {
    SetEnvironmentVariableA("RSRPATH", nullptr);
    zebtest::ResourcesTest::TearDown();
  }
};

TEST_F(InitResourcesTest, OpensTheLibraryFileThenTheApplicationsFromRsrPath) {
  char module[MAX_PATH];
  GetModuleFileNameA(nullptr, module, sizeof module);
  std::string exe = module;
  exe = exe.substr(exe.find_last_of('\\') + 1);
  const std::string appFile = exe.substr(0, exe.find_last_of('.')) + ".RSR";
  WriteFile("ZEBPORT.RSR", {{Type("STR "), 1, 0, false, "", BytesOf("\3lib")},
                            {Type("STR "), 2, 0, false, "", BytesOf("\4only")}});
  WriteFile(appFile, {{Type("STR "), 1, 0, false, "", BytesOf("\3app")}});
  // Without a trailing backslash: the library adds it.
  std::string dir = dir_.path();
  dir.pop_back();
  SetEnvironmentVariableA("RSRPATH", dir.c_str());
  const short library = InitResources();
  EXPECT_EQ(ResError(), noErr);
  ASSERT_GT(library, 0);
  EXPECT_NE(CurResFile(), library);  // the application's file, opened last, is current
  EXPECT_EQ(HandleText(GetResource(Type("STR "), 1)), "\3app");
  EXPECT_EQ(HandleText(GetResource(Type("STR "), 2)), "\4only");
  UseResFile(0);
  EXPECT_EQ(CurResFile(), library);
  EXPECT_EQ(HandleText(GetResource(Type("STR "), 1)), "\3lib");
  // Called again, it closes what it opened before and opens both files afresh.
  const short again = InitResources();
  EXPECT_EQ(again, library);
  EXPECT_EQ(CountResources(Type("STR ")), 3);
}

std::string ApplicationFileName() {
  char module[MAX_PATH];
  GetModuleFileNameA(nullptr, module, sizeof module);
  std::string exe = module;
  exe = exe.substr(exe.find_last_of('\\') + 1);
  return exe.substr(0, exe.find_last_of('.')) + ".RSR";
}

TEST_F(InitResourcesTest, WithoutTheApplicationsFileTheResultIsZero) {
  WriteFile("ZEBPORT.RSR", {{Type("STR "), 1, 0, false, "", BytesOf("\3lib")}});
  SetEnvironmentVariableA("RSRPATH", dir_.path().c_str());
  EXPECT_EQ(InitResources(), 0);
  EXPECT_EQ(ResError(), noErr);
  // The library's file is open all the same.
  UseResFile(0);
  EXPECT_EQ(ResError(), noErr);
  EXPECT_EQ(HandleText(GetResource(Type("STR "), 1)), "\3lib");
}

// A library file name that no directory holds.
class MissingLibraryFileTest : public InitResourcesTest {
 protected:
  MissingLibraryFileTest() { session_.resourceFileName = "NOSUCHLIB.RSR"; }
};

TEST_F(MissingLibraryFileTest, TheApplicationsFileTakesSlotOneWhenTheLibrarysIsMissing) {
  WriteFile(ApplicationFileName(), {{Type("STR "), 1, 0, false, "", BytesOf("\3app")}});
  WriteFile("later.rsr", {{Type("STR "), 2, 0, false, "", BytesOf("\5later")}});
  SetEnvironmentVariableA("RSRPATH", dir_.path().c_str());
  const short application = InitResources();
  ASSERT_GT(application, 0);
  EXPECT_EQ(CurResFile(), application);
  // Slot 0 is the library's: with the library's file missing it holds nothing.
  UseResFile(0);
  EXPECT_EQ(ResError(), resFNotFound);
  EXPECT_EQ(CurResFile(), application);
  // A file opened later never takes the library's place.
  const short later = Open("later.rsr");
  ASSERT_GT(later, 0);
  UseResFile(0);
  EXPECT_EQ(ResError(), resFNotFound);
  EXPECT_EQ(CurResFile(), later);
}

TEST_F(InitResourcesTest, TheSharedHostFilesSecondOffsetGoesToTheApplicationsResources) {
  zeb::resfmt::ResourceImage image;
  image.resources.push_back({Type("STR "), 1, 0, false, "", BytesOf("\3app")});
  std::vector<uint8_t> fork;
  std::string error;
  ASSERT_TRUE(zeb::resfmt::WriteImage(image, &fork, &error));
  // No library resources at offset 0 (the application's own bytes stand there); the
  // application's resources at 1000.
  ASSERT_TRUE(dir_.Write("bundle.bin", std::string(1000, 'P') + std::string(fork.begin(), fork.end())));
  OSErr err = 0;
  const short host = ZEB_FHOpen(dir_.File("bundle.bin").c_str(), kZEBOpenRead, &err);
  ASSERT_GE(host, 2);
  ZEB_SystemValue(ZEB_SV_SET, 8, static_cast<unsigned long>(host));
  ZEB_SystemValue(ZEB_SV_SET, 10, 0);
  ZEB_SystemValue(ZEB_SV_SET, 11, 1000);
  const short result = InitResources();
  const Handle app = GetResource(Type("STR "), 1);
  const std::string text = HandleText(app);
  ZEB_SystemValue(ZEB_SV_SET, 8, 65535);
  ZEB_SystemValue(ZEB_SV_SET, 11, 0);
  EXPECT_EQ(result, host);
  EXPECT_EQ(text, "\3app");
  CloseResFile(host);
  ZEB_FHClose(host);
}

}  // namespace

namespace {

class VolumePathTest : public zebtest::ResourcesTest {};

TEST_F(VolumePathTest, PathsFromTheFileManagerAreUsedWithoutTheRsrRule) {
  PStr name("Plain");
  HCreateResFile(0, 0, name);
  EXPECT_EQ(ResError(), noErr);
  EXPECT_EQ(Contents("Plain").size(), 286u);  // no ".rsr" added
  const short ref = HOpenResFile(0, 0, name, fsRdWrPerm);
  ASSERT_GT(ref, 0);
  EXPECT_EQ(GetResFileAttrs(ref) & mapReadOnly, 0);
  PStr missing("Absent");
  EXPECT_EQ(HOpenResFile(0, 0, missing, fsRdPerm), -1);
  EXPECT_NE(ResError(), noErr);
  EXPECT_EQ(CurResFile(), ref);
}

}  // namespace

// The less travelled roads: the session's own conversions of the types the library does not
// know, compaction after a shrinking rewrite, the application's shared host file, and loads
// that find no memory.
#include "Files.h"
#include "ZEB.h"
#include "resources_fixture.h"

namespace {

using zebtest::BytesOf;
using zebtest::HandleText;
using zebtest::PStr;
using zebtest::Type;

struct SwapCall {
  short direction, index, id;
  long size;
};
std::vector<SwapCall> g_calls;
void ZEBAPI SessionSwapWithId(short direction, short index, short id, long size, Ptr data) {
  g_calls.push_back({direction, index, id, size});
  data[0] = static_cast<char>('0' + index);
}
void ZEBAPI FileSwap(short, ResType, long, Ptr data) { data[0] = 'F'; }

const ResType kSessionTypes[] = {0x61616161 /* 'aaaa' */, 0x62626262 /* 'bbbb' */, 0};

class SessionConversionTest : public zebtest::ResourcesTest {
 protected:
  SessionConversionTest() {
    sessionFlags_ = ZEB_SF_RESIDTOCALLBACK | ZEB_SF_NOPROCINSTANCES;
    session_.resourceConversionCallback = reinterpret_cast<FARPROC>(
        reinterpret_cast<void*>(SessionSwapWithId));
    session_.resourceTypeList = kSessionTypes;
    g_calls.clear();
  }
};

TEST_F(SessionConversionTest, ListedTypesGoToTheSessionCallbackWithTheirIndexAndId) {
  char data[4] = {'d', 'a', 't', 'a'};
  ZEB_ByteSwap(ZEB_SWAP_TODISK, Type("bbbb"), 77, 4, data);
  ASSERT_EQ(g_calls.size(), 1u);
  EXPECT_EQ(g_calls[0].direction, ZEB_SWAP_TODISK);
  EXPECT_EQ(g_calls[0].index, 1);
  EXPECT_EQ(g_calls[0].id, 77);
  EXPECT_EQ(g_calls[0].size, 4);
  EXPECT_EQ(data[0], '1');
  // Loading: the session's list comes before the file's own procedure.
  WriteFile("conv.rsr", {{Type("aaaa"), 5, 0, false, "", BytesOf("xyz")},
                         {Type("cccc"), 6, 0, false, "", BytesOf("xyz")}});
  const short ref = Open("conv.rsr");
  ZEB_SetSwapResourceProc(ref, FileSwap);
  EXPECT_EQ(HandleText(Get1Resource(Type("aaaa"), 5)), "0yz");
  EXPECT_EQ(g_calls.back().direction, ZEB_SWAP_FROMDISK);
  EXPECT_EQ(g_calls.back().id, 5);
  EXPECT_EQ(g_calls.back().size, 3);
  ZEB_SetSwapResourceProc(ref, nullptr);
}

class ResourceLimitsTest : public zebtest::ResourcesTest {};

TEST_F(ResourceLimitsTest, AShrinkingRewriteIsCompactedAtTheNextRewrite) {
  // The first entry (data offset 0) is always appended when rewritten: the second one shrinks.
  WriteFile("shrink.rsr", {{Type("DATA"), 2, 0, false, "", BytesOf("head")},
                           {Type("DATA"), 1, 0, false, "", std::vector<uint8_t>(100, 'a')}});
  const size_t before = Contents("shrink.rsr").size();
  const short ref = Open("shrink.rsr");
  Handle h = Get1Resource(Type("DATA"), 1);
  SetHandleSize(h, 10);
  ChangedResource(h);
  UpdateResFile(ref);  // shorter than its space: the update itself compacts
  EXPECT_EQ(Contents("shrink.rsr").size(), before - 90);
  CloseResFile(ref);
  const auto image = ReadFile("shrink.rsr");
  EXPECT_EQ(Find(image, Type("DATA"), 1)->data, std::vector<uint8_t>(10, 'a'));
  EXPECT_EQ(Find(image, Type("DATA"), 2)->data, BytesOf("head"));
}

TEST_F(ResourceLimitsTest, PreloadedResourcesAreLoadedAtOpenWhateverTheLoadFlag) {
  WriteFile("pre.rsr", {{Type("DATA"), 1, resPreload, false, "", BytesOf("early")},
                        {Type("DATA"), 2, 0, false, "", BytesOf("late")}});
  SetResLoad(false);
  ASSERT_GT(Open("pre.rsr"), 0);
  Handle early = Get1Resource(Type("DATA"), 1);
  Handle late = Get1Resource(Type("DATA"), 2);
  SetResLoad(true);
  EXPECT_EQ(HandleText(early), "early");
  ASSERT_NE(late, nullptr);
  EXPECT_EQ(*late, nullptr);
}

TEST_F(ResourceLimitsTest, AFileThatFailsItsChecksLeavesNoPreloadedHandleBehind) {
  zeb::resfmt::ResourceImage image;
  image.resources.push_back({Type("AAAA"), 1, resPreload, false, "", std::vector<uint8_t>(300000, 'p')});
  image.resources.push_back({Type("BBBB"), 2, 0, false, "", BytesOf("b")});
  std::vector<uint8_t> bytes;
  std::string error;
  ASSERT_TRUE(zeb::resfmt::WriteImage(image, &bytes, &error));
  // The second type's reference list is sent past the map: the map fails after the first
  // type, whose resource is marked for preloading.
  const uint32_t mapOffset = zeb::byteorder::GetBig32(bytes.data() + 4);
  zeb::byteorder::PutBig16(bytes.data() + mapOffset + 28 + 2 + 8 + 6, 0x7000);
  ASSERT_TRUE(dir_.Write("late.rsr", std::string(bytes.begin(), bytes.end())));
  unsigned long before = 0, after = 0;
  ZEB_ComputeMemorySize(nullptr, nullptr, nullptr, nullptr, &before);
  EXPECT_EQ(Open("late.rsr"), -1);
  EXPECT_EQ(ResError(), mapReadErr);
  ZEB_ComputeMemorySize(nullptr, nullptr, nullptr, nullptr, &after);
  EXPECT_LT(after, before + 300000);
}

TEST_F(ResourceLimitsTest, ANeverLoadedResourceMarkedChangedKeepsItsDataOnDisk) {
  WriteFile("unloaded.rsr", {{Type("DATA"), 2, 0, false, "", BytesOf("first")},
                             {Type("DATA"), 1, 0, false, "", BytesOf("keep me")}});
  const short ref = Open("unloaded.rsr");
  SetResLoad(false);
  Handle h = Get1Resource(Type("DATA"), 1);
  SetResLoad(true);
  ChangedResource(h);
  WriteResource(h);
  EXPECT_EQ(ResError(), noErr);
  CloseResFile(ref);
  EXPECT_EQ(Find(ReadFile("unloaded.rsr"), Type("DATA"), 1)->data, BytesOf("keep me"));
}

TEST_F(ResourceLimitsTest, TheApplicationCannotTurnAReadOnlyOpenIntoAWritableOne) {
  WriteFile("ro.rsr", {{Type("DATA"), 1, 0, false, "", BytesOf("abc")}});
  const std::string before = Contents("ro.rsr");
  PStr name("ro.rsr");
  const short ref = OpenRFPerm(name, 0, fsRdPerm);
  SetResFileAttrs(ref, 0);
  EXPECT_EQ(GetResFileAttrs(ref) & mapReadOnly, mapReadOnly);
  Handle h = Get1Resource(Type("DATA"), 1);
  ChangedResource(h);
  CloseResFile(ref);
  EXPECT_EQ(ResError(), mapReadErr);
  EXPECT_EQ(Contents("ro.rsr"), before);
  // Opened again for writing, the same file becomes writable.
  const short again = OpenRFPerm(name, 0, fsRdPerm);
  EXPECT_EQ(OpenResFile(name), again);
  EXPECT_EQ(GetResFileAttrs(again) & mapReadOnly, 0);
}

TEST_F(ResourceLimitsTest, TheApplicationsSharedHostFileIsReadAtItsOffsetAndNeverWritten) {
  zeb::resfmt::ResourceImage image;
  image.resources.push_back({Type("STR "), 1, 0, false, "", BytesOf("\6shared")});
  std::vector<uint8_t> fork;
  std::string error;
  ASSERT_TRUE(zeb::resfmt::WriteImage(image, &fork, &error));
  const std::string prefix(1000, 'P');  // the application's own data before its resources
  const std::string whole = prefix + std::string(fork.begin(), fork.end()) + "trailer";
  ASSERT_TRUE(dir_.Write("bundle.bin", whole));
  OSErr err = 0;
  const short host = ZEB_FHOpen(dir_.File("bundle.bin").c_str(), kZEBOpenRead, &err);
  ASSERT_GE(host, 2);
  ZEB_SystemValue(ZEB_SV_SET, 8, static_cast<unsigned long>(host));
  ZEB_SystemValue(ZEB_SV_SET, 10, 1000);
  const short ref = Open("anything.rsr");
  ZEB_SystemValue(ZEB_SV_SET, 8, 65535);
  ZEB_SystemValue(ZEB_SV_SET, 10, 0);
  ASSERT_EQ(ref, host);
  Handle h = Get1Resource(Type("STR "), 1);
  EXPECT_EQ(HandleText(h), "\6shared");
  ChangedResource(h);
  UpdateResFile(ref);
  EXPECT_EQ(ResError(), mapReadErr);
  CloseResFile(ref);
  EXPECT_EQ(Contents("bundle.bin"), whole);
  char c;
  EXPECT_EQ(ZEB_FHLSeek(host, 0, 0), 0);
  EXPECT_EQ(ZEB_FHRead(host, &c, 1), 1);  // still the application's, still open
  ZEB_FHClose(host);
}

TEST_F(ResourceLimitsTest, ALoadWithoutMemoryReturnsNilAndKeepsTheCallersHandle) {
  WriteFile("big.rsr", {{Type("DATA"), 1, 0, false, "", std::vector<uint8_t>(2000000, 'b')}});
  ASSERT_GT(Open("big.rsr"), 0);
  SetResLoad(false);
  Handle held = Get1Resource(Type("DATA"), 1);
  SetResLoad(true);
  ASSERT_NE(held, nullptr);
  unsigned long bytes = 0;
  ZEB_ComputeMemorySize(nullptr, nullptr, nullptr, nullptr, &bytes);
  ZEB_SetMemoryLimits(1, static_cast<long>(bytes) + 100000, 65536, 0);
  LoadResource(held);
  const OSErr loadErr = ResError();
  Handle again = Get1Resource(Type("DATA"), 1);
  const OSErr getErr = ResError();
  ZEB_SetMemoryLimits(0, 0, 0, 0);
  EXPECT_EQ(loadErr, memFullErr);
  EXPECT_EQ(again, nullptr);
  EXPECT_EQ(getErr, memFullErr);
  // The caller's handle is still a resource of the file, empty, and loads once memory allows.
  EXPECT_EQ(HGetState(held) & kHandleIsResourceMask, kHandleIsResourceMask);
  LoadResource(held);
  EXPECT_EQ(ResError(), noErr);
  EXPECT_EQ(GetHandleSize(held), 2000000);
  EXPECT_EQ(Get1Resource(Type("DATA"), 1), held);
}

}  // namespace

// The calls on resources: loading, the GetResource cache, counting and indexes, names and
// attributes, adding, detaching, releasing, the map's limits, byte order on load and write,
// unique IDs and the code-resource table.
#include "debug_capture.h"
#include "resources_fixture.h"

namespace {

using zeb::resfmt::ImageResource;
using zebtest::BytesOf;
using zebtest::HandleText;
using zebtest::HandleWith;
using zebtest::PStr;
using zebtest::Type;

class ResourceCallsTest : public zebtest::ResourcesTest {
 protected:
  short OpenSample() {
    WriteFile("sample.rsr", {{Type("DATA"), 1, 0, true, "alpha", BytesOf("one")},
                             {Type("DATA"), 2, 0, false, "", BytesOf("two")},
                             {Type("DATA"), 3, 0x20, true, "gamma", BytesOf("three")},
                             {Type("TEXT"), 7, 0, false, "", BytesOf("text")}});
    return Open("sample.rsr");
  }
};

TEST_F(ResourceCallsTest, LoadFlagOffGivesAnEmptyHandleThatLoadResourceFills) {
  ASSERT_GT(OpenSample(), 0);
  SetResLoad(false);
  Handle h = Get1Resource(Type("DATA"), 2);
  SetResLoad(true);
  ASSERT_NE(h, nullptr);
  EXPECT_EQ(*h, nullptr);
  EXPECT_EQ(SizeRsrc(h), 3);
  LoadResource(h);
  EXPECT_EQ(ResError(), noErr);
  EXPECT_EQ(HandleText(h), "two");
  EXPECT_EQ(Get1Resource(Type("DATA"), 2), h);  // the same handle while it is loaded
}

TEST_F(ResourceCallsTest, PackagesAnswerWithoutSearching) {
  EXPECT_EQ(GetResource(Type("PACK"), 4), reinterpret_cast<Handle>(static_cast<uintptr_t>(0xFFFFFFFFu)));
  EXPECT_EQ(ResError(), noErr);
}

TEST_F(ResourceCallsTest, TheCacheNeverReturnsADetachedRemovedOrHiddenHandle) {
  ASSERT_GT(OpenSample(), 0);
  Handle first = GetResource(Type("DATA"), 2);
  ASSERT_NE(first, nullptr);
  DetachResource(first);
  Handle second = GetResource(Type("DATA"), 2);
  ASSERT_NE(second, nullptr);
  EXPECT_NE(second, first);  // the detached handle is the caller's now
  EXPECT_EQ(HandleText(first), "two");
  DisposeHandle(first);
  RemoveResource(second);
  EXPECT_EQ(GetResource(Type("DATA"), 2), nullptr);
  EXPECT_EQ(ResError(), resNotFound);
  DisposeHandle(second);
  Handle text = GetResource(Type("TEXT"), 7);
  ASSERT_NE(text, nullptr);
  WriteFile("newer.rsr", {{Type("TEXT"), 7, 0, false, "", BytesOf("newer")}});
  ASSERT_GT(Open("newer.rsr"), 0);
  EXPECT_EQ(HandleText(GetResource(Type("TEXT"), 7)), "newer");
}

TEST_F(ResourceCallsTest, CountsAndIndexesSkipRemovedResources) {
  WriteFile("older.rsr", {{Type("DATA"), 9, 0, false, "", BytesOf("nine")},
                          {Type("ICON"), 1, 0, false, "", BytesOf("i")}});
  ASSERT_GT(Open("older.rsr"), 0);
  ASSERT_GT(OpenSample(), 0);
  EXPECT_EQ(Count1Resources(Type("DATA")), 3);
  EXPECT_EQ(CountResources(Type("DATA")), 4);
  EXPECT_EQ(Count1Types(), 2);
  EXPECT_EQ(CountTypes(), 4);
  ResType type = 0;
  Get1IndType(&type, 2);
  EXPECT_EQ(type, Type("TEXT"));
  Get1IndType(&type, 3);
  EXPECT_EQ(type, 0u);
  GetIndType(&type, 4);  // from the newest file: DATA, TEXT, then DATA, ICON
  EXPECT_EQ(type, Type("ICON"));
  EXPECT_EQ(HandleText(GetIndResource(Type("DATA"), 4)), "nine");
  RemoveResource(Get1Resource(Type("DATA"), 1));
  EXPECT_EQ(Count1Resources(Type("DATA")), 2);
  EXPECT_EQ(HandleText(Get1IndResource(Type("DATA"), 1)), "two");
  EXPECT_EQ(HandleText(Get1IndResource(Type("DATA"), 2)), "three");
  EXPECT_EQ(Get1IndResource(Type("DATA"), 3), nullptr);
  EXPECT_EQ(Get1IndResource(Type("DATA"), 0), nullptr);
}

TEST_F(ResourceCallsTest, NamesMatchExactlyAndInfoDescribesTheResource) {
  ASSERT_GT(OpenSample(), 0);
  PStr gamma("gamma"), upper("GAMMA"), prefix("gam");
  Handle h = GetNamedResource(Type("DATA"), gamma);
  ASSERT_NE(h, nullptr);
  EXPECT_EQ(Get1NamedResource(Type("DATA"), upper), nullptr);
  EXPECT_EQ(Get1NamedResource(Type("DATA"), prefix), nullptr);
  short id = 0;
  ResType type = 0;
  Str255 name;
  GetResInfo(h, &id, &type, name);
  EXPECT_EQ(id, 3);
  EXPECT_EQ(type, Type("DATA"));
  EXPECT_EQ(std::string(reinterpret_cast<char*>(name + 1), name[0]), "gamma");
  EXPECT_EQ(GetResAttrs(h), 0x20);
  GetResInfo(Get1Resource(Type("DATA"), 2), &id, &type, name);
  EXPECT_EQ(name[0], 0);
}

TEST_F(ResourceCallsTest, SetResInfoAndAttributesAreWrittenBack) {
  const short ref = OpenSample();
  Handle two = Get1Resource(Type("DATA"), 2);
  Handle one = Get1Resource(Type("DATA"), 1);
  PStr longer("a much longer name than before"), shorter("a");
  SetResInfo(two, 20, longer);
  SetResInfo(one, 10, shorter);
  SetResAttrs(one, resPreload | resProtected);
  ChangedResource(one);
  CloseResFile(ref);
  const auto image = ReadFile("sample.rsr");
  ASSERT_NE(Find(image, Type("DATA"), 20), nullptr);
  EXPECT_EQ(Find(image, Type("DATA"), 20)->name, "a much longer name than before");
  EXPECT_EQ(Find(image, Type("DATA"), 20)->data, BytesOf("two"));
  EXPECT_EQ(Find(image, Type("DATA"), 10)->name, "a");
  EXPECT_EQ(Find(image, Type("DATA"), 10)->attributes, resPreload | resProtected);
  EXPECT_EQ(Find(image, Type("DATA"), 3)->name, "gamma");
  EXPECT_EQ(Find(image, Type("DATA"), 2), nullptr);
}

TEST_F(ResourceCallsTest, HandlesThatAreNotResourcesGetTheirErrors) {
  ASSERT_GT(OpenSample(), 0);
  Handle plain = NewHandle(4);
  ReleaseResource(plain);
  EXPECT_EQ(ResError(), resAttrErr);
  struct Case {
    const char* call;
    void (*run)(Handle);
  } cases[] = {
      {"DetachResource", [](Handle h) { DetachResource(h); }},
      {"ChangedResource", [](Handle h) { ChangedResource(h); }},
      {"RemoveResource", [](Handle h) { RemoveResource(h); }},
      {"WriteResource", [](Handle h) { WriteResource(h); }},
      {"LoadResource", [](Handle h) { LoadResource(h); }},
      {"SetResAttrs", [](Handle h) { SetResAttrs(h, 0); }},
      {"SetResInfo", [](Handle h) { SetResInfo(h, 1, nullptr); }},
  };
  for (const Case& c : cases) {
    c.run(plain);
    EXPECT_EQ(ResError(), resNotFound) << c.call;
  }
  EXPECT_EQ(HomeResFile(plain), -1);
  EXPECT_EQ(ResError(), resNotFound);
  EXPECT_EQ(SizeRsrc(plain), -1);
  EXPECT_EQ(GetResAttrs(plain), 0);
  EXPECT_EQ(ResError(), resNotFound);
  DisposeHandle(plain);
}

TEST_F(ResourceCallsTest, AddResourceRefusesNilAndResourceHandles) {
  const short ref = OpenSample();
  AddResource(nullptr, Type("DATA"), 50, nullptr);
  EXPECT_EQ(ResError(), addResFailed);
  Handle existing = Get1Resource(Type("DATA"), 1);
  AddResource(existing, Type("DATA"), 51, nullptr);
  EXPECT_EQ(ResError(), addResFailed);
  Handle fresh = HandleWith("new");
  AddResource(fresh, Type("NEWT"), 52, nullptr);
  EXPECT_EQ(ResError(), noErr);
  EXPECT_EQ(HomeResFile(fresh), ref);
  EXPECT_EQ(Get1Resource(Type("NEWT"), 52), fresh);
}

TEST_F(ResourceCallsTest, ReleasingAndDisposingGiveTheHandleBackToTheFile) {
  ASSERT_GT(OpenSample(), 0);
  Handle h = Get1Resource(Type("DATA"), 1);
  ReleaseResource(h);
  EXPECT_EQ(ResError(), noErr);
  Handle again = Get1Resource(Type("DATA"), 1);
  ASSERT_NE(again, nullptr);
  EXPECT_EQ(HandleText(again), "one");
  DisposeHandle(again);  // a resource handle goes back to its file
  Handle third = Get1Resource(Type("DATA"), 1);
  ASSERT_NE(third, nullptr);
  EXPECT_EQ(HandleText(third), "one");
}

TEST_F(ResourceCallsTest, MapThatWouldOutgrowSixteenBitOffsetsRefusesTheAdd) {
  PStr name("Full");
  CreateResFile(name);
  const short ref = OpenResFile(name);
  ASSERT_GT(ref, 0);
  // 28 + 2 + 8 + 12 n must stay within 0xFFFF: 5458 references fit.
  int added = 0;
  for (int i = 0; i < 6000; ++i) {
    Handle h = NewHandle(1);
    AddResource(h, Type("MANY"), static_cast<short>(i), nullptr);
    if (ResError() != noErr) {
      EXPECT_EQ(ResError(), addResFailed);
      DisposeHandle(h);
      break;
    }
    ++added;
  }
  EXPECT_EQ(added, 5458);
  EXPECT_EQ(Count1Resources(Type("MANY")), 5458);
  CloseResFile(ref);
  EXPECT_EQ(ResError(), noErr);
  EXPECT_EQ(ReadFile("Full.rsr").resources.size(), 5458u);
}

TEST_F(ResourceCallsTest, DataPastTwentyFourBitOffsetsIsRefusedNotWrapped) {
  PStr name("Big");
  CreateResFile(name);
  const short ref = OpenResFile(name);
  Handle big = NewHandle(0x1000000);  // 16 MiB: the next entry would start past 0xFFFFFF
  ASSERT_NE(big, nullptr);
  AddResource(big, Type("BIGD"), 1, nullptr);
  WriteResource(big);
  EXPECT_EQ(ResError(), noErr);
  Handle small = HandleWith("tiny");
  AddResource(small, Type("BIGD"), 2, nullptr);
  WriteResource(small);
  EXPECT_EQ(ResError(), dskFulErr);
  RemoveResource(small);
  DisposeHandle(small);
  CloseResFile(ref);
  const auto image = ReadFile("Big.rsr");
  ASSERT_EQ(image.resources.size(), 1u);
  EXPECT_EQ(image.resources[0].data.size(), 0x1000000u);
}

TEST_F(ResourceCallsTest, ByteOrderIsConvertedOnLoadAndBackOnWrite) {
  WriteFile("order.rsr", {{Type("STR#"), 1, 0, false, "", BytesOf(std::string("\0\3\1a\1b\1c", 8))},
                          {Type("MENU"), 5, 0, false, "", BytesOf(std::string(
                               "\0\5\0\0\0\0\x12\x34\x56\x78\0\0\0\1\3Fil", 18))}});
  const short ref = Open("order.rsr");
  Handle strs = Get1Resource(Type("STR#"), 1);
  EXPECT_EQ(*reinterpret_cast<short*>(*strs), 3);
  Handle menu = Get1Resource(Type("MENU"), 5);
  EXPECT_EQ(*reinterpret_cast<short*>(*menu), 5);
  // The definition procedure's low word becomes 0xFFFF: the library's own menu code.
  EXPECT_EQ(*reinterpret_cast<unsigned long*>(*menu + 6), 0x1234FFFFul);
  EXPECT_EQ(*reinterpret_cast<unsigned long*>(*menu + 10), 1ul);
  *reinterpret_cast<short*>(*strs) = 2;
  ChangedResource(strs);
  CloseResFile(ref);
  EXPECT_EQ(Find(ReadFile("order.rsr"), Type("STR#"), 1)->data,
            BytesOf(std::string("\0\2\1a\1b\1c", 8)));
}

ResType g_swappedType = 0;
long g_swappedSize = 0;
short g_swappedDirection = -1;
void ZEBAPI RecordSwap(short direction, ResType type, long size, Ptr data) {
  g_swappedDirection = direction;
  g_swappedType = type;
  g_swappedSize = size;
  data[0] = 'X';
}

TEST_F(ResourceCallsTest, UnknownTypesGoToTheFileProcedureOrAreReported) {
  WriteFile("unknown.rsr", {{Type("zzzz"), 1, 0, false, "", BytesOf("raw!")}});
  const short ref = Open("unknown.rsr");
  {
    zebtest::DebugCapture capture;
    Handle h = Get1Resource(Type("zzzz"), 1);
    EXPECT_EQ(HandleText(h), "raw!");
    EXPECT_NE(capture.Text().find("zzzz unknown byteswap type"), std::string::npos);
    ReleaseResource(h);
  }
  EXPECT_EQ(ZEB_SetSwapResourceProc(ref, RecordSwap), nullptr);
  EXPECT_EQ(ZEB_SetSwapResourceProc(ref, RecordSwap), RecordSwap);
  Handle h = Get1Resource(Type("zzzz"), 1);
  EXPECT_EQ(g_swappedDirection, ZEB_SWAP_FROMDISK);
  EXPECT_EQ(g_swappedType, Type("zzzz"));
  EXPECT_EQ(g_swappedSize, 4);
  EXPECT_EQ(HandleText(h), "Xaw!");
  EXPECT_EQ(ZEB_SetSwapResourceProc(4321, RecordSwap), nullptr);
}

TEST_F(ResourceCallsTest, RandomFollowsTheToolboxSequenceFromItsSeed) {
  cells_.randSeed = 1;
  EXPECT_EQ(Random(), 16807);
  EXPECT_EQ(Random(), 15089);
  EXPECT_EQ(Random(), -21287);
  EXPECT_EQ(cells_.randSeed, 1622650073);
  const unsigned long ticks = TickCount();
  EXPECT_EQ(cells_.ticks, ticks);
  EXPECT_NEAR(static_cast<double>(ticks), static_cast<double>(GetTickCount() >> 4), 2.0);
}

TEST_F(ResourceCallsTest, UniqueIdsAreFreeInTheChain) {
  ASSERT_GT(OpenSample(), 0);
  for (int i = 0; i < 50; ++i) {
    const short id = UniqueID(Type("DATA"));
    EXPECT_GE(id, 0);
    EXPECT_EQ(Get1Resource(Type("DATA"), id), nullptr) << id;
    const short one = Unique1ID(Type("DATA"));
    EXPECT_GE(one, 0);
    EXPECT_TRUE(one != 1 && one != 2 && one != 3) << one;
  }
}

long ZEBAPI NativeProc() { return 7; }
long ZEBAPI OtherProc() { return 8; }

TEST_F(ResourceCallsTest, CodeResourceTableStoresFindsAndRemoves) {
  EXPECT_EQ(ZEB_CodeResource(ZEB_CODE_ADD, Type("MDEF"), 300, NativeProc), NativeProc);
  EXPECT_EQ(ZEB_CodeResource(ZEB_CODE_FIND, Type("MDEF"), 300, nullptr), NativeProc);
  EXPECT_EQ(ZEB_CodeResource(ZEB_CODE_FIND, Type("MDEF"), 301, nullptr), nullptr);
  EXPECT_EQ(ZEB_CodeResource(ZEB_CODE_HOLDS, Type("MDEF"), 0, NativeProc), NativeProc);
  EXPECT_EQ(ZEB_CodeResource(ZEB_CODE_HOLDS, Type("MDEF"), 0, OtherProc), nullptr);
  EXPECT_EQ(ZEB_CodeResource(ZEB_CODE_REMOVE, Type("MDEF"), 300, nullptr), nullptr);
  EXPECT_EQ(ZEB_CodeResource(ZEB_CODE_FIND, Type("MDEF"), 300, nullptr), nullptr);
  int stored = 0;
  while (ZEB_CodeResource(ZEB_CODE_ADD, Type("CDEF"), static_cast<short>(stored), OtherProc)) ++stored;
  EXPECT_EQ(stored, 64);
  ZEB_CodeResource(ZEB_CODE_CLEAR, 0, 0, nullptr);
  EXPECT_EQ(ZEB_CodeResource(ZEB_CODE_FIND, Type("CDEF"), 0, nullptr), nullptr);
}

TEST_F(ResourceCallsTest, SingleValueSwapsAndRectangleConversions) {
  unsigned char b[12] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12};
  ZEB_ByteSwapWORDS(b, 5);  // two words; the odd byte stays
  EXPECT_EQ(std::string(reinterpret_cast<char*>(b), 5), std::string("\2\1\4\3\5", 5));
  ZEB_ByteSwap881(b);
  EXPECT_EQ(b[0], 12);
  EXPECT_EQ(b[11], 2);
  const unsigned char big[8] = {0, 1, 0xFF, 0xFE, 0, 3, 0, 4};
  EXPECT_EQ(ZEB_GetByteSwapWORD(big), 1);
  EXPECT_EQ(ZEB_GetByteSwapLONG(big), 0x0001FFFEul);
  Rect r;
  ZEB_GetByteSwapRect(big, &r);
  EXPECT_EQ(r.top, 1);
  EXPECT_EQ(r.left, -2);
  EXPECT_EQ(r.bottom, 3);
  EXPECT_EQ(r.right, 4);
  RECT w;
  ZEB_ConvMRtoWR(&r, &w);
  EXPECT_EQ(w.left, -2);
  EXPECT_EQ(w.top, 1);
  EXPECT_EQ(w.right, 4);
  EXPECT_EQ(w.bottom, 3);
  w.left = 0x12345;
  ZEB_ConvWRtoMR(&w, &r);
  EXPECT_EQ(r.left, 0x2345);
}

}  // namespace

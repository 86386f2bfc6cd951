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

TEST_F(ResourceCallsTest, EachUnknownTypeIsReportedOncePerFile) {
  std::vector<ImageResource> resources;
  for (short id = 1; id <= 5; ++id) resources.push_back({Type("zzzz"), id, 0, false, "", BytesOf("z")});
  for (short id = 1; id <= 3; ++id) resources.push_back({Type("yyyy"), id, 0, false, "", BytesOf("y")});
  WriteFile("first.rsr", resources);
  WriteFile("second.rsr", {{Type("zzzz"), 1, 0, false, "", BytesOf("z")}});
  zebtest::DebugCapture capture;
  const short first = Open("first.rsr");
  for (const ImageResource& r : resources) ChangedResource(Get1Resource(r.type, r.id));
  UpdateResFile(first);  // converted to disk and back again: no further reports
  EXPECT_EQ(capture.Text(), "zzzz unknown byteswap type\r\nyyyy unknown byteswap type\r\n");
  capture.Clear();
  ASSERT_GT(Open("second.rsr"), 0);
  Get1Resource(Type("zzzz"), 1);
  EXPECT_EQ(capture.Text(), "zzzz unknown byteswap type\r\n") << "another file reports again";
}

TEST_F(ResourceCallsTest, AFileOpenedAgainDoesNotRepeatItsUnknownTypeReports) {
  WriteFile("again.rsr", {{Type("zzzz"), 1, 0, false, "", BytesOf("z")},
                          {Type("xxxx"), 1, 0, false, "", BytesOf("x")}});
  zebtest::DebugCapture capture;
  short ref = Open("again.rsr");
  Get1Resource(Type("zzzz"), 1);
  CloseResFile(ref);
  EXPECT_EQ(capture.Text(), "zzzz unknown byteswap type\r\n");
  capture.Clear();
  ref = Open("again.rsr");
  Handle z = Get1Resource(Type("zzzz"), 1);
  EXPECT_EQ(HandleText(z), "z") << "the data is still left as stored";
  EXPECT_EQ(capture.Text(), "") << "the same file, opened again, said this already";
  Get1Resource(Type("xxxx"), 1);
  EXPECT_EQ(capture.Text(), "xxxx unknown byteswap type\r\n") << "a type not yet reported is";
  CloseResFile(ref);
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

// The first draw is (Random() + ticks) & 0x7FFF. From seed 1 the Random part is 16807; the tick
// count advances by a handful during the test. Every ID the first draw can give in that window
// is taken, so the first draw is sure to clash.
constexpr int kTickWindow = 512;

std::vector<ImageResource> FirstDrawsFrom(unsigned long ticks) {
  std::vector<ImageResource> taken;
  for (int d = 0; d < kTickWindow; ++d)
    taken.push_back({Type("DATA"), static_cast<short>((16807 + ticks + d) & 0x7FFF), 0, false, "", {}});
  return taken;
}

bool Taken(const std::vector<ImageResource>& taken, short id) {
  for (const ImageResource& r : taken)
    if (r.id == id) return true;
  return false;
}

TEST_F(ResourceCallsTest, UniqueIdDrawsAgainWhenAnOlderFileHasTheId) {
  const unsigned long start = TickCount();
  const std::vector<ImageResource> taken = FirstDrawsFrom(start);
  WriteFile("taken.rsr", taken);
  WriteImageFile("empty.rsr", {});
  ASSERT_GT(Open("taken.rsr"), 0);
  ASSERT_GT(Open("empty.rsr"), 0);
  cells_.randSeed = 1;
  const short id = UniqueID(Type("DATA"));
  cells_.randSeed = 1;
  const short one = Unique1ID(Type("DATA"));
  ASSERT_LT(TickCount() - start, static_cast<unsigned long>(kTickWindow)) << "the window held";
  EXPECT_GE(id, 0);
  EXPECT_FALSE(Taken(taken, id)) << id;
  EXPECT_EQ(GetResource(Type("DATA"), id), nullptr);
  // Unique1ID looks at the current file only: its first draw, taken in the older file, stands.
  EXPECT_TRUE(Taken(taken, one)) << one;
}

TEST_F(ResourceCallsTest, Unique1IdDrawsAgainWhenTheCurrentFileHasTheId) {
  const unsigned long start = TickCount();
  const std::vector<ImageResource> taken = FirstDrawsFrom(start);
  WriteFile("taken.rsr", taken);
  ASSERT_GT(Open("taken.rsr"), 0);
  cells_.randSeed = 1;
  const short one = Unique1ID(Type("DATA"));
  cells_.randSeed = 1;
  const short other = Unique1ID(Type("CODE"));  // no such type: the first draw is free
  ASSERT_LT(TickCount() - start, static_cast<unsigned long>(kTickWindow)) << "the window held";
  EXPECT_GE(one, 0);
  EXPECT_FALSE(Taken(taken, one)) << one;
  EXPECT_TRUE(Taken(taken, other)) << other;
}

TEST_F(ResourceCallsTest, EveryLookupThatFindsNothingSaysResNotFound) {
  ASSERT_GT(OpenSample(), 0);
  static const unsigned char kNobody[] = "\x06nobody";
  struct Case {
    const char* call;
    Handle (*run)();
  } cases[] = {
      {"Get1Resource", [] { return Get1Resource(Type("DATA"), 99); }},
      {"Get1Resource of a type not in the file", [] { return Get1Resource(Type("NONE"), 1); }},
      {"GetResource", [] { return GetResource(Type("DATA"), 99); }},
      {"Get1IndResource", [] { return Get1IndResource(Type("DATA"), 9); }},
      {"Get1IndResource of a type not in the file", [] { return Get1IndResource(Type("NONE"), 1); }},
      {"GetIndResource", [] { return GetIndResource(Type("DATA"), 9); }},
      {"Get1NamedResource", [] { return Get1NamedResource(Type("DATA"), kNobody); }},
      {"GetNamedResource", [] { return GetNamedResource(Type("DATA"), kNobody); }},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(c.run(), nullptr) << c.call;
    EXPECT_EQ(ResError(), resNotFound) << c.call;
  }
  EXPECT_NE(Get1Resource(Type("DATA"), 1), nullptr);
  EXPECT_EQ(ResError(), noErr);
}

TEST_F(ResourceCallsTest, EveryAttributeBitIsReportedAndWrittenBackAsStored) {
  // 0x80 and 0x01 are bits later system software sets (system reference, compressed); the
  // library acts on neither and keeps both.
  WriteFile("bits.rsr", {{Type("DATA"), 1, 0x81, false, "", BytesOf("one")},
                         {Type("DATA"), 2, 0xF9, false, "", BytesOf("two")},
                         {Type("TEXT"), 3, 0x01, false, "", BytesOf("three")}});
  const short ref = Open("bits.rsr");
  Handle one = Get1Resource(Type("DATA"), 1);
  EXPECT_EQ(GetResAttrs(one), 0x81);
  EXPECT_EQ(GetResAttrs(Get1Resource(Type("DATA"), 2)), 0xF9);
  EXPECT_EQ(GetResAttrs(Get1Resource(Type("TEXT"), 3)), 0x01);
  // An unrelated addition makes the whole map be written again.
  AddResource(HandleWith("new"), Type("NEWT"), 9, nullptr);
  UpdateResFile(ref);
  EXPECT_EQ(ResError(), noErr);
  const auto image = ReadFile("bits.rsr");
  EXPECT_EQ(Find(image, Type("DATA"), 1)->attributes, 0x81);
  EXPECT_EQ(Find(image, Type("DATA"), 2)->attributes, 0xF9);
  EXPECT_EQ(Find(image, Type("TEXT"), 3)->attributes, 0x01);
  SetResAttrs(one, 0xC1);
  ChangedResource(one);
  CloseResFile(ref);
  EXPECT_EQ(Find(ReadFile("bits.rsr"), Type("DATA"), 1)->attributes, 0xC1);
}

// The compressed-resource header of later system software: signature, header length 18,
// version 8, attributes 1, the expanded size, then the decompressor's own bytes and the data.
std::vector<uint8_t> CompressedBytes(uint8_t seed) {
  std::vector<uint8_t> v = {0xA8, 0x9F, 0x65, 0x72, 0x00, 0x12, 0x08, 0x01, 0x00, 0x00, 0x04, 0x00,
                            0x00, 0x00, 0x00, 0x00, 0x00, 0x00};
  for (int i = 0; i < 30; ++i) v.push_back(static_cast<uint8_t>(seed + 13 * i));
  return v;
}

TEST_F(ResourceCallsTest, CompressedResourcesAreHandedOverAndWrittenBackAsStored) {
  const ResType types[] = {Type("STR#"), Type("PICT"), Type("clut"), Type("MENU"),
                           Type("DITL"), Type("CURS"), Type("zzzz")};
  std::vector<ImageResource> resources;
  for (uint8_t i = 0; i < 7; ++i)
    resources.push_back({types[i], 128, resCompressed, false, "", CompressedBytes(i)});
  // The attribute without the signature is an ordinary resource: its count is converted.
  resources.push_back({Type("STR#"), 129, resCompressed, false, "", BytesOf(std::string("\0\1\1a", 4))});
  WriteFile("packed.rsr", resources);
  const short ref = Open("packed.rsr");
  zebtest::DebugCapture capture;
  for (const ImageResource& r : resources) {
    Handle h = Get1Resource(r.type, r.id);
    ASSERT_NE(h, nullptr);
    if (r.id == 128) {
      EXPECT_EQ(HandleText(h), std::string(r.data.begin(), r.data.end())) << zebtest::TypeText(r.type);
    }
    EXPECT_EQ(GetResAttrs(h), resCompressed);
    ChangedResource(h);
  }
  EXPECT_EQ(*reinterpret_cast<short*>(*Get1Resource(Type("STR#"), 129)), 1);
  EXPECT_EQ(capture.Text(), "") << "compressed data of an unknown type is not reported";
  UpdateResFile(ref);
  EXPECT_EQ(ResError(), noErr);
  const auto image = ReadFile("packed.rsr");
  for (const ImageResource& r : resources) {
    const ImageResource* back = Find(image, r.type, r.id);
    ASSERT_NE(back, nullptr);
    EXPECT_EQ(back->data, r.data) << zebtest::TypeText(r.type) << " " << r.id;
    EXPECT_EQ(back->attributes, resCompressed);
  }
}

TEST_F(ResourceCallsTest, AMenuWrittenBackKeepsTheDefinitionProcedureItWasReadWith) {
  // ID 128, width and height 0 (computed), procedure 0x00001234, every item enabled, "File"
  // with one item "Quit" (no icon, key Q, no mark, plain style), then the end of the items.
  const std::string menu("\0\x80\0\0\0\0\0\0\x12\x34\xFF\xFF\xFF\xFF\4File\4Quit\0Q\0\0\0", 30);
  WriteFile("menu.rsr", {{Type("MENU"), 128, 0, false, "", BytesOf(menu)},
                         {Type("MENU"), 129, 0, false, "", BytesOf(menu)}});
  const short ref = Open("menu.rsr");
  Handle h = Get1Resource(Type("MENU"), 128);
  uint32_t proc = 0;
  std::memcpy(&proc, *h + 6, 4);
  EXPECT_EQ(proc, 0x0000FFFFu) << "the library's own menu procedure";
  ChangedResource(h);
  // The application's own procedure value goes to disk as it set it.
  Handle other = Get1Resource(Type("MENU"), 129);
  const uint32_t mine = 0x00050006;
  std::memcpy(*other + 6, &mine, 4);
  ChangedResource(other);
  UpdateResFile(ref);
  EXPECT_EQ(ResError(), noErr);
  std::memcpy(&proc, *h + 6, 4);
  EXPECT_EQ(proc, 0x0000FFFFu) << "still marked after the write";
  const auto image = ReadFile("menu.rsr");
  EXPECT_EQ(Find(image, Type("MENU"), 128)->data, BytesOf(menu));
  std::string written = menu;
  written.replace(6, 4, std::string("\0\5\0\6", 4));
  EXPECT_EQ(Find(image, Type("MENU"), 129)->data, BytesOf(written));
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

  unsigned char f[8] = {1, 2, 3, 4, 5, 6, 7, 8};
  ZEB_ByteSwapFLOATS(f, 7);  // one float; three bytes left
  EXPECT_EQ(std::string(reinterpret_cast<char*>(f), 8), std::string("\4\3\2\1\5\6\7\10", 8));
  ZEB_ByteSwapDOUBLE(f);
  EXPECT_EQ(f[0], 8);
  EXPECT_EQ(f[7], 4);
  unsigned char e[10] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9};
  ZEB_ByteSwapEXTENDED(e);
  EXPECT_EQ(e[0], 9);
  EXPECT_EQ(e[9], 0);
  // A colour table with two entries, as a 'clut' resource holds it on disk.
  unsigned char clut[24] = {0, 0, 0, 9, 0x80, 0, 0, 1, 0, 0, 0xFF, 0xFF, 0, 0, 0, 0,
                            0, 1, 0x12, 0x34, 0, 0, 0, 0};
  ZEB_ByteSwapCLUT(ZEB_SWAP_FROMDISK, clut);
  EXPECT_EQ(*reinterpret_cast<unsigned long*>(clut), 9ul);
  EXPECT_EQ(*reinterpret_cast<unsigned short*>(clut + 4), 0x8000);
  EXPECT_EQ(*reinterpret_cast<short*>(clut + 6), 1);
  EXPECT_EQ(*reinterpret_cast<unsigned short*>(clut + 18), 0x1234);
  ZEB_ByteSwapCLUT(ZEB_SWAP_TODISK, clut);
  EXPECT_EQ(clut[7], 1);
  EXPECT_EQ(clut[18], 0x12);
}

}  // namespace

// The resource file format: the empty file, the header and map checks made at open, the writer's
// layout and its 16-bit limits, and the naming rule of resource files.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "resources/byte_order.h"
#include "resources/resource_image.h"
#include "resources/resource_map.h"

namespace {

using namespace zeb::resfmt;
using zeb::byteorder::FourCC;
using zeb::byteorder::GetBig16;
using zeb::byteorder::GetBig32;
using zeb::byteorder::PutBig16;
using zeb::byteorder::PutBig32;

TEST(ResourceFormat, EmptyFileIs286BytesByteForByte) {
  std::vector<uint8_t> expected(286, 0);
  const uint32_t header[4] = {256, 256, 0, 30};
  for (int i = 0; i < 4; ++i) {
    PutBig32(expected.data() + 4 * i, header[i]);
    PutBig32(expected.data() + 256 + 4 * i, header[i]);
  }
  PutBig16(expected.data() + 256 + 24, 28);
  PutBig16(expected.data() + 256 + 26, 30);
  PutBig16(expected.data() + 256 + 28, 0xFFFF);
  EXPECT_EQ(EmptyResourceFile(), expected);
}

TEST(ResourceFormat, HeaderChecksAtOpen) {
  struct Case {
    const char* what;
    Header header;
    uint64_t fileLength;
    bool valid;
  } cases[] = {
      {"empty file", {256, 256, 0, 30}, 286, true},
      {"map right behind the data", {256, 356, 100, 30}, 386, true},
      {"map 16 bytes behind the data", {256, 372, 100, 30}, 402, true},
      {"map 17 bytes behind the data", {256, 373, 100, 30}, 403, false},
      {"map inside the data", {256, 355, 100, 30}, 385, false},
      {"data not at 256", {128, 256, 0, 30}, 286, false},
      {"map past the end of the file", {256, 256, 0, 31}, 286, false},
      {"map shorter than an empty one", {256, 256, 0, 29}, 286, false},
      {"map longer than 16-bit offsets allow", {256, 256, 0, kMaxMapLength + 1},
       256 + kMaxMapLength + 1, false},
      {"lengths that wrap in 32 bits", {256, 0xFFFFFFF0u, 0xFFFFFEF0u, 0x100}, 0x1000, false},
  };
  for (const Case& c : cases) EXPECT_EQ(HeaderIsValid(c.header, c.fileLength), c.valid) << c.what;
}

// A small valid map: one type 'TEST' with two references, the second named "Hi".
std::vector<uint8_t> SmallMap() {
  std::vector<uint8_t> m(28 + 2 + 8 + 24 + 3, 0);
  PutBig16(m.data() + 24, 28);
  PutBig16(m.data() + 26, 28 + 2 + 8 + 24);
  PutBig16(m.data() + 28, 0);
  PutBig32(m.data() + 30, FourCC("TEST"));
  PutBig16(m.data() + 34, 1);
  PutBig16(m.data() + 36, 10);
  uint8_t* ref = m.data() + 28 + 10;
  PutBig16(ref, 128);
  PutBig16(ref + 2, 0xFFFF);
  PutBig32(ref + 4, 0x05000000 | 0);  // preload and compressed
  PutBig16(ref + 12, static_cast<uint16_t>(-5));
  PutBig16(ref + 14, 0);
  PutBig32(ref + 16, 0xF8000010);  // system reference, system heap, purgeable, locked, protected
  std::memcpy(m.data() + m.size() - 3, "\x02Hi", 3);
  return m;
}

TEST(ResourceFormat, MapReadsTypesReferencesNamesAndEveryAttributeBitAsStored) {
  const std::vector<uint8_t> m = SmallMap();
  Map map;
  ASSERT_TRUE(ParseMap(m.data(), static_cast<uint32_t>(m.size()), &map));
  ASSERT_EQ(map.types.size(), 1u);
  EXPECT_EQ(map.types[0].type, FourCC("TEST"));
  ASSERT_EQ(map.types[0].references.size(), 2u);
  const Reference& a = map.types[0].references[0];
  const Reference& b = map.types[0].references[1];
  EXPECT_EQ(a.id, 128);
  EXPECT_FALSE(a.named);
  EXPECT_EQ(a.attributes, kAttrPreload | kAttrCompressed);
  EXPECT_FALSE(a.Removed());
  EXPECT_EQ(b.id, -5);
  EXPECT_TRUE(b.named);
  EXPECT_EQ(b.name, "Hi");
  EXPECT_EQ(b.attributes, 0xF8);
  EXPECT_EQ(b.dataOffset, 0x10u);
}

TEST(ResourceFormat, WriterKeepsEveryAttributeBitOfEveryReference) {
  Map map;
  map.types.resize(1);
  map.types[0].type = FourCC("BITS");
  for (int bits = 0; bits < 256; ++bits) {
    Reference r;
    r.id = static_cast<int16_t>(bits);
    r.attributes = static_cast<uint8_t>(bits);
    r.shrunk = (bits & 1) != 0;  // what the library keeps in memory never reaches the disk
    map.types[0].references.push_back(r);
  }
  const Layout layout = ComputeLayout(map);
  const std::vector<uint8_t> bytes = SerializeMap(map, Header{256, 256, 0, layout.mapLength});
  Map back;
  ASSERT_TRUE(ParseMap(bytes.data(), static_cast<uint32_t>(bytes.size()), &back));
  ASSERT_EQ(back.types[0].references.size(), 256u);
  for (int bits = 0; bits < 256; ++bits) {
    EXPECT_EQ(back.types[0].references[bits].attributes, bits);
    EXPECT_FALSE(back.types[0].references[bits].shrunk);
    EXPECT_EQ(bytes[28 + 2 + 8 + 12 * bits + 4], bits);
  }
}

TEST(ResourceFormat, CompressedDataNeedsBothTheAttributeAndTheSignature) {
  const uint8_t signed4[] = {0xA8, 0x9F, 0x65, 0x72, 0x00, 0x12, 0x08, 0x01};
  const uint8_t other[] = {0xA8, 0x9F, 0x65, 0x73, 0x00, 0x12, 0x08, 0x01};
  struct Case {
    const char* what;
    uint8_t attributes;
    const uint8_t* data;
    uint32_t size;
    bool compressed;
  } cases[] = {
      {"signature and attribute", kAttrCompressed, signed4, 8, true},
      {"signature and every attribute bit", 0xFF, signed4, 8, true},
      {"signature only", kAttrPreload | kAttrChanged, signed4, 8, false},
      {"attribute only", kAttrCompressed, other, 8, false},
      {"signature cut short", kAttrCompressed, signed4, 3, false},
      {"exactly the signature", kAttrCompressed, signed4, 4, true},
      {"no data", kAttrCompressed, nullptr, 0, false},
  };
  for (const Case& c : cases)
    EXPECT_EQ(IsCompressedResource(c.attributes, c.data, c.size), c.compressed) << c.what;
}

TEST(ResourceFormat, MalformedMapsAreRejected) {
  struct Case {
    const char* what;
    size_t at;
    uint16_t value;
  } cases[] = {
      {"type list offset past the map", 24, 0xFFF0},
      {"more types than the map holds", 28, 5},
      {"type count below -1", 28, 0xFFFE},
      {"reference list past the map", 36, 0x0100},
      {"more references than the list holds", 34, 3},
      {"reference count below -1 with a list", 34, 0xFFFE},
      {"name list offset past the map", 26, 0x4000},
      {"name offset past the map", 38 + 12 + 2, 0x0040},
  };
  for (const Case& c : cases) {
    std::vector<uint8_t> m = SmallMap();
    PutBig16(m.data() + c.at, c.value);
    Map map;
    EXPECT_FALSE(ParseMap(m.data(), static_cast<uint32_t>(m.size()), &map)) << c.what;
  }
  std::vector<uint8_t> longName = SmallMap();
  longName[longName.size() - 3] = 3;  // the name's length reaches past the map
  Map map;
  EXPECT_FALSE(ParseMap(longName.data(), static_cast<uint32_t>(longName.size()), &map));
  std::vector<uint8_t> noList = SmallMap();
  PutBig16(noList.data() + 36, kNoReferenceList);  // a type without a reference list
  ASSERT_TRUE(ParseMap(noList.data(), static_cast<uint32_t>(noList.size()), &map));
  EXPECT_TRUE(map.types[0].references.empty());
}

TEST(ResourceFormat, WriterDropsRemovedReferencesAndEmptyTypes) {
  Map map;
  map.types.resize(2);
  map.types[0].type = FourCC("AAAA");
  map.types[0].references.resize(2);
  map.types[0].references[0].id = 1;
  map.types[0].references[0].named = true;
  map.types[0].references[0].name = "gone";
  map.types[0].references[0].removed = true;
  map.types[0].references[1].id = 2;
  map.types[0].references[1].named = true;
  map.types[0].references[1].name = "kept";
  map.types[0].references[1].attributes = kAttrChanged | 0x20;
  map.types[0].references[1].shrunk = true;
  map.types[0].references[1].dataOffset = 0x123456;
  map.types[1].type = FourCC("BBBB");
  map.types[1].references.resize(1);
  map.types[1].references[0].removed = true;
  const Layout layout = ComputeLayout(map);
  EXPECT_EQ(layout.types, 1u);
  EXPECT_EQ(layout.references, 1u);
  EXPECT_EQ(layout.nameBytes, 5u);
  EXPECT_EQ(layout.mapLength, 28u + 2 + 8 + 12 + 5);
  Header header{256, 300, 44, layout.mapLength};
  const std::vector<uint8_t> bytes = SerializeMap(map, header);
  ASSERT_EQ(bytes.size(), layout.mapLength);
  EXPECT_EQ(GetBig32(bytes.data() + 4), 300u);
  Map back;
  ASSERT_TRUE(ParseMap(bytes.data(), static_cast<uint32_t>(bytes.size()), &back));
  ASSERT_EQ(back.types.size(), 1u);
  ASSERT_EQ(back.types[0].references.size(), 1u);
  EXPECT_EQ(back.types[0].references[0].name, "kept");
  EXPECT_EQ(back.types[0].references[0].attributes, kAttrChanged | 0x20);
  EXPECT_EQ(back.types[0].references[0].dataOffset, 0x123456u);
}

TEST(ResourceFormat, LayoutReportsWhenSixteenBitOffsetsNoLongerFit) {
  // 28 + 2 + 8 + 12 n <= 0xFFFF: 5458 references fit, 5459 do not.
  Map map;
  map.types.resize(1);
  map.types[0].references.resize(5458);
  EXPECT_TRUE(ComputeLayout(map).fits);
  map.types[0].references.resize(5459);
  EXPECT_FALSE(ComputeLayout(map).fits);
  // Names: the last name must begin below 0xFFFF.
  Map named;
  named.types.resize(1);
  named.types[0].references.resize(300);
  for (Reference& r : named.types[0].references) {
    r.named = true;
    r.name.assign(255, 'n');
  }
  EXPECT_FALSE(ComputeLayout(named).fits);
  named.types[0].references.resize(250);
  EXPECT_TRUE(ComputeLayout(named).fits);
}

TEST(ResourceFormat, ImageRoundTripKeepsEveryResourceAndTheHeaderTail) {
  ResourceImage image;
  image.headerTail.assign(240, 0);
  image.headerTail[0] = 0x5A;
  image.mapReserved[7] = 0x20;
  image.resources.push_back({FourCC("STR "), 128, kAttrPreload, true, "Title", {3, 'a', 'b', 'c'}});
  image.resources.push_back({FourCC("DATA"), -1, 0, false, "", {}});
  image.resources.push_back({FourCC("STR "), 129, 0xF9, false, "", {1, 'x'}});
  std::vector<uint8_t> file;
  std::string error;
  ASSERT_TRUE(WriteImage(image, &file, &error)) << error;
  ResourceImage back;
  ASSERT_TRUE(ReadImage(file, &back, &error)) << error;
  EXPECT_EQ(back.headerTail, image.headerTail);
  EXPECT_EQ(back.mapReserved[7], 0x20);
  ASSERT_EQ(back.resources.size(), 3u);
  // Map order groups by type: both 'STR ' first, then 'DATA'.
  EXPECT_EQ(back.resources[0].name, "Title");
  EXPECT_EQ(back.resources[0].data, image.resources[0].data);
  EXPECT_EQ(back.resources[1].id, 129);
  EXPECT_EQ(back.resources[1].attributes, 0xF9);
  EXPECT_EQ(back.resources[2].type, FourCC("DATA"));
  EXPECT_TRUE(back.resources[2].data.empty());
}

TEST(ResourceFormat, ImageWithAnEntryOutsideTheDataAreaIsRejected) {
  ResourceImage image;
  image.resources.push_back({FourCC("DATA"), 1, 0, false, "", {1, 2, 3, 4}});
  std::vector<uint8_t> file;
  std::string error;
  ASSERT_TRUE(WriteImage(image, &file, &error));
  std::vector<uint8_t> badLength = file;
  PutBig32(badLength.data() + 256, 5);  // one byte more than the data area holds
  ResourceImage back;
  EXPECT_FALSE(ReadImage(badLength, &back, &error));
  std::vector<uint8_t> badOffset = file;
  const uint32_t mapOffset = GetBig32(file.data() + 4);
  PutBig32(badOffset.data() + mapOffset + 28 + 2 + 8 + 4, 0x00000100);
  EXPECT_FALSE(ReadImage(badOffset, &back, &error));
  EXPECT_TRUE(ReadImage(file, &back, &error));
}

TEST(ResourceFormat, NamingRuleAddsRsrWhereTheNameHasNoExtension) {
  struct Case {
    const char* given;
    bool creating;
    const char* expected;
  } cases[] = {
      {"Prefs", false, "Prefs.rsr"},
      {"Notes", true, "Notes.rsr"},
      {"Game.Data.Saved", false, "Game.rsr"},
      {"APP.RSR", false, "APP.RSR"},
      {"Help.dat", false, "Help.dat"},
      {"Help.", false, "Help."},
      {"Help.", true, "Help"},
      {"a.b", false, "a.b"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(ResourceFileName(c.given, c.creating, false), c.expected) << c.given;
  EXPECT_EQ(ResourceFileName("My Long File", false, true), "MyLongFi.rsr");
  EXPECT_EQ(ResourceFileName(std::string(251, 'x') + ".dat", false, false),
            std::string(251, 'x') + ".rsr");
  EXPECT_TRUE(IsFullPath("C:\\dir\\x"));
  EXPECT_TRUE(IsFullPath("\\\\server\\share\\x"));
  EXPECT_FALSE(IsFullPath("dir\\x"));
  EXPECT_FALSE(IsFullPath("C:x"));
}

}  // namespace

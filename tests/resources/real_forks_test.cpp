// A resource fork as Macintosh system software and its tools write it: every type the library
// converts, in the layouts the Toolbox documents (positioning words and help items of later
// system software included), compressed resources, every attribute bit, names, a map laid out
// differently from the library's own writer. Opened, changed everywhere, updated and closed, it
// keeps every byte nothing changed.
#include <algorithm>

#include "debug_capture.h"
#include "resources/window_template.h"
#include "resources_fixture.h"

namespace {

using zeb::resfmt::ImageResource;
using zebtest::HandleText;
using zebtest::Type;

// Big-endian bytes, as a Macintosh writes them.
class Bytes {
 public:
  Bytes& B(int v) {
    v_.push_back(static_cast<uint8_t>(v));
    return *this;
  }
  Bytes& W(int v) { return B(v >> 8).B(v); }
  Bytes& L(uint32_t v) { return W(static_cast<int>(v >> 16)).W(static_cast<int>(v & 0xFFFF)); }
  Bytes& R(int top, int left, int bottom, int right) { return W(top).W(left).W(bottom).W(right); }
  Bytes& P(const std::string& s) {  // a length-prefixed string
    B(static_cast<int>(s.size()));
    v_.insert(v_.end(), s.begin(), s.end());
    return *this;
  }
  Bytes& Even() { return v_.size() & 1 ? B(0) : *this; }
  Bytes& Fill(size_t n, int first, int step) {
    for (size_t i = 0; i < n; ++i) B(first + step * static_cast<int>(i));
    return *this;
  }
  size_t Size() const { return v_.size(); }
  operator std::vector<uint8_t>() const { return v_; }

 private:
  std::vector<uint8_t> v_;
};

// The PixMap record as resources store it (50 bytes): rowBytes with the pixel-map flag.
Bytes& PixMap(Bytes& b, int rowBytes, int rows, int columns, int depth, uint32_t table) {
  return b.L(0).W(0x8000 | rowBytes).R(0, 0, rows, columns).W(0).W(0).L(0)
      .L(0x00480000).L(0x00480000).W(0).W(depth).W(1).W(depth).L(0).L(table).L(0);
}

// A colour table of the given number of entries (seed, flags, size = entries - 1, entries).
Bytes& ColourTable(Bytes& b, int entries) {
  b.L(0x0000ABCD).W(0x0000).W(entries - 1);
  for (int i = 0; i < entries; ++i) b.W(i).W(0x1111 * i).W(0xFFFF - 0x1111 * i).W(0x0F0F * i);
  return b;
}

// The compressed-resource header of later system software (signature, header length 18,
// version 8, attributes 1, expanded size, the decompressor's own bytes), then packed data.
std::vector<uint8_t> Compressed(int seed) {
  Bytes b;
  b.L(0xA89F6572).W(0x0012).B(8).B(1).L(0x00000400).B(0).B(0).W(0).W(0);
  return b.Fill(40, seed, 29);
}

std::vector<ImageResource> EveryKindOfResource() {
  std::vector<ImageResource> r;
  auto add = [&r](const char (&type)[5], short id, uint8_t attributes, const char* name,
                  std::vector<uint8_t> data) {
    r.push_back({Type(type), id, attributes, name != nullptr, name ? name : "", std::move(data)});
  };
  // An alert of 14 bytes: bounds, item list, four stages, the positioning word.
  add("ALRT", 128, 0x20, "Save changes", Bytes().R(40, 40, 140, 340).W(128).W(0x5577).W(0x300A));
  add("ALRT", 129, 0x20, nullptr, Bytes().R(40, 40, 140, 340).W(129).W(0x4444));
  // A check box: bounds, value, visible, filler, maximum, minimum, procID, refCon, title.
  add("CNTL", 128, 0x20, nullptr,
      Bytes().R(10, 10, 30, 100).W(0).B(1).B(0).W(1).W(0).W(1).L(0x12345678).P("Check"));
  // Items: a button, a disabled static text of odd length, an icon, a picture, a control
  // from a 'CNTL', a help item, an appended-help item, an edit text, a user item.
  add("DITL", 128, 0x20, nullptr,
      Bytes().W(8)
          .L(0).R(80, 230, 100, 290).B(4).P("OK").Even()
          .L(0).R(10, 60, 26, 290).B(0x88).P("Hi!").Even()
          .L(0).R(10, 20, 42, 52).B(32).B(2).W(2)
          .L(0).R(50, 20, 70, 52).B(64).B(2).W(128)
          .L(0).R(50, 60, 70, 200).B(7).B(2).W(128)
          .L(0).R(0, 0, 0, 0).B(1).B(4).W(1).W(128)
          .L(0).R(0, 0, 0, 0).B(0x81).B(6).W(8).W(129).W(3)
          .L(0).R(30, 60, 46, 200).B(16).B(0)
          .L(0).R(0, 0, 10, 10).B(0).B(0));
  // A dialog: bounds, procID, visible, filler, goAway, filler, refCon, items, title, then the
  // positioning word at the next even offset.
  add("DLOG", 128, 0x20, "Find",
      Bytes().R(50, 50, 150, 350).W(1).B(1).B(0).B(0).B(0).L(0x0BADF00D).W(128).P("Find").Even()
          .W(0x280A));
  // Windows in the Macintosh layout: refCon at 14, title at 18, with and without the word.
  add("WIND", 128, 0x20, nullptr,
      Bytes().R(40, 4, 340, 504).W(0).B(1).B(0).B(1).B(0).L(0xCAFE0001).P("Untitled").Even().W(0x300A));
  add("WIND", 129, 0x20, "Tools",
      Bytes().R(40, 520, 240, 600).W(4).B(1).B(0).B(0).B(0).L(0x00000002).P("Tools"));
  // A menu: ID, width, height, procedure, enable flags, title, items, end.
  add("MENU", 128, 0, nullptr,
      Bytes().W(128).W(0).W(0).L(0x00000000).L(0xFFFFFFFB).P("File").P("New").B(0).B('N').B(0).B(0)
          .P("Quit").B(0).B('Q').B(0).B(0).B(0));
  add("MENU", 129, 0, nullptr,
      Bytes().W(129).W(0).W(0).L(0x0000ABCD).L(0x7FFFFFFF).P("Edit").P("Undo").B(0).B('Z').B(0)
          .B(0).B(0));
  add("MBAR", 128, 0, nullptr, Bytes().W(3).W(128).W(129).W(130));
  add("STR#", 128, 0x20, "Messages", Bytes().W(3).P("one").P("two").P("three"));
  add("PAT#", 128, 0, nullptr, Bytes().W(2).Fill(8, 0xAA, 0x11).Fill(8, 0x01, 0x02));
  // A version 1 picture: size, frame, the version opcode, a clip region, the end opcode.
  add("PICT", 128, 0x20, nullptr,
      Bytes().W(25).R(0, 0, 10, 10).B(0x11).B(0x01).B(0x01).W(10).R(0, 0, 10, 10).B(0xFF));
  add("vers", 1, 0, nullptr, Bytes().B(1).B(0x20).B(0x80).B(0).W(3).P("1.2").P("1.2, 1994"));
  // International resources: the 32-byte Intl0Rec and the 332-byte Intl1Rec.
  add("INTL", 0, 0, nullptr, Bytes().Fill(30, '.', 1).W(0x0001));
  add("INTL", 1, 0, nullptr, Bytes().Fill(328, 'a', 1).W(0x0001).W(0x4E75));
  add("acur", 128, 0, nullptr, Bytes().W(2).W(0).W(128).W(0).W(129).W(0));
  {
    Bytes cmap;
    for (int i = 0; i < 256; ++i) cmap.L(0x01000000u * static_cast<uint32_t>(i & 0x7F) + 0x010203u * i);
    add("CMAP", 128, 0, nullptr, cmap);
  }
  {
    Bytes clut;
    add("clut", 128, 0x20, nullptr, ColourTable(clut, 4));
  }
  {
    // Two entries: colour, usage, tolerance, private flags, private word.
    Bytes pltt;
    pltt.W(2).W(0).L(0).W(0).W(0).L(0).L(0);
    pltt.W(0xFFFF).W(0xFFFF).W(0xFFFF).W(0x0002).W(0x0000).W(0).L(0);
    pltt.W(0).W(0).W(0).W(0x0002).W(0x0000).W(0).L(0);
    add("pltt", 128, 0, nullptr, pltt);
  }
  {
    // A full-colour pattern: type, pixel map at 28, data at 78, expanded fields, the 8 x 8
    // pattern, the pixel map (2 bits deep, table at 94), 16 bytes of pixels, the table.
    Bytes ppat;
    ppat.W(1).L(28).L(78).L(0).W(0).L(0).Fill(8, 0x55, 0);
    PixMap(ppat, 2, 8, 8, 2, 94).Fill(16, 0x1B, 0x10);
    add("ppat", 128, 0x20, nullptr, ColourTable(ppat, 4));
  }
  {
    // A 16 x 16 colour icon, 2 bits deep: pixel map, mask and icon bitmaps, the data handle,
    // mask and icon bits (16 rows of 2 bytes each), the table at 146, then the pixels.
    Bytes cicn;
    PixMap(cicn, 4, 16, 16, 2, 0);
    cicn.L(0).W(2).R(0, 0, 16, 16).L(0).W(2).R(0, 0, 16, 16).L(0).Fill(32, 0xFF, 0).Fill(32, 0x3C, 1);
    ColourTable(cicn, 4).Fill(64, 0xE4, 3);
    add("cicn", 128, 0x20, nullptr, cicn);
  }
  // A cursor: 16 rows of image, 16 of mask, the hot spot (v, h).
  add("CURS", 128, 0x20, nullptr, Bytes().Fill(32, 0x0F, 7).Fill(32, 0xFF, 0).W(8).W(7));
  {
    // A colour cursor: type, offsets of the pixel map (96) and of the pixels (146), the
    // expanded fields, the 1-bit image and mask, the hot spot, then the pixel map (2 bits,
    // table at 210), 64 bytes of pixels and the table.
    Bytes crsr;
    crsr.W(0x8001).L(96).L(146).L(0).W(0).L(0).Fill(32, 0x70, 1).Fill(32, 0xF8, 0).W(1).W(2).L(0).L(0);
    PixMap(crsr, 4, 16, 16, 2, 210).Fill(64, 0x27, 5);
    add("crsr", 128, 0x20, nullptr, ColourTable(crsr, 4));
  }
  add("ZEBD", 128, 0, nullptr, Bytes().W(0x0102).W(5).Fill(6, 'z', 1));
  // Types whose bytes need nothing, one the library does not know, and a preloaded string.
  add("TEXT", 128, 0x20, "Read Me", Bytes().Fill(21, 'T', 1));
  add("ICON", 128, 0x20, nullptr, Bytes().Fill(128, 0x81, 3));
  add("STR ", 128, 0x24, nullptr, Bytes().P("Preloaded"));
  add("BNDL", 128, 0, nullptr, Bytes().L(0x3F3F3F3F).W(0).W(1));
  // Compressed resources, whatever their type, and every attribute bit the library keeps.
  add("STR#", 129, 0x01, nullptr, Compressed(1));
  add("PICT", 129, 0x21, "Splash", Compressed(2));
  add("clut", 129, 0x01, nullptr, Compressed(3));
  add("snd ", 128, 0xF9, nullptr, Compressed(4));
  add("DATA", 1, 0xF8, nullptr, Bytes().Fill(10, 1, 1));
  return r;
}

// Laid out as older Macintosh writers did and the library's writer does not: the data entries
// in the reverse of map order, 12 spare bytes between the data and the map, the name list in
// the reverse of reference order, the header's spare bytes and the map's reserved words
// filled in.
std::string MacintoshFork(const std::vector<ImageResource>& resources, uint16_t mapAttributes) {
  using namespace zeb::byteorder;
  std::vector<uint32_t> types;
  for (const ImageResource& r : resources)
    if (std::find(types.begin(), types.end(), r.type) == types.end()) types.push_back(r.type);
  std::vector<const ImageResource*> order;  // map order: by type, then as listed
  for (uint32_t t : types)
    for (const ImageResource& r : resources)
      if (r.type == t) order.push_back(&r);
  std::vector<uint8_t> data;
  std::vector<uint32_t> offsets(order.size());
  for (size_t i = order.size(); i-- > 0;) {
    offsets[i] = static_cast<uint32_t>(data.size());
    uint8_t length[4];
    PutBig32(length, static_cast<uint32_t>(order[i]->data.size()));
    data.insert(data.end(), length, length + 4);
    data.insert(data.end(), order[i]->data.begin(), order[i]->data.end());
  }
  std::vector<uint8_t> names;
  std::vector<int> nameOffsets(order.size(), 0xFFFF);
  for (size_t i = order.size(); i-- > 0;) {
    if (!order[i]->named) continue;
    nameOffsets[i] = static_cast<int>(names.size());
    names.push_back(static_cast<uint8_t>(order[i]->name.size()));
    names.insert(names.end(), order[i]->name.begin(), order[i]->name.end());
  }
  const uint32_t gap = 12;
  const uint32_t typeList = 2 + 8 * static_cast<uint32_t>(types.size());
  const uint32_t nameList = 28 + typeList + 12 * static_cast<uint32_t>(order.size());
  const uint32_t mapLength = nameList + static_cast<uint32_t>(names.size());
  const uint32_t mapOffset = 256 + static_cast<uint32_t>(data.size()) + gap;
  std::vector<uint8_t> file(256, 0);
  for (int i = 16; i < 256; ++i) file[i] = static_cast<uint8_t>(i * 3);  // the system's own use
  PutBig32(&file[0], 256);
  PutBig32(&file[4], mapOffset);
  PutBig32(&file[8], static_cast<uint32_t>(data.size()));
  PutBig32(&file[12], mapLength);
  file.insert(file.end(), data.begin(), data.end());
  file.insert(file.end(), gap, 0);
  std::vector<uint8_t> map(nameList, 0);
  std::copy(file.begin(), file.begin() + 16, map.begin());
  PutBig32(&map[16], 0x003AB120);  // the next map's handle, as the system left it
  PutBig16(&map[20], 0x0012);      // the file's reference number then
  PutBig16(&map[22], mapAttributes);
  PutBig16(&map[24], 28);
  PutBig16(&map[26], static_cast<uint16_t>(nameList));
  PutBig16(&map[28], static_cast<uint16_t>(types.size() - 1));
  uint32_t refAt = typeList;
  size_t index = 0;
  for (size_t t = 0; t < types.size(); ++t) {
    uint8_t* entry = &map[30 + 8 * t];
    const size_t first = index;
    while (index < order.size() && order[index]->type == types[t]) ++index;
    PutBig32(entry, types[t]);
    PutBig16(entry + 4, static_cast<uint16_t>(index - first - 1));
    PutBig16(entry + 6, static_cast<uint16_t>(refAt));
    for (size_t i = first; i < index; ++i, refAt += 12) {
      uint8_t* ref = &map[28 + refAt];
      PutBig16(ref, static_cast<uint16_t>(order[i]->id));
      PutBig16(ref + 2, static_cast<uint16_t>(nameOffsets[i]));
      PutBig32(ref + 4, (uint32_t{order[i]->attributes} << 24) | offsets[i]);
      PutBig32(ref + 8, 0x00E0F000 + static_cast<uint32_t>(i));  // a handle from the last run
    }
  }
  map.insert(map.end(), names.begin(), names.end());
  file.insert(file.end(), map.begin(), map.end());
  return std::string(file.begin(), file.end());
}

class RealForkTest : public zebtest::ResourcesTest {
 protected:
  // Loads every resource, marks it changed, updates and closes the file, each step reporting
  // expected.
  void ChangeEverything(const std::string& name, OSErr expected) {
    const short ref = Open(name);
    ASSERT_GT(ref, 0) << ResError();
    for (const ImageResource& r : resources_) {
      Handle h = Get1Resource(r.type, r.id);
      ASSERT_NE(h, nullptr) << zebtest::TypeText(r.type) << " " << r.id;
      EXPECT_EQ(GetResAttrs(h), r.attributes) << zebtest::TypeText(r.type) << " " << r.id;
      ChangedResource(h);
    }
    EXPECT_EQ(UpdateResFile(ref), expected == noErr ? 1 : 0);
    EXPECT_EQ(ResError(), expected);
    CloseResFile(ref);
    EXPECT_EQ(ResError(), expected);
  }

  const std::vector<ImageResource> resources_ = EveryKindOfResource();
  zebtest::DebugCapture capture_;  // the unknown 'BNDL' is reported
};

TEST_F(RealForkTest, EveryResourceConvertsToTheValuesTheToolboxDocuments) {
  ASSERT_TRUE(dir_.Write("System.rsr", MacintoshFork(resources_, 0)));
  ASSERT_GT(Open("System.rsr"), 0);
  auto word = [](Handle h, int at) { return *reinterpret_cast<unsigned short*>(*h + at); };
  auto longAt = [](Handle h, int at) { return *reinterpret_cast<uint32_t*>(*h + at); };
  EXPECT_EQ(word(Get1Resource(Type("ALRT"), 128), 12), 0x300A);
  Handle ditl = Get1Resource(Type("DITL"), 128);
  EXPECT_EQ(word(ditl, 0), 8);
  // The help item is the sixth, 2 + 16 + 18 + 16 + 16 + 16 bytes in; the appended one follows
  // 18 bytes later.
  EXPECT_EQ(word(ditl, 84 + 14), 1);
  EXPECT_EQ(word(ditl, 84 + 16), 128);
  EXPECT_EQ(word(ditl, 102 + 14), 8);
  EXPECT_EQ(word(ditl, 102 + 16), 129);
  EXPECT_EQ(word(ditl, 102 + 18), 3);
  Handle dlog = Get1Resource(Type("DLOG"), 128);
  EXPECT_EQ(longAt(dlog, 14), 0x0BADF00Du);
  EXPECT_EQ(word(dlog, 26), 0x280A);
  Handle wind = Get1Resource(Type("WIND"), 128);
  zeb::resources::WindowTemplate t{};
  ASSERT_TRUE(zeb::resources::ReadWindowTemplate(reinterpret_cast<uint8_t*>(*wind),
                                                 static_cast<uint32_t>(GetHandleSize(wind)), t));
  EXPECT_EQ(t.refCon, static_cast<int32_t>(0xCAFE0001));
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(t.title + 1), t.title[0]), "Untitled");
  EXPECT_EQ(t.positioning, 0x300A);
  EXPECT_EQ(word(Get1Resource(Type("STR#"), 128), 0), 3);
  EXPECT_EQ(word(Get1Resource(Type("INTL"), 1), 330), 0x4E75);
  Handle packed = Get1Resource(Type("STR#"), 129);
  EXPECT_EQ(HandleText(packed).substr(0, 4), "\xA8\x9F\x65\x72") << "compressed: as stored";
  Handle bundle = Get1Resource(Type("BNDL"), 128);
  EXPECT_EQ(HandleText(bundle), std::string("????\0\0\0\1", 8)) << "unknown: as stored";
  EXPECT_EQ(capture_.Text(), "BNDL unknown byteswap type\r\n");
}

TEST_F(RealForkTest, ChangingEverythingAndUpdatingKeepsEveryByteNothingChanged) {
  const std::string before = MacintoshFork(resources_, 0x0001);
  ASSERT_TRUE(dir_.Write("System.rsr", before));
  ChangeEverything("System.rsr", noErr);
  const zeb::resfmt::ResourceImage after = ReadFile("System.rsr");
  ASSERT_EQ(after.resources.size(), resources_.size());
  for (const ImageResource& r : resources_) {
    const ImageResource* back = Find(after, r.type, r.id);
    ASSERT_NE(back, nullptr) << zebtest::TypeText(r.type) << " " << r.id;
    EXPECT_EQ(back->data, r.data) << zebtest::TypeText(r.type) << " " << r.id;
    EXPECT_EQ(back->attributes, r.attributes) << zebtest::TypeText(r.type) << " " << r.id;
    EXPECT_EQ(back->named, r.named) << zebtest::TypeText(r.type) << " " << r.id;
    EXPECT_EQ(back->name, r.name) << zebtest::TypeText(r.type) << " " << r.id;
  }
  EXPECT_EQ(after.headerTail, std::vector<uint8_t>(before.begin() + 16, before.begin() + 256));
  const uint32_t mapOffset = zeb::byteorder::GetBig32(before.data() + 4);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(after.mapReserved), 8),
            before.substr(mapOffset + 16, 8));
}

TEST_F(RealForkTest, AReadOnlyMapSurvivesTheSameTreatmentByteForByte) {
  const std::string before = MacintoshFork(resources_, 0x0080);
  ASSERT_TRUE(dir_.Write("Locked.rsr", before));
  ChangeEverything("Locked.rsr", mapReadErr);
  EXPECT_TRUE(Contents("Locked.rsr") == before) << "the file on disk is untouched";
}

}  // namespace

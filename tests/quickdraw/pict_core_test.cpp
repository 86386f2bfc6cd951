// The PICT encoder and reader on their own: the bytes of each opcode family as a Macintosh
// writes them, the opcode table's data lengths (every reserved range followed by a shape that
// must still be read), images of every depth and packing, and damaged pictures that must stop
// at their data.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "quickdraw/pict_format.h"
#include "quickdraw/pict_reader.h"
#include "quickdraw/pict_writer.h"

namespace zeb::quickdraw::pict {
namespace {

struct VectorSink : PictSink {
  std::vector<uint8_t> bytes;
  void Put(const uint8_t* data, size_t count) override { bytes.insert(bytes.end(), data, data + count); }
};

// Big-endian byte building, as the tests spell out a Macintosh picture.
struct Bytes {
  std::vector<uint8_t> b;
  Bytes& w(int v) {
    b.push_back(static_cast<uint8_t>(v >> 8));
    b.push_back(static_cast<uint8_t>(v));
    return *this;
  }
  Bytes& l(uint32_t v) { return w(static_cast<int>(v >> 16)).w(static_cast<int>(v & 0xFFFF)); }
  Bytes& u8(int v) {
    b.push_back(static_cast<uint8_t>(v));
    return *this;
  }
  Bytes& rect(int t, int l_, int bo, int r) { return w(t).w(l_).w(bo).w(r); }
  Bytes& zeros(size_t n) {
    b.insert(b.end(), n, 0);
    return *this;
  }
  Bytes& pad() {
    if (b.size() & 1) b.push_back(0);
    return *this;
  }
};

// The version-2 opening as OpenPicture writes it after picSize and picFrame.
Bytes Version2Opening(int top, int left, int bottom, int right) {
  Bytes x;
  x.w(0x0011).w(0x02FF).w(0x0C00).l(0xFFFFFFFF);
  x.l(static_cast<uint32_t>(left) << 16).l(static_cast<uint32_t>(top) << 16);
  x.l(static_cast<uint32_t>(right) << 16).l(static_cast<uint32_t>(bottom) << 16).l(0);
  return x;
}

// Every call the reader makes, as text, in order.
struct Log : PictPlayer {
  std::vector<std::string> calls;
  void Add(const std::string& s) { calls.push_back(s); }
  static std::string R(const Rect& r) {
    return std::to_string(r.top) + "," + std::to_string(r.left) + "," + std::to_string(r.bottom) + "," +
           std::to_string(r.right);
  }
  static std::string P(Point p) { return std::to_string(p.v) + "," + std::to_string(p.h); }
  void Header(bool extended, int32_t hRes, int32_t vRes, const Rect& src) override {
    Add("header " + std::to_string(extended) + " " + std::to_string(hRes >> 16) + " " +
        std::to_string(vRes >> 16) + (extended ? " " + R(src) : ""));
  }
  void Clip(const Rect& box) override { Add("clip " + R(box)); }
  void Pattern(uint16_t op, const uint8_t p[8]) override {
    Add("pattern " + std::to_string(op) + " " + std::to_string(p[0]) + " " + std::to_string(p[7]));
  }
  void PixelPattern(const PictPixPat& pp) override {
    Add("pixpat " + std::to_string(pp.opcode) + " " + std::to_string(pp.patType) + " " +
        std::to_string(pp.image.rows.size()));
  }
  void TextFont(int16_t f) override { Add("font " + std::to_string(f)); }
  void TextFace(uint8_t f) override { Add("face " + std::to_string(f)); }
  void TextMode(int16_t m) override { Add("txmode " + std::to_string(m)); }
  void SpaceExtra(int32_t e) override { Add("spextra " + std::to_string(e)); }
  void PenSize(Point p) override { Add("pensize " + P(p)); }
  void PenMode(int16_t m) override { Add("penmode " + std::to_string(m)); }
  void OvalSize(Point p) override { Add("oval " + P(p)); }
  void Origin(int16_t dh, int16_t dv) override { Add("origin " + std::to_string(dh) + "," + std::to_string(dv)); }
  void TextSize(int16_t s) override { Add("txsize " + std::to_string(s)); }
  void ClassicColour(uint16_t op, int32_t c) override {
    Add("colour " + std::to_string(op) + " " + std::to_string(c));
  }
  void RgbColour(uint16_t op, const Rgb16& c) override {
    Add("rgb " + std::to_string(op) + " " + std::to_string(c.red) + "," + std::to_string(c.green) + "," +
        std::to_string(c.blue));
  }
  void Line(Point a, Point b) override { Add("line " + P(a) + " " + P(b)); }
  void Text(uint16_t op, Point o, uint8_t dh, uint8_t dv, const uint8_t* t, int n) override {
    Add("text " + std::to_string(op) + " " + P(o) + " " + std::to_string(dh) + " " + std::to_string(dv) +
        " " + std::string(reinterpret_cast<const char*>(t), static_cast<size_t>(n)));
  }
  void FontName(int16_t f, const uint8_t* name) override {
    Add("fontname " + std::to_string(f) + " " + std::string(reinterpret_cast<const char*>(name + 1), name[0]));
  }
  void Shape(uint16_t family, int verb, const Rect& r, int16_t a, int16_t b) override {
    Add("shape " + std::to_string(family) + " " + std::to_string(verb) + " " + R(r) +
        (family == 0x60 ? " " + std::to_string(a) + " " + std::to_string(b) : ""));
  }
  void Polygon(int verb, const Rect& box, const Point* pts, size_t n) override {
    std::string s = "poly " + std::to_string(verb) + " " + R(box);
    for (size_t i = 0; i < n; ++i) s += " " + P(pts[i]);
    Add(s);
  }
  void Bits(const PictBits& bits) override {
    const PictImage& im = bits.image;
    Add("bits " + std::to_string(bits.opcode) + " " + std::to_string(im.pixMap ? im.pixelSize : 1) + " " +
        R(im.bounds) + " " + R(bits.srcRect) + " " + R(bits.dstRect) + " " + std::to_string(bits.mode) +
        " mask " + std::to_string(bits.hasMask));
    lastBits = bits;
  }
  void Comment(int16_t kind, const uint8_t* d, size_t n) override {
    Add("comment " + std::to_string(kind) + " " + std::string(reinterpret_cast<const char*>(d ? d : (const uint8_t*)""), n));
  }
  PictBits lastBits;
};

ReadResult Read(const std::vector<uint8_t>& ops, Log& log, ReadInfo* info = nullptr) {
  MemorySource src(ops.data(), ops.size());
  return ReadPicture(src, ops.size(), log, info);
}

TEST(PictRecording, FrameRectOnAFreshPortWritesClipThenTheRectangleOnly) {
  VectorSink sink;
  PictRecorder rec(sink);
  const Rect frame = {0, 0, 100, 200};
  rec.WriteHeader(frame);
  const Rect clip = {0, 0, 300, 400};
  const Rect r = {10, 20, 30, 40};
  PatternValue black;
  std::memset(black.bytes, 0xFF, 8);
  PatternValue white;
  rec.SyncClip(clip);
  rec.SyncVerb(kFrame, PenState{{1, 1}, 8, &black}, white, black);
  rec.Shape(0x30, kFrame, r, 0, 0);
  rec.WriteEnd((rec.Written() + 10) & 1);

  Bytes want = Version2Opening(0, 0, 100, 200);
  want.w(0x0001).w(10).rect(0, 0, 300, 400);
  want.w(0x0030).rect(10, 20, 30, 40);
  want.w(0x00FF);
  EXPECT_EQ(sink.bytes, want.b);
}

TEST(PictRecording, StateOpcodesGoOutOnlyWhenTheirValueChanges) {
  VectorSink sink;
  PictRecorder rec(sink);
  PatternValue black, gray, white;
  std::memset(black.bytes, 0xFF, 8);
  for (int i = 0; i < 8; ++i) gray.bytes[i] = (i & 1) ? 0x55 : 0xAA;
  const PenState thick{{3, 2}, 10, &gray};  // v 3, h 2
  rec.SyncVerb(kFrame, thick, white, black);
  rec.SyncVerb(kFrame, thick, white, black);   // nothing new
  rec.SyncVerb(kInvert, thick, white, gray);   // invert writes nothing
  rec.SyncVerb(kErase, thick, white, black);   // the background, first time
  rec.SyncVerb(kFill, thick, white, gray);     // the fill pattern
  rec.SyncVerb(kPaint, PenState{{1, 1}, 8, &black}, white, gray);  // mode and pattern, no size
  Bytes want;
  want.w(0x0007).w(3).w(2).w(0x0008).w(10).w(0x0009);
  for (uint8_t b : gray.bytes) want.u8(b);
  want.w(0x0002).zeros(8);
  want.w(0x000A);
  for (uint8_t b : gray.bytes) want.u8(b);
  want.w(0x0008).w(8).w(0x0009).l(0xFFFFFFFF).l(0xFFFFFFFF);
  EXPECT_EQ(sink.bytes, want.b);
}

TEST(PictRecording, LinesTakeTheFromAndShortFormsAndShapesTheirSameForms) {
  VectorSink sink;
  PictRecorder rec(sink);
  rec.Line({10, 10}, {20, 30});      // short, not from the last
  rec.Line({20, 30}, {20, 300});     // from the last, long
  rec.Line({20, 300}, {25, 290});    // from the last, short
  rec.Line({0, 0}, {500, 0});        // neither
  const Rect r = {1, 2, 3, 4};
  rec.Shape(0x50, kPaint, r, 0, 0);
  rec.Shape(0x50, kFill, r, 0, 0);
  rec.Shape(0x40, kFrame, r, 16, 8);
  rec.Shape(0x40, kFrame, r, 16, 8);
  rec.Shape(0x60, kInvert, r, 45, 90);
  rec.Shape(0x60, kErase, r, 0, 180);
  Bytes want;
  want.w(0x22).w(10).w(10).u8(20).u8(10);
  want.w(0x21).w(20).w(300);
  want.w(0x23).u8(-10 & 0xFF).u8(5);
  want.w(0x20).w(0).w(0).w(500).w(0);
  want.w(0x51).rect(1, 2, 3, 4).w(0x5C);
  want.w(0x0B).w(8).w(16).w(0x40).rect(1, 2, 3, 4).w(0x48);
  want.w(0x63).rect(1, 2, 3, 4).w(45).w(90).w(0x6A).w(0).w(180);
  EXPECT_EQ(sink.bytes, want.b);
}

TEST(PictRecording, TextTakesDeltaFormsAndCommentsTheirShortAndLongForms) {
  VectorSink sink;
  PictRecorder rec(sink);
  const uint8_t name[] = {5, 'T', 'i', 'm', 'e', 's'};
  rec.SyncText(TextState{20, 1, 1, 12, 0, name});
  const uint8_t abc[] = {'a', 'b', 'c'};
  rec.Text({50, 10}, abc, 3);
  rec.Text({50, 40}, abc, 2);   // dh only
  rec.Text({70, 40}, abc, 1);   // dv only
  rec.Text({80, 45}, abc, 1);   // both
  rec.Text({10, 5}, abc, 1);    // backwards: long again
  rec.Comment(100, nullptr, 0);
  const uint8_t data[] = {1, 2, 3};
  rec.Comment(200, data, 3);
  rec.Comment(201, data, -1);   // a negative size records nothing
  Bytes want;
  want.w(0x2C).w(8).w(20).u8(5).u8('T').u8('i').u8('m').u8('e').u8('s').pad();
  want.w(0x03).w(20).w(0x04).u8(1).pad().w(0x0D).w(12);
  want.w(0x28).w(50).w(10).u8(3).u8('a').u8('b').u8('c');
  want.w(0x29).u8(30).u8(2).u8('a').u8('b').pad();
  want.w(0x2A).u8(20).u8(1).u8('a').pad();
  want.w(0x2B).u8(5).u8(10).u8(1).u8('a');
  want.w(0x28).w(10).w(5).u8(1).u8('a').pad();
  want.w(0xA0).w(100).w(0xA1).w(200).w(3).u8(1).u8(2).u8(3).pad();
  EXPECT_EQ(sink.bytes, want.b);
}

TEST(PictRoundTrip, EveryRecordedCallReadsBackInPictureCoordinates) {
  VectorSink sink;
  PictRecorder rec(sink);
  rec.WriteExtendedHeader({0, 0, 200, 400}, 144 << 16, 144 << 16);
  rec.SyncClip({0, 0, 200, 400});
  rec.SyncOrigin({5, -3});
  rec.ClassicColour(kFgColor, 205);
  rec.RgbColour(kRGBBkCol, {1, 2, 3});
  rec.HiliteColour({4, 5, 6});
  rec.Line({1, 2}, {3, 4});
  rec.Line({3, 4}, {300, 4});
  rec.Shape(0x30, kPaint, {1, 1, 9, 9}, 0, 0);
  rec.Shape(0x30, kErase, {1, 1, 9, 9}, 0, 0);
  rec.Shape(0x60, kFrame, {2, 2, 8, 8}, 10, 20);
  rec.Shape(0x60, kFill, {2, 2, 8, 8}, 30, 40);
  const Point pts[] = {{0, 0}, {10, 0}, {10, 10}};
  rec.Polygon(kPaint, {0, 0, 10, 10}, pts, 3);
  rec.Region(kInvert, {0, 0, 5, 5});
  const uint8_t hi[] = {'h', 'i'};
  rec.Text({20, 10}, hi, 2);
  rec.Text({20, 30}, hi, 2);
  rec.Comment(7, hi, 2);
  rec.WriteEnd(false);
  Log log;
  ReadInfo info;
  EXPECT_EQ(Read(sink.bytes, log, &info), ReadResult::kEnded);
  EXPECT_EQ(info.version, 2);
  EXPECT_EQ(info.consumed, sink.bytes.size());
  const std::vector<std::string> want = {
      "header 1 144 144 0,0,200,400", "clip 0,0,200,400", "origin -3,5", "colour 14 205",
      "rgb 27 1,2,3", "rgb 29 4,5,6", "line 1,2 3,4", "line 3,4 300,4", "shape 48 1 1,1,9,9",
      "shape 48 2 1,1,9,9", "shape 96 0 2,2,8,8 10 20", "shape 96 4 2,2,8,8 30 40",
      "poly 1 0,0,10,10 0,0 10,0 10,10", "text 40 20,10 0 0 hi", "text 41 20,30 20 0 hi",
      "comment 7 hi"};
  EXPECT_EQ(log.calls, want);
}

// Each reserved range with the data the table gives it, then a rectangle that must be reached.
TEST(PictReading, ReservedOpcodesCarryTheirTableLengths) {
  struct Case {
    int op;
    std::vector<uint8_t> data;
  };
  std::vector<Case> cases = {
      {0x17, {}}, {0x18, {}}, {0x19, {}}, {0x1C, {}}, {0x1E, {}},
      {0x10, std::vector<uint8_t>(8, 7)}, {0x15, {0, 1}}, {0x16, {0, 1}}, {0x1F, std::vector<uint8_t>(6, 1)},
      {0x24, {0, 3, 9, 9, 9}}, {0x27, {0, 0}}, {0x2D, {0, 2, 9, 9}}, {0x2E, {0, 1, 9}}, {0x2F, {0, 0}},
      {0x35, std::vector<uint8_t>(8, 1)}, {0x37, std::vector<uint8_t>(8, 1)}, {0x3D, {}}, {0x3F, {}},
      {0x45, std::vector<uint8_t>(8, 1)}, {0x47, std::vector<uint8_t>(8, 1)}, {0x4D, {}}, {0x4F, {}},
      {0x55, std::vector<uint8_t>(8, 1)}, {0x57, std::vector<uint8_t>(8, 1)}, {0x5D, {}}, {0x5F, {}},
      {0x65, std::vector<uint8_t>(12, 1)}, {0x67, std::vector<uint8_t>(12, 1)},
      {0x6D, std::vector<uint8_t>(4, 1)}, {0x6F, std::vector<uint8_t>(4, 1)},
      {0x75, {0, 14, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2, 2}}, {0x77, {0, 10, 0, 0, 0, 0, 1, 1, 1, 1}},
      {0x78, {}}, {0x7F, {}}, {0x85, {0, 12, 0, 0, 0, 0, 1, 1, 1, 1, 5, 5}}, {0x87, {0, 10, 0, 0, 0, 0, 1, 1, 1, 1}},
      {0x88, {}}, {0x8F, {}}, {0x92, {0, 2, 1, 1}}, {0x97, {0, 0}}, {0x9C, {0, 1, 5}}, {0x9F, {0, 0}},
      {0xA2, {0, 4, 1, 2, 3, 4}}, {0xAF, {0, 0}}, {0xB0, {}}, {0xCF, {}},
      {0xD0, {0, 0, 0, 3, 1, 2, 3}}, {0xFE, {0, 0, 0, 0}},
      {0x0100, {0, 0}}, {0x0200, {0, 0, 0, 0}}, {0x7F00, std::vector<uint8_t>(254, 0)},
      {0x7FFF, std::vector<uint8_t>(254, 0)}, {0x8000, {}}, {0x80FF, {}},
      {0x8100, {0, 0, 0, 2, 1, 1}}, {0xFFFF, {0, 0, 0, 1, 1}},
  };
  for (const Case& c : cases) {
    Bytes x;
    x.w(0x0011).w(0x02FF).w(c.op);
    x.b.insert(x.b.end(), c.data.begin(), c.data.end());
    x.pad();
    x.w(0x0031).rect(1, 2, 3, 4).w(0x00FF);
    Log log;
    EXPECT_EQ(Read(x.b, log), ReadResult::kEnded) << std::hex << c.op;
    ASSERT_FALSE(log.calls.empty()) << std::hex << c.op;
    EXPECT_EQ(log.calls.back(), "shape 48 1 1,2,3,4") << std::hex << c.op;
  }
}

TEST(PictReading, VersionOnePicturesHaveByteOpcodesWithoutPadding) {
  Bytes x;
  x.u8(0x11).u8(0x01);
  x.u8(0x04).u8(0x02);                       // face: one byte, no pad
  x.u8(0x22).w(5).w(6).u8(2).u8(3);          // short line from (v 5, h 6) by dh 2, dv 3
  x.u8(0x31).rect(1, 2, 3, 4).u8(0xFF);
  Log log;
  ReadInfo info;
  EXPECT_EQ(Read(x.b, log, &info), ReadResult::kEnded);
  EXPECT_EQ(info.version, 1);
  const std::vector<std::string> want = {"face 2", "line 5,6 8,8", "shape 48 1 1,2,3,4"};
  EXPECT_EQ(log.calls, want);
}

TEST(PictReading, DamagedPicturesStopAtTheirData) {
  struct Case {
    const char* what;
    Bytes ops;
    ReadResult result;
  };
  std::vector<Case> cases;
  cases.push_back({"no version", Bytes().w(0x0030).rect(0, 0, 1, 1), ReadResult::kNotAPicture});
  cases.push_back({"version 3", Bytes().w(0x0011).w(0x03FF), ReadResult::kNotAPicture});
  cases.push_back({"empty", Bytes(), ReadResult::kNotAPicture});
  cases.push_back({"no end", Bytes().w(0x0011).w(0x02FF).w(0x0030).rect(0, 0, 1, 1), ReadResult::kOutOfData});
  cases.push_back({"cut rect", Bytes().w(0x0011).w(0x02FF).w(0x0030).w(1), ReadResult::kOutOfData});
  cases.push_back({"word length past end", Bytes().w(0x0011).w(0x02FF).w(0x00A2).w(0x7000).w(0), ReadResult::kOutOfData});
  cases.push_back({"long length past end", Bytes().w(0x0011).w(0x02FF).w(0x8100).l(0xFFFFFFF0).w(0), ReadResult::kBadData});
  cases.push_back({"region too small", Bytes().w(0x0011).w(0x02FF).w(0x0001).w(8).rect(0, 0, 1, 1), ReadResult::kBadData});
  cases.push_back({"odd polygon", Bytes().w(0x0011).w(0x02FF).w(0x0070).w(13).rect(0, 0, 1, 1).zeros(4), ReadResult::kBadData});
  cases.push_back({"comment past end", Bytes().w(0x0011).w(0x02FF).w(0x00A1).w(1).w(500).zeros(4), ReadResult::kOutOfData});
  cases.push_back({"font name longer than its data", Bytes().w(0x0011).w(0x02FF).w(0x002C).w(4).w(3).u8(9).u8('x'), ReadResult::kBadData});
  cases.push_back({"text past end", Bytes().w(0x0011).w(0x02FF).w(0x0028).w(0).w(0).u8(200).u8('a'), ReadResult::kOutOfData});
  // Bits: a table of 300 entries, rows too short for the width, empty bounds, inverted bounds.
  cases.push_back({"table count", Bytes().w(0x0011).w(0x02FF).w(0x0098).w(0x8004).rect(0, 0, 1, 8).w(0).w(0).l(0).l(0x480000).l(0x480000).w(0).w(8).w(1).w(8).l(0).l(0).l(0).l(0).w(0).w(299), ReadResult::kBadData});
  cases.push_back({"row bytes short", Bytes().w(0x0011).w(0x02FF).w(0x0090).w(1).rect(0, 0, 1, 16).rect(0, 0, 1, 16).rect(0, 0, 1, 16).w(0).w(0), ReadResult::kBadData});
  cases.push_back({"empty bounds", Bytes().w(0x0011).w(0x02FF).w(0x0090).w(2).rect(0, 0, 0, 16).rect(0, 0, 1, 16).rect(0, 0, 1, 16).w(0), ReadResult::kBadData});
  cases.push_back({"inverted bounds", Bytes().w(0x0011).w(0x02FF).w(0x0090).w(2).rect(5, 0, 1, 16).rect(0, 0, 1, 16).rect(0, 0, 1, 16).w(0), ReadResult::kBadData});
  cases.push_back({"rows past the data", Bytes().w(0x0011).w(0x02FF).w(0x0090).w(2).rect(0, 0, 30000, 16).rect(0, 0, 1, 16).rect(0, 0, 1, 16).w(0).zeros(20), ReadResult::kOutOfData});
  cases.push_back({"packed row short of its row", Bytes().w(0x0011).w(0x02FF).w(0x0098).w(8).rect(0, 0, 2, 64).rect(0, 0, 1, 16).rect(0, 0, 1, 16).w(0).u8(1).u8(0x05).u8(2).u8(0x81).u8(0).zeros(8), ReadResult::kBadData});
  cases.push_back({"pixel pattern type", Bytes().w(0x0011).w(0x02FF).w(0x0012).w(7).zeros(8), ReadResult::kBadData});
  cases.push_back({"direct bits without a pixel map", Bytes().w(0x0011).w(0x02FF).w(0x009A).l(0xFF).w(8).rect(0, 0, 1, 2), ReadResult::kBadData});
  for (Case& c : cases) {
    Log log;
    EXPECT_EQ(Read(c.ops.b, log), c.result) << c.what;
  }
}

TEST(PictReading, EveryPrefixOfAPictureEndsWithoutReadingPastIt) {
  VectorSink sink;
  PictRecorder rec(sink);
  rec.WriteHeader({0, 0, 10, 10});
  rec.Line({1, 1}, {5, 5});
  rec.Shape(0x40, kFrame, {0, 0, 9, 9}, 4, 4);
  const uint8_t t[] = {'x', 'y', 'z'};
  rec.Text({4, 4}, t, 3);
  rec.Comment(5, t, 3);
  std::vector<uint8_t> rows(8 * 3, 0x5A);
  BitsSource img;
  img.rowBytes = 8;
  img.bounds = {0, 0, 3, 64};
  img.rows = rows.data();
  ASSERT_TRUE(rec.Bits(img, img.bounds, img.bounds, 0));
  rec.WriteEnd(false);
  for (size_t n = 0; n < sink.bytes.size(); ++n) {
    // The bytes past n are poisoned in a larger buffer: a read beyond the limit would see them.
    std::vector<uint8_t> buffer(sink.bytes.begin(), sink.bytes.begin() + static_cast<ptrdiff_t>(n));
    buffer.resize(n + 64, 0xFF);
    MemorySource src(buffer.data(), buffer.size());
    Log log;
    ReadInfo info;
    const ReadResult r = ReadPicture(src, n, log, &info);
    EXPECT_NE(r, ReadResult::kEnded) << n;
    EXPECT_LE(info.consumed, n);
  }
}

// Images of every depth, each with the packing its row bytes choose, read back pixel for pixel.
TEST(PictBits, ImagesOfEveryDepthAndPackingReadBackEqual) {
  struct Case {
    int depth, width, rowBytes, height;
    uint16_t opcode;
    int16_t packType;
  };
  const Case cases[] = {
      {1, 16, 2, 4, 0x90, 1},   {1, 80, 10, 4, 0x98, 0},  {1, 2400, 300, 2, 0x98, 0},
      {2, 40, 10, 3, 0x98, 0},  {4, 20, 10, 3, 0x98, 0},  {8, 3, 4, 2, 0x90, 1},
      {8, 40, 40, 3, 0x98, 0},  {16, 3, 6, 2, 0x9A, 1},   {16, 40, 80, 3, 0x9A, 3},
      {32, 1, 4, 2, 0x9A, 1},   {32, 30, 120, 3, 0x9A, 4}, {32, 100, 400, 2, 0x9A, 4},
  };
  for (const Case& c : cases) {
    std::vector<uint8_t> rows(static_cast<size_t>(c.rowBytes) * c.height);
    for (size_t i = 0; i < rows.size(); ++i) rows[i] = static_cast<uint8_t>((i / 5) * 37 + (i % 3));
    if (c.depth == 32)
      for (size_t i = 0; i < rows.size(); i += 4) rows[i] = 0;  // the pad byte is not kept
    BitsSource img;
    img.pixMap = c.depth > 1;
    img.pixelSize = static_cast<int16_t>(c.depth);
    img.rowBytes = c.rowBytes;
    img.bounds = {0, 0, static_cast<short>(c.height), static_cast<short>(c.width)};
    img.rows = rows.data();
    if (c.depth > 1 && c.depth <= 8)
      for (int i = 0; i < (1 << c.depth) && i < 256; ++i)
        img.table.push_back({static_cast<uint16_t>(i), {static_cast<uint16_t>(i * 100), 0, 0}});
    VectorSink sink;
    PictRecorder rec(sink);
    Bytes opening;
    opening.w(0x0011).w(0x02FF);
    sink.bytes = opening.b;
    ASSERT_TRUE(rec.Bits(img, {0, 0, 1, 1}, {2, 2, 3, 3}, 64)) << c.depth;
    rec.WriteEnd(false);
    ASSERT_GE(sink.bytes.size(), 6u);
    EXPECT_EQ(GetU16(sink.bytes.data() + 4), c.opcode) << c.depth << " " << c.width;
    if (c.depth >= 16) {
      // The packType the rows were written with is in the pixel map (after base address,
      // rowBytes, bounds and pmVersion).
      EXPECT_EQ(GetI16(sink.bytes.data() + 6 + 4 + 2 + 8 + 2), c.packType) << c.depth << " " << c.width;
    }
    Log log;
    EXPECT_EQ(Read(sink.bytes, log), ReadResult::kEnded) << c.depth << " " << c.width;
    ASSERT_EQ(log.calls.size(), 1u);
    EXPECT_EQ(log.lastBits.image.rows, rows) << c.depth << " " << c.width;
    EXPECT_EQ(log.lastBits.image.rowBytes, c.rowBytes);
    EXPECT_EQ(log.lastBits.image.table.size(), img.table.size());
  }
}

// Rows of one value pack into far fewer bytes than rowBytes: an image of such rows just before
// the end of a picture still reads back whole (found by fuzzing: a 41 x 3 all-black 32-bit image
// was taken for data cut short).
TEST(PictBits, UniformDirectRowsAtTheEndOfAPictureReadBack) {
  struct Case {
    int depth, width, rowBytes, height;
  };
  for (const Case& c : {Case{32, 41, 164, 3}, Case{32, 200, 800, 4}, Case{16, 300, 600, 4},
                        Case{8, 300, 300, 4}}) {
    std::vector<uint8_t> rows(static_cast<size_t>(c.rowBytes) * c.height, 0);
    BitsSource img;
    img.pixMap = true;
    img.pixelSize = static_cast<int16_t>(c.depth);
    img.rowBytes = c.rowBytes;
    img.bounds = {0, 0, static_cast<short>(c.height), static_cast<short>(c.width)};
    img.rows = rows.data();
    if (c.depth == 8)
      for (int i = 0; i < 256; ++i) img.table.push_back({static_cast<uint16_t>(i), {}});
    VectorSink sink;
    PictRecorder rec(sink);
    Bytes opening;
    opening.w(0x0011).w(0x02FF);
    sink.bytes = opening.b;
    ASSERT_TRUE(rec.Bits(img, img.bounds, img.bounds, 0)) << c.depth;
    rec.WriteEnd(false);
    Log log;
    EXPECT_EQ(Read(sink.bytes, log), ReadResult::kEnded) << c.depth << " " << c.width;
    ASSERT_EQ(log.calls.size(), 1u) << c.depth << " " << c.width;
    EXPECT_EQ(log.lastBits.image.rows, rows) << c.depth << " " << c.width;
  }
}

// Direct pixels a Macintosh wrote unpacked (1) or with the pad byte dropped (2), and the region
// form with its mask: what the writer never produces, the reader still takes.
TEST(PictBits, ReaderTakesUnpackedAndPadlessDirectRowsAndTheRegionForm) {
  for (int packType : {1, 2}) {
    Bytes x;
    x.w(0x0011).w(0x02FF).w(0x009B).l(0xFF).w(0x8000 | 8).rect(0, 0, 1, 2);
    x.w(0).w(packType).l(0).l(0x480000).l(0x480000).w(16).w(32).w(3).w(8).l(0).l(0).l(0);
    x.rect(0, 0, 1, 2).rect(0, 0, 1, 2).w(0);
    x.w(10).rect(0, 0, 1, 2);  // mask region
    if (packType == 1) x.l(0x00112233).l(0x00445566);
    else x.u8(0x11).u8(0x22).u8(0x33).u8(0x44).u8(0x55).u8(0x66);
    x.pad().w(0x00FF);
    Log log;
    EXPECT_EQ(Read(x.b, log), ReadResult::kEnded) << packType;
    const std::vector<uint8_t> want = {0, 0x11, 0x22, 0x33, 0, 0x44, 0x55, 0x66};
    EXPECT_EQ(log.lastBits.image.rows, want) << packType;
    EXPECT_TRUE(log.lastBits.hasMask);
  }
}

TEST(PictBits, WordRunsCodeRepeatsAndLiterals) {
  const uint8_t words[] = {0, 1, 0, 1, 0, 1, 0, 2, 0, 3, 0, 3};
  uint8_t packed[32];
  const size_t n = PackWords(words, 6, packed);
  const std::vector<uint8_t> want = {0xFE, 0, 1, 0x00, 0, 2, 0xFF, 0, 3};
  EXPECT_EQ(std::vector<uint8_t>(packed, packed + n), want);
  uint8_t row[12];
  ASSERT_TRUE(UnpackRow(packed, n, kPackWords, 16, 6, 3, row, 12));
  EXPECT_EQ(0, std::memcmp(row, words, 12));
  EXPECT_FALSE(UnpackRow(packed, n - 1, kPackWords, 16, 6, 3, row, 12));
}

bool SameRect(const Rect& a, const Rect& b) {
  return a.top == b.top && a.left == b.left && a.bottom == b.bottom && a.right == b.right;
}

TEST(PictRegions, InversionLinesDecodeIntoTheRectanglesTheyEnclose) {
  struct Case {
    const char* name;
    std::vector<int> words;  // the region's data after its size and box
    Rect box;
    std::vector<Rect> want;
  };
  const int E = 0x7FFF;
  const Case cases[] = {
      {"rectangular (no data)", {}, {0, 0, 8, 16}, {{0, 0, 8, 16}}},
      {"L shape", {0, 0, 16, E, 4, 8, 16, E, 8, 0, 8, E, E}, {0, 0, 8, 16},
       {{0, 0, 4, 16}, {4, 0, 8, 8}}},
      {"two spans, a hole", {2, 0, 4, 6, 10, E, 5, 0, 4, 6, 10, E, E}, {2, 0, 5, 10},
       {{2, 0, 5, 4}, {2, 6, 5, 10}}},
      {"repeated points cancel", {0, 3, 3, 0, 9, E, 4, 0, 9, E, E}, {0, 0, 4, 9}, {{0, 0, 4, 9}}},
      {"clipped to the box", {0, -5, 50, E, 6, -5, 50, E, E}, {1, 0, 4, 20}, {{1, 0, 4, 20}}},
  };
  for (const Case& c : cases) {
    Bytes x;
    for (int v : c.words) x.w(v);
    std::vector<Rect> got;
    ASSERT_TRUE(DecodeRegion(x.b.data(), x.b.size(), c.box, got)) << c.name;
    ASSERT_EQ(got.size(), c.want.size()) << c.name;
    for (size_t i = 0; i < got.size(); ++i) EXPECT_TRUE(SameRect(got[i], c.want[i])) << c.name << " " << i;
  }
}

TEST(PictRegions, DataThatIsNoRegionIsRefused) {
  const int E = 0x7FFF;
  const std::vector<int> bad[] = {
      {0, 0, 16},                     // a line without its end word
      {0, 0, 16, E},                  // no end of the region
      {4, 0, 16, E, 2, 0, 16, E, E},  // lines out of order
      {0},                            // a line with nothing after its v
  };
  for (const auto& words : bad) {
    Bytes x;
    for (int v : words) x.w(v);
    std::vector<Rect> got;
    EXPECT_FALSE(DecodeRegion(x.b.data(), x.b.size(), Rect{0, 0, 8, 16}, got)) << words.size();
  }
  // An odd byte count leaves half a word: refused, never read past.
  const uint8_t odd[] = {0, 0, 0};
  std::vector<Rect> got;
  EXPECT_FALSE(DecodeRegion(odd, sizeof odd, Rect{0, 0, 8, 16}, got));
  // Too many rectangles for one mask: refused instead of building millions.
  Bytes many;
  many.w(0);
  for (int h = 0; h < 8000; h += 2) many.w(h).w(h + 1);
  many.w(E);
  for (int v = 1; v < 20; ++v) many.w(v).w(30000).w(30001).w(E);
  many.w(E);
  EXPECT_FALSE(DecodeRegion(many.b.data(), many.b.size(), Rect{0, 0, 32767, 32767}, got));
}

TEST(PictRegions, TheRegionFormsCarryTheWholeMaskToThePlayer) {
  Bytes x;
  x.w(0x0011).w(0x02FF).w(0x0091).w(2).rect(0, 0, 8, 16).rect(0, 0, 8, 16).rect(0, 0, 8, 16).w(0);
  x.w(10 + 3 * 8 + 2).rect(0, 0, 8, 16).w(0).w(0).w(16).w(0x7FFF).w(4).w(8).w(16).w(0x7FFF);
  x.w(8).w(0).w(8).w(0x7FFF).w(0x7FFF);
  for (int y = 0; y < 8; ++y) x.w(0xFFFF);
  x.w(0x00FF);
  Log log;
  EXPECT_EQ(Read(x.b, log), ReadResult::kEnded);
  ASSERT_TRUE(log.lastBits.hasMask);
  ASSERT_EQ(log.lastBits.maskRects.size(), 2u);
  EXPECT_TRUE(SameRect(log.lastBits.maskRects[1], Rect{4, 0, 8, 8}));
}

// Little-endian words and longs, as a Windows metafile holds them.
struct Le {
  std::vector<uint8_t> b;
  Le& w(int v) {
    b.push_back(static_cast<uint8_t>(v));
    b.push_back(static_cast<uint8_t>(v >> 8));
    return *this;
  }
  Le& l(uint32_t v) { return w(static_cast<int>(v & 0xFFFF)).w(static_cast<int>(v >> 16)); }
};

TEST(PictMetafiles, MetafileHeadersAreKnownByTypeAndHeaderSizeWithinTheHandle) {
  // METAHEADER: type, header words, version, size in words, objects, largest record, unused.
  Le wmf;
  wmf.w(1).w(9).w(0x300).l(12).w(0).l(3).w(0).w(3).w(0).w(0);  // and the end record
  MetafileBody m = ClassifyMetafile(wmf.b.data(), wmf.b.size());
  EXPECT_EQ(m.kind, MetafileKind::kWindows);
  EXPECT_EQ(m.bytes, 24u);
  wmf.b[0] = 2;
  EXPECT_EQ(ClassifyMetafile(wmf.b.data(), wmf.b.size()).kind, MetafileKind::kWindows) << "on disk";
  wmf.b[0] = 3;
  EXPECT_EQ(ClassifyMetafile(wmf.b.data(), wmf.b.size()).kind, MetafileKind::kNone) << "type 3";
  wmf.b[0] = 1;
  wmf.b[2] = 8;
  EXPECT_EQ(ClassifyMetafile(wmf.b.data(), wmf.b.size()).kind, MetafileKind::kNone) << "8 words";
  wmf.b[2] = 9;
  EXPECT_EQ(ClassifyMetafile(wmf.b.data(), 22).kind, MetafileKind::kNone) << "size past the data";
  // A PICT's own opening is never a metafile.
  const uint8_t pict2[] = {0x00, 0x11, 0x02, 0xFF, 0x0C, 0x00, 0xFF, 0xFE, 0, 0, 0, 0,
                           0, 0, 0, 0, 0, 0, 0, 0};
  EXPECT_EQ(ClassifyMetafile(pict2, sizeof pict2).kind, MetafileKind::kNone);
  // ENHMETAHEADER: record type 1 and size, bounds, frame, " EMF", version, bytes.
  Le emf;
  emf.l(1).l(88);
  for (int i = 0; i < 8; ++i) emf.l(0);
  emf.l(0x464D4520).l(0x10000).l(108);
  while (emf.b.size() < 108) emf.b.push_back(0);
  m = ClassifyMetafile(emf.b.data(), emf.b.size());
  EXPECT_EQ(m.kind, MetafileKind::kEnhanced);
  EXPECT_EQ(m.bytes, 108u);
  EXPECT_EQ(ClassifyMetafile(emf.b.data(), 100).kind, MetafileKind::kNone) << "cut short";
  emf.b[40] = 'X';
  EXPECT_EQ(ClassifyMetafile(emf.b.data(), emf.b.size()).kind, MetafileKind::kNone) << "no signature";
}

}  // namespace
}  // namespace zeb::quickdraw::pict

// Regions in their three forms: set operations in every form combination, the questions asked
// of a region, BitMapToRegion, region recording and region drawing.
#include <functional>
#include <string>
#include <vector>

#include "Errors.h"
#include "debug_capture.h"
#include "quickdraw_fixture.h"

namespace zebtest {
namespace {

using Shape = std::function<bool(int x, int y)>;

// Operand shapes, all inside (0, 0)..(20, 20).
bool LShape(int x, int y) {
  return x >= 0 && y >= 0 && ((y < 10 && x < 20) || (x < 10 && y < 20));
}
bool Square(int x, int y) { return x >= 5 && x < 15 && y >= 5 && y < 15; }
bool Notched(int x, int y) { return Square(x, y) && !(x < 8 && y < 8); }

// A one-bit bit image of the shape over (0, 0)..(24, 24), 4 bytes a row.
struct BitImage {
  uint8_t rows[24 * 4] = {};
  BitMap map{};
  explicit BitImage(const Shape& s, int width = 24, int height = 24) {
    for (int y = 0; y < height; ++y)
      for (int x = 0; x < width; ++x)
        if (s(x, y)) rows[y * 4 + x / 8] = static_cast<uint8_t>(rows[y * 4 + x / 8] | (0x80 >> (x % 8)));
    map.baseAddr = reinterpret_cast<Ptr>(rows);
    map.rowBytes = 4;
    map.bounds = {0, 0, static_cast<short>(height), static_cast<short>(width)};
  }
};

enum class Form { Rectangle, Gdi, Mask };
const char* FormName(Form f) {
  return f == Form::Rectangle ? "rectangle" : f == Form::Gdi ? "GDI" : "mask";
}

RgnHandle RectRegion(short l, short t, short r, short b) {
  RgnHandle h = NewRgn();
  SetRectRgn(h, l, t, r, b);
  return h;
}

// The shape in the requested form.
RgnHandle Build(Form form, const Shape& shape, const std::string& which) {
  RgnHandle rgn = NewRgn();
  if (form == Form::Mask) {
    BitImage image(shape);
    EXPECT_EQ(BitMapToRegion(rgn, &image.map), noErr);
    return rgn;
  }
  if (which == "square") {
    SetRectRgn(rgn, 5, 5, 15, 15);
    if (form == Form::Gdi) {
      EXPECT_NE(ZEB_RgnSetToRealRectRgn(rgn), nullptr);
    }
  } else if (which == "L") {
    RgnHandle a = RectRegion(0, 0, 20, 10), b = RectRegion(0, 0, 10, 20);
    UnionRgn(a, b, rgn);
    DisposeRgn(a);
    DisposeRgn(b);
  } else {  // notched
    RgnHandle a = RectRegion(5, 5, 15, 15), b = RectRegion(5, 5, 8, 8);
    DiffRgn(a, b, rgn);
    DisposeRgn(a);
    DisposeRgn(b);
  }
  return rgn;
}

// Every point of the grid inside the region exactly where the shape says; returns the first
// difference.
std::string Mismatch(RgnHandle rgn, const Shape& expected) {
  for (short y = -2; y < 24; ++y)
    for (short x = -2; x < 24; ++x)
      if (static_cast<bool>(PtInRgn(Point{y, x}, rgn)) != expected(x, y))
        return "(" + std::to_string(x) + ", " + std::to_string(y) + ")";
  return "";
}

Rect TightBox(const Shape& s) {
  Rect b = {32767, 32767, -32768, -32768};
  bool any = false;
  for (short y = -2; y < 24; ++y)
    for (short x = -2; x < 24; ++x) {
      if (!s(x, y)) continue;
      any = true;
      b.left = std::min(b.left, x);
      b.top = std::min(b.top, y);
      b.right = std::max<short>(b.right, static_cast<short>(x + 1));
      b.bottom = std::max<short>(b.bottom, static_cast<short>(y + 1));
    }
  return any ? b : Rect{0, 0, 0, 0};
}

bool SameBox(const Rect& a, const Rect& b) { return EqualRect(&a, &b); }

using RegionsTest = QuickDrawTest;

TEST_F(RegionsTest, SetOperationsAgreeInEveryFormCombination) {
  struct Operand {
    Form form;
    const char* name;
    Shape shape;
  };
  const Operand firsts[] = {{Form::Gdi, "L", LShape}, {Form::Mask, "L", LShape},
                            {Form::Rectangle, "square", Square}};
  const Operand seconds[] = {{Form::Rectangle, "square", Square}, {Form::Gdi, "square", Square},
                             {Form::Gdi, "notched", Notched}, {Form::Mask, "notched", Notched}};
  struct Op {
    const char* name;
    void(ZEBAPI* call)(RgnHandle, RgnHandle, RgnHandle);
    bool (*combine)(bool, bool);
  };
  const Op ops[] = {{"sect", SectRgn, [](bool a, bool b) { return a && b; }},
                    {"union", UnionRg, [](bool a, bool b) { return a || b; }},
                    {"diff", DiffRgn, [](bool a, bool b) { return a && !b; }},
                    {"xor", XorRg, [](bool a, bool b) { return a != b; }}};
  for (const Op& op : ops) {
    RgnHandle reference = nullptr;
    for (const Operand& a : firsts) {
      for (const Operand& b : seconds) {
        if (a.form == Form::Rectangle && b.form == Form::Mask) continue;
        RgnHandle ra = Build(a.form, a.shape, a.name), rb = Build(b.form, b.shape, b.name);
        RgnHandle dst = NewRgn();
        op.call(ra, rb, dst);
        const Shape expected = [&](int x, int y) { return op.combine(a.shape(x, y), b.shape(x, y)); };
        const std::string where = std::string(op.name) + " of " + FormName(a.form) + " " + a.name +
                                  " and " + FormName(b.form) + " " + b.name;
        EXPECT_EQ(Mismatch(dst, expected), "") << where;
        EXPECT_TRUE(SameBox((*dst)->rgnBBox, TightBox(expected))) << where;
        // The sources are untouched.
        EXPECT_EQ(Mismatch(ra, a.shape), "") << where;
        EXPECT_EQ(Mismatch(rb, b.shape), "") << where;
        // Into one of the sources, as applications often do.
        op.call(ra, rb, ra);
        EXPECT_EQ(Mismatch(ra, expected), "") << where << " into src1";
        if (a.shape(0, 0) == LShape(0, 0) && std::string(b.name) == "notched") {
          if (!reference) {
            reference = NewRgn();
            CopyRgn(dst, reference);
          } else {
            EXPECT_TRUE(EqualRgn(reference, dst)) << where << " equals the other forms' result";
          }
        }
        for (RgnHandle h : {ra, rb, dst}) DisposeRgn(h);
      }
    }
    if (reference) DisposeRgn(reference);
  }
}

TEST_F(RegionsTest, ResultsTakeTheCheapestForm) {
  RgnHandle a = RectRegion(0, 0, 10, 10), b = RectRegion(0, 10, 10, 20), dst = NewRgn();
  UnionRgn(a, b, dst);
  const Rect joined = {0, 0, 20, 10};
  EXPECT_TRUE(SameBox((*dst)->rgnBBox, joined));
  EXPECT_EQ(ZEB_IsRectRgn(dst), 1) << "two rectangles side by side make a rectangle";
  SetRectRgn(b, 5, 5, 15, 15);
  UnionRgn(a, b, dst);
  EXPECT_EQ(ZEB_IsRectRgn(dst), 0) << "overlapping rectangles make a GDI region";
  const Rect both = {0, 0, 15, 15};
  EXPECT_TRUE(SameBox((*dst)->rgnBBox, both));
  // A mask operand inside a rectangle operand's box: the union is that rectangle.
  BitImage image(Notched);
  RgnHandle mask = NewRgn();
  ASSERT_EQ(BitMapToRegion(mask, &image.map), noErr);
  EXPECT_EQ((*mask)->rgnSize, 14);
  EXPECT_EQ(GetHandleSize(reinterpret_cast<Handle>(mask)), 18);
  SetRectRgn(a, 0, 0, 20, 20);
  UnionRgn(mask, a, dst);
  EXPECT_EQ((*dst)->rgnSize, 10);
  EXPECT_EQ(GetHandleSize(reinterpret_cast<Handle>(dst)), 14) << "back to a 14-byte record";
  // A mask result without any pixel is the empty rectangle.
  XorRgn(mask, mask, dst);
  EXPECT_TRUE(EmptyRgn(dst));
  const Rect none = {0, 0, 0, 0};
  EXPECT_TRUE(SameBox((*dst)->rgnBBox, none));
  for (RgnHandle h : {a, b, dst, mask}) DisposeRgn(h);
}

TEST_F(RegionsTest, UnionsIntoAGdiRegionFollowTheirOperandsFromCallToCall) {
  // The destination stays a GDI region from one union to the next while the rectangle operands
  // change, repeat and change back: every result has its shape, its tight box and its form.
  struct Case {
    Rect a, b;  // top, left, bottom, right
    bool rectangle;
  };
  const Case cases[] = {
      {{0, 0, 10, 10}, {5, 5, 15, 15}, false},   {{0, 0, 10, 10}, {5, 5, 15, 15}, false},
      {{0, 0, 10, 10}, {0, 20, 10, 23}, false},  {{2, 2, 4, 4}, {5, 5, 15, 15}, false},
      {{2, 2, 4, 4}, {0, 20, 10, 23}, false},    {{0, 0, 10, 10}, {5, 5, 15, 15}, false},
      {{0, 0, 10, 10}, {10, 0, 20, 10}, true},   {{1, 1, 9, 9}, {5, 5, 15, 15}, false},
  };
  RgnHandle a = NewRgn(), b = NewRgn(), dst = NewRgn();
  for (size_t i = 0; i < sizeof cases / sizeof cases[0]; ++i) {
    const Case& c = cases[i];
    RectRgn(a, &c.a);
    RectRgn(b, &c.b);
    UnionRgn(a, b, dst);
    const Shape expected = [&c](int x, int y) {
      auto in = [x, y](const Rect& r) { return x >= r.left && x < r.right && y >= r.top && y < r.bottom; };
      return in(c.a) || in(c.b);
    };
    EXPECT_EQ(Mismatch(dst, expected), "") << "case " << i;
    EXPECT_TRUE(SameBox((*dst)->rgnBBox, TightBox(expected))) << "case " << i;
    EXPECT_EQ(ZEB_IsRectRgn(dst), c.rectangle ? 1 : 0) << "case " << i;
  }
  // Two shapes that fill a square between them: the GDI destination folds back to a rectangle.
  RgnHandle l = Build(Form::Gdi, LShape, "L");
  SetRectRgn(b, 10, 10, 20, 20);
  UnionRgn(a, b, dst);  // a GDI region again first
  ASSERT_EQ(ZEB_IsRectRgn(dst), 0);
  UnionRgn(l, b, dst);
  EXPECT_EQ(ZEB_IsRectRgn(dst), 1);
  const Rect square = {0, 0, 20, 20};
  EXPECT_TRUE(SameBox((*dst)->rgnBBox, square));
  EXPECT_EQ(Mismatch(dst, [](int x, int y) { return x >= 0 && x < 20 && y >= 0 && y < 20; }), "");
  for (RgnHandle h : {a, b, dst, l}) DisposeRgn(h);
}

TEST_F(RegionsTest, EmptyAndInvertedOperandsFollowTheEmptyRules) {
  const Shape nothing = [](int, int) { return false; };
  RgnHandle empty = NewRgn(), inverted = RectRegion(10, 10, 5, 5);
  EXPECT_TRUE(EmptyRgn(inverted)) << "an inverted rectangle is empty";
  for (Form form : {Form::Gdi, Form::Mask}) {
    RgnHandle l = Build(form, LShape, "L"), dst = NewRgn();
    for (RgnHandle e : {empty, inverted}) {
      SectRgn(l, e, dst);
      EXPECT_TRUE(EmptyRgn(dst)) << FormName(form);
      SectRgn(e, l, dst);
      EXPECT_TRUE(EmptyRgn(dst)) << FormName(form);
      DiffRgn(e, l, dst);
      EXPECT_TRUE(EmptyRgn(dst)) << FormName(form);
      UnionRgn(e, l, dst);
      EXPECT_EQ(Mismatch(dst, LShape), "") << FormName(form);
      XorRgn(l, e, dst);
      EXPECT_EQ(Mismatch(dst, LShape), "") << FormName(form);
      DiffRgn(l, e, dst);
      EXPECT_EQ(Mismatch(dst, LShape), "") << FormName(form);
    }
    EXPECT_EQ(Mismatch(empty, nothing), "");
    DisposeRgn(l);
    DisposeRgn(dst);
  }
  DisposeRgn(empty);
  DisposeRgn(inverted);
}

TEST_F(RegionsTest, RectInRgnFindsOverlapsInTheLastRowAndColumn) {
  struct Case {
    Rect r;
    bool expected;
  };
  const Case cases[] = {
      {{0, 19, 5, 25}, true},    // only column 19 of the L's bar
      {{9, 0, 12, 5}, true},     // only row 9 ... and the column below: inside
      {{19, 0, 25, 5}, true},    // only row 19 of the L's column
      {{0, 20, 5, 25}, false},   // touches the right edge
      {{20, 0, 25, 5}, false},   // touches the bottom edge
      {{3, 12, 4, 13}, true},    // one pixel inside
      {{12, 12, 13, 13}, false}, // one pixel in the L's notch
      {{5, 5, 5, 10}, false},    // empty
  };
  for (Form form : {Form::Gdi, Form::Mask}) {
    RgnHandle l = Build(form, LShape, "L");
    for (const Case& c : cases) {
      if (form == Form::Mask && !c.expected && c.r.left == 12) continue;  // mask: box overlap
      EXPECT_EQ(static_cast<bool>(RectInRgn(&c.r, l)), c.expected)
          << FormName(form) << " (" << c.r.left << ", " << c.r.top << ", " << c.r.right << ", "
          << c.r.bottom << ")";
    }
    DisposeRgn(l);
  }
  RgnHandle box = RectRegion(0, 0, 10, 10);
  const Rect touching = {0, 10, 10, 20}, corner = {9, 9, 20, 20};
  EXPECT_FALSE(RectInRgn(&touching, box)) << "a rectangle-form region's edge is not inside";
  EXPECT_TRUE(RectInRgn(&corner, box));
  DisposeRgn(box);
}

TEST_F(RegionsTest, PointsOfAMaskRegionAreCheckedAgainstItsBoxFirst) {
  BitImage image(LShape);
  RgnHandle l = NewRgn();
  ASSERT_EQ(BitMapToRegion(l, &image.map), noErr);
  EXPECT_FALSE(PtInRgn(Point{-30000, -30000}, l));
  EXPECT_FALSE(PtInRgn(Point{30000, 5}, l));
  EXPECT_FALSE(PtInRgn(Point{5, 20}, l)) << "just right of the box";
  EXPECT_TRUE(PtInRgn(Point{5, 19}, l));
  EXPECT_FALSE(PtInRgn(Point{15, 15}, l)) << "inside the box, outside the L";
  DisposeRgn(l);
}

TEST_F(RegionsTest, BitMapToRegionTakesOneBitImagesOnly) {
  struct Case {
    std::vector<std::string> rows;
    Rect box;
  };
  const Case cases[] = {
      {{"#......#", "........", "...##..."}, {0, 0, 3, 8}},
      {{"........", ".##.....", ".##....."}, {1, 1, 3, 3}},  // rectangular: rectangle form
      {{"........", "........"}, {0, 0, 0, 0}},              // no bits: empty
  };
  for (const Case& c : cases) {
    const int h = static_cast<int>(c.rows.size());
    const Shape s = [&](int x, int y) { return y >= 0 && y < h && x >= 0 && x < 8 && c.rows[y][x] == '#'; };
    BitImage image(s, 8, h);
    RgnHandle rgn = NewRgn();
    ASSERT_EQ(BitMapToRegion(rgn, &image.map), noErr);
    EXPECT_EQ(Mismatch(rgn, s), "") << c.rows[0];
    EXPECT_TRUE(SameBox((*rgn)->rgnBBox, c.box)) << c.rows[0];
    EXPECT_EQ(BitMapToRegionGlue(rgn, &image.map), noErr);
    EXPECT_EQ(Mismatch(rgn, s), "") << c.rows[0];
    DisposeRgn(rgn);
  }
  // A deep pixel map is refused and the region is left as it was.
  PixMapHandle deep = NewPixMap();
  ASSERT_NE(deep, nullptr);
  uint8_t pixels[64] = {};
  (*deep)->baseAddr = reinterpret_cast<Ptr>(pixels);
  (*deep)->rowBytes = static_cast<short>(0x8000 | 8);
  (*deep)->bounds = {0, 0, 8, 8};
  (*deep)->pixelSize = 8;
  RgnHandle rgn = RectRegion(1, 2, 3, 4);
  EXPECT_EQ(BitMapToRegion(rgn, reinterpret_cast<BitMap*>(*deep)), pixmapTooDeepErr);
  const Rect kept = {2, 1, 4, 3};
  EXPECT_TRUE(SameBox((*rgn)->rgnBBox, kept));
  // A one-bit pixel map is taken like a bit map.
  (*deep)->pixelSize = 1;
  (*deep)->rowBytes = static_cast<short>(0x8000 | 2);
  pixels[0] = 0xC0;
  pixels[2] = 0x40;
  ASSERT_EQ(BitMapToRegion(rgn, reinterpret_cast<BitMap*>(*deep)), noErr);
  EXPECT_TRUE(PtInRgn(Point{0, 0}, rgn));
  EXPECT_TRUE(PtInRgn(Point{1, 1}, rgn));
  EXPECT_FALSE(PtInRgn(Point{1, 0}, rgn));
  // A map whose pixels Windows holds has no rows at baseAddr; absurd bounds are not read.
  (*deep)->pmVersion = static_cast<short>(0xC000);
  (*deep)->packType = static_cast<short>(0xFFFF);
  SetRectRgn(rgn, 1, 2, 3, 4);
  EXPECT_EQ(BitMapToRegion(rgn, reinterpret_cast<BitMap*>(*deep)), cNoMemErr);
  EXPECT_TRUE(SameBox((*rgn)->rgnBBox, kept));
  BitMap huge{};
  huge.baseAddr = reinterpret_cast<Ptr>(pixels);
  huge.rowBytes = 0x3FFE;
  huge.bounds = {-32000, -32000, 32000, 32000};
  EXPECT_EQ(BitMapToRegion(rgn, &huge), cNoMemErr);
  EXPECT_TRUE(SameBox((*rgn)->rgnBBox, kept));
  (*deep)->baseAddr = nullptr;
  DisposePixMap(deep);
  // A port that draws on a device has no rows to read; a colour port's map is too deep.
  DibSurface dib(16, 16), colourDib(16, 16);
  GrafPort port{};
  OpenBlackAndWhitePortOn(port, dib);
  SetRectRgn(rgn, 1, 2, 3, 4);
  EXPECT_EQ(BitMapToRegion(rgn, &port.portBits), cNoMemErr);
  EXPECT_TRUE(SameBox((*rgn)->rgnBBox, kept));
  EXPECT_EQ(BitMapToRegion(nullptr, &port.portBits), paramErr);
  CGrafPort colour{};
  OpenColourPortOn(colour, colourDib);
  EXPECT_EQ(BitMapToRegion(rgn, &AsGraf(colour)->portBits), pixmapTooDeepErr);
  CloseCPort(&colour);
  ClosePort(&port);
  DisposeRgn(rgn);
}

TEST_F(RegionsTest, EqualRgnComparesShapesAcrossForms) {
  RgnHandle gdi = Build(Form::Gdi, LShape, "L"), mask = Build(Form::Mask, LShape, "L");
  EXPECT_TRUE(EqualRgn(gdi, mask));
  EXPECT_TRUE(EqualRgn(mask, gdi));
  // Same box, other pixels.
  const Shape other = [](int x, int y) { return LShape(x, y) || (x == 19 && y == 19); };
  RgnHandle otherMask = Build(Form::Mask, other, "");
  EXPECT_TRUE(SameBox((*otherMask)->rgnBBox, (*mask)->rgnBBox));
  EXPECT_FALSE(EqualRgn(mask, otherMask));
  RgnHandle box = RectRegion(0, 0, 20, 20);
  EXPECT_FALSE(EqualRgn(box, gdi));
  EXPECT_FALSE(EqualRgn(box, mask)) << "same box, but the mask is not the whole box";
  RgnHandle box2 = RectRegion(0, 0, 20, 20);
  ZEB_RgnSetToRealRectRgn(box2);
  EXPECT_TRUE(EqualRgn(box, box2)) << "rectangle form against GDI form";
  for (RgnHandle h : {gdi, mask, otherMask, box, box2}) DisposeRgn(h);
}

TEST_F(RegionsTest, InsetMapAndOffsetFollowTheirRules) {
  RgnHandle l = Build(Form::Gdi, LShape, "L");
  InsetRgn(l, 2, 2);
  const Rect inset = {2, 2, 18, 18};
  EXPECT_TRUE(SameBox((*l)->rgnBBox, inset));
  EXPECT_EQ(ZEB_IsRectRgn(l), 1) << "an inset L is its inset box";
  DisposeRgn(l);

  l = Build(Form::Gdi, LShape, "L");
  const Rect small = {0, 0, 10, 10}, big = {0, 0, 20, 20}, moved = {5, 7, 15, 17};
  MapRgn(l, &small, &big);
  EXPECT_EQ(Mismatch(l, LShape), "") << "regions are not scaled";
  MapRgn(l, &small, &moved);
  EXPECT_TRUE(PtInRgn(Point{5 + 1, 7 + 15}, l)) << "moved by (7, 5)";
  EXPECT_FALSE(PtInRgn(Point{5 + 15, 7 + 15}, l));
  OffsetRgn(l, -7, -5);
  EXPECT_EQ(Mismatch(l, LShape), "");
  DisposeRgn(l);

  RgnHandle mask = Build(Form::Mask, LShape, "L");
  OffsetRgn(mask, 100, 50);
  EXPECT_TRUE(PtInRgn(Point{50 + 15, 100 + 5}, mask));
  EXPECT_FALSE(PtInRgn(Point{50 + 15, 100 + 15}, mask));
  InsetRgn(mask, 1, 1);
  const Rect maskInset = {51, 101, 69, 119};
  EXPECT_TRUE(SameBox((*mask)->rgnBBox, maskInset));
  EXPECT_EQ((*mask)->rgnSize, 10);
  DisposeRgn(mask);
}

TEST_F(RegionsTest, FormConversionCallsKeepTheShape) {
  RgnHandle mask = Build(Form::Mask, LShape, "L");
  HRGN gdi = ZEB_RgnSetToRealRectRgn(mask);
  ASSERT_NE(gdi, nullptr);
  EXPECT_EQ((*mask)->rgnSize, 10);
  EXPECT_EQ(Mismatch(mask, LShape), "") << "a mask becomes the same GDI shape";
  EXPECT_EQ(ZEB_RgnSetToRealRectRgn(mask), gdi) << "already GDI form: its own region";
  RECT wr;
  ZEB_RgnGetBBoxRECTFromRgn(mask, &wr);
  EXPECT_EQ(wr.right, 20);
  EXPECT_EQ(wr.bottom, 20);
  HRGN sentinel = ZEB_RgnSetToFakeRectRgn(mask);
  EXPECT_NE(sentinel, gdi);
  EXPECT_TRUE(PtInRgn(Point{15, 15}, mask)) << "now the whole box";
  RgnHandle other = NewRgn();
  EXPECT_EQ(ZEB_RgnSetToFakeRectRgn(other), sentinel) << "one shared sentinel";
  DisposeRgn(other);
  DisposeRgn(mask);
}

TEST_F(RegionsTest, RecordingTracesLinesAndCutsFramedShapesOut) {
  DibSurface dib(40, 40);
  CGrafPort port{};
  OpenColourPortOn(port, dib);
  const short pnVis = AsGraf(port)->pnVis;
  OpenRgn();
  EXPECT_LT(AsGraf(port)->pnVis, pnVis) << "the pen is hidden while recording";
  MoveTo(10, 10);
  LineTo(30, 10);
  LineTo(30, 30);
  LineTo(10, 30);
  LineTo(10, 10);
  RgnHandle square = NewRgn();
  CloseRgn(square);
  EXPECT_EQ(AsGraf(port)->pnVis, pnVis);
  EXPECT_EQ(AsGraf(port)->rgnSave, nullptr);
  EXPECT_EQ(AsGraf(port)->polySave, nullptr);
  RgnHandle expected = RectRegion(10, 10, 30, 30);
  EXPECT_TRUE(EqualRgn(square, expected));
  EXPECT_EQ(dib.CountBlack(), 0) << "nothing drawn while recording";

  // Two sub-polygons and a framed rectangle inside the same recording.
  OpenRgn();
  MoveTo(0, 0);
  LineTo(20, 0);
  LineTo(20, 20);
  LineTo(0, 20);
  LineTo(0, 0);
  MoveTo(25, 0);
  LineTo(35, 0);
  LineTo(35, 10);
  LineTo(25, 10);
  LineTo(25, 0);
  const Rect hole = {5, 5, 10, 10};
  FrameRect(&hole);
  RgnHandle traced = NewRgn();
  CloseRgn(traced);
  const Shape expectedShape = [](int x, int y) {
    const bool first = x >= 0 && x < 20 && y >= 0 && y < 20;
    const bool second = x >= 25 && x < 35 && y >= 0 && y < 10;
    const bool cut = x >= 5 && x < 10 && y >= 5 && y < 10;
    return (first || second) && !cut;
  };
  EXPECT_EQ(Mismatch(traced, expectedShape), "");

  // A second OpenRgn abandons the first recording; the pen stays hidden only once.
  OpenRgn();
  MoveTo(0, 0);
  OpenRgn();
  EXPECT_EQ(AsGraf(port)->pnVis, pnVis - 1);
  LineTo(5, 0);
  RgnHandle restarted = NewRgn();
  CloseRgn(restarted);
  EXPECT_TRUE(EmptyRgn(restarted)) << "one point from the second recording encloses nothing";
  EXPECT_EQ(AsGraf(port)->pnVis, pnVis);
  DisposeRgn(restarted);

  // Framed shapes alone, and nothing at all.
  OpenRgn();
  const Rect oval = {0, 0, 10, 20};
  FrameOval(&oval);
  RgnHandle ovalRgn = NewRgn();
  CloseRgn(ovalRgn);
  EXPECT_TRUE(PtInRgn(Point{5, 10}, ovalRgn));
  EXPECT_FALSE(PtInRgn(Point{0, 0}, ovalRgn)) << "the corner is outside the oval";
  OpenRgn();
  RgnHandle nothing = RectRegion(1, 1, 5, 5);
  CloseRgn(nothing);
  EXPECT_TRUE(EmptyRgn(nothing));
  for (RgnHandle h : {square, expected, traced, ovalRgn, nothing}) DisposeRgn(h);
  CloseCPort(&port);
}

TEST_F(RegionsTest, RecordingTakesFramedPolygonsAndRegions) {
  DibSurface dib(40, 40);
  CGrafPort port{};
  OpenColourPortOn(port, dib);
  PolyHandle triangle = OpenPoly();
  MoveTo(0, 0);
  LineTo(20, 0);
  LineTo(0, 20);
  LineTo(0, 0);
  ClosePoly();

  // The Toolbox idiom for a polygon's region.
  OpenRgn();
  FramePoly(triangle);
  RgnHandle fromPoly = NewRgn();
  CloseRgn(fromPoly);
  EXPECT_FALSE(EmptyRgn(fromPoly));
  EXPECT_TRUE(PtInRgn(Point{2, 2}, fromPoly));
  EXPECT_FALSE(PtInRgn(Point{15, 15}, fromPoly)) << "beyond the hypotenuse";

  // A framed region joins the recording as a framed rectangle does: inside a traced square it
  // is cut out.
  RgnHandle hole = RectRegion(5, 5, 10, 10);
  OpenRgn();
  MoveTo(0, 0);
  LineTo(20, 0);
  LineTo(20, 20);
  LineTo(0, 20);
  LineTo(0, 0);
  FrameRgn(hole);
  RgnHandle cut = NewRgn();
  CloseRgn(cut);
  EXPECT_EQ(Mismatch(cut, [](int x, int y) {
              const bool square = x >= 0 && x < 20 && y >= 0 && y < 20;
              const bool inHole = x >= 5 && x < 10 && y >= 5 && y < 10;
              return square && !inHole;
            }),
            "");
  EXPECT_EQ(dib.CountBlack(), 0) << "nothing drawn while recording";
  for (RgnHandle h : {fromPoly, hole, cut}) DisposeRgn(h);
  KillPoly(triangle);
  CloseCPort(&port);
}

TEST_F(RegionsTest, EveryVerbDrawsTheRegionsPixelsInEveryForm) {
  const Pattern black = {{0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}};
  const Pattern gray = {{0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55}};
  for (Form form : {Form::Rectangle, Form::Gdi, Form::Mask}) {
    const Shape shape = form == Form::Rectangle ? Shape(Square) : Shape(LShape);
    RgnHandle rgn = Build(form, shape, form == Form::Rectangle ? "square" : "L");
    for (int verb = paint; verb <= fill; ++verb) {
      DibSurface dib(24, 24);
      dib.FillRect(0, 12, 24, 24, kBlack);  // bottom half black
      CGrafPort port{};
      OpenColourPortOn(port, dib);
      switch (verb) {
        case paint: PaintRgn(rgn); break;
        case erase: EraseRgn(rgn); break;
        case invert: InvertRgn(rgn); break;
        case fill: FillRgn(rgn, &gray); break;
      }
      for (int y = 0; y < 24; ++y)
        for (int x = 0; x < 24; ++x) {
          const bool before = y >= 12;
          bool want = before;
          if (shape(x, y)) {
            want = verb == paint ? true
                   : verb == erase ? false
                   : verb == invert ? !before
                                    : (gray.pat[y & 7] & (0x80 >> (x & 7))) != 0;
          }
          ASSERT_EQ(dib.IsBlack(x, y), want)
              << FormName(form) << " verb " << verb << " at (" << x << ", " << y << ")";
        }
      CloseCPort(&port);
    }
    (void)black;
    DisposeRgn(rgn);
  }
}

TEST_F(RegionsTest, FrameRgnDrawsThePenInsideTheShape) {
  RgnHandle l = Build(Form::Gdi, LShape, "L");
  DibSurface dib(24, 24);
  CGrafPort port{};
  OpenColourPortOn(port, dib);
  FrameRgn(l);
  // The L's outline, one pixel inside it.
  const Shape ring = [](int x, int y) {
    return LShape(x, y) && !(LShape(x - 1, y) && LShape(x + 1, y) && LShape(x, y - 1) &&
                             LShape(x, y + 1));
  };
  for (int y = 0; y < 24; ++y)
    for (int x = 0; x < 24; ++x)
      ASSERT_EQ(dib.IsBlack(x, y), ring(x, y)) << "(" << x << ", " << y << ")";
  // A mask region has no outline to frame: it is reported and nothing is drawn.
  RgnHandle mask = Build(Form::Mask, LShape, "L");
  dib.Fill(kWhite);
  DebugCapture capture;
  FrameRgn(mask);
  EXPECT_EQ(dib.CountBlack(), 0);
  EXPECT_NE(capture.Text().find(" FrameRgn - bitmap style"), std::string::npos);
  CloseCPort(&port);
  DisposeRgn(l);
  DisposeRgn(mask);
}

}  // namespace
}  // namespace zebtest

namespace zebtest {
namespace {

TEST_F(RegionsTest, AStripedBitImagePaintsItsStripes) {
  unsigned char rows[16 * 2] = {};
  for (int y = 0; y < 16; ++y)
    rows[y * 2] = rows[y * 2 + 1] = static_cast<unsigned char>(y & 1 ? 0x3C : 0xE7);
  BitMap bits{};
  bits.baseAddr = reinterpret_cast<Ptr>(rows);
  bits.rowBytes = 2;
  bits.bounds = {0, 0, 16, 16};
  // Into a region that held a GDI shape before.
  RgnHandle rgn = Build(Form::Gdi, LShape, "L");
  ASSERT_EQ(BitMapToRegion(rgn, &bits), noErr);
  OffsetRgn(rgn, 10, 20);
  DibSurface dib(40, 40);
  CGrafPort port{};
  OpenColourPortOn(port, dib);
  PaintRgn(rgn);
  EXPECT_EQ(dib.Row(20, 10, 26), "###..######..###");
  EXPECT_EQ(dib.Row(21, 10, 26), "..####....####..");
  CloseCPort(&port);
  DisposeRgn(rgn);
}

}  // namespace
}  // namespace zebtest

namespace zebtest {
namespace {

// Small handles share arena blocks, where a write past a 14-byte region record lands in the
// next block's header.
class SmallBlockRegionsTest : public QuickDrawTest {
 protected:
  SmallBlockRegionsTest() { sessionFlags_ = ZEB_SF_SMALLBLOCKS; }
};

TEST_F(SmallBlockRegionsTest, RegionCallsStayInsideTheirFourteenByteRecords) {
  RgnHandle regions[8];
  Handle neighbours[8];
  for (int i = 0; i < 8; ++i) {
    regions[i] = NewRgn();
    neighbours[i] = NewHandle(14);
    memset(*neighbours[i], 0x5A, 14);
  }
  RgnHandle oval = NewRgn();
  DibSurface dib(8, 8);
  CGrafPort port{};
  OpenColourPortOn(port, dib);
  OpenRgn();
  const Rect o = {0, 0, 50, 50};
  FrameOval(&o);
  CloseRgn(oval);
  for (int round = 0; round < 3; ++round) {
    for (int i = 0; i < 8; ++i) {
      SetRectRgn(regions[i], 25, 15, 66, 40);
      XorRgn(oval, regions[i], regions[i]);  // GDI form
      SetEmptyRgn(regions[i]);                // back to the rectangle form
      UnionRgn(oval, regions[i], regions[i]);
      RectRgn(regions[i], &o);
    }
  }
  for (int i = 0; i < 8; ++i) {
    EXPECT_EQ(GetHandleSize(reinterpret_cast<Handle>(regions[i])), 14) << i;
    EXPECT_EQ(GetHandleSize(neighbours[i]), 14) << i;
    for (int k = 0; k < 14; ++k) ASSERT_EQ(static_cast<unsigned char>((*neighbours[i])[k]), 0x5A);
  }
  // A record that went through GDI form still grows into the mask form.
  unsigned char rows[16 * 2] = {};
  for (int y = 0; y < 16; ++y) rows[y * 2] = static_cast<unsigned char>(y & 1 ? 0x3C : 0xE7);
  BitMap bits{};
  bits.baseAddr = reinterpret_cast<Ptr>(rows);
  bits.rowBytes = 2;
  bits.bounds = {0, 0, 16, 8};
  XorRgn(oval, regions[0], regions[0]);
  EXPECT_EQ(BitMapToRegion(regions[0], &bits), noErr);
  EXPECT_EQ(GetHandleSize(reinterpret_cast<Handle>(regions[0])), 18);
  SetEmptyRgn(regions[0]);
  EXPECT_EQ(GetHandleSize(reinterpret_cast<Handle>(regions[0])), 14);
  for (int i = 0; i < 8; ++i) {
    DisposeRgn(regions[i]);
    DisposeHandle(neighbours[i]);
  }
  DisposeRgn(oval);
  CloseCPort(&port);
}

}  // namespace
}  // namespace zebtest

// Lines drawn into DIB sections and read back: transfer modes, pen sizes and end points, hidden
// pens, patterns and their alignment, and the line switches.
#include <functional>
#include <string>

#include "quickdraw_fixture.h"

namespace zebtest {
namespace {

constexpr Pattern kBlackPat = {{0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}};
constexpr Pattern kWhitePat = {{0, 0, 0, 0, 0, 0, 0, 0}};
constexpr Pattern kGrayPat = {{0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55}};
// One set pixel at row 0, leftmost column: shows which way a pattern lies.
constexpr Pattern kCornerPat = {{0x80, 0, 0, 0, 0, 0, 0, 0}};

bool PatternBit(const Pattern& p, int x, int y) { return (p.pat[y & 7] & (0x80 >> (x & 7))) != 0; }

// The Toolbox's pattern modes on one-bit pixels (true = black), pattern bit p, destination d.
struct ModeCase {
  short mode;
  const char* name;
  bool (*result)(bool p, bool d);
};
const ModeCase kPatternModes[] = {
    {patCopy, "patCopy", [](bool p, bool) { return p; }},
    {patOr, "patOr", [](bool p, bool d) { return p || d; }},
    {patXor, "patXor", [](bool p, bool d) { return p != d; }},
    {patBic, "patBic", [](bool p, bool d) { return d && !p; }},
    {notPatCopy, "notPatCopy", [](bool p, bool) { return !p; }},
    {notPatOr, "notPatOr", [](bool p, bool d) { return !p || d; }},
    {notPatXor, "notPatXor", [](bool p, bool d) { return !p != d; }},
    {notPatBic, "notPatBic", [](bool p, bool d) { return d && p; }},
};

// How a line reaches GDI: the pen, a PatBlt, or the filled pen rectangle.
struct Route {
  const char* name;
  short penWidth, penHeight;
  unsigned long switches;  // ZEB_SetFlags switch values
  const Pattern* pattern;
};

class LinesTest : public QuickDrawTest {
 protected:
  void TearDown() override {
    ZEB_SetFlags(0, 0, 0xFFFF, 0);
    QuickDrawTest::TearDown();
  }
};

TEST_F(LinesTest, EveryPatternModeFollowsTheToolboxTruthTableOnEveryRoute) {
  const Route routes[] = {
      {"thin pen", 1, 1, 0, &kBlackPat},
      {"thin pen without fast lines", 1, 1, ZEB_SW_NOFASTLINES, &kBlackPat},
      {"thick patterned PatBlt", 3, 2, 0, &kGrayPat},
      {"thick patterned rectangle", 3, 2, ZEB_SW_NOFASTLINES, &kGrayPat},
      {"single-pixel switch", 4, 4, ZEB_SW_SINGLEPIXELPEN, &kBlackPat},
  };
  for (const Route& route : routes) {
    for (const ModeCase& m : kPatternModes) {
      DibSurface dib(32, 12);
      dib.FillRect(16, 0, 32, 12, kBlack);  // right half black
      CGrafPort port{};
      OpenColourPortOn(port, dib);
      ZEB_SetFlags(0, 0, ZEB_SW_NOFASTLINES | ZEB_SW_SINGLEPIXELPEN, route.switches);
      PenSize(route.penWidth, route.penHeight);
      PenPat(route.pattern);
      PenMode(m.mode);
      MoveT(2, 4);
      LineT(27, 4);
      const int w = (route.switches & ZEB_SW_SINGLEPIXELPEN) ? 1 : route.penWidth;
      const int h = (route.switches & ZEB_SW_SINGLEPIXELPEN) ? 1 : route.penHeight;
      for (int y = 0; y < 12; ++y) {
        for (int x = 0; x < 32; ++x) {
          const bool d = x >= 16;
          const bool covered = x >= 2 && x < 27 + w && y >= 4 && y < 4 + h;
          const bool expected = covered ? m.result(PatternBit(*route.pattern, x, y), d) : d;
          ASSERT_EQ(dib.IsBlack(x, y), expected)
              << route.name << ", " << m.name << " at (" << x << ", " << y << "): row "
              << dib.Row(y, 0, 32);
        }
      }
      ClosePort(AsGraf(port));
    }
  }
}

TEST_F(LinesTest, PenSizesCoverTheSweptPenRectangleWithBothEndsPainted) {
  struct Case {
    short w, h;
    Point from, to;  // v, h
  };
  const Case cases[] = {
      {1, 1, {5, 3}, {5, 20}},   // horizontal
      {1, 1, {2, 7}, {14, 7}},   // vertical
      {1, 1, {5, 20}, {5, 3}},   // backwards
      {4, 2, {5, 3}, {5, 20}},   // thick horizontal
      {2, 5, {1, 9}, {10, 9}},   // thick vertical
      {1, 1, {6, 6}, {6, 6}},    // a point
      {3, 3, {6, 6}, {6, 6}},    // a pen-sized dot
  };
  for (const Case& c : cases) {
    DibSurface dib(32, 24);
    CGrafPort port{};
    OpenColourPortOn(port, dib);
    PenSize(c.w, c.h);
    MoveT(c.from.h, c.from.v);
    LineT(c.to.h, c.to.v);
    const int left = std::min(c.from.h, c.to.h), right = std::max(c.from.h, c.to.h) + c.w;
    const int top = std::min(c.from.v, c.to.v), bottom = std::max(c.from.v, c.to.v) + c.h;
    for (int y = 0; y < 24; ++y)
      for (int x = 0; x < 32; ++x)
        ASSERT_EQ(dib.IsBlack(x, y), x >= left && x < right && y >= top && y < bottom)
            << c.w << "x" << c.h << " pen at (" << x << ", " << y << ")";
    Point pen;
    GetPen(&pen);
    EXPECT_EQ(pen.h, c.to.h);
    EXPECT_EQ(pen.v, c.to.v);
    ClosePort(AsGraf(port));
  }
}

TEST_F(LinesTest, ThinLinesPaintEachPixelOnceAndLeaveTheDCsPositionAtThePen) {
  // Every direction, a point and slanted lines, solid and patterned, drawn in patXor: a solid
  // line paints exactly the pixels GDI's pen gives for the line plus its end point; every line
  // paints each pixel once (a second identical line clears them again) and leaves the DC's
  // current position at the pen.
  struct Case {
    const char* name;
    Point from, to;  // v, h
  };
  const Case cases[] = {
      {"rightward", {5, 3}, {5, 20}},  {"leftward", {6, 20}, {6, 3}},
      {"downward", {2, 7}, {14, 7}},   {"upward", {14, 9}, {2, 9}},
      {"a point", {6, 6}, {6, 6}},     {"shallow slant", {2, 2}, {9, 25}},
      {"steep slant", {20, 4}, {3, 11}}, {"slant up and left", {18, 28}, {11, 1}},
  };
  for (const Pattern* pattern : {&kBlackPat, &kGrayPat}) {
    for (const Case& c : cases) {
      const std::string name = std::string(c.name) + (pattern == &kBlackPat ? ", solid" : ", dotted");
      DibSurface dib(32, 24), reference(32, 24);
      // The reference: the same GDI pen from the start to the end, then to one pixel right of
      // the end, in the same raster operation, on white.
      HPEN pen = CreatePen(pattern == &kBlackPat ? PS_SOLID : PS_DOT, 1, RGB(0, 0, 0));
      HGDIOBJ oldPen = SelectObject(reference.dc(), pen);
      SetROP2(reference.dc(), R2_NOTXORPEN);  // patXor on a device where white is all ones
      SetBkMode(reference.dc(), TRANSPARENT);  // patXor leaves a dotted pen's gaps alone
      MoveToEx(reference.dc(), c.from.h, c.from.v, nullptr);
      LineTo(reference.dc(), c.to.h, c.to.v);
      LineTo(reference.dc(), c.to.h + 1, c.to.v);
      SelectObject(reference.dc(), oldPen);
      DeleteObject(pen);

      CGrafPort port{};
      OpenColourPortOn(port, dib);
      PenPat(pattern);
      PenMode(patXor);
      MoveT(c.from.h, c.from.v);
      LineT(c.to.h, c.to.v);
      if (pattern == &kBlackPat) {
        for (int y = 0; y < 24; ++y)
          ASSERT_EQ(dib.Row(y, 0, 32), reference.Row(y, 0, 32)) << name << ", row " << y;
        EXPECT_TRUE(dib.IsBlack(c.to.h, c.to.v)) << name << ": the end point is painted";
        EXPECT_TRUE(dib.IsBlack(c.from.h, c.from.v)) << name << ": the start point is painted";
      } else {
        // A patterned straight line may take the pattern brush rather than the dotted pen:
        // whichever route, it paints something and, below, each pixel once.
        EXPECT_GT(dib.CountBlack(), 0) << name;
      }
      POINT at{-1, -1};
      ASSERT_TRUE(GetCurrentPositionEx(dib.dc(), &at));
      EXPECT_EQ(at.x, c.to.h) << name;
      EXPECT_EQ(at.y, c.to.v) << name;
      // Moving the pen moves the DC's position too, even where the DC's position already was.
      MoveT(c.from.h, c.from.v);
      ASSERT_TRUE(GetCurrentPositionEx(dib.dc(), &at));
      EXPECT_EQ(at.x, c.from.h) << name;
      EXPECT_EQ(at.y, c.from.v) << name;
      LineT(c.to.h, c.to.v);
      EXPECT_EQ(dib.CountBlack(), 0) << name << ": the second line undoes the first exactly";
      ClosePort(AsGraf(port));
    }
  }
}

TEST_F(LinesTest, ALineStartsWhereThePenIsWhateverMovedTheDCsPosition) {
  // Something else (the application's own GDI call on the port's DC) moved the DC's current
  // position: the next line still starts at the pen.
  DibSurface dib(32, 16);
  CGrafPort port{};
  OpenColourPortOn(port, dib);
  MoveT(2, 5);
  MoveToEx(dib.dc(), 20, 12, nullptr);
  LineT(10, 5);
  EXPECT_EQ(dib.Row(5, 0, 16), "..#########.....");
  EXPECT_EQ(dib.CountBlack(), 9);
  ClosePort(AsGraf(port));
}

TEST_F(LinesTest, DiagonalLinesPaintBothEndsAndThickOnesTheSweptShape) {
  DibSurface dib(40, 40);
  CGrafPort port{};
  OpenColourPortOn(port, dib);
  MoveT(2, 2);
  LineT(12, 9);
  EXPECT_TRUE(dib.IsBlack(2, 2));
  EXPECT_TRUE(dib.IsBlack(12, 9)) << "the end point is painted, as on the Macintosh";
  EXPECT_FALSE(dib.IsBlack(13, 9));

  // A 4 x 3 pen from (20, 5) to (30, 25): both pen rectangles and the band between them.
  PenSize(4, 3);
  MoveT(20, 5);
  LineT(30, 25);
  for (int y = 5; y < 8; ++y)
    for (int x = 20; x < 24; ++x) EXPECT_TRUE(dib.IsBlack(x, y)) << x << "," << y;
  for (int y = 25; y < 28; ++y)
    for (int x = 30; x < 34; ++x) EXPECT_TRUE(dib.IsBlack(x, y)) << x << "," << y;
  EXPECT_TRUE(dib.IsBlack(25, 15)) << "the middle of the stroke";
  EXPECT_FALSE(dib.IsBlack(34, 28)) << "nothing beyond the end rectangle";
  EXPECT_FALSE(dib.IsBlack(19, 5)) << "nothing before the start rectangle";
  EXPECT_FALSE(dib.IsBlack(20, 20)) << "nothing off the stroke";
}

TEST_F(LinesTest, HiddenPensEmptyPensAndUnsupportedModesDrawNothingButMoveThePen) {
  struct Case {
    const char* name;
    std::function<void()> setUp;
    std::function<void()> undo;
  };
  const Case cases[] = {
      {"HidePen", [] { HidePen(); }, [] { ShowPen(); }},
      {"PenSize(0, 3)", [] { PenSize(0, 3); }, [] { PenSize(1, 1); }},
      {"PenSize(0, 0)", [] { PenSize(0, 0); }, [] { PenSize(1, 1); }},
      {"PenMode(50)", [] { PenMode(50); }, [] { PenMode(patCopy); }},
      {"PenMode(16)", [] { PenMode(16); }, [] { PenMode(patCopy); }},
  };
  for (const Case& c : cases) {
    DibSurface dib(24, 8);
    CGrafPort port{};
    OpenColourPortOn(port, dib);
    c.setUp();
    MoveT(1, 3);
    LineT(20, 3);
    EXPECT_EQ(dib.CountBlack(), 0) << c.name;
    EXPECT_EQ(port.pnLoc.h, 20) << c.name;
    c.undo();
    LineT(20, 6);
    EXPECT_TRUE(dib.IsBlack(20, 4)) << c.name << ": drawing resumes";
    ClosePort(AsGraf(port));
  }
  CGrafPort port{};
  DibSurface dib(4, 4);
  OpenColourPortOn(port, dib);
  PenMode(50);
  EXPECT_EQ(port.pnMode, 42) << "modes 40..63 are taken as mode - 8";
}

TEST_F(LinesTest, AnAllWhitePenPatternDrawsSolidInTheBackgroundColour) {
  for (unsigned long switches : {0ul, static_cast<unsigned long>(ZEB_SW_NOFASTLINES)}) {
    DibSurface dib(24, 16);
    dib.Fill(kBlack);
    CGrafPort port{};
    OpenColourPortOn(port, dib);
    ZEB_SetFlags(0, 0, ZEB_SW_NOFASTLINES, switches);
    const RGBColor yellow = {0xFFFF, 0xFFFF, 0};
    RGBBackColor(&yellow);
    PenPat(&kWhitePat);
    MoveT(2, 5);
    LineT(20, 5);
    MoveT(3, 7);
    LineT(12, 14);
    for (int x = 2; x <= 20; ++x)
      ASSERT_EQ(dib.Pixel(x, 5), 0xFFFF00u) << "the erase idiom leaves no dots, x " << x;
    EXPECT_EQ(dib.Pixel(3, 7), 0xFFFF00u);
    EXPECT_EQ(dib.Pixel(12, 14), 0xFFFF00u);
    ClosePort(AsGraf(port));
  }
}

TEST_F(LinesTest, PatternsLieRowByRowAndFollowTheBrushAlignment) {
  DibSurface dib(24, 16);
  CGrafPort port{};
  OpenColourPortOn(port, dib);
  PenSize(16, 8);
  PenPat(&kCornerPat);
  MoveT(0, 0);
  LineT(0, 0);
  // Row 0 of the pattern at device row 0, its first byte's top bit at column 0.
  EXPECT_EQ(dib.Row(0, 0, 16), "#.......#.......");
  EXPECT_EQ(dib.Row(1, 0, 16), "................");
  ClosePort(AsGraf(port));

  // A port drawn on the screen DC, lent a DIB: with brush alignment the pattern follows the
  // window's position on the screen.
  GrafPort screenDrawn{};
  OpenPort(&screenDrawn);
  DibSurface lent(24, 16);
  HDC own = ZEB_SwaphDC(lent.dc(), 1);
  POINT origin = {0, 0};
  ClientToScreen(frame_, &origin);
  ZEB_BrushAlign(1);
  PenSize(16, 8);
  PenPat(&kCornerPat);
  MoveT(0, 0);
  LineT(0, 0);
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 16; ++x)
      ASSERT_EQ(lent.IsBlack(x, y), PatternBit(kCornerPat, x + origin.x, y + origin.y))
          << x << "," << y;
  ZEB_BrushAlign(-1);
  ZEB_SwaphDC(own, 0);
  ClosePort(&screenDrawn);
}

TEST_F(LinesTest, ThePatternLinesOptionFillsThinPatternedDiagonalsInsteadOfDotting) {
  // Along the diagonal x == y the gray pattern is set at every pixel: filled, all of them are
  // black; a dotted GDI pen leaves gaps.
  for (unsigned long option : {1ul, 0ul}) {
    const unsigned long previous = ZEB_SystemValue(ZEB_SV_SET, 19, option);
    DibSurface dib(24, 24);
    CGrafPort port{};
    OpenColourPortOn(port, dib);
    PenPat(&kGrayPat);
    MoveT(2, 2);
    LineT(20, 20);
    int black = 0;
    for (int i = 2; i <= 20; ++i) black += dib.IsBlack(i, i);
    if (option) {
      EXPECT_EQ(black, 19);
    } else {
      EXPECT_LT(black, 19) << "a dotted pen";
    }
    ClosePort(AsGraf(port));
    ZEB_SystemValue(ZEB_SV_SET, 19, previous);
  }
}

TEST_F(LinesTest, PixelPatternsDrawInTheirOwnColours) {
  // An 8 x 8 pattern of 8-bit pixels whose table makes 0 red and 1 blue, in checks.
  Handle tableHandle = NewHandleClear(8 + 2 * 8);
  CTabHandle table = reinterpret_cast<CTabHandle>(tableHandle);
  (*table)->ctSize = 1;
  (*table)->ctTable[0].rgb = {0xFFFF, 0, 0};
  (*table)->ctTable[1].rgb = {0, 0, 0xFFFF};
  PixMapHandle pm = NewPixMap();
  DisposeCTable((*pm)->pmTable);
  (*pm)->pmTable = table;
  (*pm)->rowBytes = static_cast<short>(0x8000 | 8);
  (*pm)->bounds = {0, 0, 8, 8};
  (*pm)->pixelSize = 8;
  (*pm)->cmpSize = 8;
  Handle data = NewHandleClear(64);
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 8; ++x) (*data)[y * 8 + x] = static_cast<char>((x + y) & 1);
  Handle ppHandle = NewHandleClear(sizeof(PixPat));
  PixPatHandle pp = reinterpret_cast<PixPatHandle>(ppHandle);
  (*pp)->patType = 1;
  (*pp)->patMap = pm;
  (*pp)->patData = data;
  (*pp)->patXValid = -1;

  DibSurface dib(16, 8);
  CGrafPort port{};
  OpenColourPortOn(port, dib);
  PenPixPat(pp);
  PenSize(16, 8);
  MoveT(0, 0);
  LineT(0, 0);
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 16; ++x)
      ASSERT_EQ(dib.Pixel(x, y), ((x + y) & 1) ? 0x0000FFu : 0xFF0000u) << x << "," << y;
  // An RGB pattern is its colour, solid.
  (*pp)->patType = 2;
  (*table)->ctTable[0].rgb = {0, 0xFFFF, 0};
  (*pp)->patXValid = -1;
  (*pp)->patXMap = nullptr;
  PenPixPat(pp);
  PenSize(4, 4);
  MoveT(2, 2);
  LineT(2, 2);
  EXPECT_EQ(dib.Pixel(3, 3), 0x00FF00u);
  PenPat(&kBlackPat);  // the pen goes back to the port's own pattern before pp is disposed
  EXPECT_NE(port.pnPixPat, pp);
  ClosePort(AsGraf(port));
  DisposeHandle(data);
  DisposePixMap(pm);
  DeleteObject(reinterpret_cast<HBRUSH>((*pp)->patXMap));
  DisposeHandle(ppHandle);
}

TEST_F(LinesTest, BlackAndWhitePortsDrawWithTheirOwnPatternFields) {
  DibSurface dib(16, 8);
  GrafPort port{};
  OpenBlackAndWhitePortOn(port, dib);
  PenPat(&kGrayPat);
  PenSize(8, 2);
  MoveT(0, 0);
  LineT(0, 0);
  EXPECT_EQ(dib.Row(0, 0, 8), "#.#.#.#.");
  EXPECT_EQ(dib.Row(1, 0, 8), ".#.#.#.#");
  PenState state;
  GetPenState(&state);
  EXPECT_EQ(state.pnPat.pat[0], 0xAA);
  EXPECT_EQ(state.pnSize.h, 8);
  PenNormal();
  GetPenState(&state);
  EXPECT_EQ(state.pnPat.pat[3], 0xFF);
  EXPECT_EQ(state.pnSize.v, 1);
  EXPECT_EQ(state.pnMode, patCopy);
  // SetPenState puts all of it back, the pen location too.
  PenState saved = {{3, 4}, {2, 5}, static_cast<short>(patXor), kGrayPat};
  SetPenState(&saved);
  EXPECT_EQ(port.pnLoc.h, 4);
  EXPECT_EQ(port.pnSize.h, 5);
  EXPECT_EQ(port.pnMode, patXor);
  EXPECT_EQ(port.pnPat.pat[1], 0x55);
  ClosePort(&port);
}

TEST_F(LinesTest, ModeEmulationDrawsOrAndBicModesInThePortsColours) {
  // Without the emulation GDI ANDs a red pen into a blue background; the Toolbox puts red there.
  DibSurface dib(24, 8);
  dib.Fill(0x0000FF);
  CGrafPort port{};
  OpenColourPortOn(port, dib);
  ZEB_SetFlags(0, 0, ZEB_SW_MODEEMULATION, ZEB_SW_MODEEMULATION);
  const RGBColor red = {0xFFFF, 0, 0};
  RGBForeColor(&red);
  PenMode(patOr);
  PenPat(&kGrayPat);
  PenSize(8, 2);
  MoveT(0, 2);
  LineT(8, 2);
  for (int x = 0; x < 16; ++x)
    EXPECT_EQ(dib.Pixel(x, 2), PatternBit(kGrayPat, x, 2) ? 0xFF0000u : 0x0000FFu) << x;
  // patBic puts the background colour where the pattern is set.
  const RGBColor green = {0, 0xFFFF, 0};
  RGBBackColor(&green);
  PenMode(patBic);
  MoveT(0, 5);
  LineT(8, 5);
  for (int x = 0; x < 16; ++x)
    EXPECT_EQ(dib.Pixel(x, 5), PatternBit(kGrayPat, x, 5) ? 0x00FF00u : 0x0000FFu) << x;
  EXPECT_EQ(dib.Pixel(3, 0), 0x0000FFu) << "nothing outside the line";
  ClosePort(AsGraf(port));
}

TEST_F(LinesTest, ALineProcInstalledInGrafProcsTakesTheLineAndMayCallStdLine) {
  static int calls;
  calls = 0;
  struct Proc {
    static void ZEBAPI Line(Point pt) {
      ++calls;
      StdLine(pt);  // the standard work: must not come back here
    }
  };
  DibSurface dib(16, 8);
  CGrafPort port{};
  OpenColourPortOn(port, dib);
  CQDProcs procs;
  SetStdCProcs(&procs);
  // The program's &StdLine is its import thunk; the record holds the library's own address.
  EXPECT_EQ(procs.lineProc, reinterpret_cast<void*>(
                                GetProcAddress(GetModuleHandleA("ZEB32_10.dll"), "StdLine")));
  EXPECT_EQ(procs.newProc6, nullptr);
  procs.lineProc = reinterpret_cast<void*>(&Proc::Line);
  port.grafProcs = &procs;
  MoveT(1, 1);
  LineT(9, 1);
  EXPECT_EQ(calls, 1);
  EXPECT_TRUE(dib.IsBlack(9, 1));
  port.grafProcs = nullptr;
  ClosePort(AsGraf(port));
}

}  // namespace
}  // namespace zebtest

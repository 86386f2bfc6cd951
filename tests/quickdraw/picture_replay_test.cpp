// Replay of what a picture holds beyond shapes: the mask regions of the bits opcodes, full and
// RGB pixel patterns, inverted arcs through the port's arc procedure, Windows metafiles in a
// picture handle, runs of text that replay where they were drawn, and recording that runs out
// of memory.
#include <cstring>
#include <string>
#include <vector>

#include "MacMemory.h"
#include "ZEB.h"
#include "pict_bytes.h"
#include "quickdraw_fixture.h"

namespace zebtest {
namespace {

constexpr uint32_t kRed = 0xFF0000;
constexpr uint32_t kGreen = 0x00FF00;
constexpr uint32_t kBlue = 0x0000FF;

class PictureReplayTest : public QuickDrawTest {
 protected:
  void TearDown() override {
    ZEB_SetMemoryLimits(0, 0, 0, 0);
    for (CGrafPort* p : {&a_, &b_})
      if (p->patStretch > 0 && ZEB_GetCurrentDC()) CloseCPort(p);
    QuickDrawTest::TearDown();
  }
  CGrafPort a_{}, b_{};
};

// An L-shaped region over (0, 0, 8, 16): the top four rows whole, the bottom four the left
// half. Inversion lines: v, then the h of each point, each line ended by 0x7FFF, the region by
// a last 0x7FFF.
void LRegion(Bytes& x) {
  x.w(10 + 3 * 8 + 2).rect(0, 0, 8, 16);
  x.w(0).w(0).w(16).w(0x7FFF);
  x.w(4).w(8).w(16).w(0x7FFF);
  x.w(8).w(0).w(8).w(0x7FFF);
  x.w(0x7FFF);
}

bool InL(int x, int y, int scale) {
  x /= scale;
  y /= scale;
  return y >= 0 && y < 8 && x >= 0 && (y < 4 ? x < 16 : x < 8);
}

TEST_F(PictureReplayTest, RegionFormsDrawOnlyInsideTheWholeMaskRegion) {
  struct Case {
    const char* name;
    int opcode;
    uint32_t colour;
  };
  const Case cases[] = {{"BitsRgn", 0x0091, kBlack}, {"PackBitsRgn", 0x0099, kBlack},
                        {"DirectBitsRgn", 0x009B, kRed}};
  for (const Case& c : cases) {
    Bytes x = Opening(0, 0, 8, 16);
    x.w(c.opcode);
    if (c.opcode == 0x009B) {
      // Base-address placeholder, a 32-bit pixel map of 16 x 8, unpacked (packType 1).
      x.l(0x000000FF).w(0x8000 | 64).rect(0, 0, 8, 16).w(0).w(1).l(0).l(0x00480000).l(0x00480000);
      x.w(16).w(32).w(3).w(8).l(0).l(0).l(0);
    } else {
      x.w(2).rect(0, 0, 8, 16);  // a one-bit bit map: 2 bytes a row, never packed
    }
    x.rect(0, 0, 8, 16).rect(0, 0, 8, 16).w(0);  // srcRect, dstRect, srcCopy
    LRegion(x);
    for (int y = 0; y < 8; ++y) {
      if (c.opcode == 0x009B)
        for (int i = 0; i < 16; ++i) x.u8(0).u8(0xFF).u8(0).u8(0);
      else
        x.w(0xFFFF);
    }
    x.pad().w(0x00FF);
    PicHandle pic = MakePicture({0, 0, 8, 16}, x.b);
    for (int scale : {1, 2}) {
      DibSurface dib(40, 24);
      dib.Fill(kWhite);
      OpenColourPortOn(a_, dib);
      const Rect dst = {0, 0, static_cast<short>(8 * scale), static_cast<short>(16 * scale)};
      DrawPicture(pic, &dst);
      for (int y = 0; y < 24; ++y)
        for (int px = 0; px < 40; ++px)
          ASSERT_EQ(dib.Pixel(px, y), InL(px, y, scale) ? c.colour : kWhite)
              << c.name << " at " << px << "," << y << " scale " << scale;
      CloseCPort(&a_);
    }
    KillPicture(pic);
  }
}

TEST_F(PictureReplayTest, AMaskRegionThatIsNoRegionStopsThePictureThere) {
  DibSurface dib(32, 16);
  dib.Fill(kWhite);
  OpenColourPortOn(a_, dib);
  Bytes x = Opening(0, 0, 16, 32);
  x.w(0x0031).rect(0, 0, 4, 4);  // drawn before the damage
  x.w(0x0091).w(2).rect(0, 0, 8, 16).rect(0, 0, 8, 16).rect(0, 16, 8, 32).w(0);
  x.w(10 + 6).rect(0, 0, 8, 16).w(0).w(0).w(16);  // a line without its end word
  for (int y = 0; y < 8; ++y) x.w(0xFFFF);
  x.w(0x0031).rect(10, 10, 14, 14).w(0x00FF);  // after it: never reached
  PicHandle pic = MakePicture({0, 0, 16, 32}, x.b);
  const Rect dst = {0, 0, 16, 32};
  DrawPicture(pic, &dst);
  EXPECT_EQ(dib.CountBlack(), 16);
  EXPECT_TRUE(dib.IsBlack(3, 3));
  EXPECT_FALSE(dib.IsBlack(20, 2)) << "the image with the damaged mask is not drawn";
  EXPECT_FALSE(dib.IsBlack(12, 12));
  KillPicture(pic);
}

// A full pixel pattern of 8 x 8 at two bits a pixel: the left four columns entry 1 (red), the
// right four entry 3 (blue). Its one-bit form, 0xF0 rows, would draw black and white instead.
void FullPattern(Bytes& x, int opcode) {
  x.w(opcode).w(1);
  for (int i = 0; i < 8; ++i) x.u8(0xF0);
  x.w(0x8000 | 2).rect(0, 0, 8, 8).w(0).w(0).l(0).l(0x00480000).l(0x00480000);
  x.w(0).w(2).w(1).w(2).l(0).l(0).l(0);
  x.l(0).w(0).w(3);  // colour table: seed, flags, 4 entries
  x.w(0).w(0xFFFF).w(0xFFFF).w(0xFFFF);
  x.w(1).w(0xFFFF).w(0).w(0);
  x.w(2).w(0).w(0xFFFF).w(0);
  x.w(3).w(0).w(0).w(0xFFFF);
  for (int y = 0; y < 8; ++y) x.u8(0x55).u8(0xFF);  // rows of 2 bytes: never packed
}

TEST_F(PictureReplayTest, PixelPatternsReplayAsTheirPixelsOnColourPorts) {
  struct Case {
    const char* name;
    int patternOp;
    bool rgb;
    int shapeOp;
  };
  const Case cases[] = {{"fill rect", 0x0014, false, 0x0034}, {"fill oval", 0x0014, false, 0x0054},
                        {"pen", 0x0013, false, 0x0031},       {"background", 0x0012, false, 0x0032},
                        {"RGB pen", 0x0013, true, 0x0031}};
  for (const Case& c : cases) {
    Bytes x = Opening(0, 0, 32, 32);
    if (c.rgb) {
      x.w(c.patternOp).w(2);
      for (int i = 0; i < 8; ++i) x.u8(0xAA);
      x.w(0).w(0xFFFF).w(0);
    } else {
      FullPattern(x, c.patternOp);
    }
    x.w(c.shapeOp).rect(0, 0, 32, 32).w(0x00FF);
    PicHandle pic = MakePicture({0, 0, 32, 32}, x.b);
    DibSurface dib(32, 32);
    dib.Fill(kWhite);
    OpenColourPortOn(a_, dib);
    const PixPatHandle pen = a_.pnPixPat, back = a_.bkPixPat;
    const Rect dst = {0, 0, 32, 32};
    DrawPicture(pic, &dst);
    if (c.rgb) {
      EXPECT_EQ(dib.Pixel(16, 16), kGreen) << c.name;
      EXPECT_EQ(dib.Pixel(1, 1), kGreen) << c.name;
    } else {
      EXPECT_EQ(dib.Pixel(17, 16), kRed) << c.name;
      EXPECT_EQ(dib.Pixel(21, 16), kBlue) << c.name;
      EXPECT_EQ(dib.Pixel(9, 9), kRed) << c.name;
      EXPECT_EQ(dib.Pixel(14, 9), kBlue) << c.name;
    }
    // The replay's patterns do not stay: the port has its own handles again.
    EXPECT_EQ(a_.pnPixPat, pen) << c.name;
    EXPECT_EQ(a_.bkPixPat, back) << c.name;
    const Rect after = {0, 0, 4, 4};
    PaintRect(&after);
    EXPECT_EQ(dib.Pixel(1, 1), kBlack) << c.name << ": the port's own pen after the replay";
    CloseCPort(&a_);
    KillPicture(pic);
  }
}

TEST_F(PictureReplayTest, PixelPatternsLeftByAReplayWithoutStatePushLiveWithThePort) {
  Bytes x = Opening(0, 0, 16, 16);
  FullPattern(x, 0x0013);
  x.w(0x0031).rect(0, 0, 16, 16).w(0x00FF);
  PicHandle pic = MakePicture({0, 0, 16, 16}, x.b);
  DibSurface dib(16, 16);
  dib.Fill(kWhite);
  OpenColourPortOn(a_, dib);
  EXPECT_EQ(ZEB_AllowPictStatePush(0), 1);
  const Rect dst = {0, 0, 16, 16};
  DrawPicture(pic, &dst);
  EXPECT_EQ(ZEB_AllowPictStatePush(1), 0);
  ASSERT_NE(a_.pnPixPat, nullptr);
  EXPECT_EQ((*a_.pnPixPat)->patType, 1) << "the picture's pen pattern stays installed";
  // Drawn again with the pattern the picture left: still its pixels.
  dib.Fill(kWhite);
  const Rect r = {0, 0, 8, 8};
  PaintRect(&r);
  EXPECT_EQ(dib.Pixel(1, 1), kRed);
  EXPECT_EQ(dib.Pixel(5, 1), kBlue);
  CloseCPort(&a_);  // the context's pattern goes with it, the port's field is cleared first
  KillPicture(pic);
}

int g_arcCalls = 0;
GrafVerb g_arcVerb = -1;
void ZEBAPI CountingArc(GrafVerb verb, const Rect* r, short start, short extent) {
  ++g_arcCalls;
  g_arcVerb = verb;
  StdArc(verb, r, start, extent);
}

TEST_F(PictureReplayTest, InvertedArcsGoThroughThePortsArcProcedure) {
  DibSurface dib(40, 40);
  dib.Fill(kWhite);
  OpenColourPortOn(a_, dib);
  CQDProcs procs;
  SetStdCProcs(&procs);
  procs.arcProc = reinterpret_cast<decltype(procs.arcProc)>(&CountingArc);
  a_.grafProcs = &procs;
  const Rect r = {0, 0, 40, 40};
  InvertArc(&r, 90, 90);  // the lower right quarter
  EXPECT_EQ(g_arcCalls, 1);
  EXPECT_EQ(g_arcVerb, invert);
  EXPECT_TRUE(dib.IsBlack(28, 28));
  EXPECT_FALSE(dib.IsBlack(10, 10));
  Bytes x = Opening(0, 0, 40, 40);
  x.w(0x0063).rect(0, 0, 40, 40).w(90).w(90).w(0x00FF);
  PicHandle pic = MakePicture({0, 0, 40, 40}, x.b);
  g_arcCalls = 0;
  g_arcVerb = -1;
  DrawPicture(pic, &r);
  EXPECT_EQ(g_arcCalls, 1);
  EXPECT_EQ(g_arcVerb, invert);
  EXPECT_FALSE(dib.IsBlack(28, 28)) << "inverted twice";
  a_.grafProcs = nullptr;
  KillPicture(pic);
}

// A picture handle holding a metafile: picSize and picFrame, then the metafile's own bytes.
PicHandle MetafilePicture(const Rect& frame, const std::vector<uint8_t>& bits) {
  PicHandle pic = MakePicture(frame, bits);
  return pic;
}

std::vector<uint8_t> WindowsMetafileOfABlackSquare() {
  HDC mdc = CreateMetaFileA(nullptr);
  PatBlt(mdc, 10, 10, 10, 10, BLACKNESS);
  HMETAFILE mf = CloseMetaFile(mdc);
  std::vector<uint8_t> bits(GetMetaFileBitsEx(mf, 0, nullptr));
  GetMetaFileBitsEx(mf, static_cast<UINT>(bits.size()), bits.data());
  DeleteMetaFile(mf);
  return bits;
}

TEST_F(PictureReplayTest, WindowsMetafilesInAPictureHandlePlayIntoTheDestination) {
  const std::vector<uint8_t> bits = WindowsMetafileOfABlackSquare();
  ASSERT_GE(bits.size(), 18u);
  ASSERT_EQ(bits[2], 9) << "METAHEADER of 9 words";
  PicHandle pic = MetafilePicture({0, 0, 40, 40}, bits);
  struct Case {
    Rect dst;
    Rect clip;
    Rect black;
  };
  const Rect all = {0, 0, 80, 80};
  const Case cases[] = {{{0, 0, 40, 40}, all, {10, 10, 20, 20}},
                        {{0, 0, 80, 80}, all, {20, 20, 40, 40}},
                        {{4, 4, 24, 24}, all, {9, 9, 14, 14}},
                        {{0, 0, 40, 40}, {0, 0, 15, 80}, {10, 10, 15, 20}}};  // the port's clip
  for (const Case& c : cases) {
    DibSurface dib(80, 80);
    dib.Fill(kWhite);
    OpenColourPortOn(a_, dib);
    ClipRect(&c.clip);
    DrawPicture(pic, &c.dst);
    for (int y = 0; y < 80; ++y)
      for (int x = 0; x < 80; ++x) {
        const bool inside = x >= c.black.left && x < c.black.right && y >= c.black.top && y < c.black.bottom;
        ASSERT_EQ(dib.IsBlack(x, y), inside) << x << "," << y << " dst right " << c.dst.right;
      }
    CloseCPort(&a_);
  }
  KillPicture(pic);
  // A metafile header whose size runs past the handle is not played, nor read as opcodes.
  std::vector<uint8_t> cut(bits.begin(), bits.end() - 6);
  PicHandle short_ = MetafilePicture({0, 0, 40, 40}, cut);
  DibSurface dib(40, 40);
  dib.Fill(kWhite);
  OpenColourPortOn(a_, dib);
  const Rect dst = {0, 0, 40, 40};
  DrawPicture(short_, &dst);
  EXPECT_EQ(dib.CountBlack(), 0);
  KillPicture(short_);
}

TEST_F(PictureReplayTest, EnhancedMetafilesPlayScaledToTheDestination) {
  const RECT frame = {0, 0, 1000, 1000};  // hundredths of a millimetre
  HDC mdc = CreateEnhMetaFileA(nullptr, nullptr, &frame, nullptr);
  ASSERT_NE(mdc, nullptr);
  PatBlt(mdc, 0, 0, 1000, 1000, BLACKNESS);
  HENHMETAFILE emf = CloseEnhMetaFile(mdc);
  std::vector<uint8_t> bits(GetEnhMetaFileBits(emf, 0, nullptr));
  GetEnhMetaFileBits(emf, static_cast<UINT>(bits.size()), bits.data());
  DeleteEnhMetaFile(emf);
  PicHandle pic = MetafilePicture({0, 0, 40, 40}, bits);
  DibSurface dib(64, 64);
  dib.Fill(kWhite);
  OpenColourPortOn(a_, dib);
  const Rect dst = {10, 10, 30, 30};
  DrawPicture(pic, &dst);
  EXPECT_TRUE(dib.IsBlack(20, 20));
  EXPECT_TRUE(dib.IsBlack(11, 11));
  EXPECT_FALSE(dib.IsBlack(5, 5));
  EXPECT_FALSE(dib.IsBlack(35, 20));
  EXPECT_FALSE(dib.IsBlack(20, 31));
  KillPicture(pic);
}

// Runs of text drawn one after another, each from where the last ended.
void DrawRuns() {
  TextFont(0);
  TextSize(12);
  MoveT(4, 20);
  static const unsigned char kRuns[][8] = {"\x03" "Run", "\x01" " ", "\x02" "of", "\x01" " ",
                                           "\x04" "text", "\x01" "!", "\x02" "ij", "\x02" "lm"};
  for (const unsigned char* s : kRuns) DrawString(s);
  MoveT(4, 40);
  for (int i = 0; i < 12; ++i) DrawString(reinterpret_cast<const unsigned char*>("\x01" "i"));
}

TEST_F(PictureReplayTest, TextRunsReplayWhereTheyWereDrawn) {
  DibSurface direct(160, 48), replay(160, 48);
  direct.Fill(kWhite);
  replay.Fill(kWhite);
  OpenColourPortOn(a_, direct);
  DrawRuns();
  const Point endDirect = AsGraf(a_)->pnLoc;
  OpenColourPortOn(b_, replay);
  const Rect frame = {0, 0, 48, 160};
  PicHandle pic = OpenPicture(&frame);
  ASSERT_NE(pic, nullptr);
  DrawRuns();
  ClosePicture();
  EXPECT_EQ(AsGraf(b_)->pnLoc.h, endDirect.h) << "recording moves the pen as drawing does";
  // The continuing runs are recorded as DHText (0x29) after the first LongText (0x28).
  const std::vector<uint8_t> ops = OpcodeBytes(pic);
  int longText = 0, dhText = 0;
  for (size_t i = 0; i + 1 < ops.size(); i += 2) {
    if (BE16(&ops[i]) == 0x0028 && longText == 0) ++longText;
    if (BE16(&ops[i]) == 0x0029) ++dhText;
  }
  EXPECT_EQ(longText, 1);
  EXPECT_GT(dhText, 0);
  MoveT(0, 0);
  DrawPicture(pic, &frame);
  EXPECT_GT(direct.CountBlack(), 30);
  EXPECT_EQ(Differences(direct, replay), 0);
  KillPicture(pic);
}

TEST_F(PictureReplayTest, RecordingPastTheMemoryCeilingLeavesAnEmptyPictureAndMemFullErr) {
  DibSurface dib(64, 64);
  dib.Fill(kWhite);
  OpenColourPortOn(a_, dib);
  const Rect frame = {0, 0, 64, 64};
  PicHandle pic = OpenPicture(&frame);
  ASSERT_NE(pic, nullptr);
  Handle h = reinterpret_cast<Handle>(pic);
  // Growth in steps is checked against the ceiling once the picture reaches the threshold.
  ZEB_SetMemoryLimits(1, 256 * 1024, 16 * 1024, 0);
  Handle ballast = NewHandle(160 * 1024);
  ASSERT_NE(ballast, nullptr);
  bool failed = false;
  for (int i = 0; i < 40000 && !failed; ++i) {
    const Rect r = {static_cast<short>(i % 50), static_cast<short>(i % 40),
                    static_cast<short>(i % 50 + 5), static_cast<short>(i % 40 + 7)};
    FrameRec(&r);
    failed = QDError() == memFullErr;
  }
  ASSERT_TRUE(failed) << "the ceiling was reached";
  EXPECT_EQ(GetHandleSize(h), 0) << "emptied, not left as a fragment";
  // Later drawing records nothing: the picture stays empty even when memory comes back.
  DisposeHandle(ballast);
  ZEB_SetMemoryLimits(0, 0, 0, 0);
  const Rect more = {1, 1, 9, 9};
  PaintRect(&more);
  EXPECT_EQ(GetHandleSize(h), 0);
  ClosePicture();
  EXPECT_EQ(a_.picSave, nullptr);
  EXPECT_EQ(GetHandleSize(h), 0);
  EXPECT_EQ(QDError(), memFullErr);
  // Drawing the empty picture draws nothing and does not fail.
  DrawPicture(pic, &frame);
  EXPECT_EQ(dib.CountBlack(), 0);
  KillPicture(pic);
}

}  // namespace
}  // namespace zebtest

// Pictures through the DLL: the bytes OpenPicture and OpenCPicture record, replay into DIB
// sections compared with drawing the same calls directly (1:1, 2:1 and 1:2), pictures built
// byte by byte as a Macintosh writes them, damaged pictures, comments through an application's
// procedures, and the scrap picture.
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "MacMemory.h"
#include "ZEB.h"
#include "pict_bytes.h"
#include "quickdraw_fixture.h"

namespace zebtest {
namespace {

class PicturesTest : public QuickDrawTest {
 protected:
  void TearDown() override {
    for (CGrafPort* p : {&a_, &b_})
      if (p->patStretch > 0 && ZEB_GetCurrentDC()) CloseCPort(p);
    QuickDrawTest::TearDown();
  }
  CGrafPort a_{}, b_{};
};

TEST_F(PicturesTest, FrameRectOnAFreshBlackAndWhitePortRecordsClipRectAndEnd) {
  DibSurface dib(64, 48);
  GrafPort port{};
  OpenBlackAndWhitePortOn(port, dib);
  const Rect frame = {0, 0, 48, 64};
  PicHandle pic = OpenPicture(&frame);
  ASSERT_NE(pic, nullptr);
  EXPECT_EQ(port.picSave, reinterpret_cast<Handle>(pic));
  const Rect r = {5, 6, 20, 30};
  FrameRec(&r);
  ClosePicture();
  EXPECT_EQ(port.picSave, nullptr);
  Bytes want = Opening(0, 0, 48, 64);
  want.w(0x0001).w(10).rect(port.clipRgn[0]->rgnBBox.top, port.clipRgn[0]->rgnBBox.left,
                            port.clipRgn[0]->rgnBBox.bottom, port.clipRgn[0]->rgnBBox.right);
  want.w(0x0030).rect(5, 6, 20, 30).w(0x00FF);
  EXPECT_EQ(OpcodeBytes(pic), want.b);
  EXPECT_EQ((*pic)->picSize, static_cast<short>(10 + want.b.size()));
  EXPECT_EQ((*pic)->picFrame.right, 64);
  // The pen was hidden while recording: nothing reached the surface.
  EXPECT_EQ(dib.CountBlack(), 0);
  // Closing again, with nothing open, changes nothing.
  const long size = GetHandleSize(reinterpret_cast<Handle>(pic));
  ClosePicture();
  EXPECT_EQ(GetHandleSize(reinterpret_cast<Handle>(pic)), size);
  EXPECT_EQ(port.pnVis, 0);
  KillPicture(pic);
  ClosePort(&port);
}

// The same calls drawn directly and replayed from a picture give the same pixels.
void DrawScene() {
  Rect r = {4, 4, 30, 40};
  FrameRec(&r);
  PenSize(3, 2);
  MoveT(50, 10);
  LineT(90, 30);
  LineT(95, 60);
  PenSize(1, 1);
  Rect o = {35, 10, 70, 60};
  PaintOval(&o);
  Rect rr = {40, 70, 75, 120};
  FrameRoundRect(&rr, 16, 12);
  Rect a = {5, 60, 35, 110};
  PaintArc(&a, 45, 120);
  Rect inv = {20, 20, 50, 80};
  InvertRec(&inv);
  const Pattern gray = {{0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55}};
  Rect f = {60, 5, 78, 40};
  FillRec(&f, &gray);
  PolyHandle poly = OpenPoly();
  MoveT(100, 5);
  LineT(125, 20);
  LineT(105, 35);
  LineT(100, 5);
  ClosePoly();
  PaintPoly(poly);
  KillPoly(poly);
}

TEST_F(PicturesTest, ReplayAtFullSizeEqualsDrawingDirectly) {
  DibSurface direct(128, 80), replay(128, 80);
  direct.Fill(kWhite);
  replay.Fill(kWhite);
  OpenColourPortOn(a_, direct);
  DrawScene();
  OpenColourPortOn(b_, replay);
  const Rect frame = {0, 0, 80, 128};
  PicHandle pic = OpenPicture(&frame);
  ASSERT_NE(pic, nullptr);
  DrawScene();
  ClosePicture();
  EXPECT_EQ(replay.CountBlack(), 0);
  PenNormal();
  MoveT(0, 0);
  DrawPicture(pic, &frame);
  EXPECT_GT(direct.CountBlack(), 500);
  EXPECT_EQ(Differences(direct, replay), 0);
  KillPicture(pic);
}

TEST_F(PicturesTest, ReplayScalesToTheDestination) {
  DibSurface dib(128, 128);
  dib.Fill(kWhite);
  OpenColourPortOn(a_, dib);
  const Rect frame = {0, 0, 40, 40};
  PicHandle pic = OpenPicture(&frame);
  const Rect r = {10, 10, 20, 30};
  PaintRect(&r);
  ClosePicture();
  struct Case {
    Rect dst;
    Rect expected;
  };
  const Case cases[] = {
      {{0, 0, 40, 40}, {10, 10, 20, 30}},      // 1:1
      {{0, 0, 80, 80}, {20, 20, 40, 60}},      // 2:1
      {{8, 8, 28, 28}, {13, 13, 18, 23}},      // 1:2, moved
  };
  for (const Case& c : cases) {
    dib.Fill(kWhite);
    DrawPicture(pic, &c.dst);
    for (int y = 0; y < 128; ++y)
      for (int x = 0; x < 128; ++x) {
        const bool inside = x >= c.expected.left && x < c.expected.right && y >= c.expected.top &&
                            y < c.expected.bottom;
        ASSERT_EQ(dib.IsBlack(x, y), inside) << x << "," << y << " dst " << c.dst.right;
      }
  }
  KillPicture(pic);
}

// A picture as a Macintosh writes it: every reserved range with its data, then the rectangle.
TEST_F(PicturesTest, ReservedOpcodesAreSkippedByTheirLengthsAndTheRectangleStillDraws) {
  DibSurface dib(40, 40);
  dib.Fill(kWhite);
  OpenColourPortOn(a_, dib);
  Bytes x;
  x.w(0x0011).w(0x02FF).w(0x0C00).l(0xFFFFFFFF).l(0).l(0).l(40u << 16).l(40u << 16).l(0);
  x.w(0x0017).w(0x0024).w(3).u8(1).u8(2).u8(3).pad().w(0x0035).rect(0, 0, 40, 40);
  x.w(0x0045).rect(0, 0, 40, 40).w(0x0065).rect(0, 0, 1, 1).w(0).w(0).w(0x0092).w(0);
  x.w(0x00A2).w(2).w(0).w(0x00B5).w(0x00D0).l(2).w(0).w(0x0100).w(0).w(0x8005);
  x.w(0x8100).l(4).l(0).w(0x0081).w(10).rect(0, 0, 40, 40);  // a region: not drawn
  x.w(0x0031).rect(5, 5, 10, 10).w(0x00FF);
  const Rect frame = {0, 0, 40, 40};
  PicHandle pic = MakePicture(frame, x.b);
  DrawPicture(pic, &frame);
  EXPECT_EQ(dib.CountBlack(), 25);
  EXPECT_TRUE(dib.IsBlack(5, 5));
  EXPECT_TRUE(dib.IsBlack(9, 9));
  KillPicture(pic);
}

TEST_F(PicturesTest, VersionOneAndExtendedHeadersDrawAtTheirScale) {
  DibSurface dib(40, 40);
  OpenColourPortOn(a_, dib);
  const Rect frame = {0, 0, 20, 20};
  // Version 1: byte opcodes.
  Bytes v1;
  v1.u8(0x11).u8(0x01).u8(0x31).rect(2, 2, 6, 6).u8(0xFF);
  PicHandle one = MakePicture(frame, v1.b);
  dib.Fill(kWhite);
  DrawPicture(one, &frame);
  EXPECT_EQ(dib.CountBlack(), 16);
  // 144 dpi: coordinates are twice the 72-dpi frame.
  Bytes v2;
  v2.w(0x0011).w(0x02FF).w(0x0C00).w(0xFFFE).w(0).l(144u << 16).l(144u << 16).rect(0, 0, 40, 40).l(0);
  v2.w(0x0031).rect(4, 4, 12, 12).w(0x00FF);
  PicHandle hi = MakePicture(frame, v2.b);
  dib.Fill(kWhite);
  DrawPicture(hi, &frame);
  EXPECT_EQ(dib.CountBlack(), 16);
  EXPECT_TRUE(dib.IsBlack(2, 2));
  EXPECT_TRUE(dib.IsBlack(5, 5));
  // A resolution of 0 draws nothing.
  Bytes zero;
  zero.w(0x0011).w(0x02FF).w(0x0C00).w(0xFFFE).w(0).l(0).l(0).rect(0, 0, 40, 40).l(0);
  zero.w(0x0031).rect(4, 4, 12, 12).w(0x00FF);
  PicHandle none = MakePicture(frame, zero.b);
  dib.Fill(kWhite);
  DrawPicture(none, &frame);
  EXPECT_EQ(dib.CountBlack(), 0);
  KillPicture(one);
  KillPicture(hi);
  KillPicture(none);
}

TEST_F(PicturesTest, DamagedPicturesDrawWhatComesBeforeTheDamageAndNothingElse) {
  DibSurface dib(40, 40);
  OpenColourPortOn(a_, dib);
  const Rect frame = {0, 0, 40, 40};
  struct Case {
    const char* what;
    std::vector<uint8_t> ops;
    int black;
  };
  std::vector<Case> cases = {
      {"truncated after the rectangle", Bytes().w(0x0011).w(0x02FF).w(0x0031).rect(0, 0, 2, 2).w(0x0031).w(5).b, 4},
      {"a length past the handle", Bytes().w(0x0011).w(0x02FF).w(0x0031).rect(0, 0, 2, 2).w(0x00A1).w(1).w(30000).b, 4},
      {"a long length past the handle", Bytes().w(0x0011).w(0x02FF).w(0x0031).rect(0, 0, 2, 2).w(0x8200).l(0x7FFFFFFF).w(0x0031).rect(0, 0, 9, 9).w(0xFF).b, 4},
      {"no version", Bytes().w(0x0031).rect(0, 0, 2, 2).w(0xFF).b, 0},
      {"a bits opcode with a huge height", Bytes().w(0x0011).w(0x02FF).w(0x0090).w(2).rect(0, 0, 30000, 16).rect(0, 0, 1, 1).rect(0, 0, 1, 1).w(0).w(0x0031).rect(0, 0, 9, 9).w(0xFF).b, 0},
  };
  for (const Case& c : cases) {
    dib.Fill(kWhite);
    PicHandle pic = MakePicture(frame, c.ops);
    DrawPicture(pic, &frame);
    EXPECT_EQ(dib.CountBlack(), c.black) << c.what;
    KillPicture(pic);
  }
  // A handle under 12 bytes, a nil handle, a nil or empty destination: nothing.
  Handle small = NewHandle(11);
  std::memset(*small, 0, 11);
  reinterpret_cast<Picture*>(*small)->picFrame = frame;
  DrawPicture(reinterpret_cast<PicHandle>(small), &frame);
  DisposeHandle(small);
  DrawPicture(nullptr, &frame);
  PicHandle ok = MakePicture(frame, Bytes().w(0x0011).w(0x02FF).w(0x0031).rect(0, 0, 9, 9).w(0xFF).b);
  DrawPicture(ok, nullptr);
  const Rect empty = {5, 5, 5, 20};
  DrawPicture(ok, &empty);
  EXPECT_EQ(dib.CountBlack(), 0);
  // An empty frame: nothing either.
  (*ok)->picFrame = empty;
  DrawPicture(ok, &frame);
  EXPECT_EQ(dib.CountBlack(), 0);
  KillPicture(ok);
}

TEST_F(PicturesTest, DrawingAPictureIntoThePortRecordingItEnds) {
  DibSurface dib(40, 40);
  OpenColourPortOn(a_, dib);
  const Rect frame = {0, 0, 40, 40};
  PicHandle pic = OpenPicture(&frame);
  const Rect r = {1, 1, 5, 5};
  PaintRect(&r);
  const long before = GetHandleSize(reinterpret_cast<Handle>(pic));
  DrawPicture(pic, &frame);  // records the rectangle again, reads only what was there
  EXPECT_GT(GetHandleSize(reinterpret_cast<Handle>(pic)), before);
  ClosePicture();
  KillPicture(pic);
}

TEST_F(PicturesTest, KillingTheRecordedPictureLeavesThePortWithout) {
  DibSurface dib(40, 40);
  OpenColourPortOn(a_, dib);
  const Rect frame = {0, 0, 40, 40};
  PicHandle pic = OpenPicture(&frame);
  KillPicture(pic);
  EXPECT_EQ(a_.picSave, nullptr);
  const Rect r = {1, 1, 5, 5};
  PaintRect(&r);  // would write into the freed block
  ClosePicture();
}

TEST_F(PicturesTest, LargePicturesKeepTheirSizeAtSixteenUnlessExtended) {
  DibSurface dib(40, 40);
  OpenColourPortOn(a_, dib);
  const Rect frame = {0, 0, 40, 40};
  for (bool extended : {false, true}) {
    PicHandle pic;
    if (extended) {
      OpenCPicParams params{frame, 144 << 16, 144 << 16, -2, 0, 0};
      pic = OpenCPicture(&params);
    } else {
      pic = OpenPicture(&frame);
    }
    ASSERT_NE(pic, nullptr);
    for (int i = 0; i < 5000; ++i) {
      MoveT(static_cast<short>(i % 300), 0);
      LineT(static_cast<short>(i % 300 + 200), static_cast<short>(i % 7 + 200));
    }
    ClosePicture();
    const long size = GetHandleSize(reinterpret_cast<Handle>(pic));
    ASSERT_GT(size, 32767);
    const auto* bytes = reinterpret_cast<const uint8_t*>(*pic);
    EXPECT_EQ((*pic)->picSize, static_cast<short>(size & 0xFFFF));
    if (extended) {
      EXPECT_EQ(BE16(bytes + 16), 0xFFFE);
      EXPECT_EQ(BE32(bytes + 20), 144u << 16);
    } else {
      EXPECT_EQ(BE32(bytes + 16), static_cast<uint32_t>(size));
    }
    EXPECT_EQ(BE16(bytes + size - 2), 0x00FF);
    KillPicture(pic);
  }
}

// The application's procedures see the stream: put-picture while recording, get-picture and
// the comments while replaying, and a comment procedure may draw another picture.
struct Captured {
  static std::vector<uint8_t> put;
  static std::vector<short> kinds;
  static PicHandle inner;
  static Rect innerRect;
};
std::vector<uint8_t> Captured::put;
std::vector<short> Captured::kinds;
PicHandle Captured::inner = nullptr;
Rect Captured::innerRect = {};

void ZEBAPI CapturePut(const void* data, short count) {
  const auto* p = static_cast<const uint8_t*>(data);
  Captured::put.insert(Captured::put.end(), p, p + count);
  StdPutPic(data, count);
}
void ZEBAPI CaptureComment(short kind, short size, Handle data) {
  (void)size;
  (void)data;
  Captured::kinds.push_back(kind);
  if (kind == 7 && Captured::inner) DrawPicture(Captured::inner, &Captured::innerRect);
}

TEST_F(PicturesTest, ApplicationProceduresSeeThePutStreamAndTheComments) {
  DibSurface dib(40, 40);
  dib.Fill(kWhite);
  OpenColourPortOn(a_, dib);
  CQDProcs procs;
  SetStdCProcs(&procs);
  // The DLL's own routines, not the program's import thunks.
  HMODULE dll = GetModuleHandleA("ZEB32_10.dll");
  EXPECT_EQ(procs.putPicProc, reinterpret_cast<void*>(GetProcAddress(dll, "StdPutPic")));
  EXPECT_EQ(procs.getPicProc, reinterpret_cast<void*>(GetProcAddress(dll, "StdGetPic")));
  EXPECT_EQ(procs.commentProc, reinterpret_cast<void*>(GetProcAddress(dll, "StdComment")));
  procs.putPicProc = reinterpret_cast<void*>(&CapturePut);
  a_.grafProcs = &procs;
  Captured::put.clear();
  const Rect frame = {0, 0, 40, 40};
  PicHandle inner = OpenPicture(&frame);
  const Rect r = {30, 30, 34, 34};
  PaintRect(&r);
  ClosePicture();
  // Everything after picSize and picFrame went through the application's procedure.
  EXPECT_EQ(Captured::put, OpcodeBytes(inner));
  PicHandle outer = OpenPicture(&frame);
  Handle data = NewHandle(4);
  std::memcpy(*data, "\x01\x00\x02\x00", 4);
  PicComment(7, 4, data);  // kind 7: not one whose numbers are turned
  PicComment(0, 4, data);  // kind 0: two 16-bit numbers, stored big-endian
  PicComment(9, 0, nullptr);
  ClosePicture();
  const std::vector<uint8_t> ops = OpcodeBytes(outer);
  Bytes want = Opening(0, 0, 40, 40);
  const Rect clip = AsGraf(a_)->clipRgn[0]->rgnBBox;
  want.w(0x0001).w(10).rect(clip.top, clip.left, clip.bottom, clip.right);
  std::vector<uint8_t> tail = {0x00, 0xA1, 0x00, 0x07, 0x00, 0x04, 0x01, 0x00, 0x02, 0x00,
                               0x00, 0xA1, 0x00, 0x00, 0x00, 0x04, 0x00, 0x01, 0x00, 0x02,
                               0x00, 0xA0, 0x00, 0x09, 0x00, 0xFF};
  want.b.insert(want.b.end(), tail.begin(), tail.end());
  EXPECT_EQ(ops, want.b);
  procs.putPicProc = reinterpret_cast<void*>(&StdPutPic);
  procs.commentProc = reinterpret_cast<void*>(&CaptureComment);
  Captured::kinds.clear();
  Captured::inner = inner;
  Captured::innerRect = frame;
  DrawPicture(outer, &frame);
  EXPECT_EQ(Captured::kinds, (std::vector<short>{7, 0, 9}));
  // The nested DrawPicture from the comment procedure drew the inner picture.
  EXPECT_EQ(dib.CountBlack(), 16);
  a_.grafProcs = nullptr;
  DisposeHandle(data);
  KillPicture(inner);
  KillPicture(outer);
}

TEST_F(PicturesTest, RecordedBitsReplayAsTheImage) {
  DibSurface dib(64, 32);
  dib.Fill(kWhite);
  OpenColourPortOn(a_, dib);
  // A one-bit image, 32 x 8: a checkerboard of 4-pixel squares.
  std::vector<uint8_t> rows(4 * 8);
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 32; ++x)
      if (((x / 4) + (y / 4)) & 1) rows[y * 4 + x / 8] |= static_cast<uint8_t>(0x80 >> (x & 7));
  BitMap bm{reinterpret_cast<Ptr>(rows.data()), 4, {0, 0, 8, 32}};
  const Rect frame = {0, 0, 32, 64};
  PicHandle pic = OpenPicture(&frame);
  const Rect dst = {4, 8, 12, 40};
  CopyBits(&bm, &AsGraf(a_)->portBits, &bm.bounds, &dst, srcCopy, nullptr);
  ClosePicture();
  EXPECT_EQ(dib.CountBlack(), 0);  // recorded, not drawn
  const std::vector<uint8_t> ops = OpcodeBytes(pic);
  // After the header (2 + 2 + 2 + 24 bytes) and the clip: BitsRect, rows of 4 bytes unpacked.
  ASSERT_GT(ops.size(), 50u);
  EXPECT_EQ(BE16(ops.data() + 30 + 12), 0x0090);
  DrawPicture(pic, &frame);
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 32; ++x)
      ASSERT_EQ(dib.IsBlack(8 + x, 4 + y), (((x / 4) + (y / 4)) & 1) != 0) << x << "," << y;
  EXPECT_EQ(dib.CountBlack(), 16 * 8);
  KillPicture(pic);
}

TEST_F(PicturesTest, ScrapPicturesHoldADIBThatCopyBitsFills) {
  DibSurface dib(40, 40);
  OpenColourPortOn(a_, dib);
  const Rect none = {5, 5, 5, 9};
  EXPECT_EQ(ZEB_OpenScrapPict(&none), nullptr);
  const Rect r = {0, 0, 3, 5};  // 5 wide, 3 high
  PicHandle pic = ZEB_OpenScrapPict(&r);
  ASSERT_NE(pic, nullptr);
  const long rowBytes = (5 * 3 + 3) / 4 * 4;
  EXPECT_EQ(GetHandleSize(reinterpret_cast<Handle>(pic)), 10 + 40 + rowBytes * 3);
  const auto* info = reinterpret_cast<const BITMAPINFOHEADER*>(reinterpret_cast<uint8_t*>(*pic) + 10);
  EXPECT_EQ(info->biSize, 40u);
  EXPECT_EQ(info->biWidth, 5);
  EXPECT_EQ(info->biHeight, 3);
  EXPECT_EQ(info->biBitCount, 24);
  EXPECT_EQ(info->biXPelsPerMeter, 2800);
  EXPECT_EQ((*pic)->picFrame.right, 5);
  EXPECT_EQ((*pic)->picFrame.bottom, 3);
  // Drawing records nothing; CopyBits of a black image lands in the DIB.
  const long size = GetHandleSize(reinterpret_cast<Handle>(pic));
  const Rect box = {0, 0, 3, 5};
  PaintRect(&box);
  EXPECT_EQ(GetHandleSize(reinterpret_cast<Handle>(pic)), size);
  std::vector<uint8_t> black(2 * 3, 0xFF);
  BitMap bm{reinterpret_cast<Ptr>(black.data()), 2, {0, 0, 3, 16}};
  const Rect src = {0, 0, 3, 5};
  CopyBits(&bm, &AsGraf(a_)->portBits, &src, &box, srcCopy, nullptr);
  const uint8_t* bits = reinterpret_cast<const uint8_t*>(info + 1);
  EXPECT_EQ(bits[0], 0);
  EXPECT_EQ(bits[rowBytes * 2 + 14], 0);
  ClosePicture();
  EXPECT_EQ(a_.picSave, nullptr);
  EXPECT_EQ(a_.pnVis, 0);
  EXPECT_EQ(dib.CountBlack(), 0);
  KillPicture(pic);
}

TEST_F(PicturesTest, HiliteColorSetsTheColourPortsGrafVars) {
  DibSurface dib(8, 8);
  OpenColourPortOn(a_, dib);
  const RGBColor c = {0x1234, 0x5678, 0x9ABC};
  HiliteColor(&c);
  GVarHandle vars = reinterpret_cast<GVarHandle>(a_.grafVars);
  ASSERT_NE(vars, nullptr);
  EXPECT_EQ((*vars)->rgbHiliteColor.green, 0x5678);
  const Rect frame = {0, 0, 8, 8};
  PicHandle pic = OpenPicture(&frame);
  HiliteColor(&c);
  ClosePicture();
  const std::vector<uint8_t> ops = OpcodeBytes(pic);
  const std::vector<uint8_t> want = {0x00, 0x1D, 0x12, 0x34, 0x56, 0x78, 0x9A, 0xBC, 0x00, 0xFF};
  ASSERT_GE(ops.size(), want.size());
  EXPECT_EQ(std::vector<uint8_t>(ops.end() - 10, ops.end()), want);
  KillPicture(pic);
}

}  // namespace
}  // namespace zebtest

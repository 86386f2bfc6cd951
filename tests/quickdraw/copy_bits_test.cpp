// CopyBits, CopyMask and the single-pixel calls on DIB sections: memory images of every depth
// onto ports, ports onto ports and back into memory, modes, colourisation, scaling, masks and
// the bottleneck, and the refusals of bad input.
#include <cstring>
#include <vector>

#include "Errors.h"
#include "ZEB.h"
#include "quickdraw_fixture.h"

namespace zebtest {
namespace {

constexpr uint32_t kRed = 0xDD0806;   // redColor's table colour
constexpr uint32_t kBlue = 0x0000D4;  // blueColor's

// A one-bit bit map of its own rows: '#' is a set (black) bit.
struct OneBitImage {
  std::vector<uint8_t> rows;
  BitMap bits{};
  OneBitImage(int w, int h) : rows(static_cast<size_t>((w + 15) / 16 * 2) * h, 0) {
    bits.baseAddr = reinterpret_cast<Ptr>(rows.data());
    bits.rowBytes = static_cast<short>((w + 15) / 16 * 2);
    SetRec(&bits.bounds, 0, 0, static_cast<short>(w), static_cast<short>(h));
  }
  void Set(int x, int y) { rows[y * bits.rowBytes + x / 8] |= static_cast<uint8_t>(0x80 >> (x & 7)); }
  bool Get(int x, int y) const { return rows[y * bits.rowBytes + x / 8] & (0x80 >> (x & 7)); }
  const BitMap* Bits() const { return &bits; }
};

// A pixel map of its own rows at depth 8, 16 or 32, with a colour table for 8 bits.
struct DeepImage {
  std::vector<uint8_t> rows;
  PixMap pm{};
  CTabHandle table = nullptr;
  DeepImage(int w, int h, int depth) : rows(static_cast<size_t>(w * depth / 8) * h, 0) {
    pm.baseAddr = reinterpret_cast<Ptr>(rows.data());
    pm.rowBytes = static_cast<short>((w * depth / 8) | 0x8000);
    SetRec(&pm.bounds, 0, 0, static_cast<short>(w), static_cast<short>(h));
    pm.pixelSize = static_cast<short>(depth);
    pm.pixelType = depth > 8 ? 16 : 0;
    pm.cmpCount = depth > 8 ? 3 : 1;
    pm.cmpSize = static_cast<short>(depth == 16 ? 5 : depth == 32 ? 8 : depth);
    if (depth == 8) {
      table = reinterpret_cast<CTabHandle>(NewHandleClear(8 + 4 * 8));
      (*table)->ctSize = 3;
      const RGBColor colours[4] = {{0xFFFF, 0xFFFF, 0xFFFF}, {0xFFFF, 0, 0}, {0, 0xFFFF, 0}, {0, 0, 0}};
      for (int i = 0; i < 4; ++i) {
        (*table)->ctTable[i].value = static_cast<short>(i);
        (*table)->ctTable[i].rgb = colours[i];
      }
      pm.pmTable = table;
    }
  }
  ~DeepImage() {
    if (table) DisposeHandle(reinterpret_cast<Handle>(table));
  }
  int RowBytes() const { return pm.rowBytes & 0x3FFF; }
  void Set(int x, int y, uint32_t v) {
    uint8_t* p = rows.data() + y * RowBytes() + x * pm.pixelSize / 8;
    for (int i = pm.pixelSize / 8 - 1; i >= 0; --i, v >>= 8) p[i] = static_cast<uint8_t>(v);
  }
  uint32_t Get(int x, int y) const {
    const uint8_t* p = rows.data() + y * RowBytes() + x * pm.pixelSize / 8;
    uint32_t v = 0;
    for (int i = 0; i < pm.pixelSize / 8; ++i) v = v << 8 | p[i];
    return v;
  }
  const BitMap* Bits() const { return reinterpret_cast<const BitMap*>(&pm); }
};

class CopyBitsTest : public QuickDrawTest {
 protected:
  void Open(DibSurface& dib) { OpenColourPortOn(port_, dib); }
  void TearDown() override {
    if (port_.patStretch >= 0 && ZEB_GetCurrentDC()) CloseCPort(&port_);
    QuickDrawTest::TearDown();
  }
  const BitMap* PortBits() { return &AsGraf(port_)->portBits; }
  CGrafPort port_{};
};

Rect R(short l, short t, short r, short b) {
  Rect x;
  SetRec(&x, l, t, r, b);
  return x;
}

TEST_F(CopyBitsTest, OneBitImageShowsInkInForegroundAndPaperInBackground) {
  DibSurface dib(8, 2);
  dib.Fill(0x808080);
  Open(dib);
  OneBitImage im(8, 1);
  im.Set(0, 0);
  im.Set(1, 0);
  Rect src = R(0, 0, 8, 1), dst = R(0, 0, 8, 1);
  CopyBits(im.Bits(), PortBits(), &src, &dst, srcCopy, nullptr);
  EXPECT_EQ(QDError(), noErr);
  EXPECT_EQ(dib.Row(0, 0, 8), "##......");
  ForeColor(redColor);
  BackColor(blueColor);
  dst = R(0, 1, 8, 2);
  CopyBits(im.Bits(), PortBits(), &src, &dst, srcCopy, nullptr);
  EXPECT_EQ(dib.Pixel(0, 1), kRed);
  EXPECT_EQ(dib.Pixel(2, 1), kBlue);
}

// Modes 0..7 from a one-bit memory image: the device result of each mode's truth table, with
// white as all ones (ink black is 0), srcOr being S and D.
TEST_F(CopyBitsTest, SourceModesFromOneBitImagesFollowTheirRasterOperations) {
  struct Case {
    short mode;
    const char* row;  // source ink in columns 0 and 1, destination ink in columns 0 and 2
  } cases[] = {
      {srcCopy, "##.."},    {srcOr, "###."},     {srcXor, ".##."},    {srcBic, "..#."},
      {notSrcCopy, "..##"}, {notSrcOr, "#.##"},  {notSrcXor, "#..#"}, {notSrcBic, "#..."},
  };
  OneBitImage im(4, 1);
  im.Set(0, 0);
  im.Set(1, 0);
  DibSurface dib(4, 1);
  Open(dib);
  for (const Case& c : cases) {
    dib.Fill(kWhite);
    dib.FillRect(0, 0, 1, 1, kBlack);
    dib.FillRect(2, 0, 3, 1, kBlack);
    Rect r = R(0, 0, 4, 1);
    CopyBits(im.Bits(), PortBits(), &r, &r, c.mode, nullptr);
    EXPECT_EQ(dib.Row(0, 0, 4), c.row) << "mode " << c.mode;
  }
}

TEST_F(CopyBitsTest, DeepMemoryImagesReachThePortInTheirColours) {
  DibSurface dib(4, 3);
  Open(dib);
  DeepImage i8(4, 1, 8), i16(4, 1, 16), i32(4, 1, 32);
  for (int x = 0; x < 4; ++x) i8.Set(x, 0, static_cast<uint32_t>(x));
  const uint32_t p16[4] = {0x7FFF, 0x7C00, 0x03E0, 0x001F};
  const uint32_t p32[4] = {0x00FFFFFF, 0x00FF0000, 0x0000FF00, 0x000000FF};
  for (int x = 0; x < 4; ++x) {
    i16.Set(x, 0, p16[x]);
    i32.Set(x, 0, p32[x]);
  }
  Rect src = R(0, 0, 4, 1);
  Rect d0 = R(0, 0, 4, 1), d1 = R(0, 1, 4, 2), d2 = R(0, 2, 4, 3);
  CopyBits(i8.Bits(), PortBits(), &src, &d0, srcCopy, nullptr);
  CopyBits(i16.Bits(), PortBits(), &src, &d1, srcCopy, nullptr);
  CopyBits(i32.Bits(), PortBits(), &src, &d2, srcCopy, nullptr);
  const uint32_t want8[4] = {0xFFFFFF, 0xFF0000, 0x00FF00, 0x000000};
  const uint32_t want[4] = {0xFFFFFF, 0xFF0000, 0x00FF00, 0x0000FF};
  for (int x = 0; x < 4; ++x) {
    EXPECT_EQ(dib.Pixel(x, 0), want8[x]) << x;
    EXPECT_EQ(dib.Pixel(x, 1) & 0xF8F8F8, want[x] & 0xF8F8F8) << x;
    EXPECT_EQ(dib.Pixel(x, 2), want[x]) << x;
  }
}

TEST_F(CopyBitsTest, PartOfAnImageLandsWholeWhereverItStarts) {
  DibSurface dib(8, 2);
  dib.Fill(kWhite);
  Open(dib);
  // One bit: a span starting in the middle of a byte.
  OneBitImage im(16, 1);
  for (int x : {3, 4, 9}) im.Set(x, 0);
  Rect src = R(3, 0, 11, 1), dst = R(0, 0, 8, 1);
  CopyBits(im.Bits(), PortBits(), &src, &dst, srcCopy, nullptr);
  EXPECT_EQ(dib.Row(0, 0, 8), "##....#.");
  // Eight bits: a span starting on any pixel.
  DeepImage deep(8, 1, 8);
  deep.Set(2, 0, 3);  // black in its table
  src = R(1, 0, 5, 1);
  dst = R(0, 1, 4, 2);
  CopyBits(deep.Bits(), PortBits(), &src, &dst, srcCopy, nullptr);
  EXPECT_EQ(dib.Row(1, 0, 4), ".#..");
}

TEST_F(CopyBitsTest, ScaledTransferStretchesToTheDestination) {
  DibSurface dib(8, 4);
  dib.Fill(kWhite);
  Open(dib);
  OneBitImage im(2, 2);
  im.Set(0, 0);
  im.Set(1, 1);
  Rect src = R(0, 0, 2, 2), dst = R(0, 0, 8, 4);
  CopyBits(im.Bits(), PortBits(), &src, &dst, srcCopy, nullptr);
  EXPECT_EQ(dib.Row(0, 0, 8), "####....");
  EXPECT_EQ(dib.Row(1, 0, 8), "####....");
  EXPECT_EQ(dib.Row(2, 0, 8), "....####");
  EXPECT_EQ(dib.Row(3, 0, 8), "....####");
}

TEST_F(CopyBitsTest, OverlappingCopyWithinAPortEqualsBitBlt) {
  DibSurface dib(16, 4), expected(16, 4);
  for (DibSurface* d : {&dib, &expected}) {
    d->Fill(kWhite);
    d->FillRect(0, 0, 3, 4, kBlack);
    d->FillRect(5, 1, 7, 3, 0x123456);
  }
  BitBlt(expected.dc(), 2, 1, 8, 3, expected.dc(), 0, 0, SRCCOPY);
  Open(dib);
  Rect src = R(0, 0, 8, 3), dst = R(2, 1, 10, 4);
  CopyBits(PortBits(), PortBits(), &src, &dst, srcCopy, nullptr);
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 16; ++x) ASSERT_EQ(dib.Pixel(x, y), expected.Pixel(x, y)) << x << "," << y;
}

TEST_F(CopyBitsTest, PortPixelsCopyIntoMemoryImages) {
  DibSurface dib(8, 2);
  dib.Fill(kWhite);
  dib.FillRect(1, 0, 3, 1, kBlack);
  dib.FillRect(4, 1, 5, 2, 0xFF0000);
  Open(dib);
  OneBitImage im(8, 2);
  Rect r = R(0, 0, 8, 2);
  CopyBits(PortBits(), im.Bits(), &r, &r, srcCopy, nullptr);
  EXPECT_EQ(QDError(), noErr);
  EXPECT_FALSE(im.Get(0, 0));
  EXPECT_TRUE(im.Get(1, 0));
  EXPECT_TRUE(im.Get(2, 0));
  EXPECT_FALSE(im.Get(3, 0));
  DeepImage deep(8, 2, 32);
  CopyBits(PortBits(), deep.Bits(), &r, &r, srcCopy, nullptr);
  EXPECT_EQ(deep.Get(4, 1), 0x00FF0000u);
  EXPECT_EQ(deep.Get(0, 0), 0x00FFFFFFu);
}

TEST_F(CopyBitsTest, MaskRegionLimitsTheTransferAndTheClipStays) {
  DibSurface dib(8, 1);
  dib.Fill(kWhite);
  Open(dib);
  OneBitImage im(8, 1);
  for (int x = 0; x < 8; ++x) im.Set(x, 0);
  RgnHandle mask = NewRgn();
  Rect m = R(2, 0, 5, 1);
  RectRgn(mask, &m);
  Rect r = R(0, 0, 8, 1);
  CopyBits(im.Bits(), PortBits(), &r, &r, srcCopy, mask);
  EXPECT_EQ(dib.Row(0, 0, 8), "..###...");
  // The mask narrowed only that transfer.
  PaintRect(&r);
  EXPECT_EQ(dib.Row(0, 0, 8), "########");
  DisposeRgn(mask);
}

TEST_F(CopyBitsTest, CopyMaskCopiesWhereTheMaskIsBlack) {
  DibSurface dib(8, 1);
  dib.Fill(kWhite);
  Open(dib);
  OneBitImage src(8, 1), mask(8, 1);
  for (int x = 0; x < 8; ++x) src.Set(x, 0);
  mask.Set(1, 0);
  mask.Set(6, 0);
  Rect r = R(0, 0, 8, 1);
  CopyMask(src.Bits(), mask.Bits(), PortBits(), &r, &r, &r);
  EXPECT_EQ(QDError(), noErr);
  EXPECT_EQ(dib.Row(0, 0, 8), ".#....#.");
}

TEST_F(CopyBitsTest, SourceRectangleBeyondTheImageIsClippedAndTheDestinationCut) {
  DibSurface dib(8, 1);
  dib.Fill(0x808080);
  Open(dib);
  OneBitImage im(4, 1);
  for (int x = 0; x < 4; ++x) im.Set(x, 0);
  // The source rectangle is twice the image's width: only the left half receives pixels, and
  // nothing is read past the image's rows.
  Rect src = R(0, 0, 8, 1), dst = R(0, 0, 8, 1);
  CopyBits(im.Bits(), PortBits(), &src, &dst, srcCopy, nullptr);
  EXPECT_EQ(dib.Row(0, 0, 8), "####????");
}

TEST_F(CopyBitsTest, BadInputIsRefusedAndNothingDrawn) {
  DibSurface dib(4, 1);
  dib.Fill(kWhite);
  Open(dib);
  OneBitImage im(4, 1);
  for (int x = 0; x < 4; ++x) im.Set(x, 0);
  Rect r = R(0, 0, 4, 1), empty = R(2, 0, 2, 1);
  CopyBits(nullptr, PortBits(), &r, &r, srcCopy, nullptr);
  EXPECT_EQ(QDError(), paramErr);
  CopyBits(im.Bits(), PortBits(), nullptr, &r, srcCopy, nullptr);
  EXPECT_EQ(QDError(), paramErr);
  CopyBits(im.Bits(), PortBits(), &empty, &r, srcCopy, nullptr);
  EXPECT_EQ(QDError(), noErr);
  CopyBits(im.Bits(), PortBits(), &r, &empty, srcCopy, nullptr);
  // A colour port's pixel-map handle that is no handle is not dereferenced.
  BitMap fake{};
  fake.baseAddr = nullptr;
  fake.rowBytes = static_cast<short>(0xC000);
  CopyBits(&fake, PortBits(), &r, &r, srcCopy, nullptr);
  EXPECT_EQ(QDError(), paramErr);
  // Nor is memory that merely looks like one.
  void* notAHandle[4] = {&notAHandle[1], nullptr, nullptr, nullptr};
  fake.baseAddr = reinterpret_cast<Ptr>(notAHandle);
  CopyBits(&fake, PortBits(), &r, &r, srcCopy, nullptr);
  EXPECT_EQ(QDError(), paramErr);
  // An image of an unknown depth is reported and copied nowhere.
  DeepImage odd(4, 1, 8);
  odd.pm.pixelSize = 3;
  DeepImage target(4, 1, 8);
  CopyBits(odd.Bits(), target.Bits(), &r, &r, srcCopy, nullptr);
  EXPECT_EQ(QDError(), paramErr);
  EXPECT_EQ(dib.Row(0, 0, 4), "....");
}

int g_bitsCalls = 0;
void ZEBAPI CountingBits(const BitMap* src, const Rect* sr, const Rect* dr, short mode, RgnHandle m) {
  ++g_bitsCalls;
  StdBits(src, sr, dr, mode, m);
}

TEST_F(CopyBitsTest, TransfersOntoThePortGoThroughItsBitsBottleneck) {
  DibSurface dib(4, 1);
  dib.Fill(kWhite);
  Open(dib);
  CQDProcs procs;
  SetStdCProcs(&procs);
  procs.bitsProc = reinterpret_cast<void*>(&CountingBits);
  port_.grafProcs = &procs;
  OneBitImage im(4, 1);
  im.Set(3, 0);
  Rect r = R(0, 0, 4, 1);
  g_bitsCalls = 0;
  CopyBits(im.Bits(), PortBits(), &r, &r, srcCopy, nullptr);
  EXPECT_EQ(g_bitsCalls, 1);
  EXPECT_EQ(dib.Row(0, 0, 4), "...#") << "StdBits did the standard work";
  // Into memory, no bottleneck is asked.
  OneBitImage other(4, 1);
  CopyBits(im.Bits(), other.Bits(), &r, &r, srcCopy, nullptr);
  EXPECT_EQ(g_bitsCalls, 1);
  EXPECT_TRUE(other.Get(3, 0));
  port_.grafProcs = nullptr;
}

TEST_F(CopyBitsTest, SinglePixelsReadAndWriteWithoutMovingThePen) {
  DibSurface dib(4, 4);
  dib.Fill(kWhite);
  Open(dib);
  MoveT(2, 2);
  OpenRgn();
  const RGBColor red = {0xFFFF, 0, 0};
  SetCPixel(1, 1, &red);
  RgnHandle recorded = NewRgn();
  CloseRgn(recorded);
  EXPECT_TRUE(EmptyRgn(recorded)) << "SetCPixel adds nothing to an open region";
  DisposeRgn(recorded);
  EXPECT_EQ(AsGraf(port_)->pnLoc.h, 2);
  EXPECT_EQ(AsGraf(port_)->pnLoc.v, 2);
  EXPECT_EQ(dib.Pixel(1, 1), 0xFF0000u);
  RGBColor got;
  GetCPixel(1, 1, &got);
  EXPECT_EQ(got.red, 0xFFFF);
  EXPECT_EQ(got.green, 0);
  EXPECT_TRUE(GetPixe(1, 1));
  EXPECT_FALSE(GetPixe(0, 0));
  // Outside the DC a pixel reads as white.
  EXPECT_FALSE(GetPixe(100, 100));
  GetCPixel(100, 100, &got);
  EXPECT_EQ(got.red, 0xFFFF);
  EXPECT_EQ(got.green, 0xFFFF);
  EXPECT_EQ(got.blue, 0xFFFF);
}

// Deep sources (16-bit x-r5-g5-b5 and 32-bit x-r-g-b) onto one-bit, eight-bit and 32-bit memory
// images, and onto one-bit and 32-bit devices: each destination pixel is the nearest colour it
// can hold (black or white; the entry of the eight-bit table), inverted for notSrcCopy, and
// srcBic whitens where the source is black.
TEST_F(CopyBitsTest, DeepSourcesReachOneEightAnd32BitDestinations) {
  // White, black, near white, near black, red, green: in both source depths.
  const uint32_t colours[6] = {0xFFFFFF, 0x000000, 0xF0F0F0, 0x101010, 0xFF0000, 0x00FF00};
  auto to16 = [](uint32_t c) {
    return ((c >> 19) & 31) << 10 | ((c >> 11) & 31) << 5 | ((c >> 3) & 31);
  };
  for (int depth : {16, 32}) {
    SCOPED_TRACE(depth);
    DeepImage src(6, 1, depth);
    for (int x = 0; x < 6; ++x) src.Set(x, 0, depth == 16 ? to16(colours[x]) : colours[x]);
    Rect r = R(0, 0, 6, 1);
    // 32-bit memory: the colours themselves (16-bit sources widen each 5-bit component).
    DeepImage d32(6, 1, 32);
    CopyBits(src.Bits(), d32.Bits(), &r, &r, srcCopy, nullptr);
    EXPECT_EQ(QDError(), noErr);
    for (int x = 0; x < 6; ++x) EXPECT_EQ(d32.Get(x, 0) & 0xF8F8F8, colours[x] & 0xF8F8F8) << x;
    // notSrcCopy inverts each component.
    CopyBits(src.Bits(), d32.Bits(), &r, &r, notSrcCopy, nullptr);
    EXPECT_EQ(d32.Get(0, 0) & 0xF8F8F8, 0u);
    EXPECT_EQ(d32.Get(1, 0) & 0xF8F8F8, 0xF8F8F8u);
    EXPECT_EQ(d32.Get(4, 0) & 0xF8F8F8, 0x00F8F8u) << "red inverted is cyan";
    // srcBic: white where the source is black, the destination elsewhere.
    for (int x = 0; x < 6; ++x) d32.Set(x, 0, 0x0000FF);
    CopyBits(src.Bits(), d32.Bits(), &r, &r, srcBic, nullptr);
    EXPECT_EQ(d32.Get(1, 0), 0xFFFFFFu);
    EXPECT_EQ(d32.Get(0, 0), 0x0000FFu);
    // Eight bits: the index of the table's entry (white, red, green, black) nearest each colour.
    DeepImage d8(6, 1, 8);
    CopyBits(src.Bits(), d8.Bits(), &r, &r, srcCopy, nullptr);
    const uint32_t want8[6] = {0, 3, 0, 3, 1, 2};
    for (int x = 0; x < 6; ++x) EXPECT_EQ(d8.Get(x, 0), want8[x]) << x;
    // One bit: light colours clear, dark ones set.
    OneBitImage d1(6, 1);
    CopyBits(src.Bits(), d1.Bits(), &r, &r, srcCopy, nullptr);
    EXPECT_FALSE(d1.Get(0, 0));
    EXPECT_TRUE(d1.Get(1, 0));
    EXPECT_FALSE(d1.Get(2, 0));
    EXPECT_TRUE(d1.Get(3, 0));
  }
}

TEST_F(CopyBitsTest, DeepSourcesReachOneBitAnd32BitDevices) {
  DibSurface dib(8, 2);
  dib.Fill(0x808080);
  Open(dib);
  for (int depth : {16, 32}) {
    SCOPED_TRACE(depth);
    DeepImage src(4, 1, depth);
    const uint32_t white = depth == 16 ? 0x7FFF : 0xFFFFFF;
    src.Set(0, 0, white);
    src.Set(1, 0, 0);
    src.Set(2, 0, 0);
    src.Set(3, 0, white);
    Rect r = R(0, 0, 4, 1);
    const short row = depth == 16 ? 0 : 1;
    Rect wide = R(0, row, 8, static_cast<short>(row + 1));
    CopyBits(src.Bits(), PortBits(), &r, &wide, srcCopy, nullptr);
    EXPECT_EQ(dib.Row(row, 0, 8), "..####..") << "scaled twice as wide";
    DibSurface mono(4, 1, 1);
    mono.Fill(kBlack);
    GrafPort port{};
    OpenBlackAndWhitePortOn(port, mono);
    CopyBits(src.Bits(), &port.portBits, &r, &r, srcCopy, nullptr);
    EXPECT_EQ(mono.Row(0, 0, 4), ".##.") << "onto a one-bit device";
    ClosePort(&port);
    SetPort(AsGraf(port_));
  }
}

}  // namespace
}  // namespace zebtest

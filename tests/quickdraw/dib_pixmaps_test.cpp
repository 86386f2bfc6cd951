// Pixel maps held by Windows: DIB-held maps made from packed DIBs, copied to and from ports and
// memory, drawn on through ZEB_OffScreenDC's driver DC, unfolded into Macintosh rows and folded
// back; DIB worlds and UpdateGWorld; the transfer options (direct copy, bands); the off-screen
// band; CopyDeepMask, SeedFill, CalcMask, SetPortBits, SetPortPix and CopyPixMap; and the
// refusals of damaged DIBs.
#include <cstring>
#include <vector>

#include "Errors.h"
#include "MacMemory.h"
#include "QDOffscreen.h"
#include "ZEB.h"
#include "quickdraw_fixture.h"

namespace zebtest {
namespace {

Rect R(short l, short t, short r, short b) {
  Rect x;
  SetRec(&x, l, t, r, b);
  return x;
}

// A bottom-up 8-bit packed DIB whose palette is white, red, green, black, the rest grey.
std::vector<uint8_t> EightBitDIB(int w, int h, const std::vector<uint8_t>& topDownPixels) {
  const int rowBytes = (w + 3) & ~3;
  std::vector<uint8_t> block(sizeof(BITMAPINFOHEADER) + 256 * 4 + static_cast<size_t>(rowBytes) * h);
  auto* bh = reinterpret_cast<BITMAPINFOHEADER*>(block.data());
  bh->biSize = sizeof(BITMAPINFOHEADER);
  bh->biWidth = w;
  bh->biHeight = h;
  bh->biPlanes = 1;
  bh->biBitCount = 8;
  auto* quads = reinterpret_cast<RGBQUAD*>(block.data() + sizeof(BITMAPINFOHEADER));
  for (int i = 0; i < 256; ++i) quads[i] = RGBQUAD{0x80, 0x80, 0x80, 0};
  quads[0] = RGBQUAD{0xFF, 0xFF, 0xFF, 0};
  quads[1] = RGBQUAD{0, 0, 0xFF, 0};
  quads[2] = RGBQUAD{0, 0xFF, 0, 0};
  quads[3] = RGBQUAD{0, 0, 0, 0};
  uint8_t* rows = block.data() + sizeof(BITMAPINFOHEADER) + 256 * 4;
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) rows[(h - 1 - y) * rowBytes + x] = topDownPixels[y * w + x];
  return block;
}

const BITMAPINFO* Info(const std::vector<uint8_t>& block) {
  return reinterpret_cast<const BITMAPINFO*>(block.data());
}

// The pixel (x, y) of a DIB-held map's 8-bit bottom-up rows.
uint8_t HeldPixel(PixMapHandle pm, int x, int y) {
  void* bits = nullptr;
  const BITMAPINFO* info = ZEB_GetDIBFromPixMap(pm, &bits);
  if (!info || !bits) return 0xEE;
  const int rowBytes = (info->bmiHeader.biWidth + 3) & ~3;
  return static_cast<uint8_t*>(bits)[(info->bmiHeader.biHeight - 1 - y) * rowBytes + x];
}

class DIBPixMapTest : public QuickDrawTest {
 protected:
  void TearDown() override {
    ZEB_SetFlags(0, 0, kUsedSwitches, 0);
    if (port_.patStretch >= 0 && ZEB_GetCurrentDC()) CloseCPort(&port_);
    QuickDrawTest::TearDown();
  }
  static constexpr unsigned long kUsedSwitches =
      ZEB_SW_OFFSCREENDRAWING | ZEB_SW_OFFSCREEN | ZEB_SW_COPYBITS1 | ZEB_SW_COPYBITS2;
  void Switch(unsigned long bit, bool on) { ZEB_SetFlags(0, 0, bit, on ? bit : 0); }
  const BitMap* PortBits() { return &AsGraf(port_)->portBits; }
  CGrafPort port_{};
};

TEST_F(DIBPixMapTest, NewDIBPixMapDescribesACopyOfTheDIB) {
  std::vector<uint8_t> dib = EightBitDIB(3, 2, {0, 1, 2, 3, 3, 0});
  reinterpret_cast<BITMAPINFOHEADER*>(dib.data())->biSizeImage = 0xFFFFFFF0;  // never trusted
  PixMapHandle pm = ZEB_NewDIBPixMap(Info(dib));
  ASSERT_NE(pm, nullptr);
  EXPECT_EQ((*pm)->bounds.right, 3);
  EXPECT_EQ((*pm)->bounds.bottom, 2);
  EXPECT_EQ(static_cast<unsigned short>((*pm)->rowBytes), 0x8004);
  EXPECT_EQ((*pm)->pixelSize, 8);
  EXPECT_EQ((*pm)->pixelType, 0);
  ASSERT_NE((*pm)->pmTable, nullptr);
  EXPECT_EQ((*(*pm)->pmTable)->ctSize, 255);
  EXPECT_EQ((*(*pm)->pmTable)->ctTable[1].rgb.red, 0xFFFF);
  EXPECT_EQ((*(*pm)->pmTable)->ctTable[1].rgb.green, 0);
  void* bits = nullptr;
  const BITMAPINFO* held = ZEB_GetDIBFromPixMap(pm, &bits);
  ASSERT_NE(held, nullptr);
  EXPECT_NE(static_cast<const void*>(held), static_cast<const void*>(dib.data()));
  EXPECT_EQ(held->bmiHeader.biSizeImage, 8u);  // computed: 2 rows of 4 bytes
  EXPECT_EQ(HeldPixel(pm, 0, 0), 0);
  EXPECT_EQ(HeldPixel(pm, 2, 0), 2);
  EXPECT_EQ(HeldPixel(pm, 1, 1), 0x03);
  DisposePixMap(pm);
}

TEST_F(DIBPixMapTest, DirectDIBsBecomeDirectPixelMaps) {
  std::vector<uint8_t> block(sizeof(BITMAPINFOHEADER) + 8, 0);
  auto* bh = reinterpret_cast<BITMAPINFOHEADER*>(block.data());
  bh->biSize = sizeof(BITMAPINFOHEADER);
  bh->biWidth = 2;
  bh->biHeight = 1;
  bh->biPlanes = 1;
  bh->biBitCount = 24;
  PixMapHandle pm = ZEB_NewDIBPixMap(Info(block));
  ASSERT_NE(pm, nullptr);
  EXPECT_EQ((*pm)->pixelSize, 32);
  EXPECT_EQ((*pm)->pixelType, RGBDirect);
  EXPECT_EQ((*pm)->cmpSize, 8);
  DisposePixMap(pm);
}

TEST_F(DIBPixMapTest, DamagedDIBsAndRowsOf0x4000BytesAreRefused) {
  EXPECT_EQ(ZEB_NewDIBPixMap(nullptr), nullptr);
  std::vector<uint8_t> dib = EightBitDIB(2, 2, {0, 0, 0, 0});
  auto* bh = reinterpret_cast<BITMAPINFOHEADER*>(dib.data());
  struct Damage {
    void (*apply)(BITMAPINFOHEADER*);
  } damages[] = {
      {[](BITMAPINFOHEADER* h) { h->biSize = 12; }},
      {[](BITMAPINFOHEADER* h) { h->biBitCount = 3; }},
      {[](BITMAPINFOHEADER* h) { h->biCompression = BI_RLE8; }},
      {[](BITMAPINFOHEADER* h) { h->biClrUsed = 257; }},
      {[](BITMAPINFOHEADER* h) { h->biPlanes = 2; }},
      {[](BITMAPINFOHEADER* h) { h->biWidth = 0; }},
      // Rows of 0x4000 bytes would set rowBytes' bit 14 and read as a port's pixel map handle.
      {[](BITMAPINFOHEADER* h) { h->biWidth = 0x4000; }},
      {[](BITMAPINFOHEADER* h) { h->biBitCount = 24; h->biClrUsed = 0; h->biWidth = 5462; }},
  };
  for (const Damage& d : damages) {
    std::vector<uint8_t> copy = dib;
    d.apply(reinterpret_cast<BITMAPINFOHEADER*>(copy.data()));
    EXPECT_EQ(ZEB_NewDIBPixMap(Info(copy)), nullptr);
  }
  (void)bh;
  PixMapHandle plain = NewPixMap();
  void* bits = reinterpret_cast<void*>(1);
  EXPECT_EQ(ZEB_GetDIBFromPixMap(plain, &bits), nullptr) << "only DIB-held maps answer";
  EXPECT_EQ(bits, nullptr);
  EXPECT_EQ(ZEB_GetDIBFromPixMap(nullptr, nullptr), nullptr);
  DisposePixMap(plain);
}

TEST_F(DIBPixMapTest, CopyBitsMovesPixelsBetweenDIBMapsPortsAndMemory) {
  DibSurface dib(4, 2);
  dib.Fill(0x808080);
  OpenColourPortOn(port_, dib);
  std::vector<uint8_t> packed = EightBitDIB(4, 2, {0, 1, 2, 3, 3, 2, 1, 0});
  PixMapHandle pm = ZEB_NewDIBPixMap(Info(packed));
  ASSERT_NE(pm, nullptr);
  const BitMap* held = reinterpret_cast<const BitMap*>(*pm);
  Rect all = R(0, 0, 4, 2);
  CopyBits(held, PortBits(), &all, &all, srcCopy, nullptr);
  EXPECT_EQ(QDError(), noErr);
  const uint32_t want[2][4] = {{0xFFFFFF, 0xFF0000, 0x00FF00, 0},
                               {0, 0x00FF00, 0xFF0000, 0xFFFFFF}};
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 4; ++x) EXPECT_EQ(dib.Pixel(x, y), want[y][x]) << x << "," << y;

  // Port into the DIB: the held rows change, bottom-up as DIBs are.
  dib.FillRect(0, 0, 4, 1, 0x000000);
  Rect top = R(0, 0, 4, 1);
  CopyBits(PortBits(), held, &top, &top, srcCopy, nullptr);
  for (int x = 0; x < 4; ++x) EXPECT_EQ(HeldPixel(pm, x, 0), 3) << x;
  EXPECT_EQ(HeldPixel(pm, 3, 1), 0) << "the row below is untouched";

  // DIB into Macintosh rows in memory.
  std::vector<uint8_t> rows(4 * 4 * 2, 0);
  PixMap deep{};
  deep.baseAddr = reinterpret_cast<Ptr>(rows.data());
  deep.rowBytes = static_cast<short>(16 | 0x8000);
  deep.bounds = all;
  deep.pixelSize = 32;
  deep.pixelType = RGBDirect;
  deep.cmpCount = 3;
  deep.cmpSize = 8;
  CopyBits(held, reinterpret_cast<const BitMap*>(&deep), &all, &all, srcCopy, nullptr);
  EXPECT_EQ(QDError(), noErr);
  // x-r-g-b, big-endian: pixel (1, 1) is green, (2, 1) red.
  EXPECT_EQ(rows[16 + 4 + 2], 0xFF);
  EXPECT_EQ(rows[16 + 4 + 1], 0x00);
  EXPECT_EQ(rows[16 + 8 + 1], 0xFF);
  DisposePixMap(pm);
}

TEST_F(DIBPixMapTest, DriverDCDrawsIntoTheDIBsRows) {
  std::vector<uint8_t> packed = EightBitDIB(8, 4, std::vector<uint8_t>(32, 0));
  PixMapHandle pm = ZEB_NewDIBPixMap(Info(packed));
  ASSERT_NE(pm, nullptr);
  GrafPtr saved;
  GetPort(&saved);
  HDC dc = ZEB_OffScreenDC(pm, ZEB_OSDC_DRIVER);
  ASSERT_NE(dc, nullptr);
  CGrafPort port{};
  OpenCPort(&port);
  ASSERT_EQ(ZEB_GetCurrentDC(), dc);
  Rect ink = R(2, 1, 5, 3);
  PaintRect(&ink);
  // The DIB answers with what was drawn even while the port is open.
  EXPECT_EQ(HeldPixel(pm, 2, 1), 3);
  EXPECT_EQ(HeldPixel(pm, 4, 2), 3);
  EXPECT_EQ(HeldPixel(pm, 5, 1), 0);
  EXPECT_EQ(HeldPixel(pm, 2, 3), 0);
  Rect more = R(7, 3, 8, 4);
  PaintRect(&more);
  CloseCPort(&port);
  SetPort(saved);
  EXPECT_EQ(HeldPixel(pm, 7, 3), 3) << "closing the port writes the rows back";
  EXPECT_EQ(ZEB_FoldPixMap(pm, nullptr, 0), noErr);
  DisposePixMap(pm);
}

TEST_F(DIBPixMapTest, UnfoldedRowsFoldBackIntoTheDIB) {
  std::vector<uint8_t> packed = EightBitDIB(4, 2, {0, 1, 2, 3, 3, 2, 1, 0});
  PixMapHandle pm = ZEB_NewDIBPixMap(Info(packed));
  PixMapHandle rows = NewPixMap();
  ASSERT_NE(pm, nullptr);
  ASSERT_NE(rows, nullptr);
  ASSERT_EQ(ZEB_UnfoldPixMap(pm, rows, nullptr, 0), noErr);
  ASSERT_NE((*rows)->baseAddr, nullptr);
  EXPECT_EQ((*rows)->pixelSize, 8);
  const int rowBytes = (*rows)->rowBytes & 0x3FFF;
  auto* mac = reinterpret_cast<uint8_t*>((*rows)->baseAddr);
  // Top-down Macintosh rows with the DIB's values.
  EXPECT_EQ(mac[1], 1);
  EXPECT_EQ(mac[3], 3);
  EXPECT_EQ(mac[rowBytes + 0], 3);
  mac[rowBytes + 3] = 2;  // the application edits a pixel
  mac[0] = 1;
  EXPECT_EQ(HeldPixel(pm, 3, 1), 0) << "nothing reaches the DIB before folding";
  ASSERT_EQ(ZEB_FoldPixMap(rows, nullptr, 0), noErr);
  EXPECT_EQ(HeldPixel(pm, 3, 1), 2);
  EXPECT_EQ(HeldPixel(pm, 0, 0), 1);
  EXPECT_EQ(HeldPixel(pm, 1, 0), 1);
  EXPECT_EQ((*rows)->baseAddr, nullptr) << "folding frees the rows";
  EXPECT_EQ(ZEB_FoldPixMap(rows, nullptr, 0), paramErr) << "folded once only";
  EXPECT_EQ(ZEB_UnfoldPixMap(pm, pm, nullptr, 0), paramErr);
  EXPECT_EQ(ZEB_UnfoldPixMap(nullptr, rows, nullptr, 0), paramErr);
  DisposePixMap(rows);
  DisposePixMap(pm);
}

TEST_F(DIBPixMapTest, MacintoshRowsBecomeABottomUpDIB) {
  // A 3 x 3 16-bit direct image: the DIB's first row in memory is the image's last row.
  std::vector<uint8_t> rows(6 * 3, 0);
  const uint16_t last = 0x7C00;  // red
  rows[12] = static_cast<uint8_t>(last >> 8);
  rows[13] = static_cast<uint8_t>(last);
  PixMap pm{};
  pm.baseAddr = reinterpret_cast<Ptr>(rows.data());
  pm.rowBytes = static_cast<short>(6 | 0x8000);
  pm.bounds = R(0, 0, 3, 3);
  pm.pixelSize = 16;
  pm.pixelType = RGBDirect;
  pm.cmpCount = 3;
  pm.cmpSize = 5;
  Handle h = ZEB_CopyBitsMacToDIB(reinterpret_cast<const BitMap*>(&pm));
  ASSERT_NE(h, nullptr);
  const auto* bh = reinterpret_cast<const BITMAPINFOHEADER*>(*h);
  EXPECT_EQ(bh->biBitCount, 16);
  EXPECT_EQ(bh->biHeight, 3);
  const uint8_t* first = reinterpret_cast<const uint8_t*>(*h) + bh->biSize;
  EXPECT_EQ(first[0] | first[1] << 8, 0x7C00);
  DisposeHandle(h);
  BitMap none{};
  none.baseAddr = reinterpret_cast<Ptr>(0x8001);  // a device's tag: no rows in memory
  none.rowBytes = 2;
  none.bounds = R(0, 0, 8, 8);
  EXPECT_EQ(ZEB_CopyBitsMacToDIB(&none), nullptr);
  EXPECT_NE(QDError(), noErr);
  EXPECT_EQ(ZEB_CopyBitsMacToDIB(nullptr), nullptr);
}

TEST_F(DIBPixMapTest, CopyBMPutsRowsIntoADIBMapUncolourised) {
  DibSurface dib(4, 1);
  OpenColourPortOn(port_, dib);
  ForeColor(redColor);  // a raw copy ignores the port's colours
  std::vector<uint8_t> packed = EightBitDIB(8, 1, std::vector<uint8_t>(8, 0));
  PixMapHandle pm = ZEB_NewDIBPixMap(Info(packed));
  ASSERT_NE(pm, nullptr);
  uint8_t bits[2] = {0xA0, 0};
  BitMap bm{reinterpret_cast<Ptr>(bits), 2, R(0, 0, 8, 1)};
  EXPECT_EQ(ZEB_CopyBM(&bm, pm), noErr);
  EXPECT_EQ(HeldPixel(pm, 0, 0), 3);
  EXPECT_EQ(HeldPixel(pm, 1, 0), 0);
  EXPECT_EQ(HeldPixel(pm, 2, 0), 3);
  EXPECT_EQ(ZEB_CopyBM(nullptr, pm), paramErr);
  DisposePixMap(pm);
}

// Memory image onto a port with the direct-copy and banded options gives the pixels of the
// plain path, scaled or not, in every mode tried, and bands of few rows leave none out.
TEST_F(DIBPixMapTest, DirectCopyAndBandsGiveThePlainPathsPixels) {
  const int w = 40, h = 37;
  std::vector<uint8_t> rows(static_cast<size_t>(w) * 4 * h);
  for (size_t i = 0; i < rows.size(); ++i) rows[i] = static_cast<uint8_t>(i * 37 + i / 160);
  PixMap pm{};
  pm.baseAddr = reinterpret_cast<Ptr>(rows.data());
  pm.rowBytes = static_cast<short>((w * 4) | 0x8000);
  pm.bounds = R(0, 0, w, h);
  pm.pixelSize = 32;
  pm.pixelType = RGBDirect;
  pm.cmpCount = 3;
  pm.cmpSize = 8;
  const BitMap* src = reinterpret_cast<const BitMap*>(&pm);
  struct Case {
    Rect dst;
    short mode;
  } cases[] = {{R(0, 0, w, h), srcCopy}, {R(3, 2, 3 + w, 2 + h), srcXor},
               {R(0, 0, 2 * w, h + 11), srcCopy}, {R(1, 1, 21, 30), notSrcCopy}};
  Rect all = R(0, 0, w, h);
  for (const Case& c : cases) {
    DibSurface plain(2 * w, 2 * h), banded(2 * w, 2 * h), direct(2 * w, 2 * h);
    for (DibSurface* d : {&plain, &banded, &direct}) d->Fill(0x336699);
    CGrafPort a{}, b{}, d{};
    OpenColourPortOn(a, plain);
    CopyBits(src, &AsGraf(a)->portBits, &all, &c.dst, c.mode, nullptr);
    CloseCPort(&a);
    Switch(ZEB_SW_COPYBITS2, true);
    OpenColourPortOn(b, banded);
    CopyBits(src, &AsGraf(b)->portBits, &all, &c.dst, c.mode, nullptr);
    CloseCPort(&b);
    Switch(ZEB_SW_COPYBITS2, false);
    Switch(ZEB_SW_COPYBITS1, true);
    OpenColourPortOn(d, direct);
    CopyBits(src, &AsGraf(d)->portBits, &all, &c.dst, c.mode, nullptr);
    CloseCPort(&d);
    Switch(ZEB_SW_COPYBITS1, false);
    int bandDiffs = 0, directDiffs = 0;
    for (int y = 0; y < 2 * h; ++y)
      for (int x = 0; x < 2 * w; ++x) {
        bandDiffs += plain.Pixel(x, y) != banded.Pixel(x, y);
        directDiffs += plain.Pixel(x, y) != direct.Pixel(x, y);
      }
    EXPECT_EQ(bandDiffs, 0) << "mode " << c.mode << " to " << c.dst.right;
    EXPECT_EQ(directDiffs, 0) << "mode " << c.mode << " to " << c.dst.right;
  }
  // Rows of 16384 DIB bytes make bands of two rows; the last band holds the one row left.
  const int w8 = 16382;
  std::vector<uint8_t> rows8(static_cast<size_t>(w8) * 5, 0);
  for (int y = 0; y < 5; ++y) rows8[static_cast<size_t>(y) * w8 + 7] = 3;
  CTabHandle table = reinterpret_cast<CTabHandle>(NewHandleClear(8 + 4 * 8));
  (*table)->ctSize = 3;
  (*table)->ctTable[3].rgb = RGBColor{0, 0, 0};
  (*table)->ctTable[0].rgb = RGBColor{0xFFFF, 0xFFFF, 0xFFFF};
  PixMap deep{};
  deep.baseAddr = reinterpret_cast<Ptr>(rows8.data());
  deep.rowBytes = static_cast<short>(0x8000 | w8);
  deep.bounds = R(0, 0, static_cast<short>(w8), 5);
  deep.pixelSize = 8;
  deep.cmpCount = 1;
  deep.cmpSize = 8;
  deep.pmTable = table;
  for (int y = 0; y < 5; ++y) rows8[static_cast<size_t>(y) * w8 + w8 - 1] = 3;
  DibSurface target(w8, 5);
  target.Fill(0x336699);
  CGrafPort t{};
  OpenColourPortOn(t, target);
  Switch(ZEB_SW_COPYBITS2, true);
  Rect from = R(0, 0, static_cast<short>(w8), 5);
  CopyBits(reinterpret_cast<const BitMap*>(&deep), &AsGraf(t)->portBits, &from, &from, srcCopy,
           nullptr);
  Switch(ZEB_SW_COPYBITS2, false);
  CloseCPort(&t);
  for (int y = 0; y < 5; ++y) {
    EXPECT_EQ(target.Pixel(7, y), 0u) << y;
    EXPECT_EQ(target.Pixel(6, y), 0xFFFFFFu) << y;
    EXPECT_EQ(target.Pixel(w8 - 1, y), 0u) << y;
  }
  DisposeHandle(reinterpret_cast<Handle>(table));
}

TEST_F(DIBPixMapTest, DIBWorldsHaveTheDepthAskedForAndGiveTheirDIB) {
  Switch(ZEB_SW_OFFSCREEN, true);
  GWorldPtr world = nullptr;
  Rect bounds = R(0, 0, 8, 4);
  ASSERT_EQ(NewGWorld(&world, 8, &bounds, nullptr, nullptr, 0), 0);
  PixMapHandle pm = GetGWorldPixMap(world);
  EXPECT_EQ((*pm)->pixelSize, 8);
  CGrafPtr savedPort;
  GDHandle savedDevice;
  GetGWorld(&savedPort, &savedDevice);
  SetGWorld(world, nullptr);
  Rect ink = R(1, 1, 3, 2);
  PaintRect(&ink);
  SetGWorld(savedPort, savedDevice);
  void* bits = nullptr;
  const BITMAPINFO* info = ZEB_GetDIBFromPixMap(pm, &bits);
  ASSERT_NE(info, nullptr);
  ASSERT_NE(bits, nullptr);
  EXPECT_EQ(info->bmiHeader.biBitCount, 8);
  const auto* row1 = static_cast<const uint8_t*>(bits) + 8;  // top-down rows
  const RGBQUAD ink1 = info->bmiColors[row1[1]];
  const RGBQUAD paper = info->bmiColors[row1[4]];
  EXPECT_EQ(ink1.rgbRed | ink1.rgbGreen | ink1.rgbBlue, 0);
  EXPECT_EQ(paper.rgbRed & paper.rgbGreen & paper.rgbBlue, 0xFF);

  // UpdateGWorld: same size moves nothing; a new size with clipPix keeps the pixels.
  EXPECT_EQ(UpdateGWorld(&world, 8, &bounds, nullptr, nullptr, 0), 0ul);
  Rect bigger = R(0, 0, 16, 6);
  const GWorldFlags result = UpdateGWorld(&world, 8, &bigger, nullptr, nullptr, clipPix);
  EXPECT_TRUE(result & reallocPix);
  pm = GetGWorldPixMap(world);
  EXPECT_EQ((*pm)->bounds.right, 16);
  info = ZEB_GetDIBFromPixMap(pm, &bits);
  ASSERT_NE(info, nullptr);
  const auto* moved = static_cast<const uint8_t*>(bits) + 16;
  const RGBQUAD kept = info->bmiColors[moved[2]];
  EXPECT_EQ(kept.rgbRed | kept.rgbGreen | kept.rgbBlue, 0) << "the ink came over";
  EXPECT_EQ(UpdateGWorld(nullptr, 8, &bigger, nullptr, nullptr, 0), gwFlagErr);
  Rect empty = R(0, 0, 0, 0);
  EXPECT_EQ(UpdateGWorld(&world, 8, &empty, nullptr, nullptr, 0), gwFlagErr);
  DisposeGWorld(world);
  GWorldPtr odd = nullptr;
  EXPECT_EQ(NewGWorld(&odd, 3, &bounds, nullptr, nullptr, 0), -1) << "no three-bit worlds";
}

TEST_F(DIBPixMapTest, BandDrawingEqualsDirectDrawing) {
  DibSurface direct(16, 8), banded(16, 8);
  for (DibSurface* d : {&direct, &banded}) {
    d->Fill(kWhite);
    d->FillRect(0, 0, 16, 2, 0x112233);
  }
  Rect bar = R(2, 1, 9, 6);
  Rect area = R(1, 0, 12, 7);
  CGrafPort a{};
  OpenColourPortOn(a, direct);
  PaintRect(&bar);
  MoveTo(0, 7);
  LineTo(15, 7);
  CloseCPort(&a);

  OpenColourPortOn(port_, banded);
  EXPECT_EQ(ZEB_BeginOffScreen(0, &area), 0) << "the switch is off";
  Switch(ZEB_SW_OFFSCREENDRAWING, true);
  Rect empty = R(3, 3, 3, 9);
  EXPECT_EQ(ZEB_BeginOffScreen(0, &empty), 0);
  EXPECT_EQ(ZEB_EndOffScreen(1, 0, srcCopy), 0) << "no band to end";
  ASSERT_EQ(ZEB_BeginOffScreen(0, &area), 1);
  EXPECT_EQ(ZEB_BeginOffScreen(0, &area), 0) << "bands do not nest";
  PaintRect(&bar);
  EXPECT_EQ(banded.Pixel(4, 4), kWhite) << "nothing reaches the port during the band";
  ASSERT_EQ(ZEB_EndOffScreen(1, 0, srcCopy), 1);
  MoveTo(0, 7);
  LineTo(15, 7);
  int diffs = 0;
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 16; ++x) diffs += direct.Pixel(x, y) != banded.Pixel(x, y);
  EXPECT_EQ(diffs, 0);
  EXPECT_EQ(banded.Pixel(4, 4), kBlack);
  // An erased band, not copied, leaves the port as it was.
  ASSERT_EQ(ZEB_BeginOffScreen(1, &area), 1);
  ASSERT_EQ(ZEB_EndOffScreen(0, 0, srcCopy), 1);
  EXPECT_EQ(banded.Pixel(4, 4), kBlack);
  // A band left open goes with its port.
  ASSERT_EQ(ZEB_BeginOffScreen(1, &area), 1);
}

TEST_F(DIBPixMapTest, CopyDeepMaskCopiesWhereTheMaskIsSetInsideTheRegion) {
  DibSurface dib(8, 1);
  dib.Fill(kWhite);
  OpenColourPortOn(port_, dib);
  uint8_t src[2] = {0xFF, 0};
  uint8_t mask[2] = {0xF0, 0};
  BitMap s{reinterpret_cast<Ptr>(src), 2, R(0, 0, 8, 1)};
  BitMap m{reinterpret_cast<Ptr>(mask), 2, R(0, 0, 8, 1)};
  Rect r = R(0, 0, 8, 1);
  RgnHandle region = NewRgn();
  Rect part = R(1, 0, 8, 1);
  RectRgn(region, &part);
  CopyDeepMask(&s, &m, PortBits(), &r, &r, &r, srcCopy, region);
  EXPECT_EQ(dib.Row(0, 0, 8), ".###....");
  CopyDeepMask(&s, &m, PortBits(), &r, &r, &r, srcXor, nullptr);
  EXPECT_EQ(dib.Row(0, 0, 8), "#.......");
  CopyDeepMask(&s, nullptr, PortBits(), &r, &r, &r, srcCopy, nullptr);
  EXPECT_EQ(QDError(), paramErr);
  DisposeRgn(region);
}

TEST_F(DIBPixMapTest, SeedFillAndCalcMaskReportRowsThatDescribeNoImage) {
  uint8_t src[8] = {0, 0, 0x7E, 0, 0x42, 0, 0x7E, 0};
  uint8_t dst[8] = {};
  CalcMask(reinterpret_cast<Ptr>(src), reinterpret_cast<Ptr>(dst), 2, 2, 4, 1);
  EXPECT_EQ(QDError(), noErr);
  EXPECT_EQ(dst[4], 0x7E) << "the ring's inside is masked";
  SeedFill(reinterpret_cast<Ptr>(src), reinterpret_cast<Ptr>(dst), 2, 2, 4, 1, 3, 2);
  EXPECT_EQ(QDError(), noErr);
  EXPECT_EQ(dst[4], 0x3C);
  EXPECT_EQ(dst[0], 0);
  SeedFill(reinterpret_cast<Ptr>(src), reinterpret_cast<Ptr>(dst), 2, 2, -4, 1, 0, 0);
  EXPECT_EQ(QDError(), paramErr);
  CalcMask(reinterpret_cast<Ptr>(src), reinterpret_cast<Ptr>(dst), 1, 2, 4, 1);
  EXPECT_EQ(QDError(), paramErr);
}

TEST_F(DIBPixMapTest, PortImageCallsAndCopyPixMap) {
  DibSurface dib(4, 1);
  OpenColourPortOn(port_, dib);
  PixMapHandle mine = NewPixMap();
  PixMapHandle before = port_.portPixMap;
  SetPortPix(mine);
  EXPECT_EQ(port_.portPixMap, mine);
  SetPortPix(before);
  uint8_t rows[2] = {};
  BitMap bm{reinterpret_cast<Ptr>(rows), 2, R(0, 0, 16, 1)};
  SetPortBits(&bm);
  EXPECT_EQ(port_.portPixMap, before) << "a colour port's portBits is its pixel map";
  GrafPort plain{};
  DibSurface mono(8, 1, 1);
  OpenBlackAndWhitePortOn(plain, mono);
  SetPortBits(&bm);
  EXPECT_EQ(plain.portBits.baseAddr, bm.baseAddr);
  ClosePort(&plain);
  SetPort(AsGraf(port_));

  std::vector<uint8_t> packed = EightBitDIB(2, 2, {0, 1, 2, 3});
  PixMapHandle src = ZEB_NewDIBPixMap(Info(packed));
  PixMapHandle copy = NewPixMap();
  ASSERT_NE(src, nullptr);
  CopyPixMap(src, copy);
  EXPECT_EQ(QDError(), noErr);
  EXPECT_EQ((*copy)->bounds.right, 2);
  EXPECT_NE((*copy)->pmTable, (*src)->pmTable) << "its own table";
  EXPECT_EQ((*(*copy)->pmTable)->ctTable[2].rgb.green, 0xFFFF);
  DisposePixMap(src);  // the copy keeps a DIB of its own
  EXPECT_EQ(HeldPixel(copy, 1, 1), 3);
  CopyPixMap(copy, copy);
  EXPECT_EQ(QDError(), paramErr);
  DisposePixMap(copy);
  DisposePixMap(mine);
}

}  // namespace
}  // namespace zebtest

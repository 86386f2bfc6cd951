// Cursors: conversion into Windows cursors (read back with GetIconInfo), the stamp and its
// checks, the built-in cursors and the cursor level.
#include <cstring>
#include <vector>

#include "quickdraw_fixture.h"

namespace zebtest {
namespace {

using CursorsTest = QuickDrawTest;

Cursor MakeCursor(uint16_t seed, short hotH, short hotV) {
  Cursor c{};
  for (int i = 0; i < 16; ++i) {
    c.data[i] = static_cast<short>(seed * (i + 1));
    c.mask[i] = static_cast<short>(0xFFFF);
  }
  c.hotSpot = {hotV, hotH};
  return c;
}

// The AND and XOR planes of a monochrome Windows cursor (32 x 64, AND on top), one bool a
// pixel.
struct Planes {
  std::vector<bool> andBits, xorBits;
  DWORD hotX = 0, hotY = 0;
};
Planes ReadPlanes(HCURSOR cursor) {
  Planes p;
  ICONINFO info{};
  if (!GetIconInfo(cursor, &info)) return p;
  p.hotX = info.xHotspot;
  p.hotY = info.yHotspot;
  BITMAP bm{};
  GetObjectA(info.hbmMask, sizeof bm, &bm);
  std::vector<uint8_t> bits(static_cast<size_t>(bm.bmWidthBytes) * bm.bmHeight);
  GetBitmapBits(info.hbmMask, static_cast<LONG>(bits.size()), bits.data());
  for (int y = 0; y < 64; ++y)
    for (int x = 0; x < 32; ++x) {
      const bool bit = (bits[y * bm.bmWidthBytes + x / 8] & (0x80 >> (x % 8))) != 0;
      (y < 32 ? p.andBits : p.xorBits).push_back(bit);
    }
  DeleteObject(info.hbmMask);
  if (info.hbmColor) DeleteObject(info.hbmColor);
  return p;
}

TEST_F(CursorsTest, CursorMasksBecomeTheWindowsAndAndXorPlanes) {
  Cursor c{};
  // Row 2: a black, a white, a transparent and an inverted pixel from column 4.
  c.mask[2] = static_cast<short>(0x0800 | 0x0400);
  c.data[2] = static_cast<short>(0x0800 | 0x0100);
  c.hotSpot = {2, 5};
  SetCursor(&c);
  const Planes p = ReadPlanes(GetCursor());
  ASSERT_EQ(p.andBits.size(), 1024u);
  struct Pixel {
    int x;
    bool andBit, xorBit;
  };
  for (const Pixel& px : {Pixel{4, false, false}, Pixel{5, false, true}, Pixel{6, true, false},
                          Pixel{7, true, true}}) {
    EXPECT_EQ(p.andBits[2 * 32 + px.x], px.andBit) << px.x;
    EXPECT_EQ(p.xorBits[2 * 32 + px.x], px.xorBit) << px.x;
  }
  EXPECT_TRUE(p.andBits[20 * 32 + 20]) << "outside the 16 x 16 image: transparent";
  EXPECT_FALSE(p.xorBits[20 * 32 + 20]);
  EXPECT_EQ(p.hotX, 5u);
  EXPECT_EQ(p.hotY, 2u);
}

TEST_F(CursorsTest, ASecondSetCursorWithTheSameRecordReusesTheStampedCursor) {
  Cursor c = MakeCursor(0x1111, 3, 4);
  SetCursor(&c);
  const HCURSOR first = GetCursor();
  EXPECT_EQ(static_cast<unsigned short>(c.hotSpot.h) >> 8, 0xFFu) << "the record is stamped";
  const int slot = static_cast<unsigned short>(c.hotSpot.v) >> 8;
  EXPECT_GE(slot, 5);
  EXPECT_LT(slot, 140);
  EXPECT_EQ(c.hotSpot.h & 0xFF, 3);
  InitCursor();
  EXPECT_NE(GetCursor(), first);
  SetCursor(&c);
  EXPECT_EQ(GetCursor(), first);
}

TEST_F(CursorsTest, StampsThatDoNotMatchTheTableAreConvertedAfresh) {
  // A hot spot of (-1, -1) looks stamped with slot 255, past the table.
  Cursor odd = MakeCursor(0x0101, -1, -1);
  SetCursor(&odd);
  const HCURSOR made = GetCursor();
  ASSERT_NE(made, nullptr);
  const Planes planes = ReadPlanes(made);
  EXPECT_TRUE(planes.xorBits[0]) << "the image was converted: white at column 0";
  EXPECT_FALSE(planes.andBits[15]) << "black at column 15";
  EXPECT_LT(static_cast<unsigned short>(odd.hotSpot.v) >> 8, 140u) << "stamped anew";

  // A record copied from a stamped one and then changed gets its own cursor.
  Cursor original = MakeCursor(0x2222, 1, 1);
  SetCursor(&original);
  const HCURSOR originalCursor = GetCursor();
  Cursor copy = original;
  copy.data[0] = 0;
  copy.mask[0] = 0;
  SetCursor(&copy);
  EXPECT_NE(GetCursor(), originalCursor);
  EXPECT_TRUE(ReadPlanes(GetCursor()).andBits[0]) << "row 0 of the copy is transparent";
  SetCursor(&original);
  EXPECT_EQ(GetCursor(), originalCursor);

  // A stamp naming a slot that holds another image.
  Cursor forged = MakeCursor(0x3333, 2, 2);
  forged.hotSpot = original.hotSpot;
  SetCursor(&forged);
  EXPECT_NE(GetCursor(), originalCursor);
}

TEST_F(CursorsTest, AConstantCursorRecordIsConvertedWithoutBeingWritten) {
  // Constant data: the compiler puts it in read-only memory.
  static const Cursor kConstant = {
      {0x0F0F, 0x0F0F, 0x0F0F, 0x0F0F, 0x0F0F, 0x0F0F, 0x0F0F, 0x0F0F, 0x0F0F, 0x0F0F, 0x0F0F,
       0x0F0F, 0x0F0F, 0x0F0F, 0x0F0F, 0x0F0F},
      {-1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1},
      {3, 2}};
  SetCursor(&kConstant);
  const HCURSOR first = GetCursor();
  EXPECT_EQ(kConstant.hotSpot.h, 2) << "no stamp in read-only memory";
  SetCursor(&kConstant);
  EXPECT_EQ(GetCursor(), first) << "found again by its image";
}

TEST_F(CursorsTest, InitCursorShowsTheArrowAndTheArrowGlobalMapsToIt) {
  InitCursor();
  EXPECT_EQ(GetCursor(), LoadCursorA(nullptr, IDC_ARROW));
  Cursor c = MakeCursor(0x4444, 0, 0);
  SetCursor(&c);
  SetCursor(&cells_.arrow);
  EXPECT_EQ(GetCursor(), LoadCursorA(nullptr, IDC_ARROW));
}

// Windows' show count as it stands.
int ShowCount() {
  const int count = ::ShowCursor(TRUE) - 1;
  ::ShowCursor(FALSE);
  return count;
}

TEST_F(CursorsTest, TheCursorLevelNeverRisesAboveShown) {
  InitCursor();
  const int shown = ShowCount();
  ShowCursor();  // already shown: the level stays
  EXPECT_EQ(ShowCount(), shown);
  HideCursor();
  EXPECT_EQ(ShowCount(), shown - 1) << "one hide hides after any number of shows";
  HideCursor();
  ShowCursor();
  EXPECT_EQ(ShowCount(), shown - 1);
  ShowCursor();
  ShowCursor();
  EXPECT_EQ(ShowCount(), shown);
  HideCursor();
  HideCursor();
  InitCursor();
  EXPECT_EQ(ShowCount(), shown) << "InitCursor shows the cursor again";
}

TEST_F(CursorsTest, ObscureCursorHidesOnceOverTheFrameUntilShown) {
  InitCursor();
  const int shown = ShowCount();
  POINT outside = {0, 0};
  RECT client;
  GetClientRect(frame_, &client);
  POINT inside = {client.right / 2, client.bottom / 2};
  ClientToScreen(frame_, &inside);
  outside.x = inside.x + client.right;
  SetCursorPos(outside.x, outside.y);
  ObscureCursor();
  EXPECT_EQ(ShowCount(), shown) << "not over the frame's client area";
  SetCursorPos(inside.x, inside.y);
  ObscureCursor();
  ObscureCursor();
  EXPECT_EQ(ShowCount(), shown - 1) << "hidden once";
  ShowCursor();
  EXPECT_EQ(ShowCount(), shown);
}

TEST_F(CursorsTest, SetCCursorShowsTheColourCursorsBlackAndWhiteImage) {
  Handle h = NewHandleClear(sizeof(CCrsr));
  CCrsrHandle cc = reinterpret_cast<CCrsrHandle>(h);
  for (int i = 0; i < 16; ++i) {
    (*cc)->crsr1Data[i] = static_cast<short>(0x8000);
    (*cc)->crsrMask[i] = static_cast<short>(0x8000);
  }
  (*cc)->crsrHotSpot = {7, 6};
  SetCCursor(cc);
  const Planes p = ReadPlanes(GetCursor());
  EXPECT_FALSE(p.andBits[5 * 32 + 0]);
  EXPECT_FALSE(p.xorBits[5 * 32 + 0]) << "black";
  EXPECT_EQ(p.hotX, 6u);
  EXPECT_EQ(static_cast<unsigned short>((*cc)->crsrHotSpot.h) >> 8, 0xFFu);
  DisposeHandle(h);
}

}  // namespace
}  // namespace zebtest

// The utilities through the DLL: Munger and strings on real handles, list resources that are
// absent, and a sample of the arithmetic and bit calls as an application reaches them.
#include <cstring>
#include <string>
#include <vector>

#include "FixMath.h"
#include "MacMemory.h"
#include "Quickdraw.h"
#include "Resources.h"
#include "ToolUtils.h"
#include "session_fixture.h"

namespace {

using UtilitiesTest = zebtest::SessionTest;

Handle HandleOf(const std::string& text) {
  Handle h = nullptr;
  EXPECT_EQ(PtrToHand(text.data(), &h, static_cast<long>(text.size())), noErr);
  return h;
}

std::string TextOf(Handle h) { return std::string(*h, static_cast<size_t>(GetHandleSize(h))); }

TEST_F(UtilitiesTest, MungerEditsAHandleInEveryMode) {
  Handle h = HandleOf("The cat sat on the mat");
  EXPECT_EQ(Munger(h, 0, "cat", 3, "dog", 3), 7);
  EXPECT_EQ(TextOf(h), "The dog sat on the mat");
  EXPECT_EQ(Munger(h, 8, "at", 2, nullptr, 0), 9);                  // find only
  EXPECT_EQ(Munger(h, 0, "sat", 3, "was sitting", 11), 19);          // grows the handle
  EXPECT_EQ(TextOf(h), "The dog was sitting on the mat");
  EXPECT_EQ(Munger(h, 19, nullptr, -1, nullptr, 0), 19);            // delete to the end
  EXPECT_EQ(TextOf(h), "The dog was sitting");
  EXPECT_EQ(Munger(h, 25, nullptr, 0, "!", 1), 26);                 // insert past the end
  EXPECT_EQ(GetHandleSize(h), 26);
  EXPECT_EQ((*h)[25], '!');
  EXPECT_EQ(Munger(h, 0, nullptr, 1000, nullptr, 0), 0);            // delete clamps
  EXPECT_EQ(GetHandleSize(h), 0);
  EXPECT_EQ(Munger(h, -4, "x", 1, nullptr, 0), -1);
  EXPECT_EQ(Munger(nullptr, 0, "x", 1, nullptr, 0), -1);
  DisposeHandle(h);
}

TEST_F(UtilitiesTest, NewStringAndSetString) {
  const unsigned char hello[] = "\x05Hello";
  StringHandle s = NewString(hello);
  ASSERT_NE(s, nullptr);
  EXPECT_EQ(GetHandleSize(reinterpret_cast<Handle>(s)), 6);
  EXPECT_EQ(std::memcmp(*s, hello, 6), 0);
  const unsigned char longer[] = "\x0BHello there";
  SetString(s, longer);
  EXPECT_EQ(GetHandleSize(reinterpret_cast<Handle>(s)), 12);
  EXPECT_EQ(std::memcmp(*s, longer, 12), 0);
  DisposeHandle(reinterpret_cast<Handle>(s));
}

TEST_F(UtilitiesTest, AbsentListResourcesGiveEmptyResults) {
  Str255 text;
  text[0] = 3;
  GetIndString(text, 31000, 1);
  EXPECT_EQ(text[0], 0);
  Pattern pat;
  std::memset(&pat, 0xAB, sizeof pat);
  GetIndPattern(&pat, 31000, 1);
  for (unsigned char b : pat.pat) EXPECT_EQ(b, 0);
  EXPECT_EQ(GetString(31000), nullptr);
  EXPECT_EQ(GetPattern(31000), nullptr);
  EXPECT_EQ(GetPicture(31000), nullptr);
  EXPECT_EQ(GetIcon(31000), nullptr);
  EXPECT_EQ(GetCurso(31000), nullptr);
}

TEST_F(UtilitiesTest, CursorsZeroToFourAreTheBuiltInOnes) {
  InitResources();
  CursHandle cursors[5];
  for (short id = 0; id <= 4; ++id) {
    cursors[id] = GetCurso(id);
    ASSERT_NE(cursors[id], nullptr) << id;
    for (short other = 0; other < id; ++other) EXPECT_NE(cursors[id], cursors[other]);
    EXPECT_EQ(GetCurso(id), cursors[id]);
  }
}

TEST_F(UtilitiesTest, ArithmeticAndBitsThroughTheLibrary) {
  EXPECT_EQ(FixMul(0x18000, 0x20000), 0x30000);
  EXPECT_EQ(FixDiv(0x10000, 0), 0x7FFFFFFF);
  EXPECT_EQ(FixDiv(-0x10000, 0), static_cast<long>(0x80000000u));
  EXPECT_EQ(FixRatio(-32768, -1), 0x7FFFFFFF);
  EXPECT_EQ(FixRound(-0x18000), -2);
  EXPECT_EQ(Fix2Long(-0x18000), -1);
  EXPECT_EQ(X2Fix(40000.0), 0x7FFFFFFF);
  EXPECT_DOUBLE_EQ(Fix2X(0x8000), 0.5);
  EXPECT_EQ(FracSqrt(0x40000000), 0x40000000);
  std::vector<unsigned char> map(0x10010, 0);
  BitSet(map.data(), 0x10000L * 8);
  EXPECT_EQ(map[0x10000], 0x80);
  EXPECT_EQ(map[0], 0);
  EXPECT_TRUE(BitTst(map.data(), 0x10000L * 8));
  EXPECT_EQ(BitShift(-8, -1), -4);
  unsigned char raw[200];
  std::memset(raw, 9, sizeof raw);
  unsigned char packed[8];
  Ptr src = reinterpret_cast<Ptr>(raw);
  Ptr dst = reinterpret_cast<Ptr>(packed);
  PackBits(&src, &dst, 200);
  EXPECT_EQ(dst - reinterpret_cast<Ptr>(packed), 4);
}

}  // namespace

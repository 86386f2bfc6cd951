// Copying between handles and pointers, and BlockMove.
#include <cstring>
#include <string>

#include "Errors.h"
#include "MacMemory.h"
#include "session_fixture.h"

namespace {

using CopyingTest = zebtest::SessionTest;

Handle HandleWith(const char* text) {
  Handle h = nullptr;
  EXPECT_EQ(PtrToHand(text, &h, static_cast<long>(std::strlen(text))), noErr);
  return h;
}
std::string Contents(Handle h) { return std::string(*h, static_cast<size_t>(GetHandleSize(h))); }

TEST_F(CopyingTest, HandToHandMakesAnIndependentCopy) {
  Handle original = HandleWith("original");
  Handle h = original;
  EXPECT_EQ(HandToHand(&h), noErr);
  ASSERT_NE(h, original);
  EXPECT_EQ(Contents(h), "original");
  (*h)[0] = 'O';
  EXPECT_EQ(Contents(original), "original");
  Handle none = nullptr;
  EXPECT_EQ(HandToHand(&none), nilHandleErr);
  EXPECT_EQ(MemError(), nilHandleErr);
  Handle empty = NewHandle(0);
  Handle emptyCopy = empty;
  EXPECT_EQ(HandToHand(&emptyCopy), noErr);
  EXPECT_EQ(GetHandleSize(emptyCopy), 0);
  DisposeHandle(original);
  DisposeHandle(h);
  DisposeHandle(empty);
  DisposeHandle(emptyCopy);
}

TEST_F(CopyingTest, PtrToHandAndPtrToXHand) {
  Handle h = HandleWith("abc");
  EXPECT_EQ(PtrToXHand("wxyz12", h, 6), noErr);
  EXPECT_EQ(Contents(h), "wxyz12");
  // The source may be the handle's own data.
  EXPECT_EQ(PtrToXHand(*h + 2, h, 3), noErr);
  EXPECT_EQ(Contents(h), "yz1");
  EXPECT_EQ(PtrToXHand("x", nullptr, 1), nilHandleErr);
  EXPECT_EQ(PtrToXHand(nullptr, h, 5), paramErr);
  EXPECT_EQ(Contents(h), "yz1");
  Handle out = reinterpret_cast<Handle>(1);
  EXPECT_EQ(PtrToHand("x", &out, -1), memFullErr);
  EXPECT_EQ(out, nullptr);
  DisposeHandle(h);
}

TEST_F(CopyingTest, HandAndHandAndPtrAndHandAppend) {
  Handle a = HandleWith("head");
  Handle b = HandleWith("tail");
  EXPECT_EQ(HandAndHand(b, a), noErr);
  EXPECT_EQ(Contents(a), "headtail");
  EXPECT_EQ(HandAndHand(a, a), noErr) << "appending a handle to itself";
  EXPECT_EQ(Contents(a), "headtailheadtail");
  EXPECT_EQ(PtrAndHand("!", b, 1), noErr);
  EXPECT_EQ(Contents(b), "tail!");
  // A source inside the destination's data, which may move as it grows.
  for (int i = 0; i < 8; ++i) ASSERT_EQ(PtrAndHand(*b, b, GetHandleSize(b)), noErr);
  EXPECT_EQ(GetHandleSize(b), 5 * 256);
  EXPECT_EQ(Contents(b).substr(5 * 255), "tail!");
  EXPECT_EQ(HandAndHand(nullptr, b), nilHandleErr);
  EXPECT_EQ(PtrAndHand("x", b, -3), memFullErr);
  EXPECT_EQ(GetHandleSize(b), 5 * 256);
  DisposeHandle(a);
  DisposeHandle(b);
}

TEST_F(CopyingTest, BlockMoveHandlesOverlapInBothDirections) {
  char buffer[32];
  std::memcpy(buffer, "0123456789abcdefghij", 21);
  BlockMove(buffer, buffer + 2, 10);
  EXPECT_EQ(std::string(buffer, 12), "010123456789");
  std::memcpy(buffer, "0123456789abcdefghij", 21);
  BlockMove(buffer + 2, buffer, 10);
  EXPECT_EQ(std::string(buffer, 10), "23456789ab");
  // Large moves across 64 KB boundaries.
  std::string big(200000, '\0');
  for (size_t i = 0; i < big.size(); ++i) big[i] = static_cast<char>(i * 7);
  std::string expected = big;
  BlockMove(&big[0], &big[1000], 150000);
  std::memmove(&expected[1000], &expected[0], 150000);
  EXPECT_EQ(big, expected);
}

TEST_F(CopyingTest, BlockMoveIgnoresEmptyCountsAndBadAddresses) {
  char src[4] = {'a', 'b', 'c', 'd'};
  char dst[4] = {'w', 'x', 'y', 'z'};
  BlockMove(src, dst, 0);
  BlockMove(src, dst, -5);
  BlockMove(nullptr, dst, 4);
  BlockMove(src, nullptr, 4);
  BlockMove(reinterpret_cast<void*>(static_cast<uintptr_t>(0xFFFF)), dst, 4);
  BlockMove(src, reinterpret_cast<void*>(static_cast<uintptr_t>(0xFFFF)), 4);
  EXPECT_EQ(std::string(dst, 4), "wxyz");
  BlockMove(src, dst, 4);
  EXPECT_EQ(std::string(dst, 4), "abcd");
}

TEST_F(CopyingTest, TemporaryHandlesReportTheirResult) {
  OSErr err = 1;
  Handle h = TempNewHandle(16, &err);
  EXPECT_NE(h, nullptr);
  EXPECT_EQ(err, noErr);
  EXPECT_EQ(TempNewHandle(-1, &err), nullptr);
  EXPECT_EQ(err, memFullErr);
  err = 1;
  EXPECT_EQ(TempDisposeHandle(h, &err), noErr);
  EXPECT_EQ(err, noErr);
  EXPECT_EQ(TempDisposeHandle(nullptr, nullptr), noErr);
}

}  // namespace

// The Macintosh and Windows character sets: one-to-one over the upper half, with the common
// characters on their code page 1252 codes.
#include <gtest/gtest.h>

#include <set>

#include "quickdraw/character_sets.h"

namespace zeb::quickdraw {
namespace {

TEST(CharacterSets, EveryUpperHalfCodeHasExactlyOnePartner) {
  std::set<int> windowsCodes, macCodes;
  for (int c = 0x80; c <= 0xFF; ++c) {
    const uint8_t w = MacToWindowsChar(static_cast<uint8_t>(c));
    const uint8_t m = WindowsToMacChar(static_cast<uint8_t>(c));
    EXPECT_GE(w, 0x80) << std::hex << c;
    EXPECT_GE(m, 0x80) << std::hex << c;
    windowsCodes.insert(w);
    macCodes.insert(m);
    EXPECT_EQ(WindowsToMacChar(w), c) << std::hex << c;
    EXPECT_EQ(MacToWindowsChar(m), c) << std::hex << c;
  }
  EXPECT_EQ(windowsCodes.size(), 128u);
  EXPECT_EQ(macCodes.size(), 128u);
}

TEST(CharacterSets, LowerHalfIsUnchanged) {
  for (int c = 0; c < 0x80; ++c) {
    EXPECT_EQ(MacToWindowsChar(static_cast<uint8_t>(c)), c);
    EXPECT_EQ(WindowsToMacChar(static_cast<uint8_t>(c)), c);
  }
}

TEST(CharacterSets, CommonCharactersKeepTheirWindowsCodes) {
  struct Pair {
    int mac, windows;
  };
  const Pair pairs[] = {
      {0x8E, 0xE9},  // e acute
      {0x80, 0xC4},  // A diaeresis
      {0xA9, 0xA9},  // copyright
      {0xAA, 0x99},  // trade mark
      {0xC9, 0x85},  // ellipsis
      {0xD2, 0x93},  // left double quote
      {0xDB, 0xA4},  // currency sign
      {0xD8, 0xFF},  // y diaeresis
      {0xA7, 0xDF},  // sharp s
  };
  for (const Pair& p : pairs) {
    EXPECT_EQ(MacToWindowsChar(static_cast<uint8_t>(p.mac)), p.windows) << std::hex << p.mac;
    EXPECT_EQ(WindowsToMacChar(static_cast<uint8_t>(p.windows)), p.mac) << std::hex << p.mac;
  }
}

TEST(CharacterSets, MacintoshOnlyCharactersTakeUnusedWindowsCodes) {
  const int pairs[][2] = {{0xAD, 0x80}, {0xB0, 0x81}, {0xB2, 0x8D}, {0xB3, 0x8E}, {0xB6, 0x8F},
                          {0xB7, 0x90}, {0xB8, 0xDE}, {0xB9, 0xFE}, {0xBA, 0x9D}, {0xBD, 0xA6},
                          {0xC3, 0xB2}, {0xC5, 0xB3}, {0xD7, 0xBE}, {0xDA, 0xBD}, {0xDE, 0x8A},
                          {0xDF, 0x9A}, {0xF0, 0xAD}, {0xF5, 0xD0}, {0xF9, 0xBC}, {0xFA, 0xDD},
                          {0xFB, 0xD7}, {0xFD, 0x9E}, {0xFE, 0xF0}, {0xFF, 0xB9}};
  for (const auto& p : pairs) EXPECT_EQ(MacToWindowsChar(static_cast<uint8_t>(p[0])), p[1]);
  // The three codes the two directions would otherwise disagree on.
  EXPECT_EQ(MacToWindowsChar(0xB1), 0xB1);  // plus-minus
  EXPECT_EQ(MacToWindowsChar(0xC6), 0xFD);  // increment
  EXPECT_EQ(WindowsToMacChar(0xB9), 0xFF);  // caron
  EXPECT_EQ(WindowsToMacChar(0xFD), 0xC6);
}

}  // namespace
}  // namespace zeb::quickdraw

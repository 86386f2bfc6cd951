// The Macintosh character set's letters: every accented letter and ligature with its case
// partner, base letter and diacritic, from which the 256-entry table is built once.
#include "intl/mac_characters.h"

namespace zeb::intl {
namespace {

// Diacritic ranks: the secondary weight of an upper-case form (lower-case forms add 10), so
// that a plain letter sorts before its accented forms and accents in this order.
enum : uint8_t { kPlain = 0, kAcute = 1, kGrave = 2, kCircumflex = 3, kDiaeresis = 4,
                 kTilde = 5, kRing = 6, kCedilla = 7, kStroke = 8, kLigature = 9 };

struct Letter {
  uint8_t upper;
  uint8_t lower;
  uint8_t base;
  uint8_t mark;
};

// Macintosh character codes of the accented letters (upper-case form, lower-case form).
constexpr Letter kAccentedLetters[] = {
    {0x80, 0x8A, 'A', kDiaeresis}, {0x81, 0x8C, 'A', kRing},      {0x82, 0x8D, 'C', kCedilla},
    {0x83, 0x8E, 'E', kAcute},     {0x84, 0x96, 'N', kTilde},     {0x85, 0x9A, 'O', kDiaeresis},
    {0x86, 0x9F, 'U', kDiaeresis}, {0xE7, 0x87, 'A', kAcute},     {0xCB, 0x88, 'A', kGrave},
    {0xE5, 0x89, 'A', kCircumflex}, {0xCC, 0x8B, 'A', kTilde},    {0xE9, 0x8F, 'E', kGrave},
    {0xE6, 0x90, 'E', kCircumflex}, {0xE8, 0x91, 'E', kDiaeresis}, {0xEA, 0x92, 'I', kAcute},
    {0xED, 0x93, 'I', kGrave},     {0xEB, 0x94, 'I', kCircumflex}, {0xEC, 0x95, 'I', kDiaeresis},
    {0xEE, 0x97, 'O', kAcute},     {0xF1, 0x98, 'O', kGrave},     {0xEF, 0x99, 'O', kCircumflex},
    {0xCD, 0x9B, 'O', kTilde},     {0xF2, 0x9C, 'U', kAcute},     {0xF4, 0x9D, 'U', kGrave},
    {0xF3, 0x9E, 'U', kCircumflex}, {0xAE, 0xBE, 'A', kLigature},  {0xAF, 0xBF, 'O', kStroke},
    {0xCE, 0xCF, 'O', kLigature},  {0xD9, 0xD8, 'Y', kDiaeresis},
};
// Lower-case letters without an upper-case form in the set: sharp s and dotless i.
constexpr Letter kLowerOnly[] = {{0xA7, 0xA7, 'S', kLigature}, {0xF5, 0xF5, 'I', kStroke}};

struct Table {
  MacCharacter entries[256];

  Table() : entries() {
    for (int c = 0; c < 256; ++c) {
      MacCharacter& e = entries[c];
      e.upper = e.lower = e.base = static_cast<uint8_t>(c);
      e.weight = kPlain;
      e.kind = c < 0x20 || c == 0x7F ? kClassControl
               : c == ' ' || c == 0xCA ? kClassSpace
               : (c >= '0' && c <= '9') ? kClassDigit
                                        : kClassSymbol;
    }
    for (int c = 'A'; c <= 'Z'; ++c) {
      entries[c] = {static_cast<uint8_t>(c), static_cast<uint8_t>(c + 32), static_cast<uint8_t>(c),
                    kPlain, kClassUpper};
      entries[c + 32] = {static_cast<uint8_t>(c), static_cast<uint8_t>(c + 32),
                         static_cast<uint8_t>(c), kLowerCaseWeight, kClassLower};
    }
    for (const Letter& l : kAccentedLetters) {
      entries[l.upper] = {l.upper, l.lower, l.base, l.mark, kClassUpper};
      entries[l.lower] = {l.upper, l.lower, l.base, static_cast<uint8_t>(kLowerCaseWeight + l.mark),
                          kClassLower};
    }
    for (const Letter& l : kLowerOnly)
      entries[l.lower] = {l.upper, l.lower, l.base, static_cast<uint8_t>(kLowerCaseWeight + l.mark),
                          kClassLower};
  }
};

const Table& TheTable() {
  static const Table table;
  return table;
}

int Sign(int v) { return v < 0 ? -1 : v > 0 ? 1 : 0; }
bool IsLower(const MacCharacter& e) { return e.weight >= kLowerCaseWeight; }

}  // namespace

const MacCharacter& CharacterInfo(uint8_t c) { return TheTable().entries[c]; }

int CompareIgnoringCaseAndMarks(const uint8_t* a, int aLen, const uint8_t* b, int bLen) {
  const int n = aLen < bLen ? aLen : bLen;
  for (int i = 0; i < n; ++i) {
    const int d = CharacterInfo(a[i]).base - CharacterInfo(b[i]).base;
    if (d) return Sign(d);
  }
  return aLen - bLen;
}

int CompareMarksOnly(const uint8_t* a, int aLen, const uint8_t* b, int bLen) {
  const int n = aLen < bLen ? aLen : bLen;
  for (int i = 0; i < n; ++i) {
    const MacCharacter& x = CharacterInfo(a[i]);
    const MacCharacter& y = CharacterInfo(b[i]);
    if (x.base != y.base) return x.base < y.base ? -1 : 1;
    // The weights of the upper-case forms differ only by the diacritic.
    const int d = CharacterInfo(x.upper).weight - CharacterInfo(y.upper).weight;
    if (d) return Sign(d);
  }
  return aLen - bLen;
}

int CompareCaseOnly(const uint8_t* a, int aLen, const uint8_t* b, int bLen) {
  const int n = aLen < bLen ? aLen : bLen;
  for (int i = 0; i < n; ++i) {
    const MacCharacter& x = CharacterInfo(a[i]);
    const MacCharacter& y = CharacterInfo(b[i]);
    if (x.base != y.base) return x.base < y.base ? -1 : 1;
    if (IsLower(x) != IsLower(y)) return IsLower(x) ? 1 : -1;
  }
  return aLen - bLen;
}

int MagnitudeOrder(const uint8_t* a, int aLen, const uint8_t* b, int bLen) {
  const int primary = CompareIgnoringCaseAndMarks(a, aLen, b, bLen);
  if (primary) return Sign(primary);
  for (int i = 0; i < aLen; ++i) {
    if (a[i] == b[i]) continue;
    const MacCharacter& x = CharacterInfo(a[i]);
    const MacCharacter& y = CharacterInfo(b[i]);
    if (x.weight != y.weight) return x.weight < y.weight ? -1 : 1;
    return a[i] < b[i] ? -1 : 1;
  }
  return 0;
}

}  // namespace zeb::intl

// The Macintosh character table shared by case conversion and string ordering. Host-independent.
#ifndef ZEB_INTL_MAC_CHARACTERS_H
#define ZEB_INTL_MAC_CHARACTERS_H

#include <cstdint>

namespace zeb::intl {

// Character classes.
enum : uint8_t { kClassControl = 0, kClassSymbol = 1, kClassDigit = 2, kClassUpper = 3,
                 kClassLower = 4, kClassSpace = 5 };

struct MacCharacter {
  uint8_t upper;     // upper-case form, diacritics kept
  uint8_t lower;     // lower-case form, diacritics kept
  uint8_t base;      // upper-case base letter without diacritics
  uint8_t weight;    // secondary weight: below 10 for upper-case forms, 10 and above for lower
  uint8_t kind;      // character class
};

// Weights from this value up are lower-case forms.
constexpr uint8_t kLowerCaseWeight = 10;

const MacCharacter& CharacterInfo(uint8_t c);

// Comparisons of texts; each gives -1, 0 or 1 on its first difference, or the length
// difference when all compared positions are equal (except MagnitudeOrder, which gives -1 or 1).
int CompareIgnoringCaseAndMarks(const uint8_t* a, int aLen, const uint8_t* b, int bLen);
int CompareMarksOnly(const uint8_t* a, int aLen, const uint8_t* b, int bLen);
int CompareCaseOnly(const uint8_t* a, int aLen, const uint8_t* b, int bLen);
// Letters first (case and marks ignored), then length, then case and marks.
int MagnitudeOrder(const uint8_t* a, int aLen, const uint8_t* b, int bLen);

}  // namespace zeb::intl

#endif  // ZEB_INTL_MAC_CHARACTERS_H

#include "textedit/word_breaks.h"

namespace zeb::textedit {

namespace {

// One bit per character 128..255, set where the character separates words. Macintosh Roman
// keeps its accented capitals and small letters at 0x80..0x9F; the rest of the upper half mixes
// letters (ß, Æ, Ø, µ, ª, º, æ, ø, ƒ, the capitals À Ã Õ Œ œ ÿ Ÿ, the ligatures fi fl, the
// capitals at 0xE5..0xEF and 0xF1..0xF4, the dotless i) with punctuation and symbols. The
// non-breaking space (0xCA) holds words together.
constexpr bool Letter(unsigned c) {
  return (c >= 0x80 && c <= 0x9F) || c == 0xA7 || c == 0xAE || c == 0xAF || c == 0xB5 ||
         c == 0xBB || c == 0xBC || c == 0xBE || c == 0xBF || c == 0xC4 || c == 0xCA ||
         (c >= 0xCB && c <= 0xCF) || c == 0xD8 || c == 0xD9 || c == 0xDE || c == 0xDF ||
         (c >= 0xE5 && c <= 0xEF) || (c >= 0xF1 && c <= 0xF5);
}

struct BreakTable {
  bool breaks[128];
  constexpr BreakTable() : breaks() {
    for (unsigned i = 0; i < 128; ++i) breaks[i] = !Letter(0x80 + i);
  }
};

constexpr BreakTable kHighBreaks;

}  // namespace

bool HighCharacterBreaks(uint8_t c) { return c >= 0x80 && kHighBreaks.breaks[c - 0x80]; }

bool IsWordBreakCharacter(uint8_t c) {
  if (c >= 0x80) return HighCharacterBreaks(c);
  return c < 33;
}

bool IsLineBreakCharacter(uint8_t c) {
  if (c >= 0x80) return HighCharacterBreaks(c);
  if (c == '\'' || c == '-' || c == '.') return false;
  const bool letterOrDigit =
      (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
  return !letterOrDigit;
}

}  // namespace zeb::textedit

// The default word-break rules of TextEdit, on Macintosh characters.
#ifndef ZEB_TEXTEDIT_WORD_BREAKS_H
#define ZEB_TEXTEDIT_WORD_BREAKS_H

#include <cstdint>

namespace zeb::textedit {

// True when a character of 128..255 (Macintosh Roman) is no letter: it separates words.
bool HighCharacterBreaks(uint8_t c);

// SimpleWordBreak's rule, used to wrap lines: control characters and the blank, and the
// non-letters of the upper half.
bool IsWordBreakCharacter(uint8_t c);

// SimpleLineBreak's rule, used to find whole words: every character of the lower half except
// letters, digits, apostrophe, hyphen and period; the upper half as above.
bool IsLineBreakCharacter(uint8_t c);

}  // namespace zeb::textedit

#endif  // ZEB_TEXTEDIT_WORD_BREAKS_H

// Tokens of resource source text: identifiers (compared without regard to case by the language,
// kept as written for macros), $$ function names, numbers, character literals ('MENU'), strings
// and hexadecimal strings ($"0A0B"), punctuation. Host-independent.
#ifndef ZEB_REZ_LEXER_H
#define ZEB_REZ_LEXER_H

#include <cstdint>
#include <string>
#include <vector>

#include "rez/session.h"

namespace zeb::rez {

enum class TokenKind {
  kIdentifier,
  kFunction,     // $$Name: text holds the name without the dollars
  kNumber,       // 123, 0x7B, $7B, 0173, 0b1111011
  kCharacters,   // 'STR#': text holds the bytes, number their big-endian value
  kString,       // "...": text holds the bytes, escapes resolved
  kHexString,    // $"...": text holds the bytes
  kPunctuation,
  kHeaderName,   // <file> after #include
  kEnd           // what a cursor returns past the last token
};

struct Token {
  TokenKind kind = TokenKind::kEnd;
  std::string text;
  uint32_t number = 0;
  Location at;
  bool lineStart = false;    // first token of a line (a line continued with '\' is one line)
  bool spaceBefore = false;  // white space or a comment separates it from the token before

  bool Is(const char* punctuation) const { return kind == TokenKind::kPunctuation && text == punctuation; }
  // An identifier spelled as lowerWord, in any case.
  bool IsWord(const char* lowerWord) const;
};

// Tokens alike in every field, place included.
inline bool SameToken(const Token& a, const Token& b) {
  return a.kind == b.kind && a.number == b.number && a.at.file == b.at.file && a.at.line == b.at.line &&
         a.at.column == b.at.column && a.lineStart == b.lineStart && a.spaceBefore == b.spaceBefore &&
         a.text == b.text;
}

// Lexes one file's text. Lines may end in CR (as Macintosh files do), LF or CR LF. False, with the
// session's error naming the place, on a character that begins no token, an unclosed string or
// comment, a malformed number or escape.
bool Lex(Session& session, int file, const std::string& text, std::vector<Token>* out);

// How a token is named in a message: 'name', "text", 123, end of file.
std::string Describe(const Token& token);

// The lower-case form of an identifier, as the language compares them.
std::string Lower(const std::string& text);

}  // namespace zeb::rez

#endif  // ZEB_REZ_LEXER_H

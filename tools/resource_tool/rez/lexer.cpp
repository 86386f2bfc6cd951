// Lexing resource source text.
#include "rez/lexer.h"

#include <cctype>

namespace zeb::rez {

namespace {

bool IsIdentifierStart(char c) { return std::isalpha(static_cast<unsigned char>(c)) || c == '_'; }
bool IsIdentifierChar(char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_'; }

int DigitValue(char c, int base) {
  int v = -1;
  if (c >= '0' && c <= '9') v = c - '0';
  else if (c >= 'a' && c <= 'f') v = c - 'a' + 10;
  else if (c >= 'A' && c <= 'F') v = c - 'A' + 10;
  return v >= 0 && v < base ? v : -1;
}

class Lexer {
 public:
  Lexer(Session& session, int file, const std::string& text, std::vector<Token>* out)
      : session_(session), file_(file), text_(text), out_(out) {}

  bool Run() {
    while (pos_ < text_.size()) {
      const char c = text_[pos_];
      if (c == '\r' || c == '\n') {
        NewLine();
        continue;
      }
      if (c == ' ' || c == '\t' || c == '\f' || c == '\v' || c == '\0') {
        Advance();
        space_ = true;
        continue;
      }
      if (c == '\\' && IsLineEnd(pos_ + 1)) {
        Advance();
        NewLine();
        lineStart_ = continuedLineStart_;
        space_ = true;
        continue;
      }
      if (c == '/' && Peek(1) == '*') {
        if (!BlockComment()) return false;
        continue;
      }
      if (c == '/' && Peek(1) == '/') {
        while (pos_ < text_.size() && !IsLineEnd(pos_)) Advance();
        space_ = true;
        continue;
      }
      if (!OneToken()) return false;
    }
    return true;
  }

 private:
  char Peek(size_t ahead) const { return pos_ + ahead < text_.size() ? text_[pos_ + ahead] : '\0'; }
  bool IsLineEnd(size_t at) const { return at < text_.size() && (text_[at] == '\r' || text_[at] == '\n'); }
  void Advance() {
    ++pos_;
    ++column_;
  }
  void NewLine() {
    if (text_[pos_] == '\r' && Peek(1) == '\n') ++pos_;
    ++pos_;
    ++line_;
    column_ = 1;
    continuedLineStart_ = lineStart_;
    lineStart_ = true;
    space_ = true;
  }
  Location Here() const { return Location{file_, line_, column_}; }
  bool Fail(const Location& at, const std::string& message) { return session_.Fail(at, message); }

  bool BlockComment() {
    const Location start = Here();
    Advance();
    Advance();
    while (pos_ < text_.size()) {
      if (text_[pos_] == '*' && Peek(1) == '/') {
        Advance();
        Advance();
        space_ = true;
        return true;
      }
      if (IsLineEnd(pos_)) NewLine();
      else Advance();
    }
    return Fail(start, "comment without its closing */");
  }

  Token& Emit(TokenKind kind, const Location& at) {
    Token t;
    t.kind = kind;
    t.at = at;
    t.lineStart = lineStart_;
    t.spaceBefore = space_;
    lineStart_ = false;
    space_ = false;
    out_->push_back(std::move(t));
    return out_->back();
  }

  // One escape after a backslash inside a string or character literal. The Macintosh's
  // compilers give \n the value of the Return key (0x0D) and \r that of a line feed (0x0A).
  bool Escape(std::string* bytes) {
    const Location at = Here();
    Advance();  // the backslash
    if (pos_ >= text_.size() || IsLineEnd(pos_)) return Fail(at, "escape at the end of a line");
    const char c = text_[pos_];
    auto digits = [&](int base, int count, size_t skip) -> bool {
      for (size_t i = 0; i < skip; ++i) Advance();
      unsigned value = 0;
      int n = 0;
      while (n < count && DigitValue(Peek(0), base) >= 0) {
        value = value * base + DigitValue(Peek(0), base);
        Advance();
        ++n;
      }
      if (n == 0 || (base != 8 && n != count) || value > 255)
        return Fail(at, "malformed numeric escape (\\0xHH, \\$HH, \\0dDDD, \\0bBBBBBBBB or \\OOO)");
      bytes->push_back(static_cast<char>(value));
      return true;
    };
    if (c == '0' && (Peek(1) == 'x' || Peek(1) == 'X')) return digits(16, 2, 2);
    if (c == '0' && (Peek(1) == 'd' || Peek(1) == 'D')) return digits(10, 3, 2);
    if (c == '0' && (Peek(1) == 'b' || Peek(1) == 'B')) return digits(2, 8, 2);
    if (c == '$') return digits(16, 2, 1);
    if (c >= '0' && c <= '7') return digits(8, 3, 0);
    char value;
    switch (c) {
      case 'n': value = 0x0D; break;
      case 'r': value = 0x0A; break;
      case 't': value = 0x09; break;
      case 'b': value = 0x08; break;
      case 'f': value = 0x0C; break;
      case 'v': value = 0x0B; break;
      case '?': value = 0x7F; break;
      case '\\': case '\'': case '"': value = c; break;
      default: return Fail(at, std::string("unknown escape \\") + c);
    }
    Advance();
    bytes->push_back(value);
    return true;
  }

  bool Quoted(char quote, std::string* bytes) {
    const Location start = Here();
    Advance();
    while (true) {
      if (pos_ >= text_.size() || IsLineEnd(pos_))
        return Fail(start, quote == '"' ? "string without its closing \" on its line"
                                        : "character literal without its closing ' on its line");
      const char c = text_[pos_];
      if (c == quote) {
        Advance();
        return true;
      }
      if (c == '\\') {
        if (!Escape(bytes)) return false;
      } else {
        bytes->push_back(c);
        Advance();
      }
    }
  }

  bool HexString(const Location& at) {
    Advance();  // $
    Advance();  // "
    std::string bytes;
    int high = -1;
    while (true) {
      if (pos_ >= text_.size() || IsLineEnd(pos_))
        return Fail(at, "hexadecimal string without its closing \" on its line");
      const char c = text_[pos_];
      if (c == '"') break;
      if (c == ' ' || c == '\t') {
        Advance();
        continue;
      }
      const int v = DigitValue(c, 16);
      if (v < 0) return Fail(Here(), std::string("'") + c + "' is not a hexadecimal digit");
      if (high < 0) {
        high = v;
      } else {
        bytes.push_back(static_cast<char>(high * 16 + v));
        high = -1;
      }
      Advance();
    }
    if (high >= 0) return Fail(at, "hexadecimal string with an odd number of digits");
    Advance();
    Emit(TokenKind::kHexString, at).text = std::move(bytes);
    return true;
  }

  bool Number(const Location& at) {
    int base = 10;
    if (text_[pos_] == '$') {
      base = 16;
      Advance();
    } else if (text_[pos_] == '0' && (Peek(1) == 'x' || Peek(1) == 'X')) {
      base = 16;
      Advance();
      Advance();
    } else if (text_[pos_] == '0' && (Peek(1) == 'b' || Peek(1) == 'B')) {
      base = 2;
      Advance();
      Advance();
    } else if (text_[pos_] == '0' && std::isdigit(static_cast<unsigned char>(Peek(1)))) {
      base = 8;
    }
    uint64_t value = 0;
    int digits = 0;
    while (pos_ < text_.size() && IsIdentifierChar(text_[pos_])) {
      const int v = DigitValue(text_[pos_], base);
      if (v < 0) return Fail(at, "malformed number");
      value = value * base + v;
      if (value > 0xFFFFFFFFu) return Fail(at, "number larger than 32 bits");
      ++digits;
      Advance();
    }
    if (digits == 0) return Fail(at, "malformed number");
    Token& t = Emit(TokenKind::kNumber, at);
    t.number = static_cast<uint32_t>(value);
    return true;
  }

  bool IncludeContext() const {
    const size_t n = out_->size();
    return n >= 2 && (*out_)[n - 2].Is("#") && (*out_)[n - 2].lineStart &&
           (*out_)[n - 1].IsWord("include") && !lineStart_;
  }

  bool OneToken() {
    const Location at = Here();
    const char c = text_[pos_];
    if (IsIdentifierStart(c)) {
      const size_t start = pos_;
      while (pos_ < text_.size() && IsIdentifierChar(text_[pos_])) Advance();
      Emit(TokenKind::kIdentifier, at).text = text_.substr(start, pos_ - start);
      return true;
    }
    if (c == '$' && Peek(1) == '$') {
      Advance();
      Advance();
      const size_t start = pos_;
      while (pos_ < text_.size() && IsIdentifierChar(text_[pos_])) Advance();
      if (pos_ == start) return Fail(at, "$$ must be followed by a function name");
      Emit(TokenKind::kFunction, at).text = text_.substr(start, pos_ - start);
      return true;
    }
    if (c == '$' && Peek(1) == '"') return HexString(at);
    if (std::isdigit(static_cast<unsigned char>(c)) || (c == '$' && DigitValue(Peek(1), 16) >= 0))
      return Number(at);
    if (c == '"' || c == '\'') {
      std::string bytes;
      if (!Quoted(c, &bytes)) return false;
      if (c == '"') {
        Emit(TokenKind::kString, at).text = std::move(bytes);
        return true;
      }
      if (bytes.empty() || bytes.size() > 4)
        return Fail(at, "a character literal holds one to four characters");
      uint32_t value = 0;
      for (char b : bytes) value = (value << 8) | static_cast<uint8_t>(b);
      Token& t = Emit(TokenKind::kCharacters, at);
      t.text = std::move(bytes);
      t.number = value;
      return true;
    }
    if (c == '<' && IncludeContext()) {
      const size_t close = text_.find('>', pos_);
      size_t end = pos_;
      while (end < text_.size() && !IsLineEnd(end)) ++end;
      if (close == std::string::npos || close > end) return Fail(at, "#include <file> without its >");
      const std::string name = text_.substr(pos_ + 1, close - pos_ - 1);
      while (pos_ <= close) Advance();
      Emit(TokenKind::kHeaderName, at).text = name;
      return true;
    }
    static const char* const kTwo[] = {"<<", ">>", "<=", ">=", "==", "!=", "&&", "||"};
    for (const char* p : kTwo) {
      if (c == p[0] && Peek(1) == p[1]) {
        Advance();
        Advance();
        Emit(TokenKind::kPunctuation, at).text = p;
        return true;
      }
    }
    static const std::string kOne = "{}()[];,:=+-*/%<>&|^~!#";
    if (kOne.find(c) != std::string::npos) {
      Advance();
      Emit(TokenKind::kPunctuation, at).text = std::string(1, c);
      return true;
    }
    char code[8];
    const unsigned byte = static_cast<unsigned char>(c);
    code[0] = "0123456789ABCDEF"[byte >> 4];
    code[1] = "0123456789ABCDEF"[byte & 15];
    code[2] = 0;
    if (byte >= 0x21 && byte < 0x7F) return Fail(at, std::string("unexpected character '") + c + "'");
    return Fail(at, std::string("unexpected character 0x") + code + " outside a string");
  }

  Session& session_;
  int file_;
  const std::string& text_;
  std::vector<Token>* out_;
  size_t pos_ = 0;
  int line_ = 1;
  int column_ = 1;
  bool lineStart_ = true;
  bool continuedLineStart_ = true;
  bool space_ = true;
};

}  // namespace

bool Token::IsWord(const char* lowerWord) const {
  if (kind != TokenKind::kIdentifier) return false;
  size_t i = 0;
  for (; lowerWord[i]; ++i)
    if (i >= text.size() || std::tolower(static_cast<unsigned char>(text[i])) != lowerWord[i]) return false;
  return i == text.size();
}

std::string Lower(const std::string& text) {
  std::string lower = text;
  for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return lower;
}

std::string Describe(const Token& token) {
  switch (token.kind) {
    case TokenKind::kEnd: return "the end of the file";
    case TokenKind::kIdentifier: return "'" + token.text + "'";
    case TokenKind::kFunction: return "'$$" + token.text + "'";
    case TokenKind::kNumber: return "the number " + std::to_string(token.number);
    case TokenKind::kCharacters: return "a character literal";
    case TokenKind::kString: return "a string";
    case TokenKind::kHexString: return "a hexadecimal string";
    case TokenKind::kHeaderName: return "<" + token.text + ">";
    case TokenKind::kPunctuation: return "'" + token.text + "'";
  }
  return "a token";
}

bool Lex(Session& session, int file, const std::string& text, std::vector<Token>* out) {
  return Lexer(session, file, text, out).Run();
}

}  // namespace zeb::rez

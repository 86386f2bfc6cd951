// Expressions of the resource language: 32-bit signed arithmetic with C's operators and
// precedence, strings, names (values of a field, labels), and the $$ functions. A cursor over
// tokens, the parser and the evaluator. Host-independent.
#ifndef ZEB_REZ_EXPRESSIONS_H
#define ZEB_REZ_EXPRESSIONS_H

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "rez/lexer.h"
#include "rez/session.h"

namespace zeb::rez {

class TokenCursor {
 public:
  TokenCursor(Session& session, const std::vector<Token>& tokens, size_t start = 0);
  Session& session() const { return session_; }
  // Past the last token: a token of kind kEnd at the last token's place.
  const Token& Peek(size_t ahead = 0) const;
  const Token& Next();
  bool AtEnd() const { return pos_ >= tokens_.size(); }
  size_t position() const { return pos_; }
  // The farthest token looked at so far (its index; the token count once the end was looked
  // at): how far what was parsed depends on the tokens.
  size_t farthest() const { return farthest_; }
  void Seek(size_t position) { pos_ = position; }
  const std::vector<Token>& tokens() const { return tokens_; }
  bool Accept(const char* punctuation);
  bool AcceptWord(const char* lowerWord);
  // Fails with "expected 'x' <what>, found <token>".
  bool Expect(const char* punctuation, const std::string& what);
  bool FailHere(const std::string& expected);  // "expected <expected>, found <token>"

 private:
  Session& session_;
  const std::vector<Token>& tokens_;
  size_t pos_;
  mutable size_t farthest_ = 0;
  Token end_;
};

enum class Function {
  kArrayIndex, kAttributes, kBitField, kByte, kCountOf, kDate, kDay, kFormat, kHour, kId, kLong,
  kMinute, kMonth, kName, kPackedSize, kRead, kResource, kResourceSize, kSecond, kShell, kTime,
  kType, kVersion, kWeekday, kWord, kYear
};

struct Expr;
using ExprPtr = std::unique_ptr<Expr>;

struct Expr {
  enum class Kind { kNumber, kString, kName, kUnary, kBinary, kCall, kConcat };
  Kind kind = Kind::kNumber;
  Location at;
  int32_t number = 0;
  std::string text;      // a string's bytes; a name as written; an operator
  Function function = Function::kDate;
  int height = 1;  // of the tree below and including this node
  std::vector<ExprPtr> operands;  // operands, call arguments, a name's subscripts, concatenated parts
};

// Parses one expression. Adjacent strings ("abc" $"00" $$Date) join into one.
bool ParseExpression(TokenCursor& cursor, ExprPtr* out, size_t depth = 0);

struct Value {
  bool isString = false;
  int32_t number = 0;
  std::string bytes;
  static Value Number(int32_t n) { Value v; v.number = n; return v; }
  static Value String(std::string s) { Value v; v.isString = true; v.bytes = std::move(s); return v; }
};

// kPending: the value depends on a part of the resource not laid out yet (a label further on,
// the count of an array not yet given); the caller evaluates again once it is.
enum class Eval { kOk, kPending, kFailed };

// What names and the resource functions mean where an expression is evaluated.
class EvalScope {
 public:
  virtual ~EvalScope() = default;
  virtual Eval Name(Session& session, const Expr& name, Value* out);
  // $$CountOf and $$ArrayIndex (args empty: the array's name is the call's operand), $$BitField,
  // $$Byte, $$Word, $$Long, $$PackedSize, $$ResourceSize, and $$ID, $$Name, $$Type,
  // $$Attributes of the resource at hand.
  virtual Eval ResourceFunction(Session& session, const Expr& call, const std::vector<Value>& args,
                                Value* out);
};

Eval Evaluate(Session& session, const Expr& expr, EvalScope& scope, Value* out);
// Evaluates to a number or a string, failing on the other kind (and on kPending, with what).
bool EvaluateNumber(Session& session, const Expr& expr, EvalScope& scope, int32_t* out,
                    const char* what);
bool EvaluateString(Session& session, const Expr& expr, EvalScope& scope, std::string* out,
                    const char* what);

// The printf-like formatting of $$Format and #printf: %d %i %u %x %X %o %c %s %% with flags,
// width and precision. Each conversion must match its argument's kind.
bool FormatText(Session& session, const Location& at, const std::string& format,
                const std::vector<Value>& args, std::string* out);

// The global functions: dates and times, $$Format, $$Shell, $$Read, $$Resource, $$Version.
Eval CallGlobalFunction(Session& session, const Expr& call, const std::vector<Value>& args, Value* out);

const char* FunctionName(Function function);

}  // namespace zeb::rez

#endif  // ZEB_REZ_EXPRESSIONS_H

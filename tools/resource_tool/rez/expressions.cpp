// Parsing and evaluating expressions.
#include "rez/expressions.h"

#include <algorithm>
#include <cstring>
#include <limits>

namespace zeb::rez {

namespace {

struct FunctionInfo {
  const char* lowerName;
  const char* name;
  Function function;
  int minArgs, maxArgs;
  bool takesArrayName;
};

const FunctionInfo kFunctions[] = {
    {"arrayindex", "ArrayIndex", Function::kArrayIndex, 1, 1, true},
    {"attributes", "Attributes", Function::kAttributes, 0, 0, false},
    {"bitfield", "BitField", Function::kBitField, 3, 3, false},
    {"byte", "Byte", Function::kByte, 1, 1, false},
    {"countof", "CountOf", Function::kCountOf, 1, 1, true},
    {"date", "Date", Function::kDate, 0, 0, false},
    {"day", "Day", Function::kDay, 0, 0, false},
    {"format", "Format", Function::kFormat, 1, 32, false},
    {"hour", "Hour", Function::kHour, 0, 0, false},
    {"id", "ID", Function::kId, 0, 0, false},
    {"long", "Long", Function::kLong, 1, 1, false},
    {"minute", "Minute", Function::kMinute, 0, 0, false},
    {"month", "Month", Function::kMonth, 0, 0, false},
    {"name", "Name", Function::kName, 0, 0, false},
    {"packedsize", "PackedSize", Function::kPackedSize, 3, 3, false},
    {"read", "Read", Function::kRead, 1, 1, false},
    {"resource", "Resource", Function::kResource, 3, 3, false},
    {"resourcesize", "ResourceSize", Function::kResourceSize, 0, 0, false},
    {"second", "Second", Function::kSecond, 0, 0, false},
    {"shell", "Shell", Function::kShell, 1, 1, false},
    {"time", "Time", Function::kTime, 0, 0, false},
    {"type", "Type", Function::kType, 0, 0, false},
    {"version", "Version", Function::kVersion, 0, 0, false},
    {"weekday", "Weekday", Function::kWeekday, 0, 0, false},
    {"word", "Word", Function::kWord, 1, 1, false},
    {"year", "Year", Function::kYear, 0, 0, false},
};

const FunctionInfo* FindFunction(const std::string& name) {
  const std::string lower = Lower(name);
  for (const FunctionInfo& f : kFunctions)
    if (lower == f.lowerName) return &f;
  return nullptr;
}

const FunctionInfo& InfoOf(Function function) {
  for (const FunctionInfo& f : kFunctions)
    if (f.function == function) return f;
  return kFunctions[0];
}

bool IsStringStart(const Token& t) {
  if (t.kind == TokenKind::kString || t.kind == TokenKind::kHexString) return true;
  if (t.kind != TokenKind::kFunction) return false;
  const FunctionInfo* f = FindFunction(t.text);
  if (!f) return false;
  switch (f->function) {
    case Function::kDate: case Function::kFormat: case Function::kName: case Function::kRead:
    case Function::kResource: case Function::kShell: case Function::kTime: case Function::kVersion:
      return true;
    default:
      return false;
  }
}

ExprPtr MakeExpr(Expr::Kind kind, const Location& at) {
  ExprPtr e = std::make_unique<Expr>();
  e->kind = kind;
  e->at = at;
  return e;
}

// Binary operators by precedence level, loosest first.
const char* const kLevels[][5] = {
    {"||", nullptr}, {"&&", nullptr}, {"|", nullptr}, {"^", nullptr}, {"&", nullptr},
    {"==", "!=", nullptr}, {"<", ">", "<=", ">=", nullptr}, {"<<", ">>", nullptr},
    {"+", "-", nullptr}, {"*", "/", "%", nullptr}};
constexpr int kLevelCount = sizeof kLevels / sizeof kLevels[0];

// A chain of operators builds a tree as tall as it is long; evaluating it recurses that deep.
constexpr int kMaxHeight = 1000;

class ExpressionParser {
 public:
  explicit ExpressionParser(TokenCursor& cursor) : c_(cursor) {}

  bool Binary(int level, ExprPtr* out, size_t depth) {
    if (depth > c_.session().limits().maxNesting)
      return c_.session().Fail(c_.Peek().at, "expression nested too deeply");
    if (level == kLevelCount) return Unary(out, depth);
    ExprPtr left;
    if (!Binary(level + 1, &left, depth)) return false;
    while (true) {
      const Token& t = c_.Peek();
      const char* op = nullptr;
      for (int i = 0; kLevels[level][i]; ++i)
        if (t.Is(kLevels[level][i])) op = kLevels[level][i];
      if (!op) break;
      const Location at = c_.Next().at;
      ExprPtr right;
      if (!Binary(level + 1, &right, depth)) return false;
      ExprPtr e = MakeExpr(Expr::Kind::kBinary, at);
      e->text = op;
      e->height = 1 + std::max(left->height, right->height);
      if (e->height > kMaxHeight) return c_.session().Fail(at, "expression too long");
      e->operands.push_back(std::move(left));
      e->operands.push_back(std::move(right));
      left = std::move(e);
    }
    *out = std::move(left);
    return true;
  }

 private:
  bool Unary(ExprPtr* out, size_t depth) {
    if (depth > c_.session().limits().maxNesting)
      return c_.session().Fail(c_.Peek().at, "expression nested too deeply");
    const Token& t = c_.Peek();
    if (t.Is("-") || t.Is("!") || t.Is("~") || t.Is("+")) {
      const Token op = c_.Next();
      ExprPtr operand;
      if (!Unary(&operand, depth + 1)) return false;
      ExprPtr e = MakeExpr(Expr::Kind::kUnary, op.at);
      e->text = op.text;
      e->height = operand->height + 1;
      e->operands.push_back(std::move(operand));
      *out = std::move(e);
      return true;
    }
    return Primary(out, depth);
  }

  bool Call(ExprPtr* out, size_t depth) {
    const Token name = c_.Next();
    const FunctionInfo* info = FindFunction(name.text);
    if (!info) return c_.session().Fail(name.at, "unknown function $$" + name.text);
    ExprPtr call = MakeExpr(Expr::Kind::kCall, name.at);
    call->function = info->function;
    call->text = info->name;
    if (c_.Accept("(")) {
      if (!c_.Peek().Is(")")) {
        do {
          ExprPtr arg;
          if (!Binary(0, &arg, depth + 1)) return false;
          call->height = std::max(call->height, arg->height + 1);
          call->operands.push_back(std::move(arg));
        } while (c_.Accept(","));
      }
      if (!c_.Expect(")", std::string("to close the arguments of $$") + info->name)) return false;
    }
    const int n = static_cast<int>(call->operands.size());
    if (n < info->minArgs || n > info->maxArgs) {
      const std::string count = info->minArgs == info->maxArgs
                                    ? std::to_string(info->minArgs)
                                    : std::to_string(info->minArgs) + " or more";
      return c_.session().Fail(name.at, std::string("$$") + info->name + " takes " + count +
                                            (info->maxArgs == 1 ? " argument" : " arguments"));
    }
    if (info->takesArrayName && (call->operands[0]->kind != Expr::Kind::kName ||
                                 !call->operands[0]->operands.empty()))
      return c_.session().Fail(name.at, std::string("$$") + info->name + " takes the name of an array");
    *out = std::move(call);
    return true;
  }

  bool OneString(ExprPtr* out, size_t depth) {
    const Token& t = c_.Peek();
    if (t.kind == TokenKind::kFunction) return Call(out, depth);
    ExprPtr e = MakeExpr(Expr::Kind::kString, t.at);
    e->text = c_.Next().text;
    *out = std::move(e);
    return true;
  }

  bool Primary(ExprPtr* out, size_t depth) {
    const Token& t = c_.Peek();
    switch (t.kind) {
      case TokenKind::kNumber:
      case TokenKind::kCharacters: {
        ExprPtr e = MakeExpr(Expr::Kind::kNumber, t.at);
        e->number = static_cast<int32_t>(c_.Next().number);
        *out = std::move(e);
        return true;
      }
      case TokenKind::kString:
      case TokenKind::kHexString:
      case TokenKind::kFunction: {
        if (!IsStringStart(t)) return Call(out, depth);
        ExprPtr first;
        if (!OneString(&first, depth)) return false;
        if (!IsStringStart(c_.Peek())) {
          *out = std::move(first);
          return true;
        }
        ExprPtr concat = MakeExpr(Expr::Kind::kConcat, first->at);
        concat->operands.push_back(std::move(first));
        while (IsStringStart(c_.Peek())) {
          ExprPtr next;
          if (!OneString(&next, depth)) return false;
          concat->operands.push_back(std::move(next));
        }
        *out = std::move(concat);
        return true;
      }
      case TokenKind::kIdentifier: {
        ExprPtr e = MakeExpr(Expr::Kind::kName, t.at);
        e->text = c_.Next().text;
        if (c_.Accept("[")) {
          do {
            ExprPtr index;
            if (!Binary(0, &index, depth + 1)) return false;
            e->height = std::max(e->height, index->height + 1);
            e->operands.push_back(std::move(index));
          } while (c_.Accept(","));
          if (!c_.Expect("]", "to close the label's subscripts")) return false;
        }
        *out = std::move(e);
        return true;
      }
      case TokenKind::kPunctuation:
        if (t.Is("(")) {
          c_.Next();
          if (!Binary(0, out, depth + 1)) return false;
          return c_.Expect(")", "to close the parenthesis");
        }
        break;
      default:
        break;
    }
    return c_.FailHere("an expression");
  }

  TokenCursor& c_;
};

int32_t Wrap(int64_t v) { return static_cast<int32_t>(static_cast<uint32_t>(static_cast<uint64_t>(v))); }

Eval Binary(Session& session, const Expr& e, const Value& a, const Value& b, Value* out) {
  const std::string& op = e.text;
  if (a.isString || b.isString) {
    if (a.isString && b.isString && (op == "==" || op == "!=")) {
      *out = Value::Number((a.bytes == b.bytes) == (op == "=="));
      return Eval::kOk;
    }
    session.Fail(e.at, "operator " + op + " needs numbers" +
                           (a.isString != b.isString ? " (a string meets a number)" : ""));
    return Eval::kFailed;
  }
  const int64_t x = a.number, y = b.number;
  int64_t r = 0;
  if (op == "+") r = x + y;
  else if (op == "-") r = x - y;
  else if (op == "*") r = x * y;
  else if (op == "/" || op == "%") {
    if (y == 0) {
      session.Fail(e.at, op == "/" ? "division by zero" : "remainder of a division by zero");
      return Eval::kFailed;
    }
    r = op == "/" ? x / y : x % y;
  } else if (op == "<<") r = (y < 0 || y > 31) ? 0 : static_cast<int64_t>(static_cast<uint32_t>(x) << y);
  else if (op == ">>") r = (y < 0 || y > 31) ? (x < 0 ? -1 : 0) : (x >> y);
  else if (op == "<") r = x < y;
  else if (op == ">") r = x > y;
  else if (op == "<=") r = x <= y;
  else if (op == ">=") r = x >= y;
  else if (op == "==") r = x == y;
  else if (op == "!=") r = x != y;
  else if (op == "&") r = x & y;
  else if (op == "^") r = x ^ y;
  else if (op == "|") r = x | y;
  *out = Value::Number(Wrap(r));
  return Eval::kOk;
}

}  // namespace

TokenCursor::TokenCursor(Session& session, const std::vector<Token>& tokens, size_t start)
    : session_(session), tokens_(tokens), pos_(start) {
  end_.kind = TokenKind::kEnd;
  if (!tokens.empty()) end_.at = tokens.back().at;
}

const Token& TokenCursor::Peek(size_t ahead) const {
  if (pos_ + ahead > farthest_) farthest_ = std::min(pos_ + ahead, tokens_.size());
  return pos_ + ahead < tokens_.size() ? tokens_[pos_ + ahead] : end_;
}

const Token& TokenCursor::Next() {
  const Token& t = Peek();
  if (pos_ < tokens_.size()) ++pos_;
  return t;
}

bool TokenCursor::Accept(const char* punctuation) {
  if (!Peek().Is(punctuation)) return false;
  ++pos_;
  return true;
}

bool TokenCursor::AcceptWord(const char* lowerWord) {
  if (!Peek().IsWord(lowerWord)) return false;
  ++pos_;
  return true;
}

bool TokenCursor::FailHere(const std::string& expected) {
  return session_.Fail(Peek().at, "expected " + expected + ", found " + Describe(Peek()));
}

bool TokenCursor::Expect(const char* punctuation, const std::string& what) {
  if (Accept(punctuation)) return true;
  return FailHere(std::string("'") + punctuation + "' " + what);
}

bool ParseExpression(TokenCursor& cursor, ExprPtr* out, size_t depth) {
  return ExpressionParser(cursor).Binary(0, out, depth);
}

const char* FunctionName(Function function) { return InfoOf(function).name; }

Eval EvalScope::Name(Session& session, const Expr& name, Value* out) {
  const std::string lower = Lower(name.text);
  if (name.operands.empty() && (lower == "true" || lower == "false")) {
    *out = Value::Number(lower == "true");
    return Eval::kOk;
  }
  session.Fail(name.at, "unknown name '" + name.text + "'");
  return Eval::kFailed;
}

Eval EvalScope::ResourceFunction(Session& session, const Expr& call, const std::vector<Value>&,
                                 Value*) {
  session.Fail(call.at, std::string("$$") + FunctionName(call.function) +
                            " has a meaning only inside a resource");
  return Eval::kFailed;
}

Eval Evaluate(Session& session, const Expr& e, EvalScope& scope, Value* out) {
  switch (e.kind) {
    case Expr::Kind::kNumber:
      *out = Value::Number(e.number);
      return Eval::kOk;
    case Expr::Kind::kString:
      *out = Value::String(e.text);
      return Eval::kOk;
    case Expr::Kind::kName:
      return scope.Name(session, e, out);
    case Expr::Kind::kConcat: {
      std::string bytes;
      for (const ExprPtr& part : e.operands) {
        Value v;
        const Eval r = Evaluate(session, *part, scope, &v);
        if (r != Eval::kOk) return r;
        if (!v.isString) {
          session.Fail(part->at, "a number among joined strings");
          return Eval::kFailed;
        }
        bytes += v.bytes;
        if (bytes.size() > session.limits().maxResourceBytes) {
          session.Fail(part->at, "string longer than a resource can be");
          return Eval::kFailed;
        }
      }
      *out = Value::String(std::move(bytes));
      return Eval::kOk;
    }
    case Expr::Kind::kUnary: {
      Value v;
      const Eval r = Evaluate(session, *e.operands[0], scope, &v);
      if (r != Eval::kOk) return r;
      if (v.isString) {
        session.Fail(e.at, "operator " + e.text + " needs a number");
        return Eval::kFailed;
      }
      const int64_t x = v.number;
      *out = Value::Number(Wrap(e.text == "-" ? -x : e.text == "!" ? !x : e.text == "~" ? ~x : x));
      return Eval::kOk;
    }
    case Expr::Kind::kBinary: {
      Value a, b;
      Eval r = Evaluate(session, *e.operands[0], scope, &a);
      if (r != Eval::kOk) return r;
      if ((e.text == "&&" || e.text == "||") && !a.isString) {
        if ((e.text == "&&") == (a.number == 0)) {
          *out = Value::Number(e.text == "||");
          return Eval::kOk;
        }
        r = Evaluate(session, *e.operands[1], scope, &b);
        if (r != Eval::kOk) return r;
        if (b.isString) {
          session.Fail(e.at, "operator " + e.text + " needs numbers");
          return Eval::kFailed;
        }
        *out = Value::Number(b.number != 0);
        return Eval::kOk;
      }
      r = Evaluate(session, *e.operands[1], scope, &b);
      if (r != Eval::kOk) return r;
      return Binary(session, e, a, b, out);
    }
    case Expr::Kind::kCall: {
      const FunctionInfo& info = InfoOf(e.function);
      std::vector<Value> args;
      if (!info.takesArrayName) {
        for (const ExprPtr& operand : e.operands) {
          Value v;
          const Eval r = Evaluate(session, *operand, scope, &v);
          if (r != Eval::kOk) return r;
          args.push_back(std::move(v));
        }
      }
      switch (e.function) {
        case Function::kArrayIndex: case Function::kAttributes: case Function::kBitField:
        case Function::kByte: case Function::kCountOf: case Function::kId: case Function::kLong:
        case Function::kName: case Function::kPackedSize: case Function::kResourceSize:
        case Function::kType: case Function::kWord:
          return scope.ResourceFunction(session, e, args, out);
        default:
          return CallGlobalFunction(session, e, args, out);
      }
    }
  }
  return Eval::kFailed;
}

bool EvaluateNumber(Session& session, const Expr& expr, EvalScope& scope, int32_t* out,
                    const char* what) {
  Value v;
  const Eval r = Evaluate(session, expr, scope, &v);
  if (r == Eval::kFailed) return false;
  if (r == Eval::kPending)
    return session.Fail(expr.at, std::string(what) + " must be known here, before the parts of the "
                                                      "resource that follow");
  if (v.isString) return session.Fail(expr.at, std::string(what) + " must be a number, not a string");
  *out = v.number;
  return true;
}

bool EvaluateString(Session& session, const Expr& expr, EvalScope& scope, std::string* out,
                    const char* what) {
  Value v;
  const Eval r = Evaluate(session, expr, scope, &v);
  if (r == Eval::kFailed) return false;
  if (r == Eval::kPending)
    return session.Fail(expr.at, std::string(what) + " must be known here, before the parts of the "
                                                      "resource that follow");
  if (!v.isString) return session.Fail(expr.at, std::string(what) + " must be a string, not a number");
  *out = std::move(v.bytes);
  return true;
}

}  // namespace zeb::rez

// Carrying out preprocessor directives and expanding macros.
#include "rez/preprocessor.h"

#include <algorithm>
#include <deque>
#include <mutex>

#include "rez/expressions.h"

namespace zeb::rez {

namespace {

std::string DirectiveName(const std::vector<Token>& line) {
  return line.empty() || line[0].kind != TokenKind::kIdentifier ? std::string() : Lower(line[0].text);
}

bool SameTokens(const std::vector<Token>& a, const std::vector<Token>& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (!SameToken(a[i], b[i])) return false;
  return true;
}

// Different macro tables before a shipped file (a source may define anything first) each need a
// run of their own; past this many per file, the others are simply carried out every time.
constexpr size_t kRunsKeptPerFile = 8;

}  // namespace

// Compiling the shipped declarations is most of the work of a small source that includes them,
// and of every decompilation: lexed and carried out once per process, they cost a copy after.
// A run is kept only when nothing in it reached the host (no #printf, no further file, no
// $$ function that reads the clock or the environment) and it succeeded, and it is used again
// only where the macro table, the nesting depth and the limits that shaped it are the same, and
// the tokens it adds still fit the run's budget: the result is then exactly that of carrying it
// out again.
struct Preprocessor::BuiltinRun {
  const BuiltinInclude* builtin;
  size_t includeDepth;
  size_t maxIncludeDepth;
  size_t maxNesting;
  std::map<std::string, Macro> before;
  std::map<std::string, Macro> after;
  std::vector<Token> tokens;
  size_t produced;
};

namespace {

bool SameMacro(const std::string& aName, const std::string& bName, bool aFunction, bool bFunction,
               const std::vector<std::string>& aParameters, const std::vector<std::string>& bParameters,
               const std::vector<Token>& aBody, const std::vector<Token>& bBody) {
  return aName == bName && aFunction == bFunction && aParameters == bParameters && SameTokens(aBody, bBody);
}

}  // namespace

Preprocessor::Preprocessor(Session& session) : session_(session) {}

bool Preprocessor::Define(const std::string& name, const std::string& value) {
  if (commandLineFile_ < 0) commandLineFile_ = session_.AddFile("<command line>");
  std::vector<Token> tokens;
  if (!Lex(session_, commandLineFile_, name, &tokens)) return false;
  if (tokens.size() != 1 || tokens[0].kind != TokenKind::kIdentifier)
    return session_.Fail(Location{}, "-D needs a name, not '" + name + "'");
  Macro macro;
  if (!Lex(session_, commandLineFile_, value.empty() ? "1" : value, &macro.body)) return false;
  for (Token& t : macro.body) t.lineStart = false;
  macros_[name] = std::move(macro);
  return true;
}

bool Preprocessor::ProcessFile(const std::string& path, std::vector<Token>* out) {
  std::vector<uint8_t> bytes;
  if (!session_.ReadNamedFile(path, &bytes)) return false;
  return ProcessText(path, std::string(bytes.begin(), bytes.end()), out);
}

bool Preprocessor::ProcessText(const std::string& name, const std::string& text,
                               std::vector<Token>* out) {
  return Run(session_.AddFile(name), text, out);
}

bool Preprocessor::ProcessBuiltin(const BuiltinInclude* builtin, std::vector<Token>* out) {
  return RunBuiltin(builtin, out);
}

bool Preprocessor::RunBuiltin(const BuiltinInclude* builtin, std::vector<Token>* out) {
  static std::mutex lock;
  static std::deque<BuiltinRun> runs;
  const Limits& limits = session_.limits();
  auto sameTable = [this](const std::map<std::string, Macro>& table) {
    if (table.size() != macros_.size()) return false;
    auto a = table.begin();
    for (auto b = macros_.begin(); b != macros_.end(); ++a, ++b)
      if (!SameMacro(a->first, b->first, a->second.functionLike, b->second.functionLike, a->second.parameters,
                     b->second.parameters, a->second.body, b->second.body))
        return false;
    return true;
  };
  size_t keptForFile = 0;
  {
    std::lock_guard<std::mutex> guard(lock);
    for (const BuiltinRun& run : runs) {
      if (run.builtin != builtin) continue;
      ++keptForFile;
      if (run.includeDepth != includeDepth_ || run.maxIncludeDepth != limits.maxIncludeDepth ||
          run.maxNesting != limits.maxNesting || !sameTable(run.before))
        continue;
      // Over the budget the run fails part-way: carried out again, it fails at the same token.
      if (produced_ + run.produced > limits.maxTokens) break;
      out->insert(out->end(), run.tokens.begin(), run.tokens.end());
      macros_ = run.after;
      produced_ += run.produced;
      return true;
    }
  }
  const size_t first = out->size();
  const size_t producedBefore = produced_;
  const size_t hostCallsBefore = session_.hostCalls();
  const size_t workBefore = session_.work();
  std::map<std::string, Macro> before;
  if (keptForFile < kRunsKeptPerFile) before = macros_;
  const std::string text(reinterpret_cast<const char*>(builtin->bytes), builtin->size);
  if (!Run(Session::BuiltinFile(builtin), text, out)) return false;
  if (keptForFile >= kRunsKeptPerFile || session_.hostCalls() != hostCallsBefore ||
      session_.work() != workBefore)
    return true;
  BuiltinRun run{builtin,
                 includeDepth_,
                 limits.maxIncludeDepth,
                 limits.maxNesting,
                 std::move(before),
                 macros_,
                 std::vector<Token>(out->begin() + static_cast<std::ptrdiff_t>(first), out->end()),
                 produced_ - producedBefore};
  std::lock_guard<std::mutex> guard(lock);
  runs.push_back(std::move(run));
  return true;
}

bool Preprocessor::Run(int file, const std::string& text, std::vector<Token>* out) {
  std::vector<Token> tokens;
  if (!Lex(session_, file, text, &tokens)) return false;
  std::vector<Conditional> conditionals;
  std::vector<Token> run;
  auto active = [&] { return conditionals.empty() || conditionals.back().active; };
  size_t i = 0;
  while (i < tokens.size()) {
    if (tokens[i].Is("#") && tokens[i].lineStart) {
      size_t end = i + 1;
      while (end < tokens.size() && !tokens[end].lineStart) ++end;
      if (!Expand(run, out, 0)) return false;
      run.clear();
      const std::vector<Token> line(tokens.begin() + i + 1, tokens.begin() + end);
      if (!Directive(line, tokens[i].at, &conditionals, out)) return false;
      i = end;
      continue;
    }
    if (active()) run.push_back(tokens[i]);
    ++i;
  }
  if (!Expand(run, out, 0)) return false;
  if (!conditionals.empty())
    return session_.Fail(conditionals.back().at, "#if without its #endif");
  return true;
}

bool Preprocessor::Directive(const std::vector<Token>& line, const Location& at,
                             std::vector<Conditional>* conditionals, std::vector<Token>* out) {
  const std::string name = DirectiveName(line);
  const bool active = conditionals->empty() || conditionals->back().active;
  if (name == "if" || name == "ifdef" || name == "ifndef") {
    Conditional c{active, false, false, false, at};
    if (active) {
      bool value = false;
      if (name == "if") {
        if (!Condition(line, at, &value)) return false;
      } else {
        if (line.size() < 2 || line[1].kind != TokenKind::kIdentifier)
          return session_.Fail(at, "#" + line[0].text + " needs a macro name");
        value = IsDefined(line[1].text) == (name == "ifdef");
      }
      c.active = c.taken = value;
    }
    conditionals->push_back(c);
    return true;
  }
  if (name == "elif" || name == "else" || name == "endif") {
    if (conditionals->empty()) return session_.Fail(at, "#" + line[0].text + " without #if");
    Conditional& c = conditionals->back();
    if (name == "endif") {
      conditionals->pop_back();
      return true;
    }
    if (c.sawElse) return session_.Fail(at, "#" + line[0].text + " after #else");
    if (name == "else") {
      c.sawElse = true;
      c.active = c.parentActive && !c.taken;
      c.taken = true;
      return true;
    }
    c.active = false;
    if (c.parentActive && !c.taken) {
      bool value = false;
      if (!Condition(line, at, &value)) return false;
      c.active = c.taken = value;
    }
    return true;
  }
  if (!active) return true;
  if (line.empty()) return true;  // a lone '#'
  if (name == "define") return DefineFrom(line);
  if (name == "undef") {
    if (line.size() != 2 || line[1].kind != TokenKind::kIdentifier)
      return session_.Fail(at, "#undef needs one macro name");
    macros_.erase(line[1].text);
    return true;
  }
  if (name == "include") return Include(line, at, out);
  if (name == "printf") return Printf(line, at);
  if (name == "pragma") return true;
  return session_.Fail(line[0].at, "unknown directive #" + line[0].text);
}

bool Preprocessor::DefineFrom(const std::vector<Token>& line) {
  if (line.size() < 2 || line[1].kind != TokenKind::kIdentifier)
    return session_.Fail(line[0].at, "#define needs a macro name");
  Macro macro;
  size_t i = 2;
  if (i < line.size() && line[i].Is("(") && !line[i].spaceBefore) {
    macro.functionLike = true;
    ++i;
    if (i < line.size() && line[i].Is(")")) {
      ++i;
    } else {
      while (true) {
        if (i >= line.size() || line[i].kind != TokenKind::kIdentifier)
          return session_.Fail(i < line.size() ? line[i].at : line[1].at,
                               "expected a parameter name in #define " + line[1].text);
        if (std::find(macro.parameters.begin(), macro.parameters.end(), line[i].text) !=
            macro.parameters.end())
          return session_.Fail(line[i].at, "parameter " + line[i].text + " named twice");
        macro.parameters.push_back(line[i].text);
        ++i;
        if (i < line.size() && line[i].Is(",")) {
          ++i;
          continue;
        }
        if (i < line.size() && line[i].Is(")")) {
          ++i;
          break;
        }
        return session_.Fail(i < line.size() ? line[i].at : line[1].at,
                             "expected ',' or ')' in the parameters of " + line[1].text);
      }
    }
  }
  macro.body.assign(line.begin() + i, line.end());
  macros_[line[1].text] = std::move(macro);
  return true;
}

bool Preprocessor::Include(const std::vector<Token>& line, const Location& at, std::vector<Token>* out) {
  std::vector<Token> operand;
  if (!Expand(std::vector<Token>(line.begin() + 1, line.end()), &operand, 0)) return false;
  if (operand.size() != 1 ||
      (operand[0].kind != TokenKind::kString && operand[0].kind != TokenKind::kHeaderName))
    return session_.Fail(at, "#include needs one file name, \"file\" or <file>");
  if (includeDepth_ >= session_.limits().maxIncludeDepth)
    return session_.Fail(at, "#include nested too deeply (does a file include itself?)");
  std::string resolved;
  std::vector<uint8_t> bytes;
  const BuiltinInclude* builtin = nullptr;
  if (!session_.ReadSourceFile(at, operand[0].text, operand[0].kind == TokenKind::kString,
                               &resolved, &bytes, &builtin))
    return false;
  ++includeDepth_;
  const bool ok = builtin ? RunBuiltin(builtin, out)
                          : Run(session_.AddFile(resolved), std::string(bytes.begin(), bytes.end()), out);
  --includeDepth_;
  return ok;
}

bool Preprocessor::Printf(const std::vector<Token>& line, const Location& at) {
  std::vector<Token> tokens;
  if (!Expand(std::vector<Token>(line.begin() + 1, line.end()), &tokens, 0)) return false;
  TokenCursor cursor(session_, tokens);
  if (!cursor.Expect("(", "after #printf")) return false;
  std::vector<Value> values;
  EvalScope scope;
  do {
    ExprPtr e;
    if (!ParseExpression(cursor, &e)) return false;
    Value v;
    const Eval r = Evaluate(session_, *e, scope, &v);
    if (r == Eval::kFailed) return false;
    if (r == Eval::kPending) return session_.Fail(e->at, "#printf cannot wait for a resource");
    values.push_back(std::move(v));
  } while (cursor.Accept(","));
  if (!cursor.Expect(")", "to close #printf")) return false;
  if (!cursor.AtEnd()) return cursor.FailHere("the end of the #printf line");
  if (!values[0].isString) return session_.Fail(at, "#printf needs a format string first");
  std::string text;
  if (!FormatText(session_, at, values[0].bytes, std::vector<Value>(values.begin() + 1, values.end()),
                  &text))
    return false;
  session_.host().Print(text);
  return true;
}

bool Preprocessor::Condition(const std::vector<Token>& line, const Location& at, bool* value) {
  std::vector<Token> replaced;
  for (size_t i = 1; i < line.size(); ++i) {
    if (!line[i].IsWord("defined")) {
      replaced.push_back(line[i]);
      continue;
    }
    const bool parenthesised = i + 1 < line.size() && line[i + 1].Is("(");
    const size_t nameAt = i + (parenthesised ? 2 : 1);
    if (nameAt >= line.size() || line[nameAt].kind != TokenKind::kIdentifier ||
        (parenthesised && (nameAt + 1 >= line.size() || !line[nameAt + 1].Is(")"))))
      return session_.Fail(line[i].at, "defined needs a macro name, as defined(NAME) or defined NAME");
    Token number = line[i];
    number.kind = TokenKind::kNumber;
    number.number = IsDefined(line[nameAt].text) ? 1 : 0;
    replaced.push_back(number);
    i = nameAt + (parenthesised ? 1 : 0);
  }
  std::vector<Token> tokens;
  if (!Expand(replaced, &tokens, 0)) return false;
  // Names no macro defines count as 0, as in C.
  for (Token& t : tokens) {
    if (t.kind == TokenKind::kIdentifier && !t.IsWord("true") && !t.IsWord("false")) {
      t.kind = TokenKind::kNumber;
      t.number = 0;
    }
  }
  if (tokens.empty()) return session_.Fail(at, "#" + line[0].text + " needs an expression");
  TokenCursor cursor(session_, tokens);
  ExprPtr e;
  if (!ParseExpression(cursor, &e)) return false;
  if (!cursor.AtEnd()) return cursor.FailHere("the end of the #" + line[0].text + " line");
  EvalScope scope;
  int32_t result = 0;
  if (!EvaluateNumber(session_, *e, scope, &result, "the condition")) return false;
  *value = result != 0;
  return true;
}

bool Preprocessor::Produce(const Token& token, std::vector<Token>* out) {
  if (++produced_ > session_.limits().maxTokens)
    return session_.Fail(token.at, "macro expansion produces more tokens than one run allows");
  out->push_back(token);
  return true;
}

bool Preprocessor::Expand(const std::vector<Token>& in, std::vector<Token>* out, size_t depth) {
  if (depth > session_.limits().maxNesting)
    return session_.Fail(in.empty() ? Location{} : in[0].at, "macros nested too deeply");
  for (size_t i = 0; i < in.size(); ++i) {
    const Token& t = in[i];
    const auto found = t.kind == TokenKind::kIdentifier ? macros_.find(t.text) : macros_.end();
    if (found == macros_.end() ||
        std::find(active_.begin(), active_.end(), t.text) != active_.end()) {
      if (!Produce(t, out)) return false;
      continue;
    }
    const Macro macro = found->second;
    std::vector<Token> body;
    if (macro.functionLike) {
      if (i + 1 >= in.size() || !in[i + 1].Is("(")) {
        if (!Produce(t, out)) return false;
        continue;
      }
      // The arguments: split at commas outside parentheses, each expanded on its own.
      std::vector<std::vector<Token>> args(1);
      size_t j = i + 2;
      int nesting = 0;
      for (; j < in.size(); ++j) {
        if (in[j].Is("(")) ++nesting;
        if (in[j].Is(")") && nesting-- == 0) break;
        if (in[j].Is(",") && nesting == 0) {
          args.emplace_back();
          continue;
        }
        args.back().push_back(in[j]);
      }
      if (j >= in.size()) return session_.Fail(t.at, "the arguments of " + t.text + " are not closed");
      if (macro.parameters.empty() && args.size() == 1 && args[0].empty()) args.clear();
      if (args.size() != macro.parameters.size())
        return session_.Fail(t.at, t.text + " takes " + std::to_string(macro.parameters.size()) +
                                       " arguments, not " + std::to_string(args.size()));
      std::vector<std::vector<Token>> expanded(args.size());
      for (size_t a = 0; a < args.size(); ++a)
        if (!Expand(args[a], &expanded[a], depth + 1)) return false;
      for (const Token& b : macro.body) {
        const auto p = b.kind == TokenKind::kIdentifier
                           ? std::find(macro.parameters.begin(), macro.parameters.end(), b.text)
                           : macro.parameters.end();
        if (p == macro.parameters.end()) {
          body.push_back(b);
          continue;
        }
        const std::vector<Token>& arg = expanded[p - macro.parameters.begin()];
        body.insert(body.end(), arg.begin(), arg.end());
      }
      i = j;
    } else {
      body = macro.body;
    }
    // An expansion is reported where the macro is used.
    for (Token& b : body) {
      b.at = t.at;
      b.lineStart = false;
    }
    if (!body.empty()) body[0].spaceBefore = t.spaceBefore;
    active_.push_back(t.text);
    const bool ok = Expand(body, out, depth + 1);
    active_.pop_back();
    if (!ok) return false;
  }
  return true;
}

}  // namespace zeb::rez

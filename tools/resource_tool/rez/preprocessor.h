// The preprocessor of resource sources: #include, #define (with arguments), #undef, #if,
// #ifdef, #ifndef, #elif, #else, #endif and #printf. Macro names are compared with their case,
// as C's are. Host-independent.
#ifndef ZEB_REZ_PREPROCESSOR_H
#define ZEB_REZ_PREPROCESSOR_H

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "rez/builtin_includes.h"
#include "rez/lexer.h"
#include "rez/session.h"

namespace zeb::rez {

class Preprocessor {
 public:
  explicit Preprocessor(Session& session);

  // A definition from the command line: value is lexed as source text ("1" when empty).
  bool Define(const std::string& name, const std::string& value);
  bool IsDefined(const std::string& name) const { return macros_.count(name) != 0; }

  // Reads a file named on the command line and appends its tokens, directives carried out and
  // macros expanded.
  bool ProcessFile(const std::string& path, std::vector<Token>* out);
  // The same for text already in memory, under the given file name.
  bool ProcessText(const std::string& name, const std::string& text, std::vector<Token>* out);
  // The same for one of the shipped declaration files.
  bool ProcessBuiltin(const BuiltinInclude* builtin, std::vector<Token>* out);

 private:
  struct Macro {
    bool functionLike = false;
    std::vector<std::string> parameters;
    std::vector<Token> body;
  };
  // A shipped file carried out once: what it produced from a given macro table, kept for the
  // whole process, since every run that includes it from the same table produces the same.
  struct BuiltinRun;

  struct Conditional {
    bool parentActive;
    bool taken;   // a branch so far was taken
    bool active;  // the current branch is taken
    bool sawElse;
    Location at;
  };

  bool Run(int file, const std::string& text, std::vector<Token>* out);
  bool RunBuiltin(const BuiltinInclude* builtin, std::vector<Token>* out);
  bool Directive(const std::vector<Token>& line, const Location& at,
                 std::vector<Conditional>* conditionals, std::vector<Token>* out);
  bool DefineFrom(const std::vector<Token>& line);
  bool Include(const std::vector<Token>& line, const Location& at, std::vector<Token>* out);
  bool Printf(const std::vector<Token>& line, const Location& at);
  bool Condition(const std::vector<Token>& line, const Location& at, bool* value);
  bool Expand(const std::vector<Token>& in, std::vector<Token>* out, size_t depth);
  bool Produce(const Token& token, std::vector<Token>* out);

  Session& session_;
  std::map<std::string, Macro> macros_;
  std::vector<std::string> active_;  // macros being expanded, which are not expanded again
  size_t includeDepth_ = 0;
  size_t produced_ = 0;
  int commandLineFile_ = -1;
};

}  // namespace zeb::rez

#endif  // ZEB_REZ_PREPROCESSOR_H

// Finding the declaration files carried inside the tool.
#include "rez/builtin_includes.h"

#include "rez/lexer.h"

namespace zeb::rez {

const BuiltinInclude* FindBuiltinInclude(const std::string& name) {
  const size_t slash = name.find_last_of("/\\:");
  const std::string base = Lower(slash == std::string::npos ? name : name.substr(slash + 1));
  for (const BuiltinInclude* b = kBuiltinIncludes; b->name; ++b)
    if (Lower(b->name) == base) return b;
  return nullptr;
}

}  // namespace zeb::rez

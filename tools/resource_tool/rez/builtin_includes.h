// The standard declaration files shipped inside the tool (Types.r, SysTypes.r), so that a
// classic source's #include "Types.r" is found wherever the tool is run. A file of the same name
// on the search path takes their place.
#ifndef ZEB_REZ_BUILTIN_INCLUDES_H
#define ZEB_REZ_BUILTIN_INCLUDES_H

#include <cstddef>
#include <string>

namespace zeb::rez {

struct BuiltinInclude {
  const char* name;
  const unsigned char* bytes;
  size_t size;
};

// The generated table, ending with an entry whose name is null.
extern const BuiltinInclude kBuiltinIncludes[];

// By file name, compared without regard to case as the Macintosh's file system does; any
// directory part of the name is ignored. Null for other names.
const BuiltinInclude* FindBuiltinInclude(const std::string& name);

}  // namespace zeb::rez

#endif  // ZEB_REZ_BUILTIN_INCLUDES_H

// The resource compiler and decompiler of the porters' tool: resource sources in the language
// of the Macintosh's Rez to resource files in the Macintosh layout, and resource files back to
// sources. Host-independent: everything outside comes through a Host.
#ifndef ZEB_REZ_REZ_H
#define ZEB_REZ_REZ_H

#include <string>
#include <utility>
#include <vector>

#include "resources/resource_image.h"
#include "rez/session.h"

namespace zeb::rez {

struct RezOptions {
  std::vector<std::string> includeDirs;
  std::vector<std::pair<std::string, std::string>> defines;  // name, value ("" for 1)
  Limits limits;
};

// Compiles the source files in order, as one source, adding their resources to image. False,
// with "file:line:column: message" in error, on the first mistake; image is then unspecified.
// dependencies, when given, receives every file read.
bool CompileRez(Host& host, const RezOptions& options, const std::vector<std::string>& files,
                resfmt::ResourceImage* image, std::string* error,
                std::vector<std::string>* dependencies = nullptr);

// Which resources a decompilation writes: a type, and optionally one ID, a range or a name.
struct ResourceSelector {
  uint32_t type = 0;
  bool anyId = true;
  bool byName = false;
  int32_t low = 0, high = 0;
  std::string name;
};
// "TYPE", "'TYPE'", "TYPE(128)", "TYPE(128:130)", "TYPE(\"name\")". False when malformed.
bool ParseSelector(const std::string& text, ResourceSelector* selector);

struct DerezOptions {
  RezOptions source;                           // for reading the declaration files
  std::vector<std::string> declarationFiles;   // empty: "Types.r" and "SysTypes.r"
  std::vector<ResourceSelector> selectors;     // empty: every resource
};

// Writes a source that compiles back to the same resources: a resource statement where a
// declaration of the type reads the data exactly (checked by compiling it again), a data
// statement otherwise. The source begins by including the declaration files.
bool DecompileRez(Host& host, const DerezOptions& options, const resfmt::ResourceImage& image,
                  std::string* source, std::string* error);

}  // namespace zeb::rez

#endif  // ZEB_REZ_REZ_H

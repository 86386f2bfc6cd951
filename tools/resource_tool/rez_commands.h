// The rez and derez commands of the porters' tool.
#ifndef ZEB_TOOLS_REZ_COMMANDS_H
#define ZEB_TOOLS_REZ_COMMANDS_H

#include <string>
#include <vector>

// zebres rez [-I dir]... [-D name[=value]]... [-o out.rsr] [--depfile file] file.r...
int RezCommand(const std::vector<std::string>& args);
// zebres derez [-I dir]... [-D name[=value]]... [-o out.r] file [declarations.r]... [type[(ids)]]...
int DerezCommand(const std::vector<std::string>& args);

#endif  // ZEB_TOOLS_REZ_COMMANDS_H

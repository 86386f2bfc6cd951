// The containers in which resource forks travel from the Macintosh: AppleDouble ("._name",
// "%name") and AppleSingle files, MacBinary files, and the bare fork. Host-independent.
#ifndef ZEB_RESOURCES_FORK_CONTAINERS_H
#define ZEB_RESOURCES_FORK_CONTAINERS_H

#include <cstdint>
#include <string>
#include <vector>

namespace zeb::resfmt {

enum class Container { kResourceFork, kAppleDouble, kAppleSingle, kMacBinary };

const char* ContainerName(Container kind);

// Finds the resource fork inside a file of any of the containers, or takes the file as a bare
// fork when it reads as a resource file. False, with a message, when no container holds a
// fork that reads as a resource file; every length and offset is checked against the file.
bool ExtractResourceFork(const std::vector<uint8_t>& file, std::vector<uint8_t>* fork,
                         Container* kind, std::string* error);

}  // namespace zeb::resfmt

#endif  // ZEB_RESOURCES_FORK_CONTAINERS_H

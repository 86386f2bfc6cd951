// Path and name arithmetic for host paths (drive paths "C:\dir\name" and network paths
// "\\server\share\dir\name"). Host-independent.
#ifndef ZEB_FILES_HOST_PATHS_H
#define ZEB_FILES_HOST_PATHS_H

#include <cstddef>
#include <string>
#include <string_view>

namespace zeb::files {

// The longest host path the File Manager keeps: paths live in 256-byte buffers (a slot's path,
// a directory record's path with its 8-bit length, Str255 names).
constexpr size_t kMaxHostPath = 255;

// A drive letter, a colon and a backslash, or two backslashes.
bool IsFullHostPath(std::string_view path);
// 0 for A ... 25 for Z when the path begins with a letter and a colon, else -1.
int DriveIndexOf(std::string_view path);
// Length of the network root "\\server\share" at the start of the path, 0 when there is none.
size_t NetworkRootLength(std::string_view path);
// "C:\", "\\server\share" or "\\server\share\".
bool IsVolumeRoot(std::string_view path);
// The volume root of a full path: "C:\" or "\\server\share\"; empty when there is none.
std::string VolumeRootOf(std::string_view path);

// Doubled backslashes become one, except the pair that begins a network path.
std::string CollapseBackslashes(std::string_view path);
std::string WithTrailingBackslash(std::string_view path);
// Without its final backslash, unless that would turn a drive root into a bare drive ("C:").
std::string WithoutTrailingBackslash(std::string_view path);
// Splits at the last backslash: directory (ending in its backslash) and last component.
void SplitLastComponent(std::string_view path, std::string* directory, std::string* name);
// The up to three characters after the name's last '.', or empty.
std::string ExtensionOf(std::string_view name);

// Comparison of host names: letters without regard to case.
bool SameHostName(std::string_view a, std::string_view b);
bool StartsWithHostName(std::string_view path, std::string_view prefix);

// The text of a length-prefixed Toolbox name as a host name. A name with a zero byte inside
// would name another file once handed to the host: such a name is refused (false).
bool HostNameOf(const unsigned char* name, std::string* text);

}  // namespace zeb::files

#endif  // ZEB_FILES_HOST_PATHS_H

// Path and name arithmetic for host paths (drive paths "C:\dir\name" and network paths
// "\\server\share\dir\name"). Host-independent.
#ifndef ZEB_FILES_HOST_PATHS_H
#define ZEB_FILES_HOST_PATHS_H

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

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

// A colon anywhere but right after a drive letter: on the host it names an alternate data
// stream of another file, or a device. No such path is ever handed to the host.
bool HasHostStreamColon(std::string_view path);

// A Toolbox name, read as the File Manager reads pathnames. Colons separate a Macintosh
// pathname's components and are never part of a host name:
//   file, sub\file  no colon: a name (or a relative host path) in the directory given;
//   C:\dir\file     a full host path, used as it is;
//   :dir:file       a partial pathname, from the directory given;
//   ::file          each further colon in a row goes up one level;
//   Vol:dir:file    a full pathname, from the root of the volume named before the first colon;
//   C:\dir:file     a full host path followed by a partial pathname from its first colon after
//                   the drive's. The volume names that the File Manager reports ("C:\") begin
//                   full pathnames this way: "C:\:dir:file".
// A trailing colon only marks a directory: ":dir:" is the directory dir.
struct ToolboxPathname {
  enum class Start {
    kGivenDirectory,  // a name without colons, appended to the directory as it is
    kHostPath,        // a full host path without a partial pathname
    kPartial,         // steps from the directory given
    kHostDirectory,   // steps from the host path in `base`
    kVolume           // steps from the root of the volume named `base`
  };
  Start start = Start::kGivenDirectory;
  std::string base;
  // One per component; an empty step goes up one level.
  std::vector<std::string> steps;
  bool FollowsSteps() const { return start != Start::kGivenDirectory && start != Start::kHostPath; }
};
ToolboxPathname ParseToolboxPathname(std::string_view name);
// Walks the steps from directory (a full host path ending in a backslash): the result names
// the last component, or the directory reached (without its final backslash, unless it is a
// drive root). false when a step would go above the volume's root.
bool FollowSteps(std::string_view directory, const std::vector<std::string>& steps,
                 std::string* path);

// The text of a length-prefixed Toolbox name as a host name. A name with a zero byte inside
// would name another file once handed to the host: such a name is refused (false).
bool HostNameOf(const unsigned char* name, std::string* text);

}  // namespace zeb::files

#endif  // ZEB_FILES_HOST_PATHS_H

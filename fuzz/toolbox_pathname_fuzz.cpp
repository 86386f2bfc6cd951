// Toolbox names of arbitrary bytes, read as pathnames and walked from a directory: whatever the
// name, no colon survives into the host path (none names a stream of another file), and the walk
// never climbs above the volume's root.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "files/host_paths.h"

using namespace zeb::files;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view name(reinterpret_cast<const char*>(data), size > 255 ? 255 : size);
  const ToolboxPathname parsed = ParseToolboxPathname(name);
  for (const std::string& step : parsed.steps)
    if (step.find(':') != std::string::npos) std::abort();
  const char* const directories[] = {"C:\\a\\b\\", "C:\\", "\\\\srv\\share\\d\\"};
  for (const char* directory : directories) {
    std::string start = directory;
    if (parsed.start == ToolboxPathname::Start::kHostDirectory) start = parsed.base;
    if (!parsed.FollowsSteps()) continue;
    std::string path;
    if (!FollowSteps(start, parsed.steps, &path)) continue;
    if (HasHostStreamColon(path)) std::abort();
    const std::string root = VolumeRootOf(WithTrailingBackslash(start));
    if (!root.empty() && !StartsWithHostName(WithTrailingBackslash(path), root)) std::abort();
  }
  return 0;
}

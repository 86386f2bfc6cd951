// ZEB_MakeAppPathName: files that live beside the application.
#include <cstring>

#include "frame/frame_internal.h"

namespace zeb::frame {
namespace {

constexpr size_t kMaxPath = 255;

bool IsAbsolute(const char* name) {
  const bool driveRoot = name[0] && name[1] == ':' && name[2] == '\\';
  const bool unc = name[0] == '\\' && name[1] == '\\';
  return driveRoot || unc;
}

}  // namespace

void AppPathName(char* dst, const char* name) {
  if (name && IsAbsolute(name)) {
    std::strncpy(dst, name, kMaxPath);
    dst[kMaxPath] = '\0';
    return;
  }
  char module[kMaxPath + 1] = "";
  const DWORD length = GetModuleFileNameA(Session().appInstance, module, kMaxPath + 1);
  module[length < kMaxPath ? length : kMaxPath] = '\0';
  if (!name) {
    std::strcpy(dst, module);
    return;
  }
  size_t dir = std::strlen(module);
  while (dir > 0 && module[dir - 1] != '\\' && module[dir - 1] != ':') --dir;
  module[dir] = '\0';
  std::strcpy(dst, module);
  // A name that would not fit becomes "?", which no file has: the later open fails cleanly.
  if (dir + std::strlen(name) >= kMaxPath)
    std::strcat(dst, "?");
  else
    std::strcat(dst, name);
}

}  // namespace zeb::frame

extern "C" char* ZEBAPI ZEB_MakeAppPathName(char* dst, const char* name) {
  if (dst) zeb::frame::AppPathName(dst, name);
  return dst;
}

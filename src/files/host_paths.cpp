// Path and name arithmetic for host paths.
#include "files/host_paths.h"

namespace zeb::files {
namespace {

bool IsLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }
char FoldCase(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

}  // namespace

bool IsFullHostPath(std::string_view path) {
  if (path.size() >= 3 && IsLetter(path[0]) && path[1] == ':' && path[2] == '\\') return true;
  return path.size() >= 2 && path[0] == '\\' && path[1] == '\\';
}

int DriveIndexOf(std::string_view path) {
  if (path.size() < 2 || !IsLetter(path[0]) || path[1] != ':') return -1;
  return FoldCase(path[0]) - 'A';
}

size_t NetworkRootLength(std::string_view path) {
  if (path.size() < 5 || path[0] != '\\' || path[1] != '\\' || path[2] == '\\') return 0;
  const size_t serverEnd = path.find('\\', 2);
  if (serverEnd == std::string_view::npos || serverEnd + 1 >= path.size() ||
      path[serverEnd + 1] == '\\')
    return 0;
  const size_t shareEnd = path.find('\\', serverEnd + 1);
  return shareEnd == std::string_view::npos ? path.size() : shareEnd;
}

bool IsVolumeRoot(std::string_view path) {
  if (path.size() == 3 && DriveIndexOf(path) >= 0 && path[2] == '\\') return true;
  const size_t root = NetworkRootLength(path);
  return root != 0 && (path.size() == root || (path.size() == root + 1 && path[root] == '\\'));
}

std::string VolumeRootOf(std::string_view path) {
  if (path.size() >= 3 && DriveIndexOf(path) >= 0 && path[2] == '\\') {
    std::string root(path.substr(0, 3));
    root[0] = FoldCase(root[0]);
    return root;
  }
  const size_t length = NetworkRootLength(path);
  return length ? std::string(path.substr(0, length)) + '\\' : std::string();
}

std::string CollapseBackslashes(std::string_view path) {
  std::string out;
  out.reserve(path.size());
  size_t i = 0;
  if (path.size() >= 2 && path[0] == '\\' && path[1] == '\\') {
    out = "\\\\";
    i = 2;
  }
  for (; i < path.size(); ++i) {
    if (path[i] == '\\' && !out.empty() && out.back() == '\\') continue;
    out += path[i];
  }
  return out;
}

std::string WithTrailingBackslash(std::string_view path) {
  std::string out(path);
  if (out.empty() || out.back() != '\\') out += '\\';
  return out;
}

std::string WithoutTrailingBackslash(std::string_view path) {
  std::string out(path);
  if (out.size() == 3 && DriveIndexOf(out) >= 0 && out[2] == '\\') return out;
  if (!out.empty() && out.back() == '\\') out.pop_back();
  return out;
}

void SplitLastComponent(std::string_view path, std::string* directory, std::string* name) {
  const size_t slash = path.rfind('\\');
  if (slash == std::string_view::npos) {
    if (directory) directory->clear();
    if (name) *name = std::string(path);
    return;
  }
  if (directory) *directory = std::string(path.substr(0, slash + 1));
  if (name) *name = std::string(path.substr(slash + 1));
}

std::string ExtensionOf(std::string_view name) {
  const size_t dot = name.rfind('.');
  if (dot == std::string_view::npos) return std::string();
  return std::string(name.substr(dot + 1, 3));
}

bool SameHostName(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (FoldCase(a[i]) != FoldCase(b[i])) return false;
  return true;
}

bool StartsWithHostName(std::string_view path, std::string_view prefix) {
  return path.size() >= prefix.size() && SameHostName(path.substr(0, prefix.size()), prefix);
}

bool HasHostStreamColon(std::string_view path) {
  const size_t colon = path.find(':', DriveIndexOf(path) >= 0 ? 2 : 0);
  return colon != std::string_view::npos;
}

namespace {

// The steps of a Macintosh pathname after its first colon: components between single colons,
// and an empty step for each further colon in a row.
std::vector<std::string> StepsOf(std::string_view rest) {
  std::vector<std::string> steps;
  size_t pos = 0;
  while (pos < rest.size()) {
    if (rest[pos] == ':') {
      steps.emplace_back();
      ++pos;
      continue;
    }
    size_t end = rest.find(':', pos);
    if (end == std::string_view::npos) end = rest.size();
    steps.emplace_back(rest.substr(pos, end - pos));
    pos = end < rest.size() ? end + 1 : end;
  }
  return steps;
}

}  // namespace

ToolboxPathname ParseToolboxPathname(std::string_view name) {
  ToolboxPathname parsed;
  using Start = ToolboxPathname::Start;
  if (IsFullHostPath(name)) {
    const size_t colon = name.find(':', DriveIndexOf(name) >= 0 ? 2 : 0);
    if (colon == std::string_view::npos) {
      parsed.start = Start::kHostPath;
      parsed.base = std::string(name);
    } else {
      parsed.start = Start::kHostDirectory;
      parsed.base = std::string(name.substr(0, colon));
      parsed.steps = StepsOf(name.substr(colon + 1));
    }
    return parsed;
  }
  const size_t colon = name.find(':');
  if (colon == std::string_view::npos) {
    parsed.start = Start::kGivenDirectory;
    parsed.base = std::string(name);
  } else if (colon == 0) {
    parsed.start = Start::kPartial;
    parsed.steps = StepsOf(name.substr(1));
  } else {
    parsed.start = Start::kVolume;
    parsed.base = std::string(name.substr(0, colon));
    parsed.steps = StepsOf(name.substr(colon + 1));
  }
  return parsed;
}

bool FollowSteps(std::string_view directory, const std::vector<std::string>& steps,
                 std::string* path) {
  std::string at = WithTrailingBackslash(directory);  // a directory, ending in its backslash
  const size_t rootLength = VolumeRootOf(at).size();
  for (const std::string& step : steps) {
    if (!step.empty()) {
      at += step;
      at += '\\';
      continue;
    }
    if (rootLength == 0 || at.size() <= rootLength) return false;
    std::string parent;
    SplitLastComponent(std::string_view(at).substr(0, at.size() - 1), &parent, nullptr);
    at = parent;
  }
  *path = WithoutTrailingBackslash(at);
  return true;
}

bool HostNameOf(const unsigned char* name, std::string* text) {
  text->clear();
  if (!name) return true;
  const size_t length = name[0];
  for (size_t i = 1; i <= length; ++i)
    if (name[i] == 0) return false;
  text->assign(reinterpret_cast<const char*>(name + 1), length);
  return true;
}

}  // namespace zeb::files

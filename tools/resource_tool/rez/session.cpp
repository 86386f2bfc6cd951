// The run's shared state: files, search paths, limits and the first error.
#include "rez/session.h"

#include <cctype>

#include "rez/builtin_includes.h"

namespace zeb::rez {

namespace {

bool IsFullPath(const std::string& name) {
  if (!name.empty() && (name[0] == '/' || name[0] == '\\')) return true;
  return name.size() >= 3 && std::isalpha(static_cast<unsigned char>(name[0])) && name[1] == ':' &&
         (name[2] == '\\' || name[2] == '/');
}

// ":Headers:App.r" is the Macintosh's way of writing Headers/App.r, and each further colon at
// the start climbs one folder ("::Common.r" is ../Common.r).
std::string HostPathOf(const std::string& name) {
  if (name.empty() || name[0] != ':' || name.find('/') != std::string::npos) return name;
  std::string path;
  size_t i = 1;
  while (i < name.size() && name[i] == ':') {
    path += "../";
    ++i;
  }
  for (; i < name.size(); ++i) path += name[i] == ':' ? '/' : name[i];
  return path;
}

}  // namespace

std::string DirectoryOf(const std::string& path) {
  const size_t slash = path.find_last_of("/\\");
  return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

std::string JoinPath(const std::string& directory, const std::string& name) {
  if (directory.empty() || IsFullPath(name)) return name;
  const char last = directory.back();
  return directory + (last == '/' || last == '\\' ? "" : "/") + name;
}

Session::Session(Host& host, std::vector<std::string> includeDirs, Limits limits)
    : host_(host), includeDirs_(std::move(includeDirs)), limits_(limits) {}

int Session::AddFile(const std::string& name) {
  files_.push_back(name);
  return static_cast<int>(files_.size() - 1);
}

namespace {
// Far above any count of files one run reads.
constexpr int kFirstBuiltinFile = 1 << 24;
}  // namespace

int Session::BuiltinFile(const BuiltinInclude* builtin) {
  return kFirstBuiltinFile + static_cast<int>(builtin - kBuiltinIncludes);
}

const std::string& Session::FileName(int file) const {
  static const std::string kCommandLine = "<command line>";
  if (file >= kFirstBuiltinFile) {
    static const std::vector<std::string> kBuiltinNames = [] {
      std::vector<std::string> names;
      for (const BuiltinInclude* b = kBuiltinIncludes; b->name; ++b) names.push_back(b->name);
      return names;
    }();
    const size_t index = static_cast<size_t>(file - kFirstBuiltinFile);
    return index < kBuiltinNames.size() ? kBuiltinNames[index] : kCommandLine;
  }
  return file >= 0 && static_cast<size_t>(file) < files_.size() ? files_[file] : kCommandLine;
}

std::string Session::Where(const Location& at) const {
  std::string where = FileName(at.file);
  if (at.line > 0) where += ":" + std::to_string(at.line) + ":" + std::to_string(at.column);
  return where;
}

bool Session::Fail(const Location& at, const std::string& message) {
  if (!failed_) {
    failed_ = true;
    error_ = Where(at) + ": " + message;
  }
  return false;
}

std::string Session::ErrorText() const { return error_; }

bool Session::Spend(const Location& at, size_t units) {
  work_ += units;
  if (work_ <= limits_.maxWork) return true;
  return Fail(at, "the source asks for more work than one run allows (nested arrays or fills "
                  "that grow without bound?)");
}

bool Session::ReadSourceFile(const Location& at, const std::string& name, bool searchBesideSource,
                             std::string* resolved, std::vector<uint8_t>* bytes,
                            const BuiltinInclude** builtinRead) {
  ++hostCalls_;
  if (builtinRead) *builtinRead = nullptr;
  const std::string path = HostPathOf(name);
  std::vector<std::string> candidates;
  if (IsFullPath(path)) {
    candidates.push_back(path);
  } else {
    if (searchBesideSource && at.file >= 0) {
      const std::string dir = DirectoryOf(FileName(at.file));
      if (!dir.empty()) candidates.push_back(JoinPath(dir, path));
    }
    for (const std::string& dir : includeDirs_) candidates.push_back(JoinPath(dir, path));
    candidates.push_back(path);
  }
  for (const std::string& candidate : candidates) {
    if (host_.ReadFile(candidate, bytes)) {
      *resolved = candidate;
      dependencies_.push_back(candidate);
      return true;
    }
  }
  if (const BuiltinInclude* builtin = FindBuiltinInclude(path)) {
    bytes->assign(builtin->bytes, builtin->bytes + builtin->size);
    *resolved = builtin->name;
    if (builtinRead) *builtinRead = builtin;
    return true;
  }
  return Fail(at, "cannot find the file \"" + name + "\"");
}

bool Session::ReadNamedFile(const std::string& path, std::vector<uint8_t>* bytes) {
  ++hostCalls_;
  if (!host_.ReadFile(path, bytes)) return Fail(Location{}, "cannot read " + path);
  dependencies_.push_back(path);
  return true;
}

}  // namespace zeb::rez

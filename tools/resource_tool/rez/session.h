// What one run of the resource compiler or decompiler shares: the host it reads files through,
// the source files met so far (for messages), the search paths, the limits that keep hostile
// input from exhausting time or memory, and the first error. Host-independent.
#ifndef ZEB_REZ_SESSION_H
#define ZEB_REZ_SESSION_H

#include <cstddef>
#include <cstdint>
#include <ctime>
#include <string>
#include <vector>

namespace zeb::rez {

struct BuiltinInclude;

struct Location {
  int file = -1;  // index into the session's file names; -1 for the command line
  int line = 0;
  int column = 0;
};

// Everything the compiler needs from the machine it runs on. The tool reads real files and the
// real clock; tests and the fuzz target give fixed contents.
class Host {
 public:
  virtual ~Host() = default;
  virtual bool ReadFile(const std::string& path, std::vector<uint8_t>* bytes) = 0;
  virtual bool Environment(const std::string& name, std::string* value) = 0;
  // The local time that $$Date, $$Time and their companions report.
  virtual std::tm LocalTime() = 0;
  // Text that #printf writes.
  virtual void Print(const std::string& text) = 0;
};

struct Limits {
  size_t maxTokens = 8u << 20;          // after macro expansion, over the whole run
  size_t maxIncludeDepth = 40;
  size_t maxNesting = 200;              // parentheses, braces, declarations within declarations
  size_t maxResourceBytes = 16u << 20;  // what a 24-bit data offset can still reach
  size_t maxWork = 200u << 20;          // fields laid out and bytes written, over the whole run
};

class Session {
 public:
  Session(Host& host, std::vector<std::string> includeDirs, Limits limits = Limits());

  // Every use of the host is counted, so that work which reads nothing from outside (the
  // shipped declarations, once compiled) can be recognised and reused.
  Host& host() {
    ++hostCalls_;
    return host_;
  }
  size_t hostCalls() const { return hostCalls_; }
  const Limits& limits() const { return limits_; }

  int AddFile(const std::string& name);
  const std::string& FileName(int file) const;
  // The shipped declaration files have file numbers of their own, the same in every session, so
  // that what is compiled from them once can be used again by any later session.
  static int BuiltinFile(const BuiltinInclude* builtin);

  // Records the first error and returns false, so that callers can write `return Fail(...)`.
  bool Fail(const Location& at, const std::string& message);
  bool failed() const { return failed_; }
  // "file:line:column: message".
  std::string ErrorText() const;
  std::string Where(const Location& at) const;

  // Counts work against the run's budget; false (with an error) once it is spent.
  bool Spend(const Location& at, size_t units);
  size_t work() const { return work_; }

  // Finds a file named by a source: a full path as given; otherwise beside the file that names
  // it (unless searchBesideSource is false), then in each include directory, then from the
  // current directory. A name in the Macintosh's own form (":Folder:File") is read as a relative
  // path. The standard declaration files shipped with the tool are found last, by name alone.
  // False, with an error at `at`, when nothing is found. builtin, when given, receives the
  // shipped file that was read, or null when a file of the host was.
  bool ReadSourceFile(const Location& at, const std::string& name, bool searchBesideSource,
                      std::string* resolved, std::vector<uint8_t>* bytes,
                      const BuiltinInclude** builtin = nullptr);
  // Every file read so far, as found (the shipped declarations excluded): what a build must
  // watch to know when to compile again.
  const std::vector<std::string>& Dependencies() const { return dependencies_; }
  // Reads a file named on the command line, exactly as named.
  bool ReadNamedFile(const std::string& path, std::vector<uint8_t>* bytes);

 private:
  Host& host_;
  std::vector<std::string> includeDirs_;
  Limits limits_;
  std::vector<std::string> files_;
  std::vector<std::string> dependencies_;
  bool failed_ = false;
  std::string error_;
  size_t work_ = 0;
  size_t hostCalls_ = 0;
};

// The directory part of a path ("" for a bare name), and a path joined to a directory.
std::string DirectoryOf(const std::string& path);
std::string JoinPath(const std::string& directory, const std::string& name);

}  // namespace zeb::rez

#endif  // ZEB_REZ_SESSION_H

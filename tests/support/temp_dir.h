// A fresh temporary directory for one test, removed with everything in it afterwards.
#ifndef ZEB_TESTS_TEMP_DIR_H
#define ZEB_TESTS_TEMP_DIR_H

#include <string>

namespace zebtest {

class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  // The directory's Windows path, ending in a backslash.
  const std::string& path() const { return path_; }
  // path() + name.
  std::string File(const std::string& name) const { return path_ + name; }
  // Writes a file (creating or replacing it) and reads one whole.
  bool Write(const std::string& name, const std::string& bytes) const;
  std::string Read(const std::string& name) const;

 private:
  std::string path_;
};

}  // namespace zebtest

#endif  // ZEB_TESTS_TEMP_DIR_H

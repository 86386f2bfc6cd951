// A session whose current directory is a fresh temporary directory, and Toolbox names.
#ifndef ZEB_TESTS_FILES_FILES_FIXTURE_H
#define ZEB_TESTS_FILES_FILES_FIXTURE_H

#include <windows.h>

#include <cstring>
#include <string>

#include "Files.h"
#include "session_fixture.h"
#include "temp_dir.h"

namespace zebtest {

// A length-prefixed copy of a string, for the Toolbox's name arguments.
class Name {
 public:
  explicit Name(const std::string& text) {
    const size_t length = text.size() < 255 ? text.size() : 255;
    bytes_[0] = static_cast<unsigned char>(length);
    std::memcpy(bytes_ + 1, text.data(), length);
  }
  operator unsigned char*() { return bytes_; }
  std::string Text() const { return std::string(reinterpret_cast<const char*>(bytes_ + 1), bytes_[0]); }

 private:
  unsigned char bytes_[256] = {};
};

inline std::string TextOf(const unsigned char* text) {
  return std::string(reinterpret_cast<const char*>(text + 1), text[0]);
}

class FilesTest : public SessionTest {
 protected:
  void SetUp() override {
    char previous[MAX_PATH];
    GetCurrentDirectoryA(sizeof previous, previous);
    previous_ = previous;
    ASSERT_TRUE(SetCurrentDirectoryA(dir_.path().c_str()));
    SessionTest::SetUp();
  }
  void TearDown() override {
    SessionTest::TearDown();
    SetCurrentDirectoryA(previous_.c_str());
  }
  // The file's whole contents, as the host sees them.
  std::string Contents(const std::string& name) const { return dir_.Read(name); }
  bool Exists(const std::string& name) const {
    return GetFileAttributesA(dir_.File(name).c_str()) != INVALID_FILE_ATTRIBUTES;
  }
  // Opens name in the current directory with a permission; 0 when the open fails.
  short Open(const std::string& name, SignedByte permission = fsRdWrPerm, OSErr* err = nullptr) {
    short refNum = 0;
    Name n(name);
    const OSErr result = HOpen(0, 0, n, permission, &refNum);
    if (err) *err = result;
    return result ? 0 : refNum;
  }

  TempDir dir_;
  std::string previous_;
};

}  // namespace zebtest

#endif  // ZEB_TESTS_FILES_FILES_FIXTURE_H

// Shared by the resource compiler's tests: a host whose files live in memory, compiling and
// decompiling through it, and a builder of the bytes a Macintosh resource holds.
#ifndef ZEB_TESTS_REZ_FIXTURE_H
#define ZEB_TESTS_REZ_FIXTURE_H

#include <gtest/gtest.h>

#include <cstdint>
#include <ctime>
#include <map>
#include <string>
#include <vector>

#include "resources/resource_image.h"
#include "rez/rez.h"
#include "rez/session.h"

namespace zeb::rez::testing {

class MemoryHost : public Host {
 public:
  MemoryHost() {
    // Wednesday, 9 December 2026, 13:05:09.
    time.tm_year = 126;
    time.tm_mon = 11;
    time.tm_mday = 9;
    time.tm_wday = 3;
    time.tm_hour = 13;
    time.tm_min = 5;
    time.tm_sec = 9;
  }
  void Add(const std::string& path, const std::string& text) { files[path].assign(text.begin(), text.end()); }
  void Add(const std::string& path, const std::vector<uint8_t>& bytes) { files[path] = bytes; }
  bool ReadFile(const std::string& path, std::vector<uint8_t>* bytes) override {
    const auto found = files.find(path);
    if (found == files.end()) return false;
    *bytes = found->second;
    return true;
  }
  bool Environment(const std::string& name, std::string* value) override {
    const auto found = environment.find(name);
    if (found == environment.end()) return false;
    *value = found->second;
    return true;
  }
  std::tm LocalTime() override { return time; }
  void Print(const std::string& text) override { printed += text; }

  std::map<std::string, std::vector<uint8_t>> files;
  std::map<std::string, std::string> environment;
  std::tm time{};
  std::string printed;
};

struct Compiled {
  bool ok = false;
  resfmt::ResourceImage image;
  std::string error;
  // The data of the one resource of that type and ID; fails the test when it is missing.
  std::vector<uint8_t> Data(const char (&type)[5], int id) const;
  const resfmt::ImageResource* Find(const char (&type)[5], int id) const;
};

// Compiles source as the file "test.r" (other files come from host).
Compiled Compile(const std::string& source, MemoryHost* host = nullptr, RezOptions options = RezOptions());
// Source with #include "Types.r" and "SysTypes.r" before it.
Compiled CompileWithTypes(const std::string& source, MemoryHost* host = nullptr);
// Decompiles with the standard declarations; fails the test on an error.
std::string Decompile(const resfmt::ImageResource& resource, MemoryHost* host = nullptr);
std::string Decompile(const resfmt::ResourceImage& image, MemoryHost* host = nullptr,
                      DerezOptions options = DerezOptions());

// The bytes of a resource as a Macintosh holds it, most significant byte first.
class Bytes {
 public:
  Bytes& B(int v) { v_.push_back(static_cast<uint8_t>(v)); return *this; }
  Bytes& W(int v) { return B(v >> 8).B(v); }
  Bytes& L(uint32_t v) { return W(static_cast<int>(v >> 16)).W(static_cast<int>(v & 0xFFFF)); }
  Bytes& T(const char (&type)[5]) { return S(std::string(type, 4)); }
  Bytes& S(const std::string& s) { v_.insert(v_.end(), s.begin(), s.end()); return *this; }
  Bytes& P(const std::string& s) { return B(static_cast<int>(s.size())).S(s); }
  Bytes& Z(size_t n) { v_.insert(v_.end(), n, 0); return *this; }
  Bytes& R(int top, int left, int bottom, int right) { return W(top).W(left).W(bottom).W(right); }
  Bytes& Even() { return v_.size() % 2 ? B(0) : *this; }
  Bytes& Hex(const std::string& digits);
  size_t size() const { return v_.size(); }
  operator std::vector<uint8_t>() const { return v_; }

 private:
  std::vector<uint8_t> v_;
};

// A whole resource file holding the given resources, as the Resource Manager reads it.
std::vector<uint8_t> ResourceFile(const std::vector<resfmt::ImageResource>& resources);

}  // namespace zeb::rez::testing

#endif  // ZEB_TESTS_REZ_FIXTURE_H

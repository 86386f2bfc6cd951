// A session whose current directory is a fresh temporary directory, with resource files made
// through the library's own writer.
#ifndef ZEB_TESTS_RESOURCES_RESOURCES_FIXTURE_H
#define ZEB_TESTS_RESOURCES_RESOURCES_FIXTURE_H

#include <windows.h>

#include <cstring>
#include <string>
#include <vector>

#include "Events.h"
#include "MacMemory.h"
#include "Resources.h"
#include "resources/byte_order.h"
#include "resources/resource_image.h"
#include "resources/resource_map.h"
#include "session_fixture.h"
#include "temp_dir.h"

namespace zebtest {

inline ResType Type(const char (&c)[5]) { return zeb::byteorder::FourCC(c); }
inline std::string TypeText(ResType type) {
  std::string text(4, ' ');
  for (int i = 0; i < 4; ++i) text[static_cast<size_t>(i)] = static_cast<char>(type >> (24 - 8 * i));
  return text;
}

// A length-prefixed copy of a string.
class PStr {
 public:
  explicit PStr(const std::string& text) {
    bytes_[0] = static_cast<unsigned char>(text.size());
    std::memcpy(bytes_ + 1, text.data(), text.size());
  }
  operator unsigned char*() { return bytes_; }

 private:
  unsigned char bytes_[256] = {};
};

inline std::vector<uint8_t> BytesOf(const std::string& s) { return std::vector<uint8_t>(s.begin(), s.end()); }

inline std::string HandleText(Handle h) {
  return h && *h ? std::string(*h, static_cast<size_t>(GetHandleSize(h))) : std::string();
}

inline Handle HandleWith(const std::string& bytes) {
  Handle h = NewHandle(static_cast<Size>(bytes.size()));
  if (h && !bytes.empty()) std::memcpy(*h, bytes.data(), bytes.size());
  return h;
}

class ResourcesTest : public SessionTest {
 protected:
  void SetUp() override {
    char previous[MAX_PATH];
    GetCurrentDirectoryA(sizeof previous, previous);
    previous_ = previous;
    ASSERT_TRUE(SetCurrentDirectoryA(dir_.path().c_str()));
    SessionTest::SetUp();
    SetResLoad(true);
  }
  void TearDown() override {
    SessionTest::TearDown();
    SetCurrentDirectoryA(previous_.c_str());
  }

  // Writes a resource file made by the library's writer.
  void WriteImageFile(const std::string& name, const zeb::resfmt::ResourceImage& image) {
    std::vector<uint8_t> bytes;
    std::string error;
    ASSERT_TRUE(zeb::resfmt::WriteImage(image, &bytes, &error)) << error;
    ASSERT_TRUE(dir_.Write(name, std::string(bytes.begin(), bytes.end())));
  }
  void WriteFile(const std::string& name, std::vector<zeb::resfmt::ImageResource> resources) {
    zeb::resfmt::ResourceImage image;
    image.resources = std::move(resources);
    WriteImageFile(name, image);
  }
  // The file on disk, read back with the format's reader.
  zeb::resfmt::ResourceImage ReadFile(const std::string& name) {
    const std::string bytes = dir_.Read(name);
    zeb::resfmt::ResourceImage image;
    std::string error;
    EXPECT_TRUE(zeb::resfmt::ReadImage(std::vector<uint8_t>(bytes.begin(), bytes.end()), &image,
                                       &error))
        << name << ": " << error;
    return image;
  }
  const zeb::resfmt::ImageResource* Find(const zeb::resfmt::ResourceImage& image, ResType type,
                                         short id) {
    for (const auto& r : image.resources)
      if (r.type == type && r.id == id) return &r;
    return nullptr;
  }
  short Open(const std::string& name) {
    PStr n(name);
    return OpenResFile(n);
  }
  std::string Contents(const std::string& name) const { return dir_.Read(name); }
  std::vector<std::string> FilesInDir() const {
    std::vector<std::string> names;
    WIN32_FIND_DATAA data;
    HANDLE find = FindFirstFileA((dir_.path() + "*").c_str(), &data);
    if (find == INVALID_HANDLE_VALUE) return names;
    do {
      if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) names.push_back(data.cFileName);
    } while (FindNextFileA(find, &data));
    FindClose(find);
    return names;
  }

  TempDir dir_;
  std::string previous_;
};

}  // namespace zebtest

#endif  // ZEB_TESTS_RESOURCES_RESOURCES_FIXTURE_H

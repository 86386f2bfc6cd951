// Host path arithmetic: full paths, volume roots, backslashes, components, extensions, names.
#include "files/host_paths.h"

#include <gtest/gtest.h>

namespace {

using namespace zeb::files;

TEST(HostPaths, FullPathsAndDrives) {
  struct Case {
    const char* path;
    bool full;
    int drive;
    size_t networkRoot;
  };
  const Case cases[] = {
      {"C:\\", true, 2, 0},
      {"c:\\dir\\file", true, 2, 0},
      {"Z:\\x", true, 25, 0},
      {"C:", false, 2, 0},
      {"C:file", false, 2, 0},
      {"\\\\server\\share", true, -1, 14},
      {"\\\\server\\share\\dir\\f", true, -1, 14},
      {"\\\\server", true, -1, 0},
      {"\\\\server\\", true, -1, 0},
      {"\\\\\\x\\y", true, -1, 0},
      {"\\dir", false, -1, 0},
      {"name.txt", false, -1, 0},
      {"1:\\", false, -1, 0},
      {"", false, -1, 0},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(IsFullHostPath(c.path), c.full) << c.path;
    EXPECT_EQ(DriveIndexOf(c.path), c.drive) << c.path;
    EXPECT_EQ(NetworkRootLength(c.path), c.networkRoot) << c.path;
  }
}

TEST(HostPaths, VolumeRoots) {
  EXPECT_TRUE(IsVolumeRoot("C:\\"));
  EXPECT_TRUE(IsVolumeRoot("\\\\srv\\share"));
  EXPECT_TRUE(IsVolumeRoot("\\\\srv\\share\\"));
  EXPECT_FALSE(IsVolumeRoot("C:"));
  EXPECT_FALSE(IsVolumeRoot("C:\\dir"));
  EXPECT_FALSE(IsVolumeRoot("\\\\srv\\share\\dir"));
  EXPECT_EQ(VolumeRootOf("c:\\dir\\file"), "C:\\");
  EXPECT_EQ(VolumeRootOf("\\\\srv\\share\\dir"), "\\\\srv\\share\\");
  EXPECT_EQ(VolumeRootOf("\\\\srv\\share"), "\\\\srv\\share\\");
  EXPECT_EQ(VolumeRootOf("dir\\file"), "");
}

TEST(HostPaths, BackslashesCollapseExceptTheNetworkPair) {
  EXPECT_EQ(CollapseBackslashes("C:\\\\dir\\\\\\file"), "C:\\dir\\file");
  EXPECT_EQ(CollapseBackslashes("\\\\srv\\\\share\\x"), "\\\\srv\\share\\x");
  EXPECT_EQ(CollapseBackslashes("C:\\dir\\"), "C:\\dir\\");
  EXPECT_EQ(WithTrailingBackslash("C:\\dir"), "C:\\dir\\");
  EXPECT_EQ(WithTrailingBackslash("C:\\dir\\"), "C:\\dir\\");
  EXPECT_EQ(WithoutTrailingBackslash("C:\\dir\\"), "C:\\dir");
  EXPECT_EQ(WithoutTrailingBackslash("C:\\"), "C:\\") << "a drive root keeps its backslash";
}

TEST(HostPaths, ComponentsAndExtensions) {
  std::string directory, name;
  SplitLastComponent("C:\\dir\\report.txt", &directory, &name);
  EXPECT_EQ(directory, "C:\\dir\\");
  EXPECT_EQ(name, "report.txt");
  SplitLastComponent("plain", &directory, &name);
  EXPECT_EQ(directory, "");
  EXPECT_EQ(name, "plain");
  const std::pair<const char*, const char*> extensions[] = {
      {"report.txt", "txt"}, {"a.b.DOC", "DOC"}, {"page.html", "htm"},
      {"noext", ""},         {"trailing.", ""},  {".profile", "pro"}};
  for (const auto& e : extensions) EXPECT_EQ(ExtensionOf(e.first), e.second) << e.first;
}

TEST(HostPaths, NamesCompareWithoutCase) {
  EXPECT_TRUE(SameHostName("C:\\Dir\\File.TXT", "c:\\dir\\file.txt"));
  EXPECT_FALSE(SameHostName("C:\\dir\\a", "C:\\dir\\ab"));
  EXPECT_TRUE(StartsWithHostName("C:\\Dir\\x", "c:\\"));
  EXPECT_FALSE(StartsWithHostName("C:", "C:\\"));
}

TEST(HostPaths, ToolboxNamesWithAZeroByteAreRefused) {
  std::string text;
  const unsigned char plain[] = "\x08" "cafe.txt";
  EXPECT_TRUE(HostNameOf(plain, &text));
  EXPECT_EQ(text, "cafe.txt");
  // "abc" NUL "def": the host would see "abc" and act on another file.
  const unsigned char withZero[] = {7, 'a', 'b', 'c', 0, 'd', 'e', 'f'};
  EXPECT_FALSE(HostNameOf(withZero, &text));
  EXPECT_TRUE(HostNameOf(nullptr, &text));
  EXPECT_EQ(text, "");
}

TEST(HostPaths, AColonPastTheDriveNamesAHostStream) {
  const std::pair<const char*, bool> cases[] = {
      {"C:\\dir\\file", false}, {"C:", false},           {"c:\\", false},
      {"\\\\srv\\share\\f", false}, {"name", false},       {"C:\\dir\\a:b", true},
      {"C:\\:x", true},         {"\\\\srv\\share:s", true},
      {":x", true},             {"dir\\C:", true},         {"a:b", false},
  };
  for (const auto& c : cases) EXPECT_EQ(HasHostStreamColon(c.first), c.second) << c.first;
}

// How a Toolbox name is read: where it starts and which steps follow. An empty step goes up.
TEST(ToolboxPathnames, ColonsSeparateComponents) {
  using Start = ToolboxPathname::Start;
  using Steps = std::vector<std::string>;
  const struct {
    const char* name;
    Start start;
    const char* base;
    Steps steps;
  } cases[] = {
      {"file", Start::kGivenDirectory, "file", {}},
      {"sub\\file", Start::kGivenDirectory, "sub\\file", {}},
      {"", Start::kGivenDirectory, "", {}},
      {"C:\\dir\\file", Start::kHostPath, "C:\\dir\\file", {}},
      {"\\\\srv\\share\\f", Start::kHostPath, "\\\\srv\\share\\f", {}},
      {":file", Start::kPartial, "", {"file"}},
      {":dir:file", Start::kPartial, "", {"dir", "file"}},
      {":dir:", Start::kPartial, "", {"dir"}},
      {":", Start::kPartial, "", {}},
      {"::", Start::kPartial, "", {""}},
      {"::file", Start::kPartial, "", {"", "file"}},
      {":::file", Start::kPartial, "", {"", "", "file"}},
      {":a::b", Start::kPartial, "", {"a", "", "b"}},
      {":dir::", Start::kPartial, "", {"dir", ""}},
      {"Vol:dir:file", Start::kVolume, "Vol", {"dir", "file"}},
      {"Vol:", Start::kVolume, "Vol", {}},
      {"C:", Start::kVolume, "C", {}},
      {"C:file", Start::kVolume, "C", {"file"}},
      {"Vol::x", Start::kVolume, "Vol", {"", "x"}},
      {"C:\\dir:file", Start::kHostDirectory, "C:\\dir", {"file"}},
      {"C:\\:dir:file", Start::kHostDirectory, "C:\\", {"dir", "file"}},
      {"C:\\dir\\:file", Start::kHostDirectory, "C:\\dir\\", {"file"}},
      {"C:\\dir::file", Start::kHostDirectory, "C:\\dir", {"", "file"}},
      {"\\\\srv\\share:dir", Start::kHostDirectory, "\\\\srv\\share", {"dir"}},
  };
  for (const auto& c : cases) {
    const ToolboxPathname parsed = ParseToolboxPathname(c.name);
    EXPECT_EQ(parsed.start, c.start) << c.name;
    EXPECT_EQ(parsed.base, c.base) << c.name;
    EXPECT_EQ(parsed.steps, c.steps) << c.name;
    EXPECT_EQ(parsed.FollowsSteps(),
              c.start != Start::kGivenDirectory && c.start != Start::kHostPath)
        << c.name;
  }
}

TEST(ToolboxPathnames, StepsWalkFromTheDirectoryAndStopAtTheRoot) {
  using Steps = std::vector<std::string>;
  const struct {
    const char* directory;
    Steps steps;
    bool ok;
    const char* path;
  } cases[] = {
      {"C:\\a\\b\\", {"file"}, true, "C:\\a\\b\\file"},
      {"C:\\a\\b", {"file"}, true, "C:\\a\\b\\file"},
      {"C:\\a\\b\\", {}, true, "C:\\a\\b"},
      {"C:\\a\\b\\", {""}, true, "C:\\a"},
      {"C:\\a\\b\\", {"", ""}, true, "C:\\"},
      {"C:\\a\\b\\", {"", "", ""}, false, ""},
      {"C:\\a\\b\\", {"x", "", "y"}, true, "C:\\a\\b\\y"},
      {"C:\\", {"dir", "file"}, true, "C:\\dir\\file"},
      {"C:\\", {""}, false, ""},
      {"\\\\srv\\share\\d\\", {"", "f"}, true, "\\\\srv\\share\\f"},
      {"\\\\srv\\share\\", {""}, false, ""},
  };
  for (const auto& c : cases) {
    std::string path = "unchanged";
    EXPECT_EQ(FollowSteps(c.directory, c.steps, &path), c.ok) << c.directory;
    if (c.ok) {
      EXPECT_EQ(path, c.path) << c.directory;
    }
  }
}

}  // namespace

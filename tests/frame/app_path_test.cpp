// ZEB_MakeAppPathName: names beside the application, absolute names unchanged.
#include <string>

#include "session_fixture.h"

namespace {

using AppPathTest = zebtest::SessionTest;

std::string ModuleDirectory() {
  char path[MAX_PATH];
  GetModuleFileNameA(nullptr, path, sizeof path);
  std::string s(path);
  return s.substr(0, s.find_last_of("\\:") + 1);
}

TEST_F(AppPathTest, AbsoluteNamesAreCopiedUnchanged) {
  char dst[256];
  for (const char* name : {"C:\\data\\file.txt", "\\\\server\\share\\file", "z:\\x"}) {
    ZEB_MakeAppPathName(dst, name);
    EXPECT_STREQ(dst, name);
  }
}

TEST_F(AppPathTest, RelativeNamesGoBesideTheApplication) {
  char dst[256];
  EXPECT_EQ(ZEB_MakeAppPathName(dst, "ZEBPORT.INI"), dst);
  EXPECT_EQ(std::string(dst), ModuleDirectory() + "ZEBPORT.INI");
  // Only a drive letter with ":\" or a leading "\\" counts as absolute.
  ZEB_MakeAppPathName(dst, "C:relative");
  EXPECT_EQ(std::string(dst), ModuleDirectory() + "C:relative");
}

TEST_F(AppPathTest, NullNameGivesTheModuleFileName) {
  char dst[256];
  char module[MAX_PATH];
  GetModuleFileNameA(nullptr, module, sizeof module);
  ZEB_MakeAppPathName(dst, nullptr);
  EXPECT_STREQ(dst, module);
}

TEST_F(AppPathTest, OverlongResultBecomesANameNoFileHas) {
  char dst[256];
  const std::string name(300, 'n');
  ZEB_MakeAppPathName(dst, name.c_str());
  EXPECT_EQ(std::string(dst), ModuleDirectory() + "?");
  // Exactly at the limit: directory + name reaching 255 characters is too long as well.
  const std::string edge(255 - ModuleDirectory().size(), 'e');
  ZEB_MakeAppPathName(dst, edge.c_str());
  EXPECT_EQ(std::string(dst), ModuleDirectory() + "?");
  const std::string fits(254 - ModuleDirectory().size(), 'f');
  ZEB_MakeAppPathName(dst, fits.c_str());
  EXPECT_EQ(std::string(dst), ModuleDirectory() + fits);
}

}  // namespace

// The utilities that read resources, on a resource file made through CreateResFile and
// AddResource: string and pattern lists (damaged ones too), strings, icons, pictures, cursors
// and the application's own international records.
#include <cstring>
#include <string>

#include "Packages.h"
#include "ToolUtils.h"
#include "resources_fixture.h"

namespace {

using zebtest::HandleText;
using zebtest::HandleWith;
using zebtest::PStr;
using zebtest::Type;

std::string Counted(short count, const std::string& rest) {
  return std::string(reinterpret_cast<const char*>(&count), 2) + rest;  // host order in memory
}

std::string Pascal(const std::string& s) { return std::string(1, static_cast<char>(s.size())) + s; }

class ResourceUtilitiesTest : public zebtest::ResourcesTest {
 protected:
  void SetUp() override {
    ResourcesTest::SetUp();
    PStr name("utilities.rsr");
    CreateResFile(name);
    ASSERT_EQ(ResError(), noErr);
    const short file = OpenResFile(name);
    ASSERT_GT(file, 0);
    Add("STR#", 128, Counted(3, Pascal("one") + Pascal("two") + Pascal("three")));
    // Says 5 strings; holds one whole string and one whose length runs past the end.
    Add("STR#", 129, Counted(5, Pascal("only") + "\x30" "abc"));
    Add("STR ", 200, Pascal("hello"));
    Add("PAT#", 300, Counted(2, std::string(8, '\x11') + std::string(8, '\x22')));
    Add("PAT#", 301, Counted(4, std::string(8, '\x33') + "\x44\x44\x44"));  // says 4, holds 1.4
    Add("ICON", 5, std::string(128, '\x5A'));
    Add("PICT", 6, std::string(40, '\x01'));
    Add("CURS", 7, std::string(68, '\x00'));
    std::string intl0(32, '\0');
    intl0[0] = '#';  // decimalPt
    Add("INTL", 0, intl0);
    CloseResFile(file);
    ASSERT_EQ(ResError(), noErr);
    file_ = OpenResFile(name);
    ASSERT_GT(file_, 0);
  }
  void TearDown() override {
    if (file_ > 0) CloseResFile(file_);
    ResourcesTest::TearDown();
  }
  void Add(const char (&type)[5], short id, const std::string& bytes) {
    AddResource(HandleWith(bytes), Type(type), id, PStr(""));
    ASSERT_EQ(ResError(), noErr) << type << " " << id;
  }
  static std::string IndString(short list, short index) {
    Str255 s;
    std::memset(s, 0x7E, sizeof s);
    GetIndString(s, list, index);
    return std::string(reinterpret_cast<const char*>(s + 1), s[0]);
  }

  short file_ = 0;
};

TEST_F(ResourceUtilitiesTest, IndexedStringsWithinTheListAndOutside) {
  const struct {
    short list, index;
    const char* text;
  } cases[] = {
      {128, 1, "one"}, {128, 2, "two"}, {128, 3, "three"}, {128, 0, ""}, {128, 4, ""},
      {128, -1, ""},   {999, 1, ""},
      // The damaged list: its count is not believed beyond the resource's bytes.
      {129, 1, "only"}, {129, 2, ""}, {129, 5, ""},
  };
  for (const auto& c : cases) EXPECT_EQ(IndString(c.list, c.index), c.text) << c.list << "/" << c.index;
}

TEST_F(ResourceUtilitiesTest, GetIndStringLeavesAListTheApplicationHolds) {
  Handle held = GetResource(Type("STR#"), 128);
  ASSERT_NE(held, nullptr);
  EXPECT_EQ(IndString(128, 2), "two");
  // Still the application's loaded resource, with its data.
  EXPECT_EQ(GetHandleSize(held), 2 + 4 + 4 + 6);
  EXPECT_EQ(HomeResFile(held), file_);
  EXPECT_EQ(GetResource(Type("STR#"), 128), held);
}

TEST_F(ResourceUtilitiesTest, GetIndStringReleasesAListItLoaded) {
  EXPECT_EQ(IndString(128, 1), "one");
  SetResLoad(false);
  Handle h = GetResource(Type("STR#"), 128);
  SetResLoad(true);
  ASSERT_NE(h, nullptr);
  EXPECT_EQ(*h, nullptr);  // not in memory: the call gave it back
}

TEST_F(ResourceUtilitiesTest, IndexedPatterns) {
  Pattern pat;
  const struct {
    short list, index;
    unsigned char expected;  // every byte; 0xEE: left as it was
  } cases[] = {
      {300, 1, 0x11}, {300, 2, 0x22}, {300, 3, 0xEE},  // above the count: unchanged
      {300, 0, 0x00},                                   // below 1: cleared
      {999, 1, 0x00},                                   // no resource: cleared
      {301, 1, 0x33}, {301, 2, 0xEE}, {301, 4, 0xEE},   // beyond the resource's bytes
  };
  for (const auto& c : cases) {
    std::memset(&pat, 0xEE, sizeof pat);
    GetIndPattern(&pat, c.list, c.index);
    for (unsigned char b : pat.pat) EXPECT_EQ(b, c.expected) << c.list << "/" << c.index;
  }
}

TEST_F(ResourceUtilitiesTest, SingleResources) {
  StringHandle s = GetString(200);
  ASSERT_NE(s, nullptr);
  EXPECT_EQ(HandleText(reinterpret_cast<Handle>(s)), Pascal("hello"));
  Handle icon = GetIcon(5);
  ASSERT_NE(icon, nullptr);
  EXPECT_EQ(GetHandleSize(icon), 128);
  PicHandle picture = GetPicture(6);
  ASSERT_NE(picture, nullptr);
  EXPECT_EQ(GetHandleSize(reinterpret_cast<Handle>(picture)), 40);
  CursHandle cursor = GetCurso(7);
  ASSERT_NE(cursor, nullptr);
  EXPECT_EQ(GetHandleSize(reinterpret_cast<Handle>(cursor)), 68);
  EXPECT_EQ(GetString(201), nullptr);
  EXPECT_EQ(ResError(), resNotFound);
  EXPECT_EQ(GetPattern(300), nullptr);
}

TEST_F(ResourceUtilitiesTest, TheApplicationsIntlResourceComesFirst) {
  Handle h = GetIntlResource(0);
  ASSERT_NE(h, nullptr);
  EXPECT_EQ(h, GetResource(Type("INTL"), 0));
  EXPECT_EQ(reinterpret_cast<const Intl0Rec*>(*h)->decimalPt, '#');
  Handle own = GetIntlResource(1);  // none in the file: the library's record
  ASSERT_NE(own, nullptr);
  EXPECT_EQ(GetHandleSize(own), 332);
}

}  // namespace

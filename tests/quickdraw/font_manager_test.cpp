// The font list from the faces Windows has and a zebfont.map beside the test program: the map
// names faces this machine enumerates (it has no Arial or Times), numbers, names, counts, the
// default map and a broken one, and rebuilding. The tests hold the map file's lock; each puts
// back what it found.
#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "Resources.h"
#include "quickdraw/font_manager.h"
#include "quickdraw/quickdraw_internal.h"
#include "quickdraw_fixture.h"

namespace zebtest {
namespace {

using namespace zeb::quickdraw;

struct Face {
  std::string name;
  bool trueType;
  uint8_t family;
};

int CALLBACK CollectFace(const LOGFONTA* lf, const TEXTMETRICA* tm, DWORD type, LPARAM data) {
  auto* faces = reinterpret_cast<std::vector<Face>*>(data);
  const auto* e = reinterpret_cast<const ENUMLOGFONTA*>(lf);
  const std::string name = (type & TRUETYPE_FONTTYPE)
                               ? std::string(reinterpret_cast<const char*>(e->elfFullName))
                               : std::string(lf->lfFaceName);
  if (name.size() > 31) return 1;
  for (const Face& f : *faces)
    if (lstrcmpiA(f.name.c_str(), name.c_str()) == 0) return 1;
  faces->push_back({name, (type & TRUETYPE_FONTTYPE) != 0,
                    static_cast<uint8_t>(tm->tmPitchAndFamily & 0xF0)});
  return 1;
}

std::string Name(const Str255 s) { return std::string(reinterpret_cast<const char*>(s + 1), s[0]); }

class FontMapTest : public QuickDrawTest {
 protected:
  void SetUp() override {
    GetModuleFileNameA(nullptr, path_, sizeof path_);
    *std::strrchr(path_, '\\') = '\0';
    std::strcat(path_, "\\zebfont.map");
    existed_ = Read(&saved_);
    HDC dc = GetDC(nullptr);
    EnumFontFamiliesA(dc, nullptr, reinterpret_cast<FONTENUMPROCA>(&CollectFace),
                      reinterpret_cast<LPARAM>(&faces_));
    ReleaseDC(nullptr, dc);
    ASSERT_GE(faces_.size(), 2u) << "the tests name two faces this machine has";
  }
  void TearDown() override {
    if (started_) QuickDrawTest::TearDown();
    // A session that finds no map writes the default: that is what is left when none was here.
    Write(existed_ && !saved_.empty() ? saved_ : std::string(DefaultFontMapText()));
  }
  // Writes map (or removes the file when null) and starts the session.
  void Start(const std::string* map) {
    if (map)
      Write(*map);
    else
      DeleteFileA(path_);
    QuickDrawTest::SetUp();
  }
  bool Read(std::string* text) const {
    HANDLE f = CreateFileA(path_, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (f == INVALID_HANDLE_VALUE) return false;
    char buffer[65536];
    DWORD n = 0;
    ReadFile(f, buffer, sizeof buffer, &n, nullptr);
    CloseHandle(f);
    text->assign(buffer, n);
    return true;
  }
  void Write(const std::string& text) const {
    HANDLE f = CreateFileA(path_, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(f, INVALID_HANDLE_VALUE);
    DWORD n = 0;
    WriteFile(f, text.data(), static_cast<DWORD>(text.size()), &n, nullptr);
    CloseHandle(f);
  }
  short Number(const std::string& name) const {
    Str255 p;
    p[0] = static_cast<unsigned char>(name.size());
    std::memcpy(p + 1, name.data(), name.size());
    short n = -99;
    GetFNum(p, &n);
    return n;
  }
  std::string FontName(short number) const {
    Str255 name;
    GetFontName(number, name);
    return Name(name);
  }

  char path_[MAX_PATH] = "";
  bool existed_ = false;
  std::string saved_;
  std::vector<Face> faces_;
};

TEST_F(FontMapTest, TheFirstPresentFaceAnEntryNamesTakesItsNumber) {
  const std::string a = faces_[0].name, b = faces_[1].name;
  const std::string map = "mine(3):NoSuchFace," + a + "," + b + "(Swiss)\r\n"
                          "theirs(5):" + b + "(Roman)\r\n"
                          "times(20):Times New Roman(Roman)\r\n";
  Start(&map);
  EXPECT_EQ(FontName(3), a);
  EXPECT_EQ(FontName(5), b);
  EXPECT_EQ(Number(a), 3);
  EXPECT_EQ(Number(b), 5);
  // Names the map gives without a face of theirs, and names nothing knows.
  EXPECT_EQ(Number("mine"), 3);
  EXPECT_EQ(Number("TIMES"), 20);
  EXPECT_EQ(Number("No Such Font Anywhere"), 0);
  EXPECT_TRUE(RealFont(3, 12));
  EXPECT_TRUE(RealFont(9999, 7));
}

TEST_F(FontMapTest, FacesTheMapLeavesOutGetCustomNumbersAboveTheMapsOwn) {
  const std::string map = "mine(200):" + faces_[0].name + "(Swiss)\r\n";
  Start(&map);
  std::vector<short> numbers;
  for (size_t i = 1; i < faces_.size(); ++i) {
    const short n = Number(faces_[i].name);
    EXPECT_GE(n, 201) << faces_[i].name;
    EXPECT_EQ(FontName(n), faces_[i].name);
    numbers.push_back(n);
  }
  std::sort(numbers.begin(), numbers.end());
  EXPECT_EQ(std::adjacent_find(numbers.begin(), numbers.end()), numbers.end()) << "each its own";
}

TEST_F(FontMapTest, FontAndSfntCountTheListsFacesByKind) {
  Start(nullptr);
  short trueType = 0, other = 0;
  for (const Face& f : faces_) (f.trueType ? trueType : other)++;
  EXPECT_EQ(CountResources(ZEB_FOURCC('s', 'f', 'n', 't')), trueType);
  EXPECT_EQ(ResError(), noErr);
  EXPECT_EQ(CountResources(ZEB_FOURCC('F', 'O', 'N', 'T')), other);
  // The list's own order: by display name, whatever the case.
  FontListCursor cursor;
  char name[64];
  short number = 0;
  std::vector<std::string> walked;
  while (NextFont(cursor, name, &number)) {
    walked.push_back(name);
    EXPECT_EQ(Number(name), number);
  }
  EXPECT_EQ(walked.size(), faces_.size());
  for (size_t i = 1; i < walked.size(); ++i)
    EXPECT_LE(lstrcmpiA(walked[i - 1].c_str(), walked[i].c_str()), 0);
  EXPECT_FALSE(NextFont(cursor, name, &number)) << "an ended cursor stays ended";
}

TEST_F(FontMapTest, TheDefaultMapIsWrittenWhenTheFileIsMissingOrEmpty) {
  const std::string empty;
  for (const std::string* map : {static_cast<const std::string*>(nullptr), &empty}) {
    Start(map);
    std::string written;
    ASSERT_TRUE(Read(&written));
    EXPECT_EQ(written, DefaultFontMapText());
    EXPECT_EQ(Number("monaco"), 4);
    EXPECT_EQ(Number("taliesin"), 24);
    QuickDrawTest::TearDown();
  }
}

TEST_F(FontMapTest, AMapThatYieldsNothingIsUsedAsTheDefaultAndKept) {
  const std::string broken = std::string(20000, 'x') + "\r\nmonaco(4):X(Modern)\r\n\x01\x02\xFF";
  Start(&broken);
  std::string kept;
  ASSERT_TRUE(Read(&kept));
  EXPECT_EQ(kept, broken);
  EXPECT_EQ(Number("times"), 20);
  EXPECT_EQ(Number("cairo"), 11);
}

TEST_F(FontMapTest, TheTableTakesFiveHundredEntries) {
  std::string map;
  for (int i = 0; i < 520; ++i)
    map += "f" + std::to_string(i) + "(" + std::to_string(1000 + i) + "):" + faces_[0].name +
           "(Swiss)\r\n";
  Start(&map);
  EXPECT_EQ(Number("f499"), 1499);
  EXPECT_EQ(Number("f500"), 0);
  EXPECT_EQ(Number(faces_[0].name), 1000) << "its first slot";
  EXPECT_EQ(FontName(1007), faces_[0].name) << "eight slots";
  EXPECT_NE(FontName(1008), "") << "a number past its slots still finds a face";
}

TEST_F(FontMapTest, ANumberWithoutItsFaceFindsOneOfItsFamilyElseApplFont) {
  const Face* roman = nullptr;
  for (const Face& f : faces_)
    if (f.family == 0x10 && f.trueType) roman = &f;
  const std::string map = "applFont(1):" + faces_[0].name + "(Swiss)\r\n"
                          "serif(60):Missing(Roman)\r\n"
                          "script(61):Missing(Script)\r\n";
  Start(&map);
  if (roman) {
    Str255 name;
    GetFontName(60, name);
    const std::string found = Name(name);
    const auto it = std::find_if(faces_.begin(), faces_.end(),
                                 [&](const Face& f) { return f.name == found; });
    ASSERT_NE(it, faces_.end());
    EXPECT_EQ(it->family, 0x10) << found;
  }
  EXPECT_EQ(FontName(61), faces_[0].name);
  EXPECT_EQ(FontName(32000), faces_[0].name);
}

TEST_F(FontMapTest, BuildingAgainRestoresTrueTypeOnlyAndSkipsAnUnchangedPrinter) {
  Start(nullptr);
  const uint32_t generation = FontListGeneration();
  ZEB_UpdateFontList(0);
  EXPECT_EQ(FontListGeneration(), generation) << "no printer change, no build";
  WriteProfileStringA("TrueType", "TTEnable", "1");
  WriteProfileStringA("TrueType", "TTOnly", "1");
  ZEB_UpdateFontList(1);
  EXPECT_EQ(GetProfileIntA("TrueType", "TTOnly", 0), 1u);
  EXPECT_NE(FontListGeneration(), generation);
  EXPECT_GT(CountResources(ZEB_FOURCC('s', 'f', 'n', 't')) +
                CountResources(ZEB_FOURCC('F', 'O', 'N', 'T')),
            0);
  WriteProfileStringA("TrueType", "TTOnly", nullptr);
  WriteProfileStringA("TrueType", "TTEnable", nullptr);
  EXPECT_EQ(ZEB_GetIntlSystemFont(), 0) << "a single-byte system";
}

}  // namespace
}  // namespace zebtest

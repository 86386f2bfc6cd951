// 'WIND' templates as a Macintosh writes them (refCon at 14, title at 18, an optional
// positioning word) and in the library's layout (refCon at 16, title at 20).
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "resources/byte_order.h"
#include "resources/window_template.h"

namespace zeb::resources {
namespace {

using byteorder::PutBig16;
using byteorder::PutBig32;

// The bytes a Macintosh writes for a template: bounds, procID, visible, filler, goAway, filler,
// refCon, title, then (when given) the positioning word aligned to an even offset.
std::vector<uint8_t> MacTemplate(const std::string& title, int positioning = -1) {
  std::vector<uint8_t> v(18, 0);
  PutBig16(&v[0], 40);
  PutBig16(&v[2], 30);
  PutBig16(&v[4], 240);
  PutBig16(&v[6], 330);
  PutBig16(&v[8], 4);  // noGrowDocProc
  v[10] = 1;
  v[12] = 1;
  PutBig32(&v[14], 0x11223344);
  v.push_back(static_cast<uint8_t>(title.size()));
  v.insert(v.end(), title.begin(), title.end());
  if (positioning >= 0) {
    if (v.size() & 1) v.push_back(0);
    v.resize(v.size() + 2);
    PutBig16(&v[v.size() - 2], static_cast<uint16_t>(positioning));
  }
  return v;
}

std::vector<uint8_t> LibraryTemplate(const std::string& title) {
  std::vector<uint8_t> v(20, 0);
  PutBig16(&v[0], 10);
  PutBig16(&v[8], 0);
  v[10] = 1;
  PutBig32(&v[16], 0x55667788);
  v.push_back(static_cast<uint8_t>(title.size()));
  v.insert(v.end(), title.begin(), title.end());
  return v;
}

WindowTemplate ReadConverted(std::vector<uint8_t>& bytes) {
  byteorder::ConvertResource(byteorder::kFromDisk, byteorder::FourCC("WIND"), bytes.data(),
                             static_cast<uint32_t>(bytes.size()));
  WindowTemplate t{};
  EXPECT_TRUE(ReadWindowTemplate(bytes.data(), static_cast<uint32_t>(bytes.size()), t));
  return t;
}

TEST(WindowTemplate, MacintoshLayoutKeepsTitleAndReferenceConstant) {
  for (const std::string title : {"", "Untitled", "Odd"}) {
    std::vector<uint8_t> bytes = MacTemplate(title);
    const std::vector<uint8_t> disk = bytes;
    const WindowTemplate t = ReadConverted(bytes);
    EXPECT_EQ(t.top, 40);
    EXPECT_EQ(t.right, 330);
    EXPECT_EQ(t.procID, 4);
    EXPECT_TRUE(t.visible);
    EXPECT_TRUE(t.goAwayFlag);
    EXPECT_EQ(t.refCon, 0x11223344);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(t.title + 1), t.title[0]), title);
    EXPECT_FALSE(t.hasPositioning);
    byteorder::ConvertResource(byteorder::kToDisk, byteorder::FourCC("WIND"), bytes.data(),
                               static_cast<uint32_t>(bytes.size()));
    EXPECT_EQ(bytes, disk) << title;
  }
}

TEST(WindowTemplate, PositioningWordIsFoundAlignedOrRightAfterTheTitleAndSwapped) {
  // "Document" (8 characters) ends at 27, so Rez aligns the word to 28; "Untitled 1" ends at 29.
  for (const std::string title : {"Document", "Untitled 1"}) {
    std::vector<uint8_t> bytes = MacTemplate(title, 0x300A);
    const std::vector<uint8_t> disk = bytes;
    const WindowTemplate t = ReadConverted(bytes);
    EXPECT_TRUE(t.hasPositioning) << title;
    EXPECT_EQ(t.positioning, 0x300A) << title;
    EXPECT_EQ(t.refCon, 0x11223344);
    byteorder::ConvertResource(byteorder::kToDisk, byteorder::FourCC("WIND"), bytes.data(),
                               static_cast<uint32_t>(bytes.size()));
    EXPECT_EQ(bytes, disk);
  }
  // Written without the alignment byte, as some tools do.
  std::vector<uint8_t> packed = MacTemplate("Document");
  packed.push_back(0x28);
  packed.push_back(0x0A);
  const WindowTemplate t = ReadConverted(packed);
  EXPECT_TRUE(t.hasPositioning);
  EXPECT_EQ(t.positioning, 0x280A);
}

TEST(WindowTemplate, LibraryLayoutIsReadAtSixteenAndTwenty) {
  std::vector<uint8_t> bytes = LibraryTemplate("Palette");
  const WindowTemplate t = ReadConverted(bytes);
  EXPECT_EQ(t.refCon, 0x55667788);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(t.title + 1), t.title[0]), "Palette");
  EXPECT_EQ(LocateWindowTemplate(bytes.data(), static_cast<uint32_t>(bytes.size())).layout,
            WindowTemplateLayout::kLibrary);
}

TEST(WindowTemplate, TooShortForFixedPartOrTitleIsRefused) {
  WindowTemplate t{};
  std::vector<uint8_t> fixed(18, 0);
  EXPECT_FALSE(ReadWindowTemplate(fixed.data(), 18, t));
  EXPECT_FALSE(ReadWindowTemplate(nullptr, 40, t));
  // A title length that runs past the end in both layouts.
  std::vector<uint8_t> overlong = MacTemplate("Title");
  overlong[18] = 200;
  overlong[20] = 200;
  EXPECT_FALSE(ReadWindowTemplate(overlong.data(), static_cast<uint32_t>(overlong.size()), t));
  // Converting such a template still touches nothing past its end.
  std::vector<uint8_t> tiny(12, 0xAB);
  byteorder::ConvertResource(byteorder::kFromDisk, byteorder::FourCC("WIND"), tiny.data(), 9);
  EXPECT_EQ(tiny[9], 0xAB);
}

}  // namespace
}  // namespace zeb::resources

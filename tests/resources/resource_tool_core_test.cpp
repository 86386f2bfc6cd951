// What the porters' tool stands on: resource forks out of AppleDouble, AppleSingle and
// MacBinary files, and the text description of resource files.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "resources/byte_order.h"
#include "resources/fork_containers.h"
#include "resources/resource_description.h"
#include "resources/resource_image.h"

namespace {

using namespace zeb::resfmt;
using zeb::byteorder::FourCC;
using zeb::byteorder::PutBig16;
using zeb::byteorder::PutBig32;

std::vector<uint8_t> SampleFork() {
  ResourceImage image;
  image.resources.push_back({FourCC("STR "), 128, 0, true, "greeting", {5, 'h', 'e', 'l', 'l', 'o'}});
  std::vector<uint8_t> fork;
  std::string error;
  EXPECT_TRUE(WriteImage(image, &fork, &error));
  return fork;
}

std::vector<uint8_t> AppleDouble(uint32_t magic, const std::vector<uint8_t>& fork) {
  // Two entries: Finder info (9) and the resource fork (2).
  std::vector<uint8_t> file(26 + 24, 0);
  PutBig32(file.data(), magic);
  PutBig32(file.data() + 4, 0x00020000);
  PutBig16(file.data() + 24, 2);
  PutBig32(file.data() + 26, 9);
  PutBig32(file.data() + 30, 50);
  PutBig32(file.data() + 34, 32);
  PutBig32(file.data() + 38, 2);
  PutBig32(file.data() + 42, 82);
  PutBig32(file.data() + 46, static_cast<uint32_t>(fork.size()));
  file.resize(82, 0);
  file.insert(file.end(), fork.begin(), fork.end());
  return file;
}

std::vector<uint8_t> MacBinary(const std::vector<uint8_t>& data, const std::vector<uint8_t>& fork) {
  std::vector<uint8_t> file(128, 0);
  file[1] = 4;
  std::memcpy(file.data() + 2, "Game", 4);
  PutBig32(file.data() + 83, static_cast<uint32_t>(data.size()));
  PutBig32(file.data() + 87, static_cast<uint32_t>(fork.size()));
  file.insert(file.end(), data.begin(), data.end());
  file.resize(128 + (data.size() + 127) / 128 * 128, 0);
  file.insert(file.end(), fork.begin(), fork.end());
  return file;
}

TEST(ForkContainers, EveryContainerGivesBackTheSameFork) {
  const std::vector<uint8_t> fork = SampleFork();
  struct Case {
    const char* what;
    std::vector<uint8_t> file;
    Container kind;
  } cases[] = {
      {"bare fork", fork, Container::kResourceFork},
      {"AppleDouble", AppleDouble(0x00051607, fork), Container::kAppleDouble},
      {"AppleSingle", AppleDouble(0x00051600, fork), Container::kAppleSingle},
      {"MacBinary", MacBinary(std::vector<uint8_t>(200, 'd'), fork), Container::kMacBinary},
      {"MacBinary without data", MacBinary({}, fork), Container::kMacBinary},
  };
  for (const Case& c : cases) {
    std::vector<uint8_t> out;
    Container kind;
    std::string error;
    ASSERT_TRUE(ExtractResourceFork(c.file, &out, &kind, &error)) << c.what << ": " << error;
    EXPECT_EQ(kind, c.kind) << c.what;
    EXPECT_EQ(out, fork) << c.what;
  }
}

TEST(ForkContainers, HostileContainersAreRefusedWithAMessage) {
  const std::vector<uint8_t> fork = SampleFork();
  std::vector<uint8_t> longEntry = AppleDouble(0x00051607, fork);
  PutBig32(longEntry.data() + 46, 0x7FFFFFFF);
  std::vector<uint8_t> manyEntries = AppleDouble(0x00051607, fork);
  PutBig16(manyEntries.data() + 24, 0xFFFF);
  std::vector<uint8_t> noFork = AppleDouble(0x00051607, fork);
  PutBig32(noFork.data() + 38, 1);
  std::vector<uint8_t> damaged = AppleDouble(0x00051607, fork);
  damaged[82 + 3] = 0x55;  // the fork's data offset is no longer 256
  std::vector<uint8_t> shortBinary = MacBinary({}, fork);
  shortBinary.resize(shortBinary.size() - 1);
  const std::vector<uint8_t> cases[] = {{}, {0, 5, 22, 7}, longEntry, manyEntries, noFork,
                                        damaged, shortBinary, std::vector<uint8_t>(300, 0)};
  for (const auto& file : cases) {
    std::vector<uint8_t> out;
    Container kind;
    std::string error;
    EXPECT_FALSE(ExtractResourceFork(file, &out, &kind, &error)) << file.size();
    EXPECT_FALSE(error.empty());
  }
}

TEST(ResourceDescription, BuildsResourcesInDiskOrder) {
  const std::string text =
      "# strings\n"
      "resource 'STR#' 128 name \"Messages\" attrs 0x24\n"
      "  word 2\n"
      "  pstring \"Hi\"\n"
      "  pstring \"a \\\"b\\\"\\x21\"\n"
      "end\n"
      "resource 'PAT ' -1\n"
      "  hex 00 FF 0a0B\n"
      "  long 0x01020304 -1\n"
      "  byte 7\n"
      "  text \"x\\ny\"\n"
      "end\n";
  ResourceImage image;
  std::string error;
  ASSERT_TRUE(ParseDescription(text, &image, &error)) << error;
  ASSERT_EQ(image.resources.size(), 2u);
  const ImageResource& strs = image.resources[0];
  EXPECT_EQ(strs.type, FourCC("STR#"));
  EXPECT_EQ(strs.id, 128);
  EXPECT_EQ(strs.name, "Messages");
  EXPECT_EQ(strs.attributes, 0x24);
  EXPECT_EQ(strs.data, (std::vector<uint8_t>{0, 2, 2, 'H', 'i', 6, 'a', ' ', '"', 'b', '"', '!'}));
  const ImageResource& pat = image.resources[1];
  EXPECT_EQ(pat.type, FourCC("PAT "));
  EXPECT_EQ(pat.id, -1);
  EXPECT_FALSE(pat.named);
  EXPECT_EQ(pat.data, (std::vector<uint8_t>{0, 0xFF, 0x0A, 0x0B, 1, 2, 3, 4, 0xFF, 0xFF, 0xFF,
                                            0xFF, 7, 'x', '\n', 'y'}));
}

TEST(ResourceDescription, MistakesNameTheirLine) {
  struct Case {
    const char* text;
    const char* message;
  } cases[] = {
      {"resource 'STR#' 128\nword 70000\nend\n", "line 2"},
      {"resource 'STR' 1\nend\n", "line 1"},
      {"resource 'STR ' 40000\nend\n", "line 1"},
      {"word 1\n", "line 1"},
      {"resource 'TEXT' 1\n  text \"open\n", "line 2"},
      {"resource 'TEXT' 1\n  hex 0G\nend\n", "line 2"},
      {"resource 'TEXT' 1\n  hex 012\nend\n", "line 2"},
      {"resource 'TEXT' 1\n  frob 1\nend\n", "line 2"},
      {"resource 'TEXT' 1\n", "no 'end'"},
      {"end\n", "line 1"},
      {"resource 'TEXT' 1 name\nend\n", "line 1"},
      {"resource 'TEXT' 1 attrs 300\nend\n", "line 1"},
  };
  for (const Case& c : cases) {
    ResourceImage image;
    std::string error;
    EXPECT_FALSE(ParseDescription(c.text, &image, &error)) << c.text;
    EXPECT_NE(error.find(c.message), std::string::npos) << c.text << " -> " << error;
  }
}

}  // namespace

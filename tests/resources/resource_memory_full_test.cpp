// White-box: the Resource Manager and the utilities that read resources with the heap full at
// every allocation in turn. A sequence opens a document, reads, changes, adds and writes
// resources and closes the file; with its n-th allocation failing, the call that meets the
// failure reports memFullErr, the sequence stops there and closes the file, and then nothing
// leaks and the file on disk holds exactly its old resources. A run without failure writes the
// new ones.
#include <functional>

#include "TextUtils.h"
#include "memory/memory_internal.h"
#include "resources_fixture.h"

namespace {

using zeb::memory::FailAllocationAfter;
using zeb::memory::MemoryCensus;
using zeb::memory::TakeCensus;
using zeb::resfmt::ImageResource;
using namespace zebtest;

ImageResource Res(const char (&type)[5], short id, const std::string& data,
                  const std::string& name = std::string()) {
  ImageResource r;
  r.type = Type(type);
  r.id = id;
  r.data.assign(data.begin(), data.end());
  r.named = !name.empty();
  r.name = name;
  return r;
}

std::string Describe(const zeb::resfmt::ResourceImage& image) {
  std::string text;
  for (const ImageResource& r : image.resources)
    text += TypeText(r.type) + std::to_string(r.id) + "/" + std::to_string(r.attributes) + "/" +
            r.name + "=" + std::string(r.data.begin(), r.data.end()) + "\n";
  return text;
}

class ResourceMemoryFullTest : public ResourcesTest {
 protected:
  void TearDown() override {
    FailAllocationAfter(0);
    ResourcesTest::TearDown();
  }

  void WriteOriginal() {
    // A string list of two strings: count 2, "one", "second".
    const std::string list = std::string("\x00\x02\x03one\x06second", 13);
    WriteFile("doc.rsr", {Res("TEXT", 128, std::string(6000, 't'), "Body"),
                          Res("STR#", 300, list), Res("STR ", 301, "\x04name"),
                          Res("PREF", 1, "settings")});
  }

  // Whether the sequence ran to its end.
  bool Sequence() {
    const short ref = Open("doc.rsr");
    if (ref == -1) {
      EXPECT_EQ(ResError(), memFullErr) << "OpenResFile";
      return false;
    }
    bool complete = false;
    [&] {
      Handle text = GetResource(Type("TEXT"), 128);
      if (!text) {
        EXPECT_EQ(ResError(), memFullErr) << "GetResource";
        return;
      }
      EXPECT_EQ(HandleText(text), std::string(6000, 't'));
      Str255 item;
      GetIndString(item, 300, 2);
      if (item[0] == 0) {
        // GetIndString has no result of its own: an empty string means memory ran out.
        EXPECT_TRUE(zeb::memory::AllocationFailureFired()) << "GetIndString";
        return;
      }
      EXPECT_EQ(std::string(reinterpret_cast<char*>(item + 1), item[0]), "second");
      StringHandle name = GetString(301);
      if (!name) {
        EXPECT_EQ(ResError(), memFullErr) << "GetString";
        return;
      }
      // Every allocation comes before the first change, so that a run that stops changed
      // nothing and its close has nothing to write.
      Handle added = NewHandle(5);
      if (!added) {
        EXPECT_EQ(MemError(), memFullErr) << "NewHandle";
        return;
      }
      std::memcpy(*added, "fresh", 5);
      SetHandleSize(text, 9000);
      if (MemError()) {
        EXPECT_EQ(MemError(), memFullErr) << "SetHandleSize";
        EXPECT_EQ(HandleText(text), std::string(6000, 't'));
        DisposeHandle(added);
        return;
      }
      std::memset(*text, 'u', 9000);
      ChangedResource(text);
      AddResource(added, Type("NEWR"), 7, PStr("Added"));
      EXPECT_EQ(ResError(), noErr) << "AddResource";
      WriteResource(text);
      EXPECT_EQ(ResError(), noErr) << "WriteResource";
      complete = UpdateResFile(ref) == 1 && ResError() == noErr;
      EXPECT_TRUE(complete) << "UpdateResFile: " << ResError();
    }();
    CloseResFile(ref);
    return complete;
  }
};

TEST_F(ResourceMemoryFullTest, AFailedAllocationLeavesTheDocumentAndTheHeapAsTheyWere) {
  WriteOriginal();
  const std::string before = Describe(ReadFile("doc.rsr"));
  ASSERT_TRUE(Sequence());
  const std::string after = Describe(ReadFile("doc.rsr"));
  ASSERT_NE(before, after);
  int failedRuns = 0;
  for (uint64_t n = 1;; ++n) {
    WriteOriginal();
    const MemoryCensus start = TakeCensus();
    FailAllocationAfter(n);
    const bool complete = Sequence();
    const bool fired = zeb::memory::AllocationFailureFired();
    FailAllocationAfter(0);
    EXPECT_EQ(TakeCensus(), start) << "allocation " << n << " failing";
    const std::string now = Describe(ReadFile("doc.rsr"));
    if (complete) {
      EXPECT_EQ(now, after) << "allocation " << n << " failing";
    } else {
      ++failedRuns;
      EXPECT_TRUE(fired);
      EXPECT_EQ(now, before) << "allocation " << n << " failing";
    }
    if (!fired) break;
    ASSERT_LT(n, 10000u);
  }
  EXPECT_GT(failedRuns, 3);
}

}  // namespace

// White-box: the Resource Manager and the utilities that read resources with the heap full at
// every allocation in turn. A sequence opens a document, reads, changes, adds and writes
// resources and closes the file; with its n-th allocation failing, the call that meets the
// failure reports memFullErr, the sequence stops there and closes the file, and then nothing
// leaks and the file on disk holds exactly its old resources. A run without failure writes the
// new ones.
#include <functional>

#include "Quickdraw.h"
#include "TextUtils.h"
#include "ToolUtils.h"
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

// The lookups and the utilities that read resources, on a file they never change.
class ResourceLookupMemoryFullTest : public ResourceMemoryFullTest {
 protected:
  void WriteLookups() {
    // Every list starts with its 16-bit count in the Macintosh's order.
    std::string patterns("\x00\x02", 2);
    patterns += std::string("\x11\x22\x33\x44\x55\x66\x77\x88", 8);
    patterns += std::string("\xAA\x55\xAA\x55\xAA\x55\xAA\x55", 8);
    std::string icon(128, '\0');
    for (size_t i = 0; i < icon.size(); ++i) icon[i] = static_cast<char>(i * 7);
    // A version 1 picture: size, frame (0, 0, 16, 16), version opcode, end.
    const std::string picture("\x00\x0D\x00\x00\x00\x00\x00\x10\x00\x10\x11\x01\xFF", 13);
    // A cursor: 16 rows of image, 16 of mask, the hot spot (v 8, h 8).
    std::string cursor(64, '\x0F');
    cursor += std::string("\x00\x08\x00\x08", 4);
    WriteFile("look.rsr", {Res("TEXT", 128, std::string(5000, 'b'), "Body"),
                           Res("PREF", 1, "preferences"), Res("ICON", 128, icon),
                           Res("PAT ", 128, std::string("\x01\x02\x03\x04\x05\x06\x07\x08", 8)),
                           Res("PAT#", 129, patterns), Res("PICT", 128, picture),
                           Res("CURS", 128, cursor)});
  }

  // Whether the lookups ran to their end. A handle one lookup returned keeps its data whatever
  // a later one meets.
  bool Lookups() {
    const short ref = Open("look.rsr");
    if (ref == -1) {
      EXPECT_EQ(ResError(), memFullErr) << "OpenResFile";
      return false;
    }
    bool complete = false;
    Handle detached = nullptr;
    [&] {
      Handle body = Get1IndResource(Type("TEXT"), 1);
      if (!body) {
        EXPECT_EQ(ResError(), memFullErr) << "Get1IndResource";
        return;
      }
      const auto bodyIntact = [&] { EXPECT_EQ(HandleText(body), std::string(5000, 'b')); };
      bodyIntact();
      // The same resource by its name is the same handle: nothing more to allocate.
      EXPECT_EQ(GetNamedResource(Type("TEXT"), PStr("Body")), body);
      EXPECT_EQ(ResError(), noErr);
      Handle pref = GetIndResource(Type("PREF"), 1);
      if (!pref) {
        EXPECT_EQ(ResError(), memFullErr) << "GetIndResource";
        return bodyIntact();
      }
      EXPECT_EQ(HandleText(pref), "preferences");
      Handle icon = GetIcon(128);
      if (!icon) {
        EXPECT_EQ(ResError(), memFullErr) << "GetIcon";
        return bodyIntact();
      }
      EXPECT_EQ(GetHandleSize(icon), 128);
      PatHandle pattern = GetPattern(128);
      if (!pattern) {
        EXPECT_EQ(ResError(), memFullErr) << "GetPattern";
        return bodyIntact();
      }
      EXPECT_EQ(std::memcmp(*pattern, "\x01\x02\x03\x04\x05\x06\x07\x08", 8), 0);
      Pattern second;
      std::memset(&second, 0xEE, sizeof second);
      GetIndPattern(&second, 129, 2);
      const Pattern none = {};
      if (std::memcmp(&second, &none, sizeof second) == 0) {
        // GetIndPattern has no result of its own: a white pattern means the list was not there.
        EXPECT_TRUE(zeb::memory::AllocationFailureFired()) << "GetIndPattern";
        return bodyIntact();
      }
      EXPECT_EQ(std::memcmp(&second, "\xAA\x55\xAA\x55\xAA\x55\xAA\x55", 8), 0);
      PicHandle picture = GetPicture(128);
      if (!picture) {
        EXPECT_EQ(ResError(), memFullErr) << "GetPicture";
        return bodyIntact();
      }
      EXPECT_EQ(GetHandleSize(reinterpret_cast<Handle>(picture)), 13);
      CursHandle cursor = GetCursor(128);
      if (!cursor) {
        EXPECT_EQ(ResError(), memFullErr) << "GetCursor";
        return bodyIntact();
      }
      // A purged resource comes back through LoadResource; a load that meets a full heap leaves
      // the handle empty and still the file's.
      EmptyHandle(pref);
      LoadResource(pref);
      if (ResError() != noErr) {
        EXPECT_EQ(ResError(), memFullErr) << "LoadResource";
        EXPECT_EQ(*pref, nullptr);
        EXPECT_EQ(HomeResFile(pref), ref);
        return bodyIntact();
      }
      EXPECT_EQ(HandleText(pref), "preferences");
      // Detached, the icon is the application's, and outlives the file.
      DetachResource(icon);
      EXPECT_EQ(ResError(), noErr);
      detached = icon;
      complete = true;
    }();
    CloseResFile(ref);
    if (detached) {
      EXPECT_EQ(GetHandleSize(detached), 128);
      DisposeHandle(detached);
    }
    return complete;
  }
};

TEST_F(ResourceLookupMemoryFullTest, EveryLookupThatMeetsAFullHeapSaysSoAndLeaksNothing) {
  WriteLookups();
  const std::string file = Contents("look.rsr");
  ASSERT_TRUE(Lookups());
  int failedRuns = 0;
  for (uint64_t n = 1;; ++n) {
    const MemoryCensus start = TakeCensus();
    FailAllocationAfter(n);
    const bool complete = Lookups();
    const bool fired = zeb::memory::AllocationFailureFired();
    FailAllocationAfter(0);
    EXPECT_EQ(TakeCensus(), start) << "allocation " << n << " failing";
    EXPECT_EQ(Contents("look.rsr"), file) << "allocation " << n << " failing";
    if (!complete) ++failedRuns;
    if (!fired) {
      EXPECT_TRUE(complete);
      break;
    }
    ASSERT_LT(n, 10000u);
  }
  EXPECT_GT(failedRuns, 5);
}

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

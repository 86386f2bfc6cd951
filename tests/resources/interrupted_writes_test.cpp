// White-box: resource files are replaced, never torn. Every call that writes a resource file is
// run once to its end and then again with the host stopping dead after 0, 1, 2, ... bytes (each
// flush, rename or size change counting as one more step); after each stop the file on disk
// must open and hold exactly the old resources or exactly the new ones. The same calls meet a
// full disk at every byte: they report dskFulErr, the file stays as it was, and once there is
// room again nothing the application changed is lost.
#include <cctype>
#include <functional>
#include <iterator>

#include "files/files_internal.h"
#include "resources/resource_files.h"
#include "resources_fixture.h"

namespace {

using zeb::files::HostFaultKind;
using zeb::files::SetHostFault;
using zeb::resfmt::ImageResource;
using zeb::resfmt::ResourceImage;
using namespace zebtest;

constexpr uint32_t kDiskFull = 112;  // ERROR_DISK_FULL

ImageResource Res(const char (&type)[5], short id, const std::string& data,
                  const std::string& name = std::string(), bool named = false) {
  ImageResource r;
  r.type = Type(type);
  r.id = id;
  r.data.assign(data.begin(), data.end());
  r.named = named || !name.empty();
  r.name = name;
  return r;
}

std::string Describe(const ResourceImage& image) {
  std::string text;
  for (const ImageResource& r : image.resources) {
    text += TypeText(r.type) + " " + std::to_string(r.id) + " attrs " +
            std::to_string(r.attributes) + (r.named ? " \"" + r.name + "\"" : std::string()) +
            " [" + std::string(r.data.begin(), r.data.end()) + "]\n";
  }
  return text;
}

// A step of a scenario, given the open file's refNum.
using Step = std::function<void(short refNum)>;

struct Scenario {
  const char* name;
  // Before the write: changes made in memory, with the host working.
  Step change;
  // The write itself, run under the fault.
  Step write;
  bool closes = false;
};

class InterruptedWritesTest : public ResourcesTest {
 protected:
  void TearDown() override {
    SetHostFault(HostFaultKind::kNone, 0, 0);
    ResourcesTest::TearDown();
  }

  std::vector<ImageResource> Original() {
    return {Res("TEXT", 128, "the user's first document text", "Draft"),
            Res("TEXT", 129, "a second text"), Res("PREF", 1, "0123456789abcdef"),
            Res("STR ", 200, "kept as it is", "Title")};
  }

  // Writes the original file, opens it and makes the scenario's changes.
  short Prepare(const Scenario& s) {
    for (const std::string& name : FilesInDir()) DeleteFileA(dir_.File(name).c_str());
    WriteFile("doc.rsr", Original());
    const short ref = Open("doc.rsr");
    EXPECT_GT(ref, 0);
    s.change(ref);
    return ref;
  }

  // Ends what a stopped run left open, with nothing more reaching the disk, then lets the host
  // work again. The process died: no temporary file it left is taken away.
  void Abandon(short ref) {
    SetHostFault(HostFaultKind::kCrash, 0, 0);
    if (zeb::resources::FileOfRefNum(ref)) CloseResFile(ref);
    SetHostFault(HostFaultKind::kNone, 0, 0);
  }

  // Whether the file reads as a resource file, with the checks of an open.
  ::testing::AssertionResult Reads(ResourceImage* image) {
    const std::string bytes = Contents("doc.rsr");
    std::string error;
    if (zeb::resfmt::ReadImage(std::vector<uint8_t>(bytes.begin(), bytes.end()), image, &error))
      return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << error << " (" << bytes.size() << " bytes)";
  }

  // The file as the scenario's changes leave it, before its write: the original, or what an
  // earlier write of the scenario already made of it.
  std::string PreparedState(const Scenario& s) {
    const short ref = Prepare(s);
    Abandon(ref);
    ResourceImage image;
    EXPECT_TRUE(Reads(&image)) << s.name;
    return Describe(image);
  }

  // Whether the Resource Manager itself opens the file, with every check of its own. Read-only,
  // so that the look changes nothing.
  ::testing::AssertionResult OpensReadOnly() {
    const short ref = OpenRFPerm(PStr("doc.rsr"), 0, fsRdPerm);
    if (ref <= 0) return ::testing::AssertionFailure() << "OpenRFPerm: " << ResError();
    CloseResFile(ref);
    return ::testing::AssertionSuccess();
  }

  // The file after the scenario's write has run to its end.
  std::string CompleteResult(const Scenario& s) {
    const short ref = Prepare(s);
    s.write(ref);
    EXPECT_EQ(ResError(), noErr) << s.name;
    Abandon(ref);
    ResourceImage image;
    EXPECT_TRUE(Reads(&image)) << s.name;
    // The file also opens through the Resource Manager.
    const short again = Open("doc.rsr");
    EXPECT_GT(again, 0) << s.name;
    if (again > 0) CloseResFile(again);
    return Describe(image);
  }

  void SweepCrashes(const Scenario& s) {
    const std::string before = PreparedState(s);
    const std::string after = CompleteResult(s);
    ASSERT_NE(before, after) << s.name << ": the write must change the file";
    int sawOld = 0, sawNew = 0;
    for (uint64_t n = 0;; ++n) {
      const short ref = Prepare(s);
      SetHostFault(HostFaultKind::kCrash, n, 0);
      s.write(ref);
      const bool stopped = zeb::files::HostFaultFired();
      Abandon(ref);
      ResourceImage image;
      ASSERT_TRUE(Reads(&image)) << s.name << ": torn after " << n << " units";
      ASSERT_TRUE(OpensReadOnly()) << s.name << ": torn after " << n << " units";
      const std::string now = Describe(image);
      if (now == before) {
        ++sawOld;
      } else {
        ASSERT_EQ(now, after) << s.name << ": neither old nor new after " << n << " units";
        ++sawNew;
      }
      if (!stopped) {
        EXPECT_EQ(now, after) << s.name;
        break;
      }
      ASSERT_LT(n, 100000u) << s.name;
    }
    EXPECT_GT(sawOld, 0) << s.name;
    EXPECT_GT(sawNew, 0) << s.name;
  }

  void SweepFullDisk(const Scenario& s) {
    const bool closes = s.closes;
    const std::string before = PreparedState(s);
    const std::string after = CompleteResult(s);
    for (uint64_t n = 0;; ++n) {
      const short ref = Prepare(s);
      SetHostFault(HostFaultKind::kDiskFull, n, kDiskFull);
      s.write(ref);
      const short result = ResError();
      const bool refused = zeb::files::HostFaultFired();
      SetHostFault(HostFaultKind::kNone, 0, 0);
      if (!refused) {
        EXPECT_EQ(result, noErr) << s.name;
        Abandon(ref);
        break;
      }
      EXPECT_EQ(result, dskFulErr) << s.name << " with room for " << n << " bytes";
      // A rewrite into a new file that could not be finished takes that file away again: a
      // full disk is not made fuller by what failed on it.
      EXPECT_EQ(FilesInDir(), std::vector<std::string>{"doc.rsr"})
          << s.name << " with room for " << n << " bytes";
      ResourceImage image;
      ASSERT_TRUE(Reads(&image)) << s.name << " with room for " << n << " bytes";
      const std::string now = Describe(image);
      if (closes) {
        // A close that could not write leaves the file it had.
        EXPECT_EQ(now, before) << s.name << " with room for " << n << " bytes";
        ASSERT_EQ(zeb::resources::FileOfRefNum(ref), nullptr);
      } else {
        EXPECT_TRUE(now == before || now == after) << s.name << " with room for " << n;
        // With room again, the same call writes everything the application changed.
        s.write(ref);
        EXPECT_EQ(ResError(), noErr) << s.name;
        Abandon(ref);
        ASSERT_TRUE(Reads(&image));
        EXPECT_EQ(Describe(image), after) << s.name << " retried after room for " << n;
      }
      ASSERT_LT(n, 100000u) << s.name;
    }
  }

};

Handle GetOne(ResType type, short id) {
  Handle h = Get1Resource(type, id);
  EXPECT_NE(h, nullptr);
  return h;
}
void SetText(Handle h, const std::string& text) {
  SetHandleSize(h, static_cast<Size>(text.size()));
  std::memcpy(*h, text.data(), text.size());
}

const Step kUpdate = [](short ref) { UpdateResFile(ref); };
const Step kClose = [](short ref) { CloseResFile(ref); };

// Every way a file is written: data rewritten at the same size (which once went over the old
// data in place), data grown, a resource added, names and attributes changed, the explicit
// write of one resource followed by the update, compaction asked for, a removal that makes the
// file shorter, and the close that compacts.
const Scenario kScenarios[] = {
    {"same-size data, update",
     [](short) {
       Handle h = GetOne(Type("PREF"), 1);
       SetText(h, "fedcba9876543210");
       ChangedResource(h);
     },
     kUpdate},
    {"grown data, update",
     [](short) {
       Handle h = GetOne(Type("TEXT"), 128);
       SetText(h, "the user's first document text, now a good deal longer");
       ChangedResource(h);
     },
     kUpdate},
    {"added resource, update",
     [](short) {
       AddResource(HandleWith("brand new"), Type("NEWT"), 5, PStr("Fresh"));
     },
     kUpdate},
    {"renamed resource, update",
     [](short) {
       SetResInfo(GetOne(Type("TEXT"), 129), 129, PStr("A much longer name"));
     },
     kUpdate},
    {"shorter name and new ID, update",
     [](short) { SetResInfo(GetOne(Type("STR "), 200), 201, PStr("T")); },
     kUpdate},
    {"attributes changed, update",
     [](short) {
       Handle h = GetOne(Type("TEXT"), 129);
       SetResAttrs(h, resPurgeable | resProtected);
       ChangedResource(h);
     },
     kUpdate},
    {"WriteResource then update",
     [](short) {
       Handle h = GetOne(Type("TEXT"), 129);
       SetText(h, "rewritten");
       ChangedResource(h);
     },
     [](short ref) {
       WriteResource(Get1Resource(Type("TEXT"), 129));
       UpdateResFile(ref);
     }},
    {"compaction asked for, update",
     [](short ref) {
       Handle h = GetOne(Type("PREF"), 1);
       SetText(h, "short");
       ChangedResource(h);
       SetResFileAttrs(ref, mapCompact);
     },
     kUpdate},
    {"removal shrinks the file, update",
     [](short) { RemoveResource(GetOne(Type("TEXT"), 128)); }, kUpdate},
    {"grown data, close",
     [](short) {
       Handle h = GetOne(Type("TEXT"), 129);
       SetText(h, "a second text that grew on the way to the close");
       ChangedResource(h);
     },
     kClose, true},
    {"renamed resource, close",
     [](short) { SetResInfo(GetOne(Type("PREF"), 1), 1, PStr("Prefs")); },
     kClose, true},
    {"added resource, close",
     [](short) { AddResource(HandleWith("added before the close"), Type("NEWT"), 9, nullptr); },
     kClose, true},
    {"removal, close", [](short) { RemoveResource(GetOne(Type("STR "), 200)); }, kClose, true},
    {"WriteResource then close",
     [](short) {
       Handle h = GetOne(Type("TEXT"), 128);
       SetText(h, "written on its own, then the file closed");
       ChangedResource(h);
     },
     [](short ref) {
       WriteResource(Get1Resource(Type("TEXT"), 128));
       CloseResFile(ref);
     },
     true},
    {"every resource removed, update",
     [](short) {
       RemoveResource(GetOne(Type("TEXT"), 128));
       RemoveResource(GetOne(Type("TEXT"), 129));
       RemoveResource(GetOne(Type("PREF"), 1));
       RemoveResource(GetOne(Type("STR "), 200));
     },
     kUpdate},
    // A second update writes its map behind the first one's, over nothing the file names.
    {"second update behind an earlier one",
     [](short ref) {
       Handle pref = GetOne(Type("PREF"), 1);
       SetText(pref, "first update....");
       ChangedResource(pref);
       UpdateResFile(ref);
       EXPECT_EQ(ResError(), noErr);
       Handle text = GetOne(Type("TEXT"), 129);
       SetText(text, "the second update makes this text longer");
       ChangedResource(text);
     },
     kUpdate},
    // The close compacts a file whose earlier update left its old map in the data area.
    {"close after an update",
     [](short ref) {
       SetResInfo(GetOne(Type("TEXT"), 129), 129, PStr("Second"));
       UpdateResFile(ref);
       EXPECT_EQ(ResError(), noErr);
       Handle pref = GetOne(Type("PREF"), 1);
       SetText(pref, "changed again");
       ChangedResource(pref);
     },
     kClose, true},
    // An update the host refused part-way through its map left bytes behind the old map; the
    // next one writes over them.
    {"update after a refused one",
     [](short ref) {
       Handle text = GetOne(Type("TEXT"), 128);
       SetText(text, "the update that the host refused half-way");
       ChangedResource(text);
       SetHostFault(HostFaultKind::kRefuse, 70, 5);  // ERROR_ACCESS_DENIED after 70 bytes
       UpdateResFile(ref);
       EXPECT_TRUE(zeb::files::HostFaultFired());
       // Some bytes reached the file before the refusal: the refusal is the answer, not a
       // full disk.
       EXPECT_EQ(ResError(), permErr);
       SetHostFault(HostFaultKind::kNone, 0, 0);
     },
     kUpdate},
};

// One process per scenario, so that the sweeps run side by side.
class EveryWrite : public InterruptedWritesTest, public ::testing::WithParamInterface<int> {};

TEST_P(EveryWrite, ACrashAtAnyByteLeavesTheOldFileOrTheNewOne) {
  SweepCrashes(kScenarios[GetParam()]);
}

TEST_P(EveryWrite, AFullDiskReportsDiskFullAndLosesNothing) {
  SweepFullDisk(kScenarios[GetParam()]);
}

INSTANTIATE_TEST_SUITE_P(Scenarios, EveryWrite,
                         ::testing::Range(0, static_cast<int>(std::size(kScenarios))),
                         [](const ::testing::TestParamInfo<int>& info) {
                           std::string name;
                           for (const char* c = kScenarios[info.param].name; *c; ++c)
                             if (std::isalnum(static_cast<unsigned char>(*c))) name += *c;
                           return name;
                         });

TEST_F(InterruptedWritesTest, CreatingOnAFullDiskLeavesNothingBehind) {
  const std::string empty(reinterpret_cast<const char*>(zeb::resfmt::EmptyResourceFile().data()),
                          zeb::resfmt::kMinimumFileLength);
  for (bool existedEmpty : {false, true}) {
    for (uint64_t room = 0;; ++room) {
      for (const std::string& name : FilesInDir()) DeleteFileA(dir_.File(name).c_str());
      if (existedEmpty) {
        ASSERT_TRUE(dir_.Write("Notes.rsr", ""));
      }
      SetHostFault(HostFaultKind::kDiskFull, room, kDiskFull);
      CreateResFile(PStr("Notes"));
      const OSErr result = ResError();
      const bool refused = zeb::files::HostFaultFired();
      SetHostFault(HostFaultKind::kNone, 0, 0);
      if (!refused) {
        EXPECT_EQ(result, noErr);
        EXPECT_EQ(Contents("Notes.rsr"), empty);
        EXPECT_EQ(room, empty.size());
        break;
      }
      EXPECT_EQ(result, dskFulErr) << "room for " << room;
      // No half-made file under any name; an empty one that was there stays.
      if (existedEmpty) {
        EXPECT_EQ(FilesInDir(), std::vector<std::string>{"Notes.rsr"}) << "room for " << room;
        EXPECT_EQ(Contents("Notes.rsr"), "");
      } else {
        EXPECT_TRUE(FilesInDir().empty()) << "room for " << room;
      }
      ASSERT_LT(room, 10000u);
    }
  }
}

TEST_F(InterruptedWritesTest, ACrashWhileCreatingLeavesNoFileOrAWholeEmptyOne) {
  const std::string empty(reinterpret_cast<const char*>(zeb::resfmt::EmptyResourceFile().data()),
                          zeb::resfmt::kMinimumFileLength);
  for (bool existedEmpty : {false, true}) {
    int sawNone = 0, sawWhole = 0;
    for (uint64_t n = 0;; ++n) {
      for (const std::string& name : FilesInDir()) DeleteFileA(dir_.File(name).c_str());
      if (existedEmpty) {
        ASSERT_TRUE(dir_.Write("Notes.rsr", ""));
      }
      SetHostFault(HostFaultKind::kCrash, n, 0);
      CreateResFile(PStr("Notes"));
      const bool stopped = zeb::files::HostFaultFired();
      SetHostFault(HostFaultKind::kNone, 0, 0);
      const std::string now = Contents("Notes.rsr");
      if (now == empty) {
        ++sawWhole;
      } else {
        ASSERT_EQ(now, "") << "torn after " << n << " units";
        ASSERT_EQ(GetFileAttributesA(dir_.File("Notes.rsr").c_str()) != INVALID_FILE_ATTRIBUTES,
                  existedEmpty);
        ++sawNone;
      }
      if (!stopped) {
        EXPECT_EQ(now, empty);
        EXPECT_EQ(ResError(), noErr);
        break;
      }
      ASSERT_LT(n, 10000u);
    }
    EXPECT_GT(sawNone, 0);
    EXPECT_GT(sawWhole, 0);
  }
  // A file that holds something is never written over.
  ASSERT_TRUE(dir_.Write("Notes.rsr", "the user's notes"));
  CreateResFile(PStr("Notes"));
  EXPECT_EQ(ResError(), dupFNErr);
  EXPECT_EQ(Contents("Notes.rsr"), "the user's notes");
}

}  // namespace

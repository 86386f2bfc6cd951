// The open and save dialogs, driven as a person would: a watcher thread finds the dialog by its
// title, types a name, picks a file type and presses OK or Cancel, in both dialog styles.
#include <windows.h>
#include <commdlg.h>
#include <dlgs.h>

#include <gtest/gtest.h>

#include <atomic>
#include <cstring>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "Files.h"
#include "StandardFile.h"
#include "files_fixture.h"

namespace {

using namespace zebtest;

const OSType kText = ZEB_FOURCC('T', 'E', 'X', 'T');
const OSType kPict = ZEB_FOURCC('P', 'I', 'C', 'T');

struct Entry40 {
  unsigned char bytes[40];
};
Entry40 Entry(OSType type, const char* ext, const char* description) {
  Entry40 e{};
  std::memcpy(e.bytes, &type, 4);
  std::memcpy(e.bytes + 4, ext, std::strlen(ext));
  std::strncpy(reinterpret_cast<char*>(e.bytes + 7), description, 33);
  return e;
}
Entry40 g_table[] = {Entry(kText, "TXT", "Text"), Entry(kText, "DOC", "Documents"),
                     Entry(kPict, "PCT", "Pictures"), Entry(0, "", "")};
const OSType kTypes[] = {kText, kPict};

// What the watcher did and saw, for the test thread to check.
struct Seen {
  bool found = false;
  bool frameDisabled = false;
  int typeCount = -1;
  int typeSelected = -1;
  std::vector<std::string> typeTexts;
  std::string nameAfterTypeChange;
  bool stayedOpen = false;
  bool askedToReplace = false;
  bool leftOpen = false;  // the watcher had to cancel the dialog itself
};

HWND FindDialog(const char* title, int tries = 1000) {
  for (int i = 0; i < tries; ++i) {
    HWND d = FindWindowA("#32770", title);
    if (d && IsWindowVisible(d)) return d;
    Sleep(10);
  }
  return nullptr;
}

// A box the dialog owns (the replace question), found within a while.
HWND FindOwnedBox(HWND dialog, int tries = 200) {
  for (int i = 0; i < tries; ++i) {
    struct Search {
      HWND owner, found;
    } s{dialog, nullptr};
    EnumWindows(
        [](HWND w, LPARAM p) -> BOOL {
          auto* s = reinterpret_cast<Search*>(p);
          char cls[32];
          GetClassNameA(w, cls, sizeof cls);
          if (std::strcmp(cls, "#32770") == 0 && GetWindow(w, GW_OWNER) == s->owner &&
              IsWindowVisible(w)) {
            s->found = w;
            return FALSE;
          }
          return TRUE;
        },
        reinterpret_cast<LPARAM>(&s));
    if (s.found) return s.found;
    Sleep(10);
  }
  return nullptr;
}

// The file-name field: edt1 in the older style, the cmb13 combo box in the explorer style;
// window text reaches the edit through either.
HWND NameFieldOf(HWND dialog) {
  if (HWND e = GetDlgItem(dialog, edt1)) return e;
  return GetDlgItem(dialog, cmb13);
}

std::string TextOfWindow(HWND w) {
  char t[512] = {};
  if (w) SendMessageA(w, WM_GETTEXT, sizeof t, reinterpret_cast<LPARAM>(t));
  return t;
}

void TypeName(HWND dialog, const std::string& name) {
  SendMessageA(NameFieldOf(dialog), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(name.c_str()));
}

void PickType(HWND dialog, int index) {
  HWND list = GetDlgItem(dialog, cmb1);
  SendMessageA(list, CB_SETCURSEL, index, 0);
  SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(cmb1, CBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
}

void ReadTypes(HWND dialog, Seen* seen) {
  HWND list = GetDlgItem(dialog, cmb1);
  seen->typeCount = static_cast<int>(SendMessageA(list, CB_GETCOUNT, 0, 0));
  seen->typeSelected = static_cast<int>(SendMessageA(list, CB_GETCURSEL, 0, 0));
  for (int i = 0; i < seen->typeCount; ++i) {
    char t[256] = {};
    SendMessageA(list, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(t));
    seen->typeTexts.push_back(t);
  }
}

void Press(HWND dialog, int id) { PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0); }

// Runs the script against the dialog titled title while the test thread is inside the call.
class Watcher {
 public:
  Watcher(const char* title, std::function<void(HWND, Seen*)> script)
      : thread_([this, title, script] {
          HWND d = FindDialog(title);
          if (!d) return;
          seen_.found = true;
          Sleep(50);  // the dialog finishes its initialisation
          script(d, &seen_);
          // A script that left the dialog open (the library kept it open against the script's
          // expectation) must not leave the test waiting: the dialog is cancelled.
          for (int i = 0; i < 300 && IsWindow(d); ++i) {
            if (i > 100) {
              if (HWND box = FindOwnedBox(d, 1)) PostMessageA(box, WM_COMMAND, IDNO, 0);
              Press(d, IDCANCEL);
              seen_.leftOpen = true;
            }
            Sleep(20);
          }
        }) {}
  ~Watcher() { Join(); }
  const Seen& Join() {
    if (thread_.joinable()) thread_.join();
    return seen_;
  }

 private:
  Seen seen_;
  std::thread thread_;
};

Str255 g_prompt;
ConstStr255Param Prompt(const char* text) {
  g_prompt[0] = static_cast<unsigned char>(std::strlen(text));
  std::memcpy(g_prompt + 1, text, g_prompt[0]);
  return g_prompt;
}

// Both dialog styles: the explorer style, which the library asks for on this host, and the
// older style with the new-look flag cleared.
class StandardFileTest : public FilesTest, public ::testing::WithParamInterface<bool> {
 protected:
  void SetUp() override {
    FilesTest::SetUp();
    ZEB_Set_MacWin(g_table, nullptr);
    if (!GetParam()) ZEB_SetFlags(ZEB_SF_3DLOOK, 0, 0, 0);
    ShowWindow(frame_, SW_SHOW);
  }
  SFReply Filled() {
    SFReply r;
    std::memset(&r, 0x7F, sizeof r);
    return r;
  }
};

TEST_P(StandardFileTest, OpenAnswersTheChosenFile) {
  ASSERT_TRUE(dir_.Write("letter.doc", "x"));
  SetFocus(frame_);
  const HWND focusBefore = GetFocus();
  SFReply reply = Filled();
  {
    Watcher w("Open a letter", [&](HWND d, Seen* s) {
      s->frameDisabled = !IsWindowEnabled(frame_);
      ReadTypes(d, s);
      TypeName(d, dir_.File("letter.doc"));
      Press(d, IDOK);
    });
    SFGetFile(Point{}, Prompt("Open a letter:"), nullptr, 2, kTypes, nullptr, &reply);
    const Seen& s = w.Join();
    ASSERT_TRUE(s.found);
    EXPECT_TRUE(s.frameDisabled);
    EXPECT_FALSE(s.leftOpen);
    // Two typed filters and the combined one, which is selected.
    EXPECT_EQ(s.typeCount, 3);
    EXPECT_EQ(s.typeSelected, 2);
    ASSERT_EQ(s.typeTexts.size(), 3u);
    EXPECT_EQ(s.typeTexts[0], "Text");
    EXPECT_EQ(s.typeTexts[2], "All Types");
  }
  EXPECT_TRUE(reply.good);
  EXPECT_EQ(reply.copy, 0);
  EXPECT_EQ(reply.version, 0);
  EXPECT_EQ(TextOf(reply.fName), "letter.doc");
  EXPECT_EQ(reply.fType, kText);
  // The working directory leads back to the folder.
  WDPBRec pb{};
  pb.ioVRefNum = reply.vRefNum;
  ASSERT_EQ(PBGetWDInfo(&pb, false), noErr);
  char path[256];
  ASSERT_EQ(ZEB_HFSpec(pb.ioWDDirID, pb.ioWDVRefNum, reply.fName, path), noErr);
  EXPECT_STRCASEEQ(path, dir_.File("letter.doc").c_str());
  EXPECT_TRUE(IsWindowEnabled(frame_));
  EXPECT_EQ(GetFocus(), focusBefore);
}

TEST_P(StandardFileTest, CancelClearsTheReply) {
  SFReply reply = Filled();
  Watcher w("Pick one", [](HWND d, Seen*) { Press(d, IDCANCEL); });
  SFGetFile(Point{}, Prompt("Pick one"), nullptr, -1, nullptr, nullptr, &reply);
  ASSERT_TRUE(w.Join().found);
  SFReply zero;
  std::memset(&zero, 0, sizeof zero);
  EXPECT_EQ(std::memcmp(&reply, &zero, sizeof reply), 0);
  EXPECT_TRUE(IsWindowEnabled(frame_));
}

TEST_P(StandardFileTest, AllFilesFilterAndNilArguments) {
  Watcher w("Pick any", [](HWND d, Seen* s) {
    ReadTypes(d, s);
    Press(d, IDCANCEL);
  });
  SFReply reply = Filled();
  // numTypes below -1 is read as all files; nothing is read from the nil type list.
  SFGetFile(Point{}, Prompt("Pick any"), nullptr, -5, nullptr, nullptr, &reply);
  const Seen& s = w.Join();
  ASSERT_TRUE(s.found);
  EXPECT_EQ(s.typeTexts, std::vector<std::string>{"All Files (*.*)"});
  EXPECT_FALSE(reply.good);
  // A nil reply: the dialog runs and nothing is written.
  Watcher w2("Pick nil", [](HWND d, Seen*) { Press(d, IDCANCEL); });
  SFGetFile(Point{}, Prompt("Pick nil"), nullptr, -1, nullptr, nullptr, nullptr);
  EXPECT_TRUE(w2.Join().found);
}

TEST_P(StandardFileTest, TheFilterChosenIsChosenAgainAndTypesItsFile) {
  ASSERT_TRUE(dir_.Write("photo.gif", "g"));
  SFReply reply = Filled();
  {
    Watcher w("First", [&](HWND d, Seen*) {
      PickType(d, 1);  // Pictures
      Sleep(50);
      TypeName(d, dir_.File("photo.gif"));
      Press(d, IDOK);
    });
    SFGetFile(Point{}, Prompt("First"), nullptr, 2, kTypes, nullptr, &reply);
    ASSERT_TRUE(w.Join().found);
  }
  ASSERT_TRUE(reply.good);
  // No extension entry knows .gif: the file takes the type of the filter it was chosen under.
  EXPECT_EQ(reply.fType, kPict);
  FInfo info{};
  ASSERT_EQ(GetFInfo(reply.fName, reply.vRefNum, &info), noErr);
  EXPECT_EQ(info.fdType, kPict);
  Watcher w("Second", [](HWND d, Seen* s) {
    ReadTypes(d, s);
    Press(d, IDCANCEL);
  });
  SFGetFile(Point{}, Prompt("Second"), nullptr, 2, kTypes, nullptr, &reply);
  EXPECT_EQ(w.Join().typeSelected, 1);
}

TEST_P(StandardFileTest, SaveAddsTheFilterExtension) {
  ZEB_SF_String(2, 0, kTypes);
  for (const char* typed : {"Report", "Report."}) {
    SFReply reply = Filled();
    Watcher w("Save as", [&](HWND d, Seen*) {
      TypeName(d, dir_.File(typed));
      Press(d, IDOK);
    });
    SFPutFile(Point{}, Prompt("Save as:"), nullptr, nullptr, &reply);
    ASSERT_TRUE(w.Join().found) << typed;
    EXPECT_TRUE(reply.good) << typed;
    EXPECT_EQ(TextOf(reply.fName), "Report.TXT") << typed;
    EXPECT_EQ(reply.fType, kText);
  }
}

TEST_P(StandardFileTest, SaveAsksBeforeReplacingTheExtendedName) {
  ASSERT_TRUE(dir_.Write("Report.TXT", "precious"));
  ZEB_SF_String(2, 0, kTypes);
  SFReply reply = Filled();
  {
    // No: the dialog stays open; then Cancel.
    Watcher w("Save report", [&](HWND d, Seen* s) {
      TypeName(d, dir_.File("Report"));
      Press(d, IDOK);
      HWND box = FindOwnedBox(d);
      s->askedToReplace = box != nullptr;
      if (box) PostMessageA(box, WM_COMMAND, IDNO, 0);
      Sleep(200);
      s->stayedOpen = IsWindow(d) && IsWindowVisible(d);
      Press(d, IDCANCEL);
    });
    SFPutFile(Point{}, Prompt("Save report"), nullptr, nullptr, &reply);
    const Seen& s = w.Join();
    EXPECT_TRUE(s.askedToReplace);
    EXPECT_TRUE(s.stayedOpen);
    EXPECT_FALSE(reply.good);
  }
  {
    Watcher w("Save report", [&](HWND d, Seen* s) {
      TypeName(d, dir_.File("Report"));
      Press(d, IDOK);
      HWND box = FindOwnedBox(d);
      s->askedToReplace = box != nullptr;
      if (box) PostMessageA(box, WM_COMMAND, IDYES, 0);
    });
    SFPutFile(Point{}, Prompt("Save report"), nullptr, nullptr, &reply);
    EXPECT_TRUE(w.Join().askedToReplace);
    EXPECT_TRUE(reply.good);
    EXPECT_EQ(TextOf(reply.fName), "Report.TXT");
  }
  EXPECT_EQ(Contents("Report.TXT"), "precious");  // the dialog itself never writes
}

TEST_P(StandardFileTest, ANameTheReplyCannotHoldIsRefused) {
  ZEB_SF_String(-1, -1, nullptr);
  const std::string longName(64, 'L');
  SFReply reply = Filled();
  Watcher w("Save long", [&](HWND d, Seen* s) {
    TypeName(d, dir_.File(longName));
    Press(d, IDOK);
    Sleep(300);
    s->stayedOpen = IsWindow(d) && IsWindowVisible(d) && !FindOwnedBox(d, 1);
    Press(d, IDCANCEL);
  });
  SFPutFile(Point{}, Prompt("Save long"), nullptr, nullptr, &reply);
  EXPECT_TRUE(w.Join().stayedOpen);
  EXPECT_FALSE(reply.good);
  // One that arrives anyway gives no reply, and nothing past fName is written.
  SFReply r = Filled();
  const std::string path = dir_.File(std::string(200, 'x') + ".txt");
  EXPECT_FALSE(ZEB_DosFSpec2MacSFReply(0, 0, 0, 0, 0, path.c_str(), &r));
  EXPECT_FALSE(r.good);
  EXPECT_EQ(r.fName[0], 0);
  EXPECT_FALSE(ZEB_DosFSpec2MacSFReply(0, 0, 0, 0, 0, nullptr, &r));
  EXPECT_FALSE(ZEB_DosFSpec2MacSFReply(0, 0, 0, 0, 0, path.c_str(), nullptr));
  EXPECT_FALSE(ZEB_DosFSpec2MacSFReply(0, 0, 0, 0, 0, dir_.path().c_str(), &r));  // no name
}

TEST_P(StandardFileTest, SaveTypeListChangesTheExtension) {
  // Wine's explorer-style dialog was not seen to deliver CDN_TYPECHANGE to the hook here.
  if (GetParam()) GTEST_SKIP() << "type change notification not delivered by this host";
  ZEB_SF_String(2, 0, kTypes);
  SFReply reply = Filled();
  Watcher w("Save typed", [&](HWND d, Seen* s) {
    TypeName(d, "Report.TXT");
    PickType(d, 1);
    Sleep(300);
    s->nameAfterTypeChange = TextOfWindow(NameFieldOf(d));
    Press(d, IDCANCEL);
  });
  Str255 orig = {0};
  SFPutFile(Point{}, Prompt("Save typed"), orig, nullptr, &reply);
  EXPECT_EQ(w.Join().nameAfterTypeChange, "Report.PCT");
}

TEST_P(StandardFileTest, FilesStayOpenAcrossTheDialog) {
  ASSERT_TRUE(dir_.Write("held.txt", "held data"));
  const short refNum = Open("held.txt", fsRdPerm);
  ASSERT_NE(refNum, 0);
  Watcher w("Held", [](HWND d, Seen*) { Press(d, IDCANCEL); });
  SFReply reply;
  SFGetFile(Point{}, Prompt("Held"), nullptr, -1, nullptr, nullptr, &reply);
  ASSERT_TRUE(w.Join().found);
  char buffer[9];
  long count = sizeof buffer;
  EXPECT_EQ(FSRead(refNum, &count, buffer), noErr);
  EXPECT_EQ(std::string(buffer, 9), "held data");
  FSClose(refNum);
}

TEST_P(StandardFileTest, StandardCallsFillTheFileSpecification) {
  ASSERT_TRUE(dir_.Write("new.txt", "n"));
  StandardFileReply reply;
  std::memset(&reply, 0x7F, sizeof reply);
  {
    Watcher w(nullptr, [&](HWND d, Seen*) {
      TypeName(d, dir_.File("new.txt"));
      Press(d, IDOK);
    });
    StandardGetFile(nullptr, -1, nullptr, &reply);
    ASSERT_TRUE(w.Join().found);
  }
  ASSERT_TRUE(reply.sfGood);
  FSSpec expected{};
  Name name("new.txt");
  ASSERT_EQ(FSMakeFSSpec(0, 0, name, &expected), noErr);
  EXPECT_EQ(reply.sfFile.vRefNum, expected.vRefNum);
  EXPECT_EQ(reply.sfFile.parID, expected.parID);
  EXPECT_EQ(TextOf(reply.sfFile.name), "new.txt");
  {
    Watcher w("Put it", [&](HWND d, Seen*) { Press(d, IDCANCEL); });
    StandardPutFile(Prompt("Put it"), nullptr, &reply);
    ASSERT_TRUE(w.Join().found);
    EXPECT_FALSE(reply.sfGood);
  }
}

UINT g_filterCalls = 0;
UINT_PTR ZEBAPI CountingFilter(HWND, UINT message, WPARAM, LPARAM) {
  if (message == WM_INITDIALOG) ++g_filterCalls;
  return 0;
}

TEST_P(StandardFileTest, FilterProcedureSeesTheDialogAndAMissingTemplateIsDropped) {
  g_filterCalls = 0;
  SFReply reply;
  // Without the template the host may fail the first dialog and show it again: every dialog of
  // that title is cancelled for a while.
  Watcher w("Filtered", [](HWND d, Seen*) {
    Press(d, IDCANCEL);
    for (int i = 0; i < 100; ++i) {
      if (HWND again = FindWindowA("#32770", "Filtered")) Press(again, IDCANCEL);
      Sleep(20);
    }
  });
  SFPGetFile(Point{}, Prompt("Filtered"), nullptr, -1, nullptr, nullptr, &reply, 4321,
             reinterpret_cast<ProcPtr>(&CountingFilter));
  ASSERT_TRUE(w.Join().found);
  EXPECT_EQ(g_filterCalls, 1u);
  EXPECT_TRUE(IsWindowEnabled(frame_));
}

TEST_P(StandardFileTest, MultipleSelection) {
  // A buffer too small for any name gets nothing and no dialog.
  char tiny[1] = {'#'};
  SFReply reply = Filled();
  SFPGetFile(Point{}, Prompt("never shown"), reinterpret_cast<ProcPtr>(tiny), -1, nullptr,
             nullptr, &reply, 1, kZEBMultipleSelection);
  EXPECT_EQ(tiny[0], '#');
  EXPECT_FALSE(reply.good);
  EXPECT_EQ(reply.version, 1);

  ASSERT_TRUE(dir_.Write("one.txt", "1"));
  ASSERT_TRUE(dir_.Write("two.txt", "2"));
  ASSERT_TRUE(SetCurrentDirectoryA(dir_.path().c_str()));
  std::vector<char> names(1024, '#');
  Watcher w("Several", [&](HWND d, Seen*) {
    // Explorer style takes quoted names; the older style takes them separated by blanks.
    TypeName(d, GetParam() ? "\"one.txt\" \"two.txt\"" : dir_.File("one.txt"));
    Press(d, IDOK);
  });
  SFPGetFile(Point{}, Prompt("Several"), reinterpret_cast<ProcPtr>(names.data()), -1, nullptr,
             nullptr, &reply, static_cast<short>(names.size()), kZEBMultipleSelection);
  ASSERT_TRUE(w.Join().found);
  EXPECT_TRUE(reply.good);
  const std::string got(names.data());
  if (GetParam()) {
    std::string folder = dir_.path();
    folder.pop_back();
    EXPECT_STRCASEEQ(got.c_str(), (folder + " one.txt two.txt").c_str());
  } else {
    EXPECT_NE(got.find("one.txt"), std::string::npos);
  }
}

INSTANTIATE_TEST_SUITE_P(BothStyles, StandardFileTest, ::testing::Bool(),
                         [](const ::testing::TestParamInfo<bool>& info) {
                           return std::string(info.param ? "Explorer" : "OldStyle");
                         });

}  // namespace

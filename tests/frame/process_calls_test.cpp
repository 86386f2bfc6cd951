// The process calls: the documents the application was started with, its own name and process
// number, launching a program, and leaving through the frame window.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "Files.h"
#include "MacMemory.h"
#include "Processes.h"
#include "SegLoad.h"
#include "session_fixture.h"
#include "temp_dir.h"

namespace {

using namespace zebtest;

const OSType kText = ZEB_FOURCC('T', 'E', 'X', 'T');

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
Entry40 g_table[] = {Entry(kText, "TXT", "Text"), Entry(0, "", "")};

std::string TextOf(const unsigned char* p) { return std::string(reinterpret_cast<const char*>(p + 1), p[0]); }

std::string CurrentDirectory() {
  char d[MAX_PATH];
  GetCurrentDirectoryA(sizeof d, d);
  return d;
}

// A session started with a document list and directory.
class ProcessTest : public ::testing::Test {
 protected:
  void Start(const char* documents, const char* directory) {
    frame_ = CreateFrameWindow();
    ASSERT_NE(frame_, nullptr);
    session_.size = kZEBSessionRecSize;
    session_.instance = GetModuleHandleA(nullptr);
    session_.frameWindow = frame_;
    session_.documentList = documents;
    session_.documentDirectory = directory;
    ZEB_InitSession(&session_);
    ZEB_Set_MacWin(g_table, nullptr);
    globals_ = GlobalsRecordFor(cells_);
    ASSERT_EQ(ZEB_InitGlobals(&globals_), ZEB_GLOBALS_OK);
    started_ = true;
  }
  void TearDown() override {
    if (started_) ZEB_ExitSession();
    if (frame_) DestroyWindow(frame_);
  }
  std::vector<std::string> Names() {
    short message = -1, count = -1;
    CountAppFiles(&message, &count);
    std::vector<std::string> names;
    for (short i = 1; i <= count; ++i) {
      AppFile f{};
      GetAppFiles(i, &f);
      names.push_back(TextOf(f.fName));
    }
    return names;
  }

  TempDir dir_;
  HWND frame_ = nullptr;
  ZEB_SessionRec session_{};
  AppGlobals cells_{};
  ZEB_GlobalsRec globals_{};
  bool started_ = false;
};

TEST_F(ProcessTest, NoDocumentListGivesOpenAndNoFiles) {
  Start(nullptr, nullptr);
  short message = -1, count = -1;
  CountAppFiles(&message, &count);
  EXPECT_EQ(message, appOpen);
  EXPECT_EQ(count, 0);
  AppFile untouched;
  std::memset(&untouched, 0x5A, sizeof untouched);
  AppFile f = untouched;
  GetAppFiles(1, &f);
  EXPECT_EQ(std::memcmp(&f, &untouched, sizeof f), 0);
  CountAppFiles(nullptr, nullptr);  // nil arguments are skipped
  GetAppFiles(1, nullptr);
}

TEST_F(ProcessTest, DocumentsAreListedMissingOnesDropped) {
  ASSERT_TRUE(dir_.Write("a.txt", "a"));
  ASSERT_TRUE(CreateDirectoryA(dir_.File("sub dir").c_str(), nullptr));
  ASSERT_TRUE(dir_.Write("sub dir\\b c.txt", "b"));
  ASSERT_TRUE(dir_.Write("other.bin", "o"));
  const std::string longName(70, 'n');
  ASSERT_TRUE(dir_.Write(longName + ".txt", "l"));
  // The directory without its final backslash; a relative name, a quoted absolute one with
  // blanks, a missing one, a folder, a long name, the print switch, empty tokens.
  std::string directory = dir_.path();
  directory.pop_back();
  const std::string list = "a.txt , \"" + dir_.File("sub dir\\b c.txt") +
                           "\",missing.txt,,sub dir, " + longName + ".txt, /P ,other.bin";
  const std::string before = CurrentDirectory();
  Start(list.c_str(), directory.c_str());
  short message = -1, count = -1;
  CountAppFiles(&message, &count);
  EXPECT_EQ(message, appPrint);
  EXPECT_EQ(count, 3);
  EXPECT_EQ(Names(), (std::vector<std::string>{"a.txt", "b c.txt", "other.bin"}));
  // Building the list leaves the current directory where it was.
  EXPECT_EQ(CurrentDirectory(), before);

  AppFile f{};
  GetAppFiles(2, &f);
  EXPECT_EQ(f.fType, kText);
  EXPECT_EQ(f.versNum, 0);
  // The volume reference names the document's folder.
  char path[256];
  ASSERT_EQ(ZEB_FSpec(f.vRefNum, f.fName, path), noErr);
  EXPECT_STRCASEEQ(path, dir_.File("sub dir\\b c.txt").c_str());

  // Indices outside the list leave the record alone; ClrAppFiles never shortens it.
  AppFile untouched;
  std::memset(&untouched, 0x33, sizeof untouched);
  for (short index : {0, -1, 4, 32767}) {
    AppFile g = untouched;
    GetAppFiles(index, &g);
    EXPECT_EQ(std::memcmp(&g, &untouched, sizeof g), 0) << index;
  }
  ClrAppFiles(1);
  CountAppFiles(&message, &count);
  EXPECT_EQ(count, 3);
}

TEST_F(ProcessTest, AListTheApplicationDamagedIsWalkedWithinItsHandle) {
  ASSERT_TRUE(dir_.Write("a.txt", "a"));
  Start("a.txt", dir_.path().c_str());
  Handle list = *static_cast<Handle*>(globals_.appParmHandle);
  ASSERT_NE(list, nullptr);
  // Cut to its one entry (a.txt ends at byte 20), with a count far beyond its entries and then
  // a name length running past the handle's end.
  SetHandleSize(list, 20);
  ASSERT_EQ(MemError(), noErr);
  AppFile first{};
  GetAppFiles(1, &first);
  EXPECT_EQ(TextOf(first.fName), "a.txt");
  short* header = reinterpret_cast<short*>(*list);
  header[1] = 500;
  AppFile untouched;
  std::memset(&untouched, 0x44, sizeof untouched);
  AppFile f = untouched;
  GetAppFiles(2, &f);
  EXPECT_EQ(std::memcmp(&f, &untouched, sizeof f), 0);
  reinterpret_cast<unsigned char*>(*list)[14] = 250;
  GetAppFiles(1, &f);
  EXPECT_EQ(std::memcmp(&f, &untouched, sizeof f), 0);
}

TEST_F(ProcessTest, AppParmsNameTheProgramAndItsList) {
  Start(nullptr, nullptr);
  Str255 name{};
  short refNum = -1;
  Handle param = nullptr;
  GetAppParms(name, &refNum, &param);
  char module[MAX_PATH];
  GetModuleFileNameA(nullptr, module, sizeof module);
  EXPECT_STRCASEEQ(TextOf(name).c_str(), std::strrchr(module, '\\') + 1);
  EXPECT_EQ(param, *static_cast<Handle*>(globals_.appParmHandle));
  EXPECT_NE(param, nullptr);
  EXPECT_EQ(refNum, 0);  // no InitResources: no application resource file yet
  GetAppParms(nullptr, nullptr, nullptr);
}

TEST_F(ProcessTest, TheApplicationIsTheOnlyProcess) {
  Start(nullptr, nullptr);
  ProcessSerialNumber current{7, 7}, front{9, 9};
  EXPECT_EQ(GetCurrentProcess(&current), noErr);
  EXPECT_EQ(current.highLongOfPSN, 0u);
  EXPECT_EQ(current.lowLongOfPSN,
            static_cast<unsigned long>(reinterpret_cast<uintptr_t>(GetModuleHandleA(nullptr))));
  EXPECT_EQ(GetFrontProcess(&front), noErr);
  Boolean same = false;
  EXPECT_EQ(SameProcess(&current, &front, &same), noErr);
  EXPECT_TRUE(same);
  ProcessSerialNumber other = current;
  other.highLongOfPSN = 1;
  EXPECT_EQ(SameProcess(&current, &other, &same), noErr);
  EXPECT_FALSE(same);
  ProcessSerialNumber next{kNoProcess, kNoProcess};
  EXPECT_EQ(GetNextProcess(&next), procNotFound);
  EXPECT_EQ(next.lowLongOfPSN, static_cast<unsigned long>(kNoProcess));
  EXPECT_EQ(GetCurrentProcess(nullptr), paramErr);
  EXPECT_EQ(SameProcess(&current, nullptr, &same), paramErr);
}

TEST_F(ProcessTest, LaunchApplicationRunsAPathWithBlanks) {
  Start(nullptr, nullptr);
  char self[MAX_PATH];
  GetModuleFileNameA(nullptr, self, sizeof self);
  std::string probe(self);
  probe.erase(probe.rfind('\\') + 1);
  probe += "launch_probe.exe";
  ASSERT_TRUE(CreateDirectoryA(dir_.File("Program Files").c_str(), nullptr));
  const std::string target = dir_.File("Program Files\\probe.exe");
  ASSERT_TRUE(CopyFileA(probe.c_str(), target.c_str(), FALSE)) << probe;
  FSSpec program{};
  program.name[0] = static_cast<unsigned char>(target.size());
  std::memcpy(program.name + 1, target.data(), target.size());
  LaunchParamBlockRec pb{};
  pb.launchBlockID = extendedBlock;
  pb.launchEPBLength = extendedBlockLen;
  pb.launchControlFlags = launchContinue | launchNoFileFlags;
  pb.launchAppSpec = &program;
  ASSERT_EQ(LaunchApplication(&pb), noErr);
  // The program runs on its own; its mark shows that the whole quoted path was started.
  const std::string mark = dir_.File("Program Files\\launched.txt");
  for (int i = 0; i < 500 && GetFileAttributesA(mark.c_str()) == INVALID_FILE_ATTRIBUTES; ++i)
    Sleep(20);
  EXPECT_NE(GetFileAttributesA(mark.c_str()), INVALID_FILE_ATTRIBUTES);
  // The first word alone would have been "...\Program": no such program may have run.
  EXPECT_EQ(GetFileAttributesA(dir_.File("launched.txt").c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST_F(ProcessTest, LaunchApplicationFailures) {
  Start(nullptr, nullptr);
  const std::string missing = dir_.File("no such program.exe");
  FSSpec program{};
  program.name[0] = static_cast<unsigned char>(missing.size());
  std::memcpy(program.name + 1, missing.data(), missing.size());
  LaunchParamBlockRec pb{};
  pb.launchAppSpec = &program;
  EXPECT_EQ(LaunchApplication(&pb), fnfErr);
  pb.launchAppSpec = nullptr;
  EXPECT_EQ(LaunchApplication(&pb), paramErr);
  EXPECT_EQ(LaunchApplication(nullptr), paramErr);
  // A file record the File Manager cannot turn into a path keeps its error.
  FSSpec bad{};
  bad.vRefNum = -30;
  bad.name[0] = 1;
  bad.name[1] = 'x';
  pb.launchAppSpec = &bad;
  EXPECT_EQ(LaunchApplication(&pb), nsvErr);
}

std::vector<UINT> g_frameLog;
bool g_reenter = false;
bool g_quitSeenAtExitMessage = false;

LRESULT CALLBACK LoggingFrameProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == ZEB_WM_EXITTOSHELL) {
    g_frameLog.push_back(message);
    MSG m;
    g_quitSeenAtExitMessage = PeekMessageA(&m, nullptr, WM_QUIT, WM_QUIT, PM_NOREMOVE) != 0;
    if (g_reenter) ExitToShell();
    return 0;
  }
  return DefWindowProcA(hwnd, message, wParam, lParam);
}

class ExitTest : public ProcessTest {
 protected:
  void SetUp() override {
    WNDCLASSA wc{};
    wc.lpfnWndProc = LoggingFrameProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "ZEBExitTestFrame";
    RegisterClassA(&wc);
    g_frameLog.clear();
  }
  void StartWithLoggingFrame() {
    HWND frame = CreateWindowA("ZEBExitTestFrame", "exit", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100,
                               nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(frame, nullptr);
    session_.size = kZEBSessionRecSize;
    session_.instance = GetModuleHandleA(nullptr);
    session_.frameWindow = frame;
    frame_ = frame;
    ZEB_InitSession(&session_);
    globals_ = GlobalsRecordFor(cells_);
    ASSERT_EQ(ZEB_InitGlobals(&globals_), ZEB_GLOBALS_OK);
    started_ = true;
  }
  static bool QuitQueued() {
    MSG m;
    return PeekMessageA(&m, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE) != 0;
  }
};

TEST_F(ExitTest, TheFrameHearsOfTheExitBeforeTheQuitIsQueued) {
  StartWithLoggingFrame();
  g_reenter = false;
  ExitToShell();
  EXPECT_EQ(g_frameLog, std::vector<UINT>{ZEB_WM_EXITTOSHELL});
  EXPECT_FALSE(g_quitSeenAtExitMessage);
  EXPECT_TRUE(QuitQueued());
}

TEST_F(ExitTest, ExitToShellFromTheExitHandlerDoesNotRecurse) {
  StartWithLoggingFrame();
  g_reenter = true;
  ExitToShell();
  g_reenter = false;
  EXPECT_EQ(g_frameLog.size(), 1u);
  EXPECT_TRUE(QuitQueued());
  // A later exit is heard again.
  ExitToShell();
  EXPECT_EQ(g_frameLog.size(), 2u);
  EXPECT_TRUE(QuitQueued());
}

}  // namespace

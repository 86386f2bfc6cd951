// The outputs that entry points without their manager's work still write, their edge cases,
// and the calls that reach their exports under another spelling.
#include <windows.h>

#include <cstddef>
#include <cstring>
#include <string>
#include <vector>

#include "AppleEvents.h"
#include "Aliases.h"
#include "Balloons.h"
#include "Devices.h"
#include "Files.h"
#include "ImageCompression.h"
#include "MacMemory.h"
#include "OSUtils.h"
#include "Processes.h"
#include "SANE.h"
#include "Script.h"
#include "Sound.h"
#include "StandardFile.h"
#include "debug_capture.h"
#include "session_fixture.h"

namespace {

using UnsupportedOutputsTest = zebtest::SessionTest;

constexpr unsigned char kFill = 0x5A;

// A caller's record, filled with a pattern, to see which bytes a call writes.
struct Record {
  Record() { std::memset(bytes, kFill, sizeof bytes); }
  template <class T>
  T* As() {
    return reinterpret_cast<T*>(bytes);
  }
  // The offsets whose bytes no longer hold the pattern.
  std::vector<size_t> Written() const {
    std::vector<size_t> at;
    for (size_t i = 0; i < sizeof bytes; ++i)
      if (bytes[i] != kFill) at.push_back(i);
    return at;
  }
  alignas(8) unsigned char bytes[128];
};

TEST_F(UnsupportedOutputsTest, SndPlayReportsAndSucceedsWhateverItsArguments) {
  Handle sound = NewHandleClear(64);
  ASSERT_NE(sound, nullptr);
  SndChannel* anyChannel = reinterpret_cast<SndChannel*>(sound);
  zebtest::DebugCapture capture;
  EXPECT_EQ(SndPlay(nullptr, nullptr, false), 0);
  EXPECT_EQ(SndPlay(nullptr, reinterpret_cast<SndListHandle>(sound), true), 0);
  EXPECT_EQ(SndPlay(anyChannel, reinterpret_cast<SndListHandle>(sound), false), 0);
  EXPECT_EQ(capture.Text(), " SndPlay\r\n SndPlay\r\n SndPlay\r\n");
  DisposeHandle(sound);
}

TEST_F(UnsupportedOutputsTest, GetScriptAnswersVerb82SilentlyAndReportsEveryOtherVerb) {
  struct Case {
    short script;
    short verb;
    long result;
    const char* report;
  };
  const Case cases[] = {
      {0, 82, 0x0015000A, ""},          {1, 82, 0x0015000A, ""},
      {0, 0, 0, " GetScript\r\n"},      {0, 80, 0, " GetScript\r\n"},
      {0, 81, 0, " GetScript\r\n"},     {0, 83, 0, " GetScript\r\n"},
      {0, -82, 0, " GetScript\r\n"},    {0, 82 + 0x100, 0, " GetScript\r\n"},
  };
  for (const Case& c : cases) {
    zebtest::DebugCapture capture;
    EXPECT_EQ(GetScript(c.script, c.verb), c.result) << c.verb;
    EXPECT_EQ(capture.Text(), c.report) << c.verb;
  }
}

TEST_F(UnsupportedOutputsTest, AESizeOfParamGivesSizeZeroAndDescNotFoundSilently) {
  zebtest::DebugCapture capture;
  DescType type = ZEB_FOURCC('T', 'E', 'X', 'T');
  Size size = 1234;
  EXPECT_EQ(AESizeOfParam(nullptr, ZEB_FOURCC('-', '-', '-', '-'), &type, &size), -1701);
  EXPECT_EQ(size, 0);
  EXPECT_EQ(type, ZEB_FOURCC('T', 'E', 'X', 'T')) << "only the size is written";
  EXPECT_EQ(AESizeOfParam(nullptr, 0, nullptr, nullptr), -1701) << "NIL outputs are skipped";
  EXPECT_EQ(capture.Text(), "");
}

TEST_F(UnsupportedOutputsTest, AEGetInteractionAllowedGivesLevelZeroSilently) {
  zebtest::DebugCapture capture;
  AEInteractAllowed level = kAEInteractWithAll;
  EXPECT_EQ(AEGetInteractionAllowed(&level), 0);
  EXPECT_EQ(level, kAEInteractWithSelf);
  EXPECT_EQ(AEGetInteractionAllowed(nullptr), 0);
  EXPECT_EQ(capture.Text(), "");
}

TEST_F(UnsupportedOutputsTest, HelpMenuHandleIsNilNotTheCallersOldValue) {
  zebtest::DebugCapture capture;
  MenuHandle menu = reinterpret_cast<MenuHandle>(&capture);
  EXPECT_EQ(HMGetHelpMenuHandle(&menu), 0);
  EXPECT_EQ(menu, nullptr);
  EXPECT_EQ(HMGetHelpMenuHandle(nullptr), 0);
  EXPECT_EQ(capture.Text(), "");
}

TEST_F(UnsupportedOutputsTest, ResolveAliasFileAnswersAPlainFileAndKeepsTheSpec) {
  Record fileSpec;
  Boolean isFolder = true, wasAliased = true;
  zebtest::DebugCapture capture;
  EXPECT_EQ(ResolveAliasFile(fileSpec.As<FSSpec>(), true, &isFolder, &wasAliased), 0);
  EXPECT_FALSE(isFolder);
  EXPECT_FALSE(wasAliased);
  EXPECT_TRUE(fileSpec.Written().empty());
  EXPECT_EQ(ResolveAliasFile(nullptr, false, nullptr, nullptr), 0);
  EXPECT_EQ(capture.Text(), " ResolveAliasFile\r\n ResolveAliasFile\r\n");
}

// ioResult follows the queue link, type, trap word, command address and completion routine.
struct ParamBlockStart {
  void* qLink;
  short qType;
  short ioTrap;
  void* ioCmdAddr;
  void* ioCompletion;
  OSErr ioResult;
};
constexpr size_t kIoResult = offsetof(ParamBlockStart, ioResult);

TEST_F(UnsupportedOutputsTest, ParameterBlockCallsLeaveTheirResultInIoResultOnly) {
  struct Case {
    const char* name;
    OSErr (*call)(void* pb);
    OSErr result;
  };
  const Case cases[] = {
      {"PBOpenRF", [](void* pb) { return PBOpenRF(static_cast<ParmBlkPtr>(pb), false); }, -36},
      {"PBHOpenRF", [](void* pb) { return PBHOpenRF(static_cast<HParmBlkPtr>(pb), true); }, -1},
      {"PBHOpenDeny", [](void* pb) { return PBHOpenDeny(static_cast<HParmBlkPtr>(pb), false); }, -1},
      {"PBHSetFLock", [](void* pb) { return PBHSetFLock(static_cast<HParmBlkPtr>(pb), false); }, -1},
      {"PBHRstFLock", [](void* pb) { return PBHRstFLock(static_cast<HParmBlkPtr>(pb), false); }, -1},
      {"PBLockRange", [](void* pb) { return PBLockRange(static_cast<ParmBlkPtr>(pb), false); }, -1},
      {"PBUnlockRange", [](void* pb) { return PBUnlockRange(static_cast<ParmBlkPtr>(pb), false); }, -1},
      {"PBCatMove", [](void* pb) { return PBCatMove(static_cast<CMovePBPtr>(pb), false); }, -1},
      {"PBCatSearch", [](void* pb) { return PBCatSearch(static_cast<CSParamPtr>(pb), true); }, -1},
      {"PBSetCatInfoSync", [](void* pb) { return PBSetCatInfoSync(static_cast<CInfoPBPtr>(pb)); }, -1},
      {"PBDTGetPath", [](void* pb) { return PBDTGetPath(static_cast<DTPBPtr>(pb)); }, -1},
      {"PBDTGetAPPL", [](void* pb) { return PBDTGetAPPL(static_cast<DTPBPtr>(pb), false); }, -1},
      {"PBDTGetAPPLSync", [](void* pb) { return PBDTGetAPPLSync(static_cast<DTPBPtr>(pb)); }, -1},
      {"PBDTGetIcon", [](void* pb) { return PBDTGetIcon(static_cast<DTPBPtr>(pb), false); }, -1},
      {"PBControl", [](void* pb) { return PBControl(static_cast<ParmBlkPtr>(pb), false); }, -1},
      {"PBControlSync", [](void* pb) { return PBControlSync(static_cast<ParmBlkPtr>(pb)); }, -1},
      {"PBStatus", [](void* pb) { return PBStatus(static_cast<ParmBlkPtr>(pb), true); }, 0},
  };
  for (const Case& c : cases) {
    Record pb;
    EXPECT_EQ(c.call(pb.bytes), c.result) << c.name;
    OSErr ioResult;
    std::memcpy(&ioResult, pb.bytes + kIoResult, sizeof ioResult);
    EXPECT_EQ(ioResult, c.result) << c.name;
    for (size_t at : pb.Written())
      EXPECT_TRUE(at >= kIoResult && at < kIoResult + sizeof(OSErr)) << c.name << " wrote " << at;
    EXPECT_EQ(c.call(nullptr), c.result) << c.name << " with a NIL block";
  }
}

TEST_F(UnsupportedOutputsTest, FileDialogsAnswerCancelledAndWriteNothingElse) {
  // The reply's first byte is good (SFReply) or sfGood (StandardFileReply).
  struct Case {
    const char* name;
    void (*call)(void* reply);
  };
  const Case cases[] = {
      {"CustomGetFile",
       [](void* reply) {
         CustomGetFile(nullptr, -1, nullptr, static_cast<StandardFileReply*>(reply), 0, Point{},
                       nullptr, nullptr, nullptr, nullptr, nullptr);
       }},
      {"CustomPutFile",
       [](void* reply) {
         CustomPutFile(nullptr, nullptr, static_cast<StandardFileReply*>(reply), 0, Point{},
                       nullptr, nullptr, nullptr, nullptr, nullptr);
       }},
      {"SFPGetFilePreview",
       [](void* reply) {
         SFPGetFilePreview(Point{}, nullptr, nullptr, -1, nullptr, nullptr,
                           static_cast<SFReply*>(reply), 0, nullptr);
       }},
  };
  for (const Case& c : cases) {
    Record reply;
    reply.bytes[0] = 1;  // the caller's variable held "chosen"
    zebtest::DebugCapture capture;
    c.call(reply.bytes);
    c.call(nullptr);
    EXPECT_EQ(reply.bytes[0], 0) << c.name;
    EXPECT_EQ(reply.Written(), std::vector<size_t>{0}) << c.name;
    EXPECT_EQ(capture.Text(), std::string(" ") + c.name + "\r\n " + c.name + "\r\n");
  }
}

// Procedure pointers called through CallPascal are never called; the caller removes its own
// arguments, however many it passed.
TEST_F(UnsupportedOutputsTest, VariadicDispatchersTakeAnyArgumentsAndCallNothing) {
  static bool called = false;
  struct Probe {
    static long ZEBAPI Procedure() {
      called = true;
      return 1;
    }
  };
  ProcPtr proc = &Probe::Procedure;
  zebtest::DebugCapture capture;
  EXPECT_EQ(CallPascalL(proc), 0);
  EXPECT_EQ(CallPascalW(1, 2, 3, 4, 5, 6, 7, 8, proc), 0);
  EXPECT_EQ(CallPascalB(1.5, proc), 0);
  CallPascal(proc);
  EXPECT_EQ(ScriptUtil(0x82000000L, 1, 2), 0);
  elems68k(static_cast<void*>(nullptr), 0);
  fp68k2(static_cast<void*>(nullptr), static_cast<void*>(nullptr), 0);
  EXPECT_FALSE(called);
  EXPECT_EQ(capture.Text(),
            " CallPascalL\r\n CallPascalW\r\n CallPascalB\r\n CallPascal\r\n ScriptUtil\r\n"
            " elems68k\r\n fp68k2 (subcode)\r\n");
}

// Windows' own calls of the same names stay reachable beside the Toolbox's.
TEST_F(UnsupportedOutputsTest, WindowsCallsStayReachableBesideTheToolboxSpellings) {
  HWND(WINAPI * replace)(LPFINDREPLACEA) = &ReplaceTextA;
  EXPECT_NE(replace, nullptr);
#if _WIN32_WINNT >= 0x0602
  WINBOOL(WINAPI * information)(HANDLE, PROCESS_INFORMATION_CLASS, LPVOID, DWORD) =
      &GetProcessInformation;
  EXPECT_NE(information, nullptr);
#endif
  zebtest::DebugCapture capture;
  Str15 key = {0};
  EXPECT_EQ(ReplaceText(nullptr, nullptr, key), 0);
  EXPECT_EQ(GetProcessInformation(nullptr, nullptr), -50);
  EXPECT_EQ(capture.Text(), " ReplaceText\r\n GetProcessInformation\r\n");
}

}  // namespace

// Starting and ending a session: the session record, the 3D dialog class, procedure instances
// and the Toolbox globals' initial values.
#include <algorithm>
#include <cstring>
#include <vector>

#include "MacMemory.h"
#include "session_fixture.h"

namespace {

using zebtest::AppGlobals;
using zebtest::SessionTest;

constexpr unsigned char kFill = 0xCD;

// A session record inside a larger buffer filled with kFill, to see which bytes are written.
struct RecordBuffer {
  unsigned char bytes[sizeof(ZEB_SessionRec) * 2];
  RecordBuffer() { std::memset(bytes, kFill, sizeof bytes); }
  ZEB_SessionRec* rec() { return reinterpret_cast<ZEB_SessionRec*>(bytes); }
  bool UntouchedFrom(size_t offset) const {
    for (size_t i = offset; i < sizeof bytes; ++i)
      if (bytes[i] != kFill) return false;
    return true;
  }
};

bool ClassExists(const char* name) {
  WNDCLASSA wc;
  return GetClassInfoA(GetModuleHandleA(nullptr), name, &wc) != 0;
}

class SessionRecordTest : public ::testing::Test {
 protected:
  void SetUp() override {
    zebtest::RegisterAppClasses();
    frame_ = zebtest::CreateFrameWindow();
  }
  void TearDown() override {
    ZEB_ExitSession();
    DestroyWindow(frame_);
  }
  HWND frame_ = nullptr;
};

TEST_F(SessionRecordTest, FullRecordGetsStartedFlagsAndDefaultNames) {
  ZEB_SessionRec rec{};
  rec.size = kZEBSessionRecSize;
  rec.instance = GetModuleHandleA(nullptr);
  rec.frameWindow = frame_;
  rec.flags = ZEB_SF_SMALLBLOCKS;
  ZEB_InitSession(&rec);
  EXPECT_EQ(rec.started, 1);
  EXPECT_STREQ(rec.mainClassName, "ZEBMainWndClass");
  EXPECT_STREQ(rec.childClassName, "ZEBSubWndClass");
  EXPECT_STREQ(rec.mdiChildClassName, "ZEBSubMDIWndClass");
  EXPECT_STREQ(rec.resourceFileName, "ZEBPORT.RSR");
  EXPECT_STREQ(rec.offscreenDriverName, "DIB");
  EXPECT_STREQ(rec.threeDBaseClassName, "ZEBSubWndClass");
  // Wine runs as the new shell, whose own look is used: the 3D class is registered.
  EXPECT_EQ(rec.flags, static_cast<unsigned long>(ZEB_SF_SMALLBLOCKS | ZEB_SF_3DLOOK));
  EXPECT_TRUE(ClassExists("_ZEB_THREED_"));
}

TEST_F(SessionRecordTest, ShortRecordIsReadAndWrittenOnlyToItsOwnLength) {
  RecordBuffer buffer;
  // The record up to (not including) the flags field: 20 bytes in the 32-bit library.
  const size_t shortSize = offsetof(ZEB_SessionRec, flags);
  std::memset(buffer.bytes, 0, shortSize);
  ZEB_SessionRec* rec = buffer.rec();
  rec->size = static_cast<short>(shortSize);
  rec->instance = GetModuleHandleA(nullptr);
  rec->frameWindow = frame_;
  ZEB_InitSession(rec);
  EXPECT_EQ(rec->started, 1);
  EXPECT_TRUE(buffer.UntouchedFrom(shortSize));
  // The class names the caller could not supply took their defaults: the 3D class was made
  // from "ZEBSubWndClass".
  EXPECT_TRUE(ClassExists("_ZEB_THREED_"));
}

TEST_F(SessionRecordTest, OversizedRecordIsReadAndWrittenOnlyToTheFullSize) {
  RecordBuffer buffer;
  std::memset(buffer.bytes, 0, sizeof(ZEB_SessionRec));
  ZEB_SessionRec* rec = buffer.rec();
  rec->size = 0x7FFF;
  rec->instance = GetModuleHandleA(nullptr);
  rec->frameWindow = frame_;
  ZEB_InitSession(rec);
  EXPECT_EQ(rec->started, 1);
  EXPECT_STREQ(rec->threeDBaseClassName, "ZEBSubWndClass");
  EXPECT_TRUE(buffer.UntouchedFrom(sizeof(ZEB_SessionRec)));
}

TEST_F(SessionRecordTest, NegativeSizeReadsAndWritesNothing) {
  RecordBuffer buffer;
  buffer.rec()->size = -4;
  ZEB_InitSession(buffer.rec());
  EXPECT_EQ(buffer.rec()->size, -4);
  EXPECT_TRUE(buffer.UntouchedFrom(sizeof(short)));
  // The session still started.
  AppGlobals cells{};
  ZEB_GlobalsRec globals = zebtest::GlobalsRecordFor(cells);
  EXPECT_EQ(ZEB_InitGlobals(&globals), ZEB_GLOBALS_OK);
}

TEST_F(SessionRecordTest, GlobalsBeforeSessionReportNoSession) {
  AppGlobals cells{};
  ZEB_GlobalsRec globals = zebtest::GlobalsRecordFor(cells);
  EXPECT_EQ(ZEB_InitGlobals(&globals), ZEB_GLOBALS_NO_SESSION);
  ZEB_SessionRec rec{};
  rec.size = kZEBSessionRecSize;
  rec.instance = GetModuleHandleA(nullptr);
  ZEB_InitSession(&rec);
  EXPECT_EQ(ZEB_InitGlobals(&globals), ZEB_GLOBALS_OK);
}

TEST_F(SessionRecordTest, MissingBaseClassTurnsTheThreeDLookOff) {
  ZEB_SessionRec rec{};
  rec.size = kZEBSessionRecSize;
  rec.instance = GetModuleHandleA(nullptr);
  rec.flags = ZEB_SF_3DLOOK;
  rec.threeDBaseClassName = "NoSuchClassAnywhere";
  ZEB_InitSession(&rec);
  EXPECT_EQ(rec.started, 1);
  EXPECT_EQ(rec.flags & ZEB_SF_3DLOOK, 0u);
  EXPECT_FALSE(ClassExists("_ZEB_THREED_"));
}

TEST_F(SessionRecordTest, ThreeDClassLivesForTheSession) {
  ZEB_SessionRec rec{};
  rec.size = kZEBSessionRecSize;
  rec.instance = GetModuleHandleA(nullptr);
  ZEB_InitSession(&rec);
  EXPECT_TRUE(ClassExists("_ZEB_THREED_"));
  ZEB_ExitSession();
  EXPECT_FALSE(ClassExists("_ZEB_THREED_"));
}

TEST_F(SessionRecordTest, SessionStartsAgainAfterExit) {
  for (int round = 0; round < 2; ++round) {
    ZEB_SessionRec rec{};
    rec.size = kZEBSessionRecSize;
    rec.instance = GetModuleHandleA(nullptr);
    rec.frameWindow = frame_;
    ZEB_InitSession(&rec);
    ASSERT_EQ(rec.started, 1);
    Handle h = NewHandle(100);
    ASSERT_NE(h, nullptr);
    (*h)[99] = 7;
    ZEB_ExitSession();
  }
}

// The procedure-instance functions of the session record see every callback the library keeps.
struct ProcInstanceLog {
  static std::vector<FARPROC> made;
  static std::vector<FARPROC> freed;
  static FARPROC WINAPI Make(FARPROC proc, HINSTANCE) {
    made.push_back(proc);
    return proc;
  }
  static void WINAPI Free(FARPROC proc) { freed.push_back(proc); }
};
std::vector<FARPROC> ProcInstanceLog::made;
std::vector<FARPROC> ProcInstanceLog::freed;

INT_PTR WINAPI SomeCallback() { return 0; }
INT_PTR WINAPI OtherCallback() { return 1; }

TEST_F(SessionRecordTest, StoredCallbacksAreMadeIntoProcedureInstancesAndFreedAtExit) {
  for (unsigned long flags : {0ul, static_cast<unsigned long>(ZEB_SF_NOPROCINSTANCES)}) {
    ProcInstanceLog::made.clear();
    ProcInstanceLog::freed.clear();
    ZEB_SessionRec rec{};
    rec.size = kZEBSessionRecSize;
    rec.instance = GetModuleHandleA(nullptr);
    rec.flags = flags;
    rec.makeProcInstance = ProcInstanceLog::Make;
    rec.freeProcInstance = ProcInstanceLog::Free;
    rec.scrapCallback = SomeCallback;
    rec.resourceConversionCallback = OtherCallback;
    rec.printDialogHook = SomeCallback;
    rec.printSetupDialogHook = OtherCallback;
    ZEB_InitSession(&rec);
    ZEB_ExitSession();
    const size_t expected = flags ? 0 : 4;
    EXPECT_EQ(ProcInstanceLog::made.size(), expected) << "flags " << flags;
    EXPECT_EQ(ProcInstanceLog::freed.size(), expected) << "flags " << flags;
  }
}

// The 3D dialog class copies its base class and chains to the base class's procedure.
std::vector<UINT> g_baseMessages;
LRESULT CALLBACK BaseDialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_USER + 7) {
    g_baseMessages.push_back(message);
    return 1234;
  }
  return DefWindowProcA(hwnd, message, wParam, lParam);
}

TEST_F(SessionRecordTest, ThreeDClassChainsToTheBaseClassProcedure) {
  WNDCLASSA base{};
  base.lpfnWndProc = BaseDialogProc;
  base.hInstance = GetModuleHandleA(nullptr);
  base.cbWndExtra = 32;
  base.lpszClassName = "ZebTestDialogBase";
  ASSERT_NE(RegisterClassA(&base), 0);
  ZEB_SessionRec rec{};
  rec.size = kZEBSessionRecSize;
  rec.instance = GetModuleHandleA(nullptr);
  rec.threeDBaseClassName = "ZebTestDialogBase";
  ZEB_InitSession(&rec);
  ASSERT_NE(rec.flags & ZEB_SF_3DLOOK, 0u);

  WNDCLASSA threeD{};
  ASSERT_TRUE(GetClassInfoA(GetModuleHandleA(nullptr), "_ZEB_THREED_", &threeD));
  EXPECT_EQ(reinterpret_cast<void*>(threeD.lpfnWndProc),
            reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("ZEB32_10.dll"), "ThreeDDlgWndProc")));
  EXPECT_EQ(threeD.cbWndExtra, 32);
  EXPECT_EQ(threeD.hbrBackground, reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));

  HWND dialog = CreateWindowA("_ZEB_THREED_", "3D", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr,
                              GetModuleHandleA(nullptr), nullptr);
  ASSERT_NE(dialog, nullptr);
  g_baseMessages.clear();
  EXPECT_EQ(SendMessageA(dialog, WM_USER + 7, 0, 0), 1234);
  EXPECT_EQ(g_baseMessages.size(), 1u);
  DestroyWindow(dialog);
}

// The globals' initial values, written into the application's own cells.
using GlobalsTest = SessionTest;

TEST_F(GlobalsTest, InitialValuesAreWrittenIntoTheApplicationsCells) {
  EXPECT_EQ(cells_.mBarHeight, GetSystemMetrics(SM_CYMENU) + 2);
  EXPECT_EQ(cells_.memErr, 0);
  EXPECT_EQ(cells_.grayRgn, nullptr);
  EXPECT_EQ(cells_.eventQueue.qFlags, 0);
  EXPECT_EQ(cells_.eventQueue.qHead, nullptr);
  EXPECT_EQ(cells_.scrapInfo.scrapSize, 0);
  EXPECT_EQ(cells_.scrapInfo.scrapHandle, nullptr);
  EXPECT_EQ(cells_.scrapInfo.scrapCount, 1);
  EXPECT_EQ(cells_.scrapInfo.scrapState, 0);
  ASSERT_NE(cells_.scrapInfo.scrapName, nullptr);
  EXPECT_EQ(0, std::memcmp(cells_.scrapInfo.scrapName, "\x09scrapfile", 11))
      << "length-prefixed, with a zero after the text";
  EXPECT_EQ(cells_.printErr, 0);
  const unsigned long now = GetTickCount() >> 4;
  EXPECT_LE(cells_.ticks, now);
  EXPECT_GE(cells_.ticks + 64, now);
  EXPECT_EQ(cells_.caretTime, static_cast<long>(GetCaretBlinkTime() >> 4));
  EXPECT_EQ(cells_.hiliteMode, 0x80);
  EXPECT_EQ(cells_.resErr, 0);
  const COLORREF highlight = GetSysColor(COLOR_HIGHLIGHT);
  EXPECT_EQ(cells_.hiliteRGB.red, GetRValue(highlight) << 8);
  EXPECT_EQ(cells_.hiliteRGB.green, GetGValue(highlight) << 8);
  EXPECT_EQ(cells_.hiliteRGB.blue, GetBValue(highlight) << 8);
  EXPECT_EQ(cells_.theMenu, 0);
  EXPECT_EQ(static_cast<unsigned short>(cells_.sysEvtMask), 0xFFEF);
  EXPECT_EQ(cells_.doubleTime, static_cast<long>(GetDoubleClickTime() >> 4));
  EXPECT_EQ(cells_.theZone, ApplicationZone());
  EXPECT_EQ(cells_.theZone->moreMast, 64);
}

TEST_F(GlobalsTest, MemErrorReadsTheApplicationsCell) {
  EXPECT_EQ(NewHandle(-1), nullptr);
  EXPECT_EQ(cells_.memErr, memFullErr);
  cells_.memErr = 12;
  EXPECT_EQ(MemError(), 12);
}

TEST_F(GlobalsTest, ShortGlobalsRecordBindsOnlyTheAddressesItHolds) {
  // A record that ends after the memory-error cell: the later globals stay in private cells.
  AppGlobals other{};
  std::memset(&other, 0x5A, sizeof other);
  ZEB_GlobalsRec rec = zebtest::GlobalsRecordFor(other);
  rec.size = static_cast<short>(offsetof(ZEB_GlobalsRec, grayRgn));
  ASSERT_EQ(ZEB_InitGlobals(&rec), ZEB_GLOBALS_OK);
  EXPECT_EQ(other.memErr, 0);
  EXPECT_EQ(other.mBarHeight, GetSystemMetrics(SM_CYMENU) + 2);
  EXPECT_EQ(static_cast<unsigned short>(other.sysEvtMask), 0x5A5A) << "not bound, not written";
  EXPECT_EQ(other.hiliteMode, 0x5A);
  EXPECT_EQ(NewHandle(-1), nullptr);
  EXPECT_EQ(other.memErr, memFullErr);
}

TEST_F(GlobalsTest, NegativeGlobalsSizeBindsNothing) {
  AppGlobals other{};
  std::memset(&other, 0x5A, sizeof other);
  ZEB_GlobalsRec rec = zebtest::GlobalsRecordFor(other);
  rec.size = -1;
  ASSERT_EQ(ZEB_InitGlobals(&rec), ZEB_GLOBALS_OK);
  EXPECT_EQ(static_cast<unsigned short>(other.memErr), 0x5A5A);
  EXPECT_EQ(NewHandle(-1), nullptr);
  EXPECT_EQ(MemError(), memFullErr) << "the private cell works";
  EXPECT_EQ(static_cast<unsigned short>(other.memErr), 0x5A5A);
}

// ZEB_FillGlobalsRec: QuickDraw's cells from the application's QDGlobals, the others from its
// ZEB_SystemGlobals, and nothing at all from a record it was not given.
TEST(FillGlobalsRec, NamesEachCellInTheRecordThatHoldsIt) {
  QDGlobals qd{};
  ZEB_SystemGlobals sys{};
  ZEB_GlobalsRec rec;
  std::memset(&rec, 0xA5, sizeof rec);
  ZEB_FillGlobalsRec(&rec, &qd, &sys);
  EXPECT_EQ(rec.size, kZEBGlobalsRecSize);
  EXPECT_EQ(rec.thePort, &qd.thePort);
  EXPECT_EQ(rec.randSeed, &qd.randSeed);
  EXPECT_EQ(rec.screenBits, &qd.screenBits);
  EXPECT_EQ(rec.arrow, &qd.arrow);
  EXPECT_EQ(rec.white, &qd.white);
  EXPECT_EQ(rec.dkGray, &qd.dkGray);
  EXPECT_EQ(rec.memErr, &sys.memErr);
  EXPECT_EQ(rec.eventQueue, &sys.eventQueue);
  EXPECT_EQ(rec.hiliteRGB, &sys.hiliteRGB);
  EXPECT_EQ(rec.unused27, &sys.unused27);
  EXPECT_EQ(rec.popUpMenuState2, &sys.popUpMenuState2);
  // Every one of the 59 cells is named, each inside one of the two records, none twice.
  void* const* cells = &rec.sfSaveDisk;
  const auto* qdStart = reinterpret_cast<const char*>(&qd);
  const auto* sysStart = reinterpret_cast<const char*>(&sys);
  std::vector<void*> seen;
  for (int i = 0; i < kZEBGlobalsCount; ++i) {
    const auto* cell = static_cast<const char*>(cells[i]);
    const bool inQD = cell >= qdStart && cell < qdStart + sizeof qd;
    const bool inSys = cell >= sysStart && cell < sysStart + sizeof sys;
    EXPECT_TRUE(inQD || inSys) << "cell " << i + 1;
    EXPECT_EQ(std::count(seen.begin(), seen.end(), cells[i]), 0) << "cell " << i + 1;
    seen.push_back(cells[i]);
  }
  ZEB_FillGlobalsRec(&rec, &qd, nullptr);
  EXPECT_EQ(rec.thePort, &qd.thePort);
  EXPECT_EQ(rec.memErr, nullptr) << "the library's own cell";
  ZEB_FillGlobalsRec(&rec, nullptr, &sys);
  EXPECT_EQ(rec.thePort, nullptr);
  EXPECT_EQ(rec.memErr, &sys.memErr);
  ZEB_FillGlobalsRec(nullptr, &qd, &sys);  // nothing to fill, nothing touched
}

// An application declares "QDGlobals qd;" and calls InitGraf(&qd.thePort): QuickDraw's
// globals arrive in that record, in the Toolbox layout.
TEST_F(GlobalsTest, InitGrafFillsTheApplicationsQuickDrawGlobals) {
  ASSERT_EQ(globals_.thePort, &cells_.thePort);
  InitGraf(&cells_.thePort);
  ASSERT_NE(cells_.thePort, nullptr);
  GrafPtr current = nullptr;
  GetPort(&current);
  EXPECT_EQ(current, cells_.thePort);
  const unsigned char blackBytes[8] = {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF};
  const unsigned char grayBytes[8] = {0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55};
  EXPECT_EQ(std::memcmp(cells_.black.pat, blackBytes, 8), 0);
  EXPECT_EQ(std::memcmp(cells_.gray.pat, grayBytes, 8), 0);
  EXPECT_EQ(cells_.screenBits.bounds.right, GetSystemMetrics(SM_CXSCREEN));
  EXPECT_EQ(cells_.arrow.hotSpot.h, 1);
}

}  // namespace

// DebugStr, Debugger and SysError, with the "zebport2" settings of ZEBPORT.INI and WIN.INI.
//
// Each test runs in a process of its own (as ctest runs them): the library reads the settings on
// its first report only, and ZEBPORT.INI again when told that they changed. The tests hold the
// "zebport_ini" lock while they change the settings files.
#include <atomic>
#include <cstring>
#include <string>
#include <thread>

#include "Errors.h"
#include "debug_capture.h"
#include "session_fixture.h"

namespace {

std::string IniPath() {
  char path[MAX_PATH];
  ZEB_MakeAppPathName(path, "ZEBPORT.INI");
  return path;
}

// Sets one ZEBPORT.INI key for the test's duration, and the test programs' default back after;
// each change is announced as the frame window announces a settings change.
class IniSetting {
 public:
  IniSetting(const char* key, const char* value) : key_(key) {
    WritePrivateProfileStringA("zebport2", key, value, IniPath().c_str());
    ZEB_WinIniChange("zebport2");
  }
  ~IniSetting() {
    WritePrivateProfileStringA("zebport2", key_, nullptr, IniPath().c_str());
    WritePrivateProfileStringA("zebport2", "DebugStrMBox", "0", IniPath().c_str());
    ZEB_WinIniChange("zebport2");
  }

 private:
  const char* key_;
};

class WinIniSetting {
 public:
  WinIniSetting(const char* key, const char* value) : key_(key) {
    WriteProfileStringA("zebport2", key, value);
  }
  ~WinIniSetting() { WriteProfileStringA("zebport2", key_, nullptr); }

 private:
  const char* key_;
};

// Finds the report box on another thread, reads its text and owner, and closes it.
class BoxWatcher {
 public:
  explicit BoxWatcher(const char* title) {
    thread_ = std::thread([this, title] {
      for (int i = 0; i < 500 && !found_; ++i) {
        HWND box = FindWindowA("#32770", title);
        if (box) {
          char text[256] = "";
          GetDlgItemTextA(box, 0xFFFF, text, sizeof text);
          text_ = text;
          owner_ = GetWindow(box, GW_OWNER);
          found_ = true;
          PostMessageA(box, WM_COMMAND, IDOK, 0);
        }
        Sleep(10);
      }
    });
  }
  ~BoxWatcher() { Join(); }
  void Join() {
    if (thread_.joinable()) thread_.join();
  }
  bool found() const { return found_; }
  std::string text() const { return text_; }
  HWND owner() const { return owner_; }

 private:
  std::thread thread_;
  std::atomic<bool> found_{false};
  std::string text_;
  HWND owner_ = nullptr;
};

using DebugReportTest = zebtest::SessionTest;

TEST_F(DebugReportTest, ReportGoesToTheDebuggerOutputWithALineEnd) {
  zebtest::DebugCapture capture;
  DebugStr(reinterpret_cast<const unsigned char*>("\x0B" "hello there"));
  EXPECT_EQ(capture.Text(), "hello there\r\n");
  EXPECT_EQ(capture.Breakpoints(), 0);
}

TEST_F(DebugReportTest, OnlyTheCountedBytesOfAStr255AreRead) {
  zebtest::DebugCapture capture;
  unsigned char text[256];
  std::memset(text, 'Z', sizeof text);  // no terminating zero anywhere
  text[0] = 3;
  text[1] = 'a';
  text[2] = 'b';
  text[3] = 'c';
  DebugStr(text);
  unsigned char full[256];
  std::memset(full, 'Q', sizeof full);
  full[0] = 255;
  DebugStr(full);
  EXPECT_EQ(capture.Text(), "abc\r\n" + std::string(255, 'Q') + "\r\n");
}

TEST_F(DebugReportTest, ReportStopsAtAnEmbeddedZero) {
  zebtest::DebugCapture capture;
  const unsigned char text[] = {5, 'a', 'b', 0, 'c', 'd'};
  DebugStr(text);
  EXPECT_EQ(capture.Text(), "ab\r\n");
}

TEST_F(DebugReportTest, DebuggerAndSysErrorReportTheirOwnTexts) {
  zebtest::DebugCapture capture;
  Debugger();
  SysError(28);
  EXPECT_EQ(capture.Text(), " Debugger Trap\r\n SysError\r\n");
}

TEST_F(DebugReportTest, SilentFlagSuppressesEveryReport) {
  ZEB_SetFlags(ZEB_SF_SILENTDEBUG, ZEB_SF_SILENTDEBUG, 0, 0);
  IniSetting breakIn("DebugStrBreak", "1");
  zebtest::DebugCapture capture;
  DebugStr(reinterpret_cast<const unsigned char*>("\x04" "text"));
  Debugger();
  SysError(1);
  EXPECT_EQ(capture.Text(), "");
  EXPECT_EQ(capture.Breakpoints(), 0);
}

TEST_F(DebugReportTest, BreakSettingBreaksIntoTheDebuggerAfterTheReport) {
  IniSetting breakIn("DebugStrBreak", "1");
  zebtest::DebugCapture capture;
  DebugStr(reinterpret_cast<const unsigned char*>("\x04" "stop"));
  EXPECT_EQ(capture.Text(), "stop\r\n");
  EXPECT_EQ(capture.Breakpoints(), 1);
}

TEST_F(DebugReportTest, WinIniWinsOnTheFirstReportAndZebportIniOnceTheSettingsChange) {
  IniSetting box("DebugStrMBox", "1");
  WinIniSetting quiet("DebugStrMBox", "0");
  zebtest::DebugCapture capture;
  DebugStr(reinterpret_cast<const unsigned char*>("\x05" "first"));
  EXPECT_EQ(capture.Text(), "first\r\n") << "WIN.INI's setting won on the first report";

  EXPECT_EQ(ZEB_WinIniChange("zebport2"), 0);
  BoxWatcher watcher("ZEB Test Report");
  DebugStr(reinterpret_cast<const unsigned char*>("\x06" "second"));
  watcher.Join();
  EXPECT_EQ(capture.Text(), "first\r\n") << "the second report went to a box";
  ASSERT_TRUE(watcher.found());
  EXPECT_EQ(watcher.text(), "second");
  EXPECT_EQ(watcher.owner(), frame_);
}

TEST_F(DebugReportTest, SettingsAreReadOnceUntilTheyAreSaidToHaveChanged) {
  zebtest::DebugCapture capture;
  DebugStr(reinterpret_cast<const unsigned char*>("\x03" "one"));
  // Written behind the library's back: reports go on as they were, without reading the file.
  WritePrivateProfileStringA("zebport2", "DebugStrBreak", "1", IniPath().c_str());
  DebugStr(reinterpret_cast<const unsigned char*>("\x03" "two"));
  EXPECT_EQ(capture.Breakpoints(), 0);
  // A change without a section name may concern any section.
  EXPECT_EQ(ZEB_WinIniChange(nullptr), 0);
  DebugStr(reinterpret_cast<const unsigned char*>("\x05" "three"));
  WritePrivateProfileStringA("zebport2", "DebugStrBreak", "0", IniPath().c_str());
  ZEB_WinIniChange("zebport2");
  DebugStr(reinterpret_cast<const unsigned char*>("\x04" "four"));
  WritePrivateProfileStringA("zebport2", "DebugStrBreak", nullptr, IniPath().c_str());
  EXPECT_EQ(capture.Text(), "one\r\ntwo\r\nthree\r\nfour\r\n");
  EXPECT_EQ(capture.Breakpoints(), 1) << "only the report after the change broke in";
}

}  // namespace

// DebugStr, Debugger and SysError: reports to a message box or the debugger output, as the
// "zebport2" settings say.
#include <cstring>

#include "Errors.h"
#include "frame/frame_internal.h"
#include "frame/pascal_strings.h"

namespace zeb::frame {
namespace {

constexpr char kSection[] = "zebport2";
constexpr int kTitleStringId = 1029;
constexpr UINT kExclamationBox = MB_ICONEXCLAMATION;  // 0x30

// The two settings are read once per session, on the first report: ZEBPORT.INI first, then
// WIN.INI's section, whose keys win where it has them. A report costs no file access after that
// (a file of hundreds of resources of types nobody converts reports each type), until the
// settings are said to have changed; ZEBPORT.INI is then read again with the current values as
// defaults.
int g_messageBox = 1;
int g_breakIn = 0;
bool g_settingsRead = false;

void ReadPrivateSettings() {
  char ini[256];
  AppPathName(ini, "ZEBPORT.INI");
  g_messageBox = static_cast<int>(GetPrivateProfileIntA(kSection, "DebugStrMBox", g_messageBox, ini));
  g_breakIn = static_cast<int>(GetPrivateProfileIntA(kSection, "DebugStrBreak", g_breakIn, ini));
}

void ReadSettingsOnce() {
  if (g_settingsRead) return;
  g_settingsRead = true;
  ReadPrivateSettings();
  g_messageBox = static_cast<int>(GetProfileIntA(kSection, "DebugStrMBox", g_messageBox));
  g_breakIn = static_cast<int>(GetProfileIntA(kSection, "DebugStrBreak", g_breakIn));
}

void Report(const unsigned char* text) {
  if (SessionFlag(ZEB_SF_SILENTDEBUG)) return;
  ReadSettingsOnce();
  // An application's Str255 has no terminating zero: only the counted bytes are read.
  char message[256 + 2];
  const size_t length = text ? pstr::TextLength(text) : 0;
  if (length) std::memcpy(message, text + 1, length);
  message[length] = '\0';
  if (g_messageBox == 0) {
    std::strcat(message, "\r\n");
    OutputDebugStringA(message);
  } else {
    char title[64];
    if (LoadStringA(AppInstance(), kTitleStringId, title, sizeof title) <= 0) title[0] = '\0';
    MessageBoxA(FrameWindow(), message, title, kExclamationBox);
  }
  if (g_breakIn) DebugBreak();
}

}  // namespace

void ReloadDebugSettings() {
  // Before the first report nothing has been read: that report reads everything.
  if (g_settingsRead) ReadPrivateSettings();
}

}  // namespace zeb::frame

extern "C" {

void ZEBAPI DebugStr(ConstStr255Param debuggerMsg) { zeb::frame::Report(debuggerMsg); }

void ZEBAPI Debugger(void) {
  static const unsigned char kTrap[] = "\x0E Debugger Trap";
  zeb::frame::Report(kTrap);
}

void ZEBAPI SysError(short) {
  static const unsigned char kSysError[] = "\x09 SysError";
  zeb::frame::Report(kSysError);
}

}  // extern "C"

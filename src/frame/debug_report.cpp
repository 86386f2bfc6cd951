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

// The two settings keep their values from call to call: each call reads ZEBPORT.INI with the
// current values as defaults, and the first call then lets WIN.INI override what it found.
int g_messageBox = 1;
int g_breakIn = 0;
bool g_firstReport = true;

void ReadSettings() {
  char ini[256];
  AppPathName(ini, "ZEBPORT.INI");
  g_messageBox = static_cast<int>(GetPrivateProfileIntA(kSection, "DebugStrMBox", g_messageBox, ini));
  g_breakIn = static_cast<int>(GetPrivateProfileIntA(kSection, "DebugStrBreak", g_breakIn, ini));
  if (g_firstReport) {
    g_firstReport = false;
    g_messageBox = static_cast<int>(GetProfileIntA(kSection, "DebugStrMBox", g_messageBox));
    g_breakIn = static_cast<int>(GetProfileIntA(kSection, "DebugStrBreak", g_breakIn));
  }
}

void Report(const unsigned char* text) {
  if (SessionFlag(ZEB_SF_SILENTDEBUG)) return;
  ReadSettings();
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

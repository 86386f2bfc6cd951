#include "debug_capture.h"

#include <windows.h>

namespace zebtest {
namespace {

constexpr DWORD kDebugPrint = 0x40010006;  // DBG_PRINTEXCEPTION_C, raised by OutputDebugStringA

bool g_active = false;
std::string g_text;
int g_breakpoints = 0;

LONG CALLBACK Handler(EXCEPTION_POINTERS* info) {
  if (!g_active) return EXCEPTION_CONTINUE_SEARCH;
  EXCEPTION_RECORD* record = info->ExceptionRecord;
  if (record->ExceptionCode == kDebugPrint && record->NumberParameters >= 2) {
    const auto length = static_cast<size_t>(record->ExceptionInformation[0]);
    const auto* text = reinterpret_cast<const char*>(record->ExceptionInformation[1]);
    if (text) g_text.append(text, length && text[length - 1] == '\0' ? length - 1 : length);
    return EXCEPTION_CONTINUE_EXECUTION;
  }
  if (record->ExceptionCode == EXCEPTION_BREAKPOINT) {
    ++g_breakpoints;
#if defined(_WIN64)
    info->ContextRecord->Rip += 1;  // past the int3
#else
    info->ContextRecord->Eip += 1;
#endif
    return EXCEPTION_CONTINUE_EXECUTION;
  }
  return EXCEPTION_CONTINUE_SEARCH;
}

}  // namespace

void InstallDebugCapture() { AddVectoredExceptionHandler(1, Handler); }

DebugCapture::DebugCapture() {
  Clear();
  g_active = true;
}
DebugCapture::~DebugCapture() { g_active = false; }
std::string DebugCapture::Text() const { return g_text; }
int DebugCapture::Breakpoints() const { return g_breakpoints; }
void DebugCapture::Clear() {
  g_text.clear();
  g_breakpoints = 0;
}

}  // namespace zebtest

// The Process Manager and Segment Loader calls: the documents the application was started
// with, its own name, launching another program, and leaving. The library's only process is
// the application itself.

// Windows 8 added a GetProcessInformation(HANDLE, ...) of its own; this file is built against
// the Windows 7 interface so that the Process Manager's header declares the Toolbox's call.
#undef _WIN32_WINNT
#define _WIN32_WINNT 0x0601

#include <cstring>
#include <string>

#include "MacMemory.h"
#include "SegLoad.h"
#include "frame/address32.h"
#include "frame/app_files.h"
#include "frame/frame_internal.h"
#include "frame/toolbox_globals.h"
#include "resources/resources_internal.h"

namespace zeb::frame {
namespace {

// WinExec's own results below 32 are failures.
constexpr UINT kFirstSuccess = 32;
constexpr UINT kExecOutOfMemory = 0;
constexpr UINT kExecFileNotFound = 2;
constexpr UINT kExecPathNotFound = 3;
constexpr UINT kExecBadFormat = 11;
constexpr UINT kExecOutOfMemoryToo = 8;

bool g_exiting = false;

// The list the application parameter cell holds, and its size: a walk never leaves the handle,
// whatever the application did to it.
const uint8_t* ListBytes(size_t* size) {
  const Handle list = *Globals().appParmHandle;
  if (!list || !*list) return nullptr;
  const long bytes = GetHandleSize(list);
  if (bytes <= 0) return nullptr;
  *size = static_cast<size_t>(bytes);
  return reinterpret_cast<const uint8_t*>(*list);
}

ProcessSerialNumber ApplicationProcess() {
  ProcessSerialNumber psn;
  psn.highLongOfPSN = 0;
  psn.lowLongOfPSN = AddressToLong(AppInstance());
  return psn;
}

OSErr ToolboxErrorOfExec(UINT result) {
  switch (result) {
    case kExecOutOfMemory:
    case kExecOutOfMemoryToo:
      return memFullErr;
    case kExecFileNotFound:
      return fnfErr;
    case kExecPathNotFound:
      return nsvErr;
    case kExecBadFormat:
      return bdNamErr;
    default:
      return static_cast<OSErr>(result);
  }
}

}  // namespace
}  // namespace zeb::frame

using namespace zeb;

extern "C" {

void ZEBAPI CountAppFiles(short* message, short* count) {
  int16_t m = appOpen, c = 0;
  size_t size = 0;
  if (const uint8_t* list = frame::ListBytes(&size)) frame::ReadAppFileHeader(list, size, &m, &c);
  if (message) *message = m;
  if (count) *count = c < 0 ? 0 : c;
}

void ZEBAPI GetAppFiles(short index, AppFile* theFile) {
  if (!theFile) return;
  size_t size = 0;
  const uint8_t* list = frame::ListBytes(&size);
  frame::AppFileEntry entry;
  if (!list || !frame::FindAppFileEntry(list, size, index, &entry)) return;
  theFile->vRefNum = entry.vRefNum;
  theFile->fType = entry.fType;
  theFile->versNum = entry.version;
  std::memcpy(theFile->fName, entry.name, static_cast<size_t>(entry.name[0]) + 1);
}

void ZEBAPI ClrAppFiles(short index) { (void)index; }

void ZEBAPI GetAppParms(Str255 apName, short* apRefNum, Handle* apParam) {
  if (apName) {
    char path[MAX_PATH];
    const DWORD length = GetModuleFileNameA(frame::AppInstance(), path, sizeof path);
    std::string name(path, length < sizeof path ? length : 0);
    const size_t cut = name.find_last_of("\\:");
    if (cut != std::string::npos) name.erase(0, cut + 1);
    const size_t n = name.size() < 255 ? name.size() : 255;
    apName[0] = static_cast<unsigned char>(n);
    std::memcpy(apName + 1, name.data(), n);
  }
  if (apRefNum) *apRefNum = resources::ApplicationResourceFile();
  if (apParam) *apParam = *frame::Globals().appParmHandle;
}

OSErr ZEBAPI GetCurrentProces(ProcessSerialNumber* PSN) {
  if (!PSN) return paramErr;
  *PSN = frame::ApplicationProcess();
  return noErr;
}

// Whether or not the application is active, it is the only process the library knows.
OSErr ZEBAPI GetFrontProcess(ProcessSerialNumber* PSN) { return GetCurrentProces(PSN); }

OSErr ZEBAPI GetNextProcess(ProcessSerialNumber* PSN) {
  (void)PSN;
  return procNotFound;
}

OSErr ZEBAPI SameProcess(const ProcessSerialNumber* PSN1, const ProcessSerialNumber* PSN2,
                         Boolean* result) {
  if (!PSN1 || !PSN2 || !result) return paramErr;
  *result = PSN1->highLongOfPSN == PSN2->highLongOfPSN && PSN1->lowLongOfPSN == PSN2->lowLongOfPSN;
  return noErr;
}

OSErr ZEBAPI LaunchApplication(LaunchPBPtr LaunchParams) {
  if (!LaunchParams || !LaunchParams->launchAppSpec) return paramErr;
  const FSSpec& program = *LaunchParams->launchAppSpec;
  char path[256];
  const OSErr err = ZEB_HFSpec(program.parID, program.vRefNum, program.name, path);
  if (err) return err;
  // Quoted, so that a path with blanks names the program and not its first word.
  const std::string command = std::string("\"") + path + "\"";
  const UINT result = WinExec(command.c_str(), SW_SHOWNORMAL);
  return result >= frame::kFirstSuccess ? OSErr{noErr} : frame::ToolboxErrorOfExec(result);
}

void ZEBAPI ExitToShell(void) {
  // The application's save-and-close handler may call ExitToShell itself: the outer call
  // still posts the quit, once.
  if (frame::g_exiting) return;
  frame::g_exiting = true;
  const frame::SessionState& s = frame::Session();
  if (s.frameWindowProc && s.frameWindow)
    CallWindowProcA(s.frameWindowProc, s.frameWindow, ZEB_WM_EXITTOSHELL, 0, 0);
  PostQuitMessage(0);
  frame::g_exiting = false;
}

}  // extern "C"

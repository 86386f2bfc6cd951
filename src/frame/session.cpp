// Starting and ending a session: ZEB_InitSession, ZEB_ExitSession, ZEB_SetFlags and the other
// session-wide settings.
#include <algorithm>
#include <cstring>
#include <string>

#include "MacMemory.h"
#include "MacWindows.h"
#include "StandardFile.h"
#include "dialogs/dialogs_internal.h"
#include "events/events_internal.h"
#include "files/files_internal.h"
#include "frame/app_files.h"
#include "frame/frame_internal.h"
#include "lists/lists_internal.h"
#include "memory/memory_internal.h"
#include "menus/menus_internal.h"
#include "osutils/osutils_internal.h"
#include "print/print_internal.h"
#include "quickdraw/quickdraw_internal.h"
#include "resources/resources_internal.h"
#include "scrap/scrap_internal.h"
#include "windows/windows_internal.h"

namespace zeb::frame {
namespace {

SessionState g_session;
VersionFacts g_version;
uint32_t g_flags = 0;
uint32_t g_switches = 0;

// The processor-and-mode word of a started session.
constexpr uint16_t kProcessorMode = 0x421;
constexpr char kWindowFlagAtomName[] = "ZEB_wFlag";

// How many bytes of a caller's start-up record the library reads and writes back.
size_t RecordBytes(short size, size_t limit) {
  return size <= 0 ? 0 : std::min<size_t>(static_cast<size_t>(size), limit);
}

void DefaultStringFields(ZEB_SessionRec& r) {
  if (!r.mainClassName) r.mainClassName = "ZEBMainWndClass";
  if (!r.childClassName) r.childClassName = "ZEBSubWndClass";
  if (!r.mdiChildClassName) r.mdiChildClassName = "ZEBSubMDIWndClass";
  if (!r.resourceFileName) r.resourceFileName = "ZEBPORT.RSR";
  if (!r.offscreenDriverName) r.offscreenDriverName = "DIB";
  if (!r.threeDBaseClassName) r.threeDBaseClassName = r.childClassName;
}

VersionFacts ReadVersion() {
  const DWORD v = GetVersion();
  VersionFacts facts;
  facts.versionWord = LOWORD(v);
  const uint32_t high = HIWORD(v);
  facts.win32s = (high >> 14) == 2;
  facts.windowsNT = (high & 0x8000) == 0;
  facts.newShell = facts.Major() >= 4;
  return facts;
}

// Japan (81), Korea (82) and China (86) use double-byte character handling.
bool ReadDoubleByte() {
  const UINT country = GetProfileIntA("intl", "iCountry", 1);
  return country == 81 || country == 82 || country == 86;
}

void InstallKeyboardHookKeepingCapture() {
  HWND capture = GetCapture();
  if (capture) ReleaseCapture();
  events::InstallKeyboardHook();
  if (capture) SetCapture(capture);
}

}  // namespace

SessionState& Session() { return g_session; }
const VersionFacts& Version() { return g_version; }
uint32_t SessionFlags() { return g_flags; }
uint32_t Switches() { return g_switches; }

FARPROC WrapCallback(FARPROC proc) {
  if (!proc || (g_flags & ZEB_SF_NOPROCINSTANCES) || !g_session.makeProcInstance) return proc;
  return g_session.makeProcInstance(proc, g_session.appInstance);
}

void ReleaseCallback(FARPROC procInstance) {
  if (!procInstance || (g_flags & ZEB_SF_NOPROCINSTANCES) || !g_session.freeProcInstance) return;
  g_session.freeProcInstance(procInstance);
}

// The documents the application was started with. Names that name no file, or that the
// Standard File conversion refuses (a name over 63 characters), are left out of the count. The
// conversion makes each document's folder the current directory: start-up puts the current
// directory back where it was.
Handle BuildApplicationFileList(const char* documentList, const char* documentDirectory) {
  SessionState& s = g_session;
  if (s.appFileList) return s.appFileList;
  const DocumentList documents = ParseDocumentList(documentList ? documentList : "");
  std::string directory = DirectoryWithSeparator(documentDirectory ? documentDirectory : "");
  if (!directory.empty()) OemToCharBuffA(directory.data(), directory.data(), static_cast<DWORD>(directory.size()));
  const size_t capacity = AppFileListCapacity(documents, directory.size());
  Handle list = NewHandleClear(static_cast<Size>(capacity));
  if (!list) return nullptr;

  char saved[MAX_PATH];
  const DWORD savedLength = GetCurrentDirectoryA(sizeof saved, saved);
  auto* bytes = reinterpret_cast<uint8_t*>(*list);
  size_t offset = kAppFileHeaderBytes;
  int16_t count = 0;
  for (const std::string& name : documents.names) {
    const std::string given = IsAbsoluteHostPath(name) ? name : directory + name;
    char path[MAX_PATH];
    const DWORD length = GetFullPathNameA(given.c_str(), sizeof path, path, nullptr);
    if (length == 0 || length >= sizeof path) continue;
    const DWORD attributes = GetFileAttributesA(path);
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY)) continue;
    SFReply reply;
    if (!ZEB_DosFSpec2MacSFReply(0, 0, 0, 0, 0, path, &reply)) continue;
    const size_t next = AppendAppFileEntry(bytes, capacity, offset, reply.vRefNum, reply.fType,
                                           reply.fName);
    if (!next) continue;
    offset = next;
    ++count;
  }
  WriteAppFileHeader(bytes, documents.print ? kAppFilesPrint : kAppFilesOpen, count);
  if (savedLength > 0 && savedLength < sizeof saved)
    ZEB_CurDirvRefNum(DirectoryWithSeparator(saved).c_str());
  s.appFileList = list;
  return list;
}

}  // namespace zeb::frame

using namespace zeb;

extern "C" {

void ZEBAPI ZEB_InitSession(ZEB_SessionRec* rec) {
  frame::SessionState& s = frame::g_session;
  const size_t callerBytes = rec ? frame::RecordBytes(rec->size, sizeof(ZEB_SessionRec)) : 0;
  if (s.started) {
    // No re-entry into a started session: the caller learns the state it is in.
    if (callerBytes) std::memcpy(rec, &s.record, callerBytes);
    return;
  }

  // 1. The library's copy of the record.
  const HINSTANCE libraryInstance = s.libraryInstance;
  s = frame::SessionState{};
  s.libraryInstance = libraryInstance;
  s.started = true;
  if (callerBytes) std::memcpy(&s.record, rec, callerBytes);
  // 2.
  frame::DefaultStringFields(s.record);
  // 3.
  frame::g_version = frame::ReadVersion();
  s.processorMode = frame::kProcessorMode;
  s.windowFlagAtom = GlobalAddAtomA(frame::kWindowFlagAtomName);
  // 4.
  s.appInstance = s.record.instance;
  s.frameWindow = s.record.frameWindow;
  s.mdiClient = s.record.mdiClient;
  frame::g_flags = static_cast<uint32_t>(s.record.flags);
  s.desktopWindow = GetDesktopWindow();
  s.hasFPU = !IsProcessorFeaturePresent(PF_FLOATING_POINT_EMULATED);
  // 5. and 6. The outcome goes into the flags word.
  frame::SetUpThreeDLook();
  if (frame::ThreeDLookOn())
    frame::g_flags |= ZEB_SF_3DLOOK;
  else
    frame::g_flags &= ~static_cast<uint32_t>(ZEB_SF_3DLOOK);
  // 7.
  s.frameMenu = s.frameWindow ? GetMenu(s.frameWindow) : nullptr;
  s.accelerators = s.record.accelerators;
  s.makeProcInstance = s.record.makeProcInstance;
  s.freeProcInstance = s.record.freeProcInstance;
  s.scrapCallback = frame::WrapCallback(s.record.scrapCallback);
  s.conversionCallback = frame::WrapCallback(s.record.resourceConversionCallback);
  print::SetSessionDialogHooks(s.record.printDialogHook, s.record.printSetupDialogHook);
  s.conversionTypes = s.record.resourceTypeList;
  s.frameWindowProc = s.frameWindow
                          ? reinterpret_cast<WNDPROC>(GetWindowLongPtrA(s.frameWindow, GWLP_WNDPROC))
                          : nullptr;
  // 8.
  memory::SetErrorCell(memory::LibraryErrorCell());
  *memory::LibraryErrorCell() = noErr;
  memory::Startup();
  // 9.
  s.nullPen = static_cast<HPEN>(GetStockObject(NULL_PEN));
  resources::ClearCodeResources();
  lists::AllocateListTable();
  files::ClearFileHandleTable();
  // 10.
  s.doubleByte = frame::ReadDoubleByte();
  // 11.
  ZEB_InitColors();
  // 12.
  quickdraw::CreateStandardFonts(s.frameWindow);
  // 13.
  files::InitFileDialogs();
  quickdraw::InitColorDialog();
  // 14.
  if (s.frameWindow) frame::InstallKeyboardHookKeepingCapture();
  // 15.
  s.record.started = 1;
  s.record.flags = frame::g_flags;
  if (callerBytes) std::memcpy(rec, &s.record, callerBytes);
}

void ZEBAPI ZEB_ExitSession(void) {
  frame::SessionState& s = frame::g_session;
  if (s.frameWindow) events::RemoveKeyboardHook();
  scrap::ExitScrapInfo();
  ZEB_DisableHelpHook();
  if (s.started) {
    dialogs::ResetErrorSound();
    print::ReleasePrinting();
    resources::CloseAllResourceFiles();
    windows::DisposeAllWindows();
    menus::ReleaseMenus();
    windows::ReleaseUpdateRegions();
    osutils::ReleaseNotification();
    osutils::ReleasePatches();
    events::ReleaseEventLoop();
    events::EndEventSession();
    quickdraw::DisposeQuickDrawState();
    quickdraw::DeleteStandardFonts();
    frame::DeleteSystemBrushes();
    files::CloseOpenFileHandles();
    lists::FreeListTable();
    resources::ReleaseCodeResources();
    if (s.windowFlagAtom) GlobalDeleteAtom(s.windowFlagAtom);
    s.windowFlagAtom = 0;
    s.started = false;
  }
  print::ReleaseSessionDialogHooks();
  frame::ReleaseCallback(s.scrapCallback);
  frame::ReleaseCallback(s.conversionCallback);
  s.scrapCallback = nullptr;
  s.conversionCallback = nullptr;
  memory::Shutdown();
  frame::UnbindToolboxGlobals();
  frame::TearDownThreeDLook();
}

unsigned long ZEBAPI ZEB_SetFlags(unsigned long mask, unsigned long value, unsigned long switchMask,
                                  unsigned long switchValue) {
  const uint32_t previous = frame::g_flags;
  frame::g_flags = (frame::g_flags & ~static_cast<uint32_t>(mask)) |
                   (static_cast<uint32_t>(value) & static_cast<uint32_t>(mask));
  const uint32_t oldSwitches = frame::g_switches;
  frame::g_switches = (frame::g_switches & ~static_cast<uint32_t>(switchMask)) |
                      (static_cast<uint32_t>(switchValue) & static_cast<uint32_t>(switchMask));
  if ((oldSwitches ^ frame::g_switches) & ZEB_SW_SINGLEPIXELPEN)
    quickdraw::SinglePixelPenSwitchChanged((frame::g_switches & ZEB_SW_SINGLEPIXELPEN) != 0);
  return previous;
}

void ZEBAPI ZEB_Set_MacWin(void* fileTypeTable, void* menuKeyTable) {
  frame::g_session.fileTypeTable = fileTypeTable;
  frame::g_session.menuKeyTable = menuKeyTable;
}

void ZEBAPI ZEB_EndSession(unsigned long ending) { frame::g_session.endingSession = ending != 0; }

}  // extern "C"

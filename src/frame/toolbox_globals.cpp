// ZEB_InitGlobals: binding the application's cells for the Toolbox globals.
#include "frame/toolbox_globals.h"

#include <cstring>

#include "ZEB.h"
#include "events/events_internal.h"
#include "files/files_internal.h"
#include "frame/frame_internal.h"
#include "memory/memory_internal.h"
#include "print/print_internal.h"
#include "scrap/scrap_internal.h"

namespace zeb::frame {
namespace {

// The library's own cell for each global, each its own storage sized for its global: a null
// address in the application's record gets one of these, never a cell shared with another
// global.
struct PrivateCells {
#define ZEB_PRIVATE_CELL(name, type, owner) type name;
  ZEB_TOOLBOX_GLOBALS(ZEB_PRIVATE_CELL)
#undef ZEB_PRIVATE_CELL
};
PrivateCells g_private{};

ToolboxGlobals PrivateBinding() {
  ToolboxGlobals g;
#define ZEB_BIND_PRIVATE(name, type, owner) g.name = &g_private.name;
  ZEB_TOOLBOX_GLOBALS(ZEB_BIND_PRIVATE)
#undef ZEB_BIND_PRIVATE
  return g;
}

ToolboxGlobals g_globals = PrivateBinding();

// "scrapfile", length-prefixed and zero-terminated as every library literal.
unsigned char g_scrapName[] = "\x09scrapfile";

constexpr int16_t kAllEventsButKeyUp = static_cast<int16_t>(0xFFEF);
constexpr uint8_t kHiliteModeDefault = 0x80;

uint32_t Ticks(DWORD milliseconds) { return milliseconds >> 4; }

void WriteInitialValues() {
  ToolboxGlobals& g = g_globals;
  *g.eventQueue = QHdr{};
  *g.mBarHeight = static_cast<int16_t>(GetSystemMetrics(SM_CYMENU) + 2);
  *g.memErr = noErr;
  memory::SetErrorCell(g.memErr);
  *g.grayRgn = nullptr;
  *g.scrapInfo = ScrapStuff{};
  g.scrapInfo->scrapCount = 1;
  g.scrapInfo->scrapName = g_scrapName;
  *g.printErr = noErr;
  print::LoadStatusText(Session().appInstance);
  *g.ticks = Ticks(GetTickCount());
  *g.caretTime = static_cast<int32_t>(Ticks(GetCaretBlinkTime()));
  *g.curActivate = nullptr;
  *g.hiliteMode = kHiliteModeDefault;
  *g.resErr = noErr;
  *g.unused33 = 0;
  const COLORREF highlight = GetSysColor(COLOR_HIGHLIGHT);
  g.hiliteRGB->red = static_cast<unsigned short>(GetRValue(highlight) << 8);
  g.hiliteRGB->green = static_cast<unsigned short>(GetGValue(highlight) << 8);
  g.hiliteRGB->blue = static_cast<unsigned short>(GetBValue(highlight) << 8);
  *g.theMenu = 0;
  *g.sysEvtMask = kAllEventsButKeyUp;
  *g.doubleTime = static_cast<int32_t>(Ticks(GetDoubleClickTime()));
  *g.theZone = memory::ApplicationZoneRecord();
  *g.curDeactive = nullptr;
}

}  // namespace

const ToolboxGlobals& Globals() { return g_globals; }

void UnbindToolboxGlobals() {
  g_globals = PrivateBinding();
  memory::SetErrorCell(nullptr);
}

}  // namespace zeb::frame

using namespace zeb;

extern "C" short ZEBAPI ZEB_InitGlobals(ZEB_GlobalsRec* rec) {
  if (frame::Version().Major() != 0 && frame::Version().Major() < 3) return ZEB_GLOBALS_OLD_WINDOWS;
  if (!frame::Session().started) return ZEB_GLOBALS_NO_SESSION;

  ZEB_GlobalsRec copy{};
  if (rec && rec->size > 0) {
    const size_t bytes = static_cast<size_t>(rec->size) < sizeof copy ? rec->size : sizeof copy;
    std::memcpy(&copy, rec, bytes);
  }
  frame::ToolboxGlobals& g = frame::g_globals;
#define ZEB_BIND_CELL(name, type, owner) \
  g.name = copy.name ? static_cast<type*>(copy.name) : &frame::g_private.name;
  ZEB_TOOLBOX_GLOBALS(ZEB_BIND_CELL)
#undef ZEB_BIND_CELL

  frame::WriteInitialValues();
  scrap::InitScrapInfo(g.scrapInfo);
  files::InitStandardFileDirectory(g.sfSaveDisk, g.curDirStore);
  files::InitDriveTable();
  const frame::SessionState& s = frame::Session();
  *g.appParmHandle =
      frame::BuildApplicationFileList(s.record.documentList, s.record.documentDirectory);
  events::InitEventQueue(g.eventQueue);
  return ZEB_GLOBALS_OK;
}

namespace {

// The application record that holds each global, by the owner column of the list.
QDGlobals* RecordOfQD(QDGlobals* qd, ZEB_SystemGlobals*) { return qd; }
ZEB_SystemGlobals* RecordOfSYS(QDGlobals*, ZEB_SystemGlobals* sys) { return sys; }

}  // namespace

extern "C" void ZEBAPI ZEB_FillGlobalsRec(ZEB_GlobalsRec* rec, QDGlobals* qd,
                                          ZEB_SystemGlobals* sys) {
  if (!rec) return;
  *rec = ZEB_GlobalsRec{};
  rec->size = kZEBGlobalsRecSize;
#define ZEB_FILL_CELL(name, type, owner)                                                  \
  static_assert(sizeof(RecordOf##owner(nullptr, nullptr)->name) == sizeof(type),         \
                #name " has its cell's size");                                            \
  if (auto* record = RecordOf##owner(qd, sys)) rec->name = &record->name;
  ZEB_TOOLBOX_GLOBALS(ZEB_FILL_CELL)
#undef ZEB_FILL_CELL
}

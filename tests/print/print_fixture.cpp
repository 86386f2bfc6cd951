#include "print_fixture.h"

#include <commdlg.h>

#include "MacMemory.h"
#include "print/print_state.h"

namespace zebtest {
namespace {

struct FindBox {
  const char* caption;
  HWND found;
};

BOOL CALLBACK FindBoxProc(HWND hwnd, LPARAM lParam) {
  auto* f = reinterpret_cast<FindBox*>(lParam);
  // The title is read without a message: the window's thread may be busy, not pumping.
  WCHAR wide[128] = L"";
  InternalGetWindowText(hwnd, wide, 128);
  char title[128] = "";
  WideCharToMultiByte(CP_ACP, 0, wide, -1, title, sizeof title, nullptr, nullptr);
  if (IsWindowVisible(hwnd) && lstrcmpA(title, f->caption) == 0) {
    f->found = hwnd;
    return FALSE;
  }
  return TRUE;
}

BOOL CALLBACK CollectText(HWND child, LPARAM lParam) {
  char cls[32] = "", text[512] = "";
  GetClassNameA(child, cls, sizeof cls);
  if (lstrcmpiA(cls, "Static") == 0 && GetWindowTextA(child, text, sizeof text) > 0)
    *reinterpret_cast<std::string*>(lParam) += text;
  return TRUE;
}

}  // namespace

BoxWatcher::BoxWatcher(const char* caption) : caption_(caption) {
  const DWORD thread = GetCurrentThreadId();
  thread_ = std::thread([this, thread] {
    while (!stop_) {
      FindBox f{caption_.c_str(), nullptr};
      EnumThreadWindows(thread, FindBoxProc, reinterpret_cast<LPARAM>(&f));
      if (f.found) {
        std::string text;
        EnumChildWindows(f.found, CollectText, reinterpret_cast<LPARAM>(&text));
        text_ = text;
        seen_ = true;
        PostMessageA(f.found, WM_COMMAND, IDOK, 0);
        PostMessageA(f.found, WM_COMMAND, IDCANCEL, 0);
        Sleep(50);
        continue;
      }
      Sleep(20);
    }
  });
}

BoxWatcher::~BoxWatcher() {
  stop_ = true;
  thread_.join();
}

int ScriptedPrinter::StartDocument(HDC, const char* name, bool) {
  documentName = name;
  log.push_back("StartDoc");
  if (abortProcInStartDoc && abortProc && !abortProc(nullptr, 0)) return 0;
  return startDocResult;
}
int ScriptedPrinter::EndDocument(HDC, bool) {
  log.push_back("EndDoc");
  return 1;
}
int ScriptedPrinter::AbortDocument(HDC, bool) {
  log.push_back("AbortDoc");
  return 1;
}
int ScriptedPrinter::StartPageOn(HDC) {
  log.push_back("StartPage");
  return 1;
}
int ScriptedPrinter::EndPageOn(HDC, bool) {
  log.push_back("EndPage");
  return endPageResult;
}
int ScriptedPrinter::NextBand(HDC, RECT* band) {
  log.push_back("NextBand");
  if (nextBandCalls++ == failNextBandAt) return 0;
  if (bands.empty()) {
    SetRectEmpty(band);
  } else {
    *band = bands.front();
    bands.pop_front();
  }
  return 1;
}
int ScriptedPrinter::BandInfo(HDC, const zeb::print::BandInfoRecord*,
                              zeb::print::BandInfoRecord* out) {
  log.push_back("BandInfo");
  out->graphics = bandInfoGraphics;
  out->text = TRUE;
  return 1;
}
int ScriptedPrinter::DeviceCaps(HDC dc, int index) {
  switch (index) {
    case HORZRES: return horzRes;
    case VERTRES: return vertRes;
    case LOGPIXELSX:
    case LOGPIXELSY: return dpi;
    case NUMCOLORS: return numColors;
    case RASTERCAPS: return rasterCaps;
    case HORZSIZE: return 203;  // millimetres of 8 inches
    case VERTSIZE: return 279;
    case DRIVERVERSION: return 0x400;
    default: return GetDeviceCaps(dc, index);
  }
}
long ScriptedPrinter::DriverCapabilities(const char*, const char* device, const char*,
                                         WORD capability, char* output, const DEVMODEA*) {
  capabilitiesDevice = device ? device : "";
  if (failCapabilities || capability != DC_ENUMRESOLUTIONS) return -1;
  // Like a driver, every pair is written: a buffer sized for fewer would be overrun.
  if (output) {
    auto* pairs = reinterpret_cast<LONG*>(output);
    for (size_t i = 0; i < resolutions.size(); ++i) {
      pairs[i * 2] = resolutions[i].x;
      pairs[i * 2 + 1] = resolutions[i].y;
    }
  }
  return static_cast<long>(resolutions.size());
}

int ScriptedPrinter::Count(const std::string& call) const {
  int n = 0;
  for (const std::string& c : log) n += c == call;
  return n;
}

void PrintTest::SetUp() {
  SessionTest::SetUp();
  if (HasFatalFailure()) return;
  InitGraf(&cells_.thePort);
  OpenPort(&screenPort_);
  PrOpen();
}

void PrintTest::TearDown() {
  zeb::print::UseEscapes(nullptr);
  ZEB_SetFlags(0, 0, ZEB_SW_BANDING | ZEB_SW_BANDINFO, 0);
  SilenceErrors(false);
  for (THPrint h : records_) DisposeHandle(reinterpret_cast<Handle>(h));
  records_.clear();
  SessionTest::TearDown();
}

THPrint PrintTest::NewRecord() {
  auto h = reinterpret_cast<THPrint>(NewHandleClear(sizeof(TPrint)));
  records_.push_back(h);
  return h;
}

void PrintTest::AttachScriptedPrinter(THPrint h) {
  zeb::print::UseEscapes(&printer_);
  uint32_t reference = 0;
  zeb::print::PrinterEntry* entry = zeb::print::NewEntry(&reference);
  ASSERT_NE(entry, nullptr);
  auto* pd = static_cast<PRINTDLGA*>(GlobalLock(entry->block));
  HDC screen = GetDC(nullptr);
  pd->hDC = CreateCompatibleDC(screen);
  SelectObject(pd->hDC, CreateCompatibleBitmap(screen, 64, 64));
  ReleaseDC(nullptr, screen);
  GlobalUnlock(entry->block);
  // The private words as the documented layout has them.
  TPrint& rec = **h;
  rec.printX[0] = 0x120F;
  rec.printX[1] = static_cast<short>(0xCA1C);
  rec.printX[2] = static_cast<short>(reference & 0xFFFF);
  rec.printX[3] = static_cast<short>(reference >> 16);
  rec.printX[4] = static_cast<short>(entry->stamp & 0xFFFF);
  rec.printX[5] = static_cast<short>(entry->stamp >> 16);
  for (int word : {10, 12, 14, 16}) rec.printX[word] = 1;
  ASSERT_NE(zeb::print::LiveEntryOf(rec), nullptr);
}

void PrintTest::SilenceErrors(bool silent) { ZEB_SystemValue(ZEB_SV_SET, 0x3C, silent ? 1 : 0); }

}  // namespace zebtest

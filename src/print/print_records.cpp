// The print record and the printer-information table behind it: validity, the print dialogs
// and the filling of the record from the printer they chose.
#include <windows.h>

#include <commdlg.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <vector>

#include "MacMemory.h"
#include "Printing.h"
#include "ZEB.h"
#include "dialogs/dialogs_internal.h"
#include "frame/frame_internal.h"
#include "frame/toolbox_globals.h"
#include "events/events_internal.h"
#include "print/print_internal.h"
#include "print/print_state.h"
#include "print/printer_escapes.h"

namespace zeb::print {
namespace {

constexpr size_t kTableStep = 16;
// The device-mode block is read up to its Windows 3.1 size: drivers' private data follows.
constexpr size_t kDevModeBytes = 124;
constexpr int kDefaultPageBottom = 720, kDefaultPageRight = 576;  // 10 by 8 inches at 72 dpi
constexpr int kToolboxResolution = 72;
constexpr short kPostScriptDevice = 0x300;
constexpr int kHundredPercent = 100;
constexpr WORD kNoPage = 0xFFFF;
// The Windows escapes that measure the page and set the copy count.
constexpr int kGetPhysPageSize = 12;
constexpr int kGetPrintingOffset = 13;
constexpr int kSetCopyCount = 17;
// Application strings and their built-in fallbacks.
constexpr int kNoDefaultPrinterText = 1035;
constexpr int kInitErrorCaption = 2048;
constexpr char kNoDefaultPrinterFallback[] =
    "We're unable to initialize printer information because there is no default printer "
    "selected. Please select a default printer in the Printer Control Panel.";

std::vector<PrinterEntry> g_table;
size_t g_current = 0;  // 1-based; 0 for none

void Put16(unsigned char* p, uint16_t v) {
  p[0] = static_cast<unsigned char>(v);
  p[1] = static_cast<unsigned char>(v >> 8);
}

short Clamp16(long v) {
  return static_cast<short>(std::max<long>(-32767, std::min<long>(32767, v)));
}

// Paper sizes in tenths of a millimetre, for a device mode that names a size but gives no
// dimensions.
bool PaperDimensions(short paper, long* width, long* length) {
  struct Size {
    short id;
    long w, l;
  };
  static const Size kSizes[] = {
      {DMPAPER_LETTER, 2159, 2794}, {DMPAPER_LEGAL, 2159, 3556},   {DMPAPER_A4, 2100, 2970},
      {DMPAPER_A3, 2970, 4200},     {DMPAPER_A5, 1480, 2100},      {DMPAPER_B5, 1820, 2570},
      {DMPAPER_EXECUTIVE, 1842, 2667}, {DMPAPER_TABLOID, 2794, 4318},
      {DMPAPER_ENV_10, 1048, 2413}};
  for (const Size& s : kSizes)
    if (s.id == paper) {
      *width = s.w;
      *length = s.l;
      return true;
    }
  return false;
}

void ShowDialogError(DWORD code) {
  if (!code || !ReportingOn()) return;
  char text[256], caption[128];
  if (code == PDERR_NODEFAULTPRN) {
    if (LoadStringA(frame::AppInstance(), kNoDefaultPrinterText, text, sizeof text) <= 0)
      lstrcpynA(text, kNoDefaultPrinterFallback, sizeof text);
    if (LoadStringA(frame::AppInstance(), kInitErrorCaption, caption, sizeof caption) <= 0)
      lstrcpynA(caption, "Initialization Error", sizeof caption);
  } else {
    std::snprintf(text, sizeof text, "Error calling PrintDlg: %lu", static_cast<unsigned long>(code));
    lstrcpynA(caption, "Printer Error", sizeof caption);
  }
  State().errorReported = true;
  MessageBoxA(frame::FrameWindow(), text, caption, MB_OK | MB_ICONEXCLAMATION);
}

// The device-mode block's first 124 bytes (zeros where the block is shorter or missing).
DEVMODEA DeviceModeOf(HGLOBAL block) {
  DEVMODEA dm{};
  if (!block) return dm;
  const SIZE_T size = GlobalSize(block);
  const void* p = GlobalLock(block);
  if (p) std::memcpy(&dm, p, std::min<SIZE_T>({size, kDevModeBytes, sizeof dm}));
  GlobalUnlock(block);
  return dm;
}

bool PostScriptDevice(HDC dc) {
  // A driver that passes PostScript through is a PostScript printer.
  const int escape = POSTSCRIPT_PASSTHROUGH;
  if (frame::Version().windowsNT)
    return Escapes().Query(dc, QUERYESCSUPPORT, sizeof escape, &escape, nullptr) > 0;
  char technology[64] = "";
  if (Escapes().Query(dc, GETTECHNOLOGY, 0, nullptr, technology) <= 0) return false;
  technology[sizeof technology - 1] = '\0';
  return lstrcmpiA(technology, "PostScript") == 0;
}

void FillFromResult(TPrint& rec, const PRINTDLGA& pd, bool returnedDefault, HDC dc) {
  TPrJob& job = rec.prJob;
  if (pd.Flags & PD_PAGENUMS) {
    job.iFstPage = static_cast<short>(pd.nFromPage);
    job.iLstPage = static_cast<short>(pd.nToPage);
  } else {
    job.iFstPage = iPrPgFst;
    job.iLstPage = iPrPgMax;
  }
  const DEVMODEA dm = DeviceModeOf(pd.hDevMode);
  const DWORD fields = dm.dmFields;
  long paperW = (fields & DM_PAPERWIDTH) ? dm.dmPaperWidth : 0;
  long paperL = (fields & DM_PAPERLENGTH) ? dm.dmPaperLength : 0;
  if ((!paperW || !paperL) && (fields & DM_PAPERSIZE)) PaperDimensions(dm.dmPaperSize, &paperW, &paperL);
  long orientation = (fields & DM_ORIENTATION) ? dm.dmOrientation : 0;
  if (!orientation && returnedDefault && paperW && paperL) orientation = paperW > paperL ? 2 : 1;
  if (orientation != DMORIENT_LANDSCAPE) orientation = DMORIENT_PORTRAIT;
  const long copies = (fields & DM_COPIES) && dm.dmCopies > 0 ? dm.dmCopies : 1;
  // A driver that reports a scale of 0 means full size: no division by it anywhere.
  const long scale = (fields & DM_SCALE) && dm.dmScale > 0 ? dm.dmScale : kHundredPercent;
  const long requested = std::max<long>(1, pd.nCopies);

  long width = 0, height = 0;
  if (!dc) {
    job.iCopies = static_cast<short>(requested);
    if (rec.prInfo.iVRes == 0) rec.prInfo.iVRes = rec.prInfo.iHRes = kToolboxResolution;
    if (rec.prInfo.rPage.bottom == 0) rec.prInfo.rPage = {0, 0, kDefaultPageBottom, kDefaultPageRight};
    if (rec.rPaper.bottom == 0) rec.rPaper = {0, 0, kDefaultPageBottom, kDefaultPageRight};
    width = rec.prInfo.rPage.right - rec.prInfo.rPage.left;
    height = rec.prInfo.rPage.bottom - rec.prInfo.rPage.top;
    State().collateCopies = 1;
  } else {
    PrinterEscapes& esc = Escapes();
    const long dpiV = std::max(1, esc.DeviceCaps(dc, LOGPIXELSY));
    const long dpiH = std::max(1, esc.DeviceCaps(dc, LOGPIXELSX));
    rec.prInfo.iDev = static_cast<short>(esc.DeviceCaps(dc, DRIVERVERSION));
    rec.prInfo.iVRes = Clamp16(scale != kHundredPercent ? dpiV * kHundredPercent / scale : dpiV);
    rec.prInfo.iHRes = Clamp16(scale != kHundredPercent ? dpiH * kHundredPercent / scale : dpiH);
    width = esc.DeviceCaps(dc, HORZRES);
    height = esc.DeviceCaps(dc, VERTRES);
    long pageRect[4] = {0, 0, height, width};  // top, left, bottom, right in device pixels
    POINT phys{};
    if (esc.Query(dc, kGetPhysPageSize, 0, nullptr, &phys) <= 0 || phys.x <= 0 || phys.y <= 0) {
      phys.x = paperW * dpiH / 254;
      phys.y = paperL * dpiV / 254;
      if (orientation == DMORIENT_LANDSCAPE) std::swap(phys.x, phys.y);
      if (phys.x < width) phys.x = width;
      if (phys.y < height) phys.y = height;
    }
    POINT offset{};
    if (esc.Query(dc, kGetPrintingOffset, 0, nullptr, &offset) <= 0) {
      offset.x = (phys.x - width) / 2;
      offset.y = (phys.y - height) / 2;
    }
    long paperRect[4] = {-offset.y, -offset.x, -offset.y + phys.y, -offset.x + phys.x};
    rec.prStl.wDev = PostScriptDevice(dc) ? kPostScriptDevice : 0;
    rec.prStl.iPageV = Clamp16(esc.DeviceCaps(dc, VERTSIZE) * 1200L / 254);
    rec.prStl.iPageH = Clamp16(esc.DeviceCaps(dc, HORZSIZE) * 1200L / 254);
    if (frame::SessionFlag(ZEB_SF_PRINT72DPI)) {
      // Applications written for 72-dpi printers: the rectangles in points.
      for (long* r : {pageRect, paperRect}) {
        r[0] = MulDiv(r[0], kToolboxResolution, dpiV);
        r[2] = MulDiv(r[2], kToolboxResolution, dpiV);
        r[1] = MulDiv(r[1], kToolboxResolution, dpiH);
        r[3] = MulDiv(r[3], kToolboxResolution, dpiH);
      }
      rec.prInfo.iVRes = rec.prInfo.iHRes = kToolboxResolution;
    }
    rec.prInfo.rPage = {Clamp16(pageRect[0]), Clamp16(pageRect[1]), Clamp16(pageRect[2]),
                        Clamp16(pageRect[3])};
    rec.rPaper = {Clamp16(paperRect[0]), Clamp16(paperRect[1]), Clamp16(paperRect[2]),
                  Clamp16(paperRect[3])};
    // Collated copies are the application's to print, one pass each: the driver prints one.
    const bool collate = (pd.Flags & PD_COLLATE) != 0;
    short told = static_cast<short>(collate ? 1 : requested);
    short accepted = 0;
    const int result = esc.Query(dc, kSetCopyCount, sizeof told, &told, &accepted);
    if (collate) {
      job.iCopies = 1;
      State().collateCopies = static_cast<short>(requested);
    } else {
      job.iCopies = static_cast<short>(result > 0 ? 1 : requested);
      State().collateCopies = 1;
    }
  }
  WritePrivate(rec, kPxFields, fields);
  WritePrivate(rec, kPxOrientation, static_cast<uint32_t>(orientation));
  WritePrivate(rec, kPxCopies, static_cast<uint32_t>(std::max<long>(1, copies)));
  WritePrivate(rec, kPxWidth, static_cast<uint32_t>(std::max<long>(1, width)));
  WritePrivate(rec, kPxHeight, static_cast<uint32_t>(std::max<long>(1, height)));
  WritePrivate(rec, kPxScale, static_cast<uint32_t>(scale));
  rec.prStl.bPort = 0;
  rec.prInfoPT = rec.prInfo;
}

void Sign(TPrint& rec, uint32_t reference, const PrinterEntry& entry) {
  unsigned char* x = reinterpret_cast<unsigned char*>(rec.printX);
  Put16(x + kPxSignature1, kSignature1);
  Put16(x + kPxSignature2, kSignature2);
  WritePrivate(rec, kPxReference, reference);
  WritePrivate(rec, kPxStamp, entry.stamp);
}

uint32_t ReferenceOf(const PrinterEntry& entry) {
  return static_cast<uint32_t>(&entry - g_table.data()) + 1;
}

// A context for measuring, from the entry's device names and mode.
void RefreshInfoContext(PrinterEntry& entry, const PRINTDLGA& pd) {
  if (entry.infoContext) DeleteDC(entry.infoContext);
  entry.infoContext = nullptr;
  if (!pd.hDevNames) return;
  const auto* names = static_cast<const DEVNAMES*>(GlobalLock(pd.hDevNames));
  if (!names) return;
  const char* base = reinterpret_cast<const char*>(names);
  const DEVMODEA* mode = pd.hDevMode ? static_cast<const DEVMODEA*>(GlobalLock(pd.hDevMode)) : nullptr;
  entry.infoContext = CreateICA(base + names->wDriverOffset, base + names->wDeviceOffset,
                                base + names->wOutputOffset, mode);
  if (mode) GlobalUnlock(pd.hDevMode);
  GlobalUnlock(pd.hDevNames);
}

}  // namespace

uint32_t ReadPrivate(const TPrint& rec, PrivateWord at) {
  const unsigned char* p = reinterpret_cast<const unsigned char*>(rec.printX) + at;
  return p[0] | (p[1] << 8) | (static_cast<uint32_t>(p[2]) << 16) | (static_cast<uint32_t>(p[3]) << 24);
}

void WritePrivate(TPrint& rec, PrivateWord at, uint32_t value) {
  unsigned char* p = reinterpret_cast<unsigned char*>(rec.printX) + at;
  for (int i = 0; i < 4; ++i) p[i] = static_cast<unsigned char>(value >> (8 * i));
}

TPrint* RecordOf(THPrint hPrint) {
  if (!hPrint || !*hPrint) return nullptr;
  if (GetHandleSize(reinterpret_cast<Handle>(hPrint)) < static_cast<Size>(sizeof(TPrint))) return nullptr;
  return *hPrint;
}

PrinterEntry* EntryAt(uint32_t reference) {
  // The reference comes from documents: anything outside the table names no entry.
  if (reference == 0 || reference > g_table.size()) return nullptr;
  PrinterEntry& e = g_table[reference - 1];
  return e.block ? &e : nullptr;
}

PrinterEntry* LiveEntryOf(const TPrint& rec) {
  const unsigned char* x = reinterpret_cast<const unsigned char*>(rec.printX);
  if ((x[0] | (x[1] << 8)) != kSignature1 || (x[2] | (x[3] << 8)) != kSignature2) return nullptr;
  for (PrivateWord w : {kPxCopies, kPxWidth, kPxHeight, kPxScale})
    if (ReadPrivate(rec, w) == 0) return nullptr;
  PrinterEntry* e = EntryAt(ReadPrivate(rec, kPxReference));
  return e && e->stamp == ReadPrivate(rec, kPxStamp) ? e : nullptr;
}

PrinterEntry* NewEntry(uint32_t* reference) {
  size_t slot = g_table.size();
  for (size_t i = 0; i < g_table.size(); ++i)
    if (!g_table[i].block) {
      slot = i;
      break;
    }
  if (slot == g_table.size()) {
    if (g_table.size() == g_table.capacity()) g_table.reserve(g_table.size() + kTableStep);
    g_table.emplace_back();
  }
  PrinterEntry& e = g_table[slot];
  e.block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, sizeof(PRINTDLGA));
  if (!e.block) return nullptr;
  e.stamp = GetTickCount();
  auto* pd = static_cast<PRINTDLGA*>(GlobalLock(e.block));
  pd->lStructSize = sizeof(PRINTDLGA);
  pd->hwndOwner = frame::FrameWindow();
  GlobalUnlock(e.block);
  *reference = static_cast<uint32_t>(slot + 1);
  return &e;
}

PrinterEntry* CurrentEntry() { return EntryAt(static_cast<uint32_t>(g_current)); }
void SetCurrentEntry(PrinterEntry* entry) { g_current = entry ? ReferenceOf(*entry) : 0; }

void FreeEntry(PrinterEntry& e) {
  if (!e.block) return;
  auto* pd = static_cast<PRINTDLGA*>(GlobalLock(e.block));
  if (pd) {
    if (pd->hDC) DeleteDC(pd->hDC);
    if (pd->hDevMode) GlobalFree(pd->hDevMode);
    if (pd->hDevNames) GlobalFree(pd->hDevNames);
  }
  GlobalUnlock(e.block);
  GlobalFree(e.block);
  if (e.infoContext) DeleteDC(e.infoContext);
  e = PrinterEntry();
}

void FreePrinterTable() {
  for (PrinterEntry& e : g_table) FreeEntry(e);
  g_table.clear();
  g_table.shrink_to_fit();
  g_current = 0;
}

bool RunPrintDialog(TPrint& rec, PrinterEntry& entry, DialogKind kind, DWORD* dialogError) {
  *dialogError = 0;
  auto* pd = static_cast<PRINTDLGA*>(GlobalLock(entry.block));
  if (!pd) {
    *dialogError = PDERR_INITFAILURE;
    return false;
  }
  if (pd->hDC) DeleteDC(pd->hDC);
  pd->hDC = nullptr;
  pd->lStructSize = sizeof(PRINTDLGA);
  pd->hwndOwner = frame::FrameWindow();
  DWORD flags = pd->Flags & ~static_cast<DWORD>(PD_PRINTSETUP | PD_RETURNDEFAULT |
                                                PD_ENABLEPRINTHOOK | PD_ENABLESETUPHOOK);
  if (kind == DialogKind::Setup) flags |= PD_PRINTSETUP;
  if (kind == DialogKind::Default) flags |= PD_RETURNDEFAULT;
  pd->Flags = flags | PD_RETURNDC;
  pd->nFromPage = rec.prJob.iFstPage ? static_cast<WORD>(rec.prJob.iFstPage) : kNoPage;
  pd->nToPage = rec.prJob.iLstPage ? static_cast<WORD>(rec.prJob.iLstPage) : kNoPage;
  pd->nMinPage = iPrPgFst;
  pd->nMaxPage = iPrPgMax;
  pd->nCopies = static_cast<WORD>(std::max<short>(1, rec.prJob.iCopies));
  PrintingState& s = State();
  if (s.changedDevices && pd->hDevNames) {
    GlobalFree(pd->hDevNames);
    pd->hDevNames = nullptr;
  }
  if (s.changedDefault && pd->hDevNames) {
    const auto* names = static_cast<const DEVNAMES*>(GlobalLock(pd->hDevNames));
    const bool wasDefault = names && (names->wDefault & DN_DEFAULTPRN);
    GlobalUnlock(pd->hDevNames);
    if (wasDefault) {
      GlobalFree(pd->hDevNames);
      pd->hDevNames = nullptr;
      if (pd->hDevMode) GlobalFree(pd->hDevMode);
      pd->hDevMode = nullptr;
      pd->Flags |= PD_RETURNDEFAULT;
    }
  }
  s.changedDefault = s.changedDevices = false;
  // The default printer is asked for without blocks of an earlier printer.
  if (pd->Flags & PD_RETURNDEFAULT) {
    if (pd->hDevNames) GlobalFree(pd->hDevNames);
    if (pd->hDevMode) GlobalFree(pd->hDevMode);
    pd->hDevNames = nullptr;
    pd->hDevMode = nullptr;
  }
  const bool returnDefault = (pd->Flags & PD_RETURNDEFAULT) != 0;

  BOOL ok = FALSE;
  for (int attempt = 0; attempt < 2; ++attempt) {
    // The application's hooks see the dialog as Windows builds it.
    FARPROC hook = (pd->Flags & PD_PRINTSETUP) ? PrintSetupDialogHook() : PrintDialogHook();
    if (hook && !returnDefault) {
      if (pd->Flags & PD_PRINTSETUP) {
        pd->Flags |= PD_ENABLESETUPHOOK;
        pd->lpfnSetupHook = reinterpret_cast<LPSETUPHOOKPROC>(reinterpret_cast<void*>(hook));
      } else {
        pd->Flags |= PD_ENABLEPRINTHOOK;
        pd->lpfnPrintHook = reinterpret_cast<LPPRINTHOOKPROC>(reinterpret_cast<void*>(hook));
      }
    }
    if (!returnDefault) dialogs::EnableApplicationWindows(false);
    HCURSOR cursor = GetCursor();
    ok = PrintDlgA(pd);
    SetCursor(cursor);
    pd->Flags &= ~static_cast<DWORD>(PD_ENABLEPRINTHOOK | PD_ENABLESETUPHOOK);
    pd->lpfnPrintHook = nullptr;
    pd->lpfnSetupHook = nullptr;
    if (!returnDefault) dialogs::EnableApplicationWindows(true);
    *dialogError = ok ? 0 : CommDlgExtendedError();
    if (ok || *dialogError != PDERR_DNDMMISMATCH || attempt == 1) break;
    // Device names and mode of two printers: both go, the dialog starts afresh.
    if (pd->hDevNames) GlobalFree(pd->hDevNames);
    if (pd->hDevMode) GlobalFree(pd->hDevMode);
    pd->hDevNames = nullptr;
    pd->hDevMode = nullptr;
  }
  if (!ok) {
    ShowDialogError(*dialogError);
    GlobalUnlock(entry.block);
    return false;
  }
  FillFromResult(rec, *pd, returnDefault, pd->hDC);
  RefreshInfoContext(entry, *pd);
  // The device context stays in the entry for the next document; ZEB_ReleasePrinter or the
  // next dialog deletes it.
  GlobalUnlock(entry.block);
  Sign(rec, ReferenceOf(entry), entry);
  SetCurrentEntry(&entry);
  return true;
}

DWORD MakeDefaultRecord(TPrint& rec) {
  uint32_t reference = 0;
  PrinterEntry* entry = NewEntry(&reference);
  if (!entry) return CDERR_MEMALLOCFAILURE;
  const TPrint before = rec;
  DWORD error = 0;
  if (!RunPrintDialog(rec, *entry, DialogKind::Default, &error)) {
    // A record that held a page keeps it: the application may still lay out with it.
    if (before.rPaper.bottom != before.rPaper.top || before.rPaper.right != before.rPaper.left)
      rec = before;
    FreeEntry(*entry);
    return error ? error : PDERR_INITFAILURE;
  }
  // The printer the records are made for, as a settings change will compare it.
  char device[256] = "";
  GetProfileStringA("windows", "device", "", device, sizeof device);
  State().defaultPrinter = device;
  return 0;
}

bool ValidateRecord(TPrint& rec, DWORD* dialogError) {
  *dialogError = 0;
  PrinterEntry* entry = LiveEntryOf(rec);
  if (!entry) {
    *dialogError = MakeDefaultRecord(rec);
    return true;
  }
  SetCurrentEntry(entry);
  auto* pd = static_cast<PRINTDLGA*>(GlobalLock(entry->block));
  if (!pd) return false;
  if (!pd->hDC && pd->hDevNames) {
    // The printer the record chose, with its own device mode, measured again.
    const auto* names = static_cast<const DEVNAMES*>(GlobalLock(pd->hDevNames));
    const char* base = reinterpret_cast<const char*>(names);
    const DEVMODEA* mode = pd->hDevMode ? static_cast<const DEVMODEA*>(GlobalLock(pd->hDevMode)) : nullptr;
    if (names)
      pd->hDC = CreateDCA(base + names->wDriverOffset, base + names->wDeviceOffset,
                          base + names->wOutputOffset, mode);
    if (mode) GlobalUnlock(pd->hDevMode);
    GlobalUnlock(pd->hDevNames);
  }
  const TPrint before = rec;
  if (pd->hDC) {
    // The page range is the record's own once a dialog chose it or the application set it.
    const short first = rec.prJob.iFstPage, last = rec.prJob.iLstPage;
    FillFromResult(rec, *pd, false, pd->hDC);
    if (first > 0 && last >= first) {
      rec.prJob.iFstPage = first;
      rec.prJob.iLstPage = last;
    }
  }
  GlobalUnlock(entry->block);
  return std::memcmp(&before, &rec, sizeof rec) != 0;
}

bool ReportingOn() { return events::StoredSystemValue(kPrintErrorReportingValue) == 0; }

}  // namespace zeb::print

using namespace zeb;
using namespace zeb::print;

extern "C" {

void ZEBAPI PrintDefault(THPrint hPrint) {
  TPrint* rec = RecordOf(hPrint);
  if (!rec) {
    SetError(iPrAbort);
    return;
  }
  SetError(MakeDefaultRecord(*rec) ? static_cast<short>(iPrAbort) : static_cast<short>(noErr));
}

Boolean ZEBAPI PrValidate(THPrint hPrint) {
  SetError(noErr);
  TPrint* rec = RecordOf(hPrint);
  if (!rec) {
    SetError(iPrAbort);
    return false;
  }
  DWORD error = 0;
  const bool changed = ValidateRecord(*rec, &error);
  if (error) SetError(iPrAbort);
  return changed;
}

Boolean ZEBAPI PrStlDialog(THPrint hPrint) {
  SetError(noErr);
  TPrint* rec = RecordOf(hPrint);
  if (!rec) {
    SetError(iPrAbort);
    return false;
  }
  DWORD error = 0;
  ValidateRecord(*rec, &error);
  // Without printers the setup dialog is where the user may still choose one.
  if (error && error != PDERR_NODEVICES && error != PDERR_NODEFAULTPRN) {
    SetError(iPrAbort);
    return false;
  }
  PrinterEntry* entry = LiveEntryOf(*rec);
  uint32_t reference = 0;
  if (!entry) entry = NewEntry(&reference);
  if (!entry) {
    SetError(iPrAbort);
    return false;
  }
  const bool ok = RunPrintDialog(*rec, *entry, DialogKind::Setup, &error);
  if (!ok && reference) FreeEntry(*entry);  // made for this dialog, named by no record
  if (!ok && error) SetError(iPrAbort);
  return ok;
}

Boolean ZEBAPI PrJobDialog(THPrint hPrint) {
  SetError(noErr);
  TPrint* rec = RecordOf(hPrint);
  if (!rec) {
    SetError(iPrAbort);
    return false;
  }
  DWORD error = 0;
  ValidateRecord(*rec, &error);
  PrinterEntry* entry = LiveEntryOf(*rec);
  if (error || !entry) {
    SetError(iPrAbort);
    return false;
  }
  const bool ok = RunPrintDialog(*rec, *entry, DialogKind::Job, &error);
  if (!ok && error) SetError(iPrAbort);
  return ok;
}

void ZEBAPI ZEB_ReleasePrinter(THPrint hPrint) {
  TPrint* rec = RecordOf(hPrint);
  PrinterEntry* entry = rec ? LiveEntryOf(*rec) : nullptr;
  if (!entry) return;
  auto* pd = static_cast<PRINTDLGA*>(GlobalLock(entry->block));
  if (pd && pd->hDC) {
    DeleteDC(pd->hDC);
    pd->hDC = nullptr;
  }
  GlobalUnlock(entry->block);
}

void* ZEBAPI PrStlInit(THPrint hPrint) {
  (void)hPrint;
  SetError(noErr);
  return nullptr;
}

void* ZEBAPI PrJobInit(THPrint hPrint) {
  (void)hPrint;
  SetError(noErr);
  return nullptr;
}

Boolean ZEBAPI PrDlgMain(THPrint hPrint, void* pDlgInit) {
  (void)hPrint;
  (void)pDlgInit;
  return false;
}

void ZEBAPI PrPicFile(THPrint hPrint, TPPrPort pPrPort, Ptr pIOBuf, Ptr pDevBuf,
                      TPrStatus* prStatus) {
  (void)hPrint;
  (void)pPrPort;
  (void)pIOBuf;
  (void)pDevBuf;
  (void)prStatus;
  SetError(noErr);
}

}  // extern "C"
